// Scripted prompts for the Wine tests: the same functions as the program's
// real prompts, answering from the test's script and recording every call.
#include "support/ScriptedPrompts.h"

#include "common/core/Cp932Text.h"
#include "platform/WidePath.h"

#include <commdlg.h>
#include <shellapi.h>

#include <deque>

namespace {

struct Script {
    std::deque<int> messageBoxAnswers;
    std::vector<scripted::AskedMessageBox> messageBoxes;

    bool fileDialogAnswered = false;
    std::string fileDialogPath;
    std::vector<FileDialogRequest> fileDialogs;

    enum class Folder { Cancel, Path, Virtual } folderAnswer = Folder::Cancel;
    std::wstring folderPath;
    std::vector<scripted::AskedFolderBrowser> folderBrowsers;

    int menuAnswer = 0;
    std::vector<scripted::ShownMenu> menus;

    std::vector<std::wstring> shellOpens;
    DWORD shellOpenError = ERROR_SUCCESS;
};

Script& State() {
    static Script script;
    return script;
}

// The buttons of each message-box type, in their order on the box.
std::vector<int> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {IDOK};
    }
}

int DefaultAnswer(UINT type) {
    const std::vector<int> buttons = ButtonsOf(type);
    const size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

// The stand-in for the browser's window: it records what the caller's
// callback sends to it.
const char* const BrowserClass = "VellaroScriptedFolderBrowser";
const char* const RecordProperty = "VellaroScriptedRecord";

LRESULT CALLBACK BrowserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == BFFM_SETSELECTIONA) {
        auto* record = static_cast<scripted::AskedFolderBrowser*>(GetPropA(window, RecordProperty));
        if (record) {
            record->selectionSent = true;
            char path[MAX_PATH] = {};
            if (wParam) {
                if (lParam) lstrcpynA(path, reinterpret_cast<const char*>(lParam), MAX_PATH);
            } else if (lParam) {
                SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path);
            }
            record->selectedPath = path;
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateBrowserWindow(HWND owner) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = BrowserProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = BrowserClass;
        registered = RegisterClassA(&windowClass) != 0;
    }
    return CreateWindowExA(0, BrowserClass, "", WS_POPUP, 0, 0, 10, 10, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

LPITEMIDLIST ScriptedItem(const Script& script) {
    LPITEMIDLIST item = nullptr;
    if (script.folderAnswer == Script::Folder::Path) {
        item = ILCreateFromPathW(script.folderPath.c_str());
    } else if (script.folderAnswer == Script::Folder::Virtual) {
        if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &item))) item = nullptr;
    }
    return item;
}

}  // namespace

int MessageBoxPrompt(const std::string& text, UINT type) {
    Script& script = State();
    script.messageBoxes.push_back({text, type});
    if (script.messageBoxAnswers.empty()) return DefaultAnswer(type);
    const int answer = script.messageBoxAnswers.front();
    script.messageBoxAnswers.pop_front();
    return answer;
}

bool FileDialogPrompt(const FileDialogRequest& request, std::string& chosenPath) {
    Script& script = State();
    script.fileDialogs.push_back(request);
    if (!script.fileDialogAnswered) return false;
    script.fileDialogAnswered = false;
    chosenPath = script.fileDialogPath;
    // As the real dialogs do (measured under Wine): the chosen file's folder
    // becomes the current folder unless the caller asked otherwise.
    if (!(request.flags & OFN_NOCHANGEDIR)) {
        const size_t slash = cp932::FindLast(chosenPath, '\\');
        if (slash != std::string::npos) SetCurrentDirectoryA(chosenPath.substr(0, slash).c_str());
    }
    return true;
}

LPITEMIDLIST FolderBrowserPrompt(BROWSEINFOA& info) {
    Script& script = State();
    scripted::AskedFolderBrowser record;
    record.owner = info.hwndOwner;
    record.rootGiven = info.pidlRoot != nullptr;
    record.title = info.lpszTitle ? info.lpszTitle : "";
    record.flags = info.ulFlags;

    HWND browser = CreateBrowserWindow(info.hwndOwner);
    SetPropA(browser, RecordProperty, &record);
    if (info.lpfn) info.lpfn(browser, BFFM_INITIALIZED, 0, info.lParam);
    char caption[MAX_PATH] = {};
    GetWindowTextA(browser, caption, MAX_PATH);
    record.caption = caption;
    RemovePropA(browser, RecordProperty);
    DestroyWindow(browser);

    LPITEMIDLIST item = ScriptedItem(script);
    script.folderAnswer = Script::Folder::Cancel;
    if (item && info.pszDisplayName) {
        SHFILEINFOA file = {};
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(item), 0, &file, sizeof file, SHGFI_PIDL | SHGFI_DISPLAYNAME);
        lstrcpynA(info.pszDisplayName, file.szDisplayName, MAX_PATH);
    }
    script.folderBrowsers.push_back(record);
    return item;
}

int PopupMenuPrompt(HMENU menu, POINT at, HWND) {
    Script& script = State();
    scripted::ShownMenu shown;
    shown.at = at;
    for (int item = 0; item < GetMenuItemCount(menu); ++item) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION);
        shown.items.push_back(text);
        shown.enabled.push_back(!(GetMenuState(menu, static_cast<UINT>(item), MF_BYPOSITION) & MF_GRAYED));
    }
    script.menus.push_back(shown);
    const int answer = script.menuAnswer;
    script.menuAnswer = 0;
    return answer;
}

DWORD ShellOpenPrompt(const std::wstring& path) {
    State().shellOpens.push_back(path);
    return State().shellOpenError;
}

namespace scripted {

void Reset() { State() = Script(); }

void AnswerNextMessageBoxes(const std::vector<int>& answers) {
    State().messageBoxAnswers.insert(State().messageBoxAnswers.end(), answers.begin(), answers.end());
}

const std::vector<AskedMessageBox>& MessageBoxes() { return State().messageBoxes; }

void AnswerFileDialog(const std::string& path) {
    State().fileDialogAnswered = true;
    State().fileDialogPath = path;
}

void CancelFileDialog() { State().fileDialogAnswered = false; }

const std::vector<FileDialogRequest>& FileDialogs() { return State().fileDialogs; }

void AnswerFolderBrowser(const std::string& folder) { AnswerFolderBrowser(widepath::FromCp932(folder)); }

void AnswerFolderBrowser(const std::wstring& folder) {
    State().folderAnswer = Script::Folder::Path;
    State().folderPath = folder;
}

void AnswerFolderBrowserWithVirtualItem() { State().folderAnswer = Script::Folder::Virtual; }

void CancelFolderBrowser() { State().folderAnswer = Script::Folder::Cancel; }

const std::vector<AskedFolderBrowser>& FolderBrowsers() { return State().folderBrowsers; }

void AnswerNextMenu(int command) { State().menuAnswer = command; }

const std::vector<ShownMenu>& Menus() { return State().menus; }

const std::vector<std::wstring>& ShellOpens() { return State().shellOpens; }

void FailShellOpens(DWORD error) { State().shellOpenError = error; }

}  // namespace scripted
