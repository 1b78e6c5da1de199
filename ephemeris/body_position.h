// The place and physical data of a solar-system body that the position routines fill.
#pragma once

// Caller-owned; each routine writes only the fields it documents and leaves the rest as the
// caller left them.
struct BodyPosition {
    double ra;                   // right ascension (radians from the Sun and Moon routines)
    double dec;                  // declination (radians from the Sun and Moon routines)
    double distance;             // AU from the Earth's centre
    double sunMoonFraction;      // illuminated fraction as the Sun and Moon routines give it
    double magnitude;            // visual magnitude
    double illuminatedFraction;  // 0..1
    double apparentDiameter;     // arcminutes
    double bodyConstant;
    double elongation;           // degrees, angle Sun-Earth-body
    double eclipticLongitude;    // degrees, [0, 360)
    double eclipticLatitude;     // degrees
};
