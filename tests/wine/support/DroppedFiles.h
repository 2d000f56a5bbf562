#pragma once
// Drops as the shell hands them over (WM_DROPFILES): a DROPFILES header
// and the names, each ended by a zero, the list by one more. The receiver
// frees the drop with DragFinish.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace dropped {

// ANSI (cp932) names.
HDROP MakeDrop(const std::vector<std::string>& names);
// UTF-16 names, as the shell hands over names that cp932 cannot write.
HDROP MakeWideDrop(const std::vector<std::wstring>& names);

}  // namespace dropped
