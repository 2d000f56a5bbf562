#include "common/core/Sorting.h"

namespace ordering {

void SortIndexesByKey(std::vector<int>& order, std::vector<std::uint64_t>& keys, int low, int high) {
    while (low < high) {
        const std::uint64_t pivot = keys[static_cast<std::size_t>(low + (high - low) / 2)];
        int i = low;
        int j = high;
        for (;;) {
            while (keys[static_cast<std::size_t>(i)] < pivot) ++i;
            while (keys[static_cast<std::size_t>(j)] > pivot) --j;
            if (i >= j) break;
            std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
            std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
        // The two parts are independent: recurse into the smaller one and
        // go on with the larger, so that the stack stays shallow.
        if (i - 1 - low < high - (j + 1)) {
            SortIndexesByKey(order, keys, low, i - 1);
            low = j + 1;
        } else {
            SortIndexesByKey(order, keys, j + 1, high);
            high = i - 1;
        }
    }
}

void SortPathsNewestFirst(std::vector<std::string>& texts, std::vector<std::int64_t>& times, int low,
                          int high) {
    SortNewestFirst(times, low, high, [&texts](int a, int b) {
        std::swap(texts[static_cast<std::size_t>(a)], texts[static_cast<std::size_t>(b)]);
    });
}

}  // namespace ordering
