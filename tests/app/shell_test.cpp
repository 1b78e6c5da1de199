// The program's start-up, commands, form switching and shut-down, driven
// through the headless harness on a 240 x 320 screen at 96 dpi.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/power_thread.h"
#include "core/preferences.h"
#include "core/shared_buffers.h"
#include "core/shared_state.h"
#include "objects/selection_list.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/instance_lock.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "support/test_harness.h"
#include "ui/control_registry.h"
#include "ui/date_text.h"
#include "ui/forms.h"
#include "ui/home_form.h"
#include "ui/shell_state.h"

namespace {

int TopLevelCount(const char* className) {
    auto windows = pl::TopLevelWindows();
    return static_cast<int>(std::count_if(windows.begin(), windows.end(),
                                          [&](pl::Hwnd w) { return pl::GetClassName(w) == className; }));
}

// The last full-screen state the shell was asked for on a window.
int64_t LastFullScreen(pl::Hwnd window) {
    int64_t value = -1;
    for (const pl::ShellCall& c : pl::ShellCallLog())
        if (c.call == "FullScreen" && c.hwnd == window) value = c.value;
    return value;
}

class Shell : public ProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(StartProgram()); }

    // Sends a main-window command on the UI thread.
    void Command(int command) {
        Ui([command] { pl::SendMessage(mainWindow, pl::WM_COMMAND, static_cast<pl::WParam>(command), 0); });
    }
    void Goto(int form) {
        Ui([form] { GotoForm(form); });
    }
};

TEST_F(Shell, StartsWithTheHomeFormAndAFullHistory) {
    EXPECT_EQ(GetCurrentFormId(), 1950);
    pl::Hwnd home = GetCurrentFormDialog();
    ASSERT_TRUE(pl::IsWindow(home));
    EXPECT_TRUE(pl::IsWindowVisible(home));
    EXPECT_EQ(pl::GetWindowOwner(home), mainWindow);
    for (int entry : formHistory) EXPECT_EQ(entry, 1950);
    EXPECT_EQ(preferences.word[kPrefLastForm], 1950);
    EXPECT_TRUE(IsPowerThreadRunning());
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_NE(txtBuffer, nullptr);
    // The home form covers the screen: its client area plus the task-bar strip.
    pl::Rect r;
    pl::GetWindowRect(home, &r);
    EXPECT_EQ(r, (pl::Rect{0, 0, 240, 320}));
}

TEST_F(Shell, ASecondInstanceEndsWithoutAWindowAndRaisesTheFirst) {
    pl::Hwnd first = mainWindow;
    int code = -1;
    Ui([&code] { code = WinMain(nullptr, nullptr, "", pl::SW_SHOW); });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(TopLevelCount("POCKETPC"), 1);
    EXPECT_EQ(pl::GetForegroundWindow(), first);
    EXPECT_TRUE(harness.running());
    // Another process finds the program folder locked.
    EXPECT_FALSE(pl::AcquireInstanceLock());
}

TEST_F(Shell, RefusedFormsShowTheirMessages) {
    const struct {
        int form;
        const char* text;
    } cases[] = {{2300, "MonitorForm not done\n"}, {1234, "Unkown form call\n"}, {112, "Unkown form call\n"}};
    for (const auto& c : cases) {
        Goto(c.form);
        EXPECT_EQ(BoxText(), c.text) << c.form;
        Answer(pl::IDOK);
        EXPECT_EQ(GetCurrentFormDialog(), nullptr) << c.form;
    }
}

TEST_F(Shell, TapOnTheBareMainWindowOpensTheHomeForm) {
    Goto(1234);
    Answer(pl::IDOK);
    ASSERT_EQ(GetCurrentFormDialog(), nullptr);
    harness.tap(120, 160);
    EXPECT_EQ(GetCurrentFormId(), 1950);
    EXPECT_TRUE(pl::IsWindow(GetCurrentFormDialog()));
    EXPECT_EQ(BoxCount(), 0);
}

TEST_F(Shell, ScopeFormAndCommandNeedADrive) {
    Ui([] { preferences.word[kPrefDriveId] = 0; });
    Goto(2400);
    EXPECT_EQ(BoxText(), "No Scope Drive Selected\n");
    Answer(pl::IDOK);
    Command(1013);
    EXPECT_EQ(BoxText(), "Please chose a Telescope Drive in Preference 1/6.\n");
    Answer(pl::IDOK);
}

