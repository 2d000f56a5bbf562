// Reviewing and deleting from the main window after a real comparison.
#include "app/ScriptedMainWindow.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

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

    // Runs `check` in a main window whose comparison has just finished.
    void AfterComparison(const ScriptedMainWindow::Step& check) {
        ScriptedMainWindow main;
        main.steps.push_back([&](ScriptedMainWindow& w) {
            w.ConfirmSettings(tree.Root() + ";;");
            w.OnSearchButton();
            ASSERT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
            check(w);
            w.Wnd().Post(WM_CLOSE);
        });
        EXPECT_EQ(main.DoModal(), IDCANCEL);
    }

    static constexpr int Groups = 20;
    TempTree tree;
};

TEST_F(ReviewAndDelete, LinesAndGroupsFollowEachOtherAndDoubleClickOpensTheFile) {
    AfterComparison([&](ScriptedMainWindow& w) {
        ComboBox groups(w.Item(IDC_GROUP_LIST).Handle());
        ListBox lines(w.Item(IDC_CANDIDATE_LIST).Handle());
        ASSERT_EQ(lines.Count(), 2 * Groups);
        EXPECT_EQ(groups.ItemText(1), tree.Path("g1_0.bin"));

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
        EXPECT_EQ(scripted::ShellOpens()[0], lines.ItemText(lines.CurSel()));
    });
}

TEST_F(ReviewAndDelete, CancelAtTheQuestionTouchesNothing) {
    AfterComparison([&](ScriptedMainWindow& w) {
        const std::string title = w.Wnd().Text();
        scripted::AnswerNextMessageBoxes({IDCANCEL});
        w.OnDeleteButton();
        EXPECT_EQ(scripted::MessageBoxes().back().text, "チェック済みのファイルを削除します");
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
        EXPECT_EQ(scripted::MessageBoxes().back().text, "チェック済みのファイルを削除します");
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
        // The status field counts what is left.
        EXPECT_EQ(w.Item(IDC_STATUS_FIELD).Text(), "20 組 / 20 ファイル");

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
                  "18 ファイルを削除しました\n2 ファイルは削除しませんでした\n\n"
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

}  // namespace
