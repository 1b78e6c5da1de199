// Apparent and topocentric places of stars and solar-system bodies by the classical vector
// method: barycentric Earth, space motion or light-time-corrected ephemeris, relativistic
// deflection by the Sun, relativistic annual aberration, IAU 1976 precession and IAU 1980
// nutation. Results refer to the true equator and equinox of date. Vectors are in AU or
// AU/day, J2000 mean equator unless stated; output vectors must not be input vectors.
// Valid for JD 2340000.5 to 2560000.5 (the body source's range); the places of stars, which
// need the Earth alone, over the span of its solar series (kSolarSeriesFirstJd to
// kSolarSeriesLastJd). Not reentrant.
#pragma once

#include <cstdint>

#include "ephemeris/body_source.h"

// A catalogue star (J2000).
struct CatalogStar {
    char catalogue[4];
    char name[51];
    int32_t number;
    double ra;              // hours
    double dec;             // degrees
    double pmRa;            // seconds of time per Julian century
    double pmDec;           // arcseconds per Julian century
    double parallax;        // arcseconds
    double radialVelocity;  // km/s
};

// The observer of the astrometry.
struct AstroSite {
    double latitude;     // degrees, north positive
    double longitude;    // degrees, EAST positive
    double height;       // metres above sea level
    double temperature;  // degrees Celsius
    double pressure;     // millibars
};

// Apparent place of a star at JD (TT), seen from the centre of the Earth: RA (hours), Dec
// (degrees). Returns 0, or the body source's code (1: date outside the span of the Earth's
// solar series) with RA = Dec = 0.
int ComputeApparentStarPlace(double jd, const BodyDescriptor* earth, const CatalogStar* star,
                             double* ra, double* dec);

// Apparent place of a body at JD (TT) from the centre of the Earth: RA (hours), Dec (degrees),
// geometric distance at TDB (AU), heliocentric distance r of the body and R of the Earth (AU).
// Returns 0; the Earth's code + 10 (11: date out of range); or the body's code of
// GetBodyState, with the outputs set to 0 as the code's description in the source says.
int ComputeApparentPlanetPlace(double jd, const BodyDescriptor* body, const BodyDescriptor* earth,
                               double* ra, double* dec, double* distance, double* r, double* bigR);

// Topocentric place of a star at JD (TT) for the site; deltaT = TT - UT (seconds).
// Returns as ComputeApparentStarPlace.
int ComputeTopocentricStarPlace(double jd, const BodyDescriptor* earth, double deltaT,
                                const CatalogStar* star, const AstroSite* site, double* ra,
                                double* dec);

// Topocentric place of a body at JD (TT) for the site; R is the observer's barycentric
// distance. Returns as ComputeApparentPlanetPlace.
int ComputeTopocentricPlanetPlace(double jd, const BodyDescriptor* body,
                                  const BodyDescriptor* earth, double deltaT,
                                  const AstroSite* site, double* ra, double* dec,
                                  double* distance, double* r, double* bigR);

// TDB of JD (TT) and the Earth's barycentric and heliocentric position and velocity there,
// cached per JD (1e-6 day). Returns 0 or the body source's code, writing nothing then.
int GetEarthState(double jd, const BodyDescriptor* earth, double* tdb, double* baryPosition,
                  double* baryVelocity, double* helioPosition, double* helioVelocity);

// Geocentric position (AU) and velocity (AU/day) of the observer in the true equator and
// equinox of date, for the apparent sidereal time (hours). Reference ellipsoid 6378.14 km,
// polar-to-equatorial ratio 0.99664719; rotation 7.292115e-5 rad/s.
void ComputeObserverVectors(const AstroSite* site, double siderealTime, double* position,
                            double* velocity);

// Barycentric position (AU) and space velocity (AU/day) of a star at J2000.0; a parallax of
// 0 or less counts as 1e-7 arcsec.
void ComputeStarVectors(const CatalogStar* star, double* position, double* velocity);

// out = position + velocity (jd2 - jd1).
void ApplyProperMotion(double jd1, const double* position, const double* velocity, double jd2,
                       double* out);

// out = position - observer; light time = |out| / c (days).
void ComputeGeocentricVector(const double* position, const double* observer, double* out,
                             double* lightTime);

// Relativistic deflection of light by the Sun for an observer at heliocentric position
// `observer`, of a source at geocentric position p. No deflection on the Sun's line of
// sight. Always returns 0.
int ApplySolarDeflection(const double* p, const double* observer, double* out);

// Relativistic aberration for an observer moving with velocity v (AU/day); lightTime (days)
// gives the source's distance, or 0.0 to take it from |p|. A zero velocity leaves p as it
// is. Always returns 0.
int ApplyAberration(const double* p, const double* v, double lightTime, double* out);

// RA (hours, [0, 24)) and Dec (degrees) of a vector. Returns 0; 1 for the zero vector (RA =
// Dec = 0); 2 on the pole (RA 0, Dec +-90).
int VectorToRaDec(const double* v, double* ra, double* dec);

// distance x the unit vector of RA (hours) and Dec (degrees).
void RaDecToVector(double ra, double dec, double distance, double* out);

// Empties the Earth-state cache (for tests).
void ResetEarthStateCache();
