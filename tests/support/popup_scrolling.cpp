#include "support/popup_scrolling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "platform/controls.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "support/program_fixture.h"

namespace {

int TopRow(pl::Hwnd list) { return pl::ListViewGetTopIndex(list); }
int PerPage(pl::Hwnd list) { return static_cast<int>(pl::SendMessage(list, pl::LVM_GETCOUNTPERPAGE, 0, 0)); }

pl::Point OnScreen(pl::Hwnd list, int x, int y) {
    pl::Point p{x, y};
    pl::ClientToScreen(list, &p);
    return p;
}

// Screen points of a list's vertical scroll bar as it is drawn now, the middle
// of each: the strip right of the rows, one system scroll-bar width wide,
// square arrows at its ends (a third of its height at most) and a thumb sized
// by the shown share of the rows, at least half an arrow high.
struct ScrollBarPoints {
    pl::Point up, down, thumb, troughBelow, trackMiddle;
};

ScrollBarPoints ScrollBarOf(pl::Hwnd list) {
    pl::Rect client, row;
    pl::GetClientRect(list, &client);
    const int top = TopRow(list);
    pl::SendMessage(list, pl::LVM_GETITEMRECT, static_cast<pl::WParam>(top), reinterpret_cast<pl::LParam>(&row));
    const int width = pl::GetSystemMetrics(pl::SM_CXVSCROLL);
    const int barTop = row.top, barBottom = client.bottom - row.top, x = row.right + width / 2;
    const int arrow = std::min(width, (barBottom - barTop) / 3);
    const int trackTop = barTop + arrow, trackHeight = barBottom - arrow - trackTop;
    const int count = std::max(1, pl::ListViewGetItemCount(list)), perPage = PerPage(list);
    const int thumbHeight = std::max(arrow / 2 + 1, trackHeight * perPage / count);
    const int thumbTop = trackTop + (trackHeight - thumbHeight) * top / std::max(1, count - perPage);
    const int thumbBottom = thumbTop + thumbHeight;
    return {OnScreen(list, x, barTop + arrow / 2), OnScreen(list, x, barBottom - arrow / 2),
            OnScreen(list, x, thumbTop + thumbHeight / 2), OnScreen(list, x, (thumbBottom + barBottom - arrow) / 2),
            OnScreen(list, x, trackTop + trackHeight / 2)};
}

}  // namespace

int ScrollAndPick(pl::Harness& harness, pl::Hwnd trigger, pl::Hwnd list) {
    const pl::Point opener = ProgramTest::Centre(trigger);
    harness.tap(opener.x, opener.y);
    const int count = pl::ListViewGetItemCount(list), perPage = PerPage(list);
    const int lastTop = count - perPage;
    EXPECT_TRUE(pl::IsWindowVisible(list));
    EXPECT_EQ(TopRow(list), 0);
    EXPECT_GT(lastTop, perPage) << "too few rows to scroll";
    const int first = std::max(pl::ListViewGetSelectionMark(list), 0);
    const int selected = std::min(first + perPage, count - 1);
    // Page Down, back with Page Up, and down again: the row and the view move
    // by a page each time.
    for (const auto& [key, top, row] : {std::tuple{pl::VK_NEXT, std::min(perPage, lastTop), selected},
                                        std::tuple{pl::VK_PRIOR, 0, first},
                                        std::tuple{pl::VK_NEXT, std::min(perPage, lastTop), selected}}) {
        harness.key(key);
        EXPECT_EQ(TopRow(list), top) << (key == pl::VK_NEXT ? "Page Down" : "Page Up");
        EXPECT_EQ(pl::ListViewGetSelectionMark(list), row) << (key == pl::VK_NEXT ? "Page Down" : "Page Up");
        EXPECT_TRUE(pl::IsWindowVisible(list));
    }
    struct Step {
        const char* what;
        pl::Point ScrollBarPoints::*at;
        int moves;
    };
    for (const Step& s : {Step{"down arrow", &ScrollBarPoints::down, 1}, Step{"up arrow", &ScrollBarPoints::up, -1},
                          Step{"trough", &ScrollBarPoints::troughBelow, perPage}}) {
        const int top = TopRow(list);
        const pl::Point p = ScrollBarOf(list).*s.at;
        harness.tap(p.x, p.y);
        EXPECT_EQ(TopRow(list), std::min(top + s.moves, lastTop)) << s.what;
        EXPECT_TRUE(pl::IsWindowVisible(list)) << s.what;
        EXPECT_EQ(pl::ListViewGetSelectionMark(list), selected) << s.what;
    }
    const ScrollBarPoints bar = ScrollBarOf(list);
    harness.drag(bar.thumb, bar.trackMiddle, 6);
    const int middle = TopRow(list) + perPage / 2;
    const int rowsPerPixel = lastTop / std::max(1, bar.down.y - bar.up.y) + 1;
    EXPECT_LE(std::abs(middle - count / 2), rowsPerPixel + perPage) << "thumb dragged to the middle shows " << middle;
    EXPECT_TRUE(pl::IsWindowVisible(list));
    EXPECT_EQ(pl::ListViewGetSelectionMark(list), selected);
    const pl::Point row = ProgramTest::RowCentre(list, middle);
    harness.tap(row.x, row.y);
    EXPECT_FALSE(pl::IsWindowVisible(list));
    return middle;
}
