#include "engine/ContentComparer.h"

#include "common/core/TimeText.h"
#include "engine/ListRedrawBatch.h"
#include "engine/RunProgressBar.h"
#include "engine/Win32RunFiles.h"
#include "engine/core/RunBuilder.h"
#include "engine/core/RunComparison.h"
#include "platform/Prompts.h"
#include "review/CandidateList.h"

#include <algorithm>
#include <utility>

namespace {

// The colour of the last group listed, as an index into GroupColours. It
// lives as long as the program, so that groups of later searches go on
// with the next colour.
int groupColourCounter = 0;

const COLORREF GroupColours[4] = {RGB(220, 50, 50), RGB(50, 50, 220), RGB(220, 100, 220), RGB(50, 180, 50)};
const COLORREF White = RGB(255, 255, 255);

COLORREF NextGroupColour() {
    groupColourCounter = groupColourCounter >= 3 ? 0 : groupColourCounter + 1;
    return GroupColours[groupColourCounter];
}

}  // namespace

void CContentComparer::CompareAll(std::vector<std::string>& paths, std::vector<FileInfo>& infos,
                                  const std::vector<int>& runLengths, int fileCount, ComboBox groupList,
                                  CCandidateList& candidates, Edit statusField, ProgressBar mainProgress,
                                  ProgressBar runProgress) {
    paths_ = &paths;
    infos_ = &infos;
    runLengths_ = &runLengths;
    fileCount_ = fileCount > 0 ? fileCount : 0;
    groupList_ = groupList;
    candidates_ = &candidates;
    statusField_ = statusField;
    mainProgress_ = mainProgress;
    runProgress_ = PacedProgressBar(runProgress);
    reportOpenFailures_ = true;
    aborted_ = false;
    bytesRead_ = 0;
    startTime_ = tools_.SecondsOfDay();
    shownEstimate_.clear();
    newestGroup_ = -1;

    CompareRuns();

    // Also after an abort.
    MessageBoxPrompt(timetext::ElapsedTimeText(tools_.SecondsOfDay() - startTime_), MB_OK);
}

void CContentComparer::CompareRuns() {
    mainProgress_.SetRange(0, fileCount_);
    mainProgress_.SetPos(0);
    const int step = engine::ProgressStep(fileCount_);
    int shown = 0;
    int done = 0;
    // The tables may be shorter than the count claims: never run past them.
    const std::size_t available = std::min({static_cast<std::size_t>(fileCount_), paths_->size(), infos_->size()});
    ListRedrawBatch candidateRedraw(*candidates_, 200);
    for (std::size_t run = 0; run < runLengths_->size() && (*runLengths_)[run] != tools_.NoIndex(); ++run) {
        tools_.PumpOneMessage();
        if (aborted_) break;
        const int length = (*runLengths_)[run];
        if (length <= 0 || static_cast<std::size_t>(done) + static_cast<std::size_t>(length) > available) break;
        CompareRun(done, length);
        if (candidateRedraw.Due()) {
            ShowNewestGroup();
            candidateRedraw.Draw();
        }
        if (done / step > shown) {
            mainProgress_.SetPos(done);
            shown = done / step;
        }
        ShowRemainingTime(done);
        done += length;
    }
    ShowNewestGroup();
    mainProgress_.SetPos(0);
    runProgress_.ShowPos(0);
}

void CContentComparer::CompareRun(int first, int length) {
    // A file of a length of its own has no duplicate: it is never opened.
    if (length < 2) return;
    const int last = first + length - 1;
    runProgress_.SetRange(first, last);
    runProgress_.SetPos(0);

    Win32RunFiles files(*paths_, static_cast<std::size_t>(first), static_cast<std::size_t>(length),
                        (*infos_)[static_cast<std::size_t>(first)].size,
                        [this](const std::string& path) { ReportOpenFailure(path); });
    RunProgressBar progress(tools_, aborted_, runProgress_, first, last);
    const engine::RunResult result = engine::CompareRunByBlocks(files, progress);
    bytesRead_ += result.bytesRead;

    // An interrupted run adds no group and keeps its order.
    if (!result.interrupted) {
        for (const std::vector<std::size_t>& members : result.groups) RecordGroup(first, members);
        if (result.order.size() == static_cast<std::size_t>(length)) Reorder(first, result.order);
    }
    runProgress_.SetPos(0);
}

void CContentComparer::RecordGroup(int first, const std::vector<std::size_t>& members) {
    if (members.size() < 2) return;
    const COLORREF colour = NextGroupColour();
    const std::size_t referenceAt = static_cast<std::size_t>(first) + members[0];
    const std::string& reference = (*paths_)[referenceAt];

    const int group = groupList_.InsertString(-1, reference);
    const int referenceLine = candidates_->AppendLine(-1, reference, colour, White, (*infos_)[referenceAt]);
    // A plain line index, owning nothing.
    groupList_.SetItemData(group, referenceLine);
    candidates_->SetLineGroup(referenceLine, group);
    newestGroup_ = group;
    newestReferenceLine_ = referenceLine;

    for (std::size_t k = 1; k < members.size(); ++k) {
        const std::size_t at = static_cast<std::size_t>(first) + members[k];
        const int line = candidates_->AppendLine(-1, (*paths_)[at], colour, White, (*infos_)[at]);
        candidates_->SetCheck(line, 1);
        candidates_->SetLineGroup(line, group);
    }
}

void CContentComparer::ShowNewestGroup() {
    if (newestGroup_ < 0) return;
    groupList_.SetCurSel(newestGroup_);
    candidates_->SetTopIndex(newestReferenceLine_);
    newestGroup_ = -1;
}

void CContentComparer::Reorder(int first, const std::vector<std::size_t>& order) {
    // `order` lists the run's files in their new order; anything that is
    // not a permutation of the run leaves it as it is.
    std::vector<bool> taken(order.size(), false);
    for (std::size_t file : order) {
        if (file >= taken.size() || taken[file]) return;
        taken[file] = true;
    }
    const std::size_t base = static_cast<std::size_t>(first);
    std::vector<std::string> paths(order.size());
    std::vector<FileInfo> infos(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        paths[k] = std::move((*paths_)[base + order[k]]);
        infos[k] = (*infos_)[base + order[k]];
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        (*paths_)[base + k] = std::move(paths[k]);
        (*infos_)[base + k] = infos[k];
    }
}

void CContentComparer::ReportOpenFailure(const std::string& path) {
    if (!reportOpenFailures_) return;
    const int answer = MessageBoxPrompt(path + " が開けませんでした\nこれ以降このメッセージを表示しますか？", MB_YESNO);
    if (answer == IDNO) reportOpenFailures_ = false;
}

void CContentComparer::ShowRemainingTime(int done) {
    if (done == 0) return;
    const std::int64_t elapsed = tools_.SecondsOfDay() - startTime_;
    const std::string estimate =
        timetext::RemainingTimeText(timetext::RemainingSeconds(elapsed, fileCount_, done));
    // Written only when it reads differently: every write repaints.
    if (estimate == shownEstimate_) return;
    statusField_.SetText(estimate);
    shownEstimate_ = estimate;
}
