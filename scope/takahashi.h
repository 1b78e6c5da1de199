// Driver of the Takahashi goto controller (drive 14) over the scope port at
// 19200 baud, even parity, RTS/CTS handshake. Commands are ASCII ended by CR
// LF. The controller must know the site's latitude and the local sidereal
// time, and once in a run on which side of the pier the tube hangs: the
// first connect tells it (asking the user to point at the zenith), later
// gotos send the sidereal time that the dispatcher hands in. Right
// ascension and sidereal time in hours, declination in degrees. Results are
// 1 or 0; failures are reported at once in the "Information" box.
#pragma once

#include "scope/drive_routes.h"

// Local sidereal time (hours) sent with every goto and sync.
extern double takahashiLst;

// Sets takahashiLst. 1.
int SetTakahashiLst(double hours);

// Opens the scope port (nothing more when it is open), sets its line (mask
// 246: even parity checked, handshake; else "Fail to set Takahashi serial
// port parameters") and probes "v\r\n": more than 10 bytes starting 'v'
// accept the controller. Accepted and not yet introduced: the sidereal time
// ("T"), the latitude ("I-33300" for 33.5 S), the zenith question (once a
// run), then the zenith routine: the sidereal time and "Z", position reads
// until the pier side is not 'F' (120 s at most), "PT\r,\n" once when the
// side is not the user's, the sidereal time and "Z" again. A controller that
// is silent, not accepted or never settles: "Fail to open Takahasi
// connection.", the port closed, 0. "Fail to open serial connection" when
// the port cannot be opened.
int ConnectTakahashi();

// Closes the port unless it is to stay open. 1.
int DisconnectTakahashi();

// Takes the local sidereal time of the clock and the site into takahashiLst
// and writes "Thhmmss\r\n". The write's result.
int SendSiderealTime();

// Writes "E\r\n" and reads up to 17 bytes: byte 0 unused, right ascension
// "hhmmzz" (zz hundredths of a minute, 00..99), sign, "ddmm" and a
// tenth-of-minute digit of declination, the pier side. Fewer than 14 bytes, a
// field that is not digits, or values out of range fail. Both outputs are 0
// unless it returns 1.
int QueryTakahashi(double* ra, double* dec);

// Latitude (once, when the connect did not send it), "T" with takahashiLst,
// then "Phhmmzz+ddmmt" (goto) or "Dhhmmzz+ddmmt" (sync): the right ascension
// rounded to hundredths of a minute (24 h written 00), " 00000" for a
// declination of exactly 0; then a 4-byte reply read. Fewer bytes: "No
// response from Takahashi", 0. "R0" succeeds; "R1", "R2", "R3" fail with
// "Takahashi\nWrong ra in Goto.", "...Wrong dec in Goto.", "...Too many
// digits in Goto." (" in Sync." for a sync) as failure text, and a goto
// answered "R1" is stopped with "PS\r\n"; any other reply fails as not
// understood. A place that is not a number fails with no traffic.
int GotoTakahashi(double ra, double dec);
int SyncTakahashi(double ra, double dec);

// The second line of the last failed goto or sync ("" when there is none).
const char* GetTakahashiFailure();

// Rate 0..3: rates 0..2 (fast, find, center) take the motion letters that
// carry the controller's high-speed bit, rate 3 (guide) those without it;
// another rate gives 0 and no I/O is done. Directions 0..3 (north, south,
// east, west) write "MI", "MQ", "MC", "ME" (guide "MH", "MP", "MB", "MD")
// with CR LF.
int SetSlewRateTakahashi(int rate);
int StartSlewTakahashi(int direction);
// Writes "M@\r\n"; returns 0 whatever the write did.
int StopSlewTakahashi();
// Writes "PS\r\n" and "s\r\n", then purges the line; 0 when a write failed.
int AbortTakahashi();

// Forgets that the latitude went out (another drive or port was chosen).
void ForgetTakahashiLatitude();
// Back to the start of a run (tests): nothing sent, the question unasked.
void ResetTakahashiDriver();

// The dispatcher's routes: reads, gotos and syncs first hand the clock's
// local sidereal time to the driver.
extern const DriveRoutes kTakahashiRoutes;
