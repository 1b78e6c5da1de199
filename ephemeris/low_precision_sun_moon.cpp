#include "ephemeris/low_precision_sun_moon.h"

#include <cmath>

#include "core/delta_t.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "ephemeris/ecliptic_to_equatorial.h"
#include "ephemeris/ephemeris_work.h"
#include "ephemeris/short_lunar_series.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToHours = 3.819718634205488;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kPerCentury = 2.7378507871321012e-05;  // 1 / 36525 days

double HoursInRange(double radians) {
    double hours = radians * kRadToHours;
    return hours < 0.0 ? hours + 24.0 : hours;
}

// Moves a geocentric place (radians; distance in Earth radii) towards the site of
// currentSite on a spherical Earth at sea level, d days and T centuries from J2000.0; gives
// the right ascension in hours [0, 24) and the declination in degrees.
void ShiftTowardsSite(double alpha, double delta, double distance, double d, double t,
                      double* ra, double* dec) {
    // Local sidereal angle; the site longitude is positive west.
    double lst = 280.46061837 + 360.98564736629 * d + 0.000387933 * t * t - currentSite.longitude;
    double theta = std::fmod(lst, 360.0) * kDegToRad;
    double x = distance * std::cos(delta) * std::cos(alpha) -
               currentSite.cosLatitude * std::cos(theta);
    double y = distance * std::cos(delta) * std::sin(alpha) -
               currentSite.cosLatitude * std::sin(theta);
    double z = distance * std::sin(delta) - currentSite.sinLatitude;
    *ra = HoursInRange(std::atan2(y, x));
    *dec = std::asin(z / std::sqrt(x * x + y * y + z * z)) * kRadToDeg;
}

// The short-series Moon at the Julian day jd (TT), moved towards the site; when distanceKm is not
// null it receives the Moon's distance from the Earth's centre.
void MoonAtDynamicalDay(double jd, double* ra, double* dec, double* distanceKm = nullptr) {
    double d = jd - 2451545.0;
    double t = d * kPerCentury;
    ShortLunarSums sums;
    SumShortLunarSeries(t, &sums);
    double lambda =
        sums.meanLongitude * kDegToRad + std::fmod(sums.longitude * 1e-6, 360.0) * kDegToRad;
    double beta = sums.latitude * 1.7453292519943298e-8;
    // 384999727.927 puts the Moon about 1000 times too far: the site shift stays tiny, so the
    // result is in effect geocentric (the rise and set search relies on that).
    double delta = (sums.distance * 0.001 + 384999727.927) * 0.00015678552054360675;
    double eps = (84381.448 - 46.815 * t - 0.00059 * t * t) * 0.0002777777777777778 * kDegToRad;
    double alpha, declination;
    EclipticToEquatorial(lambda, beta, eps, &alpha, &declination);
    ShiftTowardsSite(alpha, declination, delta, d, t, ra, dec);
    if (distanceKm != nullptr) *distanceKm = 385000.56 + sums.distance * 0.001;
}

}  // namespace

int SolveKeplerSigned(double meanAnomaly, double eccentricity, double* eccentricAnomaly) {
    double e = meanAnomaly;
    double correction;
    int steps = 0;
    do {
        correction = (eccentricity * std::sin(e) + meanAnomaly - e) /
                     (1.0 - eccentricity * std::cos(e));
        e += correction;
        ++steps;
    } while (correction > 1e-9);
    *eccentricAnomaly = e;
    return steps;
}

int WholeSecondsDeltaT(int year, int month, int day) {
    return static_cast<int>(ComputeDeltaT(year, month, day));
}

double DynamicalJulianDay(int year, int month, int day, int hour, int minute, int second) {
    return JulianDayFromDateTime(year, month, day, hour, minute,
                                 second + WholeSecondsDeltaT(year, month, day),
                                 currentSite.zoneMinutes);
}

void ComputeLowPrecisionSunElements(double t) {
    EphemerisWork& w = ephemerisWork;
    double t2 = t * t;
    double t3 = t2 * t;
    w.lowSunT = t;
    w.lowSunObliquity =
        std::fmod(23.452294 - 0.0130125 * t - 1.64e-6 * t2 + 5.03e-7 * t3, 360.0) * kDegToRad;
    w.lowSunMeanLongitude =
        std::fmod(279.69668 + (36000.76892 + 0.0003025 * t) * t, 360.0) * kDegToRad;
    w.lowSunMeanAnomaly =
        std::fmod(358.47583 + 35999.04975 * t - 0.00015 * t2 - 3.3e-6 * t3, 360.0) * kDegToRad;
    double e = 0.01675104 - 4.18e-5 * t - 1.26e-7 * t2;
    w.lowSunEccentricity = e;
    SolveKeplerSigned(w.lowSunMeanAnomaly, e, &w.lowSunEccentricAnomaly);
    w.lowSunTrueAnomaly =
        2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(w.lowSunEccentricAnomaly / 2));
    w.lowSunTrueLongitude = w.lowSunTrueAnomaly + w.lowSunMeanLongitude - w.lowSunMeanAnomaly;
}

void ComputeSunPosition(double* ra, double* dec, int year, int month, int day, int hour,
                        int minute, int second) {
    double jd = DynamicalJulianDay(year, month, day, hour, minute, second);
    ComputeLowPrecisionSunElements((jd - 2415020.0) * kPerCentury);
    double lambda = ephemerisWork.lowSunTrueLongitude;
    double eps = ephemerisWork.lowSunObliquity;
    *ra = HoursInRange(std::atan2(std::sin(lambda) * std::cos(eps), std::cos(lambda)));
    *dec = std::asin(std::sin(lambda) * std::sin(eps)) * kRadToDeg;
}

void ComputeMoonPositionUT(double* ra, double* dec, int year, int month, int day, int hour,
                           int minute, int second) {
    MoonAtDynamicalDay(JulianDayFromDateTime(year, month, day, hour, minute,
                                             second + WholeSecondsDeltaT(year, month, day), 0),
                       ra, dec);
}

void ComputeMoonPosition(double* ra, double* dec, int year, int month, int day, int hour,
                         int minute, int second) {
    MoonAtDynamicalDay(DynamicalJulianDay(year, month, day, hour, minute, second), ra, dec);
}

void ComputeMoonPositionAndDistance(double* ra, double* dec, double* distanceKm, int year, int month, int day,
                                    int hour, int minute, int second) {
    MoonAtDynamicalDay(DynamicalJulianDay(year, month, day, hour, minute, second), ra, dec, distanceKm);
}
