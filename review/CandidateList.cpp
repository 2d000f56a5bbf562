#include "review/CandidateList.h"

#include "platform/DeviceContext.h"
#include "platform/Dpi.h"
#include "platform/LocalClock.h"
#include "review/core/ReviewTexts.h"

#include <utility>

namespace {
// At 96 DPI.
const int ColumnGap = 12;    // after the size and after the time
const int LineHeight = 20;   // at the least
const int TextPadding = 8;   // above and below the text together
const char ProtectedMark[] = "[保護] ";
}  // namespace

CCandidateList::~CCandidateList() { ReleaseLines(); }

int CCandidateList::AppendLine(const FileInfo& file, COLORREF firstColour, COLORREF secondColour, int group) {
    const int record = records_.Add(file, LineDisplay{firstColour, secondColour}, group);
    const int line = InsertString(-1, std::string());
    if (line < 0) return line;
    SetItemData(line, record + 1);
    NoteRecordOfGroup(record, group);
    return line;
}

int CCandidateList::AppendLines(const std::vector<NewLine>& lines) {
    // The records first, as for a single line: running out of memory on
    // them leaves no line without its record.
    std::vector<LineState> states;
    states.reserve(lines.size());
    for (const NewLine& line : lines) {
        const int record = records_.Add(line.file, LineDisplay{line.firstColour, line.secondColour}, line.group);
        if (line.protectedCopy) records_.Protect(record);
        states.push_back({record + 1, static_cast<std::uint8_t>(line.ticked ? 1 : 0), !line.protectedCopy});
    }
    const int first = CheckListBox::AppendLines(states);
    if (first < 0) return first;
    for (std::size_t k = 0; k < lines.size(); ++k) NoteRecordOfGroup(RecordOfData(states[k].data), lines[k].group);
    return first;
}

void CCandidateList::NoteRecordOfGroup(int record, int group) {
    if (group < 0) return;
    const auto slot = static_cast<std::size_t>(group);
    if (slot >= groupReferences_.size()) groupReferences_.resize(slot + 1, -1);
    if (groupReferences_[slot] < 0) groupReferences_[slot] = record;
}

int CCandidateList::RecordOfData(LPARAM data) const {
    return data <= 0 || data > records_.Count() ? -1 : static_cast<int>(data) - 1;
}

int CCandidateList::LineGroup(int line) const {
    const int record = RecordOf(line);
    return record < 0 ? -1 : records_.Group(record);
}

std::optional<LineRecord> CCandidateList::Line(int line) const {
    const int record = RecordOf(line);
    if (record < 0) return std::nullopt;
    return records_.Read(record);
}

std::string CCandidateList::LineText(int line) const {
    const int record = RecordOf(line);
    return record < 0 ? std::string() : records_.Text(record);
}

std::string CCandidateList::GroupText(int group) const {
    if (group < 0 || static_cast<std::size_t>(group) >= groupReferences_.size()) return std::string();
    const int record = groupReferences_[static_cast<std::size_t>(group)];
    return record < 0 || record >= records_.Count() ? std::string() : records_.Text(record);
}

int CCandidateList::RemoveLine(int line) { return DeleteString(line); }

