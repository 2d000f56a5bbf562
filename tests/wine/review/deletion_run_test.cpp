// Deleting the ticked candidates of real files, for good and into the
// Recycle Bin, with the checks that keep files the comparison did not vouch
// for.
#include "review/DeletionRun.h"
#include "platform/FileFinder.h"
#include "support/ListHost.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::int64_t FoundTime = 1600000000;  // the time every test file is given

class DeletionRunTest : public ::testing::Test {
protected:
    void SetUp() override { list.Attach(host.List()); }
    void TearDown() override { list.ClearLines(); }

    // A file as the comparison found it.
    std::string Make(const std::string& name, const std::string& bytes = "same bytes") {
        const std::string path = tree.WriteFile(name, bytes);
        tree.SetLastWriteTime(name, FoundTime);
        return path;
    }
    // A candidate line carrying what the collection recorded of its file.
    void Add(const std::string& path, int group, bool ticked) {
        FileInfo file;
        FileFinder finder;
        if (finder.FindFile(path)) {
            finder.FindNextFile();
            file.size = finder.Length();
            file.lastWriteTime = finder.LastWriteTime();
        }
        const int line = list.AppendLine(-1, path, RGB(0, 0, 255), RGB(255, 255, 255), file);
        list.SetLineGroup(line, group);
        list.SetCheck(line, ticked ? 1 : 0);
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < list.Count(); ++i) lines.push_back(list.ItemText(i));
        return lines;
    }
    std::vector<int> Checks() const {
        std::vector<int> checks;
        for (int i = 0; i < list.Count(); ++i) checks.push_back(list.GetCheck(i));
        return checks;
    }

    TempTree tree;
    ListHost host;
    CCandidateList list;
    CCommonTools tools;
    CDeletionRun run{tools};
};

// The freedesktop Trash that Wine's Recycle Bin uses, through drive Z:.
std::string TrashFolder() {
    char value[MAX_PATH] = {};
    std::string data;
    if (GetEnvironmentVariableA("XDG_DATA_HOME", value, MAX_PATH)) {
        data = value;
    } else if (GetEnvironmentVariableA("HOME", value, MAX_PATH)) {
        data = std::string(value) + "/.local/share";
    }
    std::string path = "Z:" + data + "/Trash";
    for (char& c : path) if (c == '/') c = '\\';
    return path;
}

TEST_F(DeletionRunTest, DeletesTheTickedCopiesForGoodAndKeepsTheReferences) {
    const std::string a = Make("a.txt"), b = Make("sub\\b.txt"), c = Make("表\\c.txt");
    const std::string d = Make("d.txt", "other"), e = Make("e.txt", "other");
    Add(a, 0, false);
    Add(b, 0, true);
    Add(c, 0, true);
    Add(d, 1, false);
    Add(e, 1, true);
    run.Run(list, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{a, d}));
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0}));
    EXPECT_TRUE(TempTree::Exists(a));
    EXPECT_TRUE(TempTree::Exists(d));
    EXPECT_FALSE(TempTree::Exists(b));
    EXPECT_FALSE(TempTree::Exists(c));
    EXPECT_FALSE(TempTree::Exists(e));
    EXPECT_FALSE(TempTree::Exists(TrashFolder() + "\\files\\b.txt"));
}

TEST_F(DeletionRunTest, RecycledFileArrivesInTheTrash) {
    const std::string name = "表示コピー-" + std::to_string(GetTickCount()) + ".txt";
    const std::string kept = Make("kept.txt", "recycled bytes"), copy = Make(name, "recycled bytes");
    Add(kept, 0, false);
    Add(copy, 0, true);
    run.Run(list, 1);
    EXPECT_EQ(Lines(), (std::vector<std::string>{kept}));
    EXPECT_FALSE(TempTree::Exists(copy));
    const std::string trashed = TrashFolder() + "\\files\\" + name;
    EXPECT_EQ(TempTree::ReadFile(trashed), "recycled bytes");
    DeleteFileA(trashed.c_str());
    DeleteFileA((TrashFolder() + "\\info\\" + name + ".trashinfo").c_str());
}

TEST_F(DeletionRunTest, FilesThatCannotGoOrAreNoLongerTheFoundOnesStayTicked) {
    const std::string kept = Make("kept.txt");
    const std::string readOnly = Make("readonly.txt");
    const std::string vanished = Make("vanished.txt");
    const std::string rewritten = Make("rewritten.txt");
    const std::string grown = Make("grown.txt");
    const std::string folder = Make("folder.txt");
    for (const std::string& path : {kept, readOnly, vanished, rewritten, grown, folder})
        Add(path, 0, path != kept);

    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    DeleteFileA(vanished.c_str());
    tree.WriteFile("rewritten.txt", "SAME BYTES");  // same length, new time
    tree.WriteFile("grown.txt", "same bytes and more");
    tree.SetLastWriteTime("grown.txt", FoundTime);  // new length, old time
    DeleteFileA(folder.c_str());
    tree.Folder("folder.txt");

    run.Run(list, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{kept, readOnly, vanished, rewritten, grown, folder}));
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(TempTree::Exists(readOnly));
    EXPECT_EQ(TempTree::ReadFile(rewritten), "SAME BYTES");
    EXPECT_EQ(TempTree::ReadFile(grown), "same bytes and more");
    EXPECT_NE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(DeletionRunTest, ANameWithAWildcardNeverReachesTheShell) {
    // Under Wine a name that cp932 cannot hold is listed with '?'; the shell
    // would take it as a pattern and delete every file that matches it.
    const std::string kept = Make("kept.txt"), matching = Make("ab.txt");
    const std::string pattern = tree.Path("a?.txt");
    Add(kept, 0, false);
    Add(pattern, 0, true);
    run.Run(list, 1);
    EXPECT_EQ(Lines(), (std::vector<std::string>{kept, pattern}));
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(TempTree::Exists(matching));
}

