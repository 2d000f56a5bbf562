#pragma once
// The main window: the lists of groups and candidates, the workflow button
// and its state, and the engine that the workflow drives.
#include "app/GroupListing.h"
#include "app/MainWindowLayout.h"
#include "common/CommonTools.h"
#include "engine/ContentComparer.h"
#include "engine/DuplicateComparer.h"
#include "engine/FileCollector.h"
#include "engine/GatheredFileList.h"
#include "platform/Dialog.h"
#include "res/resource.h"
#include "review/CandidateList.h"
#include "review/DeletionRun.h"
#include "review/SelectionMenu.h"
#include "settings/SettingsDialog.h"

#include <string>

class CFileSearchDialog : public Dialog {
public:
    CFileSearchDialog();
    ~CFileSearchDialog() override;

    bool PreTranslateMessage(MSG* message) override;

    // Title and status field.
    void SetStatusTitle(std::string text);
    void ShowFileTotal();
    void ShowGroupTotals();
    // Frees the record of every gathered file and empties the group list.
    void ClearGatheredFiles();

    // Workflow (Search button and Settings button).
    void OnSearchButton();
    void OnSettingsButton();
    void StartSearch();
    void StartComparison();

    // Review and deletion.
    void OnDeleteButton();
    void OnCandidateDblClk();
    void OnCandidateSelChange();
    void OnGroupSelChange();
    void OnCandidateChecksChanged();
    // The candidate list's context menu at a point of the screen, on the
    // line under it; a point of (-1, -1) (the keyboard's) opens it on the
    // line with the caret.
    void ShowCandidateMenu(POINT at);
    // Asks for a file and saves the candidate list there.
    void SaveCandidateList();
    // The ticked lines and their bytes in the total field; empty while no
    // comparison result is shown.
    void ShowTickedTotal();

    // What the Search button does next; ActionFlag holds one of these.
    enum State : int {
        Idle = 0,           // nothing to run: no settings yet, or no duplicates found
        Collecting = 1,     // the walk runs; Search aborts it
        Collected = 2,      // files gathered, the ordering was aborted; Search compares
        Comparing = 3,      // the contents are compared; Search aborts
        Finished = 4,       // results shown; Search ends the program
        ReadyToSearch = 5,  // settings confirmed; Search starts the walk
        Ordering = 6,       // the gathered files are ordered; Search aborts
    };

    CSettingsDialog& Settings() { return settingsDialog_; }
    CCandidateList& Candidates() { return candidateList_; }
    CContentComparer& ContentComparer() { return contentComparer_; }

    int RecycleFlag = 1;
    BOOL ResultsReady = FALSE;
    int GroupListCount = 0;
    int ActionFlag = Idle;

protected:
    void DoDataExchange(DataExchange& exchange) override;
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnSysCommand(WPARAM command, LPARAM, LRESULT&);
    bool OnPaint(WPARAM, LPARAM, LRESULT&);
    bool OnQueryDragIcon(WPARAM, LPARAM, LRESULT& result);
    bool OnClose(WPARAM, LPARAM, LRESULT&);
    bool OnVKeyToItem(WPARAM, LPARAM, LRESULT& result);
    bool OnSize(WPARAM, LPARAM, LRESULT&);
    bool OnGetMinMaxInfo(WPARAM, LPARAM limits, LRESULT&);
    bool OnContextMenu(WPARAM window, LPARAM point, LRESULT&);
    // Aborts what runs and releases what the lists own.
    void RunCloseSequence();
    // Enters `state` and shows the Search button for it (disabled when Idle).
    void EnterState(State state, const std::string& searchCaption);
    // While these run or wait, the group list shows a gathered file, not groups.
    bool HoldsGatheredFiles() const;

    ProgressBar runProgress_;
    Button recycleCheck_;
    CCandidateList candidateList_;
    ListView detailsList_;
    ComboBox groupList_;
    // The files a search gathered; the group list shows the last one found.
    GatheredFileList gatheredFiles_{groupList_};
    ProgressBar mainProgress_;
    Edit statusField_;
    Edit tickedTotal_;
    Button settingsButton_;
    Button searchButton_;
    Button deleteButton_;
    // The one pump of the long operations, handed to each of them.
    MessagePump pump_;
    CDuplicateComparer duplicateComparer_{pump_};
    CContentComparer contentComparer_{pump_};
    CFileCollector fileCollector_{pump_};
    CDeletionRun deletion_{pump_};
    bool deleting_ = false;  // a deletion run hands over messages
    CCommonTools tools_;
    CSettingsDialog settingsDialog_;
    GroupListing groupListing_{groupList_, candidateList_};
    HICON icon_ = nullptr;
    CMainWindowLayout layout_;
};
