#pragma once
// Compares the runs of a job on worker threads, two runs at a time, so that
// files are opened, read and compared while the window's thread draws what
// was found and answers its user. Under Wine every open is a round trip to
// the wineserver, and one reader left both cores idle a third of the time; two
// keep the disk and the cores busy (runs of files of one block, whose work is
// mostly those round trips, are compared one at a time). The window's thread
// takes the runs' outcomes in run order, answers the questions about files
// that cannot be opened in that order too (a worker waits for the answer,
// with every file of its run closed), and ends the workers by End, which
// they heed after the file or block they are reading. A worker's failure
// stops both and is raised by End on the window's thread once both have
// ended.
#include "engine/GatheredFileList.h"
#include "engine/WorkerRunFiles.h"
#include "engine/core/RunComparison.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

class ComparisonWorkers {
public:
    // A run of two or more files: its first file's position in the table.
    struct Run {
        std::size_t first;
        std::size_t length;
    };
    // What a run's comparison found, with the index each file had when it
    // was opened (meaningful for the members of its groups; empty without).
    struct Outcome {
        engine::RunResult result;
        std::vector<std::uint64_t> openedIndexes;
    };
    enum class Event { Nothing, Outcome, Question, Failed };

    // Starts comparing `runs` of `files`, whose files each worker gets from
    // `open`. The files must stay as they are and outlive the object. A
    // thread is refused only when memory is gone: std::bad_alloc.
    ComparisonWorkers(const GatheredFileList& files, std::vector<Run> runs, WorkerRunFiles::Opener open);
    // Stops the workers and waits for them, without raising their failure.
    ~ComparisonWorkers();
    ComparisonWorkers(const ComparisonWorkers&) = delete;
    ComparisonWorkers& operator=(const ComparisonWorkers&) = delete;

    // What run `run` (its place in the runs given) needs of the window's
    // thread: its outcome, or else the display text of a file of it that
    // could not be opened, to be reported before Answer(run) lets its
    // worker go on. Failed: a worker failed, and End raises it.
    Event Poll(std::size_t run, Outcome& outcome, std::string& failedPath);
    void Answer(std::size_t run);
    // Files decided so far in run `run`.
    std::size_t Decided(std::size_t run);
    // Waits until a worker asks, fails or has compared every run, or a
    // message arrives for this thread (input, posted or sent; a paint or a
    // timer waits for the caller's next look), at most `milliseconds`; true
    // when a message arrived. Other outcomes are found by Poll after the wait.
    bool WaitForNews(DWORD milliseconds) const;
    // Bytes read so far: all of them once the workers have ended.
    std::uint64_t BytesRead() const { return bytesRead_.load(); }
    // Stops the workers after the file or block they are reading and waits
    // for them to end, calling `pump` at least every PumpIntervalMs so that
    // the window answers meanwhile; then raises what ended a worker.
    void End(const std::function<void()>& pump);

    static constexpr DWORD PumpIntervalMs = 10;

private:
    class Lock;
    class Progress;
    class AskingFiles;

    static constexpr std::size_t WorkerCount = 2;

    static unsigned __stdcall ThreadStart(void* workers);
    void Stop();
    // Stops the workers and waits for them, handing over nothing.
    void Join();
    // True when every worker has ended; waits at most `milliseconds` for
    // each, and not at all once a message arrives.
    bool WaitForEnd(DWORD milliseconds) const;
    void Work();
    // Takes the next run, waiting while it is one of files of one block and
    // the other worker holds those; `holdsShortRuns` is the worker's own.
    bool NextRun(std::size_t& run, bool& holdsShortRuns);
    // True for a run of files of one block or less.
    bool ShortFiles(std::size_t run) const;
    void CompareRun(std::size_t run, std::vector<unsigned char>& blocks);
    // Blocks the worker until the question about `path` is answered.
    void Ask(std::size_t run, const std::string& path);
    void SetDecided(std::size_t run, std::size_t decided);

    const GatheredFileList& files_;
    const std::vector<Run> runs_;
    const WorkerRunFiles::Opener open_;
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> bytesRead_{0};

    // Shared between the threads, under lock_.
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE answered_ = CONDITION_VARIABLE_INIT;
    std::size_t nextRun_ = 0;
    bool shortRunsHeld_ = false;  // by one worker, which alone takes them
    CONDITION_VARIABLE shortRunsFree_ = CONDITION_VARIABLE_INIT;
    std::size_t compared_ = 0;  // runs whose outcome came
    std::map<std::size_t, Outcome> outcomes_;
    // At most one per run, whose worker waits until it is answered.
    struct Question {
        std::string path;
        bool taken = false;  // the window's thread is asking it
    };
    std::map<std::size_t, Question> questions_;
    std::vector<std::size_t> decided_;               // per run
    std::exception_ptr failure_;  // recorded before the stop is signalled

    UniqueKernelObject news_;  // set when a question or a failure arrives, or the last outcome
    // In places of their own, so that keeping a started thread cannot fail.
    std::array<UniqueKernelObject, WorkerCount> threads_;
};
