// The candidate list's records, line counts and drawing colours, on a real
// owner-drawn list box.
#include "review/CandidateList.h"
#include "platform/DeviceContext.h"
#include "platform/WidePath.h"
#include "support/ListHost.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const COLORREF Blue = RGB(0, 0, 255);
const COLORREF White = RGB(255, 255, 255);
const COLORREF Untouched = RGB(1, 2, 3);

// A memory bitmap that a line is drawn into, with a font that draws without
// smoothing, so that text pixels have exactly the text colour.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        context_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(context_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        oldBitmap_ = SelectObject(context_, bitmap_);
        font_ = CreateFontA(16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                            nullptr);
        oldFont_ = SelectObject(context_, font_);
        RECT all = {0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(Untouched);
        FillRect(context_, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(context_, oldFont_);
        SelectObject(context_, oldBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(context_);
    }
    HDC Context() const { return context_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(context_, x, y); }
    // How many pixels of the area have the colour.
    int Count(const RECT& area, COLORREF colour) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (Pixel(x, y) == colour) ++count;
        return count;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    HDC context_;
    HBITMAP bitmap_;
    HFONT font_;
    HGDIOBJ oldBitmap_, oldFont_;
};

class CandidateListTest : public ::testing::Test {
protected:
    void SetUp() override { list.Attach(host.List()); }
    void TearDown() override { list.ClearLines(); }

    int Append(const std::string& text, int group, std::uint64_t size = 0) {
        FileInfo file;
        file.size = size;
        file.lastWriteTime = 1000 + size;
        file.path = widepath::FromCp932(text);
        return list.AppendLine(file, Blue, White, group);
    }

    // Sends the drawing request for one line to the list's parent, as the
    // control does, with the line's rectangle at the canvas's origin.
    void Draw(Canvas& canvas, int line, UINT action, UINT state) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_LISTBOX;
        item.CtlID = ListHost::ListId;
        item.itemID = static_cast<UINT>(line);
        item.itemAction = action;
        item.itemState = state;
        item.hwndItem = host.List();
        item.hDC = canvas.Context();
        item.rcItem = {0, 0, canvas.Width(), canvas.Height()};
        SendMessageA(host.Parent(), WM_DRAWITEM, ListHost::ListId, reinterpret_cast<LPARAM>(&item));
    }

    // The text part of the canvas, right of the tick box.
    RECT TextPart(const Canvas& canvas) const { return {list.BoxWidth(), 0, canvas.Width(), canvas.Height()}; }

    ListHost host;
    CCandidateList list;
};

TEST_F(CandidateListTest, LinesKeepTheirGroupFileAndOrder) {
    EXPECT_GE(SendMessageA(host.List(), LB_GETITEMHEIGHT, 0, 0), 20);
    EXPECT_EQ(Append("C:\\a\\表示.txt", 0, 10), 0);
    EXPECT_EQ(Append("C:\\b.txt", 0, 10), 1);
    EXPECT_EQ(Append("C:\\c.txt", 1, 20), 2);
    EXPECT_EQ(list.LineCount(), 3);
    EXPECT_EQ(list.LineText(0), "C:\\a\\表示.txt");
    EXPECT_EQ(list.LineGroup(2), 1);
    ASSERT_TRUE(list.Line(2));
    EXPECT_EQ(list.Line(2)->file.size, 20u);
    EXPECT_EQ(list.Line(2)->file.lastWriteTime, 1020);
    EXPECT_EQ(list.LineText(2), "C:\\c.txt");
    EXPECT_FALSE(list.Line(3));
    EXPECT_EQ(list.LineGroup(3), -1);

    // Lines after a removed one move up with their records.
    EXPECT_EQ(list.RemoveLine(0), 2);
    EXPECT_EQ(list.LineCount(), 2);
    EXPECT_EQ(list.LineText(0), "C:\\b.txt");
    EXPECT_EQ(list.LineGroup(1), 1);
    EXPECT_EQ(list.RemoveLine(5), LB_ERR);
    EXPECT_EQ(list.LineCount(), 2);
}

TEST_F(CandidateListTest, ReleasedLinesStayWithoutRecordsAndClearEmptiesTheList) {
    Append("C:\\a.txt", 0);
    Append("C:\\b.txt", 0);
    list.SetCheck(1, 1);
    list.ReleaseLines();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_FALSE(list.Line(0));
    EXPECT_FALSE(list.Line(1));
    EXPECT_EQ(list.GetCheck(1), 1);
    list.ReleaseLines();  // finds nothing more to free
    EXPECT_EQ(list.RemoveLine(0), 1);
    list.ClearLines();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.LineCount(), 0);
}

