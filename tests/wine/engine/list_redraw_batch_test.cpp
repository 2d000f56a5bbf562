// A list held back while lines are added in bulk shows them when drawn.
#include "EngineHost.h"
#include "engine/FileInfo.h"
#include "engine/ListRedrawBatch.h"

#include <gtest/gtest.h>

TEST(ListRedrawBatch, DrawingShowsTheLinesAddedWhileHeldBack) {
    EngineHost host;
    const HWND list = host.candidates.Handle();
    ShowWindow(GetParent(list), SW_SHOWNOACTIVATE);
    UpdateWindow(GetParent(list));
    {
        ListRedrawBatch batch(host.candidates, 60000);
        for (int i = 0; i < 3; ++i)
            host.candidates.AppendLine(-1, "Z:\\line " + std::to_string(i), RGB(220, 50, 50), RGB(255, 255, 255),
                                       FileInfo());
        batch.Draw();
        RECT update = {};
        EXPECT_FALSE(GetUpdateRect(list, &update, FALSE));

        // The first line's text is on the screen, right of its box.
        RECT line = {};
        SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&line));
        HDC context = GetDC(list);
        int inked = 0;
        for (int y = line.top; y < line.bottom; ++y)
            for (int x = line.left + host.candidates.BoxWidth(); x < line.left + 120; ++x)
                if (GetPixel(context, x, y) != RGB(255, 255, 255)) ++inked;
        ReleaseDC(list, context);
        EXPECT_GT(inked, 10);
    }
    ShowWindow(GetParent(list), SW_HIDE);
}
