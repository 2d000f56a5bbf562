#include "settings/SettingsDialog.h"

#include "common/core/Cp932Text.h"
#include "platform/DataExchange.h"
#include "platform/Prompts.h"
#include "res/resource.h"
#include "settings/FolderBrowser.h"
#include "settings/SettingsFile.h"

#include <commdlg.h>
#include <shellapi.h>

namespace {
const char AlreadyListedMessage[] = "既に登録されています";
const char NoSuchFolderMessage[] = "ディレクトリが存在しません";
const char DefaultFileType[] = "*.*";
const char SettingsFileName[] = "system.dat";
const char SettingsFileFilter[] = "*.dat|*.dat";
const DWORD FileDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

const int ModeNone = 0;
const int ModeAdd = 1;
const int ModeRemove = 2;

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
}  // namespace

const CommandEntry<CSettingsDialog> CSettingsDialog::Commands[] = {
    {IDC_DIRECTORY_ADD, BN_CLICKED, &CSettingsDialog::OnDirectoryButton},
    {IDC_FILETYPE_ADD, BN_CLICKED, &CSettingsDialog::OnFileTypeButton},
    {IDC_OPEN_BUTTON, BN_CLICKED, &CSettingsDialog::OnOpenButton},
    {IDC_DIRECTORY_BROWSE, BN_CLICKED, &CSettingsDialog::OnDirectoryBrowse},
    {IDC_FILETYPE_BROWSE, BN_CLICKED, &CSettingsDialog::OnFileTypeBrowse},
    {IDC_SAVE_BUTTON, BN_CLICKED, &CSettingsDialog::OnSaveButton},
    {IDC_DIRECTORY_ENTRY, EN_UPDATE, &CSettingsDialog::OnDirectoryTyping},
    {IDC_FILETYPE_ENTRY, EN_UPDATE, &CSettingsDialog::OnFileTypeTyping},
    {IDC_DIRECTORY_LIST, LBN_DBLCLK, &CSettingsDialog::RemoveDirectory},
    {IDC_FILETYPE_LIST, LBN_DBLCLK, &CSettingsDialog::RemoveFileType},
    {IDC_DIRECTORY_LIST, LBN_SELCHANGE, &CSettingsDialog::OnDirectorySelection},
    {IDC_FILETYPE_LIST, LBN_SELCHANGE, &CSettingsDialog::OnFileTypeSelection},
};

const MessageEntry<CSettingsDialog> CSettingsDialog::Messages[] = {
    {WM_DROPFILES, &CSettingsDialog::OnDropFiles},
};

CSettingsDialog::CSettingsDialog() : Dialog(IDD_SETTINGS) {}

void CSettingsDialog::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDOK, okButton_);
    exchange.Control(IDC_DIRECTORY_LIST, directoryList_);
    exchange.Control(IDC_FILETYPE_LIST, fileTypeList_);
    exchange.Control(IDC_SAVE_BUTTON, saveButton_);
    exchange.Control(IDC_FILETYPE_BROWSE, fileTypeBrowseButton_);
    exchange.Control(IDC_DIRECTORY_BROWSE, directoryBrowseButton_);
    exchange.Control(IDC_OPEN_BUTTON, openButton_);
    exchange.Control(IDC_FILETYPE_ADD, fileTypeButton_);
    exchange.Control(IDC_DIRECTORY_ADD, directoryButton_);
    if (exchangeScope_ == ExchangeScope::AllFields) exchange.Check(IDC_SUBDIRECTORY_CHECK, SubdirectoryFlag);
    if (exchangeScope_ != ExchangeScope::FileTypeEntryOnly) exchange.Text(IDC_DIRECTORY_ENTRY, DirectoryEntry);
    if (exchangeScope_ != ExchangeScope::DirectoryEntryOnly) exchange.Text(IDC_FILETYPE_ENTRY, FileTypeEntry);
}

bool CSettingsDialog::OnCommand(int id, int code) { return RouteCommand(Commands, this, id, code); }

bool CSettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return RouteMessage(Messages, this, message, wParam, lParam, result);
}

BOOL CSettingsDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    subdirectoryFlagAtOpening_ = SubdirectoryFlag;

    if (!JoinedDirectories.empty())
        tools_.SplitIntoListBox(JoinedDirectories, directoryList_, tools_.ListSeparator());
    if (!JoinedFileTypes.empty())
        tools_.SplitIntoListBox(JoinedFileTypes, fileTypeList_, tools_.ListSeparator());
    // The default reaches JoinedFileTypes only through OK.
    if (JoinedFileTypes.empty()) fileTypeList_.AddString(DefaultFileType);
    ApplyOkRule();
    ApplyTitleRule();
    return TRUE;
}

