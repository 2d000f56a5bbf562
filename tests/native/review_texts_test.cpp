// The review's size, time and total texts, and the lines of the saved list.
#include "review/core/CsvText.h"
#include "review/core/ReviewTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(ReviewTexts, SizesReadAsTheFileManagerShowsThem) {
    EXPECT_EQ(reviewtext::Size(0), "0 バイト");
    EXPECT_EQ(reviewtext::Size(1023), "1,023 バイト");
    EXPECT_EQ(reviewtext::Size(1024), "1 KB");
    EXPECT_EQ(reviewtext::Size(1025), "2 KB");  // rounded up
    EXPECT_EQ(reviewtext::Size(1234 * 1024), "1,234 KB");
    EXPECT_EQ(reviewtext::Size(12899942), "12.3 MB");     // 12.30..., truncated
    EXPECT_EQ(reviewtext::Size(1048575999), "999 MB");    // never "1000 MB"
    EXPECT_EQ(reviewtext::Size(4831838208ULL), "4.50 GB");
    EXPECT_EQ(reviewtext::Size(~0ULL), "15.9 EB");
}

TEST(ReviewTexts, TimesCountsAndTheQuestion) {
    const CivilTime time{2024, 5, 1, 13, 45, 7};
    EXPECT_EQ(reviewtext::LineTime(time), "2024/05/01 13:45");
    EXPECT_EQ(reviewtext::FullTime(time), "2024/05/01 13:45:07");
    EXPECT_EQ(reviewtext::TickedTotal(1234, 6013000000ULL), "チェック 1,234 ファイル / 5.60 GB");
    EXPECT_EQ(reviewtext::TickedTotal(0, 0), "チェック 0 ファイル / 0 バイト");
    EXPECT_EQ(reviewtext::DeletedTotal(51935, 2048), "削除 51,935 ファイル / 2 KB");
    EXPECT_EQ(reviewtext::DeletionQuestion(3, 3072, true),
              "チェック済みのファイルを削除します\n3 ファイル (3 KB) をごみ箱に移動します");
    EXPECT_EQ(reviewtext::DeletionQuestion(1000, 10, false),
              "チェック済みのファイルを削除します\n1,000 ファイル (10 バイト) を完全に削除します。元に戻すことはできません");
}

TEST(CsvText, QuotesOnlyFieldsThatNeedIt) {
    EXPECT_EQ(csvtext::Record({"1", "a b.txt", ""}), "1,a b.txt,\r\n");
    EXPECT_EQ(csvtext::Record({"x,y", "say \"hi\"", "two\nlines"}),
              "\"x,y\",\"say \"\"hi\"\"\",\"two\nlines\"\r\n");
}

}  // namespace
