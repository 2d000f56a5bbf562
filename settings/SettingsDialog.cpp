#include "settings/SettingsDialog.h"

#include "common/core/Cp932Text.h"
#include "platform/DataExchange.h"
#include "platform/DeviceContext.h"
#include "platform/FileDrop.h"
#include "platform/Prompts.h"
#include "platform/RedrawHold.h"
#include "platform/SortedListFill.h"
#include "platform/WidePath.h"
#include "res/resource.h"
#include "settings/FolderBrowser.h"
#include "settings/SettingsFile.h"
#include "settings/core/SettingsRecords.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>

namespace {
const char AlreadyListedMessage[] = "既に登録されています";
const char NoSuchFolderMessage[] = "ディレクトリが存在しません";
const char NotCp932PatternMessage[] = "ファイルの種類にはシフトJISにない文字を使えません";
const char DefaultFileType[] = "*.*";
const char SettingsFileName[] = "system.dat";
const char SettingsFileFilter[] = "*.dat|*.dat";
const char ProtectedMark[] = " [保護]";
// Pixels between a folder line's left edge and its text.
const int FolderTextIndent = 2;
// Nine digits of KB: up to almost a terabyte.
const int MinimumSizeDigits = 9;
// The searched folders are kept as full paths, so the current folder is
// the program's own: the file dialogs leave it alone.
const DWORD FileDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;

// The file dialog of Save and Open, proposing the usual settings file.
FileDialogRequest SettingsFileRequest(bool open) {
    FileDialogRequest request;
    request.open = open;
    request.defaultExtension = SettingsFileName;
    request.fileName = SettingsFileName;
    request.flags = FileDialogFlags;
    request.filter = SettingsFileFilter;
    return request;
}

const wchar_t FolderSeparator[] = L";;";

// The full path of a folder as typed, dropped or loaded (relative to the
// current folder); empty when there is none within the path limit.
std::wstring FullPathOf(const std::wstring& folder) {
    if (folder.empty()) return std::wstring();
    const std::wstring full = widepath::FullPath(folder);
    return full.size() < MAX_PATH ? full : std::wstring();
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(widepath::ForFileSystem(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

const CommandEntry<CSettingsDialog> CSettingsDialog::Commands[] = {
    {IDC_OPEN_BUTTON, BN_CLICKED, &CSettingsDialog::OnOpenButton},
    {IDC_PROTECT_CHECK, BN_CLICKED, &CSettingsDialog::OnProtectCheck},
    {IDC_DIRECTORY_BROWSE, BN_CLICKED, &CSettingsDialog::OnDirectoryBrowse},
    {IDC_FILETYPE_BROWSE, BN_CLICKED, &CSettingsDialog::OnFileTypeBrowse},
    {IDC_SAVE_BUTTON, BN_CLICKED, &CSettingsDialog::OnSaveButton},
};

const MessageEntry<CSettingsDialog> CSettingsDialog::Messages[] = {
    {WM_DROPFILES, &CSettingsDialog::OnDropFiles},
    {WM_DRAWITEM, &CSettingsDialog::OnDrawItem},
};

CSettingsDialog::CSettingsDialog()
    : Dialog(IDD_SETTINGS, true),
      directories_(*this, {IDC_DIRECTORY_LIST, IDC_DIRECTORY_ENTRY, IDC_DIRECTORY_ADD},
                   {"追加(&S)", "削除(&S)", "DirectoryFlag error"}, DirectoryFlag, DirectoryEntry),
      fileTypes_(*this, {IDC_FILETYPE_LIST, IDC_FILETYPE_ENTRY, IDC_FILETYPE_ADD},
                 {"追加(&E)", "削除(&E)", "FileTypeyFlag error"}, FileTypeyFlag, FileTypeEntry),
      exclusions_(*this, {IDC_EXCLUDE_LIST, IDC_EXCLUDE_ENTRY, IDC_EXCLUDE_ADD},
                  {"追加(&X)", "削除(&X)", "ExclusionFlag error"}, ExclusionFlag, ExclusionEntry) {}

void CSettingsDialog::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDOK, okButton_);
    directories_.BindControls(exchange);
    fileTypes_.BindControls(exchange);
    exclusions_.BindControls(exchange);
    exchange.Control(IDC_MINIMUM_SIZE, minimumSize_);
    exchange.Control(IDC_PROTECT_CHECK, protectCheck_);
    exchange.Check(IDC_SUBDIRECTORY_CHECK, SubdirectoryFlag);
    exchange.Text(IDC_DIRECTORY_ENTRY, DirectoryEntry);
    exchange.Text(IDC_FILETYPE_ENTRY, FileTypeEntry);
    exchange.Text(IDC_EXCLUDE_ENTRY, ExclusionEntry);
}

bool CSettingsDialog::OnCommand(int id, int code) {
    const bool handled = directories_.OnCommand(id, code) || fileTypes_.OnCommand(id, code) ||
                         exclusions_.OnCommand(id, code) || RouteCommand(Commands, this, id, code);
    // What may change the folder list or its selection.
    if (id == IDC_DIRECTORY_LIST || id == IDC_DIRECTORY_ADD || id == IDC_OPEN_BUTTON) UpdateProtectCheck();
    return handled;
}

bool CSettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return RouteMessage(Messages, this, message, wParam, lParam, result);
}

BOOL CSettingsDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    subdirectoryFlagAtOpening_ = SubdirectoryFlag;

