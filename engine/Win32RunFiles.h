#pragma once
// The files of one run, read through Win32 under their exact names (the
// records' paths), opened for reading only and
// without sharing, so that no other program changes them while they are
// compared. A file that cannot be opened is reported through the caller's
// report and takes no further part. A name of a file that the run holds
// already (the same volume serial and file index, a hard link) takes no
// part either, and is no failure: the file is compared under its first
// name. Only a name that fails to open, or whose index meets another's, is
// asked for its volume.
#include "engine/GatheredFileList.h"
#include "engine/WorkerRunFiles.h"
#include "platform/FileIdentities.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Win32RunFiles : public WorkerRunFiles {
public:
    // The run is files[first] to files[first + count - 1], all of `length`
    // bytes; failures are reported with the display texts of their paths.
    // The table must outlive the object.
    Win32RunFiles(const GatheredFileList& files, std::size_t first, std::size_t count, std::uint64_t length,
                  FailureReport reportOpenFailure);
    // The workers' opener of a run: its real files.
    static std::unique_ptr<WorkerRunFiles> OpenRun(const GatheredFileList& files, std::size_t first,
                                                   std::size_t count, std::uint64_t length,
                                                   FailureReport reportOpenFailure);
    Win32RunFiles(const Win32RunFiles&) = delete;
    Win32RunFiles& operator=(const Win32RunFiles&) = delete;

    std::size_t Count() const override { return handles_.size(); }
    std::uint64_t Length() const override { return length_; }
    bool Open(std::size_t file) override;
    bool Reopen(std::size_t file) override;
    std::int64_t Read(std::size_t file, std::uint64_t offset, unsigned char* buffer,
                      std::size_t size) override;
    void Close(std::size_t file) override;

    std::uint64_t OpenedIndex(std::size_t file) const override { return indexes_[file]; }

private:
    std::wstring PathOf(std::size_t file) const;
    // The path in the form the file functions take.
    std::wstring NameOf(std::size_t file) const;
    // `error`, when given, takes the reason of a failed open.
    UniqueFile OpenForReading(std::size_t file, DWORD* error) const;
    // Opens the file for its identity only: no access, sharing everything.
    UniqueFile Look(std::size_t file) const;
    // The identity of an earlier file, open or closed, as read from it.
    const std::optional<FileId>& IdentityOfEarlier(std::size_t file);
    enum class Likeness { Other, Same, Unknown };
    // Whether `file`, just opened, is `earlier` under another name.
    Likeness Compare(std::size_t file, std::size_t earlier);
    // True when `file`, refused for sharing, is another name of a file of
    // the run that is open or was opened.
    bool IsNameOfOpenFile(std::size_t file);
    bool Fail(std::size_t file);

    const GatheredFileList& files_;
    std::size_t first_;
    std::uint64_t length_;
    FailureReport reportOpenFailure_;
    FileIdentities lookup_;
    std::vector<UniqueFile> handles_;       // not valid when closed
    std::vector<std::uint64_t> positions_;  // where the next read starts
    std::vector<std::uint64_t> indexes_;    // of every file opened
    std::vector<std::optional<FileId>> identities_;  // taken only where indexes meet
    std::multimap<std::uint64_t, std::size_t> filesByIndex_;
};
