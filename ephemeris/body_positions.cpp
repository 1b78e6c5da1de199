#include "ephemeris/body_positions.h"

#include <cmath>

#include "core/earth_orientation.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "ephemeris/apparent_places.h"
#include "ephemeris/body_index.h"
#include "ephemeris/body_source.h"
#include "ephemeris/ecliptic_to_equatorial.h"
#include "ephemeris/ephemeris_work.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "ephemeris/magnitude_phase.h"
#include "ephemeris/moon_elp2000.h"
#include "ephemeris/moon_phase.h"
#include "ephemeris/planets_simon.h"
#include "ephemeris/pluto.h"
#include "ephemeris/sun_vsop87.h"
#include "ephemeris/topocentric_parallax.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kRadToHours = 3.819718634205488;
constexpr double kPerCentury = 2.7378507871321012e-05;  // 1 / 36525 days

bool Topocentric() { return preferences.word[kPrefPositionMode] > 1; }

AstroSite SiteFromCurrent() {
    return {currentSite.latitude, -static_cast<double>(currentSite.longitude),
            static_cast<double>(currentSite.elevation), static_cast<double>(currentSite.temperature),
            static_cast<double>(currentSite.pressure)};
}

// Descriptor number of the astrometry chain for a body; 0 (no source) for
// bodies it does not serve.
int ChainNumber(int body) {
    switch (body) {
    case kBodyIndexMercury: return kBodyMercury;
    case kBodyIndexVenus: return kBodyVenus;
    case kBodyIndexEarth: return kBodyEarth;
    case kBodyIndexMars:
    case kBodyIndexJupiter:
    case kBodyIndexSaturn:
    case kBodyIndexUranus:
    case kBodyIndexNeptune: return body;
    default: return 0;
    }
}

// Ecliptic longitude ([0, 360)) and latitude in degrees of an equatorial place
// (radians) for the obliquity eps (radians).
void EquatorialToEcliptic(double ra, double dec, double eps, double* longitude, double* latitude) {
    double lon = std::atan2(std::sin(ra) * std::cos(eps) + std::tan(dec) * std::sin(eps), std::cos(ra)) *
                 kRadToDeg;
    if (lon < 0) lon += 360.0;
    *longitude = lon;
    *latitude = std::asin(std::sin(dec) * std::cos(eps) - std::cos(dec) * std::sin(eps) * std::sin(ra)) *
                kRadToDeg;
}

// The Sun of Newcomb's elements from 1900 that Pluto's geocentric place is
// built on: elements and Kepler solution left in ephemerisWork.
struct LowPrecisionSun {
    double obliquity;  // radians
    double longitude;  // true longitude, radians
    double distance;   // AU
};

LowPrecisionSun ComputeLowPrecisionSun(double jd) {
    ComputeLowPrecisionSunElements((jd - 2415020.0) * kPerCentury);
    const EphemerisWork& w = ephemerisWork;
    return {w.lowSunObliquity, w.lowSunTrueLongitude,
            1.0000002 * (1.0 - w.lowSunEccentricity * std::cos(w.lowSunEccentricAnomaly))};
}

// Pluto's geocentric place (radians, mean equinox of date) and physical data.
void ComputePluto(BodyPosition* out, double t, const LowPrecisionSun& sun) {
    double l, b, r;
    ComputePlutoHeliocentric(t, &l, &b, &r);
    // The series is referred to the equinox of J2000.0, the Sun to that of the
    // date: general precession in longitude takes Pluto to the Sun's equinox.
    l += 0.024381748353014515 * t;
    const double rs = sun.distance, ls = sun.longitude;
    const double x = r * std::cos(b) * std::cos(l - ls) + rs;
    const double y = r * std::cos(b) * std::sin(l - ls);
    const double lg = std::atan2(y, x) + ls;
    const double distance = std::sqrt(r * r + 2 * r * rs * std::cos(b) * std::cos(l - ls) + rs * rs);
    const double bg = std::asin(r * std::sin(b) / distance);
    EclipticToEquatorial(lg, bg, sun.obliquity, &out->ra, &out->dec);
    out->distance = distance;
    ComputeMagnitudePhase(kBodyIndexPluto, distance, r, rs, &out->magnitude, &out->illuminatedFraction,
                          &out->elongation);
    out->apparentDiameter = GetApparentDiameter(kBodyIndexPluto, distance);
    out->bodyConstant = 0.1;
}

