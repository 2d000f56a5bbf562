#include "support/ListHost.h"

#include "platform/OwnerDrawnControl.h"

namespace {
const char* const HostClass = "VellaroTestListHost";
}  // namespace

ListHost::ListHost(DWORD listStyle, int width, int height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = HostProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = HostClass;
        registered = RegisterClassA(&windowClass) != 0;
    }
    parent_ = CreateWindowExA(0, HostClass, "list host", WS_OVERLAPPEDWINDOW, 0, 0, width + 40, height + 60,
                              nullptr, nullptr, GetModuleHandleA(nullptr), this);
    list_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | listStyle,
                            10, 10, width, height, parent_, reinterpret_cast<HMENU>(ListId),
                            GetModuleHandleA(nullptr), nullptr);
}

ListHost::~ListHost() {
    if (parent_ && IsWindow(parent_)) DestroyWindow(parent_);
}

LRESULT CALLBACK ListHost::HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ListHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_DRAWITEM:
    case WM_DELETEITEM:
        if (OwnerDrawnControl::HandOn(message, lParam)) return TRUE;
        break;
    case WM_COMMAND:
        if (self && lParam) self->notifications_.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
