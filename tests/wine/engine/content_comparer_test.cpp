// The comparison of real files: the groups in both lists, ticks, colours,
// the reordered paths, open failures, progress, texts and aborts.
#include "EngineRig.h"

#include "platform/WidePath.h"
#include "support/MountedVolume.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string Asked = " が開けませんでした\nこれ以降このメッセージを表示しますか？";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class ContentComparison : public ::testing::Test {
protected:
    void SetUp() override { scripted::Reset(); }

    // A file with a given last-write time; later times come first in a run.
    std::string File(const std::string& relative, const std::string& bytes, std::int64_t time) {
        tree.WriteFile(relative, bytes);
        tree.SetLastWriteTime(relative, time);
        return tree.Path(relative);
    }
    std::string Folder() const { return tree.Root() + ";;"; }

    // Checks the lines of the groups: each group's reference unticked and
    // its copies ticked, in its colour on white; the group entries' texts,
    // each its group's first path.
    void ExpectGroups(const std::vector<std::vector<std::string>>& groups) {
        const std::vector<CandidateLine> lines = rig.Lines();
        ASSERT_EQ(rig.host.groupList.Count(), static_cast<int>(groups.size()));
        std::size_t line = 0;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            EXPECT_EQ(rig.host.groupList.EntryText(static_cast<int>(g)), groups[g][0]);
            for (std::size_t m = 0; m < groups[g].size(); ++m, ++line) {
                ASSERT_LT(line, lines.size());
                EXPECT_EQ(lines[line].text, groups[g][m]);
                EXPECT_EQ(lines[line].check, m == 0 ? 0 : 1) << lines[line].text;
                EXPECT_EQ(lines[line].group, static_cast<int>(g));
                EXPECT_EQ(lines[line].colour, rig.ExpectedColour(static_cast<int>(g)));
                EXPECT_EQ(lines[line].background, RGB(255, 255, 255));
            }
        }
        EXPECT_EQ(lines.size(), line);
    }
    // The message boxes asked, by text: open-failure questions name the path.
    std::vector<std::string> Questions() const {
        std::vector<std::string> asked;
        for (const auto& box : scripted::MessageBoxes()) {
            if (box.type == MB_YESNO) asked.push_back(box.text);
        }
        return asked;
    }
    void ExpectTimeTakenShownLast() const {
        ASSERT_FALSE(scripted::MessageBoxes().empty());
        const auto& last = scripted::MessageBoxes().back();
        EXPECT_EQ(last.type, static_cast<UINT>(MB_OK));
        EXPECT_TRUE(EndsWith(last.text, " 秒 かかりました")) << last.text;
    }

    TempTree tree;
    EngineRig rig;
};

TEST_F(ContentComparison, GroupsAppearInRunOrderWithTheNewestAsReference) {
    const std::string e1 = File("e1", "", 10), e2 = File("e2", "", 20);
    const std::string p = File("p", "ten bytes!", 300), q = File("q", "ten bytes!", 200),
                      r = File("r", "ten bytes?", 100);
    // Nineteen bytes: P = R and Q = S.
    const std::string p2 = File("p2", "twenty bytes, first", 400), q2 = File("q2", "twenty bytes, other", 300),
                      r2 = File("r2", "twenty bytes, first", 200), s2 = File("s2", "twenty bytes, other", 100);
    // Thirty bytes: P, X, P2, P3 with P = P2 = P3.
    const std::string pp = File("t1", "thirty bytes, all of them same", 40);
    File("t2", "thirty bytes, this one differs", 30);
    const std::string pp2 = File("t3", "thirty bytes, all of them same", 20),
                      pp3 = File("t4", "thirty bytes, all of them same", 10);
    File("unique", "unique!", 1);

    ASSERT_TRUE(rig.Search(Folder()));
    ExpectGroups({{e2, e1}, {p, q}, {p2, r2}, {q2, s2}, {pp, pp2, pp3}});
    EXPECT_EQ(rig.host.groupList.CurSel(), 4);

    EXPECT_TRUE(Questions().empty());
    ExpectTimeTakenShownLast();
    EXPECT_EQ(scripted::MessageBoxes().size(), 1u);
    EXPECT_EQ(rig.host.statusField.Text().rfind("予想残り時間 ", 0), 0u) << rig.host.statusField.Text();
    EXPECT_EQ(rig.host.mainProgress.Pos(), 0);
    EXPECT_EQ(rig.host.mainProgress.RangeHigh(), 14);
    EXPECT_EQ(rig.host.runProgress.Pos(), rig.host.runProgress.RangeLow());
    // The file of a length of its own was never read.
    EXPECT_LE(rig.comparison.BytesRead(), 3u * 10 + 4u * 19 + 4u * 30);
}

