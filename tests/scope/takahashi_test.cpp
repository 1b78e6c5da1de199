// The Takahashi controller against a pseudo-terminal: the first connect's
// introduction with the zenith question, goto and sync replies, position
// replies, motion commands, and controllers that are silent or never settle.
#include "scope/takahashi.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "platform/serial_port.h"
#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"
#include "support/drive_peer_fixture.h"
#include "support/scripted_serial.h"
#include "support/test_site.h"

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

// Second reply byte: '1' stops with "PS"; '2'..'4' are the controller's
// complaints, still a success; a short reply fails. The dispatcher hands in
// the clock's sidereal time: 6 h 40 m 36 s at Greenwich on 2024-01-01 0h UT
// (Meeus 12.4) plus the run's first minute.
TEST_F(TakahashiTest, GotoAndSyncReplies) {
    ASSERT_EQ(ScopeConnect(), 1);
    AllSent();
    const struct {
        bool sync;
        double dec;
        std::string command, reply;
        int ok;
        std::string after;
        Texts texts;
    } cases[] = {
        {false, 0.0, "P060000 00000\r\n", "R1\r\n", 1, "PS\r\n", {}},
        {false, 0.0, "P060000 00000\r\n", "R2\r\n", 1, "", {"Takahashi\nWrong ra in Goto."}},
        {false, -10.25, "P060000-10150\r\n", "R3\r\n", 1, "", {"Takahashi\nWrong dec in Goto."}},
        {false, 45.5, "P060000+45300\r\n", "R4\r\n", 1, "", {"Takahashi\nToo many digits in Goto."}},
        {false, 0.0, "P060000 00000\r\n", "R1\r", 0, "", {"No response from Takahashi", "Goto failed"}},
        {true, 45.5, "D060000+45300\r\n", "R2\r\n", 1, "", {"Takahashi\nWrong ra in Sync."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command + c.reply);
        services.messages.clear();
        peer.ClearRules();
        peer.Respond(c.command, c.reply);
        SetTakahashiLst(0.0);
        EXPECT_EQ(c.sync ? kTakahashiRoutes.sync(6.0, c.dec) : ScopeGoto(6.0, c.dec, -1), c.ok);
        EXPECT_TRUE(Matches(AllSent(), "T064[01]\\d\\d\r\n" + Literal(c.command) + c.after));
        EXPECT_EQ(services.Texts(), c.texts);
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

// "E" + hhmmss + sign ddmm + tenth of a minute + pier side: 12:34:56 and
// +45 12.3' = 12.582222 h, 45.205 deg. Short, non-digit and out-of-range
// replies fail.
TEST_F(TakahashiTest, PositionReplies) {
    ASSERT_EQ(ScopeConnect(), 1);
    const struct {
        std::string reply;
        int ok;
        double ra, dec;
    } cases[] = {
        {"E123456+45123E\r\n", 1, 12.0 + 34.0 / 60 + 56.0 / 3600, 45.205},
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

// Rates 0..2 take the slow letters, 3 the fast ones; stop "M@" gives 0;
// abort is "PS" then "s".
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

}  // namespace
