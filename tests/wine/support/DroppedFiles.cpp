#include "support/DroppedFiles.h"

#include <shlobj.h>

#include <cstring>

namespace {

// Fills a movable block with the header and the zero-ended names.
template <typename Char>
HDROP MakeDropOf(const std::vector<std::basic_string<Char>>& names, BOOL wide) {
    size_t size = sizeof(DROPFILES) + sizeof(Char);
    for (const auto& name : names) size += (name.size() + 1) * sizeof(Char);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = wide;
    auto* next = reinterpret_cast<Char*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES));
    for (const auto& name : names) {
        std::memcpy(next, name.c_str(), (name.size() + 1) * sizeof(Char));
        next += name.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace

namespace dropped {

HDROP MakeDrop(const std::vector<std::string>& names) { return MakeDropOf(names, FALSE); }

HDROP MakeWideDrop(const std::vector<std::wstring>& names) { return MakeDropOf(names, TRUE); }

}  // namespace dropped
