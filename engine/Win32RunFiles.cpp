#include "engine/Win32RunFiles.h"

#include "platform/WidePath.h"

#include <limits>
#include <utility>

namespace {
constexpr std::uint64_t UnknownPosition = std::numeric_limits<std::uint64_t>::max();
}  // namespace

Win32RunFiles::Win32RunFiles(const GatheredFileList& files, std::size_t first, std::size_t count,
                             std::uint64_t length, FailureReport reportOpenFailure)
    : files_(files),
      first_(first),
      length_(length),
      reportOpenFailure_(std::move(reportOpenFailure)),
      handles_(count),
      positions_(count, 0),
      indexes_(count, 0),
      identities_(count) {}

std::unique_ptr<WorkerRunFiles> Win32RunFiles::OpenRun(const GatheredFileList& files, std::size_t first,
                                                       std::size_t count, std::uint64_t length,
                                                       FailureReport reportOpenFailure) {
    return std::make_unique<Win32RunFiles>(files, first, count, length, std::move(reportOpenFailure));
}

bool Win32RunFiles::Open(std::size_t file) {
    DWORD error = 0;
    handles_[file] = OpenForReading(file, &error);
    if (!handles_[file].Valid()) {
        // Held without sharing, a file refuses to open under a second name
        // of its own: that name is the file taken already, not a failure.
        if (error == ERROR_SHARING_VIOLATION && IsNameOfOpenFile(file)) return false;
        return Fail(file);
    }
    positions_[file] = 0;
    std::uint64_t index = 0;
    // Without an identity a second name of the file could not be caught.
    if (!lookup_.IndexOf(handles_[file].Get(), index)) {
        Close(file);
        return Fail(file);
    }
    indexes_[file] = index;
    const auto earlier = filesByIndex_.equal_range(index);
    for (auto it = earlier.first; it != earlier.second; ++it) {
        const Likeness likeness = Compare(file, it->second);
        if (likeness == Likeness::Other) continue;
        Close(file);
        // A pair that cannot be told apart is kept apart: a file grouped
        // with itself could be deleted as its own copy.
        return likeness == Likeness::Same ? false : Fail(file);
    }
    filesByIndex_.emplace(index, file);
    return true;
}

bool Win32RunFiles::Reopen(std::size_t file) {
    // Not reported: the file was opened once already. Another file in its
    // place counts as a failed read.
    handles_[file] = OpenForReading(file, nullptr);
    if (!handles_[file].Valid()) return false;
    positions_[file] = 0;
    std::uint64_t index = 0;
    if (!lookup_.IndexOf(handles_[file].Get(), index) || index != indexes_[file]) {
        Close(file);
        return false;
    }
    return true;
}

std::int64_t Win32RunFiles::Read(std::size_t file, std::uint64_t offset, unsigned char* buffer,
                                 std::size_t size) {
    const HANDLE handle = handles_[file].Get();
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

void Win32RunFiles::Close(std::size_t file) { handles_[file].Reset(); }

UniqueFile Win32RunFiles::OpenForReading(std::size_t file, DWORD* error) const {
    UniqueFile handle(CreateFileW(NameOf(file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (error) *error = handle.Valid() ? 0 : GetLastError();
    return handle;
}

UniqueFile Win32RunFiles::Look(std::size_t file) const {
    return UniqueFile(CreateFileW(NameOf(file).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
}

std::wstring Win32RunFiles::PathOf(std::size_t file) const { return files_.Path(static_cast<int>(first_ + file)); }

std::wstring Win32RunFiles::NameOf(std::size_t file) const { return widepath::ForFileSystem(PathOf(file)); }

const std::optional<FileId>& Win32RunFiles::IdentityOfEarlier(std::size_t file) {
    std::optional<FileId>& identity = identities_[file];
    if (identity) return identity;
    if (handles_[file].Valid()) {
        identity = FileIdentities::ExactOf(handles_[file].Get());
        return identity;
    }
    // Closed already: it must still be the file opened before.
    const UniqueFile look = Look(file);
    if (!look.Valid()) return identity;
    identity = FileIdentities::ExactOf(look.Get());
    if (identity && identity->index != indexes_[file]) identity.reset();
    return identity;
}

Win32RunFiles::Likeness Win32RunFiles::Compare(std::size_t file, std::size_t earlier) {
    if (!identities_[file]) identities_[file] = FileIdentities::ExactOf(handles_[file].Get());
    const std::optional<FileId>& before = IdentityOfEarlier(earlier);
    if (!identities_[file] || !before) return Likeness::Unknown;
    return *identities_[file] == *before ? Likeness::Same : Likeness::Other;
}

bool Win32RunFiles::IsNameOfOpenFile(std::size_t file) {
    // A look takes no access, so the file's own open does not refuse it.
    const UniqueFile look = Look(file);
    std::uint64_t index = 0;
    if (!look.Valid() || !lookup_.IndexOf(look.Get(), index)) return false;
    const auto earlier = filesByIndex_.equal_range(index);
    if (earlier.first == earlier.second) return false;
    const std::optional<FileId> identity = FileIdentities::ExactOf(look.Get());
    if (!identity) return false;
    for (auto it = earlier.first; it != earlier.second; ++it) {
        const std::optional<FileId>& before = IdentityOfEarlier(it->second);
        if (before && *before == *identity) return true;
    }
    return false;
}

bool Win32RunFiles::Fail(std::size_t file) {
    if (reportOpenFailure_) reportOpenFailure_(widepath::ToCp932(PathOf(file)));
    return false;
}
