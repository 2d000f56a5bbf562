#include "review/ConfirmedTicks.h"

#include "engine/PacedProgress.h"

#include <algorithm>

ConfirmedTicks::ConfirmedTicks(const CCandidateList& list) {
    std::vector<bool> ticks;
    const int count = list.Count();
    for (int line = 0; line < count; ++line) {
        const auto record = list.Line(line);
        if (!record) continue;  // nothing left to check the file against
        candidates_.push_back({line, record->group, record->file.path, record->file});
        // A protected copy is kept, whatever its box says.
        ticks.push_back(list.GetCheck(line) == 1 && !record->protectedCopy);
    }
    for (std::size_t k = 0; k < candidates_.size(); ++k) {
        Group& group = groups_[candidates_[k].group];
        if (ticks[k]) {
            ticked_.push_back(&candidates_[k]);
        } else {
            group.allTicked = false;
            group.kept.push_back(&candidates_[k]);
        }
    }
    // From the last line up, as lines have always been handled.
    std::reverse(ticked_.begin(), ticked_.end());
}

bool ConfirmedTicks::Walk(CCandidateList& list, OperationContext& operation,
                          const std::function<void(const Candidate&)>& handle,
                          const std::function<void()>& finish) const {
    // A move repaints the bar at once under Wine: ten a second are enough
    // to see the run advance.
    PacedProgress progress(operation.View(), SearchView::Bar::Main, 100);
    progress.SetRange(0, static_cast<int>(ticked_.size()));
    progress.ShowPos(0);
    int done = 0;
    for (const Candidate* candidate : ticked_) {
        if (!operation.GoOn()) return false;
        // A line unticked meanwhile stays as it is.
        if (list.GetCheck(candidate->line) == 1) handle(*candidate);
        progress.SetPos(++done);
    }
    if (finish) finish();
    progress.ShowPos(0);
    return true;
}

std::uint64_t ConfirmedTicks::RemoveLines(CCandidateList& list, std::vector<int> lines) {
    std::sort(lines.begin(), lines.end());
    std::uint64_t bytes = 0;
    for (int line : lines)
        if (const auto record = list.Line(line)) bytes += record->file.size;
    list.RemoveLines(lines);
    return bytes;
}
