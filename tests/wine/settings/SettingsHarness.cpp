#include "SettingsHarness.h"

SettingsHarness::SettingsHarness(CSettingsDialog& dialog) : dialog_(dialog) {
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    dialog_.Create(owner_);
}

SettingsHarness::~SettingsHarness() {
    dialog_.DestroyWindow();
    DestroyWindow(owner_);
}

void SettingsHarness::Reopen() {
    dialog_.DestroyWindow();
    dialog_.Create(owner_);
}

void SettingsHarness::Press(int id) const {
    SendMessageA(Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Handle(), id)));
}

void SettingsHarness::Type(int editId, const std::string& text) const {
    // The edit control tells the dialog itself (EN_UPDATE).
    SetWindowTextA(GetDlgItem(Handle(), editId), text.c_str());
}

void SettingsHarness::Select(int listId, int index) const {
    HWND list = GetDlgItem(Handle(), listId);
    SendMessageA(list, LB_SETCURSEL, index, 0);
    SendMessageA(Handle(), WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void SettingsHarness::DoubleClick(int listId, int index) const {
    Select(listId, index);  // the first click of the two
    SendMessageA(Handle(), WM_COMMAND, MAKEWPARAM(listId, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(GetDlgItem(Handle(), listId)));
}

void SettingsHarness::AddFolder(const std::string& folder) const {
    Type(IDC_DIRECTORY_ENTRY, folder);
    Press(IDC_DIRECTORY_ADD);
}

void SettingsHarness::AddFileType(const std::string& pattern) const {
    Type(IDC_FILETYPE_ENTRY, pattern);
    Press(IDC_FILETYPE_ADD);
}

void SettingsHarness::OpenFile(const std::string& path) const {
    scripted::AnswerFileDialog(path);
    Press(IDC_OPEN_BUTTON);
}

void SettingsHarness::SaveFile(const std::string& path) const {
    scripted::AnswerFileDialog(path);
    Press(IDC_SAVE_BUTTON);
}

std::vector<std::string> SettingsHarness::Items(int listId) const {
    ListBox list(GetDlgItem(Handle(), listId));
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.ItemText(i));
    return items;
}

std::string SettingsHarness::Text(int id) const { return Window(GetDlgItem(Handle(), id)).Text(); }

std::string SettingsHarness::Title() const { return Window(Handle()).Text(); }

bool SettingsHarness::Enabled(int id) const { return IsWindowEnabled(GetDlgItem(Handle(), id)) != 0; }

int SettingsHarness::Checked() const {
    return static_cast<int>(SendDlgItemMessageA(Handle(), IDC_SUBDIRECTORY_CHECK, BM_GETCHECK, 0, 0));
}
