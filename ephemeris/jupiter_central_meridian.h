// Jupiter's System II central meridian and the transits of the Great Red Spot.
#pragma once

// Local times of the first three transits of the Great Red Spot across
// Jupiter's central meridian after local midnight of a civil date (the site's
// zone from currentSite), for the Red Spot at the "GRS Longitude" preference
// (System II degrees). hour[n], minute[n] count from that midnight: the first
// within one rotation of it, the later ones can pass 24 h. Jupiter and the
// Earth come from linear J2000 mean elements with a first-order equation of
// the centre; the System II rotation runs in dynamical time (universal time
// plus ComputeDeltaT), and the central meridian is corrected for light time
// and the planet's pole. Over 2000-2040 it stays within 0.3 degree (half a
// minute of transit time) of the IAU rotation model with PyEphem's Jupiter,
// given the same Delta T. Returns minute[2].
int ComputeJupiterCentralMeridian(int year, int month, int day, int hour[3], int minute[3]);

// The steps of the central meridian at one instant.
struct JupiterMeridian {
    double declination;      // geocentric, degrees
    double distance;         // from the Earth, AU
    double poleAngle;        // K: position of the pole seen from the Earth, degrees, (-180, 180]
    double centralMeridian;  // System II longitude, degrees, in (-540, 540): not reduced
};

// Jupiter's central meridian at the universal-time Julian day jd (the first
// ten steps of ComputeJupiterCentralMeridian).
JupiterMeridian ComputeJupiterMeridian(double jd);
