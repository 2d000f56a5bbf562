#pragma once
// The candidate list's context menu: the rules that tick and untick many
// lines at once, and saving the list. A rule acts on every group, redrawing
// the list once; the folder rules and "keep only this file" act from the
// line the menu was opened on. After the rules stands the replacement of
// the ticked files by hard links.
#include "review/CandidateList.h"

#include <windows.h>

class CSelectionMenu {
public:
    enum Command : int {
        None = 0,
        KeepNewest,
        KeepOldest,
        KeepFolder,
        TickFolder,
        KeepOnlyLine,
        UntickAll,
        SaveList,
        ReplaceWithLinks,
    };

    // Shows the menu at a point of the screen; the entries that need a line
    // are grayed when `line` is -1, the replacement by links unless
    // `canReplace`. Returns the command chosen, or None.
    static Command Show(HWND owner, POINT at, int line, bool canReplace);

    // Applies a rule's command to the list from `line`; true when a tick
    // changed.
    static bool ApplyRule(CCandidateList& list, Command command, int line);
};
