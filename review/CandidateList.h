#pragma once
// The tick list of deletion candidates: one line per file of every group,
// drawn in its group's colour, the reference unticked and its copies ticked.
// The control is a no-data list box: a line's text, its file's path, is
// made from the line's record when it is drawn or asked for.
#include "common/MessagePump.h"
#include "engine/FileInfo.h"
#include "platform/CheckListBox.h"
#include "platform/LocalClock.h"
#include "review/LineRecords.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CCandidateList : public CheckListBox {
public:
    // Frees what the close sequence has not released yet.
    ~CCandidateList() override;

    // Appends a line for `file` in group `group`; returns the line's index,
    // or the control's refusal. The first line of a group is its reference,
    // whose path GroupText shows.
    int AppendLine(const FileInfo& file, COLORREF firstColour, COLORREF secondColour, int group);
    struct NewLine {
        LineFile file;
        COLORREF firstColour;
        COLORREF secondColour;
        int group;
        bool ticked = false;
        // A protected copy: unticked, its box disabled, "[保護]" shown
        // before its path.
        bool protectedCopy = false;
    };
    // Appends the lines in one step, as AppendLine would one by one; returns
    // the first one's index, or the control's refusal (then none is added).
    int AppendLines(const std::vector<NewLine>& lines);
    // The line's group, or -1 for a released line.
    int LineGroup(int line) const;
    // The line's record, or none (a released line).
    std::optional<LineRecord> Line(int line) const;
    // The line's text: its file's full path, or nothing for a released line.
    std::string LineText(int line) const;
    // The path of group `group`'s reference, as the group list shows it.
    std::string GroupText(int group) const;
    int RemoveLine(int line);
    // Removes the lines, given in ascending order; the list is drawn once
    // afterwards.
    void RemoveLines(const std::vector<int>& lines);
    // Frees every record; the lines stay, drawn empty, until ClearLines.
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

private:
    // Widths in pixels of the size and the time column, each with the gap
    // after it, in the font selected into `context`, at `dpi`.
    struct Columns {
        int size;
        int time;
    };
    static Columns ColumnsIn(HDC context, int dpi);

    // The number of the line's record, or -1: a line's data is that number
    // plus one, so that a line without a record holds 0.
    int RecordOf(int line) const { return RecordOfData(LineData(line)); }
    int RecordOfData(LPARAM data) const;
    // A group's first record is its reference.
    void NoteRecordOfGroup(int record, int group);

    LineRecords records_;
    std::vector<int> groupReferences_;  // the record of every group's reference, or -1
    LocalClock clock_;  // for the lines' times
};
