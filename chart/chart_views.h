// The chart's five views and the per-zoom tables of the sphere and horizon charts.
#pragma once

#include <cstdint>

// The view shown ("Chart Type", preference word 117): 0 Sky Map, 1 Horizon View, 2 Whole Sky,
// 3 Visible Sky, 4 Equatorial Sky. Views 2 and 3 use the horizontal frame, view 4 the
// equatorial one.
extern int32_t& chartView;

constexpr int kZoomSteps = 14;

// Field of view of the sphere views in degrees for zoom steps 0..13.
extern const float skyMapFovTable[kZoomSteps];

// skyMapFovTable[zoom] for zoom 0..13, else 75.0 (a negative step too, compared unsigned).
float GetZoomFovForIndex(unsigned zoom);

// Writes the horizon chart's pixels per arcminute of zoom steps 0..13, 160 / (60 F) for the
// zoom fields F = 180 .. 0.5 degrees, into table[0..13].
void FillZoomScaleTable(float* table);

// The zoom step (clamped to 0..13) the sphere view's star dots are sized for,
// kept for the pictures of other forms; 0 at start.
void SetStarDotSizes(int zoom);
int GetStarDotZoom();

// The sphere view's track-lines option (skyMapView.trackLines).
void SetChartFlagA(int32_t value);

// An option word the orbit, planet and satellite forms set before they draw; no drawing of the
// chart reads it. Initially 1.
extern int32_t chartFlagB;
void SetChartFlagB(int32_t value);
