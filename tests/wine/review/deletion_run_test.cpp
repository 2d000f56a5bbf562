// Deleting the ticked candidates of real files, for good and into the
// Recycle Bin, with the checks that keep files the comparison did not vouch
// for.
#include "review/DeletionRun.h"
#include "platform/FileFinder.h"
#include "platform/WidePath.h"
#include "support/HostCommand.h"
#include "support/ListChecks.h"
#include "support/MountedVolume.h"
#include "support/TickedRunTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Links made on the host (Wine's CreateSymbolicLinkA makes nothing) and
// removed from there: under Wine, deleting a link deletes the file it
// leads to.
class HostLinks {
public:
    ~HostLinks() {
        if (!script_.empty()) host::RunScript("rm -f" + script_);
    }
    // Puts a link to `target`, a name in the same folder, in place of `link`.
    bool Make(const std::string& link, const std::string& target) {
        const std::string unixLink = host::UnixName(link);
        if (unixLink.empty() || !host::RunScript("ln -sf '" + target + "' '" + unixLink + "'")) return false;
        script_ += " '" + unixLink + "'";
        return true;
    }

private:
    std::string script_;
};

class DeletionRunTest : public TickedRunTest<CDeletionRun> {
protected:
    // New bytes in the same file, with its length and time as they were.
    void Rewrite(const std::string& name, const std::string& bytes) { Make(name, bytes); }
    std::vector<int> Checks() const { return ChecksOf(list); }

    HostLinks links;  // removed before the tree
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
    run.Run(list, 0, quiet);
    EXPECT_EQ(Lines(), (std::vector<std::string>{a, d}));
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0}));
    EXPECT_TRUE(TempTree::Exists(a));
    EXPECT_TRUE(TempTree::Exists(d));
    EXPECT_FALSE(TempTree::Exists(b));
    EXPECT_FALSE(TempTree::Exists(c));
    EXPECT_FALSE(TempTree::Exists(e));
    EXPECT_FALSE(TempTree::Exists(TrashFolder() + "\\files\\b.txt"));
}

TEST_F(DeletionRunTest, RecycledFilesArriveInTheTrash) {
    const std::string stamp = std::to_string(GetTickCount());
    const std::vector<std::string> names = {"表示コピー-" + stamp + ".txt", "copy-" + stamp + ".txt"};
    const std::string kept = Make("kept.txt", "recycled bytes");
    Add(kept, 0, false);
    for (const std::string& name : names) Add(Make(name, "recycled bytes"), 0, true);
    const DeletionSummary summary = run.Run(list, 1, quiet);
    EXPECT_EQ(summary.deleted, 2);
    EXPECT_EQ(summary.Kept(), 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{kept}));
    for (const std::string& name : names) {
        EXPECT_FALSE(TempTree::Exists(tree.Path(name)));
        const std::string trashed = TrashFolder() + "\\files\\" + name;
        EXPECT_EQ(TempTree::ReadFile(trashed), "recycled bytes");
        DeleteFileA(trashed.c_str());
        DeleteFileA((TrashFolder() + "\\info\\" + name + ".trashinfo").c_str());
    }
}

TEST_F(DeletionRunTest, ExactNamesDeleteExactlyTheirOwnFile) {
    // Each ticked file has a look-alike that the system's path rules, or a
    // best-fit display, would take it for; only the ticked file may go.
    const std::vector<std::pair<std::wstring, std::wstring>> pairs = LookAlikeNames();
    for (int recycle = 0; recycle < 2; ++recycle) {
        list.ClearLines();
        std::vector<std::wstring> ticked, kept;
        const std::wstring folder = L"run" + std::to_wstring(recycle) + L"\\";
        for (const auto& pair : pairs) {
            const int group = static_cast<int>(ticked.size());
            kept.push_back(tree.WriteWide(folder + pair.second, "same bytes"));
            ticked.push_back(tree.WriteWide(folder + pair.first, "same bytes"));
            AddExact(kept.back(), group, false);
            AddExact(ticked.back(), group, true);
        }
        ASSERT_GT(ticked.back().size(), 1000u);
        const DeletionSummary summary = run.Run(list, recycle, quiet);
        for (std::size_t k = 0; k < pairs.size(); ++k) {
            EXPECT_TRUE(TempTree::ExistsWide(kept[k])) << k;
            // The Recycle Bin takes no path over MAX_PATH: such a file stays, ticked.
            const bool stays = recycle && ticked[k].size() >= MAX_PATH;
            EXPECT_EQ(TempTree::ExistsWide(ticked[k]), stays) << k << " recycle " << recycle;
        }
        EXPECT_EQ(summary.deleted, static_cast<int>(pairs.size()) - recycle);
        EXPECT_EQ(summary.failed, recycle);
        EXPECT_EQ(list.Count(), static_cast<int>(pairs.size()) + recycle);
    }
}

