#include "app/FileSearchDialog.h"

#include "app/AboutDialog.h"
#include "platform/DataExchange.h"
#include "platform/MessageMap.h"
#include "platform/Prompts.h"
#include "platform/WidePath.h"
#include "review/ListExport.h"
#include "review/core/ReviewTexts.h"

#include <commdlg.h>
#include <cstdio>
#include <utility>

#include <windowsx.h>

namespace {
const int StorageItems = 100000;
const int StorageBytes = 260;

std::string Format(const char* format, int a, int b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// What a step does to a control.
enum Switch { Off, On };

using S = CFileSearchDialog;
using Step = CFileSearchDialog::Step;

// A step's row: every control it governs, in one definite state, whatever
// step came before.
struct StepRow {
    Step step;                 // the row's name; the rows go in Step order
    S::State state;            // what the Search button does next
    const char* searchCaption;
    Switch search, settings, remove, recycle;
    // Where the focus goes from a control that the step disables (0: the
    // step disables none that could have it), or always (focusAlways).
    int focus;
    bool focusAlways;
    const char* title;  // after "[Vellaro] "
};

constexpr StepRow Steps[] = {
    // step, state, Search caption; Search, Settings, Delete, the box; focus; title
    {Step::Start, S::Idle, "検索(&G)", Off, On, Off, Off, 0, false, "検索設定をして下さい"},
    {Step::Ready, S::ReadyToSearch, "検索(&G)", On, On, Off, Off, 0, false, "検索ボタンを押してください"},
    // The settings were confirmed over results: they stay, and so does what
    // the user can do with them.
    {Step::ReadyOverResults, S::ReadyToSearch, "検索(&G)", On, On, On, On, 0, false, "検索ボタンを押してください"},
    {Step::ReadyOverDeletion, S::ReadyToSearch, "検索(&G)", On, On, Off, On, 0, false, "検索ボタンを押してください"},
    {Step::Collecting, S::Collecting, "中止(&G)", On, Off, Off, Off, IDC_SEARCH_BUTTON, false, "検索中です"},
    {Step::NoFiles, S::Finished, "終了(&G)", On, Off, Off, Off, 0, false, "ファイルが見つかりませんでした"},
    // The ordering comes next, or was aborted.
    {Step::Collected, S::Collected, "比較(&G)", On, Off, Off, Off, 0, false, "比較中です"},
    {Step::Ordering, S::Ordering, "中止(&G)", On, Off, Off, Off, IDC_SEARCH_BUTTON, false, "比較中です"},
    {Step::Comparing, S::Comparing, "中止(&G)", On, Off, Off, Off, 0, false, "比較中です"},
    {Step::NoDuplicates, S::Idle, "終了(&G)", Off, On, Off, Off, IDC_SETTINGS_BUTTON, false,
     "重複ファイルが見つかりませんでした"},
    // Review comes next; Search now finishes the program, and a key meant
    // for the list must not press it.
    {Step::Results, S::Finished, "終了(&G)", On, On, On, On, IDC_CANDIDATE_LIST, true,
     "比較が終了しました / 削除ボタンでチェックファイルを削除できます"},
    // Messages are handed over while files go, so nothing may start a
    // search or another deletion meanwhile; the list keeps the focus. The
    // run ends in the Finish state whatever came before.
    {Step::Deleting, S::Finished, "終了(&G)", Off, Off, Off, Off, IDC_CANDIDATE_LIST, false, "ファイルを削除中です"},
    {Step::Deleted, S::Finished, "終了(&G)", On, On, Off, On, 0, false, "ファイルを削除が終了しました"},
    // As Deleting and Deleted.
    {Step::Linking, S::Finished, "終了(&G)", Off, Off, Off, Off, IDC_CANDIDATE_LIST, false,
     "ハードリンクに置き換えています"},
    {Step::Linked, S::Finished, "終了(&G)", On, On, Off, On, 0, false, "ハードリンクへの置き換えが終了しました"},
    // A failure ended the running work; the lists are empty.
    {Step::Recovered, S::ReadyToSearch, "検索(&G)", On, On, Off, Off, IDC_SEARCH_BUTTON, false,
     "検索ボタンを押してください"},
};

constexpr bool OneRowPerStepInOrder() {
    constexpr int count = sizeof Steps / sizeof Steps[0];
    if (count != static_cast<int>(Step::Recovered) + 1) return false;
    for (int at = 0; at < count; ++at)
        if (static_cast<int>(Steps[at].step) != at) return false;
    return true;
}
static_assert(OneRowPerStepInOrder(), "one row per step, in Step order");

// Counts an operation under way while it lives, also when a failure
// unwinds it.
class Running {
public:
    explicit Running(int& count) : count_(count) { ++count_; }
    ~Running() { --count_; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    int& count_;
};
}  // namespace

CFileSearchDialog::CFileSearchDialog()
    : Dialog(IDD_MAIN),
      layout_({{IDC_GROUP_LIST, CMainWindowLayout::Widen},
               {IDC_CANDIDATE_LIST, CMainWindowLayout::Widen | CMainWindowLayout::Heighten},
               {IDC_SETTINGS_BUTTON, CMainWindowLayout::FollowBottom},
               {IDC_SEARCH_BUTTON, CMainWindowLayout::FollowBottom},
               {IDC_DELETE_BUTTON, CMainWindowLayout::FollowBottom},
               {IDC_RECYCLE_CHECK, CMainWindowLayout::FollowBottom},
               {IDC_RUN_PROGRESS, CMainWindowLayout::FollowBottom},
               {IDC_MAIN_PROGRESS, CMainWindowLayout::FollowBottom | CMainWindowLayout::Widen},
               {IDC_TICKED_TOTAL, CMainWindowLayout::FollowBottom | CMainWindowLayout::FollowRight},
               {IDC_STATUS_FIELD, CMainWindowLayout::FollowBottom | CMainWindowLayout::FollowRight}}) {
    icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CFileSearchDialog::~CFileSearchDialog() {
    // The window goes while the member controls still exist, so that the
    // candidate list can release its lines' state.
    DestroyWindow();
}

void CFileSearchDialog::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_RUN_PROGRESS, runProgress_);
    exchange.Control(IDC_RECYCLE_CHECK, recycleCheck_);
    exchange.Attach(IDC_CANDIDATE_LIST, candidateList_);
    exchange.Control(IDC_DETAILS_LIST, detailsList_);
    exchange.Attach(IDC_GROUP_LIST, groupList_);
    exchange.Control(IDC_MAIN_PROGRESS, mainProgress_);
    exchange.Control(IDC_STATUS_FIELD, statusField_);
    exchange.Control(IDC_TICKED_TOTAL, tickedTotal_);
    exchange.Control(IDC_SETTINGS_BUTTON, settingsButton_);
    exchange.Control(IDC_DELETE_BUTTON, deleteButton_);
    exchange.Control(IDC_SEARCH_BUTTON, searchButton_);
    exchange.Check(IDC_RECYCLE_CHECK, RecycleFlag);
}

bool CFileSearchDialog::OnCommand(int id, int code) {
    static const CommandEntry<CFileSearchDialog> map[] = {
        {IDC_SEARCH_BUTTON, BN_CLICKED, &CFileSearchDialog::OnSearchButton},
        {IDC_DELETE_BUTTON, BN_CLICKED, &CFileSearchDialog::OnDeleteButton},
        {IDC_SETTINGS_BUTTON, BN_CLICKED, &CFileSearchDialog::OnSettingsButton},
        {IDC_CANDIDATE_LIST, LBN_DBLCLK, &CFileSearchDialog::OnCandidateDblClk},
        {IDC_CANDIDATE_LIST, LBN_SELCHANGE, &CFileSearchDialog::OnCandidateSelChange},
        {IDC_GROUP_LIST, CBN_SELCHANGE, &CFileSearchDialog::OnGroupSelChange},
        {IDC_CANDIDATE_LIST, CheckListBox::ChecksChanged, &CFileSearchDialog::OnCandidateChecksChanged},
    };
    return RouteCommand(map, this, id, code);
}

bool CFileSearchDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static const MessageEntry<CFileSearchDialog> map[] = {
        {WM_SYSCOMMAND, &CFileSearchDialog::OnSysCommand},
        {WM_PAINT, &CFileSearchDialog::OnPaint},
        {WM_QUERYDRAGICON, &CFileSearchDialog::OnQueryDragIcon},
        {WM_CLOSE, &CFileSearchDialog::OnClose},
        {WM_VKEYTOITEM, &CFileSearchDialog::OnVKeyToItem},
        {WM_SIZE, &CFileSearchDialog::OnSize},
        {WM_GETMINMAXINFO, &CFileSearchDialog::OnGetMinMaxInfo},
        {WM_CONTEXTMENU, &CFileSearchDialog::OnContextMenu},
    };
    return RouteMessage(map, this, message, wParam, lParam, result);
}

