#include "review/ProtectedFolders.h"

#include "platform/WidePath.h"

ProtectedFolders::ProtectedFolders(const std::vector<std::wstring>& folders, bool subfolders)
    : subfolders_(subfolders) {
    for (const std::wstring& folder : folders)
        if (!folder.empty()) folders_.push_back(widepath::Folded(widepath::WithBackslash(widepath::FullPath(folder))));
}

bool ProtectedFolders::Covers(const std::wstring& filePath) const {
    if (folders_.empty()) return false;
    const std::wstring folder = widepath::Folded(widepath::FolderOf(filePath));
    for (const std::wstring& own : folders_) {
        if (subfolders_ ? folder.compare(0, own.size(), own) == 0 : folder == own) return true;
    }
    return false;
}
