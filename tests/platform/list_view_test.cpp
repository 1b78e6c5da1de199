// The report-style list view: rows, selection, keys, scrolling, hit tests,
// owner data and owner draw, colours, and painting.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/focus.h"
#include "platform/framebuffer.h"
#include "platform/message_queue.h"
#include "platform/paint.h"
#include "platform/sys_colors.h"
#include "platform/window.h"
#include "support/recording_window.h"

namespace {

using namespace pl;

constexpr int kListId = 1051;
constexpr Rect kListRect{10, 20, 110, 100};  // in the parent, which sits at the origin

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterControlClasses();
        parent = rec.Top({0, 0, 240, 320});
        rec.onMessage = [this](const testwin::Record& r, LResult* result) { return Answer(r, result); };
    }
    void TearDown() override { ResetSysColors(); }

    Hwnd MakeList(uint32_t style, bool visible = true) {
        CreateParams p;
        p.className = kListViewClass;
        p.style = WS_CHILD | (visible ? WS_VISIBLE : 0) | style;
        p.x = kListRect.left;
        p.y = kListRect.top;
        p.width = kListRect.Width();
        p.height = kListRect.Height();
        p.parent = parent;
        p.id = kListId;
        return CreateWindow(p);
    }
    Hwnd ListOf(std::initializer_list<const char*> insertAtTop, uint32_t style = LVS_SINGLESEL) {
        Hwnd list = MakeList(style);
        for (const char* t : insertAtTop) ListViewInsertItem(list, 0, t);
        return list;
    }
    std::vector<std::string> Rows(Hwnd list) {
        std::vector<std::string> rows;
        for (int i = 0; i < ListViewGetItemCount(list); ++i) rows.push_back(ListViewGetItemText(list, i));
        return rows;
    }
    int RowHeight(Hwnd list) {
        Rect r;
        SendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<LParam>(&r));
        return r.Height();
    }
    // The parent's answers: row texts of owner data, the measured height, the drawn rows.
    bool Answer(const testwin::Record& r, LResult* result) {
        if (r.id == WM_NOTIFY) {
            auto* h = reinterpret_cast<NotifyHeader*>(r.lParam);
            if (h->code == LVN_GETDISPINFO) {
                auto* info = reinterpret_cast<LvDispInfo*>(r.lParam);
                std::snprintf(info->item.text, static_cast<size_t>(info->item.textMax), "Row %d", info->item.item);
                asked.push_back(info->item.item);
            }
        } else if (r.id == WM_MEASUREITEM) {
            reinterpret_cast<MeasureItem*>(r.lParam)->itemHeight = measuredHeight;
        } else if (r.id == WM_DRAWITEM) {
            drawn.push_back(*reinterpret_cast<DrawItem*>(r.lParam));
        } else {
            return false;
        }
        *result = 1;
        return true;
    }
    void Key(Hwnd list, int vk) { SendMessage(list, WM_KEYDOWN, static_cast<WParam>(vk), 0); }
    void TapClient(Hwnd list, int x, int y) { SendMessage(list, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y)); }
    int Selected(Hwnd list) {
        return static_cast<int>(SendMessage(list, LVM_GETNEXTITEM, static_cast<WParam>(-1), LVIS_SELECTED));
    }

    testwin::CleanPlatform clean;
    testwin::Recorder rec;
    Hwnd parent = nullptr;
    std::vector<int> asked;
    std::vector<DrawItem> drawn;
    int measuredHeight = 18;
};

TEST_F(ListViewTest, RowsInsertedAtTheTopShowInReverseOrder) {
    Hwnd list = ListOf({"A", "B", "C"});
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"C", "B", "A"}));
    ListViewInsertItem(list, 99, "Z");  // past the end: appended
    ListViewInsertItem(list, 1, "M");
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"C", "M", "B", "A", "Z"}));
    EXPECT_EQ(ListViewGetItemText(list, 7), "");
    int h = RowHeight(list);
    EXPECT_EQ(ListViewHitTest(list, Point{kListRect.Width() - 2, h + 1}), 1);  // no scroll bar: full width
    EXPECT_EQ(ListViewHitTest(list, Point{5, 5 * h + 1}), -1);                 // below the last row
    EXPECT_EQ(ListViewHitTest(list, Point{-1, 1}), -1);
    ListViewDeleteAllItems(list);
    EXPECT_EQ(ListViewGetItemCount(list), 0);
}

