#pragma once
// The gathered files, stored as what they are: each folder's path once, and
// each file as its name, its folder, its length and its time. A search may
// gather millions of files in a 32-bit process, so a file costs its name and
// a small fixed record, and the storage grows in blocks without ever copying
// what it already holds. Names are kept exactly as the file system gave them
// (UTF-16 code units, unpaired surrogates included); a name whose units are
// all below 0x100, as most are, takes one byte a unit.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

class FileTable {
public:
    FileTable() = default;
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;
    FileTable(FileTable&&) = default;
    FileTable& operator=(FileTable&&) = default;

    int Count() const { return static_cast<int>(files_.size()); }
    // Keeps a folder's full path (ending in a backslash) for the files
    // appended with the number returned.
    int AddFolder(std::wstring path);
    void Append(int folder, std::wstring_view name, std::uint64_t size, std::int64_t lastWriteTime);

    // Of the file at `index`, which must be below Count().
    std::uint64_t Size(int index) const { return At(index).size; }
    std::int64_t LastWriteTime(int index) const { return At(index).lastWriteTime; }
    std::wstring Path(int index) const;

    // Puts the file that was at order[i] at position i; `order` must be a
    // permutation of the positions. Only the fixed records move.
    void Reorder(const std::vector<int>& order);
    // Frees every file and folder, with the room they took.
    void ReleaseAll();

private:
    // Packed to 4-byte words: 28 bytes a file instead of 32.
#pragma pack(push, 4)
    struct File {
        std::uint64_t size;
        std::int64_t lastWriteTime;
        std::uint32_t folder;
        std::uint32_t name;        // its block, shifted by NameAtBits, and its byte within
        std::uint32_t nameLength;  // in units, with WideName when a unit takes a wchar_t
    };
#pragma pack(pop)
    static constexpr std::uint32_t WideName = 0x80000000u;
    // Names never straddle two blocks; a longer name than a block holds gets
    // a block of its own.
    static constexpr int NameAtBits = 16;
    static constexpr std::size_t NameBlockBytes = std::size_t{1} << NameAtBits;
    // 4 GB of names: the table is full beyond.
    static constexpr std::size_t MostNameBlocks = std::size_t{1} << (32 - NameAtBits);

    const File& At(int index) const { return files_[static_cast<std::size_t>(index)]; }

    std::deque<std::wstring> folders_;
    std::deque<File> files_;
    std::vector<std::unique_ptr<unsigned char[]>> nameBlocks_;
    std::size_t usedInLastBlock_ = NameBlockBytes;  // bytes
};

}  // namespace engine