TEST_F(ContentComparison, OnlyEveryByteEqualMakesADuplicate) {
    std::vector<std::vector<std::string>> expected;
    std::uint64_t total = 0;
    for (std::size_t length : {80000u, 160000u, 160001u}) {
        std::string bytes(length, 'v');
        for (std::size_t i = 0; i < length; i += 97) bytes[i] = static_cast<char>('a' + i % 23);
        std::string last = bytes;
        last.back() = '#';
        const std::string name = std::to_string(length);
        const std::string a = File(name + "a", bytes, 300), b = File(name + "b", last, 250),
                          c = File(name + "c", bytes, 200);
        expected.push_back({a, c});
        total += 3 * length;
    }
    ASSERT_TRUE(rig.Search(Folder()));
    ExpectGroups(expected);
    // No byte is read twice.
    EXPECT_LE(rig.comparison.BytesRead(), total);
}

TEST_F(ContentComparison, EqualLengthAndTimeLeaveTheReferenceToTheOrdering) {
    const std::string one = File("one", "tied bytes", 500), two = File("two", "tied bytes", 500);
    File("odd", "tied bytez", 500);
    rig.Collect(Folder());
    ASSERT_TRUE(rig.Order());
    const std::vector<std::string> ordered = rig.OrderedTexts();
    ASSERT_EQ(ordered.size(), 3u);
    rig.Compare();
    // The file that the ordering put first of the two is the reference.
    const std::string& reference = ordered[0] == one || ordered[0] == two ? ordered[0] : ordered[1];
    ExpectGroups({{reference, reference == one ? two : one}});
}

TEST_F(ContentComparison, AFileCollectedTwiceIsComparedOnceAndNeverItsOwnDuplicate) {
    const std::string one = File("d\\one", "same bytes", 200), two = File("d\\two", "same bytes", 100);
    // Without subfolders both entries are walked.
    rig.Collect(tree.Path("d") + ";;" + tree.Path("d") + ";;", "*.*;;", 0);
    ASSERT_TRUE(rig.Order());
    rig.Compare();

    // The second name of each file is the same file as an earlier one:
    // nothing to ask about.
    EXPECT_TRUE(Questions().empty());
    ExpectGroups({{one, two}});
    ExpectTimeTakenShownLast();
}

TEST_F(ContentComparison, HardLinksAreOneFileBesideARealCopy) {
    const std::string h1 = File("h1.bin", "linked bytes", 300), copy = File("copy.bin", "linked bytes", 100);
    const std::string h2 = tree.Path("h2.bin");
    ASSERT_TRUE(CreateHardLinkA(h2.c_str(), h1.c_str(), nullptr));
    ASSERT_TRUE(rig.Search(Folder()));
    // One name of the linked file is grouped with the copy; the other name
    // is neither asked about nor listed.
    EXPECT_TRUE(Questions().empty());
    const std::vector<CandidateLine> lines = rig.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].text == h1 || lines[0].text == h2) << lines[0].text;
    EXPECT_EQ(lines[1].text, copy);
}

