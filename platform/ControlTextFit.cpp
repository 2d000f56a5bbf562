#include "platform/ControlTextFit.h"

#include "platform/DeviceContext.h"
#include "platform/Dpi.h"
#include "platform/Window.h"

#include <string>
#include <vector>

namespace {
// At 96 DPI.
const int CheckBoxRoom = 19;   // the box, the gap to the text and the focus frame
const int ButtonPadding = 12;  // the frame and some air on both sides together
const int Gap = 2;             // kept free towards a neighbour and the edges

enum class Kind { None, Text, Check, Push, GroupBox };

std::string ClassOf(HWND control) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    return name;
}

Kind KindOf(HWND control) {
    const std::string name = ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (lstrcmpiA(name.c_str(), "Static") == 0) {
        switch (style & SS_TYPEMASK) {
        case SS_LEFT: case SS_CENTER: case SS_RIGHT: case SS_LEFTNOWORDWRAP: case SS_SIMPLE:
            return Kind::Text;
        default:
            return Kind::None;
        }
    }
    if (lstrcmpiA(name.c_str(), "Button") != 0) return Kind::None;
    if (style & BS_PUSHLIKE) return Kind::Push;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON:
        return Kind::Push;
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        return Kind::Check;
    case BS_GROUPBOX:
        return Kind::GroupBox;
    default:
        return Kind::None;
    }
}

struct Placed {
    HWND control;
    RECT rect;  // in the dialog's client area
    Kind kind;
};

bool OverlapVertically(const RECT& a, const RECT& b) { return a.top < b.bottom && b.top < a.bottom; }

bool Contains(const RECT& outer, const RECT& inner) {
    return outer.left <= inner.left && outer.right >= inner.right && outer.top <= inner.top &&
           outer.bottom >= inner.bottom;
}
}  // namespace

int ControlTextFit::NeededWidth(HWND control) {
    const Kind kind = KindOf(control);
    if (kind == Kind::None || kind == Kind::GroupBox) return 0;
    const int length = GetWindowTextLengthA(control);
    if (length <= 0) return 0;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(control, &text[0], length + 1)));

    const WindowDC context(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    const SelectedObject selected(context.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    UINT format = DT_CALCRECT | DT_SINGLELINE;
    if (kind == Kind::Text && (GetWindowLongA(control, GWL_STYLE) & SS_NOPREFIX)) format |= DT_NOPREFIX;
    RECT measured = {0, 0, 0, 0};
    DrawTextA(context.Get(), text.c_str(), static_cast<int>(text.size()), &measured, format);
    const int dpi = dpi::Of(control);
    int width = measured.right - measured.left;
    if (kind == Kind::Check) width += dpi::Scale(CheckBoxRoom, dpi);
    if (kind == Kind::Push) width += dpi::Scale(ButtonPadding, dpi);
    return width;
}

void ControlTextFit::Widen(HWND dialog) {
    std::vector<Placed> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        // Asked of the style: the dialog itself may not be shown yet.
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) continue;
        controls.push_back({child, Window(child).PlaceInParent(), KindOf(child)});
    }
    RECT client;
    GetClientRect(dialog, &client);
    const int gap = dpi::Scale(Gap, dpi::Of(dialog));

    for (Placed& placed : controls) {
        const int needed = NeededWidth(placed.control);
        RECT& rect = placed.rect;
        if (needed <= rect.right - rect.left) continue;
        // The room between the neighbours on this control's rows, inside
        // its group box and the dialog.
        int leftLimit = client.left + gap;
        int rightLimit = client.right - gap;
        for (const Placed& other : controls) {
            if (other.control == placed.control) continue;
            if (other.kind == Kind::GroupBox && Contains(other.rect, rect)) {
                if (other.rect.left + gap > leftLimit) leftLimit = other.rect.left + gap;
                if (other.rect.right - gap < rightLimit) rightLimit = other.rect.right - gap;
                continue;
            }
            if (!OverlapVertically(other.rect, rect)) continue;
            if (other.rect.left >= rect.right && other.rect.left - gap < rightLimit)
                rightLimit = other.rect.left - gap;
            if (other.rect.right <= rect.left && other.rect.right + gap > leftLimit)
                leftLimit = other.rect.right + gap;
        }
        // A text aligned to the right grows to the left first; every other
        // control to the right first.
        const bool rightAligned =
            placed.kind == Kind::Text && (GetWindowLongA(placed.control, GWL_STYLE) & SS_TYPEMASK) == SS_RIGHT;
        auto growRight = [&] {
            const int want = rect.left + needed;
            const int limit = rightLimit > rect.right ? rightLimit : rect.right;
            rect.right = want < limit ? want : limit;
        };
        auto growLeft = [&] {
            const int want = rect.right - needed;
            const int limit = leftLimit < rect.left ? leftLimit : rect.left;
            rect.left = want > limit ? want : limit;
        };
        if (rightAligned) {
            growLeft();
            growRight();
        } else {
            growRight();
            growLeft();
        }
        SetWindowPos(placed.control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
