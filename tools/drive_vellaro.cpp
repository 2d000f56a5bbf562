// Drives a running vellaro.exe from outside, as a person would: opens the
// settings, enters a folder, confirms, starts the search and closes the
// time message, then leaves the window showing the result.
//   drive_vellaro.exe <folder> [--exit] [--sync] [--shots] [--groups FILE]
//                     [--delete COUNT good|recycle|link PAIRS] [--rule ENTRY] [--scope]
//                     [--exclude TEXT]... [--links]
// Prints the elapsed milliseconds from the press of Search to the time
// message. With --exit it then presses Finish. With --groups it writes the
// groups that the window shows into FILE: the paths of each group's lines
// in UTF-8, one a line, and a blank line after each group. It takes them,
// as it takes the lines that --delete, --rule and --links work on, from the
// list saved through the candidate list's menu ("一覧を保存") and the save
// dialog, into a file of its own in the temporary folder that it deletes
// afterwards: the window's lists hold no texts to read back.
// With --sync (for the benchmark) it prints "ready" and waits for a line on
// its input before pressing Search; when the time message is up it prints
// "key value" lines (collect_ms: until the title says the comparison began,
// compare_ms: until the status field says the files are being compared,
// elapsed_ms, and the message's text) and "done", and waits for another
// line before closing the message, so that the caller can sample the
// process around the search alone; once the result is shown it prints
// "shown" and waits for a line again.
// With --delete it then ticks COUNT copies (never a group's first line),
// spread evenly over the list, writes each ticked path and its group's
// first path, in cp932 and separated by a tab, into PAIRS, and deletes the
// ticked files for good or into the Recycle Bin, or replaces them with hard
// links from the candidate list's menu ("link"); with --sync the "ready"
// and "done" points surround the deletion instead of the search, and it
// prints delete_ms (from the answer to the question to the title that
// says the deletion ended) and the text of a message that followed, if any.
// With --shots (for the screenshots) it stops where a picture is wanted and
// prints "shot NAME LEFT TOP WIDTH HEIGHT", the screen area to take, then
// waits for a line: "settings" (the folder entered, before OK), "main"
// (after the search), and, deleting the files ticked as the program ticked
// them, "question" (the question before the deletion) and "result" (the
// message after it, if one came); "end" closes the list. With --links as
// well, the ticked files are replaced with hard links from the menu instead.
// With --rule it then opens the candidate list's context menu from the
// keyboard on the first line in a folder named "バックアップ" (or the first
// line) and chooses entry ENTRY (1 to 6) with the arrow keys and Enter.
// With --scope it fills in the settings that narrow the search before OK:
// the folder's subfolder "写真\旅行" listed too and protected, the folder
// name "downloads" excluded and a minimum size of 1 KB; with --shots it then
// stops after the picture of the result ("end" follows "main"). Each
// --exclude adds TEXT to the excluded folders.
#include <windows.h>
#include <shellapi.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int CandidateList = 1000;
constexpr int SearchButton = 1001;
constexpr int SettingsButton = 1002;
constexpr int DeleteButton = 1003;
constexpr int RecycleCheck = 1043;
constexpr int GroupList = 1004;
constexpr int StatusField = 1050;
constexpr int AddButton = 1025;
constexpr int FolderEntry = 1031;
constexpr int FolderList = 1024;
constexpr int MinimumSize = 1060;
constexpr int ExcludeEntry = 1061;
constexpr int ExcludeAdd = 1062;
constexpr int ProtectCheck = 1064;

struct Search {
    std::string prefix;
    DWORD process;
    HWND found;
};