void CSettingsDialog::OnOK() {
    // Only the enabled button confirms: a search never gets an empty list.
    if (!okButton_.IsEnabled()) return;
    JoinedDirectories = JoinList(directoryList_);
    JoinedFileTypes = JoinList(fileTypeList_);
    Dialog::OnOK();
}

void CSettingsDialog::OnCancel() {
    // Handlers that took the fields stored the check box; a cancelled
    // opening changes nothing of the next search.
    SubdirectoryFlag = subdirectoryFlagAtOpening_;
    Dialog::OnCancel();
}

// Folder list

void CSettingsDialog::OnDirectoryButton() {
    if (DirectoryFlag == ModeAdd) AddDirectory();
    else if (DirectoryFlag == ModeRemove) RemoveDirectory();
    else MessageBoxPrompt("DirectoryFlag error", MB_OK);
}

void CSettingsDialog::OnDirectoryTyping() {
    UpdateData(true);
    if (!DirectoryEntry.empty()) SetDirectoryMode(ModeAdd);
}

void CSettingsDialog::OnDirectorySelection() {
    SetDirectoryMode(ModeRemove);
    DirectoryEntry = directoryList_.ItemText(directoryList_.CurSel());
    ShowFields(ExchangeScope::DirectoryEntryOnly);
}

void CSettingsDialog::AddDirectory() {
    UpdateData(true);
    if (tools_.ListBoxContains(directoryList_, DirectoryEntry, true)) {
        MessageBoxPrompt(AlreadyListedMessage, MB_OK);
        return;
    }
    if (DirectoryEntry.empty()) return;
    // A folder whose name holds the separator would come back from the
    // joined text as other folders.
    if (DirectoryEntry.find(tools_.ListSeparator()) != std::string::npos ||
        !tools_.DirectoryExists(DirectoryEntry)) {
        MessageBoxPrompt(NoSuchFolderMessage, MB_OK);
        return;
    }
    directoryList_.AddString(DirectoryEntry);
    DirectoryEntry.clear();
    ShowFields(ExchangeScope::AllFields);
    tools_.FitHorizontalExtent(directoryList_);
    ApplyOkRule();
    SetDirectoryMode(ModeNone);
    ApplyTitleRule();
}

void CSettingsDialog::RemoveDirectory() {
    tools_.DeleteSelectedItem(directoryList_);
    DirectoryEntry.clear();
    ShowFields(ExchangeScope::DirectoryEntryOnly);
    ApplyOkRule();
    SetDirectoryMode(ModeNone);
    ApplyTitleRule();
}

void CSettingsDialog::OnDirectoryBrowse() {
    CFolderBrowser browser("フォルダを選択してください", "", GetWindow(Handle(), GW_OWNER));
    const int chosen = browser.Browse();
    SetForegroundWindow(Handle());
    if (chosen != 1 || browser.SelectedFolder().empty()) return;
    DirectoryEntry = browser.SelectedFolder();
    ShowFields(ExchangeScope::DirectoryEntryOnly);
    SetDirectoryMode(ModeAdd);
}

// Drops on the folder list reach the dialog: the list box hands them on.
bool CSettingsDialog::OnDropFiles(WPARAM wParam, LPARAM, LRESULT& result) {
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    SetForegroundWindow(Handle());
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[MAX_PATH] = {};
        DragQueryFileA(drop, i, name, MAX_PATH);
        if (IsNewExistingFolder(name)) directoryList_.InsertString(-1, name);
    }
    DragFinish(drop);
    tools_.FitHorizontalExtent(directoryList_);
    ApplyOkRule();
    SetDirectoryMode(ModeNone);
    ApplyTitleRule();
    result = 0;
    return true;
}

// File-type list

void CSettingsDialog::OnFileTypeButton() {
    if (FileTypeyFlag == ModeAdd) AddFileType();
    else if (FileTypeyFlag == ModeRemove) RemoveFileType();
    else MessageBoxPrompt("FileTypeyFlag error", MB_OK);
}

void CSettingsDialog::OnFileTypeTyping() {
    UpdateData(true);
    if (!FileTypeEntry.empty()) SetFileTypeMode(ModeAdd);
}

void CSettingsDialog::OnFileTypeSelection() {
    SetFileTypeMode(ModeRemove);
    FileTypeEntry = fileTypeList_.ItemText(fileTypeList_.CurSel());
    ShowFields(ExchangeScope::FileTypeEntryOnly);
}

