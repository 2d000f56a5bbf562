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

// Positions a file opened at its start after a UTF-8 byte-order mark, if it
// begins with one; returns that position, where the records start.
long SkipByteOrderMark(std::FILE* file);

// One pass from the current position to the end: the value line after
// every line that begins with `marker`. A marker on the last line has no
// value and ends the pass. Values holding control characters (bytes below
// 0x20) are no text a user wrote and are left out.
std::vector<std::string> ReadValues(std::FILE* file, const std::string& marker);

// Folders that differ only in the case of A-Z or in a final backslash are
// the same folder: they share this key.
std::string FolderKey(const std::string& folder);

}  // namespace settingsfile
