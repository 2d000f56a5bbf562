#pragma once
// What one comparison works on, handed to it for that call only: the
// gathered files in comparison order, cut into runs of equal length, and the
// controls that show its progress.
#include "engine/FileInfo.h"
#include "platform/Window.h"

#include <vector>

struct ComparisonJob {
    // The records, each with its exact path, reordered inside each run:
    // every group's members end up together where its reference stood.
    // The paths of a run are let go once it is compared.
    std::vector<FileInfo>& paths;
    const std::vector<int>& runLengths;  // ended by NoIndex
    int fileCount;
    Edit statusField;
    ProgressBar mainProgress;
    ProgressBar runProgress;
};
