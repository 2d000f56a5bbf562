// The folder walk on real trees: what it gathers, in which order, with which
// records, what it shows, and how it stops.
#include "EngineRig.h"

#include "support/HostCommand.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

// A folder link made for a test and removed with it. Wine's
// CreateSymbolicLinkA makes nothing, so there the host's ln makes a Unix
// link, which Wine reports as a linked folder (directory and reparse point).
class FolderLink {
public:
    FolderLink(const std::string& link, const std::string& relativeTarget) : link_(link) {
        if (CreateSymbolicLinkA(link.c_str(), relativeTarget.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) && IsLink())
            return;
        unixLink_ = host::UnixName(link);
        if (!unixLink_.empty()) host::RunScript("ln -s '" + relativeTarget + "' '" + unixLink_ + "'");
    }
    ~FolderLink() {
        if (!RemoveDirectoryA(link_.c_str()) && !unixLink_.empty()) host::RunScript("rm '" + unixLink_ + "'");
    }
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

    bool IsLink() const {
        const DWORD attributes = GetFileAttributesA(link_.c_str());
        const DWORD wanted = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & wanted) == wanted;
    }

private:
    std::string link_;
    std::string unixLink_;
};

class FileCollection : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::Reset();
        tree.WriteFile("a.txt", "aaa");
        tree.WriteFile("b\\inner.txt", "inner");
        tree.WriteFile("b\\深い\\表示.txt", "deep");
        tree.WriteFile("c.txt", "c");
        tree.WriteFile("NOTES.TXT", "notes");
        tree.WriteFile("notes.txt.bak", "bak");
        tree.WriteFile("notes", "none");
        tree.WriteFile("写真.JPG", "jpeg");
        tree.WriteFile("表\\中.txt", "");
        tree.SetLastWriteTime("a.txt", 1000000000);
        tree.SetLastWriteTime("b\\深い\\表示.txt", 2208988800LL);  // 2040
    }

    std::vector<std::string> Gathered() const { return rig.GatheredTexts(); }
    int IndexOf(const std::string& relative) const {
        const std::vector<std::string> texts = Gathered();
        const auto found = std::find(texts.begin(), texts.end(), tree.Path(relative));
        return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
    }
    std::optional<FileInfo> InfoOf(const std::string& relative) const {
        return rig.host.gathered.Record(IndexOf(relative));
    }

    TempTree tree;
    EngineRig rig;
};

TEST_F(FileCollection, WalksSubfoldersDepthFirstAndRecordsEachFile) {
    rig.Collect(tree.Root() + ";;", "*.txt;;", 1);

    std::vector<std::string> expected = {tree.Path("a.txt"),        tree.Path("b\\inner.txt"),
                                         tree.Path("b\\深い\\表示.txt"), tree.Path("c.txt"),
                                         tree.Path("NOTES.TXT"),    tree.Path("表\\中.txt")};
    std::vector<std::string> found = Gathered();
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected);

    // The subfolder's files come between the entries around it.
    EXPECT_LT(IndexOf("a.txt"), IndexOf("b\\inner.txt"));
    EXPECT_LT(IndexOf("a.txt"), IndexOf("b\\深い\\表示.txt"));
    EXPECT_LT(IndexOf("b\\inner.txt"), IndexOf("c.txt"));
    EXPECT_LT(IndexOf("b\\深い\\表示.txt"), IndexOf("c.txt"));

    ASSERT_TRUE(InfoOf("a.txt"));
    EXPECT_EQ(InfoOf("a.txt")->size, 3u);
    EXPECT_EQ(InfoOf("a.txt")->lastWriteTime, 1000000000);
    ASSERT_TRUE(InfoOf("b\\深い\\表示.txt"));
    EXPECT_EQ(InfoOf("b\\深い\\表示.txt")->size, 4u);
    EXPECT_EQ(InfoOf("b\\深い\\表示.txt")->lastWriteTime, 2208988800LL);
    EXPECT_EQ(InfoOf("表\\中.txt")->size, 0u);

    // The group list shows the file found last, and nothing else.
    ASSERT_EQ(rig.host.groupList.Count(), 1);
    EXPECT_EQ(rig.host.groupList.CurSel(), 0);
    EXPECT_EQ(rig.host.groupList.EntryText(0), Gathered().back());
    EXPECT_EQ(rig.host.statusField.Text(), "6");
}

