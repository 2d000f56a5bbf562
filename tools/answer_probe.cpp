// Measures how long a program's window keeps another program waiting: asks
// for its title again and again (WM_GETTEXT with SendMessageTimeout, as a
// task switcher or a screen reader would) and reports the longest time from
// one answer to the next.
//   answer_probe.exe TITLE UNTIL [--after MS]
// Finds the shown top-level window whose title starts with TITLE, prints
// "probing", and asks every 10 ms until the answered title starts with
// UNTIL and MS milliseconds (2,000 by default) more have passed. Then prints
// "longest_unanswered_ms N", "longest_ended_at_ms N" (when its answer came),
// "until_at_ms N" (when the title turned), "answers N", "probed_ms N" and
// "longest_waits WAIT@END ..." (the five longest), the times counted from
// "probing". Gives up with a message after ten
// minutes.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Search {
    std::wstring prefix;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (IsWindowVisible(window) && std::wstring(title).compare(0, search->prefix.size(), search->prefix) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindShown(const std::wstring& prefix, DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < timeoutMs) {
        Search search = {prefix, nullptr};
        EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(10);
    }
    return nullptr;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

}  // namespace

int main() {
    int argc = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &argc),
                                                                LocalFree);
    if (!argv || argc < 3) {
        std::fprintf(stderr, "usage: answer_probe.exe TITLE UNTIL [--after MS]\n");
        return 2;
    }
    const std::wstring prefix = argv.get()[1];
    const std::wstring until = argv.get()[2];
    double afterMs = 2000;
    if (argc >= 5 && std::wcscmp(argv.get()[3], L"--after") == 0) afterMs = std::wcstod(argv.get()[4], nullptr);

    HWND window = FindShown(prefix, 20000);
    if (!window) {
        std::fprintf(stderr, "answer_probe: no window\n");
        return 1;
    }
    std::printf("probing\n");
    std::fflush(stdout);

    LARGE_INTEGER frequency, start, lastAnswer, now, reached = {};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    lastAnswer = start;
    double longest = 0;
    double longestEndedAt = 0;
    std::vector<std::pair<double, double>> waits;  // (wait, when it ended), the longest first
    long answers = 0;
    bool untilSeen = false;
    for (;;) {
        wchar_t title[256] = {};
        DWORD_PTR length = 0;
        const bool answered = SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(title),
                                                  SMTO_NORMAL, 1000, &length) != 0;
        QueryPerformanceCounter(&now);
        if (!IsWindow(window)) {
            std::fprintf(stderr, "answer_probe: the window went\n");
            return 1;
        }
        if (answered) {
            const double gap = Milliseconds(lastAnswer, now, frequency);
            const double at = Milliseconds(start, now, frequency);
            if (gap > longest) {
                longest = gap;
                longestEndedAt = at;
            }
            if (waits.size() < 5 || gap > waits.back().first) {
                waits.emplace_back(gap, at);
                std::sort(waits.begin(), waits.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
                if (waits.size() > 5) waits.pop_back();
            }
            lastAnswer = now;
            ++answers;
            if (!untilSeen && std::wstring(title).compare(0, until.size(), until) == 0) {
                untilSeen = true;
                reached = now;
            }
        }
        if (untilSeen && Milliseconds(reached, now, frequency) >= afterMs) break;
        if (Milliseconds(start, now, frequency) > 600000) {
            std::fprintf(stderr, "answer_probe: the title never turned\n");
            return 1;
        }
        Sleep(10);
    }
    std::printf("longest_unanswered_ms %.0f\nlongest_ended_at_ms %.0f\nuntil_at_ms %.0f\nanswers %ld\n"
                "probed_ms %.0f\n",
                longest, longestEndedAt, Milliseconds(start, reached, frequency), answers,
                Milliseconds(start, now, frequency));
    std::printf("longest_waits");
    for (const auto& [wait, at] : waits) std::printf(" %.0f@%.0f", wait, at);
    std::printf("\n");
    return 0;
}
