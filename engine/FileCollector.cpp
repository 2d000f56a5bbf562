#include "engine/FileCollector.h"

#include "common/core/Cp932Text.h"
#include "engine/CoveredFolders.h"
#include "engine/core/CollectionRules.h"
#include "platform/FileFinder.h"
#include "platform/WidePath.h"

#include <utility>

struct CFileCollector::Level {
    FileFinder finder;
    std::size_t folderLength = 0;  // of its path, with the final backslash
    bool more = false;             // another entry follows
    int stored = -1;               // its number among the gathered files' folders, once it has one
};

CFileCollector::~CFileCollector() = default;

void CFileCollector::Collect(std::wstring folders, std::string fileTypes, int subfolders,
                             const CollectionScope& scope, GatheredFileList& files, SearchView& view) {
    subfolders_ = subfolders != 0;
    operation_.Begin(view);
    lastShown_ = 0;
    shownCount_ = 0;
    lastCounted_ = 0;
    pendingCount_ = -1;
    unlistedCount_ = 0;
    firstUnlisted_.clear();
    fileTypes_ = fileTypes;
    UpdateAllTypesFlag();
    minimumSize_ = scope.minimumSize;
    excluded_ = ExcludedFolders(scope.excludedFolders);

    // Only pieces that a separator ends are folders; an empty one names no
    // folder and yields nothing, like a missing one.
    std::vector<std::wstring> chosen;
    for (const std::wstring& folder : widepath::SplitTerminated(folders, widepath::FromCp932(tools_.ListSeparator()))) {
        if (!folder.empty()) chosen.push_back(widepath::WithBackslash(widepath::FullPath(folder)));
    }
    // Into subfolders, a folder inside another chosen one would gather its
    // files twice.
    std::vector<bool> covered = subfolders_ ? CoveredFolders::Of(chosen) : std::vector<bool>(chosen.size());
    if (subfolders_) excluded_.UncoverCutOff(chosen, covered);
    // After an abort every further walk stops at its first entry.
    for (std::size_t at = 0; at < chosen.size(); ++at)
        if (!covered[at] && !excluded_.ExcludesChosen(chosen[at])) WalkTree(files, chosen[at]);
    ShowLastFound(files, true);
    if (pendingCount_ >= 0) ShowCount(pendingCount_);
    ReportUnlistedFolders();
}

void CFileCollector::WalkTree(GatheredFileList& files, std::wstring folder) {
    // The folders being listed, the chosen one first, the deepest last;
    // `folder` is the path of the deepest. A subfolder is walked completely
    // before the folder around it goes on.
    std::deque<Level> levels;
    Enter(levels, folder, true);
    while (!levels.empty()) {
        Level& level = levels.back();
        if (!level.more) {
            CountFolder(files);
            Leave(levels, folder);
            continue;
        }
        // Stopped: this folder shows no count, and each folder around it
        // stops at its next entry.
        if (!operation_.GoOn()) {
            Leave(levels, folder);
            continue;
        }
        level.more = level.finder.FindNextFile();
        if (level.finder.IsDots()) continue;
        if (level.finder.IsDirectory()) {
            // A linked subfolder may lead back up the tree: not walked. A
            // listed folder is walked even when it is a link itself.
            // An excluded folder is not even listed.
            if (subfolders_ && !level.finder.IsReparsePoint() &&
                !excluded_.ExcludesSubfolder(folder, level.finder.FileName())) {
                folder.append(level.finder.FileName()).push_back(L'\\');
                Enter(levels, folder, false);
            }
            continue;
        }
        Take(files, level, folder);
    }
}

void CFileCollector::Enter(std::deque<Level>& levels, const std::wstring& folder, bool chosen) {
    Level& level = levels.emplace_back();
    level.folderLength = folder.size();
    level.more = level.finder.FindFile(folder + L"*");
    // A chosen folder that is missing yields nothing, silently; any other
    // folder that cannot be listed is reported.
    const DWORD error = level.finder.Error();
    if (!level.more && (!chosen || (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND))) {
        if (firstUnlisted_.size() < 5) firstUnlisted_.push_back(folder);
        ++unlistedCount_;
    }
}

void CFileCollector::Leave(std::deque<Level>& levels, std::wstring& folder) {
    levels.pop_back();
    if (!levels.empty()) folder.resize(levels.back().folderLength);
}

void CFileCollector::Take(GatheredFileList& files, Level& level, const std::wstring& folder) {
    if (level.finder.Length() < minimumSize_) return;
    const std::wstring_view name = level.finder.FileName();
    // Types are matched on the display text, as the user typed them.
    if (!allTypes_) {
        std::wstring path;
        path.reserve(folder.size() + name.size());
        path.append(folder).append(name);
        if (!MatchesFileType(widepath::ToCp932(path))) return;
    }
    // The folder's path is kept once, with its first file.
    if (level.stored < 0) level.stored = files.AddFolder(folder);
    files.Append(level.stored, name, level.finder.Length(), level.finder.LastWriteTime());
    ShowLastFound(files, false);
}

void CFileCollector::CountFolder(GatheredFileList& files) {
    // The count after each folder, as often as the eye can follow: every
    // text set repaints the field (about a millisecond under Wine), and a
    // tree has thousands of folders. The last one always shows at the end.
    pendingCount_ = files.Count();
    if (GetTickCount64() - lastCounted_ >= ShowIntervalMs) ShowCount(pendingCount_);
}

void CFileCollector::ShowCount(int count) {
    operation_.View().ShowStatus(std::to_string(count));
    lastCounted_ = GetTickCount64();
    pendingCount_ = -1;
}

void CFileCollector::ShowLastFound(const GatheredFileList& files, bool now) {
    // Showing repaints the list at once (tens of microseconds under Wine);
    // the last file found shows as often as the eye can follow, and at the
    // end of the walk.
    const std::uint64_t time = GetTickCount64();
    if (!now && time - lastShown_ < ShowIntervalMs) return;
    const int count = files.Count();
    if (count == 0 || count == shownCount_) return;
    operation_.View().ShowFound(widepath::ToCp932(files.Path(count - 1)));
    shownCount_ = count;
    lastShown_ = time;
}

bool CFileCollector::MatchesFileType(const std::string& path) const {
    return engine::MatchesFileType(path, fileTypes_);
}

void CFileCollector::UpdateAllTypesFlag() { allTypes_ = engine::ListsAllTypes(fileTypes_); }

void CFileCollector::ReportUnlistedFolders() const {
    if (unlistedCount_ == 0) return;
    std::vector<std::string> shown;
    for (const std::wstring& folder : firstUnlisted_) shown.push_back(widepath::ToCp932(folder));
    operation_.View().FoldersNotListed(unlistedCount_, shown);
}
