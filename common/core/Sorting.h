#pragma once
// The two sorts of the gathered files. Both are quicksorts with fixed
// partition steps: they are not stable, and files with equal keys end up in
// the order that these exact steps give, which decides later which copy of
// a group becomes its reference. Ranges are inclusive, low to high.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ordering {

// Sorts keys[low..high] ascending (as unsigned 64-bit lengths) and moves
// order[] along with them.
void SortIndexesByKey(std::vector<int>& order, std::vector<std::uint64_t>& keys, int low, int high);

// Sorts times[low..high] descending (later times first) and moves the texts
// along with them.
void SortPathsNewestFirst(std::vector<std::string>& texts, std::vector<std::int64_t>& times, int low,
                          int high);

// The partition steps of SortPathsNewestFirst; `swapItems(a, b)` moves
// whatever belongs to positions a and b (the times are swapped here), so
// that several tables can follow one sort.
template <class SwapItems>
void SortNewestFirst(std::vector<std::int64_t>& times, int low, int high, SwapItems swapItems) {
    while (low < high) {
        const std::int64_t pivot = times[static_cast<std::size_t>(low + (high - low) / 2)];
        int i = low;
        int j = high;
        for (;;) {
            while (times[static_cast<std::size_t>(i)] > pivot) ++i;
            while (times[static_cast<std::size_t>(j)] < pivot) --j;
            if (i >= j) break;
            std::swap(times[static_cast<std::size_t>(i)], times[static_cast<std::size_t>(j)]);
            swapItems(i, j);
            ++i;
            --j;
        }
        // The two parts are independent: recurse into the smaller one and
        // go on with the larger, so that the stack stays shallow.
        if (i - 1 - low < high - (j + 1)) {
            SortNewestFirst(times, low, i - 1, swapItems);
            low = j + 1;
        } else {
            SortNewestFirst(times, j + 1, high, swapItems);
            high = i - 1;
        }
    }
}

}  // namespace ordering
