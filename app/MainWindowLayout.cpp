#include "app/MainWindowLayout.h"

#include "platform/Window.h"

void CMainWindowLayout::Capture(HWND window) {
    RECT windowRect, client;
    GetWindowRect(window, &windowRect);
    GetClientRect(window, &client);
    window_ = {windowRect.right - windowRect.left, windowRect.bottom - windowRect.top};
    client_ = {client.right, client.bottom};
    placements_.clear();
    for (const Rule& rule : rules_) {
        HWND control = GetDlgItem(window, rule.controlId);
        if (!control) continue;
        // A drop-down combo box's height is that of its open list: kept.
        placements_.push_back({control, Window(control).PlaceInParent(), rule.anchors});
    }
}

void CMainWindowLayout::Apply(HWND window) const {
    RECT client;
    GetClientRect(window, &client);
    if (placements_.empty() || client.right == 0 || client.bottom == 0) return;  // none yet, or minimised
    const int dx = client.right > client_.cx ? client.right - client_.cx : 0;
    const int dy = client.bottom > client_.cy ? client.bottom - client_.cy : 0;
    HDWP positions = BeginDeferWindowPos(static_cast<int>(placements_.size()));
    for (const Placement& placement : placements_) {
        RECT rect = placement.rect;
        if (placement.anchors & Widen) rect.right += dx;
        if (placement.anchors & Heighten) rect.bottom += dy;
        if (placement.anchors & FollowBottom) OffsetRect(&rect, 0, dy);
        if (placement.anchors & FollowRight) OffsetRect(&rect, dx, 0);
        if (positions)
            positions = DeferWindowPos(positions, placement.control, nullptr, rect.left, rect.top,
                                       rect.right - rect.left, rect.bottom - rect.top,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions) EndDeferWindowPos(positions);
    // The controls moved off their old places; the dialog's background
    // there is drawn anew.
    InvalidateRect(window, nullptr, TRUE);
}

void CMainWindowLayout::LimitTracking(MINMAXINFO& limits) const {
    if (window_.cx == 0) return;
    limits.ptMinTrackSize.x = window_.cx;
    limits.ptMinTrackSize.y = window_.cy;
}

void CMainWindowLayout::Rescale(int fromDpi, int toDpi) {
    if (fromDpi <= 0 || toDpi <= 0) return;
    auto scale = [fromDpi, toDpi](LONG& length) { length = MulDiv(length, toDpi, fromDpi); };
    for (Placement& placement : placements_) {
        scale(placement.rect.left);
        scale(placement.rect.top);
        scale(placement.rect.right);
        scale(placement.rect.bottom);
    }
    scale(client_.cx);
    scale(client_.cy);
    scale(window_.cx);
    scale(window_.cy);
}
