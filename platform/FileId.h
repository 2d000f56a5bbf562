#pragma once
// Which file a name stands for: the serial of the volume that holds it and
// the file's index on that volume. Two names with one identity are one file.
#include <cstdint>
#include <optional>

struct FileId {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
};

inline bool operator==(const FileId& a, const FileId& b) { return a.volume == b.volume && a.index == b.index; }
inline bool operator!=(const FileId& a, const FileId& b) { return !(a == b); }

// A pair that cannot be told apart counts as one file: a file taken for
// another could be deleted as its own copy.
inline bool SameFile(const std::optional<FileId>& a, const std::optional<FileId>& b) { return !a || !b || *a == *b; }
