#pragma once
// Compares the contents of the files of each run and hands every group of
// identical files to a sink, with progress, the remaining-time estimate and
// the time taken.
#include "common/CommonTools.h"
#include "common/MessagePump.h"
#include "engine/ComparisonJob.h"
#include "engine/GroupSink.h"
#include "engine/PacedProgress.h"
#include "engine/SearchView.h"
#include "platform/FileIdentities.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Win32RunFiles;

class CContentComparer {
public:
    // The pump is the window's; it outlives the object.
    explicit CContentComparer(MessagePump& pump) : pump_(pump) {}
    virtual ~CContentComparer() = default;
    // Runs over the job's runs, handing every group to the sink, with its
    // progress, estimate and time taken on the view.
    void CompareAll(ComparisonJob job, GroupSink& sink, SearchView& view);
    void Abort() { aborted_ = true; }
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
        std::vector<unsigned char> blocks;  // read buffer shared by all runs
    };

    void CompareRuns(Pass& pass);
    void CompareRun(Pass& pass, int first, int length);
    // Lets go of the paths of a run that was compared.
    void ReleasePaths(ComparisonJob& job, int first, int length);
    // Records which files the members were when they were read.
    void RecordIdentities(Pass& pass, int first, const std::vector<std::size_t>& members,
                          const Win32RunFiles& files);
    void RecordGroup(Pass& pass, int first, const std::vector<std::size_t>& members);
    void ReportOpenFailure(Pass& pass, const std::string& path);
    void ShowRemainingTime(Pass& pass, int done);

    bool aborted_ = false;
    MessagePump& pump_;
    CCommonTools tools_;
    FileIdentities identities_;  // of the current call
    std::uint64_t bytesRead_ = 0;
};
