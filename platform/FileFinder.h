#pragma once
// Folder enumeration in the file finder's manner: FindFile starts a search,
// FindNextFile moves to the next entry and tells whether yet another
// follows. Names are the file system's own (UTF-16), of any length. The
// search handle is closed by Close or the destructor.
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

class FileFinder {
public:
    FileFinder() = default;
    ~FileFinder() { Close(); }
    FileFinder(const FileFinder&) = delete;
    FileFinder& operator=(const FileFinder&) = delete;

    // Starts a search for `pattern` (e.g. L"D:\\data\\*"); true when
    // something matches. Otherwise Error() tells why.
    bool FindFile(const std::wstring& pattern);
    // Makes the next entry current; true when another entry follows it.
    bool FindNextFile();
    void Close();
    DWORD Error() const { return error_; }

    std::wstring_view FileName() const { return current_.cFileName; }
    std::uint64_t Length() const;
    // Last-write time in whole seconds since 1970-01-01 00:00 UTC.
    std::int64_t LastWriteTime() const;
    bool IsDirectory() const { return (current_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool IsReparsePoint() const { return (current_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }
    bool IsDots() const;

    static std::int64_t SecondsSince1970(const FILETIME& time);

private:
    UniqueFind handle_;
    WIN32_FIND_DATAW current_ = {};
    WIN32_FIND_DATAW next_ = {};
    bool hasNext_ = false;
    DWORD error_ = 0;
};
