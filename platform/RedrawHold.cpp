#include "platform/RedrawHold.h"

RedrawHold::RedrawHold(Window window) : window_(window) { window_.Send(WM_SETREDRAW, FALSE); }

RedrawHold::~RedrawHold() { LetGo(RDW_FRAME); }

void RedrawHold::Draw() {
    // A list box sets its scroll bars again as it is let go, which draws
    // them: the frame is drawn again only at the end. Under Wine the themed
    // scroll bars took half the device contexts of every drawing.
    LetGo(0);
    window_.Send(WM_SETREDRAW, FALSE);
}

void RedrawHold::LetGo(UINT frame) const {
    window_.Send(WM_SETREDRAW, TRUE);
    // Drawn before the window is held back again: a window held back paints
    // nothing, so a later WM_PAINT would leave it blank.
    RedrawWindow(window_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | frame);
}