std::string TitleOf(HWND window) {
    char title[512] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

BOOL CALLBACK MatchTitle(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    if (StartsWith(TitleOf(window), search->prefix)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(DWORD process, const std::string& prefix, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        Search search = {prefix, process, nullptr};
        EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(10);
    }
    return nullptr;
}

void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A message box of the program: a dialog window without the program's
// bracketed titles. The class is matched by the server, so a look costs a
// few requests however many windows there are.
HWND FindMessageBox(DWORD process) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window) && !StartsWith(TitleOf(window), "[")) return window;
    }
    return nullptr;
}

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    DWORD Milliseconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<DWORD>((now.QuadPart - start_.QuadPart) * 1000 / frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

// Whether the status field says that the files are being compared. An edit
// field's text is asked for with a message (it is not kept where other
// processes can read it); the program answers between two files.
bool ComparisonShown(HWND status) {
    wchar_t text[64] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(status, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 100,
                             &length))
        return false;
    const std::wstring shown(text);
    return shown == L"ファイルを比較中" || shown.compare(0, 6, L"予想残り時間") == 0;
}

struct SearchTimes {
    HWND box = nullptr;
    long collectMs = -1;
    long compareMs = -1;
    DWORD elapsedMs = 0;
};

// Watches the search from the press of Search to the time message: when the
// title turns to the comparison (the collection has ended) and when the
// status field shows that the files are being compared (the ordering has
// ended). A few cheap requests every 5 ms until then, and every 20 ms while
// the files are compared: a person watching costs the program nothing, and
// every request of the watcher waits in the wineserver's one queue with the
// program's own (at 5 ms the watcher made about 4 % of the requests of a
// search). The time message disables the main window, and only then (or
// every second, in case) is it looked for: a look takes a dozen requests,
// and at one every 100 ms the looks came to a fifth of the requests that
// the program's window made while comparing 100,000 small files.
bool WatchSearch(HANDLE process, DWORD processId, HWND main, SearchTimes& times) {
    const std::string comparing = "[Vellaro] 比較中です";
    HWND status = GetDlgItem(main, StatusField);
    Stopwatch clock;
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(SearchButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, SearchButton)));
    DWORD lastLook = 0;
    for (;;) {
        const DWORD pollMs = times.compareMs < 0 ? 5 : 20;
        if (WaitForSingleObject(process, pollMs) == WAIT_OBJECT_0) return false;
        const DWORD now = clock.Milliseconds();
        if (times.collectMs < 0) {
            if (TitleOf(main) == comparing) times.collectMs = long(now);
        } else if (times.compareMs < 0 && ComparisonShown(status)) {
            times.compareMs = long(clock.Milliseconds());
        }
        if (!IsWindowEnabled(main) || now - lastLook >= 1000) {
            lastLook = now;
            times.box = FindMessageBox(processId);
            if (times.box) {
                times.elapsedMs = now;
                return true;
            }
        }
    }
}

// Whether the search has ended with its result shown, or with none found.
bool ResultShown(HWND main) {
    const std::string title = TitleOf(main);
    return StartsWith(title, "[Vellaro] 比較が終了しました") ||
           StartsWith(title, "[Vellaro] 重複ファイルが見つかりませんでした");
}

// A line of the saved list: its group (numbered from 1) and its exact path
// in UTF-8.
struct SavedLine {
    long group = 0;
    std::string path;
};

// Reads a list saved as CSV (UTF-8 with a byte-order mark, a header line,
// then group, size, time, tick and path; a field in quotes when it holds a
// comma, a quote or a line break, each quote doubled) a piece at a time,
// handing on each line after the header. A list of millions of lines is
// never held whole.
class SavedListReader {
public:
    using Visit = std::function<bool(const SavedLine&)>;

    static bool Read(const std::wstring& file, const Visit& visit) {
        const std::unique_ptr<void, decltype(&CloseHandle)> handle(
            CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr), CloseHandle);
        if (handle.get() == INVALID_HANDLE_VALUE) return false;
        SavedListReader reader(visit);
        std::vector<char> buffer(1 << 20);
        bool first = true;
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(handle.get(), buffer.data(), DWORD(buffer.size()), &got, nullptr)) return false;
            if (got == 0) break;
            const char* at = buffer.data();
            const char* const stop = at + got;
            if (first && got >= 3 && std::memcmp(at, "\xEF\xBB\xBF", 3) == 0) at += 3;
            first = false;
            for (; at < stop; ++at)
                if (!reader.Take(*at)) return false;
        }
        return reader.End();
    }

