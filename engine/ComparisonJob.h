#pragma once
// What one comparison works on, handed over to it for that call: the
// gathered files in comparison order, cut into runs of equal length.
#include "engine/GatheredFileList.h"

#include <memory>
#include <vector>

struct ComparisonJob {
    // The files, each with its exact path.
    // The files, each with its exact path; shared, since the lines of the
    // groups found name their files in it.
    std::shared_ptr<const GatheredFileList> paths;
    std::vector<int> runLengths;  // ended by NoIndex
};
