// The program's one serial port, shared by the telescope drives, the GPS
// reader and the camera release: its open state and the switch that keeps it
// open between operations.
#pragma once

#include <cstdint>

namespace pl {
struct SerialPort;
}

struct SerialPortState {
    pl::SerialPort* handle;  // the open port; null when closed
    uint8_t open;            // 1 while the port is open
    uint8_t status;          // status byte, cleared by ClearSerialFlag
    int trace;               // diagnostic trace switch; never set by the program
    int keepOpen;            // while non-zero SerialClose leaves the port open
};

extern SerialPortState serialPortState;

uint8_t IsSerialOpen();
void ClearSerialFlag();
int IsSerialTrace();

// keepOpen := flag, or 0 while the trace switch is set.
void SetSerialPersistent(int flag);

// Closes the port unless it is to stay open.
void SerialClose();
