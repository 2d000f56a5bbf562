// Which files a type list gathers, and the search pattern of a folder.
#include "engine/core/CollectionRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using engine::FolderWithBackslash;
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

TEST(FolderWithBackslash, AddsOneUnlessTheLastCharacterIsABackslash) {
    EXPECT_EQ(FolderWithBackslash("D:\\data"), "D:\\data\\");
    EXPECT_EQ(FolderWithBackslash("D:\\"), "D:\\");
    // 表 is 0x95 0x5C: its second byte is no backslash.
    EXPECT_EQ(FolderWithBackslash("D:\\表"), "D:\\表\\");
    EXPECT_EQ(FolderWithBackslash("D:\\表\\"), "D:\\表\\");
    EXPECT_EQ(FolderWithBackslash("D:\\ソ"), "D:\\ソ\\");
    // Paths of fewer than two bytes are read only inside.
    EXPECT_EQ(FolderWithBackslash("\\"), "\\");
    EXPECT_EQ(FolderWithBackslash("a"), "a\\");
    EXPECT_EQ(FolderWithBackslash(std::string(1, '\x95')), std::string("\x95\\"));
    EXPECT_EQ(FolderWithBackslash(""), "");
}

}  // namespace
