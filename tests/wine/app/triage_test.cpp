// Triage in the main window after a real comparison: the ticked total, the
// rules of the candidate list's context menu (by mouse and keyboard), and
// the saved list.
#include "app/ScriptedMainWindow.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include "platform/WidePath.h"
#include "review/SelectionMenu.h"
#include "review/core/ReviewTexts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Triage : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::Reset();
        // P: three copies, in a folder, its subfolder and another folder.
        for (const auto& [name, time] : {std::pair<std::string, int>{"a\\p.bin", 1000},
                                         {"a\\sub\\p.bin", 3000}, {"b\\p.bin", 2000}}) {
            tree.WriteFile(name, std::string(10, 'p'));
            tree.SetLastWriteTime(name, time);
        }
        // Q: two copies of one time, one with a comma in its name.
        for (const std::string name : {"a\\q,1.bin", "b\\q.bin"}) {
            tree.WriteFile(name, std::string(20, 'q'));
            tree.SetLastWriteTime(name, 5000);
        }
        // R: two folders that cp932 shows alike, as "x?".
        smiling = tree.WriteWide(L"x\U0001F600\\r.bin", std::string(30, 'r'));
        winking = tree.WriteWide(L"x\U0001F609\\r.bin", std::string(30, 'r'));
    }

    // Runs the steps in a main window whose comparison has just finished,
    // each after what the step before posted has gone through the loop.
    void AfterComparison(std::vector<ScriptedMainWindow::Step> steps) {
        ScriptedMainWindow main;
        steps.insert(steps.begin(), [this](ScriptedMainWindow& w) {
            w.ConfirmSettings(tree.Root() + ";;");
            w.OnSearchButton();
            ASSERT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
        });
        EXPECT_TRUE(main.RunSteps(steps));
    }

    static int LineOf(CCandidateList& lines, const std::wstring& path) {
        for (int line = 0; line < lines.Count(); ++line)
            if (lines.Line(line) && lines.Line(line)->file.path == path) return line;
        return -1;
    }
    int LineOf(CCandidateList& lines, const std::string& relative) const {
        return LineOf(lines, widepath::FromCp932(tree.Path(relative)));
    }
    // "x" for a ticked line, "o" for an unticked one, in the order given.
    std::string Ticks(CCandidateList& lines, const std::vector<std::string>& relatives) const {
        std::string ticks;
        for (const std::string& relative : relatives) ticks += lines.GetCheck(LineOf(lines, relative)) ? 'x' : 'o';
        return ticks;
    }

    // Opens the menu on a line with a right click and chooses `command`.
    static void RightClick(ScriptedMainWindow& w, int line, CSelectionMenu::Command command) {
        scripted::AnswerNextMenu(command);
        RECT rect;
        w.Candidates().Send(LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&rect));
        const LPARAM point = MAKELPARAM(rect.left + 80, (rect.top + rect.bottom) / 2);
        w.Candidates().Post(WM_RBUTTONDOWN, MK_RBUTTON, point);
        w.Candidates().Post(WM_RBUTTONUP, 0, point);
    }

    static std::string Total(ScriptedMainWindow& w) { return w.Item(IDC_TICKED_TOTAL).Text(); }

    TempTree tree;
    std::wstring smiling, winking;
};

