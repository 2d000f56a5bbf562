// Ordering the gathered files: the tables it leaves, the progress bar, and
// an abort. The gathered files are filled by hand as a collection would.
#include "EngineRig.h"

#include "platform/WidePath.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SizeOrdering : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::Reset();
        rig.host.ReleaseGatheredFiles();
    }

    void Gathered(const std::string& path, std::uint64_t size, std::int64_t time) {
        rig.host.gathered.AppendPath(widepath::FromCp932(path), size, time);
    }
    std::vector<std::string> Paths() const { return rig.OrderedTexts(); }

    EngineRig rig;
};

TEST_F(SizeOrdering, OrdersByLengthThenNewestFirstWithRecordsAlongside) {
    Gathered("D:\\e", 5, 100);
    Gathered("D:\\c", 3, 100);
    Gathered("D:\\f", 5, 300);
    Gathered("D:\\d", 3, 200);
    Gathered("D:\\g", 9, 100);
    ASSERT_TRUE(rig.Order());

    EXPECT_EQ(Paths(), (std::vector<std::string>{"D:\\d", "D:\\c", "D:\\f", "D:\\e", "D:\\g"}));
    EXPECT_EQ(rig.ordering.RunLengths, (std::vector<int>{2, 2, 1, -100}));
    const std::vector<std::int64_t> times = {200, 100, 300, 100, 100};
    for (std::size_t i = 0; i < times.size(); ++i) EXPECT_EQ(rig.ordering.Paths.LastWriteTime(static_cast<int>(i)), times[i]);
    EXPECT_EQ(rig.ordering.Paths.Size(4), 9u);

    // Every record moved; none is left behind.
    EXPECT_EQ(rig.host.gathered.Count(), 0);
    EXPECT_EQ(rig.host.mainProgress.Pos(), 0);
    EXPECT_EQ(rig.host.mainProgress.RangeHigh(), 5);
}

TEST_F(SizeOrdering, EqualTimesKeepThePartitionOrderAndTrueLengthsAscend) {
    Gathered("D:\\a", 7, 50);
    Gathered("D:\\b", 7, 50);
    Gathered("D:\\c", 7, 50);
    Gathered("D:\\huge", 5ULL << 30, 1);
    Gathered("D:\\2g", 0x80000000ULL, 1);
    Gathered("D:\\huge2", (5ULL << 30) + 1, 1);
    Gathered("D:\\empty", 0, 1);
    ASSERT_TRUE(rig.Order());
    // The size sort leaves the three 7-byte files as c, a, b; the time sort
    // of three equal times then swaps the outer two.
    EXPECT_EQ(Paths(), (std::vector<std::string>{"D:\\empty", "D:\\b", "D:\\a", "D:\\c", "D:\\2g", "D:\\huge",
                                                 "D:\\huge2"}));
    EXPECT_EQ(rig.ordering.RunLengths, (std::vector<int>{1, 3, 1, 1, 1, -100}));
}

TEST_F(SizeOrdering, TablesGrowBeyondAHundredThousandFiles) {
    const int count = 100005;
    for (int i = 0; i < count; ++i) Gathered("D:\\f" + std::to_string(i), static_cast<std::uint64_t>(i), 0);
    ASSERT_TRUE(rig.Order());
    ASSERT_EQ(rig.ordering.Paths.Count(), count);
    EXPECT_EQ(Paths().back(), "D:\\f100004");
    ASSERT_EQ(rig.ordering.RunLengths.size(), static_cast<std::size_t>(count) + 1);
    EXPECT_EQ(rig.ordering.RunLengths.back(), -100);
}

TEST_F(SizeOrdering, ProgressAdvancesByTheStepAndEndsAtZero) {
    for (int i = 0; i < 250; ++i) Gathered("D:\\f" + std::to_string(i), static_cast<std::uint64_t>(i % 3), i);
    std::vector<int> positions;
    rig.host.onCommand = [this, &positions] {
        positions.push_back(rig.host.mainProgress.Pos());
        rig.host.PostCommand();
    };
    rig.host.PostCommand();
    ASSERT_TRUE(rig.Order());

    // One pump to start forming runs, one per file, one to start ordering
    // runs by time and one per run.
    ASSERT_EQ(positions.size(), 1u + 250u + 1u + 3u);
    // Forming runs: the position follows the files by steps of 2, no more
    // often than the eye can follow.
    EXPECT_EQ(positions[1], 0);
    for (std::size_t k = 2; k <= 250; ++k) {
        EXPECT_EQ(positions[k] % 2, 0) << positions[k];
        EXPECT_GE(positions[k], positions[k - 1]);
        EXPECT_LE(positions[k], static_cast<int>(k) - 2);
    }
    // Ordering by time: the position is the first file of a run; it moves
    // no more often than the eye can follow, so some runs may not show.
    EXPECT_EQ(positions[253], 0);
    for (std::size_t k = 254; k < positions.size(); ++k)
        EXPECT_TRUE(positions[k] == 0 || positions[k] == 84 || positions[k] == 167) << positions[k];
    EXPECT_EQ(rig.host.mainProgress.Pos(), 0);
    EXPECT_EQ(rig.host.mainProgress.RangeHigh(), 250);
}

TEST_F(SizeOrdering, AbortWhileFormingRunsLeavesTheGatheredFilesWhole) {
    for (int i = 0; i < 40; ++i) Gathered("D:\\f" + std::to_string(i), static_cast<std::uint64_t>(i % 4), i);
    int pumps = 0;
    rig.host.onCommand = [this, &pumps] {
        if (++pumps == 10)
            rig.ordering.Abort();
        else
            rig.host.PostCommand();
    };
    rig.host.PostCommand();
    EXPECT_FALSE(rig.Order());
    EXPECT_EQ(pumps, 10);
    ASSERT_EQ(rig.host.gathered.Count(), 40);
    EXPECT_EQ(rig.host.gathered.Record(39)->lastWriteTime, 39);
    EXPECT_EQ(rig.ordering.RunLengths.back(), -100);
    EXPECT_EQ(rig.host.mainProgress.Pos(), 0);

    // Offered again, it runs to its end.
    rig.host.onCommand = nullptr;
    EXPECT_TRUE(rig.Order());
    EXPECT_EQ(rig.ordering.RunLengths, (std::vector<int>{10, 10, 10, 10, -100}));
}

}  // namespace
