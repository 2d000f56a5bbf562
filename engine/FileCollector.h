#pragma once
// Gathers the files that a search examines: walks each listed folder
// depth-first and appends every matching file to the gathered files. The walk keeps the folders it is in on a list of its own,
// not on the call stack, so that a tree as deep as paths allow (thousands of
// levels with \\?\) cannot overflow the stack.
#include "common/CommonTools.h"
#include "common/MessagePump.h"
#include "engine/CollectionScope.h"
#include "engine/ExcludedFolders.h"
#include "engine/GatheredFileList.h"
#include "engine/OperationContext.h"
#include "engine/SearchView.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class FileFinder;

class CFileCollector {
public:
    // The pump is the window's; it outlives the collector.
    explicit CFileCollector(MessagePump& pump) : operation_(pump) {}
    virtual ~CFileCollector();
    // `folders` (exact paths) and `fileTypes` hold entries each followed by
    // ";;"; `scope` leaves out small files and excluded folders, which are
    // never listed. Each gathered file is appended to `files`, which keeps
    // its record. The view shows the count and the file found last as the
    // walk goes on; folders that could not be listed are reported in one
    // message at the end (the view says it).
    void Collect(std::wstring folders, std::string fileTypes, int subfolders, const CollectionScope& scope,
                 GatheredFileList& files, SearchView& view);
    void Abort() { operation_.Abort(); }

private:
    // A folder being listed.
    struct Level;

    // Walks the tree of a chosen folder, a full path ending in a backslash.
    void WalkTree(GatheredFileList& files, std::wstring folder);
    // Starts listing `folder`, a full path ending in a backslash, as the
    // deepest level.
    void Enter(std::deque<Level>& levels, const std::wstring& folder, bool chosen);
    // Drops the deepest level; `folder` becomes the path of the one above.
    static void Leave(std::deque<Level>& levels, std::wstring& folder);
    // The current entry of the level's finder, a file in `folder`.
    void Take(GatheredFileList& files, Level& level, const std::wstring& folder);
    void CountFolder(GatheredFileList& files);
    void ReportUnlistedFolders() const;
    bool MatchesFileType(const std::string& path) const;
    void UpdateAllTypesFlag();
    // The file found last, at most every ShowIntervalMs unless `now`.
    void ShowLastFound(const GatheredFileList& files, bool now);
    void ShowCount(int count);

    static constexpr std::uint64_t ShowIntervalMs = 30;

    bool allTypes_ = false;
    bool subfolders_ = false;
    OperationContext operation_;
    CCommonTools tools_;
    std::string fileTypes_;
    std::uint64_t minimumSize_ = 0;
    ExcludedFolders excluded_;
    std::uint64_t lastShown_ = 0;    // when the last file found was last shown
    int shownCount_ = 0;             // the files gathered when it was
    std::uint64_t lastCounted_ = 0;  // when the count was last shown
    int pendingCount_ = -1;          // the count of the last folder walked, if not shown yet
    int unlistedCount_ = 0;
    std::vector<std::wstring> firstUnlisted_;  // the first few of them
};
