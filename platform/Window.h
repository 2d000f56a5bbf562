#pragma once
// Value-type wrappers over window handles: copying one copies the handle,
// never the window. Each method is one window call.
#include <windows.h>
#include <commctrl.h>
#include <string>

class Window {
public:
    Window(HWND handle = nullptr) : handle_(handle) {}
    HWND Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(handle_, message, wParam, lParam);
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return PostMessageA(handle_, message, wParam, lParam) != 0;
    }
    std::string Text() const;
    void SetText(const std::string& text) const { SetWindowTextA(handle_, text.c_str()); }
    // The text exactly, whatever its characters.
    std::wstring WideText() const;
    void SetWideText(const std::wstring& text) const { SetWindowTextW(handle_, text.c_str()); }
    void Enable(bool enabled) const { EnableWindow(handle_, enabled ? TRUE : FALSE); }
    bool IsEnabled() const { return IsWindowEnabled(handle_) != 0; }
    bool IsVisible() const { return IsWindowVisible(handle_) != 0; }
    int ControlId() const { return GetDlgCtrlID(handle_); }
    // Focuses a dialog's control the way the dialog's own keyboard does, so
    // that the default button follows.
    void TakeFocus() const { SendMessageA(GetParent(handle_), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(handle_), TRUE); }
    // Hands the focus on when this control has it: a control about to be
    // disabled would keep it, and the keyboard would do nothing.
    void PassFocusTo(Window next) const { if (GetFocus() == handle_) next.TakeFocus(); }
    Window Item(int id) const { return Window(GetDlgItem(handle_, id)); }
    // Where the control stands in its parent's client area; a drop-down
    // combo box is as high as its open list.
    RECT PlaceInParent() const;

protected:
    HWND handle_;
};

class Button : public Window {
public:
    using Window::Window;
    int Check() const { return static_cast<int>(Send(BM_GETCHECK)); }
    void SetCheck(int state) const { Send(BM_SETCHECK, state); }
};

class Edit : public Window {
public:
    using Window::Window;
};

class ProgressBar : public Window {
public:
    using Window::Window;
    void SetRange(int low, int high) const { Send(PBM_SETRANGE32, low, high); }
    void SetPos(int position) const { Send(PBM_SETPOS, position); }
    int Pos() const { return static_cast<int>(Send(PBM_GETPOS)); }
    int RangeLow() const { return static_cast<int>(Send(PBM_GETRANGE, TRUE)); }
    int RangeHigh() const { return static_cast<int>(Send(PBM_GETRANGE, FALSE)); }
};

class ListBox : public Window {
public:
    using Window::Window;
    int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    std::string ItemText(int index) const;
    int AddString(const std::string& text) const {
        return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int InsertString(int index, const std::string& text) const {
        return static_cast<int>(Send(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int DeleteString(int index) const { return static_cast<int>(Send(LB_DELETESTRING, index)); }
    void ResetContent() const { Send(LB_RESETCONTENT); }
    int CurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    void SetCurSel(int index) const { Send(LB_SETCURSEL, index); }
    // The line with the focus rectangle: in a list of many selected lines,
    // the one last clicked or moved to.
    int CaretIndex() const { return static_cast<int>(Send(LB_GETCARETINDEX)); }
    LPARAM ItemData(int index) const { return Send(LB_GETITEMDATA, index); }
    void SetItemData(int index, LPARAM data) const { Send(LB_SETITEMDATA, index, data); }
    int TopIndex() const { return static_cast<int>(Send(LB_GETTOPINDEX)); }
    void SetTopIndex(int index) const { Send(LB_SETTOPINDEX, index); }
    void InitStorage(int items, int bytesPerItem) const { Send(LB_INITSTORAGE, items, bytesPerItem); }
    void SetHorizontalExtent(int extent) const { Send(LB_SETHORIZONTALEXTENT, extent); }
    int HorizontalExtent() const { return static_cast<int>(Send(LB_GETHORIZONTALEXTENT)); }
};

class ComboBox : public Window {
public:
    using Window::Window;
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    std::string ItemText(int index) const;
    int InsertString(int index, const std::string& text) const {
        return static_cast<int>(Send(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void ResetContent() const { Send(CB_RESETCONTENT); }
    int CurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int index) const { Send(CB_SETCURSEL, index); }
    LPARAM ItemData(int index) const { return Send(CB_GETITEMDATA, index); }
    void SetItemData(int index, LPARAM data) const { Send(CB_SETITEMDATA, index, data); }
};

class ListView : public Window {
public:
    using Window::Window;
    int InsertColumn(int index, const std::string& text, int format, int width, int subItem) const;
    int ColumnCount() const;
};
