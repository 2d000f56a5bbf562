#pragma once
// The main window: the lists of groups and candidates, the workflow button
// and its state, and the engine that the workflow drives.
#include "app/ControlSearchView.h"
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
#include "review/GroupList.h"
#include "review/LinkRun.h"
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
    // Asks, then replaces the ticked files with hard links to the copies
    // that stay.
    void ReplaceTickedWithLinks();
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

    // The steps of the workflow, each a row of the table in the .cpp file:
    // the state it enters, the Search caption, which controls the user can
    // reach, where the focus goes and what the title says.
    enum class Step {
        Start,              // nothing set yet
        Ready,              // settings confirmed, no results shown
        ReadyOverResults,   // settings confirmed over the results of a comparison
        ReadyOverDeletion,  // settings confirmed over what a deletion left
        Collecting,
        NoFiles,          // the walk found nothing
        Collected,        // files gathered; the ordering is next or was aborted
        Ordering,
        Comparing,
        NoDuplicates,
        Results,
        Deleting,
        Deleted,
        Linking,          // ticked files are replaced by hard links
        Linked,
        Recovered,        // a failure ended the running work; the lists are empty
    };

    CSettingsDialog& Settings() { return settingsDialog_; }
    CCandidateList& Candidates() { return candidateList_; }
    CGroupList& Groups() { return groupList_; }
    CContentComparer& ContentComparer() { return contentComparer_; }

    int RecycleFlag = 1;
    BOOL ResultsReady = FALSE;
    int GroupListCount = 0;
    State ActionFlag = Idle;

protected:
    // Applies the step's row of the table.
    void Enter(Step step);
    void DoDataExchange(DataExchange& exchange) override;
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnFailure() override;
    void OnDpiChanged(int from, int to) override;
    std::string HowFarBeforeMemoryRanOut() const override;

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
    // Sets the abort flag of the engine operation that runs, if any.
    void AbortRunning();
    void ShowGroupTotals(int groups);
    // After a run on the ticked files: the totals, `total` in the ticked
    // total's field until the ticks next change, the step, and the message
    // `kept` when it is not empty.
    void EndTickedRun(const std::string& total, Step step, const std::string& kept);
    // Ends the work a failure interrupted, with both lists emptied.
    void Recover();
    // While these run or wait, the group list shows a gathered file, not groups.
    bool HoldsGatheredFiles() const;

    ProgressBar runProgress_;
    Button recycleCheck_;
    CCandidateList candidateList_;
    ListView detailsList_;
    CGroupList groupList_{candidateList_};
    // The files a search gathered; the group list shows the last one found.
    GatheredFileList gatheredFiles_;
    ProgressBar mainProgress_;
    Edit statusField_;
    Edit tickedTotal_;
    Button settingsButton_;
    Button searchButton_;
    Button deleteButton_;
    // What the engine shows and asks goes through these controls.
    ControlSearchView view_{statusField_, groupList_, mainProgress_, runProgress_,
                            [this](const std::string& text) { SetStatusTitle(text); }};
    // The one pump of the long operations, handed to each of them.
    MessagePump pump_;
    CDuplicateComparer duplicateComparer_{pump_};
    CContentComparer contentComparer_{pump_};
    CFileCollector fileCollector_{pump_};
    CDeletionRun deletion_{pump_};
    CLinkRun links_{pump_};
    CCommonTools tools_;
    CSettingsDialog settingsDialog_;
    GroupListing groupListing_{groupList_, candidateList_};
    HICON icon_ = nullptr;
    Step step_ = Step::Start;
    // Engine operations and deletion runs under way (they hand over
    // messages, so a failure can be caught inside one), and whether one
    // failed: the step that runs it then ends the work.
    int running_ = 0;
    bool failed_ = false;
    // The window is closing: work that hands over messages stops.
    bool closing_ = false;
    // The user changed ticks while a comparison's result was gone through.
    bool ticksChangedMeanwhile_ = false;
    CMainWindowLayout layout_;
};