TEST_F(FileCollection, WithoutSubfoldersTakesOnlyTheFolderItself) {
    rig.Collect(tree.Root() + ";;", "*.txt;;", 0);
    EXPECT_EQ(Gathered().size(), 3u);
    EXPECT_GE(IndexOf("a.txt"), 0);
    EXPECT_GE(IndexOf("c.txt"), 0);
    EXPECT_GE(IndexOf("NOTES.TXT"), 0);
    EXPECT_EQ(rig.host.statusField.Text(), "3");
}

TEST_F(FileCollection, TypeListMatchesWholeExtensionsInEitherCase) {
    rig.Collect(tree.Root() + ";;", "*.jpg;;*.bak;;", 0);
    EXPECT_EQ(Gathered(), (std::vector<std::string>{tree.Path("notes.txt.bak"), tree.Path("写真.JPG")}))
        << "listing order assumed sorted";

    rig.Collect(tree.Root() + ";;", "*.*;;", 1);
    EXPECT_EQ(Gathered().size(), 9u);
    EXPECT_GE(IndexOf("notes"), 0);
}

TEST_F(FileCollection, WalksOnlyFoldersThatASeparatorEnds) {
    rig.Collect(tree.Path("b") + ";;" + tree.Path("表"), "*.*;;", 1);
    EXPECT_EQ(Gathered().size(), 2u);
    EXPECT_EQ(IndexOf("表\\中.txt"), -1);

    // A folder ending in 表 (second byte 0x5C) listed without and with its
    // backslash; a missing folder and an empty entry yield nothing.
    rig.Collect(tree.Path("表") + ";;" + tree.Path("missing") + ";;;;" + tree.Path("表") + "\\;;", "*.*;;", 0);
    EXPECT_EQ(Gathered(), (std::vector<std::string>{tree.Path("表\\中.txt"), tree.Path("表\\中.txt")}));
    EXPECT_EQ(rig.host.statusField.Text(), "2");
}

TEST_F(FileCollection, LinkedSubfoldersAreNotWalkedButAListedLinkIs) {
    // b\back leads back up to the root: a loop.
    const std::string link = tree.Path("b\\back");
    FolderLink loop(link, "..");
    if (!loop.IsLink()) GTEST_SKIP() << "no folder links here";

    rig.Collect(tree.Root() + ";;", "*.*;;", 1);
    EXPECT_EQ(Gathered().size(), 9u);
    EXPECT_EQ(IndexOf("b\\back\\a.txt"), -1);

    rig.Collect(link + ";;", "*.txt;;", 0);
    std::vector<std::string> found = Gathered();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{link + "\\NOTES.TXT", link + "\\a.txt", link + "\\c.txt"}));
}

// Runs `work` with about `left` bytes of this thread's stack left.
void WithStackLeft(std::size_t left, const std::function<void()>& work) {
    MEMORY_BASIC_INFORMATION stack = {};
    VirtualQuery(&stack, &stack, sizeof stack);
    const std::size_t free = reinterpret_cast<std::uintptr_t>(&stack) - reinterpret_cast<std::uintptr_t>(stack.AllocationBase);
    ASSERT_GT(free, left + 64 * 1024);
    volatile char* used = static_cast<char*>(alloca(free - left));
    used[0] = 0;
    work();
}

