// The minimum size, the excluded folders and the protected folders in the
// settings dialog and in the settings file.
#include "SettingsHarness.h"

#include "platform/WidePath.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <algorithm>

using Items = std::vector<std::string>;

namespace {

class ScopeSettingsTest : public SettingsFixture {
protected:
    static bool Ticked(const SettingsHarness& ui, int id) {
        return SendDlgItemMessageA(ui.Handle(), id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
};

TEST_F(ScopeSettingsTest, TheDialogEditsTheThreeSettingsAndOkTakesThem) {
    const std::string archive = tree.Folder("archive"), data = tree.Folder("data");
    SettingsHarness ui(dialog);
    ui.AddFolder(data);
    ui.AddFolder(archive);
    EXPECT_FALSE(ui.Enabled(IDC_PROTECT_CHECK));
    ui.Select(IDC_DIRECTORY_LIST, 0);
    EXPECT_TRUE(ui.Enabled(IDC_PROTECT_CHECK));
    EXPECT_FALSE(Ticked(ui, IDC_PROTECT_CHECK));
    ui.Press(IDC_PROTECT_CHECK);
    EXPECT_TRUE(Ticked(ui, IDC_PROTECT_CHECK));
    ui.Select(IDC_DIRECTORY_LIST, 1);
    EXPECT_FALSE(Ticked(ui, IDC_PROTECT_CHECK));
    // The list's texts stay the paths.
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), (Items{archive, data}));

    // The exclusion editor works as the other lists' do.
    ui.Type(IDC_EXCLUDE_ENTRY, "node_modules");
    EXPECT_EQ(ui.Text(IDC_EXCLUDE_ADD), "追加(&X)");
    ui.Press(IDC_EXCLUDE_ADD);
    ui.Type(IDC_EXCLUDE_ENTRY, "NODE_MODULES");
    ui.Press(IDC_EXCLUDE_ADD);
    EXPECT_EQ(scripted::MessageBoxes().back().text, "既に登録されています");
    ui.Type(IDC_EXCLUDE_ENTRY, data + "\\cache");
    ui.Press(IDC_EXCLUDE_ADD);
    ui.Type(IDC_EXCLUDE_ENTRY, ".git");
    ui.Press(IDC_EXCLUDE_ADD);
    ui.Select(IDC_EXCLUDE_LIST, 0);
    EXPECT_EQ(ui.Text(IDC_EXCLUDE_ADD), "削除(&X)");
    ui.Press(IDC_EXCLUDE_ADD);
    EXPECT_EQ(ui.Items(IDC_EXCLUDE_LIST), (Items{data + "\\cache", "node_modules"}));

    ui.Type(IDC_MINIMUM_SIZE, "64");
    // The new settings never disable OK.
    EXPECT_TRUE(ui.Enabled(IDOK));
    ui.Press(IDOK);
    EXPECT_EQ(dialog.MinimumSizeKb, 64u);
    EXPECT_EQ(dialog.ExcludedFolders, (std::vector<std::wstring>{widepath::FromCp932(data + "\\cache"), L"node_modules"}));
    EXPECT_EQ(dialog.ProtectedFolders, std::vector<std::wstring>{widepath::FromCp932(archive)});

