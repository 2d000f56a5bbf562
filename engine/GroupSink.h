#pragma once
// Where the comparison hands the groups of identical files that it finds,
// so that the engine knows nothing of the lists that show them.
#include "engine/FileInfo.h"
#include "engine/core/FileTable.h"

#include <memory>
#include <vector>

// A file of a group: its record, which the sink may take over, since the
// comparison reads no more than its length and time afterwards, and its
// number among the comparison's files.
struct GroupMember {
    FileInfo& file;
    int index;
};

class GroupSink {
public:
    virtual ~GroupSink() = default;
    // Before the first group of a comparison, whose files are `files`: the
    // sink may keep them to name its members by their numbers.
    virtual void BeginGroups(std::shared_ptr<const engine::FileTable> files) = 0;
    // One group: members[0] is its reference, which stays; the others are
    // its copies.
    virtual void AddGroup(const std::vector<GroupMember>& members) = 0;
    // After each run of files, whether or not it added groups.
    virtual void RunCompared() = 0;
    // After the last run, also after an abort.
    virtual void EndGroups() = 0;
};