TEST_F(Triage, RulesFromTheMenuActOnEveryGroupAndTheTotalFollows) {
    const std::vector<std::string> p = {"a\\p.bin", "a\\sub\\p.bin", "b\\p.bin"};
    const std::vector<std::string> q = {"a\\q,1.bin", "b\\q.bin"};
    AfterComparison({
        [&](ScriptedMainWindow& w) {
            // The newest copy of each group is kept.
            EXPECT_EQ(Ticks(w.Candidates(), p), "xox");
            EXPECT_EQ(Total(w), "チェック 4 ファイル / 70 バイト");
            RightClick(w, LineOf(w.Candidates(), "a\\p.bin"), CSelectionMenu::KeepFolder);
        },
        [&](ScriptedMainWindow& w) {
            ASSERT_EQ(scripted::Menus().size(), 1u);
            const std::vector<std::string> items = {
                "最新のファイルを残す(&N)", "最も古いファイルを残す(&O)", "このフォルダのファイルを残す(&F)",
                "このフォルダのファイルにチェック(&C)", "このファイルだけ残す(&K)", "すべてのチェックを外す(&U)", "",
                "チェックしたファイルをハードリンクに置き換える(&L)...", "", "一覧を保存...(&S)"};
            EXPECT_EQ(scripted::Menus()[0].items, items);
            // The subfolder's copy counts as elsewhere.
            EXPECT_EQ(Ticks(w.Candidates(), p), "oxx");
            EXPECT_EQ(Ticks(w.Candidates(), q), "ox");
            RightClick(w, LineOf(w.Candidates(), smiling), CSelectionMenu::KeepFolder);
        },
        [&](ScriptedMainWindow& w) {
            // Folders that look alike in cp932 are still two folders.
            CCandidateList& lines = w.Candidates();
            EXPECT_EQ(lines.GetCheck(LineOf(lines, smiling)), 0);
            EXPECT_EQ(lines.GetCheck(LineOf(lines, winking)), 1);
            EXPECT_EQ(Ticks(lines, p), "oxx");
            RightClick(w, 0, CSelectionMenu::UntickAll);
        },
        [&](ScriptedMainWindow& w) {
            EXPECT_EQ(Total(w), "チェック 0 ファイル / 0 バイト");
            RightClick(w, LineOf(w.Candidates(), "a\\p.bin"), CSelectionMenu::TickFolder);
        },
        [&](ScriptedMainWindow& w) {
            EXPECT_EQ(Ticks(w.Candidates(), p), "xoo");
            EXPECT_EQ(Ticks(w.Candidates(), q), "xo");
            EXPECT_EQ(w.Candidates().GetCheck(LineOf(w.Candidates(), smiling)), 0);
            RightClick(w, LineOf(w.Candidates(), "b\\p.bin"), CSelectionMenu::TickFolder);
        },
        [&](ScriptedMainWindow& w) {
            // P keeps its copy in the subfolder; Q would keep none, and stays.
            EXPECT_EQ(Ticks(w.Candidates(), p), "xox");
            EXPECT_EQ(Ticks(w.Candidates(), q), "xo");
            EXPECT_EQ(Total(w), "チェック 3 ファイル / 40 バイト");
            RightClick(w, 0, CSelectionMenu::KeepOldest);
        },
        [&](ScriptedMainWindow& w) {
            // Of equal times, the copy listed first is kept.
            CCandidateList& lines = w.Candidates();
            EXPECT_EQ(Ticks(lines, p), "oxx");
            const int firstQ = std::min(LineOf(lines, q[0]), LineOf(lines, q[1]));
            EXPECT_EQ(lines.GetCheck(firstQ), 0);
            EXPECT_EQ(lines.GetCheck(firstQ + 1), 1);
            RightClick(w, LineOf(lines, "b\\p.bin"), CSelectionMenu::KeepOnlyLine);
        },
        [&](ScriptedMainWindow& w) {
            EXPECT_EQ(Ticks(w.Candidates(), p), "xxo");
            RightClick(w, 0, CSelectionMenu::KeepNewest);
        },
        [&](ScriptedMainWindow& w) {
            EXPECT_EQ(Ticks(w.Candidates(), p), "xox");
            EXPECT_EQ(Total(w), "チェック 4 ファイル / 70 バイト");
            // A click on the tick box of P's newest copy counts at once.
            RECT rect;
            w.Candidates().Send(LB_GETITEMRECT, LineOf(w.Candidates(), "a\\sub\\p.bin"),
                                reinterpret_cast<LPARAM>(&rect));
            const LPARAM box = MAKELPARAM(rect.left + 5, (rect.top + rect.bottom) / 2);
            w.Candidates().Post(WM_LBUTTONDOWN, MK_LBUTTON, box);
            w.Candidates().Post(WM_LBUTTONUP, 0, box);
        },
        [&](ScriptedMainWindow& w) { EXPECT_EQ(Total(w), "チェック 5 ファイル / 80 バイト"); },
    });
}

