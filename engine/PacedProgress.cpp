#include "engine/PacedProgress.h"

#include <windows.h>

void PacedProgress::SetRange(int low, int high) {
    low_ = low;
    high_ = high;
    rangeShown_ = false;
}

void PacedProgress::SetPos(int position) {
    if (GetTickCount64() - lastMove_ < intervalMs_) return;
    ShowPos(position);
}

void PacedProgress::ShowPos(int position) {
    lastMove_ = GetTickCount64();
    const int clamped = Clamped(position);
    if (!rangeShown_) {
        if (FillsAsShown(clamped)) return;
        view_.SetProgressRange(bar_, low_, high_);
        rangeShown_ = true;
        shownLow_ = low_;
        shownHigh_ = high_;
        shown_ = view_.Progress(bar_);  // the control keeps its position inside the range
    }
    if (clamped == shown_) return;
    view_.SetProgress(bar_, position);
    shown_ = clamped;
}

bool PacedProgress::FillsAsShown(int position) const {
    if (shown_ < 0 || shownHigh_ <= shownLow_ || high_ <= low_) return false;
    // The control fills the same share of its width for equal fractions:
    // compared crosswise, exactly.
    const auto part = [](int from, int to) { return static_cast<std::int64_t>(to) - from; };
    return part(low_, position) * part(shownLow_, shownHigh_) == part(shownLow_, shown_) * part(low_, high_);
}

int PacedProgress::Clamped(int position) const {
    if (position < low_) return low_;
    if (position > high_) return high_;
    return position;
}
