#pragma once
// What the folder walk decides without touching the file system: which files
// a type list takes, and which folders an exclusion names.
#include <string>
#include <string_view>

namespace engine {

// True when the joined type list holds an entry ending in "*.*": then every
// file is gathered, also files without an extension.
bool ListsAllTypes(const std::string& fileTypes);

// True when "*" + the extension of `path` + ";;" occurs in the joined type
// list. The letters A to Z match either case; double-byte characters match
// exactly.
bool MatchesFileType(const std::string& path, const std::string& fileTypes);

// True when `name` matches `pattern`, in which '*' stands for any run of
// characters (none too) and '?' for exactly one. Code units are compared
// exactly: a caller that ignores case hands both in one case.
bool MatchesNamePattern(std::wstring_view name, std::wstring_view pattern);

// An exclusion holding a backslash names a folder by its path; any other
// is a pattern for folder names.
bool IsFolderPathEntry(std::wstring_view entry);

}  // namespace engine
