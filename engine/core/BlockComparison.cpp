#include "engine/core/BlockComparison.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <utility>

namespace engine {

namespace {

// Up to this many pieces are sorted into classes by comparing bytes alone;
// beyond it a hash first puts them into buckets, so that many different
// pieces cost no comparisons among each other.
constexpr std::size_t FewPieces = 8;

// A hash for bucketing only: equal bytes give equal hashes. Each step is a
// bijection of the state for a given word, so pieces that differ in a single
// word always hash differently.
std::uint64_t HashBytes(const unsigned char* bytes, std::size_t size) {
    constexpr std::uint64_t Multiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = size;
    std::size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + at, 8);
        hash = (((hash << 23) | (hash >> 41)) ^ word) * Multiplier;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, bytes + at, size - at);
    return (((hash << 23) | (hash >> 41)) ^ tail) * Multiplier;
}

// Classes and groups go in the order of their first member.
bool ByFirstMember(const std::vector<std::size_t>& a, const std::vector<std::size_t>& b) {
    return a.front() < b.front();
}

// Classes of equal bytes among `count` pieces of `size` bytes laid `stride`
// bytes apart: positions in ascending order, classes by their first position.
std::vector<std::vector<std::size_t>> EqualPieces(const unsigned char* pieces, std::size_t count, std::size_t stride,
                                                  std::size_t size) {
    std::vector<std::vector<std::size_t>> classes;
    // Puts `position` into the class from `firstCandidate` on whose bytes are
    // equal to its own, or into a class of its own.
    auto place = [&](std::size_t position, std::size_t firstCandidate) {
        const unsigned char* piece = pieces + position * stride;
        for (std::size_t c = firstCandidate; c < classes.size(); ++c) {
            if (std::memcmp(pieces + classes[c].front() * stride, piece, size) == 0) {
                classes[c].push_back(position);
                return;
            }
        }
        classes.push_back({position});
    };

    if (count <= FewPieces) {
        for (std::size_t position = 0; position < count; ++position) {
            place(position, 0);
        }
        return classes;
    }

    std::vector<std::pair<std::uint64_t, std::size_t>> hashed(count);
    for (std::size_t position = 0; position < count; ++position) {
        hashed[position] = {HashBytes(pieces + position * stride, size), position};
    }
    std::sort(hashed.begin(), hashed.end());
    for (std::size_t begin = 0; begin < count;) {
        const std::size_t bucketClasses = classes.size();
        std::size_t end = begin;
        for (; end < count && hashed[end].first == hashed[begin].first; ++end) {
            place(hashed[end].second, bucketClasses);
        }
        begin = end;
    }
    std::sort(classes.begin(), classes.end(), ByFirstMember);
    return classes;
}

}  // namespace

BlockComparison::BlockComparison(RunFiles& files, RunProgress& progress, std::vector<unsigned char>& buffer,
                                 BlockComparisonLimits limits)
    : files_(files), progress_(progress), limits_(limits), pieces_(buffer) {
    limits_.maxOpenFiles = std::max<std::size_t>(limits_.maxOpenFiles, 1);
}

BlockComparison::~BlockComparison() { CloseAll(); }

RunResult BlockComparison::Run() {
    const std::size_t count = files_.Count();
    if (count >= 2) {
        length_ = files_.Length();
        segmentCount_ = length_ == 0 ? 1 : (length_ - 1) / BlockSize + 1;
        states_.assign(count, FileState::NotOpened);

        // Depth first: a class is read to its end before the next, so that
        // its files stay open and few classes wait.
        std::vector<EqualClass> pending(1);
        pending.front().members.resize(count);
        std::iota(pending.front().members.begin(), pending.front().members.end(), 0);
        std::size_t reported = 0;
        while (!pending.empty()) {
            EqualClass equalClass = std::move(pending.back());
            pending.pop_back();
            if (!Step(equalClass, pending)) {
                break;
            }
            if (decided_ > reported) {
                reported = decided_;
                progress_.Decided(decided_);
            }
        }
        CloseAll();
    }

    if (interrupted_) {
        result_.groups.clear();
        result_.interrupted = true;
    }
    std::sort(result_.groups.begin(), result_.groups.end(), ByFirstMember);
    result_.order = OrderAfterGrouping(count, result_.groups);
    return result_;
}

