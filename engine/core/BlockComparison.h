#pragma once
// The block comparison of one run. All files start in one class of equal
// bytes; the next block of every member of a class is read, and the class is
// split by the bytes found (bucketed by a hash, confirmed byte for byte). A
// file alone in its class is decided; a class that reaches the end of the
// files with two or more members is a group. The last block is read first,
// since files of equal length that differ often differ at the end.
// Every byte is read at most once.
#include "engine/core/RunComparison.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

// How much the comparison may hold at once.
struct BlockComparisonLimits {
    std::size_t maxOpenFiles = 256;
    // Blocks of one class read side by side; a class too large for whole
    // blocks is read in shorter pieces.
    std::size_t maxBufferBytes = 32u * 1024u * 1024u;

    // Each one's share when `comparisons` runs are compared at once within
    // the bounds of one.
    BlockComparisonLimits SharedBy(std::size_t comparisons) const {
        return {maxOpenFiles / comparisons, maxBufferBytes / comparisons};
    }
};

class BlockComparison {
public:
    // `buffer` holds the blocks read; it is the caller's, so that one buffer
    // serves every run of a comparison and its pages are touched only once.
    BlockComparison(RunFiles& files, RunProgress& progress, std::vector<unsigned char>& buffer,
                    BlockComparisonLimits limits = BlockComparisonLimits());
    ~BlockComparison();
    BlockComparison(const BlockComparison&) = delete;
    BlockComparison& operator=(const BlockComparison&) = delete;

    RunResult Run();

private:
    enum class FileState { NotOpened, Open, Closed, Decided };

    // A stretch of the files read in the same step: the last block (index
    // 0), then the others from the start. `atEnd` marks the one that ends at
    // the file's end.
    struct Segment {
        std::uint64_t offset;
        std::size_t size;
        bool atEnd;
    };
    // Files whose bytes read so far are all equal, and how far they are read.
    struct EqualClass {
        std::vector<std::size_t> members;
        std::uint64_t segment = 0;
        std::size_t doneInSegment = 0;
    };

    Segment SegmentAt(std::uint64_t index) const;
    // Reads the next piece of every member and splits the class; new classes
    // that are still undecided go to `pending`. false when interrupted.
    bool Step(EqualClass& equalClass, std::vector<EqualClass>& pending);
    // Opens (the first time) or reopens `file`; false when that fails or
    // the comparison was interrupted.
    bool MakeReadable(std::size_t file);
    // Keeps one place free for the next file to open.
    void CloseIfCrowded(std::size_t file);
    void Decide(std::size_t file);
    void CloseAll();
    void CheckInterrupted();

    RunFiles& files_;
    RunProgress& progress_;
    BlockComparisonLimits limits_;
    std::uint64_t length_ = 0;
    std::uint64_t segmentCount_ = 0;
    std::vector<FileState> states_;
    std::size_t openCount_ = 0;
    std::size_t decided_ = 0;
    bool interrupted_ = false;
    std::vector<unsigned char>& pieces_;
    RunResult result_;
};

}  // namespace engine
