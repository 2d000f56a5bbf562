// The settings dialog's lists, buttons, rules and messages.
#include "SettingsHarness.h"
#include "platform/WidePath.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <commdlg.h>

#include <cctype>
#include <functional>

using Items = std::vector<std::string>;

namespace {

const std::string TitleStart = "[検索設定] ";

std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const auto& box : scripted::MessageBoxes()) {
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
        texts.push_back(box.text);
    }
    return texts;
}

class SettingsDialogTest : public SettingsFixture {};

TEST_F(SettingsDialogTest, FirstOpeningAndTheTitleForEachPairOfCounts) {
    SettingsHarness ui(dialog);
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{});
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), Items{"*.*"});
    EXPECT_EQ(ui.Checked(), BST_CHECKED);
    EXPECT_FALSE(ui.Enabled(IDOK));
    EXPECT_FALSE(ui.Enabled(IDC_DIRECTORY_ADD));
    EXPECT_FALSE(ui.Enabled(IDC_FILETYPE_ADD));
    EXPECT_EQ(ui.Title(), TitleStart + "ディレクトリを設定して下さい");

    ui.DoubleClick(IDC_FILETYPE_LIST, 0);
    EXPECT_EQ(ui.Title(), TitleStart + "ディレクトリとファイルの種類を設定して下さい");
    ui.AddFolder(tree.Folder("data"));
    EXPECT_EQ(ui.Title(), TitleStart + "ファイルの種類を設定して下さい");
    EXPECT_FALSE(ui.Enabled(IDOK));
    ui.AddFileType("*.jpg");
    EXPECT_EQ(ui.Title(), TitleStart + "OK ボタンを押してください");
    EXPECT_TRUE(ui.Enabled(IDOK));
    // Selecting and typing leave the caption alone.
    ui.Select(IDC_DIRECTORY_LIST, 0);
    ui.Type(IDC_FILETYPE_ENTRY, "*.x");
    EXPECT_EQ(ui.Title(), TitleStart + "OK ボタンを押してください");
}

TEST_F(SettingsDialogTest, FolderAddRefusesListedEmptyMissingAndSeparatorFolders) {
    const std::string data = tree.Folder("data");
    const std::string odd = tree.Folder("a;;b");
    SettingsHarness ui(dialog);
    ui.AddFolder(data);
    ASSERT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{data});
    EXPECT_EQ(ui.Text(IDC_DIRECTORY_ENTRY), "");
    EXPECT_FALSE(ui.Enabled(IDC_DIRECTORY_ADD));

    std::string upper = data;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    for (const std::string& refused : {upper, tree.Path("missing"), tree.WriteFile("file.txt", "x"), odd}) {
        ui.AddFolder(refused);
        // The list, the entry text and the Add mode stay as they were.
        EXPECT_EQ(ui.Text(IDC_DIRECTORY_ENTRY), refused);
        EXPECT_TRUE(ui.Enabled(IDC_DIRECTORY_ADD));
        EXPECT_EQ(dialog.DirectoryFlag, 1);
    }
    EXPECT_EQ(MessageTexts(), (Items{"既に登録されています", "ディレクトリが存在しません",
                                     "ディレクトリが存在しません", "ディレクトリが存在しません"}));
    // Typed and erased: Add stays enabled and does nothing.
    ui.AddFolder("");
    EXPECT_TRUE(ui.Enabled(IDC_DIRECTORY_ADD));
    EXPECT_EQ(scripted::MessageBoxes().size(), 4u);
    // A final backslash names the same folder.
    ui.AddFolder(data + "\\");
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{data});
    EXPECT_EQ(MessageTexts().back(), "既に登録されています");
}

TEST_F(SettingsDialogTest, FileTypesAreLowerCasedAndCheckedIgnoringCase) {
    SettingsHarness ui(dialog);
    ui.Press(IDC_DIRECTORY_ADD);  // buttons without a mode report their flag
    ui.Press(IDC_FILETYPE_ADD);
    ui.AddFileType("*.TXT");
    ui.AddFileType("*.txt");
    ui.AddFileType("Data");  // any text is a pattern
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), (Items{"*.*", "*.txt", "data"}));
    EXPECT_EQ(MessageTexts(), (Items{"DirectoryFlag error", "FileTypeyFlag error", "既に登録されています"}));
    EXPECT_EQ(ui.Text(IDC_FILETYPE_ENTRY), "");
    EXPECT_EQ(ui.Text(IDC_FILETYPE_ADD), "追加(&E)");
}

