#include "review/RecycleBatch.h"

#include <utility>

void RecycleBatch::Add(int line, std::unique_ptr<HeldFile> file, std::unique_ptr<HeldFile> keptCopy) {
    entries_.push_back({line, std::move(file), std::move(keptCopy)});
}

void RecycleBatch::MoveAll(std::vector<int>& gone, std::vector<int>& failed, FileIdentities& identities) {
    std::vector<const HeldFile*> files;
    for (const Entry& entry : entries_) files.push_back(entry.file.get());
    // The shell may stop at the first file it cannot move: those after it
    // get a call of their own.
    const bool allMoved = HeldFile::MoveToRecycleBin(files);
    for (const Entry& entry : entries_) {
        bool went = entry.file->IsGone(identities);
        if (!went && !allMoved) {
            HeldFile::MoveToRecycleBin({entry.file.get()});
            went = entry.file->IsGone(identities);
        }
        (went ? gone : failed).push_back(entry.line);
    }
    entries_.clear();
}
