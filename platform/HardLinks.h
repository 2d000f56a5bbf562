#pragma once
// Gives an open file another name on its volume (a hard link). The link is
// made through the handle, so that the new name leads to exactly the file
// held, whatever its own names lead to meanwhile.
#include <windows.h>
#include <winternl.h>

#include <string>

class HardLinks {
public:
    HardLinks();

    // Makes `path`, an exact full path that no file has yet, another name
    // of `file`. Returns ERROR_SUCCESS or the system's error code
    // (ERROR_NOT_SAME_DEVICE for another volume, ERROR_ALREADY_EXISTS when
    // the name is taken, ERROR_TOO_MANY_LINKS when the file has all the
    // names its file system allows).
    DWORD Add(HANDLE file, const std::wstring& path) const;
    // True when the volume that holds `path` has a file system without
    // hard links (FAT, FAT32, exFAT), whose refusal may read as a denial.
    static bool VolumeLacksLinks(const std::wstring& path);

private:
    using SetInformation = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, FILE_INFORMATION_CLASS);
    using StatusToError = ULONG(NTAPI*)(NTSTATUS);

    SetInformation setInformation_ = nullptr;
    StatusToError statusToError_ = nullptr;
};
