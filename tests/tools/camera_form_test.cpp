// The camera control form (5300) over the running program, its shutter port
// played by a pseudo-terminal that shows a hang-up exactly while the program
// has the port closed; the timer driven by the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/device_services.h"
#include "platform/dialog.h"
#include "platform/serial_port.h"
#include "platform/window.h"
#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"
#include "support/program_fixture.h"
#include "support/serial_peer.h"
#include "tools/camera_form.h"
#include "tools/camera_shots.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

constexpr int kCameraPort = 2;
constexpr int kSettleMs = 3500;  // the serial layer's wait after an open

// One look after a step: the clock's second, the port, the status strip.
struct Look {
    uint32_t second;
    bool open;
    std::string status;
    int idleResets;
};

class CameraForm : public ProgramTest {
protected:
    void SetUp() override {
        ResetCatalogState();
        ResetSerialLink();
        ResetCameraShots();
        pl::ResetDeviceServices();
        pl::ResetSerialSettingsLog();
        ASSERT_TRUE(StartProgram());
        Ui([] { preferences.word[kPrefCameraPort] = kCameraPort; });
        MainCommand(1026);
        form = GetCurrentFormDialog();
        ASSERT_EQ(GetCurrentFormId(), kCameraForm);
    }
    void TearDown() override { Ui([] { ResetSerialLink(); }); }
    // Types the set-up and taps Start at a clock half a second into its
    // second, so that the first exposure starts on a whole second.
    void Start(int shots, int seconds, int delay) {
        for (auto [id, value] : {std::pair{kShotsField, shots}, {kExposureField, seconds}, {kDelayField, delay}})
            Ui([this, id, value] { pl::SetDlgItemText(form, id, std::to_string(value)); });
        harness.advance((1500 - pl::GetTickCount() % 1000) % 1000);
        Press(kCameraStart);
    }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(form, id))); }
    bool Shown(int id) const { return pl::IsWindowVisible(pl::GetDlgItem(form, id)); }
    Look Now() {
        return {pl::GetTickCount() / 1000, line.IsPortOpen(), ShotsStatusShown(), pl::IdleTimerResetCount()};
    }
    // Looks after each half-second step until the series is over.
    std::vector<Look> Run(int steps) {
        std::vector<Look> looks{Now()};
        for (int i = 0; i < steps && (shotsTimerState.running || shotsTimerState.exposing); ++i) {
            harness.advance(kShotsTimerPeriodMs);
            looks.push_back(Now());
        }
        return looks;
    }
    // Pixels of the status strip (100..175, 7..21) unlike the title strip's background.
    int StripInk() const {
        int ink = 0;
        for (int y = 7; y < 21; ++y)
            for (int x = 104; x < 175; ++x) ink += harness.pixel(x, y) != harness.pixel(180, 10);
        return ink;
    }
    static int Sounds(const char* name) {
        std::vector<pl::SoundRecord> log = pl::SoundLog();
        return static_cast<int>(std::count_if(log.begin(), log.end(), [name](const pl::SoundRecord& r) {
            return r.name == name && r.found && r.async;
        }));
    }
    // The seconds each exposure kept the port open.
    static std::vector<uint32_t> OpenSeconds(const std::vector<Look>& looks) {
        std::vector<uint32_t> spans;
        for (size_t i = 0, opened = 0; i < looks.size(); ++i) {
            if (looks[i].open && (i == 0 || !looks[i - 1].open)) opened = i;
            if (!looks[i].open && i > 0 && looks[i - 1].open) {
                spans.push_back(looks[i].second - looks[opened].second);
                EXPECT_GT(looks[i].idleResets, looks[opened].idleResets) << "awake while open";
            }
        }
        return spans;
    }

    SerialPeer line{kCameraPort, false};
    pl::Hwnd form = nullptr;
};

