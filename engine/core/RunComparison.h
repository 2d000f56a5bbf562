#pragma once
// Deciding which files of one run (files of equal length, newest first) have
// identical contents. Platform-free: the files are reached through RunFiles,
// which the program implements with Win32 files and the tests with memory.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

// Block size of every read.
constexpr std::size_t BlockSize = 80000;

// The files of one run, addressed by their index in run order.
class RunFiles {
public:
    virtual ~RunFiles() = default;
    // Number of files in the run.
    virtual std::size_t Count() const = 0;
    // The length that the collection found; every file of a run has it.
    virtual std::uint64_t Length() const = 0;
    // Opens file `file` for reading. false when it cannot be opened or is the
    // same file (volume serial and file index) as an earlier file of the run;
    // the implementation reports a failure to open to the user itself, at
    // most once per file and comparison (a second name of a file of the run
    // is none).
    virtual bool Open(std::size_t file) = 0;
    // Opens again a file that an earlier Open of this comparison opened and
    // that was closed to stay within the bound on open files. Not an open to
    // report: a failure here counts as a read failure of that file, and the
    // file is of course the same file as itself. Implementations that report
    // open failures or compare file identities in Open must override this.
    virtual bool Reopen(std::size_t file) { return Open(file); }
    // Reads up to `size` bytes at `offset` into `buffer`; returns the number
    // of bytes read (fewer than `size` only at the end of the file), or -1 on
    // a read error. Only called for an open file.
    virtual std::int64_t Read(std::size_t file, std::uint64_t offset,
                              unsigned char* buffer, std::size_t size) = 0;
    virtual void Close(std::size_t file) = 0;
};

// What the comparison tells its caller while it runs.
class RunProgress {
public:
    virtual ~RunProgress() = default;
    // Called after every file opened and every block read (the block
    // comparison) or once per candidate (the pairwise one): hands over one
    // waiting message; true when the comparison must stop (abort).
    virtual bool Interrupted() = 0;
    // `decided` files of the run are decided (in a group, alone, or failed);
    // grows with each call and ends at the run's file count. Not called for
    // a run of one file.
    virtual void Decided(std::size_t decided) = 0;
};

// Outcome of one run.
struct RunResult {
    // Groups of two or more identical files, in the order of their first
    // member; members in run order. The first member is the reference.
    std::vector<std::vector<std::size_t>> groups;
    // The run's new order: each group's members together where its
    // reference stood, every other file in its old relative place.
    std::vector<std::size_t> order;
    // True when the comparison was interrupted; groups are then empty and
    // order is the run order.
    bool interrupted = false;
    // Bytes read from the files (for the benchmark and the tests).
    std::uint64_t bytesRead = 0;
};

// Both comparisons: a file that cannot be opened takes no further part; a
// file that fails while being read, or whose length when read is not
// Length(), is different from every other file. Two files are identical only
// when every byte of both was read and equal. Open is called once per file,
// in run order (not at all for a run of one file), and every file opened is
// closed before returning.

// Reads every byte of the run at most once, in blocks of BlockSize (the last
// block first), and splits the files into classes of equal bytes (confirmed
// byte for byte). Holds at most 256 files open and 32 MB of blocks; beyond
// that it reads shorter pieces, and closes files to reopen them (Reopen)
// later. The blocks are read into `buffer`, which grows as needed and may
// serve the next run.
RunResult CompareRunByBlocks(RunFiles& files, RunProgress& progress, std::vector<unsigned char>& buffer);

// The run order after grouping, from the groups: see RunResult::order.
std::vector<std::size_t> OrderAfterGrouping(std::size_t count,
                                            const std::vector<std::vector<std::size_t>>& groups);

// Reads exactly `size` bytes of `file` at `offset` into `buffer`. With
// `atEnd` the bytes are the last ones of the file: one byte more is asked
// (the buffer must hold size + 1) so that a file that is longer than it
// should be is caught. true when exactly `size` bytes came; adds the bytes
// read to `bytesRead`.
bool ReadExactly(RunFiles& files, std::size_t file, std::uint64_t offset,
                 unsigned char* buffer, std::size_t size, bool atEnd,
                 std::uint64_t& bytesRead);

}  // namespace engine