private:
    enum class State { FieldStart, Plain, Quoted, QuoteInQuoted };

    explicit SavedListReader(const Visit& visit) : visit_(visit) {}

    bool Take(char c) {
        if (state_ == State::QuoteInQuoted) {
            if (c == '"') {
                field_ += '"';
                state_ = State::Quoted;
                return true;
            }
            state_ = State::Plain;  // the quote closed the field's quoted part
        } else if (state_ == State::Quoted) {
            if (c == '"') state_ = State::QuoteInQuoted;
            else field_ += c;
            return true;
        }
        switch (c) {
        case '"':
            if (state_ == State::FieldStart) state_ = State::Quoted;
            else field_ += c;
            return true;
        case ',': EndField(); return true;
        case '\r': return true;
        case '\n': EndField(); return EndRecord();
        default:
            field_ += c;
            state_ = State::Plain;
            return true;
        }
    }

    bool End() {
        if (state_ == State::Quoted) return false;  // cut off inside quotes
        if (state_ == State::FieldStart && fields_.empty()) return true;
        EndField();
        return EndRecord();
    }

    void EndField() {
        fields_.push_back(std::move(field_));
        field_.clear();
        state_ = State::FieldStart;
    }

    bool EndRecord() {
        const bool header = !headerSeen_;
        headerSeen_ = true;
        std::vector<std::string> fields;
        fields.swap(fields_);
        if (header) return true;
        if (fields.size() != 5 || fields[0].empty()) return false;
        char* end = nullptr;
        line_.group = std::strtol(fields[0].c_str(), &end, 10);
        if (*end != '\0' || line_.group < 1) return false;
        line_.path = std::move(fields[4]);
        return visit_(line_);
    }

    const Visit& visit_;
    State state_ = State::FieldStart;
    std::string field_;
    std::vector<std::string> fields_;
    bool headerSeen_ = false;
    SavedLine line_;
};

std::wstring Utf16(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(std::size_t(std::max(0, MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0],
                                                            int(wide.size())))));
    return wide;
}

// The path as the program's list shows it: cp932, with "?" for a character
// cp932 cannot write.
std::string Cp932(const std::string& utf8) {
    const std::wstring wide = Utf16(utf8);
    std::string text(2 * wide.size(), '\0');
    text.resize(std::size_t(std::max(0, WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()),
                                                            &text[0], int(text.size()), "?", nullptr))));
    return text;
}

// Writes the groups of the saved list into `path`: the paths of each
// group's lines, one a line, and a blank line after each group. A group
// starts where the group number changes.
bool WriteGroups(const std::wstring& savedList, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    long group = 0;
    // No saved list: no lines.
    const bool read = savedList.empty() || SavedListReader::Read(savedList, [&](const SavedLine& line) {
        if (group != 0 && line.group != group) out << '\n';
        group = line.group;
        out << line.path << '\n';
        return bool(out);
    });
    if (group != 0) out << '\n';
    out.close();
    return read && !out.fail();
}