TEST_F(FileCollection, ADeepTreeIsWalkedToTheBottomWithLittleStackLeft) {
    // 300 levels with 128 KB of stack left: a walk that takes stack per
    // level would need over 400 KB. Paths with \\?\ allow trees of
    // thousands of levels, on the program's stack of 2 MB.
    std::wstring deep;
    for (int level = 0; level < 300; ++level) deep += L"d\\";
    const std::wstring top = tree.WriteWide(L"deep\\top.txt", "t");
    const std::wstring bottom = tree.WriteWide(L"deep\\" + deep + L"bottom.txt", "b");
    WithStackLeft(128 * 1024, [&] { rig.Collect(tree.Path("deep") + ";;", "*.txt;;", 1); });
    ASSERT_EQ(rig.host.gathered.Count(), 2);
    EXPECT_EQ(rig.host.gathered.Record(0)->path, bottom);
    EXPECT_EQ(rig.host.gathered.Record(1)->path, top);
    EXPECT_TRUE(scripted::MessageBoxes().empty());
}

TEST_F(FileCollection, AFolderInsideAnotherChosenOneAddsNothingIntoSubfolders) {
    // b under other texts (letter case, a final backslash, \\?\), and B, a
    // folder of its own beside b that differs only in case.
    const std::string unixRoot = host::UnixName(tree.Root());
    if (unixRoot.empty() || !host::RunScript("mkdir '" + unixRoot + "/B' && printf u > '" + unixRoot + "/B/upper.txt'"))
        GTEST_SKIP() << "no host folder here";
    std::string upperRoot = tree.Root();
    CharUpperA(&upperRoot[0]);
    const std::string b = tree.Path("b");
    rig.Collect(upperRoot + "\\b\\深い;;" + b + "\\;;\\\\?\\" + b + ";;" + tree.Path("B") + ";;" + tree.Root() + ";;");
    std::vector<std::string> found = Gathered();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(std::unique(found.begin(), found.end()), found.end());
    EXPECT_EQ(found.size(), 10u);

    // Without subfolders each is walked.
    rig.Collect(b + ";;\\\\?\\" + b + ";;", "*.*;;", 0);
    EXPECT_EQ(Gathered().size(), 2u);
}

TEST_F(FileCollection, KeepsLengthsBeyond4GiB) {
    const std::string path = tree.Path("big\\huge.bin");
    tree.Folder("big");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER length;
    length.QuadPart = 5LL << 30;
    const bool sized = SetFilePointerEx(file, length, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!sized) GTEST_SKIP() << "cannot make a 5 GiB file here";

    rig.Collect(tree.Path("big") + ";;", "*.bin;;", 0);
    ASSERT_TRUE(InfoOf("big\\huge.bin"));
    EXPECT_EQ(InfoOf("big\\huge.bin")->size, 5ULL << 30);
}

TEST_F(FileCollection, PumpsOneMessagePerEntry) {
    // The chain re-posts itself, so every pump finds one message.
    rig.host.onCommand = [this] { rig.host.PostCommand(); };
    rig.host.PostCommand();
    rig.Collect(tree.Root() + ";;", "*.*;;", 0);
    // ".", "..", six files and two folders.
    EXPECT_EQ(rig.host.commandsHandled, 10);
}

TEST_F(FileCollection, AbortKeepsTheFilesFoundSoFar) {
    for (int i = 0; i < 30; ++i) tree.WriteFile("many\\f" + std::to_string(100 + i) + ".txt", "x");
    rig.host.statusField.SetText("before");
    rig.host.onCommand = [this] {
        if (rig.host.gathered.Count() >= 5)
            rig.collector.Abort();
        else
            rig.host.PostCommand();
    };
    rig.host.PostCommand();
    rig.Collect(tree.Path("many") + ";;" + tree.Path("b") + ";;", "*.*;;", 1);

    ASSERT_EQ(Gathered().size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Gathered()[static_cast<std::size_t>(i)], tree.Path("many\\f" + std::to_string(100 + i) + ".txt"));
        EXPECT_TRUE(rig.host.gathered.Record(i));
    }
    // The stopped folder shows no count, and the later folder was not walked.
    EXPECT_EQ(rig.host.statusField.Text(), "before");

    // The next walk starts afresh.
    rig.host.onCommand = nullptr;
    rig.Collect(tree.Path("many") + ";;", "*.*;;", 1);
    EXPECT_EQ(Gathered().size(), 30u);
}

}  // namespace
