#include "platform/FileFinder.h"

#include "platform/WidePath.h"

bool FileFinder::FindFile(const std::wstring& pattern) {
    Close();
    handle_.Reset(FindFirstFileW(widepath::ForFileSystem(pattern).c_str(), &next_));
    hasNext_ = handle_.Valid();
    error_ = hasNext_ ? 0 : GetLastError();
    return hasNext_;
}

bool FileFinder::FindNextFile() {
    if (!hasNext_) return false;
    current_ = next_;
    hasNext_ = ::FindNextFileW(handle_.Get(), &next_) != 0;
    return hasNext_;
}

void FileFinder::Close() {
    handle_.Reset();
    hasNext_ = false;
}

std::uint64_t FileFinder::Length() const {
    return (static_cast<std::uint64_t>(current_.nFileSizeHigh) << 32) | current_.nFileSizeLow;
}

std::int64_t FileFinder::LastWriteTime() const { return SecondsSince1970(current_.ftLastWriteTime); }

bool FileFinder::IsDots() const {
    const std::wstring_view name = FileName();
    return name == L"." || name == L"..";
}

std::int64_t FileFinder::SecondsSince1970(const FILETIME& time) {
    const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    const std::int64_t from1601 = static_cast<std::int64_t>(ticks / 10000000ULL);
    return from1601 - 11644473600LL;
}
