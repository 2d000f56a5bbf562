#include "engine/ListRedrawBatch.h"

ListRedrawBatch::ListRedrawBatch(Window list, std::uint64_t intervalMs)
    : list_(list), intervalMs_(intervalMs), lastRedraw_(GetTickCount64()) {
    list_.Send(WM_SETREDRAW, FALSE);
}

ListRedrawBatch::~ListRedrawBatch() { Redraw(RDW_FRAME); }

bool ListRedrawBatch::Due() const { return GetTickCount64() - lastRedraw_ >= intervalMs_; }

void ListRedrawBatch::Draw() {
    // The list box sets its scroll bars again as it is let go, which draws
    // them: the frame is drawn again only at the end. Under Wine the themed
    // scroll bars took half the device contexts of every drawing.
    Redraw(0);
    list_.Send(WM_SETREDRAW, FALSE);
    lastRedraw_ = GetTickCount64();
}

void ListRedrawBatch::Redraw(UINT frame) const {
    list_.Send(WM_SETREDRAW, TRUE);
    // Drawn before the list is held back again: a list box held back paints
    // nothing, so a later WM_PAINT would leave it blank.
    RedrawWindow(list_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | frame);
}
