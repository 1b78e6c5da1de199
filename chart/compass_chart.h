// The compass chart's numbers: where the Sun, the Moon and a chosen object
// stand for a local civil date and time at currentSite, the path of one of
// them over the following hours, and where the rose, the altitude bar and the
// altitude curve lie on a screen. Drawing is in compass_view.h.
#pragma once

#include <cstddef>

#include "core/shared_state.h"
#include "ui/xywh_rect.h"

constexpr int kCompassSun = 0;
constexpr int kCompassMoon = 1;
constexpr int kCompassObject = 2;
constexpr int kCompassBodies = 3;

// A body's place; `valid` false leaves it out of every drawing.
struct CompassPlace {
    bool valid = false;
    double rightAscension = 0.0;  // hours
    double declination = 0.0;     // degrees
    double azimuth = 0.0;         // degrees from north through east, [0, 360)
    double altitude = 0.0;        // degrees, no refraction
};

// Local sidereal time (hours) of a local civil date and time at currentSite.
double CompassSiderealTime(const DateTime& t);

// The Sun (ComputeSunPosition), the Moon (ComputeBody with the position mode
// "Topo", put back afterwards; left out when it fails) and, when objectRa is
// not negative, the object at objectRa hours and objectDec degrees, at local
// time t seen from currentSite. Returns the bodies considered: 3 with an
// object, else 2 (places[2] then invalid).
int ComputeCompassPlaces(const DateTime& t, double objectRa, double objectDec, CompassPlace places[kCompassBodies]);

// The path of `body` (kCompassSun, kCompassMoon, or the object at the fixed
// objectRa and objectDec) from 2 hours before t to 10 hours after it, a point
// every 10 minutes, with the local hour and minute of each (seconds dropped);
// point kCompassPathNow is at t.
constexpr int kCompassPathPoints = 73;
constexpr int kCompassPathNow = 12;
struct CompassPathPoint {
    CompassPlace place;
    int hour = 0;
    int minute = 0;
};
void ComputeCompassPath(int body, const DateTime& t, double objectRa, double objectDec,
                        CompassPathPoint path[kCompassPathPoints]);

// "Alt %d°" and "Az %d°" of a place, rounded to whole degrees (an azimuth that
// rounds to 360 is written 0); both empty for a place left out.
void FormatCompassTexts(const CompassPlace& place, char* altitude, char* azimuth, std::size_t size);

// Where everything lies, in pixels of the form, for a screen of width x height
// and the display scale (sx, sy):
struct CompassLayout {
    int width = 0;
    int height = 0;
    int textY = 0;        // trunc(24 sy): the line of "Alt %d°" and "Az %d°"
    int radius = 0;       // R = min(width, height) / 3 - trunc(3 sx)
    int ringRadius = 0;   // R - trunc(10 sx): the bodies on the rose
    int innerRadius = 0;  // R - trunc(4 sx)
    int coreRadius = 0;   // R - trunc(4 sx) - trunc(16 sx): the grey centre
    int centreX = 0;      // xr + R + 2R / 3 - trunc(2 sx), xr = (width - trunc(240 sx)) / 4 + trunc(32 sx)
    int centreY = 0;      // trunc(24 sy) + trunc(12 sy) + R
    XywhRect bar;         // (xb + trunc(32 sx), trunc(24 sy) + trunc(12 sy)), trunc(40 sx) x 2R;
                          // xb = (width - trunc(240 sx)) / 3
    int markX = 0;        // xb + trunc(52 sx): the bar's middle
    int markHalf = 0;     // trunc(24 sx): half the line across the bar
    int altTextX = 0;     // xb + trunc(78 sx)
    int azTextX = 0;      // xr + trunc(165 sx)
    bool curve = false;   // trunc(320 sx) <= height
    XywhRect curveBox;    // (0, trunc(205 sx)), width - trunc(10 sx) x trunc(85 sx)
};
CompassLayout ComputeCompassLayout(int width, int height, double sx, double sy);

// Row of the bar for an altitude: bar top + trunc((90 - altitude) / 180 x 2R).
int CompassBarY(const CompassLayout& layout, double altitude);

// The point at `radius` pixels from the rose centre towards an azimuth: north
// up, east to the right (x = cx + r sin a, y = cy - r cos a, rounded).
void CompassRosePoint(const CompassLayout& layout, double azimuth, int radius, int* x, int* y);

// The point of the curve box for an azimuth (0..360 across) and an altitude
// (-45 at the bottom to 90 at the top), truncated toward the box's corner.
constexpr double kCurveLowestAltitude = -45.0;
void CompassCurvePoint(const CompassLayout& layout, double azimuth, double altitude, int* x, int* y);
