#include "review/CandidateList.h"

CCandidateList::~CCandidateList() { ReleaseLines(); }

int CCandidateList::AppendLine(int position, const std::string& text, COLORREF firstColour,
                               COLORREF secondColour, const FileInfo& file) {
    const int line = InsertString(position, text);
    if (line < 0) return line;
    auto record = std::make_unique<LineRecord>();
    record->display.reset(new LineDisplay{text, firstColour, secondColour});
    record->file = file;
    SetItemData(line, reinterpret_cast<LPARAM>(record.get()));
    // The line owns the record from here on.
    if (Record(line) == record.get()) record.release();
    return line;
}

void CCandidateList::SetLineGroup(int line, int group) {
    if (LineRecord* record = Record(line)) record->group = group;
}

int CCandidateList::LineGroup(int line) const {
    const LineRecord* record = Record(line);
    return record ? record->group : 0;
}

const LineRecord* CCandidateList::Line(int line) const { return Record(line); }

int CCandidateList::RemoveLine(int line) {
    delete DetachRecord(line);
    return DeleteString(line);
}

void CCandidateList::ReleaseLines() {
    if (!Handle()) return;
    const int count = Count();
    for (int line = 0; line < count; ++line) delete DetachRecord(line);
}

void CCandidateList::ClearLines() {
    ReleaseLines();
    ResetContent();
}

void CCandidateList::DrawItem(DRAWITEMSTRUCT& item) {
    const int count = Count();
    if (count <= 0 || item.itemID == static_cast<UINT>(-1)) return;
    const auto* record = reinterpret_cast<const LineRecord*>(item.itemData);
    if (!record || !record->display) return;  // a released line draws nothing
    const LineDisplay& display = *record->display;
    RECT rect = item.rcItem;

    auto paint = [&](COLORREF text, COLORREF background) {
        SetTextColor(item.hDC, text);
        SetBkColor(item.hDC, background);
        HBRUSH brush = CreateSolidBrush(background);
        FillRect(item.hDC, &rect, brush);
        DeleteObject(brush);
        DrawTextA(item.hDC, display.text.c_str(), static_cast<int>(display.text.size()), &rect,
                  DT_SINGLELINE | DT_VCENTER);
    };
    const COLORREF oldText = GetTextColor(item.hDC);
    const COLORREF oldBackground = GetBkColor(item.hDC);

    if (item.itemAction & ODA_DRAWENTIRE) paint(display.firstColour, display.secondColour);
    if (item.itemState & ODS_SELECTED) {
        if (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) paint(display.secondColour, display.firstColour);
    } else if (item.itemAction & ODA_SELECT) {
        paint(display.firstColour, display.secondColour);
    }

    SetTextColor(item.hDC, oldText);
    SetBkColor(item.hDC, oldBackground);
}

void CCandidateList::MeasureItem(MEASUREITEMSTRUCT& item) { item.itemHeight = 20; }

void CCandidateList::ReleaseLineData(LPARAM data) { delete reinterpret_cast<LineRecord*>(data); }

LineRecord* CCandidateList::Record(int line) const {
    const LPARAM data = ItemData(line);
    if (data == LB_ERR || data == 0) return nullptr;
    return reinterpret_cast<LineRecord*>(data);
}

LineRecord* CCandidateList::DetachRecord(int line) {
    LineRecord* record = Record(line);
    if (record) SetItemData(line, 0);
    return record;
}
