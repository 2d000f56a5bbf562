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
    if (!rangeShown_) {
        view_.SetProgressRange(bar_, low_, high_);
        rangeShown_ = true;
        shown_ = view_.Progress(bar_);  // the control keeps its position inside the range
    }
    if (Clamped(position) == shown_) return;
    view_.SetProgress(bar_, position);
    shown_ = Clamped(position);
}

int PacedProgress::Clamped(int position) const {
    if (position < low_) return low_;
    if (position > high_) return high_;
    return position;
}
