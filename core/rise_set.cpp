#include "core/rise_set.h"

#include <cmath>

#include "core/delta_t.h"
#include "core/interpolation.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kNeverSets = 23.99;
constexpr double kSolarPerSidereal = 0.9972695663;  // mean solar time per unit of sidereal time

// The sidereal time at local noon that ComputeRiseTransitSetFixed last used.
struct NoonSiderealCache {
    int year = 0, month = 0, day = 0, zone = 0;
    double longitude = 0.0;
    double siderealTime = 0.0;
};

NoonSiderealCache noonCache;
long noonSiderealCount = 0;

// A fraction of a day brought into 0..1 by whole days. Far east of its zone
// meridian (a zone of +12 h or more) a site can put m below -1, where a single
// day's shift would leave every event on the day before.
double BringIntoDay(double m) {
    if (m > 1) return m - std::ceil(m - 1);
    if (m < 0) return m + std::ceil(-m);
    return m;
}

// The site as the engines read it.
struct EngineSite {
    double sinPhi, cosPhi, longitude;
};

EngineSite ReadSite() {
    return {currentSite.sinLatitude, currentSite.cosLatitude, currentSite.longitude};
}

}  // namespace

int ComputeRiseTransitSet(int year, int month, int day, int hour, int minute, int second, double ra1,
                          double dec1, double ra2, double dec2, double ra3, double dec3, double h0,
                          double* rise, double* transit, double* set) {
    const EngineSite site = ReadSite();
    const double theta0 = 15.0 * GetLocalSiderealTime(year, month, day, hour, minute, second, 0.0,
                                                      currentSite.zoneMinutes);
    const double dT = ComputeDeltaT(year, month, day);
    const double cosH0 = (std::sin(h0 * kDegToRad) - site.sinPhi * std::sin(dec2 * kDegToRad)) /
                         (site.cosPhi * std::cos(dec2 * kDegToRad));
    if (ra1 > ra2) {
        ra2 += 24;
        ra3 += 24;
    }
    if (ra2 > ra3) ra3 += 24;
    if (cosH0 < -1) {
        *rise = 0;
        *transit = 12.0;
        *set = kNeverSets;
        return 0;
    }
    if (cosH0 > 1) {
        *rise = *transit = *set = 0;
        return 1;
    }
    const double bigH0 = std::acos(cosH0) * kRadToDeg;
    const double m0 = (15.0 * ra2 - theta0 + site.longitude) / 360.0;
    double m[3] = {BringIntoDay(m0 - bigH0 / 360.0), BringIntoDay(m0), BringIntoDay(m0 + bigH0 / 360.0)};
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 0; k < 3; ++k) {  // rising, transit, setting
            const double theta = std::fmod(360.985647 * m[k] + theta0, 360.0);
            const double n = m[k] + dT / 86400.0;
            const double alpha = Interpolate3(ra1, ra2, ra3, n);
            double bigH = theta - 15.0 * alpha - site.longitude;
            if (k == 1) {
                bigH = std::fmod(bigH, 360.0);
                if (bigH > 180) bigH -= 360;
                if (bigH < -180) bigH += 360;
                m[k] -= bigH / 360.0;
                continue;
            }
            const double delta = Interpolate3(dec1, dec2, dec3, n) * kDegToRad;
            const double hr = bigH * kDegToRad;
            const double h =
                std::asin(site.sinPhi * std::sin(delta) + site.cosPhi * std::cos(delta) * std::cos(hr)) *
                kRadToDeg;
            m[k] += (h - h0) / (360.0 * std::cos(delta) * site.cosPhi * std::sin(hr));
        }
    }
    *rise = 24.0 * m[0];
    *transit = 24.0 * m[1];
    *set = 24.0 * m[2];
    return 1;
}

int ComputeRiseTransitSetFixed(int year, int month, int day, double /*latitude*/, double longitude,
                               int zone, int height, double h0, double ra, double dec, double* rise,
                               double* transit, double* set) {
    // Depression of the horizon seen from `height` on a sphere of the Earth's
    // radius; none for a site at or below sea level.
    const double dip = height > 0 ? std::acos(6378140.0 / (height + 6378140.0)) : 0.0;
    NoonSiderealCache& c = noonCache;
    if (!(c.year == year && c.month == month && c.day == day && c.zone == zone &&
          c.longitude == longitude)) {
        c = {year, month,     day,
             zone, longitude, GetLocalSiderealTime(year, month, day, 12, 0, 0, longitude, zone)};
        ++noonSiderealCount;
    }
    // Right ascension less the sidereal time at noon, sidereal hours in -12..12, turned into
    // civil hours from noon.
    double offset = ra - c.siderealTime;
    if (offset < -12) {
        offset += 24;
    } else if (offset > 12) {
        offset -= 24;
    }
    const double t = 12.0 + offset * kSolarPerSidereal;
    *transit = t;
    const double sinPhi = currentSite.sinLatitude, cosPhi = currentSite.cosLatitude;
    const double cosH0 =
        (std::sin(h0 * kDegToRad - (dip + 0.010646508)) - sinPhi * std::sin(dec * kDegToRad)) /
        (cosPhi * std::cos(dec * kDegToRad));
    if (cosH0 > 1) {
        *rise = *transit = *set = 0;
        return 0;
    }
    if (cosH0 < -1) {
        *rise = 0;
        *set = kNeverSets;
        return 0;
    }
    // The half arc in civil hours; an event carried into the day moves by a sidereal day.
    const double halfArc = std::acos(cosH0) * kRadToDeg / 15.0 * kSolarPerSidereal;
    const double siderealDay = 24.0 * kSolarPerSidereal;
    *rise = t - halfArc < 0 ? t - halfArc + siderealDay : t - halfArc;
    *set = t + halfArc > 24 ? t + halfArc - siderealDay : t + halfArc;
    return 0;
}

long GetFixedRiseSetSiderealTimeCount() { return noonSiderealCount; }
