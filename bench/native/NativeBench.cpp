// The native half of the benchmark: the core's ordering and comparison on a
// tree walked with POSIX calls, timed phase by phase. The runs are compared
// two at a time on two threads, as the program compares them.
//   vellaro_native_bench <folder> [--groups FILE] [--pairwise]
// Prints "key value" lines: files, runs, groups, bytes read by the
// comparison (the core's own count), and the milliseconds of each phase.
// With --groups the groups go to FILE, one path a line, a blank line after
// each group. --pairwise uses the reference comparison instead of the block
// comparison.
#include "bench/native/PosixRunFiles.h"
#include "bench/native/PosixTreeWalk.h"
#include "common/core/Sorting.h"
#include "engine/core/RunBuilder.h"
#include "engine/core/BlockComparison.h"
#include "engine/core/RunComparison.h"
#include "tests/native/PairwiseComparison.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t WorkerCount = 2;

class NoProgress : public engine::RunProgress {
public:
    bool Interrupted() override { return false; }
    void Decided(std::size_t) override {}
};

class Stopwatch {
public:
    // Milliseconds since the last call (or since construction).
    double Lap() {
        const auto now = std::chrono::steady_clock::now();
        const double ms = std::chrono::duration<double, std::milli>(now - last_).count();
        last_ = now;
        return ms;
    }

private:
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// The files in compare order: length ascending, newest first within a run.
struct Ordering {
    std::vector<const std::string*> paths;
    std::vector<std::uint64_t> lengths;
    std::vector<int> runLengths;
};

Ordering OrderForComparison(const PosixTreeWalk& walk) {
    const int count = static_cast<int>(walk.paths.size());
    std::vector<int> order(walk.paths.size());
    std::vector<std::uint64_t> keys = walk.lengths;
    for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
    if (count > 0) ordering::SortIndexesByKey(order, keys, 0, count - 1);

    Ordering result;
    engine::RunBuilder runs;
    std::vector<std::int64_t> times;
    for (int index : order) {
        const auto i = static_cast<std::size_t>(index);
        result.paths.push_back(&walk.paths[i]);
        result.lengths.push_back(walk.lengths[i]);
        times.push_back(walk.times[i]);
        runs.Add(walk.lengths[i]);
    }
    result.runLengths = runs.Lengths(0);
    result.runLengths.pop_back();

    int first = 0;
    for (int length : result.runLengths) {
        if (length > 1) {
            ordering::SortNewestFirst(times, first, first + length - 1, [&result](int a, int b) {
                std::swap(result.paths[static_cast<std::size_t>(a)],
                          result.paths[static_cast<std::size_t>(b)]);
            });
        }
        first += length;
    }
    return result;
}

int Fail(const char* what) {
    std::fprintf(stderr, "vellaro_native_bench: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Fail("usage: vellaro_native_bench <folder> [--groups FILE] [--pairwise]");
    std::string groupsFile;
    bool pairwise = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--groups") == 0 && i + 1 < argc) {
            groupsFile = argv[++i];
        } else if (std::strcmp(argv[i], "--pairwise") == 0) {
            pairwise = true;
        } else {
            return Fail("unknown option");
        }
    }

    Stopwatch clock;
    PosixTreeWalk walk;
    walk.Walk(argv[1]);
    const double walkMs = clock.Lap();
    const Ordering ordered = OrderForComparison(walk);
    const double orderMs = clock.Lap();

    // Two runs at a time, as the program compares them, each worker with
    // half of one comparison's bounds on open files and blocks.
    struct Span {
        std::size_t first;
        std::size_t count;
    };
    std::vector<Span> spans;
    for (std::size_t first = 0, run = 0; run < ordered.runLengths.size(); ++run) {
        const auto count = static_cast<std::size_t>(ordered.runLengths[run]);
        if (count > 1) spans.push_back({first, count});
        first += count;
    }
    std::vector<engine::RunResult> results(spans.size());
    std::vector<std::size_t> failures(spans.size(), 0);
    std::atomic<std::size_t> nextSpan{0};
    auto work = [&] {
        NoProgress progress;
        std::vector<unsigned char> blocks;  // one read buffer for every run of this worker
        const engine::BlockComparisonLimits limits = engine::BlockComparisonLimits().SharedBy(WorkerCount);
        for (std::size_t at = nextSpan++; at < spans.size(); at = nextSpan++) {
            const Span& span = spans[at];
            PosixRunFiles files(std::vector<const std::string*>(ordered.paths.begin() + span.first,
                                                                ordered.paths.begin() + span.first + span.count),
                                ordered.lengths[span.first]);
            if (pairwise) {
                results[at] = engine::CompareRunPairwise(files, progress);
            } else {
                engine::BlockComparison comparison(files, progress, blocks, limits);
                results[at] = comparison.Run();
            }
            failures[at] = files.OpenFailures();
        }
    };
    std::vector<std::thread> workers;
    for (std::size_t worker = 0; worker < WorkerCount; ++worker) workers.emplace_back(work);
    for (std::thread& worker : workers) worker.join();

    std::vector<std::vector<const std::string*>> groups;
    std::uint64_t bytesRead = 0;
    std::size_t openFailures = 0;
    for (std::size_t at = 0; at < spans.size(); ++at) {
        bytesRead += results[at].bytesRead;
        openFailures += failures[at];
        for (const auto& members : results[at].groups) {
            groups.emplace_back();
            for (std::size_t member : members) groups.back().push_back(ordered.paths[spans[at].first + member]);
        }
    }
    const double compareMs = clock.Lap();

    if (!groupsFile.empty()) {
        std::ofstream out(groupsFile, std::ios::binary);
        for (const auto& group : groups) {
            for (const std::string* path : group) out << *path << '\n';
            out << '\n';
        }
        if (!out) return Fail("cannot write the groups file");
    }
    std::printf("files %zu\nruns %zu\ngroups %zu\nopen_failures %zu\nbytes_read %llu\n",
                walk.paths.size(), ordered.runLengths.size(), groups.size(), openFailures,
                static_cast<unsigned long long>(bytesRead));
    std::printf("walk_ms %.1f\norder_ms %.1f\ncompare_ms %.1f\n", walkMs, orderMs, compareMs);
    return 0;
}
