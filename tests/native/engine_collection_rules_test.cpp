// Which files a type list gathers, and the search pattern of a folder.
#include "engine/core/CollectionRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using engine::ListsAllTypes;
using engine::MatchesFileType;

TEST(MatchesFileType, TakesTheWholeExtensionIgnoringTheCaseOfLetters) {
    const std::string types = "*.txt;;*.jpg;;";
    EXPECT_TRUE(MatchesFileType("D:\\notes\\notes.txt", types));
    EXPECT_TRUE(MatchesFileType("D:\\notes\\notes.TXT", types));
    EXPECT_TRUE(MatchesFileType("D:\\camera\\PHOTO.JPG", types));
    EXPECT_TRUE(MatchesFileType("D:\\camera\\PHOTO.JPG", "*.Jpg;;"));
    EXPECT_FALSE(MatchesFileType("D:\\notes\\notes.txt.bak", types));
    EXPECT_FALSE(MatchesFileType("D:\\notes\\notes", types));
    EXPECT_FALSE(MatchesFileType("D:\\camera\\photo.jp", types));
    // A last piece that no ";;" ends is no entry.
    EXPECT_FALSE(MatchesFileType("D:\\camera\\photo.png", "*.txt;;*.png"));
}

TEST(MatchesFileType, IsASubstringSearchInTheJoinedList) {
    EXPECT_FALSE(MatchesFileType("D:\\a\\b.txt", ".txt;;"));
    EXPECT_TRUE(MatchesFileType("D:\\a\\b.txt", "report*.txt;;"));
    // A file without an extension in a folder with a dot in its name.
    EXPECT_FALSE(MatchesFileType("D:\\old.set\\README", "*.set;;*.txt;;"));
    EXPECT_TRUE(MatchesFileType("D:\\old.set\\README", "*.set\\README;;"));
}

TEST(MatchesFileType, DoubleByteCharactersCompareExactly) {
    // ｔ is the full-width letter; it never matches t.
    EXPECT_TRUE(MatchesFileType("D:\\a\\b.表", "*.表;;"));
    EXPECT_FALSE(MatchesFileType("D:\\a\\b.ｔｘｔ", "*.txt;;"));
    EXPECT_FALSE(MatchesFileType("D:\\a\\b.ａ", "*.Ａ;;"));
}

TEST(ListsAllTypes, WantsAnEntryEndingInStarDotStar) {
    EXPECT_TRUE(ListsAllTypes("*.txt;;*.*;;"));
    EXPECT_TRUE(ListsAllTypes("data*.*;;"));
    EXPECT_FALSE(ListsAllTypes("*.*"));
    EXPECT_FALSE(ListsAllTypes("*.txt;;"));
    EXPECT_FALSE(ListsAllTypes(""));
}

}  // namespace
