#pragma once
// A plain top-level window with the controls that the engine works on, made
// like the main window's: the group list (an owner-drawn drop-down list), the
// candidate list (attached to a CCandidateList), the status field and the
// two progress bars. A WM_COMMAND posted with TestCommand runs `onCommand`,
// so that a test can act from inside a running operation, as a click would.
#include "engine/GatheredFileList.h"
#include "review/CandidateList.h"
#include "review/GroupList.h"
#include "support/HostWindow.h"

#include <functional>

class EngineHost {
public:
    static constexpr int TestCommand = 2000;

    EngineHost();
    ~EngineHost();
    EngineHost(const EngineHost&) = delete;
    EngineHost& operator=(const EngineHost&) = delete;

    CCandidateList candidates;
    CGroupList groupList{candidates};
    GatheredFileList gathered;
    Edit statusField;
    ProgressBar mainProgress;
    ProgressBar runProgress;

    std::function<void()> onCommand;
    int commandsHandled = 0;
    void PostCommand() const { PostMessageA(window_.Handle(), WM_COMMAND, TestCommand, 0); }

    // Frees the records that a collection gathered, and empties the group
    // list.
    void ReleaseGatheredFiles() {
        gathered.ReleaseAll();
        groupList.ResetContent();
    }

private:
    HostWindow window_;
};
