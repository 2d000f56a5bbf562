#pragma once
// A main window that runs test steps inside its own modal loop: each step
// runs when a WM_APP posted to the window is dispatched, the first one as
// soon as the window is up. A step may start a long operation; input that
// the step posted before arrives inside that operation, as a user's would.
#include "app/FileSearchDialog.h"
#include "platform/WidePath.h"
#include "support/ScriptedPrompts.h"

#include <functional>
#include <new>
#include <string>
#include <vector>

class ScriptedMainWindow : public CFileSearchDialog {
public:
    using Step = std::function<void(ScriptedMainWindow&)>;
    std::vector<Step> steps;
    // False when a step found the dialog already ended.
    bool reachedWhileRunning = false;

    void PostStep() { Wnd().Post(WM_APP); }
    // Clicks Search (or closes the window) from inside the running
    // operation once ActionFlag reaches `state` and `pumps` more messages
    // have been handed over.
    void ClickSearchWhen(int state, int pumps = 0) { PostWhen(state, pumps, false); }
    // Clicks Search during the comparison once a message box that says
    // `text` has been answered.
    void ClickSearchWhenAsked(const std::string& text) {
        triggerAsked_ = text;
        PostWhen(Comparing, 0, false);
    }
    void CloseWhen(int state, int pumps = 0) { PostWhen(state, pumps, true); }
    // Closes the window during the comparison once a message box that says
    // `text` has been answered.
    void CloseWhenAsked(const std::string& text) {
        triggerAsked_ = text;
        PostWhen(Comparing, 0, true);
    }
    // Throws std::bad_alloc from a message handed over then, as when memory
    // runs out inside the running operation.
    void FailWhen(int state, int pumps = 0) {
        triggerFails_ = true;
        PostWhen(state, pumps, false);
    }
    // The settings dialog that opens next is confirmed (or cancelled) as
    // soon as it is up, with whatever its lists hold.
    void AnswerSettings(bool ok) { Wnd().Post(WM_APP + 2, ok ? IDOK : IDCANCEL); }
    // Opens the settings over the given folders and file types and confirms.
    void ConfirmSettings(const std::string& folders, const std::string& fileTypes = "*.*;;") {
        Settings().JoinedDirectories = widepath::FromCp932(folders);
        Settings().JoinedFileTypes = fileTypes;
        AnswerSettings(true);
        OnSettingsButton();
    }
    // Runs the steps in the window's own loop, each after what the step
    // before posted has gone through it, then closes the window; true when
    // the window ended so with every step run.
    bool RunSteps(const std::vector<Step>& script) {
        for (const Step& step : script) {
            steps.push_back([step](ScriptedMainWindow& w) {
                step(w);
                w.PostStep();
            });
        }
        steps.push_back([](ScriptedMainWindow& w) { w.Wnd().Post(WM_CLOSE); });
        return DoModal() == IDCANCEL && steps.empty();
    }
    // The ActionFlag values seen while the trigger waited, in order.
    std::vector<int> statesSeen;

protected:
    BOOL OnInitDialog() override {
        BOOL result = CFileSearchDialog::OnInitDialog();
        if (!steps.empty()) PostStep();
        return result;
    }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == WM_APP) {
            reachedWhileRunning = !Ended();
            if (!steps.empty()) {
                Step step = steps.front();
                steps.erase(steps.begin());
                step(*this);
            }
            return true;
        }
        if (message == WM_APP + 1) {
            OnTrigger();
            return true;
        }
        if (message == WM_APP + 2) {
            HWND settings = Settings().Handle();
            if (settings) PostMessageA(settings, WM_COMMAND, MAKEWPARAM(wParam, BN_CLICKED),
                                       reinterpret_cast<LPARAM>(GetDlgItem(settings, static_cast<int>(wParam))));
            else Wnd().Post(WM_APP + 2, wParam);  // not up yet
            return true;
        }
        return CFileSearchDialog::OnMessage(message, wParam, lParam, result);
    }

private:
    void PostWhen(int state, int pumps, bool close) {
        triggerState_ = state;
        triggerPumps_ = pumps;
        triggerCloses_ = close;
        Wnd().Post(WM_APP + 1);
    }

    void OnTrigger() {
        if (statesSeen.empty() || statesSeen.back() != ActionFlag) statesSeen.push_back(ActionFlag);
        const bool running = ActionFlag == Collecting || ActionFlag == Comparing || ActionFlag == Ordering;
        if (ActionFlag == triggerState_ && WasAsked() && triggerPumps_-- <= 0) {
            if (triggerFails_) throw std::bad_alloc();
            if (triggerCloses_) Wnd().Post(WM_CLOSE);
            else Wnd().Send(WM_COMMAND, MAKEWPARAM(IDC_SEARCH_BUTTON, BN_CLICKED),
                            reinterpret_cast<LPARAM>(Item(IDC_SEARCH_BUTTON).Handle()));
            return;
        }
        // Waits only while an operation hands over messages.
        if (running || ActionFlag == triggerState_ || ActionFlag == ReadyToSearch || ActionFlag == Collected) Wnd().Post(WM_APP + 1);
    }

    bool WasAsked() const {
        if (triggerAsked_.empty()) return true;
        for (const auto& box : scripted::MessageBoxes()) {
            if (box.text.find(triggerAsked_) != std::string::npos) return true;
        }
        return false;
    }

    int triggerState_ = -1;
    int triggerPumps_ = 0;
    std::string triggerAsked_;
    bool triggerCloses_ = false;
    bool triggerFails_ = false;
};