TEST_F(Triage, TheKeyboardOpensTheMenuOnTheFocusedLine) {
    AfterComparison({
        [&](ScriptedMainWindow& w) {
            CCandidateList& lines = w.Candidates();
            lines.Send(LB_SETCARETINDEX, LineOf(lines, "a\\p.bin"));
            scripted::AnswerNextMenu(CSelectionMenu::KeepOnlyLine);
            // Shift+F10.
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0x80;
            SetKeyboardState(keys);
            lines.Post(WM_SYSKEYDOWN, VK_F10, 1);
            lines.Post(WM_SYSKEYUP, VK_F10, 0xC0000001);
        },
        [&](ScriptedMainWindow& w) {
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0;
            SetKeyboardState(keys);
            CCandidateList& lines = w.Candidates();
            ASSERT_EQ(scripted::Menus().size(), 1u);
            EXPECT_EQ(Ticks(lines, {"a\\p.bin", "a\\sub\\p.bin", "b\\p.bin"}), "oxx");
            lines.Send(LB_SETCARETINDEX, LineOf(lines, "b\\p.bin"));
            scripted::AnswerNextMenu(CSelectionMenu::KeepOnlyLine);
            // The menu key.
            lines.Post(WM_KEYDOWN, VK_APPS, 1);
            lines.Post(WM_KEYUP, VK_APPS, 0xC0000001);
        },
        [&](ScriptedMainWindow& w) {
            EXPECT_EQ(scripted::Menus().size(), 2u);
            EXPECT_EQ(Ticks(w.Candidates(), {"a\\p.bin", "a\\sub\\p.bin", "b\\p.bin"}), "xxo");
        },
    });
}

