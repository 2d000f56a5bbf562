#include "platform/CheckListBox.h"

#include "platform/Dpi.h"

#include <algorithm>
#include <vector>
#include <windowsx.h>

namespace {
// At 96 DPI.
const int BoxSize = 13;
const int BoxMargin = 3;
}  // namespace

CheckListBox::~CheckListBox() { Detach(); }

void CheckListBox::Attach(HWND control) {
    Detach();
    handle_ = control;
    if (!control) return;
    original_ = Subclass(control);
    // Lines that are already there keep their data.
    const int count = static_cast<int>(CallOriginal(LB_GETCOUNT, 0, 0));
    lines_.assign(static_cast<std::size_t>(count > 0 ? count : 0), LineState{});
    if (!NoData()) {
        for (int line = 0; line < count; ++line) {
            const LRESULT data = CallOriginal(LB_GETITEMDATA, static_cast<WPARAM>(line), 0);
            lines_[static_cast<std::size_t>(line)].data = data == LB_ERR ? 0 : data;
        }
    }
    // The dialog asked for the height before this object was reachable.
    dpi_ = dpi::Of(control);
    ApplyLineHeight();
}

void CheckListBox::SetDpi(int dpi) {
    if (dpi <= 0) return;
    dpi_ = dpi;
    if (!handle_) return;
    ApplyLineHeight();
    InvalidateRect(handle_, nullptr, TRUE);
}

void CheckListBox::ApplyLineHeight() {
    MEASUREITEMSTRUCT measure = {ODT_LISTBOX, static_cast<UINT>(ControlId()), 0, 0,
                                 static_cast<UINT>(dpi::Scale(18, dpi_)), 0};
    MeasureItem(measure);
    CallOriginal(LB_SETITEMHEIGHT, 0, MAKELPARAM(measure.itemHeight, 0));
}

void CheckListBox::Detach() {
    if (handle_ && original_ && IsWindow(handle_)) {
        // The control stays a plain list box holding the caller's data.
        if (!NoData()) {
            for (std::size_t line = 0; line < lines_.size(); ++line)
                CallOriginal(LB_SETITEMDATA, line, lines_[line].data);
        }
        Unsubclass(handle_, original_);
    }
    lines_.clear();
    original_ = nullptr;
    handle_ = nullptr;
}

LPARAM CheckListBox::LineData(int line) const {
    const LineState* state = State(line);
    return state ? state->data : 0;
}

int CheckListBox::AppendLines(const std::vector<LineState>& states) {
    const int first = Count();
    const int count = static_cast<int>(states.size());
    if (NoData()) {
        const LRESULT result = Send(LB_SETCOUNT, static_cast<WPARAM>(first) + static_cast<WPARAM>(count));
        if (result == LB_ERR || result == LB_ERRSPACE) return static_cast<int>(result);
    } else {
        for (int added = 0; added < count; ++added) {
            const int line = InsertString(-1, std::string());
            if (line >= 0) continue;
            while (added-- > 0) DeleteString(first + added);
            return line;
        }
    }
    for (int k = 0; k < count; ++k) {
        LineState* state = State(first + k);
        if (!state) break;
        *state = states[static_cast<std::size_t>(k)];
        if (!state->enabled) state->check = 0;
    }
    return first;
}

int CheckListBox::GetCheck(int line) const {
    LineState* state = State(line);
    return state ? state->check : 0;
}

void CheckListBox::SetCheck(int line, int check) const {
    if (LineState* state = State(line)) {
        state->check = state->enabled && check ? static_cast<std::uint8_t>(check) : 0;
        InvalidateLine(line);
    }
}

void CheckListBox::EnableLine(int line, bool enabled) const {
    if (LineState* state = State(line)) {
        state->enabled = enabled;
        if (!enabled) state->check = 0;
        InvalidateLine(line);
    }
}

bool CheckListBox::IsLineEnabled(int line) const {
    const LineState* state = State(line);
    return state && state->enabled;
}

bool CheckListBox::SetChecks(const std::vector<bool>& checks) const {
    bool changed = false;
    for (std::size_t line = 0; line < lines_.size() && line < checks.size(); ++line) {
        LineState& state = lines_[line];
        const std::uint8_t check = checks[line] && state.enabled ? 1 : 0;
        if (state.check == check) continue;
        state.check = check;
        changed = true;
    }
    if (changed) InvalidateRect(handle_, nullptr, FALSE);
    return changed;
}

int CheckListBox::BoxSide() const { return dpi::Scale(BoxSize, dpi_); }

int CheckListBox::BoxWidth() const { return BoxSide() + 2 * dpi::Scale(BoxMargin, dpi_); }

void CheckListBox::DrawItem(DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ExtTextOutA(item.hDC, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);
    std::string text = ItemText(static_cast<int>(item.itemID));
    DrawTextA(item.hDC, text.c_str(), -1, &item.rcItem, DT_SINGLELINE | DT_VCENTER);
}

void CheckListBox::MeasureItem(MEASUREITEMSTRUCT&) {}

