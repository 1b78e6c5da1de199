// The drive dispatcher: every telescope operation of the program goes through
// it. It reads the selected drive (preference word 0) and calls the routine of
// the drive's family (scope/drive_table.h). Right ascension in hours,
// declination, altitude and azimuth in degrees. Results are 1 or 0; failures
// are reported in the "Information" box by the routine that meets them.
// Families whose drivers are not in the program yet are refused with the
// texts used for PowerFlex and Dynastar, naming the drive.
#pragma once

// 1 while the Meade drivers, the encoder boxes (connect and reads) and the
// slews of drives without motors answer from a simulated mount and never
// touch the port. 0 at start; the start-up
// sets it from ZENDAVORI_SCOPE_SIMULATION=1.
extern int scopeSimulation;
// The sky chart's telescope marker flag: the chart sets and clears it; the
// dispatcher never does.
extern int scopeConnected;
// Set by the scope control form while it is open.
extern int scopeActive;

// Connects the selected drive (the port then stays open). Drive 0: "Sorry,
// no scope drive is selected"; 100, 101: "Scope Connect not supported for
// the drive you selected"; an id outside the table: "Unknown scope drive".
// When the drive or the scope port differs from that of the last successful
// connect while the port is open, the port is really closed first and the
// old drive's probe forgotten, so the new drive gets its own line and probe.
int ScopeConnect();
// Drive 0, 100, 101: "Disconnect scope not supported"; unknown: "Unknown
// scope drive.".
int ScopeDisconnect();

// Slew rate 0..3 (fast, find, center, guide), start and stop a slew in
// direction 0..3 (north, south, east, west), abort. Drives with motors
// (Meade 2, 5, 17, NexStar 9, 10, 15, 20, Takahashi, SiderealTech) call
// their family, or with the port closed (a Meade mount not simulated) give 0
// and say "Connection not open!" once until the next successful connect;
// every other known drive slews the simulated encoder mount while
// simulating, else does nothing and returns its argument (abort 0). An id
// outside the table: "Unknown scope drive." ("Unknown scope drive" for the
// start), 0.
int ScopeSetSlewRate(int rate);
int ScopeStartSlew(int direction);
int ScopeStopSlew(int direction);
int ScopeAbort();

// The abort of a form that leaves the mount (the scope control form's Ok and
// its release, the quit included): with the port closed since a mount was
// connected in this run (a drive with motors, not the simulated Meade) the
// mount is connected again first, as any command connects it; with no mount
// connected in this run there is nothing to stop: 0, and nothing is said.
// Else ScopeAbort's result.
int ScopeAbortOnLeaving();

// Connects, reads the mount's right ascension and declination, disconnects.
// Both outputs are 0 unless it returns 1; a failed read says the family's
// text ("Failed to get Meade RA and Dec.", "Failed to get Celestron RA and
// Dec", "Failed to get Encoder RA and Dec", for AZ and Encoder output "Failed
// to get Encoder Az and Alt"). ServoCat and SkyCommander readings (J2000) are
// turned to the place of date; SiderealTech reads its axes (azimuth,
// altitude) for AZ and Encoder output, encoder boxes their azimuth (/ 15 for
// EQ output) and altitude. Drive 0: "No drive is selected in Preference";
// 100, 101: "Read not yet implemented for PowerFlex" / "... Dynastar".
int ScopeGetRaDec(double* ra, double* dec);

// The live reading of the chart marker and the position panel: connects
// and reads the mount (the encoder box for drive 0); a failed connect gives 0
// with its own message only, and after a lost line (reported when it went)
// it gives 0 at once until a connect elsewhere opens the port again. With a
// valid alignment of the program's own, turns the reading into
// the sky place through the alignment at the clock's time; without a valid
// alignment an encoder box's reading, or a SiderealTech axis reading (AZ and
// Encoder output), becomes right ascension and declination at the clock's
// sidereal time. Outputs 0 unless it returns 1.
int ScopeGetPosition(double* ra, double* dec);

// A sync is sent as a goto of an alignment star is: topocentric, refracted.
constexpr int kSyncPositionMode = 3;

// Synchronises the mount on a place, sent as its place of date in a position
// mode at the clock's date and time (as a goto sends it): a J2000 place in
// modes 0..3, by default topocentric and refracted; a place already of date
// (a body's) for a negative mode. Returns the family's result after
// disconnecting; "Sync failed" when it failed (the mount's reason, when the
// driver knows it, as second line), or "Sorry, this function is not
// implemented for your telescope" alone for a drive without sync.
int ScopeSync(double ra, double dec, int positionMode = kSyncPositionMode);

// Sends the mount to a place (J2000 in positionMode 0..3 as the alignment
// stars take it, of date for a negative mode): the mount receives the place
// of date of that mode at the clock's date and time (the place itself when it
// cannot be computed), passed through the pointing model with the alignment
// source "External", else through the two-star alignment ("Please first perfom
// the 2 star aligment" when there is none: the place goes out unconverted).
// Drives 0, 6, 7 only show the sky and scope places; an encoder box keeps the
// place as its pending target and opens the scope form with a connect, which
// is not counted a success. A failure says "Goto
// failed" (with a refusal's text as second line) and disconnects; a success
// keeps the mount connected and opens the scope control form, unless it is
// already open over the sky chart; the Nexstar 5&8 is disconnected instead and
// counts no success. ServoCat and SkyCommander gotos are sent but never a
// success (ServoCat disconnects). Returns 1 on success.
int ScopeGoto(double ra, double dec, int positionMode);

// The goto's horizon rule, the same for every form that sends one: a target
// whose altitude (degrees) is not above 2.0 is refused with "This object is
// below the horizon" (true); nothing is sent to the mount then.
bool GotoRefusedBelowHorizon(double altitude);

// Back to the start of a run: flags 0, the last connected drive forgotten
// (tests).
void ResetScopeDispatch();
