// A sorted list filled in one go holds its lines in the order that adding
// them one by one gives.
#include "platform/SortedListFill.h"
#include "support/ListHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Lines(ListBox list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.ItemText(i));
    return lines;
}

TEST(SortedListFill, GivesTheOrderOfAddingOneByOne) {
    // Case, punctuation, digits, Japanese and full-width letters; the last
    // two sets hold lines that the list box holds equal.
    const std::vector<std::vector<std::string>> sets = {
        {"C:\\b", "c:\\A", "C:\\a-b", "C:\\ab", "C:\\a b", "C:\\a_b", "C:\\10", "C:\\9", "C:\\表", "C:\\ひら",
         "C:\\カナ", "C:\\ｶﾅ", "C:\\漢字", "*.TXT", "*.jpg", "*.*", "**readme"},
        {"x", "X", "y"},
        {"C:\\Ａ", "C:\\ａ", "C:\\b"},
    };
    for (const std::vector<std::string>& lines : sets) {
        ListHost oneByOne(LBS_SORT | LBS_HASSTRINGS), filled(LBS_SORT | LBS_HASSTRINGS);
        for (const std::string& line : lines) ListBox(oneByOne.List()).AddString(line);
        FillSortedList(filled.List(), lines);
        EXPECT_EQ(Lines(filled.List()), Lines(oneByOne.List()));
    }
}

}  // namespace
