#include "engine/ComparisonWorkers.h"

#include "engine/core/BlockComparison.h"

#include <process.h>

#include <new>
#include <utility>

namespace {
// What wakes the window's thread from its waits: input, posted and sent
// messages. Not a paint or a timer: the window's pump holds those back for
// some milliseconds after each repaint, and a wait that one of them ended
// would end again at once, a round trip to the wineserver each time, until
// the pump lets it pass (thousands of times in a search). The pump hands
// them over at its next look, which comes at the latest when the wait times
// out.
constexpr DWORD WakingMessages = QS_ALLINPUT & ~(QS_PAINT | QS_TIMER);
}  // namespace

class ComparisonWorkers::Lock {
public:
    explicit Lock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~Lock() { ReleaseSRWLockExclusive(&lock_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    SRWLOCK& lock_;
};

// A run's progress as its worker sees it: stopped when the window's thread
// says so, its decided files kept for that thread to show.
class ComparisonWorkers::Progress : public engine::RunProgress {
public:
    Progress(ComparisonWorkers& workers, std::size_t run) : workers_(workers), run_(run) {}
    bool Interrupted() override { return workers_.stop_.load(); }
    void Decided(std::size_t decided) override { workers_.SetDecided(run_, decided); }

private:
    ComparisonWorkers& workers_;
    std::size_t run_;
};

// A run's files as its comparison reads them. A file that did not open is
// asked about only once every other file of the run is closed: the files
// are held without sharing, and the user may take long to answer, or want
// to close another program's hold on one of them. The closed files open
// again, unreported, when next read; one that cannot counts as a failed read.
class ComparisonWorkers::AskingFiles : public engine::RunFiles {
public:
    AskingFiles(ComparisonWorkers& workers, std::size_t run)
        : workers_(workers), run_(run),
          files_(workers.open_(workers.files_, workers.runs_[run].first, workers.runs_[run].length,
                               workers.files_.Size(static_cast<int>(workers.runs_[run].first)),
                               [this](const std::string& path) { failedPath_ = path; })),
          open_(files_->Count(), false), closedToAsk_(files_->Count(), false) {}

    std::size_t Count() const override { return files_->Count(); }
    std::uint64_t Length() const override { return files_->Length(); }
    bool Open(std::size_t file) override { return Opened(file, files_->Open(file)); }
    bool Reopen(std::size_t file) override {
        closedToAsk_[file] = false;
        return Opened(file, files_->Reopen(file));
    }
    std::int64_t Read(std::size_t file, std::uint64_t offset, unsigned char* buffer, std::size_t size) override {
        if (closedToAsk_[file] && !Reopen(file)) return -1;
        return files_->Read(file, offset, buffer, size);
    }
    void Close(std::size_t file) override {
        if (open_[file]) files_->Close(file);
        open_[file] = false;
        closedToAsk_[file] = false;
    }
    std::uint64_t OpenedIndex(std::size_t file) const { return files_->OpenedIndex(file); }

private:
    bool Opened(std::size_t file, bool opened) {
        open_[file] = opened;
        if (failedPath_.empty()) return opened;
        for (std::size_t other = 0; other < open_.size(); ++other) {
            if (!open_[other]) continue;
            files_->Close(other);
            open_[other] = false;
            closedToAsk_[other] = true;
        }
        workers_.Ask(run_, std::exchange(failedPath_, std::string()));
        return opened;
    }

    ComparisonWorkers& workers_;
    std::size_t run_;
    std::string failedPath_;  // reported by the last open, not yet asked
    std::unique_ptr<WorkerRunFiles> files_;
    std::vector<bool> open_;
    std::vector<bool> closedToAsk_;
};

ComparisonWorkers::ComparisonWorkers(const GatheredFileList& files, std::vector<Run> runs,
                                     WorkerRunFiles::Opener open)
    : files_(files), runs_(std::move(runs)), open_(std::move(open)), decided_(runs_.size(), 0),
      news_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (!news_.Valid()) throw std::bad_alloc();
    for (std::size_t worker = 0; worker < WorkerCount && worker < runs_.size(); ++worker) {
        threads_[worker].Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadStart, this, 0, nullptr)));
        if (!threads_[worker].Valid()) {
            // The destructor does not run: the threads started end here.
            Join();
            throw std::bad_alloc();
        }
    }
}

// Also when a failure unwinds the window's thread, which hands over no
// message then.
ComparisonWorkers::~ComparisonWorkers() { Join(); }

void ComparisonWorkers::Join() {
    Stop();
    for (const UniqueKernelObject& thread : threads_)
        if (thread.Valid()) WaitForSingleObject(thread.Get(), INFINITE);
}

void ComparisonWorkers::End(const std::function<void()>& pump) {
    Stop();
    while (!WaitForEnd(PumpIntervalMs)) pump();
    Lock lock(lock_);
    if (failure_) std::rethrow_exception(failure_);
}

bool ComparisonWorkers::WaitForEnd(DWORD milliseconds) const {
    for (const UniqueKernelObject& thread : threads_) {
        if (!thread.Valid()) continue;
        const HANDLE handle = thread.Get();
        if (MsgWaitForMultipleObjects(1, &handle, FALSE, milliseconds, WakingMessages) != WAIT_OBJECT_0) return false;
    }
    return true;
}

unsigned __stdcall ComparisonWorkers::ThreadStart(void* workers) {
    ComparisonWorkers& self = *static_cast<ComparisonWorkers*>(workers);
    try {
        self.Work();
    } catch (...) {
        // Kept before the other worker is stopped: its run, cut short by
        // the stop, must not pass for an abort.
        {
            Lock lock(self.lock_);
            if (!self.failure_) self.failure_ = std::current_exception();
        }
        self.Stop();
    }
    SetEvent(self.news_.Get());
    return 0;
}

