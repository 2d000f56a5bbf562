// Runs of equal length and the progress step.
#include "engine/core/RunBuilder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> RunsOf(const std::vector<std::uint64_t>& lengths) {
    engine::RunBuilder runs;
    for (std::uint64_t length : lengths) runs.Add(length);
    return runs.Lengths(-100);
}

TEST(RunBuilder, CutsOrderedLengthsIntoRunsEndedByTheMark) {
    // Sizes 5, 3, 5, 3, 9, once ordered.
    EXPECT_EQ(RunsOf({3, 3, 5, 5, 9}), (std::vector<int>{2, 2, 1, -100}));
    EXPECT_EQ(RunsOf({42}), (std::vector<int>{1, -100}));
    EXPECT_EQ(RunsOf({1, 2, 3}), (std::vector<int>{1, 1, 1, -100}));
    EXPECT_EQ(RunsOf({0, 0, 0}), (std::vector<int>{3, -100}));
    EXPECT_EQ(RunsOf({}), (std::vector<int>{-100}));
}

TEST(RunBuilder, LengthsThatDifferOnlyAbove32BitsAreDifferentRuns) {
    EXPECT_EQ(RunsOf({5, 0x100000005ULL, 0x100000005ULL}), (std::vector<int>{1, 2, -100}));
}

TEST(ProgressStep, IsAHundredthAtLeastOne) {
    EXPECT_EQ(engine::ProgressStep(0), 1);
    EXPECT_EQ(engine::ProgressStep(99), 1);
    EXPECT_EQ(engine::ProgressStep(150), 1);
    EXPECT_EQ(engine::ProgressStep(250), 2);
    EXPECT_EQ(engine::ProgressStep(23682), 236);
}

}  // namespace
