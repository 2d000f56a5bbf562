#pragma once
// Moves a progress bar of the view no more often than every `intervalMs`,
// except where a position must show at once (the last one of a phase).
// Under Wine every move repaints the bar there and then, about 0.7 ms, so
// a move per run of files would cost more than the comparison itself, for
// changes faster than anyone can see. A new range reaches the bar with the
// next position shown, as changing it makes the bar draw itself again too.
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

    SearchView& view_;
    SearchView::Bar bar_;
    std::uint64_t intervalMs_;
    std::uint64_t lastMove_ = 0;
    int low_ = 0;
    int high_ = 100;
    bool rangeShown_ = true;
    int shown_ = -1;  // unknown until the first move
};
