// The check list box driven with real mouse and keyboard messages.
#include "platform/CheckListBox.h"
#include "support/ListChecks.h"
#include "support/ListHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

// Counts the caller's data that the control hands back for release.
class CountingCheckListBox : public CheckListBox {
public:
    std::vector<LPARAM> released;
    std::map<int, RECT> drawn;  // the text part of every line drawn

    std::vector<LPARAM> SortedReleased() const {
        std::vector<LPARAM> sorted = released;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

protected:
    void ReleaseLineData(LPARAM data) override { released.push_back(data); }
    void DrawItem(DRAWITEMSTRUCT& item) override {
        drawn[static_cast<int>(item.itemID)] = item.rcItem;
        CheckListBox::DrawItem(item);
    }
};

class CheckListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.Attach(host.List());
        for (int i = 0; i < 5; ++i) {
            list.InsertString(-1, "line " + std::to_string(i));
            list.SetItemData(i, 100 + i);
        }
    }

    RECT ItemRect(int line) const {
        RECT rect = {};
        SendMessageA(host.List(), LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    void Click(int x, int y) const {
        SendMessageA(host.List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(host.List(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void ClickBox(int line) const {
        const RECT rect = ItemRect(line);
        Click(rect.left + list.BoxWidth() / 2, (rect.top + rect.bottom) / 2);
    }
    // A key press as the message loop delivers it: WM_KEYDOWN, and the
    // WM_CHAR that TranslateMessage makes of it.
    void PressSpace() const {
        PostMessageA(host.List(), WM_KEYDOWN, VK_SPACE, 0x00390001);
        PostMessageA(host.List(), WM_KEYUP, VK_SPACE, 0xC0390001);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    bool Selected(int line) const { return SendMessageA(host.List(), LB_GETSEL, line, 0) > 0; }
    std::vector<int> Checks() const { return ChecksOf(list); }

    ListHost host{ListHost::TextStyles};
    CountingCheckListBox list;
};

TEST_F(CheckListBoxTest, ItemDataMessagesReachTheCallersData) {
    EXPECT_EQ(SendMessageA(host.List(), LB_GETITEMDATA, 2, 0), 102);
    EXPECT_EQ(SendMessageA(host.List(), LB_SETITEMDATA, 2, 7), 0);
    EXPECT_EQ(list.ItemData(2), 7);
    EXPECT_EQ(SendMessageA(host.List(), LB_GETITEMDATA, 5, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(host.List(), LB_SETITEMDATA, 5, 7), LB_ERR);
    // Ticks live beside the data and do not disturb it.
    list.SetCheck(2, 1);
    EXPECT_EQ(list.ItemData(2), 7);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 1, 0, 0}));
    EXPECT_EQ(list.GetCheck(9), 0);
}

TEST_F(CheckListBoxTest, ClickInTheBoxTogglesWithoutSelecting) {
    ClickBox(1);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 0, 0, 0}));
    EXPECT_FALSE(Selected(1));
    ClickBox(1);
    EXPECT_EQ(list.GetCheck(1), 0);

    // Right of the box the click selects the line as in any list.
    const RECT rect = ItemRect(3);
    Click(rect.left + list.BoxWidth() + 20, (rect.top + rect.bottom) / 2);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_TRUE(Selected(3));

    // Below the last line nothing is toggled.
    const RECT last = ItemRect(4);
    Click(last.left + list.BoxWidth() / 2, last.bottom + 5);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0, 0, 0}));
}

TEST_F(CheckListBoxTest, ClickHitsTheBoxWhereItIsDrawnAlsoWhenScrolledSideways) {
    SendMessageA(host.List(), LB_SETHORIZONTALEXTENT, 3000, 0);
    for (int i = 0; i < 10; ++i) SendMessageA(host.List(), WM_HSCROLL, SB_LINERIGHT, 0);
    ASSERT_GT(GetScrollPos(host.List(), SB_HORZ), 0);
    // Let the list draw itself; the text part starts right of the box.
    HDC context = GetDC(host.List());
    SendMessageA(host.List(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(context), PRF_CLIENT);
    ReleaseDC(host.List(), context);
    ASSERT_EQ(list.drawn.count(1), 1u);
    const RECT text = list.drawn[1];
    const int middle = (text.top + text.bottom) / 2;

    Click(text.left - list.BoxWidth() / 2, middle);
    EXPECT_EQ(list.GetCheck(1), 1);
    Click(text.left + 5, middle);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_TRUE(Selected(1));
}

TEST_F(CheckListBoxTest, SpaceTogglesTheSelectedLinesAndKeepsTheSelection) {
    SendMessageA(host.List(), LB_SELITEMRANGE, TRUE, MAKELPARAM(1, 3));
    SendMessageA(host.List(), LB_SETCARETINDEX, 3, 0);
    PressSpace();
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 1, 1, 0}));
    EXPECT_EQ(SendMessageA(host.List(), LB_GETSELCOUNT, 0, 0), 3);
    EXPECT_TRUE(Selected(1) && Selected(2) && Selected(3));
    PressSpace();
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0, 0, 0}));

    // Mixed ticks all take the opposite of the caret line's tick.
    list.SetCheck(2, 1);
    PressSpace();
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 1, 1, 0}));
    EXPECT_EQ(SendMessageA(host.List(), LB_GETSELCOUNT, 0, 0), 3);
}

