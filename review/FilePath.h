#pragma once
// The type of the paths that the deletion hands to the file system: the
// exact names it holds.
#include <string>

using FilePath = std::wstring;
