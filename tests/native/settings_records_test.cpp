#include "settings/core/SettingsRecords.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using Values = std::vector<std::string>;

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

TEST(SettingsRecords, WrittenRecordsReadBackPassByPass) {
    FilePointer file(std::tmpfile());
    EXPECT_TRUE(settingsfile::WriteRecords(file.get(), settingsfile::DirectoryMarker, {"D:\\data", "E:\\photos"}));
    EXPECT_TRUE(settingsfile::WriteRecords(file.get(), settingsfile::FileTypeMarker, {"*.jpg"}));
    std::rewind(file.get());
    char bytes[100] = {};
    const std::string written(bytes, std::fread(bytes, 1, sizeof bytes, file.get()));
    EXPECT_EQ(written, "#DIRECTORY\nD:\\data\n#DIRECTORY\nE:\\photos\n#FILETYPE\n*.jpg\n");
    EXPECT_EQ(settingsfile::ReadValues(written, settingsfile::FileTypeMarker), Values{"*.jpg"});
}

TEST(SettingsRecords, InterleavedRecordsAndValuesThatLookLikeMarkers) {
    const std::string text = "#FILETYPE\n*.jpg\nstray\n#DIRECTORY\n#DIRECTORY\n#FILETYPE\n\n#DIRECTORY\nD:\\d\n";
    // The value is always the next line, whatever it holds.
    EXPECT_EQ(settingsfile::ReadValues(text, settingsfile::DirectoryMarker), (Values{"#DIRECTORY", "D:\\d"}));
    EXPECT_EQ(settingsfile::ReadValues(text, settingsfile::FileTypeMarker), (Values{"*.jpg", ""}));
}

TEST(SettingsRecords, ControlCharactersAndAByteOrderMarkAreNoPartOfTheRecords) {
    const std::string bytes =
        "\xEF\xBB\xBF#FILETYPE\n*.a\x01\n#FILETYPE\n*.b\n#FILETYPE\n\t*.c\n#FILETYPE\n*.d" + std::string(1, '\0') + "x\n";
    const settingsfile::SettingsText decoded = settingsfile::DecodeFile(bytes);
    EXPECT_TRUE(decoded.unicode);
    EXPECT_EQ(settingsfile::ReadValues(decoded.text, settingsfile::FileTypeMarker), Values{"*.b"});
    EXPECT_EQ(settingsfile::DecodeFile("#F").text, "#F");
}

TEST(SettingsRecords, FoldersDifferingInCaseOfAToZOrAFinalBackslashShareAKey) {
    EXPECT_EQ(settingsfile::FolderKey(L"D:\\Data\\"), settingsfile::FolderKey(L"d:\\data"));
    EXPECT_EQ(settingsfile::FolderKey(L"C:\\"), L"c:");
    // Only A-Z fold: café and CAFÉ may be two folders.
    EXPECT_EQ(settingsfile::FolderKey(L"D:\\Caf\u00C9\\"), L"d:\\caf\u00C9");
}

TEST(SettingsRecords, UnicodeFilesAndUtf8FoldersReadAsTheSameRecordsInFileOrder) {
    const settingsfile::RecordMarkers folders{settingsfile::DirectoryMarker, "#UTF8DIRECTORY"};
    const std::string utf8Cafe = "D:\\caf\xC3\xA9";
    // Records of a cp932 file: the UTF-8 form under its own marker, which the
    // cp932 pass alone skips.
    const settingsfile::SettingsText plain =
        settingsfile::DecodeFile("#UTF8DIRECTORY\r\n" + utf8Cafe + "\r\n#DIRECTORY\r\nD:\\\x95\x5C\r\n\x1A#DIRECTORY\r\nE:\\\r\n");
    EXPECT_FALSE(plain.unicode);
    const std::vector<settingsfile::RecordValue> read = settingsfile::ReadRecords(plain.text, folders, false);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].text, utf8Cafe);
    EXPECT_TRUE(read[0].utf8);
    EXPECT_EQ(read[1].text, "D:\\\x95\x5C");
    EXPECT_FALSE(read[1].utf8);
    EXPECT_EQ(settingsfile::ReadValues(plain.text, settingsfile::DirectoryMarker), Values{"D:\\\x95\x5C"});

    // U+00E9 and U+1F600 in UTF-16 of either order, and UTF-8 with its mark.
    const std::string little = std::string("\xFF\xFE#\0D\0\r\0\n\0x\0\xE9\0=\xD8\0\xDE\n\0", 20);
    const std::string big = std::string("\xFE\xFF\0#\0D\0\r\0\n\0x\0\xE9\xD8=\xDE\0\0\n", 20);
    for (const std::string& bytes : {little, big, std::string("\xEF\xBB\xBF#D\r\nx\xC3\xA9\xF0\x9F\x98\x80\n")}) {
        const settingsfile::SettingsText text = settingsfile::DecodeFile(bytes);
        EXPECT_TRUE(text.unicode);
        EXPECT_EQ(text.text, "#D\nx\xC3\xA9\xF0\x9F\x98\x80\n");
    }
}
