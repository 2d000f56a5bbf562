#include "engine/DuplicateComparer.h"

#include "common/core/Sorting.h"
#include "engine/PacedProgressBar.h"
#include "engine/core/RunBuilder.h"

#include <utility>

bool CDuplicateComparer::SortAndGroup(int fileCount, GatheredFileList files, ProgressBar progress) {
    fileCount_ = fileCount > 0 ? fileCount : 0;
    files_ = files;
    progress_ = progress;
    aborted_ = false;
    pump_.LookNextTime();
    // The tables grow with the files; until the runs are formed they hold
    // no run at all.
    Paths.assign(static_cast<std::size_t>(fileCount_), std::string());
    PathInfos.assign(static_cast<std::size_t>(fileCount_), FileInfo());
    RunLengths.assign(1, tools_.NoIndex());

    // Each file's record is asked of the list once; a file without one
    // counts as empty.
    std::vector<FileInfo> gathered(static_cast<std::size_t>(fileCount_));
    for (int i = 0; i < fileCount_; ++i) {
        if (const FileInfo* record = files_.Record(i)) gathered[static_cast<std::size_t>(i)] = *record;
    }
    std::vector<int> order(static_cast<std::size_t>(fileCount_));
    std::vector<std::uint64_t> sizes(static_cast<std::size_t>(fileCount_));
    OrderBySize(gathered, order, sizes);
    FormRuns(gathered, order, sizes);
    OrderRunsByTime();

    progress_.SetPos(0);
    return !aborted_;
}

void CDuplicateComparer::OrderBySize(const std::vector<FileInfo>& gathered, std::vector<int>& order,
                                     std::vector<std::uint64_t>& sizes) const {
    for (int i = 0; i < fileCount_; ++i) {
        order[static_cast<std::size_t>(i)] = i;
        sizes[static_cast<std::size_t>(i)] = gathered[static_cast<std::size_t>(i)].size;
    }
    if (fileCount_ > 1) tools_.SortIndexesByKey(order, sizes, 0, fileCount_ - 1);
}

void CDuplicateComparer::FormRuns(std::vector<FileInfo>& gathered, const std::vector<int>& order,
                                  const std::vector<std::uint64_t>& sizes) {
    pump_.PumpOne();
    if (aborted_) return;
    PacedProgressBar progress(progress_);
    progress.SetRange(0, fileCount_);
    progress.ShowPos(0);
    const int step = engine::ProgressStep(fileCount_);

    engine::RunBuilder runs;
    for (int i = 0; i < fileCount_; ++i) {
        pump_.PumpOne();
        if (aborted_) break;
        if (i > 0 && i % step == 0) progress.SetPos(i);
        const std::size_t at = static_cast<std::size_t>(i);
        Paths[at] = files_.Path(order[at]);
        PathInfos[at] = std::move(gathered[static_cast<std::size_t>(order[at])]);
        runs.Add(sizes[at]);
    }
    RunLengths = runs.Lengths(tools_.NoIndex());
}

void CDuplicateComparer::OrderRunsByTime() {
    pump_.PumpOne();
    if (aborted_) return;
    PacedProgressBar progress(progress_);
    progress.SetRange(0, fileCount_);
    progress.ShowPos(0);

    std::vector<std::int64_t> times(PathInfos.size());
    for (std::size_t i = 0; i < times.size(); ++i) times[i] = PathInfos[i].lastWriteTime;

    int position = 0;
    for (std::size_t run = 0; run < RunLengths.size() && RunLengths[run] != tools_.NoIndex(); ++run) {
        pump_.PumpOne();
        if (aborted_) break;
        progress.SetPos(position);
        const int length = RunLengths[run];
        if (length > 1) {
            // The paths and their records move together.
            ordering::SortNewestFirst(times, position, position + length - 1, [this](int a, int b) {
                std::swap(Paths[static_cast<std::size_t>(a)], Paths[static_cast<std::size_t>(b)]);
                std::swap(PathInfos[static_cast<std::size_t>(a)], PathInfos[static_cast<std::size_t>(b)]);
            });
        }
        position += length;
    }
}
