#pragma once
// What the collection records of every gathered file, and what the
// comparison adds for the files it puts in a group.
#include <cstdint>
#include <string>

struct FileInfo {
    std::uint64_t size = 0;          // length in bytes
    std::int64_t lastWriteTime = 0;  // seconds since 1970-01-01 00:00 UTC
    std::wstring path;               // the full path the file system holds
    // Which file the comparison read: the serial of its volume and its index
    // there. Known only for files of a group.
    bool identified = false;
    std::uint32_t volumeSerial = 0;
    std::uint64_t fileIndex = 0;
};
