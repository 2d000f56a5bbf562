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

}  // namespace engine
