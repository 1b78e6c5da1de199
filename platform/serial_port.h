// Serial ports over termios. The program names ports "COM1:", "COM2:", ...;
// port n is the device ZENDAVORI_COM<n> when that variable is set, else
// /dev/ttyS<n-1>. A port is opened for exclusive use in raw mode, its line is
// set with SetSerialSettings and its reads are timed by SetSerialTimeouts.
// Every call returns a status; failures also set the last error code
// (platform/last_error.h). Times are milliseconds of the platform clock
// (platform/clock.h): on the virtual clock a wait that sees nothing arrive
// gives the device a moment of real time, then lets the virtual time pass.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pl {

enum SerialStatus {
    kSerialOk = 0,
    kSerialNoDevice,        // no such port name or device
    kSerialAccessDenied,    // no permission to open the device
    kSerialBusy,            // the port is open elsewhere
    kSerialNotATerminal,    // the device is not a serial line
    kSerialBadSetting,      // a line setting outside what the layer supports
    kSerialIoError,         // the device failed or went away
    kSerialTimedOut,        // a write could not finish within its time-out
    kSerialNotOpen,         // no port given
};

enum SerialParity { kParityNone = 0, kParityEven = 2 };

// Line settings. Baud rates 4800, 9600, 19200, 38400, 57600 and 115200;
// 8 data bits; parity none or even, with or without checking of received
// bytes; 1 or 2 stop bits. `handshake` turns on RTS/CTS flow control in both
// directions (output waits for CTS, RTS follows the input buffer); without it
// the DTR and RTS lines stay as `dtr` and `rts` say (a camera release cable
// works through them).
struct SerialSettings {
    int baud = 9600;
    int dataBits = 8;
    SerialParity parity = kParityNone;
    bool parityCheck = false;
    int stopBits = 1;
    bool handshake = false;
    bool dtr = true;
    bool rts = true;
    bool operator==(const SerialSettings&) const = default;
};

// Time-outs in milliseconds. A read of n bytes ends when n bytes have come,
// when readInterval passes after a byte with no further byte (0: no such
// limit), or when readTotalMultiplier * n + readTotalConstant has passed in
// all (both 0: no total limit). A write of n bytes may take
// writeTotalMultiplier * n + writeTotalConstant (both 0: no limit).
struct SerialTimeouts {
    uint32_t readInterval = 400;
    uint32_t readTotalMultiplier = 1;
    uint32_t readTotalConstant = 400;
    uint32_t writeTotalMultiplier = 1;
    uint32_t writeTotalConstant = 400;
};

struct SerialPort;

// Device path of a port name "COM<n>:" (upper or lower case, the colon may be
// left out); empty for any other name or n < 1.
std::string SerialDevicePath(const std::string& portName);

// Opens the port for exclusive use in raw mode, 9600 baud 8N1, DTR and RTS
// on, with the default time-outs above. *port is null on failure.
SerialStatus OpenSerialPort(const std::string& portName, SerialPort** port);

// Closes the port (the DTR and RTS lines drop); null is ignored.
void CloseSerialPort(SerialPort* port);

// The settings last applied to the port (the open's defaults at first).
SerialStatus GetSerialSettings(const SerialPort* port, SerialSettings* settings);

// Applies line settings. Values outside the list above give kSerialBadSetting
// and change nothing. What the device cannot take or show (a pseudo-terminal
// has no DTR or RTS line) is recorded, not an error.
SerialStatus SetSerialSettings(SerialPort* port, const SerialSettings& settings);

SerialStatus GetSerialTimeouts(const SerialPort* port, SerialTimeouts* timeouts);
SerialStatus SetSerialTimeouts(SerialPort* port, const SerialTimeouts& timeouts);

// Reads up to n bytes under the port's time-outs; *count receives the number
// read (0 when none came in time, which is not an error). A device that fails
// gives kSerialIoError with the bytes read before.
SerialStatus ReadSerial(SerialPort* port, void* buffer, int n, int* count);

// Writes n bytes within the write time-out; *count (may be null) receives the
// number written. kSerialTimedOut when the line would not take them all.
SerialStatus WriteSerial(SerialPort* port, const void* buffer, int n, int* count);

enum SerialPurgeFlags { kPurgeInput = 1, kPurgeOutput = 2 };
// Drops bytes received and not read (kPurgeInput) and bytes written and not
// yet sent (kPurgeOutput).
SerialStatus PurgeSerial(SerialPort* port, int flags);

// Short English text of a status, for messages.
const char* SerialStatusText(SerialStatus status);

// One SetSerialSettings (or open) as it reached the device: the port name,
// its device path, the settings asked for, and which of them the device could
// not show (a mask of the kSerialUnshown* bits).
enum SerialUnshown {
    kSerialUnshownLine = 1,    // baud, parity, stop bits or handshake not read back
    kSerialUnshownModem = 2,   // DTR and RTS lines: the device has none
};
struct SerialSettingsRecord {
    std::string portName;
    std::string devicePath;
    SerialSettings settings;
    int unshown = 0;
};

// Every settings record since the last reset, oldest first.
std::vector<SerialSettingsRecord> SerialSettingsLog();
void ResetSerialSettingsLog();

}  // namespace pl
