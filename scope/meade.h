// Driver of the mounts that speak the Meade command language: AutoStar
// (drive 2), LX200 (5), Losmandy (17) and the read-only Magelan-I and -II
// setting circles (6, 7). Right ascension in hours, declination in degrees
// (of date: the mount points where it is told). Commands are written and
// replies read through the serial layer (scope/serial_link.h); while
// scopeSimulation is set every operation works on a simulated mount instead
// and the port is never used. Results are 1 for success, 0 for failure, and
// failures are reported at once in the "Information" box.
#pragma once

#include <cstddef>

// Connects: nothing to do while simulating or with the port already open;
// else opens the scope port at 9600 baud ("Fail to open serial connection")
// and probes the mount: drives 2, 5, 17 answer "#:GD#" with their declination
// (6 bytes or more accept it; 10 bytes mean high precision, kept for the
// run), drives 6, 7 answer "#:GC#" with 9 bytes. A mount that does not
// answer: "Fail to open Meade connection", and the port is closed.
int Connect();

// Closes the port unless simulating (the keep-open switch may hold it). 1.
int DisconnectMeade();

// Reads the mount's place: "#:GR#" then ":GD#". Both outputs are 0 unless it
// returns 1; a reply that is not hours (or degrees), minutes and seconds or
// tenths of a minute ended by '#', or whose fields are out of range, fails.
int QueryEQ(double* ra, double* dec);

// Sends a goto: set RA, (Losmandy: ":ON#"), set Dec, then "#:MS#". Each set
// command must be answered '1'; '0' (the mount refused the coordinate),
// another byte or silence ends the goto there, without "#:MS#". "#:MS#"
// answered '0' succeeds (the rest of the reply is drained); a digit 1..9 is a
// refusal whose text up to '#' becomes the failure text; another byte or
// silence fails. A write that fails shows "Fail to send string" with the
// command. A place that is not a number fails with no traffic.
int GotoEQ(double ra, double dec);

// The second line of the last failed goto or sync: the mount's own text of a
// refused goto, kMountRefusedCoordinates, kMountReplyNotUnderstood or
// kNoReplyFromMount (scope/controller_link.h); "" when there is none.
const char* GetMeadeFailure();

// Sets the place as a goto does (the same replies checked), then "#:CM#",
// which succeeds when a reply ended by '#' comes; silence or a reply without
// '#' fails.
int SyncEQ(double ra, double dec);

// Rate 0..3: "#:RS#", "#:RM#", "#:RC#", "#:RG#". Directions 0..3 are north,
// south, east, west: start "#:Mn#" .. "#:Mw#", stop "#:Qn#" .. "#:Qw#".
// Abort "#:Q#". A rate or direction outside 0..3 sends nothing and gives 0.
int SetSlewRateMeade(int rate);
int StartSlewMeade(int direction);
int StopSlewMeade(int direction);
int AbortMeade();

// The command texts of set RA and set Dec. The right ascension is wrapped
// into [0, 24) h and the absolute declination capped at 90 deg; half a second
// of time (or of arc) is added before the fields are truncated, so 23:59:59.8
// goes out as 00:00:00. High precision: "#:Sr HH:MM:SS#", ":Sd sDD\xDFMM:SS#";
// low precision: "#:Sr HH:MM.T#", ":Sd sDD\xDFMM#" (0xDF is the mount's degree
// sign). `out` takes at least 32 bytes.
void FormatMeadeSetRa(double ra, bool highPrecision, char* out, std::size_t size);
void FormatMeadeSetDec(double dec, bool highPrecision, char* out, std::size_t size);

// Reads a reply of `length` bytes (not NUL-terminated): optional sign, 1..3
// digits, a separator, 2 digits, then a separator and 2 digits of seconds or
// '.' and a digit of tenths of a minute, then '#'. Minutes and seconds must be
// below 60; the right ascension below 24 h, the declination within +-90 deg.
// Returns true with the value; false leaves *value alone.
bool ParseMeadeRa(const char* reply, int length, double* value);
bool ParseMeadeDec(const char* reply, int length, double* value);

// Forgets what the probe learnt (the precision), as when another drive or
// port is chosen.
void ForgetMeadeProbe();
// Back to the start of a run: the probe forgotten, the simulated mount at
// rest at (0 h, 0 deg) (tests).
void ResetMeadeDriver();
