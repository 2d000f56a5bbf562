#pragma once
// Which chosen folders a walk into subfolders covers already: a folder that
// is, or lies inside, another chosen folder adds nothing, or its files would
// be gathered twice. Judged by the folders' identities, the folder's own and
// that of every folder above where it really lies, since letter case, a
// final backslash, \\?\, short names and links give one folder several
// texts, and a case-sensitive folder may hold two that differ only in case.
// A folder that cannot be identified is never taken as covered.
#include <string>
#include <vector>

class CoveredFolders {
public:
    // `folders` are full paths. For each, whether it adds nothing: it lies
    // inside another of them, or is the same folder as an earlier one.
    static std::vector<bool> Of(const std::vector<std::wstring>& folders);
};
