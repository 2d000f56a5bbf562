// The scripted prompts that every Wine suite links: their folder browser
// must behave like the shell's towards the caller's callback.
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

// Does what a caller's callback typically does when the browser opens.
int CALLBACK SelectOnOpen(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) {
        SetWindowTextA(window, "フォルダの参照");
        SendMessageA(window, BFFM_SETSELECTIONA, FALSE, data);
    }
    return 0;
}

std::string PathOf(LPCITEMIDLIST item) {
    char path[MAX_PATH] = {};
    return item && SHGetPathFromIDListA(item, path) ? std::string(path) : std::string("(none)");
}

TEST(ScriptedPrompts, FolderBrowserRunsTheCallbackAndReturnsTheScriptedFolder) {
    scripted::Reset();
    TempTree tree;
    const std::string initial = tree.Folder("初め"), chosen = tree.Folder("表\\選択");
    LPITEMIDLIST initialItem = ILCreateFromPathA(initial.c_str());
    char name[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.pszDisplayName = name;
    info.lpszTitle = "フォルダを選択してください";
    info.lpfn = SelectOnOpen;
    info.lParam = reinterpret_cast<LPARAM>(initialItem);

    scripted::AnswerFolderBrowser(chosen);
    LPITEMIDLIST item = FolderBrowserPrompt(info);
    EXPECT_EQ(PathOf(item), chosen);
    CoTaskMemFree(item);
    ASSERT_EQ(scripted::FolderBrowsers().size(), 1u);
    const scripted::AskedFolderBrowser& asked = scripted::FolderBrowsers()[0];
    EXPECT_EQ(asked.title, "フォルダを選択してください");
    EXPECT_EQ(asked.caption, "フォルダの参照");
    EXPECT_TRUE(asked.selectionSent);
    EXPECT_EQ(asked.selectedPath, initial);

    // Unscripted, the browser is cancelled; a virtual item has no path.
    EXPECT_EQ(FolderBrowserPrompt(info), nullptr);
    scripted::AnswerFolderBrowserWithVirtualItem();
    item = FolderBrowserPrompt(info);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(PathOf(item), "(none)");
    CoTaskMemFree(item);
    CoTaskMemFree(initialItem);
}

TEST(ScriptedPrompts, MessageBoxesAnswerFromTheQueueThenWithTheDefaultButton) {
    scripted::Reset();
    scripted::AnswerNextMessageBoxes({IDNO});
    EXPECT_EQ(MessageBoxPrompt("first", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxPrompt("second", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxPrompt("third", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    ASSERT_EQ(scripted::MessageBoxes().size(), 3u);
    EXPECT_EQ(scripted::MessageBoxes()[2].text, "third");
}

}  // namespace
