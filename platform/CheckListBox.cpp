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
    // Lines that are already there get their record around their data.
    const int count = static_cast<int>(CallOriginal(LB_GETCOUNT, 0, 0));
    for (int line = 0; line < count; ++line) {
        auto* state = new LineState;
        state->data = CallOriginal(LB_GETITEMDATA, static_cast<WPARAM>(line), 0);
        CallOriginal(LB_SETITEMDATA, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(state));
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
        const int count = static_cast<int>(CallOriginal(LB_GETCOUNT, 0, 0));
        for (int line = 0; line < count; ++line) {
            if (LineState* state = State(line)) {
                CallOriginal(LB_SETITEMDATA, static_cast<WPARAM>(line), state->data);
                delete state;
            }
        }
        Unsubclass(handle_, original_);
    }
    original_ = nullptr;
    handle_ = nullptr;
}

int CheckListBox::GetCheck(int line) const {
    LineState* state = State(line);
    return state ? state->check : 0;
}

void CheckListBox::SetCheck(int line, int check) const {
    if (LineState* state = State(line)) {
        state->check = state->enabled ? check : 0;
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
    const int count = static_cast<int>(CallOriginal(LB_GETCOUNT, 0, 0));
    bool changed = false;
    for (int line = 0; line < count && static_cast<std::size_t>(line) < checks.size(); ++line) {
        LineState* state = State(line);
        if (!state) continue;
        const int check = checks[static_cast<std::size_t>(line)] && state->enabled ? 1 : 0;
        if (state->check == check) continue;
        state->check = check;
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

void CheckListBox::OnDeleteItem(DELETEITEMSTRUCT& item) {
    auto* state = reinterpret_cast<LineState*>(item.itemData);
    if (state && state->data) ReleaseLineData(state->data);
    delete state;
    item.itemData = 0;
}

CheckListBox::LineState* CheckListBox::State(int line) const {
    LRESULT data = CallOriginal(LB_GETITEMDATA, static_cast<WPARAM>(line), 0);
    if (data == LB_ERR || data == 0) return nullptr;
    return reinterpret_cast<LineState*>(data);
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
        LRESULT line = CallOriginal(message, wParam, lParam);
        if (line >= 0) CallOriginal(LB_SETITEMDATA, static_cast<WPARAM>(line),
                                    reinterpret_cast<LPARAM>(new LineState));
        return line;
    }
    case LB_GETITEMDATA: {
        const LRESULT data = CallOriginal(message, wParam, lParam);
        if (data == LB_ERR || data == 0) return data;
        return reinterpret_cast<LineState*>(data)->data;
    }
    case LB_SETITEMDATA: {
        LineState* state = State(static_cast<int>(wParam));
        if (!state) return LB_ERR;
        state->data = lParam;
        return 0;
    }
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
