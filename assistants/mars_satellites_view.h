// Phobos and Deimos around the turning globe of Mars: the Satellites picture of
// the Mars view.
#pragma once

#include <cstdint>

#include "platform/color.h"

// The moons' places at a local civil date and time of the current site
// (seconds 0; ComputeMarsEphemeris and ComputeMarsMoons at the universal-time
// Julian day): x, y pixel offsets from the disc's centre, visible 0 behind the
// disc. With drawFlag non-zero also drawn in the rectangle: "Phobos" and
// "Deimos" at the top in their colours, then in painter's order the hidden
// moons, the globe frame of the central meridian stretched by scaleX x scaleY
// (the display scale) with its disc centred in the rectangle, and the visible
// moons, each a small marker at (centre + x, centre + y) with its letter ("P"
// or "D") 2 pixels lower, left out when the marker or the letter would leave
// the rectangle. x and y already follow the screen (GetScreenScale) and are
// not scaled again, so the picture keeps its proportions on every screen.
void DrawMarsSatellites(int year, int month, int day, int hour, int minute, int left, int top, int width,
                        int height, double x[2], double y[2], int32_t visible[2], int drawFlag,
                        const pl::ColorRef colours[2], double scaleX, double scaleY);

// Frame angle / 15 of the turning globe (bitmap 6014, 24 frames of 22 x 20,
// loaded on first use and kept) at (x, y), stretched to 22 scaleX x 20 scaleY
// pixels, black left out; the angle in degrees is brought into [0, 360) by
// whole turns. Nothing when the strip cannot be loaded.
void DrawMarsRotationFrame(int x, int y, int angle, double scaleX, double scaleY);

// Drops the kept strip (the planet detail form closes), so the next frame
// loads it again.
void ForgetMarsRotationStrip();
