#include "engine/PacedProgressBar.h"

void PacedProgressBar::SetRange(int low, int high) {
    low_ = low;
    high_ = high;
    rangeShown_ = false;
}

void PacedProgressBar::SetPos(int position) {
    if (GetTickCount64() - lastMove_ < intervalMs_) return;
    ShowPos(position);
}

void PacedProgressBar::ShowPos(int position) {
    lastMove_ = GetTickCount64();
    if (!rangeShown_) {
        bar_.SetRange(low_, high_);
        rangeShown_ = true;
        shown_ = bar_.Pos();  // the control keeps its position inside the range
    }
    if (Clamped(position) == shown_) return;
    bar_.SetPos(position);
    shown_ = Clamped(position);
}

int PacedProgressBar::Clamped(int position) const {
    if (position < low_) return low_;
    if (position > high_) return high_;
    return position;
}
