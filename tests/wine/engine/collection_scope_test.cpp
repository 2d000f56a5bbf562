// What a search leaves out: files below the minimum size, and excluded
// folders, by name pattern or by path.
#include "EngineRig.h"

#include "platform/WidePath.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class CollectionScopeTest : public ::testing::Test {
protected:
    void SetUp() override { scripted::Reset(); }

    std::vector<std::wstring> Gathered() const {
        std::vector<std::wstring> paths;
        for (int i = 0; i < rig.host.gathered.Count(); ++i) paths.push_back(rig.host.gathered.Record(i)->path);
        std::sort(paths.begin(), paths.end());
        return paths;
    }
    std::wstring Wide(const std::string& relative) const { return widepath::FromCp932(tree.Path(relative)); }

    TempTree tree;
    EngineRig rig;
};

TEST_F(CollectionScopeTest, FilesBelowTheMinimumSizeAreNotGatheredNorCounted) {
    tree.WriteFilled("short.bin", 2 * 1024 - 1);
    tree.WriteFilled("exact.bin", 2 * 1024);
    tree.WriteFile("empty.bin", "");
    rig.Collect(tree.Root() + ";;", "*.*;;", 1, CollectionScope{2 * 1024, {}});
    EXPECT_EQ(Gathered(), std::vector<std::wstring>{Wide("exact.bin")});
    EXPECT_EQ(rig.host.statusField.Text(), "1");

    // Without a minimum, empty files are gathered too.
    rig.Collect(tree.Root() + ";;", "*.*;;", 1, CollectionScope{});
    EXPECT_EQ(Gathered().size(), 3u);
}

TEST_F(CollectionScopeTest, ExcludedFoldersByNameOrPathAreNotWalked) {
    tree.WriteFile("keep.txt", "k");
    tree.WriteFile(".git\\objects\\o.txt", "o");
    tree.WriteFile("Node_Modules\\m.txt", "m");
    tree.WriteFile("src\\main.txt", "s");
    tree.WriteFile("src\\app.cache\\c.txt", "c");
    tree.WriteFile("src\\gen\\g.txt", "g");
    tree.WriteFile("src\\gen2\\g2.txt", "g2");
    tree.WriteFile("src\\gen2\\gen\\deeper.txt", "d");
    // A name that cp932 cannot write, and one it would write as a look-alike
    // of its neighbour.
    tree.WriteWide(L"data\\\U00020BB7old\\a.txt", "a");
    tree.WriteWide(L"data\\caf\u00E9\\x.txt", "x");
    tree.WriteFile("data\\cafe\\y.txt", "y");
    std::string upperSrc = tree.Path("SRC\\gen");
    const CollectionScope scope{0,
                                {L".git", L"NODE_MODULES", L"*.cache", widepath::FromCp932(upperSrc), L"\U00020BB7*",
                                 Wide("data") + L"\\caf\u00E9"}};
    rig.Collect(tree.Root() + ";;", "*.*;;", 1, scope);
    EXPECT_EQ(Gathered(), (std::vector<std::wstring>{Wide("data\\cafe\\y.txt"), Wide("keep.txt"),
                                                     Wide("src\\gen2\\g2.txt"), Wide("src\\gen2\\gen\\deeper.txt"),
                                                     Wide("src\\main.txt")}));
    EXPECT_TRUE(scripted::MessageBoxes().empty());
}

TEST_F(CollectionScopeTest, AChosenFolderIsWalkedWhateverItsNameButNotUnderAnExcludedPath) {
    tree.WriteFile(".git\\o.txt", "o");
    tree.WriteFile(".git\\hooks\\h.txt", "h");
    tree.WriteFile(".git\\logs\\l.txt", "l");
    const CollectionScope scope{0, {L".git", Wide(".git\\hooks")}};
    rig.Collect(tree.Path(".git") + ";;", "*.*;;", 1, scope);
    EXPECT_EQ(Gathered(), (std::vector<std::wstring>{Wide(".git\\logs\\l.txt"), Wide(".git\\o.txt")}));

    // Also when the walk of a chosen folder around it would not reach it:
    // chosen inside the root, each is walked once.
    tree.WriteFile("node_modules\\pkg\\p.txt", "p");
    tree.WriteFile("node_modules\\n.txt", "n");
    rig.Collect(tree.Root() + ";;" + tree.Path(".git") + ";;" + tree.Path(".git\\logs") + ";;" +
                    tree.Path("node_modules\\pkg") + ";;",
                "*.*;;", 1, CollectionScope{0, {L".git", L"node_modules"}});
    EXPECT_EQ(Gathered(), (std::vector<std::wstring>{Wide(".git\\hooks\\h.txt"), Wide(".git\\logs\\l.txt"),
                                                     Wide(".git\\o.txt"), Wide("node_modules\\pkg\\p.txt")}));

    // A chosen folder at or below an excluded path is not walked.
    rig.Collect(tree.Path(".git\\hooks") + ";;" + tree.Path(".git") + ";;", "*.*;;", 1,
                CollectionScope{0, {Wide(".git")}});
    EXPECT_TRUE(Gathered().empty());
}

}  // namespace
