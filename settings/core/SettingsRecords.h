#pragma once
// The records of a settings file: a marker line ("#DIRECTORY" or
// "#FILETYPE") and the value line after it. Files are opened in text mode
// by the caller; this code only writes and reads the lines.
//
// A value that cp932 cannot write goes under a marker of its own in UTF-8
// ("#UTF8DIRECTORY"), which a reader of the cp932 records alone skips: it
// begins with no marker of theirs.
#include <cstdio>
#include <string>
#include <vector>

namespace settingsfile {

extern const char DirectoryMarker[];      // "#DIRECTORY"
extern const char FileTypeMarker[];       // "#FILETYPE"

// Writes one record per value, in order; false when any write failed.
bool WriteRecords(std::FILE* file, const char* marker, const std::vector<std::string>& values);

// A value as a file holds it: cp932 bytes, or UTF-8.
struct RecordValue {
    std::string text;
    bool utf8 = false;
};
// The two markers of one kind of value; without a UTF-8 marker, values
// come in cp932 (or as a Unicode file holds them) only.
struct RecordMarkers {
    std::string cp932;
    std::string utf8;
};
// Writes one record per value, in order, each under the marker of its
// form; false when any write failed.
bool WriteRecords(std::FILE* file, const RecordMarkers& markers, const std::vector<RecordValue>& values);

// The lines of a settings file as its records are read from them: the
// bytes after a byte-order mark of UTF-8 or UTF-16 (little- or big-endian),
// the latter in UTF-8, with CR LF read as LF; a file without a mark is read
// as text mode reads it (also up to a Ctrl+Z). `unicode` tells that the
// file had a mark: all its values are UTF-8 then.
struct SettingsText {
    std::string text;
    bool unicode = false;
};
SettingsText DecodeFile(const std::string& bytes);

// The value line after every line of `text` that begins with `marker`, in
// order. Lines are read in pieces of at most 1999 bytes, each a line of its
// own; a marker on the last line has no value and ends the pass. Values
// holding control characters (bytes below 0x20) are no text a user wrote
// and are left out.
std::vector<std::string> ReadValues(const std::string& text, const std::string& marker);
// The same pass for values kept in either form, in file order; in a
// `unicode` file both markers' values are UTF-8.
std::vector<RecordValue> ReadRecords(const std::string& text, const RecordMarkers& markers, bool unicode);

// Folders that differ only in the case of A-Z or in a final backslash are
// the same folder: they share this key. Other letters keep their case, as
// the exact names the file system holds may differ in them.
std::wstring FolderKey(const std::wstring& folder);

}  // namespace settingsfile
