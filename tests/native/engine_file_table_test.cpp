// The compact table of gathered files against a plain list of full paths,
// on generated trees: the same paths, lengths, times and order, also after
// reordering, with names cp932 cannot hold, long paths and names that
// differ only in letter case.
#include "engine/core/FileTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

struct PlainFile {
    std::wstring path;
    std::uint64_t size;
    std::int64_t time;
};

class GeneratedTree {
public:
    explicit GeneratedTree(unsigned seed) : random_(seed) {}

    // A walk as the collector makes it: folders entered and left depth
    // first, files of a folder taken before and after its subfolders, so
    // that a folder's files come in more than one stretch.
    void Walk(const std::wstring& folder, int depth) {
        const int folderNumber = table.AddFolder(folder);
        const int files = Between(0, 12);
        for (int i = 0; i < files; ++i) {
            if (depth < 4 && Between(0, 9) == 0) Walk(folder + Name() + L"\\", depth + 1);
            Add(folderNumber, folder, Name());
        }
    }
    void Add(int folderNumber, const std::wstring& folder, const std::wstring& name) {
        const std::uint64_t size = Between(0, 3) == 0 ? (5ULL << 30) + Between(0, 9) : Between(0, 64);
        const std::int64_t time = Between(-1, 1) * 4000000000LL + Between(0, 1000);
        table.Append(folderNumber, name, size, time);
        plain.push_back({folder + name, size, time});
    }

    void ExpectSame() const {
        ASSERT_EQ(table.Count(), static_cast<int>(plain.size()));
        for (int i = 0; i < table.Count(); ++i) {
            const PlainFile& file = plain[static_cast<std::size_t>(i)];
            ASSERT_EQ(table.Path(i), file.path) << i;
            ASSERT_EQ(table.Size(i), file.size) << i;
            ASSERT_EQ(table.LastWriteTime(i), file.time) << i;
        }
    }

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    engine::FileTable table;
    std::vector<PlainFile> plain;
    std::mt19937 random_;

private:
    std::wstring Name() {
        static const std::vector<std::wstring> pieces = {
            L"photo", L"Photo", L"PHOTO", L"表示", L"写真", L"café", L"\U0001F600", L"\U00020BB7", L"한국어",
            L"\u301C", L"\u00FF", L"\u0100", L"name.", L"name ", L".jpg", L".JPG", std::wstring(1, wchar_t(0xD800))};
        std::wstring name;
        const int count = Between(1, 4);
        for (int k = 0; k < count; ++k) name += pieces[static_cast<std::size_t>(Between(0, static_cast<int>(pieces.size()) - 1))];
        // Now and then a name as long as a folder entry may be.
        if (Between(0, 40) == 0) name += std::wstring(static_cast<std::size_t>(Between(200, 230)), L'x');
        return name;
    }
};

TEST(FileTable, HoldsWhatAPlainListHoldsForAGeneratedTree) {
    GeneratedTree tree(7);
    for (int root = 0; root < 300; ++root) tree.Walk(L"D:\\top" + std::to_wstring(root) + L"\\", 0);
    ASSERT_GT(tree.table.Count(), 4000);
    tree.ExpectSame();
}

TEST(FileTable, NamesThatDifferOnlyInCaseStayApartInOneFolder) {
    GeneratedTree tree(1);
    const int folder = tree.table.AddFolder(L"C:\\pics\\");
    for (const wchar_t* name : {L"photo.jpg", L"Photo.JPG", L"PHOTO.jpg"}) tree.Add(folder, L"C:\\pics\\", name);
    tree.ExpectSame();
}

TEST(FileTable, LongPathsAndNamesLongerThanABlockKeepEveryUnit) {
    GeneratedTree tree(3);
    std::wstring deep = L"\\\\?\\D:\\";
    for (int level = 0; level < 150; ++level) deep += L"level" + std::to_wstring(level) + L"\\";
    const int folder = tree.table.AddFolder(deep);
    tree.Add(folder, deep, L"short");
    tree.Add(folder, deep, std::wstring(70000, L'y') + L"end");  // more than a block
    tree.Add(folder, deep, L"after");
    for (int i = 0; i < 30000; ++i) tree.Add(folder, deep, L"file" + std::to_wstring(i) + L".bin");
    tree.Add(folder, deep, std::wstring(70000, L'z'));
    tree.Add(folder, deep, L"");  // the last name, after a full block
    ASSERT_GT(deep.size(), 1000u);
    tree.ExpectSame();
}

TEST(FileTable, ReorderingFollowsTheOrderGivenAndTheTableCanBeFilledAgain) {
    GeneratedTree tree(11);
    for (int root = 0; root < 100; ++root) tree.Walk(L"E:\\r" + std::to_wstring(root) + L"\\", 0);
    std::vector<int> order(tree.plain.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), tree.random_);
    std::vector<PlainFile> reordered;
    for (int from : order) reordered.push_back(tree.plain[static_cast<std::size_t>(from)]);

    tree.table.Reorder(order);
    tree.plain = reordered;
    tree.ExpectSame();

    tree.table.ReleaseAll();
    tree.plain.clear();
    tree.ExpectSame();
    tree.Walk(L"F:\\again\\", 0);
    tree.ExpectSame();
}

}  // namespace
