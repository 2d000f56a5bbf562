#pragma once
// What one comparison works on, handed over to it for that call: the
// gathered files in comparison order, cut into runs of equal length.
#include "engine/FileInfo.h"

#include <vector>

struct ComparisonJob {
    // The records, each with its exact path. The paths of a run are let go
    // once it is compared.
    std::vector<FileInfo> paths;
    std::vector<int> runLengths;  // ended by NoIndex
};