    ClearFolders();
    for (const std::wstring& folder : widepath::SplitTerminated(JoinedDirectories, FolderSeparator))
        directories_.List().SetItemData(directories_.List().InsertString(-1, widepath::ToCp932(folder)),
                                        KeepFolderPath(folder));
    if (!JoinedFileTypes.empty())
        tools_.SplitIntoListBox(JoinedFileTypes, fileTypes_.List(), tools_.ListSeparator());
    // The default reaches JoinedFileTypes only through OK.
    if (JoinedFileTypes.empty()) fileTypes_.List().AddString(DefaultFileType);

    // The folder list draws its lines (a protected folder shows its mark)
    // in the height of the dialog's font.
    {
        const WindowDC context(directories_.List().Handle());
        const SelectedObject font(context.Get(), reinterpret_cast<HGDIOBJ>(Wnd().Send(WM_GETFONT)));
        TEXTMETRICA metrics = {};
        if (GetTextMetricsA(context.Get(), &metrics) && metrics.tmHeight > 0)
            directories_.List().Send(LB_SETITEMHEIGHT, 0, metrics.tmHeight);
    }
    minimumSize_.Send(EM_LIMITTEXT, MinimumSizeDigits);
    ShowScope({MinimumSizeKb, ExcludedFolders, ProtectedFolders});
    ApplyOkRule();
    ApplyTitleRule();
    return TRUE;
}

void CSettingsDialog::OnOK() {
    // Only the enabled button confirms: a search never gets an empty list.
    if (!okButton_.IsEnabled()) return;
    JoinedDirectories.clear();
    for (const std::wstring& folder : ListedFolders()) JoinedDirectories += folder + FolderSeparator;
    JoinedFileTypes = JoinList(fileTypes_.List());
    const ScopeSettings scope = ShownScope();
    MinimumSizeKb = scope.minimumSizeKb;
    ExcludedFolders = scope.excludedFolders;
    ProtectedFolders = scope.protectedFolders;
    Dialog::OnOK();
}

void CSettingsDialog::OnCancel() {
    // Handlers that took the fields stored the check box; a cancelled
    // opening changes nothing of the next search.
    SubdirectoryFlag = subdirectoryFlagAtOpening_;
    Dialog::OnCancel();
}

// The two list editors

void CSettingsDialog::TakeFields() { UpdateData(true); }

