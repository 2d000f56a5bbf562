#pragma once
// The files that a search gathered, in the order found, each with its
// FileInfo record.
#include "engine/FileInfo.h"

#include <utility>
#include <vector>

class GatheredFileList {
public:
    GatheredFileList() = default;
    GatheredFileList(const GatheredFileList&) = delete;
    GatheredFileList& operator=(const GatheredFileList&) = delete;

    int Count() const { return static_cast<int>(records_.size()); }
    // The file's record, or none when there is no such file.
    const FileInfo* Record(int index) const;
    void Append(FileInfo record) { records_.push_back(std::move(record)); }
    // Hands every record over, in the order found; none is left here.
    std::vector<FileInfo> TakeAll();
    // Frees every record, with the room they took.
    void ReleaseAll() { TakeAll(); }

private:
    std::vector<FileInfo> records_;
};
