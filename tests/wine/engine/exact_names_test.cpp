// A real tree's names as the file system holds them: names that cp932 cannot
// write, a best-fit look-alike next to the file it resembles, names ending
// in a dot or a space, long paths and a folder that cannot be listed. Each
// file is found, compared and grouped as itself.
#include "EngineRig.h"

#include "platform/WidePath.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Group = std::set<std::wstring>;

class ExactNames : public ::testing::Test {
protected:
    void SetUp() override { scripted::Reset(); }

    // The groups found, each as the set of its files' exact paths.
    std::set<Group> Groups() const {
        std::map<int, Group> groups;
        for (int line = 0; line < rig.host.candidates.Count(); ++line) {
            const auto record = rig.host.candidates.Line(line);
            if (record) groups[record->group].insert(record->file.path);
        }
        std::set<Group> found;
        for (const auto& entry : groups) found.insert(entry.second);
        return found;
    }

    TempTree tree;
    EngineRig rig;
};

TEST_F(ExactNames, EveryFileIsFoundComparedAndGroupedAsItself) {
    const auto file = [this](const std::wstring& name, const std::string& bytes) {
        return tree.WriteWide(name, bytes);
    };
    // Hangul, Greek, Devanagari, an emoji (two UTF-16 units), a wave dash
    // and Japanese.
    const Group scripts = {file(L"\uD55C\uAE00.txt", "scripts"), file(L"\u0395\u03BB\u03BB\u03B7\u03BD.txt", "scripts"),
                           file(L"\u0939\u093F\u0928\u094D\u0926\u0940.txt", "scripts"),
                           file(L"\U0001F600.txt", "scripts"), file(L"\u301C.txt", "scripts"),
                           file(L"\u8868\u793A.txt", "scripts")};
    // Each look-alike has the length of its copy but other bytes.
    const Group accented = {file(L"caf\u00E9.txt", "accented"), file(L"accent copy.txt", "accented")};
    file(L"cafe.txt", "unaccent");
    const Group dotted = {file(L"keep.txt.", "dotted"), file(L"dot copy.txt", "dotted")};
    file(L"keep.txt", "kept!!");
    const Group spaced = {file(L"sp.txt ", "spaced!"), file(L"space copy.txt", "spaced!")};
    file(L"sp.txt", "spxxxxx");
    const Group hangulFolder = {file(L"\uD55C\uAE00dir\\a.txt", "in a folder"),
                                file(L"\uD55C\uAE00dir\\b.txt", "in a folder")};
    // Paths of 300 and 1,000 characters.
    Group longPaths[2];
    const std::size_t lengths[2] = {300, 1000};
    for (int k = 0; k < 2; ++k) {
        std::wstring folder = L"long" + std::to_wstring(k);
        const std::size_t rootLength = widepath::FromCp932(tree.Root()).size() + 1;
        while (rootLength + folder.size() + 120 < lengths[k]) folder += L"\\" + std::wstring(100, L'd');
        const std::wstring name(lengths[k] - rootLength - folder.size() - 1 - 2, L'f');
        const std::string bytes = "long path " + std::to_string(k);
        longPaths[k] = {file(folder + L"\\" + name + L"_1", bytes), file(folder + L"\\" + name + L"_2", bytes)};
        EXPECT_EQ(longPaths[k].begin()->size(), lengths[k]);
    }

    ASSERT_TRUE(rig.Search(tree.Root() + ";;"));

    EXPECT_EQ(Groups(), (std::set<Group>{scripts, accented, dotted, spaced, hangulFolder, longPaths[0], longPaths[1]}));
    // Every file opened; nothing was asked but the time taken.
    EXPECT_EQ(scripted::MessageBoxes().size(), 1u);
    // The display is cp932, with '?' where cp932 has no character, never a
    // look-alike letter.
    std::set<std::string> texts;
    for (int line = 0; line < rig.host.candidates.Count(); ++line) texts.insert(rig.host.candidates.LineText(line));
    EXPECT_EQ(texts.count(tree.Path("caf?.txt")), 1u);
    EXPECT_EQ(texts.count(tree.Path("??.txt")), 1u);  // Hangul and the emoji: two lines, one text
    EXPECT_EQ(rig.host.candidates.Count(), 6 + 2 * 6);
}

TEST_F(ExactNames, AFolderThatCannotBeListedIsReportedAfterTheWalk) {
    tree.WriteFile("a\\x.txt", "x");
    tree.WriteFile("z\\y.txt", "y");
    // The folder goes after its parent was listed and before it is walked.
    rig.host.onCommand = [this] {
        DeleteFileA(tree.Path("z\\y.txt").c_str());
        RemoveDirectoryA(tree.Path("z").c_str());
    };
    rig.host.PostCommand();
    rig.Collect(tree.Root() + ";;" + tree.Path("missing") + ";;");

    EXPECT_EQ(rig.GatheredTexts(), std::vector<std::string>{tree.Path("a\\x.txt")});
    ASSERT_EQ(scripted::MessageBoxes().size(), 1u);
    EXPECT_EQ(scripted::MessageBoxes()[0].text,
              "中を読めないフォルダが 1 個ありました。その中のファイルは検索されていません\n" + tree.Path("z") + "\\");
}

}  // namespace
