// The scope control form (2400) over the running program, the mount played
// by a pseudo-terminal on port 1 (support/serial_peer.h) and the refresh
// timer driven by the virtual clock. Site 51 N 0 E, zone 0, 5 March 2024.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "scope/alignment.h"
#include "scope/encoder_box.h"
#include "scope/encoder_refresh_form.h"
#include "scope/encoder_simulation.h"
#include "scope/meade.h"
#include "scope/nexstar.h"
#include "scope/scope_control_form.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_form.h"
#include "scope/scope_position_panel.h"
#include "scope/serial_link.h"
#include "scope/takahashi.h"
#include "support/both_screens.h"
#include "support/meeus_horizon.h"
#include "support/program_fixture.h"
#include "support/serial_peer.h"
#include "support/test_site.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/night_colors.h"
#include "ui/shell_state.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
const std::string kHighDec = "+45\xDF" "30'15#";  // a Meade mount's declination, high precision

class ScopeControlForm : public ProgramTest {
protected:
    void SetUp() override {
        ResetForRun();
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ASSERT_TRUE(StartProgram());
        AnswerAll();
        Ui([] { SetTestSite(51.0, 0.0, 0); });
    }
    void TearDown() override {
        pl::StopTextLog();
        QuitProgram();
        ResetForRun();
    }
    static void ResetForRun() {
        ResetSerialLink();
        ResetScopeDispatch();
        ResetMeadeDriver();
        ResetNexStarDriver();
        ResetTakahashiDriver();
        ResetEncoderBox();
        ResetSimulatedEncoder();
        ResetAlignmentModel();
        ResetScopeControlForm();
        encoderRefreshPeriod = encoderRefreshIndex = 0;
    }
    void Use(int drive, int mountType = 0) {
        Ui([drive, mountType] {
            preferences.word[kPrefDriveId] = drive;
            preferences.word[kPrefScopePort] = 1;
            preferences.word[kPrefMountType] = mountType;
            preferences.word[kPrefRaFormat] = 1;
            preferences.word[kPrefDecFormat] = 0;
            preferences.word[kPrefEncoderStepsAz] = 8192;
            preferences.word[kPrefEncoderStepsAlt] = 8192;
        });
    }
    // A Meade mount at RA 05:30:00, Dec +45:30:15 that takes every command.
    void MeadeMount() {
        peer.ClearRules();
        peer.Respond("#:GD#", kHighDec);
        peer.Respond("#:GR#", "05:30:00#");
    }
    // The form opened as the menu's Scope Control opens it: connect first.
    void Open() {
        Ui([] { OpenScopeForm(1); });
        ASSERT_EQ(GetCurrentFormId(), kScopeControlForm) << BoxText();
    }
    std::string Sent(const std::string& last) {
        EXPECT_TRUE(peer.WaitReceived(last)) << last;
        return peer.TakeReceived();
    }
    // Everything the mount has been sent and not yet taken, once nothing more
    // has come for 100 ms.
    static std::string Drain(SerialPeer& line) {
        std::string before = line.Received();
        for (int i = 0; i < 50; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            std::string now = line.Received();
            if (now == before) break;
            before = now;
        }
        return line.TakeReceived();
    }
    std::string SentSoFar() { return Drain(peer); }
    static pl::Hwnd Item(int id) { return pl::GetDlgItem(GetCurrentFormDialog(), id); }
    void Press(int id) { Tap(Centre(Item(id))); }
    void Choose(int trigger, int list, int row) {
        Press(trigger);
        Tap(RowCentre(Item(list), row));
    }
    // The texts on the screen, in drawing order.
    static std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const pl::TextRun& r : pl::LoggedTexts(pl::ScreenSurfaceSerial())) texts.push_back(r.text);
        return texts;
    }
    // The text drawn after `label` and ":" on the panel's line: its value.
    static std::string ValueAfter(const std::string& label, int nth = 0) {
        std::vector<std::string> t = Texts();
        for (size_t i = 0; i + 2 < t.size(); ++i)
            if (t[i] == label && t[i + 1] == ":" && nth-- == 0) return t[i + 2];
        return "";
    }
    static std::string SecondValueAfter(const std::string& label, int nth = 0) {
        std::vector<std::string> t = Texts();
        for (size_t i = 0; i + 3 < t.size(); ++i)
            if (t[i] == label && t[i + 1] == ":" && nth-- == 0) return t[i + 3];
        return "";
    }
    // Pixels of the pad (172..236, 26..90), or of its columns x0..x1, that are
    // lit red (the pressed side's arrow).
    int RedOnPad(int x0 = 172, int x1 = 236) const {
        int n = 0;
        for (int y = 26; y < 90; ++y)
            for (int x = x0; x < x1; ++x) {
                uint32_t p = harness.pixel(x, y);
                n += ((p >> 16) & 0xFF) > 0xC0 && ((p >> 8) & 0xFF) < 0x40 && (p & 0xFF) < 0x40;
            }
        return n;
    }
    int Count(const std::string& text, const std::string& what) {
        int n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }

    SerialPeer peer{1};
};

