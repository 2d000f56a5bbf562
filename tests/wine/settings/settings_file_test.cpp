// Saving and opening settings files, on real files through the Windows
// run-time's text mode.
#include "SettingsHarness.h"
#include "platform/WidePath.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <commdlg.h>

#include <cstring>

using Items = std::vector<std::string>;

namespace {

int FilesIn(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    int count = 0;
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return count;
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { scripted::Reset(); }

    // Opens `path` with the Open button.
    void Open(SettingsHarness& ui, const std::string& path) { ui.OpenFile(path); }
    void Save(SettingsHarness& ui, const std::string& path) { ui.SaveFile(path); }

    TempTree tree;
    CSettingsDialog dialog;
};

TEST_F(SettingsFileTest, SaveThenOpenGivesTheSameLists) {
    const std::string data = tree.Folder("data"), photos = tree.Folder("photos");
    const std::string file = tree.Path("system.dat");
    SettingsHarness ui(dialog);
    ui.AddFolder(photos);
    ui.AddFolder(data);
    ui.AddFileType("*.JPG");
    Save(ui, file);
    const FileDialogRequest& request = scripted::FileDialogs().back();
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.fileName, "system.dat");
    EXPECT_EQ(request.defaultExtension, "system.dat");
    EXPECT_EQ(request.flags, 6u | OFN_NOCHANGEDIR);
    EXPECT_EQ(request.filter, "*.dat|*.dat");
    // Text mode: CR LF on disk.
    EXPECT_EQ(TempTree::ReadFile(file), "#DIRECTORY\r\n" + data + "\r\n#DIRECTORY\r\n" + photos +
                                            "\r\n#FILETYPE\r\n*.*\r\n#FILETYPE\r\n*.jpg\r\n");
    EXPECT_EQ(FilesIn(tree.Root()), 1);  // no temporary file left

    ui.Select(IDC_FILETYPE_LIST, 1);
    ui.DoubleClick(IDC_DIRECTORY_LIST, 0);
    SendDlgItemMessageA(ui.Handle(), IDC_SUBDIRECTORY_CHECK, BM_SETCHECK, BST_UNCHECKED, 0);
    ui.Type(IDC_DIRECTORY_ENTRY, "typed");
    Open(ui, file);
    EXPECT_TRUE(scripted::FileDialogs().back().open);
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), (Items{data, photos}));
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), (Items{"*.*", "*.jpg"}));
    EXPECT_TRUE(ui.Enabled(IDOK));
    EXPECT_EQ(ui.Title(), "[検索設定] OK ボタンを押してください");
    // Loading leaves the check box, entry fields and button modes alone.
    EXPECT_EQ(ui.Checked(), BST_UNCHECKED);
    EXPECT_EQ(ui.Text(IDC_DIRECTORY_ENTRY), "typed");
    EXPECT_EQ(dialog.DirectoryFlag, 1);
    EXPECT_EQ(ui.Text(IDC_FILETYPE_ADD), "削除(&E)");
    // Remove with no entry selected any more removes nothing.
    ui.Press(IDC_FILETYPE_ADD);
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST).size(), 2u);
    EXPECT_FALSE(ui.Enabled(IDC_FILETYPE_ADD));
    EXPECT_TRUE(scripted::MessageBoxes().empty());
}

TEST_F(SettingsFileTest, OpeningSkipsDuplicateMissingAndOddRecords) {
    const std::string data = tree.Folder("data");
    std::string upper = data;
    for (char& c : upper) if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    tree.Folder("x;;y");
    const std::string file = tree.WriteFile("mixed.dat",
        "#FILETYPE\r\nreport.TXT\r\n#DIRECTORY\r\n" + data + "\r\n#FILETYPE\r\n*.jpg\r\n"
        "#DIRECTORY\r\n" + upper + "\r\n#DIRECTORY\r\n" + tree.Path("deleted") + "\r\n"
        "#DIRECTORY\r\n" + tree.Path("x;;y") + "\r\n#DIRECTORY\r\n\r\n#FILETYPE\r\n*.JPG\r\n"
        "#FILETYPE\r\n*readme\r\n#FILETYPE\r\n\r\n#FILETYPE\r\n");
    SettingsHarness ui(dialog);
    Open(ui, file);
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{data});
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), (Items{"**readme", "*.jpg", "*.TXT"}));
    EXPECT_TRUE(scripted::MessageBoxes().empty());
}

TEST_F(SettingsFileTest, FilesWithOnlyFoldersOrNoMarkersEmptyTheLists) {
    const std::string data = tree.Folder("data");
    SettingsHarness ui(dialog);
    Open(ui, tree.WriteFile("folders.dat", "#DIRECTORY\r\n" + data + "\r\n"));
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{data});
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), Items{});  // no default *.*
    EXPECT_FALSE(ui.Enabled(IDOK));
    EXPECT_EQ(ui.Title(), "[検索設定] ファイルの種類を設定して下さい");

    Open(ui, tree.WriteFile("plain.dat", data + "\r\n*.*\r\n"));
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{});
    EXPECT_EQ(ui.Title(), "[検索設定] ディレクトリとファイルの種類を設定して下さい");
}

