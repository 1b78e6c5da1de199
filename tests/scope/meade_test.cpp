// The Meade driver through the dispatcher against a mount played by a
// pseudo-terminal: the probe and its precision, the exact goto and sync
// bytes, position replies good and bad, refusals and lost lines; and the
// simulated mount.
#include "scope/meade.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "scope/alignment.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_form.h"
#include "scope/serial_link.h"
#include "support/scope_fixture.h"
#include "support/scripted_serial.h"
#include "support/serial_peer.h"
#include "ui/shell_state.h"

namespace {

const std::string kHighDec = "+45\xDF" "30'15#";  // 10 bytes: high precision
const std::string kLowDec = "+45\xDF" "30#";      // 7 bytes: low precision
constexpr double kSixHoursLess = 6.0 - 0.3 / 3600.0;

class MeadeTest : public ScopeTest {
protected:
    // The mount answers the probe "#:GD#" with `dec`; the same rule answers
    // the declination read ":GD#", which follows "#:GR#". It takes every
    // coordinate ('1').
    void Mount(const std::string& dec, const std::string& gotoReply = "0") {
        peer->ClearRules();
        peer->Respond("#:GD#", dec);
        peer->Respond("#:MS#", gotoReply);
        peer->RespondToCommand(":Sr", '#', "1");
        peer->RespondToCommand(":Sd", '#', "1");
    }
    // What the mount received since the last call, once `last` has come.
    std::string Sent(const std::string& last) {
        EXPECT_TRUE(peer->WaitReceived(last)) << last;
        return peer->TakeReceived();
    }
    std::unique_ptr<SerialPeer> peer = std::make_unique<SerialPeer>(1);
};

// The set commands' rounding: half a second added rounds 6 h - 0.3 s up to
// 06:00:00; -0.25 deg is "-00", 15 minutes; low precision writes tenths of a
// minute (12.345 h = 12 h 20.7 min).
TEST_F(MeadeTest, GotoSendsTheCommandsOfTheProbedPrecision) {
    const struct {
        std::string probe;
        double ra;
        std::string bytes;
    } cases[] = {
        {kHighDec, kSixHoursLess, "#:GD##:Sr 06:00:00#:Sd -00\xDF" "15:00##:MS#"},
        {kLowDec, 12.345, "#:GD##:Sr 12:20.7#:Sd -00\xDF" "15##:MS#"},
    };
    for (const auto& c : cases) {
        ResetSerialLink();
        ResetMeadeDriver();
        scopeFormRequested = 0;
        ResetShellState();
        Mount(c.probe);
        EXPECT_EQ(ScopeGoto(c.ra, -0.25, -1), 1);
        EXPECT_EQ(Sent("#:MS#"), c.bytes);
        EXPECT_EQ(GetCurrentFormId(), 2400);
        EXPECT_EQ(scopeFormRequested, 1);
        EXPECT_EQ(IsSerialOpen(), 1);  // kept for the scope control form
    }
    EXPECT_TRUE(services.messages.empty());
}

// The diagnostic trace shows each command and reply under its routine.
TEST_F(ScopeTest, TraceShowsCommandsAndReplies) {
    ScriptedSerial line;
    line.Reply(kHighDec);
    serialPortState.trace = 1;
    ASSERT_EQ(ScopeConnect(), 1);
    ASSERT_EQ(services.messages.size(), 2u);
    EXPECT_EQ(services.messages[0].text + " " + services.messages[0].detail, "Connect:Send #:GD#");
    EXPECT_EQ(services.messages[1].text + " " + services.messages[1].detail, "Connect:Receive " + kHighDec);
}

TEST(MeadeFormat, RightAscensionNeverGoesOutAs24Hours) {
    char text[32];
    FormatMeadeSetRa(24.0 - 0.2 / 3600.0, true, text, sizeof text);
    EXPECT_STREQ(text, "#:Sr 00:00:00#");
    FormatMeadeSetRa(-1.5, false, text, sizeof text);
    EXPECT_STREQ(text, "#:Sr 22:30.0#");
    FormatMeadeSetDec(-90.5, true, text, sizeof text);
    EXPECT_STREQ(text, ":Sd -90\xDF" "00:00#");
}

// Losmandy takes ":ON#" after the right ascension of a goto, not of a sync;
// a sync ends with "#:CM#" read to '#'. Sync and goto send one place.
TEST_F(MeadeTest, LosmandyObjectCommandAndSyncSendTheGotoPlace) {
    preferences.word[kPrefDriveId] = 17;
    Mount(kHighDec);
    peer->Respond("#:CM#", " M31 EX GAL#");
    ASSERT_EQ(ScopeGoto(10.0, 41.0, 3), 1);
    std::string gotoBytes = Sent("#:MS#");
    EXPECT_EQ(ScopeSync(10.0, 41.0), 1);
    std::string syncBytes = Sent("#:CM#");
    std::size_t on = gotoBytes.find(":ON#");
    ASSERT_NE(on, std::string::npos);
    EXPECT_EQ(gotoBytes.rfind("#:Sr ", on), on - 14);
    EXPECT_EQ(syncBytes.find(":ON#"), std::string::npos);
    EXPECT_EQ(gotoBytes.substr(5, 14) + gotoBytes.substr(on + 4, 14), syncBytes.substr(0, 28));
    EXPECT_EQ(syncBytes.substr(28), "#:CM#");
    EXPECT_TRUE(services.messages.empty());
}

// The program's own alignment source: without an alignment the goto warns
// and sends the place; with the two-star alignment of an equatorial mount
// whose axis reads 2 h ahead of the sky, the turned place.
TEST_F(MeadeTest, OwnAlignmentSendsTheTurnedPlaceOrWarns) {
    preferences.word[kPrefAlignMethod] = 0;
    Mount(kHighDec);
    ASSERT_EQ(ScopeGoto(3.0, 10.0, -1), 1);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Please first perfom the 2 star aligment"});
    EXPECT_EQ(Sent("#:MS#"), "#:GD##:Sr 03:00:00#:Sd +10\xDF" "00:00##:MS#");
    AlignmentStar a{}, b{};
    ParseAlignmentStar(&a, "20:00:00", "06:00:00", "20", "120", "20", "a");
    ParseAlignmentStar(&b, "01:00:00", "14:00:00", "-35", "240", "-35", "b");
    ASSERT_EQ(ComputeAlignmentMatrix("20:00:00", &a, &b), 1);
    ASSERT_EQ(ScopeGoto(3.0, 10.0, -1), 1);
    EXPECT_EQ(Sent("#:MS#"), "#:Sr 05:00:00#:Sd +10\xDF" "00:00##:MS#");
    EXPECT_EQ(services.messages.size(), 1u);
}

// Position replies in the mount's two precisions (hh:mm:ss with sDD*MM'SS,
// hh:mm.t with sDD*MM), values by hand; garbage and a half reply fail with the
// read's message and zero outputs.
TEST_F(MeadeTest, PositionRepliesAreReadOrRefused) {
    const struct {
        std::string probe, raReply;
        int ok;
        double ra, dec;
    } cases[] = {
        {kHighDec, "12:34:56#", 1, 12.0 + 34.0 / 60 + 56.0 / 3600, 45.0 + 30.0 / 60 + 15.0 / 3600},
        {"-45\xDF" "30#", "12:34.5#", 1, 12.575, -45.5},
        {kHighDec, "xx#", 0, 0.0, 0.0},
        {kHighDec, "12:3", 0, 0.0, 0.0},
        {kHighDec, "25:00:00#", 0, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raReply);
        ResetSerialLink();
        ResetMeadeDriver();
        services.messages.clear();
        Mount(c.probe);
        peer->Respond("#:GR#", c.raReply);
        double ra = -1.0, dec = -1.0;
        EXPECT_EQ(ScopeGetRaDec(&ra, &dec), c.ok);
        EXPECT_NEAR(ra, c.ra, 1e-9);
        EXPECT_NEAR(dec, c.dec, 1e-9);
        std::vector<std::string> texts;
        if (!c.ok) texts.push_back("Failed to get Meade RA and Dec.");
        EXPECT_EQ(services.Texts(), texts);
    }
}

TEST_F(MeadeTest, SilentMountFailsTheConnectAndTheNextConnectSettlesAgain) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        services.messages.clear();
        int result = 1;
        EXPECT_GE(Elapsed([&] { result = ScopeConnect(); }), 3500u);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(services.Texts(), std::vector<std::string>{"Fail to open Meade connection"});
        EXPECT_EQ(IsSerialOpen(), 0);
    }
}

