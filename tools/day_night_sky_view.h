// The day and night form's small sky view: the sky chart's Whole Sky picture
// at zoom step 3 around the Sun, on screens larger than the 240 x 320 design.
#pragma once

#include "core/shared_state.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

// Where the view goes on a screen of width x height pixels: on a screen taller
// than 240 x scaleY (the panel shown) at x 0 under the panel (292 x scaleY),
// 240 pixels wide; otherwise at (240, 24 x scaleY) as wide as the rest of the
// screen; down to 22 x scaleY above the bottom in both. An empty rectangle when
// the screen is no larger than 320 x scaleY high and 320 x scaleX wide.
XywhRect DayNightSkyViewRect(int width, int height);

// Draws the view into `rect` of the current draw window for a local date and
// time: the sphere view of the horizontal frame (SetChartView) for that time at
// currentSite, with the Sun, "Sun" (designation 45, type 27), at its place
// (ComputeSunPosition) in the middle. The picture is drawn in the kept
// offscreen dayNightState.skyView, made again when the rectangle's size
// changes; when it cannot be made, "Can't allocate offscreen window" is shown
// and nothing is drawn. While it draws, preference words 117, 76, 142, 237,
// 240 and 241 are 2, 0, 0, 0, 1 and 1 (Whole Sky, no drill-down objects, no
// status lines, no compass); afterwards they, and currentDateTime, which the
// chart's clock may move, are as before, and the chart's day bitmap set is
// chosen again. Returns false when nothing was drawn.
bool DrawDayNightSkyView(const XywhRect& rect, const DateTime& local);

// Frees the kept offscreen (nothing when none).
void FreeDayNightSkyView();

// Makes the view's offscreen records; null stands for CreateOffscreenDib.
// Returns the maker used before (tests).
using SkyViewSurfaceMaker = DrawWindowRecord* (*)(int width, int height, int bitsPerPixel);
SkyViewSurfaceMaker SetDayNightSkyViewMaker(SkyViewSurfaceMaker maker);
