#pragma once
// An owner-drawn list box with a tick box in front of every line. The object
// keeps every line's state, the caller's data and the tick, in one array kept
// in step with the control's lines, so that a no-data list box (LBS_NODATA,
// which holds nothing per line) of a million lines costs a few bytes a line;
// LB_GETITEMDATA and LB_SETITEMDATA sent to the control reach the caller's
// data, so the list reads like any list box. A click on a line's box toggles
// it; the space bar toggles the selected lines, and the parent then gets
// the notification ChecksChanged. A disabled line's box is drawn grey and
// is never ticked, by the user or by the program. The caller's data is
// handed back for release when the control deletes a line, and Detach gives
// the lines their caller's data back.
#include "platform/ExceptionBarrier.h"
#include "platform/OwnerDrawnControl.h"
#include "platform/Window.h"

#include <cstdint>
#include <vector>

class CheckListBox : public ListBox, public OwnerDrawnControl {
public:
    CheckListBox() = default;
    ~CheckListBox() override;
    CheckListBox(const CheckListBox&) = delete;
    CheckListBox& operator=(const CheckListBox&) = delete;

    // Takes over the control: subclasses it and sets the line height for
    // its window's DPI.
    void Attach(HWND control);
    void Detach();

    // Sent to the parent (WM_COMMAND) after the user ticked or unticked lines.
    static constexpr int ChecksChanged = 40;

    int GetCheck(int line) const;
    // The caller's data of a line, or 0: read in place, without a message,
    // for passes over every line.
    LPARAM LineData(int line) const;
    // A line's state: the caller's data, the tick, and whether its box is
    // enabled (a disabled line is never ticked).
    struct LineState {
        LPARAM data = 0;
        std::uint8_t check = 0;
        bool enabled = true;
    };
    // Appends lines without text, in these states, and returns the first of
    // them, or the control's refusal (then none is appended). A no-data
    // list learns only its new count, in one step: line by line, every line
    // costs a message and the control's own work. The new lines are drawn
    // with the list's next drawing, as any added line.
    int AppendLines(const std::vector<LineState>& states);
    void SetCheck(int line, int check) const;
    // Ticks line k when checks[k] is set and unticks it otherwise, for the
    // lines both have; the list is drawn again once. True when a tick changed.
    bool SetChecks(const std::vector<bool>& checks) const;
    // A disabled line is unticked and stays so.
    void EnableLine(int line, bool enabled) const;
    bool IsLineEnabled(int line) const;
    // The line under a point of the client area, or -1.
    int LineAt(int x, int y) const;
    // Removes the lines, given in ascending order, in one step: a no-data
    // list is given its new count, which costs nothing per line.
    void RemoveLines(const std::vector<int>& lines);
    // Every line's data becomes 0, without release: for a caller that freed
    // what the data named.
    void DropLineData() const;

    // The part of a line right of its box, where the derived class draws.
    int BoxWidth() const;
    // The side of the tick box.
    int BoxSide() const;
    // Draws at `dpi` from now on: the box, the line height and what the
    // derived class measures scale with it. The window's DPI after Attach.
    void SetDpi(int dpi);
    int Dpi() const { return dpi_; }

protected:
    // Draws the text part of a line: `item.rcItem` starts right of the box
    // and `item.itemData` is the caller's data of the line.
    virtual void DrawItem(DRAWITEMSTRUCT& item);
    virtual void MeasureItem(MEASUREITEMSTRUCT& item);
    // The control is deleting a line whose caller's data is still attached
    // (a deleted string, an emptied or destroyed control): the derived class
    // releases what the data owns.
    virtual void ReleaseLineData(LPARAM) {}

private:
    void OnDrawItem(DRAWITEMSTRUCT& item) override;
    void OnDeleteItem(DELETEITEMSTRUCT&) override {}

    LineState* State(int line) const;
    bool NoData() const;
    // Releases the data of the lines from `first` on and forgets them.
    void ReleaseFrom(std::size_t first);
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const;
    int BoxAt(int x, int y) const;
    void Toggle(int line) const;
    void ToggleSelected() const;
    void NotifyChecksChanged() const;
    void InvalidateLine(int line) const;
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Asks the derived class for the line height and sets it.
    void ApplyLineHeight();

    WNDPROC original_ = nullptr;
    // One per line of the control, mutable as the lines' item data is: a
    // const list still answers LB_SETITEMDATA.
    mutable std::vector<LineState> lines_;
    int dpi_ = 96;
    ExceptionBarrier barrier_;
};