void ComparisonWorkers::Work() {
    std::vector<unsigned char> blocks;  // this worker's read buffer, kept for all its runs
    std::size_t run = 0;
    bool holdsShortRuns = false;
    while (NextRun(run, holdsShortRuns)) CompareRun(run, blocks);
}

// A file of one block takes three round trips to the wineserver and a read;
// two of the trips hold a lock of Wine's own for the whole process, so that
// two workers on such files would wait for each other at nearly every file,
// each wait a sleep and a wake-up that cost more CPU than the second worker
// saves. So the runs of such files are compared by one worker at a time,
// which keeps them for as long as they follow each other (handed from worker
// to worker at each run, they cost a wake-up each), and so in the order of
// the runs: a worker asking about a file of one then never holds up the run
// that the window's thread is waiting for. A run of longer files goes
// alongside them.
bool ComparisonWorkers::NextRun(std::size_t& run, bool& holdsShortRuns) {
    bool taken = false;
    bool othersMayGo = false;
    {
        Lock lock(lock_);
        const auto over = [this] { return stop_.load() || nextRun_ == runs_.size(); };
        while (!over() && !holdsShortRuns && shortRunsHeld_ && ShortFiles(nextRun_))
            SleepConditionVariableSRW(&shortRunsFree_, &lock_, INFINITE, 0);
        const bool ended = over();
        const bool shortFiles = !ended && ShortFiles(nextRun_);
        if (shortFiles) {
            shortRunsHeld_ = holdsShortRuns = true;
        } else if (holdsShortRuns) {
            // Let go as this worker takes a run of longer files, or none.
            shortRunsHeld_ = holdsShortRuns = false;
            othersMayGo = true;
        }
        if (!ended) {
            run = nextRun_++;
            taken = true;
            // A worker waiting for the short runs may take a longer one now.
            othersMayGo = othersMayGo || nextRun_ == runs_.size() || !ShortFiles(nextRun_);
        }
    }
    if (othersMayGo) WakeAllConditionVariable(&shortRunsFree_);
    return taken;
}

bool ComparisonWorkers::ShortFiles(std::size_t run) const {
    return files_.Size(static_cast<int>(runs_[run].first)) <= engine::BlockSize;
}

void ComparisonWorkers::CompareRun(std::size_t run, std::vector<unsigned char>& blocks) {
    const Run& span = runs_[run];
    AskingFiles files(*this, run);
    Progress progress(*this, run);
    // The workers share one comparison's bounds on open files and blocks.
    engine::BlockComparison comparison(files, progress, blocks, engine::BlockComparisonLimits().SharedBy(WorkerCount));
    Outcome outcome;
    outcome.result = comparison.Run();
    bytesRead_ += outcome.result.bytesRead;
    // Most runs end without a group and need none.
    if (!outcome.result.groups.empty()) outcome.openedIndexes.resize(span.length);
    for (const std::vector<std::size_t>& group : outcome.result.groups) {
        for (std::size_t member : group) outcome.openedIndexes[member] = files.OpenedIndex(member);
    }
    bool last = false;
    {
        Lock lock(lock_);
        outcomes_.emplace(run, std::move(outcome));
        last = ++compared_ == runs_.size();
    }
    // The window's thread looks for outcomes every few milliseconds anyway;
    // waking it for each would cost it and the wineserver a round trip per
    // run. Only the end is worth waking it for.
    if (last) SetEvent(news_.Get());
}

void ComparisonWorkers::Ask(std::size_t run, const std::string& path) {
    Lock lock(lock_);
    if (stop_.load()) return;
    questions_[run] = Question{path, false};
    SetEvent(news_.Get());
    while (questions_.count(run) != 0 && !stop_.load()) SleepConditionVariableSRW(&answered_, &lock_, INFINITE, 0);
    questions_.erase(run);
}

void ComparisonWorkers::SetDecided(std::size_t run, std::size_t decided) {
    Lock lock(lock_);
    decided_[run] = decided;
}

ComparisonWorkers::Event ComparisonWorkers::Poll(std::size_t run, Outcome& outcome, std::string& failedPath) {
    Lock lock(lock_);
    if (failure_) return Event::Failed;
    const auto found = outcomes_.find(run);
    if (found != outcomes_.end()) {
        outcome = std::move(found->second);
        outcomes_.erase(found);
        return Event::Outcome;
    }
    const auto asked = questions_.find(run);
    if (asked != questions_.end() && !asked->second.taken) {
        asked->second.taken = true;
        failedPath = asked->second.path;
        return Event::Question;
    }
    return Event::Nothing;
}

void ComparisonWorkers::Answer(std::size_t run) {
    {
        Lock lock(lock_);
        questions_.erase(run);
    }
    WakeAllConditionVariable(&answered_);
}

std::size_t ComparisonWorkers::Decided(std::size_t run) {
    Lock lock(lock_);
    return run < decided_.size() ? decided_[run] : 0;
}

bool ComparisonWorkers::WaitForNews(DWORD milliseconds) const {
    const HANDLE news = news_.Get();
    return MsgWaitForMultipleObjects(1, &news, FALSE, milliseconds, WakingMessages) == WAIT_OBJECT_0 + 1;
}

void ComparisonWorkers::Stop() {
    stop_.store(true);
    // Taken once, so that a worker about to wait for an answer either sees
    // the flag or is waiting when it is woken.
    { Lock lock(lock_); }
    WakeAllConditionVariable(&answered_);
    WakeAllConditionVariable(&shortRunsFree_);
}