// Ticks `count` lines that are not the first of their group, spread evenly,
// and nothing else, through the list's own keyboard handling: the space bar
// gives every selected line the opposite of the caret line's tick. Writes
// each ticked path and its group's first path into `pairsFile`. Line k of
// the saved list is line k of the window's list.
bool TickCopies(HWND main, const std::vector<SavedLine>& shown, int count, const std::string& pairsFile) {
    HWND lines = GetDlgItem(main, CandidateList);
    const LRESULT lineCount = SendMessageA(lines, LB_GETCOUNT, 0, 0);
    if (lineCount < 0 || std::size_t(lineCount) != shown.size()) return false;
    std::vector<LRESULT> copies, firstOf;
    LRESULT first = 0;
    for (LRESULT line = 0; line < lineCount; ++line) {
        if (line == 0 || shown[std::size_t(line)].group != shown[std::size_t(line - 1)].group) {
            first = line;
            continue;
        }
        copies.push_back(line);
        firstOf.push_back(first);
    }
    if (count <= 0 || static_cast<std::size_t>(count) > copies.size()) return false;
    // Not drawn line by line: each drawing costs milliseconds under Wine,
    // which on 100,000 lines takes many minutes before the timed part.
    SendMessageA(lines, WM_SETREDRAW, FALSE, 0);
    // Every line unticked: all selected, the caret on a ticked copy.
    SendMessageA(lines, LB_SETSEL, TRUE, -1);
    SendMessageA(lines, LB_SETCARETINDEX, copies[0], 0);
    SendMessageA(lines, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(lines, LB_SETSEL, FALSE, -1);
    std::ofstream pairs(pairsFile, std::ios::binary);
    LRESULT firstChosen = -1;
    for (int k = 0; k < count; ++k) {
        const std::size_t at = static_cast<std::size_t>(k) * copies.size() / static_cast<std::size_t>(count);
        SendMessageA(lines, LB_SETSEL, TRUE, copies[at]);
        if (firstChosen < 0) firstChosen = copies[at];
        pairs << Cp932(shown[std::size_t(copies[at])].path) << '\t' << Cp932(shown[std::size_t(firstOf[at])].path)
              << '\n';
    }
    SendMessageA(lines, LB_SETCARETINDEX, firstChosen, 0);
    SendMessageA(lines, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(lines, LB_SETSEL, FALSE, -1);
    SendMessageA(lines, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(lines, nullptr, TRUE);
    pairs.close();
    return !pairs.fail();
}

// The process's open pop-up menu, if any.
HWND FindMenu(DWORD process) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32768", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// Opens the context menu as the menu key does, on `line` (selected alone
// first) or, with -1, on the caret line as it stands, and chooses the entry
// as a person would with the keyboard: the menu's own loop takes the keys
// posted to the window that owns it.
bool ChooseMenuEntry(HWND main, DWORD process, LRESULT line, int entry) {
    HWND lines = GetDlgItem(main, CandidateList);
    if (line >= 0) {
        SendMessageA(lines, LB_SETSEL, FALSE, -1);
        SendMessageA(lines, LB_SETSEL, TRUE, line);
        SendMessageA(lines, LB_SETCARETINDEX, line, 0);
    }
    PostMessageA(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(lines), MAKELPARAM(-1, -1));
    for (int i = 0; i < 500 && !FindMenu(process); ++i) Sleep(10);
    if (!FindMenu(process)) return false;
    for (int k = 0; k < entry; ++k) {
        PostMessageA(main, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageA(main, WM_KEYUP, VK_DOWN, 0xC0000001);
    }
    PostMessageA(main, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(main, WM_KEYUP, VK_RETURN, 0xC0000001);
    for (int i = 0; i < 500 && FindMenu(process); ++i) Sleep(10);
    return !FindMenu(process);
}

// The first line in a folder named "バックアップ", or the first line: where
// the rules are chosen.
LRESULT BackupLine(const std::vector<SavedLine>& shown) {
    for (std::size_t line = 0; line < shown.size(); ++line)
        if (shown[line].path.find(u8"\\バックアップ\\") != std::string::npos) return LRESULT(line);
    return 0;
}

// The menu's entries after its six rules (the separators are passed over).
constexpr int LinkEntry = 7;
constexpr int SaveEntry = 8;
const char* const DeletedTitle = "[Vellaro] ファイルを削除が終了しました";
const char* const LinkedTitle = "[Vellaro] ハードリンクへの置き換えが終了しました";

// Presses Delete, or chooses the replacement by hard links from the menu on
// `line`.
bool StartTickedRun(HWND main, DWORD process, bool links, LRESULT line) {
    if (links) return ChooseMenuEntry(main, process, line, LinkEntry);
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(DeleteButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, DeleteButton)));
    return true;
}

// The name field of a file dialog: edt1 in the older template, cmb13 in
// the newer one.
HWND FileNameField(HWND dialog) {
    HWND name = GetDlgItem(dialog, edt1);
    return name ? name : GetDlgItem(dialog, cmb13);
}

// The process's open file dialog, if any.
HWND FindFileDialog(DWORD process) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window) && FileNameField(window)) return window;
    }
    return nullptr;
}

// Where the driver has the list saved: its own name in the temporary folder.
std::wstring SavedListPath() {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"drive_vellaro-" + std::to_wstring(GetCurrentProcessId()) + L".csv";
}

