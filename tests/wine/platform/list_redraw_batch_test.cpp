// A list held back while lines are added in bulk shows them when drawn.
#include "platform/ListRedrawBatch.h"
#include "support/ListHost.h"

#include <gtest/gtest.h>

#include <string>

TEST(ListRedrawBatch, DrawingShowsTheLinesAddedWhileHeldBack) {
    ListHost host(LBS_NOTIFY | LBS_HASSTRINGS | WS_VSCROLL);
    const HWND list = host.List();
    ShowWindow(host.Parent(), SW_SHOWNOACTIVATE);
    UpdateWindow(host.Parent());
    {
        ListRedrawBatch batch(Window(list), 60000);
        for (int i = 0; i < 3; ++i) {
            const std::string text = "Z:\\line " + std::to_string(i);
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        batch.Draw();
        RECT update = {};
        EXPECT_FALSE(GetUpdateRect(list, &update, FALSE));

        // The first line's text is on the screen.
        RECT line = {};
        SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&line));
        HDC context = GetDC(list);
        const COLORREF background = GetPixel(context, line.right - 2, line.top + 1);
        int inked = 0;
        for (int y = line.top; y < line.bottom; ++y)
            for (int x = line.left; x < line.left + 120; ++x)
                if (GetPixel(context, x, y) != background) ++inked;
        ReleaseDC(list, context);
        EXPECT_GT(inked, 10);
    }
    ShowWindow(host.Parent(), SW_HIDE);
}