bool CSettingsDialog::AdmitEntry(const CListEditor& editor, const std::wstring& typed, std::string& text) {
    if (&editor == &fileTypes_) {
        // Patterns are matched as cp932 names: a '?' in place of a letter
        // would match others.
        if (!widepath::FitsCp932(typed)) {
            MessageBoxPrompt(NotCp932PatternMessage, MB_OK);
            return false;
        }
        text = widepath::ToCp932(typed);
        if (tools_.ListBoxContains(fileTypes_.List(), text, true)) {
            MessageBoxPrompt(AlreadyListedMessage, MB_OK);
            return false;
        }
        text = tools_.ToLower(text);
        return true;
    }
    if (&editor == &exclusions_) {
        // An excluded folder given by its path is kept as a full path, as
        // the listed folders are; entries cp932 shows alike stay apart.
        std::wstring entry = typed;
        if (entry.find(L'\\') != std::wstring::npos) {
            const std::wstring full = FullPathOf(entry);
            if (!full.empty()) entry = full;
        }
        for (const std::wstring& listed : ShownScope().excludedFolders) {
            if (widepath::Folded(listed) == widepath::Folded(entry)) {
                MessageBoxPrompt(AlreadyListedMessage, MB_OK);
                return false;
            }
        }
        admittedEntry_ = entry;
        text = widepath::ToCp932(entry);
        return true;
    }
    std::wstring folder = typed;
    const FolderVerdict verdict = JudgeFolder(folder, ListedFolderKeys());
    switch (verdict) {
    case FolderVerdict::AlreadyListed:
        MessageBoxPrompt(AlreadyListedMessage, MB_OK);
        return false;
    case FolderVerdict::NoSuchFolder:
        MessageBoxPrompt(NoSuchFolderMessage, MB_OK);
        return false;
    default:
        admittedEntry_ = folder;
        text = widepath::ToCp932(folder);
        return true;
    }
}

void CSettingsDialog::EntryAdded(const CListEditor& editor, int line) {
    if (line < 0) return;
    if (&editor == &directories_) {
        directories_.List().SetItemData(line, KeepFolderPath(admittedEntry_));
    } else if (&editor == &exclusions_) {
        exactExclusions_.push_back(admittedEntry_);
        exclusions_.List().SetItemData(line, static_cast<LPARAM>(exactExclusions_.size()));
    }
}

std::wstring CSettingsDialog::EntryTextOf(const CListEditor& editor, int line) {
    if (&editor == &directories_) return FolderAt(line);
    if (&editor == &exclusions_) return ExclusionAt(line);
    return widepath::FromCp932(editor.List().ItemText(line));
}

void CSettingsDialog::ListChanged() {
    ForgetUnlistedProtection();
    if (!protectedKeys_.empty()) FitFolderExtent();
    ApplyOkRule();
    ApplyTitleRule();
}

// Folders

void CSettingsDialog::OnDirectoryBrowse() {
    // Owned by this dialog, so that the browser is modal to it.
    CFolderBrowser browser("フォルダを選択してください", L"", Handle());
    const int chosen = browser.Browse();
    SetForegroundWindow(Handle());
    if (chosen != 1 || browser.SelectedFolder().empty()) return;
    directories_.Propose(browser.SelectedFolder());
}

// Drops on the folder list reach the dialog: the list box hands them on.
bool CSettingsDialog::OnDropFiles(WPARAM wParam, LPARAM, LRESULT& result) {
    SetForegroundWindow(Handle());
    std::vector<std::wstring> folders;
    {
        const FileDrop drop(reinterpret_cast<HDROP>(wParam));
        folders = drop.Paths();
    }
    {
        const RedrawHold held(directories_.List());
        AddFolders(folders, true);
        tools_.FitHorizontalExtent(directories_.List());
    }
    directories_.SetMode(CListEditor::ModeNone);
    ListChanged();
    UpdateProtectCheck();
    result = 0;
    return true;
}

