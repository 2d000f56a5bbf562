#pragma once
// A plain top-level window for tests of controls without a dialog template.
// Like the program's dialogs it hands drawing and deletion requests to the
// control's object (found through its OwnerDrawnControl property); the
// commands it gets go to `onCommand`. Closing it hands over whatever was
// posted for it, so that nothing reaches a later test.
#include <windows.h>

#include <functional>

class HostWindow {
public:
    HostWindow(const char* title, int width, int height);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return window_; }
    // A visible child control.
    HWND AddChild(const char* windowClass, DWORD style, DWORD extendedStyle, int id, int x, int y, int width,
                  int height) const;

    std::function<void(WPARAM wParam, LPARAM lParam)> onCommand;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};