void CSettingsDialog::AddFileType() {
    UpdateData(true);
    if (tools_.ListBoxContains(fileTypeList_, FileTypeEntry, true)) {
        MessageBoxPrompt(AlreadyListedMessage, MB_OK);
        return;
    }
    if (FileTypeEntry.empty()) return;
    fileTypeList_.AddString(tools_.ToLower(FileTypeEntry));
    FileTypeEntry.clear();
    ShowFields(ExchangeScope::AllFields);
    tools_.FitHorizontalExtent(fileTypeList_);
    ApplyOkRule();
    SetFileTypeMode(ModeNone);
    ApplyTitleRule();
}

void CSettingsDialog::RemoveFileType() {
    tools_.DeleteSelectedItem(fileTypeList_);
    FileTypeEntry.clear();
    ShowFields(ExchangeScope::FileTypeEntryOnly);
    ApplyOkRule();
    SetFileTypeMode(ModeNone);
    ApplyTitleRule();
}

void CSettingsDialog::OnFileTypeBrowse() {
    FileDialogRequest request;
    request.open = true;
    request.flags = FileDialogFlags;
    request.filter = "*.*|*.*";
    std::string chosenPath;
    if (!FileDialogPrompt(request, chosenPath)) return;
    const std::string extension = tools_.ExtensionOf(cp932::NameOf(chosenPath));
    if (extension.empty()) return;
    FileTypeEntry = "*" + extension;
    ShowFields(ExchangeScope::FileTypeEntryOnly);
    SetFileTypeMode(ModeAdd);
}

// Settings file

void CSettingsDialog::OnSaveButton() {
    std::string chosenPath;
    if (!FileDialogPrompt(SettingsFileRequest(false), chosenPath)) return;
    const CSettingsFile settingsFile;
    if (!settingsFile.Save(chosenPath, ListTexts(directoryList_), ListTexts(fileTypeList_)))
        MessageBoxPrompt(CSettingsFile::CannotOpenMessage(chosenPath), MB_OK);
}

void CSettingsDialog::OnOpenButton() {
    std::string chosenPath;
    if (!FileDialogPrompt(SettingsFileRequest(true), chosenPath)) return;
    const CSettingsFile settingsFile;
    std::vector<std::string> folders, fileTypes;
    if (!settingsFile.Load(chosenPath, folders, fileTypes)) {
        MessageBoxPrompt(CSettingsFile::CannotOpenMessage(chosenPath), MB_OK);
        return;
    }
    directoryList_.ResetContent();
    fileTypeList_.ResetContent();
    for (const std::string& folder : folders) {
        if (IsNewExistingFolder(folder)) directoryList_.AddString(folder);
    }
    for (const std::string& value : fileTypes) {
        const std::string extension = tools_.ExtensionOf(value);
        if (extension.empty()) continue;
        const std::string pattern = "*" + extension;
        if (!tools_.ListBoxContains(fileTypeList_, pattern, true)) fileTypeList_.AddString(pattern);
    }
    tools_.FitHorizontalExtent(directoryList_);
    tools_.FitHorizontalExtent(fileTypeList_);
    ApplyOkRule();
    ApplyTitleRule();
}

// Rules and helpers

void CSettingsDialog::ShowFields(ExchangeScope scope) {
    exchangeScope_ = scope;
    UpdateData(false);
    exchangeScope_ = ExchangeScope::AllFields;
}

void CSettingsDialog::ApplyOkRule() {
    okButton_.Enable(directoryList_.Count() > 0 && fileTypeList_.Count() > 0);
}

void CSettingsDialog::ApplyTitleRule() {
    const bool hasFolders = directoryList_.Count() > 0;
    const bool hasFileTypes = fileTypeList_.Count() > 0;
    std::string title = "[検索設定] ";
    if (!hasFolders && !hasFileTypes) title += std::string("ディレクトリとファイルの種類") + "を設定して下さい";
    else if (!hasFolders) title += std::string("ディレクトリ") + "を設定して下さい";
    else if (!hasFileTypes) title += std::string("ファイルの種類") + "を設定して下さい";
    else title += "OK ボタンを押してください";
    Wnd().SetText(title);
}

void CSettingsDialog::SetDirectoryMode(int mode) {
    DirectoryFlag = mode;
    tools_.SetButtonState(directoryButton_, mode == ModeAdd || mode == ModeRemove,
                          mode == ModeRemove ? "削除(&S)" : "追加(&S)");
}

void CSettingsDialog::SetFileTypeMode(int mode) {
    FileTypeyFlag = mode;
    tools_.SetButtonState(fileTypeButton_, mode == ModeAdd || mode == ModeRemove,
                          mode == ModeRemove ? "削除(&E)" : "追加(&E)");
}

bool CSettingsDialog::IsNewExistingFolder(const std::string& folder) const {
    return !folder.empty() && folder.find(tools_.ListSeparator()) == std::string::npos &&
           !tools_.ListBoxContains(directoryList_, folder, true) && tools_.DirectoryExists(folder);
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
