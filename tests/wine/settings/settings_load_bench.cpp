// Load times of large settings files: a benchmark, not a test. Run it by
// hand (one line):
//   scripts/with-wine.sh bash -c '"$WINE" build/win64/wine_settings_tests.exe
//   --gtest_also_run_disabled_tests --gtest_filter=*LoadTimes*'
#include "SettingsHarness.h"
#include "support/ScriptedPrompts.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

double Seconds(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// Opens `contents` as a settings file and prints how long the Open button took.
void Measure(const TempTree& tree, const char* what, const std::string& contents) {
    CSettingsDialog dialog;
    SettingsHarness ui(dialog);
    scripted::Reset();
    scripted::AnswerFileDialog(tree.WriteFile("bench.dat", contents));
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    ui.Press(IDC_OPEN_BUTTON);
    const double seconds = Seconds(start);
    std::printf("%-44s %8zu bytes  %6zu folders %6zu types  %7.2f s%s\n", what, contents.size(),
                ui.Items(IDC_DIRECTORY_LIST).size(), ui.Items(IDC_FILETYPE_LIST).size(), seconds,
                scripted::MessageBoxes().empty() ? "" : "  (refused with a message)");
    std::fflush(stdout);
}

std::string Records(const char* marker, const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& value : values) text += std::string(marker) + "\r\n" + value + "\r\n";
    return text;
}

TEST(SettingsLoad, DISABLED_LoadTimes) {
    TempTree tree;
    std::vector<std::string> folders, types1000, types4000, types5000;
    for (int i = 0; i < 5000; ++i) folders.push_back(tree.Folder("folder" + std::to_string(i)));
    for (int i = 0; i < 5000; ++i) {
        const std::string type = "*.e" + std::to_string(i);
        if (i < 1000) types1000.push_back(type);
        if (i < 4000) types4000.push_back(type);
        types5000.push_back(type);
    }
    Measure(tree, "5,000 folders", Records("#DIRECTORY", folders));
    Measure(tree, "1,000 patterns", Records("#FILETYPE", types1000));
    Measure(tree, "4,000 patterns", Records("#FILETYPE", types4000));
    Measure(tree, "5,000 patterns", Records("#FILETYPE", types5000));

    // Valid records, the 5,000 folders and patterns over and over: just
    // under the largest file taken, and about 10 MB.
    const std::string round = Records("#DIRECTORY", folders) + Records("#FILETYPE", types5000);
    std::string big;
    while (big.size() + round.size() <= 1024 * 1024) big += round;
    Measure(tree, "1 MB of repeated valid records", big);
    while (big.size() < 10000000) big += round;
    Measure(tree, "10 MB of repeated valid records", big);

    // The worst file taken: 1 MB of patterns that all differ.
    std::vector<std::string> many;
    for (int i = 0; many.size() * 22 < 1024 * 1024 - 22; ++i) many.push_back("*.x" + std::to_string(100000 + i));
    Measure(tree, "1 MB of different patterns", Records("#FILETYPE", many));
}

}  // namespace