TEST_F(Triage, ReplacingWithLinksAsksFirstThenLinksTheTickedCopiesAndCountsWhatStayed) {
    const int LinkItem = 7;  // after the rules and a separator
    std::size_t asked = 0;   // message boxes before the menu's
    const auto names = [&](const std::string& relative) {
        BY_HANDLE_FILE_INFORMATION information = {};
        const HANDLE file = CreateFileA(tree.Path(relative).c_str(), 0, 7, nullptr, OPEN_EXISTING, 0, nullptr);
        GetFileInformationByHandle(file, &information);
        CloseHandle(file);
        return information.nNumberOfLinks;
    };
    AfterComparison({
        [&](ScriptedMainWindow& w) {
            asked = scripted::MessageBoxes().size();
            scripted::AnswerNextMessageBoxes({IDCANCEL});
            RightClick(w, 0, CSelectionMenu::ReplaceWithLinks);
        },
        [&](ScriptedMainWindow& w) {
            ASSERT_EQ(scripted::MessageBoxes().size(), asked + 1);
            EXPECT_EQ(scripted::MessageBoxes()[asked].text,
                      "チェックした 4 ファイル (70 バイト) を、残すファイルへのハードリンクに置き換えます\n"
                      "置き換えたあとは、どの名前から書き換えても同じ内容が変わります");
            EXPECT_EQ(scripted::MessageBoxes()[asked].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
            EXPECT_TRUE(scripted::Menus()[0].enabled[LinkItem]);
            EXPECT_EQ(w.Candidates().Count(), 7);
            EXPECT_EQ(names("a\\sub\\p.bin"), 1u);
            // R's ticked copy cannot be replaced.
            CCandidateList& lines = w.Candidates();
            SetFileAttributesW((lines.GetCheck(LineOf(lines, smiling)) ? smiling : winking).c_str(),
                               FILE_ATTRIBUTE_READONLY);
            // Chosen from within this step, which the run's handing over
            // of messages must not see end.
            scripted::AnswerNextMessageBoxes({IDOK});
            scripted::AnswerNextMenu(CSelectionMenu::ReplaceWithLinks);
            w.ShowCandidateMenu({-1, -1});
        },
        [&](ScriptedMainWindow& w) {
            SetFileAttributesW(smiling.c_str(), FILE_ATTRIBUTE_NORMAL);
            SetFileAttributesW(winking.c_str(), FILE_ATTRIBUTE_NORMAL);
            EXPECT_EQ(w.Wnd().Text(), "[Vellaro] ハードリンクへの置き換えが終了しました");
            EXPECT_EQ(Total(w), "リンク 3 ファイル / 40 バイト");
            ASSERT_EQ(scripted::MessageBoxes().size(), asked + 3);
            EXPECT_EQ(scripted::MessageBoxes()[asked + 2].text,
                      "3 ファイルをハードリンクに置き換えました\n空いた容量: 40 バイト\n1 ファイルは置き換えませんでした\n\n"
                      "読み取り専用のファイル: 1\n\n置き換えなかったファイルはチェックを付けたまま残しています");
            EXPECT_EQ(w.Candidates().Count(), 4);
            EXPECT_EQ(w.Item(IDC_STATUS_FIELD).Text(), "3 組 / 4 ファイル");
            EXPECT_EQ(names("a\\sub\\p.bin"), 3u);
            EXPECT_EQ(TempTree::ReadFile(tree.Path("b\\p.bin")), std::string(10, 'p'));
            EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
            RightClick(w, 0, CSelectionMenu::None);
        },
        // The run ends the review, as a deletion does.
        [&](ScriptedMainWindow&) { EXPECT_FALSE(scripted::Menus().back().enabled[LinkItem]); },
    });
}

TEST_F(Triage, TheSavedListReadsBackByteForByteAndAFailedSaveKeepsTheEarlierFile) {
    const std::string csv = tree.Path("list.csv");
    AfterComparison({
        [&](ScriptedMainWindow& w) {
            scripted::AnswerFileDialog(csv);
            RightClick(w, 0, CSelectionMenu::SaveList);
        },
        [&](ScriptedMainWindow& w) {
            CCandidateList& lines = w.Candidates();
            std::string expected = "\xEF\xBB\xBF" + std::string(u8"組,サイズ (バイト),更新日時,チェック,パス\r\n");
            for (int line = 0; line < lines.Count(); ++line) {
                const FileInfo file = lines.Line(line)->file;
                // The system's own conversion, time by time.
                const std::uint64_t ticks = static_cast<std::uint64_t>(file.lastWriteTime + 11644473600LL) * 10000000;
                const FILETIME utcTime = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
                SYSTEMTIME utc, time;
                FileTimeToSystemTime(&utcTime, &utc);
                SystemTimeToTzSpecificLocalTime(nullptr, &utc, &time);
                const CivilTime local{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
                std::string path = tree.Root();  // plain letters
                if (file.path == smiling) path += u8"\\x\U0001F600\\r.bin";
                else if (file.path == winking) path += u8"\\x\U0001F609\\r.bin";
                else path = widepath::ToCp932(file.path);
                if (path.find(',') != std::string::npos) path = "\"" + path + "\"";
                expected += std::to_string(lines.Line(line)->group + 1) + "," + std::to_string(file.size) + "," +
                            reviewtext::FullTime(local) + "," + (lines.GetCheck(line) ? "1" : "0") + "," + path +
                            "\r\n";
            }
            EXPECT_EQ(TempTree::ReadFile(csv), expected);

            // Held by another program, the file cannot be replaced.
            const HANDLE holder = CreateFileA(csv.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            lines.SetCheck(0, lines.GetCheck(0) ? 0 : 1);
            scripted::AnswerFileDialog(csv);
            w.SaveCandidateList();
            CloseHandle(holder);
            EXPECT_EQ(scripted::MessageBoxes().back().text, csv + " に一覧を保存できませんでした\n"
                                                                   "同じ名前のファイルがあれば、元のまま残っています");
            EXPECT_EQ(TempTree::ReadFile(csv), expected);

            // A read-only file is refused as the settings save refuses it.
            SetFileAttributesA(csv.c_str(), FILE_ATTRIBUTE_READONLY);
            scripted::AnswerFileDialog(csv);
            w.SaveCandidateList();
            SetFileAttributesA(csv.c_str(), FILE_ATTRIBUTE_NORMAL);
            EXPECT_EQ(scripted::MessageBoxes().back().text, "list.csvが開けません");
            EXPECT_EQ(TempTree::ReadFile(csv), expected);
            WIN32_FIND_DATAA found;
            const HANDLE search = FindFirstFileA(tree.Path("*.tmp").c_str(), &found);
            EXPECT_EQ(search, INVALID_HANDLE_VALUE);
            if (search != INVALID_HANDLE_VALUE) FindClose(search);
        },
    });
}

}  // namespace
