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
    exchange.Control(IDC_SAVE_BUTTON, saveButton_);
    exchange.Control(IDC_FILETYPE_BROWSE, fileTypeBrowseButton_);
    exchange.Control(IDC_DIRECTORY_BROWSE, directoryBrowseButton_);
    exchange.Control(IDC_OPEN_BUTTON, openButton_);
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
    if (tools_.ListBoxContains(editor.List(), text, true)) {
        MessageBoxPrompt(AlreadyListedMessage, MB_OK);
        return false;
    }
    if (&editor == &fileTypes_) {
        text = tools_.ToLower(text);
        return true;
    }
    // A folder whose name holds the separator would come back from the
    // joined text as other folders.
    if (text.find(tools_.ListSeparator()) != std::string::npos || !tools_.DirectoryExists(text)) {
        MessageBoxPrompt(NoSuchFolderMessage, MB_OK);
        return false;
    }
    return true;
}

void CSettingsDialog::ListChanged() {
    ApplyOkRule();
    ApplyTitleRule();
}

// Folders

void CSettingsDialog::OnDirectoryBrowse() {
    CFolderBrowser browser("フォルダを選択してください", "", GetWindow(Handle(), GW_OWNER));
    const int chosen = browser.Browse();
    SetForegroundWindow(Handle());
    if (chosen != 1 || browser.SelectedFolder().empty()) return;
    directories_.Propose(browser.SelectedFolder());
}

// Drops on the folder list reach the dialog: the list box hands them on.
bool CSettingsDialog::OnDropFiles(WPARAM wParam, LPARAM, LRESULT& result) {
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    SetForegroundWindow(Handle());
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[MAX_PATH] = {};
        DragQueryFileA(drop, i, name, MAX_PATH);
        if (IsNewExistingFolder(name)) directories_.List().InsertString(-1, name);
    }
    DragFinish(drop);
    tools_.FitHorizontalExtent(directories_.List());
    directories_.SetMode(CListEditor::ModeNone);
    ListChanged();
    result = 0;
    return true;
}

bool CSettingsDialog::IsNewExistingFolder(const std::string& folder) const {
    return !folder.empty() && folder.find(tools_.ListSeparator()) == std::string::npos &&
           !tools_.ListBoxContains(directories_.List(), folder, true) && tools_.DirectoryExists(folder);
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
    if (!settingsFile.Load(chosenPath, folders, values)) {
        MessageBoxPrompt(CSettingsFile::CannotOpenMessage(chosenPath), MB_OK);
        return;
    }
    ListBox folderList = directories_.List(), fileTypeList = fileTypes_.List();
    folderList.ResetContent();
    fileTypeList.ResetContent();
    for (const std::string& folder : folders) {
        if (IsNewExistingFolder(folder)) folderList.AddString(folder);
    }
    for (const std::string& value : values) {
        const std::string extension = tools_.ExtensionOf(value);
        if (extension.empty()) continue;
        const std::string pattern = "*" + extension;
        if (!tools_.ListBoxContains(fileTypeList, pattern, true)) fileTypeList.AddString(pattern);
    }
    tools_.FitHorizontalExtent(folderList);
    tools_.FitHorizontalExtent(fileTypeList);
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
