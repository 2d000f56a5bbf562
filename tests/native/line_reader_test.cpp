#include "common/core/LineReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

// A scratch file holding exactly `bytes`, positioned at its start.
FilePointer FileWith(const std::string& bytes) {
    FilePointer file(std::tmpfile());
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    return file;
}
}  // namespace

TEST(LineReader, MarkersStartALineAndAMarkerOnTheLastLineHasNoValue) {
    FilePointer file = FileWith("value #DIRECTORY\n#DIRECTORYX\nafter\n#DIRECTORY");
    std::string line;
    ASSERT_TRUE(lines::FindLineWithPrefix(file.get(), "#DIRECTORY"));
    ASSERT_TRUE(lines::ReadLine(file.get(), line));
    EXPECT_EQ(line, "after");  // #DIRECTORYX counts, the first line does not
    ASSERT_TRUE(lines::FindLineWithPrefix(file.get(), "#DIRECTORY"));
    line = "left over";
    EXPECT_FALSE(lines::ReadLine(file.get(), line));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(lines::FindLineWithPrefix(file.get(), "#DIRECTORY"));
}

TEST(LineReader, LongLinesComeInPiecesOf1999BytesThatCountAsLines) {
    // 2500 bytes: a piece of 1999 and one of 501, which may be a marker.
    FilePointer file = FileWith(std::string(1999, 'a') + "#FILETYPE" + std::string(492, 'b') + "\nnext\n");
    std::string line;
    ASSERT_TRUE(lines::ReadLine(file.get(), line));
    EXPECT_EQ(line, std::string(1999, 'a'));
    ASSERT_TRUE(lines::FindLineWithPrefix(file.get(), "#FILETYPE"));
    ASSERT_TRUE(lines::ReadLine(file.get(), line));
    EXPECT_EQ(line, "next");

    // Exactly 1999 bytes: the line feed comes as an empty piece of its own.
    file = FileWith(std::string(1999, 'c') + "\nnext\n");
    ASSERT_TRUE(lines::ReadLine(file.get(), line));
    ASSERT_TRUE(lines::ReadLine(file.get(), line));
    EXPECT_EQ(line, "");
}

TEST(LineReader, CarriageReturnsThatTheRunTimeKeepsStayInTheLine) {
    // This run-time reads CR LF as it is; the Windows one's text mode turns
    // it into LF (checked by the Wine tests, which open such files).
    FilePointer file = FileWith("#DIRECTORY\r\nD:\\data\r\n");
    std::string line;
    ASSERT_TRUE(lines::FindLineWithPrefix(file.get(), "#DIRECTORY"));
    ASSERT_TRUE(lines::ReadLine(file.get(), line));
    EXPECT_EQ(line, "D:\\data\r");
}
