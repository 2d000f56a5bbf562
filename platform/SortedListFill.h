#pragma once
// Adds many lines to a sorted list box (LBS_SORT) with the result that
// adding them one by one with LB_ADDSTRING gives. The list box places each
// line by comparing it with a dozen of its lines, which under Wine costs
// about 100 microseconds a line in a long list of paths; an empty list is
// filled here in the list's order with one comparison a line instead.
#include "platform/Window.h"

#include <string>
#include <vector>

// `data`, when not empty, holds each line's item data.
void FillSortedList(ListBox list, const std::vector<std::string>& lines, const std::vector<LPARAM>& data = {});
