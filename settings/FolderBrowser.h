#pragma once
// One run of the shell's folder browser: shows the whole namespace from the
// desktop down, with a caption and an instruction, optionally pre-selects a
// folder, and yields the file-system path of the chosen item.
#include <windows.h>
#include <shlobj.h>

#include <string>

class CFolderBrowser {
public:
    CFolderBrowser(const std::string& title, const std::wstring& initialFolder, HWND owner);
    virtual ~CFolderBrowser() = default;
    CFolderBrowser(const CFolderBrowser&) = delete;
    CFolderBrowser& operator=(const CFolderBrowser&) = delete;

    // 1 when the user chose an item with a file-system path (it becomes the
    // selected folder, exactly as the shell names it); 0 on cancel, for an
    // item without a path, or when the shell's allocator or the desktop
    // item fails.
    int Browse();
    std::wstring SelectedFolder() const { return selectedFolder_; }

    // The shell item list of `path`, to be freed with the shell allocator;
    // null for an empty path or one that the desktop cannot parse.
    static LPITEMIDLIST ItemListFromPath(const std::wstring& path);
    // Captions the browser and selects the item list passed as `data`.
    static int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM parameter, LPARAM data);

private:
    std::string title_;
    HWND owner_;
    std::wstring selectedFolder_;
    std::wstring initialFolder_;
};
