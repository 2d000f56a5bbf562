#include "engine/core/FileTable.h"

#include <utility>

namespace engine {

int FileTable::AddFolder(std::wstring path) {
    folders_.push_back(std::move(path));
    return static_cast<int>(folders_.size() - 1);
}

void FileTable::Append(int folder, std::wstring_view name, std::uint64_t size, std::int64_t lastWriteTime) {
    if (nameBlocks_.empty() || name.size() > NameBlockUnits - usedInLastBlock_) {
        const std::size_t units = name.size() > NameBlockUnits ? name.size() : NameBlockUnits;
        nameBlocks_.reserve(nameBlocks_.size() + 1);  // so that the block below is never left unowned
        nameBlocks_.emplace_back(new wchar_t[units]);
        usedInLastBlock_ = 0;
    }
    wchar_t* block = nameBlocks_.back().get();
    name.copy(block + usedInLastBlock_, name.size());
    files_.push_back(File{size, lastWriteTime, static_cast<std::uint32_t>(folder),
                          static_cast<std::uint32_t>(nameBlocks_.size() - 1),
                          static_cast<std::uint32_t>(usedInLastBlock_), static_cast<std::uint32_t>(name.size())});
    // A long name's own block is full; the next name starts another.
    usedInLastBlock_ = name.size() > NameBlockUnits ? NameBlockUnits : usedInLastBlock_ + name.size();
}

std::wstring FileTable::Path(int index) const {
    const File& file = At(index);
    const std::wstring& folder = folders_[file.folder];
    std::wstring path;
    path.reserve(folder.size() + file.nameLength);
    path.append(folder).append(nameBlocks_[file.nameBlock].get() + file.nameAt, file.nameLength);
    return path;
}

void FileTable::Reorder(const std::vector<int>& order) {
    // Cycle by cycle, in place: a copy of the table would double its room
    // at the moment memory is fullest.
    std::vector<bool> placed(files_.size(), false);
    for (std::size_t start = 0; start < files_.size(); ++start) {
        if (placed[start]) continue;
        const File first = files_[start];
        std::size_t at = start;
        for (;;) {
            placed[at] = true;
            const std::size_t from = static_cast<std::size_t>(order[at]);
            if (from == start) break;
            files_[at] = files_[from];
            at = from;
        }
        files_[at] = first;
    }
}

void FileTable::ReleaseAll() {
    // Without allocating: this also runs when memory has run out.
    folders_.clear();
    folders_.shrink_to_fit();
    files_.clear();
    files_.shrink_to_fit();
    nameBlocks_.clear();
    nameBlocks_.shrink_to_fit();
    usedInLastBlock_ = NameBlockUnits;
}

}  // namespace engine
