// The Moon's illuminated fraction and age by the quick epoch-1980 method of
// Duffett-Smith, Practical Astronomy with your Calculator: the Sun by a Kepler
// solution with a fixed eccentricity, the Moon by its mean longitude and five
// periodic corrections. Universal time; epoch 1980 January 0.0 (JD 2444238.5).
// Accuracy: the fraction to about 0.01, the elongation to a few tenths of a degree.
#pragma once

// Illuminated fraction 0 (new) .. 1 (full) of the Moon at a local civil date
// and hour (with fraction; the site's zone minutes give universal time; hours
// outside 0..24 run into the neighbouring days). *age receives the Moon's age
// in whole days: the elongation from the Sun scaled to a 29-day cycle, 0..28
// (29 only when the reduced elongation is exactly 360).
double GetMoonPhase(int year, int month, int day, double hour, int* age);

// Julian day of a date with a day fraction (Meeus, ch. 7): the Julian calendar
// before 1582 October 15, the Gregorian calendar from 15.0 on, as
// JulianDayFromDateTime reads dates.
double JulianDayFromDecimalDay(int year, int month, double day);

// The Sun's ecliptic longitude in degrees [0, 360) at d days after the epoch.
double SunLongitudeEpoch1980(double d);

// The Moon's true ecliptic longitude in degrees at d days after the epoch, from
// the Sun's longitude (degrees); not reduced, so it may lie a few degrees
// outside [0, 360).
double MoonLongitudeEpoch1980(double d, double sunLongitude);
