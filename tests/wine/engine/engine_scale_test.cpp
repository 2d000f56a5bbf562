// A whole search over ten thousand files in one tree: every phase finishes,
// finds what was planted, and hands over messages while it runs.
#include "EngineRig.h"

#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

double Seconds(ULONGLONG since) { return static_cast<double>(GetTickCount64() - since) / 1000.0; }

TEST(EngineScale, TenThousandFilesPassEveryPhase) {
    scripted::Reset();
    TempTree tree;
    // 300 lengths, about 33 files each. Files 0, 10, ... 2990 that share a
    // length also share their bytes: 30 groups of 10. Every other file holds
    // its own number and differs from the rest.
    const int count = 10000;
    ULONGLONG started = GetTickCount64();
    for (int i = 0; i < count; ++i) {
        const std::size_t length = 1000 + static_cast<std::size_t>(i % 300);
        const int id = (i < 3000 && i % 10 == 0) ? i % 300 : i + 1000000;
        std::string bytes(length, 'z');
        const std::string label = std::to_string(id);
        bytes.replace(length - label.size(), label.size(), label);
        const std::string folder = "d" + std::to_string(i % 7) + "\\e" + std::to_string(i % 13) + "\\";
        tree.WriteFile(folder + "f" + std::to_string(i) + ".dat", bytes);
    }
    std::printf("[ tree     ] %.2f s\n", Seconds(started));

    EngineRig rig;
    int phase = 0;
    std::vector<int> handledIn;
    rig.host.onCommand = [&] { handledIn.push_back(phase); };

    phase = 1;
    rig.host.PostCommand();
    started = GetTickCount64();
    rig.Collect(tree.Root() + ";;", "*.DAT;;");
    std::printf("[ collect  ] %.2f s\n", Seconds(started));
    ASSERT_EQ(rig.host.gathered.Count(), count);
    EXPECT_EQ(rig.host.statusField.Text(), std::to_string(count));

    phase = 2;
    rig.host.PostCommand();
    started = GetTickCount64();
    ASSERT_TRUE(rig.Order());
    std::printf("[ order    ] %.2f s\n", Seconds(started));
    EXPECT_EQ(rig.ordering.RunLengths.size(), 301u);

    phase = 3;
    rig.host.PostCommand();
    started = GetTickCount64();
    rig.Compare();
    std::printf("[ compare  ] %.2f s, %llu bytes read\n", Seconds(started),
                static_cast<unsigned long long>(rig.comparison.BytesRead()));

    // Each message was handed over inside the phase it was posted in.
    EXPECT_EQ(handledIn, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rig.host.groupList.Count(), 30);
    EXPECT_EQ(rig.host.candidates.Count(), 300);
    int ticked = 0;
    for (const CandidateLine& line : rig.Lines()) ticked += line.check;
    EXPECT_EQ(ticked, 270);
    EXPECT_EQ(scripted::MessageBoxes().size(), 1u);
    EXPECT_EQ(rig.host.mainProgress.Pos(), 0);
}

}  // namespace
