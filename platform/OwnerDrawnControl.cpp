#include "platform/OwnerDrawnControl.h"

WNDPROC OwnerDrawnControl::Subclass(HWND control) {
    SetPropA(control, PropertyName, this);
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
}

void OwnerDrawnControl::Unsubclass(HWND control, WNDPROC original) {
    RemovePropA(control, PropertyName);
    SetWindowLongPtrA(control, GWLP_USERDATA, 0);
    // Someone who subclassed the control after us still calls our procedure:
    // it stays in their chain and hands every message on to the original.
    if (GetWindowLongPtrA(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProc))
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    else
        SetPropA(control, OriginalPropertyName, reinterpret_cast<HANDLE>(original));
}

LRESULT CALLBACK OwnerDrawnControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OwnerDrawnControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) return self->Dispatch(message, wParam, lParam);
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(window, OriginalPropertyName));
    if (message == WM_NCDESTROY) RemovePropA(window, OriginalPropertyName);
    if (original) return CallWindowProcA(original, window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

OwnerDrawnControl* OwnerDrawnControl::ControlOf(HWND child) {
    if (!child) return nullptr;
    // Window data of the program's own windows is read in the process.
    if (GetWindowLongPtrA(child, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProc))
        return reinterpret_cast<OwnerDrawnControl*>(GetWindowLongPtrA(child, GWLP_USERDATA));
    return static_cast<OwnerDrawnControl*>(GetPropA(child, PropertyName));
}

bool OwnerDrawnControl::HandOn(UINT message, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        OwnerDrawnControl* control = ControlOf(item->hwndItem);
        if (control) control->OnDrawItem(*item);
        return control != nullptr;
    }
    if (message == WM_DELETEITEM) {
        auto* item = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
        // Plain lists and combo boxes send this for every line with data
        // (Wine does); only owner-drawn list boxes have an object. A control
        // not subclassed here is asked for the property, a round trip to the
        // window server, so combo boxes are left out before that.
        if (item->CtlType != ODT_LISTBOX) return false;
        OwnerDrawnControl* control = ControlOf(item->hwndItem);
        if (control) control->OnDeleteItem(*item);
        return control != nullptr;
    }
    return false;
}
