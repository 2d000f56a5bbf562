#include "EngineHost.h"

#include "engine/FileInfo.h"
#include "platform/OwnerDrawnControl.h"

#include <commctrl.h>

namespace {
const char* const HostClass = "VellaroTestEngineHost";

HWND Child(HWND parent, const char* windowClass, DWORD style, int id, int x, int y, int width, int height) {
    return CreateWindowExA(0, windowClass, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}
}  // namespace

EngineHost::EngineHost() {
    static bool registered = false;
    if (!registered) {
        InitCommonControls();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = HostProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = HostClass;
        registered = RegisterClassA(&windowClass) != 0;
    }
    parent_ = CreateWindowExA(0, HostClass, "engine host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 420, nullptr, nullptr,
                              GetModuleHandleA(nullptr), this);
    groupList = ComboBox(Child(parent_, "COMBOBOX", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, 1004, 10, 10, 600, 300));
    candidates.Attach(Child(parent_, "LISTBOX",
                            LBS_NOTIFY | LBS_SORT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                                LBS_EXTENDEDSEL | WS_BORDER | WS_VSCROLL,
                            1000, 10, 40, 600, 250));
    runProgress = ProgressBar(Child(parent_, "msctls_progress32", WS_BORDER, 1007, 10, 300, 60, 20));
    mainProgress = ProgressBar(Child(parent_, "msctls_progress32", WS_BORDER, 1009, 80, 300, 300, 20));
    statusField = Edit(Child(parent_, "EDIT", ES_READONLY | ES_AUTOHSCROLL, 1050, 390, 300, 220, 20));
}

EngineHost::~EngineHost() {
    onCommand = nullptr;
    ReleaseGatheredFiles();
    candidates.ClearLines();
    candidates.Detach();
    DestroyWindow(parent_);
    // Nothing posted for this window may reach a later test.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

void EngineHost::PrepareGroupList() {
    ReleaseGatheredFiles();
    groupList.ResetContent();
    groupList.InitStorage(100000, 260);
    holdsGatheredFiles_ = true;
}

void EngineHost::ReleaseGatheredFiles() {
    if (holdsGatheredFiles_) {
        for (int i = 0; i < groupList.Count(); ++i) delete reinterpret_cast<FileInfo*>(groupList.ItemData(i));
    }
    holdsGatheredFiles_ = false;
    groupList.ResetContent();
}

LRESULT CALLBACK EngineHost::HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<EngineHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_DRAWITEM:
    case WM_DELETEITEM:
        if (OwnerDrawnControl::HandOn(message, lParam)) return TRUE;
        break;
    case WM_COMMAND:
        if (self && LOWORD(wParam) == TestCommand && lParam == 0) {
            ++self->commandsHandled;
            if (self->onCommand) self->onCommand();
            return 0;
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
