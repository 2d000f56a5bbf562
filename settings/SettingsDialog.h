#pragma once
// The search settings dialog: the folders to search, whether their
// subfolders are searched too, and the file-name patterns. What the user
// confirms with OK is left in JoinedDirectories, JoinedFileTypes and
// SubdirectoryFlag for the next search; Cancel leaves them as they were.
#include "common/CommonTools.h"
#include "platform/Dialog.h"
#include "platform/MessageMap.h"
#include "settings/ListEditor.h"

#include <set>
#include <string>
#include <vector>

class CSettingsDialog : public Dialog, private CListEditor::Host {
public:
    CSettingsDialog();

    // Every list entry followed by ";;"; changed only by OK.
    std::string JoinedDirectories;
    std::string JoinedFileTypes;
    // Search the subfolders of every listed folder too.
    int SubdirectoryFlag = 1;
    std::string DirectoryEntry;
    std::string FileTypeEntry;
    // Modes of the two Add/Remove buttons: 0 none, 1 Add, 2 Remove.
    int DirectoryFlag = 0;
    int FileTypeyFlag = 0;

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

    // CListEditor::Host
    void TakeFields() override;
    bool AdmitEntry(const CListEditor& editor, std::string& text) override;
    void ListChanged() override;

    void ApplyOkRule();
    void ApplyTitleRule();
    // Makes `folder` a full path and judges it against the listed folders'
    // keys.
    FolderVerdict JudgeFolder(std::string& folder, const std::set<std::string>& listedKeys) const;
    std::set<std::string> ListedFolderKeys() const;
    // Adds the folders that may enter the list, silently skipping the rest:
    // appended at the end (a drop) or in the list's sort order.
    void AddFolders(const std::vector<std::string>& folders, bool append);
    std::vector<std::string> ListTexts(ListBox list) const;
    std::string JoinList(ListBox list) const;

    static const CommandEntry<CSettingsDialog> Commands[];
    static const MessageEntry<CSettingsDialog> Messages[];

    Window okButton_;
    CListEditor directories_;
    CListEditor fileTypes_;
    CCommonTools tools_;

    // The check box state at opening, given back by Cancel.
    int subdirectoryFlagAtOpening_ = 1;
};
