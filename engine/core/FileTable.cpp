#include "engine/core/FileTable.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace engine {

int FileTable::AddFolder(std::wstring path) {
    folders_.push_back(std::move(path));
    return static_cast<int>(folders_.size() - 1);
}

void FileTable::Append(int folder, std::wstring_view name, std::uint64_t size, std::int64_t lastWriteTime) {
    const bool wide = std::any_of(name.begin(), name.end(), [](wchar_t unit) { return unit > 0xFF; });
    const std::size_t bytes = wide ? name.size() * sizeof(wchar_t) : name.size();
    // A name starts within its block, also an empty one.
    if (nameBlocks_.empty() || usedInLastBlock_ == NameBlockBytes || bytes > NameBlockBytes - usedInLastBlock_) {
        if (nameBlocks_.size() == MostNameBlocks) throw std::bad_alloc();
        nameBlocks_.reserve(nameBlocks_.size() + 1);  // so that the block below is never left unowned
        nameBlocks_.emplace_back(new unsigned char[std::max(bytes, NameBlockBytes)]);
        usedInLastBlock_ = 0;
    }
    unsigned char* at = nameBlocks_.back().get() + usedInLastBlock_;
    if (wide) std::memcpy(at, name.data(), bytes);
    else std::transform(name.begin(), name.end(), at, [](wchar_t unit) { return static_cast<unsigned char>(unit); });
    files_.push_back(File{size, lastWriteTime, static_cast<std::uint32_t>(folder),
                          static_cast<std::uint32_t>(((nameBlocks_.size() - 1) << NameAtBits) | usedInLastBlock_),
                          static_cast<std::uint32_t>(name.size()) | (wide ? WideName : 0)});
    // A long name's own block is full; the next name starts another.
    usedInLastBlock_ = bytes > NameBlockBytes ? NameBlockBytes : usedInLastBlock_ + bytes;
}

std::wstring FileTable::Path(int index) const {
    const File& file = At(index);
    const std::wstring& folder = folders_[file.folder];
    const std::size_t units = file.nameLength & ~WideName;
    const unsigned char* name =
        nameBlocks_[file.name >> NameAtBits].get() + (file.name & (NameBlockBytes - 1));
    std::wstring path(folder.size() + units, L'\0');
    std::copy(folder.begin(), folder.end(), path.begin());
    wchar_t* out = &path[folder.size()];
    if (file.nameLength & WideName) std::memcpy(out, name, units * sizeof(wchar_t));
    else std::copy(name, name + units, out);
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
    usedInLastBlock_ = NameBlockBytes;
}

}  // namespace engine
