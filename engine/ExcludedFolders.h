#pragma once
// The excluded folders of a search, ready for the walk: the patterns and the
// full paths held in one letter case, so that each folder met costs one
// case change of its name and a few comparisons.
#include "engine/CollectionScope.h"

#include <string>
#include <string_view>
#include <vector>

class ExcludedFolders {
public:
    ExcludedFolders() = default;
    explicit ExcludedFolders(const std::vector<std::wstring>& entries);

    // A chosen folder (a full path ending in a backslash) is left out only
    // when it is, or lies under, an excluded path: a pattern never matches it.
    bool ExcludesChosen(const std::wstring& folder) const;
    // The subfolder `name` of `parent` (a full path ending in a backslash),
    // met during the walk.
    bool ExcludesSubfolder(const std::wstring& parent, std::wstring_view name) const;
    // A chosen folder inside another (`covered`) is left to the walk of the
    // one around it; where an exclusion on the way keeps that walk from
    // reaching it, it is no longer covered and is walked on its own.
    // `chosen` are full paths ending in a backslash.
    void UncoverCutOff(const std::vector<std::wstring>& chosen, std::vector<bool>& covered) const;

private:
    // True when a folder from below `top` down to `folder` (itself too) is
    // excluded; `folder` lies inside `top`.
    bool CutsOff(const std::wstring& top, const std::wstring& folder) const;

    std::vector<std::wstring> patterns_;  // folded
    std::vector<std::wstring> paths_;     // full, folded, ending in a backslash
    mutable std::wstring folded_;         // the name or path being judged
};
