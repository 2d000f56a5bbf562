#include "engine/DuplicateComparer.h"

#include "common/core/Sorting.h"
#include "engine/PacedProgress.h"
#include "engine/core/RunBuilder.h"

#include <utility>

bool CDuplicateComparer::SortAndGroup(int fileCount, GatheredFileList& files, SearchView& view) {
    // Never more than the files held.
    fileCount_ = fileCount < 0 ? 0 : fileCount > files.Count() ? files.Count() : fileCount;
    operation_.Begin(view);
    // The tables grow with the files; until the runs are formed they hold
    // no run at all.
    Paths.ReleaseAll();
    RunLengths.assign(1, tools_.NoIndex());

    // The files stay with the gathered files until the ordering is done,
    // so that an aborted ordering can run again on the same files; only
    // then are they put in order, in place, and moved, never copied. They
    // are freed early only when the window closes, which aborts first; every
    // read asks for the count anew, so none is read after that.
    std::vector<int> order(static_cast<std::size_t>(fileCount_));
    std::vector<std::uint64_t> sizes(static_cast<std::size_t>(fileCount_));
    OrderBySize(files, order, sizes);
    FormRuns(sizes, view);
    OrderRunsByTime(files, order, view);
    if (!operation_.Aborted()) TakeRecords(files, order);

    view.SetProgress(SearchView::Bar::Main, 0);
    return !operation_.Aborted();
}

void CDuplicateComparer::OrderBySize(const GatheredFileList& files, std::vector<int>& order,
                                     std::vector<std::uint64_t>& sizes) const {
    for (int i = 0; i < fileCount_; ++i) {
        order[static_cast<std::size_t>(i)] = i;
        sizes[static_cast<std::size_t>(i)] = files.Size(i);
    }
    if (fileCount_ > 1) tools_.SortIndexesByKey(order, sizes, 0, fileCount_ - 1);
}

void CDuplicateComparer::FormRuns(const std::vector<std::uint64_t>& sizes, SearchView& view) {
    if (!operation_.GoOn()) return;
    PacedProgress progress(view, SearchView::Bar::Main);
    progress.SetRange(0, fileCount_);
    progress.ShowPos(0);
    const int step = engine::ProgressStep(fileCount_);

    engine::RunBuilder runs;
    for (int i = 0; i < fileCount_; ++i) {
        if (!operation_.GoOn()) break;
        if (i > 0 && i % step == 0) progress.SetPos(i);
        runs.Add(sizes[static_cast<std::size_t>(i)]);
    }
    RunLengths = runs.Lengths(tools_.NoIndex());
}

void CDuplicateComparer::OrderRunsByTime(const GatheredFileList& files, std::vector<int>& order,
                                         SearchView& view) {
    if (!operation_.GoOn()) return;
    PacedProgress progress(view, SearchView::Bar::Main);
    progress.SetRange(0, fileCount_);
    progress.ShowPos(0);

    std::vector<std::int64_t> times(order.size());
    for (std::size_t i = 0; i < times.size(); ++i) times[i] = files.LastWriteTime(order[i]);

    int position = 0;
    for (std::size_t run = 0; run < RunLengths.size() && RunLengths[run] != tools_.NoIndex(); ++run) {
        if (!operation_.GoOn()) break;
        progress.SetPos(position);
        const int length = RunLengths[run];
        if (length > 1) {
            ordering::SortNewestFirst(times, position, position + length - 1, [&order](int a, int b) {
                std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
            });
        }
        position += length;
    }
}

void CDuplicateComparer::TakeRecords(GatheredFileList& files, std::vector<int>& order) {
    // Files beyond the count ordered stay behind the runs, as found.
    for (int rest = static_cast<int>(order.size()); rest < files.Count(); ++rest) order.push_back(rest);
    files.Reorder(order);
    Paths = std::move(files);
    files.ReleaseAll();
}
