#include "settings/SettingsFile.h"

#include "common/core/Cp932Text.h"
#include "platform/ReplaceableFile.h"
#include "platform/WidePath.h"
#include "settings/core/SettingsRecords.h"

#include <windows.h>

#include <cstdio>
#include <memory>

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = cp932::FindLast(path, '\\');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

const char MinimumSizeMarker[] = "#MINSIZE";
const char ExcludeMarker[] = "#EXCLUDE";
const char ProtectMarker[] = "#PROTECT";

// A marker and "#UTF8" + its name, the record of a value that cp932 cannot
// write ("#UTF8DIRECTORY" for "#DIRECTORY").
settingsfile::RecordMarkers MarkersOf(const std::string& marker) { return {marker, "#UTF8" + marker.substr(1)}; }

// Exact texts as records, in their order: under `marker` in cp932 where
// cp932 writes them exactly, otherwise under its UTF-8 marker in UTF-8.
bool WriteWideRecords(std::FILE* file, const std::string& marker, const std::vector<std::wstring>& values) {
    std::vector<settingsfile::RecordValue> records;
    for (const std::wstring& value : values) {
        const bool fits = widepath::FitsCp932(value);
        records.push_back({fits ? widepath::ToCp932(value) : widepath::ToUtf8(value), !fits});
    }
    return settingsfile::WriteRecords(file, MarkersOf(marker), records);
}

// The values of both kinds of records that WriteWideRecords writes, in file
// order; an empty value, or a UTF-8 value that is no valid UTF-8, is left
// out.
std::vector<std::wstring> ReadWideValues(const settingsfile::SettingsText& text, const std::string& marker) {
    std::vector<std::wstring> values;
    for (const settingsfile::RecordValue& record : settingsfile::ReadRecords(text.text, MarkersOf(marker), text.unicode)) {
        const std::wstring value = record.utf8 ? widepath::FromUtf8(record.text) : widepath::FromCp932(record.text);
        if (!value.empty()) values.push_back(value);
    }
    return values;
}

// The first "#MINSIZE" record that holds a number of KB, or 0.
std::uint32_t ReadMinimumSize(const settingsfile::SettingsText& text) {
    for (const std::string& value : settingsfile::ReadValues(text.text, MinimumSizeMarker)) {
        const bool number = !value.empty() && value.size() <= 9 &&
                            value.find_first_not_of("0123456789") == std::string::npos;
        if (number) return static_cast<std::uint32_t>(std::stoul(value));
    }
    return 0;
}

// A file type is a cp932 pattern, kept as the file holds it; from a Unicode
// file, one that cp932 cannot write is left out.
std::vector<std::string> ReadFileTypes(const settingsfile::SettingsText& text) {
    std::vector<std::string> fileTypes;
    for (const settingsfile::RecordValue& record :
         settingsfile::ReadRecords(text.text, {settingsfile::FileTypeMarker, ""}, text.unicode)) {
        if (!record.utf8) {
            fileTypes.push_back(record.text);
            continue;
        }
        const std::wstring wide = widepath::FromUtf8(record.text);
        if (widepath::FitsCp932(wide)) fileTypes.push_back(widepath::ToCp932(wide));
    }
    return fileTypes;
}

// Writes the records into `temporaryPath`; true when every write and the
// close succeeded.
bool WriteSettings(const std::string& temporaryPath, const std::vector<std::wstring>& folders,
                   const std::vector<std::string>& fileTypes, const ScopeSettings& scope) {
    FilePointer file(std::fopen(temporaryPath.c_str(), "w"));
    if (!file) return false;
    bool written = WriteWideRecords(file.get(), settingsfile::DirectoryMarker, folders);
    written = settingsfile::WriteRecords(file.get(), settingsfile::FileTypeMarker, fileTypes) && written;
    if (scope.minimumSizeKb > 0)
        written = std::fprintf(file.get(), "%s\n%lu\n", MinimumSizeMarker,
                               static_cast<unsigned long>(scope.minimumSizeKb)) >= 0 && written;
    written = WriteWideRecords(file.get(), ExcludeMarker, scope.excludedFolders) && written;
    written = WriteWideRecords(file.get(), ProtectMarker, scope.protectedFolders) && written;
    written = std::fflush(file.get()) == 0 && !std::ferror(file.get()) && written;
    return std::fclose(file.release()) == 0 && written;
}
}  // namespace

bool CSettingsFile::Save(const std::string& path, const std::vector<std::wstring>& folders,
                         const std::vector<std::string>& fileTypes, const ScopeSettings& scope) const {
    if (!replaceable::MayReplace(widepath::FromCp932(path))) return false;
    char temporaryPath[MAX_PATH] = {};
    // Creates the (empty) temporary file, so that no other writer takes its name.
    if (!GetTempFileNameA(FolderOf(path).c_str(), "vel", 0, temporaryPath)) return false;
    if (WriteSettings(temporaryPath, folders, fileTypes, scope) &&
        MoveFileExA(temporaryPath, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporaryPath);
    return false;
}

CSettingsFile::LoadResult CSettingsFile::Load(const std::string& path, std::vector<std::wstring>& folders,
                                              std::vector<std::string>& fileTypes, ScopeSettings& scope) const {
    // Read whole and in binary: a UTF-16 file is no text for text mode.
    FilePointer file(std::fopen(path.c_str(), "rb"));
    if (!file) return LoadResult::CannotOpen;
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) return LoadResult::CannotOpen;
    if (attributes.nFileSizeHigh != 0 || attributes.nFileSizeLow > static_cast<DWORD>(MaxFileBytes))
        return LoadResult::TooLarge;
    std::string bytes;
    char block[4096];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, file.get())) > 0;) bytes.append(block, got);
    const settingsfile::SettingsText text = settingsfile::DecodeFile(bytes);
    folders = ReadWideValues(text, settingsfile::DirectoryMarker);
    fileTypes = ReadFileTypes(text);
    scope.minimumSizeKb = ReadMinimumSize(text);
    scope.excludedFolders = ReadWideValues(text, ExcludeMarker);
    scope.protectedFolders = ReadWideValues(text, ProtectMarker);
    return LoadResult::Loaded;
}

std::string CSettingsFile::CannotOpenMessage(const std::string& path) {
    return cp932::NameOf(path) + "が開けません";
}

std::string CSettingsFile::TooLargeMessage(const std::string& path) {
    return cp932::NameOf(path) + "は設定ファイルとしては大きすぎるため読み込めません (1 MB まで)";
}
