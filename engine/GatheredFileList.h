#pragma once
// The files that a search gathered, in the order found (or, once ordered,
// in comparison order), stored compactly; a file's FileInfo record, with its
// full path, is made when it is asked for.
#include "engine/FileInfo.h"
#include "engine/core/FileTable.h"

#include <optional>

class GatheredFileList : public engine::FileTable {
public:
    // The file's record, or none when there is no such file.
    std::optional<FileInfo> Record(int index) const;
    // Appends a file by its full path, which its last backslash cuts into
    // folder and name; each call keeps a folder of its own.
    void AppendPath(const std::wstring& path, std::uint64_t size, std::int64_t lastWriteTime);
};