// Drive 5: "#:RS#" at the first paint; each 600 ms tick reads the mount and
// the panel shows its place with the altitude and azimuth that the mean
// sidereal time gives (to 1', the panel drawn within a second of the clock).
TEST_F(ScopeControlForm, MeadeTicksReadTheMountAndShowItsPlace) {
    Use(5);
    MeadeMount();
    Open();
    EXPECT_EQ(Sent("#:RS#").substr(0, 5), "#:GD#");  // the connect's probe, then the rate
    Ui([] { pl::StartTextLog(); });
    harness.advance(kScopeTimerMs);
    EXPECT_EQ(Sent(":GD#"), "#:GR#:GD#");
    EXPECT_EQ(ValueAfter("Scope RA"), "05:30:00");
    EXPECT_EQ(ValueAfter("Scope Dec"), "45.5042");
    pl::LocalTime now;
    pl::GetLocalTime(&now);
    double az, alt;
    const double lst = MeeusSiderealTime(now.year, now.month, now.day, now.hour + now.minute / 60.0 + now.second / 3600.0);
    MeeusHorizon(lst, 5.5, 45.0 + 30.0 / 60.0 + 15.0 / 3600.0, 51.0, &az, &alt);
    EXPECT_NEAR(std::atof(ValueAfter("Scope Az").c_str()), az, 1.0 / 60.0);
    EXPECT_NEAR(std::atof(ValueAfter("Scope Alt").c_str()), alt, 1.0 / 60.0);
    harness.advance(5 * kScopeTimerMs);
    EXPECT_GE(Count(SentSoFar(), "#:GR#:GD#"), 2);
    EXPECT_EQ(BoxCount(), 0);
}

// Left held: the west side of the pad lit, "#:Mw#" once, reads while it is
// held, "#:Qw#" at the release and the pad at rest. A key already released
// when its message is handled starts and stops the slew at once.
TEST_F(ScopeControlForm, HeldAndReleasedKeysSlewWest) {
    Use(5);
    MeadeMount();
    Open();
    Sent("#:RS#");
    EXPECT_EQ(RedOnPad(), 0);
    harness.keyDown(pl::VK_LEFT);
    EXPECT_GT(RedOnPad(172, 204), 20);  // the west half of the pad
    EXPECT_EQ(RedOnPad(204, 236), 0);
    harness.advance(1000);
    harness.keyUp(pl::VK_LEFT);
    harness.advance(0);
    std::string held = Sent("#:Qw#");
    EXPECT_EQ(held.substr(0, 5), "#:Mw#");
    EXPECT_EQ(Count(held, "#:Mw#"), 1);
    EXPECT_GE(Count(held, "#:GR#:GD#"), 2);
    EXPECT_EQ(held.substr(held.size() - 5), "#:Qw#");
    Ui([] {});  // the key's message handled to its end
    EXPECT_EQ(RedOnPad(), 0);
    harness.key(pl::VK_LEFT, 0);
    EXPECT_EQ(Sent("#:Qw#"), "#:Mw##:Qw#");
    EXPECT_EQ(BoxCount(), 0);
}

// The keys and their directions: Up and Page Down north, Down and Page Up
// south, Right east.
TEST_F(ScopeControlForm, EachKeySlewsItsDirection) {
    Use(5);
    MeadeMount();
    Open();
    Sent("#:RS#");
    const struct {
        int key;
        const char* sent;
    } cases[] = {{pl::VK_UP, "#:Mn##:Qn#"},  {pl::VK_NEXT, "#:Mn##:Qn#"}, {pl::VK_DOWN, "#:Ms##:Qs#"},
                 {pl::VK_PRIOR, "#:Ms##:Qs#"}, {pl::VK_RIGHT, "#:Me##:Qe#"}};
    for (const auto& c : cases) {
        harness.key(c.key, 0);
        EXPECT_EQ(Sent(std::string(c.sent).substr(5)), c.sent) << c.key;
    }
}

