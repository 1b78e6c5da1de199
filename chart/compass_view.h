// The compass chart's pictures, drawn into the current draw window in pixels
// of the form: the rose with the bodies' directions, the altitude bar with
// their heights, and the altitude curve of one body over the coming hours.
// The numbers come from compass_chart.h.
#pragma once

#include "chart/compass_chart.h"
#include "platform/color.h"

// Colours of one drawing: by day the rose light blue (0x99, 0x99, 0xFF) with a
// grey (0xCC) centre on white; in night mode dark red on black.
struct CompassPalette {
    pl::ColorRef background;
    pl::ColorRef pen;      // lines, letters and numbers
    pl::ColorRef rose;     // the rose, the sky part of the bar, the curve's grid lines
    pl::ColorRef core;     // the rose's centre, the ground part of the bar, the curve's ticks
    pl::ColorRef pointer;  // the line to the current body on the rose and across the bar
};
CompassPalette GetCompassPalette(int nightMode);

// What the bodies are drawn as: DrawObjectSymbol(type, index) of each.
struct CompassSymbols {
    int type[kCompassBodies];
    int index[kCompassBodies];
};

// The rose: a disc of radius R, the eight-pointed star, the circle of R - 4 sx,
// the diagonals, the grey centre with the north-south and east-west lines, and
// " W ", " E ", "N", "S" at its edge.
void DrawCompassRose(const CompassLayout& layout, const CompassPalette& palette);

// The bar: sky and ground parts, a tick every 10 degrees and "%d°" every 30
// degrees on its left, "0°" at the horizon.
void DrawAltitudeBar(const CompassLayout& layout, const CompassPalette& palette);

// The bodies of `count` places (the Sun and the Moon first): each symbol on the
// bar at its altitude and on the rose at radius R - 10 sx towards its azimuth;
// for the current body (when its place is valid) a line across the bar at its
// mark and a line from the rose centre to the rim. Writes each body's rose point and bar row (0 for a body left out)
// into roseX, roseY and barY.
void DrawCompassBodies(const CompassLayout& layout, const CompassPalette& palette, const CompassPlace* places,
                       int count, int currentBody, const CompassSymbols& symbols, int roseX[kCompassBodies],
                       int roseY[kCompassBodies], int barY[kCompassBodies]);

// The current body's altitude and azimuth texts on the text line.
void DrawCompassTexts(const CompassLayout& layout, const CompassPalette& palette, const char* altitude,
                      const char* azimuth);

// The curve box: the grid (altitude lines at -45, 0, 45 and 90 degrees, "45°"
// and "T" for the horizon; azimuth ticks every 10 degrees, "N", "E", "S", "W"
// at the quarters and "%d°" at 45, 135, 225 and 315), then the path as lines
// between points of the box with the whole hours along it labelled "%02d"
// where they fall, on a point or between two, kept 3 units apart.
void DrawAltitudeCurve(const CompassLayout& layout, const CompassPalette& palette,
                       const CompassPathPoint path[kCompassPathPoints]);
