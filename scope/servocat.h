// Driver of the ServoCat controller (drive 13): position read and goto over
// the scope port at 9600 baud, in plain decimal text. The controller works in
// J2000: the dispatcher's read turns its place into the place of date, and it
// gets the catalogue place under the alignment source "External". Right
// ascension in hours, declination in degrees. Results are 1 or 0; failures
// are reported at once in the "Information" box.
#pragma once

#include "scope/drive_routes.h"

// Opens the scope port (nothing to do when it is open) with the busy
// indicator stepped: "Fail to open serial connection" when it cannot. No
// handshake.
int ConnectServoCat();

// Closes the port unless it is to stay open. 1.
int DisconnectServoCat();

// Writes CR and reads up to 16 bytes: " hh.hhh sdd.ddd" and a NUL, the
// right ascension in hours and the declination with its sign '+' or '-',
// each with three decimals. The leading blank may be missing and the NUL may
// be absent; any other reply, a right ascension outside 0..24 h (24 is 0) or
// a declination beyond 90 deg fail. Both outputs are 0 unless it returns 1.
int QueryServoCat(double* ra, double* dec);

// Writes "g05.500 -10.250" and its check byte, the exclusive-or of the 14
// bytes after the 'g': the hours and thousandths of an hour, then the sign,
// whole degrees and thousandths of a degree, each fraction truncated (a
// declination of exactly 0 takes '-'). The right ascension is wrapped into
// [0, 24) h, the declination capped at 90 deg. Then waits about 1 s for the
// controller's answer: 'G' (taken) or none (firmware before 6.1) give 1; 'X'
// (refused) or any other byte give 0, and the dispatcher's "Goto failed"
// says why. A failed write: "Fail to send string" with the command, 0.
int GotoServoCat(double ra, double dec);

// The dispatcher's routes: the read turned to the place of date, a goto that
// always disconnects and is never counted a success (a refused one is told).
extern const DriveRoutes kServoCatRoutes;