// The triangle Sun-Earth-body of the phase geometry, AU: the body's and the
// Earth's distances from the Sun and their distance apart, all from the
// heliocentric states at the Julian day jd (TT) taken to TDB, the instant the
// place itself starts from (so the states it computed serve again). The chain's r is measured from
// the solar-system barycentre, up to 0.01 AU from the Sun, and in the
// topocentric modes its R and distance belong to the observer; mixed in the
// triangle, they turned the elongation and phase angle of a planet near
// conjunction by up to a degree. Returns false when a state is missing.
bool PhaseTriangle(double jd, const BodyDescriptor& body, const BodyDescriptor& earth, double* delta,
                   double* r, double* bigR) {
    double p[3], e[3], velocity[3], jdTt, tdbMinusTt;
    ConvertTdbToTt(jd, &jdTt, &tdbMinusTt);
    const double tdb = jd + tdbMinusTt / 86400.0;
    if (GetBodyState(tdb, &body, kOriginSun, p, velocity) != 0) return false;
    if (GetBodyState(tdb, &earth, kOriginSun, e, velocity) != 0) return false;
    *r = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    *bigR = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
    *delta = std::sqrt((p[0] - e[0]) * (p[0] - e[0]) + (p[1] - e[1]) * (p[1] - e[1]) +
                       (p[2] - e[2]) * (p[2] - e[2]));
    return true;
}

// Day number of Saturn's ring node: days from 2000 January 0.0 of the local
// date and time, by the integer calendar formula.
double RingDayNumber(int y, int m, int d, int hour, int minute, int second) {
    const int dn = 367 * y - 7 * (y + (m + 9) / 12) / 4 + 275 * m / 9 + d - 730530;
    return dn + (hour + minute / 60.0 + second / 3600.0) / 24.0;
}

}  // namespace

double ComputeSaturnRingTilt(double eclipticLongitude, double eclipticLatitude, int year, int month,
                             int day, int hour, int minute, int second) {
    const double ir = 28.06 * kDegToRad;
    const double node =
        (169.51 + 3.82e-5 * RingDayNumber(year, month, day, hour, minute, second)) * kDegToRad;
    const double los = eclipticLongitude * kDegToRad, las = eclipticLatitude * kDegToRad;
    return std::asin(std::sin(las) * std::cos(ir) - std::cos(las) * std::sin(ir) * std::sin(los - node));
}

double SaturnRingMagnitude(double tilt) {
    const double s = std::sin(tilt);
    return 1.2 * s * s - 2.6 * std::fabs(s);
}

void ComputeSunMoonPluto(BodyPosition* out, int body, double jdTT, int year, int month, int day,
                         int hour) {
    const double t = (jdTT - 2451545.0) * kPerCentury;
    const LowPrecisionSun sun = ComputeLowPrecisionSun(jdTT);
    switch (body) {
    case kBodyIndexMoon: {
        ComputeApparentMoon(out, t, sun.longitude);
        out->bodyConstant = 3.0;
        int age;
        out->illuminatedFraction = GetMoonPhase(year, month, day, hour, &age);
        break;
    }
    case kBodyIndexSun:
        ComputeApparentSun(out, t);
        out->apparentDiameter = GetApparentDiameter(kBodyIndexSun, out->distance);
        out->bodyConstant = 3.0;
        break;
    case kBodyIndexEarthShadow: ComputeApparentEarthShadow(out, t, sun.longitude); break;
    case kBodyIndexPluto: ComputePluto(out, t, sun); break;
    default: return;
    }
    if (Topocentric()) {
        // The observer turns with universal time: a sidereal time from TT would turn the site
        // by Delta T (15" cos(latitude) of the Moon's place per minute of it).
        const double jdUT = jdTT - WholeSecondsDeltaT(year, month, day) / 86400.0;
        ApplyTopocentricParallax((jdUT - 2451545.0) * kPerCentury, &out->ra, &out->dec, nullptr,
                                 nullptr, out->distance, currentSite.longitude, currentSite.latitude,
                                 currentSite.elevation);
    }
    EquatorialToEcliptic(out->ra, out->dec, sun.obliquity, &out->eclipticLongitude,
                         &out->eclipticLatitude);
    double ra = out->ra * kRadToHours;
    while (ra < 0) ra += 24.0;
    while (ra >= 24.0) ra -= 24.0;  // the parallax can carry it past a full turn too
    out->ra = ra;
    out->dec *= kRadToDeg;
}

