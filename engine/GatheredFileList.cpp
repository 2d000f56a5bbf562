#include "engine/GatheredFileList.h"

#include <memory>

int GatheredFileList::Append(const std::string& path, const FileInfo& record) const {
    // Index -1 appends: a sorted list must not reorder the files.
    const int item = list_.InsertString(-1, path);
    if (item < 0) return item;
    auto owned = std::make_unique<FileInfo>(record);
    // From here on the item owns the record.
    if (list_.Send(CB_SETITEMDATA, item, reinterpret_cast<LPARAM>(owned.get())) != CB_ERR) owned.release();
    return item;
}

const FileInfo* GatheredFileList::Record(int item) const {
    const LRESULT data = list_.ItemData(item);
    if (data == 0 || data == CB_ERR) return nullptr;
    return reinterpret_cast<const FileInfo*>(data);
}

void GatheredFileList::ReleaseAll() const {
    for (int i = 0; i < list_.Count(); ++i) delete Record(i);
    list_.ResetContent();
}
