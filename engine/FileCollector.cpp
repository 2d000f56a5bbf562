#include "engine/FileCollector.h"

#include "common/core/Cp932Text.h"
#include "engine/FileInfo.h"
#include "engine/core/CollectionRules.h"
#include "platform/FileFinder.h"

CFileCollector::~CFileCollector() = default;

void CFileCollector::Collect(std::string folders, std::string fileTypes, int subfolders, GatheredFileList files,
                             Edit statusField) {
    subfolders_ = subfolders != 0;
    files_ = files;
    statusField_ = statusField;
    aborted_ = false;
    pump_.LookNextTime();
    lastShown_ = 0;
    fileTypes_ = fileTypes;
    UpdateAllTypesFlag();

    // Only pieces that a separator ends are folders. After an abort every
    // further walk stops at its first entry.
    for (const std::string& folder : cp932::SplitTerminated(folders, tools_.ListSeparator())) ScanFolder(folder);
    if (files_.Count() > 0) files_.List().SetCurSel(files_.Count() - 1);
}

void CFileCollector::ScanFolder(std::string folder) {
    const std::string path = engine::FolderWithBackslash(folder);
    FileFinder finder;
    // An empty entry names no folder: it yields nothing, like a missing one.
    bool more = !path.empty() && finder.FindFile(path + "*");
    while (more) {
        pump_.PumpOne();
        if (aborted_) return;
        more = finder.FindNextFile();
        if (finder.IsDots()) continue;
        if (finder.IsDirectory()) {
            // A linked subfolder may lead back up the tree: not walked. A
            // listed folder is walked even when it is a link itself.
            if (subfolders_ && !finder.IsReparsePoint()) ScanFolder(path + finder.FileName());
            continue;
        }
        const std::string file = finder.FilePath();
        if (!allTypes_ && !MatchesFileType(file)) continue;
        FileInfo record;
        record.size = finder.Length();
        record.lastWriteTime = finder.LastWriteTime();
        const int item = files_.Append(file, record);
        if (item >= 0) ShowLastFound(item);
    }
    statusField_.SetText(std::to_string(files_.Count()));
}

void CFileCollector::ShowLastFound(int item) {
    // Selecting repaints the list at once (tens of microseconds under Wine);
    // the last file found shows as often as the eye can follow, and at the
    // end of the walk.
    const std::uint64_t now = GetTickCount64();
    if (now - lastShown_ < ShowIntervalMs) return;
    files_.List().SetCurSel(item);
    lastShown_ = now;
}

bool CFileCollector::MatchesFileType(const std::string& path) const {
    return engine::MatchesFileType(path, fileTypes_);
}

void CFileCollector::UpdateAllTypesFlag() { allTypes_ = engine::ListsAllTypes(fileTypes_); }
