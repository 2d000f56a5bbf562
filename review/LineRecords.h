#pragma once
// What the candidate list keeps of its lines' files. A result may list
// millions of lines in a 32-bit process, so a record is a small fixed part,
// and its file's name and folder lie in a file table that holds each folder
// once; a line holds the number of its record. Records are only added, and
// go all at once: a removed line leaves its record behind until then.
#include "engine/FileInfo.h"
#include "engine/core/FileTable.h"

#include <windows.h>

#include <deque>
#include <map>
#include <string>

struct LineDisplay {
    COLORREF firstColour;   // text when not selected
    COLORREF secondColour;  // background when not selected
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
    int Add(const FileInfo& file, LineDisplay display, int group);
    int Count() const { return static_cast<int>(facts_.size()); }

    // Of the record numbered `number`, which must be below Count().
    LineRecord Read(int number) const;
    std::wstring Path(int number) const { return files_.Path(number); }
    std::uint64_t Size(int number) const { return files_.Size(number); }
    std::int64_t LastWriteTime(int number) const { return files_.LastWriteTime(number); }
    int Group(int number) const { return At(number).group; }
    LineDisplay Display(int number) const { return At(number).display; }
    bool Protected(int number) const { return At(number).protectedCopy; }
    void SetGroup(int number, int group) { At(number).group = group; }
    void Protect(int number) { At(number).protectedCopy = true; }

    // Frees every record, with the room they took.
    void Clear();

private:
    struct Facts {
        FileId id;
        int group;
        LineDisplay display;
        bool identified;
        bool protectedCopy;
    };
    const Facts& At(int number) const { return facts_[static_cast<std::size_t>(number)]; }
    Facts& At(int number) { return facts_[static_cast<std::size_t>(number)]; }

    engine::FileTable files_;  // numbered as the records
    std::map<std::wstring, int> folders_;  // the table's number of each folder
    std::deque<Facts> facts_;
};
