// The planets assistant's Ecliptic page: the whole sky as a strip along the
// celestial equator (right ascension growing to the left, 24 h across the
// form's width W; one pixel per degree of declination times the vertical
// scale v, -45..+45 degrees), with the constellation figures, the ecliptic,
// the hour scale, the equator and the +-20 degree lines, and the Sun, the
// Moon and the planets at the assistant's date and time; below it the legend
// of the bodies, and beside it, on screens taller than 240 v, their right
// ascension and declination.
//
// Layout (h, v the display scales, W x H the form): band top T = 24 v,
// height B = 90 v, centre line C = T + B / 2; the legend's rows 18 v apart
// from 5 v under the band, wrapped after five bodies into a second column
// 90 h to the right when H <= 240 v.
#pragma once

// Draws the page into the current draw window of formWidth x formHeight and
// sets chartRect to its area: from T to the form's bottom, 14 v less when the
// table is shown. While `animating`, the bodies come from the fast routines
// (the approximate planets, the low-precision Sun and Moon). The time field
// gets the assistant's "%02d:%02d" when form 2450 shows it.
void DrawEclipticBand();

// x of right ascension `hours` on a band `width` pixels wide:
// floor((24 - hours) x width / 24), so 0 h is the right edge x = width.
int EclipticBandX(double hours, int width);

// The equatorial place of ecliptic longitude `lambda` (degrees, latitude 0)
// with the obliquity GetObliquityRad: right ascension in hours, [0, 24), and
// declination in degrees.
void EclipticLongitudeToEquatorial(double lambda, double* hours, double* degrees);
