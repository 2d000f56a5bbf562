#include "engine/ContentComparer.h"

#include "common/core/TimeText.h"
#include "engine/RunProgressBar.h"
#include "engine/Win32RunFiles.h"
#include "engine/core/RunBuilder.h"
#include "engine/core/RunComparison.h"
#include "platform/Prompts.h"

#include <algorithm>
#include <utility>

void CContentComparer::CompareAll(ComparisonJob& job, GroupSink& sink) {
    Pass pass{job, sink, std::max(job.fileCount, 0), PacedProgressBar(job.runProgress), tools_.SecondsOfDay(),
              std::string(), true, {}};
    aborted_ = false;
    pump_.LookNextTime();
    bytesRead_ = 0;
    identities_ = FileIdentities();

    CompareRuns(pass);

    // Also after an abort.
    MessageBoxPrompt(timetext::ElapsedTimeText(tools_.SecondsOfDay() - pass.startTime), MB_OK);
}

void CContentComparer::CompareRuns(Pass& pass) {
    ComparisonJob& job = pass.job;
    job.mainProgress.SetRange(0, pass.fileCount);
    job.mainProgress.SetPos(0);
    const int step = engine::ProgressStep(pass.fileCount);
    int shown = 0;
    int done = 0;
    // The tables may be shorter than the count claims: never run past them.
    const std::size_t available =
        std::min(static_cast<std::size_t>(pass.fileCount), job.paths.size());
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
            job.mainProgress.SetPos(done);
            shown = done / step;
        }
        ShowRemainingTime(pass, done);
        done += length;
    }
    pass.sink.EndGroups();
    job.mainProgress.SetPos(0);
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
    RunProgressBar progress(pump_, aborted_, pass.runProgress, first, last);
    const engine::RunResult result = engine::CompareRunByBlocks(files, progress, pass.blocks);
    bytesRead_ += result.bytesRead;

    // An interrupted run adds no group and keeps its order.
    if (!result.interrupted) {
        for (const std::vector<std::size_t>& members : result.groups) {
            RecordIdentities(pass, first, members, files);
            RecordGroup(pass, first, members);
        }
        if (result.order.size() == static_cast<std::size_t>(length)) Reorder(pass.job, first, result.order);
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

void CContentComparer::Reorder(ComparisonJob& job, int first, const std::vector<std::size_t>& order) {
    // `order` lists the run's files in their new order; anything that is
    // not a permutation of the run leaves it as it is.
    std::vector<bool> taken(order.size(), false);
    for (std::size_t file : order) {
        if (file >= taken.size() || taken[file]) return;
        taken[file] = true;
    }
    const std::size_t base = static_cast<std::size_t>(first);
    std::vector<FileInfo> records;
    records.reserve(order.size());
    for (std::size_t file : order) records.push_back(std::move(job.paths[base + file]));
    std::move(records.begin(), records.end(), job.paths.begin() + static_cast<std::ptrdiff_t>(base));
}

void CContentComparer::ReportOpenFailure(Pass& pass, const std::string& path) {
    if (!pass.reportOpenFailures) return;
    const int answer = MessageBoxPrompt(path + " が開けませんでした\nこれ以降このメッセージを表示しますか？", MB_YESNO);
    if (answer == IDNO) pass.reportOpenFailures = false;
}

void CContentComparer::ShowRemainingTime(Pass& pass, int done) {
    if (done == 0) return;
    const std::int64_t elapsed = tools_.SecondsOfDay() - pass.startTime;
    const std::string estimate =
        timetext::RemainingTimeText(timetext::RemainingSeconds(elapsed, pass.fileCount, done));
    // Written only when it reads differently: every write repaints.
    if (estimate == pass.shownEstimate) return;
    pass.job.statusField.SetText(estimate);
    pass.shownEstimate = estimate;
}
