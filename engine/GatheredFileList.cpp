#include "engine/GatheredFileList.h"

std::optional<FileInfo> GatheredFileList::Record(int index) const {
    if (index < 0 || index >= Count()) return std::nullopt;
    FileInfo record;
    record.size = Size(index);
    record.lastWriteTime = LastWriteTime(index);
    record.path = Path(index);
    return record;
}

void GatheredFileList::AppendPath(const std::wstring& path, std::uint64_t size, std::int64_t lastWriteTime) {
    const std::size_t cut = path.rfind(L'\\') + 1;  // 0 without a backslash
    Append(AddFolder(path.substr(0, cut)), std::wstring_view(path).substr(cut), size, lastWriteTime);
}
