// The solar-system body source of the vector astrometry: body descriptors and barycentric or
// heliocentric states of the Sun, the Earth and the major planets. Valid for JD 2340000.5 to
// 2560000.5 (1694 to 2296). Minor planets have no source.
#pragma once

#include <cstdint>

// A body of the astrometry chain.
struct BodyDescriptor {
    int16_t type;    // 0 major body (planet, Earth or Sun), 1 minor planet
    int16_t number;  // GetSolarSystemBody numbering for type 0
    char name[100];  // NUL-terminated
};

// Body numbers of GetSolarSystemBody.
enum SolarSystemBodyNumber : int {
    kBodyMercury = 1,
    kBodyVenus = 2,
    kBodyEarth = 3,
    kBodyMars = 4,
    kBodyJupiter = 5,
    kBodySaturn = 6,
    kBodyUranus = 7,
    kBodyNeptune = 8,
    kBodySun = 10
};

// Origins of the states: the solar-system barycentre or the centre of the Sun.
enum BodyOrigin : int { kOriginBarycentre = 0, kOriginSun = 1 };

// Fills a descriptor. It first becomes type 0, number 0, name "  ". Returns 1 for a type
// other than 0 or 1; 2 for a number without a source (type 0: other than 1..8 or 10; type 1:
// below 1), with the type stored; else 0 with the number and the name (at most 99
// characters; a null name is empty) stored.
int SetBody(int type, int number, const char* name, BodyDescriptor* body);

// Position (AU) and velocity (AU/day) of the body at JD (TDB), J2000 mean equator and
// equinox, relative to the origin. Returns 0; 1 for an origin other than 0 or 1; 2 for a
// descriptor type other than 0 or 1; the body source's code + 10 for a major body (11: date
// out of range); 3 when memory runs out, or 29 always, for a minor planet (no source).
// Nothing is written on failure.
int GetBodyState(double jd, const BodyDescriptor* body, int origin, double* position,
                 double* velocity);

// Position (AU) and velocity (AU/day) of body number 1..8 or 10 at JD (TDB), J2000 mean
// equator and equinox, barycentric (origin 0) or heliocentric (origin 1). Planets by Simon et
// al. (1994), the Earth from the Bretagnon-Simon solar series (velocity by central difference
// over 0.2 day), the barycentre from circular orbits of the four giant planets. Returns 0, 1
// for a date outside JD 2340000.5 to 2560000.5, 2 for a number without a source; nothing is
// written on failure.
int GetSolarSystemBody(double jd, int number, int origin, double* position, double* velocity);

// The span of the Earth's solar series (Bretagnon & Simon): JD of -4000 January 1 (Julian
// calendar) and of +2800 January 1.
constexpr double kSolarSeriesFirstJd = 260057.5;
constexpr double kSolarSeriesLastJd = 2743738.5;

// The Earth's state as GetSolarSystemBody gives it for number 3 (the solar series, and the
// giant planets' circular orbits for the barycentre), over the series' own span
// kSolarSeriesFirstJd to kSolarSeriesLastJd (TDB) rather than the planets' range: what a
// star's apparent place needs. Returns 0, or 1 outside the span, writing nothing then.
int GetEarthSeriesState(double jd, int origin, double* position, double* velocity);

// Geometric Sun of the mean equator and equinox of date at JD (TT) by the 50-term series of
// Bretagnon & Simon (Planetary Programs and Tables from -4000 to +2800): RA (hours), Dec
// (degrees), distance (AU). A few arcseconds over 1900-2100.
void ComputeSunSeriesPosition(double jd, double* ra, double* dec, double* distance);

// The minor-planet source: no ephemeris is available. Returns a new zero-filled block of six
// doubles that the caller releases with delete[] (null when memory runs out) and sets
// *error to 9.
double* ReadMinorPlanetState(int number, const char* name, double jd, int* error);

// Empties the barycentre and Earth caches (for tests).
void ResetBodySourceCache();
