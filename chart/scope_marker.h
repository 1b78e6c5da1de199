// The telescope on the sky chart: while a telescope is connected
// (scopeConnected), a cross where it points, redrawn at every tick of the
// chart's timer and whenever a caller hands a position over; the chart
// recentred on the telescope when it leaves the visible part. Without a
// telescope the target mark of the chart's centre blinks instead (cursor mode
// "Blinking", preference word 238 = 1).
//
// Mounts read and are given places of date (the dispatcher sends and reads
// them so); the chart draws J2000 places. A position is turned back to J2000
// through the transpose of the precession-nutation matrix of the device
// clock's date before it is projected.
#pragma once

// The last telescope position read or given: right ascension (hours) and
// declination (degrees) of date.
extern double scopeRa, scopeDec;
// The position of the last reading drawn; with the declination
// scopeMarkerLastDec (chart/chart_redraw.h), which a redraw sets to -1000.
extern double scopeLastDrawnRa;
// Screen point of the cross last drawn (device pixels).
extern int markerX, markerY;

// (0, 0): the timer's tick, which reads the mount (ScopeGetPosition); a read
// that fails says "fail scope" after the dispatcher's own message, clears
// scopeConnected and disconnects, timer 1 started again by the chart's rule
// (no telescope), 0; the reading drawn last gives 0 at once.
// Any other (ra, dec), of date: that position, drawn whatever was drawn last.
// Sky Map and Horizon View: below the horizon, 0; within 20 GetScreenScale
// of the chart's edges the chart is recentred on the telescope (the
// selection a sky point there, no list row); else the old cross is erased,
// the new one drawn in red (black on a light background by day) and the
// status lines show the telescope's place. Sphere views: the cross inside the
// view less 20 s at the bottom (and 11 s at the right while the tool strip is
// shown) with the place in the status lines, else the view centred on it.
// The telescope icon is drawn at the chart's top left. 1 when something was
// drawn or the chart redrawn.
// Without a telescope: with a blinking cursor the target mark at the chart's
// centre is drawn when blinkPhase is below 1 and erased (its status box put
// back) otherwise, the phase stepping 0, 1, 0...; nothing while the status box
// holds another place than the centre (a pick drawn in place: its marks stay
// until the next redraw) or with the cursor "None". 0.
int DrawScopeMarker(float ra, float dec);

// Puts back what lay under the telescope cross and frees its box.
void EraseScopeMarker();

// A mount's place of date (hours, degrees), in place, to J2000 at the device
// clock's date and time.
void MountPlaceToJ2000(double* ra, double* dec);

// Start values (tests).
void ResetScopeMarker();
