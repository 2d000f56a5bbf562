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

std::string FolderWithBackslash(const std::string& folder) {
    if (folder.empty()) return folder;
    const std::size_t size = folder.size();
    if (size >= 2 && cp932::IsDoubleByteLead(folder, size - 2)) return folder + "\\";
    return folder[size - 1] == '\\' ? folder : folder + "\\";
}

}  // namespace engine
