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
    const BOOL chosen = request.open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    if (!chosen) return false;
    chosenPath = file;
    return true;
}

LPITEMIDLIST FolderBrowserPrompt(BROWSEINFOA& info) { return SHBrowseForFolderA(&info); }

int PopupMenuPrompt(HMENU menu, POINT at, HWND owner) {
    return static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
}

namespace {
// The shell's own answer in hInstApp (SE_ERR_...) as a system error code:
// the last error is not always set when the shell fails.
DWORD ErrorOfShellAnswer(UINT_PTR answer) {
    switch (answer) {
        case 0: return ERROR_NOT_ENOUGH_MEMORY;
        case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
        case SE_ERR_ASSOCINCOMPLETE:
        case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
        case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
        default: return static_cast<DWORD>(answer);  // 2, 3, 5, 8, 11 are system codes already
    }
}
}  // namespace

DWORD ShellOpenPrompt(const std::wstring& path) {
    SHELLEXECUTEINFOW open = {};
    open.cbSize = sizeof open;
    // No message of the shell's own: the caller says what went wrong.
    open.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    open.hwnd = GetActiveWindow();
    open.lpFile = path.c_str();
    open.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&open)) return ERROR_SUCCESS;
    const auto answer = reinterpret_cast<UINT_PTR>(open.hInstApp);
    if (answer <= 32) return ErrorOfShellAnswer(answer);
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}