// "#:MS#" answered with a refusal (1: below the horizon) or not at all.
TEST_F(MeadeTest, RefusedOrSilentGotoFailsAndDisconnects) {
    const struct {
        std::string reply, detail;
    } cases[] = {{"1Object Below Horizon#", "Object Below Horizon"}, {"", "No reply from the mount"}};
    for (const auto& c : cases) {
        ResetSerialLink();
        services.messages.clear();
        Mount(kHighDec, c.reply);
        EXPECT_EQ(ScopeGoto(3.0, 10.0, -1), 0);
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].text, "Goto failed");
        EXPECT_EQ(services.messages[0].detail, c.detail);
        EXPECT_NE(GetCurrentFormId(), 2400);
    }
}

// What an LX200 answers: '1' takes a coordinate, '0' refuses it; "#:MS#" gives
// '0', or a digit and the reason up to '#'; "#:CM#" a text ended by '#'. A
// refused, garbled or missing answer ends the goto or sync there, with the
// reason as second line, and no scope form; a goto the mount started opens it.
TEST_F(MeadeTest, MountRepliesDecideTheGotoAndTheSync) {
    const std::string kRefused = "The mount refused the coordinates";
    const std::string kGarbled = "The mount's reply was not understood", kSilent = "No reply from the mount";
    const struct Case {
        bool sync;
        std::string sr, sd, last;  // replies to set RA, set Dec and "#:MS#" or "#:CM#" ("" silent)
        int ok;
        std::string detail;  // second line of "Goto failed" or "Sync failed"
        bool lastSent;       // "#:MS#" or "#:CM#" went out
    } cases[] = {
        {false, "0", "1", "0", 0, kRefused, false},
        {false, "1", "0", "0", 0, kRefused, false},
        {false, "", "1", "0", 0, kSilent, false},
        {false, "x", "1", "0", 0, kGarbled, false},
        {false, "1", "1", "0", 1, "", true},
        {false, "1", "1", "\xD6\x49\x3C", 0, kGarbled, true},
        {false, "1", "1", "4Object below limits#", 0, "Object below limits", true},
        {false, "1", "1", "", 0, kSilent, true},
        {true, "0", "1", "#", 0, kRefused, false},
        {true, "1", "1", " M31 EX GAL#", 1, "", true},
        {true, "1", "1", "M31", 0, kGarbled, true},
        {true, "1", "1", "", 0, kSilent, true},
    };
    for (const std::string& probe : {kHighDec, kLowDec}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << probe.size() << (c.sync ? " sync " : " goto ") << c.sr << c.sd
                                            << c.last.substr(0, 8));
            ResetSerialLink();
            ResetMeadeDriver();
            ResetShellState();
            services.messages.clear();
            peer->ClearRules();
            peer->TakeReceived();
            peer->Respond("#:GD#", probe);
            peer->RespondToCommand(":Sr", '#', c.sr);
            peer->RespondToCommand(":Sd", '#', c.sd);
            const std::string last = c.sync ? "#:CM#" : "#:MS#";
            peer->Respond(last, c.last);
            EXPECT_EQ(c.sync ? ScopeSync(10.0, 41.0) : ScopeGoto(10.0, 41.0, -1), c.ok);
            EXPECT_TRUE(peer->WaitReceived(c.lastSent ? last : ":Sr"));
            EXPECT_EQ(peer->Received().find(last) != std::string::npos, c.lastSent);
            std::vector<std::string> expected;
            if (!c.ok) expected.push_back(c.sync ? "Sync failed" : "Goto failed");
            EXPECT_EQ(services.Texts(), expected);
            if (!c.ok) {
                EXPECT_EQ(services.messages[0].detail, c.detail);
            }
            EXPECT_EQ(GetCurrentFormId() == 2400, !c.sync && c.ok);
        }
    }
}

