#include "engine/core/CollectionRules.h"

#include "common/core/Cp932Text.h"

namespace engine {

bool ListsAllTypes(const std::string& fileTypes) {
    return cp932::Find(fileTypes, "*.*;;") != std::string::npos;
}

bool MatchesFileType(const std::string& path, const std::string& fileTypes) {
    const std::string entry = "*" + cp932::ExtensionOf(path) + ";;";
    return cp932::Find(fileTypes, entry, true) != std::string::npos;
}

bool MatchesNamePattern(std::wstring_view name, std::wstring_view pattern) {
    // Greedy with one step back to the last '*': linear in practice, and
    // never worse than name x pattern.
    std::size_t n = 0, p = 0;
    std::size_t starAt = std::wstring_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::wstring_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

bool IsFolderPathEntry(std::wstring_view entry) { return entry.find(L'\\') != std::wstring_view::npos; }

}  // namespace engine
