#include "review/DirectNames.h"

#include "platform/WidePath.h"

bool DirectNames::IsReachedDirectly(const HeldFile& file) {
    const FilePath folder = widepath::FolderOf(file.Path());
    auto resolved = resolvedFolders_.find(folder);
    if (resolved == resolvedFolders_.end()) {
        const HeldFile look(folder, HeldFile::Use::Look);
        const FilePath name = identities_.ResolvedNameOf(look.Handle());
        if (name.empty()) return false;
        resolved = resolvedFolders_.emplace(folder, widepath::WithBackslash(name)).first;
    }
    const FilePath name = identities_.ResolvedNameOf(file.Handle());
    const FilePath own = resolved->second + widepath::NameOf(file.Path());
    if (name.empty()) return false;
    if (name == own) return true;
    // Wine resolves a name that ends in a dot or a space without that
    // ending. The shorter name, in the same folder, must then not be this
    // very file: a link with the longer name would lead to it.
    const std::size_t kept = own.find_last_not_of(L". ");
    if (kept == FilePath::npos || kept + 1 == own.size() || name != own.substr(0, kept + 1)) return false;
    const FilePath& path = file.Path();
    const HeldFile shorter(path.substr(0, path.find_last_not_of(L". ") + 1), HeldFile::Use::Look);
    if (!shorter.IsOpen()) return shorter.NamesNoFile();
    return !SameFile(identities_.Of(shorter.Handle(), shorter.Path()), identities_.Of(file.Handle(), path));
}