TEST_F(ListViewTest, SelectionMarkAndStatesOfASingleSelectionList) {
    Hwnd list = ListOf({"A", "B", "C", "D"});
    EXPECT_EQ(ListViewGetSelectionMark(list), -1);
    ListViewSetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(ListViewSetSelectionMark(list, 1), -1);
    ListViewSetItemState(list, 3, LVIS_SELECTED, LVIS_SELECTED);  // takes the selection from row 1
    EXPECT_EQ(ListViewGetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED), LVIS_FOCUSED);
    EXPECT_EQ(Selected(list), 3);
    ListViewInsertItem(list, 0, "Top");  // the mark moves with its row
    EXPECT_EQ(ListViewGetSelectionMark(list), 2);
    ListViewSetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);  // every row
    EXPECT_EQ(Selected(list), -1);
    EXPECT_EQ(ListViewGetItemState(list, 2, LVIS_FOCUSED), 0u);
}

TEST_F(ListViewTest, UpAndDownMoveTheSelectionWithinTheRows) {
    Hwnd list = ListOf({"A", "B", "C"});
    Key(list, VK_DOWN);  // nothing focused: the first row
    EXPECT_EQ(Selected(list), 0);
    for (int vk : {VK_DOWN, VK_DOWN, VK_DOWN}) Key(list, vk);  // the last row stays
    EXPECT_EQ(Selected(list), 2);
    EXPECT_EQ(ListViewGetSelectionMark(list), 2);
    Key(list, VK_UP);
    EXPECT_EQ(ListViewGetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);
    Key(list, VK_UP);
    Key(list, VK_UP);  // not above row 0
    EXPECT_EQ(Selected(list), 0);
    EXPECT_GT(rec.Count(WM_NOTIFY, parent), 0);  // a state change tells the parent
}

TEST_F(ListViewTest, EnsureVisibleScrollsAndHitTestFindsTheShownRow) {
    Hwnd list = MakeList(LVS_SINGLESEL);
    for (int i = 19; i >= 0; --i) ListViewInsertItem(list, 0, std::to_string(i));
    int perPage = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
    int h = RowHeight(list);
    ASSERT_GT(h, 0);
    EXPECT_EQ(perPage, kListRect.Height() / h);
    ListViewEnsureVisible(list, 15);
    EXPECT_EQ(ListViewGetTopIndex(list), 15 - perPage + 1);
    EXPECT_EQ(ListViewHitTest(list, Point{5, 0}), 15 - perPage + 1);
    EXPECT_EQ(ListViewHitTest(list, Point{5, 2 * h + 1}), 15 - perPage + 3);
    ListViewEnsureVisible(list, 2);
    EXPECT_EQ(ListViewGetTopIndex(list), 2);
    ListViewEnsureVisible(list, 3);  // already shown: no scroll
    EXPECT_EQ(ListViewGetTopIndex(list), 2);
    // The scroll bar takes the right-hand GetSystemMetrics(SM_CXVSCROLL) pixels.
    int bar = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(bar, 13);
    EXPECT_EQ(ListViewHitTest(list, Point{kListRect.Width() - bar, 1}), -1);
    EXPECT_EQ(ListViewHitTest(list, Point{kListRect.Width() - bar - 1, 1}), 2);
}