BOOL CFileSearchDialog::OnInitDialog() {
    Dialog::OnInitDialog();

    if (HMENU systemMenu = GetSystemMenu(Handle(), FALSE)) {
        char about[256] = {};
        if (LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, about, sizeof about) > 0) {
            AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    Wnd().Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    Wnd().Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    detailsList_.InsertColumn(0, "名前", LVCFMT_LEFT, 100, 0);
    detailsList_.InsertColumn(1, "フォルダ名", LVCFMT_LEFT, 290, 1);
    detailsList_.InsertColumn(2, "サイズ", LVCFMT_LEFT, 70, 2);
    detailsList_.InsertColumn(3, "更新日時", LVCFMT_LEFT, 100, 3);

    ResultsReady = FALSE;
    Enter(Step::Start);
    layout_.Capture(Handle());
    return TRUE;
}

bool CFileSearchDialog::PreTranslateMessage(MSG* message) {
    // Shift+F10 and the menu key open the candidate list's menu on its
    // focused line; their key-ups are kept from the list as well, where the
    // default handling would open the system menu or a second menu.
    if (message->hwnd == candidateList_.Handle()) {
        const bool menuKey = (message->message == WM_KEYDOWN || message->message == WM_KEYUP) &&
                             message->wParam == VK_APPS;
        const bool shiftF10 = (message->message == WM_SYSKEYDOWN || message->message == WM_SYSKEYUP) &&
                              message->wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0;
        if (menuKey || shiftF10) {
            if (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN) ShowCandidateMenu({-1, -1});
            return true;
        }
    }
    // Enter and Escape go to the focused control, never to the dialog.
    if (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE) return false;
    return Dialog::PreTranslateMessage(message);
}

bool CFileSearchDialog::OnSysCommand(WPARAM command, LPARAM, LRESULT&) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    CAboutDialog about;
    about.DoModal(Handle());
    return true;
}

