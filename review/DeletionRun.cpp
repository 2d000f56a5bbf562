#include "review/DeletionRun.h"

#include "platform/FileFinder.h"

#include <map>
#include <vector>

namespace {
struct KeptCopy {
    std::string path;
    FileInfo file;
};

// What the user confirmed for one group: whether every line was ticked, and
// the copies that stay.
struct GroupChoice {
    bool allTicked = true;
    std::vector<KeptCopy> kept;
};
}  // namespace

void CDeletionRun::Run(CCandidateList& list, int recycleFlag) const {
    // The choice per group is taken before the first file goes, so that the
    // run's own deletions cannot turn a group into an "all ticked" one.
    std::map<int, GroupChoice> groups;
    const int count = list.Count();
    for (int line = 0; line < count; ++line) {
        const LineRecord* record = list.Line(line);
        if (!record) continue;
        GroupChoice& choice = groups[record->group];
        if (list.GetCheck(line) != 1) {
            choice.allTicked = false;
            choice.kept.push_back({list.ItemText(line), record->file});
        }
    }

    // From the last line up, so that removing a line leaves the indexes of
    // the lines still to be visited as they were.
    for (int line = count - 1; line >= 0; --line) {
        if (list.GetCheck(line) != 1) continue;
        const LineRecord* record = list.Line(line);
        if (!record) continue;  // nothing left to check the file against
        const std::string path = list.ItemText(line);
        const GroupChoice& choice = groups[record->group];
        bool safe = IsUnchanged(path, record->file);
        if (safe && !choice.allTicked) {
            safe = false;
            for (const KeptCopy& copy : choice.kept) {
                if (IsUnchanged(copy.path, copy.file)) {
                    safe = true;
                    break;
                }
            }
        }
        if (safe && RemoveFile(path, recycleFlag)) list.RemoveLine(line);
        else list.SetCheck(line, 1);
    }
}

int CDeletionRun::FirstLineOfGroup(const CCandidateList& list, int group) {
    const int count = list.Count();
    for (int line = 0; line < count; ++line) {
        const LineRecord* record = list.Line(line);
        if (record && record->group == group) return line;
    }
    return -1;
}

bool CDeletionRun::IsUnchanged(const std::string& path, const FileInfo& recorded) {
    WIN32_FILE_ATTRIBUTE_DATA now;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &now)) return false;
    if (now.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    const std::uint64_t length = (static_cast<std::uint64_t>(now.nFileSizeHigh) << 32) | now.nFileSizeLow;
    return length == recorded.size && FileFinder::SecondsSince1970(now.ftLastWriteTime) == recorded.lastWriteTime;
}

bool CDeletionRun::RemoveFile(const std::string& path, int recycleFlag) const {
    return recycleFlag ? tools_.DeleteToRecycleBin(path) : tools_.DeleteFileNow(path);
}
