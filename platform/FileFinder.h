#pragma once
// Folder enumeration in the file finder's manner: FindFile starts a search,
// FindNextFile moves to the next entry and tells whether yet another
// follows. The search handle is closed by Close or the destructor.
#include <windows.h>

#include <cstdint>
#include <string>

class FileFinder {
public:
    FileFinder() = default;
    ~FileFinder() { Close(); }
    FileFinder(const FileFinder&) = delete;
    FileFinder& operator=(const FileFinder&) = delete;

    // Starts a search for `pattern` (e.g. "D:\\data\\*"); true when
    // something matches.
    bool FindFile(const std::string& pattern);
    // Makes the next entry current; true when another entry follows it.
    bool FindNextFile();
    void Close();

    std::string FileName() const { return current_.cFileName; }
    std::string FilePath() const { return root_ + current_.cFileName; }
    std::uint64_t Length() const;
    // Last-write time in whole seconds since 1970-01-01 00:00 UTC.
    std::int64_t LastWriteTime() const;
    bool IsDirectory() const { return (current_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool IsReparsePoint() const { return (current_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
    bool IsDots() const;

    static std::int64_t SecondsSince1970(const FILETIME& time);

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA current_ = {};
    WIN32_FIND_DATAA next_ = {};
    bool hasNext_ = false;
    std::string root_;  // the pattern's folder, with its final backslash
};
