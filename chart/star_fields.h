// The catalogue content of the visible part of the sky drawn over the default
// stars: the stars of the open stellar catalogue (for the horizon chart and for
// the sphere views) and the deep-sky objects of the object index. Each reader
// reads only the records of the view's declination band, filters by right
// ascension and magnitude, projects, draws into the current draw window and
// keeps every drawn item in the chart's screen lists for the tap search.
//
// Star list entries hold the star's position in the stellar file (its place in
// its record + stars per record x the record); at most 1499 stars are kept
// (a full list has its end mark in entry 1499), object entries at most 299.
// Positions kept are the drawn ones plus the origin given (window positions
// when a picture is drawn into a surface of its own).
#pragma once

#include "core/fixed_trig.h"
#include "platform/types.h"

// The horizon chart's right-ascension filter: minutes of time (hours x 60 +
// minutes of a packed star) strictly between low and high, or every right
// ascension. The half-window by zoom and |declination| (below), widened to the
// rectangle's extent (hours from the centre) when that is below 6 h; a window
// of 24 h or one across 0 h or 24 h takes every right ascension.
struct RaMinuteWindow {
    bool all;
    int low, high;
};
RaMinuteWindow StarFieldRaWindow(int zoom, double centreRaHours, double centreDecDeg, double extentHours);

// The horizon chart (views 0 and 1) about the centre (right ascension hours,
// declination degrees) at local sidereal time lstHours, for zoom step `zoom`:
// the stars up to the step's star limit (none when it is below 5.5), within a
// right-ascension half-window of 4, 2, 1 or 0.5 h at zoom 5, 6, 7 or 8 (below
// declination 70), 0.25 h at 9 (below 75) or 0.1 h (below 80), else all,
// widened to the rectangle's extent below 6 h; the band of the rectangle's
// declination extent (at least 2 degrees). By hour angle in fixed point when
// integerPath is set and zoom <= 11, else in floating point. The pass stops
// early at a new arrow key or the pen down (polled every 40 stars), steps the
// busy indicator every 80, and discards pending input at its end. Returns the
// number of stars kept.
int LoadStarFieldForChart(const pl::Rect& bounds, int zoom, float lstHours, float centreRaHours, float centreDecDeg,
                          int integerPath);

// The sphere views: as above in the frame of skyMapView (set by the caller for
// the picture being drawn), for the region of RegionOfRect, positions unpacked
// with rounded units; the icon sizes are not adjusted for a 1x screen. Returns
// the number of stars kept.
int LoadStarFieldForChart2(const pl::Rect& bounds, int zoom, int originX, int originY);

// The objects of the object index (both kinds of view: `sphere`, else the
// horizon chart at `lst`) whose type is shown (objectTypeTable) and whose
// magnitude x 10 is within the step's object limit: their symbols, and with
// "Obj. Names" (word 41) "%s%ld" of designation prefix and number beside them.
// Returns the number of objects kept.
int LoadObjectFieldForChart(const pl::Rect& bounds, int zoom, Fix24Angle lst, int sphere, int originX, int originY);
