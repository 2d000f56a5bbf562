#pragma once
// Gathers the files that a search examines: walks each listed folder
// depth-first and appends every matching file, with its FileInfo record, to
// the group list.
#include "common/CommonTools.h"
#include "platform/Window.h"

#include <cstdint>
#include <string>

class FileFinder;

class CFileCollector {
public:
    virtual ~CFileCollector();
    // `folders` and `fileTypes` hold entries each followed by ";;". Each
    // gathered file becomes an item of `groupList` whose data is a FileInfo
    // allocated with new; the caller owns and deletes those records.
    void Collect(std::string folders, std::string fileTypes, int subfolders, ComboBox groupList,
                 Edit statusField);
    void Abort() { aborted_ = true; }

private:
    void ScanFolder(std::string folder);
    bool MatchesFileType(const std::string& path) const;
    void UpdateAllTypesFlag();
    void ShowLastFound(int item);
    void StoreFileInfo(int item, const FileFinder& finder);

    static constexpr std::uint64_t ShowIntervalMs = 30;

    Edit statusField_;
    bool allTypes_ = false;
    bool subfolders_ = false;
    bool aborted_ = false;
    CCommonTools tools_;
    ComboBox groupList_;
    std::string fileTypes_;
    std::string folders_;
    std::uint64_t lastShown_ = 0;  // when the selection last moved
};
