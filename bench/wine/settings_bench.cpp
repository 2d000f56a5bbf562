// How long the shown settings dialog keeps its user waiting with many
// folders: a settings file chosen through the Open button and the real file
// dialog, the dialog opened again with the folders that OK kept, and
// folders dropped on the folder list. Each case starts with the dialog
// shown and drawn and ends when it is drawn again; the clock of a load
// starts when the file dialog's Open is pressed.
//   settings_bench.exe [--quick]   --quick: the 5,000-folder file and the
//                                  2,000-folder drop only
#include "res/resource.h"
#include "platform/WidePath.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsFile.h"
#include "support/DroppedFiles.h"
#include "support/TempTree.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

// Handles what is waiting (the drawing above all) and returns when nothing is.
void Settle(HWND dialog) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Answers the next file dialog of this thread as its user would: types the
// path into the file name field and presses Open, noting the time.
class FileDialogAnswer {
public:
    FileDialogAnswer(std::string path, HWND settings) : path_(std::move(path)), settings_(settings) {
        window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetTimer(window_, 1, 20, &FileDialogAnswer::OnTimer);
    }
    ~FileDialogAnswer() { DestroyWindow(window_); }
    FileDialogAnswer(const FileDialogAnswer&) = delete;
    FileDialogAnswer& operator=(const FileDialogAnswer&) = delete;

    // When Open was pressed in the file dialog; 0 before.
    double ChosenAt() const { return chosenAt_; }

private:
    static void CALLBACK OnTimer(HWND window, UINT, UINT_PTR, DWORD) {
        auto* self = reinterpret_cast<FileDialogAnswer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        EnumThreadWindows(GetCurrentThreadId(), &FileDialogAnswer::OnWindow, reinterpret_cast<LPARAM>(self));
    }

    static BOOL CALLBACK OnWindow(HWND window, LPARAM data) {
        auto* self = reinterpret_cast<FileDialogAnswer*>(data);
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (window == self->settings_ || std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window))
            return TRUE;
        HWND name = GetDlgItem(window, edt1);
        if (!name) name = GetDlgItem(window, cmb13);
        if (!name) return TRUE;
        KillTimer(self->window_, 1);
        SetWindowTextA(name, self->path_.c_str());
        self->chosenAt_ = Now();
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
        return FALSE;
    }

    std::string path_;
    HWND settings_;
    HWND window_ = nullptr;
    double chosenAt_ = 0;
};

// The settings dialog shown and drawn over an owner in the main window's
// place, as the Settings button leaves it.
class ShownSettings {
public:
    explicit ShownSettings(const std::string& joinedDirectories = "") {
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        dialog_.JoinedDirectories = widepath::FromCp932(joinedDirectories);
    }
    ~ShownSettings() {
        dialog_.DestroyWindow();
        DestroyWindow(owner_);
    }
    ShownSettings(const ShownSettings&) = delete;
    ShownSettings& operator=(const ShownSettings&) = delete;

    // Opens the dialog and returns the seconds until it is drawn.
    double Open() {
        const double start = Now();
        dialog_.Create(owner_);
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        Settle(Handle());
        return Now() - start;
    }
    HWND Handle() const { return dialog_.Handle(); }
    HWND Item(int id) const { return GetDlgItem(Handle(), id); }
    int Count(int listId) const { return static_cast<int>(SendMessageA(Item(listId), LB_GETCOUNT, 0, 0)); }

private:
    CSettingsDialog dialog_;
    HWND owner_ = nullptr;
};

std::string Records(const char* marker, const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& value : values) text += std::string(marker) + "\r\n" + value + "\r\n";
    return text;
}

void Report(const char* what, size_t bytes, const ShownSettings& ui, double seconds) {
    std::printf("%-46s %8zu bytes %6d folders %6d types %8.2f s\n", what, bytes, ui.Count(IDC_DIRECTORY_LIST),
                ui.Count(IDC_FILETYPE_LIST), seconds);
    std::fflush(stdout);
}

