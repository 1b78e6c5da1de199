// The program's one serial port, shared by the telescope drives, the GPS
// reader and the camera release: open with fixed line settings and read
// time-outs, an optional change of the line, purge-then-write with a fixed
// wait after each write, blocking reads, and a close that the keep-open switch
// can hold off so that the port stays open between operations. Everything runs
// on the UI thread and blocks it; waits are in milliseconds of the platform
// clock.
#pragma once

#include <cstdint>
#include <string>

#include "platform/serial_port.h"

struct SerialPortState {
    void* handle;     // the open port of the device below; null when closed
    uint8_t open;     // 1 while the port is open
    uint8_t status;   // status byte, cleared by ClearSerialFlag
    int trace;        // diagnostic trace switch; never set by the program
    int keepOpen;     // while non-zero SerialClose leaves the port open
};

extern SerialPortState serialPortState;

uint8_t IsSerialOpen();
void ClearSerialFlag();
int IsSerialTrace();

// keepOpen := flag, or 0 while the trace switch is set.
void SetSerialPersistent(int flag);

// Opens port `portIndex` of the port-name list (preference word 1: 0 none,
// i = "COM<i>:") at `baud`, 8N1, no flow control, DTR and RTS off, with read
// time-outs of 400 ms between bytes and 400 ms + 1 ms per byte in all, then
// waits 3500 ms for the device to settle. Already open: 1 at once, nothing
// applied. Index 0: "No communication port is selected.\n" / "Please select
// one using Preference 1/6."; an index beyond the list fails silently; a port
// that cannot be opened: "Can't open serial port" with its name; the line
// settings refused: "Can't set serial port parameters"; the time-outs
// refused: "Unable to set the time-out parameters". Returns 1 or 0.
int SerialOpen(int portIndex, int baud);

// Changes the open line by mask bits: 1 two stop bits, 2 parity checking,
// 4 even parity, 32 RTS/CTS handshake; DTR and RTS are turned on (bit 16
// alone keeps RTS on). Returns 1; 0 when the port is closed, or with "Can't
// set serial port parameters" when the device refuses (the port is closed).
int SetSerialLineParams(int mask);

// Purges the line, writes n bytes and waits: preference word 118 = v in
// 1..15 waits v x 100 ms (above 15: 1500 ms); 0 waits 250 ms for drives 8, 9
// and 20, 166 ms for drive 19, 125 ms for any other. Returns 1; 0 when the
// port is closed or the write failed (the keep-open switch is then cleared).
int SerialWrite(const void* buffer, int n);

// Reads up to n bytes under the time-outs; the number read (0 when nothing
// came in time or the port is closed). The bytes are not NUL-terminated.
int SerialRead(void* buffer, int n);

// Reads and drops single bytes until a read brings none (at most
// kSerialPurgeLimit, so a device that never stops sending cannot hold the
// program), then discards both directions of the line.
void SerialPurge();
constexpr int kSerialPurgeLimit = 1024;

// Closes the port unless it is to stay open.
void SerialClose();

// Does nothing; returns 0 (the GPS reader calls it).
int SerialStub(int);

// A device that went away (the line failed, a cable was pulled) is reported
// once as "Serial connection lost" with the port name, and the port is closed
// at once, so that the operation in hand ends and the next connect opens the
// port again.

// 1 from a line lost until the next successful SerialOpen.
int IsSerialLineLost();

// The device under the serial layer: the platform's serial ports unless a
// test or a fuzz target installs a stand-in. Every member is required.
struct SerialDevice {
    pl::SerialStatus (*open)(const std::string& name, void** port);
    void (*close)(void* port);
    pl::SerialStatus (*configure)(void* port, const pl::SerialSettings& settings);
    pl::SerialStatus (*setTimeouts)(void* port, const pl::SerialTimeouts& timeouts);
    pl::SerialStatus (*read)(void* port, void* buffer, int n, int* count);
    pl::SerialStatus (*write)(void* port, const void* buffer, int n, int* count);
    pl::SerialStatus (*purge)(void* port);
};

// The platform's serial ports.
SerialDevice PlatformSerialDevice();
// Installs a device; returns the one it replaces. Only while the port is closed.
SerialDevice InstallSerialDevice(const SerialDevice& device);

// Back to the start of a run: the port closed (really), every field 0 (tests).
void ResetSerialLink();
