// Protected copies through a real search: what is ticked and listed, and
// that no click, key, rule or deletion touches them.
#include "app/ScriptedMainWindow.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include "platform/WidePath.h"
#include "review/SelectionMenu.h"

#include <gtest/gtest.h>

namespace {

class ProtectedCopies : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::Reset();
        // P: the newest copy in the protected archive, two elsewhere.
        for (const auto& [name, time] : {std::pair<std::string, int>{"archive\\p.bin", 3000},
                                         {"copies\\p.bin", 1000}, {"copies\\more\\p.bin", 2000}}) {
            tree.WriteFile(name, std::string(10, 'p'));
            tree.SetLastWriteTime(name, time);
        }
        // Q: only in the archive and below it.
        tree.WriteFile("archive\\q.bin", std::string(20, 'q'));
        tree.WriteFile("archive\\sub\\q.bin", std::string(20, 'q'));
        // R: no protected copy.
        for (const auto& [name, time] : {std::pair<std::string, int>{"other\\r1.bin", 1000}, {"other\\r2.bin", 2000}}) {
            tree.WriteFile(name, std::string(30, 'r'));
            tree.SetLastWriteTime(name, time);
        }
    }

    void AfterComparison(std::vector<ScriptedMainWindow::Step> steps) {
        ScriptedMainWindow main;
        steps.insert(steps.begin(), [this](ScriptedMainWindow& w) {
            // A listed folder, in other letters than the walk of the folder
            // around it meets it in.
            const std::string archive = tree.Path("ARCHIVE");
            w.Settings().ProtectedFolders = {widepath::FromCp932(archive)};
            w.ConfirmSettings(tree.Root() + ";;" + archive + ";;");
            ASSERT_EQ(w.Settings().ProtectedFolders.size(), 1u);
            w.OnSearchButton();
            ASSERT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
        });
        EXPECT_TRUE(main.RunSteps(steps));
    }

    int LineOf(CCandidateList& lines, const std::string& relative) const {
        const std::wstring path = widepath::FromCp932(tree.Path(relative));
        for (int line = 0; line < lines.Count(); ++line)
            if (lines.Line(line) && lines.Line(line)->file.path == path) return line;
        return -1;
    }
    std::string Ticks(CCandidateList& lines) const {
        std::string ticks;
        for (const char* relative : {"archive\\p.bin", "copies\\p.bin", "copies\\more\\p.bin"})
            ticks += lines.GetCheck(LineOf(lines, relative)) ? 'x' : 'o';
        return ticks;
    }
    static void Apply(ScriptedMainWindow& w, CSelectionMenu::Command command, int line = -1) {
        CSelectionMenu::ApplyRule(w.Candidates(), command, line);
    }

    TempTree tree;
};

TEST_F(ProtectedCopies, AreNeverTickedAndGroupsOfThemAloneAreNotListed) {
    AfterComparison({
        [&](ScriptedMainWindow& w) {
            CCandidateList& lines = w.Candidates();
            // Q is not listed: two groups, five lines, and the counts say so.
            EXPECT_EQ(lines.Count(), 5);
            EXPECT_EQ(LineOf(lines, "archive\\q.bin"), -1);
            EXPECT_EQ(w.Item(IDC_STATUS_FIELD).Text(), "2 組 / 5 ファイル");
            // Every unprotected copy of P is ticked, its newest one too; R
            // keeps its newest copy.
            EXPECT_EQ(Ticks(lines), "oxx");
            EXPECT_EQ(lines.GetCheck(LineOf(lines, "other\\r2.bin")), 0);
            EXPECT_EQ(lines.GetCheck(LineOf(lines, "other\\r1.bin")), 1);
            const int archived = LineOf(lines, "archive\\p.bin");
            EXPECT_FALSE(lines.IsLineEnabled(archived));
            EXPECT_TRUE(lines.Line(archived)->protectedCopy);

            // A click on its box and the space bar leave it unticked.
            RECT rect;
            lines.Send(LB_GETITEMRECT, archived, reinterpret_cast<LPARAM>(&rect));
            const LPARAM box = MAKELPARAM(rect.left + 5, (rect.top + rect.bottom) / 2);
            lines.Send(WM_LBUTTONDOWN, MK_LBUTTON, box);
            lines.Send(WM_LBUTTONUP, 0, box);
            lines.Send(LB_SETSEL, FALSE, -1);
            lines.Send(LB_SETSEL, TRUE, archived);
            lines.Send(LB_SETCARETINDEX, archived);
            lines.Send(WM_KEYDOWN, VK_SPACE, 1);
            EXPECT_EQ(Ticks(lines), "oxx");

            // Every rule keeps it.
            Apply(w, CSelectionMenu::KeepOldest);
            EXPECT_EQ(Ticks(lines), "oox");
            Apply(w, CSelectionMenu::KeepNewest);
            EXPECT_EQ(Ticks(lines), "oxx");
            Apply(w, CSelectionMenu::UntickAll);
            EXPECT_EQ(Ticks(lines), "ooo");
            Apply(w, CSelectionMenu::TickFolder, LineOf(lines, "copies\\p.bin"));
            EXPECT_EQ(Ticks(lines), "oxo");
            Apply(w, CSelectionMenu::KeepFolder, LineOf(lines, "copies\\more\\p.bin"));
            EXPECT_EQ(Ticks(lines), "oxo");
            Apply(w, CSelectionMenu::KeepOnlyLine, archived);
            EXPECT_EQ(Ticks(lines), "oxx");
        },
    });
}

TEST_F(ProtectedCopies, TheDeletionRefusesThemEvenTicked) {
    AfterComparison({
        [&](ScriptedMainWindow& w) {
            CCandidateList& lines = w.Candidates();
            const int archived = LineOf(lines, "archive\\p.bin");
            // Ticked behind the list's back.
            lines.EnableLine(archived, true);
            lines.SetCheck(archived, 1);
            ASSERT_EQ(Ticks(lines), "xxx");
            Button(w.Item(IDC_RECYCLE_CHECK).Handle()).SetCheck(BST_UNCHECKED);
            w.OnDeleteButton();
            // The protected copy stays, and serves as the copy kept for the others.
            EXPECT_TRUE(TempTree::Exists(tree.Path("archive\\p.bin")));
            EXPECT_FALSE(TempTree::Exists(tree.Path("copies\\p.bin")));
            EXPECT_FALSE(TempTree::Exists(tree.Path("copies\\more\\p.bin")));
            EXPECT_FALSE(TempTree::Exists(tree.Path("other\\r1.bin")));
            EXPECT_TRUE(TempTree::Exists(tree.Path("other\\r2.bin")));
            EXPECT_EQ(lines.Count(), 2);
        },
    });
}

}  // namespace
