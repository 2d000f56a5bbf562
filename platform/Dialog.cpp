#include "platform/Dialog.h"

#include "platform/DataExchange.h"
#include "platform/OwnerDrawnControl.h"

Dialog::~Dialog() { DestroyWindow(); }

INT_PTR Dialog::DoModal(HWND owner) {
    modal_ = true;
    ended_ = false;
    result_ = -1;
    HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    if (!window) return -1;
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    if (!ended_) ShowWindow(window, SW_SHOW);

    MSG message;
    while (!ended_) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT belongs to the outer loop
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) break;
        if (!PreTranslateMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    // The owner is enabled before the dialog goes, so that it gets the
    // activation back.
    if (disableOwner) EnableWindow(owner, TRUE);
    DestroyWindow();
    modal_ = false;
    return result_;
}

bool Dialog::Create(HWND owner) {
    modal_ = false;
    ended_ = false;
    result_ = 0;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                              DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::DestroyWindow() {
    if (handle_ && IsWindow(handle_)) ::DestroyWindow(handle_);
    handle_ = nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    ended_ = true;
    if (modal_) PostMessageA(handle_, WM_NULL, 0, 0);  // wakes the modal loop
}

bool Dialog::UpdateData(bool save) {
    // Notifications that our own writes into the controls cause are dropped.
    exchanging_ = true;
    DataExchange exchange(handle_, save);
    DoDataExchange(exchange);
    exchanging_ = false;
    return true;
}

bool Dialog::PreTranslateMessage(MSG* message) {
    return handle_ && IsDialogMessageA(handle_, message);
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->handle_ = window;
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    }
    if (!self || self->handle_ != window) return FALSE;
    if (message == WM_NCDESTROY) {
        // The window's last message: the object no longer names it, so
        // that it never acts on a handle the system may give another window.
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->handle_ = nullptr;
        if (self->modal_) self->ended_ = true;  // a modal loop would wait for nothing
        return FALSE;
    }
    return self->barrier_.Run<INT_PTR>(
        FALSE, [&] { return self->HandleMessage(message, wParam, lParam); }, [&] { self->OnFailure(); });
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if (exchanging_ && lParam != 0) return TRUE;
        if (OnCommand(id, code)) return TRUE;
        if (code == BN_CLICKED || lParam == 0) {
            if (id == IDOK) { OnOK(); return TRUE; }
            if (id == IDCANCEL) { OnCancel(); return TRUE; }
        }
        return FALSE;
    }
    case WM_DRAWITEM:
    case WM_DELETEITEM:
        if (OwnerDrawnControl::HandOn(message, lParam)) return TRUE;
        break;
    default:
        break;
    }
    LRESULT result = 0;
    if (!OnMessage(message, wParam, lParam, result)) return FALSE;
    switch (message) {  // the messages whose answer is the procedure's result
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_COMPAREITEM:
    case WM_VKEYTOITEM: case WM_CHARTOITEM:
        return static_cast<INT_PTR>(result);
    default:
        SetWindowLongPtrA(handle_, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