TEST_F(CandidateListTest, UnselectedLineIsGroupColourOnWhiteAndSelectedLineTheReverse) {
    Append("WWWWWW", 0);
    // Wide enough for the size and time columns, the text and a margin.
    Canvas plain(600, 20);
    Draw(plain, 0, ODA_DRAWENTIRE, 0);
    const RECT text = TextPart(plain);
    EXPECT_EQ(plain.Pixel(text.right - 2, 10), White);
    EXPECT_GT(plain.Count(text, Blue), 20);
    EXPECT_EQ(plain.Count(text, Untouched), 0);
    // The tick box is drawn in front of the text.
    EXPECT_EQ(plain.Count({0, 0, list.BoxWidth(), 20}, Untouched), 0);

    Canvas selected(600, 20);
    Draw(selected, 0, ODA_DRAWENTIRE, ODS_SELECTED);
    EXPECT_EQ(selected.Pixel(text.right - 2, 10), Blue);
    EXPECT_GT(selected.Count(text, White), 20);
    EXPECT_EQ(selected.Count(text, Untouched), 0);
}

TEST_F(CandidateListTest, SizeAndTimeStandInColumnsThatNeverMoveThePath) {
    Append("C:\\x.txt", 0, 10);
    Append("C:\\x.txt", 0, 5000000000ULL);  // "4.65 GB", and another time
    Canvas small(600, 20), large(600, 20);
    Draw(small, 0, ODA_DRAWENTIRE, 0);
    Draw(large, 1, ODA_DRAWENTIRE, 0);
    auto lastTextColumn = [](const Canvas& canvas) {
        int last = -1;
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Count({x, 0, x + 1, canvas.Height()}, Blue) > 0) last = x;
        return last;
    };
    int differing = 0;
    for (int x = 0; x < 600; ++x)
        differing += small.Count({x, 0, x + 1, 20}, Blue) != large.Count({x, 0, x + 1, 20}, Blue);
    EXPECT_GT(differing, 0);
    EXPECT_EQ(lastTextColumn(small), lastTextColumn(large));
    EXPECT_GT(lastTextColumn(small), 0);
}

TEST_F(CandidateListTest, SelectionChangesRepaintTheTextPartOnly) {
    Append("WWWWWW", 0);
    Canvas gained(600, 20);
    Draw(gained, 0, ODA_SELECT, ODS_SELECTED | ODS_FOCUS);
    const RECT text = TextPart(gained);
    EXPECT_EQ(gained.Pixel(text.right - 2, 10), Blue);
    EXPECT_GT(gained.Count(text, White), 20);
    EXPECT_EQ(gained.Count({0, 0, list.BoxWidth(), 20}, Untouched), list.BoxWidth() * 20);

    Canvas lost(600, 20);
    Draw(lost, 0, ODA_SELECT, 0);
    EXPECT_EQ(lost.Pixel(text.right - 2, 10), White);
    EXPECT_GT(lost.Count(text, Blue), 20);

    // A pure focus change draws nothing, and no focus rectangle either.
    Canvas focus(600, 20);
    Draw(focus, 0, ODA_FOCUS, ODS_FOCUS | ODS_SELECTED);
    EXPECT_EQ(focus.Count(text, Untouched), (text.right - text.left) * 20);
}

TEST_F(CandidateListTest, ReleasedOrEmptyListDrawsNothing) {
    Append("WWWWWW", 0);
    list.ReleaseLines();
    Canvas released(600, 20);
    Draw(released, 0, ODA_DRAWENTIRE, ODS_SELECTED);
    const RECT text = TextPart(released);
    EXPECT_EQ(released.Count(text, Untouched), (text.right - text.left) * 20);

    list.ClearLines();
    Canvas empty(600, 20);
    Draw(empty, 0, ODA_DRAWENTIRE, 0);
    EXPECT_EQ(empty.Count(text, Untouched), (text.right - text.left) * 20);
}

TEST_F(CandidateListTest, TheListDrawsItsSelectedLineInverted) {
    Append("C:\\first.txt", 0);
    Append("C:\\second.txt", 0);
    SendMessageA(host.List(), LB_SETSEL, TRUE, 1);
    RECT client;
    GetClientRect(host.List(), &client);
    Canvas canvas(client.right, client.bottom);
    SendMessageA(host.List(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Context()), PRF_CLIENT);
    const int right = client.right - 2;
    EXPECT_EQ(canvas.Pixel(right, 10), White);  // line 0
    EXPECT_EQ(canvas.Pixel(right, 30), Blue);   // line 1, selected
}

