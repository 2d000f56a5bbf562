#pragma once
// A control whose drawing requests, sent to its parent, are handed back to
// its object. The control is subclassed: its messages reach Dispatch, and
// its window's user data holds the object, so that the parent finds it
// without a round trip to the window server (a property, which Wine keeps in
// its server, stays for a control that someone subclassed again after us).
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
    // The control's own procedure, kept for a subclass that outlived ours.
    static constexpr const char* OriginalPropertyName = "VellaroOriginalProc";

protected:
    // Sends `control`'s messages to Dispatch; returns its own procedure.
    WNDPROC Subclass(HWND control);
    // Gives `control` its own procedure back and forgets the object. Where
    // another subclass came after ours, ours stays between and passes on.
    static void Unsubclass(HWND control, WNDPROC original);
    // A message sent to the subclassed control.
    virtual LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static OwnerDrawnControl* ControlOf(HWND child);
};
