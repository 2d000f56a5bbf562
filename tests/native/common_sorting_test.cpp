// The two sorts of the gathered files: results in order, and for equal keys
// the exact order that the partition steps give (traced by hand).
#include "common/core/Sorting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<int> SortedOrder(std::vector<std::uint64_t> keys) {
    std::vector<int> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    if (!keys.empty()) ordering::SortIndexesByKey(order, keys, 0, static_cast<int>(keys.size()) - 1);
    return order;
}

std::vector<std::string> SortedTexts(std::vector<std::string> texts, std::vector<std::int64_t> times) {
    if (!texts.empty()) ordering::SortPathsNewestFirst(texts, times, 0, static_cast<int>(texts.size()) - 1);
    return texts;
}

TEST(SortIndexesByKey, EqualKeysFollowThePartitionSteps) {
    EXPECT_EQ(SortedOrder({1, 1, 1}), (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(SortedOrder({2, 1, 2, 1}), (std::vector<int>{3, 1, 0, 2}));
    // Sizes 5, 3, 5, 3, 9: the first partition swaps files 0 and 3, the
    // part of the 3-byte files then swaps its two.
    EXPECT_EQ(SortedOrder({5, 3, 5, 3, 9}), (std::vector<int>{1, 3, 2, 0, 4}));
}

TEST(SortIndexesByKey, OrdersTrueLengthsAscending) {
    // Lengths of 2 GiB and more, and beyond 4 GiB, come after smaller ones.
    const std::vector<std::uint64_t> keys = {0x80000000ULL, 7, 0x100000001ULL, 0xFFFFFFFFULL, 0};
    EXPECT_EQ(SortedOrder(keys), (std::vector<int>{4, 1, 0, 3, 2}));
}

TEST(SortIndexesByKey, LargeInputsEndSortedAsAPermutation) {
    std::mt19937 random(7);
    for (int size : {2, 3, 10, 1000, 20000}) {
        std::vector<std::uint64_t> keys(static_cast<std::size_t>(size));
        for (auto& key : keys) key = random() % 40;  // many equal keys
        const std::vector<std::uint64_t> original = keys;
        std::vector<int> order(keys.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
        ordering::SortIndexesByKey(order, keys, 0, size - 1);
        EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
        for (std::size_t i = 0; i < keys.size(); ++i)
            ASSERT_EQ(keys[i], original[static_cast<std::size_t>(order[i])]);
        std::sort(order.begin(), order.end());
        for (std::size_t i = 0; i < order.size(); ++i) ASSERT_EQ(order[i], static_cast<int>(i));
    }
    // Already ordered and reversed inputs of 100000 files stay shallow.
    std::vector<std::uint64_t> ascending(100000), descending(100000);
    for (std::size_t i = 0; i < ascending.size(); ++i) {
        ascending[i] = i;
        descending[i] = ascending.size() - i;
    }
    EXPECT_EQ(SortedOrder(ascending).front(), 0);
    EXPECT_EQ(SortedOrder(descending).front(), 99999);
}

TEST(SortPathsNewestFirst, EqualTimesFollowThePartitionSteps) {
    EXPECT_EQ(SortedTexts({"a", "b", "c"}, {5, 5, 5}), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(SortedTexts({"a", "b", "c", "d"}, {1, 3, 3, 2}),
              (std::vector<std::string>{"c", "b", "d", "a"}));
}

TEST(SortPathsNewestFirst, LaterTimesFirstAcross2038AndBefore1970) {
    EXPECT_EQ(SortedTexts({"old", "2040", "1960", "2038"}, {1000, 2208988800LL, -315619200LL, 2147483647LL}),
              (std::vector<std::string>{"2040", "2038", "old", "1960"}));
}

}  // namespace
