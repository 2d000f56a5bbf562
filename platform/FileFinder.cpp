#include "platform/FileFinder.h"

#include "common/core/Cp932Text.h"

bool FileFinder::FindFile(const std::string& pattern) {
    Close();
    std::size_t slash = cp932::FindLast(pattern, '\\');
    root_ = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    handle_ = FindFirstFileA(pattern.c_str(), &next_);
    hasNext_ = handle_ != INVALID_HANDLE_VALUE;
    return hasNext_;
}

bool FileFinder::FindNextFile() {
    if (!hasNext_) return false;
    current_ = next_;
    hasNext_ = ::FindNextFileA(handle_, &next_) != 0;
    return hasNext_;
}

void FileFinder::Close() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    hasNext_ = false;
}

std::uint64_t FileFinder::Length() const {
    return (static_cast<std::uint64_t>(current_.nFileSizeHigh) << 32) | current_.nFileSizeLow;
}

std::int64_t FileFinder::LastWriteTime() const { return SecondsSince1970(current_.ftLastWriteTime); }

bool FileFinder::IsDots() const {
    const std::string name = current_.cFileName;
    return name == "." || name == "..";
}

std::int64_t FileFinder::SecondsSince1970(const FILETIME& time) {
    const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    const std::int64_t from1601 = static_cast<std::int64_t>(ticks / 10000000ULL);
    return from1601 - 11644473600LL;
}