TEST_F(DeletionRunTest, ACopyGoesOnlyWhileAKeptCopyOfItsGroupIsStillThere) {
    // Group 0: its kept copy was removed. Group 1: its kept copy changed.
    // Group 2: one of two kept copies is gone. Group 3: untouched.
    const std::string a = Make("a.txt"), b = Make("b.txt");
    const std::string c = Make("c.txt"), d = Make("d.txt");
    const std::string e = Make("e.txt"), f = Make("f.txt"), g = Make("g.txt");
    const std::string h = Make("h.txt"), i = Make("i.txt");
    Add(a, 0, false);
    Add(b, 0, true);
    Add(c, 1, false);
    Add(d, 1, true);
    Add(e, 2, false);
    Add(f, 2, false);
    Add(g, 2, true);
    Add(h, 3, false);
    Add(i, 3, true);
    DeleteFileA(a.c_str());
    tree.SetLastWriteTime("c.txt", FoundTime + 60);
    DeleteFileA(e.c_str());

    run.Run(list, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{a, b, c, d, e, f, h}));
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 0, 1, 0, 0, 0}));
    EXPECT_TRUE(TempTree::Exists(b));
    EXPECT_TRUE(TempTree::Exists(d));
    EXPECT_FALSE(TempTree::Exists(g));
    EXPECT_FALSE(TempTree::Exists(i));
}

TEST_F(DeletionRunTest, AGroupWithEveryLineTickedGoesEntirely) {
    const std::string a = Make("a.txt"), b = Make("b.txt"), c = Make("c.txt");
    const std::string d = Make("d.txt", "other"), e = Make("e.txt", "other");
    Add(a, 0, true);
    Add(b, 0, true);
    Add(c, 0, true);
    Add(d, 1, true);
    Add(e, 1, true);
    DeleteFileA(d.c_str());  // gone meanwhile: its line stays, the rest goes
    run.Run(list, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{d}));
    EXPECT_EQ(Checks(), (std::vector<int>{1}));
    EXPECT_FALSE(TempTree::Exists(a));
    EXPECT_FALSE(TempTree::Exists(b));
    EXPECT_FALSE(TempTree::Exists(c));
    EXPECT_FALSE(TempTree::Exists(e));
}

TEST_F(DeletionRunTest, OneFailureKeepsExactlyThatLineInItsPlace) {
    std::vector<std::string> paths;
    for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"}) paths.push_back(Make(name));
    const std::string other = Make("6.txt", "other"), otherCopy = Make("7.txt", "other");
    Add(paths[0], 0, false);
    for (int i = 1; i < 5; ++i) Add(paths[i], 0, true);
    Add(other, 1, false);
    Add(otherCopy, 1, true);
    SetFileAttributesA(paths[3].c_str(), FILE_ATTRIBUTE_READONLY);

    run.Run(list, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{paths[0], paths[3], other}));
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(list.LineCount(), 3);
    EXPECT_EQ(list.LineGroup(1), 0);
    EXPECT_EQ(list.LineGroup(2), 1);
}

TEST_F(DeletionRunTest, NothingTickedTouchesNothing) {
    const std::string a = Make("a.txt"), b = Make("b.txt");
    Add(a, 0, false);
    Add(b, 0, false);
    run.Run(list, 0);
    run.Run(list, 1);
    EXPECT_EQ(Lines(), (std::vector<std::string>{a, b}));
    EXPECT_TRUE(TempTree::Exists(a) && TempTree::Exists(b));
}

TEST_F(DeletionRunTest, GroupsLeadToTheirFirstRemainingLine) {
    const std::string a = Make("a.txt"), b = Make("b.txt"), c = Make("c.txt");
    const std::string d = Make("d.txt", "1"), e = Make("e.txt", "1");
    const std::string f = Make("f.txt", "22"), g = Make("g.txt", "22");
    Add(a, 0, true);  // the reference ticked, its copies kept
    Add(b, 0, false);
    Add(c, 0, false);
    Add(d, 1, true);
    Add(e, 1, true);
    Add(f, 2, false);
    Add(g, 2, true);
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 2), 5);
    run.Run(list, 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{b, c, f}));
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 0), 0);
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 1), -1);
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 2), 2);
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 3), -1);
    list.ReleaseLines();
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 0), -1);
}

}  // namespace
