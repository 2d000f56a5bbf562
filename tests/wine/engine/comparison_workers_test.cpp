// The comparison workers over scripted files: a worker's failure is never
// taken for an abort, the group listing ends on every path, every worker is
// joined, and the window answers while a worker waits on a slow read or a
// question waits for the user.
#include "EngineHost.h"

#include "app/ControlSearchView.h"
#include "app/GroupListing.h"
#include "common/CommonTools.h"
#include "engine/ComparisonWorkers.h"
#include "engine/ContentComparer.h"
#include "engine/core/RunComparison.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

// What each file of the table does, shared by the workers' run files.
struct Script {
    enum What { Reads, OpenFails, ReadThrows, ReadWaits };
    struct File {
        std::string bytes;
        What what = Reads;
    };

    Script() : gate(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Script() { CloseHandle(gate); }
    void Release() { SetEvent(gate); }

    std::vector<File> files;
    HANDLE gate;                  // a waiting read goes on once it is set
    std::atomic<int> open{0};     // files open now, over every run
    std::atomic<int> live{0};     // run-file objects alive
    std::atomic<bool> waiting{false};
    bool releaseOnThrow = true;  // a throwing read lets the waiting one go on
    std::mutex threadsLock;
    std::vector<DWORD> runThreads;  // the thread of each run, in the order they began
};

class ScriptedRunFiles : public WorkerRunFiles {
public:
    ScriptedRunFiles(Script& script, std::size_t first, std::size_t count, FailureReport report)
        : script_(script), first_(first), open_(count, false), report_(std::move(report)) {
        ++script_.live;
        const std::lock_guard<std::mutex> lock(script_.threadsLock);
        script_.runThreads.push_back(GetCurrentThreadId());
    }
    ~ScriptedRunFiles() override {
        for (std::size_t file = 0; file < open_.size(); ++file) Close(file);
        --script_.live;
    }

    std::size_t Count() const override { return open_.size(); }
    std::uint64_t Length() const override { return script_.files[first_].bytes.size(); }
    bool Open(std::size_t file) override {
        if (Of(file).what == Script::OpenFails) {
            report_("f" + std::to_string(first_ + file));
            return false;
        }
        return Reopen(file);
    }
    bool Reopen(std::size_t file) override {
        open_[file] = true;
        ++script_.open;
        return true;
    }
    std::int64_t Read(std::size_t file, std::uint64_t offset, unsigned char* buffer, std::size_t size) override {
        if (Of(file).what == Script::ReadThrows) {
            if (script_.releaseOnThrow) script_.Release();
            throw std::runtime_error("scripted read failure");
        }
        if (Of(file).what == Script::ReadWaits) {
            script_.waiting = true;
            WaitForSingleObject(script_.gate, 5000);
            script_.waiting = false;
        }
        const std::string& bytes = Of(file).bytes;
        const std::size_t from = static_cast<std::size_t>(offset) < bytes.size() ? static_cast<std::size_t>(offset)
                                                                                 : bytes.size();
        const std::size_t got = size < bytes.size() - from ? size : bytes.size() - from;
        std::memcpy(buffer, bytes.data() + from, got);
        return static_cast<std::int64_t>(got);
    }
    void Close(std::size_t file) override {
        if (open_[file]) --script_.open;
        open_[file] = false;
    }
    std::uint64_t OpenedIndex(std::size_t file) const override { return first_ + file + 1; }

private:
    const Script::File& Of(std::size_t file) const { return script_.files[first_ + file]; }

    Script& script_;
    std::size_t first_;
    std::vector<bool> open_;
    FailureReport report_;
};

// Counts how the listing was begun and ended.
struct WatchedListing : GroupSink {
    explicit WatchedListing(GroupListing& listing) : listing(listing) {}
    void BeginGroups(std::shared_ptr<const engine::FileTable> files) override {
        ++begun;
        listing.BeginGroups(std::move(files));
    }
    void AddGroup(const std::vector<GroupMember>& members) override { listing.AddGroup(members); }
    void RunCompared() override { listing.RunCompared(); }
    void EndGroups() override {
        ++ended;
        listing.EndGroups();
    }
    GroupListing& listing;
    int begun = 0;
    int ended = 0;
};

// The main window's view over the host's controls, with its title kept
// and each question answered by `onQuestion` first.
struct WatchedView : ControlSearchView {
    explicit WatchedView(EngineHost& host)
        : ControlSearchView(host.statusField, host.groupList, host.mainProgress, host.runProgress,
                            [this](const std::string& text) { titles.push_back(text); }) {}
    int Message(const std::string& text, UINT type) override {
        if (type == MB_YESNO && onQuestion) onQuestion();
        return ControlSearchView::Message(text, type);
    }
    std::vector<std::string> titles;
    std::function<void()> onQuestion;
};

class ComparisonWorkersTest : public ::testing::Test {
protected:
    void SetUp() override { scripted::Reset(); }

