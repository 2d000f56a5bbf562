// The whole search driven from the main window on real folders: each state's
// captions, titles and enabling, aborts in every phase, and closing.
#include "app/ScriptedMainWindow.h"
#include "platform/WidePath.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Workflow : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::Reset();
        // Two pairs of duplicates in different lengths, and files alone.
        tree.WriteFile("a\\photo.jpg", std::string(3000, 'p'));
        tree.WriteFile("b\\photo copy.jpg", std::string(3000, 'p'));
        tree.WriteFile("b\\notes.txt", "notes of the meeting");
        tree.WriteFile("c\\議事録.txt", "notes of the meeting");
        tree.WriteFile("c\\other.txt", "something else entirely");
        tree.WriteFile("c\\third.txt", "same length, other text");
        for (int i = 0; i < 40; ++i)
            tree.WriteFile("many\\file" + std::to_string(i) + ".dat", std::string(100 + i, 'm'));
        empty = tree.Folder("empty");
    }

    std::string Folders() const { return tree.Root() + ";;"; }

    static bool Asked(const std::string& fragment) {
        for (const auto& box : scripted::MessageBoxes())
            if (box.text.find(fragment) != std::string::npos) return true;
        return false;
    }

    TempTree tree;
    std::string empty;
};

struct Controls {
    explicit Controls(CFileSearchDialog& main)
        : search(main.Item(IDC_SEARCH_BUTTON).Handle()),
          settings(main.Item(IDC_SETTINGS_BUTTON).Handle()),
          remove(main.Item(IDC_DELETE_BUTTON).Handle()),
          recycle(main.Item(IDC_RECYCLE_CHECK).Handle()),
          groups(main.Item(IDC_GROUP_LIST).Handle()),
          lines(main.Item(IDC_CANDIDATE_LIST).Handle()),
          status(main.Item(IDC_STATUS_FIELD).Handle()),
          title(main.Wnd()) {}
    Button search, settings, remove, recycle;
    ComboBox groups;
    ListBox lines;
    Edit status;
    Window title;
};

TEST_F(Workflow, SettingsConfirmedEnablesSearchAndCancelChangesNothing) {
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        Controls c(w);
        w.Settings().JoinedDirectories = widepath::FromCp932(Folders());
        w.AnswerSettings(false);
        w.OnSettingsButton();
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Idle);
        EXPECT_FALSE(c.search.IsEnabled());
        EXPECT_EQ(c.title.Text(), "[Vellaro] 検索設定をして下さい");

        w.AnswerSettings(true);
        w.OnSettingsButton();
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::ReadyToSearch);
        EXPECT_TRUE(c.search.IsEnabled());
        EXPECT_EQ(c.search.Text(), "検索(&G)");
        EXPECT_EQ(c.title.Text(), "[Vellaro] 検索ボタンを押してください");
        EXPECT_FALSE(c.remove.IsEnabled());
        w.Wnd().Post(WM_CLOSE);
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
    EXPECT_TRUE(main.steps.empty());
}

TEST_F(Workflow, ASearchThatFindsNothingOffersOnlyFinish) {
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        Controls c(w);
        w.ConfirmSettings(empty + ";;");
        w.OnSearchButton();
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
        EXPECT_EQ(c.title.Text(), "[Vellaro] ファイルが見つかりませんでした");
        EXPECT_EQ(c.status.Text(), "合計 0 ファイル");
        EXPECT_TRUE(c.search.IsEnabled());
        EXPECT_EQ(c.search.Text(), "終了(&G)");
        EXPECT_FALSE(c.settings.IsEnabled());
        EXPECT_FALSE(c.remove.IsEnabled());
        EXPECT_FALSE(c.recycle.IsEnabled());
        w.OnSearchButton();  // Finish
    });
    EXPECT_EQ(main.DoModal(), IDOK);
    EXPECT_FALSE(Asked("かかりました"));
}

TEST_F(Workflow, AComparisonWithoutDuplicatesEndsWithSettingsEnabled) {
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        Controls c(w);
        w.ConfirmSettings(tree.Path("many") + ";;");
        w.OnSearchButton();
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Idle);
        EXPECT_EQ(c.title.Text(), "[Vellaro] 重複ファイルが見つかりませんでした");
        EXPECT_EQ(c.status.Text(), "0 組 / 0 ファイル");
        EXPECT_FALSE(c.search.IsEnabled());
        EXPECT_EQ(c.search.Text(), "終了(&G)");
        EXPECT_TRUE(c.settings.IsEnabled());
        EXPECT_FALSE(c.remove.IsEnabled());
        EXPECT_FALSE(c.recycle.IsEnabled());
        // A click that arrives anyway is refused with a message.
        w.OnSearchButton();
        ASSERT_FALSE(scripted::MessageBoxes().empty());
        EXPECT_EQ(scripted::MessageBoxes().back().text, "CFileSearchDialog error\nActionFlag is not true");
        EXPECT_EQ(scripted::MessageBoxes().back().type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        w.Wnd().Post(WM_CLOSE);
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
    EXPECT_TRUE(Asked("かかりました"));
}

