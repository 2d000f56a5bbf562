// A progress bar moved in bulk: the last position always shows, the ones in
// between no more often than the interval, each with the latest range.
#include "EngineHost.h"
#include "app/ControlSearchView.h"
#include "engine/PacedProgress.h"

#include <gtest/gtest.h>

TEST(PacedProgress, ShowsTheLastPositionAndPacesTheRest) {
    EngineHost host;
    ControlSearchView view(host.statusField, host.groupList, host.mainProgress, host.runProgress);
    PacedProgress bar(view, SearchView::Bar::Run, 60000);  // nothing paced passes within the test
    bar.SetRange(10, 20);
    bar.ShowPos(15);
    EXPECT_EQ(host.runProgress.RangeLow(), 10);
    EXPECT_EQ(host.runProgress.RangeHigh(), 20);
    EXPECT_EQ(host.runProgress.Pos(), 15);
    bar.SetPos(18);  // within the interval: not shown
    EXPECT_EQ(host.runProgress.Pos(), 15);
    bar.ShowPos(0);  // below the range: the bar clamps it to its low end
    EXPECT_EQ(host.runProgress.Pos(), 10);

    // Ranges overtaken before anything showed never reach the bar.
    bar.SetRange(30, 40);
    bar.SetPos(35);
    EXPECT_EQ(host.runProgress.RangeLow(), 10);
    bar.SetRange(50, 60);
    bar.ShowPos(55);
    EXPECT_EQ(host.runProgress.RangeLow(), 50);
    EXPECT_EQ(host.runProgress.RangeHigh(), 60);
    EXPECT_EQ(host.runProgress.Pos(), 55);

    PacedProgress unpaced(view, SearchView::Bar::Run, 0);
    unpaced.SetRange(0, 100);
    unpaced.SetPos(40);
    EXPECT_EQ(host.runProgress.Pos(), 40);
    unpaced.SetPos(70);
    EXPECT_EQ(host.runProgress.Pos(), 70);
}

TEST(PacedProgress, LeavesTheBarAloneWhereANewRangeFillsItAsFarAsNow) {
    EngineHost host;
    ControlSearchView view(host.statusField, host.groupList, host.mainProgress, host.runProgress);
    PacedProgress bar(view, SearchView::Bar::Run, 0);
    bar.SetRange(10, 20);
    bar.ShowPos(10);
    // Empty at the start of the next range as of this one: nothing to draw.
    bar.SetRange(21, 22);
    bar.ShowPos(21);
    EXPECT_EQ(host.runProgress.RangeLow(), 10);
    // Half full in both is the same bar too, but further on it is not.
    bar.SetRange(0, 100);
    bar.ShowPos(0);
    bar.SetPos(50);
    EXPECT_EQ(host.runProgress.RangeLow(), 0);
    EXPECT_EQ(host.runProgress.Pos(), 50);
    bar.SetRange(200, 220);
    bar.ShowPos(210);
    EXPECT_EQ(host.runProgress.RangeLow(), 0);
    bar.ShowPos(215);
    EXPECT_EQ(host.runProgress.RangeLow(), 200);
    EXPECT_EQ(host.runProgress.RangeHigh(), 220);
    EXPECT_EQ(host.runProgress.Pos(), 215);
}
