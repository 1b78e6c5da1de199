// The numbers behind the satellites form's pictures, kept apart from the
// drawing so that they are tested without a window: the world map's point of
// a place and the pieces of a ground-track segment, the steps of the tracks,
// the sky view's start and span for a search row, the globe's box and the
// compass point of an azimuth. Positions are pixels; longitudes are degrees
// positive west.
#pragma once

#include <string>

#include "orbits/satellite_form_state.h"

struct MapPoint {
    int x;
    int y;
};

// The point of (longitude, latitude) on the equirectangular world map whose
// left edge is x0 and top y0, `width` by `height` pixels, 180 degrees west at
// its left edge and the north pole at its top: x0 + (180 - longitude) width /
// 360 and y0 + (90 - latitude) height / 180, truncated.
MapPoint SatelliteMapPoint(double longitude, double latitude, int x0, int y0, int width, int height);

// The lines that join two track points of that map: one line when they lie at
// most half the map's width apart (120 units); otherwise the track crossed the
// map's edge and two lines, from `from` to one edge and from the other edge to
// `to`, each at its own end's height. Writes the end points of each line into
// `lines` (two points a line) and returns the number of lines.
int TrackSegmentLines(MapPoint from, MapPoint to, int x0, int width, MapPoint lines[4]);

// The step of the Info view's ground track: 0.04 x the period (minutes),
// truncated to whole minutes, and at least 1 so that the track advances.
int InfoTrackStepMinutes(double periodMinutes);

// The minutes that the sky view's 39 points cover: rows 1..4 of the step popup
// ("30s", "1mn", "2mn", "3mn") 30, 60, 120, 180; row 0 ("Auto") `trackSpan`
// when it is 0 or more, else the period truncated to whole minutes.
int SkyTrackSpanMinutes(int stepRow, int trackSpan, double periodMinutes);

// The sky view's start (universal-time Julian day) and Auto span for a search
// row of view `view`: a Pass or Next row from its rise with (duration + 30)
// / 60 minutes; a Transit row 30 seconds before the closest approach with 1
// minute; a Flare row 6 seconds before the peak with 2 minutes.
void SearchRowSkyStart(int view, const PassRow& row, int zoneMinutes, double* startJd, int* trackSpan);

// The globe's box: radius, left and top edges, pixels.
struct GlobeBox {
    int radius;
    int left;
    int top;
};

// On a screen taller than 240 units (x scaleX) the globe of radius 100 units
// touches the right edge, its top 61 units down; otherwise the globe of radius
// 80 units is centred, its top 46 units down.
GlobeBox SatelliteGlobeBox(int screenWidth, int screenHeight, double scaleX, double scaleY);

// An angle in whole degrees brought into [0, 360).
int WrapWholeDegrees(int degrees);

// The compass point nearest an azimuth (degrees) taken to the nearest whole
// degree: "N" from 338 to 22, "NE" from 23 to 67, "E", "SE", "S", "SW", "W",
// "NW" likewise, each the eighth of the circle centred on it (171 is "S",
// 359.6 rounds to 360 and is "N").
const char* CompassPointName(double azimuth);

// The azimuth of a search row's details: the whole degree of one turn
// (WholeAzimuth: 0 to 359, 359.5 reads 0) and its compass point, "%d\xB0 %s";
// "-" when it is not a number.
std::string AzimuthDetailText(double azimuth);

// An azimuth (degrees) rounded to a tenth of a degree within one turn, as the
// Info and Globe views write it with one decimal: 359.96 is 0.0, -0.3 is
// 359.7. Not a number stays not a number.
double AzimuthToTenth(double azimuth);
