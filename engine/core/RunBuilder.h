#pragma once
// Cuts the files, taken in order of ascending length, into runs of equal
// length, and the progress step that the engine's phases share.
#include <cstdint>
#include <vector>

namespace engine {

class RunBuilder {
public:
    // The next file: it joins the current run when its length is the run's,
    // and starts a new run otherwise.
    void Add(std::uint64_t length);
    // The number of files in each run, in order, followed by `endMark`.
    std::vector<int> Lengths(int endMark) const;

private:
    std::vector<int> lengths_;
    std::uint64_t runLength_ = 0;
};

// How many items a progress bar moves by at once: a hundredth of `count`,
// at least 1.
int ProgressStep(int count);

}  // namespace engine
