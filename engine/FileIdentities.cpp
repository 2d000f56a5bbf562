#include "engine/FileIdentities.h"

#include "common/core/Cp932Text.h"

namespace {
struct InternalInformation {
    LARGE_INTEGER indexNumber;
};
}  // namespace

FileIdentities::FileIdentities() {
    if (HMODULE ntdll = GetModuleHandleA("ntdll.dll")) {
        queryInformation_ = reinterpret_cast<QueryInformation>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationFile")));
    }
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

bool FileIdentities::VolumeOf(const std::string& path, std::uint32_t& serial) {
    const std::string folder = cp932::FolderOf(path);
    const auto known = folderSerials_.find(folder);
    if (known != folderSerials_.end()) {
        serial = known->second;
        return true;
    }
    char root[MAX_PATH + 1] = {};
    if (!GetVolumePathNameA(folder.c_str(), root, sizeof root)) return false;
    auto volume = volumeSerials_.find(root);
    if (volume == volumeSerials_.end()) {
        DWORD found = 0;
        if (!GetVolumeInformationA(root, nullptr, 0, &found, nullptr, nullptr, nullptr, 0)) return false;
        volume = volumeSerials_.emplace(root, found).first;
    }
    folderSerials_.emplace(folder, volume->second);
    serial = volume->second;
    return true;
}
