#include "tools/shared_port.h"

#include "scope/serial_link.h"

int TakeSharedPort() {
    int keepOpen = serialPortState.keepOpen;
    if (IsSerialOpen()) {
        SetSerialPersistent(0);
        SerialClose();
    }
    return keepOpen;
}

int OpenPortForOneUse(int portIndex, int baud) {
    int opened = SerialOpen(portIndex, baud);
    SetSerialPersistent(0);
    return opened;
}

void GiveBackSharedPort(int keepOpen) { SetSerialPersistent(keepOpen); }
