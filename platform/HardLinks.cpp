#include "platform/HardLinks.h"

#include "platform/NtdllFunction.h"
#include "platform/WidePath.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace {
// FILE_LINK_INFORMATION, which the SDK headers of MinGW do not all declare.
struct LinkInformation {
    BOOLEAN replaceIfExists;
    HANDLE rootDirectory;
    ULONG fileNameLength;  // in bytes
    WCHAR fileName[1];
};
const auto FileLinkInformationClass = static_cast<FILE_INFORMATION_CLASS>(11);

// The system's own form of a full path: \??\C:\... or \??\UNC\server\...
std::wstring NtPathOf(const std::wstring& path) {
    const std::wstring plain = widepath::WithoutPrefix(path);
    if (plain.size() > 2 && plain[0] == L'\\' && plain[1] == L'\\') return L"\\??\\UNC\\" + plain.substr(2);
    return L"\\??\\" + plain;
}
}  // namespace

HardLinks::HardLinks()
    : setInformation_(NtdllFunction<SetInformation>("NtSetInformationFile")),
      statusToError_(NtdllFunction<StatusToError>("RtlNtStatusToDosError")) {}

DWORD HardLinks::Add(HANDLE file, const std::wstring& path) const {
    if (!setInformation_ || !statusToError_) return ERROR_NOT_SUPPORTED;
    const std::wstring name = NtPathOf(path);
    const std::size_t nameBytes = name.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(offsetof(LinkInformation, fileName) + nameBytes);
    auto* information = reinterpret_cast<LinkInformation*>(buffer.data());
    information->replaceIfExists = FALSE;
    information->rootDirectory = nullptr;
    information->fileNameLength = static_cast<ULONG>(nameBytes);
    std::memcpy(information->fileName, name.data(), nameBytes);
    IO_STATUS_BLOCK status = {};
    const NTSTATUS result = setInformation_(file, &status, information, static_cast<ULONG>(buffer.size()),
                                            FileLinkInformationClass);
    return result >= 0 ? ERROR_SUCCESS : statusToError_(result);
}

bool HardLinks::VolumeLacksLinks(const std::wstring& path) {
    const std::wstring full = widepath::ForFileSystem(path);
    std::vector<wchar_t> root(full.size() + 2, L'\0');
    if (!GetVolumePathNameW(full.c_str(), root.data(), static_cast<DWORD>(root.size()))) return false;
    wchar_t system[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.data(), nullptr, 0, nullptr, nullptr, nullptr, system, MAX_PATH + 1))
        return false;
    const std::wstring name = system;
    return name.compare(0, 3, L"FAT") == 0 || name == L"exFAT";
}
