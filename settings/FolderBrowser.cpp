#include "settings/FolderBrowser.h"

#include "platform/Prompts.h"

#include <memory>

namespace {
struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
using MallocPointer = std::unique_ptr<IMalloc, ComReleaser>;
using ShellFolderPointer = std::unique_ptr<IShellFolder, ComReleaser>;

// A block of the shell allocator, freed with it.
struct ShellFree {
    IMalloc* allocator;
    void operator()(void* block) const { allocator->Free(block); }
};
template <class T>
using ShellPointer = std::unique_ptr<T, ShellFree>;

const int NameBufferSize = MAX_PATH;
}  // namespace

CFolderBrowser::CFolderBrowser(const std::string& title, const std::wstring& initialFolder, HWND owner)
    : title_(title), owner_(owner), initialFolder_(initialFolder) {}

int CFolderBrowser::Browse() {
    MallocPointer allocator;
    {
        IMalloc* shellAllocator = nullptr;
        if (FAILED(SHGetMalloc(&shellAllocator)) || !shellAllocator) return 0;
        allocator.reset(shellAllocator);
    }
    const ShellFree freeBlock{allocator.get()};
    ShellPointer<char> name(static_cast<char*>(allocator->Alloc(NameBufferSize)), freeBlock);
    if (!name) return 0;

    ShellPointer<ITEMIDLIST> desktop(nullptr, freeBlock);
    {
        LPITEMIDLIST desktopList = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(owner_, CSIDL_DESKTOP, &desktopList)) || !desktopList) return 0;
        desktop.reset(desktopList);
    }
    ShellPointer<ITEMIDLIST> initial(initialFolder_.empty() ? nullptr : ItemListFromPath(initialFolder_),
                                     freeBlock);

    BROWSEINFOA info = {};
    info.hwndOwner = owner_;
    info.pidlRoot = desktop.get();
    info.pszDisplayName = name.get();
    info.lpszTitle = title_.c_str();
    info.ulFlags = 0;  // items outside the file system may be chosen too
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initial.get());

    ShellPointer<ITEMIDLIST> chosen(FolderBrowserPrompt(info), freeBlock);
    WCHAR path[MAX_PATH] = {};
    if (!chosen || !SHGetPathFromIDListW(chosen.get(), path)) return 0;
    selectedFolder_ = path;
    return 1;
}

LPITEMIDLIST CFolderBrowser::ItemListFromPath(const std::wstring& path) {
    if (path.empty()) return nullptr;
    ShellFolderPointer desktop;
    {
        IShellFolder* desktopFolder = nullptr;
        if (FAILED(SHGetDesktopFolder(&desktopFolder)) || !desktopFolder) return nullptr;
        desktop.reset(desktopFolder);
    }
    std::wstring widePath = path;  // the shell takes a writable text
    LPITEMIDLIST list = nullptr;
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &widePath[0], &eaten, &list, nullptr))) return nullptr;
    return list;
}

int CALLBACK CFolderBrowser::BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) {
        SetWindowTextA(browser, "フォルダの参照");
        SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, data);
    }
    return 0;
}
