// Replacing the ticked candidates of real files with hard links to the copy
// that stays, and the files it must leave as they are.
#include "review/LinkRun.h"
#include "platform/WidePath.h"
#include "support/HostCommand.h"
#include "support/ListChecks.h"
#include "support/TickedRunTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Which file a name leads to, and how many names that file has.
struct Identity {
    DWORD volume = 0, high = 0, low = 0, names = 0;
    bool operator==(const Identity& other) const {
        return volume == other.volume && high == other.high && low == other.low;
    }
};
Identity IdentityOf(const std::wstring& path) {
    Identity identity;
    const HANDLE file = CreateFileW(widepath::ForFileSystem(path).c_str(), 0, 7, nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION information = {};
    if (file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &information))
        identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow,
                    information.nNumberOfLinks};
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return identity;
}
Identity IdentityOf(const std::string& path) { return IdentityOf(widepath::FromCp932(path)); }

// The names in a folder that the run may have left behind.
int TemporaryNamesIn(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(widepath::ForFileSystem(folder + L"~vellaro-*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

// The second volume that scripts/with-wine.sh mounts as drive T: where it
// can: empty when there is none, or Wine does not tell it from drive C:.
std::string SecondVolume() {
    DWORD second = 0, first = 0;
    if (!GetVolumeInformationA("T:\\", nullptr, 0, &second, nullptr, nullptr, nullptr, 0) ||
        !GetVolumeInformationA("C:\\", nullptr, 0, &first, nullptr, nullptr, nullptr, 0) || first == second)
        return std::string();
    return "T:\\";
}

class LinkRunTest : public TickedRunTest<CLinkRun> {
protected:
    int Refused(const LinkSummary& summary, LinkRefusal refusal) const {
        return summary.refused[static_cast<int>(refusal)];
    }
};

TEST_F(LinkRunTest, ReplacedNamesReadTheKeptBytesAndAreTheKeptFile) {
    // Group 1 keeps its first unticked line of two.
    const std::string a = Make("a.txt"), b = Make("sub\\b.txt"), c = Make("表\\c.txt");
    const std::string d = Make("d.txt", "other bytes"), e = Make("e.txt", "other bytes");
    const std::string f = Make("sub\\f.txt", "other bytes");
    Add(a, 0, false);
    Add(b, 0, true);
    Add(c, 0, true);
    Add(d, 1, false);
    Add(e, 1, false);
    Add(f, 1, true);
    const LinkSummary summary = run.Run(list, quiet);
    EXPECT_EQ(summary.linked, 3);
    EXPECT_EQ(summary.freedBytes, 31u);
    EXPECT_EQ(summary.Kept(), 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{a, d, e}));
    for (const std::string& name : {b, c}) {
        EXPECT_EQ(TempTree::ReadFile(name), "same bytes");
        EXPECT_EQ(IdentityOf(name), IdentityOf(a));
    }
    EXPECT_EQ(IdentityOf(a).names, 3u);
    EXPECT_EQ(IdentityOf(f), IdentityOf(d));
    EXPECT_FALSE(IdentityOf(e) == IdentityOf(d));
    EXPECT_EQ(TemporaryNamesIn(widepath::FromCp932(tree.Path("sub\\"))), 0);
}

TEST_F(LinkRunTest, FilesThatCannotBeReplacedStayAsTheyWereCountedByCause) {
    // Group 0: a copy edited after the comparison (same length and time),
    // and a read-only one. Group 1: its kept copy was edited; group 2: its
    // kept copy is gone. Group 3: every line ticked.
    const std::string kept = Make("kept.txt"), edited = Make("edited.txt"), readOnly = Make("readonly.txt");
    const std::string keptEdited = Make("kept1.txt", "1"), copy1 = Make("copy1.txt", "1");
    const std::string keptGone = Make("kept2.txt", "2"), copy2 = Make("copy2.txt", "2");
    const std::string all1 = Make("all1.txt", "3"), all2 = Make("all2.txt", "3");
    const std::vector<std::string> lines = {kept, edited, readOnly, keptEdited, copy1, keptGone, copy2, all1, all2};
    const std::vector<int> ticks = {0, 1, 1, 0, 1, 0, 1, 1, 1};
    const int groups[] = {0, 0, 0, 1, 1, 2, 2, 3, 3};
    for (std::size_t k = 0; k < lines.size(); ++k) Add(lines[k], groups[k], ticks[k] == 1);
    Make("edited.txt", "SAME BYTES");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    Make("kept1.txt", "!");
    DeleteFileA(keptGone.c_str());
    std::vector<Identity> before;
    for (const std::string& name : lines) before.push_back(IdentityOf(name));

    const LinkSummary summary = run.Run(list, quiet);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(summary.linked, 0);
    EXPECT_EQ(Refused(summary, LinkRefusal::Changed), 3);
    EXPECT_EQ(Refused(summary, LinkRefusal::ReadOnly), 1);
    EXPECT_EQ(Refused(summary, LinkRefusal::NoTarget), 2);
    EXPECT_EQ(summary.Kept(), 6);
    EXPECT_EQ(Lines(), lines);
    EXPECT_EQ(ChecksOf(list), ticks);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines[k] == keptGone) continue;
        EXPECT_TRUE(IdentityOf(lines[k]) == before[k]) << lines[k];
    }
    EXPECT_EQ(TempTree::ReadFile(edited), "SAME BYTES");
    EXPECT_EQ(CLinkRun::SummaryText(summary),
              "0 ファイルをハードリンクに置き換えました\n空いた容量: 0 バイト\n6 ファイルは置き換えませんでした\n\n"
              "検索後に変更されていたファイル: 3\n残すファイルがないファイル: 2\n読み取り専用のファイル: 1\n\n"
              "置き換えなかったファイルはチェックを付けたまま残しています");
}

