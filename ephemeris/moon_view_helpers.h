// Small helpers of the Jupiter and Saturn moon screens.
#pragma once

// x reduced to [0, 360) degrees.
double ReduceDegrees(double x);

// x reduced to [0, 2 pi) radians.
double ReduceRadians(double x);

// Julian day at 0 h of a proleptic Gregorian calendar date (every year, years
// before 1 included: the Gregorian rule is applied to all dates, with floor).
// Meeus, Astronomical Algorithms, ch. 7.
double JulianDayAFC(int year, int month, int day);
