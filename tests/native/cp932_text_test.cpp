#include "common/core/Cp932Text.h"

#include <gtest/gtest.h>

using namespace cp932;

// 表 and ソ end in 0x5C, the byte of a backslash.
static const std::string Hyou = "\x95\x5C";
static const std::string So = "\x83\x5C";

TEST(Cp932Text, LeadBytesAreTheTwoCp932Ranges) {
    for (int byte : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(byte))) << byte;
    for (int byte : {0x00, 0x5C, 0x80, 0xA0, 0xDF, 0xFD, 0xFF})
        EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(byte))) << byte;
    EXPECT_TRUE(IsDoubleByteLead("a" + Hyou, 1));
    EXPECT_FALSE(IsDoubleByteLead("a" + Hyou, 0));
    EXPECT_FALSE(IsDoubleByteLead("a", 5));  // outside the text
}

TEST(Cp932Text, ExtensionOfTakesTheLastDotElseTheLastBackslash) {
    EXPECT_EQ(ExtensionOf("D:\\data\\file.txt"), ".txt");
    EXPECT_EQ(ExtensionOf("D:\\data\\file"), "file");
    EXPECT_EQ(ExtensionOf("file"), "file");
    EXPECT_EQ(ExtensionOf("D:\\data.old\\file"), ".old\\file");
    EXPECT_EQ(ExtensionOf("D:\\data\\name."), ".");
    EXPECT_EQ(ExtensionOf(""), "");
    // The second byte of 表 is no backslash.
    EXPECT_EQ(ExtensionOf("D:\\" + Hyou + "file"), Hyou + "file");
    EXPECT_EQ(ExtensionOf("D:\\a\\" + So), So);
}

TEST(Cp932Text, NameAndFolderSplitAtTheLastBackslashOfItsOwn) {
    EXPECT_EQ(NameOf("D:\\data\\file.dat"), "file.dat");
    EXPECT_EQ(NameOf("file.dat"), "file.dat");
    EXPECT_EQ(NameOf("D:\\"), "");
    EXPECT_EQ(NameOf("D:\\a\\" + Hyou + "file"), Hyou + "file");
    EXPECT_EQ(FolderOf("D:\\data\\file.dat"), "D:\\data\\");
    EXPECT_EQ(FolderOf("file.dat"), ".\\");
    EXPECT_EQ(FolderOf("D:\\a\\" + Hyou + "file"), "D:\\a\\");
}

TEST(Cp932Text, ToLowerFoldsOnlySingleByteLetters) {
    EXPECT_EQ(ToLower("*.TXT"), "*.txt");
    // ＡＢ (full-width) stays; the trail byte 0x41 of "\x83\x41" (ア) is not a letter.
    EXPECT_EQ(ToLower("\x82\x60\x82\x61"), "\x82\x60\x82\x61");
    EXPECT_EQ(ToLower("\x83\x41" "A"), "\x83\x41" "a");
}

TEST(Cp932Text, EqualIgnoringCaseComparesDoubleByteCharactersExactly) {
    EXPECT_TRUE(Equal("ABC.TXT", "abc.txt", true));
    EXPECT_FALSE(Equal("ABC.TXT", "abc.txt", false));
    EXPECT_TRUE(Equal("abc.txt", "abc.txt", false));
    EXPECT_FALSE(Equal("\x83\x41", "\x83\x61", true));  // ア vs ャ: trail bytes differ only in "case"
    EXPECT_FALSE(Equal("abc", "abcd", true));
}

TEST(Cp932Text, FindStartsOnlyOnCharacters) {
    EXPECT_EQ(Find("*.jpg;;*.png;;", "*.png;;"), 7u);
    EXPECT_EQ(Find("*.JPG;;", "*.jpg;;", true), 0u);
    EXPECT_EQ(Find("*.JPG;;", "*.jpg;;", false), std::string::npos);
    // "\\" inside 表 is not found; the real one after it is.
    EXPECT_EQ(Find(Hyou + "\\", "\\"), 2u);
    EXPECT_EQ(Find("abc", ""), 0u);
    EXPECT_EQ(Find("ab", "abc"), std::string::npos);
}

TEST(Cp932Text, SplitTerminatedKeepsOnlyPiecesThatASeparatorEnds) {
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(SplitTerminated("a;;b;;", ";;"), (Pieces{"a", "b"}));
    EXPECT_EQ(SplitTerminated("a;;b", ";;"), (Pieces{"a"}));
    EXPECT_EQ(SplitTerminated(";;", ";;"), (Pieces{""}));
    EXPECT_EQ(SplitTerminated("ab", ";;"), (Pieces{}));
    EXPECT_EQ(SplitTerminated("", ";;"), (Pieces{}));
}

TEST(Cp932Text, WithBackslashRespectsDoubleByteEndings) {
    EXPECT_EQ(WithBackslash("D:\\data"), "D:\\data\\");
    EXPECT_EQ(WithBackslash("D:\\"), "D:\\");
    EXPECT_EQ(WithBackslash("D:\\" + Hyou), "D:\\" + Hyou + "\\");
    EXPECT_EQ(WithBackslash("D:\\" + Hyou + "\\"), "D:\\" + Hyou + "\\");
    EXPECT_EQ(WithBackslash(""), "\\");
    EXPECT_EQ(WithBackslash("\\"), "\\");
    EXPECT_EQ(WithBackslash("x"), "x\\");
}
