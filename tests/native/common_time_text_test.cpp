// Splitting seconds, the remaining-time estimate and the time-taken text.
#include "common/core/TimeText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SplitSeconds, TruncatesIntoHoursMinutesSeconds) {
    int h = -1, m = -1, s = -1;
    timetext::SplitSeconds(3725, h, m, s);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(s, 5);
    timetext::SplitSeconds(360000, h, m, s);
    EXPECT_EQ(h, 100);
    EXPECT_EQ(m, 0);
    EXPECT_EQ(s, 0);
}

TEST(ElapsedTimeText, LeavesOutLeadingZeroFields) {
    EXPECT_EQ(timetext::ElapsedTimeText(3725), "01 時間 02 分 05 秒 かかりました");
    EXPECT_EQ(timetext::ElapsedTimeText(3600), "01 時間 00 分 00 秒 かかりました");
    EXPECT_EQ(timetext::ElapsedTimeText(125), "02 分 05 秒 かかりました");
    EXPECT_EQ(timetext::ElapsedTimeText(7), "07 秒 かかりました");
    EXPECT_EQ(timetext::ElapsedTimeText(0), "00 秒 かかりました");
}

TEST(RemainingTimeText, HasNoBlanksAroundTheNumbers) {
    EXPECT_EQ(timetext::RemainingTimeText(150), "予想残り時間 02分30秒");
    EXPECT_EQ(timetext::RemainingTimeText(3725), "予想残り時間 01時間02分05秒");
    EXPECT_EQ(timetext::RemainingTimeText(9), "予想残り時間 09秒");
    // %02d is a minimum width: a hundred hours and more show all digits.
    EXPECT_EQ(timetext::RemainingTimeText(360000 + 61), "予想残り時間 100時間01分01秒");
}

TEST(RemainingSeconds, AppliesTheTimePerFileToTheFilesLeft) {
    EXPECT_EQ(timetext::RemainingSeconds(50, 1000, 250), 150);
    EXPECT_EQ(timetext::RemainingSeconds(7, 10, 3), 16);  // 49 / 3, truncated
    EXPECT_EQ(timetext::RemainingSeconds(50, 1000, 0), 0);
    // Hours of work with a hundred thousand files left do not overflow.
    EXPECT_EQ(timetext::RemainingSeconds(30000, 200000, 100000), 30000);
    EXPECT_EQ(timetext::RemainingSeconds(100000, 150000, 1), 100000LL * 149999);
}

}  // namespace
