#include "platform/Dialog.h"

#include "platform/ControlTextFit.h"
#include "platform/DataExchange.h"
#include "platform/Dpi.h"
#include "platform/OwnerDrawnControl.h"

#include <vector>

namespace {
// Windows 10 1703 and later scale a dialog of a per-monitor aware program
// by themselves when it moves to a monitor of another DPI; the dialog does
// it here instead, in one way on every system.
void KeepDpiScalingOurs(HWND dialog) {
    using SetBehavior = BOOL(WINAPI*)(HWND, int, int);
    const int disableAll = 1;  // DDC_DISABLE_ALL
    HMODULE user = GetModuleHandleA("user32.dll");
    const auto set = user ? reinterpret_cast<SetBehavior>(
                                reinterpret_cast<void*>(GetProcAddress(user, "SetDialogDpiChangeBehavior")))
                          : nullptr;
    if (set) set(dialog, disableAll, disableAll);
}

RECT Scaled(const RECT& rect, int from, int to) {
    return {MulDiv(rect.left, to, from), MulDiv(rect.top, to, from), MulDiv(rect.right, to, from),
            MulDiv(rect.bottom, to, from)};
}
}  // namespace

Dialog::~Dialog() { DestroyWindow(); }

INT_PTR Dialog::DoModal(HWND owner) {
    modal_ = true;
    ended_ = false;
    result_ = -1;
    HWND window = CreateWindowOfTemplate(owner);
    if (!window) return -1;
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    if (!ended_) ShowWindow(window, SW_SHOW);

    MSG message;
    while (!ended_) {
        BOOL got = unicode_ ? GetMessageW(&message, nullptr, 0, 0) : GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT belongs to the outer loop
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) break;
        if (!PreTranslateMessage(&message)) {
            TranslateMessage(&message);
            if (unicode_) DispatchMessageW(&message);
            else DispatchMessageA(&message);
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
    return CreateWindowOfTemplate(owner) != nullptr;
}

HWND Dialog::CreateWindowOfTemplate(HWND owner) {
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (unicode_)
        return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, DialogProc, self);
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner, DialogProc, self);
}

void Dialog::DestroyWindow() {
    if (handle_ && IsWindow(handle_)) ::DestroyWindow(handle_);
    handle_ = nullptr;
    scaledFont_.reset();
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
    return handle_ && (unicode_ ? IsDialogMessageW(handle_, message) : IsDialogMessageA(handle_, message));
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    dpi_ = templateDpi_ = dpi::Of(handle_);
    KeepDpiScalingOurs(handle_);
    ControlTextFit::Widen(handle_);
    return TRUE;
}

void Dialog::ChangeDpi(int dpi, const RECT& suggested) {
    if (!handle_ || dpi <= 0) return;
    const int from = dpi_;
    dpi_ = dpi;
    if (from != dpi) {
        // The template's font, which the dialog keeps and deletes itself,
        // made anew at the DPI; the controls take it before the one made
        // for the last DPI goes.
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0));
        LOGFONTA look = {};
        if (font && GetObjectA(font, sizeof look, &look) == sizeof look) {
            look.lfHeight = MulDiv(look.lfHeight, dpi, templateDpi_);
            look.lfWidth = MulDiv(look.lfWidth, dpi, templateDpi_);
            HFONT scaled = CreateFontIndirectA(&look);
            if (scaled) {
                for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
                scaledFont_.reset(scaled);
            }
        }
        std::vector<std::pair<HWND, RECT>> places;
        for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            places.emplace_back(child, Scaled(Window(child).PlaceInParent(), from, dpi));
        for (const auto& [child, rect] : places)
            SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        // Rounded font sizes do not grow exactly with the DPI.
        ControlTextFit::Widen(handle_);
        OnDpiChanged(from, dpi);
    }
    SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
        FALSE, [&] { return self->HandleMessage(message, wParam, lParam); }, [&] { self->OnFailure(); },
        [&] { return self->HowFarBeforeMemoryRanOut(); });
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
    case WM_DPICHANGED:
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
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
