#pragma once
// What a search leaves out besides the types: files below a minimum size,
// and folders that are never walked. Empty, it leaves nothing out.
#include <cstdint>
#include <string>
#include <vector>

struct CollectionScope {
    // Files shorter than this many bytes are not gathered.
    std::uint64_t minimumSize = 0;
    // Each entry either a folder path (it holds a backslash), whose folder
    // and everything under it are not walked, or a pattern with '*' and '?'
    // for the names of folders met during the walk, matched without regard
    // to case. A chosen folder is walked whatever its own name.
    std::vector<std::wstring> excludedFolders;
};
