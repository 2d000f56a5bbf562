#pragma once
// One run of equal-length files on a POSIX file system, for the native
// benchmark: open, pread and close. A file that is the same file (device and
// inode) as one opened earlier in the run counts as one that cannot be
// opened, as the program does with its volume serial and file index.
#include "engine/core/RunComparison.h"

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

class PosixRunFiles : public engine::RunFiles {
public:
    PosixRunFiles(std::vector<const std::string*> paths, std::uint64_t length);
    ~PosixRunFiles() override;
    PosixRunFiles(const PosixRunFiles&) = delete;
    PosixRunFiles& operator=(const PosixRunFiles&) = delete;

    std::size_t Count() const override { return paths_.size(); }
    std::uint64_t Length() const override { return length_; }
    bool Open(std::size_t file) override;
    bool Reopen(std::size_t file) override;
    std::int64_t Read(std::size_t file, std::uint64_t offset, unsigned char* buffer,
                      std::size_t size) override;
    void Close(std::size_t file) override;

    // Files of this run that could not be opened (or were a file seen before).
    std::size_t OpenFailures() const { return openFailures_; }

private:
    bool OpenDescriptor(std::size_t file);

    std::vector<const std::string*> paths_;
    std::uint64_t length_;
    std::vector<int> descriptors_;
    std::set<std::pair<std::uint64_t, std::uint64_t>> identities_;
    std::size_t openFailures_ = 0;
};
