#include "review/HeldFile.h"

#include "engine/core/RunComparison.h"
#include "platform/FileFinder.h"
#include "platform/WidePath.h"

#include <shellapi.h>

#include <cstring>

namespace {
DWORD AccessFor(HeldFile::Use use) {
    switch (use) {
    case HeldFile::Use::Keep: return GENERIC_READ;
    case HeldFile::Use::DeleteNow:
    case HeldFile::Use::Recycle: return GENERIC_READ | DELETE;
    case HeldFile::Use::Look: return 0;
    case HeldFile::Use::LinkTarget: return GENERIC_READ | FILE_WRITE_ATTRIBUTES;  // the link needs the latter
    }
    return 0;
}

DWORD SharingFor(HeldFile::Use use) {
    switch (use) {
    case HeldFile::Use::Keep: return FILE_SHARE_READ;
    case HeldFile::Use::DeleteNow: return 0;
    case HeldFile::Use::Recycle: return FILE_SHARE_DELETE;  // the shell's move needs it
    case HeldFile::Use::Look: return FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    case HeldFile::Use::LinkTarget: return FILE_SHARE_READ | FILE_SHARE_DELETE;  // the new name's rename needs it
    }
    return 0;
}
}  // namespace

HeldFile::HeldFile(const FilePath& path, Use use) : path_(path) {
    // A name with a wildcard names no file; the shell would take it as a
    // pattern.
    if (path_.empty() || path_.find_first_of(L"*?") != FilePath::npos) {
        openError_ = ERROR_INVALID_NAME;
        return;
    }
    // A link is opened itself, not the file it points to, where the system
    // knows links (Wine does not: there the resolved name tells).
    DWORD flags = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN;
    if (use == Use::Look) flags = FILE_FLAG_BACKUP_SEMANTICS;
    handle_.Reset(CreateFileW(widepath::ForFileSystem(path_).c_str(), AccessFor(use), SharingFor(use), nullptr,
                              OPEN_EXISTING, flags, nullptr));
    if (!handle_.Valid()) openError_ = GetLastError();
}

