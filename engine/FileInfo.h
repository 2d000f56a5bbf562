#pragma once
// What the collection records of every gathered file.
#include <cstdint>

struct FileInfo {
    std::uint64_t size = 0;          // length in bytes
    std::int64_t lastWriteTime = 0;  // seconds since 1970-01-01 00:00 UTC
};