TEST_F(SettingsDialogTest, AddAndRemoveModesFollowTypingAndSelecting) {
    const std::string data = tree.Folder("data"), photos = tree.Folder("photos");
    SettingsHarness ui(dialog);
    ui.AddFolder(data);
    ui.AddFolder(photos);

    ui.Select(IDC_DIRECTORY_LIST, 1);
    EXPECT_EQ(ui.Text(IDC_DIRECTORY_ENTRY), photos);
    EXPECT_EQ(ui.Text(IDC_DIRECTORY_ADD), "削除(&S)");
    EXPECT_EQ(dialog.DirectoryFlag, 2);
    // Editing the selected text turns Remove back into Add of that text.
    ui.Type(IDC_DIRECTORY_ENTRY, photos + "x");
    EXPECT_EQ(ui.Text(IDC_DIRECTORY_ADD), "追加(&S)");
    ui.Press(IDC_DIRECTORY_ADD);
    EXPECT_EQ(MessageTexts(), Items{"ディレクトリが存在しません"});

    ui.Select(IDC_DIRECTORY_LIST, 0);
    ui.Press(IDC_DIRECTORY_ADD);  // Remove by the button
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{photos});
    EXPECT_EQ(ui.Text(IDC_DIRECTORY_ENTRY), "");
    EXPECT_FALSE(ui.Enabled(IDC_DIRECTORY_ADD));
    EXPECT_EQ(ui.Text(IDC_DIRECTORY_ADD), "追加(&S)");
    ui.DoubleClick(IDC_DIRECTORY_LIST, 0);
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{});
    EXPECT_FALSE(ui.Enabled(IDOK));

    // Showing a selected text leaves an unconfirmed click on the check box.
    SendDlgItemMessageA(ui.Handle(), IDC_SUBDIRECTORY_CHECK, BM_SETCHECK, BST_UNCHECKED, 0);
    ui.Select(IDC_FILETYPE_LIST, 0);
    EXPECT_EQ(ui.Text(IDC_FILETYPE_ADD), "削除(&E)");
    EXPECT_EQ(ui.Text(IDC_FILETYPE_ENTRY), "*.*");
    ui.Press(IDC_FILETYPE_ADD);
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), Items{});
    EXPECT_FALSE(ui.Enabled(IDC_FILETYPE_ADD));
    EXPECT_EQ(ui.Checked(), BST_UNCHECKED);
}

TEST_F(SettingsDialogTest, OkJoinsTheListsAndCancelThrowsAwayEveryChange) {
    const std::string data = tree.Folder("data"), photos = tree.Folder("photos");
    SettingsHarness ui(dialog);
    ui.AddFolder(photos);
    ui.AddFolder(data);
    SendDlgItemMessageA(ui.Handle(), IDC_SUBDIRECTORY_CHECK, BM_SETCHECK, BST_UNCHECKED, 0);
    ui.Press(IDOK);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.JoinedDirectories, widepath::FromCp932(data + ";;" + photos + ";;"));
    EXPECT_EQ(dialog.JoinedFileTypes, "*.*;;");
    EXPECT_EQ(dialog.SubdirectoryFlag, 0);

    // Every kind of change, then Cancel.
    ui.Reopen();
    EXPECT_EQ(ui.Checked(), BST_UNCHECKED);  // the state of the last OK
    ui.DoubleClick(IDC_FILETYPE_LIST, 0);
    ui.DoubleClick(IDC_DIRECTORY_LIST, 0);
    ui.AddFolder(tree.Folder("more"));
    SendDlgItemMessageA(ui.Handle(), IDC_SUBDIRECTORY_CHECK, BM_SETCHECK, BST_CHECKED, 0);
    ui.Type(IDC_FILETYPE_ENTRY, "*.x");  // takes the fields, check box included
    ui.Press(IDCANCEL);
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_EQ(dialog.JoinedDirectories, widepath::FromCp932(data + ";;" + photos + ";;"));
    EXPECT_EQ(dialog.JoinedFileTypes, "*.*;;");
    EXPECT_EQ(dialog.SubdirectoryFlag, 0);

    ui.Reopen();
    // Restored pieces are appended in stored order.
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), (Items{data, photos}));
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), Items{"*.*"});
    EXPECT_EQ(ui.Checked(), BST_UNCHECKED);
    EXPECT_TRUE(ui.Enabled(IDOK));
    EXPECT_EQ(ui.Text(IDC_FILETYPE_ENTRY), "*.x");  // entry texts are kept
    EXPECT_FALSE(ui.Enabled(IDC_FILETYPE_ADD));
}