// A mount that answers "#:MS#" with an endless text: the goto fails as not
// understood after 256 more bytes at most, and the program goes on.
TEST_F(ScopeTest, FloodAfterTheGotoIsDrainedWithinItsLimit) {
    ScriptedSerial line;
    for (const char* reply : {"+45\xDF" "30'15#", "1", "1"}) line.Reply(reply);
    line.Reply(std::string(10000, 'A'));
    EXPECT_EQ(ScopeGoto(10.0, 41.0, -1), 0);
    EXPECT_EQ(line.written.substr(line.written.size() - 5), "#:MS#");
    EXPECT_GE(line.input.size(), 10000u - 1 - 256);
    ASSERT_EQ(services.Texts(), std::vector<std::string>{"Goto failed"});
    EXPECT_EQ(services.messages[0].detail, "The mount's reply was not understood");
}

// A command the line would not take is shown readable: the mount's degree
// sign (223) as the program's (0xB0).
TEST_F(ScopeTest, FailedSendShowsTheCommandReadably) {
    ScriptedSerial line;
    line.Reply(kHighDec);
    line.Reply("1");
    line.writesBeforeTimeOut = 2;  // the probe and set RA go out, set Dec does not
    EXPECT_EQ(ScopeGoto(10.0, 41.0, -1), 0);
    ASSERT_EQ(services.Texts(), (std::vector<std::string>{"Fail to send string", "Goto failed"}));
    const std::string& shown = services.messages[0].detail;
    EXPECT_EQ(shown.rfind(":Sd +", 0), 0u) << shown;
    EXPECT_EQ(shown.substr(7, 1), "\xB0");
    EXPECT_EQ(shown.find('\xDF'), std::string::npos);
}

