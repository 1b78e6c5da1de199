// The serial layer over a pseudo-terminal in virtual time: opening with its
// settle wait and fixed line, the waits after writes, purging, read
// time-outs, line changes and a line that goes away.
#include "scope/serial_link.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "support/scope_fixture.h"
#include "support/scripted_serial.h"
#include "support/serial_peer.h"

namespace {

class SerialLinkTest : public ScopeTest {
protected:
    SerialLinkTest() { pl::ResetSerialSettingsLog(); }
};

class PeerLinkTest : public SerialLinkTest {
protected:
    SerialPeer peer{1};
};

// The open's fixed line: baud, 8N1, DTR and RTS off, then 3500 ms; an open port
// is taken as it is.
TEST_F(PeerLinkTest, OpenSettlesOnceAndAnOpenPortIsTakenAsItIs) {
    int result = 0;
    EXPECT_EQ(Elapsed([&] { result = SerialOpen(1, 9600); }), 3500u);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(serialPortState.keepOpen, 1);
    std::vector<pl::SerialSettingsRecord> log = pl::SerialSettingsLog();
    ASSERT_FALSE(log.empty());
    pl::SerialSettings expected;
    expected.dtr = expected.rts = false;
    EXPECT_EQ(log.back().settings, expected);
    EXPECT_EQ(log.back().devicePath, peer.DevicePath());
    std::size_t applied = log.size();
    EXPECT_EQ(Elapsed([&] { result = SerialOpen(1, 19200); }), 0u);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(pl::SerialSettingsLog().size(), applied);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(SerialLinkTest, PortIndexZeroAsksForAPortAndOthersFail) {
    const struct {
        int index;
        std::vector<std::string> texts;
    } cases[] = {
        {0, {"No communication port is selected.\n"}},
        {10, {"Can't open serial port"}},  // the entry after "COM9:" is empty
        {11, {}},                          // beyond the list: silent
        {-1, {}},
    };
    for (const auto& c : cases) {
        services.messages.clear();
        EXPECT_EQ(SerialOpen(c.index, 9600), 0) << c.index;
        EXPECT_EQ(services.Texts(), c.texts) << c.index;
        EXPECT_EQ(IsSerialOpen(), 0);
    }
    SerialOpen(0, 9600);
    EXPECT_EQ(services.messages.back().detail, "Please select one using Preference 1/6.");
}

// A write's time: purge (401 ms for a silent single-byte read), then v x 100 ms,
// or by drive for v = 0; above 15 the wait stays at 1500 ms. "junk" waiting
// on the line is dropped before the write.
TEST_F(PeerLinkTest, WriteDropsWaitingBytesAndWaitsByPreferenceAndDrive) {
    ASSERT_EQ(SerialOpen(1, 9600), 1);
    const struct {
        int word118, drive;
        uint32_t wait;
    } cases[] = {{1, 5, 100}, {15, 5, 1500}, {16, 5, 1500}, {0, 5, 125}, {0, 19, 166},
                 {0, 8, 250}, {0, 9, 250},   {0, 20, 250},  {0, 17, 125}};
    for (const auto& c : cases) {
        preferences.word[118] = c.word118;
        preferences.word[kPrefDriveId] = c.drive;
        peer.Send("junk");
        ASSERT_TRUE(peer.WaitPending(4));
        int result = 0;
        EXPECT_EQ(Elapsed([&] { result = SerialWrite(":GR#", 4); }), 401u + c.wait) << c.word118 << " " << c.drive;
        EXPECT_EQ(result, 1);
        char buffer[8];
        EXPECT_EQ(SerialRead(buffer, 4), 0);
    }
    EXPECT_TRUE(peer.WaitReceived(":GR#"));
}

TEST_F(PeerLinkTest, SilentReadGivesNothingAfterItsTimeOut) {
    ASSERT_EQ(SerialOpen(1, 9600), 1);
    char buffer[16];
    int n = -1;
    EXPECT_EQ(Elapsed([&] { n = SerialRead(buffer, 13); }), 413u);
    EXPECT_EQ(n, 0);
    ResetSerialLink();
    EXPECT_EQ(SerialRead(buffer, 13), 0);  // closed
}

// Masks of the callers: 208 (NexStar, camera), 246 (Takahashi), 1.
TEST_F(PeerLinkTest, LineParamsFollowTheMask) {
    EXPECT_EQ(SetSerialLineParams(208), 0);  // not open
    ASSERT_EQ(SerialOpen(1, 9600), 1);
    pl::SerialSettings rtsOn;
    pl::SerialSettings takahashi;
    takahashi.parity = pl::kParityEven;
    takahashi.parityCheck = true;
    takahashi.handshake = true;
    pl::SerialSettings twoStops;
    twoStops.stopBits = 2;
    const struct {
        int mask;
        pl::SerialSettings settings;
    } cases[] = {{208, rtsOn}, {246, takahashi}, {1, twoStops}};
    for (const auto& c : cases) {
        ResetSerialLink();
        ASSERT_EQ(SerialOpen(1, 9600), 1);
        EXPECT_EQ(SetSerialLineParams(c.mask), 1);
        EXPECT_EQ(pl::SerialSettingsLog().back().settings, c.settings) << c.mask;
    }
}

// A line that went away: one clear message, the port closed at once, and a
// new line works after the next open.
TEST_F(SerialLinkTest, HungUpLineIsReportedOnceAndClosed) {
    auto peer = std::make_unique<SerialPeer>(1);
    ASSERT_EQ(SerialOpen(1, 9600), 1);
    peer->HangUp();
    EXPECT_EQ(SerialWrite(":GR#", 4), 0);
    EXPECT_EQ(SerialWrite(":GR#", 4), 0);
    ASSERT_EQ(services.Texts(), std::vector<std::string>{"Serial connection lost"});
    EXPECT_EQ(IsSerialOpen(), 0);
    peer.reset();  // its variable goes with it
    peer = std::make_unique<SerialPeer>(1);
    ASSERT_EQ(SerialOpen(1, 9600), 1);
    EXPECT_EQ(SerialWrite(":GR#", 4), 1);
    EXPECT_TRUE(peer->WaitReceived(":GR#"));
}

TEST_F(SerialLinkTest, FailedWriteLetsTheNextCloseClose) {
    ScriptedSerial line;
    ASSERT_EQ(SerialOpen(1, 9600), 1);
    SerialClose();
    EXPECT_EQ(IsSerialOpen(), 1);  // kept open
    line.writesTimeOut = true;
    EXPECT_EQ(SerialWrite("#:Q#", 4), 0);
    EXPECT_TRUE(services.messages.empty());  // the driver reports it
    SerialClose();
    EXPECT_EQ(IsSerialOpen(), 0);
}

// A device that never stops sending used to hold the purge forever.
TEST_F(SerialLinkTest, EndlessSenderDoesNotHoldThePurge) {
    ScriptedSerial line;
    ASSERT_EQ(SerialOpen(1, 9600), 1);
    line.endless = true;
    EXPECT_EQ(SerialWrite("#:Q#", 4), 1);
    EXPECT_EQ(line.written, "#:Q#");
}

TEST_F(SerialLinkTest, TraceNeverKeepsThePortOpen) {
    ScriptedSerial line;
    serialPortState.trace = 1;
    ASSERT_EQ(SerialOpen(1, 9600), 1);
    EXPECT_EQ(serialPortState.keepOpen, 0);
    SetSerialPersistent(1);
    EXPECT_EQ(serialPortState.keepOpen, 0);
    SerialClose();
    EXPECT_EQ(IsSerialOpen(), 0);
    EXPECT_EQ(SerialStub(7), 0);
}

}  // namespace
