#pragma once
// The reference comparison of one run: each file not yet in a group, in run
// order, is compared with every later file not yet in a group, both read
// from the start. Simple and slow (quadratic in the files of a run); the
// block comparison is checked against it.
#include "engine/core/RunComparison.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

class PairwiseComparison {
public:
    PairwiseComparison(RunFiles& files, RunProgress& progress);
    ~PairwiseComparison();
    PairwiseComparison(const PairwiseComparison&) = delete;
    PairwiseComparison& operator=(const PairwiseComparison&) = delete;

    RunResult Run();

private:
    enum class FileState { NotOpened, Open, Done };
    enum class Outcome { Same, Different, ReferenceFailed, CandidateFailed };

    // Opens `file` the first time it is needed; false when it cannot be
    // opened (then or before) or is already decided.
    bool Ready(std::size_t file);
    Outcome Compare(std::size_t reference, std::size_t candidate);
    // The file's part in the run is settled: close it, count it decided.
    void Decide(std::size_t file);
    void CloseAll();

    RunFiles& files_;
    RunProgress& progress_;
    std::vector<FileState> states_;
    std::vector<unsigned char> referenceBlock_;
    std::vector<unsigned char> candidateBlock_;
    std::size_t decided_ = 0;
    RunResult result_;
};

// Every not yet grouped file in turn compared with every later one, reading
// both from the start; gives the same groups and order as the block
// comparison. Keeps the files it has opened open until they are decided.
RunResult CompareRunPairwise(RunFiles& files, RunProgress& progress);

}  // namespace engine
