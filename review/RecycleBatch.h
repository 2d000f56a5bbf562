#pragma once
// Files bound for the Recycle Bin, moved there by one shell call for many
// of them: a call per file costs milliseconds of its own under Wine. Every
// file and the kept copy that vouches for it stay held until the shell has
// moved it.
#include "review/HeldFile.h"

#include <cstddef>
#include <memory>
#include <vector>

class RecycleBatch {
public:
    static constexpr std::size_t Capacity = 64;

    // `keptCopy` may be none (every line of the group is ticked).
    void Add(int line, std::unique_ptr<HeldFile> file, std::unique_ptr<HeldFile> keptCopy);
    bool IsFull() const { return entries_.size() >= Capacity; }
    // Moves the files held; adds the lines of those that went to `gone` and
    // of the others to `failed`, and lets go of every file.
    void MoveAll(std::vector<int>& gone, std::vector<int>& failed, FileIdentities& identities);

private:
    struct Entry {
        int line;
        std::unique_ptr<HeldFile> file;
        std::unique_ptr<HeldFile> keptCopy;
    };

    std::vector<Entry> entries_;
};
