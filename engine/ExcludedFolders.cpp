#include "engine/ExcludedFolders.h"

#include "engine/core/CollectionRules.h"
#include "platform/WidePath.h"

using widepath::Folded;

ExcludedFolders::ExcludedFolders(const std::vector<std::wstring>& entries) {
    for (const std::wstring& entry : entries) {
        if (entry.empty()) continue;
        if (engine::IsFolderPathEntry(entry))
            paths_.push_back(Folded(widepath::WithBackslash(widepath::FullPath(entry))));
        else
            patterns_.push_back(Folded(entry));
    }
}

bool ExcludedFolders::ExcludesChosen(const std::wstring& folder) const {
    if (paths_.empty()) return false;
    folded_ = Folded(folder);
    for (const std::wstring& path : paths_)
        if (folded_.compare(0, path.size(), path) == 0) return true;
    return false;
}

bool ExcludedFolders::ExcludesSubfolder(const std::wstring& parent, std::wstring_view name) const {
    if (!patterns_.empty()) {
        folded_ = Folded(name);
        for (const std::wstring& pattern : patterns_)
            if (engine::MatchesNamePattern(folded_, pattern)) return true;
    }
    if (paths_.empty()) return false;
    // Only a path as long as the subfolder's can name it: what lies above
    // was judged when the walk came through there.
    const std::size_t length = parent.size() + name.size() + 1;
    bool folded = false;
    for (const std::wstring& path : paths_) {
        if (path.size() != length) continue;
        if (!folded) {
            folded_ = Folded(parent);
            folded_.append(Folded(name)).push_back(L'\\');
            folded = true;
        }
        if (folded_ == path) return true;
    }
    return false;
}
