#include "engine/ContentComparer.h"

#include "common/core/TimeText.h"
#include "engine/ComparisonWorkers.h"
#include "engine/Win32RunFiles.h"
#include "engine/core/RunBuilder.h"
#include "engine/core/RunComparison.h"

#include <algorithm>
#include <utility>

namespace {
// Ends the groups of a comparison on every path: a listing left open would
// keep the candidate list from drawing after a failure.
class GroupsListed {
public:
    GroupsListed(GroupSink& sink, std::shared_ptr<const engine::FileTable> files) : sink_(sink) {
        sink_.BeginGroups(std::move(files));
    }
    ~GroupsListed() {
        if (ended_) return;
        try {
            sink_.EndGroups();
        } catch (...) {
            // A failure unwinds already; the window empties the lists.
        }
    }
    GroupsListed(const GroupsListed&) = delete;
    GroupsListed& operator=(const GroupsListed&) = delete;

    void End() {
        ended_ = true;
        sink_.EndGroups();
    }

private:
    GroupSink& sink_;
    bool ended_ = false;
};
}  // namespace

CContentComparer::CContentComparer(MessagePump& pump) : CContentComparer(pump, &Win32RunFiles::OpenRun) {}

void CContentComparer::CompareAll(ComparisonJob job, GroupSink& sink, SearchView& view) {
    Pass pass{job, sink, view, PacedProgress(view, SearchView::Bar::Run), tools_.SecondsOfDay(), std::string(),
              true};
    operation_.Begin(view);
    bytesRead_ = 0;
    identities_ = FileIdentities();

    CompareRuns(pass);

    // Also after an abort.
    view.ComparisonEnded(tools_.SecondsOfDay() - pass.startTime);
}

void CContentComparer::CompareRuns(Pass& pass) {
    ComparisonJob& job = pass.job;
    const int fileCount = job.paths->Count();
    pass.view.SetProgressRange(SearchView::Bar::Main, 0, fileCount);
    pass.view.SetProgress(SearchView::Bar::Main, 0);
    const int step = engine::ProgressStep(fileCount);
    int shown = 0;
    int done = 0;

    // The runs the table holds whole; those of two or more files go to the
    // workers. A file of a length of its own has no duplicate: it is never
    // opened.
    std::vector<int> lengths;
    std::vector<ComparisonWorkers::Run> compared;
    std::size_t covered = 0;
    for (std::size_t run = 0; run < job.runLengths.size() && job.runLengths[run] != tools_.NoIndex(); ++run) {
        const int length = job.runLengths[run];
        if (length <= 0 || covered + static_cast<std::size_t>(length) > static_cast<std::size_t>(fileCount)) break;
        lengths.push_back(length);
        if (length >= 2) compared.push_back({covered, static_cast<std::size_t>(length)});
        covered += static_cast<std::size_t>(length);
    }

    GroupsListed listed(pass.sink, job.paths);
    {
        ComparisonWorkers workers(*job.paths, std::move(compared), open_);
        std::size_t nextCompared = 0;
        for (const int length : lengths) {
            if (!operation_.GoOn()) break;
            if (length >= 2 && !TakeRun(pass, workers, nextCompared++, done, length)) break;
            pass.sink.RunCompared();
            if (done / step > shown) {
                pass.view.SetProgress(SearchView::Bar::Main, done);
                shown = done / step;
            }
            ShowRemainingTime(pass, done);
            done += length;
        }
        EndWorkers(pass, workers);
        bytesRead_ = workers.BytesRead();
    }
    listed.End();
    pass.view.SetProgress(SearchView::Bar::Main, 0);
    pass.runProgress.ShowPos(0);
}

bool CContentComparer::TakeRun(Pass& pass, ComparisonWorkers& workers, std::size_t run, int first, int length) {
    const int last = first + length - 1;
    pass.runProgress.SetRange(first, last);
    pass.runProgress.SetPos(0);

    // While a worker compares the run, this thread answers its questions,
    // shows its progress and hands over the window's messages.
    ComparisonWorkers::Outcome outcome;
    std::string failedPath;
    for (;;) {
        const ComparisonWorkers::Event event = workers.Poll(run, outcome, failedPath);
        if (event == ComparisonWorkers::Event::Outcome) break;
        // Raised once the workers have ended.
        if (event == ComparisonWorkers::Event::Failed) return false;
        if (event == ComparisonWorkers::Event::Question) {
            ReportOpenFailure(pass, failedPath);
            // An abort while the question was up stops the worker before it reads on.
            if (operation_.Aborted()) return false;
            workers.Answer(run);
        }
        ShowDecided(pass, workers.Decided(run), first, last);
        // The run's outcome is not waited for: its worker stops at its next block.
        if (!operation_.GoOnOrWait([&workers] { return workers.WaitForNews(PollIntervalMs); })) return false;
    }

    // An interrupted run adds no group: an abort, or a worker's failure
    // that ending the workers raises.
    if (outcome.result.interrupted) return false;
    for (const std::vector<std::size_t>& members : outcome.result.groups)
        RecordGroup(pass, first, members, outcome.openedIndexes);
    pass.runProgress.SetPos(0);
    return true;
}

void CContentComparer::EndWorkers(Pass& pass, ComparisonWorkers& workers) {
    // A worker in a slow read (a network share, a sleeping disk) ends only
    // when the read returns; meanwhile the window answers and says so.
    bool toldAborting = false;
    workers.End([&] {
        if (operation_.Aborted() && !toldAborting) {
            pass.view.ShowAborting();
            toldAborting = true;
        }
        operation_.GoOn();
    });
}

void CContentComparer::ShowDecided(Pass& pass, std::size_t decided, int first, int last) {
    // The bar itself keeps its moves as rare as the eye can follow.
    if (decided == 0) return;
    const std::size_t count = static_cast<std::size_t>(last - first) + 1;
    const std::size_t moved = decided < count ? decided : count;
    pass.runProgress.SetPos(first + static_cast<int>(moved) - 1);
}

void CContentComparer::RecordGroup(Pass& pass, int first, const std::vector<std::size_t>& members,
                                   const std::vector<std::uint64_t>& openedIndexes) {
    if (members.size() < 2) return;
    // Only the files of a group get a record of their own, with their full
    // path and which file each was when it was read.
    std::vector<FileInfo> records;
    records.reserve(members.size());
    for (std::size_t member : members) {
        FileInfo& info = records.emplace_back(*pass.job.paths->Record(first + static_cast<int>(member)));
        info.id = identities_.Of(openedIndexes[member], info.path);
    }
    std::vector<GroupMember> group;
    group.reserve(records.size());
    for (std::size_t k = 0; k < records.size(); ++k)
        group.push_back(GroupMember{records[k], first + static_cast<int>(members[k])});
    pass.sink.AddGroup(group);
}

void CContentComparer::ReportOpenFailure(Pass& pass, const std::string& path) {
    if (pass.reportOpenFailures) pass.reportOpenFailures = pass.view.FileDidNotOpen(path);
}

void CContentComparer::ShowRemainingTime(Pass& pass, int done) {
    if (done == 0) return;
    const std::int64_t elapsed = tools_.SecondsOfDay() - pass.startTime;
    const std::string estimate =
        timetext::RemainingTimeText(timetext::RemainingSeconds(elapsed, pass.job.paths->Count(), done));
    // Written only when it reads differently: every write repaints.
    if (estimate == pass.shownEstimate) return;
    pass.view.ShowStatus(estimate);
    pass.shownEstimate = estimate;
}
