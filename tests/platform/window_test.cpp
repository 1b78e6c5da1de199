// Windows on the test thread: creation, the tree, visibility, geometry,
// z-order, text, subclassing and destruction.
#include "platform/window.h"

#include <gtest/gtest.h>

#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/paint.h"
#include "support/recording_window.h"

using namespace pl;

namespace {

class WindowTest : public ::testing::Test {
protected:
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
};

using Order = std::vector<Hwnd>;

TEST_F(WindowTest, CreateSendsCreateThenSizeAndBadClassOrParentFails) {
    CreateParams unknown;
    unknown.className = "NoSuchClass";
    EXPECT_EQ(nullptr, CreateWindow(unknown));
    EXPECT_EQ(nullptr, rec.Child(reinterpret_cast<Hwnd>(0x1234), 5, {0, 0, 5, 5}));
    rec.Clear();
    Hwnd w = rec.Top({10, 20, 110, 70});
    ASSERT_TRUE(IsWindow(w));
    EXPECT_EQ(WM_CREATE, rec.Ids(WM_CREATE, WM_SIZE).at(0));
    auto size = rec.Of(WM_SIZE, w);
    ASSERT_EQ(1u, size.size());
    EXPECT_EQ(MakeLParam(100, 50), size[0].lParam);
    Rect r;
    ASSERT_TRUE(GetClientRect(w, &r));
    EXPECT_EQ((Rect{0, 0, 100, 50}), r);
}

TEST_F(WindowTest, ChildrenAreFoundByIdAndMapToTheScreenThroughTheirParents) {
    Hwnd top = rec.Top({30, 40, 230, 240});
    Hwnd child = rec.Child(top, 7, {10, 20, 60, 70});
    Hwnd grand = rec.Child(child, 8, {5, 5, 15, 15});
    EXPECT_EQ(child, GetDlgItem(top, 7));
    EXPECT_EQ(nullptr, GetDlgItem(top, 8));
    EXPECT_EQ(8, GetDlgCtrlID(grand));
    EXPECT_EQ(child, GetParent(grand));
    EXPECT_EQ(top, GetTopLevel(grand));
    Rect r;
    ASSERT_TRUE(GetWindowRect(grand, &r));
    EXPECT_EQ((Rect{45, 65, 55, 75}), r);
    Point p{0, 0};
    ClientToScreen(grand, &p);
    EXPECT_EQ((Point{45, 65}), p);
    ScreenToClient(child, &p);
    EXPECT_EQ((Point{5, 5}), p);
}

// Handles of destroyed windows stay invalid: they are never given out again.
TEST_F(WindowTest, DestroyingAnOwnerDestroysOwnedWindowsFirst) {
    Hwnd owner = rec.Top({0, 0, 100, 100});
    Hwnd owned = rec.Top({0, 0, 50, 50}, owner);
    Hwnd child = rec.Child(owner, 3, {0, 0, 10, 10});
    EXPECT_EQ(owner, GetWindowOwner(owned));
    rec.Clear();
    ASSERT_TRUE(DestroyWindow(owner));
    std::vector<Hwnd> destroyed;
    for (const testwin::Record& r : rec.Of(WM_DESTROY)) destroyed.push_back(r.hwnd);
    EXPECT_EQ(Order({owned, owner, child}), destroyed);
    for (Hwnd h : {owner, owned, child}) EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(DestroyWindow(owner));
    Hwnd next = rec.Top({0, 0, 10, 10});
    for (Hwnd h : {owner, owned, child}) EXPECT_NE(h, next);
}

TEST_F(WindowTest, DestroyInsideOwnSentMessageIsSafeAndLaterMessagesAreDropped) {
    Hwnd w = rec.Top({0, 0, 10, 10});
    const uint32_t kDie = WM_USER + 1;
    int afterDestroy = -1;
    rec.onMessage = [&](const testwin::Record& r, LResult* res) {
        if (r.id != kDie) return false;
        DestroyWindow(r.hwnd);
        // The procedure goes on with a dead handle: calls on it do nothing.
        afterDestroy = static_cast<int>(DefWindowProc(r.hwnd, WM_GETTEXTLENGTH, 0, 0));
        *res = 42;
        return true;
    };
    PostMessage(w, WM_USER + 2, 0, 0);
    EXPECT_EQ(42, SendMessage(w, kDie, 0, 0));
    EXPECT_EQ(0, afterDestroy);
    EXPECT_FALSE(IsWindow(w));
    rec.Clear();
    EXPECT_EQ(0, SendMessage(w, WM_USER + 3, 0, 0));
    EXPECT_FALSE(PostMessage(w, WM_USER + 4, 0, 0));
    Msg m;
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(rec.records.empty());
}

TEST_F(WindowTest, VisibilityNeedsEveryAncestor) {
    Hwnd top = rec.Top({0, 0, 100, 100}, nullptr, 0);
    Hwnd child = rec.Child(top, 1, {0, 0, 10, 10});
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(top, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_EQ(2, rec.Count(WM_SHOWWINDOW, top));  // shown once, hidden once
}

TEST_F(WindowTest, TextGoesThroughMessagesAndIsCutToTheBuffer) {
    CreateParams p;
    p.className = "Recorder";
    p.title = "Zendavori";
    Hwnd w = CreateWindow(p);
    EXPECT_EQ(w, FindWindow("recorder", "Zendavori"));
    EXPECT_EQ(nullptr, FindWindow("Recorder", "Other"));
    ASSERT_TRUE(SetWindowText(w, "Zendavori \xB0"));
    EXPECT_EQ("Zendavori \xB0", GetWindowText(w));
    EXPECT_EQ("Zendavori \xB0", StoredWindowText(w));
    EXPECT_EQ(1, rec.Count(WM_SETTEXT));
    char small[4];
    EXPECT_EQ(3, SendMessage(w, WM_GETTEXT, sizeof small, reinterpret_cast<LParam>(small)));
    EXPECT_STREQ("Zen", small);
}

LResult (*chained)(Hwnd, uint32_t, WParam, LParam) = nullptr;
LResult SubclassProc(Hwnd h, uint32_t id, WParam w, LParam l) {
    if (id == WM_USER) return 7 + CallWindowProc(chained, h, id, w, l);
    return CallWindowProc(chained, h, id, w, l);
}

TEST_F(WindowTest, SubclassingChainsTheProcedureAndUserDataKeepsOneValue) {
    Hwnd w = rec.Top({0, 0, 10, 10});
    rec.onMessage = [](const testwin::Record& r, LResult* res) {
        if (r.id != WM_USER) return false;
        *res = 100;
        return true;
    };
    chained = SetWindowProc(w, SubclassProc);
    ASSERT_NE(nullptr, chained);
    EXPECT_EQ(107, SendMessage(w, WM_USER, 0, 0));
    EXPECT_EQ(SubclassProc, SetWindowProc(w, chained));
    EXPECT_EQ(100, SendMessage(w, WM_USER, 0, 0));
    EXPECT_EQ(0, SetWindowUserData(w, 1234));
    EXPECT_EQ(1234, SetWindowUserData(w, 99));
    EXPECT_EQ(99, GetWindowUserData(w));
}

TEST_F(WindowTest, ZOrderTopmostBandAndOwnedWindowsAboveOwner) {
    Hwnd a = rec.Top({0, 0, 10, 10});
    Hwnd b = rec.Top({0, 0, 10, 10});
    Hwnd owned = rec.Top({0, 0, 10, 10}, a);
    EXPECT_EQ(Order({owned, b, a}), TopLevelWindows());
    BringWindowToTop(a);
    EXPECT_EQ(Order({owned, a, b}), TopLevelWindows());
    SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Hwnd c = rec.Top({0, 0, 10, 10});
    EXPECT_EQ(Order({b, c, owned, a}), TopLevelWindows());
    SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(b, TopLevelWindows().back());
}

}  // namespace
