#pragma once
// Gathers the files that a search examines: walks each listed folder
// depth-first and appends the FileInfo record of every matching file to the
// gathered files.
#include "common/CommonTools.h"
#include "common/MessagePump.h"
#include "engine/GatheredFileList.h"
#include "platform/Window.h"

#include <cstdint>
#include <string>
#include <vector>

class FileFinder;

class CFileCollector {
public:
    // The pump is the window's; it outlives the collector.
    explicit CFileCollector(MessagePump& pump) : pump_(pump) {}
    virtual ~CFileCollector();
    // `folders` and `fileTypes` hold entries each followed by ";;". Each
    // gathered file is appended to `files`, which keeps its record. Folders
    // that could not be listed are reported in one message at the end.
    void Collect(std::string folders, std::string fileTypes, int subfolders, GatheredFileList& files,
                 Edit statusField);
    void Abort() { aborted_ = true; }

private:
    // `folder` is a full path ending in a backslash.
    void ScanFolder(GatheredFileList& files, const std::wstring& folder, bool chosen);
    void ReportUnlistedFolders() const;
    bool MatchesFileType(const std::string& path) const;
    void UpdateAllTypesFlag();
    void ShowLastFound(GatheredFileList& files);
    void ShowCount(int count);

    static constexpr std::uint64_t ShowIntervalMs = 30;

    Edit statusField_;
    bool allTypes_ = false;
    bool subfolders_ = false;
    bool aborted_ = false;
    MessagePump& pump_;
    CCommonTools tools_;
    std::string fileTypes_;
    std::uint64_t lastShown_ = 0;    // when the last file found was last shown
    std::uint64_t lastCounted_ = 0;  // when the count was last shown
    int pendingCount_ = -1;          // the count of the last folder walked, if not shown yet
    int unlistedCount_ = 0;
    std::vector<std::wstring> firstUnlisted_;  // the first few of them
};
