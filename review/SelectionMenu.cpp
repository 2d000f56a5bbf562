#include "review/SelectionMenu.h"

#include "platform/Prompts.h"
#include "platform/WidePath.h"
#include "review/core/SelectionRules.h"

#include <optional>
#include <vector>

namespace {

struct Entry {
    CSelectionMenu::Command command;
    const char* text;
    bool needsLine;
};

const Entry Entries[] = {
    {CSelectionMenu::KeepNewest, "最新のファイルを残す(&N)", false},
    {CSelectionMenu::KeepOldest, "最も古いファイルを残す(&O)", false},
    {CSelectionMenu::KeepFolder, "このフォルダのファイルを残す(&F)", true},
    {CSelectionMenu::TickFolder, "このフォルダのファイルにチェック(&C)", true},
    {CSelectionMenu::KeepOnlyLine, "このファイルだけ残す(&K)", true},
    {CSelectionMenu::UntickAll, "すべてのチェックを外す(&U)", false},
};

selection::Rule RuleOf(CSelectionMenu::Command command) {
    switch (command) {
    case CSelectionMenu::KeepOldest: return selection::Rule::KeepOldest;
    case CSelectionMenu::KeepFolder: return selection::Rule::KeepFolder;
    case CSelectionMenu::TickFolder: return selection::Rule::TickFolder;
    case CSelectionMenu::KeepOnlyLine: return selection::Rule::KeepOnlyLine;
    case CSelectionMenu::UntickAll: return selection::Rule::UntickAll;
    default: return selection::Rule::KeepNewest;
    }
}

// The same folder, as the file system compares names: "a\\" is not "a\\sub\\".
bool SameFolder(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() &&
           CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

}  // namespace

CSelectionMenu::Command CSelectionMenu::Show(HWND owner, POINT at, int line, bool canReplace) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return None;
    for (const Entry& entry : Entries)
        AppendMenuA(menu, MF_STRING | (entry.needsLine && line < 0 ? MF_GRAYED : 0), entry.command, entry.text);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | (canReplace ? 0 : MF_GRAYED), ReplaceWithLinks,
                "チェックしたファイルをハードリンクに置き換える(&L)...");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, SaveList, "一覧を保存...(&S)");
    const int chosen = PopupMenuPrompt(menu, at, owner);
    DestroyMenu(menu);
    return chosen >= KeepNewest && chosen <= ReplaceWithLinks ? static_cast<Command>(chosen) : None;
}

bool CSelectionMenu::ApplyRule(CCandidateList& list, Command command, int line) {
    if (command < KeepNewest || command > UntickAll) return false;
    const int count = list.Count();
    const selection::Rule rule = RuleOf(command);
    const bool byFolder = rule == selection::Rule::KeepFolder || rule == selection::Rule::TickFolder;
    const std::optional<LineRecord> chosen = line >= 0 && line < count ? list.Line(line) : std::nullopt;
    if (!chosen && (byFolder || rule == selection::Rule::KeepOnlyLine)) return false;
    const std::wstring folder = chosen ? widepath::FolderOf(chosen->file.path) : std::wstring();

    std::vector<selection::Copy> copies(static_cast<std::size_t>(count));
    for (int at = 0; at < count; ++at) {
        selection::Copy& copy = copies[static_cast<std::size_t>(at)];
        copy.ticked = list.GetCheck(at) == 1;
        const auto record = list.Line(at);
        if (!record) {
            copy.group = -1 - at;  // a line without its record is a group of its own
            continue;
        }
        copy.group = record->group;
        copy.lastWriteTime = record->file.lastWriteTime;
        copy.protectedCopy = record->protectedCopy;
        if (byFolder) copy.inFolder = SameFolder(widepath::FolderOf(record->file.path), folder);
    }
    return list.SetChecks(selection::Apply(rule, copies, line));
}
