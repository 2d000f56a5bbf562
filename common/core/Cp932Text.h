#pragma once
// Text and path routines for cp932 (Shift-JIS) byte strings. A double-byte
// character (a lead byte 0x81-0x9F or 0xE0-0xFC and the byte after it) is
// always one unit: its second byte never matches a single-byte search, and
// "without regard to case" folds only the single-byte letters A to Z.
#include <cstddef>
#include <string>
#include <vector>

namespace cp932 {

bool IsLeadByte(unsigned char byte);

// True when the byte at `index` is a lead byte; false outside the text.
bool IsDoubleByteLead(const std::string& text, std::size_t index);

// Position of the last `c` that is a character of its own, or npos.
std::size_t FindLast(const std::string& text, char c);

// Position of the first occurrence of `needle` that starts on a character,
// or npos; with `ignoreCase`, A-Z and a-z compare equal.
std::size_t Find(const std::string& text, const std::string& needle, bool ignoreCase = false);

// From the last "." to the end; else after the last "\"; else the text.
std::string ExtensionOf(const std::string& path);

// After the last "\"; the whole path when there is none.
std::string NameOf(const std::string& path);

// Up to and with the last "\"; ".\" (the current folder) when there is
// none.
std::string FolderOf(const std::string& path);

// A-Z become a-z; double-byte characters stay as they are.
std::string ToLower(const std::string& text);

// Exact comparison, and comparison ignoring the case of A-Z.
bool Equal(const std::string& a, const std::string& b, bool ignoreCase);

// The pieces that `separator` ends, in order ("a;;b;;c" gives a and b).
std::vector<std::string> SplitTerminated(const std::string& text, const std::string& separator);

// True when the last character is a backslash of its own (not the second
// byte of a double-byte character).
bool EndsWithBackslash(const std::string& path);

// The path with a final backslash, as the folder walk appends it: added
// unless the last character already is a backslash.
std::string WithBackslash(const std::string& path);

}  // namespace cp932
