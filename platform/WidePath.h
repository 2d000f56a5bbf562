#pragma once
// Exact file names. The file system holds UTF-16 names, which cp932 cannot
// always write: the walk, the comparison, opening and deletion use the wide
// names, and only what the user reads is cp932.
#include <string>
#include <string_view>
#include <vector>

namespace widepath {

// A cp932 text (a folder the user typed) in UTF-16.
std::wstring FromCp932(const std::string& text);
// A text of the system's ANSI code page in UTF-16, as the ANSI window
// functions read it.
std::wstring FromAnsiCodePage(const std::string& text);

// The text in cp932 for display: a character that cp932 cannot write shows
// as '?', never as a look-alike letter that could read as another name.
std::string ToCp932(const std::wstring& text);
// UTF-8, for files that other programs read.
std::string ToUtf8(const std::wstring& text);
// Nothing for bytes that are no UTF-8.
std::wstring FromUtf8(const std::string& text);

// The pieces of `text` that `separator` ends, in order (a last piece
// without one is left out), as the cp932 routine splits a joined list.
std::vector<std::wstring> SplitTerminated(const std::wstring& text, const std::wstring& separator);

// True when cp932 writes the text exactly.
bool FitsCp932(const std::wstring& text);

// Path parts, as the cp932 routines give them: the folder with its final
// backslash (".\\" when there is none), the name after the last backslash,
// and the path with a final backslash.
std::wstring FolderOf(const std::wstring& path);
std::wstring NameOf(const std::wstring& path);
std::wstring WithBackslash(const std::wstring& path);

// The absolute form of a path (a typed folder may be relative), as the
// system's path rules read it.
std::wstring FullPath(const std::wstring& path);

// The form to hand the file functions: a full path that is long, or that has
// a part ending in a dot or a space (which the path rules would drop), goes
// with the \\?\ prefix, which skips those rules; any other path as it is
// (taken by value: a path made for the call goes on without a copy).
std::wstring ForFileSystem(std::wstring path);

// True when a part of the path ends in a dot or a space, which the
// system's path rules drop (so the plain path names another file).
bool HasPartEndingInDotOrSpace(const std::wstring& path);

// True when a path that the system's path rules would alter (or that is too
// long for them) needs ForFileSystem's prefix.
bool NeedsPrefix(const std::wstring& path);

// The path without a \\?\ prefix, for the programs (the shell among them)
// that take only plain paths.
std::wstring WithoutPrefix(const std::wstring& path);

// The text in the system's upper case: two names that the file system
// takes for one without regard to case read the same after it.
std::wstring Folded(std::wstring_view text);

}  // namespace widepath
