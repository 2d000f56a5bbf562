#pragma once
// Whether a save may put a new file in place of the one a path names. A
// save writes a temporary file and moves it over the chosen one, and the
// move would replace a read-only file too: such a file, or a folder, is
// refused first.
#include <string>

namespace replaceable {

// True when a read-only file, or a folder, has the name.
bool IsReadOnly(const std::wstring& path);

// True when nothing has the name yet, or a file that is not read-only and
// could be opened for writing now.
bool MayReplace(const std::wstring& path);

}  // namespace replaceable
