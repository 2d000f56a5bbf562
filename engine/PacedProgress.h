#pragma once
// Moves a progress bar of the view no more often than every `intervalMs`,
// except where a position must show at once (the last one of a phase).
// Under Wine every move repaints the bar there and then, about 0.7 ms, so
// a move per run of files would cost more than the comparison itself, for
// changes faster than anyone can see. A new range reaches the bar with the
// next position shown, as changing it makes the bar draw itself again too;
// a range and position that fill the bar exactly as far as it is filled
// already do not reach it at all (most runs are shown at their start, each
// with a range of its own, and every themed repaint under Wine costs three
// memory device contexts and about ten round trips to the server).
#include "engine/SearchView.h"

#include <cstdint>

class PacedProgress {
public:
    PacedProgress(SearchView& view, SearchView::Bar bar, std::uint64_t intervalMs = 30)
        : view_(view), bar_(bar), intervalMs_(intervalMs) {}

    // Takes effect with the next position shown.
    void SetRange(int low, int high);
    // Moves the bar when the interval has passed since its last move.
    void SetPos(int position);
    // Moves the bar now.
    void ShowPos(int position);

private:
    int Clamped(int position) const;
    // True when `position` of the latest range fills the bar as far as the
    // control is filled now.
    bool FillsAsShown(int position) const;

    SearchView& view_;
    SearchView::Bar bar_;
    std::uint64_t intervalMs_;
    std::uint64_t lastMove_ = 0;
    int low_ = 0;
    int high_ = 100;
    bool rangeShown_ = true;
    // What the control holds: unknown until the first move.
    int shownLow_ = 0;
    int shownHigh_ = 0;
    int shown_ = -1;
};
