// The names of the serial ports that the preference page offers: row 0 stands
// for no port, rows 1..9 for "COM1:" to "COM9:", the ports that the serial
// layer opens for port index 1..9.
#pragma once

// Fills the list of port names the first time; later calls leave it as it is.
// Returns the number of names.
int InitSerialPortList();

// Number of names in the list (0 before InitSerialPortList).
int GetSerialPortCount();

// Copies name i into dst (at least 8 bytes): empty for an index outside the
// list; nothing for a null dst.
void GetSerialPortName(int i, char* dst);

// Empties the list (tests).
void ResetSerialPortList();