// Opens `contents` as a settings file through the Open button of a shown
// dialog.
void MeasureLoad(const TempTree& files, const char* what, const std::string& contents) {
    const std::string path = files.WriteFile("bench.dat", contents);
    ShownSettings ui;
    ui.Open();
    FileDialogAnswer answer(path, ui.Handle());
    SendMessageA(ui.Item(IDC_OPEN_BUTTON), BM_CLICK, 0, 0);
    Settle(ui.Handle());
    const double seconds = Now() - answer.ChosenAt();
    Report(what, contents.size(), ui, seconds);
}

// Drops `folders` on the folder list of a shown dialog opened with
// `joinedDirectories`.
void MeasureDrop(const char* what, const std::vector<std::string>& folders, const std::string& joinedDirectories) {
    ShownSettings ui(joinedDirectories);
    ui.Open();
    const double start = Now();
    SendMessageA(ui.Item(IDC_DIRECTORY_LIST), WM_DROPFILES, reinterpret_cast<WPARAM>(dropped::MakeDrop(folders)), 0);
    Settle(ui.Handle());
    Report(what, 0, ui, Now() - start);
}

// OK with the listed folders, and the next opening that lists them again.
void MeasureReopening(const char* what, const std::string& joinedDirectories) {
    ShownSettings ui(joinedDirectories);
    const double seconds = ui.Open();
    Report(what, joinedDirectories.size(), ui, seconds);
}

std::string Joined(const std::vector<std::string>& folders) {
    std::string joined;
    for (const std::string& folder : folders) joined += folder + ";;";
    return joined;
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    TempTree folderTree, files;
    std::printf("creating the folders ...\n");
    std::fflush(stdout);
    // Short names, so that 1 MB of records holds as many folders as it can;
    // 100 to a parent, since Wine looks through the whole parent for every
    // new name.
    const int folderCount = quick ? 5000 : 20000;
    std::vector<std::string> folders;
    for (int i = 0; i < folderCount; ++i)
        folders.push_back(folderTree.Folder(std::to_string(i / 100) + "\\" + std::to_string(i % 100)));
    const std::vector<std::string> first5000(folders.begin(), folders.begin() + 5000);
    const std::vector<std::string> first2000(folders.begin(), folders.begin() + 2000);

    MeasureLoad(files, "Open: 5,000 folders", Records("#DIRECTORY", first5000));
    MeasureDrop("drop: 2,000 folders on an empty list", first2000, "");
    if (quick) return 0;

    std::vector<std::string> shuffled(first5000);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(1));
    MeasureLoad(files, "Open: 5,000 folders in random order", Records("#DIRECTORY", shuffled));
    MeasureReopening("opening with 5,000 folders kept by OK", Joined(first5000));
    MeasureDrop("drop: 2,000 folders on a list of 5,000", std::vector<std::string>(folders.begin() + 5000,
                                                                                   folders.begin() + 7000),
                Joined(first5000));

    // The largest files taken, each just under the limit (a larger one is
    // refused with a message box, which would wait for a person).
    const size_t limit = CSettingsFile::MaxFileBytes;
    // Descending: each folder goes to the top of the sorted list.
    std::vector<std::string> descending(folders);
    std::sort(descending.rbegin(), descending.rend());
    std::string manyFolders;
    for (const std::string& folder : descending) {
        const std::string record = Records("#DIRECTORY", {folder});
        if (manyFolders.size() + record.size() > limit) break;
        manyFolders += record;
    }
    MeasureLoad(files, "Open: 1 MB of folders, in descending order", manyFolders);

    std::vector<std::string> patterns;
    for (int i = 0; (patterns.size() + 1) * Records("#FILETYPE", {"*.x100000"}).size() <= limit; ++i)
        patterns.push_back("*.x" + std::to_string(100000 + i));
    MeasureLoad(files, "Open: 1 MB of different patterns", Records("#FILETYPE", patterns));
    std::reverse(patterns.begin(), patterns.end());
    MeasureLoad(files, "Open: 1 MB of patterns, in descending order", Records("#FILETYPE", patterns));

    const std::string round = Records("#DIRECTORY", first5000) + Records("#FILETYPE", {"*.jpg", "*.txt"});
    std::string repeated;
    while (repeated.size() + round.size() <= limit) repeated += round;
    MeasureLoad(files, "Open: 1 MB of 5,000 folders repeated", repeated);
    return 0;
}
