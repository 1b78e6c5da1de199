// The constellation that contains a position on the sky, by the boundaries of Roman (1987)
// for the equinox B1875.0.
#pragma once

#include <cstdint>

// One row of the boundary table: a band of right ascension above a lower declination.
struct ConstellationBoundary {
    int32_t raLow;          // seconds of time, inclusive
    int32_t raHigh;         // seconds of time, exclusive
    int32_t decLow;         // arcseconds; a position must lie strictly above it
    int32_t constellation;  // row of the constellation table, 0..88
};

constexpr int kConstellationBoundaryRows = 357;

// The published table in its order (lower declination limits never increasing); the first
// row holds everything above +88 degrees (UMi), the last everything left (Oct).
extern const ConstellationBoundary constellationBoundaries[kConstellationBoundaryRows];

// Index 0..88 of the constellation table (0 And .. 84 UMi .. 88 Vul; Cancer is 22) of the
// position at right ascension `hours` and declination `degrees`, referred to the mean equator
// and equinox of the Julian day `equinox` (for example 2451545.0 for J2000 catalogue
// positions). The position is precessed to B1875.0 (JD 2405889.25855) by the IAU 1976
// precession; -1 when no row contains it (only the south pole itself, declination -90
// degrees after precession). Positions within about an arcsecond of a boundary may fall on
// either side (the boundaries are given to a second of time and an arcsecond).
int FindConstellation(double hours, double degrees, double equinox);
