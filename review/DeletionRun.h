#pragma once
// One press of Delete: removes the files of the ticked candidate lines, from
// the last line up, into the Recycle Bin or for good. A file is touched only
// while it is still the file that the comparison found, and, unless the
// user ticked every line of its group, only while a kept copy of its group
// is still there unchanged. A line whose file is gone afterwards leaves the
// list; every other ticked line stays where it is, ticked.
#include "common/CommonTools.h"
#include "review/CandidateList.h"

#include <string>

class CDeletionRun {
public:
    explicit CDeletionRun(const CCommonTools& tools) : tools_(tools) {}

    // `recycleFlag` non-zero: into the Recycle Bin; zero: for good.
    void Run(CCandidateList& list, int recycleFlag) const;

    // The index of the first line still in the list that belongs to the
    // group, or -1 when none is left.
    static int FirstLineOfGroup(const CCandidateList& list, int group);

    // True while the path names a plain file (no folder, no reparse point)
    // with the length and last-write time that were recorded for it. A name
    // holding a wildcard names no file, so it never reaches the shell, which
    // would delete everything that matches it.
    static bool IsUnchanged(const std::string& path, const FileInfo& recorded);

private:
    bool RemoveFile(const std::string& path, int recycleFlag) const;

    const CCommonTools& tools_;
};