BlockComparison::Segment BlockComparison::SegmentAt(std::uint64_t index) const {
    if (index == 0) {
        const std::uint64_t offset = (segmentCount_ - 1) * BlockSize;
        return {offset, static_cast<std::size_t>(length_ - offset), true};
    }
    return {(index - 1) * BlockSize, BlockSize, false};
}

bool BlockComparison::Step(EqualClass& equalClass, std::vector<EqualClass>& pending) {
    const Segment segment = SegmentAt(equalClass.segment);
    const std::size_t left = segment.size - equalClass.doneInSegment;
    const std::size_t members = equalClass.members.size();
    // Each piece has room for the byte asked past the end.
    const std::size_t room = std::max<std::size_t>(limits_.maxBufferBytes / members, 2) - 1;
    const std::size_t size = std::min(left, room);
    const bool atEnd = segment.atEnd && size == left;
    const std::size_t stride = size + 1;
    const std::size_t needed = members * stride;
    if (pieces_.capacity() < needed) {
        // The pieces of earlier steps are done with: a larger buffer is
        // taken fresh, never by copying the old one over.
        const std::size_t capacity = std::max(needed, 2 * pieces_.capacity());
        pieces_ = std::vector<unsigned char>();
        pieces_.reserve(capacity);
    }
    if (pieces_.size() < needed) {
        pieces_.resize(needed);
    }

    const std::uint64_t offset = segment.offset + equalClass.doneInSegment;
    std::vector<std::size_t> readFiles;  // the members whose piece was read
    readFiles.reserve(members);
    for (std::size_t file : equalClass.members) {
        if (!MakeReadable(file)) {
            if (interrupted_) {
                return false;
            }
            continue;
        }
        unsigned char* piece = pieces_.data() + readFiles.size() * stride;
        const bool read = ReadExactly(files_, file, offset, piece, size, atEnd, result_.bytesRead);
        CheckInterrupted();
        if (interrupted_) {
            return false;
        }
        if (!read) {
            Decide(file);
            continue;
        }
        readFiles.push_back(file);
        CloseIfCrowded(file);
    }

    equalClass.doneInSegment += size;
    if (equalClass.doneInSegment == segment.size) {
        ++equalClass.segment;
        equalClass.doneInSegment = 0;
    }
    const bool finished = equalClass.segment == segmentCount_;

    const std::vector<std::vector<std::size_t>> classes = EqualPieces(pieces_.data(), readFiles.size(), stride, size);
    // Last class first onto the stack, so that the first is read next.
    for (auto positions = classes.rbegin(); positions != classes.rend(); ++positions) {
        std::vector<std::size_t> equalFiles;
        equalFiles.reserve(positions->size());
        for (std::size_t position : *positions) {
            equalFiles.push_back(readFiles[position]);
        }
        if (equalFiles.size() == 1) {
            Decide(equalFiles.front());
        } else if (finished) {
            for (std::size_t file : equalFiles) {
                Decide(file);
            }
            result_.groups.push_back(std::move(equalFiles));
        } else {
            pending.push_back({std::move(equalFiles), equalClass.segment, equalClass.doneInSegment});
        }
    }
    return true;
}

bool BlockComparison::MakeReadable(std::size_t file) {
    if (states_[file] == FileState::Open) {
        return true;
    }
    const bool opened = states_[file] == FileState::NotOpened ? files_.Open(file) : files_.Reopen(file);
    if (opened) {
        states_[file] = FileState::Open;
        ++openCount_;
    } else {
        Decide(file);  // a failed reopen is a read failure: the file drops out too
    }
    CheckInterrupted();
    return opened && !interrupted_;
}

void BlockComparison::CloseIfCrowded(std::size_t file) {
    // Closing the file just read, rather than an older one, keeps a fixed
    // set open while a large class is read round and round.
    if (openCount_ >= limits_.maxOpenFiles) {
        files_.Close(file);
        states_[file] = FileState::Closed;
        --openCount_;
    }
}

void BlockComparison::Decide(std::size_t file) {
    if (states_[file] == FileState::Open) {
        files_.Close(file);
        --openCount_;
    }
    states_[file] = FileState::Decided;
    ++decided_;
}

void BlockComparison::CloseAll() {
    for (std::size_t file = 0; file < states_.size() && openCount_ > 0; ++file) {
        if (states_[file] == FileState::Open) {
            files_.Close(file);
            states_[file] = FileState::Closed;
            --openCount_;
        }
    }
}

void BlockComparison::CheckInterrupted() {
    if (progress_.Interrupted()) {
        interrupted_ = true;
    }
}

}  // namespace engine
