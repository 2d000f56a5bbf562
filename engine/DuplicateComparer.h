#pragma once
// Orders the gathered files by length, cuts them into runs of equal length
// and orders each run newest first, into Paths and RunLengths.
#include "common/CommonTools.h"
#include "common/MessagePump.h"
#include "engine/GatheredFileList.h"
#include "engine/OperationContext.h"
#include "engine/SearchView.h"

#include <cstdint>
#include <vector>

class CDuplicateComparer {
public:
    // The pump is the window's; it outlives the object.
    explicit CDuplicateComparer(MessagePump& pump) : operation_(pump) {}
    virtual ~CDuplicateComparer() = default;
    // True when finished: the records then move from the gathered files into
    // Paths, leaving none behind. False when aborted: the gathered files
    // stay as they were, to be ordered again.
    // The view's main bar shows the progress.
    bool SortAndGroup(int fileCount, GatheredFileList& files, SearchView& view);
    void Abort() { operation_.Abort(); }

    // The files in comparison order, each with its exact path. No display
    // text is kept for them: only the files of a group need one.
    GatheredFileList Paths;
    std::vector<int> RunLengths;  // lengths of the runs, ended by NoIndex

private:
    // order[i] becomes the index among the gathered files of the file at
    // position i.
    void OrderBySize(const GatheredFileList& files, std::vector<int>& order, std::vector<std::uint64_t>& sizes) const;
    void FormRuns(const std::vector<std::uint64_t>& sizes, SearchView& view);
    // Orders each run newest first.
    void OrderRunsByTime(const GatheredFileList& files, std::vector<int>& order, SearchView& view);
    void TakeRecords(GatheredFileList& files, std::vector<int>& order);

    OperationContext operation_;
    CCommonTools tools_;
    int fileCount_ = 0;
};
