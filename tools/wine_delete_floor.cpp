// The deletion benchmark's floor under Wine: the file-system calls that
// Vellaro's deletion makes, in a bare loop. For each ticked file, from the
// last to the first: opens it (deletion access, no write sharing) and its
// kept copy (reading), asks both for their times, length and index, the
// volume serial and resolved name once per folder, the ticked file's
// resolved name, reads both through and compares them, and deletes the
// ticked file through its handle, or moves it with the shell into the
// Recycle Bin, 64 files per call, while both stay open.
//   wine_delete_floor.exe PAIRS good|recycle [--sync]
// PAIRS holds a ticked path and its kept copy's path per line, in cp932,
// separated by a tab. Prints "key value" lines: files, deleted and total_ms.
// With --sync it prints "ready" and "done" around the work and waits for a
// line after each, so that a caller can sample the process around it.
#include "SyncPoint.h"
#include "common/core/Cp932Text.h"

#include <windows.h>
#include <shellapi.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr DWORD BlockSize = 80000;
constexpr std::size_t BatchSize = 64;

using QueryInformation = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, FILE_INFORMATION_CLASS);
using QueryObject = NTSTATUS(NTAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);

struct Pair {
    std::string ticked;
    std::string kept;
};

class Floor {
public:
    explicit Floor(bool recycle) : recycle_(recycle) {
        const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        query_ = reinterpret_cast<QueryInformation>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationFile")));
        queryObject_ = reinterpret_cast<QueryObject>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryObject")));
        buffers_.resize(2 * BlockSize);
    }

    void Delete(const Pair& pair) {
        const HANDLE ticked = CreateFileA(pair.ticked.c_str(), GENERIC_READ | DELETE, recycle_ ? FILE_SHARE_DELETE : 0,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN,
                                          nullptr);
        if (ticked == INVALID_HANDLE_VALUE) return;
        Describe(ticked, pair.ticked);
        const std::wstring resolvedFolder = ResolvedFolder(pair.ticked);
        ResolvedName(ticked);
        const HANDLE kept = CreateFileA(pair.kept.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (kept == INVALID_HANDLE_VALUE) {
            CloseHandle(ticked);
            return;
        }
        Describe(kept, pair.kept);
        if (!SameBytes(ticked, kept)) {
            CloseHandle(kept);
            CloseHandle(ticked);
            return;
        }
        if (recycle_) {
            batch_.push_back({pair.ticked, ticked, kept});
            if (batch_.size() >= BatchSize) MoveBatch();
            return;
        }
        FILE_DISPOSITION_INFO disposition = {TRUE};
        SetFileInformationByHandle(ticked, FileDispositionInfo, &disposition, sizeof disposition);
        CloseHandle(ticked);
        if (GetFileAttributesA(pair.ticked.c_str()) == INVALID_FILE_ATTRIBUTES) ++deleted_;
        CloseHandle(kept);
    }

    void MoveBatch() {
        if (batch_.empty()) return;
        std::string names;
        for (const Held& held : batch_) {
            names += held.path;
            names.push_back('\0');
        }
        names.push_back('\0');
        SHFILEOPSTRUCTA operation = {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = names.c_str();
        operation.fFlags = FOF_SIMPLEPROGRESS | FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_WANTNUKEWARNING;
        SHFileOperationA(&operation);
        for (const Held& held : batch_) {
            if (GetFileAttributesA(held.path.c_str()) == INVALID_FILE_ATTRIBUTES) ++deleted_;
            CloseHandle(held.file);
            CloseHandle(held.kept);
        }
        batch_.clear();
    }

    int Deleted() const { return deleted_; }

private:
    struct Held {
        std::string path;
        HANDLE file;
        HANDLE kept;
    };

    void Describe(HANDLE file, const std::string& path) {
        FILE_BASIC_INFO basic;
        LARGE_INTEGER length;
        GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic);
        GetFileSizeEx(file, &length);
        IO_STATUS_BLOCK status;
        LARGE_INTEGER index;
        query_(file, &status, &index, sizeof index, FileInternalInformation);
        const std::string folder = cp932::FolderOf(path);
        if (serials_.count(folder)) return;
        char root[MAX_PATH + 1] = {};
        GetVolumePathNameA(folder.c_str(), root, sizeof root);
        if (!volumes_.count(root)) {
            DWORD serial = 0;
            GetVolumeInformationA(root, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0);
            volumes_[root] = serial;
        }
        serials_[folder] = volumes_[root];
    }

    std::wstring ResolvedFolder(const std::string& path) {
        const std::string folder = cp932::FolderOf(path);
        auto found = folders_.find(folder);
        if (found != folders_.end()) return found->second;
        const HANDLE handle = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        std::wstring name = ResolvedName(handle);
        CloseHandle(handle);
        return folders_[folder] = name;
    }

    // The name the system resolved for the open file, as Vellaro asks it.
    std::wstring ResolvedName(HANDLE file) {
        std::vector<unsigned char> buffer(sizeof(UNICODE_STRING) + 2 * (MAX_PATH + 1));
        ULONG needed = 0;
        if (queryObject_(file, ObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) < 0)
            return std::wstring();
        const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
        return std::wstring(name->Buffer, name->Length / sizeof(wchar_t));
    }

    bool SameBytes(HANDLE a, HANDLE b) {
        LARGE_INTEGER start = {};
        SetFilePointerEx(a, start, nullptr, FILE_BEGIN);
        SetFilePointerEx(b, start, nullptr, FILE_BEGIN);
        for (;;) {
            DWORD gotA = 0, gotB = 0;
            if (!ReadFile(a, buffers_.data(), BlockSize, &gotA, nullptr) ||
                !ReadFile(b, buffers_.data() + BlockSize, BlockSize, &gotB, nullptr))
                return false;
            if (gotA != gotB || std::memcmp(buffers_.data(), buffers_.data() + BlockSize, gotA) != 0) return false;
            if (gotA == 0) return true;
        }
    }

    bool recycle_;
    QueryInformation query_ = nullptr;
    QueryObject queryObject_ = nullptr;
    std::vector<unsigned char> buffers_;
    std::map<std::string, DWORD> serials_;
    std::map<std::string, DWORD> volumes_;
    std::map<std::string, std::wstring> folders_;
    std::vector<Held> batch_;
    int deleted_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: wine_delete_floor.exe PAIRS good|recycle [--sync]\n");
        return 1;
    }
    std::vector<Pair> pairs;
    std::ifstream in(argv[1], std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) pairs.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    const bool recycle = std::strcmp(argv[2], "recycle") == 0;
    const bool sync = argc > 3 && std::strcmp(argv[3], "--sync") == 0;
    if (sync) WaitForGo("ready");

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    Floor floor(recycle);
    for (auto pair = pairs.rbegin(); pair != pairs.rend(); ++pair) floor.Delete(*pair);
    floor.MoveBatch();
    QueryPerformanceCounter(&end);

    std::printf("files %u\ndeleted %d\ntotal_ms %.1f\n", unsigned(pairs.size()), floor.Deleted(),
                1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    std::fflush(stdout);
    if (sync) WaitForGo("done");
    return 0;
}
