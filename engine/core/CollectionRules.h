#pragma once
// What the folder walk decides without touching the file system: which files
// a type list takes, and the search pattern of a folder.
#include <string>

namespace engine {

// True when the joined type list holds an entry ending in "*.*": then every
// file is gathered, also files without an extension.
bool ListsAllTypes(const std::string& fileTypes);

// True when "*" + the extension of `path` + ";;" occurs in the joined type
// list. The letters A to Z match either case; double-byte characters match
// exactly.
bool MatchesFileType(const std::string& path, const std::string& fileTypes);

// The folder with a final backslash. A last byte 0x5C counts as a backslash
// only when the byte before it is no double-byte lead byte, so a name ending
// in a character such as 表 still gets one. An empty folder stays empty.
std::string FolderWithBackslash(const std::string& folder);

}  // namespace engine
