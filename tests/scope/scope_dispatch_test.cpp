// The drive dispatcher: which drives get traffic, the refusals of the failure
// table, a change of drive within a run, the scope form after a goto, slews
// and the key slew loop held under the harness.
#include "scope/scope_dispatch.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "platform/harness.h"
#include "platform/messages.h"
#include "scope/meade.h"
#include "scope/scope_form.h"
#include "scope/scope_slew.h"
#include "scope/serial_link.h"
#include "support/message_loop.h"
#include "support/scope_fixture.h"
#include "support/serial_peer.h"
#include "support/test_harness.h"
#include "ui/shell_state.h"

namespace {

const std::string kHighDec = "+45\xDF" "30'15#";

class DispatchTest : public ScopeTest {
protected:
    DispatchTest() {
        peer.Respond("#:GD#", kHighDec);
        peer.Respond("#:GC#", "123456789");
        peer.Respond("#:MS#", "0");
        TakeCoordinates();
    }
    // The mount takes every coordinate ('1').
    void TakeCoordinates() {
        peer.RespondToCommand(":Sr", '#', "1");
        peer.RespondToCommand(":Sd", '#', "1");
    }
    std::string Sent(const std::string& last) {
        EXPECT_TRUE(peer.WaitReceived(last)) << last;
        return peer.TakeReceived();
    }
    SerialPeer peer{1};
};

// Drives 0, 6, 7 have no goto: one box with the sky and scope places (RA and
// Dec for EQ output, azimuth and altitude for AZ), no port, no form. With AZ
// output the corrected azimuth and altitude go back to RA and Dec by the
// clock's mean sidereal time: the place agrees within 10" (0.7 s of time).
TEST_F(DispatchTest, DrivesWithoutGotoOnlyShowThePlaces) {
    const struct {
        int drive, mountType;
        std::string detail;  // a pattern
    } cases[] = {{0, 0, "Scope Position:\nRa:03:00:00\nDec:10:00:00"},
                 {6, 0, "Scope Position:\nRa:03:00:00\nDec:10:00:00"},
                 {7, 1, "Scope Position:\nAzt:45:00:0[0-9]\nAlt:10:00:0[0-9]"}};
    for (const auto& c : cases) {
        services.messages.clear();
        preferences.word[kPrefDriveId] = c.drive;
        preferences.word[kPrefMountType] = c.mountType;
        EXPECT_EQ(ScopeGoto(3.0, 10.0, -1), 0);
        ASSERT_EQ(services.messages.size(), 1u) << c.drive;
        EXPECT_EQ(services.messages[0].text.rfind("Sky position:\nRa:03:00:00\nDec:10:00:00\nAzt:", 0), 0u);
        EXPECT_TRUE(std::regex_match(services.messages[0].detail, std::regex(c.detail)))
            << services.messages[0].detail;
        EXPECT_EQ(IsSerialOpen(), 0);
        EXPECT_NE(GetCurrentFormId(), 2400);
    }
}

TEST_F(DispatchTest, RefusedDrivesSayWhy) {
    const struct {
        int drive;
        std::string gotoText, syncText;
    } cases[] = {
        {100, "Goto not yet implemented for PowerFlex", "Scope Connect not supported for the drive you selected"},
        {101, "Goto not yet implemented for Dynastar", "Scope Connect not supported for the drive you selected"},
        {999, "Unknown scope drive: 999", "Unknown scope drive"},
    };
    for (const auto& c : cases) {
        preferences.word[kPrefDriveId] = c.drive;
        services.messages.clear();
        EXPECT_EQ(ScopeGoto(3.0, 10.0, -1), 0);
        EXPECT_EQ(ScopeSync(3.0, 10.0), 0);
        EXPECT_EQ(services.Texts(), (std::vector<std::string>{c.gotoText, c.syncText})) << c.drive;
    }
    preferences.word[kPrefDriveId] = 0;
    services.messages.clear();
    double ra, dec;
    EXPECT_EQ(ScopeSync(3.0, 10.0), 0);
    EXPECT_EQ(ScopeGetRaDec(&ra, &dec), 0);
    EXPECT_EQ(ScopeDisconnect(), 0);
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"Sorry, no scope drive is selected",
                                                          "No drive is selected in Preference",
                                                          "Disconnect scope not supported"}));
    EXPECT_EQ(IsSerialOpen(), 0);
}

// Magelan-I connects (9-byte answer to "#:GC#") but has no sync; a Meade
// mount silent after "#:CM#" fails the sync.
TEST_F(DispatchTest, SyncRefusalsAndASilentSync) {
    preferences.word[kPrefDriveId] = 6;
    EXPECT_EQ(ScopeSync(3.0, 10.0), 0);
    EXPECT_EQ(Sent("#:GC#"), "#:GC#");
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Sorry, this function is not implemented for your telescope"});
    services.messages.clear();
    ResetSerialLink();
    preferences.word[kPrefDriveId] = 5;
    EXPECT_EQ(ScopeSync(3.0, 10.0), 0);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Sync failed"});
}

