#include "engine/ExcludedFolders.h"

#include "engine/core/CollectionRules.h"
#include "platform/WidePath.h"

#include <algorithm>
#include <numeric>

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

void ExcludedFolders::UncoverCutOff(const std::vector<std::wstring>& chosen, std::vector<bool>& covered) const {
    if (patterns_.empty() && paths_.empty()) return;
    std::vector<std::wstring> folded;
    folded.reserve(chosen.size());
    for (const std::wstring& folder : chosen) folded.push_back(Folded(folder));
    // The folders around one are decided before it, the shortest first, so
    // that each covered folder is judged against the nearest walked one
    // around it.
    std::vector<std::size_t> order(chosen.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return chosen[a].size() < chosen[b].size(); });
    for (std::size_t at : order) {
        if (!covered[at]) continue;
        std::size_t nearest = chosen.size();
        for (std::size_t other = 0; other < chosen.size(); ++other) {
            const bool around = !covered[other] && folded[other].size() < folded[at].size() &&
                                folded[at].compare(0, folded[other].size(), folded[other]) == 0;
            if (around && (nearest == chosen.size() || folded[other].size() > folded[nearest].size())) nearest = other;
        }
        // A folder covered by another text of itself or through a link is
        // none of these: it stays covered.
        if (nearest < chosen.size() && CutsOff(chosen[nearest], chosen[at])) covered[at] = false;
    }
}

bool ExcludedFolders::CutsOff(const std::wstring& top, const std::wstring& folder) const {
    for (std::size_t start = top.size(); start < folder.size();) {
        const std::size_t end = folder.find(L'\\', start);
        if (end == std::wstring::npos) break;
        if (ExcludesSubfolder(folder.substr(0, start), std::wstring_view(folder).substr(start, end - start)))
            return true;
        start = end + 1;
    }
    return false;
}
