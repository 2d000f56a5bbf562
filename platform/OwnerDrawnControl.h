#pragma once
// A control whose drawing requests, sent to its parent, are handed back to
// its object. The parent finds the object through a property of the
// control's window.
#include <windows.h>

class OwnerDrawnControl {
public:
    virtual ~OwnerDrawnControl() = default;
    virtual void OnDrawItem(DRAWITEMSTRUCT& item) = 0;
    virtual void OnDeleteItem(DELETEITEMSTRUCT& item) = 0;

    // Hands WM_DRAWITEM or WM_DELETEITEM, received by a parent, to the
    // control's object; false when no such object took it.
    static bool HandOn(UINT message, LPARAM lParam);

    static constexpr const char* PropertyName = "VellaroOwnerDrawn";
};
