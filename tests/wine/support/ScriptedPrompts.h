#pragma once
// The test side of the program's prompts (platform/Prompts.h): every
// question is recorded and answered from a script instead of a person, and
// nothing is really shown or launched. Call scripted::Reset() at the start
// of each test.
#include "platform/Prompts.h"

#include <string>
#include <vector>

namespace scripted {

struct AskedMessageBox {
    std::string text;
    UINT type = 0;
};

struct AskedFolderBrowser {
    HWND owner = nullptr;
    bool rootGiven = false;        // a root item list was passed
    std::string title;             // the instruction above the tree
    UINT flags = 0;
    std::string caption;           // the browser's caption after BFFM_INITIALIZED
    bool selectionSent = false;    // the callback sent BFFM_SETSELECTIONA
    std::string selectedPath;      // ... naming this folder ("" for no item)
};

// Forgets every script and every record.
void Reset();

// Message boxes take their answers from this queue, in order. With the
// queue empty a box is answered as if the user pressed Enter: its default
// button (the first one unless MB_DEFBUTTON2/3 says otherwise), so IDOK for
// MB_OK and MB_OKCANCEL, IDYES for MB_YESNO and MB_YESNOCANCEL.
void AnswerNextMessageBoxes(const std::vector<int>& answers);
const std::vector<AskedMessageBox>& MessageBoxes();

// The next file dialog returns this path; without a script it is cancelled.
void AnswerFileDialog(const std::string& path);
void CancelFileDialog();
const std::vector<FileDialogRequest>& FileDialogs();

// The next folder browser runs the caller's callback with
// BFFM_INITIALIZED, as the shell does, and then returns the item list of
// this folder (which must exist). Without a script it is cancelled.
void AnswerFolderBrowser(const std::string& folder);
void AnswerFolderBrowser(const std::wstring& folder);
// The next folder browser returns an item without a file-system path (the
// "My Computer" item).
void AnswerFolderBrowserWithVirtualItem();
void CancelFolderBrowser();
const std::vector<AskedFolderBrowser>& FolderBrowsers();

struct ShownMenu {
    POINT at = {};
    std::vector<std::string> items;  // texts, "" for a separator
    std::vector<bool> enabled;
};

// The next pop-up menu returns this command; without a script it is
// dismissed (0).
void AnswerNextMenu(int command);
const std::vector<ShownMenu>& Menus();

// Paths handed to the shell to open; nothing is started.
const std::vector<std::wstring>& ShellOpens();
// From now on the shell answers every open with this error.
void FailShellOpens(DWORD error);

}  // namespace scripted