// Three shots of 2 s with 5 s between them: each opens the port for two
// seconds of the clock with its control lines raised, "Wait" counts the 5 s
// down between them, then "All done"; a sound at each open and each close.
TEST_F(CameraForm, ThreeShotsWithTheirDelays) {
    Start(3, 2, 5);
    Shot("camera_form.png");
    EXPECT_EQ(ShotsStatusShown(), std::string("Shot 1/3"));
    EXPECT_FALSE(Shown(kCameraStart) || Shown(kCameraOk) || Shown(kCameraSave) || Shown(kCameraClear));
    EXPECT_TRUE(Shown(kCameraStop));
    EXPECT_GT(StripInk(), 20);
    std::vector<Look> looks = Run(80);
    EXPECT_EQ(OpenSeconds(looks), (std::vector<uint32_t>{2, 2, 2}));
    std::vector<std::string> shown;
    for (const Look& l : looks)
        if (shown.empty() || shown.back() != l.status) shown.push_back(l.status);
    const std::vector<std::string> wait = {"Wait 5s", "Wait 4s", "Wait 3s", "Wait 2s", "Wait 1s"};
    std::vector<std::string> expected = {"Shot 1/3"};
    for (const char* next : {"Shot 2/3", "Shot 3/3"}) {
        expected.insert(expected.end(), wait.begin(), wait.end());
        expected.push_back(next);
    }
    expected.push_back("All done");
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(Sounds("startTimer"), 3);
    EXPECT_EQ(Sounds("stopTimer"), 3);
    int raised = 0;  // control lines raised after the open set them low
    std::vector<pl::SerialSettingsRecord> settings = pl::SerialSettingsLog();
    for (size_t i = 1; i < settings.size(); ++i)
        raised += settings[i].portName == "COM2:" && !settings[i - 1].settings.dtr && settings[i].settings.dtr &&
                  settings[i].settings.rts && settings[i].settings.baud == 9600;
    EXPECT_EQ(raised, 3);
    EXPECT_TRUE(Shown(kCameraStart) && Shown(kCameraOk) && !Shown(kCameraStop));
    harness.advance(3000);  // "All done" is erased two seconds after the last exposure
    EXPECT_EQ(ShotsStatusShown(), std::string());
    EXPECT_EQ(StripInk(), 0);
}

// No shots: nothing happens but the timer. An exposure of 0 s ends at the
// tick that Start runs at once.
TEST_F(CameraForm, NoShotsAndZeroExposure) {
    const struct {
        int shots, seconds;
        int opens;
        const char* status;
    } cases[] = {{0, 3, 0, ""}, {1, 0, 1, "All done"}};
    for (const auto& c : cases) {
        pl::ResetDeviceServices();
        Start(c.shots, c.seconds, 1);
        EXPECT_FALSE(line.IsPortOpen()) << c.shots;
        EXPECT_EQ(ShotsStatusShown(), std::string(c.status)) << c.shots;
        harness.advance(2000);
        EXPECT_EQ(Sounds("startTimer"), c.opens) << c.shots;
        EXPECT_EQ(Sounds("stopTimer"), c.opens) << c.shots;
        EXPECT_TRUE(Shown(kCameraStart)) << c.shots;
    }
}

// Stop during the delay leaves the port closed and brings the buttons back.
TEST_F(CameraForm, StopDuringTheDelay) {
    Start(3, 1, 5);
    harness.advance(2000);
    ASSERT_EQ(std::string(ShotsStatusShown()).rfind("Wait", 0), 0u);
    Press(kCameraStop);
    for (int id : {kCameraStart, kCameraOk, kCameraSave, kCameraDelete, kCameraClear}) EXPECT_TRUE(Shown(id)) << id;
    EXPECT_FALSE(Shown(kCameraStop));
    harness.advance(8000);
    EXPECT_FALSE(line.IsPortOpen());
    EXPECT_EQ(Sounds("startTimer"), 1);
}

