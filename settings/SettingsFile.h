#pragma once
// Saving and loading the folder and file-type lists of the settings dialog.
// Folders are exact paths: one that cp932 cannot write is kept in UTF-8
// under a marker of its own. A file saved as Unicode by an editor (UTF-16
// or UTF-8 with a byte-order mark) is read as the same records.
// Saving goes through a temporary file beside the chosen one, which replaces
// the chosen file only when everything was written, so a failed save never
// empties or truncates a settings file that was there before.
//
// The minimum size, the excluded folders and the protected folders follow as
// records whose markers a reader of folders and types alone passes over:
// "#MINSIZE" (KB), "#EXCLUDE" and "#PROTECT" with a cp932 value, or
// "#UTF8EXCLUDE" and "#UTF8PROTECT" with a UTF-8 value that cp932 cannot
// write.
#include <cstdint>
#include <string>
#include <vector>

// What a search leaves out and keeps, as the settings dialog holds it.
struct ScopeSettings {
    std::uint32_t minimumSizeKb = 0;
    std::vector<std::wstring> excludedFolders;
    std::vector<std::wstring> protectedFolders;
};

class CSettingsFile {
public:
    virtual ~CSettingsFile() = default;

    // False when the file could not be written completely; the chosen file
    // is then as it was and no temporary file is left behind.
    bool Save(const std::string& path, const std::vector<std::wstring>& folders,
              const std::vector<std::string>& fileTypes, const ScopeSettings& scope = {}) const;

    enum class LoadResult { Loaded, CannotOpen, TooLarge };
    // Settings files are small; a larger file is no settings file, and
    // filling the lists from it would keep the user waiting.
    static const long MaxFileBytes = 1024 * 1024;

    // The values of every folder record and every file-type record, each in
    // file order, and the scope records (none: an empty scope); file types
    // that cp932 cannot write are left out (a '?' in their place would
    // match other names).
    LoadResult Load(const std::string& path, std::vector<std::wstring>& folders,
                    std::vector<std::string>& fileTypes, ScopeSettings& scope) const;

    // "<file name without its folder>が開けません".
    static std::string CannotOpenMessage(const std::string& path);
    // The file was not read: it is larger than MaxFileBytes.
    static std::string TooLargeMessage(const std::string& path);
};
