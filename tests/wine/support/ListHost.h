#pragma once
// A plain top-level window holding one list box, for tests of owner-drawn
// lists without a dialog template. Like the program's dialogs it hands
// drawing and deletion requests to the control's object (found through its
// OwnerDrawnControl property), and it records the notifications it gets.
#include <windows.h>

#include <utility>
#include <vector>

class ListHost {
public:
    // The candidate list's styles.
    static constexpr DWORD CandidateStyles = LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                             LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT |
                                             LBS_EXTENDEDSEL | WS_VSCROLL | WS_HSCROLL;
    static constexpr int ListId = 1000;

    explicit ListHost(DWORD listStyle = CandidateStyles, int width = 400, int height = 200);
    ~ListHost();
    ListHost(const ListHost&) = delete;
    ListHost& operator=(const ListHost&) = delete;

    HWND Parent() const { return parent_; }
    HWND List() const { return list_; }
    // (control id, notification code) of every WM_COMMAND received.
    const std::vector<std::pair<int, int>>& Notifications() const { return notifications_; }

private:
    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND parent_ = nullptr;
    HWND list_ = nullptr;
    std::vector<std::pair<int, int>> notifications_;
};
