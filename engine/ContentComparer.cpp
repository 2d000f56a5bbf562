#include "engine/ContentComparer.h"

#include "common/core/TimeText.h"
#include "engine/RunProgressReport.h"
#include "engine/Win32RunFiles.h"
#include "engine/core/RunBuilder.h"
#include "engine/core/RunComparison.h"

#include <algorithm>
#include <utility>

void CContentComparer::CompareAll(ComparisonJob job, GroupSink& sink, SearchView& view) {
    Pass pass{job, sink, view, PacedProgress(view, SearchView::Bar::Run), tools_.SecondsOfDay(), std::string(),
              true, {}};
    aborted_ = false;
    pump_.LookNextTime();
    bytesRead_ = 0;
    identities_ = FileIdentities();

    CompareRuns(pass);

    // Also after an abort.
    view.Message(timetext::ElapsedTimeText(tools_.SecondsOfDay() - pass.startTime), MB_OK);
}

void CContentComparer::CompareRuns(Pass& pass) {
    ComparisonJob& job = pass.job;
    const int fileCount = static_cast<int>(job.paths.size());
    pass.view.SetProgressRange(SearchView::Bar::Main, 0, fileCount);
    pass.view.SetProgress(SearchView::Bar::Main, 0);
    const int step = engine::ProgressStep(fileCount);
    int shown = 0;
    int done = 0;
    const std::size_t available = job.paths.size();
    pass.sink.BeginGroups();
    for (std::size_t run = 0; run < job.runLengths.size() && job.runLengths[run] != tools_.NoIndex(); ++run) {
        pump_.PumpOne();
        if (aborted_) break;
        const int length = job.runLengths[run];
        if (length <= 0 || static_cast<std::size_t>(done) + static_cast<std::size_t>(length) > available) break;
        CompareRun(pass, done, length);
        ReleasePaths(job, done, length);
        pass.sink.RunCompared();
        if (done / step > shown) {
            pass.view.SetProgress(SearchView::Bar::Main, done);
            shown = done / step;
        }
        ShowRemainingTime(pass, done);
        done += length;
    }
    pass.sink.EndGroups();
    pass.view.SetProgress(SearchView::Bar::Main, 0);
    pass.runProgress.ShowPos(0);
}

void CContentComparer::CompareRun(Pass& pass, int first, int length) {
    // A file of a length of its own has no duplicate: it is never opened.
    if (length < 2) return;
    const int last = first + length - 1;
    pass.runProgress.SetRange(first, last);
    pass.runProgress.SetPos(0);

    Win32RunFiles files(pass.job.paths, static_cast<std::size_t>(first), static_cast<std::size_t>(length),
                        pass.job.paths[static_cast<std::size_t>(first)].size,
                        [this, &pass](const std::string& path) { ReportOpenFailure(pass, path); });
    RunProgressReport progress(pump_, aborted_, pass.runProgress, first, last);
    const engine::RunResult result = engine::CompareRunByBlocks(files, progress, pass.blocks);
    bytesRead_ += result.bytesRead;

    // An interrupted run adds no group.
    if (!result.interrupted) {
        for (const std::vector<std::size_t>& members : result.groups) {
            RecordIdentities(pass, first, members, files);
            RecordGroup(pass, first, members);
        }
    }
    pass.runProgress.SetPos(0);
}

void CContentComparer::ReleasePaths(ComparisonJob& job, int first, int length) {
    // A group's records went to its sink; the paths of the files left alone
    // are never read again, and a large search holds tens of thousands.
    for (int at = first; at < first + length; ++at) std::wstring().swap(job.paths[static_cast<std::size_t>(at)].path);
}

void CContentComparer::RecordIdentities(Pass& pass, int first, const std::vector<std::size_t>& members,
                                        const Win32RunFiles& files) {
    for (std::size_t member : members) {
        const std::size_t at = static_cast<std::size_t>(first) + member;
        FileInfo& info = pass.job.paths[at];
        info.id = identities_.Of(files.OpenedIndex(member), info.path);
    }
}

void CContentComparer::RecordGroup(Pass& pass, int first, const std::vector<std::size_t>& members) {
    if (members.size() < 2) return;
    std::vector<GroupMember> group;
    group.reserve(members.size());
    for (std::size_t member : members) {
        const std::size_t at = static_cast<std::size_t>(first) + member;
        group.push_back(GroupMember{pass.job.paths[at]});
    }
    pass.sink.AddGroup(group);
}

void CContentComparer::ReportOpenFailure(Pass& pass, const std::string& path) {
    if (!pass.reportOpenFailures) return;
    const int answer = pass.view.Message(path + " が開けませんでした\nこれ以降このメッセージを表示しますか？", MB_YESNO);
    if (answer == IDNO) pass.reportOpenFailures = false;
}

void CContentComparer::ShowRemainingTime(Pass& pass, int done) {
    if (done == 0) return;
    const std::int64_t elapsed = tools_.SecondsOfDay() - pass.startTime;
    const std::string estimate =
        timetext::RemainingTimeText(timetext::RemainingSeconds(elapsed, static_cast<int>(pass.job.paths.size()), done));
    // Written only when it reads differently: every write repaints.
    if (estimate == pass.shownEstimate) return;
    pass.view.ShowStatus(estimate);
    pass.shownEstimate = estimate;
}