CSettingsDialog::FolderVerdict CSettingsDialog::JudgeFolder(std::wstring& folder,
                                                            const std::set<std::wstring>& listedKeys) const {
    const std::wstring full = FullPathOf(folder);
    if (!full.empty()) folder = full;
    if (listedKeys.count(settingsfile::FolderKey(folder))) return FolderVerdict::AlreadyListed;
    // A folder whose name holds the separator would come back from the
    // joined text as other folders.
    if (full.empty() || folder.find(FolderSeparator) != std::wstring::npos || !IsFolder(folder))
        return FolderVerdict::NoSuchFolder;
    return FolderVerdict::Accepted;
}

std::set<std::wstring> CSettingsDialog::ListedFolderKeys() const {
    std::set<std::wstring> keys;
    for (const std::wstring& folder : ListedFolders()) keys.insert(settingsfile::FolderKey(folder));
    return keys;
}

void CSettingsDialog::AddFolders(const std::vector<std::wstring>& folders, bool append) {
    // The keys of the listed folders and of those taken so far: duplicates
    // are found without going through the list for each folder.
    std::set<std::wstring> keys = ListedFolderKeys();
    std::vector<std::string> shown;
    std::vector<LPARAM> paths;
    for (std::wstring folder : folders) {
        if (folder.empty() || JudgeFolder(folder, keys) != FolderVerdict::Accepted) continue;
        keys.insert(settingsfile::FolderKey(folder));
        shown.push_back(widepath::ToCp932(folder));
        paths.push_back(KeepFolderPath(folder));
    }
    ListBox list = directories_.List();
    if (append) {
        for (std::size_t at = 0; at < shown.size(); ++at) list.SetItemData(list.InsertString(-1, shown[at]), paths[at]);
    } else {
        FillSortedList(list, shown, paths);
    }
}

LPARAM CSettingsDialog::KeepFolderPath(const std::wstring& folder) {
    folderPaths_.push_back(folder);
    return static_cast<LPARAM>(folderPaths_.size());
}

std::wstring CSettingsDialog::FolderAt(int line) const {
    const LPARAM data = directories_.List().ItemData(line);
    if (data > 0 && static_cast<std::size_t>(data) <= folderPaths_.size())
        return folderPaths_[static_cast<std::size_t>(data) - 1];
    return widepath::FromCp932(directories_.List().ItemText(line));
}

std::vector<std::wstring> CSettingsDialog::ListedFolders() const {
    std::vector<std::wstring> folders;
    for (int line = 0; line < directories_.List().Count(); ++line) folders.push_back(FolderAt(line));
    return folders;
}

void CSettingsDialog::ClearFolders() {
    directories_.List().ResetContent();
    folderPaths_.clear();
}

// File types

void CSettingsDialog::OnFileTypeBrowse() {
    FileDialogRequest request;
    request.open = true;
    request.flags = FileDialogFlags;
    request.filter = "*.*|*.*";
    std::string chosenPath;
    if (!FileDialogPrompt(request, chosenPath)) return;
    const std::string extension = tools_.ExtensionOf(cp932::NameOf(chosenPath));
    if (extension.empty()) return;
    fileTypes_.Propose(widepath::FromCp932("*" + extension));
}

// Settings file

void CSettingsDialog::OnSaveButton() {
    std::string chosenPath;
    if (!FileDialogPrompt(SettingsFileRequest(false), chosenPath)) return;
    const CSettingsFile settingsFile;
    if (!settingsFile.Save(chosenPath, ListedFolders(), ListTexts(fileTypes_.List()), ShownScope()))
        MessageBoxPrompt(CSettingsFile::CannotOpenMessage(chosenPath), MB_OK);
}

