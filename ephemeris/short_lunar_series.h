// The short lunar series shared by the low-precision Moon and ComputeMoonShortSeries: 18 terms
// in longitude, 14 in latitude and 13 in distance on second-degree fundamental arguments
// (after Meeus, Astronomical Algorithms, chapter 47). Over 1900-2100 the place is good to
// 0.06 degree in longitude, 0.03 degree in latitude and 230 km.
#pragma once

struct ShortLunarSums {
    double meanLongitude;  // L', degrees, reduced by fmod 360
    double longitude;      // sum of the longitude terms, millionths of a degree
    double latitude;       // sum of the latitude terms, millionths of a degree
    double distance;       // sum of the distance terms, metres
};

// The sums at T (Julian centuries of TT from J2000.0), each in its table's order.
void SumShortLunarSeries(double t, ShortLunarSums* sums);
