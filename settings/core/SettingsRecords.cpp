#include "settings/core/SettingsRecords.h"

#include "common/core/Cp932Text.h"
#include "common/core/LineReader.h"

#include <algorithm>

namespace settingsfile {

const char DirectoryMarker[] = "#DIRECTORY";
const char FileTypeMarker[] = "#FILETYPE";

namespace {
const char ByteOrderMark[] = "\xEF\xBB\xBF";

bool HoldsControlCharacter(const std::string& value) {
    return std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}
}  // namespace

bool WriteRecords(std::FILE* file, const char* marker, const std::vector<std::string>& values) {
    bool written = true;
    for (const std::string& value : values) {
        if (std::fprintf(file, "%s\n%s\n", marker, value.c_str()) < 0) written = false;
    }
    return written;
}

long SkipByteOrderMark(std::FILE* file) {
    char start[3] = {};
    if (std::fread(start, 1, sizeof start, file) == sizeof start && std::equal(start, start + 3, ByteOrderMark))
        return 3;
    std::fseek(file, 0, SEEK_SET);
    return 0;
}

std::vector<std::string> ReadValues(std::FILE* file, const std::string& marker) {
    std::vector<std::string> values;
    std::string value;
    while (lines::FindLineWithPrefix(file, marker) && lines::ReadLine(file, value)) {
        if (!HoldsControlCharacter(value)) values.push_back(value);
    }
    return values;
}

std::string FolderKey(const std::string& folder) {
    const std::string key = cp932::ToLower(folder);
    return cp932::EndsWithBackslash(key) ? key.substr(0, key.size() - 1) : key;
}

}  // namespace settingsfile