void CCandidateList::RemoveLines(const std::vector<int>& lines) {
    if (lines.empty()) return;
    // Held back, the list is not drawn again after every line.
    Send(WM_SETREDRAW, FALSE);
    CheckListBox::RemoveLines(lines);
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

int CCandidateList::GroupCount() const {
    // A group's lines stand together.
    int groups = 0;
    int last = -1;
    const int count = Count();
    for (int line = 0; line < count; ++line) {
        const int record = RecordOf(line);
        if (record < 0 || records_.Group(record) == last) continue;
        last = records_.Group(record);
        ++groups;
    }
    return groups;
}

CCandidateList::Total CCandidateList::Ticked() const {
    Total total;
    const int count = Count();
    for (int line = 0; line < count; ++line) {
        if (GetCheck(line) != 1) continue;
        ++total.files;
        if (const int record = RecordOf(line); record >= 0) total.bytes += records_.Size(record);
    }
    return total;
}

CCandidateList::Survey CCandidateList::SurveyLines(MessagePump& pump, const std::function<bool()>& stop) const {
    Survey survey;
    const WindowDC context(Handle());
    const SelectedObject font(context.Get(), reinterpret_cast<HFONT>(Send(WM_GETFONT)));
    int lastGroup = -1;
    pump.LookNextTime();
    // The count is asked again at every line: a handed-over message may
    // have changed the list.
    for (int line = 0; line < Count(); ++line) {
        pump.PumpOne();
        if (stop()) break;
        const int record = RecordOf(line);
        if (record < 0) continue;  // released: the window is closing
        // A group's lines stand together.
        if (records_.Group(record) != lastGroup) {
            lastGroup = records_.Group(record);
            ++survey.groups;
        }
        if (GetCheck(line) == 1) {
            ++survey.ticked.files;
            survey.ticked.bytes += records_.Size(record);
        }
        const std::string text = records_.Text(record);
        SIZE size = {};
        GetTextExtentPoint32A(context.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        if (size.cx > survey.widestText) survey.widestText = static_cast<int>(size.cx);
    }
    return survey;
}

void CCandidateList::ReleaseLines() {
    // The lines' numbers would otherwise name the records of later lines.
    DropLineData();
    records_.Clear();
    groupReferences_.clear();
    groupReferences_.shrink_to_fit();
}

void CCandidateList::ClearLines() {
    ReleaseLines();
    ResetContent();
}

void CCandidateList::FitHorizontalExtent(int widestText) {
    const WindowDC context(Handle());
    const SelectedObject font(context.Get(), reinterpret_cast<HFONT>(Send(WM_GETFONT)));
    const Columns columns = ColumnsIn(context.Get(), Dpi());
    SIZE mark = {};
    GetTextExtentPoint32A(context.Get(), ProtectedMark, lstrlenA(ProtectedMark), &mark);
    SetHorizontalExtent(widestText + BoxWidth() + columns.size + columns.time + mark.cx);
}

CCandidateList::Columns CCandidateList::ColumnsIn(HDC context, int dpi) {
    // The widest texts each column can show.
    const int gap = dpi::Scale(ColumnGap, dpi);
    auto width = [context, gap](const char* widest) {
        SIZE size = {};
        GetTextExtentPoint32A(context, widest, lstrlenA(widest), &size);
        return static_cast<int>(size.cx) + gap;
    };
    return {width("10,240 KB"), width("0000/00/00 00:00")};
}

void CCandidateList::DrawItem(DRAWITEMSTRUCT& item) {
    const int count = Count();
    if (count <= 0 || item.itemID == static_cast<UINT>(-1)) return;
    const int record = RecordOfData(static_cast<LPARAM>(item.itemData));
    if (record < 0) return;  // a released line draws nothing
    const LineDisplay display = records_.Display(record);
    const std::string path =
        (records_.Protected(record) ? ProtectedMark : "") + records_.Text(record);
    const std::string size = reviewtext::Size(records_.Size(record));
    CivilTime local;
    clock_.ToLocal(records_.LastWriteTime(record), local);
    const std::string time = reviewtext::LineTime(local);
    const RECT rect = item.rcItem;
    // The size and the time stand in columns before the path, where a long
    // path cannot push them out of sight.
    const Columns columns = ColumnsIn(item.hDC, Dpi());
    RECT sizeRect = rect, timeRect = rect, pathRect = rect;
    sizeRect.right = rect.left + columns.size - dpi::Scale(ColumnGap, Dpi());
    timeRect.left = rect.left + columns.size;
    pathRect.left = timeRect.left + columns.time;

    auto paint = [&](COLORREF text, COLORREF background) {
        SetTextColor(item.hDC, text);
        SetBkColor(item.hDC, background);
        const OwnedGdiObject<HBRUSH> brush(CreateSolidBrush(background));
        FillRect(item.hDC, &rect, brush.Get());
        DrawTextA(item.hDC, size.c_str(), static_cast<int>(size.size()), &sizeRect,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        DrawTextA(item.hDC, time.c_str(), static_cast<int>(time.size()), &timeRect, DT_SINGLELINE | DT_VCENTER);
        DrawTextA(item.hDC, path.c_str(), static_cast<int>(path.size()), &pathRect, DT_SINGLELINE | DT_VCENTER);
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

void CCandidateList::MeasureItem(MEASUREITEMSTRUCT& item) {
    // The text with some room above and below, and never less than the
    // plain line scaled: a larger font or DPI makes taller lines.
    int textHeight = 0;
    if (Handle()) {
        const WindowDC context(Handle());
        const SelectedObject font(context.Get(), reinterpret_cast<HFONT>(Send(WM_GETFONT)));
        TEXTMETRICA metrics = {};
        if (GetTextMetricsA(context.Get(), &metrics)) textHeight = metrics.tmHeight;
    }
    const int height = textHeight + dpi::Scale(TextPadding, Dpi());
    const int least = dpi::Scale(LineHeight, Dpi());
    item.itemHeight = static_cast<UINT>(height > least ? height : least);
}
