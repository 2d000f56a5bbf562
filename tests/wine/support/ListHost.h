#pragma once
// A plain top-level window holding one list box, for tests of owner-drawn
// lists without a dialog template. It records the notifications it gets.
#include "support/HostWindow.h"

#include <utility>
#include <vector>

class ListHost {
public:
    // The candidate list's styles, and the same list holding its strings.
    static constexpr DWORD CandidateStyles = LBS_NOTIFY | LBS_NODATA | LBS_OWNERDRAWFIXED |
                                             LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT |
                                             LBS_EXTENDEDSEL | WS_VSCROLL | WS_HSCROLL;
    static constexpr DWORD TextStyles = (CandidateStyles & ~LBS_NODATA) | LBS_HASSTRINGS;
    static constexpr int ListId = 1000;

    explicit ListHost(DWORD listStyle = CandidateStyles, int width = 400, int height = 200);

    HWND Parent() const { return window_.Handle(); }
    HWND List() const { return list_; }
    // (control id, notification code) of every WM_COMMAND received.
    const std::vector<std::pair<int, int>>& Notifications() const { return notifications_; }

private:
    std::vector<std::pair<int, int>> notifications_;
    HostWindow window_;
    HWND list_ = nullptr;
};
