// A tap on the sky chart: the pen-down and pen-up classification, the search
// for what lies under the stylus in the Sky Map and Horizon View (views 0 and
// 1) and in the sphere views (2 to 4), the pick made the chart's selection and
// marked on the chart, and the object information form for the selection.
//
// Points are the chart form's client pixels (the screen's, the form filling
// it), as the taps give them and as the last drawing kept the positions of
// what it drew.
#pragma once

#include <cstdint>

// 1 between an accepted pen-down on the chart body and its pen-up; a drag
// that scrolls clears it, so no pick follows.
extern int32_t tapArmed;

// Where the accepted pen-down was: the origin of a drag.
void GetTapOrigin(int* x, int* y);

// The pen-down: 0 on the header strip (top 21 scaleY), on the tool strip
// {width - 11, 21 scaleY, 11, 160} while it is shown (word 235 0) and on the
// information bar {width - 31 scaleX, height - 10 scaleY, 30 scaleX, 10
// scaleY}. The compass box {0, height - 40, 60, 40} (unscaled) while "Hide
// Compass" (word 241) is 0: the chart's selection is listed first when no row
// is current and its number is above 0, then the compass chart (2830) opens;
// 1. Elsewhere the tap is armed at (x, y); 1.
int ChartPenDown(int x, int y);

// The pen-up of an armed tap: nothing (0) within the top 15 pixels. With a
// telescope connected its marker is erased and its save box freed first. The
// picture box {0, 21 scaleY, 40 scaleX, 40 scaleY} shows the current entry's
// picture (command 1871); 1. Else IdentifySkyMapTap in views 2..4 and
// IdentifyHorizonChartTap in views 0 and 1. Returns 1 when the screen changed
// and is to be kept.
int ChartPenUp(int x, int y);

// Views 0 and 1: 0 outside the chart {0, 21 scaleY, width, height}. The scope
// keys box {15 scaleX, 21 scaleY, 40 scaleX, 30 scaleY} with a telescope
// connected on a drive that is not an encoder box says "Please use hardware
// Keys to control your scope"; 1. In the Horizon View a tap outside azimuths
// 0..360 is taken one turn over and searched again with 12 GetScreenScale.
// The pick (IdentifyNearestObject, 3 GetScreenScale) is marked and drawn in
// place (status box, legend, status lines, caption, target mark, with the
// distance display its distance from the selection it replaced); by the tap
// mode (word 40): 0 the object information form (a star or a point also
// recentres the chart), 2 the chart recentred on it, 1 (default) recentred
// only when it lies within 15 scaleX / scaleY of the chart's edges. Returns 1.
int IdentifyHorizonChartTap(int x, int y);

// The search of views 0 and 1 at (x, y) with half-width r (pixels), the first
// hit winning: a list entry drawn there (|d| < r), a drill-down object (|d| <=
// r; one that cannot be read is passed over), a bright star within the star
// limit (|d| < r), from zoom 5 a catalogue star (|d| < r, the first 1481 of
// the list), else the sky point itself (number 0, type 0, ChartPointToRaDec).
// In the Horizon View a miss is tried one panorama width to either side. The
// pick becomes chartSelection and the list's current row (the sky point: no
// row), the drawn selection index -2. Always 1.
int IdentifyNearestObject(int x, int y, int r);

// The search of views 2..4, in the picture last drawn by the sphere renderer
// (its list positions relative to chartRecord.viewRect's corner): list
// entries within 2 GetScreenScale, drill-down objects within 2 GetScreenScale
// (one that cannot be read widens the whole search three times, then gives
// up), the nearest bright star by |dx| + |dy| below 2 GetScreenScale^2, the
// catalogue stars within GetScreenScale, else the sky point (number -1, type
// 0, SkyMapPointToRaDec). A star or object is listed and becomes the current
// row. Tap mode 1: drawn in place and the view's centre set on the pick; tap
// mode 2: the chart redrawn about it; tap mode 0: the object information form.
// Returns 1 when the chart was redrawn, else 0.
int IdentifySkyMapTap(int x, int y);

// The object information form (112) for the chart's selection: with no
// current row a picked star or point (number not -1) is listed and made the
// finder target; the current row's entry is handed to the form by its source
// (SetCurrentObject, numbered from 1 within it) or as the finder target.
void ShowChartObjectInfo();

// The taps' state back at its start (tests).
void ResetChartTaps();