TEST_F(Shell, WizardCommandReopensTheHomeForm) {
    pl::Hwnd before = GetCurrentFormDialog();
    Command(1011);
    EXPECT_FALSE(pl::IsWindow(before));
    EXPECT_TRUE(pl::IsWindow(GetCurrentFormDialog()));
    EXPECT_EQ(GetCurrentFormId(), 1950);
    EXPECT_EQ(BoxCount(), 0);
}

TEST_F(Shell, ResumeChangesNothing) {
    pl::Hwnd before = GetCurrentFormDialog();
    harness.powerResume();
    harness.waitIdle();
    EXPECT_EQ(GetCurrentFormDialog(), before);
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_TRUE(IsPowerThreadRunning());
}

TEST_F(Shell, ForgottenControlIdsAreListedWhenTheFormIsDestroyed) {
    Ui([] {
        ClearControlRegistry();  // the home form's title, which its release looks for in vain
        RegisterControlId(5);
        RegisterControlId(7);
    });
    Goto(1950);
    EXPECT_EQ(BoxText(), "5 7 \n");
    Answer(pl::IDOK);
    EXPECT_EQ(controlRegistry.Count(), 23);  // the new home form's title and 22 buttons
}

TEST_F(Shell, SecondInitTitleClosesTheOpenFormFirst) {
    pl::Hwnd old = GetCurrentFormDialog();
    pl::Hwnd made = nullptr;
    Ui([&made] { made = pl::CreateDialog(1950, mainWindow, HomeFormProc); });
    EXPECT_EQ(BoxText(), "InitTitle Close Dialog\n");
    Answer(pl::IDOK);
    // The old form never released its controls, so destroying it lists their ids.
    EXPECT_EQ(BoxText(),
              "8001 5089 5146 5023 5024 5025 5027 5018 5028 5081 5051 5052 5050 5080 5053 5054 5115 5049 5063 5111 "
              "5060 5058 5059 \n");
    Answer(pl::IDOK);
    EXPECT_FALSE(pl::IsWindow(old));
    EXPECT_TRUE(pl::IsWindow(made));
    EXPECT_EQ(GetCurrentFormDialog(), made);
}

TEST_F(Shell, DisplayChangeReopensTheOpenForm) {
    pl::Hwnd before = GetCurrentFormDialog();
    harness.changeScreen(480, 640, 192);
    pl::Hwnd after = GetCurrentFormDialog();
    EXPECT_NE(after, before);
    ASSERT_TRUE(pl::IsWindow(after));
    pl::Rect r;
    pl::GetWindowRect(after, &r);
    EXPECT_EQ(r, (pl::Rect{0, 0, 480, 640}));
    EXPECT_EQ(BoxCount(), 0);
}

TEST_F(Shell, CtrlAOnTheHomeFormDoesNothing) {
    pl::Hwnd before = GetCurrentFormDialog();
    harness.keyDown(pl::VK_CONTROL);
    harness.key('A');
    harness.keyUp(pl::VK_CONTROL);
    EXPECT_TRUE(harness.running());
    EXPECT_EQ(GetCurrentFormDialog(), before);
}

// One entry in the observing list, so that quitting writes "last_list".
void PutOneListEntry() {
    std::memset(&selectionList[0], 0, sizeof selectionList[0]);
    std::strcpy(selectionList[0].name, "M31");
    selectionList[0].number = 31;
    selectionCount = 1;
    selectionShownCount = 1;
}

