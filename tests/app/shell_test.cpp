// The program's start-up, commands, form switching and shut-down, driven
// through the headless harness on a 240 x 320 screen at 96 dpi; the menu
// command table against the command and form numbers of the program's menus.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/app_state.h"
#include "app/application_quit.h"
#include "app/form_table.h"
#include "app/home_form.h"
#include "app/main_window.h"
#include "app/menu_commands.h"
#include "app/power_thread.h"
#include "catalog/selection_list.h"
#include "chart/chart_symbols.h"
#include "chart/phase_icons.h"
#include "chart/save_under.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "core/shared_buffers.h"
#include "core/shared_state.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/instance_lock.h"
#include "platform/message_queue.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "support/test_harness.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

TEST(MenuCommands, EachMenuItemOpensItsForm) {
    const int cases[][2] = {
        {1001, 1400}, {1002, 1200}, {1003, 1900}, {1004, 1800}, {1005, 1300}, {1006, 2100}, {1007, 112},
        {1008, 6000}, {1011, 1950}, {1012, 2200}, {1014, 2350}, {1017, 2450}, {1019, 2470}, {1020, 1550},
        {1022, 2410}, {1023, 2600}, {1024, 2423}, {1025, 5200}, {1026, 5300}, {1028, 2550}, {1029, 2700},
        {1031, 1050}, {1032, 2800}, {40015, 2830},
        // Quit, the planet detail modes, the scope, memo and night-mode commands
        // and the private ones open no form by themselves.
        {1, 0}, {1009, 0}, {1010, 0}, {1013, 0}, {1027, 0}, {1033, 0}, {1034, 0}, {1035, 0}, {1036, 0},
        {9900, 0}, {9901, 0}, {40003, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(FormOfMenuCommand(c[0]), c[1]) << c[0];
}

int TopLevelCount(const char* className) {
    auto windows = pl::TopLevelWindows();
    return static_cast<int>(std::count_if(windows.begin(), windows.end(),
                                          [&](pl::Hwnd w) { return pl::GetClassName(w) == className; }));
}

class Shell : public ProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(StartProgram()); }
    void Goto(int form) {
        Ui([form] { GotoForm(form); });
    }
};

