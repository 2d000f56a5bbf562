// The real prompts: Windows' own message box, file dialogs, folder browser
// and shell.
#include "platform/Prompts.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

int MessageBoxPrompt(const std::string& text, UINT type) {
    return MessageBoxA(GetActiveWindow(), text.c_str(), "Vellaro", type);
}

bool FileDialogPrompt(const FileDialogRequest& request, std::string& chosenPath) {
    // "a|b|" becomes "a\0b\0\0".
    std::vector<char> filter(request.filter.begin(), request.filter.end());
    for (char& c : filter) if (c == '|') c = '\0';
    filter.push_back('\0');
    filter.push_back('\0');
    char file[MAX_PATH] = {};
    request.fileName.copy(file, MAX_PATH - 1);

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    // Owned, like the message boxes, by the window the user works in (the
    // settings dialog), so that it stays modal to it.
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filter.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = request.flags | OFN_EXPLORER | OFN_ENABLESIZING;
    // The dialogs' library is loaded only while a dialog is open: it brings
    // the printing system along, which under Wine takes 9 MB of memory that
    // a search never needs.
    const HMODULE library = LoadLibraryA("comdlg32.dll");
    if (!library) return false;
    using ShowDialog = BOOL(WINAPI*)(LPOPENFILENAMEA);
    const auto show = reinterpret_cast<ShowDialog>(
        reinterpret_cast<void*>(GetProcAddress(library, request.open ? "GetOpenFileNameA" : "GetSaveFileNameA")));
    const BOOL chosen = show ? show(&dialog) : FALSE;
    FreeLibrary(library);
    if (!chosen) return false;
    chosenPath = file;
    return true;
}

LPITEMIDLIST FolderBrowserPrompt(BROWSEINFOA& info) { return SHBrowseForFolderA(&info); }

int PopupMenuPrompt(HMENU menu, POINT at, HWND owner) {
    return static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
}

HINSTANCE ShellOpenPrompt(const std::wstring& path) {
    return ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