// A tick held past the second it waits for (the device busy) still ends the
// exposure, and still starts the next one.
TEST_F(CameraForm, TickHeldPastItsSecondStillActs) {
    Start(2, 2, 2);
    harness.advance(kShotsTimerPeriodMs);
    for (bool open : {true, false}) {
        ASSERT_EQ(line.IsPortOpen(), open);
        int32_t target = open ? shotsTimerState.exposureEnd : shotsTimerState.nextStart;
        uint32_t hold = static_cast<uint32_t>(target + 1) * 1000 + 500 - pl::GetTickCount();
        Ui([hold] { pl::Sleep(hold); });
        harness.advance(kShotsTimerPeriodMs);
        EXPECT_NE(line.IsPortOpen(), open) << open;
    }
}

// Leaving the form by the menu in the middle of an exposure closes the port
// with its sound, and the timer stops with the form.
TEST_F(CameraForm, MenuAwayMidExposureClosesThePort) {
    Start(2, 10, 1);
    ASSERT_TRUE(line.IsPortOpen());
    MainCommand(1012);
    EXPECT_EQ(GetCurrentFormId(), 2200);
    EXPECT_FALSE(line.IsPortOpen());
    EXPECT_EQ(Sounds("stopTimer"), 1);
    int resets = pl::IdleTimerResetCount();
    harness.advance(20000);
    EXPECT_EQ(pl::IdleTimerResetCount(), resets);
    EXPECT_FALSE(line.IsPortOpen());
}

// A Meade drive holding port 1 open: the series on port 2 closes it first;
// afterwards the drive's keep-open switch is back and its next connect
// opens port 1 again.
TEST_F(CameraForm, SeriesClosesTheDrivesKeptPortAndTheDriveReopensIt) {
    SerialPeer mount(1, false);
    mount.Respond("#:GD#", "+45\xDF" "30'15#");
    auto connect = [] { EXPECT_EQ(ScopeConnect(), 1); };
    Ui([] {
        preferences.word[kPrefDriveId] = 5;
        preferences.word[kPrefScopePort] = 1;
    });
    Ui(connect);
    ASSERT_TRUE(mount.IsPortOpen());
    Start(1, 1, 1);
    EXPECT_FALSE(mount.IsPortOpen());
    EXPECT_TRUE(line.IsPortOpen());
    Run(10);
    EXPECT_FALSE(line.IsPortOpen());
    EXPECT_EQ(serialPortState.keepOpen, 1);
    pl::ResetSerialSettingsLog();
    Ui(connect);
    EXPECT_TRUE(mount.IsPortOpen());
    ASSERT_FALSE(pl::SerialSettingsLog().empty());
    EXPECT_EQ(pl::SerialSettingsLog().front().portName, "COM1:");
}

// Save keeps the fields as a row ("Shot 0" for no file name, the name cut to
// 19 characters); a tapped row fills the fields again; Del removes it.
TEST_F(CameraForm, StoredSettingsRows) {
    const std::string longName(25, 'n');
    for (const std::string& name : {std::string(), longName}) {
        Ui([this, name] {
            pl::SetDlgItemText(form, kShotsField, "4");
            pl::SetDlgItemText(form, kShotFileField, name);
        });
        Press(kCameraSave);
    }
    pl::Hwnd list = pl::GetDlgItem(form, kShotSettingsList);
    ASSERT_EQ(pl::ListViewGetItemCount(list), 2);
    EXPECT_EQ(pl::ListViewGetItemText(list, 0, 0), "Shot 0");
    EXPECT_EQ(pl::ListViewGetItemText(list, 1, 0), longName.substr(0, 19));
    Press(kCameraClear);
    EXPECT_EQ(pl::GetDlgItemText(form, kShotsField), "");
    Tap(RowCentre(list, 1));
    EXPECT_EQ(pl::GetDlgItemText(form, kShotsField), "4");
    EXPECT_EQ(pl::GetDlgItemText(form, kShotFileField), longName.substr(0, 19));
    Press(kCameraDelete);
    ASSERT_EQ(pl::ListViewGetItemCount(list), 1);
    EXPECT_EQ(pl::ListViewGetItemText(list, 0, 0), "Shot 0");
}

}  // namespace
