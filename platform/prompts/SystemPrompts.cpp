// The real prompts: Windows' own message box, file dialogs, folder browser
// and shell.
#include "platform/Prompts.h"

#include "common/core/Cp932Text.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

namespace {
std::string ExecutableTitle() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    // A cp932 name: the second byte of a character may be a backslash.
    std::string name = cp932::NameOf(path);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name = name.substr(0, dot);
    return name;
}
}  // namespace

int MessageBoxPrompt(const std::string& text, UINT type) {
    return MessageBoxA(GetActiveWindow(), text.c_str(), ExecutableTitle().c_str(), type);
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
    dialog.hwndOwner = nullptr;
    dialog.lpstrFilter = filter.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = request.flags | OFN_EXPLORER | OFN_ENABLESIZING;
    BOOL chosen = request.open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    if (!chosen) return false;
    chosenPath = file;
    return true;
}

LPITEMIDLIST FolderBrowserPrompt(BROWSEINFOA& info) { return SHBrowseForFolderA(&info); }

HINSTANCE ShellOpenPrompt(const std::string& path) {
    return ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
