// The symbols that mark objects on the sky chart and in object lists: a
// marker, small icon or bitmap chosen by object type, and the outline ellipse
// of an extended object. They draw into the current draw window.
#pragma once

#include <cstdint>

// The chart's bitmap set: 1 the set for light (white) backgrounds, 0 the set
// for dark backgrounds and night mode. It chooses the meteor-shower bitmap
// (4108 and 4107) and the marker strip (schemes 2 and 0).
extern int32_t chartBitmapSet;

// Selects the light-background set when `day` is non-zero and night mode is
// "Normal", else the dark one, and loads the matching marker strip. Returns
// the set chosen (1 or 0).
int SelectChartBitmapSet(int day);

// The meteor-shower bitmap of the current set.
int ChartMeteorBitmap();

// Draws the symbol of objectTypeTable type `type` centred on (x, y):
//   marker 3 globular cluster (2), 2 open cluster (6), 0 galaxy (16),
//   5 planetary nebula (25), 7 multiple stars (31..34, 36, 37), 4 any other;
//   small icon 11 comet (13) and 12 minor planet (18); nothing for a
//   constellation (14) or a star (30); the satellite bitmap 3995 (15);
//   a planet (27): the Moon phase icon moonIconId for body 1 (nothing while it
//   is 0), else the small icon of the body index (0..12);
//   the set's meteor-shower bitmap, opaque and not scaled (29).
// `scale` is passed by the callers and not used.
void DrawObjectSymbol(int type, int bodyIndex, int scale, int x, int y);

// The 22 points of the outline ellipse centred on (x, y): half-axes a and b in
// pixels, turned by angleDeg degrees, mirrored by flipX and flipY (+1 or -1).
// Point i lies at t = 0.3 i radians (accumulated in single precision), so the
// last, t = 6.3, closes the outline just past the first.
constexpr int kEllipsePoints = 22;
struct ScreenPoint {
    int x;
    int y;
};
void EllipseOutline(int x, int y, float a, float b, float angleDeg, int flipX, int flipY,
                    ScreenPoint points[kEllipsePoints]);

// The outline through those points: 21 lines in the foreground colour.
void DrawEllipse(int x, int y, float a, float b, float angleDeg, int flipX, int flipY);

// Back to the start values: the dark set, no marker strip loaded (tests).
void ResetChartSymbols();
