#include "review/DirectNames.h"

#include "platform/WidePath.h"

bool DirectNames::IsReachedDirectly(const HeldFile& file) {
    const FilePath folder = widepath::FolderOf(file.Path());
    auto resolved = resolvedFolders_.find(folder);
    if (resolved == resolvedFolders_.end()) {
        const HeldFile look(folder, HeldFile::Use::Look);
        const FilePath name = look.FinalPath();
        if (name.empty()) return false;
        resolved = resolvedFolders_.emplace(folder, widepath::WithBackslash(name)).first;
    }
    const FilePath name = file.FinalPath();
    return !name.empty() && name == resolved->second + widepath::NameOf(file.Path());
}
