#include "engine/Win32RunFiles.h"

#include "platform/WidePath.h"

#include <limits>
#include <utility>

namespace {
constexpr std::uint64_t UnknownPosition = std::numeric_limits<std::uint64_t>::max();
}  // namespace

Win32RunFiles::Win32RunFiles(const std::vector<FileInfo>& files, std::size_t first, std::size_t count,
                             std::uint64_t length, FailureReport reportOpenFailure)
    : files_(files),
      first_(first),
      length_(length),
      reportOpenFailure_(std::move(reportOpenFailure)),
      handles_(count, INVALID_HANDLE_VALUE),
      positions_(count, 0),
      indexes_(count, 0),
      identities_(count) {}

Win32RunFiles::~Win32RunFiles() {
    for (std::size_t file = 0; file < handles_.size(); ++file) Close(file);
}

bool Win32RunFiles::Open(std::size_t file) {
    const HANDLE handle = OpenForReading(file);
    if (handle == INVALID_HANDLE_VALUE) return Fail(file);
    handles_[file] = handle;
    positions_[file] = 0;
    std::uint64_t index = 0;
    // Without an identity a second name of the file could not be caught.
    if (!lookup_.IndexOf(handle, index)) {
        Close(file);
        return Fail(file);
    }
    indexes_[file] = index;
    const auto earlier = filesByIndex_.equal_range(index);
    for (auto it = earlier.first; it != earlier.second; ++it) {
        if (SameFile(file, it->second)) {
            Close(file);
            return Fail(file);
        }
    }
    filesByIndex_.emplace(index, file);
    return true;
}

bool Win32RunFiles::Reopen(std::size_t file) {
    // Not reported: the file was opened once already. Another file in its
    // place counts as a failed read.
    Close(file);
    const HANDLE handle = OpenForReading(file);
    if (handle == INVALID_HANDLE_VALUE) return false;
    handles_[file] = handle;
    positions_[file] = 0;
    std::uint64_t index = 0;
    if (!lookup_.IndexOf(handle, index) || index != indexes_[file]) {
        Close(file);
        return false;
    }
    return true;
}

std::int64_t Win32RunFiles::Read(std::size_t file, std::uint64_t offset, unsigned char* buffer,
                                 std::size_t size) {
    const HANDLE handle = handles_[file];
    if (handle == INVALID_HANDLE_VALUE) return -1;
    if (positions_[file] != offset) {
        LARGE_INTEGER distance;
        distance.QuadPart = static_cast<LONGLONG>(offset);
        if (!SetFilePointerEx(handle, distance, nullptr, FILE_BEGIN)) {
            positions_[file] = UnknownPosition;
            return -1;
        }
        positions_[file] = offset;
    }
    const DWORD wanted = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!ReadFile(handle, buffer, wanted, &got, nullptr)) {
        positions_[file] = UnknownPosition;
        return -1;
    }
    positions_[file] += got;
    return static_cast<std::int64_t>(got);
}

void Win32RunFiles::Close(std::size_t file) {
    if (handles_[file] == INVALID_HANDLE_VALUE) return;
    CloseHandle(handles_[file]);
    handles_[file] = INVALID_HANDLE_VALUE;
}

HANDLE Win32RunFiles::OpenForReading(std::size_t file) const {
    return CreateFileW(NameOf(file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                       nullptr);
}

std::wstring Win32RunFiles::NameOf(std::size_t file) const {
    return widepath::ForFileSystem(files_[first_ + file].path);
}

Win32RunFiles::Identity Win32RunFiles::IdentityOf(HANDLE handle) const {
    Identity identity;
    BY_HANDLE_FILE_INFORMATION information = {};
    if (!GetFileInformationByHandle(handle, &information)) return identity;
    identity.known = true;
    identity.volume = information.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return identity;
}

const Win32RunFiles::Identity& Win32RunFiles::IdentityOfEarlier(std::size_t file) {
    Identity& identity = identities_[file];
    if (identity.known) return identity;
    if (handles_[file] != INVALID_HANDLE_VALUE) {
        identity = IdentityOf(handles_[file]);
        return identity;
    }
    // Closed already: a look at its attributes only, which takes no access
    // and conflicts with nobody. It must still be the file opened before.
    const HANDLE handle = CreateFileW(NameOf(file).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return identity;
    identity = IdentityOf(handle);
    CloseHandle(handle);
    if (identity.known && identity.index != indexes_[file]) identity.known = false;
    return identity;
}

bool Win32RunFiles::SameFile(std::size_t file, std::size_t earlier) {
    if (!identities_[file].known) identities_[file] = IdentityOf(handles_[file]);
    const Identity& mine = identities_[file];
    const Identity& theirs = IdentityOfEarlier(earlier);
    // A pair that cannot be told apart is kept apart: a file grouped with
    // itself could be deleted as its own copy.
    if (!mine.known || !theirs.known) return true;
    return mine.volume == theirs.volume && mine.index == theirs.index;
}

bool Win32RunFiles::Fail(std::size_t file) {
    if (reportOpenFailure_) reportOpenFailure_(widepath::ToCp932(files_[first_ + file].path));
    return false;
}
