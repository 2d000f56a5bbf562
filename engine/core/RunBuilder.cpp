#include "engine/core/RunBuilder.h"

namespace engine {

void RunBuilder::Add(std::uint64_t length) {
    if (!lengths_.empty() && length == runLength_) {
        ++lengths_.back();
        return;
    }
    lengths_.push_back(1);
    runLength_ = length;
}

std::vector<int> RunBuilder::Lengths(int endMark) const {
    std::vector<int> lengths = lengths_;
    lengths.push_back(endMark);
    return lengths;
}

int ProgressStep(int count) {
    const int step = count / 100;
    return step > 0 ? step : 1;
}

}  // namespace engine
