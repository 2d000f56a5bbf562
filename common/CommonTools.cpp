#include "common/CommonTools.h"

#include "common/core/Cp932Text.h"
#include "common/core/LineReader.h"
#include "common/core/Sorting.h"
#include "common/core/TimeText.h"
#include "platform/DeviceContext.h"
#include "platform/Prompts.h"
#include "platform/WidePath.h"


void CCommonTools::SetButtonState(Window control, int enabled, const std::string& caption) const {
    control.Enable(enabled != 0);
    control.SetText(caption);
}

void CCommonTools::FitHorizontalExtent(ListBox list) const {
    const WindowDC context(list.Handle());
    // Measure with the list's own font, as it draws its lines.
    const SelectedObject font(context.Get(), reinterpret_cast<HFONT>(list.Send(WM_GETFONT)));
    LONG widest = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string text = list.ItemText(i);
        SIZE size = {};
        GetTextExtentPoint32A(context.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        if (size.cx > widest) widest = size.cx;
    }
    list.SetHorizontalExtent(widest);
}

void CCommonTools::DeleteSelectedItem(ListBox list) const {
    const int selected = list.CurSel();
    if (selected == LB_ERR) return;
    list.DeleteString(selected);
    FitHorizontalExtent(list);
}

bool CCommonTools::ListBoxContains(ListBox list, std::string text, bool ignoreCase) const {
    for (int i = 0; i < list.Count(); ++i) {
        if (cp932::Equal(list.ItemText(i), text, ignoreCase)) return true;
    }
    return false;
}

void CCommonTools::SplitIntoListBox(std::string text, ListBox list, std::string separator) const {
    for (const std::string& piece : cp932::SplitTerminated(text, separator)) list.InsertString(-1, piece);
}

std::string CCommonTools::ExtensionOf(std::string path) const { return cp932::ExtensionOf(path); }

std::string CCommonTools::ToLower(std::string text) const { return cp932::ToLower(text); }

bool CCommonTools::IsDoubleByteLead(std::string text, int index) const {
    return index >= 0 && cp932::IsDoubleByteLead(text, static_cast<std::size_t>(index));
}

bool CCommonTools::DirectoryExists(std::string path) const {
    // One look at the attributes: listing the folder costs several times as
    // much under Wine, which tells when thousands of folders are loaded.
    const DWORD attributes = GetFileAttributesA(cp932::WithBackslash(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void CCommonTools::SortIndexesByKey(std::vector<int>& order, std::vector<std::uint64_t>& keys, int low,
                                    int high) const {
    ordering::SortIndexesByKey(order, keys, low, high);
}

void CCommonTools::SortPathsNewestFirst(std::vector<std::string>& texts, std::vector<std::int64_t>& times,
                                        int low, int high) const {
    ordering::SortPathsNewestFirst(texts, times, low, high);
}

std::int64_t CCommonTools::SecondsOfDay() const {
    return static_cast<std::int64_t>(GetTickCount64() / 1000);
}

void CCommonTools::ElapsedSince(std::int64_t start, int& hours, int& minutes, int& seconds) const {
    SplitSeconds(SecondsOfDay() - start, hours, minutes, seconds);
}

void CCommonTools::SplitSeconds(std::int64_t total, int& hours, int& minutes, int& seconds) const {
    timetext::SplitSeconds(total, hours, minutes, seconds);
}

namespace {
std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = length > 0 ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason.empty() ? "エラー " + std::to_string(error) : reason;
}
}  // namespace

// The shell reads a path by its own rules: it drops a final dot or space of
// every part, even behind \\?\, and takes no prefixed path and none of
// MAX_PATH characters or more. A file that it would not find by its exact
// name is not handed to it, so that it never opens another file instead.
void CCommonTools::OpenWithShell(const std::wstring& path) const {
    const std::wstring plain = widepath::WithoutPrefix(path);
    std::string reason;
    if (widepath::HasPartEndingInDotOrSpace(plain)) {
        reason = "名前がピリオドか空白で終わるため、関連付けられたプログラムにこのファイルを渡せません。";
    } else if (plain.size() >= MAX_PATH) {
        reason = "パスが 259 文字を超えるため、関連付けられたプログラムにこのファイルを渡せません。";
    } else {
        const DWORD error = ShellOpenPrompt(plain);
        if (error == ERROR_SUCCESS) return;
        reason = SystemErrorText(error);
    }
    MessageBoxPrompt("ファイルを開けませんでした。\n\n" + widepath::ToCp932(plain) + "\n\n" + reason,
                     MB_OK | MB_ICONEXCLAMATION);
}

bool CCommonTools::FindLineWithPrefix(std::FILE* file, std::string prefix) const {
    return lines::FindLineWithPrefix(file, prefix);
}

bool CCommonTools::ReadLine(std::FILE* file, std::string& line) const {
    return lines::ReadLine(file, line);
}
