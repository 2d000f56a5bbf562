#include "platform/Window.h"

#include "platform/WidePath.h"

#include <commctrl.h>
#include <vector>

std::string Window::Text() const {
    int length = GetWindowTextLengthA(handle_);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(handle_, buffer.data(), length + 1);
    return std::string(buffer.data());
}

RECT Window::PlaceInParent() const {
    RECT rect = {};
    GetWindowRect(handle_, &rect);
    RECT dropped;
    if (SendMessageA(handle_, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)) &&
        dropped.bottom > rect.bottom)
        rect.bottom = dropped.bottom;
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring Window::WideText() const {
    int length = GetWindowTextLengthW(handle_);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(handle_, buffer.data(), length + 1);
    return std::wstring(buffer.data());
}

namespace {
// The text of a list's item, asked for by length first; lists and combo
// boxes differ only in their messages (and both answer -1 for no item).
// Wine passes an ANSI request for an item through a stack buffer of 512
// characters and overruns it on a longer item: such an item is asked of the
// control's own procedure in UTF-16 (past any ANSI subclass, which would
// turn it back into an ANSI request) and converted here.
std::string ItemTextOf(const Window& list, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = list.Send(lengthMessage, index);
    if (length < 0) return std::string();
    if (length < 500) {
        std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
        list.Send(textMessage, index, reinterpret_cast<LPARAM>(buffer.data()));
        return std::string(buffer.data());
    }
    const auto control = reinterpret_cast<WNDPROC>(GetClassLongPtrW(list.Handle(), GCLP_WNDPROC));
    const LRESULT wideLength = CallWindowProcW(control, list.Handle(), lengthMessage, index, 0);
    if (wideLength < 0) return std::string();
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength) + 1, L'\0');
    CallWindowProcW(control, list.Handle(), textMessage, index, reinterpret_cast<LPARAM>(wide.data()));
    return widepath::ToCp932(wide.data());
}
}  // namespace

std::string ListBox::ItemText(int index) const { return ItemTextOf(*this, LB_GETTEXTLEN, LB_GETTEXT, index); }

std::string ComboBox::ItemText(int index) const { return ItemTextOf(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

int ListView::InsertColumn(int index, const std::string& text, int format, int width,
                           int subItem) const {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(text.c_str());
    column.iSubItem = subItem;
    return static_cast<int>(Send(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
}

int ListView::ColumnCount() const {
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}
