// Besselian elements of a solar eclipse: the Moon's shadow axis in the fundamental plane
// (through the Earth's centre, perpendicular to the axis), the axis direction and the radii
// of the penumbral and umbral cones, computed at nine hourly instants around greatest eclipse
// and fitted by polynomials in time. Method: Explanatory Supplement to the Astronomical
// Almanac (1992), ch. 8; Meeus, Elements of Solar Eclipses 1951-2200. Differences from it: one
// lunar radius k = 0.2725076 for both cones, and l = z sin f +- k (the published form,
// z tan f +- k / cos f, differs by a few millionths of an Earth radius).
//
// Times: the elements are counted in hours tau of dynamical time from t0. A caller starting
// from universal time UT (hours of the eclipse day) evaluates them at
// tau = UT + DeltaT / 3600 - t0 and subtracts 0.00417807 DeltaT degrees from mu (DeltaT in
// seconds); the elements carry no Delta T. The truncated Sun and Moon series put x and y
// within about 5e-4 Earth radii (about 1.7" of the Moon) of published and independently
// computed elements over 1900-2100, the Moon series' truncation taking most of it.
#pragma once

// The elements at one instant.
struct BesselianInstant {
    double x, y;    // shadow axis in the fundamental plane, Earth equatorial radii
    double d;       // declination of the axis, radians
    double mu;      // Greenwich hour angle of the axis, degrees, not reduced
    double f1, f2;  // half-angles of the penumbral and umbral cones, radians
    double l1, l2;  // cone radii in the fundamental plane, Earth radii (l2 < 0: total)
};

// The fitted polynomials, tau in hours from t0; the order of the 22 doubles is the one every
// user reads them in.
struct BesselianElements {
    double t0;              // whole hour of the eclipse day (0..24), dynamical time
    double x0, x1, x2, x3;  // x = x0 + x1 tau + x2 tau^2 + x3 tau^3
    double y0, y1, y2, y3;
    double d0, d1, d2;  // degrees
    double mu0, mu1;    // degrees (mu0 less whole turns), degrees per hour
    double l1_0, l1_1, l1_2;
    double l2_0, l2_1, l2_2;
    double tanF1, tanF2;  // at t0, not fitted
};

// The instant last computed; scratch for BuildBesselianElements.
extern BesselianInstant besselianInstant;

// The elements of the solar eclipse whose details were computed last.
extern BesselianElements besselianElements;

// Fills besselianInstant for the date and time taken as dynamical time (no Delta T is added):
// the apparent Sun and Moon of the full series, IAU 1980 nutation. The minute may lie outside
// 0..59 (it is carried into the hours and days); mu is counted from 0h of the given date, so
// it stays continuous into the next day.
void ComputeBesselianInstant(int year, int month, int day, int hour, int minute, int second);

// The reference hour t0 of an eclipse whose greatest eclipse is at hour:minute (UT): the
// nearest whole hour, hour + (minute + 30) div 60, so 24 for 23:30 and later.
int BesselianReferenceHour(int hour, int minute);

// Fills elements from the nine instants hour - 4 .. hour + 4 of the date (t0 = hour).
void BuildBesselianElements(BesselianElements* elements, int year, int month, int day, int hour);

// The fit of BuildBesselianElements from nine instants at tau = -4 .. +4 (samples[k + 4] at
// tau = k): least squares, x, y, l1, l2 cubic (the cubic terms of l1 and l2 dropped), d
// quadratic in degrees, mu linear; tan f from samples[4]. The hour angles are first made
// continuous: the axis right ascension comes from atan2, and when the axis passes 12 h during
// the nine hours it jumps by 360 degrees, which would spoil mu0 and mu1. A fit that cannot be
// made (no memory) leaves its coefficients as they were.
void FitBesselianSamples(BesselianElements* elements, const BesselianInstant samples[9], double t0);
