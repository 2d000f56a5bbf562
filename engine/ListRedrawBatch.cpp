#include "engine/ListRedrawBatch.h"

ListRedrawBatch::ListRedrawBatch(Window list, std::uint64_t intervalMs)
    : list_(list), intervalMs_(intervalMs), lastRedraw_(GetTickCount64()) {
    list_.Send(WM_SETREDRAW, FALSE);
}

ListRedrawBatch::~ListRedrawBatch() { Redraw(); }

void ListRedrawBatch::Tick() {
    const std::uint64_t now = GetTickCount64();
    if (now - lastRedraw_ < intervalMs_) return;
    Redraw();
    list_.Send(WM_SETREDRAW, FALSE);
    lastRedraw_ = now;
}

void ListRedrawBatch::Redraw() const {
    list_.Send(WM_SETREDRAW, TRUE);
    RedrawWindow(list_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}
