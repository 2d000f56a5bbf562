#pragma once
// Where the comparison hands the groups of identical files that it finds,
// so that the engine knows nothing of the lists that show them.
#include "engine/FileInfo.h"

#include <vector>

// A file of a group: its record, which the sink may take over, since the
// comparison reads no more than its length and time afterwards.
struct GroupMember {
    FileInfo& file;
};

class GroupSink {
public:
    virtual ~GroupSink() = default;
    // Before the first group of a comparison.
    virtual void BeginGroups() = 0;
    // One group: members[0] is its reference, which stays; the others are
    // its copies.
    virtual void AddGroup(const std::vector<GroupMember>& members) = 0;
    // After each run of files, whether or not it added groups.
    virtual void RunCompared() = 0;
    // After the last run, also after an abort.
    virtual void EndGroups() = 0;
};
