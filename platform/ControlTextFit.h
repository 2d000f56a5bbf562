#pragma once
// Widens a dialog's static texts, check boxes and buttons whose text does
// not fit in the font they are drawn with: a template laid out for one font
// cuts its labels off in a wider one (a substituted font, another DPI).
// A control grows into the free room beside it, never over a neighbour,
// its group box's edge or the dialog's.
#include <windows.h>

class ControlTextFit {
public:
    // Widens every control of `dialog` that needs it, as far as there is
    // room.
    static void Widen(HWND dialog);
    // The width the control needs for its whole text in its font, or 0
    // for a control without a text line of its own (a group box, an icon).
    static int NeededWidth(HWND control);
};