void CSettingsDialog::OnOpenButton() {
    std::string chosenPath;
    if (!FileDialogPrompt(SettingsFileRequest(true), chosenPath)) return;
    const CSettingsFile settingsFile;
    std::vector<std::wstring> folders;
    std::vector<std::string> values;
    ScopeSettings scope;
    switch (settingsFile.Load(chosenPath, folders, values, scope)) {
    case CSettingsFile::LoadResult::CannotOpen:
        MessageBoxPrompt(CSettingsFile::CannotOpenMessage(chosenPath), MB_OK);
        return;
    case CSettingsFile::LoadResult::TooLarge:
        MessageBoxPrompt(CSettingsFile::TooLargeMessage(chosenPath), MB_OK);
        return;
    default:
        break;
    }
    ListBox folderList = directories_.List(), fileTypeList = fileTypes_.List();
    {
        const RedrawHold heldFolders(folderList), heldFileTypes(fileTypeList);
        ClearFolders();
        fileTypeList.ResetContent();
        AddFolders(folders, false);
        std::set<std::string> seen;  // lower-cased: listed ones are refused in any case
        std::vector<std::string> patterns;
        for (const std::string& value : values) {
            const std::string extension = tools_.ExtensionOf(value);
            if (extension.empty()) continue;
            const std::string pattern = "*" + extension;
            if (seen.insert(tools_.ToLower(pattern)).second) patterns.push_back(pattern);
        }
        FillSortedList(fileTypeList, patterns);
        tools_.FitHorizontalExtent(folderList);
        tools_.FitHorizontalExtent(fileTypeList);
    }
    // A protection is taken for the listed folder equal to it.
    ShowScope(scope);
    ListChanged();
}

// Minimum size, exclusions and protected folders

ScopeSettings CSettingsDialog::ShownScope() const {
    ScopeSettings scope;
    // Digits only (the field takes no others as typed); what else a paste
    // may bring is passed over.
    std::uint64_t kb = 0;
    for (char c : minimumSize_.Text())
        if (c >= '0' && c <= '9') kb = std::min<std::uint64_t>(kb * 10 + static_cast<unsigned>(c - '0'), 999999999);
    scope.minimumSizeKb = static_cast<std::uint32_t>(kb);
    for (int line = 0; line < exclusions_.List().Count(); ++line) scope.excludedFolders.push_back(ExclusionAt(line));
    for (const std::wstring& folder : ListedFolders())
        if (IsProtected(folder)) scope.protectedFolders.push_back(folder);
    return scope;
}

std::wstring CSettingsDialog::ExclusionAt(int line) const {
    const LPARAM exact = exclusions_.List().ItemData(line);
    if (exact > 0 && static_cast<std::size_t>(exact) <= exactExclusions_.size())
        return exactExclusions_[static_cast<std::size_t>(exact) - 1];
    return widepath::FromCp932(exclusions_.List().ItemText(line));
}

void CSettingsDialog::ShowScope(const ScopeSettings& scope) {
    minimumSize_.SetText(scope.minimumSizeKb > 0 ? std::to_string(scope.minimumSizeKb) : std::string());
    // Each line keeps the exact entry it shows (its data is the entry's
    // place + 1); a line added by typing has none, its text is the entry.
    exactExclusions_.clear();
    std::set<std::wstring> seen;  // folded: entries differing in case are one
    ListBox list = exclusions_.List();
    {
        const RedrawHold held(list);
        list.ResetContent();
        for (const std::wstring& entry : scope.excludedFolders) {
            if (entry.empty() || !seen.insert(widepath::Folded(entry)).second) continue;
            exactExclusions_.push_back(entry);
            const int line = list.AddString(widepath::ToCp932(entry));
            if (line >= 0) list.SetItemData(line, static_cast<LPARAM>(exactExclusions_.size()));
        }
        tools_.FitHorizontalExtent(list);
    }
    protectedKeys_.clear();
    for (const std::wstring& folder : scope.protectedFolders)
        protectedKeys_.insert(settingsfile::FolderKey(folder));
    ForgetUnlistedProtection();
    FitFolderExtent();
    InvalidateRect(directories_.List().Handle(), nullptr, TRUE);
    UpdateProtectCheck();
}

