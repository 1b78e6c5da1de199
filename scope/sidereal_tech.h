// Driver of the SiderealTech two-axis servo controller (drive 18) over the
// scope port at 19200 baud. The controller counts encoder steps: X is the
// declination (or altitude) axis, Y the right-ascension (or azimuth) axis,
// each with its steps per turn asked from the controller at the first
// connect of the run. Every command ends with CR; replies are "=<integer>"
// and are read with up to 132 bytes. Angles in degrees (right ascension in
// hours where said). Results are 1 or 0; failures are reported at once in
// the "Information" box.
#pragma once

#include "scope/drive_routes.h"

// Steps per turn of the X and Y axes; 0 until the controller told them.
extern int altResolution;
extern int azResolution;

// Opens the scope port (nothing more when it is open) and, while either
// resolution is unknown, sends "Q\r", then asks "XXU\r" and "XXV\r" for the
// X and Y resolutions. A resolution below 1: "Wrong Al resolution.\nPlease
// check the SiderealTech configuration." (or "Wrong Az ...") with the value;
// a reply without a number counts as unknown. Unless both are 1 or more:
// "Fail to open SiderealTech connection", the port closed, both forgotten,
// 0. "Fail to open serial connection" when the port cannot be opened; a
// failed write fails at once.
int ConnectSiderealTech();

// Closes the port unless it is to stay open. 1.
int DisconnectSiderealTech();

// Reads "X\r" and "Y\r": second = X steps / altResolution x 360, first = Y
// steps / azResolution x 360 brought into [0, 360]. A failed write, a reply
// without a number or an unknown resolution fail. Both outputs are 0 unless
// it returns 1.
int QueryAxesSiderealTech(double* first, double* second);
// The same with the first output in hours (/ 15).
int QueryEqSiderealTech(double* first, double* second);

// Sends the axes of a place: right ascension x 15 and declination for EQ
// output or the program's own alignment source, else the place's azimuth and
// altitude at the clock's sidereal time and the site's latitude. First reads
// the Y count ("Y\r") and moves the first angle by whole turns to the one
// nearest that count, so the axis goes the short way. Writes
// "Y<steps>S<speed>\r" then "X<steps>S<speed>\r", the steps truncated from
// angle / 360 x resolution, the speed resolution x 0.27963816350913123. 1
// when both writes succeed; a count that cannot be read sends nothing and
// gives 0, with the read's message as the dispatcher's second line of "Goto
// failed".
int GotoSiderealTech(double ra, double dec);

// Rate 0..3 (fast .. guide): "XS<speed>\r" then "YS<speed>\r" with speed =
// factor x 0.09321272116971041 x resolution, the factor 3, 0.5, 1/60, 1/120
// (1 for other rates). 1 when both writes succeed.
int SetSlewRateSiderealTech(int rate);

// Direction 0..3 (north, south, east, west): a far target on one axis,
// "X1073741824\r", "X-1073741824\r", "Y1073741824\r", "Y-1073741824\r". Other
// directions send nothing and give 0.
int StartSlewSiderealTech(int direction);

// Stops both axes, "XN\r" then "YN\r", whatever the direction (stop slew and
// abort). 0 when a write fails.
int StopSiderealTech();

// Forgets the resolutions (another drive or port was chosen; tests).
void ForgetSiderealTechResolutions();

// The dispatcher's routes: the read is the axis read for AZ and Encoder
// output, else the equatorial read.
extern const DriveRoutes kSiderealTechRoutes;