bool HeldFile::NamesNoFile() const {
    if (IsOpen()) return false;
    if (openError_ == ERROR_FILE_NOT_FOUND || openError_ == ERROR_PATH_NOT_FOUND) return true;
    const DWORD attributes = GetFileAttributesW(widepath::ForFileSystem(path_).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

HeldFile::Match HeldFile::Check(const FileInfo& recorded, FileIdentities& identities) {
    if (!IsOpen()) return Match::Changed;
    if (!recorded.id) return Match::Unverified;
    FILE_BASIC_INFO basic = {};
    LARGE_INTEGER length = {};
    if (!GetFileInformationByHandleEx(handle_.Get(), FileBasicInfo, &basic, sizeof basic) ||
        !GetFileSizeEx(handle_.Get(), &length))
        return Match::Unverified;
    const std::optional<FileId> id = identities.Of(handle_.Get(), path_);
    if (!id) return Match::Unverified;
    if (*id != *recorded.id) return Match::Changed;
    if (basic.FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return Match::Changed;
    FILETIME written;
    written.dwLowDateTime = static_cast<DWORD>(basic.LastWriteTime.QuadPart);
    written.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(basic.LastWriteTime.QuadPart) >> 32);
    if (static_cast<std::uint64_t>(length.QuadPart) != recorded.size ||
        FileFinder::SecondsSince1970(written) != recorded.lastWriteTime)
        return Match::Changed;
    id_ = id;
    attributes_ = basic.FileAttributes;
    return Match::AsRecorded;
}

bool HeldFile::IsOtherFileThan(const HeldFile& other) const { return !SameFile(id_, other.id_); }

bool HeldFile::IsOnVolumeOf(const HeldFile& other) const {
    return !id_ || !other.id_ || id_->volume == other.id_->volume;
}

bool HeldFile::HasSameBytesAs(HeldFile& other, std::uint64_t length, std::vector<unsigned char>& buffers) {
    const DWORD block = static_cast<DWORD>(engine::BlockSize);
    buffers.resize(2 * static_cast<std::size_t>(block));
    unsigned char* mine = buffers.data();
    unsigned char* theirs = mine + block;
    if (!Rewind() || !other.Rewind()) return false;
    std::uint64_t offset = 0;
    for (;;) {
        DWORD gotMine = 0, gotTheirs = 0;
        if (!ReadFile(handle_.Get(), mine, block, &gotMine, nullptr) ||
            !ReadFile(other.handle_.Get(), theirs, block, &gotTheirs, nullptr))
            return false;
        if (gotMine != gotTheirs || std::memcmp(mine, theirs, gotMine) != 0) return false;
        if (gotMine == 0) return offset == length;
        offset += gotMine;
        if (offset > length) return false;
    }
}

bool HeldFile::DeleteNow(FileIdentities& identities) {
    if (!IsOpen()) return false;
    FILE_DISPOSITION_INFO disposition = {TRUE};
    const bool marked = SetFileInformationByHandle(handle_.Get(), FileDispositionInfo, &disposition, sizeof disposition) != 0;
    handle_.Reset();
    return marked && IsGone(identities);
}

DWORD HeldFile::LinkAs(const FilePath& name, const HardLinks& links) const {
    if (!IsOpen()) return ERROR_INVALID_HANDLE;
    return links.Add(handle_.Get(), name);
}

bool HeldFile::ReplaceName(const FilePath& name, const FilePath& replaced) {
    return MoveFileExW(widepath::ForFileSystem(name).c_str(), widepath::ForFileSystem(replaced).c_str(),
                       MOVEFILE_REPLACE_EXISTING) != 0;
}

bool HeldFile::RemoveName(const FilePath& name) { return DeleteFileW(widepath::ForFileSystem(name).c_str()) != 0; }

bool HeldFile::MakeFolder(const FilePath& path) {
    return CreateDirectoryW(widepath::ForFileSystem(path).c_str(), nullptr) != 0;
}

bool HeldFile::RemoveFolder(const FilePath& path) {
    return RemoveDirectoryW(widepath::ForFileSystem(path).c_str()) != 0;
}

bool HeldFile::IsGone(FileIdentities& identities) const {
    // Asked of the file behind the name, not of the name: the name alone
    // may now lead to another file.
    const HeldFile look(path_, Use::Look);
    if (!look.IsOpen()) return look.openError_ == ERROR_FILE_NOT_FOUND || look.openError_ == ERROR_PATH_NOT_FOUND;
    return !SameFile(id_, identities.Of(look.handle_.Get(), path_));
}

bool HeldFile::MoveToRecycleBin(const std::vector<const HeldFile*>& files) {
    // The shell takes a list of names: each ends in a zero, the list in one
    // more. A name ending in a dot or a space goes with the \\?\ prefix,
    // which Wine's shell takes. A longer path than MAX_PATH is left out (it
    // stays): Windows' shell does not take one, and Wine's crashed on a
    // 1,000-character one.
    FilePath names;
    for (const HeldFile* file : files) {
        if (!file->IsOpen() || file->path_.size() >= MAX_PATH) continue;
        names += widepath::ForFileSystem(file->path_);
        names.push_back(L'\0');
    }
    if (names.empty()) return true;
    names.push_back(L'\0');
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = names.c_str();
    operation.pTo = nullptr;
    // Warn before a file would be destroyed instead of recycled.
    operation.fFlags = FOF_SIMPLEPROGRESS | FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_WANTNUKEWARNING;
    operation.hNameMappings = nullptr;
    operation.lpszProgressTitle = nullptr;
    return SHFileOperationW(&operation) == 0;
}

bool HeldFile::Rewind() const {
    LARGE_INTEGER start = {};
    return IsOpen() && SetFilePointerEx(handle_.Get(), start, nullptr, FILE_BEGIN);
}
