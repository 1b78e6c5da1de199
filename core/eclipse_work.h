// The work block of the eclipse engine and its choice of Sun and Moon source: shared by the
// nutation and sidereal time in Julian centuries (core/nutation_centuries.h), the eclipse Sun
// and Moon (ephemeris/eclipse_sources.h) and the eclipse screens. Program-wide, unguarded: the
// user-interface thread only.
#pragma once

struct EclipseWork {
    double timeArgument;       // T, Julian centuries from J2000.0 (dynamical time once the
                               // sidereal time has been computed)
    double daysFromJ2000;      // days from JD 2451545.0 to 0h universal time of the date
    double timeOfDay;          // hours
    double negativeDeltaT;     // -Delta T, hours
    double siderealTime;       // apparent Greenwich sidereal time, hours, not reduced to 0..24
    double nutationLongitude;  // radians; 0 together with trueObliquity means "not computed"
    double trueObliquity;      // radians
    double seriesLongitude;    // ecliptic longitude from the series or the cache, radians
    double eclipticLongitude;  // longitude to convert; then the apparent longitude, radians
    double latitudeOrRa;       // latitude from the source (radians), replaced by the right
                               // ascension in hours by the conversion
    double declination;        // radians
    double sunDistance;        // AU
    double moonDistance;       // AU
    double sunRa;              // radians
    double sunDeclination;     // radians
    double sunRaHours;         // hours
    double sunDistanceCopy;    // AU
    double moonRa;             // radians
    double moonDeclination;    // radians
};

extern EclipseWork eclipseWork;

// 0 while the eclipse Sun and Moon come from the series, 1 while they come from the
// interpolation caches; 1 at program start. Written only by SelectSunMoonSource.
extern int sunMoonSource;

// Minus Delta T in seconds, stored by the eclipse set-up for the sidereal time.
extern double eclipseMinusDeltaT;

// Clears the stored nutation in longitude and true obliquity (so that the next sidereal time
// computes them afresh) and selects the source (0 series, 1 caches).
void SelectSunMoonSource(int flag);

// Start state: every place 0, source 1, eclipseMinusDeltaT 0 (start-up and tests).
void ResetEclipseWork();
