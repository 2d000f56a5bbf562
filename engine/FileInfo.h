#pragma once
// What the collection records of every gathered file, and what the
// comparison adds for the files it puts in a group.
#include "platform/FileId.h"

#include <cstdint>
#include <optional>
#include <string>

struct FileInfo {
    std::uint64_t size = 0;          // length in bytes
    std::int64_t lastWriteTime = 0;  // seconds since 1970-01-01 00:00 UTC
    std::wstring path;               // the full path the file system holds
    // Which file the comparison read. Known only for files of a group.
    std::optional<FileId> id = std::nullopt;
};
