#include "settings/SettingsDialog.h"

#include "common/core/Cp932Text.h"
#include "platform/DataExchange.h"
#include "platform/FileDrop.h"
#include "platform/Prompts.h"
#include "platform/RedrawHold.h"
#include "platform/SortedListFill.h"
#include "res/resource.h"
#include "settings/FolderBrowser.h"
#include "settings/SettingsFile.h"
#include "settings/core/SettingsRecords.h"

#include <commdlg.h>

namespace {
const char AlreadyListedMessage[] = "既に登録されています";
const char NoSuchFolderMessage[] = "ディレクトリが存在しません";
const char DefaultFileType[] = "*.*";
const char SettingsFileName[] = "system.dat";
const char SettingsFileFilter[] = "*.dat|*.dat";
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

// The full path of a folder as typed, dropped or loaded (relative to the
// current folder); empty when there is none within the path limit.
std::string FullPathOf(const std::string& folder) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : std::string();
}
}  // namespace

const CommandEntry<CSettingsDialog> CSettingsDialog::Commands[] = {
    {IDC_OPEN_BUTTON, BN_CLICKED, &CSettingsDialog::OnOpenButton},
    {IDC_DIRECTORY_BROWSE, BN_CLICKED, &CSettingsDialog::OnDirectoryBrowse},
    {IDC_FILETYPE_BROWSE, BN_CLICKED, &CSettingsDialog::OnFileTypeBrowse},
    {IDC_SAVE_BUTTON, BN_CLICKED, &CSettingsDialog::OnSaveButton},
};

const MessageEntry<CSettingsDialog> CSettingsDialog::Messages[] = {
    {WM_DROPFILES, &CSettingsDialog::OnDropFiles},
};

CSettingsDialog::CSettingsDialog()
    : Dialog(IDD_SETTINGS),
      directories_(*this, {IDC_DIRECTORY_LIST, IDC_DIRECTORY_ENTRY, IDC_DIRECTORY_ADD},
                   {"追加(&S)", "削除(&S)", "DirectoryFlag error"}, DirectoryFlag, DirectoryEntry),
      fileTypes_(*this, {IDC_FILETYPE_LIST, IDC_FILETYPE_ENTRY, IDC_FILETYPE_ADD},
                 {"追加(&E)", "削除(&E)", "FileTypeyFlag error"}, FileTypeyFlag, FileTypeEntry) {}

void CSettingsDialog::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDOK, okButton_);
    directories_.BindControls(exchange);
    fileTypes_.BindControls(exchange);
    exchange.Check(IDC_SUBDIRECTORY_CHECK, SubdirectoryFlag);
    exchange.Text(IDC_DIRECTORY_ENTRY, DirectoryEntry);
    exchange.Text(IDC_FILETYPE_ENTRY, FileTypeEntry);
}

bool CSettingsDialog::OnCommand(int id, int code) {
    return directories_.OnCommand(id, code) || fileTypes_.OnCommand(id, code) ||
           RouteCommand(Commands, this, id, code);
}

bool CSettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return RouteMessage(Messages, this, message, wParam, lParam, result);
}

BOOL CSettingsDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    subdirectoryFlagAtOpening_ = SubdirectoryFlag;

    if (!JoinedDirectories.empty())
        tools_.SplitIntoListBox(JoinedDirectories, directories_.List(), tools_.ListSeparator());
    if (!JoinedFileTypes.empty())
        tools_.SplitIntoListBox(JoinedFileTypes, fileTypes_.List(), tools_.ListSeparator());
    // The default reaches JoinedFileTypes only through OK.
    if (JoinedFileTypes.empty()) fileTypes_.List().AddString(DefaultFileType);
    ApplyOkRule();
    ApplyTitleRule();
    return TRUE;
}

