// The benchmark's floor under Wine: the least work any duplicate finder has
// to do on a tree. Walks the folder with FindFirstFileA, groups the files by
// length, and opens and reads once, in 80000-byte blocks, every file that
// shares its length with another.
//   wine_floor.exe <folder> [--sync]
// Prints "key value" lines: files, same_length_files, bytes_read and the
// milliseconds of the walk, of the reads and of both. With --sync it prints
// "ready" and waits for a line on its input before the work, and prints
// "done" and waits for another line before it ends, so that a caller can
// sample the process around the work alone.
#include "SyncPoint.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr DWORD BlockSize = 80000;

struct FoundFile {
    std::string path;
    std::uint64_t length;
};

// Handles owned by a unique_ptr: a failed open gives no owner at all.
HANDLE Opened(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

void Walk(const std::string& folder, std::vector<FoundFile>& files) {
    WIN32_FIND_DATAA entry;
    const std::unique_ptr<void, decltype(&FindClose)> find(
        Opened(FindFirstFileA((folder + "\\*").c_str(), &entry)), FindClose);
    if (!find) return;
    do {
        if (std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0) continue;
        const std::string path = folder + "\\" + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            Walk(path, files);
        } else {
            files.push_back({path, (std::uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow});
        }
    } while (FindNextFileA(find.get(), &entry));
}

// Reads the whole file; returns the bytes read.
std::uint64_t ReadWhole(const std::string& path, std::vector<char>& buffer) {
    const std::unique_ptr<void, decltype(&CloseHandle)> file(
        Opened(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)),
        CloseHandle);
    if (!file) {
        std::fprintf(stderr, "wine_floor: cannot open %s\n", path.c_str());
        return 0;
    }
    std::uint64_t total = 0;
    DWORD count = 0;
    while (ReadFile(file.get(), buffer.data(), BlockSize, &count, nullptr) && count > 0) total += count;
    return total;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wine_floor.exe <folder> [--sync]\n");
        return 1;
    }
    std::string folder = argv[1];
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    const bool sync = argc > 2 && std::strcmp(argv[2], "--sync") == 0;
    if (sync) WaitForGo("ready");

    LARGE_INTEGER start, walked, read;
    QueryPerformanceCounter(&start);
    std::vector<FoundFile> files;
    Walk(folder, files);
    QueryPerformanceCounter(&walked);

    std::vector<std::uint64_t> lengths;
    lengths.reserve(files.size());
    for (const FoundFile& file : files) lengths.push_back(file.length);
    std::sort(lengths.begin(), lengths.end());
    std::vector<char> buffer(BlockSize);
    std::uint64_t bytesRead = 0;
    std::size_t sameLength = 0;
    for (const FoundFile& file : files) {
        const auto equal = std::equal_range(lengths.begin(), lengths.end(), file.length);
        if (equal.second - equal.first < 2) continue;
        ++sameLength;
        bytesRead += ReadWhole(file.path, buffer);
    }
    QueryPerformanceCounter(&read);

    std::printf("files %u\nsame_length_files %u\nbytes_read %llu\n", unsigned(files.size()),
                unsigned(sameLength), static_cast<unsigned long long>(bytesRead));
    std::printf("walk_ms %.1f\nread_ms %.1f\ntotal_ms %.1f\n", Milliseconds(start, walked),
                Milliseconds(walked, read), Milliseconds(start, read));
    std::fflush(stdout);
    if (sync) WaitForGo("done");
    return 0;
}
