// The place and physical data of the Sun, the Moon, the planets, Pluto and the
// centre of the Earth's shadow for a local civil date and time at the current
// site: the one call through which every screen gets a solar-system body.
#pragma once

#include "ephemeris/body_position.h"

// Fills the caller's record for body (BodyIndex: 0 Sun, 1 Moon, 2..8 Mercury
// .. Neptune, 9 Pluto, 10 Earth, 13 the centre of the Earth's shadow at the
// Moon's distance) at a local civil date and time (the site's zone; Delta T in
// whole seconds makes it TT). Fields a body's path does not write keep what the
// caller left in them:
//   ra (hours, [0, 24)), dec (degrees), distance (AU), eclipticLongitude
//   ([0, 360)) and eclipticLatitude (degrees, mean ecliptic of date): all;
//   sunMoonFraction: Sun (1.0), Moon and shadow;
//   magnitude: all but the Earth (the Sun -26.74 + 5 log10 of its distance, Saturn with its
//     rings);
//   illuminatedFraction: planets, Pluto, the Earth and the Moon (the quick
//     phase routine, for the requested date and whole hour);
//   apparentDiameter (arcminutes): all (0 for the Earth);
//   bodyConstant: 3.0 for the Sun and the Moon, 0.1 for Pluto;
//   elongation (degrees): planets, Pluto and the Earth.
// The position-mode preference chooses geocentric (0, 1) or topocentric (2, 3)
// places; refraction is not applied here. The Moon's topocentric shift (the
// place of modes 2 and 3 less that of 0 and 1) agrees with PyEphem's within
// 0.2" over 1900-2100. The planets come from the apparent-
// place chain (Simon et al. 1994 planets, aberration, deflection, nutation),
// the Sun from VSOP87, the Moon and the shadow from ELP-2000/82, Pluto from
// its seven-term series with a low-precision Sun.
// Returns 0, or for the planets and the Earth the chain's code (11 for a date
// outside JD 2340000.5 to 2560000.5, 12 for a body number without a source);
// the record is then filled from the zero place the chain leaves, and the
// caller should leave the body out. Pluto returns 1 outside the years its
// series holds (1885 to 2099, TT) and leaves the record as it was. Bodies 0,
// 1 and 13 always return 0.
int ComputeBody(BodyPosition* out, int body, int year, int month, int day, int hour, int minute,
                int second);

// The Sun, the Moon, Pluto and the Earth's shadow (bodies 0, 1, 9, 13) at the
// Julian day jdTT; the local date and whole hour are those of the request, for
// the Moon's illuminated fraction, and the date's whole seconds of Delta T
// taken from jdTT give the universal time whose sidereal time turns the
// observer of the topocentric modes. Part of ComputeBody.
void ComputeSunMoonPluto(BodyPosition* out, int body, double jdTT, int year, int month, int day,
                         int hour);

// Ecliptic places in degrees (longitude in [0, 360), latitude in -90..90) at the
// Julian day jd (TT): body 0 the Sun's geometric geocentric place and distance
// (AU, mean equinox of date); 1 the Moon's geocentric place and distance (AU);
// 2..8 the planet's heliocentric place (J2000.0 ecliptic) and radius (AU) by
// Simon et al. (1994). Other bodies leave the outputs as they were.
void GetHeliocentricXYZ(int body, double jd, double* longitude, double* latitude, double* radius);

// Tilt of Saturn's rings to the line of sight, radians, from Saturn's geocentric
// ecliptic longitude and latitude (degrees) and the date and time (ring node
// 169.51 + 3.82e-5 d degrees, inclination 28.06 degrees, d days from 2000
// January 0.0). Its sign is the opposite of Meeus's B (Astronomical
// Algorithms, ch. 45: positive when the northern face is seen); the magnitude
// law uses only sin^2 B and |sin B|, so a drawing of the rings must not take
// the face seen from it.
double ComputeSaturnRingTilt(double eclipticLongitude, double eclipticLatitude, int year, int month,
                             int day, int hour, int minute, int second);

// What the rings add to Saturn's magnitude at a ring tilt (radians): 1.2 sin^2 B
// - 2.6 sin|B|, never positive.
double SaturnRingMagnitude(double tilt);