TEST(CandidateListLifetime, DestroyedWindowOrObjectLeavesNoRecordBehind) {
    // Neither order of ending may leave records reachable from the control.
    {
        ListHost host;
        CCandidateList list;
        list.Attach(host.List());
        list.AppendLine(FileInfo(), Blue, White, 0);
        DestroyWindow(host.Parent());
        EXPECT_EQ(list.Handle(), nullptr);
        list.ReleaseLines();
    }
    ListHost host;
    {
        CCandidateList list;
        list.Attach(host.List());
        list.AppendLine(FileInfo(), Blue, White, 0);
    }
    EXPECT_EQ(SendMessageA(host.List(), LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(host.List(), LB_GETITEMDATA, 0, 0), 0);
}

// Lines entered in one step read as lines entered one by one: in a no-data
// list, which takes its new length, and in a list holding strings.
TEST(CandidateListLines, ManyEnteredInOneStepReadAsOneByOne) {
    auto table = std::make_shared<engine::FileTable>();
    const int folder = table->AddFolder(L"C:\\docs\\");
    table->Append(folder, L"a.txt", 10, 1000);
    table->Append(folder, L"b.txt", 10, 1001);
    table->Append(folder, L"c.txt", 20, 1002);
    for (const DWORD styles : {ListHost::CandidateStyles, ListHost::TextStyles}) {
        ListHost host(styles);
        CCandidateList list;
        list.Attach(host.List());
        FileInfo before;
        before.path = L"C:\\before.txt";
        ASSERT_EQ(list.AppendLine(before, Blue, White, 0), 0);
        EXPECT_EQ(list.AppendLines({{{table, 0, {}}, Blue, White, 1},
                                    {{table, 1, {}}, Blue, White, 1},
                                    {{table, 2, {}}, Blue, White, 2}}),
                  1);
        EXPECT_EQ(list.LineCount(), 4);
        EXPECT_EQ(list.LineText(2), "C:\\docs\\b.txt");
        EXPECT_EQ(list.LineGroup(3), 2);
        EXPECT_EQ(list.GroupText(1), "C:\\docs\\a.txt");
        EXPECT_EQ(list.GroupText(2), "C:\\docs\\c.txt");
        EXPECT_EQ(list.GroupCount(), 3);
        list.ClearLines();
    }
}

}  // namespace

TEST_F(CandidateListTest, TickBoxLineAndColumnsScaleWithTheDpi) {
    Append("C:\\x.txt", 0, 10);
    list.SetCheck(0, 1);
    const int expectedSide[] = {13, 20, 26};  // 1, 1.5 and 2 times
    const int dpis[] = {96, 144, 192};
    int lastPathEnd = 0;
    for (int k = 0; k < 3; ++k) {
        list.SetDpi(dpis[k]);
        const int height = static_cast<int>(SendMessageA(host.List(), LB_GETITEMHEIGHT, 0, 0));
        EXPECT_GE(height, 20 * dpis[k] / 96) << dpis[k];
        // The drawn box: the smallest rectangle around what is not the
        // window's colour in front of the text.
        Canvas canvas(900, height);
        Draw(canvas, 0, ODA_DRAWENTIRE, 0);
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        RECT drawn = {canvas.Width(), canvas.Height(), -1, -1};
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < list.BoxWidth(); ++x)
                if (canvas.Pixel(x, y) != window) {
                    drawn = {std::min<LONG>(drawn.left, x), std::min<LONG>(drawn.top, y),
                             std::max<LONG>(drawn.right, x + 1), std::max<LONG>(drawn.bottom, y + 1)};
                }
        EXPECT_EQ(drawn.right - drawn.left, expectedSide[k]) << dpis[k];
        EXPECT_EQ(drawn.bottom - drawn.top, expectedSide[k]) << dpis[k];
        EXPECT_GT(list.BoxWidth(), expectedSide[k]);
        // In the same font, the path ends further right as the box and the
        // column gaps grow.
        int pathEnd = 0;
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Count({x, 0, x + 1, height}, Blue) > 0) pathEnd = x;
        EXPECT_GT(pathEnd, lastPathEnd) << dpis[k];
        lastPathEnd = pathEnd;
    }
    // A larger font makes taller lines at the same DPI.
    list.SetDpi(96);
    const int plain = static_cast<int>(SendMessageA(host.List(), LB_GETITEMHEIGHT, 0, 0));
    const OwnedGdiObject<HFONT> large(CreateFontA(40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                                   nullptr));
    SendMessageA(host.List(), WM_SETFONT, reinterpret_cast<WPARAM>(large.Get()), FALSE);
    list.SetDpi(96);
    EXPECT_GE(SendMessageA(host.List(), LB_GETITEMHEIGHT, 0, 0), 40);
    EXPECT_GT(SendMessageA(host.List(), LB_GETITEMHEIGHT, 0, 0), plain);
}