TEST_F(Shell, StartsWithTheHomeFormAndAFullHistory) {
    EXPECT_EQ(GetCurrentFormId(), 1950);
    pl::Hwnd home = GetCurrentFormDialog();
    ASSERT_TRUE(pl::IsWindowVisible(home));
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

// The second start ends with status 1 (it once ended with 0, as a start
// that worked), with no box on the headless screen.
TEST_F(Shell, ASecondInstanceEndsWithoutAWindowAndRaisesTheFirst) {
    pl::Hwnd first = mainWindow;
    int code = -1;
    Ui([&code] { code = WinMain(nullptr, nullptr, "", pl::SW_SHOW); });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_EQ(TopLevelCount("POCKETPC"), 1);
    EXPECT_EQ(pl::GetForegroundWindow(), first);
    EXPECT_TRUE(harness.running());
    EXPECT_FALSE(pl::AcquireInstanceLock());  // another process finds the folder locked
}

// A refused form leaves the home form open under its box, and after OK the
// screen is the home form's again, pixel for pixel. The scope form and
// command need a drive.
TEST_F(Shell, RefusedFormsShowTheirMessagesOverTheFormThatAsked) {
    Ui([] { preferences.word[kPrefDriveId] = 0; });
    pl::Hwnd home = GetCurrentFormDialog();
    const std::vector<uint32_t> homePixels = ScreenSample(1);
    const struct {
        int form;
        const char* text;
    } cases[] = {{2300, "MonitorForm not done\n"},
                 {2400, "No Scope Drive Selected\n"},
                 {9999, "Unkown form call\n"},
                 {1234, "Unkown form call\n"}};
    for (const auto& c : cases) {
        Goto(c.form);
        EXPECT_EQ(BoxText(), c.text) << c.form;
        EXPECT_TRUE(pl::IsWindowVisible(home)) << c.form;
        Answer(pl::IDOK);
        EXPECT_EQ(GetCurrentFormDialog(), home) << c.form;
        EXPECT_EQ(GetCurrentFormId(), 1950) << c.form;
        EXPECT_EQ(ScreenSample(1) == homePixels, true) << c.form;
    }
    MainCommand(1013);
    EXPECT_EQ(BoxText(), "Please chose a Telescope Drive in Preference 1/6.\n");
    Answer(pl::IDOK);
}

// A form whose dialog cannot be made is refused after the asking form closed:
// the bare main window shows, and a tap on it opens the home form.
TEST_F(Shell, BareMainWindowAfterAFailedDialogOpensTheHomeFormOnATap) {
    Ui([] {
        CloseCurrentForm();
        OpenFormById(1234);
    });
    EXPECT_EQ(BoxText(), "Unkown form call\n");
    Answer(pl::IDOK);
    EXPECT_EQ(GetCurrentFormDialog(), nullptr);
    harness.tap(120, 160);
    EXPECT_EQ(GetCurrentFormId(), 1950);
    EXPECT_TRUE(pl::IsWindow(GetCurrentFormDialog()));
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
    EXPECT_EQ(GetCurrentFormDialog(), made);
}

TEST_F(Shell, DisplayChangeReopensTheOpenForm) {
    pl::Hwnd before = GetCurrentFormDialog();
    harness.changeScreen(480, 640, 192);
    pl::Hwnd after = GetCurrentFormDialog();
    EXPECT_NE(after, before);
    pl::Rect r;
    pl::GetWindowRect(after, &r);
    EXPECT_EQ(r, (pl::Rect{0, 0, 480, 640}));
    EXPECT_EQ(BoxCount(), 0);
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
        SaveStatusBox(GetDrawWindow(), 0, 0);
        SaveMarkerBox(GetDrawWindow(), 0, 0);
    });
    ASSERT_NE(chartMarkerBox.bitmap, nullptr);
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
    for (const void* freed : {static_cast<const void*>(txtBuffer), static_cast<const void*>(dreyerLong),
                              static_cast<const void*>(objListNamePtr), static_cast<const void*>(selectionList),
                              static_cast<const void*>(chartStatusBox.bitmap),
                              static_cast<const void*>(chartMarkerBox.bitmap)})
        EXPECT_EQ(freed, nullptr);
    // The open form released its title before it was destroyed, so nothing was
    // reported, and the task bar came back last, on the main window.
    EXPECT_EQ(controlRegistry.Count(), 0);
    std::vector<int64_t> fullScreen = ShellCalls("FullScreen");
    ASSERT_FALSE(fullScreen.empty());
    EXPECT_EQ(fullScreen.back(), kFullScreenRestore);
    EXPECT_EQ(ShellCalls("FullScreen", main).back(), kFullScreenRestore);
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
        std::string name = "(none)";
        harness.runOnUi([&] {
            if (selectionCount == 1) name = selectionList[0].name;
            if (run == 0) PutOneListEntry();
        });
        EXPECT_EQ(name, run == 0 ? "(none)" : "M31") << "run " << run;
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

// The start-up state: the start date and time from the device clock, copied
// into the list criteria, the locale's field order and the default words.
class ShellStartState : public ProgramTest {};

TEST_F(ShellStartState, DateComesFromTheClockAndTheLocaleOrderIsKept) {
    harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 47, 33});
    harness.setShortDatePattern("yyyy-MM-dd");
    ResetDateFieldOrder();
    ResetChartSymbols();
    ResetMoonIconState();
    ASSERT_TRUE(StartProgram());
    EXPECT_EQ(chartBitmapSet, 1);  // the light set, and the Moon icon of the start hour
    EXPECT_NE(moonIconId, 0);
    const DateTime& t = currentDateTime;
    EXPECT_EQ((std::array<int, 6>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
              (std::array<int, 6>{2024, 3, 5, 21, 47, 33}));
    EXPECT_EQ(preferences.word[kPrefStartSecond], 33);
    EXPECT_EQ(selectionCriteria.year, 2024);
    EXPECT_EQ(selectionCriteria.minute, 47);
    EXPECT_EQ(dateYearFirst, 1);
    EXPECT_EQ(preferences.word[kPrefDriveId], 5);
    EXPECT_STREQ(currentSite.name, "None");
    ResetDateFieldOrder();
}

// Choice: with no saved choice the "Card Catalog" preference names the largest
// Hipparcos file present, so the stars beyond the default ones are shown as soon
// as the catalogue files are installed.
TEST_F(ShellStartState, CardCatalogStartsAtTheLargestHipparcosFilePresent) {
    for (const char* name : {"zendavori_hip_16k.ppc", "zendavori_hip_32k.ppc"})
        std::ofstream(folder.path() / "data" / name, std::ios::binary) << std::string(16, '\0');
    ASSERT_TRUE(StartProgram());
    EXPECT_EQ(preferences.word[kPrefCardCatalog], 2);  // "Hipparchos 32K"
}
