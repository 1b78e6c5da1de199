// The lower panel of the object information form, on screens taller than 240
// scale units: Jupiter's Red Spot transits and moons, Saturn's moons, or a
// small finder chart of the sky around any other object.
#pragma once

#include "catalog/object_catalog.h"
#include "core/shared_state.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

// The panel's place on a screen of width x height pixels: from 222 units down
// to 22 units above the bottom, the full width; empty on a screen not taller
// than 240 units.
XywhRect ObjectInfoPanelRect(int width, int height);

// Draws the panel for the object at a local date and time into the current
// draw window: Jupiter (body 5) "Red Spot Transit :" with its next three
// transits "%02dh%02d" (hours modulo 24) over the picture of its moons;
// Saturn (body 6) the picture of its moons; any other object the equatorial
// sphere view at zoom step 5 centred on it, with object names and the stars
// off the constellation lines shown, drawn in the kept offscreen
// chartOffscreen ("Can't allocate offscreen window" when it
// cannot be made; nothing is drawn then). The chart's view, zoom orientation,
// labels, star options and currentDateTime are as before afterwards.
void DrawObjectInfoPanel(const ObjectRecord& r, const DateTime& when);

// The finder chart's offscreen, null before the first chart or after it was freed.
const DrawWindowRecord* ObjectInfoChart();

// Frees the finder chart's offscreen (nothing when none).
void FreeObjectInfoChart();

// Makes the chart's offscreen; null stands for CreateOffscreenDib. Returns the
// maker used before (tests).
using ObjectInfoChartMaker = DrawWindowRecord* (*)(int width, int height, int bitsPerPixel);
ObjectInfoChartMaker SetObjectInfoChartMaker(ObjectInfoChartMaker maker);
