// The real dialogs as the user's DPI and font make them: every label,
// check box and button shows its whole text, also in a wider font, and the
// main window lays itself out again for another DPI. The suite runs these
// again at 144 DPI and without the dialog font's replacement
// (scripts/at-dpi.sh).
#include "app/AboutDialog.h"
#include "app/FileSearchDialog.h"
#include "platform/ControlTextFit.h"
#include "platform/DeviceContext.h"
#include "platform/Dpi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Placed {
    HWND control;
    RECT rect;
};

std::vector<Placed> ShownControls(HWND dialog) {
    std::vector<Placed> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) continue;
        shown.push_back({child, Window(child).PlaceInParent()});
    }
    return shown;
}

bool IsGroupBox(HWND control) {
    char name[16] = {};
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "Button") == 0 && (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Every text fits its control, and no control with a text shares a pixel
// with another (but a group box and what it holds).
void ExpectWholeTextsWithoutOverlap(HWND dialog) {
    const std::vector<Placed> shown = ShownControls(dialog);
    for (const Placed& placed : shown) {
        const std::string text = Window(placed.control).Text();
        const int needed = ControlTextFit::NeededWidth(placed.control);
        EXPECT_GE(placed.rect.right - placed.rect.left, needed) << text;
        // Controls without a text of their own are the template's alone.
        if (needed == 0) continue;
        for (const Placed& other : shown) {
            RECT common;
            if (other.control == placed.control || IsGroupBox(other.control)) continue;
            EXPECT_FALSE(IntersectRect(&common, &placed.rect, &other.rect))
                << text << " overlaps " << Window(other.control).Text();
        }
    }
}

// The dialog's font made `percent` as wide, given to every control, as a
// substituted font would draw them; the dialog then widens what it cut off.
std::unique_ptr<OwnedGdiObject<HFONT>> WidenFont(HWND dialog, int percent) {
    LOGFONTA look = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof look, &look);
    TEXTMETRICA metrics = {};
    {
        const WindowDC context(dialog);
        const SelectedObject font(context.Get(), reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
        GetTextMetricsA(context.Get(), &metrics);
    }
    look.lfWidth = MulDiv(metrics.tmAveCharWidth, percent, 100);
    auto wide = std::make_unique<OwnedGdiObject<HFONT>>(CreateFontIndirectA(&look));
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(wide->Get()), FALSE);
    ControlTextFit::Widen(dialog);
    return wide;
}

void ExpectFitInBothFonts(Dialog& dialog) {
    ASSERT_TRUE(dialog.Create());
    ExpectWholeTextsWithoutOverlap(dialog.Handle());
    const auto wide = WidenFont(dialog.Handle(), 125);
    ExpectWholeTextsWithoutOverlap(dialog.Handle());
    dialog.DestroyWindow();
}

TEST(DialogLooks, MainWindowShowsEveryTextWhole) {
    CFileSearchDialog dialog;
    ExpectFitInBothFonts(dialog);
}

TEST(DialogLooks, SettingsShowEveryTextWhole) {
    CSettingsDialog dialog;
    ExpectFitInBothFonts(dialog);
}

TEST(DialogLooks, AboutBoxShowsEveryTextWhole) {
    CAboutDialog dialog;
    ExpectFitInBothFonts(dialog);
}

TEST(DialogLooks, CutOffLabelGrowsIntoTheRoomBesideItOnly) {
    CFileSearchDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND recycle = dialog.Item(IDC_RECYCLE_CHECK).Handle();
    HWND remove = dialog.Item(IDC_DELETE_BUTTON).Handle();
    RECT before, button;
    GetWindowRect(recycle, &before);
    GetWindowRect(remove, &button);
    // Made too narrow by a few pixels: the pass gives it its width back,
    // from where it stands, and leaves its neighbour where it was.
    POINT origin = {before.left, before.top};
    ScreenToClient(dialog.Handle(), &origin);
    SetWindowPos(recycle, nullptr, origin.x, origin.y, 10, before.bottom - before.top, SWP_NOZORDER);
    ControlTextFit::Widen(dialog.Handle());
    RECT after, buttonAfter;
    GetWindowRect(recycle, &after);
    GetWindowRect(remove, &buttonAfter);
    EXPECT_EQ(after.left, before.left);
    EXPECT_GE(after.right - after.left, ControlTextFit::NeededWidth(recycle));
    EXPECT_TRUE(EqualRect(&button, &buttonAfter));
}

TEST(DialogLooks, MainWindowTakesTheSuggestedPlaceAndScalesItsListAtANewDpi) {
    CFileSearchDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const int from = dialog.Dpi();
    const int to = from * 2;
    RECT window;
    GetWindowRect(dialog.Handle(), &window);
    ListBox candidates(dialog.Item(IDC_CANDIDATE_LIST).Handle());
    RECT list;
    GetClientRect(candidates.Handle(), &list);
    const int lineHeight = static_cast<int>(candidates.Send(LB_GETITEMHEIGHT));
    const int boxWidth = dialog.Candidates().BoxWidth();

    RECT suggested = {10, 20, 10 + 2 * (window.right - window.left), 20 + 2 * (window.bottom - window.top)};
    dialog.Wnd().Send(WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));

    RECT now;
    GetWindowRect(dialog.Handle(), &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_EQ(dialog.Dpi(), to);
    EXPECT_NEAR(dialog.Candidates().BoxWidth(), 2 * boxWidth, 4);  // each part rounded
    EXPECT_GT(candidates.Send(LB_GETITEMHEIGHT), lineHeight * 3 / 2);
    RECT grown;
    GetClientRect(candidates.Handle(), &grown);
    EXPECT_GE(grown.right, 2 * list.right - 8);
    // A label keeps its whole text in the new font.
    HWND label = nullptr;
    for (HWND child = GetWindow(dialog.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (Window(child).Text() == "削除候補ファイル一覧") label = child;
    ASSERT_NE(label, nullptr);
    RECT labelRect;
    GetWindowRect(label, &labelRect);
    EXPECT_GE(labelRect.right - labelRect.left, ControlTextFit::NeededWidth(label));
}

}  // namespace
