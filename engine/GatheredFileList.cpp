#include "engine/GatheredFileList.h"

const FileInfo* GatheredFileList::Record(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &records_[static_cast<std::size_t>(index)];
}

std::vector<FileInfo> GatheredFileList::TakeAll() {
    std::vector<FileInfo> taken;
    taken.swap(records_);
    return taken;
}
