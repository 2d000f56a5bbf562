// The main window created from its template and driven with real messages.
#include "app/ScriptedMainWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

HWND FindTopWindow(const std::string& title) {
    return FindWindowA("#32770", title.c_str());
}

// Whether a label's text fits on its one line, in the label's own font.
bool TextFits(HWND label) {
    const std::string text = Window(label).Text();
    HDC context = GetDC(label);
    HGDIOBJ font = SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(context, font);
    ReleaseDC(label, context);
    RECT client;
    GetClientRect(label, &client);
    return size.cx <= client.right;
}

TEST(MainWindow, StartsWithOnlySettingsEnabled) {
    CFileSearchDialog dialog;
    ASSERT_TRUE(dialog.Create());
    Window window = dialog.Wnd();
    EXPECT_EQ(window.Text(), "[Vellaro] 検索設定をして下さい");
    EXPECT_TRUE(dialog.Item(IDC_SETTINGS_BUTTON).IsEnabled());
    EXPECT_FALSE(dialog.Item(IDC_SEARCH_BUTTON).IsEnabled());
    EXPECT_EQ(dialog.Item(IDC_SEARCH_BUTTON).Text(), "検索(&G)");
    EXPECT_FALSE(dialog.Item(IDC_DELETE_BUTTON).IsEnabled());
    Button recycle(dialog.Item(IDC_RECYCLE_CHECK).Handle());
    EXPECT_EQ(recycle.Check(), BST_CHECKED);
    EXPECT_FALSE(recycle.IsEnabled());
    EXPECT_EQ(ComboBox(dialog.Item(IDC_GROUP_LIST).Handle()).Count(), 0);
    EXPECT_EQ(ListBox(dialog.Item(IDC_CANDIDATE_LIST).Handle()).Count(), 0);
    EXPECT_EQ(dialog.Item(IDC_STATUS_FIELD).Text(), "");
    EXPECT_EQ(dialog.ActionFlag, CFileSearchDialog::Idle);
    EXPECT_FALSE(dialog.ResultsReady);

    ListView details(dialog.Item(IDC_DETAILS_LIST).Handle());
    EXPECT_FALSE(details.IsVisible());
    EXPECT_EQ(details.ColumnCount(), 4);
    char text[32] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    details.Send(LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(text, "フォルダ名");
    // Folder names are the longest texts: their column is the widest.
    for (int other : {0, 2, 3}) {
        EXPECT_GT(column.cx, static_cast<int>(details.Send(LVM_GETCOLUMNWIDTH, other)));
    }

    // The system menu ends with a separator and the About entry.
    HMENU menu = GetSystemMenu(window.Handle(), FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    char entry[64] = {};
    GetMenuStringA(menu, count - 1, entry, sizeof entry, MF_BYPOSITION);
    EXPECT_STREQ(entry, "Vellaro のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    MENUITEMINFOA separator = {};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, count - 2, TRUE, &separator);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);

    // The minimised window hands out the application icon to drag.
    EXPECT_NE(window.Send(WM_QUERYDRAGICON), 0);
    dialog.DestroyWindow();
}

TEST(MainWindow, ClosingEndsTheModalLoopWithCancel) {
    ScriptedMainWindow dialog;
    dialog.steps.push_back([](ScriptedMainWindow& main) { main.Wnd().Post(WM_CLOSE); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(IsWindow(dialog.Handle()));
}

TEST(MainWindow, EnterAndEscapeNeitherPressAButtonNorClose) {
    ScriptedMainWindow dialog;
    dialog.steps.push_back([](ScriptedMainWindow& main) {
        HWND list = main.Item(IDC_CANDIDATE_LIST).Handle();
        SetFocus(list);
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            PostMessageA(list, WM_KEYDOWN, key, 1);
            PostMessageA(list, WM_KEYUP, key, 0xC0000001);
        }
        PostMessageA(main.Handle(), WM_APP, 0, 0);
    });
    dialog.steps.push_back([](ScriptedMainWindow& main) {
        EXPECT_TRUE(main.reachedWhileRunning);
        EXPECT_EQ(main.Wnd().Text(), "[Vellaro] 検索設定をして下さい");
        main.Wnd().Post(WM_CLOSE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.steps.empty());
}

TEST(MainWindow, AboutBoxOpensFromTheSystemMenuAndClosesWithOkOrEscape) {
    ScriptedMainWindow dialog;
    static std::vector<std::string> seen;
    seen.clear();
    // Runs inside the About box's own loop: reads it, then closes it.
    auto closeAbout = [](bool withEscape) {
        return [withEscape](ScriptedMainWindow& main) {
            HWND about = FindTopWindow("Vellaroのﾊﾞｰｼﾞｮﾝ情報");
            ASSERT_NE(about, nullptr);
            EXPECT_FALSE(main.Wnd().IsEnabled());  // modal over the main window
            for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                seen.push_back(Window(child).Text());
                EXPECT_TRUE(TextFits(child)) << seen.back();
            }
            HWND ok = GetDlgItem(about, IDOK);
            if (withEscape) {
                PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 1);
            } else {
                PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
            }
            main.PostStep();
        };
    };
    dialog.steps.push_back([](ScriptedMainWindow& main) {
        main.Wnd().Post(WM_SYSCOMMAND, IDM_ABOUTBOX);
        main.PostStep();
    });
    dialog.steps.push_back(closeAbout(false));
    dialog.steps.push_back([](ScriptedMainWindow& main) {
        EXPECT_EQ(FindTopWindow("Vellaroのﾊﾞｰｼﾞｮﾝ情報"), nullptr);
        EXPECT_TRUE(main.Wnd().IsEnabled());
        main.Wnd().Post(WM_SYSCOMMAND, IDM_ABOUTBOX);
        main.PostStep();
    });
    dialog.steps.push_back(closeAbout(true));
    dialog.steps.push_back([](ScriptedMainWindow& main) {
        EXPECT_EQ(FindTopWindow("Vellaroのﾊﾞｰｼﾞｮﾝ情報"), nullptr);
        main.Wnd().Post(WM_CLOSE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.steps.empty());
    EXPECT_NE(std::find(seen.begin(), seen.end(), "Vellaro Version 1.00"), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), "Copyright (C) 2026 Vellaro authors"), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), "MIT License"), seen.end());
}

}  // namespace
