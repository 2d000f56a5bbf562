#pragma once
// What the folder walk decides without touching the file system: which files
// a type list takes.
#include <string>

namespace engine {

// True when the joined type list holds an entry ending in "*.*": then every
// file is gathered, also files without an extension.
bool ListsAllTypes(const std::string& fileTypes);

// True when "*" + the extension of `path` + ";;" occurs in the joined type
// list. The letters A to Z match either case; double-byte characters match
// exactly.
bool MatchesFileType(const std::string& path, const std::string& fileTypes);

}  // namespace engine
