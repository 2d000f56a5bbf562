#pragma once
// The group list while it holds the gathered files: one item per file, its
// text the path and its data a FileInfo record that the item owns. Records
// are made, read and freed here and nowhere else.
#include "engine/FileInfo.h"
#include "platform/Window.h"

#include <string>

class GatheredFileList {
public:
    explicit GatheredFileList(ComboBox list) : list_(list) {}

    ComboBox List() const { return list_; }
    int Count() const { return list_.Count(); }
    std::string Path(int item) const { return list_.ItemText(item); }
    // Appends the file after the last item; the item's index, or -1 when
    // the list refused it.
    int Append(const std::string& path, const FileInfo& record) const;
    // The item's record, or none.
    const FileInfo* Record(int item) const;
    // Frees every record and empties the list.
    void ReleaseAll() const;

private:
    ComboBox list_;
};
