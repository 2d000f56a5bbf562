#include "review/LineRecords.h"

#include "platform/WidePath.h"

#include <utility>

int LineRecords::Add(const LineFile& file, LineDisplay display, int group) {
    // Lines come comparison by comparison: their table is mostly the last.
    if (tables_.empty() || tables_.back() != file.files) tables_.push_back(file.files);
    Facts facts{};
    if (file.id) {
        facts.volume = file.id->volume;
        facts.idLow = static_cast<std::uint32_t>(file.id->index);
        facts.idHigh = static_cast<std::uint32_t>(file.id->index >> 32);
        facts.flags = Identified;
    }
    facts.file = static_cast<std::uint32_t>(file.index);
    facts.table = static_cast<std::uint32_t>(tables_.size() - 1);
    facts.group = group;
    facts.display = DisplayNumber(display);
    facts_.push_back(facts);
    return Count() - 1;
}

int LineRecords::Add(const FileInfo& file, LineDisplay display, int group) {
    if (!own_) own_ = std::make_shared<GatheredFileList>();
    own_->AppendPath(file.path, file.size, file.lastWriteTime);
    return Add(LineFile{own_, own_->Count() - 1, file.id}, display, group);
}

std::uint16_t LineRecords::DisplayNumber(LineDisplay display) {
    for (std::size_t k = displays_.size(); k-- > 0;) {
        const LineDisplay& known = displays_[k];
        if (known.firstColour == display.firstColour && known.secondColour == display.secondColour)
            return static_cast<std::uint16_t>(k);
    }
    // More pairs than a number holds reuse the last: no caller comes near.
    if (displays_.size() > 0xFFFF) return 0xFFFF;
    displays_.push_back(display);
    return static_cast<std::uint16_t>(displays_.size() - 1);
}

std::string LineRecords::Text(int number) const { return widepath::ToCp932(Path(number)); }

LineRecord LineRecords::Read(int number) const {
    const Facts& facts = At(number);
    const engine::FileTable& files = FilesOf(number);
    LineRecord record;
    record.group = facts.group;
    record.display = displays_[facts.display];
    record.file.size = files.Size(static_cast<int>(facts.file));
    record.file.lastWriteTime = files.LastWriteTime(static_cast<int>(facts.file));
    record.file.path = files.Path(static_cast<int>(facts.file));
    if (facts.flags & Identified)
        record.file.id = FileId{facts.volume, (std::uint64_t{facts.idHigh} << 32) | facts.idLow};
    record.protectedCopy = (facts.flags & ProtectedCopy) != 0;
    return record;
}

void LineRecords::Clear() {
    // Without allocating: this also runs when memory has run out.
    facts_.clear();
    facts_.shrink_to_fit();
    tables_.clear();
    tables_.shrink_to_fit();
    own_.reset();
    displays_.clear();
}
