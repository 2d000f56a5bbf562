#include "engine/ListRedrawBatch.h"

ListRedrawBatch::ListRedrawBatch(Window list, std::uint64_t intervalMs)
    : list_(list), intervalMs_(intervalMs), lastRedraw_(GetTickCount64()) {
    list_.Send(WM_SETREDRAW, FALSE);
}

ListRedrawBatch::~ListRedrawBatch() { Redraw(); }

bool ListRedrawBatch::Due() const { return GetTickCount64() - lastRedraw_ >= intervalMs_; }

void ListRedrawBatch::Draw() {
    Redraw();
    list_.Send(WM_SETREDRAW, FALSE);
    lastRedraw_ = GetTickCount64();
}

void ListRedrawBatch::Redraw() const {
    list_.Send(WM_SETREDRAW, TRUE);
    // Drawn before the list is held back again: a list box held back paints
    // nothing, so a later WM_PAINT would leave it blank.
    RedrawWindow(list_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}
