#include "engine/core/BlockComparison.h"
#include "engine/core/RunComparison.h"
#include "tests/native/MemoryRunFiles.h"
#include "tests/native/PairwiseComparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <string>

namespace {

using engine::RunResult;
using Groups = std::vector<std::vector<std::size_t>>;
using Order = std::vector<std::size_t>;

// Records what the comparison reports; from the `stopAt`-th call on,
// Interrupted answers true and notes how many file calls had been made.
class RecordingProgress : public engine::RunProgress {
public:
    RecordingProgress(const MemoryRunFiles& files, std::size_t stopAt) : files_(files), stopAt_(stopAt) {}
    bool Interrupted() override {
        ++calls;
        if (stopAt_ == 0 || calls < stopAt_) {
            return false;
        }
        if (calls == stopAt_) {
            fileCallsAtStop = FileCalls();
        }
        return true;
    }
    void Decided(std::size_t count) override { decided.push_back(count); }
    std::size_t FileCalls() const { return files_.opens.size() + files_.reopens + files_.reads; }

    std::size_t calls = 0;
    std::size_t fileCallsAtStop = 0;
    std::vector<std::size_t> decided;

private:
    const MemoryRunFiles& files_;
    std::size_t stopAt_;
};

struct Comparison {
    const char* name;
    std::function<RunResult(engine::RunFiles&, engine::RunProgress&)> run;
};

// One buffer serves every comparison, as in the program: bytes left from an
// earlier run must never count.
const Comparison ByBlocks{"blocks", [buffer = std::make_shared<std::vector<unsigned char>>()](
                                        engine::RunFiles& files, engine::RunProgress& progress) {
                              return engine::CompareRunByBlocks(files, progress, *buffer);
                          }};
const Comparison Pairwise{"pairwise", engine::CompareRunPairwise};

Comparison ByBlocksWithin(engine::BlockComparisonLimits limits) {
    return {"blocks within limits", [limits](engine::RunFiles& files, engine::RunProgress& progress) {
                std::vector<unsigned char> buffer;
                return engine::BlockComparison(files, progress, buffer, limits).Run();
            }};
}

// Runs `comparison` on `files` (whose counts start at zero) and checks what
// holds for every run that is not interrupted.
RunResult RunChecked(const Comparison& comparison, MemoryRunFiles& files) {
    SCOPED_TRACE(comparison.name);
    RecordingProgress progress(files, 0);
    const RunResult result = comparison.run(files, progress);
    const std::size_t count = files.Count();
    Order everyFile(count < 2 ? 0 : count);
    std::iota(everyFile.begin(), everyFile.end(), 0);
    EXPECT_EQ(files.opens, everyFile) << "each file opened once, in run order";
    EXPECT_EQ(files.misuse, "");
    EXPECT_EQ(files.openNow, 0u);
    EXPECT_FALSE(result.interrupted);
    EXPECT_EQ(result.bytesRead, files.bytesRead);
    EXPECT_TRUE(std::is_sorted(progress.decided.begin(), progress.decided.end()));
    if (count >= 2) {
        EXPECT_EQ(progress.decided.back(), count);
    }
    EXPECT_EQ(result.order, engine::OrderAfterGrouping(count, result.groups));
    return result;
}

// Bytes that differ from seed to seed.
std::vector<unsigned char> Pattern(std::size_t size, unsigned seed) {
    std::vector<unsigned char> bytes(size);
    std::uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
    for (unsigned char& byte : bytes) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        byte = static_cast<unsigned char>(state >> 56);
    }
    return bytes;
}

std::vector<unsigned char> ChangedAt(std::vector<unsigned char> bytes, std::size_t offset) {
    bytes[offset] ^= 0x5A;
    return bytes;
}

MemoryRunFiles RunOf(std::uint64_t length, const std::vector<std::vector<unsigned char>>& contents) {
    MemoryRunFiles files(length);
    for (const auto& bytes : contents) {
        files.Add(bytes);
    }
    return files;
}