    // Runs of files, each given as its files' bytes and what they do.
    ComparisonJob Job(const std::vector<std::vector<Script::File>>& runs) {
        auto files = std::make_shared<GatheredFileList>();
        ComparisonJob job;
        for (const auto& run : runs) {
            for (const Script::File& file : run) {
                script.files.push_back(file);
                files->AppendPath(L"f" + std::to_wstring(files->Count()), file.bytes.size(), 0);
            }
            job.runLengths.push_back(static_cast<int>(run.size()));
        }
        job.runLengths.push_back(CCommonTools().NoIndex());
        job.paths = std::move(files);
        return job;
    }
    WorkerRunFiles::Opener Opener() {
        return [this](const GatheredFileList&, std::size_t first, std::size_t count, std::uint64_t,
                      WorkerRunFiles::FailureReport report) {
            return std::make_unique<ScriptedRunFiles>(script, first, count, std::move(report));
        };
    }
    bool TimeTakenShown() const {
        for (const auto& box : scripted::MessageBoxes())
            if (box.type == MB_OK) return true;
        return false;
    }

    Script script;
    EngineHost host;
    WatchedView view{host};
    MessagePump pump;
    GroupListing listing{host.groupList, host.candidates};
    WatchedListing sink{listing};
    CContentComparer comparer{pump, Opener()};
};

const Script::File Same{"same"};
// A file longer than one block: runs of such files are compared side by side.
Script::File Long(char fill, Script::What what = Script::Reads) {
    return {std::string(engine::BlockSize + 1, fill), what};
}

TEST_F(ComparisonWorkersTest, AFailedWorkerEndsTheComparisonWithItsFailureNeverAsFinished) {
    // The other worker's run, cut short by the failure's stop, must not
    // pass for an aborted comparison that found what it found.
    ComparisonJob job = Job({{Long('w', Script::ReadWaits), Long('w')}, {Long('s'), Long('s', Script::ReadThrows)}});
    EXPECT_THROW(comparer.CompareAll(std::move(job), sink, view), std::runtime_error);
    EXPECT_FALSE(TimeTakenShown());
    EXPECT_EQ(script.live.load(), 0);
}

TEST_F(ComparisonWorkersTest, AFailureEndsTheGroupListingSoTheListDrawsAgain) {
    ComparisonJob job = Job({{Same, Same}, {Same, {"same", Script::ReadThrows}}});
    EXPECT_THROW(comparer.CompareAll(std::move(job), sink, view), std::runtime_error);
    EXPECT_EQ(sink.begun, 1);
    EXPECT_EQ(sink.ended, 1);
    // Held back, the list would have lost its visible style.
    EXPECT_NE(GetWindowLongA(host.candidates.Handle(), GWL_STYLE) & WS_VISIBLE, 0);
}

TEST_F(ComparisonWorkersTest, EveryStartedWorkerHasEndedWhenTheWorkersRaiseAFailureOrGo) {
    ComparisonJob job = Job({{Long('w', Script::ReadWaits), Long('w')}, {Long('s'), Long('s', Script::ReadThrows)}});
    // Released late, so that ending waits on a read under way.
    script.releaseOnThrow = false;
    const auto releaseLate = [this] {
        Sleep(150);
        script.Release();
    };
    {
        ComparisonWorkers workers(*job.paths, {{0, 2}, {2, 2}}, Opener());
        // As the window's thread does: it ends the workers once it sees the failure.
        ComparisonWorkers::Outcome outcome;
        std::string asked;
        while (workers.Poll(0, outcome, asked) != ComparisonWorkers::Event::Failed) Sleep(1);
        std::thread release(releaseLate);
        EXPECT_THROW(workers.End([] {}), std::runtime_error);
        EXPECT_EQ(script.live.load(), 0);
        release.join();
    }
    ResetEvent(script.gate);
    std::optional<ComparisonWorkers> workers;
    workers.emplace(*job.paths, std::vector<ComparisonWorkers::Run>{{0, 2}}, Opener());
    while (!script.waiting) Sleep(1);
    std::thread release(releaseLate);
    workers.reset();
    EXPECT_EQ(script.live.load(), 0);
    release.join();
}

TEST_F(ComparisonWorkersTest, RunsOfOneBlockFilesAreComparedOneAtATimeInRunOrder) {
    // The second run waits for the first, whose worker waits in a read;
    // its open failure is asked once the first run has ended, and the same
    // worker compares both.
    ComparisonJob job = Job({{{"slow", Script::ReadWaits}, {"slow"}}, {Same, {"same", Script::OpenFails}, Same}});
    int runsOpenWhileWaiting = -1;
    std::thread release([&] {
        while (!script.waiting) Sleep(1);
        Sleep(100);
        runsOpenWhileWaiting = script.live.load();
        script.Release();
    });
    comparer.CompareAll(std::move(job), sink, view);
    release.join();
    EXPECT_EQ(runsOpenWhileWaiting, 1);
    EXPECT_EQ(host.candidates.Count(), 4);
    EXPECT_EQ(scripted::MessageBoxes()[0].text, "f3 が開けませんでした\nこれ以降このメッセージを表示しますか？");
    // Handed to the other worker, each run would cost both a wake-up.
    ASSERT_EQ(script.runThreads.size(), 2u);
    EXPECT_EQ(script.runThreads[0], script.runThreads[1]);
}

TEST_F(ComparisonWorkersTest, AnAbortDuringASlowReadKeepsTheWindowAnsweringAndSaysSo) {
    ComparisonJob job = Job({{{"slow", Script::ReadWaits}, {"slow"}}});
    bool aborted = false;
    bool answeredWhileWaiting = false;
    // Aborts once the worker waits in its read, then looks for the window
    // to answer while the worker still waits.
    host.onCommand = [&] {
        if (script.waiting && !aborted) {
            comparer.Abort();
            aborted = true;
        } else if (script.waiting && !view.titles.empty()) {
            answeredWhileWaiting = true;
            return script.Release();
        }
        host.PostCommand();
    };
    host.PostCommand();
    comparer.CompareAll(std::move(job), sink, view);
    EXPECT_TRUE(answeredWhileWaiting);
    EXPECT_EQ(view.titles, std::vector<std::string>{"中止しています"});
    EXPECT_TRUE(TimeTakenShown());
    EXPECT_EQ(host.candidates.Count(), 0);
}

TEST_F(ComparisonWorkersTest, NoFileIsHeldOpenWhileAnOpenFailureIsAsked) {
    ComparisonJob job = Job({{Same, {"same", Script::OpenFails}, Same}});
    int openWhileAsked = -1;
    view.onQuestion = [&] { openWhileAsked = script.open.load(); };
    comparer.CompareAll(std::move(job), sink, view);
    EXPECT_EQ(openWhileAsked, 0);
    ASSERT_EQ(scripted::MessageBoxes().size(), 2u);
    EXPECT_EQ(scripted::MessageBoxes()[0].text, "f1 が開けませんでした\nこれ以降このメッセージを表示しますか？");
    // The file closed for the question opened again and was compared.
    ASSERT_EQ(host.candidates.Count(), 2);
    EXPECT_EQ(host.candidates.LineText(0), "f0");
    EXPECT_EQ(host.candidates.LineText(1), "f2");
}

// Counts its paints in the LONG its window data points to.
LRESULT WINAPI CountPaints(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, w, l);
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    InterlockedIncrement(reinterpret_cast<LONG*>(GetWindowLongPtrA(window, GWLP_USERDATA)));
    return 0;
}

TEST_F(ComparisonWorkersTest, TheWindowStillPaintsWhileAWorkerWaitsInARead) {
    // The waits for the workers are not woken by a paint; the pump's looks
    // must still hand it over.
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &CountPaints;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PaintCounter";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("PaintCounter", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    LONG paints = 0;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&paints));
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    InterlockedExchange(&paints, 0);
    ComparisonJob job = Job({{{"slow", Script::ReadWaits}, {"slow"}}});
    std::thread invalidate([&] {
        while (!script.waiting) Sleep(1);
        InvalidateRect(window, nullptr, TRUE);
        for (int i = 0; i < 200 && InterlockedCompareExchange(&paints, 0, 0) == 0; ++i) Sleep(10);
        script.Release();
    });
    comparer.CompareAll(std::move(job), sink, view);
    invalidate.join();
    EXPECT_GT(InterlockedCompareExchange(&paints, 0, 0), 0);
    DestroyWindow(window);
}

}  // namespace