// Another drive (or port) chosen within the run: the open port is closed and
// opened again, so the new drive is probed.
TEST_F(DispatchTest, ChangedDriveIsReopenedAndProbed) {
    ASSERT_EQ(ScopeConnect(), 1);
    EXPECT_EQ(Sent("#:GD#"), "#:GD#");
    EXPECT_EQ(Elapsed([] { EXPECT_EQ(ScopeConnect(), 1); }), 0u);  // same drive: kept open
    preferences.word[kPrefDriveId] = 17;
    uint32_t ms = Elapsed([] { EXPECT_EQ(ScopeConnect(), 1); });
    EXPECT_GE(ms, 3500u);
    EXPECT_EQ(Sent("#:GD#"), "#:GD#");
    EXPECT_TRUE(services.messages.empty());
}

// Another scope port chosen within the run: the open port 1 is really
// closed, and the mount on port 2 is opened and probed.
TEST_F(DispatchTest, ChangedPortIsOpenedAndProbed) {
    ASSERT_EQ(ScopeConnect(), 1);
    EXPECT_EQ(Sent("#:GD#"), "#:GD#");
    SerialPeer second(2);
    second.Respond("#:GD#", kHighDec);
    preferences.word[kPrefScopePort] = 2;
    EXPECT_GE(Elapsed([] { EXPECT_EQ(ScopeConnect(), 1); }), 3500u);
    EXPECT_TRUE(second.WaitReceived("#:GD#"));
    EXPECT_EQ(peer.Received(), "");
    EXPECT_TRUE(services.messages.empty());
}

// Drive 5 probed high precision; after a close, drive 2 whose mount answers
// in low precision must not be sent high-precision places.
TEST_F(DispatchTest, ChangedDriveWhileClosedForgetsTheOldPrecision) {
    ASSERT_EQ(ScopeConnect(), 1);
    SetSerialPersistent(0);
    ScopeDisconnect();
    ASSERT_EQ(IsSerialOpen(), 0);
    peer.ClearRules();
    peer.Respond("#:GD#", "+45\xDF" "30#");
    peer.Respond("#:MS#", "0");
    TakeCoordinates();
    preferences.word[kPrefDriveId] = 2;
    peer.TakeReceived();
    ASSERT_EQ(ScopeGoto(3.0, 10.0, -1), 1);
    EXPECT_EQ(Sent("#:MS#"), "#:GD##:Sr 03:00.0#:Sd +10\xDF" "00##:MS#");
}

// A goto from the sky chart while the scope form is open leaves the form.
TEST_F(DispatchTest, GotoFromTheChartWithTheScopeFormOpenOpensNoForm) {
    SetCurrentFormId(1900);
    scopeActive = 1;
    EXPECT_EQ(ScopeGoto(3.0, 10.0, -1), 1);
    EXPECT_EQ(GetCurrentFormId(), 1900);
    EXPECT_EQ(scopeFormRequested, 0);
    scopeActive = 0;
    EXPECT_EQ(ScopeGoto(3.0, 10.0, -1), 1);
    EXPECT_EQ(GetCurrentFormId(), 2400);
}

TEST_F(DispatchTest, ScopeFormOpensOnlyAfterAConnect) {
    preferences.word[kPrefDriveId] = 0;
    OpenScopeForm(1);
    EXPECT_EQ(GetCurrentFormId(), 0);
    EXPECT_EQ(scopeFormRequested, 1);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Sorry, no scope drive is selected"});
    preferences.word[kPrefDriveId] = 5;
    OpenScopeForm(1);
    EXPECT_EQ(GetCurrentFormId(), 2400);
}

// No port chosen: the serial layer's box alone, whatever the family, and the
// scope control form is not opened.
TEST_F(ScopeTest, NoPortSelectedGivesOneBoxAndNoScopeForm) {
    preferences.word[kPrefScopePort] = 0;
    for (int drive : {5, 6, 10, 8, 3, 4, 13, 14, 18, 19}) {
        SCOPED_TRACE(drive);
        services.messages.clear();
        preferences.word[kPrefDriveId] = drive;
        OpenScopeForm(1);
        EXPECT_EQ(scopeFormRequested, 1);
        EXPECT_NE(GetCurrentFormId(), 2400);
        EXPECT_EQ(services.Texts(), std::vector<std::string>{"No communication port is selected.\n"});
    }
}

