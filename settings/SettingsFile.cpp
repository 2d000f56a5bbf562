#include "settings/SettingsFile.h"

#include "common/core/Cp932Text.h"
#include "platform/UniqueHandle.h"
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

// Writes the records into `temporaryPath`; true when every write and the
// close succeeded.
bool WriteSettings(const std::string& temporaryPath, const std::vector<std::string>& folders,
               const std::vector<std::string>& fileTypes) {
    FilePointer file(std::fopen(temporaryPath.c_str(), "w"));
    if (!file) return false;
    bool written = settingsfile::WriteRecords(file.get(), settingsfile::DirectoryMarker, folders);
    written = settingsfile::WriteRecords(file.get(), settingsfile::FileTypeMarker, fileTypes) && written;
    written = std::fflush(file.get()) == 0 && !std::ferror(file.get()) && written;
    return std::fclose(file.release()) == 0 && written;
}
}  // namespace

bool CSettingsFile::Save(const std::string& path, const std::vector<std::string>& folders,
                         const std::vector<std::string>& fileTypes) const {
    if (!ExistingFileIsWritable(path)) return false;
    char temporaryPath[MAX_PATH] = {};
    // Creates the (empty) temporary file, so that no other writer takes its name.
    if (!GetTempFileNameA(FolderOf(path).c_str(), "vel", 0, temporaryPath)) return false;
    if (WriteSettings(temporaryPath, folders, fileTypes) &&
        MoveFileExA(temporaryPath, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporaryPath);
    return false;
}

CSettingsFile::LoadResult CSettingsFile::Load(const std::string& path, std::vector<std::string>& folders,
                                              std::vector<std::string>& fileTypes) const {
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
    return LoadResult::Loaded;
}

std::string CSettingsFile::CannotOpenMessage(const std::string& path) {
    return cp932::NameOf(path) + "が開けません";
}

std::string CSettingsFile::TooLargeMessage(const std::string& path) {
    return cp932::NameOf(path) + "は設定ファイルとしては大きすぎるため読み込めません (1 MB まで)";
}
