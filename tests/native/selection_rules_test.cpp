// The rules that tick many candidate lines at once.
#include "review/core/SelectionRules.h"

#include <gtest/gtest.h>

namespace {

using selection::Copy;
using selection::Rule;

// Ticks as a text, one letter per line: x ticked, o not.
std::string Ticks(const std::vector<bool>& ticks) {
    std::string text;
    for (bool ticked : ticks) text += ticked ? 'x' : 'o';
    return text;
}

// Group 0: three copies, two of them newest at once, the oldest in the
// folder. Group 1: two copies of one time, both in the folder. Group 2: a
// copy in the folder and another, both ticked by the user.
std::vector<Copy> Groups() {
    return {
        {0, 50, false, true}, {0, 90, false, true}, {0, 90, false, false}, {0, 10, true, true},
        {1, 70, true, false}, {1, 70, true, true},
        {2, 30, true, true},  {2, 20, false, true},
    };
}

TEST(SelectionRules, NewestAndOldestKeepTheFirstListedAmongEqualTimes) {
    EXPECT_EQ(Ticks(selection::Apply(Rule::KeepNewest, Groups(), -1)), "xoxx" "ox" "ox");
    EXPECT_EQ(Ticks(selection::Apply(Rule::KeepOldest, Groups(), -1)), "xxxo" "ox" "xo");
}

TEST(SelectionRules, FolderRulesChangeOnlyGroupsWithCopiesThere) {
    std::vector<Copy> copies = Groups();
    copies.push_back({3, 5, false, true});  // a group without a copy there
    copies.push_back({3, 6, false, false});
    copies[3].ticked = false;
    EXPECT_EQ(Ticks(selection::Apply(Rule::KeepFolder, copies, 3)), "xxxo" "oo" "ox" "xo");
    // Ticked only where an unticked copy stays elsewhere: group 0 alone.
    EXPECT_EQ(Ticks(selection::Apply(Rule::TickFolder, copies, 3)), "xxox" "ox" "xx" "xo");
}

TEST(SelectionRules, KeepOnlyThisChangesTheChosenLinesGroupAndUntickAllEverything) {
    EXPECT_EQ(Ticks(selection::Apply(Rule::KeepOnlyLine, Groups(), 0)), "oxxx" "ox" "xx");
    EXPECT_EQ(Ticks(selection::Apply(Rule::KeepOnlyLine, Groups(), 5)), "xxox" "xo" "xx");
    EXPECT_EQ(Ticks(selection::Apply(Rule::UntickAll, Groups(), -1)), "oooo" "oo" "oo");
}

TEST(SelectionRules, NoRuleTicksEveryCopyOfAGroup) {
    // Every copy in the folder, or the copies elsewhere all ticked: ticking
    // the folder's copies would leave none.
    const std::vector<Copy> copies = {{0, 1, true, false}, {0, 2, true, false},
                                      {1, 1, true, false}, {1, 2, false, true}};
    EXPECT_EQ(Ticks(selection::Apply(Rule::TickFolder, copies, 0)), "oo" "ox");
    const std::vector<Copy> single = {{0, 1, false, true}};  // one line left after a deletion
    for (Rule rule : {Rule::KeepNewest, Rule::KeepOldest, Rule::KeepOnlyLine})
        EXPECT_EQ(Ticks(selection::Apply(rule, single, 0)), "o");
}

TEST(SelectionRules, ProtectedCopiesAreKeptCopiesThatNoRuleTicks) {
    // Group 0: the newest copy protected, the oldest in the folder. Group 1:
    // both in the folder, the older protected.
    const std::vector<Copy> copies = {{0, 90, false, false, true}, {0, 50, false, true}, {0, 10, true, true},
                                      {1, 80, true, false},        {1, 70, true, false, true}};
    EXPECT_EQ(Ticks(selection::Apply(Rule::KeepNewest, copies, -1)), "oxx" "oo");
    EXPECT_EQ(Ticks(selection::Apply(Rule::KeepOldest, copies, -1)), "oxo" "xo");
    EXPECT_EQ(Ticks(selection::Apply(Rule::KeepFolder, copies, 2)), "oxo" "oo");
    // The protected copy is the one that stays: the folder's others go.
    EXPECT_EQ(Ticks(selection::Apply(Rule::TickFolder, copies, 2)), "oxx" "xo");
    EXPECT_EQ(Ticks(selection::Apply(Rule::KeepOnlyLine, copies, 1)), "oox" "oo");
    EXPECT_EQ(Ticks(selection::Apply(Rule::KeepOnlyLine, copies, 4)), "oxx" "xo");
    // Even a protected copy marked ticked comes out unticked.
    std::vector<Copy> ticked = copies;
    ticked[0].ticked = true;
    EXPECT_EQ(Ticks(selection::Apply(Rule::UntickAll, ticked, -1)), "ooo" "oo");
}

}  // namespace