// The line goes during a live reading: one box says so. The slews that follow
// find no connection: each gives 0 and only the first says so. Live readings
// then wait, silent, for a connect; a new line works after it.
TEST_F(MeadeTest, LostLineIsToldOnceAndSlewsSayNotConnectedOnce) {
    Mount(kHighDec);
    peer->Respond("#:GR#", "01:02:03#");
    ASSERT_EQ(ScopeConnect(), 1);
    peer->HangUp();
    double ra = -1.0, dec = -1.0;
    EXPECT_EQ(ScopeGetPosition(&ra, &dec), 0);
    EXPECT_EQ((std::vector<int>{ScopeSetSlewRate(2), ScopeStartSlew(0), ScopeStopSlew(0), ScopeAbort()}),
              (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(ScopeGetPosition(&ra, &dec), 0);
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"Serial connection lost", "Connection not open!"}));
    peer.reset();
    peer = std::make_unique<SerialPeer>(1);
    Mount(kHighDec);
    peer->Respond("#:GR#", "01:02:03#");
    ASSERT_EQ(ScopeConnect(), 1);
    EXPECT_EQ(ScopeGetPosition(&ra, &dec), 1);
    EXPECT_NEAR(ra, 1.0 + 2.0 / 60 + 3.0 / 3600, 1e-9);
    EXPECT_EQ(ScopeSetSlewRate(2), 1);
    EXPECT_EQ(services.messages.size(), 2u);
}

TEST_F(MeadeTest, HungUpMountIsReportedAndANewOneWorksAfterReconnecting) {
    Mount(kHighDec);
    peer->Respond("#:GR#", "01:02:03#");
    double ra = 0.0, dec = 0.0;
    ASSERT_EQ(ScopeGetRaDec(&ra, &dec), 1);
    peer->HangUp();
    EXPECT_EQ(ScopeGetRaDec(&ra, &dec), 0);
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"Serial connection lost", "Failed to get Meade RA and Dec."}));
    peer.reset();
    peer = std::make_unique<SerialPeer>(1);
    Mount(kHighDec);
    peer->Respond("#:GR#", "01:02:03#");
    EXPECT_EQ(ScopeGetRaDec(&ra, &dec), 1);
    EXPECT_NEAR(ra, 1.0 + 2.0 / 60 + 3.0 / 3600, 1e-9);
}

// The simulated mount from (0 h, 0 deg) to (12 h, +45 deg): a tenth
// of the way per query (1.2, 2.28, 3.252 h; 4.5, 8.55, 12.195 deg), landing
// once within 4 minutes of RA (query 51) and 1 deg of Dec (query 38); rate 1
// north adds 0.5 deg a query. Nothing reaches the port.
TEST_F(MeadeTest, SimulatedMountWalksToItsTarget) {
    scopeSimulation = 1;
    ASSERT_EQ(ScopeConnect(), 1);
    ASSERT_EQ(GotoEQ(12.0, 45.0), 1);
    const double firstRa[] = {1.2, 2.28, 3.252}, firstDec[] = {4.5, 8.55, 12.195};
    int raLanded = 0, decLanded = 0;
    for (int query = 1; query <= 60; ++query) {
        double ra, dec;
        ASSERT_EQ(QueryEQ(&ra, &dec), 1);
        if (query <= 3) {
            EXPECT_NEAR(ra, firstRa[query - 1], 1e-12);
            EXPECT_NEAR(dec, firstDec[query - 1], 1e-12);
        }
        if (!raLanded && ra == 12.0) raLanded = query;
        if (!decLanded && dec == 45.0) decLanded = query;
    }
    EXPECT_EQ(raLanded, 51);
    EXPECT_EQ(decLanded, 38);
    ScopeSetSlewRate(1);
    ScopeStartSlew(0);
    double ra, dec;
    QueryEQ(&ra, &dec);
    EXPECT_DOUBLE_EQ(dec, 45.5);
    ScopeStartSlew(2);
    QueryEQ(&ra, &dec);
    EXPECT_DOUBLE_EQ(ra, 12.0 + 0.5 / 15.0);  // east adds to RA
    EXPECT_EQ(IsSerialOpen(), 0);
    EXPECT_EQ(peer->Received(), "");
}

}  // namespace
