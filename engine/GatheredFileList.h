#pragma once
// The files that a search gathered, in the order found, each with its
// FileInfo record. The records live here; the group list only shows one of
// them, the file found last, so that the user sees the walk advance.
#include "engine/FileInfo.h"
#include "platform/Window.h"

#include <utility>
#include <vector>

class GatheredFileList {
public:
    // `shown` is a control the owner keeps; it must outlive this object.
    explicit GatheredFileList(ComboBox& shown) : shown_(shown) {}
    GatheredFileList(const GatheredFileList&) = delete;
    GatheredFileList& operator=(const GatheredFileList&) = delete;

    int Count() const { return static_cast<int>(records_.size()); }
    // The file's record, or none when there is no such file.
    const FileInfo* Record(int index) const;
    void Append(FileInfo record) { records_.push_back(std::move(record)); }
    // The group list shows the file found last, as its only entry, selected.
    void ShowLast();
    // Hands every record over, in the order found; none is left here.
    std::vector<FileInfo> TakeAll();
    // Frees every record, with the room they took, and empties the group list.
    void ReleaseAll();

private:
    ComboBox& shown_;
    std::vector<FileInfo> records_;
    int shownIndex_ = -1;  // the record the group list shows, if any
};
