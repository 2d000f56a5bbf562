#include "platform/FileDrop.h"

#include "platform/WidePath.h"

#include <shlobj.h>

namespace {

// The zero-ended names from `first` on, up to the empty one that ends the
// list or the end of the block; a name not ended within the block is left
// out.
template <typename Char>
std::vector<std::basic_string<Char>> NamesIn(const Char* first, const Char* end) {
    std::vector<std::basic_string<Char>> names;
    for (const Char* name = first; name < end;) {
        const Char* stop = name;
        while (stop < end && *stop) ++stop;
        if (stop == end || stop == name) break;
        names.emplace_back(name, stop);
        name = stop + 1;
    }
    return names;
}

}  // namespace

std::vector<std::wstring> FileDrop::Paths() const {
    std::vector<std::wstring> paths;
    const SIZE_T size = GlobalSize(drop_);
    const auto* header = static_cast<const DROPFILES*>(GlobalLock(drop_));
    if (!header) return paths;
    if (size >= sizeof(DROPFILES) && header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
        const char* names = reinterpret_cast<const char*>(header) + header->pFiles;
        const SIZE_T bytes = size - header->pFiles;
        if (header->fWide) {
            const auto* wide = reinterpret_cast<const wchar_t*>(names);
            paths = NamesIn(wide, wide + bytes / sizeof(wchar_t));
        } else {
            for (const std::string& name : NamesIn(names, names + bytes)) paths.push_back(widepath::FromAnsiCodePage(name));
        }
    }
    GlobalUnlock(drop_);
    return paths;
}
