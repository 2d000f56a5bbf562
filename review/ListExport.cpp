#include "review/ListExport.h"

#include "common/core/Cp932Text.h"
#include "platform/LocalClock.h"
#include "platform/ReplaceableFile.h"
#include "platform/UniqueHandle.h"
#include "platform/WidePath.h"
#include "review/core/CsvText.h"
#include "review/core/ReviewTexts.h"

#include <windows.h>

#include <vector>

namespace {

// Written in pieces of about a megabyte, so that a long list is not held
// twice in memory.
class FileWriter {
public:
    explicit FileWriter(HANDLE file) : file_(file) {}
    bool Add(const std::string& text) {
        buffer_ += text;
        return buffer_.size() < (1u << 20) || Flush();
    }
    bool Flush() {
        DWORD written = 0;
        const bool whole = buffer_.empty() ||
                           (WriteFile(file_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &written, nullptr) &&
                            written == buffer_.size());
        buffer_.clear();
        return whole;
    }

private:
    HANDLE file_;
    std::string buffer_;
};

bool WriteList(const CCandidateList& list, HANDLE file) {
    FileWriter writer(file);
    bool written = writer.Add("\xEF\xBB\xBF") &&
                   writer.Add(csvtext::Record({u8"組", u8"サイズ (バイト)", u8"更新日時", u8"チェック", u8"パス"}));
    LocalClock clock;
    const int count = list.Count();
    for (int line = 0; written && line < count; ++line) {
        const auto record = list.Line(line);
        if (!record) continue;
        CivilTime local;
        clock.ToLocal(record->file.lastWriteTime, local);
        written = writer.Add(csvtext::Record({std::to_string(record->group + 1), std::to_string(record->file.size),
                                              reviewtext::FullTime(local), list.GetCheck(line) == 1 ? "1" : "0",
                                              widepath::ToUtf8(record->file.path)}));
    }
    return written && writer.Flush() && FlushFileBuffers(file);
}

}  // namespace

CListExport::Result CListExport::Save(const CCandidateList& list, const std::wstring& path) {
    if (replaceable::IsReadOnly(path)) return Result::ReadOnly;
    const std::wstring full = widepath::FullPath(path);
    const std::wstring target = widepath::ForFileSystem(full);
    wchar_t temporary[MAX_PATH] = {};
    // Creates the temporary file, empty, so that no other writer takes its name.
    if (!GetTempFileNameW(widepath::FolderOf(full).c_str(), L"vel", 0, temporary)) return Result::Failed;
    UniqueFile file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    bool saved = file.Valid() && WriteList(list, file.Get());
    file.Reset();  // closed before it moves into place
    saved = saved && MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!saved) DeleteFileW(temporary);
    return saved ? Result::Saved : Result::Failed;
}

std::string CListExport::ReadOnlyMessage(const std::string& path) { return cp932::NameOf(path) + "が開けません"; }

std::string CListExport::FailureMessage(const std::string& path) {
    return path + " に一覧を保存できませんでした\n同じ名前のファイルがあれば、元のまま残っています";
}
