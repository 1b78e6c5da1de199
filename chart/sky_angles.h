// Angles the chart and the planet views share.
#pragma once

// Great-circle distance in degrees between two places given as right
// ascension (hours) and declination (degrees), by the haversine formula,
// which stays accurate for small distances.
double AngularSeparationDeg(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg);

// The mean obliquity of the ecliptic at J2000.0, 23.43929 degrees, in radians.
double GetObliquityRad();
