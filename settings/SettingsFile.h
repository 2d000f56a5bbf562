#pragma once
// Saving and loading the folder and file-type lists of the settings dialog.
// Saving goes through a temporary file beside the chosen one, which replaces
// the chosen file only when everything was written, so a failed save never
// empties or truncates a settings file that was there before.
#include <string>
#include <vector>

class CSettingsFile {
public:
    virtual ~CSettingsFile() = default;

    // False when the file could not be written completely; the chosen file
    // is then as it was and no temporary file is left behind.
    bool Save(const std::string& path, const std::vector<std::string>& folders,
              const std::vector<std::string>& fileTypes) const;

    // The values of every folder record and every file-type record, each in
    // file order; false when the file cannot be opened.
    bool Load(const std::string& path, std::vector<std::string>& folders,
              std::vector<std::string>& fileTypes) const;

    // "<file name without its folder>が開けません".
    static std::string CannotOpenMessage(const std::string& path);
};
