#include "platform/FileIdentities.h"

#include "platform/NtdllFunction.h"
#include "platform/UniqueHandle.h"
#include "platform/WidePath.h"

#include <vector>

namespace {
struct InternalInformation {
    LARGE_INTEGER indexNumber;
};
}  // namespace

FileIdentities::FileIdentities()
    : queryInformation_(NtdllFunction<QueryInformation>("NtQueryInformationFile")),
      queryObject_(NtdllFunction<QueryObject>("NtQueryObject")) {}

std::optional<FileId> FileIdentities::Of(HANDLE file, const std::wstring& path) {
    std::uint64_t index = 0;
    if (!IndexOf(file, index)) return std::nullopt;
    return Of(index, path);
}

std::optional<FileId> FileIdentities::Of(std::uint64_t index, const std::wstring& path) {
    FileId id;
    id.index = index;
    if (!VolumeOf(path, id.volume)) return std::nullopt;
    return id;
}

std::optional<FileId> FileIdentities::ExactOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information = {};
    if (!GetFileInformationByHandle(file, &information)) return std::nullopt;
    FileId id;
    id.volume = information.dwVolumeSerialNumber;
    id.index = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return id;
}

bool FileIdentities::IndexOf(HANDLE file, std::uint64_t& index) const {
    if (queryInformation_) {
        IO_STATUS_BLOCK status = {};
        InternalInformation information = {};
        if (queryInformation_(file, &status, &information, sizeof information, FileInternalInformation) >= 0) {
            index = static_cast<std::uint64_t>(information.indexNumber.QuadPart);
            return true;
        }
    }
    BY_HANDLE_FILE_INFORMATION information = {};
    if (!GetFileInformationByHandle(file, &information)) return false;
    index = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
}

bool FileIdentities::VolumeOf(const std::wstring& path, std::uint32_t& serial) {
    const std::wstring folder = widepath::FolderOf(path);
    const auto known = folderSerials_.find(folder);
    if (known != folderSerials_.end()) {
        serial = known->second;
        return true;
    }
    // The volume's root is no longer than the folder.
    std::vector<wchar_t> root(folder.size() + 2, L'\0');
    if (!GetVolumePathNameW(folder.c_str(), root.data(), static_cast<DWORD>(root.size()))) return false;
    auto volume = volumeSerials_.find(root.data());
    if (volume == volumeSerials_.end()) {
        // Read from the open root, not asked of the volume by its name:
        // Wine cannot name a volume that is mounted below a drive's root.
        const UniqueFile rootFolder(CreateFileW(widepath::ForFileSystem(root.data()).c_str(), 0,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        const std::optional<FileId> rootId = rootFolder.Valid() ? ExactOf(rootFolder.Get()) : std::nullopt;
        if (!rootId) return false;
        volume = volumeSerials_.emplace(root.data(), rootId->volume).first;
    }
    folderSerials_.emplace(folder, volume->second);
    serial = volume->second;
    return true;
}

std::wstring FileIdentities::ResolvedNameOf(HANDLE file) const {
    if (!queryObject_ || file == INVALID_HANDLE_VALUE) return std::wstring();
    // Room for a name of MAX_PATH first; a longer one is asked again with
    // the size the system gave.
    std::vector<unsigned char> buffer(sizeof(UNICODE_STRING) + 2 * (MAX_PATH + 1));
    ULONG needed = 0;
    NTSTATUS status = queryObject_(file, ObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status < 0 && needed > buffer.size()) {
        buffer.resize(needed);
        status = queryObject_(file, ObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    }
    if (status < 0) return std::wstring();
    const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
    return std::wstring(name->Buffer, name->Length / sizeof(wchar_t));
}
