// Mean sidereal time of a civil date and time.
// Longitudes are degrees positive WEST of Greenwich (as in SiteRecord); zones are
// minutes that local civil time is ahead of universal time. Universal time is
// taken as UT1 (no DUT1 correction).
#pragma once

// Greenwich mean sidereal time at 0h UT of a date, hours in [0, 24).
// Meeus, Astronomical Algorithms, formula 12.4 (IAU 1982 GMST); good to a few
// milliseconds of time over several centuries around 2000.
double GetGreenwichSiderealTime0h(int year, int month, int day);

// Local mean sidereal time, hours in [0, 24], of a local civil date and time at
// a longitude (degrees, positive west) with the zone in minutes. The date passed
// is the local date; the zone moves the universal hour, which may then lie
// outside 0..24. Longitude 0.0 gives the Greenwich sidereal time.
double GetLocalSiderealTime(int year, int month, int day, int hour, int minute, int second,
                            double longitude, int zone);
