#pragma once
// Compares the contents of the files of each run and hands every group of
// identical files to a sink, with progress, the remaining-time estimate and
// the time taken. The files are read and compared by worker threads; this
// class runs on the window's thread.
#include "common/CommonTools.h"
#include "common/MessagePump.h"
#include "engine/ComparisonJob.h"
#include "engine/GroupSink.h"
#include "engine/OperationContext.h"
#include "engine/PacedProgress.h"
#include "engine/SearchView.h"
#include "engine/WorkerRunFiles.h"
#include "platform/FileIdentities.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ComparisonWorkers;

class CContentComparer {
public:
    // The pump is the window's; it outlives the object. The workers read
    // the real files, or those `open` gives them.
    explicit CContentComparer(MessagePump& pump);
    CContentComparer(MessagePump& pump, WorkerRunFiles::Opener open) : operation_(pump), open_(std::move(open)) {}
    virtual ~CContentComparer() = default;
    // Runs over the job's runs, handing every group to the sink, with its
    // progress, estimate and time taken on the view.
    void CompareAll(ComparisonJob job, GroupSink& sink, SearchView& view);
    void Abort() { operation_.Abort(); }
    // Bytes read by the last comparison.
    std::uint64_t BytesRead() const { return bytesRead_; }

private:
    // What one call works with; it lives as long as the call.
    struct Pass {
        ComparisonJob& job;
        GroupSink& sink;
        SearchView& view;
        PacedProgress runProgress;
        std::int64_t startTime = 0;
        std::string shownEstimate;  // the estimate in the status field, if any
        bool reportOpenFailures = true;
    };

    void CompareRuns(Pass& pass);
    // Waits for the workers' outcome of run `run`, the files from `first`,
    // and lists its groups; false when the comparison was aborted.
    bool TakeRun(Pass& pass, ComparisonWorkers& workers, std::size_t run, int first, int length);
    // Ends the workers, handing over messages meanwhile, and raises what
    // ended one of them.
    void EndWorkers(Pass& pass, ComparisonWorkers& workers);
    void ShowDecided(Pass& pass, std::size_t decided, int first, int last);
    // Hands a group to the sink, with which file each member was when it
    // was read.
    void RecordGroup(Pass& pass, int first, const std::vector<std::size_t>& members,
                     const std::vector<std::uint64_t>& openedIndexes);
    void ReportOpenFailure(Pass& pass, const std::string& path);
    void ShowRemainingTime(Pass& pass, int done);

    // How long the window's thread waits for the worker before it looks
    // at its messages and the worker's progress again: the pace of the run's
    // bar. Input and messages end the wait at once; each wait and look is
    // a round trip to the wineserver, which a shorter pace only repeats.
    static constexpr DWORD PollIntervalMs = 30;

    OperationContext operation_;
    WorkerRunFiles::Opener open_;
    CCommonTools tools_;
    FileIdentities identities_;  // of the current call
    std::uint64_t bytesRead_ = 0;
};