TEST_F(ContentComparison, OnAVolumeMountedInAFolderFilesAreComparedAndRecordedLikeAnyOther) {
    tree.Folder("usb");
    const MountedVolume usb(tree.Path("usb"));
    if (!usb.Mounted()) GTEST_SKIP() << MountedVolume::NotMounted;
    const std::string a = File("usb\\a.bin", "mounted bytes", 300), b = File("usb\\b.bin", "mounted bytes", 200);
    const std::string h = tree.Path("usb\\h.bin");
    ASSERT_TRUE(CreateHardLinkA(h.c_str(), a.c_str(), nullptr));
    // Listed twice, every name is met a second time too.
    rig.Collect(tree.Path("usb") + ";;" + tree.Path("usb") + ";;", "*.*;;", 0);
    ASSERT_TRUE(rig.Order());
    rig.Compare();
    EXPECT_TRUE(Questions().empty());
    const std::vector<CandidateLine> lines = rig.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].text == a || lines[0].text == h) << lines[0].text;
    EXPECT_EQ(lines[1].text, b);
    // Each line knows which file it is, so that it can be deleted.
    for (int line = 0; line < 2; ++line) EXPECT_TRUE(rig.host.candidates.Line(line)->file.id.has_value());
}

TEST_F(ContentComparison, AFolderThatCp932CannotWriteIsSearchedAndNotItsLookAlike) {
    const std::wstring cafe = tree.WriteWide(L"caf\u00E9\\one.txt", "same");
    tree.WriteWide(L"caf\u00E9\\two.txt", "same");
    File("cafe\\three.txt", "same", 100);
    File("cafe\\four.txt", "same", 100);
    rig.host.ReleaseGatheredFiles();
    rig.collector.Collect(widepath::FolderOf(cafe) + L";;", "*.*;;", 0, CollectionScope(), rig.host.gathered,
                          rig.view);
    ASSERT_TRUE(rig.Order());
    rig.Compare();
    const std::vector<CandidateLine> lines = rig.Lines();
    ASSERT_EQ(lines.size(), 2u);
    for (const CandidateLine& line : lines) EXPECT_EQ(line.text.find(tree.Path("caf?\\")), 0u) << line.text;
}