// The rate popup ("Center" sends "#:RC#" and is kept for the next opening),
// Stop ("#:Q#"), and Ok: "#:Q#", the home form back, scopeActive 0.
TEST_F(ScopeControlForm, RateStopAndOk) {
    Use(5);
    MeadeMount();
    Open();
    Sent("#:RS#");
    EXPECT_EQ(scopeActive, 1);
    Choose(kSlewRateTrigger, kSlewRateList, 2);
    EXPECT_EQ(Count(SentSoFar(), "#:RC#"), 1);
    EXPECT_EQ(slewRate, 2);
    Press(kScopeStop);
    EXPECT_EQ(Count(SentSoFar(), "#:Q#"), 1);
    Press(kScopeOk);
    EXPECT_EQ(Count(SentSoFar(), "#:Q#"), 1);
    EXPECT_EQ(GetCurrentFormId(), kHomeFormId);
    EXPECT_EQ(scopeActive, 0);
    Open();
    EXPECT_EQ(Count(SentSoFar(), "#:RC#"), 1);  // the kept rate at the first paint
    EXPECT_EQ(BoxCount(), 0);
}

// A failed read is told once, in the serial line's words when the line went,
// in the family's when the mount fell silent; later ticks stay quiet; Ok
// leaves without a word; Stop starts the reads again.
TEST_F(ScopeControlForm, FailedReadIsToldOnceAndStopsTheReads) {
    const struct {
        bool hangUp;
        const char* told;
    } cases[] = {{true, "Serial connection lost"}, {false, "Failed to get Meade RA and Dec."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        SerialPeer line{2};
        Ui([] {
            ResetSerialLink();
            ResetScopeDispatch();
            preferences.word[kPrefScopePort] = 2;
        });
        line.Respond("#:GD#", kHighDec);
        line.Respond("#:GR#", "05:30:00#");
        Ui([] { OpenScopeForm(1); });
        ASSERT_EQ(GetCurrentFormId(), kScopeControlForm) << BoxText();
        harness.advance(kScopeTimerMs);
        ASSERT_EQ(BoxCount(), 0);
        c.hangUp ? line.HangUp() : line.ClearRules();
        harness.advance(kScopeTimerMs);
        EXPECT_EQ(BoxText().substr(0, std::string(c.told).size()), c.told);
        AnswerAll();
        Drain(line);
        harness.advance(10 * kScopeTimerMs);
        EXPECT_EQ(BoxCount(), 0);
        EXPECT_EQ(Drain(line), "");
        if (!c.hangUp) {
            line.Respond("#:GD#", kHighDec);
            line.Respond("#:GR#", "05:30:00#");
            Press(kScopeStop);
            harness.advance(kScopeTimerMs);
            EXPECT_NE(Drain(line).find("#:Q##:GR#"), std::string::npos);
        }
        Press(kScopeOk);
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        EXPECT_EQ(GetCurrentFormId(), kHomeFormId);
    }
}

// Ok, and leaving by the menu, abort the mount ('M' for the NexStar GPS)
// except for the SkyScan EQ6 (drive 20), which takes no abort.
TEST_F(ScopeControlForm, SkyScanLeavesWithoutAnAbort) {
    const struct {
        int drive;
        bool aborted;
    } cases[] = {{20, false}, {10, true}};
    peer.Respond("Kx", "x#");
    peer.Respond("M", "#");
    for (const auto& c : cases)
        for (bool byMenu : {false, true}) {
            SCOPED_TRACE(c.drive * 10 + byMenu);
            Ui([] {
                ResetSerialLink();
                ResetScopeDispatch();
            });
            Use(c.drive);
            Open();
            SentSoFar();
            if (byMenu) MainCommand(1012);
            else Press(kScopeOk);
            EXPECT_NE(GetCurrentFormId(), kScopeControlForm);
            EXPECT_EQ(SentSoFar().find('M') != std::string::npos, c.aborted);
            EXPECT_EQ(scopeActive, byMenu ? 1 : 0);  // only Ok ends the form's activity
        }
}

// Takahashi: Up held for 5 s of clock sends its motion command at the start
// and again at each refresh, one every 2000 ms or more, with a position read
// before each resend; "M@" at the release.
TEST_F(ScopeControlForm, TakahashiResendsItsMotionAtEachRefresh) {
    Use(14);
    peer.Respond("v\r\n", "v2.0 TEMMA2\r\n");
    peer.Respond("E\r\n", "E123456+45123W\r\n");
    Ui([] { OpenScopeForm(1); });
    Answer(pl::IDYES);  // the zenith question of the first connect
    ASSERT_EQ(GetCurrentFormId(), kScopeControlForm) << BoxText();
    SentSoFar();
    const uint32_t start = pl::GetTickCount();
    harness.keyDown(pl::VK_UP);
    for (int second = 0; second < 5; ++second) harness.advance(1000);
    const uint32_t held = pl::GetTickCount() - start;
    harness.keyUp(pl::VK_UP);
    harness.advance(0);
    std::string sent = Sent("M@\r\n");
    const int resends = Count(sent, "MI\r\n") - 1;
    EXPECT_GE(resends, 2);
    EXPECT_LE(static_cast<uint32_t>(resends - 1) * 2000, held);  // at least 2 s between resends
    for (size_t at = sent.find("MI\r\n", 1); at != std::string::npos; at = sent.find("MI\r\n", at + 1))
        EXPECT_NE(sent.rfind("E\r\n", at), std::string::npos);
    EXPECT_EQ(sent.substr(sent.size() - 4), "M@\r\n");
    EXPECT_EQ(BoxCount(), 0) << BoxText();
}

// An encoder box (BBox, 8192 steps): the refresh popup in place of the rate
// popup; the read-out shows the counts and the place; with an alignment and a
// pending target, the target's place through the alignment and the way still
// to go, its azimuth folded into -180..180. " 4s " reads the box every 4000 ms.
TEST_F(ScopeControlForm, EncoderReadOutAndItsRefreshRate) {
    Use(3, 2);
    peer.Respond("Z08192 08192\n", "R");
    peer.Respond("Q", "+08000\t+01024");  // 351.5625 and 45 degrees
    // A rotation of the sky frame by 20 degrees about the pole, the platform
    // mode on (the sky holds still), and a target at RA 22 h, Dec 30: the
    // mount should read azimuth 360 - (330 + 20) = 10 and altitude 30.
    Ui([] {
        const double c = std::cos(20.0 * kDegToRad), s = std::sin(20.0 * kDegToRad);
        const double m[3][3] = {{c, -s, 0}, {s, c, 0}, {0, 0, 1}};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) alignmentModel.transform[i][j] = m[i][j];
        alignmentModel.valid = 1;
        SetPlatformMode(1);
        preferences.word[kPrefAlignMethod] = 0;
        pendingScopeTarget = ScopeTarget{22.0, 30.0};
    });
    Open();
    EXPECT_TRUE(pl::IsWindowVisible(Item(kRefreshRateTrigger)));
    EXPECT_FALSE(pl::IsWindowVisible(Item(kSlewRateTrigger)) || pl::IsWindowVisible(Item(kSlewLabel)));
    Ui([] { pl::StartTextLog(); });
    harness.advance(kScopeTimerMs);
    EXPECT_EQ(ValueAfter("Encoder positions"), "8000");
    EXPECT_EQ(SecondValueAfter("Encoder positions"), "1024");
    EXPECT_EQ(ValueAfter("Hor & Elv"), "351.5625");
    EXPECT_EQ(SecondValueAfter("Hor & Elv"), "45.0000");
    std::vector<std::string> texts = Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Target Scope Position"), texts.end());
    EXPECT_NEAR(std::atof(ValueAfter("Hor & Elv", 1).c_str()), 10.0, 1e-4);
    EXPECT_NEAR(std::atof(SecondValueAfter("Hor & Elv", 1).c_str()), 30.0, 1e-4);
    EXPECT_NEAR(std::atof(ValueAfter("Delta Hor & Elv").c_str()), -18.4375, 1e-4);  // 351.5625 - 10 - 360
    EXPECT_NEAR(std::atof(SecondValueAfter("Delta Hor & Elv").c_str()), 15.0, 1e-4);
    Choose(kRefreshRateTrigger, kRefreshRateList, 6);
    EXPECT_EQ(encoderRefreshPeriod, 4000);
    SentSoFar();
    std::vector<int> reads;
    for (int second = 0; second < 8; ++second) {
        harness.advance(1000);
        reads.push_back(Count(SentSoFar(), "Q"));
    }
    EXPECT_EQ(reads, (std::vector<int>{0, 0, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    Ui([] { SetPlatformMode(0); });
}

// A tap on the pad shows the form's help.
TEST_F(ScopeControlForm, PadTapShowsTheHelp) {
    Use(5);
    MeadeMount();
    Open();
    harness.tap(204, 58);
    EXPECT_EQ(BoxText(),
              "\x95 Use hardware Keys to control your scope.\n\x95 On other devices use the navigation pad.\n"
              "\x95 To stop GoTo press left hardware Key.");
    AnswerAll();
}

// Day and night, for a mount with motors and for an encoder box: the pad or
// the read-out drawn; at night no pixel of the panel gives green or blue light.
TEST_F(ScopeControlForm, DayAndNightPictures) {
    const struct {
        int drive;
        const char* label;
        const char* name;
    } cases[] = {{5, "Scope RA", "scope_control_meade"}, {3, "Encoder positions", "scope_control_encoder"}};
    MeadeMount();
    peer.Respond("Z08192 08192\n", "R");
    peer.Respond("Q", "+08000\t+01024");
    for (const auto& c : cases)
        for (int night : {0, 3}) {
            SCOPED_TRACE(std::string(c.name) + (night ? " night" : " day"));
            Ui([night] {
                ResetSerialLink();
                ResetScopeDispatch();
                preferences.word[kPrefNightMode] = night;
                ApplyNightModeColors(night);
            });
            Use(c.drive, c.drive == 3 ? 2 : 0);
            Ui([] { pl::StartTextLog(); });
            Open();
            harness.advance(kScopeTimerMs);
            Shot((std::string(c.name) + (night ? "_night.png" : "_day.png")).c_str());
            EXPECT_NE(ValueAfter(c.label), "");
            int ink = 0, notRed = 0;
            for (int y = 24; y < 262; ++y)
                for (int x = 0; x < 240; ++x) {
                    uint32_t p = harness.pixel(x, y);
                    ink += p != harness.pixel(1, 250);
                    notRed += ((p >> 8) & 0xFF) >= 0x20 || (p & 0xFF) >= 0x20;
                }
            EXPECT_GT(ink, 1000);
            if (night) {
                EXPECT_EQ(notRed, 0);
            }
            Press(kScopeOk);
            pl::StopTextLog();
            EXPECT_EQ(BoxCount(), 0) << BoxText();
        }
    Ui([] {
        preferences.word[kPrefNightMode] = 0;
        ApplyNightModeColors(0);
    });
}

// With the connection "Upon need", on both screens: a Goto on the LX200 opens Scope Control,
// which polls the mount; the menu's Quit then sends the stop "#:Q#" before the port closes, and
// no box appears. The quit had closed the port before the form's release, which could not send
// the stop and said "Connection not open!" over a black screen.
class ScopeControlQuit : public OnBothScreens<ScopeControlForm> {
protected:
    void SetUp() override {
        harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
        ScopeControlForm::SetUp();
    }
};

TEST_P(ScopeControlQuit, QuitStopsThePolledMountBeforeThePortCloses) {
    SerialPeer line{2, false};  // the line hangs up while the program's port is closed
    Use(5);
    Ui([] { preferences.word[kPrefScopePort] = 2, preferences.word[kPrefConnection] = 0; });
    line.Respond("#:GD#", kHighDec);
    line.Respond("#:GR#", "05:30:00#");
    line.RespondToCommand(":Sr", '#', "1");
    line.RespondToCommand(":Sd", '#', "1");
    line.Respond("#:MS#", "0");
    Ui([] { ScopeGoto(5.5, 45.5, -1); });
    ASSERT_EQ(GetCurrentFormId(), kScopeControlForm) << BoxText();
    harness.advance(2 * kScopeTimerMs);
    EXPECT_NE(Drain(line).find("#:MS#"), std::string::npos);
    EXPECT_TRUE(line.IsPortOpen());
    MainCommand(1035);  // Tools, Quit
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_FALSE(harness.running());
    EXPECT_EQ(Drain(line), "#:Q#");
    EXPECT_FALSE(line.IsPortOpen());
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ScopeControlQuit, ::testing::ValuesIn(kBothScreens));

}  // namespace
