#include "review/LineRecords.h"

int LineRecords::Append(int position, const std::string& text, std::unique_ptr<LineRecord> record) const {
    const int line = list_.InsertString(position, text);
    if (line < 0) return line;
    list_.SetItemData(line, reinterpret_cast<LPARAM>(record.get()));
    // The line owns the record once it holds it.
    if (Read(line) == record.get()) record.release();
    return line;
}

LineRecord* LineRecords::Read(int line) const {
    const LPARAM data = list_.ItemData(line);
    if (data == LB_ERR || data == 0) return nullptr;
    return reinterpret_cast<LineRecord*>(data);
}

const LineRecord* LineRecords::FromData(ULONG_PTR data) { return reinterpret_cast<const LineRecord*>(data); }

void LineRecords::ReleaseAll() const {
    if (!list_.Handle()) return;
    const int count = list_.Count();
    for (int line = 0; line < count; ++line) {
        LineRecord* record = Read(line);
        if (!record) continue;
        list_.SetItemData(line, 0);
        delete record;
    }
}

void LineRecords::Free(LPARAM data) { delete reinterpret_cast<LineRecord*>(data); }
