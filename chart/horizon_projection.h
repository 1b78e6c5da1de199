// The horizon chart's projections (views 0 and 1 of chartView) and their inverses.
//
// Sky Map (view 0): zenith-centred stereographic projection, r = tan(z / 2) for the zenith
// distance z (r = 1 on the horizon), turned by the chart rotation angle R so that azimuth R
// points up the screen and R + 90 degrees to the left. Horizon View (view 1): a panorama,
// azimuth and altitude both linear, in degrees x 2^18.
//
// The forward projections give a pair (a, b) of int32: a the vertical and b the horizontal
// component, unit x 2^24 in the Sky Map (a = r cos(A - R), b = r sin(A - R)). The screen point
// of (a, b) is
//   x = cx - (((b * kx) >> 24) >> 10),  y = cy - (((a * ky) >> 24) >> 10)
// with cx, cy, kx, ky the four values of GetChartViewRect (device pixels; scales with 10
// fraction bits, signed by the chart's flips). Azimuths count from north through east; right
// ascensions and sidereal times are mean, of the chart's date, and the stars' J2000 places are
// used as they are (no precession), as the horizon chart has always drawn them.
//
// The fixed-point forms (Fix24Angle, core/fixed_trig.h) serve the per-point passes; the
// floating-point twins single points. Both give the same screen point within a pixel.
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"
#include "core/fixed_trig.h"

// The horizon chart's rotation and latitude, written by SetHorizonRotation.
struct HorizonProjection {
    int32_t sinRotation;   // sin R, unit x 2^24 (truncated)
    int32_t cosRotation;   // cos R, unit x 2^24
    float sinRotationF;    // sin R
    float cosRotationF;    // cos R
    int32_t sinLatitude;   // sin of the site latitude, unit x 2^24, from currentSite's float
    int32_t cosLatitude;   // cos of the site latitude, unit x 2^24
};

extern HorizonProjection horizonProjection;

// Stores the site latitude's sine and cosine (truncated from currentSite's floats) and those of
// the rotation angle R (whole degrees; computed in double, kept as floats and truncated
// unit x 2^24). Returns sin R x 2^24. Called when the chart clock or the site changes and
// when the chart is turned.
int32_t SetHorizonRotation(int32_t angleDegrees);

// The float cos R and sin R of horizonProjection.
void GetHorizonRotation(float* cosine, float* sine);

// A position at local sidereal time lst (all three Fix24Angle: radians x 2^24) projected for
// the current chartView: 1 with (a, b) when sin(altitude) >= 0; 0 below the horizon, a and b
// untouched. The hour angle lst - ra is reduced into [-pi, pi] (exactly +-pi stays).
int ProjectHourAngleToHorizon(Fix24Angle lst, Fix24Angle ra, Fix24Angle dec, int32_t* a, int32_t* b);

// ProjectHourAngleToHorizon for n stars at one sidereal time, bit for bit the same: the stars'
// cosine and sine of declination (FixSinCos24, unit x 2^24) are the caller's, kept between
// drawings. above[i] is 1 with a[i], b[i] written, or 0 with them untouched.
void ProjectHourAngleToHorizonBatch(Fix24Angle lst, int n, const Fix24Angle* ra, const int32_t* cosDec,
                                    const int32_t* sinDec, int32_t* a, int32_t* b, uint8_t* above);

// The floating-point twin: sidereal time and right ascension in hours, declination in degrees,
// latitude from currentSite's float sine and cosine. 1 or 0 as above.
int ProjectRaDecToHorizon(float lstHours, float raHours, float decDegrees, int32_t* a, int32_t* b);

// The Sky Map's screen point (device pixels) of azimuth and altitude in degrees. Returns 1.
int AltAzToChartPoint(float azimuthDeg, float altitudeDeg, int32_t* x, int32_t* y);

// Azimuth (degrees, brought into [0, 360]) and altitude (degrees) under a screen point given in
// device pixels, for the current chartView (Sky Map or Horizon View).
void ChartPointToAltAz(int32_t x, int32_t y, float* azimuthDeg, float* altitudeDeg);

// Right ascension (hours in [0, 24]: exactly 24.0 can come back) and declination (degrees)
// under a screen point in device pixels, at the chart's local sidereal time.
void ChartPointToRaDec(int32_t x, int32_t y, float* raHours, float* decDegrees);

// Horizontal to equatorial at local sidereal time lst (hours) for the current site's stored
// float sine and cosine of latitude: azimuth (radians from north through east) and altitude
// (radians) to right ascension (hours, one turn added below 0 or taken off above 24) and
// declination (degrees).
void HorizontalToEquatorial(double lstHours, double azimuthRad, double altitudeRad, double* raHours,
                            double* decDegrees);

// Turns the stored horizon-chart points by delta degrees without projecting them again: both
// chart screen lists are emptied, and every bright star and selection-list entry that is not
// hidden gets (a, b) turned and its screen point recomputed. Hidden ones keep their old values
// until the next full projection.
void RotateHorizonProjection(int32_t deltaDegrees);

// Sky Map only (nothing in other views): turns the chart so that `centre`'s direction lies
// straight below the chart centre, R = trunc(azimuth - 180): the stored points are turned by
// R - *storedAngle, *storedAngle := R and the rotation set to R. lstHours is the chart's local
// sidereal time.
void TurnChartToTarget(const ObjectRecord* centre, int32_t* storedAngle, float lstHours);

// The screen point of a stored (a, b) by the formula above.
void HorizonPointToScreen(int32_t a, int32_t b, int32_t* x, int32_t* y);

// The Horizon View's panorama: W, the width in pixels of 360 degrees of azimuth,
// |trunc(kx x 2^-24 x 360 x 256)| for the chart's x scale kx.
int32_t PanoramaWidth();

// The panorama wrap: an x left of `left` is taken one width W to the right,
// one right of `right` one width to the left; any other x stays.
int32_t WrapPanoramaX(int32_t x, int32_t left, int32_t right, int32_t width);

// A panorama segment is drawn when its ends lie less than half a width apart
// (|x1 - x2| < W / 2); a longer one would cross the seam, the whole panorama.
bool IsPanoramaSegmentDrawn(int32_t x1, int32_t x2, int32_t width);

// (pixels x 2^shift) / scale by 64-bit division: a screen offset in projection units (shift 34
// for the horizon chart's 10-fraction-bit scales, 24 for the sphere's whole-pixel ones). Offsets
// are held within 2^28 pixels; a zero scale (no view set up yet) reads as no offset.
int64_t ScreenOffsetToUnits(int64_t pixels, int32_t scale, int shift);

// Rotation 0 at latitude 0 (tests).
void ResetHorizonProjection();