int ComputeBody(BodyPosition* out, int body, int year, int month, int day, int hour, int minute,
                int second) {
    const double jd = DynamicalJulianDay(year, month, day, hour, minute, second);
    if (body == kBodyIndexPluto && !PlutoSeriesHolds(jd)) return 1;
    if (body == kBodyIndexSun || body == kBodyIndexMoon || body == kBodyIndexPluto ||
        body == kBodyIndexEarthShadow) {
        ComputeSunMoonPluto(out, body, jd, year, month, day, hour);
        return 0;
    }
    BodyDescriptor target, earth;
    SetBody(0, ChainNumber(body), "", &target);
    SetBody(0, kBodyEarth, "Earth", &earth);
    const AstroSite site = SiteFromCurrent();
    double ra = 0.0, dec = 0.0, distance = 0.0, r = 0.0, bigR = 0.0;
    const int code =
        Topocentric() ? ComputeTopocentricPlanetPlace(jd, &target, &earth, 0.0, &site, &ra, &dec,
                                                      &distance, &r, &bigR)
                      : ComputeApparentPlanetPlace(jd, &target, &earth, &ra, &dec, &distance, &r, &bigR);
    out->ra = ra;
    out->dec = dec;
    out->distance = distance;
    const double eps = ComputeMeanObliquity((jd - 2451545.0) / 36525.0) * kDegToRad;
    EquatorialToEcliptic(ra * 15.0 * kDegToRad, dec * kDegToRad, eps, &out->eclipticLongitude,
                         &out->eclipticLatitude);
    out->apparentDiameter = GetApparentDiameter(body, distance);
    double delta = distance;
    if (code == 0) PhaseTriangle(jd, target, earth, &delta, &r, &bigR);
    ComputeMagnitudePhase(body, delta, r, bigR, &out->magnitude, &out->illuminatedFraction,
                          &out->elongation);
    if (body == kBodyIndexSaturn) {
        out->magnitude += SaturnRingMagnitude(ComputeSaturnRingTilt(
            out->eclipticLongitude, out->eclipticLatitude, year, month, day, hour, minute, second));
    }
    return code;
}

void GetHeliocentricXYZ(int body, double jd, double* longitude, double* latitude, double* radius) {
    const double t = (jd - 2451545.0) / 36525.0;
    static const uint32_t kSimonIndex[] = {kSimonMercury, kSimonVenus,  kSimonMars,   kSimonJupiter,
                                           kSimonSaturn,  kSimonUranus, kSimonNeptune};
    if (body == kBodyIndexSun) {
        ComputeGeometricSun(t, longitude, latitude, radius);
    } else if (body == kBodyIndexMoon) {
        ComputeGeometricMoon(t, longitude, latitude, radius);
    } else if (body >= kBodyIndexMercury && body <= kBodyIndexNeptune) {
        ComputePlanetPositionSimon(jd, 0.0, kSimonIndex[body - kBodyIndexMercury], nullptr, longitude,
                                   latitude, radius);
    } else {
        return;
    }
    *longitude = std::fmod(*longitude * kRadToDeg, 360.0);
    if (*longitude < 0) *longitude += 360.0;  // the planet series may give a negative angle
    *latitude = std::fmod(*latitude * kRadToDeg, 360.0);
}
