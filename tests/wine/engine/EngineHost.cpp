#include "EngineHost.h"

EngineHost::EngineHost() : window_("engine host", 640, 420) {
    window_.onCommand = [this](WPARAM wParam, LPARAM lParam) {
        if (LOWORD(wParam) != TestCommand || lParam != 0) return;
        ++commandsHandled;
        if (onCommand) onCommand();
    };
    groupList.Attach(
        window_.AddChild("COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL, 0, 1004, 10, 10, 600, 300));
    candidates.Attach(window_.AddChild("LISTBOX",
                                       LBS_NOTIFY | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT |
                                           LBS_EXTENDEDSEL | WS_BORDER | WS_VSCROLL,
                                       0, 1000, 10, 40, 600, 250));
    runProgress = ProgressBar(window_.AddChild("msctls_progress32", WS_BORDER, 0, 1007, 10, 300, 60, 20));
    mainProgress = ProgressBar(window_.AddChild("msctls_progress32", WS_BORDER, 0, 1009, 80, 300, 300, 20));
    statusField = Edit(window_.AddChild("EDIT", ES_READONLY | ES_AUTOHSCROLL, 0, 1050, 390, 300, 220, 20));
}

EngineHost::~EngineHost() {
    onCommand = nullptr;
    ReleaseGatheredFiles();
    candidates.ClearLines();
    groupList.Detach();
    candidates.Detach();
}
