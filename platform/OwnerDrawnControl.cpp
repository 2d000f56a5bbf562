#include "platform/OwnerDrawnControl.h"

namespace {
OwnerDrawnControl* ControlOf(HWND child) {
    return child ? static_cast<OwnerDrawnControl*>(GetPropA(child, OwnerDrawnControl::PropertyName)) : nullptr;
}
}  // namespace

bool OwnerDrawnControl::HandOn(UINT message, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        OwnerDrawnControl* control = ControlOf(item->hwndItem);
        if (control) control->OnDrawItem(*item);
        return control != nullptr;
    }
    if (message == WM_DELETEITEM) {
        auto* item = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
        // Plain lists send this for every line with data (Wine does); only
        // owner-drawn list boxes have an object, and looking one up costs a
        // round trip to the window server.
        if (item->CtlType != ODT_LISTBOX) return false;
        OwnerDrawnControl* control = ControlOf(item->hwndItem);
        if (control) control->OnDeleteItem(*item);
        return control != nullptr;
    }
    return false;
}