void CheckListBox::OnDrawItem(DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    LineState* state = State(static_cast<int>(item.itemID));
    if (item.itemAction & ODA_DRAWENTIRE) {
        RECT box = item.rcItem;
        box.right = box.left + BoxWidth();
        FillRect(item.hDC, &box, GetSysColorBrush(COLOR_WINDOW));
        const int side = BoxSide();
        const int margin = dpi::Scale(BoxMargin, dpi_);
        const int top = box.top + (box.bottom - box.top - side) / 2;
        RECT mark = {box.left + margin, top, box.left + margin + side, top + side};
        UINT look = DFCS_BUTTONCHECK | DFCS_FLAT;
        if (state && state->check == 1) look |= DFCS_CHECKED;
        if (state && !state->enabled) look |= DFCS_INACTIVE;
        DrawFrameControl(item.hDC, &mark, DFC_BUTTON, look);
    }
    DRAWITEMSTRUCT text = item;
    text.rcItem.left += BoxWidth();
    text.itemData = state ? static_cast<ULONG_PTR>(state->data) : 0;
    DrawItem(text);
}

CheckListBox::LineState* CheckListBox::State(int line) const {
    if (line < 0 || static_cast<std::size_t>(line) >= lines_.size()) return nullptr;
    return &lines_[static_cast<std::size_t>(line)];
}

bool CheckListBox::NoData() const { return (GetWindowLongA(handle_, GWL_STYLE) & LBS_NODATA) != 0; }

void CheckListBox::ReleaseFrom(std::size_t first) {
    if (first >= lines_.size()) return;
    // Taken out first: a release may come back to the list.
    std::vector<LineState> gone(lines_.begin() + static_cast<std::ptrdiff_t>(first), lines_.end());
    lines_.resize(first);
    for (const LineState& state : gone)
        if (state.data) ReleaseLineData(state.data);
}

void CheckListBox::DropLineData() const {
    for (LineState& state : lines_) state.data = 0;
}

void CheckListBox::RemoveLines(const std::vector<int>& lines) {
    if (lines.empty()) return;
    if (!NoData()) {
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) DeleteString(*line);
        return;
    }
    // The lines that stay move up in one pass, and so do the selection, the
    // caret and the top line: the control only learns the new count.
    std::vector<int> selected;
    const LRESULT selectedCount = CallOriginal(LB_GETSELCOUNT, 0, 0);
    if (selectedCount > 0) {
        selected.resize(static_cast<std::size_t>(selectedCount));
        CallOriginal(LB_GETSELITEMS, static_cast<WPARAM>(selectedCount), reinterpret_cast<LPARAM>(selected.data()));
    }
    const int top = static_cast<int>(CallOriginal(LB_GETTOPINDEX, 0, 0));
    const int caret = static_cast<int>(CallOriginal(LB_GETCARETINDEX, 0, 0));
    // Where every old line went, or -1 for a removed one.
    std::vector<int> movedTo(lines_.size(), -1);
    std::vector<LPARAM> released;
    std::size_t kept = 0, next = 0;
    for (std::size_t at = 0; at < lines_.size(); ++at) {
        const bool removed = next < lines.size() && static_cast<std::size_t>(lines[next]) == at;
        while (next < lines.size() && static_cast<std::size_t>(lines[next]) <= at) ++next;
        if (removed) {
            if (lines_[at].data) released.push_back(lines_[at].data);
            continue;
        }
        movedTo[at] = static_cast<int>(kept);
        lines_[kept++] = lines_[at];
    }
    lines_.resize(kept);
    // The nearest line that stays at or after an old position, else the last.
    auto follow = [&](int line) {
        for (std::size_t at = static_cast<std::size_t>(line < 0 ? 0 : line); at < movedTo.size(); ++at)
            if (movedTo[at] >= 0) return movedTo[at];
        return static_cast<int>(kept) - 1;
    };
    CallOriginal(LB_SETCOUNT, kept, 0);
    if (selectedCount != LB_ERR) CallOriginal(LB_SETSEL, FALSE, -1);
    for (int line : selected)
        if (static_cast<std::size_t>(line) < movedTo.size() && movedTo[static_cast<std::size_t>(line)] >= 0)
            CallOriginal(LB_SETSEL, TRUE, movedTo[static_cast<std::size_t>(line)]);
    if (kept > 0) {
        if (caret >= 0) CallOriginal(LB_SETCARETINDEX, static_cast<WPARAM>(follow(caret)), FALSE);
        CallOriginal(LB_SETTOPINDEX, static_cast<WPARAM>(follow(top)), 0);
    }
    for (LPARAM data : released) ReleaseLineData(data);
}

LRESULT CheckListBox::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!original_) return SendMessageA(handle_, message, wParam, lParam);
    return CallWindowProcA(original_, handle_, message, wParam, lParam);
}

