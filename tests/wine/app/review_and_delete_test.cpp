// Reviewing and deleting from the main window after a real comparison, also
// with keys and clicks that go through the window's own modal loop.
#include "app/ScriptedMainWindow.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include "common/CommonTools.h"
#include "platform/WidePath.h"

#include <gtest/gtest.h>

namespace {

void PressKey(HWND control, WPARAM key) {
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

RECT RectIn(HWND parent, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class ReviewAndDelete : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::Reset();
        // Twenty groups of different lengths, more than the list shows at
        // once; the newest copy of each is its reference.
        for (int group = 0; group < Groups; ++group) {
            const std::string bytes(100 + group, static_cast<char>('a' + group));
            for (int copy = 0; copy < 2; ++copy) {
                const std::string name = "g" + std::to_string(group) + "_" + std::to_string(copy) + ".bin";
                tree.WriteFile(name, bytes);
                tree.SetLastWriteTime(name, 1700000000 - copy * 60);
            }
        }
    }

    // Runs the steps in a main window whose comparison has just finished:
    // the first at once, each further one after the keys and clicks that
    // the step before posted have gone through the window's loop.
    void AfterComparison(const std::vector<ScriptedMainWindow::Step>& steps) {
        ScriptedMainWindow main;
        main.steps.push_back([&](ScriptedMainWindow& w) {
            [&] {
                w.ConfirmSettings(tree.Root() + ";;");
                w.Item(IDC_SEARCH_BUTTON).TakeFocus();  // as when Search is clicked
                w.OnSearchButton();
                ASSERT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
                steps.front()(w);
            }();
            w.PostStep();
        });
        for (size_t i = 1; i < steps.size(); ++i) {
            main.steps.push_back([&steps, i](ScriptedMainWindow& w) {
                steps[i](w);
                w.PostStep();
            });
        }
        main.steps.push_back([](ScriptedMainWindow& w) { w.Wnd().Post(WM_CLOSE); });
        EXPECT_EQ(main.DoModal(), IDCANCEL);
        EXPECT_TRUE(main.steps.empty());
    }
    void AfterComparison(const ScriptedMainWindow::Step& check) {
        AfterComparison(std::vector<ScriptedMainWindow::Step>{check});
    }

    static constexpr int Groups = 20;
    TempTree tree;
};

TEST_F(ReviewAndDelete, LinesAndGroupsFollowEachOtherAndDoubleClickOpensTheFile) {
    AfterComparison([&](ScriptedMainWindow& w) {
        ComboBox groups(w.Item(IDC_GROUP_LIST).Handle());
        ListBox lines(w.Item(IDC_CANDIDATE_LIST).Handle());
        ASSERT_EQ(lines.Count(), 2 * Groups);
        EXPECT_EQ(w.Groups().EntryText(1), tree.Path("g1_0.bin"));

        // Selecting a line of the third group selects the third entry.
        lines.Send(LB_SETSEL, TRUE, 5);
        lines.Send(LB_SETCARETINDEX, 5);
        ASSERT_EQ(lines.CurSel(), 5);
        w.OnCandidateSelChange();
        EXPECT_EQ(groups.CurSel(), 2);

        // Choosing the second group brings its first line to the top.
        groups.SetCurSel(1);
        w.OnGroupSelChange();
        EXPECT_EQ(lines.TopIndex(), 2);

        w.OnCandidateDblClk();
        ASSERT_EQ(scripted::ShellOpens().size(), 1u);
        EXPECT_EQ(scripted::ShellOpens()[0], widepath::FromCp932(w.Candidates().LineText(lines.CurSel())));
    });
}

TEST_F(ReviewAndDelete, CancelAtTheQuestionTouchesNothing) {
    AfterComparison([&](ScriptedMainWindow& w) {
        const std::string title = w.Wnd().Text();
        scripted::AnswerNextMessageBoxes({IDCANCEL});
        w.OnDeleteButton();
        // What goes, and where to: the box is ticked.
        EXPECT_EQ(scripted::MessageBoxes().back().text,
                  "チェック済みのファイルを削除します\n20 ファイル (3 KB) をごみ箱に移動します");
        EXPECT_EQ(scripted::MessageBoxes().back().type, static_cast<UINT>(MB_OKCANCEL));
        EXPECT_EQ(w.Wnd().Text(), title);
        EXPECT_TRUE(w.Item(IDC_DELETE_BUTTON).IsEnabled());
        EXPECT_TRUE(TempTree::Exists(tree.Path("g0_1.bin")));
        EXPECT_EQ(ListBox(w.Item(IDC_CANDIDATE_LIST).Handle()).Count(), 2 * Groups);
    });
}

TEST_F(ReviewAndDelete, DeletingForGoodRemovesTheTickedCopiesAndEndsInFinish) {
    AfterComparison([&](ScriptedMainWindow& w) {
        Button(w.Item(IDC_RECYCLE_CHECK).Handle()).SetCheck(BST_UNCHECKED);
        w.OnDeleteButton();
        EXPECT_EQ(w.RecycleFlag, 0);  // read from the box when confirmed
        EXPECT_EQ(w.Wnd().Text(), "[Vellaro] ファイルを削除が終了しました");
        // Every ticked file went: no message after the question.
        EXPECT_EQ(scripted::MessageBoxes().back().text,
                  "チェック済みのファイルを削除します\n20 ファイル (3 KB) を完全に削除します。元に戻すことはできません");
        PBRANGE range = {};
        w.Item(IDC_MAIN_PROGRESS).Send(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(range.iHigh, Groups);  // files done out of files ticked
        for (int group = 0; group < Groups; ++group) {
            EXPECT_TRUE(TempTree::Exists(tree.Path("g" + std::to_string(group) + "_0.bin")));
            EXPECT_FALSE(TempTree::Exists(tree.Path("g" + std::to_string(group) + "_1.bin")));
        }
        ListBox lines(w.Item(IDC_CANDIDATE_LIST).Handle());
        EXPECT_EQ(lines.Count(), Groups);
        EXPECT_FALSE(w.Item(IDC_DELETE_BUTTON).IsEnabled());
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
        EXPECT_EQ(w.Item(IDC_SEARCH_BUTTON).Text(), "終了(&G)");
        EXPECT_TRUE(w.Item(IDC_SEARCH_BUTTON).IsEnabled());
        // The status field counts what is left, the total what went.
        EXPECT_EQ(w.Item(IDC_STATUS_FIELD).Text(), "20 組 / 20 ファイル");
        EXPECT_EQ(w.Item(IDC_TICKED_TOTAL).Text(), "削除 20 ファイル / 3 KB");

        // Each group still scrolls to its first remaining line.
        ComboBox groups(w.Item(IDC_GROUP_LIST).Handle());
        groups.SetCurSel(2);
        w.OnGroupSelChange();
        EXPECT_EQ(lines.TopIndex(), 2);
    });
}

TEST_F(ReviewAndDelete, KeptFilesAreCountedByReasonInOneMessage) {
    AfterComparison([&](ScriptedMainWindow& w) {
        // New bytes behind the same length and time, and a file that
        // another program holds without letting anyone read it.
        tree.WriteFile("g0_1.bin", std::string(100, 'A'));
        tree.SetLastWriteTime("g0_1.bin", 1700000000 - 60);
        const HANDLE holder =
            CreateFileA(tree.Path("g1_1.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        Button(w.Item(IDC_RECYCLE_CHECK).Handle()).SetCheck(BST_UNCHECKED);
        w.OnDeleteButton();
        CloseHandle(holder);
        EXPECT_EQ(scripted::MessageBoxes().back().text,
                  "18 ファイルを削除しました\n削除したファイルの容量: 2 KB\n2 ファイルは削除しませんでした\n\n"
                  "検索後に変更されていた: 1 ファイル\n削除できなかった: 1 ファイル\n\n"
                  "削除しなかったファイルはチェックを付けたまま残しています");
        EXPECT_EQ(w.Wnd().Text(), "[Vellaro] ファイルを削除が終了しました");
        EXPECT_TRUE(TempTree::Exists(tree.Path("g0_1.bin")));
        EXPECT_TRUE(TempTree::Exists(tree.Path("g1_1.bin")));
        CCandidateList& lines = w.Candidates();
        ASSERT_EQ(lines.Count(), Groups + 2);
        EXPECT_EQ(lines.GetCheck(1), 1);
        EXPECT_EQ(lines.GetCheck(3), 1);
        EXPECT_EQ(w.Item(IDC_STATUS_FIELD).Text(), "20 組 / 22 ファイル");
        EXPECT_EQ(w.Item(IDC_TICKED_TOTAL).Text(), "削除 18 ファイル / 2 KB");
        // The next change of the ticks counts them again.
        lines.Send(LB_SETSEL, TRUE, 1);
        lines.Send(LB_SETCARETINDEX, 1);
        lines.Send(WM_KEYDOWN, VK_SPACE, 1);
        EXPECT_EQ(w.Item(IDC_TICKED_TOTAL).Text(), "チェック 1 ファイル / 101 バイト");
    });
}

TEST_F(ReviewAndDelete, ClosingTheWindowStopsTheDeletion) {
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        w.ConfirmSettings(tree.Root() + ";;");
        w.OnSearchButton();
        w.Wnd().Post(WM_CLOSE);
        w.OnDeleteButton();
        EXPECT_NE(w.Wnd().Text(), "[Vellaro] ファイルを削除が終了しました");
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
    for (int group = 0; group < Groups; ++group)
        EXPECT_TRUE(TempTree::Exists(tree.Path("g" + std::to_string(group) + "_1.bin")));
}

TEST_F(ReviewAndDelete, OkWithNothingTickedStillEndsTheRun) {
    AfterComparison([&](ScriptedMainWindow& w) {
        CCandidateList& lines = w.Candidates();
        for (int i = 0; i < lines.Count(); ++i) lines.SetCheck(i, 0);
        w.OnDeleteButton();
        EXPECT_EQ(lines.Count(), 2 * Groups);
        EXPECT_TRUE(TempTree::Exists(tree.Path("g0_1.bin")));
        EXPECT_EQ(w.Wnd().Text(), "[Vellaro] ファイルを削除が終了しました");
        EXPECT_FALSE(w.Item(IDC_DELETE_BUTTON).IsEnabled());
        EXPECT_EQ(w.Item(IDC_SEARCH_BUTTON).Text(), "終了(&G)");
    });
}

TEST_F(ReviewAndDelete, ArrowKeysThenADoubleClickOpenTheChosenLine) {
    AfterComparison({
        [](ScriptedMainWindow& w) {
            // The comparison leaves the focus on the list.
            HWND lines = w.Item(IDC_CANDIDATE_LIST).Handle();
            EXPECT_EQ(GetFocus(), lines);
            for (int i = 0; i < 5; ++i) PressKey(lines, VK_DOWN);
        },
        [](ScriptedMainWindow& w) {
            ListBox lines(w.Item(IDC_CANDIDATE_LIST).Handle());
            const int caret = static_cast<int>(lines.Send(LB_GETCARETINDEX));
            EXPECT_EQ(caret, 5);
            EXPECT_EQ(ComboBox(w.Item(IDC_GROUP_LIST).Handle()).CurSel(), caret / 2);
            RECT line;
            lines.Send(LB_GETITEMRECT, 7, reinterpret_cast<LPARAM>(&line));
            const LPARAM point = MAKELPARAM(line.left + 60, (line.top + line.bottom) / 2);
            lines.Post(WM_LBUTTONDOWN, MK_LBUTTON, point);
            lines.Post(WM_LBUTTONUP, 0, point);
            lines.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, point);
            lines.Post(WM_LBUTTONUP, 0, point);
        },
        [](ScriptedMainWindow& w) {
            ListBox lines(w.Item(IDC_CANDIDATE_LIST).Handle());
            ASSERT_EQ(scripted::ShellOpens().size(), 1u);
            EXPECT_EQ(scripted::ShellOpens()[0], widepath::FromCp932(w.Candidates().LineText(7)));
            EXPECT_EQ(ComboBox(w.Item(IDC_GROUP_LIST).Handle()).CurSel(), 3);
            // Space ticks; it no longer presses the Finish button.
            PressKey(GetFocus(), VK_SPACE);
        },
        [](ScriptedMainWindow& w) {
            EXPECT_TRUE(w.reachedWhileRunning);
            EXPECT_EQ(w.Candidates().GetCheck(7), 0);
        },
    });
}

TEST_F(ReviewAndDelete, DeletingMovesTheFocusFromTheDisabledButtonToTheList) {
    AfterComparison({
        [](ScriptedMainWindow& w) {
            Window remove = w.Item(IDC_DELETE_BUTTON);
            remove.TakeFocus();
            PressKey(remove.Handle(), VK_SPACE);
        },
        [](ScriptedMainWindow& w) {
            EXPECT_FALSE(w.Item(IDC_DELETE_BUTTON).IsEnabled());
            EXPECT_EQ(GetFocus(), w.Item(IDC_CANDIDATE_LIST).Handle());
        },
    });
}

TEST_F(ReviewAndDelete, TheLongestLineCanBeScrolledToItsEnd) {
    tree.WriteFile(std::string(120, 'L') + ".bin", std::string(103, 'd'));  // a third copy in group 3
    AfterComparison([](ScriptedMainWindow& w) {
        CCandidateList& lines = w.Candidates();
        int longest = 0;
        for (int i = 1; i < lines.Count(); ++i)
            if (lines.LineText(i).size() > lines.LineText(longest).size()) longest = i;
        // As far right as the list lets the user scroll.
        lines.Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0x7FFF));
        const int scrolled = GetScrollPos(lines.Handle(), SB_HORZ);
        RECT client;
        GetClientRect(lines.Handle(), &client);
        HDC context = GetDC(lines.Handle());
        HGDIOBJ font = SelectObject(context, reinterpret_cast<HFONT>(lines.Send(WM_GETFONT)));
        const std::string text = lines.LineText(longest);
        SIZE size = {};
        GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(context, font);
        ReleaseDC(lines.Handle(), context);
        EXPECT_GT(scrolled, 0);
        // The text starts right of the tick box and ends in view.
        EXPECT_LE(lines.BoxWidth() + size.cx - scrolled, client.right);
    });
}

TEST_F(ReviewAndDelete, TheListsGrowWithTheWindowAndTheBottomRowFollowsIt) {
    AfterComparison([](ScriptedMainWindow& w) {
        HWND main = w.Handle();
        const std::vector<int> ids = {IDC_GROUP_LIST,     IDC_CANDIDATE_LIST, IDC_SETTINGS_BUTTON,
                                      IDC_SEARCH_BUTTON,  IDC_DELETE_BUTTON,  IDC_RECYCLE_CHECK,
                                      IDC_RUN_PROGRESS,   IDC_MAIN_PROGRESS,  IDC_STATUS_FIELD};
        std::vector<RECT> before;
        for (int id : ids) before.push_back(RectIn(main, GetDlgItem(main, id)));
        RECT window, firstClient;
        GetWindowRect(main, &window);
        GetClientRect(main, &firstClient);
        const int width = window.right - window.left, height = window.bottom - window.top;

        // The template's size is the smallest.
        MINMAXINFO limits = {};
        SendMessageA(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, width);
        EXPECT_EQ(limits.ptMinTrackSize.y, height);

        SetWindowPos(main, nullptr, 0, 0, width + 200, height + 100, SWP_NOMOVE | SWP_NOZORDER);
        std::vector<RECT> after;
        for (int id : ids) after.push_back(RectIn(main, GetDlgItem(main, id)));
        // The group list widens; the candidate list grows both ways.
        EXPECT_EQ(after[0].right - before[0].right, 200);
        EXPECT_EQ(after[0].top, before[0].top);
        EXPECT_EQ(after[1].right - before[1].right, 200);
        EXPECT_EQ(after[1].bottom - before[1].bottom, 100);
        // The bottom row moves down; buttons, check box and the small bar
        // keep their x, the main bar widens, the status field keeps right.
        for (size_t i = 2; i < ids.size(); ++i) {
            EXPECT_EQ(after[i].top - before[i].top, 100) << ids[i];
            EXPECT_EQ(after[i].bottom - after[i].top, before[i].bottom - before[i].top) << ids[i];
        }
        for (size_t i = 2; i <= 6; ++i) EXPECT_EQ(after[i].left, before[i].left) << ids[i];
        EXPECT_EQ(after[7].right - before[7].right, 200);
        EXPECT_EQ(after[8].left - before[8].left, 200);

        // Maximised, the status field keeps its distance to the corner.
        ShowWindow(main, SW_MAXIMIZE);
        EXPECT_TRUE(IsZoomed(main));
        RECT client;
        GetClientRect(main, &client);
        const RECT status = RectIn(main, GetDlgItem(main, IDC_STATUS_FIELD));
        EXPECT_GT(client.right, firstClient.right + 200);
        EXPECT_EQ(client.right - status.right, firstClient.right - before[8].right);
        EXPECT_EQ(client.bottom - status.bottom, firstClient.bottom - before[8].bottom);
        ShowWindow(main, SW_RESTORE);
    });
}

}  // namespace

