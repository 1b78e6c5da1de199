// Driver of the hand controllers that speak the NexStar command set: Nexstar
// 5&8 (drive 8), NexStar old GT (9), NexStarGPS,GT,CGE (10), Ultima2000 (15)
// and SkyScan EQ6 (20). Right ascension in hours, declination in degrees (of
// date: the mount points where it is told). The port runs at 9600 baud, 8N1;
// the Ultima2000 also gets RTS on and DTR on (line mask 208).
//
// Angles travel as counts of a full turn (65536 counts, 0.32958984375 arc
// minutes each): four upper-case hex digits, or for drive 8 two raw bytes, high
// byte first. Declinations south of the equator travel as 270..360 deg. Each
// drive differs in handshake, command letters, slew frames and acknowledgement,
// as the routines below say. Results are 1 for success, 0 for failure;
// failures are reported at once in the "Information" box.
#pragma once

// The speed byte of the slew frames: 9, 7, 4 or 2 (fastest first); 9 at start.
extern int nexstarRate;

// Nothing to do with the port already open; else opens the scope port at
// 9600 baud ("Fail to open serial connection") and shakes hands: drive 8
// sends "?" and needs '#'; 9, 10, 20 send "Kx" and need 'x' or 'X' first in
// up to 2 bytes; 15 sends "Kx", then CR, and needs 2 bytes starting 'x'. A
// drive outside the family says "Seems scope is not a Nexstar !". A failed
// handshake says "Fail to open Nexstar connection" and really closes the port.
int ConnectNexStar();

// Closes the port (the keep-open switch may hold it). 1.
int DisconnectNexStar();

// Reads the mount's place. Drive 8: "?" (one byte back), then "E" and four
// raw bytes; the others: "E" (15: then CR) and the reply "hhhh,hhhh#" (hex
// digits of either case). Declination readings fold into -90..90: (90, 270]
// becomes 180 - v, (270, 360) v - 360. Both outputs are 0 unless it returns 1;
// a reply that is short or not of that form fails.
int QueryNexStar(double* ra, double* dec);

// Sends a goto. Drive 8: "?" (one byte back), then 'R' and the four raw count
// bytes; the others "Rhhhh,hhhh" (15: then CR) and one reply byte, which must
// be '#' (the SkyScan EQ6, drive 20, may answer any byte). The right
// ascension is wrapped into [0, 24) h first. Fails when a write fails, the
// reply is missing or another byte, drive 8's "?" goes unanswered, or the
// place is not a number (nothing is sent then).
int GotoNexStar(double ra, double dec);

// Sends a sync as "Shhhh,hhhh" (15: "Fhhhh,hhhh" then CR); its reply byte is
// checked as a goto's, then the rest of the reply is drained. Drive 8 has no
// sync command (its goto bytes would slew the mount): 0, nothing sent.
int SyncNexStar(double ra, double dec);

// The second line of the last failed goto or sync: kNoReplyFromMount or
// kMountReplyNotUnderstood (scope/controller_link.h); "" when there is none.
const char* GetNexStarFailure();

// Rate 0..3 sets nexstarRate to 9, 7, 4, 2; another rate gives 0.
int SetSlewRateNexStar(int rate);

// Directions 0..3 are north, south, east, west; another direction sends
// nothing and gives 0. Drives 10, 20: the frame 'P', 2, axis, command, speed,
// 0, 0, 0 (north 17/36, south 17/37, east 16/37, west 16/36; a stop is command
// 36 at speed 0) and one reply byte; a stop that drive 10 sees unanswered by
// '#' says "No acknowledgement from telescope in StopSlew." and still
// succeeds. Drive 9: the old GT frames with the speed nexstarRate x 100000 / 9
// in three bytes, nothing read. Drive 15: no traffic, 1. Drive 8: 0.
int StartSlew(int direction);
int StopSlew(int direction);

// Aborts a goto. Drive 9: the bytes 5, 25. Drives 10, 15, 20: "M" and one
// reply byte; 10 and 15 say "No acknowledgement from telescope in Stop Goto."
// unless it is '#' and still succeed. Drive 8: 0. 0 when the write fails.
int StopGoto();

// Back to the start of a run: nexstarRate 9 (tests).
void ResetNexStarDriver();
