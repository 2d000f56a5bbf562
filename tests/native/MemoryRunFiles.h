#pragma once
// A run of files held in memory, for the comparison tests: it can refuse to
// open chosen files, fail reads at chosen offsets and hold more or fewer
// bytes than the run's length, and it records every call it gets.
#include "engine/core/RunComparison.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <map>
#include <string>
#include <vector>

class MemoryRunFiles : public engine::RunFiles {
public:
    static constexpr std::uint64_t NoFailure = std::numeric_limits<std::uint64_t>::max();

    struct File {
        std::vector<unsigned char> bytes;
        bool openFails = false;
        bool reopenFails = false;
        std::uint64_t readFailsAt = NoFailure;  // a read covering this offset fails
    };

    explicit MemoryRunFiles(std::uint64_t length) : length_(length) {}

    std::size_t Add(std::vector<unsigned char> bytes)
    {
        files_.push_back(File{std::move(bytes)});
        ranges_.emplace_back();
        isOpen_.push_back(false);
        return files_.size() - 1;
    }
    File& operator[](std::size_t file) { return files_[file]; }

    std::size_t Count() const override { return files_.size(); }
    std::uint64_t Length() const override { return length_; }

    bool Open(std::size_t file) override
    {
        if (std::find(opens.begin(), opens.end(), file) != opens.end()) {
            misuse += "opened twice " + std::to_string(file) + "; ";
        }
        opens.push_back(file);
        return MarkOpen(file, !files_[file].openFails);
    }
    bool Reopen(std::size_t file) override
    {
        if (std::find(opens.begin(), opens.end(), file) == opens.end() || files_[file].openFails) {
            misuse += "reopened before opening " + std::to_string(file) + "; ";
        }
        ++reopens;
        return MarkOpen(file, !files_[file].reopenFails);
    }
    std::int64_t Read(std::size_t file, std::uint64_t offset, unsigned char* buffer,
                      std::size_t size) override
    {
        if (!isOpen_[file]) {
            misuse += "read while closed " + std::to_string(file) + "; ";
        }
        ++reads;
        const File& f = files_[file];
        if (f.readFailsAt >= offset && f.readFailsAt - offset < size) {
            return -1;
        }
        if (offset >= f.bytes.size()) {
            return 0;
        }
        const std::size_t count = static_cast<std::size_t>(
            std::min<std::uint64_t>(size, f.bytes.size() - offset));
        std::memcpy(buffer, f.bytes.data() + offset, count);
        RecordRange(file, offset, offset + count);
        bytesRead += count;
        return static_cast<std::int64_t>(count);
    }
    void Close(std::size_t file) override
    {
        if (!isOpen_[file]) {
            misuse += "closed while closed " + std::to_string(file) + "; ";
        }
        isOpen_[file] = false;
        --openNow;
    }

    // What happened.
    std::vector<std::size_t> opens;  // every Open, in call order
    std::size_t reopens = 0;
    std::size_t reads = 0;
    std::uint64_t bytesRead = 0;
    std::size_t openNow = 0;
    std::size_t mostOpen = 0;
    bool readTwice = false;  // some byte was read more than once
    std::string misuse;

private:
    bool MarkOpen(std::size_t file, bool succeeds)
    {
        if (isOpen_[file]) {
            misuse += "opened while open " + std::to_string(file) + "; ";
        }
        if (succeeds) {
            isOpen_[file] = true;
            mostOpen = std::max(mostOpen, ++openNow);
        }
        return succeeds;
    }
    void RecordRange(std::size_t file, std::uint64_t begin, std::uint64_t end)
    {
        std::map<std::uint64_t, std::uint64_t>& ranges = ranges_[file];
        auto next = ranges.lower_bound(begin);
        if ((next != ranges.end() && next->first < end) ||
            (next != ranges.begin() && std::prev(next)->second > begin)) {
            readTwice = true;
        }
        ranges[begin] = std::max(ranges[begin], end);
    }

    std::uint64_t length_;
    std::vector<File> files_;
    std::vector<std::map<std::uint64_t, std::uint64_t>> ranges_;  // begin -> end read
    std::vector<bool> isOpen_;
};
