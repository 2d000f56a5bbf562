#include "engine/CoveredFolders.h"

#include "platform/FileIdentities.h"
#include "platform/UniqueHandle.h"
#include "platform/WidePath.h"

#include <map>
#include <optional>
#include <utility>

namespace {
using Key = std::pair<std::uint32_t, std::uint64_t>;

Key KeyOf(const FileId& id) { return {id.volume, id.index}; }

UniqueFile OpenFolder(const std::wstring& path) {
    return UniqueFile(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The system's name of an object ("\??\C:\a" or "\Device\...\a") as a path
// the file functions take.
std::wstring PathOfSystemName(const std::wstring& name) {
    if (name.compare(0, 4, L"\\??\\") == 0) return L"\\\\?\\" + name.substr(4);
    return L"\\\\?\\GLOBALROOT" + name;
}

class FolderChains {
public:
    // The identities of the folder and of every folder above where it
    // really lies (links resolved), the folder's own first; nothing when
    // the folder itself cannot be identified.
    std::vector<FileId> Of(const std::wstring& folder) {
        const std::wstring name = identities_.ResolvedNameOf(OpenFolder(widepath::ForFileSystem(folder)).Get());
        if (name.empty()) return {};
        const std::wstring path = widepath::WithBackslash(PathOfSystemName(name));
        std::vector<FileId> chain;
        // Each folder of the path, the deepest first, with its backslash.
        for (std::size_t end = path.size(); end > 4; end = path.rfind(L'\\', end - 2) + 1) {
            const std::optional<FileId> id = IdOf(path.substr(0, end));
            if (id) chain.push_back(*id);
            else if (chain.empty()) return {};
        }
        return chain;
    }

private:
    std::optional<FileId> IdOf(const std::wstring& folder) {
        const auto known = known_.find(folder);
        if (known != known_.end()) return known->second;
        std::optional<FileId> id;
        const UniqueFile handle = OpenFolder(folder);
        // Named with its final backslash: a folder may be the root of a
        // volume mounted there, which is not the volume of its parent.
        if (handle.Valid()) id = identities_.Of(handle.Get(), folder);
        known_.emplace(folder, id);
        return id;
    }

    FileIdentities identities_;
    std::map<std::wstring, std::optional<FileId>> known_;  // shared folders above are asked once
};
}  // namespace

std::vector<bool> CoveredFolders::Of(const std::vector<std::wstring>& folders) {
    FolderChains chains;
    std::vector<std::vector<FileId>> chainOf;
    std::map<Key, std::size_t> firstChosen;  // a folder's identity, and where it is chosen first
    for (std::size_t at = 0; at < folders.size(); ++at) {
        chainOf.push_back(chains.Of(folders[at]));
        if (!chainOf.back().empty()) firstChosen.emplace(KeyOf(chainOf.back().front()), at);
    }
    std::vector<bool> covered(folders.size(), false);
    for (std::size_t at = 0; at < folders.size(); ++at) {
        const std::vector<FileId>& chain = chainOf[at];
        if (chain.empty()) continue;
        if (firstChosen.at(KeyOf(chain.front())) != at) {
            covered[at] = true;
            continue;
        }
        for (std::size_t above = 1; above < chain.size() && !covered[at]; ++above)
            covered[at] = firstChosen.count(KeyOf(chain[above])) != 0;
    }
    return covered;
}
