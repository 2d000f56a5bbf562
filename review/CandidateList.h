#pragma once
// The tick list of deletion candidates: one line per file of every group,
// drawn in its group's colour, the reference unticked and its copies ticked.
#include "engine/FileInfo.h"
#include "platform/CheckListBox.h"

#include <memory>
#include <string>

struct LineDisplay {
    std::string text;     // the file's full path
    COLORREF firstColour;   // text when not selected
    COLORREF secondColour;  // background when not selected
};

struct LineRecord {
    int group = 0;
    std::unique_ptr<LineDisplay> display;
    FileInfo file;  // length and last-write time found by the collection
};

class CCandidateList : public CheckListBox {
public:
    // Frees what the close sequence has not released yet.
    ~CCandidateList() override;

    int AppendLine(int position, const std::string& text, COLORREF firstColour, COLORREF secondColour,
                   const FileInfo& file);
    void SetLineGroup(int line, int group);
    int LineGroup(int line) const;
    // The line's record, or none (a released line).
    const LineRecord* Line(int line) const;
    int RemoveLine(int line);
    void ReleaseLines();
    void ClearLines();
    int LineCount() const { return Count(); }

protected:
    void DrawItem(DRAWITEMSTRUCT& item) override;
    void MeasureItem(MEASUREITEMSTRUCT& item) override;
    void ReleaseLineData(LPARAM data) override;

private:
    LineRecord* Record(int line) const;
    // Takes the line's record off the line; the caller owns it then.
    LineRecord* DetachRecord(int line);
};
