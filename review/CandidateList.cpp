#include "review/CandidateList.h"

#include <utility>

CCandidateList::~CCandidateList() { ReleaseLines(); }

int CCandidateList::AppendLine(int position, const std::string& text, COLORREF firstColour,
                               COLORREF secondColour, FileInfo file) {
    auto record = std::make_unique<LineRecord>();
    record->display.reset(new LineDisplay{firstColour, secondColour});
    record->file = std::move(file);
    return records_.Append(position, text, std::move(record));
}

void CCandidateList::SetLineGroup(int line, int group) {
    if (LineRecord* record = records_.Read(line)) record->group = group;
}

int CCandidateList::LineGroup(int line) const {
    const LineRecord* record = records_.Read(line);
    return record ? record->group : 0;
}

// The control hands the record of a deleted line to ReleaseLineData.
int CCandidateList::RemoveLine(int line) { return DeleteString(line); }

void CCandidateList::RemoveLines(const std::vector<int>& lines) {
    if (lines.empty()) return;
    // Held back, the list is not drawn again after every line.
    Send(WM_SETREDRAW, FALSE);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) DeleteString(*line);
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

int CCandidateList::GroupCount() const {
    // A group's lines stand together.
    int groups = 0;
    int last = -1;
    const int count = Count();
    for (int line = 0; line < count; ++line) {
        const LineRecord* record = records_.Read(line);
        if (!record || record->group == last) continue;
        last = record->group;
        ++groups;
    }
    return groups;
}

void CCandidateList::ReleaseLines() { records_.ReleaseAll(); }

void CCandidateList::ClearLines() {
    ReleaseLines();
    ResetContent();
}

void CCandidateList::FitHorizontalExtent(const CCommonTools& tools) {
    tools.FitHorizontalExtent(*this);
    SetHorizontalExtent(HorizontalExtent() + BoxWidth());
}

void CCandidateList::DrawItem(DRAWITEMSTRUCT& item) {
    const int count = Count();
    if (count <= 0 || item.itemID == static_cast<UINT>(-1)) return;
    const LineRecord* record = LineRecords::FromData(item.itemData);
    if (!record || !record->display) return;  // a released line draws nothing
    const LineDisplay& display = *record->display;
    const std::string path = ItemText(static_cast<int>(item.itemID));
    RECT rect = item.rcItem;

    auto paint = [&](COLORREF text, COLORREF background) {
        SetTextColor(item.hDC, text);
        SetBkColor(item.hDC, background);
        HBRUSH brush = CreateSolidBrush(background);
        FillRect(item.hDC, &rect, brush);
        DeleteObject(brush);
        DrawTextA(item.hDC, path.c_str(), static_cast<int>(path.size()), &rect, DT_SINGLELINE | DT_VCENTER);
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

void CCandidateList::ReleaseLineData(LPARAM data) { LineRecords::Free(data); }
