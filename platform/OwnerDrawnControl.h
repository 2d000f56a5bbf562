#pragma once
// A control whose drawing requests, sent to its dialog, are handed back to
// its object. The dialog finds the object through a property of the
// control's window.
#include <windows.h>

class OwnerDrawnControl {
public:
    virtual ~OwnerDrawnControl() = default;
    virtual void OnDrawItem(DRAWITEMSTRUCT& item) = 0;
    virtual void OnDeleteItem(DELETEITEMSTRUCT& item) = 0;

    static constexpr const char* PropertyName = "VellaroOwnerDrawn";
};
