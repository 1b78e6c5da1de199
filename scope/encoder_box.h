// Driver of the encoder boxes (digital setting circles): AAM Skyvector (drive
// 1), BBox (3), Vorlanx (4), NGC-Max (11), Ouranos (12), Intelliscope (16) and
// SkyWizard (21, 22). A box reports the raw counts of its azimuth and altitude
// shaft encoders and cannot move the mount. The counts become degrees through
// the encoder steps of preference words 11 (azimuth) and 12 (altitude): counts
// per turn, a negative value counting the other way; the boxes that need it
// receive the magnitudes at their first connect. Offsets (scope/encoder_offsets.h)
// are taken off the counts. While scopeSimulation is set the port is never used
// and the counts come from the simulated mount (scope/encoder_simulation.h).
// Results are 1 for success and 0 for failure; failures are reported at once
// in the "Information" box. Everything runs on the UI thread.
#pragma once

// The goto target kept for the scope form's encoder read-out: right ascension
// in hours and declination in degrees of the place the mount should read; a
// declination of -100 means no target (so it starts).
struct ScopeTarget {
    double ra;
    double dec;
};
extern ScopeTarget pendingScopeTarget;

// A goto target that is none: the sky chart stores it before it opens the
// scope form for an encoder box.
constexpr double kNoTargetDec = -100.0;

// Connects: already connected, or simulating: 1. Else opens the scope port at
// 9600 baud ("Fail to open serial connection") and, unless it was done since
// the last ResetEncoderOffsets, sends the box its resolutions:
//   BBox       "Z%05d %05d\n" (az, alt), 500 ms, then a reply byte is needed;
//   SkyWizard  "Z\t+%05ld\t+%05ld\n", then a reply byte is needed;
//   Vorlanx    'z', alt low, alt high, az low, az high; one reply byte, then
//              250 ms later the acknowledgement "A";
//   Ouranos    "R%05d\t%05d\r", 1000 ms, "I00000\t00000\r" (no reply; a first
//              write that fails: "Can't initialize encoder resolution").
// Skyvector, NGC-Max and Intelliscope take nothing. A box that did not take
// its resolutions, and SkyWizard 21: "Fail to open encoder connection", and
// the port is really closed.
int ConnectEncoder();

// Closes the port (the keep-open switch may hold it) and returns 1; while
// simulating only forgets the connection and returns 0.
int DisconnectEncoder();

// 1 when the box is ready: Vorlanx answers "a" with 'Y'; the other boxes
// (and the simulated one) always are; any other drive is not.
int EncoderStatusCheck();

// Reads the box: azimuth in [0, 360) and altitude in (-180, 180] degrees, and
// the raw counts. Queries: "Q" and a 13-byte reply (azimuth count in bytes
// 0..5, altitude count in 7..12, each a sign and digits; Intelliscope sends a
// byte first, dropped); Vorlanx "y" after its status check and 4 bytes (altitude
// then azimuth, 16 bits little-endian). A short reply or a count without a digit
// fails. Not connected: "Connection not open!"; status refused: "Bad encoder
// status" and disconnected; a resolution of 0: "Bad Alt encoder resolution" (or
// "Bad Azt ...") / "Please check.". Every output is 0 unless it returns 1.
int QueryAzAltEncoder(double* az, double* alt, int* azCount, int* altCount);

// QueryAzAltEncoder with the azimuth given in hours (degrees / 15).
int QueryEqEncoder(double* azHours, double* alt, int* azCount, int* altCount);

// Zeroes the box on a sky reference (degrees), once per ResetEncoderOffsets:
// with both offsets 0 it connects, reads, and takes the difference of the
// readings from the reference, in whole counts towards zero, as the offsets;
// preference words 220 (altitude) and 221 (azimuth) keep copies and the
// preferences are saved. Then the port is closed unless simulating. Returns 1,
// and 1 at once while an offset is set; 0 when the box could not be read (the
// offsets then stay 0).
int SyncEncoder(double* azReference, double* altReference);

void SetPendingScopeTarget(double ra, double dec);

// The goto of an encoder box: keeps the target (hours, degrees) and opens the
// scope form with a connect (OpenScopeForm(1)). Returns 1.
int GotoEncoder(double ra, double dec);

// The reading the dispatcher asks for: with EQ output (preference word 9 = 0)
// QueryEqEncoder, else QueryAzAltEncoder, whose failure disconnects at once.
int EncoderReading(double* first, double* second);

// The counts of a 13-byte reply; false when it is shorter or a field has no
// digit (the counts are then left).
bool ParseEncoderReply(const char* reply, int length, int* azCount, int* altCount);

// The box's counts in degrees, offsets taken off (see QueryAzAltEncoder).
// 0 with the resolution message when a resolution is 0.
int EncoderCountsToDegrees(int azCount, int altCount, double* az, double* alt);

// 1 while the box counts as connected.
int IsEncoderConnected();

// Forgets the box, as when another drive or port is chosen: not connected and
// not initialised, offsets 0.
void ForgetEncoderBox();

// Back to the start of a run: not connected, no target, offsets 0 (tests).
void ResetEncoderBox();
