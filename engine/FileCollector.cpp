#include "engine/FileCollector.h"

#include "common/core/Cp932Text.h"
#include "engine/FileInfo.h"
#include "engine/core/CollectionRules.h"
#include "platform/FileFinder.h"
#include "platform/Prompts.h"
#include "platform/WidePath.h"

#include <utility>

CFileCollector::~CFileCollector() = default;

void CFileCollector::Collect(std::string folders, std::string fileTypes, int subfolders, GatheredFileList& files,
                             Edit statusField) {
    subfolders_ = subfolders != 0;
    statusField_ = statusField;
    aborted_ = false;
    pump_.LookNextTime();
    lastShown_ = 0;
    lastCounted_ = 0;
    pendingCount_ = -1;
    unlistedCount_ = 0;
    firstUnlisted_.clear();
    fileTypes_ = fileTypes;
    UpdateAllTypesFlag();

    // Only pieces that a separator ends are folders. After an abort every
    // further walk stops at its first entry.
    for (const std::string& folder : cp932::SplitTerminated(folders, tools_.ListSeparator())) {
        // An empty entry names no folder: it yields nothing, like a missing one.
        const std::wstring wide = widepath::FromCp932(folder);
        if (wide.empty()) continue;
        ScanFolder(files, widepath::WithBackslash(widepath::FullPath(wide)), true);
    }
    files.ShowLast();
    if (pendingCount_ >= 0) ShowCount(pendingCount_);
    ReportUnlistedFolders();
}

void CFileCollector::ScanFolder(GatheredFileList& files, const std::wstring& folder, bool chosen) {
    FileFinder finder;
    bool more = finder.FindFile(folder + L"*");
    // A chosen folder that is missing yields nothing, silently; any other
    // folder that cannot be listed is reported.
    const DWORD error = finder.Error();
    if (!more && (!chosen || (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND))) {
        if (firstUnlisted_.size() < 5) firstUnlisted_.push_back(folder);
        ++unlistedCount_;
    }
    while (more) {
        pump_.PumpOne();
        if (aborted_) return;
        more = finder.FindNextFile();
        if (finder.IsDots()) continue;
        if (finder.IsDirectory()) {
            // A linked subfolder may lead back up the tree: not walked. A
            // listed folder is walked even when it is a link itself.
            if (subfolders_ && !finder.IsReparsePoint()) ScanFolder(files, finder.FilePath() + L"\\", false);
            continue;
        }
        FileInfo record;
        record.path = finder.FilePath();
        // Types are matched on the display text, as the user typed them.
        if (!allTypes_ && !MatchesFileType(widepath::ToCp932(record.path))) continue;
        record.size = finder.Length();
        record.lastWriteTime = finder.LastWriteTime();
        files.Append(std::move(record));
        ShowLastFound(files);
    }
    // The count after each folder, as often as the eye can follow: every
    // text set repaints the field (about a millisecond under Wine), and a
    // tree has thousands of folders. The last one always shows at the end.
    pendingCount_ = files.Count();
    if (GetTickCount64() - lastCounted_ >= ShowIntervalMs) ShowCount(pendingCount_);
}

void CFileCollector::ShowCount(int count) {
    statusField_.SetText(std::to_string(count));
    lastCounted_ = GetTickCount64();
    pendingCount_ = -1;
}

void CFileCollector::ShowLastFound(GatheredFileList& files) {
    // Showing repaints the list at once (tens of microseconds under Wine);
    // the last file found shows as often as the eye can follow, and at the
    // end of the walk.
    const std::uint64_t now = GetTickCount64();
    if (now - lastShown_ < ShowIntervalMs) return;
    files.ShowLast();
    lastShown_ = now;
}

bool CFileCollector::MatchesFileType(const std::string& path) const {
    return engine::MatchesFileType(path, fileTypes_);
}

void CFileCollector::UpdateAllTypesFlag() { allTypes_ = engine::ListsAllTypes(fileTypes_); }

void CFileCollector::ReportUnlistedFolders() const {
    if (unlistedCount_ == 0) return;
    std::string text = "中を読めないフォルダが " + std::to_string(unlistedCount_) +
                       " 個ありました。その中のファイルは検索されていません";
    for (const std::wstring& folder : firstUnlisted_) text += "\n" + widepath::ToCp932(folder);
    if (unlistedCount_ > static_cast<int>(firstUnlisted_.size())) text += "\n...";
    MessageBoxPrompt(text, MB_OK | MB_ICONWARNING);
}
