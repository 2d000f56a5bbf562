#pragma once
// Looks up which file an open handle stands for. The index is read from the
// open file. Asking an open file for its volume serial costs milliseconds
// under Wine (a round trip to its mount manager), so the serial is read once
// per volume, from the open root folder of the volume that holds the file's
// folder (a volume mounted in a folder, or any mount under Wine, has a root
// of its own), and only ExactOf asks the file itself.
#include "platform/FileId.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

class FileIdentities {
public:
    FileIdentities();

    // The identity of an open file; `path` is its exact full path.
    std::optional<FileId> Of(HANDLE file, const std::wstring& path);
    // The identity of the file at `path` whose index was read before.
    std::optional<FileId> Of(std::uint64_t index, const std::wstring& path);
    // The identity read from the open file alone, volume serial included,
    // which holds also where a name leads to another volume (a link).
    static std::optional<FileId> ExactOf(HANDLE file);
    // The index of an open file. Asks for the index alone where the system
    // allows, since GetFileInformationByHandle also looks up the volume.
    bool IndexOf(HANDLE file, std::uint64_t& index) const;
    // The name that the system resolved to when it opened the file, in the
    // system's own form (the same form for every file and folder), or
    // nothing when it cannot say. Asked of the object itself, since
    // GetFinalPathNameByHandle fails on paths over MAX_PATH under Wine.
    std::wstring ResolvedNameOf(HANDLE file) const;

private:
    using QueryInformation = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, FILE_INFORMATION_CLASS);
    using QueryObject = NTSTATUS(NTAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);

    // The serial of the volume that holds the folder of `path` (a folder's
    // own path ends in a backslash).
    bool VolumeOf(const std::wstring& path, std::uint32_t& serial);

    QueryInformation queryInformation_ = nullptr;
    QueryObject queryObject_ = nullptr;
    // Asked once for every file of a group: hashed, since the folders of a
    // tree share long beginnings that an ordered map compares again and again.
    std::unordered_map<std::wstring, DWORD> folderSerials_;
    std::map<std::wstring, DWORD> volumeSerials_;  // by the volume's root
};