int CheckListBox::LineAt(int x, int y) const {
    // Lines have one height, so the line under the point follows from the
    // top line (LB_ITEMFROMPOINT gives only 16 bits of the index).
    const int top = static_cast<int>(CallOriginal(LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(CallOriginal(LB_GETITEMHEIGHT, 0, 0));
    RECT client;
    GetClientRect(handle_, &client);
    if (y < 0 || x < 0 || x >= client.right || y >= client.bottom || height <= 0) return -1;
    const int line = top + y / height;
    return line < static_cast<int>(CallOriginal(LB_GETCOUNT, 0, 0)) ? line : -1;
}

int CheckListBox::BoxAt(int x, int y) const {
    const int line = LineAt(x, y);
    RECT rect;
    if (line < 0 ||
        CallOriginal(LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
        return -1;
    // The box starts at the line's left edge, which moves when the list is
    // scrolled sideways.
    const bool inBox = x >= rect.left && x < rect.left + BoxWidth() && y >= rect.top && y < rect.bottom;
    return inBox ? line : -1;
}

void CheckListBox::Toggle(int line) const {
    if (LineState* state = State(line); state && state->enabled) SetCheck(line, state->check ? 0 : 1);
}

void CheckListBox::ToggleSelected() const {
    const int selected = static_cast<int>(CallOriginal(LB_GETSELCOUNT, 0, 0));
    std::vector<int> lines;
    if (selected == LB_ERR) {  // a single-selection list
        int line = CurSel();
        if (line >= 0) lines.push_back(line);
    } else if (selected > 0) {
        lines.resize(static_cast<size_t>(selected));
        CallOriginal(LB_GETSELITEMS, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(lines.data()));
    }
    // Disabled lines keep their box as it is.
    lines.erase(std::remove_if(lines.begin(), lines.end(), [this](int line) { return !IsLineEnabled(line); }),
                lines.end());
    if (lines.empty()) return;
    // All selected lines take the opposite of the line with the caret.
    int caret = static_cast<int>(CallOriginal(LB_GETCARETINDEX, 0, 0));
    int model = lines.front();
    for (int line : lines) if (line == caret) model = line;
    const int check = GetCheck(model) ? 0 : 1;
    for (int line : lines) SetCheck(line, check);
}

void CheckListBox::NotifyChecksChanged() const {
    SendMessageA(GetParent(handle_), WM_COMMAND, MAKEWPARAM(ControlId(), ChecksChanged),
                 reinterpret_cast<LPARAM>(handle_));
}

void CheckListBox::InvalidateLine(int line) const {
    // A line out of view is drawn anew when it scrolls in; asking for it
    // costs a round trip to the window server under Wine all the same.
    RECT rect, client, visible;
    if (CallOriginal(LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&rect)) == LB_ERR) return;
    GetClientRect(handle_, &client);
    if (IntersectRect(&visible, &rect, &client)) InvalidateRect(handle_, &visible, FALSE);
}

LRESULT CheckListBox::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    return barrier_.Run<LRESULT>(0, [&] { return HandleMessage(message, wParam, lParam); });
}

LRESULT CheckListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const LRESULT line = CallOriginal(message, wParam, lParam);
        if (line < 0 || static_cast<std::size_t>(line) > lines_.size()) return line;
        LineState state;
        // A list without strings or no-data takes the data in the message.
        const LONG style = GetWindowLongA(handle_, GWL_STYLE);
        if (!(style & (LBS_HASSTRINGS | LBS_NODATA))) state.data = lParam;
        lines_.insert(lines_.begin() + line, state);
        return line;
    }
    case LB_DELETESTRING: {
        const LRESULT result = CallOriginal(message, wParam, lParam);
        if (result != LB_ERR && wParam < lines_.size()) {
            const LPARAM data = lines_[wParam].data;
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(wParam));
            if (data) ReleaseLineData(data);
        }
        return result;
    }
    case LB_RESETCONTENT:
        ReleaseFrom(0);
        return CallOriginal(message, wParam, lParam);
    case LB_SETCOUNT: {
        const LRESULT result = CallOriginal(message, wParam, lParam);
        if (result == LB_ERR || result == LB_ERRSPACE) return result;
        if (wParam < lines_.size()) ReleaseFrom(wParam);
        else lines_.resize(wParam);
        return result;
    }
    case LB_GETITEMDATA: {
        const LineState* state = State(static_cast<int>(wParam));
        return state ? state->data : LB_ERR;
    }
    case LB_SETITEMDATA: {
        LineState* state = State(static_cast<int>(wParam));
        if (!state) return LB_ERR;
        state->data = lParam;
        return 0;
    }
    case WM_DESTROY:
        ReleaseFrom(0);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int line = BoxAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (line >= 0) {
            SetFocus(handle_);
            Toggle(line);
            NotifyChecksChanged();
            return 0;
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            ToggleSelected();
            NotifyChecksChanged();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == ' ') return 0;
        break;
    case WM_NCDESTROY: {
        LRESULT result = CallOriginal(message, wParam, lParam);
        Detach();
        return result;
    }
    default:
        break;
    }
    return CallOriginal(message, wParam, lParam);
}
