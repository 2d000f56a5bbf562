#pragma once
// The program's questions to the user and its hand-offs to the shell. The
// program links the real ones (platform/prompts); the tests link scripted
// ones that record what was asked and answer without a person.
#include <windows.h>
#include <shlobj.h>

#include <string>

// A message box captioned "Vellaro", owned by the active
// window; returns the button pressed (IDOK, IDYES, ...).
int MessageBoxPrompt(const std::string& text, UINT type);

struct FileDialogRequest {
    bool open = true;            // open or save
    std::string defaultExtension;
    std::string fileName;        // proposed name
    DWORD flags = 0;             // OFN_...
    std::string filter;          // "description|pattern" pairs, as in "*.dat|*.dat"
};

// Runs the file dialog, owned by the active window; true with the chosen
// full path, false on cancel.
bool FileDialogPrompt(const FileDialogRequest& request, std::string& chosenPath);

// The shell's folder browser (SHBrowseForFolderA).
LPITEMIDLIST FolderBrowserPrompt(BROWSEINFOA& info);

// Shows a pop-up menu at a point of the screen, owned by `owner`, and
// returns the command chosen, or 0 when it was dismissed.
int PopupMenuPrompt(HMENU menu, POINT at, HWND owner);

// Opens a file with its associated program (ShellExecuteExW); returns
// ERROR_SUCCESS, or the system's error code when the shell could not.
DWORD ShellOpenPrompt(const std::wstring& path);
