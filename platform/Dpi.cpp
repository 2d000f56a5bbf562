#include "platform/Dpi.h"

namespace {
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction GetDpiForWindowIfThere() {
    HMODULE user = GetModuleHandleA("user32.dll");
    return user ? reinterpret_cast<GetDpiForWindowFunction>(
                      reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")))
                : nullptr;
}
}  // namespace

int dpi::Of(HWND window) {
    // Looked up once: older systems lack the call.
    static const GetDpiForWindowFunction getDpiForWindow = GetDpiForWindowIfThere();
    if (getDpiForWindow && window) {
        const UINT found = getDpiForWindow(window);
        if (found > 0) return static_cast<int>(found);
    }
    HDC screen = GetDC(nullptr);
    const int found = screen ? GetDeviceCaps(screen, LOGPIXELSY) : Standard;
    if (screen) ReleaseDC(nullptr, screen);
    return found > 0 ? found : Standard;
}
