#pragma once
// The type of the paths that the deletion hands to the file system.
#include <string>

using FilePath = std::string;
