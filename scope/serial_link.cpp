#include "scope/serial_link.h"

#include <algorithm>

#include "core/preferences.h"
#include "core/services.h"
#include "platform/clock.h"
#include "scope/serial_port_list.h"

SerialPortState serialPortState{};

namespace {

constexpr int kSettleMs = 3500;
constexpr int kWriteDelayLimit = 15;  // word 118 steps of 100 ms

pl::SerialPort* Port(void* port) { return static_cast<pl::SerialPort*>(port); }

pl::SerialStatus PlatformOpen(const std::string& name, void** port) {
    pl::SerialPort* p = nullptr;
    pl::SerialStatus status = pl::OpenSerialPort(name, &p);
    *port = p;
    return status;
}
void PlatformClose(void* port) { pl::CloseSerialPort(Port(port)); }
pl::SerialStatus PlatformConfigure(void* port, const pl::SerialSettings& s) {
    return pl::SetSerialSettings(Port(port), s);
}
pl::SerialStatus PlatformTimeouts(void* port, const pl::SerialTimeouts& t) {
    return pl::SetSerialTimeouts(Port(port), t);
}
pl::SerialStatus PlatformRead(void* port, void* buffer, int n, int* count) {
    return pl::ReadSerial(Port(port), buffer, n, count);
}
pl::SerialStatus PlatformWrite(void* port, const void* buffer, int n, int* count) {
    return pl::WriteSerial(Port(port), buffer, n, count);
}
pl::SerialStatus PlatformPurge(void* port) { return pl::PurgeSerial(Port(port), pl::kPurgeInput | pl::kPurgeOutput); }

SerialDevice device = PlatformSerialDevice();
pl::SerialSettings lineSettings;  // what the open port was last set to
char portName[16];
int lineLost = 0;

void CloseHandleNow() {
    device.close(serialPortState.handle);
    serialPortState.handle = nullptr;
    serialPortState.open = 0;
}

// The device failed (not a time-out): the line is gone, so the port is closed
// now and the user told once.
void LineLost() {
    lineLost = 1;
    serialPortState.keepOpen = 0;
    CloseHandleNow();
    ShowInformation("Serial connection lost", std::string(portName) + " stopped answering; check the cable.");
}

// Milliseconds to wait after a write (preference word 118 and the drive).
uint32_t WriteDelayMs() {
    int v = preferences.word[118];
    if (v >= 1) return static_cast<uint32_t>(std::min(v, kWriteDelayLimit) * 100);
    switch (preferences.word[kPrefDriveId]) {
    case 8:
    case 9:
    case 20: return 250;
    case 19: return 166;
    default: return 125;
    }
}

// Opens the named port with the open's line and time-outs; 0 with the
// message of the step that failed.
int OpenDevice(const char* name, int baud) {
    void* port = nullptr;
    if (device.open(name, &port) != pl::kSerialOk || !port) {
        ShowInformation("Can't open serial port", name);
        return 0;
    }
    pl::SerialSettings s;
    s.baud = baud;
    s.dtr = false;
    s.rts = false;
    if (device.configure(port, s) != pl::kSerialOk) {
        ShowInformation("Can't set serial port parameters", "");
        device.close(port);
        return 0;
    }
    if (device.setTimeouts(port, pl::SerialTimeouts{400, 1, 400, 1, 400}) != pl::kSerialOk) {
        ShowInformation("Unable to set the time-out parameters", "");
        device.close(port);
        return 0;
    }
    serialPortState.handle = port;
    lineSettings = s;
    return 1;
}

}  // namespace

uint8_t IsSerialOpen() { return serialPortState.open; }

void ClearSerialFlag() { serialPortState.status = 0; }

int IsSerialTrace() { return serialPortState.trace; }

void SetSerialPersistent(int flag) { serialPortState.keepOpen = serialPortState.trace ? 0 : flag; }

int SerialOpen(int portIndex, int baud) {
    if (serialPortState.open) return 1;
    serialPortState.keepOpen = serialPortState.trace == 0 ? 1 : 0;
    if (GetSerialPortCount() < 2) InitSerialPortList();
    if (portIndex < 0 || portIndex > GetSerialPortCount()) return 0;
    if (portIndex == 0) {
        ShowInformation("No communication port is selected.\n", "Please select one using Preference 1/6.");
        return 0;
    }
    GetSerialPortName(portIndex, portName);
    if (!OpenDevice(portName, baud)) {
        serialPortState.keepOpen = 0;
        return 0;
    }
    pl::Sleep(kSettleMs);
    serialPortState.open = 1;
    lineLost = 0;
    return 1;
}

int SetSerialLineParams(int mask) {
    if (!serialPortState.open) return 0;
    pl::SerialSettings s = lineSettings;
    if (mask & 1) s.stopBits = 2;
    if (mask & 2) s.parityCheck = true;
    if (mask & 4) s.parity = pl::kParityEven;
    s.dtr = true;
    s.rts = true;
    s.handshake = (mask & 32) != 0;
    if (device.configure(serialPortState.handle, s) == pl::kSerialOk) {
        lineSettings = s;
        return 1;
    }
    ShowInformation("Can't set serial port parameters", "");
    serialPortState.keepOpen = 0;
    CloseHandleNow();
    return 0;
}

void SerialPurge() {
    if (!serialPortState.open) return;
    unsigned char byte;
    for (int i = 0; i < kSerialPurgeLimit && serialPortState.open && SerialRead(&byte, 1) == 1; ++i) {
    }
    if (serialPortState.open) device.purge(serialPortState.handle);
}

int SerialWrite(const void* buffer, int n) {
    if (!serialPortState.open) return 0;
    SerialPurge();
    if (!serialPortState.open) return 0;
    int written = 0;
    pl::SerialStatus status = device.write(serialPortState.handle, buffer, n, &written);
    if (status != pl::kSerialOk || written != n) {
        serialPortState.keepOpen = 0;
        if (status == pl::kSerialIoError) LineLost();
        return 0;
    }
    pl::Sleep(WriteDelayMs() & 0xFFFF);
    return 1;
}

int SerialRead(void* buffer, int n) {
    if (!serialPortState.open || n <= 0 || !buffer) return 0;
    int count = 0;
    if (device.read(serialPortState.handle, buffer, n, &count) == pl::kSerialIoError) LineLost();
    return std::clamp(count, 0, n);
}

void SerialClose() {
    if (serialPortState.keepOpen != 0 || !serialPortState.open) return;
    CloseHandleNow();
}

int SerialStub(int) { return 0; }

int IsSerialLineLost() { return lineLost; }

SerialDevice PlatformSerialDevice() {
    return SerialDevice{PlatformOpen,  PlatformClose, PlatformConfigure, PlatformTimeouts,
                        PlatformRead, PlatformWrite, PlatformPurge};
}

SerialDevice InstallSerialDevice(const SerialDevice& replacement) {
    SerialDevice previous = device;
    device = replacement;
    return previous;
}

void ResetSerialLink() {
    if (serialPortState.open) CloseHandleNow();
    serialPortState = SerialPortState{};
    lineSettings = pl::SerialSettings{};
    portName[0] = '\0';
    lineLost = 0;
}