TEST(RunComparison, FindsTheGroupsOfTheUsualCases) {
    const auto p = Pattern(1000, 1), q = Pattern(1000, 2), r = Pattern(1000, 3);
    const auto long1 = Pattern(160001, 4), long2 = ChangedAt(long1, 160000);
    const auto full1 = Pattern(80000, 5), full2 = Pattern(160000, 6);
    struct Case {
        MemoryRunFiles files;
        Groups groups;
        Order order;
    };
    const Case cases[] = {
        {RunOf(1000, {p, p, r}), {{0, 1}}, {0, 1, 2}},
        {RunOf(1000, {p, q, p, q}), {{0, 2}, {1, 3}}, {0, 2, 1, 3}},
        {RunOf(1000, {p, q, p, p}), {{0, 2, 3}}, {0, 2, 3, 1}},
        {RunOf(1000, {p, q, r, r, q}), {{1, 4}, {2, 3}}, {0, 1, 4, 2, 3}},
        {RunOf(0, {{}, {}, {}}), {{0, 1, 2}}, {0, 1, 2}},
        {RunOf(160001, {long1, long2}), {}, {0, 1}},
        {RunOf(80000, {full1, full1}), {{0, 1}}, {0, 1}},
        {RunOf(160000, {full2, full2}), {{0, 1}}, {0, 1}},
        {RunOf(1000, {p}), {}, {0}},
        {RunOf(1000, {}), {}, {}},
    };
    for (const Comparison& comparison : {ByBlocks, Pairwise}) {
        for (const Case& c : cases) {
            MemoryRunFiles files = c.files;
            const RunResult result = RunChecked(comparison, files);
            EXPECT_EQ(result.groups, c.groups) << comparison.name;
            EXPECT_EQ(result.order, c.order) << comparison.name;
        }
    }
}

TEST(RunComparison, FaultyFilesDropOutAloneAndTheRestIsStillCompared) {
    const auto p = Pattern(160001, 7);
    MemoryRunFiles files = RunOf(160001, {p, p, p, p, p, p, p, p});
    files[0].openFails = true;
    files[2].readFailsAt = 100000;
    files[3].bytes.push_back(1);  // longer than the run's length
    files[4].bytes.pop_back();    // shorter
    files[6].readFailsAt = 160000;
    MemoryRunFiles empties = RunOf(0, {{}, {9}, {}, {}});
    empties[2].openFails = true;
    for (const Comparison& comparison : {ByBlocks, Pairwise}) {
        MemoryRunFiles run = files;
        EXPECT_EQ(RunChecked(comparison, run).groups, (Groups{{1, 5, 7}})) << comparison.name;
        run = empties;
        EXPECT_EQ(RunChecked(comparison, run).groups, (Groups{{0, 3}})) << comparison.name;
    }

    // A file that cannot be opened again after the bound closed it drops out.
    const auto r = Pattern(160000, 8);
    MemoryRunFiles reopened = RunOf(160000, {r, r, r, r});
    reopened[1].reopenFails = true;
    const RunResult result = RunChecked(ByBlocksWithin({2, 1000000}), reopened);
    EXPECT_EQ(result.groups, (Groups{{0, 2, 3}}));
    EXPECT_GT(reopened.reopens, 0u);
}