TEST_F(CheckListBoxTest, DeletedLinesHandTheirDataBackForRelease) {
    list.SetItemData(0, 0);  // no data: nothing to release
    list.DeleteString(1);
    EXPECT_EQ(list.released, (std::vector<LPARAM>{101}));
    EXPECT_EQ(list.ItemData(1), 102);  // the next line moved up with its data
    list.ResetContent();
    EXPECT_EQ(list.SortedReleased(), (std::vector<LPARAM>{101, 102, 103, 104}));
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(CheckListBoxTest, DestroyingTheWindowReleasesEveryLine) {
    DestroyWindow(host.Parent());
    EXPECT_EQ(list.SortedReleased(), (std::vector<LPARAM>{100, 101, 102, 103, 104}));
    EXPECT_EQ(list.Handle(), nullptr);
}

TEST_F(CheckListBoxTest, DetachLeavesAPlainListBoxWithTheCallersData) {
    list.SetCheck(1, 1);
    list.Detach();
    EXPECT_EQ(SendMessageA(host.List(), LB_GETITEMDATA, 1, 0), 101);
    // Attaching again wraps the lines that are there.
    list.Attach(host.List());
    EXPECT_EQ(list.ItemData(1), 101);
    EXPECT_EQ(list.GetCheck(1), 0);
    ClickBox(1);
    EXPECT_EQ(list.GetCheck(1), 1);
}

TEST_F(CheckListBoxTest, ATickIsDrawnAgainOnlyWhereItsLineIsInView) {
    for (int i = 5; i < 200; ++i) list.InsertString(-1, "line " + std::to_string(i));
    ShowWindow(GetParent(host.List()), SW_SHOWNOACTIVATE);
    UpdateWindow(GetParent(host.List()));
    RECT update = {};
    ASSERT_FALSE(GetUpdateRect(host.List(), &update, FALSE));

    list.SetCheck(199, 1);  // far below the view
    EXPECT_FALSE(GetUpdateRect(host.List(), &update, FALSE));
    list.SetCheck(1, 1);
    ASSERT_TRUE(GetUpdateRect(host.List(), &update, FALSE));
    const RECT line = ItemRect(1);
    EXPECT_EQ(update.top, line.top);
    EXPECT_EQ(update.bottom, line.bottom);
}

// Another subclass on top of the list's own still lets its lines be drawn
// and released by its object.
WNDPROC outerOriginal = nullptr;
LRESULT CALLBACK PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(outerOriginal, window, message, wParam, lParam);
}

TEST_F(CheckListBoxTest, LinesReachTheirObjectUnderAnotherSubclass) {
    outerOriginal = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(host.List(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PassOn)));
    DRAWITEMSTRUCT item = {ODT_LISTBOX, ListHost::ListId, 3, ODA_DRAWENTIRE, 0, host.List(), GetDC(host.List()),
                           {0, 0, 200, 18}, 0};
    list.drawn.clear();
    SendMessageA(host.Parent(), WM_DRAWITEM, ListHost::ListId, reinterpret_cast<LPARAM>(&item));
    ReleaseDC(host.List(), item.hDC);
    EXPECT_EQ(list.drawn.count(3), 1u);
    list.DeleteString(0);
    EXPECT_EQ(list.SortedReleased(), std::vector<LPARAM>({100}));
    SetWindowLongPtrA(host.List(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(outerOriginal));
}

TEST_F(CheckListBoxTest, ASubclassAfterOursKeepsWorkingWhenOursGoes) {
    outerOriginal = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(host.List(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PassOn)));
    list.Detach();
    EXPECT_EQ(GetWindowLongPtrA(host.List(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&PassOn));
    EXPECT_EQ(SendMessageA(host.List(), LB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageA(host.List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("six")), 5);
    SetWindowLongPtrA(host.List(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(outerOriginal));
}

TEST(CheckListBoxLongList, ClickTogglesLinesBeyondSixteenBitIndexes) {
    ListHost host{ListHost::TextStyles};
    CheckListBox list;
    list.Attach(host.List());
    const int count = 70000;
    list.InitStorage(count, 8);
    for (int i = 0; i < count; ++i) list.InsertString(-1, "x");
    list.SetTopIndex(count - 3);
    const int top = list.TopIndex();
    ASSERT_GT(top, 65536);
    RECT rect = {};
    SendMessageA(host.List(), LB_GETITEMRECT, top + 1, reinterpret_cast<LPARAM>(&rect));
    SendMessageA(host.List(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(rect.left + list.BoxWidth() / 2, (rect.top + rect.bottom) / 2));
    EXPECT_EQ(list.GetCheck(top + 1), 1);
    EXPECT_EQ(list.GetCheck(top + 1 - 65536), 0);
}

}  // namespace

TEST(CheckListBoxNoData, RemovedLinesTakeNothingOfTheRestWithThem) {
    ListHost host;  // no data: the object keeps every line's state
    CountingCheckListBox list;
    list.Attach(host.List());
    SendMessageA(host.List(), LB_SETCOUNT, 6, 0);
    for (int i = 0; i < 6; ++i) {
        list.SetItemData(i, 100 + i);
        list.SetCheck(i, i % 2);
    }
    SendMessageA(host.List(), LB_SETSEL, TRUE, 3);
    SendMessageA(host.List(), LB_SETSEL, TRUE, 4);
    list.RemoveLines({1, 2, 5});
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.SortedReleased(), (std::vector<LPARAM>{101, 102, 105}));
    EXPECT_EQ(ChecksOf(list), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(list.ItemData(1), 103);
    EXPECT_EQ(SendMessageA(host.List(), LB_GETSELCOUNT, 0, 0), 2);
    EXPECT_GT(SendMessageA(host.List(), LB_GETSEL, 1, 0), 0);
    EXPECT_GT(SendMessageA(host.List(), LB_GETSEL, 2, 0), 0);
    list.ResetContent();
    EXPECT_EQ(list.released.size(), 6u);
}
