// The Moon's phase on the chart (its icon, age and parallactic angle, kept
// for the current chart hour, and its turned picture) and the phase disc of a
// planet.
#pragma once

#include <cstdint>

// Written by ComputeMoonIconState, read by the chart's drawing; all 0 at start.
extern int32_t moonIconId;            // phase icon 6050..6063; 0 until first chosen
extern int32_t moonAgeDays;           // age in whole days, 0..28
extern int32_t moonParallacticAngle;  // whole degrees, truncated toward zero

// The Moon icon state for a local civil date and whole hour at currentSite:
// the age from GetMoonPhase; the parallactic angle q of Meeus (14.1),
// tan q = sin H / (tan(latitude) cos(dec) - sin(dec) cos H), from the local
// sidereal time and ComputeMoonPosition's place; the icon from the fraction at
// the earlier of this hour and the next (hour 23 pairs with hour 22):
// 6050 + trunc(7 f) while it grows, 6063 - trunc(6 f) while it shrinks. On a
// screen whose GetScreenScale is 1 or less the icon is not chosen and keeps its
// value. Returns moonIconId.
int ComputeMoonIconState(int year, int month, int day, int hour);

// The Moon picture (bitmaps 3993 lit and 3994 dark) turned by
// moonParallacticAngle and cut at the phase ((moonAgeDays + 14) mod 28) / 28
// into the width x height box at (left, top); stepX and stepY are passed on
// to DrawMoonPhaseImage.
void DrawChartMoonPhase(int width, int height, int left, int top, int stepX, int stepY);

// The phase disc of a body centred on (x, y) from ComputeBody at the local date
// and time; radiusX and radiusY are handed to DrawMoonPhaseShading as the
// disc's width and height. White on black from the left limb for the per cent
// lit while the lit fraction grows since the same time a day earlier (day - 1,
// so day 0 on the 1st of a month; on the first day the theory covers, towards
// the same time a day later), else black on white from the left limb for
// the per cent dark; then a black circle of radius radiusX / 2. The foreground
// colour is restored. Out (each may be null): the per cent lit, the apparent
// diameter in arcseconds and the phase angle acos(2f - 1) in degrees, each
// rounded to the nearest whole number. When ComputeBody has no place for the
// body or date, nothing is drawn and the figures are 0.
void DrawPlanetPhaseDisc(int body, int year, int month, int day, int hour, int minute, int radiusX, int radiusY,
                         int x, int y, int* outPercent, int* outSizeArcsec, int* outPhaseAngle);

// All three values back to 0 (tests).
void ResetMoonIconState();
