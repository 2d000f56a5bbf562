#pragma once
// The search settings dialog: the folders to search, whether their
// subfolders are searched too, and the file-name patterns. What the user
// confirms with OK is left in JoinedDirectories, JoinedFileTypes and
// SubdirectoryFlag for the next search; Cancel leaves them as they were.
// So do the minimum size, the excluded folders and the protected folders.
#include "common/CommonTools.h"
#include "platform/Dialog.h"
#include "platform/MessageMap.h"
#include "settings/ListEditor.h"
#include "settings/SettingsFile.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

class CSettingsDialog : public Dialog, private CListEditor::Host {
public:
    CSettingsDialog();

    // Every list entry followed by ";;"; changed only by OK. The folders
    // are the exact paths, whatever their characters.
    std::wstring JoinedDirectories;
    std::string JoinedFileTypes;
    // Search the subfolders of every listed folder too.
    int SubdirectoryFlag = 1;
    // The entry fields' texts, exactly as typed.
    std::wstring DirectoryEntry;
    std::wstring FileTypeEntry;
    // Modes of the two Add/Remove buttons: 0 none, 1 Add, 2 Remove.
    int DirectoryFlag = 0;
    int FileTypeyFlag = 0;
    // Files shorter than this many KB (1,024 bytes) are not gathered; 0 sets
    // no minimum.
    std::uint32_t MinimumSizeKb = 0;
    // Folder paths (holding a backslash) and folder-name patterns that the
    // walk leaves out, exactly as entered.
    std::vector<std::wstring> ExcludedFolders;
    // Listed folders whose files are never ticked or deleted.
    std::vector<std::wstring> ProtectedFolders;
    std::wstring ExclusionEntry;
    int ExclusionFlag = 0;  // mode of the exclusion Add/Remove button

protected:
    void DoDataExchange(DataExchange& exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Why a folder may not enter the folder list.
    enum class FolderVerdict { Accepted, AlreadyListed, NoSuchFolder };

    void OnOpenButton();
    void OnDirectoryBrowse();
    void OnFileTypeBrowse();
    void OnSaveButton();
    bool OnDropFiles(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnDrawItem(WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnProtectCheck();

    // CListEditor::Host
    void TakeFields() override;
    bool AdmitEntry(const CListEditor& editor, const std::wstring& exact, std::string& text) override;
    void EntryAdded(const CListEditor& editor, int line) override;
    std::wstring EntryTextOf(const CListEditor& editor, int line) override;
    void ListChanged() override;

    void ApplyOkRule();
    void ApplyTitleRule();
    // Makes `folder` a full path and judges it against the listed folders'
    // keys.
    FolderVerdict JudgeFolder(std::wstring& folder, const std::set<std::wstring>& listedKeys) const;
    std::set<std::wstring> ListedFolderKeys() const;
    // Adds the folders that may enter the list, silently skipping the rest:
    // appended at the end (a drop) or in the list's sort order.
    void AddFolders(const std::vector<std::wstring>& folders, bool append);
    // The folder list shows each path in cp932 ('?' for what cp932 cannot
    // write); its item data names the exact path in folderPaths_.
    LPARAM KeepFolderPath(const std::wstring& folder);
    std::wstring FolderAt(int line) const;
    std::vector<std::wstring> ListedFolders() const;
    void ClearFolders();
    std::vector<std::string> ListTexts(ListBox list) const;
    std::string JoinList(ListBox list) const;

    // The minimum size, the exclusions and the protected folders as the
    // controls show them now.
    ScopeSettings ShownScope() const;
    void ShowScope(const ScopeSettings& scope);
    // The check box follows the selected folder: enabled while one is
    // selected, ticked while it is protected.
    void UpdateProtectCheck();
    // Protection belongs to listed folders only.
    void ForgetUnlistedProtection();
    // The folder list scrolls sideways to the end of its longest line,
    // mark included.
    void FitFolderExtent() const;
    void DrawFolderLine(const DRAWITEMSTRUCT& item) const;
    bool IsProtected(const std::wstring& folder) const;
    // The exact entry behind an exclusion line.
    std::wstring ExclusionAt(int line) const;

    static const CommandEntry<CSettingsDialog> Commands[];
    static const MessageEntry<CSettingsDialog> Messages[];

    Window okButton_;
    CListEditor directories_;
    CListEditor fileTypes_;
    CListEditor exclusions_;
    Window minimumSize_;
    Button protectCheck_;
    CCommonTools tools_;
    // The keys (FolderKey, of the exact paths) of the protected listed
    // folders.
    std::set<std::wstring> protectedKeys_;
    // The exact entries behind the exclusion list's cp932 texts, as the
    // settings or a file gave them; a line's data is its entry's place + 1.
    std::vector<std::wstring> exactExclusions_;

    // The check box state at opening, given back by Cancel.
    int subdirectoryFlagAtOpening_ = 1;
    // The exact paths of the folder lines, kept while the dialog is open;
    // a line's item data is its path's place here plus one.
    std::vector<std::wstring> folderPaths_;
    std::wstring admittedEntry_;  // by AdmitEntry, for EntryAdded
};