TEST_F(DispatchTest, SlewCommandsOfAMeadeMount) {
    ASSERT_EQ(ScopeConnect(), 1);
    Sent("#:GD#");
    std::string expected;
    const char* rates[] = {"#:RS#", "#:RM#", "#:RC#", "#:RG#"};
    const char* starts[] = {"#:Mn#", "#:Ms#", "#:Me#", "#:Mw#"};
    const char* stops[] = {"#:Qn#", "#:Qs#", "#:Qe#", "#:Qw#"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ScopeSetSlewRate(i), 1);
        EXPECT_EQ(ScopeStartSlew(i), 1);
        EXPECT_EQ(ScopeStopSlew(i), 1);
        expected += std::string(rates[i]) + starts[i] + stops[i];
    }
    EXPECT_EQ(ScopeSetSlewRate(4), 0);  // outside 0..3: nothing sent
    EXPECT_EQ(ScopeAbort(), 1);
    EXPECT_EQ(Sent("#:Q#"), expected + "#:Q#");
}

// The stop of a form that leaves the mount: a mount connected on its open port is stopped; one
// whose port was closed since (the connection "Upon need") is connected again first, as any
// command connects it; with no mount connected in this run nothing is sent and nothing is said,
// where a plain abort says "Connection not open!".
TEST_F(DispatchTest, StopOnLeavingConnectsAsAnyCommandOrSaysNothing) {
    const struct { const char* why; bool connected, closedSince; } cases[] = {
        {"port open", true, false}, {"port closed since", true, true}, {"never connected", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        ResetSerialLink(), ResetScopeDispatch(), ResetMeadeDriver();
        if (c.connected) {
            ASSERT_EQ(ScopeConnect(), 1);
            Sent("#:GD#");
        }
        if (c.closedSince) SetSerialPersistent(0), SerialClose();
        EXPECT_EQ(ScopeAbortOnLeaving(), c.connected ? 1 : 0);
        const std::string sent = c.connected ? Sent("#:Q#") : "";
        EXPECT_EQ(sent.find("#:GD#") != std::string::npos, c.closedSince) << sent;  // the connect's probe first
        EXPECT_EQ(IsSerialOpen(), c.connected);
    }
    EXPECT_EQ(ScopeAbort(), 0);  // the only message
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Connection not open!"});
}

// Drives without their own slews do nothing unless simulating (then the
// simulated encoder answers); ids outside the table are refused.
TEST_F(DispatchTest, SlewsOfOtherDrives) {
    preferences.word[kPrefDriveId] = 8;
    EXPECT_EQ(ScopeSetSlewRate(2), 2);
    EXPECT_EQ(ScopeStartSlew(3), 3);
    EXPECT_EQ(ScopeStopSlew(1), 1);
    EXPECT_EQ(ScopeAbort(), 0);
    EXPECT_EQ(IsSerialOpen(), 0);
    scopeSimulation = 1;
    EXPECT_EQ(ScopeSetSlewRate(2), 1);
    EXPECT_EQ(ScopeStopSlew(1), 0);
    EXPECT_EQ(ScopeAbort(), 1);
    preferences.word[kPrefDriveId] = 999;
    EXPECT_EQ(ScopeStartSlew(0), 0);
    EXPECT_EQ(ScopeAbort(), 0);
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"Unknown scope drive", "Unknown scope drive."}));
    EXPECT_TRUE(services.messages.size() == 2);
}

// A held key on the harness sends the start once and the stop after the
// release: Left on drive 5, Up on drive 20 (its 'P' frames at rate 0).
class KeySlewTest : public DispatchTest {
protected:
    KeySlewTest() : harness(TestHarnessOptions()) {}
    ~KeySlewTest() override { harness.stop(); }
    pl::Harness harness;
    testwin::Recorder rec;
};

TEST_F(KeySlewTest, HeldKeySlewsUntilReleased) {
    const struct {
        int drive, key;
        std::string sent;
    } cases[] = {
        {5, pl::VK_LEFT, "#:Mw##:Qw#"},
        {20, pl::VK_UP, std::string("P\x02\x11\x24\x09\0\0\0P\x02\x11\x24\0\0\0\0", 16)},
    };
    rec.onMessage = [](const testwin::Record& r, pl::LResult*) {
        if (r.id == pl::WM_KEYDOWN && r.wParam == static_cast<pl::WParam>(pl::VK_LEFT)) ScopeKeySlewLeft();
        if (r.id == pl::WM_KEYDOWN && r.wParam == static_cast<pl::WParam>(pl::VK_UP)) ScopeKeySlewUp();
        return false;
    };
    harness.start([this] {
        rec.Top({0, 0, 240, 320});
        return RunMessageLoop();
    });
    peer.Respond("Kx", "x#");
    for (const auto& c : cases) {
        preferences.word[kPrefDriveId] = c.drive;
        harness.runOnUi([] { ScopeConnect(); });
        peer.TakeReceived();
        harness.key(c.key, 5);
        EXPECT_EQ(Sent(c.sent.substr(c.sent.size() - 4)), c.sent) << c.drive;
    }
}

}  // namespace