TEST_F(Workflow, AComparisonWithDuplicatesOffersDeleteAndKeepsResultsUntilTheNextSearch) {
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        Controls c(w);
        w.ConfirmSettings(Folders());
        w.OnSearchButton();
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
        EXPECT_EQ(c.title.Text(), "[Vellaro] 比較が終了しました / 削除ボタンでチェックファイルを削除できます");
        EXPECT_EQ(c.groups.Count(), 2);
        EXPECT_EQ(c.lines.Count(), 4);
        EXPECT_EQ(w.GroupListCount, 2);
        EXPECT_EQ(c.status.Text(), "2 組 / 4 ファイル");
        EXPECT_EQ(c.search.Text(), "終了(&G)");
        EXPECT_TRUE(c.search.IsEnabled());
        EXPECT_TRUE(c.settings.IsEnabled());
        EXPECT_TRUE(c.remove.IsEnabled());
        EXPECT_TRUE(c.recycle.IsEnabled());

        // Confirming the settings again keeps the results and Delete.
        w.AnswerSettings(true);
        w.OnSettingsButton();
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::ReadyToSearch);
        EXPECT_EQ(c.groups.Count(), 2);
        EXPECT_EQ(c.lines.Count(), 4);
        EXPECT_TRUE(c.remove.IsEnabled());

        // A new search over nothing empties the group list; the old lines
        // stay until a new ordering has finished.
        w.ConfirmSettings(empty + ";;");
        w.OnSearchButton();
        EXPECT_EQ(c.groups.Count(), 0);
        EXPECT_EQ(c.lines.Count(), 4);
        EXPECT_FALSE(c.remove.IsEnabled());
        EXPECT_FALSE(c.settings.IsEnabled());
        EXPECT_FALSE(c.recycle.IsEnabled());
        w.Wnd().Post(WM_CLOSE);
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
}

TEST_F(Workflow, AbortDuringCollectionComparesWhatWasGathered) {
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        Controls c(w);
        w.ConfirmSettings(tree.Path("many") + ";;");
        w.ClickSearchWhen(CFileSearchDialog::Collecting, 10);
        w.OnSearchButton();
        // The comparison ran on the files gathered before the abort.
        EXPECT_TRUE(std::find(w.statesSeen.begin(), w.statesSeen.end(), CFileSearchDialog::Collecting) != w.statesSeen.end());
        EXPECT_TRUE(Asked("かかりました"));
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Idle);
        w.Wnd().Post(WM_CLOSE);
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
}

TEST_F(Workflow, AbortDuringOrderingOffersCompareAgain) {
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        Controls c(w);
        w.ConfirmSettings(Folders());
        w.ClickSearchWhen(CFileSearchDialog::Ordering, 3);
        w.OnSearchButton();
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Collected);
        EXPECT_EQ(c.search.Text(), "比較(&G)");
        EXPECT_TRUE(c.search.IsEnabled());
        EXPECT_EQ(c.title.Text(), "[Vellaro] 比較中です");
        EXPECT_EQ(c.status.Text(), "データ初期化中");
        EXPECT_FALSE(c.settings.IsEnabled());
        EXPECT_FALSE(c.remove.IsEnabled());
        EXPECT_FALSE(c.recycle.IsEnabled());
        EXPECT_EQ(w.GroupListCount, 46);  // still the gathered files
        EXPECT_EQ(c.groups.Count(), 1);    // the last one found shows
        EXPECT_FALSE(Asked("かかりました"));

        w.OnSearchButton();  // 比較(&G)
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
        EXPECT_EQ(c.groups.Count(), 2);
        EXPECT_EQ(c.status.Text(), "2 組 / 4 ファイル");
        w.Wnd().Post(WM_CLOSE);
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
}

TEST_F(Workflow, AbortDuringComparisonOffersThePartialResult) {
    // Thirty runs of two copies; a file of the sixteenth is held open, and
    // Search is clicked once that has been reported.
    for (int i = 0; i < 30; ++i) {
        const std::string bytes(500 + i, static_cast<char>('a' + i % 26));
        tree.WriteFile("dups\\x" + std::to_string(i) + ".bin", bytes);
        tree.WriteFile("dups\\y" + std::to_string(i) + ".bin", bytes);
    }
    const std::string held = tree.Path("dups\\y15.bin");
    const HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        Controls c(w);
        w.ConfirmSettings(tree.Path("dups") + ";;");
        w.ClickSearchWhenAsked(held);
        w.OnSearchButton();
        EXPECT_TRUE(Asked("かかりました"));
        EXPECT_EQ(c.groups.Count(), 15);
        EXPECT_EQ(c.lines.Count(), 2 * c.groups.Count());
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
        EXPECT_TRUE(c.remove.IsEnabled());
        EXPECT_TRUE(c.settings.IsEnabled());
        EXPECT_TRUE(c.recycle.IsEnabled());
        w.Wnd().Post(WM_CLOSE);
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
    CloseHandle(holder);
}