// Saves the shown list into `file` as a person would: "一覧を保存" from the
// candidate list's menu, the path typed into the save dialog's name field,
// Save pressed. The program writes the list while its window is busy,
// into a temporary file that it renames to `file` when the list is whole:
// once the window answers again, the name is there, or a message says why
// not (returned in `why`).
bool SaveShownList(HWND main, DWORD process, HANDLE processHandle, const std::wstring& file, std::string& why) {
    DeleteFileW(file.c_str());
    if (GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
        why = "an earlier list is in the way";
        return false;
    }
    why = "no save dialog";
    if (!ChooseMenuEntry(main, process, -1, SaveEntry)) return false;
    HWND dialog = nullptr;
    for (int i = 0; i < 2000 && !(dialog = FindFileDialog(process)); ++i) Sleep(10);
    if (!dialog) return false;
    SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    why = "the save dialog did not close";
    for (int i = 0; i < 2000 && IsWindow(dialog); ++i) Sleep(10);
    if (IsWindow(dialog)) return false;
    DWORD_PTR answer = 0;
    while (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer)) {
        why = "vellaro.exe ended";
        if (WaitForSingleObject(processHandle, 0) == WAIT_OBJECT_0 || !IsWindow(main)) return false;
    }
    if (GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    HWND box = FindMessageBox(process);
    why = box ? TitleOf(GetDlgItem(box, 0xFFFF)) : "no list saved";
    return false;
}

HWND WaitForMessageBox(DWORD process, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HWND box = FindMessageBox(process)) return box;
        Sleep(5);
    }
    return nullptr;
}

void WaitForLine() {
    std::fflush(stdout);
    char line[16];
    // An input that is closed counts as the line.
    if (!std::fgets(line, sizeof line, stdin)) return;
}

// Announces a picture of the area that `windows` cover together and waits
// until it is taken.
void Shot(const char* name, std::initializer_list<HWND> windows) {
    RECT area = {};
    for (HWND window : windows) {
        RECT rect;
        if (!window || !GetWindowRect(window, &rect)) continue;
        if (IsRectEmpty(&area)) area = rect;
        else UnionRect(&area, &area, &rect);
    }
    // Painting is done before the picture is taken.
    for (HWND window : windows)
        if (window) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(300);
    std::printf("shot %s %ld %ld %ld %ld\n", name, area.left, area.top, area.right - area.left,
                area.bottom - area.top);
    WaitForLine();
}

// Types `text` into an entry field as the user would, and presses the
// button beside it.
void Enter(HWND dialog, int entryId, int buttonId, const std::wstring& text) {
    HWND entry = GetDlgItem(dialog, entryId);
    SendMessageW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(entryId, EN_UPDATE), reinterpret_cast<LPARAM>(entry));
    Click(dialog, buttonId);
}

void Enter(HWND dialog, int entryId, int buttonId, const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(std::max(
        0, MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], static_cast<int>(wide.size())))));
    Enter(dialog, entryId, buttonId, wide);
}

