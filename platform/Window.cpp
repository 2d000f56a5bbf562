#include "platform/Window.h"

#include <commctrl.h>
#include <vector>

std::string Window::Text() const {
    int length = GetWindowTextLengthA(handle_);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(handle_, buffer.data(), length + 1);
    return std::string(buffer.data());
}

std::string ListBox::ItemText(int index) const {
    LRESULT length = Send(LB_GETTEXTLEN, index);
    if (length == LB_ERR) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data());
}

std::string ComboBox::ItemText(int index) const {
    LRESULT length = Send(CB_GETLBTEXTLEN, index);
    if (length == CB_ERR) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data());
}

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
