#pragma once
// What one comparison works on, handed over to it for that call: the
// gathered files in comparison order, cut into runs of equal length.
#include "engine/GatheredFileList.h"

#include <vector>

struct ComparisonJob {
    // The files, each with its exact path.
    GatheredFileList paths;
    std::vector<int> runLengths;  // ended by NoIndex
};
