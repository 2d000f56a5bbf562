#include "settings/core/SettingsRecords.h"

#include "common/core/LineReader.h"

namespace settingsfile {

const char DirectoryMarker[] = "#DIRECTORY";
const char FileTypeMarker[] = "#FILETYPE";

bool WriteRecords(std::FILE* file, const char* marker, const std::vector<std::string>& values) {
    bool written = true;
    for (const std::string& value : values) {
        if (std::fprintf(file, "%s\n%s\n", marker, value.c_str()) < 0) written = false;
    }
    return written;
}

std::vector<std::string> ReadValues(std::FILE* file, const std::string& marker) {
    std::vector<std::string> values;
    std::string value;
    while (lines::FindLineWithPrefix(file, marker) && lines::ReadLine(file, value)) {
        values.push_back(value);
    }
    return values;
}

}  // namespace settingsfile