TEST_F(SettingsFileTest, LongLinesAreReadInPiecesThatCountAsLines) {
    // The run-time's text mode drops the CR of CR LF. 2500 bytes: the first 1999 end in ".one"; the remaining 501 begin
    // with a marker whose value is the next line.
    const std::string line = std::string(1995, 'x') + ".one" + "#FILETYPE" + std::string(488, 'y') + ".two";
    ASSERT_EQ(line.size(), 2500u);
    SettingsHarness ui(dialog);
    Open(ui, tree.WriteFile("long.dat", "#FILETYPE\r\n" + line + "\r\nfile.three\r\n"));
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), (Items{"*.one", "*.three"}));
}

TEST_F(SettingsFileTest, FilesThatCannotBeOpenedAreReportedAndLeftAsTheyWere) {
    const std::string old = "#FILETYPE\r\n*.old\r\n";
    const std::string readOnly = tree.WriteFile("readonly.dat", old);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string locked = tree.WriteFile("system.dat", old);
    SettingsHarness ui(dialog);
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Open(ui, locked);
    Save(ui, locked);
    CloseHandle(lock);
    Open(ui, tree.Folder("folder.dat"));
    Save(ui, tree.Path("folder.dat"));
    Save(ui, readOnly);
    Save(ui, tree.Path("no folder\\new.dat"));
    scripted::CancelFileDialog();
    ui.Press(IDC_OPEN_BUTTON);
    ui.Press(IDC_SAVE_BUTTON);

    std::vector<std::string> texts;
    for (const auto& box : scripted::MessageBoxes()) texts.push_back(box.text);
    EXPECT_EQ(texts, (Items{"system.datが開けません", "system.datが開けません", "folder.datが開けません",
                            "folder.datが開けません", "readonly.datが開けません", "new.datが開けません"}));
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), Items{"*.*"});
    EXPECT_EQ(TempTree::ReadFile(readOnly), old);
    EXPECT_EQ(TempTree::ReadFile(locked), old);
    EXPECT_EQ(FilesIn(tree.Root()), 2);  // no temporary file left
}

TEST_F(SettingsFileTest, OddRecordsAreSkippedAndAByteOrderMarkIsIgnored) {
    const std::string data = tree.Folder("data"), other = tree.Folder("other");
    SettingsHarness ui(dialog);
    Open(ui, tree.WriteFile("odd.dat",
        "\xEF\xBB\xBF#DIRECTORY\r\n" + data + "\r\n#DIRECTORY\r\n" + data + "\\\r\n"  // the same folder
        "#DIRECTORY\r\n" + other + "\x1f\r\n#FILETYPE\r\n*.j\x01pg\r\n#FILETYPE\r\n\x02\x03.\x04\r\n"
        "#FILETYPE\r\n*.txt\r\n"));
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{data});
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), Items{"*.txt"});

    // A file larger than any settings file is refused before it is read.
    std::string big;
    while (big.size() <= 1024 * 1024) big += "#FILETYPE\r\n*.big\r\n";
    Open(ui, tree.WriteFile("big.dat", big));
    ASSERT_EQ(scripted::MessageBoxes().size(), 1u);
    EXPECT_EQ(scripted::MessageBoxes()[0].text,
              "big.datは設定ファイルとしては大きすぎるため読み込めません (1 MB まで)");
    EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), Items{"*.txt"});
}

TEST_F(SettingsFileTest, FoldersAreTakenAsFullPathsAndTheCurrentFolderStays) {
    const std::string sub = tree.Folder("sub"), loaded = tree.Folder("loaded");
    tree.Folder("files");
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    SetCurrentDirectoryA(tree.Root().c_str());
    SettingsHarness ui(dialog);
    ui.AddFolder("sub");
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{sub});
    // Relative to the current folder, which the file dialogs leave alone.
    Save(ui, tree.Path("files\\saved.dat"));
    Open(ui, tree.WriteFile("files\\relative.dat",
                            "#DIRECTORY\r\nloaded\r\n#DIRECTORY\r\n.\\sub\\..\\loaded\\\r\n#FILETYPE\r\n*.*\r\n"));
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), Items{loaded});
    char after[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, after);
    SetCurrentDirectoryA(before);
    EXPECT_EQ(std::string(after), tree.Root());
}

}  // namespace

