#include "platform/serial_port.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/clock.h"
#include "platform/last_error.h"
#include "support/recording_window.h"
#include "support/serial_peer.h"

namespace {

using namespace pl;

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSerialSettingsLog();
        ASSERT_EQ(OpenSerialPort(peer_.PortName(), &port_), kSerialOk);
    }
    void TearDown() override {
        CloseSerialPort(port_);
    }
    // Reads up to n bytes; returns them, with the virtual time taken in *ms.
    std::string Read(int n, uint32_t* ms) {
        std::string buf(static_cast<size_t>(n), '\0');
        int count = -1;
        uint32_t start = GetTickCount();
        EXPECT_EQ(ReadSerial(port_, buf.data(), n, &count), kSerialOk);
        *ms = GetTickCount() - start;
        buf.resize(static_cast<size_t>(count < 0 ? 0 : count));
        return buf;
    }
    void Write(const std::string& bytes) {
        int count = -1;
        ASSERT_EQ(WriteSerial(port_, bytes.data(), static_cast<int>(bytes.size()), &count), kSerialOk);
        EXPECT_EQ(count, static_cast<int>(bytes.size()));
    }

    testwin::VirtualClock clock_;  // the time-outs pass in virtual time
    SerialPeer peer_{3};
    SerialPort* port_ = nullptr;
};

TEST_F(SerialPortTest, WrittenBytesArriveAndTheReplyIsReadWithinTheTimeOut) {
    peer_.Respond(":GR#", "12:34:56#");
    Write(":GR#");
    EXPECT_TRUE(peer_.WaitReceived(":GR#"));
    uint32_t ms = 0;
    EXPECT_EQ(Read(9, &ms), "12:34:56#");
    EXPECT_EQ(ms, 0u);  // all nine bytes came before any time-out
}

// Silent line: the total time-out is 400 ms + 1 ms per byte asked for.
TEST_F(SerialPortTest, SilentPeerGivesNoBytesAfterTotalTimeOut) {
    uint32_t ms = 0;
    EXPECT_EQ(Read(9, &ms), "");
    EXPECT_EQ(ms, 409u);
    EXPECT_EQ(Read(1, &ms), "");
    EXPECT_EQ(ms, 401u);
}

// A reply that stops half-way ends the read 400 ms after its last byte.
TEST_F(SerialPortTest, HalfReplyReturnsWhatCameAfterIntervalTimeOut) {
    peer_.Respond("#", "12:3");
    Write(":GD#");
    uint32_t ms = 0;
    EXPECT_EQ(Read(9, &ms), "12:3");
    EXPECT_EQ(ms, 400u);
}

TEST_F(SerialPortTest, PurgeDropsPendingInput) {
    peer_.Send("junk");
    ASSERT_TRUE(peer_.WaitPending(4));
    ASSERT_EQ(PurgeSerial(port_, kPurgeInput | kPurgeOutput), kSerialOk);
    uint32_t ms = 0;
    EXPECT_EQ(Read(4, &ms), "");
    peer_.Send("ok");
    ASSERT_TRUE(peer_.WaitPending(2));
    EXPECT_EQ(Read(2, &ms), "ok");
}

TEST_F(SerialPortTest, WriteToALineThatTakesNothingTimesOut) {
    peer_.SetReading(false);
    std::string big(200000, 'x');
    int count = -1;
    uint32_t start = GetTickCount();
    EXPECT_EQ(WriteSerial(port_, big.data(), static_cast<int>(big.size()), &count), kSerialTimedOut);
    EXPECT_GT(count, 0);
    EXPECT_LT(count, 200000);
    EXPECT_EQ(GetTickCount() - start, 200400u);
}

TEST_F(SerialPortTest, DeadLineGivesAnErrorStatus) {
    peer_.HangUp();
    char buf[4];
    int count = -1;
    EXPECT_EQ(ReadSerial(port_, buf, 4, &count), kSerialIoError);
    EXPECT_EQ(count, 0);
}

// The line settings of the drives that change them: 8N1 with RTS handshake
// and DTR on (NexStar family, camera release), and 8E1 with parity checking
// and RTS/CTS flow (Takahashi).
TEST_F(SerialPortTest, AppliedSettingsAreRecorded) {
    const SerialSettings nexstar{.baud = 9600, .dtr = true, .rts = true};
    const SerialSettings takahashi{.baud = 19200, .parity = kParityEven, .parityCheck = true, .handshake = true};
    const SerialSettings twoStop{.baud = 115200, .stopBits = 2, .dtr = false, .rts = false};
    for (const SerialSettings& s : {nexstar, takahashi, twoStop}) {
        ASSERT_EQ(SetSerialSettings(port_, s), kSerialOk);
        SerialSettings back;
        ASSERT_EQ(GetSerialSettings(port_, &back), kSerialOk);
        EXPECT_EQ(back, s);
        std::vector<SerialSettingsRecord> log = SerialSettingsLog();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back().settings, s);
        EXPECT_EQ(log.back().portName, "COM3:");
        EXPECT_EQ(log.back().devicePath, peer_.DevicePath());
        // A pseudo-terminal has no DTR or RTS line: recorded, not an error.
        EXPECT_TRUE(log.back().unshown & kSerialUnshownModem);
    }
    EXPECT_EQ(SerialSettingsLog().size(), 4u);  // the open's defaults, then three
}