void CSettingsDialog::OnOK() {
    // Only the enabled button confirms: a search never gets an empty list.
    if (!okButton_.IsEnabled()) return;
    JoinedDirectories = JoinList(directories_.List());
    JoinedFileTypes = JoinList(fileTypes_.List());
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

bool CSettingsDialog::AdmitEntry(const CListEditor& editor, std::string& text) {
    if (&editor == &fileTypes_) {
        if (tools_.ListBoxContains(fileTypes_.List(), text, true)) {
            MessageBoxPrompt(AlreadyListedMessage, MB_OK);
            return false;
        }
        text = tools_.ToLower(text);
        return true;
    }
    switch (JudgeFolder(text, ListedFolderKeys())) {
    case FolderVerdict::AlreadyListed:
        MessageBoxPrompt(AlreadyListedMessage, MB_OK);
        return false;
    case FolderVerdict::NoSuchFolder:
        MessageBoxPrompt(NoSuchFolderMessage, MB_OK);
        return false;
    default:
        return true;
    }
}

void CSettingsDialog::ListChanged() {
    ApplyOkRule();
    ApplyTitleRule();
}

// Folders

void CSettingsDialog::OnDirectoryBrowse() {
    // Owned by this dialog, so that the browser is modal to it.
    CFolderBrowser browser("フォルダを選択してください", "", Handle());
    const int chosen = browser.Browse();
    SetForegroundWindow(Handle());
    if (chosen != 1 || browser.SelectedFolder().empty()) return;
    directories_.Propose(browser.SelectedFolder());
}

// Drops on the folder list reach the dialog: the list box hands them on.
bool CSettingsDialog::OnDropFiles(WPARAM wParam, LPARAM, LRESULT& result) {
    SetForegroundWindow(Handle());
    std::vector<std::string> folders;
    {
        const FileDrop drop(reinterpret_cast<HDROP>(wParam));
        for (const std::wstring& name : drop.Paths()) {
            std::string folder;
            if (CFolderBrowser::AcceptPath(name, folder)) folders.push_back(folder);
        }
    }
    {
        const RedrawHold held(directories_.List());
        AddFolders(folders, true);
        tools_.FitHorizontalExtent(directories_.List());
    }
    directories_.SetMode(CListEditor::ModeNone);
    ListChanged();
    result = 0;
    return true;
}

CSettingsDialog::FolderVerdict CSettingsDialog::JudgeFolder(std::string& folder,
                                                            const std::set<std::string>& listedKeys) const {
    const std::string full = FullPathOf(folder);
    if (!full.empty()) folder = full;
    if (listedKeys.count(settingsfile::FolderKey(folder))) return FolderVerdict::AlreadyListed;
    // A folder whose name holds the separator would come back from the
    // joined text as other folders.
    if (full.empty() || folder.find(tools_.ListSeparator()) != std::string::npos ||
        !tools_.DirectoryExists(folder))
        return FolderVerdict::NoSuchFolder;
    return FolderVerdict::Accepted;
}

std::set<std::string> CSettingsDialog::ListedFolderKeys() const {
    std::set<std::string> keys;
    for (const std::string& folder : ListTexts(directories_.List())) keys.insert(settingsfile::FolderKey(folder));
    return keys;
}

void CSettingsDialog::AddFolders(const std::vector<std::string>& folders, bool append) {
    // The keys of the listed folders and of those taken so far: duplicates
    // are found without going through the list for each folder.
    std::set<std::string> keys = ListedFolderKeys();
    std::vector<std::string> accepted;
    for (std::string folder : folders) {
        if (folder.empty() || JudgeFolder(folder, keys) != FolderVerdict::Accepted) continue;
        keys.insert(settingsfile::FolderKey(folder));
        accepted.push_back(folder);
    }
    if (append) {
        for (const std::string& folder : accepted) directories_.List().InsertString(-1, folder);
    } else {
        FillSortedList(directories_.List(), accepted);
    }
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
    fileTypes_.Propose("*" + extension);
}

// Settings file

void CSettingsDialog::OnSaveButton() {
    std::string chosenPath;
    if (!FileDialogPrompt(SettingsFileRequest(false), chosenPath)) return;
    const CSettingsFile settingsFile;
    if (!settingsFile.Save(chosenPath, ListTexts(directories_.List()), ListTexts(fileTypes_.List())))
        MessageBoxPrompt(CSettingsFile::CannotOpenMessage(chosenPath), MB_OK);
}

void CSettingsDialog::OnOpenButton() {
    std::string chosenPath;
    if (!FileDialogPrompt(SettingsFileRequest(true), chosenPath)) return;
    const CSettingsFile settingsFile;
    std::vector<std::string> folders, values;
    switch (settingsFile.Load(chosenPath, folders, values)) {
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
        folderList.ResetContent();
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
    ListChanged();
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
