#pragma once
// The tick of every line of a check list, in order, as a test compares it.
#include "platform/CheckListBox.h"

#include <vector>

inline std::vector<int> ChecksOf(const CheckListBox& list) {
    std::vector<int> checks;
    for (int i = 0; i < list.Count(); ++i) checks.push_back(list.GetCheck(i));
    return checks;
}
