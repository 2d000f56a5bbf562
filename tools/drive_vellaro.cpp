// Drives a running vellaro.exe from outside, as a person would: opens the
// settings, enters a folder, confirms, starts the search and closes the
// time message, then leaves the window showing the result.
//   drive_vellaro.exe <folder> [--exit]
// Prints the elapsed milliseconds from the press of Search to the time
// message. With --exit it then presses Finish.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    std::string prefix;
    DWORD process;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    char title[512] = {};
    GetWindowTextA(window, title, sizeof title);
    if (std::string(title).compare(0, search->prefix.size(), search->prefix) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(DWORD process, const std::string& prefix, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        Search search = {prefix, process, nullptr};
        EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(10);
    }
    return nullptr;
}

std::string TitleOf(HWND window) {
    char title[512] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A message box of the program: a dialog window without the program's
// bracketed titles.
BOOL CALLBACK MatchMessageBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == search->process && IsWindowVisible(window) && std::string(className) == "#32770" &&
        TitleOf(window).compare(0, 1, "[") != 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

int Fail(const char* what) {
    std::fprintf(stderr, "drive_vellaro: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Fail("usage: drive_vellaro.exe <folder> [--exit]");
    const std::string folder = argv[1];
    const bool finish = argc > 2 && std::string(argv[2]) == "--exit";

    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string program(exe);
    program = program.substr(0, program.find_last_of('\\') + 1) + "vellaro.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return Fail("cannot start vellaro.exe");
    CloseHandle(info.hThread);
    WaitForInputIdle(info.hProcess, 10000);

    HWND main = WaitForWindow(info.dwProcessId, "[Vellaro] ", 20000);
    if (!main) return Fail("no main window");
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(main, 1002)));
    HWND settings = WaitForWindow(info.dwProcessId, "[検索設定]", 10000);
    if (!settings) return Fail("no settings dialog");
    HWND entry = GetDlgItem(settings, 1031);
    SendMessageA(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    SendMessageA(settings, WM_COMMAND, MAKEWPARAM(1031, EN_UPDATE), reinterpret_cast<LPARAM>(entry));
    Click(settings, 1025);
    Click(settings, IDOK);
    for (int i = 0; i < 500 && IsWindow(settings); ++i) Sleep(10);
    if (IsWindow(settings)) return Fail("settings dialog did not close (folder refused?)");

    const DWORD start = GetTickCount();
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(main, 1001)));
    HWND box = nullptr;
    while (!box) {
        Search search = {"", info.dwProcessId, nullptr};
        EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&search));
        box = search.found;
        if (WaitForSingleObject(info.hProcess, 5) == WAIT_OBJECT_0) return Fail("vellaro.exe ended");
    }
    const DWORD elapsed = GetTickCount() - start;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
    std::printf("%lu\n", static_cast<unsigned long>(elapsed));
    std::fflush(stdout);

    if (finish) {
        Sleep(200);
        Click(main, 1001);
        WaitForSingleObject(info.hProcess, 10000);
    }
    CloseHandle(info.hProcess);
    return 0;
}