// A double-clicked line goes to the shell only under a name that the shell
// reads as that very file; otherwise, or when the shell fails, a message
// names the file and the reason.
TEST(OpeningALine, WhatTheShellCannotTakeExactlyIsSaidAndNotOpened) {
    scripted::Reset();
    const CCommonTools tools;
    const auto lastMessage = [] { return scripted::MessageBoxes().back().text; };

    tools.OpenWithShell(L"C:\\data\\keep.txt.");
    EXPECT_TRUE(scripted::ShellOpens().empty());
    ASSERT_EQ(scripted::MessageBoxes().size(), 1u);
    EXPECT_NE(lastMessage().find("C:\\data\\keep.txt."), std::string::npos);

    const std::wstring deep = L"C:\\" + std::wstring(250, L'd') + L"\\file.txt";
    tools.OpenWithShell(L"\\\\?\\" + deep);
    EXPECT_TRUE(scripted::ShellOpens().empty());
    EXPECT_NE(lastMessage().find(widepath::ToCp932(deep)), std::string::npos);

    tools.OpenWithShell(L"\\\\?\\C:\\data\\photo.jpg");
    ASSERT_EQ(scripted::ShellOpens().size(), 1u);
    EXPECT_EQ(scripted::ShellOpens()[0], L"C:\\data\\photo.jpg");
    EXPECT_EQ(scripted::MessageBoxes().size(), 2u);

    scripted::FailShellOpens(ERROR_NO_ASSOCIATION);
    tools.OpenWithShell(L"C:\\data\\notes.xyz");
    ASSERT_EQ(scripted::MessageBoxes().size(), 3u);
    EXPECT_NE(lastMessage().find("C:\\data\\notes.xyz"), std::string::npos);
}
