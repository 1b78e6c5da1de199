// Invalid regions, WM_PAINT and WM_ERASEBKGND.
#include "platform/paint.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/message_queue.h"
#include "support/recording_window.h"

using namespace pl;

namespace {

class PaintTest : public ::testing::Test {
protected:
    testwin::VirtualClock clock;
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
};

TEST_F(PaintTest, NewVisibleWindowIsPaintedOnceAfterPostedMessagesAndHiddenOnesWhenShown) {
    Hwnd w = rec.Top({0, 0, 20, 20});
    Hwnd hidden = rec.Top({0, 0, 20, 20}, nullptr, 0);
    PostMessage(w, WM_USER, 0, 0);
    Invalidate(hidden, nullptr, true);
    EXPECT_EQ((std::vector<uint32_t>{WM_USER, WM_PAINT}), testwin::Drain());
    EXPECT_TRUE(testwin::Drain().empty());
    Rect r;
    EXPECT_FALSE(GetUpdateRect(w, &r));
    ShowWindow(hidden, SW_SHOWNA);
    EXPECT_EQ((std::vector<uint32_t>{WM_PAINT}), testwin::Drain());
    EXPECT_EQ(1, rec.Count(WM_PAINT, hidden));
}

TEST_F(PaintTest, InvalidRegionIsClippedAndValidatePartlyRemoves) {
    Hwnd w = rec.Top({0, 0, 20, 20});
    testwin::Drain();
    Rect big{10, 10, 100, 100};
    Invalidate(w, &big, false);
    Rect r;
    ASSERT_TRUE(GetUpdateRect(w, &r));
    EXPECT_EQ((Rect{10, 10, 20, 20}), r);
    Rect left{0, 0, 15, 20};
    Validate(w, &left);
    ASSERT_TRUE(GetUpdateRect(w, &r));
    EXPECT_EQ((Rect{15, 10, 20, 20}), r);
    Validate(w, nullptr);
    EXPECT_FALSE(GetUpdateRect(w, &r));
    EXPECT_TRUE(testwin::Drain().empty());
}

TEST_F(PaintTest, EraseIsSentOnlyWhenAskedForWithItsResultReported) {
    Hwnd w = rec.Top({0, 0, 20, 20});
    LResult eraseAnswer = 1;
    rec.onMessage = [&](const testwin::Record& r, LResult* res) {
        if (r.id != WM_ERASEBKGND) return false;
        *res = eraseAnswer;
        return true;
    };
    testwin::Drain();
    rec.Clear();
    auto paint = [w](bool erase) {
        Invalidate(w, nullptr, erase);
        PaintStruct ps;
        BeginPaint(w, &ps);
        EndPaint(w, &ps);
        return ps;
    };
    PaintStruct ps = paint(false);
    EXPECT_FALSE(ps.erase);
    EXPECT_EQ(0, rec.Count(WM_ERASEBKGND));
    EXPECT_EQ((Rect{0, 0, 20, 20}), ps.paint);
    // Erasing asked for: the handler's non-zero answer means it is done. Without
    // a device context nothing can erase, and the flag stays for the painter.
    ps = paint(true);
    EXPECT_EQ(ps.hdc == nullptr, ps.erase);
    EXPECT_EQ(ps.hdc ? 1 : 0, rec.Count(WM_ERASEBKGND));
    eraseAnswer = 0;
    EXPECT_TRUE(paint(true).erase);
}

TEST_F(PaintTest, UpdateNowPaintsAtOnceAndOnlyWhenInvalid) {
    Hwnd w = rec.Top({0, 0, 20, 20});
    testwin::Drain();
    rec.Clear();
    UpdateNow(w);
    EXPECT_EQ(0, rec.Count(WM_PAINT));
    Invalidate(w, nullptr, false);
    UpdateNow(w);
    EXPECT_EQ(1, rec.Count(WM_PAINT));
    EXPECT_TRUE(testwin::Drain().empty());
}

TEST_F(PaintTest, PaintTakenAndDroppedIsNotRemadeUntilInvalidatedAgain) {
    Hwnd w = rec.Top({0, 0, 20, 20});
    Msg m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_PAINT, m.id);
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    Invalidate(w, nullptr, false);
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_PAINT, m.id);
}

TEST_F(PaintTest, PaintDroppedByNestedLoopIsPaintedWhenOuterLoopResumes) {
    Hwnd form = rec.Top({0, 0, 100, 100});
    testwin::Drain();
    const uint32_t kLoop = WM_USER + 5;
    int droppedPaints = 0;
    rec.onMessage = [&](const testwin::Record& r, LResult*) {
        if (r.id != kLoop) return false;
        // A popup-style loop: takes messages and dispatches none.
        Invalidate(r.hwnd, nullptr, true);
        Msg m;
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) droppedPaints += m.id == WM_PAINT;
        return true;
    };
    rec.Clear();
    PostMessage(form, kLoop, 0, 0);
    EXPECT_EQ((std::vector<uint32_t>{kLoop, WM_PAINT}), testwin::Drain());
    EXPECT_EQ(1, droppedPaints);
    EXPECT_EQ(1, rec.Count(WM_PAINT, form));
}

TEST_F(PaintTest, HidingAWindowInvalidatesWhatLayBelow) {
    Hwnd low = rec.Top({0, 0, 100, 100});
    Hwnd child = rec.Child(low, 1, {60, 60, 100, 100});
    Hwnd high = rec.Top({50, 50, 80, 80});
    testwin::Drain();
    ShowWindow(high, SW_HIDE);
    Rect r;
    ASSERT_TRUE(GetUpdateRect(low, &r));
    EXPECT_EQ((Rect{50, 50, 80, 80}), r);
    ASSERT_TRUE(GetUpdateRect(child, &r));
    EXPECT_EQ((Rect{0, 0, 20, 20}), r);
    EXPECT_FALSE(GetUpdateRect(high, &r));
}

}  // namespace
