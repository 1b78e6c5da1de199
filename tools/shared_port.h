// The one serial port shared by a telescope drive, which keeps it open
// between its commands, and the devices that open and close it themselves
// (the camera release, the GPS reader). SerialOpen of an open port returns at
// once with the drive's port, and it sets the keep-open switch that makes
// SerialClose do nothing; so before such a device uses the port, a port held
// open is really closed, each of the device's opens is really closed again,
// and afterwards the keep-open switch the drive had comes back: the drive
// reopens its own port at its next command.
#pragma once

// Records the keep-open switch and really closes a port left open. Returns
// the switch to give back with GiveBackSharedPort.
int TakeSharedPort();

// SerialOpen of port `portIndex` (the serial layer's list: i = "COM<i>:") at
// `baud`, with the keep-open switch cleared so that SerialClose closes it.
// 1 when open; 0 with the serial layer's message.
int OpenPortForOneUse(int portIndex, int baud);

// Puts back the keep-open switch that TakeSharedPort recorded.
void GiveBackSharedPort(int keepOpen);
