// Triage of 100,000 candidate lines in a shown list: each rule with the
// ticked total and the drawing after it, a click on a tick box with the
// total, and saving the list. make bench runs it:
//   scripts/with-wine.sh bash -c '"$WINE" build/win32/triage_bench.exe'
#include "review/ListExport.h"
#include "review/SelectionMenu.h"
#include "support/ListHost.h"
#include "support/TempTree.h"

#include "platform/WidePath.h"

#include <cstdio>

namespace {

double SecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

template <class Step>
void Measure(const char* what, HWND list, Step step) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    step();
    UpdateWindow(list);  // what the user waits for includes the drawing
    std::printf("%-40s %6.3f s\n", what, SecondsSince(start));
    std::fflush(stdout);
}

int Run() {
    const int Lines = 100000;
    TempTree tree;
    ListHost host(ListHost::CandidateStyles, 900, 600);
    ShowWindow(GetParent(host.List()), SW_SHOW);
    CCandidateList list;
    list.Attach(host.List());
    list.InitStorage(Lines, 260);
    SendMessageA(host.List(), WM_SETREDRAW, FALSE, 0);
    // Groups of two and three copies over 1,000 folders, long paths, times
    // over ten years.
    int group = 0;
    for (int line = 0; line < Lines; ++group) {
        const int copies = group % 2 ? 3 : 2;
        for (int copy = 0; copy < copies && line < Lines; ++copy, ++line) {
            FileInfo file;
            file.size = 1000 + static_cast<std::uint64_t>(group) * 37;
            file.lastWriteTime = 1400000000 + static_cast<std::int64_t>((line * 7919) % 100000) * 3153;  // ten years
            file.path = L"C:\\Users\\someone\\Pictures\\archive\\folder" + std::to_wstring(line % 1000) +
                        L"\\photo_" + std::to_wstring(group) + L"_" + std::to_wstring(copy) + L".jpg";
            const int at = list.AppendLine(file, RGB(220, 50, 50), RGB(255, 255, 255), group);
            if (copy > 0) list.SetCheck(at, 1);
        }
    }
    SendMessageA(host.List(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(host.List(), nullptr, TRUE);
    UpdateWindow(host.List());
    std::printf("%d lines in %d groups\n", list.Count(), group);

    const int chosen = Lines / 2;
    list.SetTopIndex(chosen);
    UpdateWindow(host.List());
    std::uint64_t files = 0;
    const struct {
        CSelectionMenu::Command command;
        const char* name;
    } rules[] = {
        {CSelectionMenu::KeepOldest, "rule: keep the oldest + total"},
        {CSelectionMenu::KeepNewest, "rule: keep the newest + total"},
        {CSelectionMenu::KeepFolder, "rule: keep this folder + total"},
        {CSelectionMenu::TickFolder, "rule: tick this folder + total"},
        {CSelectionMenu::KeepOnlyLine, "rule: keep only this file + total"},
        {CSelectionMenu::UntickAll, "rule: untick all + total"},
    };
    for (const auto& rule : rules) {
        Measure(rule.name, host.List(), [&] {
            CSelectionMenu::ApplyRule(list, rule.command, chosen);
            files = list.Ticked().files;
        });
    }
    RECT rect;
    list.Send(LB_GETITEMRECT, chosen, reinterpret_cast<LPARAM>(&rect));
    const LPARAM box = MAKELPARAM(rect.left + 5, (rect.top + rect.bottom) / 2);
    Measure("click on a tick box + total", host.List(), [&] {
        list.Send(WM_LBUTTONDOWN, MK_LBUTTON, box);
        list.Send(WM_LBUTTONUP, 0, box);
        files = list.Ticked().files;
    });
    if (files != 1) std::printf("the click left %llu files ticked, not 1\n", static_cast<unsigned long long>(files));
    const std::string csv = tree.Path("list.csv");
    bool saved = false;
    Measure("save the list (CSV)", host.List(), [&] { saved = CListExport::Save(list, widepath::FromCp932(csv)) == CListExport::Result::Saved; });
    if (!saved) std::printf("the list was not saved\n");
    std::printf("CSV: %zu bytes\n", TempTree::ReadFile(csv).size());
    list.ClearLines();
    return files == 1 && saved ? 0 : 1;
}

}  // namespace

int main() { return Run(); }