TEST_F(ListViewTest, TapsSelectARowAndTheScrollBarArrowsScroll) {
    Hwnd list = MakeList(LVS_SINGLESEL);
    for (int i = 0; i < 20; ++i) ListViewInsertItem(list, 0, "x");
    int h = RowHeight(list);
    TapClient(list, 5, h + 2);
    EXPECT_EQ(Selected(list), 1);
    EXPECT_EQ(GetFocus(), list);
    int right = kListRect.Width() - 2;
    TapClient(list, right, kListRect.Height() - 2);  // the down arrow
    EXPECT_EQ(ListViewGetTopIndex(list), 1);
    TapClient(list, right, 1);  // the up arrow
    EXPECT_EQ(ListViewGetTopIndex(list), 0);
    TapClient(list, right, kListRect.Height() * 2 / 3);  // the track below the thumb: a page
    EXPECT_EQ(ListViewGetTopIndex(list), SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
}

TEST_F(ListViewTest, OwnerDataListAsksItsParentForRowTexts) {
    Hwnd list = MakeList(LVS_OWNERDATA);
    SendMessage(list, LVM_SETITEMCOUNT, 1000, 0);
    EXPECT_EQ(ListViewGetItemCount(list), 1000);
    EXPECT_EQ(ListViewGetItemText(list, 500), "Row 500");
    asked.clear();
    UpdateNow(list);
    int perPage = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GE(asked.size(), static_cast<size_t>(perPage));
    for (int i = 0; i < perPage; ++i) EXPECT_EQ(asked[static_cast<size_t>(i)], i);
    EXPECT_EQ(ListViewInsertItem(list, 0, "no"), -1);  // rows of owner data are not stored
}

TEST_F(ListViewTest, OwnerDrawRowsAreMeasuredAndSeeTheSelectedBit) {
    measuredHeight = 18;
    Hwnd list = MakeList(LVS_OWNERDRAWFIXED | LVS_OWNERDATA | LVS_SINGLESEL);
    EXPECT_EQ(rec.Count(WM_MEASUREITEM, parent), 1);
    SendMessage(list, LVM_SETITEMCOUNT, 3, 0);
    EXPECT_EQ(RowHeight(list), 18);
    ListViewSetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    drawn.clear();
    UpdateNow(list);
    ASSERT_EQ(drawn.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const DrawItem& d = drawn[static_cast<size_t>(i)];
        EXPECT_TRUE(d.itemId == i && d.ctlId == kListId && d.hwndItem == list && d.hdc) << i;
        EXPECT_EQ(d.rcItem, (Rect{0, 18 * i, d.rcItem.right, 18 * i + 18}));
        EXPECT_EQ((d.itemState & ODS_SELECTED) != 0, i == 1) << i;
    }
}

ColorRef PixelIn(Hwnd list, int x, int y) {
    Point p{x, y};
    ClientToScreen(list, &p);
    return ScreenPixel(p.x, p.y);
}

TEST_F(ListViewTest, PaintsFromTheSystemColoursAndFollowsTheirChange) {
    Hwnd list = ListOf({"A", "B"});
    ListViewSetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    testwin::Drain();
    int h = RowHeight(list);
    // A pixel at the row's right end, clear of its text.
    EXPECT_EQ(PixelIn(list, kListRect.Width() - 2, 1), GetSysColor(kColorHighlight));
    EXPECT_EQ(PixelIn(list, kListRect.Width() - 2, h + 1), GetSysColor(kColorWindow));
    EXPECT_EQ(PixelIn(list, kListRect.Width() - 2, 3 * h), GetSysColor(kColorWindow));
    int slots[] = {kColorHighlight, kColorWindow};
    ColorRef colors[] = {Rgb(200, 0, 0), Rgb(0, 0, 40)};
    SetSysColors(2, slots, colors);
    testwin::Drain();
    EXPECT_EQ(PixelIn(list, kListRect.Width() - 2, 1), Rgb(200, 0, 0));
    EXPECT_EQ(PixelIn(list, kListRect.Width() - 2, h + 1), Rgb(0, 0, 40));
    // Colours the program sets stay.
    SendMessage(list, LVM_SETBKCOLOR, 0, static_cast<LParam>(Rgb(0, 90, 0)));
    SendMessage(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LParam>(Rgb(0, 0, 90)));
    testwin::Drain();
    EXPECT_EQ(PixelIn(list, kListRect.Width() - 2, 3 * h), Rgb(0, 90, 0));
    EXPECT_EQ(PixelIn(list, kListRect.Width() - 2, h + 1), Rgb(0, 0, 90));
}

// A popup's list is shown inside a loop that takes queued paints without
// dispatching them: it must be painted when shown.
TEST_F(ListViewTest, ShowingAHiddenListPaintsItAtOnce) {
    Hwnd list = MakeList(LVS_SINGLESEL, false);
    ListViewInsertItem(list, 0, "A");
    SendMessage(list, LVM_SETBKCOLOR, 0, static_cast<LParam>(Rgb(1, 2, 3)));
    testwin::Drain();
    EXPECT_NE(PixelIn(list, 5, kListRect.Height() - 2), Rgb(1, 2, 3));
    ShowWindow(list, SW_SHOW);
    EXPECT_EQ(PixelIn(list, 5, kListRect.Height() - 2), Rgb(1, 2, 3));
    Rect pending;
    EXPECT_FALSE(GetUpdateRect(list, &pending));
    testwin::Drain(false);  // paints taken and dropped
    EXPECT_EQ(PixelIn(list, 5, kListRect.Height() - 2), Rgb(1, 2, 3));
}

}  // namespace
