// Dragging the sky chart with the stylus.
#pragma once

// Pixels one sphere-view field of view spans in a drag, by zoom step.
extern const float skyDragStepTable[14];

// A pen move (x, y) while a tap on the chart is armed. Nothing (0) without a
// chart picture, or while the pen stays less than 7 pixels from the pen-down
// point on both axes. Otherwise the tap is disarmed (no pick follows) and the
// drag runs until the pen is lifted, the pen-up taken with it:
// - sphere views: the view's centre angle and elevation follow the pen (one
//   field of view per skyDragStepTable[zoom] x scaleX pixels across, scaleY
//   down, the angle's step widened by 1 / |cos(0.8 elevation)|), the angle
//   kept in [0, 360) and the elevation in [-90, 90] ([0, 90] in Visible Sky),
//   the sphere picture drawn plain at each move; the entry it finds at the
//   centre becomes the current row;
// - Sky Map and Horizon View: each move draws DrawShiftedChart by the pen's
//   offset from the pen-down point; the drag ends on the entry or the sky
//   point the last frame left at the centre.
// Then the chart is drawn again in full. Returns 1.
int ScrollChartByPen(int x, int y);

// One step of the sphere view's centre: *longitude and *latitude (degrees)
// moved by the given amounts, the longitude kept in [0, 360) and the latitude
// in [-90, 90] ([0, 90] in Visible Sky), stored as the view's centre, the
// plain sphere picture drawn about it; the entry it finds at the centre
// becomes the current row (none: no row, the selection's number -1).
void StepSkyMapCentre(double dLongitude, double dLatitude, double* longitude, double* latitude);
