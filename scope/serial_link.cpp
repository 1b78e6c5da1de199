#include "scope/serial_link.h"

#include "platform/serial_port.h"

SerialPortState serialPortState{};

uint8_t IsSerialOpen() { return serialPortState.open; }

void ClearSerialFlag() { serialPortState.status = 0; }

int IsSerialTrace() { return serialPortState.trace; }

void SetSerialPersistent(int flag) { serialPortState.keepOpen = serialPortState.trace ? 0 : flag; }

void SerialClose() {
    if (serialPortState.keepOpen != 0 || !serialPortState.open) return;
    pl::CloseSerialPort(serialPortState.handle);
    serialPortState.handle = nullptr;
    serialPortState.open = 0;
}
