// The direct engine of solar eclipses: from the apparent Sun and Moon of the eclipse routines
// (ComputeEclipseSun, ComputeEclipseMoon, in the source chosen by SelectSunMoonSource),
// corrected to a place on the Earth's ellipsoid, it finds
// - for an instant, where the shadow axis meets the Earth, the umbra's ellipse on the ground,
//   its ground speed, the central duration there and the rings of equal central duration
//   (ComputeUmbraEllipseAt);
// - for a site and a day, the greatest eclipse with its magnitude and obscuration and the four
//   contacts (FindLocalEclipseCircumstances).
// Times in and out are universal time in hours of the given date (negative before its 0h, 24
// or more after its end); the Sun and Moon are taken at UT + Delta T (ComputeDeltaT). Latitudes
// are degrees north, longitudes degrees positive west. The engine keeps one program-wide work
// block (eclipse/eclipse_engine.h): UI thread only.
//
// Accuracy, against JPL DE431 and a direct shadow geometry (scripts/reference/
// solar_eclipse_reference.py): greatest eclipse and the contacts within a few seconds (the
// truncated ELP Moon), the magnitude within 0.001, the sub-shadow point within 0.05 degree,
// central durations within 3 s and ground speeds within 1 %.
#pragma once

#include <functional>

// The results that the eclipse views read; owned by the caller.
struct LocalEclipseResult {
    double magnitude;        // fraction of the Sun's diameter covered (on the axis: half the
                             // diameter ratio plus one half, plus 0.00005 for display)
    double pointLatitude;    // degrees, the point computed for: sub-shadow point or site
    double pointLongitude;   // degrees west, -180..+180
    double centralDuration;  // seconds, 0.5 added for rounding
    double separation;       // degrees between the centres at greatest, plus half an arcminute
    double sunAltitude;      // degrees
    double sunAzimuth;       // degrees from north through east, 0..360
    double time;             // UT hours of ComputeUmbraEllipseAt
    double maximumTime;      // UT hours of the greatest eclipse
    double secondContact;    // UT hours of the date (negative: the day before), NaN when not
    double thirdContact;     // found; the phases' flags tell which were found
    double firstContact;
    double fourthContact;
    bool partialPhase;       // the first and fourth contacts were found
    bool centralPhase;       // the second and third contacts were found
    int obscuration;       // percent of the Sun's area, rounded
    int groundSpeed;       // km/h, to tens
    int ringSemiAxis[10];  // km (the first nine are used; a zero duration ends the list)
    int ringDuration[10];  // seconds
    int ringOtherAxis[10];
    int umbraSemiMajor;  // km, along the Sun's azimuth
    int umbraRadius;     // km, across it
    int ellipseAxis;     // km, half-width of the ellipse across the track
    int trackAngle;      // degrees
    int trackWidth;      // km
    int azimuthMod180;   // degrees, the Sun's azimuth less whole half turns
    bool sunBelowHorizon;  // FindLocalEclipseCircumstances: the Sun stays below the horizon
                           // from the first to the last contact, so none of it is seen
};

// Sets the engine's date and time (universal time), the Delta T of the date and the sidereal
// time, the work point's latitude to 0 and the parallax on.
void SetEclipseLocalTime(int year, int month, int day, int hour, int minute, int second);

// The umbra at a universal time. Returns 1, or 0 when the shadow axis misses the Earth at that
// instant or one second later (only `time` is then set). Sets magnitude, the sub-shadow point,
// centralDuration (CentralDurationAtPlace at the sub-shadow point), sunAltitude and sunAzimuth
// (of the axis direction), groundSpeed, the rings, and the ellipse fields. Without
// `withDuration` (the map's track, which shows neither) the central duration and the rings are 0.
int ComputeUmbraEllipseAt(LocalEclipseResult* result, int year, int month, int day, int hour,
                          int minute, int second, bool withDuration = true);

// The greatest eclipse and the contacts at a site (latitude degrees north, longitude degrees
// west), searched within 3 hours of hour:minute UT of the date. Sets the point (the site),
// maximumTime, magnitude (negative: no eclipse), separation, sunAltitude and sunAzimuth (of the
// Sun at greatest), obscuration (0 without an eclipse, 100 when total), the first and fourth
// contacts (partialPhase) and, for a total or annular eclipse there, the second and third
// (centralPhase), in UT hours of the date also when they fall on the day before or after; a
// contact not found is NaN, its phase's flag false. A site without an eclipse shows "No Eclipse
// found!", and so does a site on the night side, where the limbs meet behind the Earth while
// the Sun stays below the horizon from the first to the last contact: sunBelowHorizon,
// obscuration 0 and no contact nor phase (the magnitude and the greatest eclipse are kept).
void FindLocalEclipseCircumstances(LocalEclipseResult* result, int year, int month, int day,
                                   int hour, int minute, double latitude, double longitude);

// The central duration at a place (latitude degrees north, longitude degrees west): the time in
// seconds between the second and third contacts there (FindLocalEclipseCircumstances' contacts,
// geometric: the Sun's altitude is not looked at), around the greatest eclipse found within 3
// hours of `ut` (UT hours of the date, negative before its 0h); 0 where the place sees no total
// or annular phase. Every central duration the eclipse views show comes from here, through
// ComputeUmbraEllipseAt.
double CentralDurationAtPlace(int year, int month, int day, double ut, double latitude, double longitude);

// True when the Sun's altitude (degrees, `altitudeAt` of a UT in hours) stays below -0.8333,
// the upper limb on the horizon with the standard refraction, from `first` to `last`: sampled
// at both ends and every 3 minutes between (it moves at most 0.75 degree in that time).
bool SunStaysBelowHorizon(double first, double last, const std::function<double(double)>& altitudeAt);
