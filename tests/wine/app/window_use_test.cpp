// Using the main window with the keyboard and the mouse after a real
// comparison: keys and clicks go through the window's own modal loop.
#include "app/ScriptedMainWindow.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

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

class WindowUse : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::Reset();
        // Ten groups of two, one of them with a long name.
        for (int group = 0; group < Groups; ++group) {
            const std::string bytes(100 + group, static_cast<char>('a' + group));
            for (int copy = 0; copy < 2; ++copy) {
                std::string name = "g" + std::to_string(group) + "_" + std::to_string(copy) + ".bin";
                if (group == 3 && copy == 1) name = std::string(120, 'L') + ".bin";
                tree.WriteFile(name, bytes);
                tree.SetLastWriteTime(name, 1700000000 - copy * 60);
            }
        }
    }

    // Runs the steps in a main window whose comparison has just finished;
    // each step runs after the keys and clicks that the step before posted.
    void AfterComparison(std::vector<ScriptedMainWindow::Step> steps) {
        ScriptedMainWindow main;
        main.steps.push_back([&](ScriptedMainWindow& w) {
            w.ConfirmSettings(tree.Root() + ";;");
            w.Item(IDC_SEARCH_BUTTON).TakeFocus();  // as when Search is clicked
            w.OnSearchButton();
            ASSERT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
            w.PostStep();
        });
        for (auto& step : steps)
            main.steps.push_back([step](ScriptedMainWindow& w) {
                step(w);
                w.PostStep();
            });
        main.steps.push_back([](ScriptedMainWindow& w) { w.Wnd().Post(WM_CLOSE); });
        EXPECT_EQ(main.DoModal(), IDCANCEL);
        EXPECT_TRUE(main.steps.empty());
    }

    static constexpr int Groups = 10;
    TempTree tree;
};

TEST_F(WindowUse, ArrowKeysThenADoubleClickOpenTheChosenLine) {
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
            EXPECT_EQ(scripted::ShellOpens()[0], lines.ItemText(7));
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

TEST_F(WindowUse, DeletingMovesTheFocusFromTheDisabledButtonToTheList) {
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

TEST_F(WindowUse, TheLongestLineCanBeScrolledToItsEnd) {
    AfterComparison({[](ScriptedMainWindow& w) {
        CCandidateList& lines = w.Candidates();
        int longest = 0;
        for (int i = 1; i < lines.Count(); ++i)
            if (lines.ItemText(i).size() > lines.ItemText(longest).size()) longest = i;
        // As far right as the list lets the user scroll.
        lines.Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0x7FFF));
        const int scrolled = GetScrollPos(lines.Handle(), SB_HORZ);
        RECT client;
        GetClientRect(lines.Handle(), &client);
        HDC context = GetDC(lines.Handle());
        HGDIOBJ font = SelectObject(context, reinterpret_cast<HFONT>(lines.Send(WM_GETFONT)));
        const std::string text = lines.ItemText(longest);
        SIZE size = {};
        GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(context, font);
        ReleaseDC(lines.Handle(), context);
        EXPECT_GT(scrolled, 0);
        // The text starts right of the tick box and ends in view.
        EXPECT_LE(lines.BoxWidth() + size.cx - scrolled, client.right);
    }});
}

TEST_F(WindowUse, TheListsGrowWithTheWindowAndTheBottomRowFollowsIt) {
    AfterComparison({[](ScriptedMainWindow& w) {
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
    }});
}

}  // namespace
