#pragma once
// A unique scratch folder under the system's temporary folder, removed with
// everything in it when the object goes. Names are relative to the root and
// may hold subfolders ("a\\b\\c.txt") and Japanese text (cp932 literals).
#include <windows.h>

#include <cstdint>
#include <string>

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The root folder, without a final backslash.
    const std::string& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }

    // Creates the folder and any missing parents; returns its full path.
    std::string Folder(const std::string& relative) const;
    // Writes the bytes as the whole file (parents are created); returns the
    // full path.
    std::string WriteFile(const std::string& relative, const std::string& bytes) const;
    // A file of `length` bytes, each `fill`.
    std::string WriteFilled(const std::string& relative, std::uint64_t length, char fill = 'x') const;
    // Sets the last-write time, in seconds since 1970-01-01 00:00 UTC.
    bool SetLastWriteTime(const std::string& relative, std::int64_t seconds) const;

    // The same for names that cp932 cannot write, of any length: `relative`
    // is UTF-16 and the full path is returned as the file system holds it.
    std::wstring WriteWide(const std::wstring& relative, const std::string& bytes) const;
    static bool ExistsWide(const std::wstring& path);

    static bool Exists(const std::string& path);
    static std::string ReadFile(const std::string& path);

private:
    static void RemoveAll(const std::wstring& folder);

    std::string root_;
};
