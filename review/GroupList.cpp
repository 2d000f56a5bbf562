#include "review/GroupList.h"

#include "platform/Dpi.h"

CGroupList::~CGroupList() { Detach(); }

void CGroupList::Attach(HWND control) {
    Detach();
    handle_ = control;
    if (control) original_ = Subclass(control);
}

void CGroupList::Detach() {
    if (handle_ && original_ && IsWindow(handle_)) Unsubclass(handle_, original_);
    original_ = nullptr;
    handle_ = nullptr;
}

void CGroupList::ShowFound(const std::string& text) {
    found_ = text;
    ResetContent();
    Send(CB_INSERTSTRING, static_cast<WPARAM>(-1), FoundEntry);
    SetCurSel(0);
}

int CGroupList::AddGroup() const { return static_cast<int>(Send(CB_INSERTSTRING, static_cast<WPARAM>(-1), 0)); }

std::string CGroupList::EntryText(int entry) const {
    if (entry < 0 || entry >= Count()) return std::string();
    return ItemData(entry) == FoundEntry ? found_ : lines_.GroupText(entry);
}

void CGroupList::OnDrawItem(DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1)) return;
    const std::string text = EntryText(static_cast<int>(item.itemID));
    const COLORREF oldText = SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
    RECT textRect = item.rcItem;
    textRect.left += dpi::Scale(1, dpi::Of(Handle()));
    DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetBkMode(item.hDC, oldMode);
    SetTextColor(item.hDC, oldText);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT CGroupList::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = barrier_.Run<LRESULT>(0, [&] { return CallWindowProcA(original_, handle_, message, wParam, lParam); });
    if (message == WM_NCDESTROY) Detach();
    return result;
}
