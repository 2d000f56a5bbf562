#include "engine/RunProgressReport.h"

bool RunProgressReport::Interrupted() {
    pump_.PumpOne();
    return aborted_;
}

void RunProgressReport::Decided(std::size_t decided) {
    // The bar itself keeps its moves as rare as the eye can follow.
    if (decided == 0) return;
    const std::size_t count = static_cast<std::size_t>(last_ - first_) + 1;
    const std::size_t moved = decided < count ? decided : count;
    bar_.SetPos(first_ + static_cast<int>(moved) - 1);
}
