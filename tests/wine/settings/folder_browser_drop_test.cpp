// Folders from the shell's folder browser and folders dropped on the list.
#include "SettingsHarness.h"
#include "platform/WidePath.h"
#include "settings/FolderBrowser.h"
#include "support/DroppedFiles.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cctype>

using Items = std::vector<std::string>;

namespace {

using dropped::MakeDrop;
using dropped::MakeWideDrop;

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

class FolderInputTest : public SettingsFixture {};

TEST_F(FolderInputTest, ChosenFolderFillsTheEntryAndEnablesAdd) {
    const std::string photos = tree.Folder("photos");
    SettingsHarness ui(dialog);
    scripted::AnswerFolderBrowser(photos);
    ui.Press(IDC_DIRECTORY_BROWSE);
    ASSERT_EQ(scripted::FolderBrowsers().size(), 1u);
    const scripted::AskedFolderBrowser& asked = scripted::FolderBrowsers()[0];
    EXPECT_EQ(asked.owner, ui.Handle());  // modal to the settings dialog, not to the main window
    EXPECT_TRUE(asked.rootGiven);
    EXPECT_EQ(asked.title, "フォルダを選択してください");
    EXPECT_EQ(asked.flags, 0u);
    EXPECT_EQ(asked.caption, "フォルダの参照");
    EXPECT_TRUE(asked.selectionSent);
    EXPECT_EQ(asked.selectedPath, "");  // no initial folder

    EXPECT_EQ(ui.Text(IDC_DIRECTORY_ENTRY), photos);
    EXPECT_TRUE(ui.Enabled(IDC_DIRECTORY_ADD));
    EXPECT_EQ(ui.Text(IDC_DIRECTORY_ADD), "追加(&S)");
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{});
    ui.Press(IDC_DIRECTORY_ADD);
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{photos});

    // Cancelled, or an item without a path: nothing changes.
    ui.Select(IDC_DIRECTORY_LIST, 0);
    for (bool virtualItem : {false, true}) {
        if (virtualItem) scripted::AnswerFolderBrowserWithVirtualItem();
        ui.Press(IDC_DIRECTORY_BROWSE);
        EXPECT_EQ(ui.Text(IDC_DIRECTORY_ENTRY), photos);
        EXPECT_EQ(ui.Text(IDC_DIRECTORY_ADD), "削除(&S)");
        EXPECT_EQ(dialog.DirectoryFlag, 2);
    }
    EXPECT_TRUE(scripted::MessageBoxes().empty());
}

TEST_F(FolderInputTest, TheInitialFolderIsSelectedThroughTheCallback) {
    const std::string photos = tree.Folder("photos");
    CFolderBrowser browser("title", widepath::FromCp932(photos), nullptr);
    EXPECT_EQ(browser.Browse(), 0);
    ASSERT_EQ(scripted::FolderBrowsers().size(), 1u);
    EXPECT_EQ(scripted::FolderBrowsers()[0].selectedPath, photos);
    EXPECT_EQ(browser.SelectedFolder(), L"");
    EXPECT_EQ(CFolderBrowser::ItemListFromPath(L""), nullptr);
}

TEST_F(FolderInputTest, DropsAppendNewFoldersInOrderAndSkipTheRest) {
    const std::string listed = tree.Folder("listed");
    const std::string zeta = tree.Folder("zeta"), alpha = tree.Folder("alpha");
    SettingsHarness ui(dialog);
    ui.AddFolder(listed);
    ui.Type(IDC_DIRECTORY_ENTRY, "typed");
    SendMessageA(ui.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({zeta, tree.WriteFile("file.txt", "x"), Upper(listed),
                                                    tree.Path("gone"), tree.Folder("x;;y"), alpha})),
                 0);
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), (Items{listed, zeta, alpha}));
    EXPECT_FALSE(ui.Enabled(IDC_DIRECTORY_ADD));  // even with text in the entry
    EXPECT_EQ(ui.Text(IDC_DIRECTORY_ENTRY), "typed");
    EXPECT_EQ(ui.Title(), "[検索設定] OK ボタンを押してください");
    EXPECT_TRUE(scripted::MessageBoxes().empty());

    // A later Add takes its place in the sort order; dropped folders stay last.
    ui.AddFolder(tree.Folder("beta"));
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), (Items{tree.Path("beta"), listed, zeta, alpha}));
}

TEST_F(FolderInputTest, ADroppedFolderThatCp932CannotWriteIsAddedAsItIs) {
    const std::wstring hangul = tree.WriteWide(L"\uD55C\uAE00dir\\x.txt", "x");
    const std::wstring accented = tree.WriteWide(L"caf\u00E9\\x.txt", "x");
    tree.Folder("cafe");
    SettingsHarness ui(dialog);
    const std::wstring cafe = accented.substr(0, accented.size() - 6);
    SendMessageA(ui.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeWideDrop({hangul.substr(0, hangul.size() - 6), cafe,
                                                        widepath::FromCp932(tree.Folder("表"))})),
                 0);
    // Shown with '?' where cp932 has no letter; never as the other folder "cafe".
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), (Items{tree.Path("??dir"), tree.Path("caf?"), tree.Path("表")}));
    EXPECT_TRUE(scripted::MessageBoxes().empty());
    ui.Press(IDOK);
    EXPECT_EQ(dialog.JoinedDirectories,
              hangul.substr(0, hangul.size() - 6) + L";;" + cafe + L";;" + widepath::FromCp932(tree.Path("表")) + L";;");
}

TEST_F(FolderInputTest, ADropOnTheListReachesTheDialogAndFilesAloneAddNothing) {
    SettingsHarness ui(dialog);
    HWND list = GetDlgItem(ui.Handle(), IDC_DIRECTORY_LIST);
    SendMessageA(list, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({tree.WriteFile("a.txt", "a")})), 0);
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{});
    EXPECT_FALSE(ui.Enabled(IDOK));
    EXPECT_FALSE(ui.Enabled(IDC_DIRECTORY_ADD));
    SendMessageA(list, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({tree.Folder("d")})), 0);
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{tree.Path("d")});
    EXPECT_TRUE(ui.Enabled(IDOK));
}

}  // namespace
