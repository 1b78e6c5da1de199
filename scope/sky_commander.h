// Driver of the SkyCommander setting-circle computer (drive 19): position
// read and goto over the scope port at 9600 baud, in plain decimal text. The
// controller works in J2000 (see scope/servocat.h). Right ascension in hours,
// declination in degrees. Results are 1 or 0; failures are reported at once
// in the "Information" box.
#pragma once

#include "scope/drive_routes.h"

// Opens the scope port (nothing to do when it is open) with the busy
// indicator stepped: "Fail to open serial connection" when it cannot.
int ConnectSkyCommander();

// Closes the port unless it is to stay open. 1.
int DisconnectSkyCommander();

// Writes CR (a failed write closes the port) and reads up to 16 bytes:
// "hh.hhhh sdd.ddd", bytes 0..6 the right ascension and 8 on the
// declination. No reply, a field without a number, a right ascension outside
// 0..24 h (24 is 0) or a declination beyond 90 deg fail. Both outputs are 0
// unless it returns 1.
int QuerySkyCommander(double* ra, double* dec);

// Writes "L0 05.500 +07.250\n" (three decimals, rounded; two integer digits
// each, a right ascension that rounds to 24 h written 00.000) and reads one
// byte: 'A' is 1; anything else "Fail to get SkyCommander ack for ra & dec
// set.", 0. A failed write: "Fail to send string" with the command, 0. The
// right ascension is wrapped into [0, 24) h, the declination capped at 90.
int GotoSkyCommander(double ra, double dec);

// The dispatcher's routes: the read turned to the place of date, a goto that
// is never counted a success.
extern const DriveRoutes kSkyCommanderRoutes;