TEST_F(SerialPortTest, UnsupportedSettingsAreRefusedAndChangeNothing) {
    const SerialSettings bad[] = {{.baud = 300}, {.baud = 230400}, {.dataBits = 7}, {.stopBits = 3}};
    for (const SerialSettings& s : bad) {
        EXPECT_EQ(SetSerialSettings(port_, s), kSerialBadSetting);
        SerialSettings back;
        GetSerialSettings(port_, &back);
        EXPECT_EQ(back, SerialSettings{});
    }
    EXPECT_EQ(SerialSettingsLog().size(), 1u);
}

TEST_F(SerialPortTest, SecondOpenOfAnOpenPortIsBusy) {
    SerialPort* second = nullptr;
    EXPECT_EQ(OpenSerialPort(peer_.PortName(), &second), kSerialBusy);
    EXPECT_EQ(second, nullptr);
}

TEST(SerialPortNames, MapToVariableOrTtyS) {
    unsetenv("ZENDAVORI_COM2");
    setenv("ZENDAVORI_COM4", "/dev/ttyUSB0", 1);
    EXPECT_EQ(SerialDevicePath("COM1:"), "/dev/ttyS0");
    EXPECT_EQ(SerialDevicePath("COM2:"), "/dev/ttyS1");
    EXPECT_EQ(SerialDevicePath("com2"), "/dev/ttyS1");
    EXPECT_EQ(SerialDevicePath("COM4:"), "/dev/ttyUSB0");
    EXPECT_EQ(SerialDevicePath("COM12:"), "/dev/ttyS11");
    for (const char* bad : {"COM0:", "COM:", "LPT1:", "", "COMx:", "COM1:x", "COM9999999:"})
        EXPECT_EQ(SerialDevicePath(bad), "") << bad;
    unsetenv("ZENDAVORI_COM4");
}

TEST(SerialPortOpen, MissingDeviceGivesErrorStatusNeverACrash) {
    setenv("ZENDAVORI_COM7", "/nonexistent/ttyZZ", 1);
    SerialPort* port = reinterpret_cast<SerialPort*>(1);
    EXPECT_EQ(OpenSerialPort("COM7:", &port), kSerialNoDevice);
    EXPECT_EQ(port, nullptr);
    EXPECT_EQ(GetLastError(), 2u);  // ENOENT
    EXPECT_EQ(OpenSerialPort("LPT1:", &port), kSerialNoDevice);
    unsetenv("ZENDAVORI_COM7");
    // Every call on no port answers with a status.
    char buf[2];
    int count = -1;
    EXPECT_EQ(ReadSerial(nullptr, buf, 2, &count), kSerialNotOpen);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(WriteSerial(nullptr, buf, 2, nullptr), kSerialNotOpen);
    EXPECT_EQ(PurgeSerial(nullptr, kPurgeInput), kSerialNotOpen);
    EXPECT_EQ(SetSerialSettings(nullptr, SerialSettings{}), kSerialNotOpen);
    CloseSerialPort(nullptr);
}

TEST(SerialPortOpen, RegularFileIsNotASerialPort) {
    std::string path = ::testing::TempDir() + "zendavori_not_a_tty";
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    setenv("ZENDAVORI_COM8", path.c_str(), 1);
    SerialPort* port = nullptr;
    EXPECT_EQ(OpenSerialPort("COM8:", &port), kSerialNotATerminal);
    EXPECT_EQ(port, nullptr);
    unsetenv("ZENDAVORI_COM8");
    std::remove(path.c_str());
}

// On the real clock a silent read waits its time-out (lower bound only).
TEST(SerialPortRealClock, SilentReadWaitsItsTimeOut) {
    SerialPeer peer(5);
    SerialPort* port = nullptr;
    ASSERT_EQ(OpenSerialPort(peer.PortName(), &port), kSerialOk);
    SerialTimeouts t;
    t.readInterval = 20;
    t.readTotalConstant = 30;
    ASSERT_EQ(SetSerialTimeouts(port, t), kSerialOk);
    auto start = std::chrono::steady_clock::now();
    char buf[10];
    int count = -1;
    EXPECT_EQ(ReadSerial(port, buf, 10, &count), kSerialOk);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(count, 0);
    EXPECT_GE(ms.count(), 35);  // the port counts whole milliseconds of its own clock
    CloseSerialPort(port);
}

}  // namespace