TEST_F(ContentComparison, AFileHeldOpenIsReportedUntilTheUserSaysNo) {
    const std::string f1 = File("f1", "held bytes", 400), f2 = File("f2", "held bytes", 300),
                      f3 = File("f3", "held bytes", 200), f4 = File("f4", "held bytes", 100);
    HANDLE held1 = CreateFileA(f1.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE held3 = CreateFileA(f3.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held1, INVALID_HANDLE_VALUE);
    ASSERT_NE(held3, INVALID_HANDLE_VALUE);

    // Yes: every failure is asked about.
    scripted::AnswerNextMessageBoxes({IDYES, IDYES});
    ASSERT_TRUE(rig.Search(Folder()));
    EXPECT_EQ(Questions(), (std::vector<std::string>{f1 + Asked, f3 + Asked}));
    ExpectGroups({{f2, f4}});

    // No: the later failure goes unasked, in this comparison only.
    scripted::Reset();
    scripted::AnswerNextMessageBoxes({IDNO});
    ASSERT_TRUE(rig.Search(Folder()));
    EXPECT_EQ(Questions(), (std::vector<std::string>{f1 + Asked}));
    ExpectGroups({{f2, f4}});
    ExpectTimeTakenShownLast();

    scripted::Reset();
    ASSERT_TRUE(rig.Search(Folder()));
    EXPECT_EQ(Questions().size(), 2u);

    CloseHandle(held1);
    CloseHandle(held3);
    scripted::Reset();
    ASSERT_TRUE(rig.Search(Folder()));
    EXPECT_TRUE(Questions().empty());
    ExpectGroups({{f1, f2, f3, f4}});
}

TEST_F(ContentComparison, FailuresOfRunsComparedSideBySideAreAskedInRunOrder) {
    // Runs of 5 to 9 bytes, each of three copies whose newest is held open.
    std::vector<HANDLE> held;
    std::vector<std::string> expected;
    std::vector<std::vector<std::string>> groups;
    for (int length = 5; length <= 9; ++length) {
        const std::string bytes(static_cast<std::size_t>(length), static_cast<char>('a' + length));
        const std::string name = "r" + std::to_string(length);
        const std::string newest = File(name + "a", bytes, 30);
        groups.push_back({File(name + "b", bytes, 20), File(name + "c", bytes, 10)});
        held.push_back(CreateFileA(newest.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(held.back(), INVALID_HANDLE_VALUE);
        expected.push_back(newest + Asked);
    }
    ASSERT_TRUE(rig.Search(Folder()));
    EXPECT_EQ(Questions(), expected);
    ExpectGroups(groups);

    // No to the first: no other is asked, whichever worker met it first.
    scripted::Reset();
    scripted::AnswerNextMessageBoxes({IDNO});
    ASSERT_TRUE(rig.Search(Folder()));
    EXPECT_EQ(Questions(), (std::vector<std::string>{expected.front()}));
    for (HANDLE handle : held) CloseHandle(handle);
}

TEST_F(ContentComparison, ColoursGoRoundWithEveryNewGroup) {
    for (int g = 0; g < 6; ++g) {
        const std::string bytes(static_cast<std::size_t>(g + 1), static_cast<char>('k' + g));
        File("c" + std::to_string(g) + "a", bytes, 20);
        File("c" + std::to_string(g) + "b", bytes, 10);
    }
    ASSERT_TRUE(rig.Search(Folder()));
    ASSERT_EQ(rig.host.groupList.Count(), 6);
    std::vector<std::vector<std::string>> expected;
    for (int g = 0; g < 6; ++g)
        expected.push_back({tree.Path("c" + std::to_string(g) + "a"), tree.Path("c" + std::to_string(g) + "b")});
    // Past the fourth group the colours start again.
    ExpectGroups(expected);
}

TEST_F(ContentComparison, AbortBeforeTheFirstRunListsNothingButTellsTheTime) {
    File("a", "same", 2);
    File("b", "same", 1);
    rig.Collect(Folder());
    ASSERT_TRUE(rig.Order());
    rig.host.onCommand = [this] { rig.comparison.Abort(); };
    rig.host.PostCommand();
    rig.Compare();
    EXPECT_EQ(rig.host.groupList.Count(), 0);
    EXPECT_EQ(rig.host.candidates.Count(), 0);
    EXPECT_EQ(rig.host.statusField.Text(), "ファイルを比較中");
    EXPECT_EQ(rig.host.mainProgress.Pos(), 0);
    ExpectTimeTakenShownLast();
}

// The rig's view, pressing Abort while an open failure is asked about: the
// worker waits for the answer, so the abort comes at a known point.
struct AbortOnQuestion : ControlSearchView {
    AbortOnQuestion(EngineRig& rig)
        : ControlSearchView(rig.host.statusField, rig.host.groupList, rig.host.mainProgress, rig.host.runProgress),
          comparison(rig.comparison) {}
    int Message(const std::string& text, UINT type) override {
        if (type == MB_YESNO) comparison.Abort();
        return ControlSearchView::Message(text, type);
    }
    CContentComparer& comparison;
};

TEST_F(ContentComparison, AbortInsideARunKeepsTheGroupsOfEarlierRuns) {
    const std::string a = File("a", "short", 20), b = File("b", "short", 10);
    for (int i = 0; i < 5; ++i) File("long" + std::to_string(i), std::string(200000, 'L'), 5 - i);
    // The second run's first file cannot be opened.
    const std::string held = tree.Path("long0");
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    rig.Collect(Folder());
    ASSERT_TRUE(rig.Order());
    AbortOnQuestion view(rig);
    rig.Compare(view);
    CloseHandle(holder);

    EXPECT_EQ(Questions(), (std::vector<std::string>{held + Asked}));
    ExpectGroups({{a, b}});
    EXPECT_EQ(rig.host.mainProgress.Pos(), 0);
    ExpectTimeTakenShownLast();
    // Only the first run's two files of five bytes were read.
    EXPECT_EQ(rig.comparison.BytesRead(), 2u * 5u);
}

}  // namespace
