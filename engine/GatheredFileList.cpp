#include "engine/GatheredFileList.h"

#include "platform/WidePath.h"

const FileInfo* GatheredFileList::Record(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &records_[static_cast<std::size_t>(index)];
}

void GatheredFileList::ShowLast() {
    const int last = Count() - 1;
    if (last < 0 || last == shownIndex_) return;
    // One entry, replaced: the list never holds more than the eye reads.
    shown_.ResetContent();
    shown_.InsertString(-1, widepath::ToCp932(records_.back().path));
    shown_.SetCurSel(0);
    shownIndex_ = last;
}

std::vector<FileInfo> GatheredFileList::TakeAll() {
    std::vector<FileInfo> taken;
    taken.swap(records_);
    shownIndex_ = -1;
    return taken;
}

void GatheredFileList::ReleaseAll() {
    TakeAll();  // dropped at once, with the room the records took
    shown_.ResetContent();
}