bool CFileSearchDialog::OnPaint(WPARAM, LPARAM, LRESULT&) {
    if (!IsIconic(Handle())) return false;
    PAINTSTRUCT paint;
    HDC context = BeginPaint(Handle(), &paint);
    Wnd().Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(context));
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(Handle(), &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(context, x, y, icon_);
    EndPaint(Handle(), &paint);
    return true;
}

bool CFileSearchDialog::OnQueryDragIcon(WPARAM, LPARAM, LRESULT& result) {
    result = reinterpret_cast<LRESULT>(icon_);
    return true;
}

bool CFileSearchDialog::OnClose(WPARAM, LPARAM, LRESULT&) {
    RunCloseSequence();
    // Posted, so that a running operation first sees its abort flag and
    // its step finishes before the dialog ends.
    Wnd().Post(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return true;
}

bool CFileSearchDialog::OnContextMenu(WPARAM window, LPARAM point, LRESULT&) {
    if (reinterpret_cast<HWND>(window) != candidateList_.Handle()) return false;
    ShowCandidateMenu({GET_X_LPARAM(point), GET_Y_LPARAM(point)});
    return true;
}

bool CFileSearchDialog::OnVKeyToItem(WPARAM, LPARAM, LRESULT& result) {
    // The candidate list asks about every key: the list's own handling
    // (move, select) is what the program wants for all of them.
    result = -1;
    return true;
}

void CFileSearchDialog::OnDpiChanged(int from, int to) {
    layout_.Rescale(from, to);
    candidateList_.SetDpi(to);
    candidateList_.SetHorizontalExtent(MulDiv(candidateList_.HorizontalExtent(), to, from));
}

bool CFileSearchDialog::OnSize(WPARAM, LPARAM, LRESULT&) {
    layout_.Apply(Handle());
    return false;
}

bool CFileSearchDialog::OnGetMinMaxInfo(WPARAM, LPARAM limits, LRESULT&) {
    layout_.LimitTracking(*reinterpret_cast<MINMAXINFO*>(limits));
    return true;
}

void CFileSearchDialog::RunCloseSequence() {
    closing_ = true;
    if (ActionFlag == Collecting) ResultsReady = FALSE;
    AbortRunning();
    deletion_.Abort();
    links_.Abort();
    candidateList_.ReleaseLines();
    if (HoldsGatheredFiles()) ClearGatheredFiles();
}

void CFileSearchDialog::AbortRunning() {
    switch (ActionFlag) {
    case Collecting:
        fileCollector_.Abort();
        break;
    case Ordering:
        duplicateComparer_.Abort();
        break;
    case Comparing:
        contentComparer_.Abort();
        break;
    default:
        break;
    }
}

void CFileSearchDialog::Enter(Step step) {
    const StepRow& row = Steps[static_cast<int>(step)];
    step_ = step;
    const std::pair<Window, Switch> controls[] = {
        {searchButton_, row.search}, {settingsButton_, row.settings},
        {deleteButton_, row.remove}, {recycleCheck_, row.recycle}};
    // Enabled first, so that the focus can move onto a control the step
    // enables, and away from one it disables before that goes dark.
    for (const auto& [control, what] : controls) if (what == On) control.Enable(true);
    if (row.focus != 0) {
        const Window target = Item(row.focus);
        if (row.focusAlways) target.TakeFocus();
        else for (const auto& [control, what] : controls) if (what == Off) control.PassFocusTo(target);
    }
    for (const auto& [control, what] : controls) if (what == Off) control.Enable(false);
    ActionFlag = row.state;
    tools_.SetButtonState(searchButton_, row.search == On, row.searchCaption);
    SetStatusTitle(row.title);
}

void CFileSearchDialog::OnFailure() {
    // Inside a running operation, the failure was in a message it handed
    // over: it stops at its next check and its step ends the work.
    if (running_ > 0) {
        failed_ = true;
        AbortRunning();
        deletion_.Abort();
        links_.Abort();
        return;
    }
    // Otherwise the failure unwound the operation itself.
    switch (step_) {
    case Step::Collecting:
    case Step::Collected:
    case Step::Ordering:
    case Step::Comparing:
        Recover();
        break;
    case Step::Deleting:
        ShowGroupTotals();
        Enter(Step::Deleted);
        break;
    case Step::Linking:
        ShowGroupTotals();
        Enter(Step::Linked);
        break;
    default:
        break;
    }
}

std::string CFileSearchDialog::HowFarBeforeMemoryRanOut() const {
    // So that the user can choose a smaller part of the disk.
    int gathered = GroupListCount;
    switch (ActionFlag) {
    case Collecting:
        gathered = gatheredFiles_.Count();
        break;
    case Ordering:
    case Comparing:
        break;
    default:
        return std::string();
    }
    return reviewtext::Count(static_cast<std::uint64_t>(gathered)) + " ファイルまで集めました";
}

void CFileSearchDialog::Recover() {
    failed_ = false;
    ClearGatheredFiles();  // the group list too
    candidateList_.ClearLines();
    GroupListCount = 0;
    ResultsReady = FALSE;
    statusField_.SetText("");
    tickedTotal_.SetText("");
    Enter(Step::Recovered);
}

bool CFileSearchDialog::HoldsGatheredFiles() const {
    return ActionFlag == Collecting || ActionFlag == Collected || ActionFlag == Ordering;
}

void CFileSearchDialog::SetStatusTitle(std::string text) { Wnd().SetText("[Vellaro] " + text); }

void CFileSearchDialog::ShowFileTotal() { statusField_.SetText(Format("合計 %d ファイル", GroupListCount)); }

void CFileSearchDialog::ShowGroupTotals() { ShowGroupTotals(candidateList_.GroupCount()); }

void CFileSearchDialog::ShowGroupTotals(int groups) {
    statusField_.SetText(Format("%d 組 / %d ファイル", groups, candidateList_.Count()));
}

void CFileSearchDialog::ClearGatheredFiles() {
    gatheredFiles_.ReleaseAll();
    groupList_.ResetContent();
}

void CFileSearchDialog::OnSearchButton() {
    switch (ActionFlag) {
    case Collecting:
    case Ordering:
    case Comparing:
        AbortRunning();
        break;
    case Collected:
        StartComparison();
        break;
    case Finished:
        OnOK();
        RunCloseSequence();
        break;
    case ReadyToSearch:
        StartSearch();
        break;
    default:
        MessageBoxPrompt("CFileSearchDialog error\nActionFlag is not true", MB_OK | MB_ICONEXCLAMATION);
        break;
    }
}

void CFileSearchDialog::OnSettingsButton() {
    if (settingsDialog_.DoModal(Handle()) != IDOK) return;
    // Results shown stay, and so does what the user could do with them.
    if (step_ == Step::Results || step_ == Step::ReadyOverResults) return Enter(Step::ReadyOverResults);
    if (step_ == Step::Deleted || step_ == Step::Linked || step_ == Step::ReadyOverDeletion)
        return Enter(Step::ReadyOverDeletion);
    Enter(Step::Ready);
}

void CFileSearchDialog::StartSearch() {
    ResultsReady = FALSE;
    Enter(Step::Collecting);
    // Entries left are groups of an earlier comparison, which own nothing.
    // The gathered files are kept apart: the list only shows the last one.
    groupList_.ResetContent();
    const CollectionScope scope{std::uint64_t{settingsDialog_.MinimumSizeKb} * 1024, settingsDialog_.ExcludedFolders};
    groupListing_.SetProtectedFolders(
        ProtectedFolders(settingsDialog_.ProtectedFolders, settingsDialog_.SubdirectoryFlag != 0));
    {
        const Running running(running_);
        fileCollector_.Collect(settingsDialog_.JoinedDirectories, settingsDialog_.JoinedFileTypes,
                               settingsDialog_.SubdirectoryFlag, scope, gatheredFiles_, view_);
    }
    if (failed_) return Recover();

    ResultsReady = TRUE;
    GroupListCount = gatheredFiles_.Count();
    ShowFileTotal();
    if (GroupListCount == 0) return Enter(Step::NoFiles);
    Enter(Step::Collected);
    StartComparison();
}

void CFileSearchDialog::StartComparison() {
    Enter(Step::Ordering);
    statusField_.SetText("データ初期化中");
    bool ordered = false;
    {
        const Running running(running_);
        ordered = duplicateComparer_.SortAndGroup(GroupListCount, gatheredFiles_, view_);
    }
    if (failed_) return Recover();
    if (!ordered) return Enter(Step::Collected);

    ClearGatheredFiles();
    candidateList_.ClearLines();
    tickedTotal_.SetText("");
    candidateList_.InitStorage(StorageItems, StorageBytes);
    Enter(Step::Comparing);
    statusField_.SetText("ファイルを比較中");
    {
        const Running running(running_);
        contentComparer_.CompareAll(
            ComparisonJob{std::make_shared<const GatheredFileList>(std::move(duplicateComparer_.Paths)),
                          std::move(duplicateComparer_.RunLengths)},
            groupListing_, view_);
    }
    if (failed_) return Recover();

    // The totals and the widest line, in one pass that keeps the window
    // answering.
    ticksChangedMeanwhile_ = false;
    statusField_.SetText("結果を集計中");
    CCandidateList::Survey survey;
    {
        const Running running(running_);
        survey = candidateList_.SurveyLines(pump_, [this] { return closing_ || failed_; });
    }
    if (failed_) return Recover();
    if (closing_) return;

    GroupListCount = groupList_.Count();
    ShowGroupTotals(survey.groups);
    if (candidateList_.Count() == 0) return Enter(Step::NoDuplicates);
    candidateList_.FitHorizontalExtent(survey.widestText);
    Enter(Step::Results);
    if (ticksChangedMeanwhile_) ShowTickedTotal();
    else tickedTotal_.SetText(reviewtext::TickedTotal(survey.ticked.files, survey.ticked.bytes));
}

void CFileSearchDialog::OnDeleteButton() {
    const CCandidateList::Total ticked = candidateList_.Ticked();
    const bool recycle = recycleCheck_.Check() == BST_CHECKED;
    if (MessageBoxPrompt(reviewtext::DeletionQuestion(ticked.files, ticked.bytes, recycle), MB_OKCANCEL) != IDOK)
        return;
    UpdateData(true);
    Enter(Step::Deleting);
    DeletionSummary summary;
    {
        const Running running(running_);
        summary = deletion_.Run(candidateList_, RecycleFlag, view_);
    }
    if (deletion_.Aborted() && !failed_) return;  // the window is closing
    EndTickedRun(reviewtext::DeletedTotal(static_cast<std::uint64_t>(summary.deleted), summary.deletedBytes),
                 Step::Deleted, summary.Kept() > 0 ? CDeletionRun::SummaryText(summary) : std::string());
}

void CFileSearchDialog::ReplaceTickedWithLinks() {
    const CCandidateList::Total ticked = candidateList_.Ticked();
    if (MessageBoxPrompt(reviewtext::LinkQuestion(ticked.files, ticked.bytes), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    Enter(Step::Linking);
    LinkSummary summary;
    {
        const Running running(running_);
        summary = links_.Run(candidateList_, view_);
    }
    if (links_.Aborted() && !failed_) return;  // the window is closing
    EndTickedRun(reviewtext::LinkedTotal(static_cast<std::uint64_t>(summary.linked), summary.freedBytes),
                 Step::Linked, summary.Kept() > 0 ? CLinkRun::SummaryText(summary) : std::string());
}

void CFileSearchDialog::EndTickedRun(const std::string& total, Step step, const std::string& kept) {
    failed_ = false;
    ShowGroupTotals();
    tickedTotal_.SetText(total);
    Enter(step);
    if (!kept.empty()) MessageBoxPrompt(kept, MB_OK | MB_ICONEXCLAMATION);
}

// The chosen line is the one with the caret: in a list of many selected
// lines, the current selection under Wine is the first line selected.
void CFileSearchDialog::OnCandidateDblClk() {
    if (!ResultsReady) return;
    const int line = candidateList_.CaretIndex();
    if (line < 0 || line >= candidateList_.Count()) return;
    if (const auto record = candidateList_.Line(line)) tools_.OpenWithShell(record->file.path);
}

void CFileSearchDialog::OnCandidateSelChange() {
    if (!ResultsReady) return;
    const int line = candidateList_.CaretIndex();
    if (line < 0) return;
    if (const auto record = candidateList_.Line(line)) groupList_.SetCurSel(record->group);
}

void CFileSearchDialog::OnGroupSelChange() {
    // While the group list shows a gathered file, its entry is no group.
    if (!ResultsReady || HoldsGatheredFiles()) return;
    const int group = groupList_.CurSel();
    if (group < 0) return;
    const int line = CDeletionRun::FirstLineOfGroup(candidateList_, group);
    if (line >= 0) candidateList_.SetTopIndex(line);
}

void CFileSearchDialog::OnCandidateChecksChanged() {
    if (ActionFlag == Comparing) ticksChangedMeanwhile_ = true;
    ShowTickedTotal();
}

void CFileSearchDialog::ShowTickedTotal() {
    // While a comparison runs, its lines are no result yet.
    if (candidateList_.Count() <= 0 || ActionFlag == Comparing) {
        tickedTotal_.SetText("");
        return;
    }
    const CCandidateList::Total ticked = candidateList_.Ticked();
    tickedTotal_.SetText(reviewtext::TickedTotal(ticked.files, ticked.bytes));
}

void CFileSearchDialog::ShowCandidateMenu(POINT at) {
    // Only a result that no running operation is changing.
    if (candidateList_.Count() <= 0 || running_ > 0) return;
    int line = -1;
    if (at.x == -1 && at.y == -1) {
        line = candidateList_.CaretIndex();
        RECT rect = {};
        if (line < 0 || line >= candidateList_.Count()) line = -1;
        if (line < 0 || candidateList_.Send(LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
            GetClientRect(candidateList_.Handle(), &rect);
        RECT client;
        GetClientRect(candidateList_.Handle(), &client);
        // Under the line, or at the list's corner when it is out of view.
        at = {client.left + candidateList_.BoxWidth(), rect.bottom < client.bottom ? rect.bottom : client.top};
        ClientToScreen(candidateList_.Handle(), &at);
    } else {
        POINT inList = at;
        ScreenToClient(candidateList_.Handle(), &inList);
        line = candidateList_.LineAt(inList.x, inList.y);
    }
    // While the results may be acted on, as with the Delete button.
    const bool canReplace =
        (step_ == Step::Results || step_ == Step::ReadyOverResults) && candidateList_.Ticked().files > 0;
    const CSelectionMenu::Command command = CSelectionMenu::Show(Handle(), at, line, canReplace);
    if (command == CSelectionMenu::SaveList) SaveCandidateList();
    else if (command == CSelectionMenu::ReplaceWithLinks) ReplaceTickedWithLinks();
    else if (CSelectionMenu::ApplyRule(candidateList_, command, line)) ShowTickedTotal();
}

void CFileSearchDialog::SaveCandidateList() {
    FileDialogRequest request;
    request.open = false;
    request.defaultExtension = "csv";
    request.fileName = "重複ファイル一覧.csv";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    request.filter = "CSV ファイル (*.csv)|*.csv|すべてのファイル (*.*)|*.*|";
    std::string path;
    if (!FileDialogPrompt(request, path)) return;
    switch (CListExport::Save(candidateList_, widepath::FromCp932(path))) {
    case CListExport::Result::ReadOnly: MessageBoxPrompt(CListExport::ReadOnlyMessage(path), MB_OK); break;
    case CListExport::Result::Failed:
        MessageBoxPrompt(CListExport::FailureMessage(path), MB_OK | MB_ICONEXCLAMATION);
        break;
    case CListExport::Result::Saved: break;
    }
}
