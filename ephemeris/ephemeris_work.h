// The shared work area of the ephemeris routines: intermediate values that one computation
// leaves for the next step. Not reentrant; UI thread only.
#pragma once

struct EphemerisWork {
    // Ecliptic place of the body computed last by the Sun, Moon and Earth-shadow routines.
    double longitude;  // radians
    double latitude;   // radians
    double distance;   // AU

    // Arguments of the apparent Moon and Earth-shadow routines (radians unless stated).
    double moonElongation;      // psi, degrees
    double moonMeanAnomaly;     // M'
    double sunMeanAnomaly;      // M
    double moonMeanLongitude;   // L'
    double moonNode;            // Omega
    double moonArgumentOfLatitude;  // F
    double moonMeanElongation;  // D
    double eccentricityFactor;  // E
    double moonPhaseAngle;      // i, degrees
    double sunMeanLongitude;    // L0, degrees, unreduced

    // Low-precision Sun: elements and Kepler solution (radians; T in centuries from 1900).
    double lowSunT;
    double lowSunObliquity;
    double lowSunMeanLongitude;
    double lowSunMeanAnomaly;
    double lowSunEccentricity;
    double lowSunEccentricAnomaly;
    double lowSunTrueAnomaly;
    double lowSunTrueLongitude;
};

extern EphemerisWork ephemerisWork;

// Sets every place of the work area to 0 (for tests).
void ResetEphemerisWork();
