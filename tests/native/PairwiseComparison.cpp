#include "tests/native/PairwiseComparison.h"

#include <algorithm>
#include <cstring>

namespace engine {

PairwiseComparison::PairwiseComparison(RunFiles& files, RunProgress& progress) : files_(files), progress_(progress) {}

PairwiseComparison::~PairwiseComparison() { CloseAll(); }

RunResult PairwiseComparison::Run() {
    const std::size_t count = files_.Count();
    if (count < 2) {
        result_.order = OrderAfterGrouping(count, {});
        return result_;
    }
    states_.assign(count, FileState::NotOpened);
    // One byte more for the look past the end of the last block.
    referenceBlock_.resize(BlockSize + 1);
    candidateBlock_.resize(BlockSize + 1);

    for (std::size_t reference = 0; reference < count; ++reference) {
        if (!Ready(reference)) {
            continue;
        }
        std::vector<std::size_t> group{reference};
        for (std::size_t candidate = reference + 1; candidate < count; ++candidate) {
            if (states_[candidate] == FileState::Done) {
                continue;
            }
            if (progress_.Interrupted()) {
                CloseAll();
                result_.interrupted = true;
                result_.order = OrderAfterGrouping(count, {});
                return result_;
            }
            if (!Ready(candidate)) {
                continue;
            }
            const Outcome outcome = Compare(reference, candidate);
            if (outcome == Outcome::Same) {
                group.push_back(candidate);
                Decide(candidate);
            } else if (outcome == Outcome::CandidateFailed) {
                Decide(candidate);
            } else if (outcome == Outcome::ReferenceFailed) {
                break;  // the reference is different from every file now
            }
        }
        Decide(reference);
        if (group.size() > 1) {
            result_.groups.push_back(group);
        }
        progress_.Decided(decided_);
    }
    result_.order = OrderAfterGrouping(count, result_.groups);
    return result_;
}

bool PairwiseComparison::Ready(std::size_t file) {
    if (states_[file] == FileState::NotOpened) {
        if (files_.Open(file)) {
            states_[file] = FileState::Open;
        } else {
            Decide(file);
        }
    }
    return states_[file] == FileState::Open;
}

PairwiseComparison::Outcome PairwiseComparison::Compare(std::size_t reference, std::size_t candidate) {
    const std::uint64_t length = files_.Length();
    std::uint64_t offset = 0;
    for (;;) {
        const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(BlockSize, length - offset));
        const bool atEnd = offset + size == length;
        if (!ReadExactly(files_, reference, offset, referenceBlock_.data(), size, atEnd, result_.bytesRead)) {
            return Outcome::ReferenceFailed;
        }
        if (!ReadExactly(files_, candidate, offset, candidateBlock_.data(), size, atEnd, result_.bytesRead)) {
            return Outcome::CandidateFailed;
        }
        if (std::memcmp(referenceBlock_.data(), candidateBlock_.data(), size) != 0) {
            return Outcome::Different;
        }
        if (atEnd) {
            return Outcome::Same;
        }
        offset += size;
    }
}

void PairwiseComparison::Decide(std::size_t file) {
    if (states_[file] == FileState::Done) {
        return;
    }
    if (states_[file] == FileState::Open) {
        files_.Close(file);
    }
    states_[file] = FileState::Done;
    ++decided_;
}

void PairwiseComparison::CloseAll() {
    for (std::size_t file = 0; file < states_.size(); ++file) {
        if (states_[file] == FileState::Open) {
            files_.Close(file);
            states_[file] = FileState::NotOpened;
        }
    }
}

RunResult CompareRunPairwise(RunFiles& files, RunProgress& progress) {
    PairwiseComparison comparison(files, progress);
    return comparison.Run();
}

}  // namespace engine
