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
    EXPECT_EQ(std::string(bytes, std::fread(bytes, 1, sizeof bytes, file.get())),
              "#DIRECTORY\nD:\\data\n#DIRECTORY\nE:\\photos\n#FILETYPE\n*.jpg\n");
    std::rewind(file.get());
    EXPECT_EQ(settingsfile::ReadValues(file.get(), settingsfile::FileTypeMarker), Values{"*.jpg"});
}

TEST(SettingsRecords, InterleavedRecordsAndValuesThatLookLikeMarkers) {
    FilePointer file(std::tmpfile());
    const std::string bytes = "#FILETYPE\n*.jpg\nstray\n#DIRECTORY\n#DIRECTORY\n#FILETYPE\n\n#DIRECTORY\nD:\\d\n";
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    // The value is always the next line, whatever it holds.
    EXPECT_EQ(settingsfile::ReadValues(file.get(), settingsfile::DirectoryMarker), (Values{"#DIRECTORY", "D:\\d"}));
    std::rewind(file.get());
    EXPECT_EQ(settingsfile::ReadValues(file.get(), settingsfile::FileTypeMarker), (Values{"*.jpg", ""}));
}

TEST(SettingsRecords, ControlCharactersAndAByteOrderMarkAreNoPartOfTheRecords) {
    FilePointer file(std::tmpfile());
    const std::string bytes =
        "\xEF\xBB\xBF#FILETYPE\n*.a\x01\n#FILETYPE\n*.b\n#FILETYPE\n\t*.c\n#FILETYPE\n*.d" + std::string(1, '\0') + "x\n";
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    EXPECT_EQ(settingsfile::SkipByteOrderMark(file.get()), 3);
    EXPECT_EQ(settingsfile::ReadValues(file.get(), settingsfile::FileTypeMarker), Values{"*.b"});
    std::rewind(file.get());
    std::fputs("#F", file.get());
    std::rewind(file.get());
    EXPECT_EQ(settingsfile::SkipByteOrderMark(file.get()), 0);
    EXPECT_EQ(std::fgetc(file.get()), '#');
}

TEST(SettingsRecords, FoldersDifferingInCaseOrAFinalBackslashShareAKey) {
    EXPECT_EQ(settingsfile::FolderKey("D:\\Data\\"), settingsfile::FolderKey("d:\\data"));
    EXPECT_EQ(settingsfile::FolderKey("C:\\"), "c:");
    // 表 ends in the byte 0x5C, which is no backslash of its own.
    EXPECT_EQ(settingsfile::FolderKey("D:\\表"), "d:\\表");
    EXPECT_EQ(settingsfile::FolderKey("D:\\表\\"), "d:\\表");
}