TEST_F(LinkRunTest, AFileOnAnotherVolumeStays) {
    const std::string volume = SecondVolume();
    if (volume.empty()) GTEST_SKIP() << "no second volume: scripts/with-wine.sh mounts one as drive T: when run as root";
    const std::string kept = Make("kept.txt");
    const std::string copy = volume + "vellaro-" + std::to_string(GetCurrentProcessId()) + ".txt";
    HANDLE file = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "same bytes", 10, &written, nullptr);
    CloseHandle(file);
    Add(kept, 0, false);
    Add(copy, 0, true);
    const Identity before = IdentityOf(copy);
    const LinkSummary summary = run.Run(list, quiet);
    EXPECT_EQ(Refused(summary, LinkRefusal::OtherVolume), 1);
    EXPECT_EQ(summary.Kept(), 1);
    EXPECT_EQ(Lines(), (std::vector<std::string>{kept, copy}));
    EXPECT_TRUE(IdentityOf(copy) == before);
    EXPECT_EQ(TemporaryNamesIn(L"T:\\"), 0);
    list.ClearLines();
    DeleteFileA(copy.c_str());
}

TEST_F(LinkRunTest, AFailureBetweenLinkAndRenameLeavesTheFileWholeAndNoTemporaryName) {
    const std::string kept = Make("kept.txt"), copy = Make("copy.txt");
    Add(kept, 0, false);
    Add(copy, 0, true);
    const Identity before = IdentityOf(copy);
    bool linked = false;
    run.SetRenameGate([&](const FilePath& temporaryName) {
        linked = IdentityOf(temporaryName) == IdentityOf(kept);
        return false;
    });
    const LinkSummary summary = run.Run(list, quiet);
    EXPECT_TRUE(linked);
    EXPECT_EQ(Refused(summary, LinkRefusal::Failed), 1);
    EXPECT_EQ(Lines(), (std::vector<std::string>{kept, copy}));
    EXPECT_EQ(ChecksOf(list), (std::vector<int>{0, 1}));
    EXPECT_TRUE(IdentityOf(copy) == before);
    EXPECT_EQ(TempTree::ReadFile(copy), "same bytes");
    EXPECT_EQ(IdentityOf(kept).names, 1u);
    EXPECT_EQ(TemporaryNamesIn(widepath::FromCp932(tree.Root() + "\\")), 0);
}

TEST_F(LinkRunTest, ExactNamesAreReplacedExactly) {
    // Each ticked name has a look-alike, the copy that stays, which the
    // system's path rules or a best-fit display would take it for.
    const std::vector<std::pair<std::wstring, std::wstring>> pairs = LookAlikeNames();
    std::vector<std::wstring> ticked, kept;
    for (const auto& pair : pairs) {
        const int group = static_cast<int>(ticked.size());
        kept.push_back(tree.WriteWide(pair.second, "same bytes"));
        ticked.push_back(tree.WriteWide(pair.first, "same bytes"));
        AddExact(kept.back(), group, false);
        AddExact(ticked.back(), group, true);
    }
    ASSERT_GT(ticked.back().size(), 1000u);
    const LinkSummary summary = run.Run(list, quiet);
    EXPECT_EQ(summary.linked, static_cast<int>(pairs.size()));
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        EXPECT_TRUE(TempTree::ExistsWide(ticked[k])) << k;
        EXPECT_EQ(IdentityOf(ticked[k]), IdentityOf(kept[k])) << k;
        EXPECT_EQ(IdentityOf(kept[k]).names, 2u) << k;
    }
    EXPECT_EQ(TemporaryNamesIn(widepath::FromCp932(tree.Root() + "\\")), 0);
    EXPECT_EQ(TemporaryNamesIn(widepath::FolderOf(ticked.back())), 0);
}

}  // namespace
