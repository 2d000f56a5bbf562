#include "support/HostWindow.h"

#include "platform/OwnerDrawnControl.h"

#include <commctrl.h>

namespace {
const char* const HostClass = "VellaroTestHost";
}  // namespace

HostWindow::HostWindow(const char* title, int width, int height) {
    static bool registered = false;
    if (!registered) {
        InitCommonControls();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = HostClass;
        registered = RegisterClassA(&windowClass) != 0;
    }
    window_ = CreateWindowExA(0, HostClass, title, WS_OVERLAPPEDWINDOW, 0, 0, width, height, nullptr, nullptr,
                              GetModuleHandleA(nullptr), this);
}

HostWindow::~HostWindow() {
    // The owner's members may be gone already.
    onCommand = nullptr;
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

HWND HostWindow::AddChild(const char* windowClass, DWORD style, DWORD extendedStyle, int id, int x, int y, int width,
                          int height) const {
    return CreateWindowExA(extendedStyle, windowClass, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

LRESULT CALLBACK HostWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_DRAWITEM:
    case WM_DELETEITEM:
        if (OwnerDrawnControl::HandOn(message, lParam)) return TRUE;
        break;
    case WM_COMMAND:
        if (self && self->onCommand) self->onCommand(wParam, lParam);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
