// The Sun over the Moon: its selenographic position and colongitude, its
// altitude over a lunar feature, the feature's sunrise and sunset, and the
// features near the terminator (Meeus, Astronomical Algorithms, ch. 53).
// Julian days here are universal time and are used as given, with no Delta T.
#pragma once

// Selenographic longitude (degrees, in (-360, 360)) and latitude of the Sun and
// the colongitude (degrees, [0, 360)) at jd: the Moon's heliocentric direction
// (short lunar series and VSOP87 Sun) fed to ComputeLunarLibrations. Agrees
// with ERFA-based positions within 0.01 degree over 1950-2050. Returns 1.
int ComputeMoonPhysicalEphemeris(double jd, double* sunLongitude, double* sunLatitude,
                                 double* colongitude);

// Altitude of the Sun (degrees, -90..90) over the lunar feature at selenographic
// longitude and latitude (degrees, north positive) at jd, on a spherical Moon.
double FeatureSunAltitude(double jd, double longitude, double latitude);

// Julian day when the Sun's altitude over the feature passes 0, searched from
// jd by steps of altitude / (12.19075 cos latitude) days: rising 1 finds a
// sunrise (back from a sunlit start, forward from a dark one), rising 0 a
// sunset (forward from a sunlit start, back from a dark one). Ends when
// |altitude| <= 0.001 degree (with one more step made). Returns 0.0, "no
// crossing", after 100 steps (the Sun circling without rising or setting near
// the poles) or at once when |cos latitude| < 1e-3. Steps the busy indicator.
double FindFeatureSunCrossing(double jd, double longitude, double latitude, int rising);

// FindFeatureSunCrossing with rising 1.
double FindFeatureSunrise(double jd, double longitude, double latitude);

// FindFeatureSunCrossing with rising 0.
double FindFeatureSunset(double jd, double longitude, double latitude);

// Writes into indices (at most maxCount) the lunar feature record indices whose
// diameter is at least minDiameter km and over which the Sun stands between 0
// and maxAltitude degrees at jd: the features near the morning and the evening
// terminator. Records that cannot be read are skipped. Returns the count written.
int ComputeTerminatorPoints(double jd, int* indices, int maxCount, int minDiameter,
                            int maxAltitude);