TEST_F(SettingsDialogTest, FileTypeBrowseProposesThePatternOfTheChosenFile) {
    SettingsHarness ui(dialog);
    scripted::CancelFileDialog();
    ui.Press(IDC_FILETYPE_BROWSE);
    EXPECT_EQ(ui.Text(IDC_FILETYPE_ENTRY), "");
    ASSERT_EQ(scripted::FileDialogs().size(), 1u);
    const FileDialogRequest& request = scripted::FileDialogs()[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.defaultExtension, "");
    EXPECT_EQ(request.fileName, "");
    EXPECT_EQ(request.flags, 6u | OFN_NOCHANGEDIR);
    EXPECT_EQ(request.filter, "*.*|*.*");

    scripted::AnswerFileDialog(tree.Path("dir.v2\\Report.TXT"));
    ui.Press(IDC_FILETYPE_BROWSE);
    EXPECT_EQ(ui.Text(IDC_FILETYPE_ENTRY), "*.TXT");
    EXPECT_EQ(ui.Text(IDC_FILETYPE_ADD), "追加(&E)");
    EXPECT_TRUE(ui.Enabled(IDC_FILETYPE_ADD));
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), Items{"*.*"});  // nothing added yet
    ui.Press(IDC_FILETYPE_ADD);
    scripted::AnswerFileDialog(tree.Path("README"));
    ui.Press(IDC_FILETYPE_BROWSE);
    ui.Press(IDC_FILETYPE_ADD);
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), (Items{"*.*", "*.txt", "*readme"}));
}

// A dialog whose opening is followed by scripted steps, for DoModal.
class ScriptedSettingsDialog : public CSettingsDialog {
public:
    std::function<void(ScriptedSettingsDialog&)> steps;

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CSettingsDialog::OnInitDialog();
        PostMessageA(Handle(), WM_APP, 0, 0);
        return result;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message != WM_APP) return CSettingsDialog::OnMessage(message, wParam, lParam, result);
        steps(*this);
        return true;
    }
};

TEST_F(SettingsDialogTest, ModalOpeningReturnsOkWithTheJoinedTexts) {
    const std::string data = tree.Folder("data");
    ScriptedSettingsDialog modal;
    modal.steps = [&](ScriptedSettingsDialog& shown) {
        SetWindowTextA(shown.Item(IDC_DIRECTORY_ENTRY).Handle(), data.c_str());
        SendMessageA(shown.Item(IDC_DIRECTORY_ADD).Handle(), BM_CLICK, 0, 0);
        SendMessageA(shown.Item(IDOK).Handle(), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(modal.DoModal(), IDOK);
    EXPECT_EQ(modal.JoinedDirectories, widepath::FromCp932(data + ";;"));
    EXPECT_EQ(modal.JoinedFileTypes, "*.*;;");
    EXPECT_EQ(modal.SubdirectoryFlag, 1);

    modal.steps = [](ScriptedSettingsDialog& shown) { shown.Wnd().Post(WM_CLOSE); };
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
}

// A key pressed and let go on the focused control, as the keyboard sends it.
void PressSpace(HWND control) {
    PostMessageA(control, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageA(control, WM_KEYUP, VK_SPACE, 0xC0390001);
}

TEST_F(SettingsDialogTest, TheFocusLeavesTheButtonThatAddingOrRemovingDisables) {
    const std::string data = tree.Folder("data");
    ScriptedSettingsDialog modal;
    std::vector<int> focused;  // the focused control's id after each press
    // Each step runs once the keys and clicks that the one before posted
    // have gone through the dialog's loop.
    std::vector<std::function<void(ScriptedSettingsDialog&)>> steps = {
        [&](ScriptedSettingsDialog& shown) {
            SetWindowTextA(shown.Item(IDC_DIRECTORY_ENTRY).Handle(), data.c_str());
            shown.Item(IDC_DIRECTORY_ADD).TakeFocus();
            PressSpace(shown.Item(IDC_DIRECTORY_ADD).Handle());
        },
        [&](ScriptedSettingsDialog& shown) {
            focused.push_back(GetDlgCtrlID(GetFocus()));
            // The added folder, chosen with a click, makes the button Remove.
            ListBox list(shown.Item(IDC_DIRECTORY_LIST).Handle());
            RECT line;
            list.Send(LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&line));
            list.Post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(line.left + 5, line.top + 2));
            list.Post(WM_LBUTTONUP, 0, MAKELPARAM(line.left + 5, line.top + 2));
        },
        [&](ScriptedSettingsDialog& shown) {
            EXPECT_EQ(shown.Item(IDC_DIRECTORY_ADD).Text(), "削除(&S)");
            shown.Item(IDC_DIRECTORY_ADD).TakeFocus();
            PressSpace(shown.Item(IDC_DIRECTORY_ADD).Handle());
        },
        [&](ScriptedSettingsDialog& shown) {
            focused.push_back(GetDlgCtrlID(GetFocus()));
            EXPECT_EQ(ListBox(shown.Item(IDC_DIRECTORY_LIST).Handle()).Count(), 0);
            shown.Wnd().Post(WM_CLOSE);
        },
    };
    size_t next = 0;
    modal.steps = [&](ScriptedSettingsDialog& shown) {
        steps[next++](shown);
        if (next < steps.size()) shown.Wnd().Post(WM_APP);
    };
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    ASSERT_EQ(next, steps.size());
    // After Add the next folder is typed; after Remove the next one is chosen.
    EXPECT_EQ(focused, (std::vector<int>{IDC_DIRECTORY_ENTRY, IDC_DIRECTORY_LIST}));
}

}  // namespace