TEST_F(Workflow, TheSecondClickOfADoubleClickAbortsTheSearch) {
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        w.ConfirmSettings(Folders());
        HWND search = w.Item(IDC_SEARCH_BUTTON).Handle();
        for (int click = 0; click < 2; ++click)
            w.Wnd().Post(WM_COMMAND, MAKEWPARAM(IDC_SEARCH_BUTTON, BN_CLICKED), reinterpret_cast<LPARAM>(search));
        w.PostStep();
    });
    main.steps.push_back([&](ScriptedMainWindow& w) {
        // The second click arrived at the first entry of the walk.
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Finished);
        EXPECT_EQ(w.Wnd().Text(), "[Vellaro] ファイルが見つかりませんでした");
        w.Wnd().Post(WM_CLOSE);
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
}

// The comparison's result is gone through with the window answering: a
// close that comes after the time message ends the window before the
// result is shown as one.
TEST_F(Workflow, ACloseWhileTheResultIsGoneThroughIsAnsweredAtOnce) {
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        w.ConfirmSettings(Folders());
        w.CloseWhenAsked("かかりました");
        w.OnSearchButton();
        EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Comparing);
        EXPECT_NE(w.Wnd().Text().find("比較中です"), std::string::npos);
        EXPECT_GT(w.Candidates().Count(), 1);
        EXPECT_FALSE(w.Candidates().Line(0));  // released by the close
        if (w.ActionFlag == CFileSearchDialog::Finished) w.Wnd().Post(WM_CLOSE);
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
}

class ClosingWhileRunning : public Workflow, public ::testing::WithParamInterface<int> {};

TEST_P(ClosingWhileRunning, EndsTheProgramAfterTheOperationReturned) {
    const int phase = GetParam();
    ScriptedMainWindow main;
    main.steps.push_back([&](ScriptedMainWindow& w) {
        w.ConfirmSettings(Folders());
        w.CloseWhen(phase, 2);
        w.OnSearchButton();
        // Back from the operation; the window still exists until the
        // posted Cancel is handled by the modal loop.
        EXPECT_TRUE(IsWindow(w.Handle()));
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
    EXPECT_EQ(Asked("かかりました"), phase == CFileSearchDialog::Comparing);
}

INSTANTIATE_TEST_SUITE_P(Phases, ClosingWhileRunning, ::testing::Values(CFileSearchDialog::Collecting, CFileSearchDialog::Ordering,
                                                              CFileSearchDialog::Comparing));

}  // namespace

// Memory running out in any phase of a search ends the search with the
// lists emptied and a message that says so and how many files were
// gathered, in words of the program's own; the window stays usable:
// Settings and Search work.
TEST_F(Workflow, AFailureInTheMiddleOfASearchLeavesTheWindowUsable) {
    for (const int phase : {CFileSearchDialog::Collecting, CFileSearchDialog::Ordering, CFileSearchDialog::Comparing}) {
        scripted::Reset();
        ScriptedMainWindow main;
        main.steps.push_back([&](ScriptedMainWindow& w) {
            Controls c(w);
            w.ConfirmSettings(Folders());
            w.FailWhen(phase, 2);
            w.OnSearchButton();
            const std::string first = "メモリが足りないため、処理を中断しました\n";
            const std::string last = " ファイルまで集めました";
            std::string count;
            for (const auto& box : scripted::MessageBoxes()) {
                EXPECT_EQ(box.text.find("bad_alloc"), std::string::npos) << box.text;
                if (box.text.compare(0, first.size(), first) == 0 && box.text.size() > first.size() + last.size() &&
                    box.text.compare(box.text.size() - last.size(), last.size(), last) == 0)
                    count = box.text.substr(first.size(), box.text.size() - first.size() - last.size());
            }
            if (phase == CFileSearchDialog::Collecting) EXPECT_TRUE(!count.empty() && std::stoi(count) <= 46) << count;
            else EXPECT_EQ(count, "46") << phase;
            EXPECT_EQ(w.ActionFlag, CFileSearchDialog::ReadyToSearch) << phase;
            EXPECT_EQ(c.search.Text(), "検索(&G)");
            EXPECT_TRUE(c.search.IsEnabled());
            EXPECT_TRUE(c.settings.IsEnabled());
            EXPECT_FALSE(c.remove.IsEnabled());
            EXPECT_EQ(c.groups.Count(), 0);
            EXPECT_EQ(c.lines.Count(), 0);
            // A new search runs to its end.
            w.OnSearchButton();
            EXPECT_EQ(w.ActionFlag, CFileSearchDialog::Finished) << phase;
            EXPECT_EQ(c.lines.Count(), 4);
            w.Wnd().Post(WM_CLOSE);
        });
        EXPECT_EQ(main.DoModal(), IDCANCEL);
    }
}
