// Each step of the workflow, entered after any other, leaves the window as
// the workflow gives it: the Search button's state and caption, which of
// Settings, Delete and the Recycle Bin box can be reached, and the title.
#include "app/FileSearchDialog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Step = CFileSearchDialog::Step;
using S = CFileSearchDialog;

class StepWindow : public CFileSearchDialog {
public:
    using CFileSearchDialog::Enter;
};

struct Shown {
    Step step;
    S::State state;
    const char* caption;
    bool search, settings, remove, recycle;
    const char* title;
};

const char* const ReadyTitle = "検索ボタンを押してください";
const char* const ComparingTitle = "比較中です";

const Shown Expected[] = {
    {Step::Start, S::Idle, "検索(&G)", false, true, false, false, "検索設定をして下さい"},
    {Step::Ready, S::ReadyToSearch, "検索(&G)", true, true, false, false, ReadyTitle},
    {Step::ReadyOverResults, S::ReadyToSearch, "検索(&G)", true, true, true, true, ReadyTitle},
    {Step::ReadyOverDeletion, S::ReadyToSearch, "検索(&G)", true, true, false, true, ReadyTitle},
    {Step::Collecting, S::Collecting, "中止(&G)", true, false, false, false, "検索中です"},
    {Step::NoFiles, S::Finished, "終了(&G)", true, false, false, false, "ファイルが見つかりませんでした"},
    {Step::Collected, S::Collected, "比較(&G)", true, false, false, false, ComparingTitle},
    {Step::Ordering, S::Ordering, "中止(&G)", true, false, false, false, ComparingTitle},
    {Step::Comparing, S::Comparing, "中止(&G)", true, false, false, false, ComparingTitle},
    {Step::NoDuplicates, S::Idle, "終了(&G)", false, true, false, false, "重複ファイルが見つかりませんでした"},
    {Step::Results, S::Finished, "終了(&G)", true, true, true, true,
     "比較が終了しました / 削除ボタンでチェックファイルを削除できます"},
    {Step::Deleting, S::Finished, "終了(&G)", false, false, false, false, "ファイルを削除中です"},
    {Step::Deleted, S::Finished, "終了(&G)", true, true, false, true, "ファイルを削除が終了しました"},
    {Step::Linking, S::Finished, "終了(&G)", false, false, false, false, "ハードリンクに置き換えています"},
    {Step::Linked, S::Finished, "終了(&G)", true, true, false, true, "ハードリンクへの置き換えが終了しました"},
    {Step::Recovered, S::ReadyToSearch, "検索(&G)", true, true, false, false, ReadyTitle},
};

TEST(StepTable, EveryStepShowsTheSameWhicheverStepCameBefore) {
    ASSERT_EQ(sizeof Expected / sizeof Expected[0], static_cast<std::size_t>(Step::Recovered) + 1);
    StepWindow dialog;
    ASSERT_TRUE(dialog.Create());
    for (const Shown& before : Expected) {
        for (const Shown& shown : Expected) {
            dialog.Enter(before.step);
            dialog.Enter(shown.step);
            SCOPED_TRACE("step " + std::to_string(static_cast<int>(shown.step)) + " after " +
                         std::to_string(static_cast<int>(before.step)));
            EXPECT_EQ(dialog.ActionFlag, shown.state);
            EXPECT_EQ(dialog.Item(IDC_SEARCH_BUTTON).Text(), shown.caption);
            EXPECT_EQ(dialog.Item(IDC_SEARCH_BUTTON).IsEnabled(), shown.search);
            EXPECT_EQ(dialog.Item(IDC_SETTINGS_BUTTON).IsEnabled(), shown.settings);
            EXPECT_EQ(dialog.Item(IDC_DELETE_BUTTON).IsEnabled(), shown.remove);
            EXPECT_EQ(dialog.Item(IDC_RECYCLE_CHECK).IsEnabled(), shown.recycle);
            EXPECT_EQ(dialog.Wnd().Text(), std::string("[Vellaro] ") + shown.title);
        }
    }
}

}  // namespace