namespace {

class ExactFolders : public SettingsFileTest {
protected:
    // A folder whose name cp932 cannot write, beside the other folder that
    // a best-fit conversion would make of it.
    std::wstring Cafe() {
        tree.Folder("cafe");
        const std::wstring file = tree.WriteWide(L"caf\u00E9\\x.txt", "x");
        return file.substr(0, file.size() - 6);
    }
    std::wstring Wave() {
        const std::wstring file = tree.WriteWide(L"wd\u301C\\x.txt", "x");
        return file.substr(0, file.size() - 6);
    }
    static void TypeWide(SettingsHarness& ui, const std::wstring& text) {
        SetWindowTextW(GetDlgItem(ui.Handle(), IDC_DIRECTORY_ENTRY), text.c_str());
    }
    static void Paste(SettingsHarness& ui, const std::wstring& text) {
        HWND entry = GetDlgItem(ui.Handle(), IDC_DIRECTORY_ENTRY);
        ASSERT_TRUE(OpenClipboard(ui.Handle()));
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
        SetWindowTextW(entry, L"");
        SendMessageW(entry, WM_PASTE, 0, 0);
    }
};

TEST_F(ExactFolders, AFolderOutsideCp932IsTypedPastedBrowsedSavedAndLoadedExactly) {
    const std::wstring cafe = Cafe(), wave = Wave();
    const std::wstring hangul = tree.WriteWide(L"\uD55C\\x.txt", "x");
    const std::wstring korean = hangul.substr(0, hangul.size() - 6);
    const std::string plain = tree.Folder("plain");
    SettingsHarness ui(dialog);
    TypeWide(ui, cafe);
    ui.Press(IDC_DIRECTORY_ADD);
    Paste(ui, wave);
    ui.Press(IDC_DIRECTORY_ADD);
    scripted::AnswerFolderBrowser(korean);
    ui.Press(IDC_DIRECTORY_BROWSE);
    ui.Press(IDC_DIRECTORY_ADD);
    ui.AddFolder(plain);
    EXPECT_TRUE(scripted::MessageBoxes().empty());
    // Shown as the other lists show such names; chosen, the entry holds it exactly.
    EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), (Items{tree.Path("?"), tree.Path("caf?"), tree.Path("plain"), tree.Path("wd?")}));
    ui.Select(IDC_DIRECTORY_LIST, 1);
    wchar_t shown[MAX_PATH] = {};
    GetWindowTextW(GetDlgItem(ui.Handle(), IDC_DIRECTORY_ENTRY), shown, MAX_PATH);
    EXPECT_EQ(std::wstring(shown), cafe);
    // The same folder again, in another case, is refused.
    TypeWide(ui, widepath::FromCp932(tree.Path("CAF")) + L"\u00E9");
    ui.Press(IDC_DIRECTORY_ADD);
    ASSERT_EQ(scripted::MessageBoxes().size(), 1u);
    EXPECT_EQ(scripted::MessageBoxes()[0].text, "既に登録されています");

    const std::string file = tree.Path("exact.dat");
    Save(ui, file);
    EXPECT_EQ(TempTree::ReadFile(file), "#UTF8DIRECTORY\r\n" + widepath::ToUtf8(korean) + "\r\n#UTF8DIRECTORY\r\n" +
                                            widepath::ToUtf8(cafe) + "\r\n#DIRECTORY\r\n" + plain +
                                            "\r\n#UTF8DIRECTORY\r\n" + widepath::ToUtf8(wave) +
                                            "\r\n#FILETYPE\r\n*.*\r\n");
    ui.Press(IDOK);
    const std::wstring confirmed = dialog.JoinedDirectories;
    EXPECT_EQ(confirmed, korean + L";;" + cafe + L";;" + widepath::FromCp932(plain) + L";;" + wave + L";;");

    ui.Reopen();
    Open(ui, file);
    ui.Press(IDOK);
    EXPECT_EQ(dialog.JoinedDirectories, confirmed);
}

TEST_F(ExactFolders, ASettingsFileInUnicodeReadsAsTheSameRecords) {
    const std::wstring cafe = Cafe();
    const std::string plain = tree.Folder("plain");
    const std::wstring text = L"#DIRECTORY\r\n" + cafe + L"\r\n#FILETYPE\r\n*.TXT\r\n#DIRECTORY\r\n" +
                              widepath::FromCp932(plain) + L"\r\n";
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (wchar_t c : text) {
        little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
    const std::string utf8 = "\xEF\xBB\xBF" + widepath::ToUtf8(text);
    const std::string cp932 = "#UTF8DIRECTORY\r\n" + widepath::ToUtf8(cafe) + "\r\n#FILETYPE\r\n*.TXT\r\n#DIRECTORY\r\n" +
                              plain + "\r\n";
    for (const std::string& bytes : {little, big, utf8, cp932}) {
        SettingsHarness ui(dialog);
        Open(ui, tree.WriteFile("unicode.dat", bytes));
        EXPECT_EQ(ui.Items(IDC_DIRECTORY_LIST), (Items{tree.Path("caf?"), plain}));
        EXPECT_EQ(ui.Items(IDC_FILETYPE_LIST), Items{"*.TXT"});
        ui.Press(IDOK);
        EXPECT_EQ(dialog.JoinedDirectories, cafe + L";;" + widepath::FromCp932(plain) + L";;");
    }
}

}  // namespace
