#include "settings/SettingsFile.h"

#include "common/core/Cp932Text.h"
#include "platform/UniqueHandle.h"
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

// A settings file that is already there must be one that could be opened
// for writing: moving the new file over it would replace a read-only file
// too.
bool ExistingFileIsWritable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // a new file
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid();
}

const char MinimumSizeMarker[] = "#MINSIZE";
const char ExcludeMarker[] = "#EXCLUDE";
const char ProtectMarker[] = "#PROTECT";

// "#UTF8" + the marker without its "#": the record of a value that cp932
// cannot write.
std::string Utf8MarkerOf(const std::string& marker) { return "#UTF8" + marker.substr(1); }

// Exact texts as records: under `marker` in cp932 where cp932 writes them,
// otherwise under its UTF-8 marker in UTF-8.
bool WriteWideRecords(std::FILE* file, const std::string& marker, const std::vector<std::wstring>& values) {
    std::vector<std::string> cp932Values, utf8Values;
    for (const std::wstring& value : values) {
        if (widepath::FitsCp932(value)) cp932Values.push_back(widepath::ToCp932(value));
        else utf8Values.push_back(widepath::ToUtf8(value));
    }
    const bool written = settingsfile::WriteRecords(file, marker.c_str(), cp932Values);
    return settingsfile::WriteRecords(file, Utf8MarkerOf(marker).c_str(), utf8Values) && written;
}

std::wstring FromUtf8(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

// The values of both kinds of records that WriteWideRecords writes; a
// UTF-8 value that is no valid UTF-8 is left out.
std::vector<std::wstring> ReadWideValues(std::FILE* file, long start, const std::string& marker) {
    std::vector<std::wstring> values;
    std::fseek(file, start, SEEK_SET);
    for (const std::string& value : settingsfile::ReadValues(file, marker))
        if (!value.empty()) values.push_back(widepath::FromCp932(value));
    std::fseek(file, start, SEEK_SET);
    for (const std::string& value : settingsfile::ReadValues(file, Utf8MarkerOf(marker))) {
        const std::wstring wide = FromUtf8(value);
        if (!wide.empty()) values.push_back(wide);
    }
    return values;
}

// The first "#MINSIZE" record that holds a number of KB, or 0.
std::uint32_t ReadMinimumSize(std::FILE* file, long start) {
    std::fseek(file, start, SEEK_SET);
    for (const std::string& value : settingsfile::ReadValues(file, MinimumSizeMarker)) {
        const bool number = !value.empty() && value.size() <= 9 &&
                            value.find_first_not_of("0123456789") == std::string::npos;
        if (number) return static_cast<std::uint32_t>(std::stoul(value));
    }
    return 0;
}

// Writes the records into `temporaryPath`; true when every write and the
// close succeeded.
bool WriteSettings(const std::string& temporaryPath, const std::vector<std::string>& folders,
                   const std::vector<std::string>& fileTypes, const ScopeSettings& scope) {
    FilePointer file(std::fopen(temporaryPath.c_str(), "w"));
    if (!file) return false;
    bool written = settingsfile::WriteRecords(file.get(), settingsfile::DirectoryMarker, folders);
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

bool CSettingsFile::Save(const std::string& path, const std::vector<std::string>& folders,
                         const std::vector<std::string>& fileTypes, const ScopeSettings& scope) const {
    if (!ExistingFileIsWritable(path)) return false;
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

CSettingsFile::LoadResult CSettingsFile::Load(const std::string& path, std::vector<std::string>& folders,
                                              std::vector<std::string>& fileTypes, ScopeSettings& scope) const {
    FilePointer file(std::fopen(path.c_str(), "r"));
    if (!file) return LoadResult::CannotOpen;
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) return LoadResult::CannotOpen;
    if (attributes.nFileSizeHigh != 0 || attributes.nFileSizeLow > static_cast<DWORD>(MaxFileBytes))
        return LoadResult::TooLarge;
    const long start = settingsfile::SkipByteOrderMark(file.get());
    folders = settingsfile::ReadValues(file.get(), settingsfile::DirectoryMarker);
    std::fseek(file.get(), start, SEEK_SET);
    fileTypes = settingsfile::ReadValues(file.get(), settingsfile::FileTypeMarker);
    scope.minimumSizeKb = ReadMinimumSize(file.get(), start);
    scope.excludedFolders = ReadWideValues(file.get(), start, ExcludeMarker);
    scope.protectedFolders = ReadWideValues(file.get(), start, ProtectMarker);
    return LoadResult::Loaded;
}

std::string CSettingsFile::CannotOpenMessage(const std::string& path) {
    return cp932::NameOf(path) + "が開けません";
}

std::string CSettingsFile::TooLargeMessage(const std::string& path) {
    return cp932::NameOf(path) + "は設定ファイルとしては大きすぎるため読み込めません (1 MB まで)";
}
