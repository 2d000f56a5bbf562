// The run's files on disk: a second name of a file fails to open even after
// the first name was closed, reopening is never reported, reads go where
// they are asked to.
#include "engine/Win32RunFiles.h"

#include "platform/WidePath.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <memory>

#include <string>
#include <vector>

namespace {

class RunFilesOnDisk : public ::testing::Test {
protected:
    Win32RunFiles& Files(std::vector<std::string> paths, std::uint64_t length) {
        files_.reset();
        records_.ReleaseAll();
        for (const std::string& path : paths) records_.AppendPath(widepath::FromCp932(path), length, 0);
        files_.reset(new Win32RunFiles(records_, 0, paths.size(), length,
                                       [this](const std::string& path) { reported.push_back(path); }));
        return *files_;
    }
    std::string Read(std::size_t file, std::uint64_t offset, std::size_t size) {
        std::string bytes(size, '\0');
        const std::int64_t got =
            files_->Read(file, offset, reinterpret_cast<unsigned char*>(&bytes[0]), size);
        return got < 0 ? "<failed>" : bytes.substr(0, static_cast<std::size_t>(got));
    }

    TempTree tree;
    std::vector<std::string> reported;

private:
    GatheredFileList records_;
    std::unique_ptr<Win32RunFiles> files_;
};

TEST_F(RunFilesOnDisk, ASecondNameTakesNoPartUnreportedAlsoAfterTheFirstWasClosed) {
    const std::string a = tree.WriteFile("a", "0123456789"), b = tree.WriteFile("b", "abcdefghij");
    std::vector<std::string> paths = {a, b, a};
    const std::string linked = tree.Path("linked");
    if (CreateHardLinkA(linked.c_str(), a.c_str(), nullptr)) paths.push_back(linked);
    Win32RunFiles& files = Files(paths, 10);

    ASSERT_TRUE(files.Open(0));
    files.Close(0);
    EXPECT_TRUE(files.Open(1));
    EXPECT_FALSE(files.Open(2));
    if (paths.size() == 4) {
        EXPECT_FALSE(files.Open(3));
    }
    // The file is in the run already: no failure to report.
    EXPECT_TRUE(reported.empty());

    // Reopening the first name is no new open: not reported, and it reads.
    EXPECT_TRUE(files.Reopen(0));
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(Read(0, 6, 80000), "6789");
    EXPECT_EQ(Read(0, 0, 3), "012");
    EXPECT_EQ(Read(0, 3, 2), "34");
    EXPECT_EQ(Read(1, 10, 5), "");
}

TEST_F(RunFilesOnDisk, FailuresAreReportedOnceAndReadsOfClosedFilesFail) {
    const std::string a = tree.WriteFile("a", "xx"), missing = tree.Path("missing");
    Win32RunFiles& files = Files({missing, a}, 2);
    EXPECT_FALSE(files.Open(0));
    EXPECT_EQ(reported, (std::vector<std::string>{missing}));
    EXPECT_EQ(Read(0, 0, 2), "<failed>");
    ASSERT_TRUE(files.Open(1));
    // Held exclusively: nobody else can open it meanwhile.
    EXPECT_EQ(CreateFileA(a.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    files.Close(1);
    EXPECT_EQ(Read(1, 0, 2), "<failed>");
}

TEST_F(RunFilesOnDisk, AFileReplacedSinceItsOpenDoesNotReopen) {
    const std::string a = tree.WriteFile("a", "first");
    Win32RunFiles& files = Files({a}, 5);
    ASSERT_TRUE(files.Open(0));
    files.Close(0);
    // The old file stays (under another name), so the new one cannot take
    // its file index.
    ASSERT_TRUE(MoveFileA(a.c_str(), tree.Path("moved").c_str()));
    tree.WriteFile("a", "other");
    EXPECT_FALSE(files.Reopen(0));
    EXPECT_TRUE(reported.empty());
}

}  // namespace
