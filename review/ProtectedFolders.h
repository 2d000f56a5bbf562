#pragma once
// The folders whose files the user keeps whatever else is deleted: a file
// directly in one of them, or anywhere below it when subfolders are
// searched, is a protected copy. Folders are compared as full paths without
// regard to case.
#include <string>
#include <vector>

class ProtectedFolders {
public:
    ProtectedFolders() = default;
    ProtectedFolders(const std::vector<std::wstring>& folders, bool subfolders);

    bool Covers(const std::wstring& filePath) const;
    bool Empty() const { return folders_.empty(); }

private:
    std::vector<std::wstring> folders_;  // full, folded, ending in a backslash
    bool subfolders_ = false;
};
