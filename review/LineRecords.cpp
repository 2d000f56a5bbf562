#include "review/LineRecords.h"

#include <string_view>

int LineRecords::Add(const FileInfo& file, LineDisplay display, int group) {
    // The folder keeps its final backslash, as the table wants it.
    const std::size_t split = file.path.find_last_of(L'\\') + 1;
    std::wstring folder = file.path.substr(0, split);
    auto known = folders_.find(folder);
    if (known == folders_.end()) {
        const int number = files_.AddFolder(folder);
        known = folders_.emplace(std::move(folder), number).first;
    }
    files_.Append(known->second, std::wstring_view(file.path).substr(split), file.size, file.lastWriteTime);
    facts_.push_back(Facts{file.id.value_or(FileId{}), group, display, file.id.has_value(), false});
    return Count() - 1;
}

LineRecord LineRecords::Read(int number) const {
    const Facts& facts = At(number);
    LineRecord record;
    record.group = facts.group;
    record.display = facts.display;
    record.file.size = files_.Size(number);
    record.file.lastWriteTime = files_.LastWriteTime(number);
    record.file.path = files_.Path(number);
    if (facts.identified) record.file.id = facts.id;
    record.protectedCopy = facts.protectedCopy;
    return record;
}

void LineRecords::Clear() {
    files_.ReleaseAll();
    folders_.clear();
    facts_.clear();
    facts_.shrink_to_fit();
}
