#pragma once
// The records of the candidate list's lines. Each line's item data is one
// LineRecord, made, read and freed only here: a line owns its record from
// Append until the line is deleted or ReleaseAll frees every record.
#include "engine/FileInfo.h"
#include "platform/CheckListBox.h"

#include <memory>
#include <string>

// The line's text, the file's full path, is the control's own copy: drawing
// reads it from there, so that no line holds it twice.
struct LineDisplay {
    COLORREF firstColour;   // text when not selected
    COLORREF secondColour;  // background when not selected
};

struct LineRecord {
    int group = 0;
    LineDisplay display{};  // kept in the record: a heap block of its own per line costs its overhead too
    FileInfo file;  // what the collection and the comparison recorded
    // In a folder the user protects: never ticked, never deleted.
    bool protectedCopy = false;
};

class LineRecords {
public:
    explicit LineRecords(CheckListBox& list) : list_(list) {}

    // Inserts a line showing `text` at `position` (-1: the end) that owns
    // `record`; returns the line's index, or the control's refusal (the
    // record then goes).
    int Append(int position, const std::string& text, std::unique_ptr<LineRecord> record) const;
    // The line's record, or none (a line whose record was released).
    LineRecord* Read(int line) const;
    // The record behind a line's data as the control hands it to drawing.
    static const LineRecord* FromData(ULONG_PTR data);
    // Frees the record of every line; the lines stay, without records.
    void ReleaseAll() const;
    // Frees the record of a line that the control is deleting.
    static void Free(LPARAM data);

private:
    CheckListBox& list_;
};