TEST_F(DeletionRunTest, FilesThatCannotGoOrAreNoLongerTheFoundOnesStayTicked) {
    const std::string kept = Make("kept.txt");
    const std::string readOnly = Make("readonly.txt");
    const std::string locked = Make("locked.txt");
    const std::string vanished = Make("vanished.txt");
    const std::string rewritten = Make("rewritten.txt");
    const std::string edited = Make("edited.txt");
    const std::string grown = Make("grown.txt");
    const std::string folder = Make("folder.txt");
    const std::vector<std::string> all = {kept, readOnly, locked, vanished, rewritten, edited, grown, folder};
    for (const std::string& path : all) Add(path, 0, path != kept);

    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    // Held by another program that lets nobody read it.
    const HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DeleteFileA(vanished.c_str());
    tree.WriteFile("rewritten.txt", "SAME BYTES");  // same length, new time
    Rewrite("edited.txt", "SAME BYTES");            // same length, same time
    tree.WriteFile("grown.txt", "same bytes and more");
    tree.SetLastWriteTime("grown.txt", FoundTime);  // new length, old time
    DeleteFileA(folder.c_str());
    tree.Folder("folder.txt");

    const DeletionSummary summary = run.Run(list, 0, quiet);
    CloseHandle(holder);
    EXPECT_EQ(summary.deleted, 0);
    EXPECT_EQ(summary.changed, 5);
    EXPECT_EQ(summary.failed, 2);
    EXPECT_EQ(Lines(), all);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(TempTree::Exists(readOnly));
    EXPECT_EQ(TempTree::ReadFile(locked), "same bytes");
    EXPECT_EQ(TempTree::ReadFile(rewritten), "SAME BYTES");
    EXPECT_EQ(TempTree::ReadFile(edited), "SAME BYTES");
    EXPECT_EQ(TempTree::ReadFile(grown), "same bytes and more");
    EXPECT_NE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(DeletionRunTest, FilesOnAVolumeMountedInAFolderGoLikeAnyOther) {
    tree.Folder("usb");
    const MountedVolume usb(tree.Path("usb"));
    if (!usb.Mounted()) GTEST_SKIP() << MountedVolume::NotMounted;
    const std::string kept = Make("usb\\kept.txt"), copy = Make("usb\\copy.txt"), outside = Make("outside.txt");
    Add(kept, 0, false);
    Add(copy, 0, true);
    Add(outside, 0, true);
    const DeletionSummary summary = run.Run(list, 0, quiet);
    EXPECT_EQ(summary.deleted, 2);
    EXPECT_EQ(summary.Kept(), 0);
    EXPECT_EQ(Lines(), std::vector<std::string>{kept});
    EXPECT_FALSE(TempTree::Exists(copy));
}

TEST_F(DeletionRunTest, AFileWhoseIdentityIsUnknownStaysAndIsCountedAsUnverified) {
    const std::string kept = Make("kept.txt"), unknown = Make("unknown.txt");
    Add(kept, 0, false);
    Add(unknown, 0, true, false);
    const DeletionSummary summary = run.Run(list, 0, quiet);
    EXPECT_EQ(summary.unverified, 1);
    EXPECT_EQ(summary.changed, 0);
    EXPECT_TRUE(TempTree::Exists(unknown));
    const std::string text = CDeletionRun::SummaryText(summary);
    EXPECT_NE(text.find("\n確認できなかったファイル: 1"), std::string::npos) << text;
    EXPECT_EQ(text.find("検索後に変更されていた"), std::string::npos) << text;
}

TEST_F(DeletionRunTest, ALinkNeverCostsTheFileItLeadsTo) {
    for (const int recycleFlag : {0, 1}) {
        // Group 0: the ticked copy became a link to the kept one. Group 1:
        // the kept copy became a link to the ticked one. Group 2: the ticked
        // line was a link, to a file of no group, when it was compared;
        // group 3 the same in a folder whose path is over MAX_PATH.
        const std::string mode = std::to_string(recycleFlag);
        const std::string deep = mode + std::string(150, 'p') + "\\" + std::string(150, 'q') + "\\";
        const std::string a = Make(mode + "a.txt"), b = Make(mode + "b.txt");
        const std::string c = Make(mode + "c.txt", "cc"), d = Make(mode + "d.txt", "cc");
        const std::string e = Make(mode + "e.txt", "ee"), target = Make(mode + "target.txt", "ee");
        const std::string f = tree.Path(mode + "f.txt");
        if (!links.Make(f, mode + "target.txt")) GTEST_SKIP() << "no host links here";
        const std::string g = Make(deep + "g.txt", "gg"), deepTarget = Make(deep + "target.txt", "gg");
        const std::string h = tree.Path(deep + "h.txt");
        ASSERT_TRUE(links.Make(h, "target.txt"));
        Add(a, 0, false);
        Add(b, 0, true);
        Add(c, 1, false);
        Add(d, 1, true);
        Add(e, 2, false);
        Add(f, 2, true);
        Add(g, 3, false);
        Add(h, 3, true);
        ASSERT_TRUE(links.Make(b, mode + "a.txt"));
        ASSERT_TRUE(links.Make(c, mode + "d.txt"));

        const DeletionSummary summary = run.Run(list, recycleFlag, quiet);
        EXPECT_EQ(summary.deleted, 0);
        EXPECT_EQ(summary.changed, 1);
        EXPECT_EQ(summary.noCopyLeft, 1);
        EXPECT_EQ(summary.failed, 2);
        EXPECT_EQ(Lines(), (std::vector<std::string>{a, b, c, d, e, f, g, h}));
        EXPECT_EQ(TempTree::ReadFile(a), "same bytes");
        EXPECT_EQ(TempTree::ReadFile(d), "cc");
        EXPECT_EQ(TempTree::ReadFile(target), "ee");
        EXPECT_EQ(TempTree::ReadFile(deepTarget), "gg");
        list.ClearLines();
    }
}

TEST_F(DeletionRunTest, AFileIsGoneThoughANameDifferingInCaseStays) {
    // A Linux folder (or a case-sensitive one of Windows) holds both names;
    // once one file is gone, Wine finds the other by either name.
    for (const int recycleFlag : {0, 1}) {
        const std::string mode = std::to_string(recycleFlag), stamp = std::to_string(GetTickCount());
        const std::string name = "photo-" + stamp + ".jpg", other = "PHOTO-" + stamp + ".JPG";
        const std::string kept = Make(mode + "\\kept.jpg"), ticked = Make(mode + "\\" + name);
        const std::string folder = host::UnixName(tree.Path(mode));
        if (folder.empty() || !host::RunScript("printf other > '" + folder + "/" + other + "'"))
            GTEST_SKIP() << "no host folder here";
        Add(kept, 0, false);
        Add(ticked, 0, true);
        const DeletionSummary summary = run.Run(list, recycleFlag, quiet);
        EXPECT_EQ(summary.deleted, 1) << mode;
        EXPECT_EQ(summary.failed, 0) << mode;
        EXPECT_EQ(Lines(), (std::vector<std::string>{kept}));
        EXPECT_EQ(TempTree::ReadFile(tree.Path(mode + "\\" + other)), "other");
        DeleteFileA((TrashFolder() + "\\files\\" + name).c_str());
        DeleteFileA((TrashFolder() + "\\info\\" + name + ".trashinfo").c_str());
        list.ClearLines();
    }
}

TEST_F(DeletionRunTest, ARelativeNameNowLeadingElsewhereDeletesNothing) {
    // Recorded while the current folder was "one", deleted after it became
    // "two", which holds equal files of the same length and time.
    for (const std::string folder : {"one", "two"}) {
        Make(folder + "\\b.txt");
        Make(folder + "\\c.txt");
    }
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(tree.Path("one").c_str());
    Add(".\\c.txt", 0, false);
    Add(".\\b.txt", 0, true);
    SetCurrentDirectoryA(tree.Path("two").c_str());
    const DeletionSummary summary = run.Run(list, 0, quiet);
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(summary.deleted, 0);
    EXPECT_EQ(summary.changed, 1);
    for (const char* name : {"one\\b.txt", "one\\c.txt", "two\\b.txt", "two\\c.txt"})
        EXPECT_TRUE(TempTree::Exists(tree.Path(name))) << name;
}

TEST_F(DeletionRunTest, ANameWithAWildcardNeverReachesTheShell) {
    // Under Wine a name that cp932 cannot hold is listed with '?'; the shell
    // would take it as a pattern and delete every file that matches it.
    const std::string kept = Make("kept.txt"), matching = Make("ab.txt");
    const std::string pattern = tree.Path("a?.txt");
    Add(kept, 0, false);
    Add(pattern, 0, true);
    run.Run(list, 1, quiet);
    EXPECT_EQ(Lines(), (std::vector<std::string>{kept, pattern}));
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(TempTree::Exists(matching));
}

TEST_F(DeletionRunTest, ACopyGoesOnlyWhileAKeptCopyOfItsGroupIsStillThere) {
    // Group 0: its kept copy was removed. Group 1: its kept copy changed.
    // Group 2: one of two kept copies is gone. Group 3: untouched. Group 4:
    // its kept copy has new bytes of the same length and time. Group 5: its
    // kept copy cannot be read.
    const std::string a = Make("a.txt"), b = Make("b.txt");
    const std::string c = Make("c.txt"), d = Make("d.txt");
    const std::string e = Make("e.txt"), f = Make("f.txt"), g = Make("g.txt");
    const std::string h = Make("h.txt"), i = Make("i.txt");
    const std::string j = Make("j.txt", "jj"), k = Make("k.txt", "jj"), l = Make("l.txt", "jj");
    const std::string m = Make("m.txt", "mm"), n = Make("n.txt", "mm");
    Add(a, 0, false);
    Add(b, 0, true);
    Add(c, 1, false);
    Add(d, 1, true);
    Add(e, 2, false);
    Add(f, 2, false);
    Add(g, 2, true);
    Add(h, 3, false);
    Add(i, 3, true);
    Add(j, 4, false);
    Add(k, 4, true);
    Add(l, 4, true);
    Add(m, 5, false);
    Add(n, 5, true);
    DeleteFileA(a.c_str());
    tree.SetLastWriteTime("c.txt", FoundTime + 60);
    DeleteFileA(e.c_str());
    Rewrite("j.txt", "JJ");
    const HANDLE holder = CreateFileA(m.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);

    const DeletionSummary summary = run.Run(list, 0, quiet);
    CloseHandle(holder);
    EXPECT_EQ(summary.deleted, 2);
    EXPECT_EQ(summary.noCopyLeft, 3);
    EXPECT_EQ(summary.changed, 2);
    EXPECT_EQ(Lines(), (std::vector<std::string>{a, b, c, d, e, f, h, j, k, l, m, n}));
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 0, 1, 0, 0, 0, 0, 1, 1, 0, 1}));
    EXPECT_TRUE(TempTree::Exists(b));
    EXPECT_TRUE(TempTree::Exists(d));
    EXPECT_FALSE(TempTree::Exists(g));
    EXPECT_FALSE(TempTree::Exists(i));
    EXPECT_EQ(TempTree::ReadFile(k), "jj");
    EXPECT_EQ(TempTree::ReadFile(l), "jj");
    EXPECT_TRUE(TempTree::Exists(n));
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
    run.Run(list, 0, quiet);
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

    run.Run(list, 0, quiet);
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
    run.Run(list, 0, quiet);
    run.Run(list, 1, quiet);
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
    run.Run(list, 0, quiet);
    EXPECT_EQ(Lines(), (std::vector<std::string>{b, c, f}));
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 0), 0);
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 1), -1);
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 2), 2);
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 3), -1);
    list.ReleaseLines();
    EXPECT_EQ(CDeletionRun::FirstLineOfGroup(list, 0), -1);
}

}  // namespace
