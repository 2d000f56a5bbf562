#include "engine/RunProgressBar.h"

bool RunProgressBar::Interrupted() {
    tools_.PumpOneMessage();
    return aborted_;
}

void RunProgressBar::Decided(std::size_t decided) {
    // About a hundred moves per run, as each costs a repaint; the bar is
    // full when every file of the run is decided.
    const std::size_t count = static_cast<std::size_t>(last_ - first_) + 1;
    const std::size_t step = count / 100 > 0 ? count / 100 : 1;
    if (decided == 0 || (decided % step != 0 && decided < count)) return;
    const std::size_t moved = decided < count ? decided : count;
    bar_.SetPos(first_ + static_cast<int>(moved) - 1);
}