    // Cancel throws changes away; removing a protected folder drops its mark.
    ui.Reopen();
    EXPECT_EQ(ui.Text(IDC_MINIMUM_SIZE), "64");
    ui.Type(IDC_MINIMUM_SIZE, "");
    ui.DoubleClick(IDC_DIRECTORY_LIST, 0);
    ui.Press(IDCANCEL);
    EXPECT_EQ(dialog.MinimumSizeKb, 64u);
    ui.Reopen();
    ui.Select(IDC_DIRECTORY_LIST, 0);
    EXPECT_TRUE(Ticked(ui, IDC_PROTECT_CHECK));
    ui.DoubleClick(IDC_DIRECTORY_LIST, 0);
    ui.AddFolder(archive);
    ui.Type(IDC_MINIMUM_SIZE, "0");
    ui.Press(IDOK);
    EXPECT_TRUE(dialog.ProtectedFolders.empty());
    EXPECT_EQ(dialog.MinimumSizeKb, 0u);
}

TEST_F(ScopeSettingsTest, TheFileKeepsAllThreeAlsoOutsideCp932) {
    const std::string archive = tree.Folder("archive"), data = tree.Folder("data");
    const std::wstring outside = L"\U00020BB7*";
    const std::string file = tree.Path("system.dat");
    dialog.JoinedDirectories = widepath::FromCp932(archive + ";;" + data + ";;");
    dialog.JoinedFileTypes = "*.*;;";
    dialog.MinimumSizeKb = 64;
    // Two more that cp932 shows alike, as "?".
    dialog.ExcludedFolders = {L".git", outside, L"\U0001F600", L"\U0001F609"};
    dialog.ProtectedFolders = {widepath::FromCp932(archive)};
    SettingsHarness ui(dialog);
    ui.SaveFile(file);
    // A reader of folders and types alone finds its records unchanged.
    const std::string saved = TempTree::ReadFile(file);
    EXPECT_EQ(saved.substr(0, saved.find("#MINSIZE")), "#DIRECTORY\r\n" + archive + "\r\n#DIRECTORY\r\n" + data +
                                                         "\r\n#FILETYPE\r\n*.*\r\n");
    for (const std::string& record :
         {std::string("#MINSIZE\r\n64\r\n"), std::string("#EXCLUDE\r\n.git\r\n"),
          std::string("#UTF8EXCLUDE\r\n\xF0\xA0\xAE\xB7*\r\n"), std::string("#UTF8EXCLUDE\r\n\xF0\x9F\x98\x80\r\n"),
          std::string("#UTF8EXCLUDE\r\n\xF0\x9F\x98\x89\r\n"), "#PROTECT\r\n" + archive + "\r\n"})
        EXPECT_NE(saved.find(record), std::string::npos) << record;

    // A file of folders and types alone clears all three.
    const std::string plain = tree.WriteFile("plain.dat", "#DIRECTORY\n" + data + "\n#FILETYPE\n*.txt\n");
    ui.OpenFile(plain);
    EXPECT_EQ(ui.Text(IDC_MINIMUM_SIZE), "");
    EXPECT_TRUE(ui.Items(IDC_EXCLUDE_LIST).empty());
    ui.Press(IDOK);
    EXPECT_EQ(dialog.MinimumSizeKb, 0u);
    EXPECT_TRUE(dialog.ExcludedFolders.empty());
    EXPECT_TRUE(dialog.ProtectedFolders.empty());

    ui.Reopen();
    ui.OpenFile(file);
    EXPECT_EQ(ui.Text(IDC_MINIMUM_SIZE), "64");
    ui.Select(IDC_DIRECTORY_LIST, 0);
    EXPECT_TRUE(Ticked(ui, IDC_PROTECT_CHECK));
    ui.Press(IDOK);
    EXPECT_EQ(dialog.MinimumSizeKb, 64u);
    std::vector<std::wstring> excluded = dialog.ExcludedFolders;
    std::sort(excluded.begin(), excluded.end());
    EXPECT_EQ(excluded, (std::vector<std::wstring>{L".git", L"\U0001F600", L"\U0001F609", outside}));
    EXPECT_EQ(dialog.ProtectedFolders, std::vector<std::wstring>{widepath::FromCp932(archive)});
}

TEST_F(ScopeSettingsTest, ExclusionsAndProtectionsOutsideCp932AreHeldExactly) {
    tree.Folder("cafe");
    const std::wstring file = tree.WriteWide(L"caf\u00E9\\x.txt", "x");
    const std::wstring cafe = file.substr(0, file.size() - 6);
    SettingsHarness ui(dialog);
    ui.AddFolder(tree.Path("cafe"));
    SetDlgItemTextW(ui.Handle(), IDC_DIRECTORY_ENTRY, cafe.c_str());
    ui.Press(IDC_DIRECTORY_ADD);
    // "caf?" sorts before "cafe": the folder outside cp932 is protected.
    ui.Select(IDC_DIRECTORY_LIST, 0);
    ui.Press(IDC_PROTECT_CHECK);
    SetDlgItemTextW(ui.Handle(), IDC_EXCLUDE_ENTRY, L"t\u00E9l\u00E9");
    ui.Press(IDC_EXCLUDE_ADD);
    ui.Type(IDC_EXCLUDE_ENTRY, "tele");
    ui.Press(IDC_EXCLUDE_ADD);
    EXPECT_TRUE(scripted::MessageBoxes().empty());
    EXPECT_EQ(ui.Items(IDC_EXCLUDE_LIST), (Items{"t?l?", "tele"}));
    ui.Press(IDOK);
    EXPECT_EQ(dialog.ExcludedFolders, (std::vector<std::wstring>{L"t\u00E9l\u00E9", L"tele"}));
    EXPECT_EQ(dialog.ProtectedFolders, std::vector<std::wstring>{cafe});
}

TEST_F(ScopeSettingsTest, UnknownRecordsAndProtectionsOfUnlistedFoldersAreIgnored) {
    const std::string data = tree.Folder("data");
    std::string upper = data;
    CharUpperA(&upper[0]);
    const std::string file = tree.WriteFile(
        "odd.dat", "#COLOUR\nred\n#DIRECTORY\n" + data + "\n#PROTECT\n" + tree.Path("elsewhere") +
                       "\n#MINSIZE\nlots\n#MINSIZE\n12\n#FILETYPE\n*.jpg\n#PROTECT\n" + upper +
                       "\n#UTF8EXCLUDE\n\xFF\xFE\n#LATER\n#EXCLUDE\n");
    SettingsHarness ui(dialog);
    ui.OpenFile(file);
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{data});
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), Items{"*.jpg"});
    ui.Press(IDOK);
    EXPECT_EQ(dialog.MinimumSizeKb, 12u);
    // "#LATER" is the value of the "#UTF8EXCLUDE" before it, which is no UTF-8.
    EXPECT_TRUE(dialog.ExcludedFolders.empty());
    // The protection of the listed folder, named in other letters, holds.
    EXPECT_EQ(dialog.ProtectedFolders, std::vector<std::wstring>{widepath::FromCp932(data)});
}

}  // namespace
