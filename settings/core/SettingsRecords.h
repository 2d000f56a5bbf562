#pragma once
// The records of a settings file: a marker line ("#DIRECTORY" or
// "#FILETYPE") and the value line after it. Files are opened in text mode
// by the caller; this code only writes and reads the lines.
#include <cstdio>
#include <string>
#include <vector>

namespace settingsfile {

extern const char DirectoryMarker[];  // "#DIRECTORY"
extern const char FileTypeMarker[];   // "#FILETYPE"

// Writes one record per value, in order; false when any write failed.
bool WriteRecords(std::FILE* file, const char* marker, const std::vector<std::string>& values);

// One pass from the current position to the end: the value line after
// every line that begins with `marker`. A marker on the last line has no
// value and ends the pass.
std::vector<std::string> ReadValues(std::FILE* file, const std::string& marker);

}  // namespace settingsfile
