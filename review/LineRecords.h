#pragma once
// What the candidate list keeps of its lines' files. A result may list
// millions of lines in a 32-bit process, so a line's file is not copied: its
// record names the file by its number in the table of the comparison that
// found it, which the records keep alive, and adds only what the comparison
// learnt (which file it read) and what the line shows (group, colours,
// protection). Records are only added, and go all at once: a removed line
// leaves its record behind until then.
#include "engine/FileInfo.h"
#include "engine/GatheredFileList.h"
#include "engine/core/FileTable.h"

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct LineDisplay {
    COLORREF firstColour;   // text when not selected
    COLORREF secondColour;  // background when not selected
};

// A line's file: file `index` of `files`, and which file the comparison read.
struct LineFile {
    std::shared_ptr<const engine::FileTable> files;
    int index = 0;
    std::optional<FileId> id;
};

// A line's record as its readers get it, with the file's full path.
struct LineRecord {
    int group = 0;
    LineDisplay display{};
    FileInfo file;  // what the collection and the comparison recorded
    // In a folder the user protects: never ticked, never deleted.
    bool protectedCopy = false;
};

class LineRecords {
public:
    // Keeps the record of a new line; returns its number.
    int Add(const LineFile& file, LineDisplay display, int group);
    // The same for a file given whole, kept in a table of the records' own.
    int Add(const FileInfo& file, LineDisplay display, int group);
    int Count() const { return static_cast<int>(facts_.size()); }

    // Of the record numbered `number`, which must be below Count().
    LineRecord Read(int number) const;
    std::wstring Path(int number) const { return FilesOf(number).Path(At(number).file); }
    // The path as the lists show it.
    std::string Text(int number) const;
    std::uint64_t Size(int number) const { return FilesOf(number).Size(At(number).file); }
    std::int64_t LastWriteTime(int number) const { return FilesOf(number).LastWriteTime(At(number).file); }
    int Group(int number) const { return At(number).group; }
    LineDisplay Display(int number) const { return displays_[At(number).display]; }
    bool Protected(int number) const { return (At(number).flags & ProtectedCopy) != 0; }
    void Protect(int number) { At(number).flags |= ProtectedCopy; }

    // Frees every record, and the tables once no one else holds them.
    void Clear();

private:
    // Of a record's file, which file was read, packed to 4-byte words: a
    // line costs its record and the list's state only.
    struct Facts {
        std::uint32_t volume;
        std::uint32_t idLow;
        std::uint32_t idHigh;
        std::uint32_t file;   // in its table
        std::uint32_t table;
        std::int32_t group;
        std::uint16_t display;
        std::uint8_t flags;
    };
    static constexpr std::uint8_t Identified = 1;
    static constexpr std::uint8_t ProtectedCopy = 2;

    const Facts& At(int number) const { return facts_[static_cast<std::size_t>(number)]; }
    Facts& At(int number) { return facts_[static_cast<std::size_t>(number)]; }
    const engine::FileTable& FilesOf(int number) const { return *tables_[At(number).table]; }
    std::uint16_t DisplayNumber(LineDisplay display);

    std::vector<std::shared_ptr<const engine::FileTable>> tables_;
    std::shared_ptr<GatheredFileList> own_;  // for files given whole, also in tables_
    std::vector<LineDisplay> displays_;      // the few colour pairs in use
    std::deque<Facts> facts_;
};
