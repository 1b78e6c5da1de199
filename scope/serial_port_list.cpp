#include "scope/serial_port_list.h"

#include <cstdio>

namespace {

constexpr int kPortCount = 10;  // the Scope, GPS and Camera Port words hold 0..9
constexpr int kNameSize = 8;

char portNames[kPortCount][kNameSize];
int portCount = 0;

}  // namespace

int InitSerialPortList() {
    if (portCount == 0) {
        std::snprintf(portNames[0], kNameSize, "None");
        for (int i = 1; i < kPortCount; ++i) std::snprintf(portNames[i], kNameSize, "COM%d:", i);
        portCount = kPortCount;
    }
    return portCount;
}

int GetSerialPortCount() { return portCount; }

void GetSerialPortName(int i, char* dst) {
    if (!dst) return;
    dst[0] = '\0';
    if (i >= 0 && i < portCount) std::snprintf(dst, kNameSize, "%s", portNames[i]);
}

void ResetSerialPortList() { portCount = 0; }
