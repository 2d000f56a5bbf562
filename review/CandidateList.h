#pragma once
// The tick list of deletion candidates: one line per file of every group,
// drawn in its group's colour, the reference unticked and its copies ticked.
#include "common/MessagePump.h"
#include "engine/FileInfo.h"
#include "platform/CheckListBox.h"
#include "platform/LocalClock.h"
#include "review/LineRecords.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CCandidateList : public CheckListBox {
public:
    // Frees what the close sequence has not released yet.
    ~CCandidateList() override;

    int AppendLine(int position, const std::string& text, COLORREF firstColour, COLORREF secondColour,
                   FileInfo file);
    void SetLineGroup(int line, int group);
    // Makes the line's file a protected copy: unticked, its box disabled,
    // "[保護]" shown before its path.
    void ProtectLine(int line);
    int LineGroup(int line) const;
    // The line's record, or none (a released line).
    const LineRecord* Line(int line) const { return records_.Read(line); }
    int RemoveLine(int line);
    // Removes the lines, given in ascending order, with their records; the
    // list is drawn once afterwards.
    void RemoveLines(const std::vector<int>& lines);
    void ReleaseLines();
    void ClearLines();
    int LineCount() const { return Count(); }
    // How many groups have lines in the list.
    int GroupCount() const;
    // The ticked lines and the bytes of their files.
    struct Total {
        std::uint64_t files = 0;
        std::uint64_t bytes = 0;
    };
    Total Ticked() const;
    // What the window shows of a whole result: its groups, the ticked lines
    // and their bytes, and the width of the widest line text in the list's
    // font.
    struct Survey {
        int groups = 0;
        Total ticked;
        int widestText = 0;
    };
    // One pass over every line that hands a waiting message over between
    // lines: a result of a million lines takes seconds, and the window
    // answers all the while. Ends early, with what it found so far, when
    // `stop` says so.
    Survey SurveyLines(MessagePump& pump, const std::function<bool()>& stop) const;
    // Lets the list scroll sideways to the end of its longest line, whose
    // text is `widestText` wide and starts right of the tick box and the
    // size and time columns.
    void FitHorizontalExtent(int widestText);

protected:
    void DrawItem(DRAWITEMSTRUCT& item) override;
    void MeasureItem(MEASUREITEMSTRUCT& item) override;
    void ReleaseLineData(LPARAM data) override;

private:
    // Widths in pixels of the size and the time column, each with the gap
    // after it, in the font selected into `context`, at `dpi`.
    struct Columns {
        int size;
        int time;
    };
    static Columns ColumnsIn(HDC context, int dpi);

    LineRecords records_{*this};
    LocalClock clock_;  // for the lines' times
};