TEST_F(Shell, CtrlQOnTheHomeFormShutsDownInOrder) {
    Ui([] {
        PutOneListEntry();
        currentDateTime = DateTime{2024, 3, 5, 21, 47, 0};
    });
    pl::Hwnd main = mainWindow;
    harness.keyDown(pl::VK_CONTROL);
    harness.key('Q');
    harness.keyUp(pl::VK_CONTROL);
    ASSERT_FALSE(harness.running());
    EXPECT_EQ(harness.exitCode(), 0);
    EXPECT_EQ(exitEvent, nullptr);
    EXPECT_EQ(powerThread, nullptr);
    const int32_t expected[5] = {2024, 3, 5, 21, 47};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(preferences.word[kPrefStartYear + i], expected[i]);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "userlists" / "last_list.lst"));
    EXPECT_EQ(txtBuffer, nullptr);
    EXPECT_EQ(dreyerLong, nullptr);
    EXPECT_EQ(objListNamePtr, nullptr);
    EXPECT_EQ(selectionList, nullptr);
    // The open form released its title before it was destroyed, so nothing was
    // reported, and the task bar came back last.
    EXPECT_EQ(controlRegistry.Count(), 0);
    EXPECT_EQ(LastFullScreen(main), kFullScreenRestore);
    std::vector<pl::ShellCall> log = pl::ShellCallLog();
    auto last = std::find_if(log.rbegin(), log.rend(), [](const pl::ShellCall& c) { return c.call == "FullScreen"; });
    ASSERT_NE(last, log.rend());
    EXPECT_EQ(last->value, kFullScreenRestore);
}

// Quitting saves the observing list as "last_list"; the next start loads it.
TEST(ShellRestart, TheObservingListSurvivesARestart) {
    TempProgramFolder folder("restart");
    InstallSymbolFont(folder.path());
    ResetSharedState();
    for (int run = 0; run < 2; ++run) {
        pl::Harness harness(TestHarnessOptions());
        harness.start([] { return WinMain(nullptr, nullptr, "", pl::SW_SHOW); });
        ASSERT_TRUE(harness.running());
        int count = -1;
        std::string name;
        harness.runOnUi([&] {
            count = selectionCount;
            if (count > 0) name = selectionList[0].name;
            if (run == 0) PutOneListEntry();
        });
        EXPECT_EQ(count, run == 0 ? 0 : 1) << "run " << run;
        if (run == 1) {
            EXPECT_EQ(name, "M31");
        }
        harness.runOnUi([] { QuitApplication(); });
        EXPECT_FALSE(harness.running());
    }
    ResetSharedState();
}

}  // namespace

// Start-up with too little memory: the failing buffer's message, then a clean end.
class ShellOutOfMemory : public ProgramTest {};

TEST_F(ShellOutOfMemory, AFailedBufferEndsTheStartUpCleanly) {
    FailSharedAllocationsAfter(3);  // text buffer and the two chart lists
    harness.start([] { return WinMain(nullptr, nullptr, "", pl::SW_SHOW); });
    EXPECT_EQ(BoxText(), "Can't allocate memory during initialization for buttonList\n");
    Answer(pl::IDOK);
    FailSharedAllocationsAfter(-1);
    EXPECT_FALSE(harness.running());
    EXPECT_EQ(harness.exitCode(), 0);
    EXPECT_EQ(txtBuffer, nullptr);
    EXPECT_EQ(selectionList, nullptr);
    EXPECT_EQ(powerThread, nullptr);
    EXPECT_EQ(TopLevelCount("POCKETPC"), 0);
}

// The start-up state: the start date and time from the device clock (to the
// minute), copied into the list criteria, and the locale's field order.
class ShellStartState : public ProgramTest {};

TEST_F(ShellStartState, DateComesFromTheClockAndTheLocaleOrderIsKept) {
    pl::LocalTime now;
    now.year = 2024;
    now.month = 3;
    now.day = 5;
    now.hour = 21;
    now.minute = 47;
    now.second = 33;
    harness.setLocalTime(now);
    harness.setShortDatePattern("yyyy-MM-dd");
    ResetDateFieldOrder();
    ASSERT_TRUE(StartProgram());
    EXPECT_EQ(currentDateTime.year, 2024);
    EXPECT_EQ(currentDateTime.month, 3);
    EXPECT_EQ(currentDateTime.day, 5);
    EXPECT_EQ(currentDateTime.hour, 21);
    EXPECT_EQ(currentDateTime.minute, 47);
    // Start-up keeps the seconds apart; the home form's first drawing then
    // takes the whole time from the clock, the date not being fixed.
    EXPECT_EQ(currentDateTime.second, 33);
    EXPECT_EQ(preferences.word[kPrefStartSecond], 33);
    EXPECT_EQ(selectionCriteria.year, 2024);
    EXPECT_EQ(selectionCriteria.minute, 47);
    EXPECT_EQ(dateYearFirst, 1);
    EXPECT_EQ(preferences.word[kPrefDriveId], 5);
    EXPECT_STREQ(currentSite.name, "None");
    ResetDateFieldOrder();
}
