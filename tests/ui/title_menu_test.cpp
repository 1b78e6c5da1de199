// The application menus opened from a form's title.
#include <gtest/gtest.h>

#include "platform/menus.h"
#include "platform/message_queue.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "ui/forms.h"
#include "ui/shell_state.h"
#include "ui/title_control.h"

namespace {

class TitleMenu : public ProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(StartProgram()); }

    void TapTitle() {
        pl::Rect r;
        pl::GetWindowRect(pl::GetDlgItem(GetCurrentFormDialog(), 8001), &r);
        harness.tap(r.left + 5, r.top + 5);
    }

    // Resource ids of the menu bars made so far.
    std::vector<int64_t> MenuBars() const {
        std::vector<int64_t> ids;
        for (const pl::ShellCall& c : pl::ShellCallLog())
            if (c.call == "CreateMenuBar") ids.push_back(c.value);
        return ids;
    }
};

TEST_F(TitleMenu, ATapOnTheTitleOpensTheMenuUsedLast) {
    TapTitle();
    EXPECT_EQ(MenuBars(), std::vector<int64_t>{102});
    EXPECT_NE(pl::OpenPopupMenu(), nullptr);
    EXPECT_EQ(lastMenu, 0);
    harness.key(pl::VK_ESCAPE);
    EXPECT_EQ(pl::OpenPopupMenu(), nullptr);
    EXPECT_TRUE(pl::IsWindow(GetCurrentFormDialog()));
}

TEST_F(TitleMenu, AChosenCommandGoesToTheMainWindow) {
    pl::Hwnd before = GetCurrentFormDialog();
    TapTitle();
    harness.key(pl::VK_DOWN);  // "Wizard", the first item of Tools
    harness.key(pl::VK_RETURN);
    EXPECT_EQ(pl::OpenPopupMenu(), nullptr);
    EXPECT_FALSE(pl::IsWindow(before));
    EXPECT_TRUE(pl::IsWindow(GetCurrentFormDialog()));
    EXPECT_EQ(GetCurrentFormId(), 1950);
}

TEST_F(TitleMenu, ATapOnAnotherMenuButtonOpensThatMenu) {
    TapTitle();
    harness.tap(60, 8);  // the second button of the bar at the top of the screen
    EXPECT_NE(pl::OpenPopupMenu(), nullptr);
    EXPECT_EQ(lastMenu, 1);
    harness.tap(230, 310);  // on no button: the menus close
    EXPECT_EQ(pl::OpenPopupMenu(), nullptr);
}

TEST_F(TitleMenu, TheMenuLoopPassesTheQuitMessageOn) {
    TapTitle();
    harness.key(pl::VK_ESCAPE);  // the popup closes; the bar's loop still runs while no tap came
    TapTitle();
    Ui([] { pl::PostQuitMessage(4); });
    EXPECT_FALSE(harness.running());
    EXPECT_EQ(harness.exitCode(), 4);
}

TEST_F(TitleMenu, AShortScreenGetsTheMenuBarWithDevices) {
    harness.changeScreen(320, 240, 96);
    TapTitle();
    EXPECT_EQ(MenuBars(), std::vector<int64_t>{103});
    harness.key(pl::VK_ESCAPE);
}

}  // namespace
