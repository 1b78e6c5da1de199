// Places of a goto, a sync and a position read at the clock's date and time:
// the place of date the mount is given, the pointing-model correction of the
// alignment source "External", and the two-star alignment of the program's
// own source in both directions. Right ascension in hours, declination,
// altitude and azimuth in degrees; the site is currentSite.
#pragma once

// The apparent place of date of a J2000 place (of date for a negative mode)
// in a position mode at the clock's date and time, with its altitude and
// azimuth (either may be null). When it cannot be computed the place is the
// input, the altitude -90 and the azimuth 0, and it returns false.
bool PlaceOfDate(double ra, double dec, int mode, double* placeRa, double* placeDec, double* altitude,
                 double* azimuth);

// The pointing model's correction for a goto: EQ output corrects (RA x 15,
// Dec); AZ and Encoder output correct the given azimuth and altitude, which
// then go back to RA and Dec at the clock's local sidereal time. A place where
// the model is undefined stays as it is.
void ApplyPointingCorrection(double* ra, double* dec, double azimuth, double altitude);

// The mount's axes for a sky place through the two-star alignment at the
// clock's whole-second time: hours x 15 and degrees as an EQ mount reads them
// (the first axis in hours), azimuth / 15 and altitude for AZ and Encoder
// output.
void SkyToMount(double* ra, double* dec);

// The sky place of a reading (first axis in hours for EQ output, degrees
// otherwise) through the two-star alignment at the clock's time.
void ReadingToSky(double* first, double* second);

// A J2000 place turned in place into the mean-to-true place of date
// (precession and nutation) at the clock's date and time: the reading of a
// controller that works in J2000.
void CatalogPlaceToDate(double* ra, double* dec);

// An azimuth and altitude reading turned in place into right ascension
// (hours) and declination at the clock's local sidereal time and the site's
// latitude.
void HorizonReadingToSky(double* azimuth, double* altitude);

// The local sidereal time of the clock at the site, hours.
double ClockSiderealTime();
