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

TEST(MatchesNamePattern, StarsTakeAnyRunAndQuestionMarksOneCharacter) {
    using engine::MatchesNamePattern;
    EXPECT_TRUE(MatchesNamePattern(L".git", L".git"));
    EXPECT_FALSE(MatchesNamePattern(L".github", L".git"));
    EXPECT_TRUE(MatchesNamePattern(L"APP.CACHE", L"*.CACHE"));
    EXPECT_TRUE(MatchesNamePattern(L".cache", L"*.cache"));
    EXPECT_FALSE(MatchesNamePattern(L"cache", L"*.cache"));
    // A star gives back what a later part needs.
    EXPECT_TRUE(MatchesNamePattern(L"aXbYbZc", L"a*b*c"));
    EXPECT_FALSE(MatchesNamePattern(L"aXbYbZ", L"a*b*c"));
    EXPECT_TRUE(MatchesNamePattern(L"bin1", L"bin?"));
    EXPECT_FALSE(MatchesNamePattern(L"bin", L"bin?"));
    EXPECT_TRUE(MatchesNamePattern(L"", L"*"));
    EXPECT_TRUE(MatchesNamePattern(L"\U00020BB7old", L"\U00020BB7*"));
    EXPECT_TRUE(engine::IsFolderPathEntry(L"D:\\data"));
    EXPECT_FALSE(engine::IsFolderPathEntry(L"node_modules"));
}

}  // namespace