// Many generated runs: random classes that differ at block edges, empty
// files and every kind of faulty file. Both comparisons must find exactly
// the classes of sound files, and the block comparison must read no byte
// twice, also when tight limits make it read in pieces and reopen files.
TEST(RunComparison, BothComparisonsFindTheSameGroupsInGeneratedRuns) {
    std::mt19937 random(20240601);
    auto below = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const std::uint64_t lengths[] = {0, 1, 9, 79999, 80000, 80001, 160000, 160001};
    for (int round = 0; round < 250; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::uint64_t length = lengths[below(8)];
        const std::size_t count = 2 + (length < 100 ? below(30) : below(8));
        const std::size_t classCount = 1 + below(count);
        const std::size_t edges[] = {0, 79999, 80000, 80001, 159999, 160000};
        std::vector<std::vector<unsigned char>> contents(classCount, Pattern(length, round));
        for (std::size_t c = 1; c < classCount; ++c) {
            // Kept apart by the class number at one or two places.
            for (std::size_t change = 0, changes = 1 + below(2); change < changes && length > 0; ++change) {
                const std::size_t at = below(2) ? edges[below(6)] % length : below(length);
                contents[c][at] = static_cast<unsigned char>(contents[c][at] + c);
            }
        }
        MemoryRunFiles files(length);
        std::vector<std::size_t> classOf;
        for (std::size_t f = 0; f < count; ++f) {
            classOf.push_back(below(classCount));
            files.Add(contents[classOf.back()]);
            switch (below(12)) {
                case 0:
                    files[f].openFails = true;
                    break;
                case 1:
                    if (length > 0) files[f].readFailsAt = edges[below(6)] % length;
                    break;
                case 2:
                    files[f].bytes.push_back(0);
                    break;
                case 3:
                    if (length > 0) files[f].bytes.pop_back();
                    break;
                default:
                    break;
            }
        }

        // The sound files, grouped by their contents (changes may cancel).
        Groups expected;
        std::vector<std::size_t> groupOfClass(classCount, SIZE_MAX);
        for (std::size_t f = 0; f < count; ++f) {
            const MemoryRunFiles::File& file = files[f];
            if (file.openFails || file.readFailsAt != MemoryRunFiles::NoFailure || file.bytes.size() != length) {
                continue;
            }
            const std::size_t sameClass = static_cast<std::size_t>(
                std::find(contents.begin(), contents.end(), contents[classOf[f]]) - contents.begin());
            if (groupOfClass[sameClass] == SIZE_MAX) {
                groupOfClass[sameClass] = expected.size();
                expected.push_back({});
            }
            expected[groupOfClass[sameClass]].push_back(f);
        }
        expected.erase(std::remove_if(expected.begin(), expected.end(), [](const auto& g) { return g.size() < 2; }),
                       expected.end());

        const engine::BlockComparisonLimits tight{1 + below(4), 2 + below(200000)};
        for (const Comparison& comparison : {Pairwise, ByBlocks, ByBlocksWithin(tight)}) {
            MemoryRunFiles run = files;
            const RunResult result = RunChecked(comparison, run);
            EXPECT_EQ(result.groups, expected) << comparison.name;
            const std::string name = comparison.name;
            if (name != Pairwise.name) {
                EXPECT_FALSE(run.readTwice) << name;
                EXPECT_LE(run.mostOpen, name == ByBlocks.name ? std::size_t{256} : tight.maxOpenFiles);
            }
        }
    }
}

TEST(BlockComparison, ReadsOnlyTheLastBlockOfFilesThatDifferAtTheEnd) {
    MemoryRunFiles small(4096);
    for (unsigned f = 0; f < 2002; ++f) {
        small.Add(Pattern(4096, f));
    }
    EXPECT_TRUE(RunChecked(ByBlocks, small).groups.empty());
    EXPECT_EQ(small.bytesRead, 2002u * 4096u);
    EXPECT_LE(small.mostOpen, 256u);

    MemoryRunFiles large(200000);
    const auto base = Pattern(200000, 1);
    for (unsigned f = 0; f < 300; ++f) {
        auto bytes = base;
        bytes[199998] = static_cast<unsigned char>(f >> 8);
        bytes[199999] = static_cast<unsigned char>(f);
        large.Add(bytes);
    }
    large.Add(base);  // one copy of the last file's bytes
    large[300].bytes[199998] = 1;
    large[300].bytes[199999] = 43;
    const RunResult result = RunChecked(ByBlocks, large);
    EXPECT_EQ(result.groups, (Groups{{299, 300}}));
    EXPECT_EQ(large.bytesRead, 301u * 40000u + 2u * 160000u);
    EXPECT_LE(large.mostOpen, 256u);
}

TEST(RunComparison, InterruptionStopsAtOnceAndClosesEveryFile) {
    const auto p = Pattern(160001, 3), q = ChangedAt(p, 100);
    MemoryRunFiles files = RunOf(160001, {p, q, p, q, p, p});
    files[1].openFails = true;
    for (const Comparison& comparison : {ByBlocks, Pairwise, ByBlocksWithin({2, 100000})}) {
        MemoryRunFiles whole = files;
        RecordingProgress counting(whole, 0);
        comparison.run(whole, counting);
        if (std::string(comparison.name) != Pairwise.name) {
            EXPECT_EQ(counting.calls, counting.FileCalls()) << "asked after every open and read";
        }
        for (std::size_t stopAt = 1; stopAt <= counting.calls; ++stopAt) {
            SCOPED_TRACE(std::string(comparison.name) + " stopped at " + std::to_string(stopAt));
            MemoryRunFiles run = files;
            RecordingProgress progress(run, stopAt);
            const RunResult result = comparison.run(run, progress);
            EXPECT_TRUE(result.interrupted);
            EXPECT_TRUE(result.groups.empty());
            EXPECT_EQ(result.order, (Order{0, 1, 2, 3, 4, 5}));
            EXPECT_EQ(progress.FileCalls(), progress.fileCallsAtStop) << "went on after the stop";
            EXPECT_EQ(run.openNow, 0u);
            EXPECT_EQ(run.misuse, "");
        }
    }
}

}  // namespace
