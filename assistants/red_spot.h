// The Great Red Spot's transits of Jupiter's central meridian, day by day,
// with whether each can be observed from the site, and the fit of the Red
// Spot's System II longitude (the "GRS Longitude" preference, word 37) to a
// transit the user saw. Times are local civil time at the current site.
#pragma once

#include "assistants/planet_detail_mode.h"
#include "ephemeris/body_position.h"

// What the sky allows at a transit.
enum RedSpotSky {
    kRedSpotVisible = 0,      // Jupiter above 10 degrees and the Sun below -10
    kRedSpotSunUp = 1,        // the Sun at or above -10 degrees
    kRedSpotJupiterDown = 2,  // the Sun below -10 degrees, Jupiter at or below 10
};
int RedSpotSkyOf(double jupiterAltitude, double sunAltitude);

// One transit of a day's row.
struct RedSpotTransit {
    int hour, minute;      // as shown: 0..23
    double siderealTime;   // local sidereal time, hours
    double jupiterAltitude, sunAltitude;  // degrees, of the fixed places given
    int sky;               // RedSpotSky
};

// The transits listed on the row of `day` from the hours and minutes that
// ComputeJupiterCentralMeridian gives for it: an hour above 23 is left out;
// a negative hour is shown plus 24 and belongs to the previous day, whose
// date gives its sidereal time. The altitudes are those of the places given
// (Jupiter's and the Sun's right ascension in hours, declination in degrees)
// at that sidereal time from the site's latitude. Returns the count (0..3).
int ListRedSpotTransits(const PlanetDetailDate& day, const int hours[3], const int minutes[3],
                        const BodyPosition& jupiter, const BodyPosition& sun, RedSpotTransit out[3]);

// ListRedSpotTransits of the transits ComputeJupiterCentralMeridian gives for the day.
int GetRedSpotTransits(const PlanetDetailDate& day, const BodyPosition& jupiter, const BodyPosition& sun,
                       RedSpotTransit out[3]);

// The next day, months and years carried by the true month lengths.
void NextRedSpotDay(PlanetDetailDate* day);

// Fits the Red Spot's longitude to a transit observed at a local date and
// time. The transit of that date whose hour differs from the observed hour by
// less than 2 is taken (the first of them); none: "It seems it is not a valid
// Red Spot UTC transit time" and 0, the longitude unchanged. Otherwise the
// longitude moves up in 0.2-degree steps while the difference in minutes
// between the observed and the computed time does not grow; when it grows it
// moves back down until the difference grows again (ending one step past the
// best) or is 0; at most 1800 steps in all. Shows "Red Spot longitude %d.%d"
// with the whole degrees and the first decimal, and returns 1.
int FitRedSpotLongitude(int year, int month, int day, int hour, int minute);

// Asks for the observed transit in the date and time form (starting from
// today at 00:00 of currentDateTime) and fits the longitude to it.
void AdjustRedSpotLongitude();