void CSettingsDialog::OnProtectCheck() {
    ListBox list = directories_.List();
    const int selected = list.CurSel();
    if (selected < 0) return;
    const std::wstring key = settingsfile::FolderKey(FolderAt(selected));
    if (!protectedKeys_.erase(key)) protectedKeys_.insert(key);
    FitFolderExtent();
    InvalidateRect(list.Handle(), nullptr, TRUE);
    UpdateProtectCheck();
}

void CSettingsDialog::UpdateProtectCheck() {
    const ListBox list = directories_.List();
    const int selected = list.CurSel();
    const bool any = selected >= 0 && selected < list.Count();
    protectCheck_.SetCheck(any && IsProtected(FolderAt(selected)) ? BST_CHECKED : BST_UNCHECKED);
    // A check box about to go dark hands the focus on to the list.
    if (!any) protectCheck_.PassFocusTo(list);
    protectCheck_.Enable(any);
}

void CSettingsDialog::ForgetUnlistedProtection() {
    if (protectedKeys_.empty()) return;
    const std::set<std::wstring> listed = ListedFolderKeys();
    for (auto key = protectedKeys_.begin(); key != protectedKeys_.end();)
        key = listed.count(*key) ? std::next(key) : protectedKeys_.erase(key);
}

void CSettingsDialog::FitFolderExtent() const {
    const ListBox list = directories_.List();
    tools_.FitHorizontalExtent(list);
    if (protectedKeys_.empty()) return;
    // Room for the mark after the longest path, as the lines draw it.
    const WindowDC context(list.Handle());
    const SelectedObject font(context.Get(), reinterpret_cast<HGDIOBJ>(list.Send(WM_GETFONT)));
    SIZE mark = {};
    GetTextExtentPoint32A(context.Get(), ProtectedMark, lstrlenA(ProtectedMark), &mark);
    list.SetHorizontalExtent(list.HorizontalExtent() + FolderTextIndent + mark.cx);
}

bool CSettingsDialog::IsProtected(const std::wstring& folder) const {
    return !protectedKeys_.empty() && protectedKeys_.count(settingsfile::FolderKey(folder)) > 0;
}

bool CSettingsDialog::OnDrawItem(WPARAM, LPARAM lParam, LRESULT& result) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item.CtlID != IDC_DIRECTORY_LIST) return false;
    DrawFolderLine(item);
    result = TRUE;
    return true;
}

void CSettingsDialog::DrawFolderLine(const DRAWITEMSTRUCT& item) const {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(background));
    if (item.itemID != static_cast<UINT>(-1)) {
        std::string text = directories_.List().ItemText(static_cast<int>(item.itemID));
        if (IsProtected(FolderAt(static_cast<int>(item.itemID)))) text += ProtectedMark;
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        SetBkColor(item.hDC, GetSysColor(background));
        RECT rect = item.rcItem;
        rect.left += FolderTextIndent;
        DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

// Rules and helpers

void CSettingsDialog::ApplyOkRule() {
    okButton_.Enable(directories_.List().Count() > 0 && fileTypes_.List().Count() > 0);
}

void CSettingsDialog::ApplyTitleRule() {
    const bool hasFolders = directories_.List().Count() > 0;
    const bool hasFileTypes = fileTypes_.List().Count() > 0;
    std::string title = "[検索設定] ";
    if (!hasFolders && !hasFileTypes) title += std::string("ディレクトリとファイルの種類") + "を設定して下さい";
    else if (!hasFolders) title += std::string("ディレクトリ") + "を設定して下さい";
    else if (!hasFileTypes) title += std::string("ファイルの種類") + "を設定して下さい";
    else title += "OK ボタンを押してください";
    Wnd().SetText(title);
}

std::vector<std::string> CSettingsDialog::ListTexts(ListBox list) const {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i) texts.push_back(list.ItemText(i));
    return texts;
}

std::string CSettingsDialog::JoinList(ListBox list) const {
    std::string joined;
    for (int i = 0; i < list.Count(); ++i) joined += list.ItemText(i) + tools_.ListSeparator();
    return joined;
}
