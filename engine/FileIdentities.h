#pragma once
// Which file a name stands for: the serial of the volume that holds it and
// the file's index on that volume. The index is read from the open file;
// the volume serial is looked up once per folder, since asking for it per
// file costs milliseconds under Wine (a round trip to its mount manager).
#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <map>
#include <string>

class FileIdentities {
public:
    FileIdentities();

    // The index of an open file. Asks for the index alone where the system
    // allows, since GetFileInformationByHandle also looks up the volume.
    bool IndexOf(HANDLE file, std::uint64_t& index) const;
    // The serial of the volume that holds the folder of `path`, an exact
    // full path.
    bool VolumeOf(const std::wstring& path, std::uint32_t& serial);
    // The name that the system resolved to when it opened the file, in the
    // system's own form (the same form for every file and folder), or
    // nothing when it cannot say. Asked of the object itself, since
    // GetFinalPathNameByHandle fails on paths over MAX_PATH under Wine.
    std::wstring ResolvedNameOf(HANDLE file) const;

private:
    using QueryInformation = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, FILE_INFORMATION_CLASS);

    using QueryObject = NTSTATUS(NTAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);

    QueryInformation queryInformation_ = nullptr;
    QueryObject queryObject_ = nullptr;
    std::map<std::wstring, DWORD> folderSerials_;
    std::map<std::wstring, DWORD> volumeSerials_;  // by the volume's root
};
