#include "review/DirectNames.h"

#include "common/core/Cp932Text.h"

bool DirectNames::IsReachedDirectly(const HeldFile& file) {
    const FilePath folder = cp932::FolderOf(file.Path());
    auto resolved = resolvedFolders_.find(folder);
    if (resolved == resolvedFolders_.end()) {
        const HeldFile look(folder, HeldFile::Use::Look);
        const FilePath name = look.FinalPath();
        if (name.empty()) return false;
        resolved = resolvedFolders_.emplace(folder, cp932::WithBackslash(name)).first;
    }
    const FilePath name = file.FinalPath();
    return !name.empty() && name == resolved->second + cp932::NameOf(file.Path());
}
