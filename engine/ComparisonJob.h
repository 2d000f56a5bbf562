#pragma once
// What one comparison works on, handed to it for that call only: the
// gathered files in comparison order, cut into runs of equal length, and the
// controls that show its progress.
#include "engine/FileInfo.h"
#include "platform/Window.h"

#include <string>
#include <vector>

struct ComparisonJob {
    // Reordered inside each run: every group's members end up together
    // where its reference stood.
    std::vector<std::string>& paths;
    std::vector<FileInfo>& infos;        // the record of each path, same order
    const std::vector<int>& runLengths;  // ended by NoIndex
    int fileCount;
    Edit statusField;
    ProgressBar mainProgress;
    ProgressBar runProgress;
};
