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
                "一覧を保存...(&S)"};
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
                const FileInfo& file = lines.Line(line)->file;
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
