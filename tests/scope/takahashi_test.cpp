// The Takahashi controller against a pseudo-terminal: the first connect's
// introduction with the zenith question, goto and sync replies, position
// replies, motion commands, and controllers that are silent or never settle.
#include "scope/takahashi.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "platform/harness.h"
#include "platform/messages.h"
#include "platform/serial_port.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_slew.h"
#include "scope/serial_link.h"
#include "support/drive_peer_fixture.h"
#include "support/message_loop.h"
#include "support/recording_window.h"
#include "support/scripted_serial.h"
#include "support/test_harness.h"
#include "support/test_site.h"
#include "ui/shell_state.h"

namespace {

using Texts = std::vector<std::string>;

const char kZenithQuestion[] =
    "Please, point your telescope to zenith and press Yes if it is placed at the East side, else press No.";
const std::string kTime = "T\\d{6}\r\n";

// Site 33.5 S; the controller answers the probe and, after the zenith
// command, is still moving ('F') at the first read and on the West side at
// the next; the user answers Yes (East).
class TakahashiTest : public DrivePeerTest {
protected:
    TakahashiTest() {
        preferences.word[kPrefDriveId] = 14;
        SetTestSite(-33.5, 0.0, 0);
        peer.Respond("v\r\n", "v2.0 TEMMA2\r\n");
        peer.Respond("Z\r\nE\r\n", "E123456+45123F\r\n");
        peer.Respond("E\r\nE\r\n", "E123456+45123W\r\n");
    }
    // Everything sent so far: "M@\r\n" marks the end.
    std::string AllSent() {
        StopSlewTakahashi();
        std::string all = Sent("M@\r\n");
        return all.substr(0, all.size() - 4);
    }
    void Reopen() {
        SetSerialPersistent(0);
        ScopeDisconnect();
        ASSERT_EQ(ScopeConnect(), 1);
    }
};

bool Matches(const std::string& text, const std::string& pattern) { return std::regex_match(text, std::regex(pattern)); }

// A command as a pattern that matches it literally.
std::string Literal(const std::string& text) { return std::regex_replace(text, std::regex(R"([+.])"), R"(\$&)"); }

// The controller's introduction: probe, sidereal time, latitude -33 30' .0, zenith
// routine with one 'F' read and a pier side to turn. Later connects of the
// run ask nothing; after a drive switch the latitude and zenith routine go
// out again, without the question.
TEST_F(TakahashiTest, FirstConnectIntroducesTheControllerOncePerRun) {
    pl::ResetSerialSettingsLog();
    ASSERT_EQ(ScopeConnect(), 1);
    const std::string introduction = kTime + "I-33300\r\n" + kTime + "Z\r\nE\r\nE\r\nPT\r,\n" + kTime + "Z\r\n";
    EXPECT_TRUE(Matches(AllSent(), "v\r\n" + introduction));
    EXPECT_EQ(services.questions, Texts{kZenithQuestion});
    pl::SerialSettings line = pl::SerialSettingsLog().back().settings;
    EXPECT_TRUE(line.baud == 19200 && line.parity == pl::kParityEven && line.parityCheck && line.handshake);
    Reopen();
    EXPECT_EQ(AllSent(), "v\r\n");
    ForgetTakahashiLatitude();
    Reopen();
    EXPECT_TRUE(Matches(AllSent(), "v\r\n" + introduction));
    EXPECT_EQ(services.questions.size(), 1u);
    EXPECT_TRUE(services.messages.empty());
}

// The controller's answer to "P" (goto) and "D" (sync): "R0" takes the place;
// "R1" (right ascension), "R2" (declination), "R3" (too many digits) refuse
// it, one "Goto failed" / "Sync failed" box with the reason, and a refused
// goto is stopped ("PS") after "R1" only; other codes are not understood; a
// short reply is no response. Only "R0" opens the scope form. The dispatcher
// hands in the clock's sidereal time: 6 h 40 m 36 s at Greenwich on
// 2024-01-01 0h UT (Meeus 12.4) plus the run's first minute.
TEST_F(TakahashiTest, GotoAndSyncReplies) {
    ASSERT_EQ(ScopeConnect(), 1);
    AllSent();
    const std::string kGarbled = "The mount's reply was not understood";
    const struct {
        bool sync;
        double dec;
        std::string command, reply;
        int ok;
        std::string after;
        Texts texts;
        std::string detail;  // second line of the last box
    } cases[] = {
        {false, 0.0, "P060000 00000\r\n", "R0\r\n", 1, "", {}, ""},
        {false, 0.0, "P060000 00000\r\n", "R1\r\n", 0, "PS\r\n", {"Goto failed"}, "Takahashi\nWrong ra in Goto."},
        {false, 0.0, "P060000 00000\r\n", "R2\r\n", 0, "", {"Goto failed"}, "Takahashi\nWrong dec in Goto."},
        {false, -10.25, "P060000-10150\r\n", "R3\r\n", 0, "", {"Goto failed"}, "Takahashi\nToo many digits in Goto."},
        {false, 45.5, "P060000+45300\r\n", "R4\r\n", 0, "", {"Goto failed"}, kGarbled},
        {false, 45.5, "P060000+45300\r\n", "R9\r\n", 0, "", {"Goto failed"}, kGarbled},
        {false, 45.5, "P060000+45300\r\n", "OK\r\n", 0, "", {"Goto failed"}, kGarbled},
        {false, 0.0, "P060000 00000\r\n", "R1\r", 0, "", {"No response from Takahashi", "Goto failed"}, ""},
        {true, 45.5, "D060000+45300\r\n", "R0\r\n", 1, "", {}, ""},
        {true, 45.5, "D060000+45300\r\n", "R1\r\n", 0, "", {}, "Takahashi\nWrong ra in Sync."},
        {true, 45.5, "D060000+45300\r\n", "R2\r\n", 0, "", {}, "Takahashi\nWrong dec in Sync."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command + c.reply);
        ResetShellState();
        services.messages.clear();
        peer.ClearRules();
        peer.Respond(c.command, c.reply);
        SetTakahashiLst(0.0);
        EXPECT_EQ(c.sync ? kTakahashiRoutes.sync(6.0, c.dec) : ScopeGoto(6.0, c.dec, -1), c.ok);
        EXPECT_TRUE(Matches(AllSent(), "T064[01]\\d\\d\r\n" + Literal(c.command) + c.after));
        EXPECT_EQ(services.Texts(), c.texts);
        if (!c.texts.empty()) {
            EXPECT_EQ(services.messages.back().detail, c.detail);
        }
        EXPECT_EQ(GetTakahashiFailure(), c.detail);
        EXPECT_EQ(GetCurrentFormId() == 2400, !c.sync && c.ok == 1);
    }
}

// A sync refused through the dispatcher: one "Sync failed" box with the
// controller's reason, and no "PS" (only a refused goto is stopped).
TEST_F(TakahashiTest, RefusedSyncIsOneBoxWithoutStop) {
    ASSERT_EQ(ScopeConnect(), 1);
    AllSent();
    services.messages.clear();
    peer.RespondToCommand("D", '\n', "R1\r\n");
    EXPECT_EQ(ScopeSync(6.0, 10.0), 0);
    std::string sent = AllSent();
    EXPECT_TRUE(Matches(sent, kTime + "D\\d{6}\\+\\d{5}\r\n")) << sent;
    ASSERT_EQ(services.Texts(), Texts{"Sync failed"});
    EXPECT_EQ(services.messages[0].detail, "Takahashi\nWrong ra in Sync.");
}

// The place goes out in hundredths of a minute of right ascension, rounded:
// 14h19m35s = 14h19.583m -> 1958; 6h00m59.8s = 6h00.997m -> 0100 of the next
// minute; 23h59m59.8s rounds to 24 h, written 00. Declination 49.875 deg =
// 49 deg 52.5' -> 49525.
TEST_F(TakahashiTest, GotoPlaceInHundredthsOfAMinute) {
    ASSERT_EQ(ScopeConnect(), 1);
    AllSent();
    const struct {
        double ra, dec;
        std::string command;
    } cases[] = {
        {14.0 + 19.0 / 60 + 35.0 / 3600, 49.875, "P141958+49525\r\n"},
        {6.0 + 59.8 / 3600, 49.875, "P060100+49525\r\n"},
        {23.0 + 59.0 / 60 + 59.8 / 3600, 49.875, "P000000+49525\r\n"},
        {-0.5, -1.0, "P233000-01000\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        peer.ClearRules();
        peer.Respond(c.command, "R0\r\n");
        EXPECT_EQ(GotoTakahashi(c.ra, c.dec), 1);
        EXPECT_TRUE(Matches(AllSent(), kTime + Literal(c.command)));
    }
}

// The dispatcher counts drive 14 among the drives with a sync: a silent
// controller gets the "D" command and the sync fails, not refused.
TEST_F(TakahashiTest, DispatcherSyncReachesTheController) {
    ASSERT_EQ(ScopeConnect(), 1);
    AllSent();
    services.messages.clear();
    EXPECT_EQ(ScopeSync(6.0, 10.0), 0);
    Sent("D");  // the sync command went out
    EXPECT_EQ(services.Texts(), (Texts{"No response from Takahashi", "Sync failed"}));
}

// "E" + hhmmzz (zz hundredths of a minute) + sign ddmm + tenth of a minute +
// pier side, values by hand: 12h34.56m = 12.576 h, +45 12.3' = 45.205 deg;
// 12h48.69m = 12.8115 h; 0h00.99m = 0.0165 h; 23h59.99m = 23.999833 h, every
// zz of 00..99 taken. Short, non-digit and out-of-range replies fail.
TEST_F(TakahashiTest, PositionReplies) {
    ASSERT_EQ(ScopeConnect(), 1);
    const struct {
        std::string reply;
        int ok;
        double ra, dec;
    } cases[] = {
        {"E123456+45123E\r\n", 1, 12.576, 45.205},
        {"E124869+48060W\r\n", 1, 12.8115, 48.1},
        {"E000099-00000E\r\n", 1, 0.0165, 0.0},
        {"E235999+89599W\r\n", 1, 23.0 + 59.99 / 60, 89.0 + 59.9 / 60},
        {"E126000+45123E\r\n", 0, 0.0, 0.0},
        {"E123456+45123", 0, 0.0, 0.0},
        {"E12x456+45123E\r\n", 0, 0.0, 0.0},
        {"E123456+91000E\r\n", 0, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        services.messages.clear();
        peer.ClearRules();
        peer.Respond("E\r\n", c.reply);
        double ra = -1.0, dec = -1.0;
        EXPECT_EQ(ScopeGetRaDec(&ra, &dec), c.ok);
        EXPECT_NEAR(ra, c.ra, 1e-12);
        EXPECT_NEAR(dec, c.dec, 1e-12);
        EXPECT_EQ(services.Texts(), c.ok ? Texts{} : Texts{"Failed to get Takahashi RA and Dec"});
    }
}

// The zenith routine reads positions whose hundredths of a minute are 60 or
// more: the connect goes through with each (they once failed it).
TEST_F(TakahashiTest, ZenithRepliesWithAnyHundredthsConnect) {
    for (const char* reply : {"E124869+48060W\r\n", "E000099-00000E\r\n", "E235999+89599W\r\n"}) {
        SCOPED_TRACE(reply);
        NewRun();
        ResetTakahashiDriver();
        peer.ClearRules();
        peer.Respond("v\r\n", "v2.0 TEMMA2\r\n");
        peer.Respond("Z\r\nE\r\n", reply);
        EXPECT_EQ(ScopeConnect(), 1);
        EXPECT_TRUE(services.messages.empty());
    }
}

// Rates 0..2 (fast, find, center) take the letters with the controller's
// high-speed bit, 3 (guide) those without; stop "M@" gives 0; abort is "PS"
// then "s".
TEST_F(TakahashiTest, MotionCommands) {
    ASSERT_EQ(ScopeConnect(), 1);
    AllSent();
    std::string expected;
    for (int rate : {0, 2, 3}) {
        EXPECT_EQ(ScopeSetSlewRate(rate), 1);
        for (int direction = 0; direction < 4; ++direction) {
            EXPECT_EQ(ScopeStartSlew(direction), 1);
            expected += std::string(rate == 3 ? "MHMPMBMD" : "MIMQMCME").substr(2 * direction, 2) + "\r\n";
        }
    }
    EXPECT_EQ(ScopeSetSlewRate(4), 0);
    EXPECT_EQ(ScopeStopSlew(1), 0);
    EXPECT_EQ(ScopeAbort(), 1);
    EXPECT_EQ(Sent("PS\r\ns\r\n"), expected + "M@\r\nPS\r\ns\r\n");
}

// A silent controller is refused without the zenith question; one still
// moving ('F') 120 s after the zenith command fails the connect.
TEST_F(TakahashiTest, SilentOrUnsettledControllerFailsTheConnect) {
    peer.ClearRules();
    EXPECT_EQ(ScopeConnect(), 0);
    EXPECT_EQ(services.Texts(), Texts{"Fail to open Takahasi connection."});
    EXPECT_TRUE(services.questions.empty());
    EXPECT_EQ(IsSerialOpen(), 0);
    services.messages.clear();
    ScriptedSerial line;
    for (const char* reply : {"v2.0 TEMMA2\r\n", "", "", "", ""}) line.Reply(reply);
    for (int i = 0; i < 1000; ++i) line.Reply("E123456+45123F\r\n");
    int result = 1;
    EXPECT_GE(Elapsed([&] { result = ScopeConnect(); }), 120000u);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(services.Texts(), Texts{"Fail to open Takahasi connection."});
    EXPECT_EQ(services.questions.size(), 1u);
    EXPECT_EQ(IsSerialOpen(), 0);
}

// A key held on the chart's scope keys: the controller is sent the motion
// command at the start, again at once and then every 2000 ms of the clock
// while the key stays down (each write takes 526 ms: the purge and the pause),
// and "M@" when it is released.
TEST_F(TakahashiTest, HeldKeyResendsTheMotionEveryTwoSeconds) {
    pl::Harness harness(TestHarnessOptions());
    testwin::Recorder rec;
    rec.onMessage = [](const testwin::Record& r, pl::LResult*) {
        if (r.id == pl::WM_KEYDOWN && r.wParam == static_cast<pl::WParam>(pl::VK_UP)) ScopeKeySlewUp();
        return false;
    };
    harness.start([&rec] {
        rec.Top({0, 0, 240, 320});
        return RunMessageLoop();
    });
    harness.runOnUi([] { EXPECT_EQ(ScopeConnect(), 1); });
    peer.TakeReceived();
    harness.keyDown(pl::VK_UP);
    for (int second = 0; second < 4; ++second) harness.advance(1000);
    harness.keyUp(pl::VK_UP);
    harness.advance(0);
    // The connect's last bytes ("Z") may reach the peer after the take above:
    // compare what follows them.
    std::string sent = Sent("M@\r\n");
    const size_t connectEnd = sent.rfind("Z\r\n");
    if (connectEnd != std::string::npos) sent.erase(0, connectEnd + 3);
    EXPECT_EQ(sent, "MI\r\nMI\r\nMI\r\nMI\r\nM@\r\n");
    harness.stop();
}

}  // namespace