// The settings of --scope.
void FillScope(HWND settings, const std::string& folder) {
    const std::string kept = folder + "\\写真\\旅行";
    Enter(settings, FolderEntry, AddButton, kept);
    HWND list = GetDlgItem(settings, FolderList);
    const LRESULT line = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(kept.c_str()));
    SendMessageA(list, LB_SETCURSEL, line, 0);
    SendMessageA(settings, WM_COMMAND, MAKEWPARAM(FolderList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    Click(settings, ProtectCheck);
    Enter(settings, ExcludeEntry, ExcludeAdd, "downloads");
    SetDlgItemTextA(settings, MinimumSize, "1");
}

int Fail(const char* what) {
    std::fprintf(stderr, "drive_vellaro: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Fail("usage: drive_vellaro.exe <folder> [--exit] [--sync] [--shots] [--groups FILE] "
                    "[--delete COUNT good|recycle|link PAIRS] [--rule ENTRY] [--scope] [--exclude TEXT]... "
                    "[--links]");
    const std::string folder = argv[1];
    // The folder exactly as given, whatever its characters, as a user
    // pasting it would enter it.
    std::wstring exactFolder;
    {
        int count = 0;
        LPWSTR* wideArguments = CommandLineToArgvW(GetCommandLineW(), &count);
        if (wideArguments && count > 1) exactFolder = wideArguments[1];
        LocalFree(wideArguments);
    }
    bool finish = false;
    bool sync = false;
    bool shots = false;
    std::string groupsFile;
    int deleteCount = 0;
    bool recycle = false;
    std::string pairsFile;
    int rule = 0;
    bool scope = false;
    std::vector<std::string> exclusions;
    bool links = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--exit") == 0) finish = true;
        else if (std::strcmp(argv[i], "--sync") == 0) sync = true;
        else if (std::strcmp(argv[i], "--shots") == 0) shots = true;
        else if (std::strcmp(argv[i], "--scope") == 0) scope = true;
        else if (std::strcmp(argv[i], "--exclude") == 0 && i + 1 < argc) exclusions.push_back(argv[++i]);
        else if (std::strcmp(argv[i], "--groups") == 0 && i + 1 < argc) groupsFile = argv[++i];
        else if (std::strcmp(argv[i], "--delete") == 0 && i + 3 < argc) {
            deleteCount = std::atoi(argv[++i]);
            const char* mode = argv[++i];
            recycle = std::strcmp(mode, "recycle") == 0;
            links = std::strcmp(mode, "link") == 0;
            pairsFile = argv[++i];
        } else if (std::strcmp(argv[i], "--rule") == 0 && i + 1 < argc) {
            rule = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--links") == 0) {
            links = true;
        } else return Fail("unknown option");
    }
    // With a deletion, the synchronisation surrounds it rather than the search.
    const bool syncSearch = sync && deleteCount == 0;

    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string program(exe);
    program = program.substr(0, program.find_last_of('\\') + 1) + "vellaro.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return Fail("cannot start vellaro.exe");
    CloseHandle(info.hThread);
    const std::unique_ptr<void, decltype(&CloseHandle)> processHandle(info.hProcess, CloseHandle);
    WaitForInputIdle(info.hProcess, 10000);

    HWND main = WaitForWindow(info.dwProcessId, "[Vellaro] ", 20000);
    if (!main) return Fail("no main window");
    if (shots) {
        // In the middle of the screen, where message boxes show: each
        // picture of a message then shows the window behind it too.
        RECT rect;
        GetWindowRect(main, &rect);
        SetWindowPos(main, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(SettingsButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, SettingsButton)));
    HWND settings = WaitForWindow(info.dwProcessId, "[検索設定]", 10000);
    if (!settings) return Fail("no settings dialog");
    Enter(settings, FolderEntry, AddButton, exactFolder);
    if (scope) FillScope(settings, folder);
    for (const std::string& text : exclusions) Enter(settings, ExcludeEntry, ExcludeAdd, text);
    if (shots) Shot("settings", {settings});
    Click(settings, IDOK);
    for (int i = 0; i < 500 && IsWindow(settings); ++i) Sleep(10);
    if (IsWindow(settings)) return Fail("settings dialog did not close (folder refused?)");

    if (syncSearch) {
        std::printf("ready\n");
        WaitForLine();
    }
    SearchTimes times;
    if (!WatchSearch(info.hProcess, info.dwProcessId, main, times)) return Fail("vellaro.exe ended");
    if (syncSearch) {
        std::printf("collect_ms %ld\ncompare_ms %ld\nelapsed_ms %lu\nmessage %s\ndone\n", times.collectMs,
                    times.compareMs, static_cast<unsigned long>(times.elapsedMs),
                    TitleOf(GetDlgItem(times.box, 0xFFFF)).c_str());
        WaitForLine();
    }
    PostMessageA(times.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 500 && IsWindow(times.box); ++i) Sleep(10);
    // The program goes through its result before it shows it as such; the
    // next step waits for that.
    for (int i = 0; i < 60000 && !ResultShown(main); ++i) {
        if (WaitForSingleObject(info.hProcess, 10) == WAIT_OBJECT_0) return Fail("vellaro.exe ended");
    }
    if (syncSearch) {
        // The caller may watch the shown result before anything else happens.
        std::printf("shown\n");
        WaitForLine();
    }
    if (!sync) std::printf("%lu\n", static_cast<unsigned long>(times.elapsedMs));
    std::fflush(stdout);
    // The result as a user takes it out of the window: the saved list.
    const bool linesWanted = rule > 0 || deleteCount > 0 || links;
    std::vector<SavedLine> shown;
    if (!groupsFile.empty() || linesWanted) {
        const std::wstring savedList = SavedListPath();
        // An empty list has no menu, and nothing to save.
        const bool any = SendMessageA(GetDlgItem(main, CandidateList), LB_GETCOUNT, 0, 0) > 0;
        std::string why;
        if (any && !SaveShownList(main, info.dwProcessId, info.hProcess, savedList, why))
            return Fail(("cannot save the list: " + why).c_str());
        const bool read =
            (groupsFile.empty() || WriteGroups(any ? savedList : std::wstring(), groupsFile)) &&
            (!linesWanted || !any || SavedListReader::Read(savedList, [&](const SavedLine& line) {
                 shown.push_back(line);
                 return true;
             }));
        DeleteFileW(savedList.c_str());
        if (!read) return Fail("cannot read the saved list or write the groups");
    }

    if (rule > 0 && !ChooseMenuEntry(main, info.dwProcessId, BackupLine(shown), rule))
        return Fail("cannot choose the rule");
    if (shots && scope) {
        Shot("main", {main});
        std::printf("end\n");
        std::fflush(stdout);
    } else if (shots) {
        Shot("main", {main});
        if (!StartTickedRun(main, info.dwProcessId, links, BackupLine(shown)))
            return Fail("cannot choose the replacement");
        HWND question = WaitForMessageBox(info.dwProcessId, 10000);
        if (!question) return Fail("no question before the deletion");
        Shot("question", {main, question});
        PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        for (int i = 0; i < 500 && IsWindow(question); ++i) Sleep(10);
        const std::string ended = links ? LinkedTitle : DeletedTitle;
        for (int i = 0; i < 3000 && TitleOf(main) != ended; ++i) Sleep(10);
        if (HWND summary = WaitForMessageBox(info.dwProcessId, 2000)) {
            Shot("result", {main, summary});
            PostMessageA(summary, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        std::printf("end\n");
        std::fflush(stdout);
    }

    if (deleteCount > 0) {
        if (!TickCopies(main, shown, deleteCount, pairsFile)) return Fail("cannot tick the copies");
        SendMessageA(GetDlgItem(main, RecycleCheck), BM_SETCHECK, recycle ? BST_CHECKED : BST_UNCHECKED, 0);
        if (!StartTickedRun(main, info.dwProcessId, links, BackupLine(shown)))
            return Fail("cannot choose the replacement");
        HWND question = WaitForMessageBox(info.dwProcessId, 10000);
        if (!question) return Fail("no question before the deletion");
        if (sync) {
            std::printf("ready\n");
            WaitForLine();
        }
        const std::string ended = links ? LinkedTitle : DeletedTitle;
        Stopwatch clock;
        PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        while (TitleOf(main) != ended) {
            if (WaitForSingleObject(info.hProcess, 5) == WAIT_OBJECT_0) return Fail("vellaro.exe ended");
        }
        const DWORD deleteMs = clock.Milliseconds();
        // A message follows at once when ticked files stayed.
        HWND summary = WaitForMessageBox(info.dwProcessId, 500);
        std::string text = summary ? TitleOf(GetDlgItem(summary, 0xFFFF)) : std::string();
        std::replace(text.begin(), text.end(), '\n', ' ');
        std::printf("delete_ms %lu\nmessage %s\n", static_cast<unsigned long>(deleteMs), text.c_str());
        if (sync) {
            std::printf("done\n");
            WaitForLine();
        }
        if (summary) PostMessageA(summary, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        std::fflush(stdout);
    }

    if (finish) {
        Sleep(200);
        Click(main, SearchButton);
        WaitForSingleObject(info.hProcess, 10000);
    }
    return 0;
}
