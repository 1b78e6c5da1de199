#include "ephemeris/body_source.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "ephemeris/apparent_places.h"
#include "core/earth_orientation.h"
#include "core/solar_series_table.h"
#include "ephemeris/planets_simon.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kJ2000Obliquity = 0.40909280420293637;  // rad

// Circular orbits of the giant planets for the barycentre.
struct GiantPlanet {
    double massRatio;     // Sun mass / planet mass
    double a;             // semi-major axis, AU
    double meanLongitude; // at J2000.0, rad
    double meanMotion;    // rad/day
};

constexpr GiantPlanet kGiants[4] = {
    {1047.349, 5.203363, 0.60047, 0.001450138},
    {3497.898, 9.53707, 0.871693, 0.0005841727},
    {22903.0, 19.191264, 5.466933, 0.0002047497},
    {19412.2, 30.068963, 5.32116, 0.0001043891},
};

bool constantsReady = false;
double sinObliquity = 0.0;
double cosObliquity = 0.0;
double totalMass = 0.0;

bool barycentreCached = false;
double barycentreJd = 0.0;
double barycentrePosition[3];
double barycentreVelocity[3];

// The last two Earth states of the series.
struct EarthEntry {
    bool valid;
    double jd, position[3], velocity[3];
};
EarthEntry earthCache[2] = {};
int earthCacheNext = 0;

// The last heliocentric state of each planet (descriptor numbers 1..9): a place asks for the
// instant of its first light-time guess again for the phase geometry.
struct PlanetEntry {
    bool valid;
    double jd, pv[6];
};
PlanetEntry planetCache[10] = {};

void PrepareConstants() {
    if (constantsReady) return;
    sinObliquity = std::sin(kJ2000Obliquity);
    cosObliquity = std::cos(kJ2000Obliquity);
    totalMass = 1.0;
    for (const GiantPlanet& g : kGiants) totalMass += 1.0 / g.massRatio;
    barycentreCached = false;
    constantsReady = true;
}

// Heliocentric position and velocity of the solar-system barycentre at JD.
void UpdateBarycentre(double jd) {
    if (barycentreCached && std::fabs(jd - barycentreJd) < 1e-6) return;
    for (int k = 0; k < 3; ++k) barycentrePosition[k] = barycentreVelocity[k] = 0.0;
    for (const GiantPlanet& g : kGiants) {
        double l = std::fmod(g.meanLongitude + g.meanMotion * (jd - 2451545.0), kTwoPi);
        double f = 1.0 / (g.massRatio * totalMass);
        double cl = std::cos(l), sl = std::sin(l);
        barycentrePosition[0] += f * g.a * cl;
        barycentrePosition[1] += f * g.a * sl * cosObliquity;
        barycentrePosition[2] += f * g.a * sl * sinObliquity;
        barycentreVelocity[0] += f * -g.a * g.meanMotion * sl;
        barycentreVelocity[1] += f * g.a * g.meanMotion * cl * cosObliquity;
        barycentreVelocity[2] += f * g.a * g.meanMotion * cl * sinObliquity;
    }
    barycentreJd = jd;
    barycentreCached = true;
}

// The geocentric Sun of the series as a vector of the mean equator and equinox of date (AU)
// and its rate (AU/day) from the series' own derivative: sine and cosine of each term once.
void SunSeriesVector(double jd, double* x, double* rate) {
    constexpr double kUnitsPerDay = 2.737850787132101e-7;  // u: ten millennia from J2000
    constexpr double kArcsecToRad = 4.84813681109536e-6;
    double u = (jd - 2451545.0) * kUnitsPerDay;
    double sl = 0.0, sr = 0.0, dsl = 0.0, dsr = 0.0;
    for (const double* row : solarSeries) {
        double a = row[2] + row[3] * u;
        double sa = std::sin(a), ca = std::cos(a);
        sl += row[0] * sa;
        sr += row[1] * ca;
        dsl += row[0] * row[3] * ca;
        dsr -= row[1] * row[3] * sa;
    }
    double l = std::fmod(4.9353929 + 62833.196168 * u + 1e-7 * sl, kTwoPi);
    double r = 1.0001026 + 1e-7 * sr;
    double lRate = (62833.196168 + 1e-7 * dsl) * kUnitsPerDay;
    double rRate = 1e-7 * dsr * kUnitsPerDay;
    double t = 100.0 * u;
    double e = (((0.001813 * t - 0.00059) * t - 46.815) * t + 84381.448) * kArcsecToRad;
    double eRate = ((3 * 0.001813 * t - 2 * 0.00059) * t - 46.815) * kArcsecToRad / 36525.0;
    double cl = std::cos(l), sinL = std::sin(l), ce = std::cos(e), se = std::sin(e);
    x[0] = r * cl;
    x[1] = r * sinL * ce;
    x[2] = r * sinL * se;
    rate[0] = rRate * cl - r * lRate * sinL;
    rate[1] = rRate * sinL * ce + r * lRate * cl * ce - r * eRate * sinL * se;
    rate[2] = rRate * sinL * se + r * lRate * cl * se + r * eRate * sinL * ce;
}

// Heliocentric Earth: the geocentric Sun of the series, precessed to J2000 and negated. Its
// velocity is the series' rate carried to J2000 plus the turning of the precession between
// the equator of date and J2000 (a central difference over 0.1 day of the precession alone).
// The last two instants asked for are kept: a place asks for one instant several times.
void EarthFromSunSeries(double jd, double* position, double* velocity) {
    for (const EarthEntry& c : earthCache) {
        if (c.valid && c.jd == jd) {
            for (int k = 0; k < 3; ++k) {
                position[k] = c.position[k];
                velocity[k] = c.velocity[k];
            }
            return;
        }
    }
    double x[3], rate[3], j2000[3], rateJ2000[3], later[3], earlier[3];
    SunSeriesVector(jd, x, rate);
    ApplyPrecession(jd, x, 2451545.0, j2000);
    ApplyPrecession(jd, rate, 2451545.0, rateJ2000);
    ApplyPrecession(jd + 0.1, x, 2451545.0, later);
    ApplyPrecession(jd - 0.1, x, 2451545.0, earlier);
    EarthEntry& c = earthCache[earthCacheNext];
    earthCacheNext = 1 - earthCacheNext;
    c.valid = true;
    c.jd = jd;
    for (int k = 0; k < 3; ++k) {
        c.position[k] = position[k] = -j2000[k];
        c.velocity[k] = velocity[k] = -(rateJ2000[k] + (later[k] - earlier[k]) * 5.0);
    }
}

bool HasSource(int number) {
    return (number >= kBodyMercury && number <= kBodyNeptune) || number == kBodySun;
}

// A heliocentric state at JD moved to the solar-system barycentre for origin 0.
void FromOrigin(double jd, int origin, double* position, double* velocity) {
    if (origin == kOriginSun) return;
    UpdateBarycentre(jd);
    for (int k = 0; k < 3; ++k) {
        position[k] -= barycentrePosition[k];
        velocity[k] -= barycentreVelocity[k];
    }
}

}  // namespace

int SetBody(int type, int number, const char* name, BodyDescriptor* body) {
    body->type = 0;
    body->number = 0;
    std::strcpy(body->name, "  ");
    if (type < 0 || type > 1) return 1;
    body->type = static_cast<int16_t>(type);
    bool accepted = type == 0 ? HasSource(number) : (number >= 1 && number <= INT16_MAX);
    if (!accepted) return 2;
    body->number = static_cast<int16_t>(number);
    std::size_t n = name ? std::strlen(name) : 0;
    if (n > sizeof body->name - 1) n = sizeof body->name - 1;
    if (n > 0) std::memcpy(body->name, name, n);
    body->name[n] = '\0';
    return 0;
}

int GetBodyState(double jd, const BodyDescriptor* body, int origin, double* position,
                 double* velocity) {
    if (origin != kOriginBarycentre && origin != kOriginSun) return 1;
    if (body->type == 0) {
        int code = GetSolarSystemBody(jd, body->number, origin, position, velocity);
        return code != 0 ? code + 10 : 0;
    }
    if (body->type != 1) return 2;
    const void* end = std::memchr(body->name, 0, sizeof body->name);
    std::size_t n = end ? static_cast<const char*>(end) - body->name : sizeof body->name;
    std::unique_ptr<char[]> name(new (std::nothrow) char[n + 1]);
    if (!name) return 3;
    std::memcpy(name.get(), body->name, n);
    name[n] = '\0';
    int error = 0;
    std::unique_ptr<double[]> state(ReadMinorPlanetState(body->number, name.get(), jd, &error));
    if (!state) return 3;
    return 20 + error;
}

int GetSolarSystemBody(double jd, int number, int origin, double* position, double* velocity) {
    PrepareConstants();
    if (jd < 2340000.5 || jd > 2560000.5) return 1;
    if (!HasSource(number)) return 2;
    if (number == kBodySun) {
        for (int k = 0; k < 3; ++k) position[k] = velocity[k] = 0.0;
    } else if (number == kBodyEarth) {
        EarthFromSunSeries(jd, position, velocity);
    } else {
        PlanetEntry& c = planetCache[number];
        if (!c.valid || c.jd != jd) {
            ComputePlanetPositionSimon(jd, 0.0, static_cast<uint32_t>(number - 1), c.pv, nullptr,
                                       nullptr, nullptr);
            c.valid = true;
            c.jd = jd;
        }
        const double* pv = c.pv;
        for (int k = 0; k < 3; ++k) {
            position[k] = pv[k];
            velocity[k] = pv[3 + k];
        }
    }
    FromOrigin(jd, origin, position, velocity);
    return 0;
}

int GetEarthSeriesState(double jd, int origin, double* position, double* velocity) {
    PrepareConstants();
    if (jd < kSolarSeriesFirstJd || jd > kSolarSeriesLastJd) return 1;
    EarthFromSunSeries(jd, position, velocity);
    FromOrigin(jd, origin, position, velocity);
    return 0;
}

void ComputeSunSeriesPosition(double jd, double* ra, double* dec, double* distance) {
    double u = (jd - 2451545.0) * 2.737850787132101e-7;
    double sl = 0.0, sr = 0.0;
    for (const double* row : solarSeries) {
        double a = row[2] + row[3] * u;
        sl += row[0] * std::sin(a);
        sr += row[1] * std::cos(a);
    }
    double l = std::fmod(4.9353929 + 62833.196168 * u + 1e-7 * sl, kTwoPi);
    if (l < 0.0) l += kTwoPi;
    *distance = 1.0001026 + 1e-7 * sr;
    double t = 100.0 * u;
    double e = (((0.001813 * t - 0.00059) * t - 46.815) * t + 84381.448) * 4.84813681109536e-6;
    double raDeg = std::fmod(std::atan2(std::cos(e) * std::sin(l), std::cos(l)) * 57.29577951308232,
                             360.0);
    if (raDeg < 0.0) raDeg += 360.0;
    *ra = raDeg / 15.0;
    *dec = std::asin(std::sin(e) * std::sin(l)) * 57.29577951308232;
}

double* ReadMinorPlanetState(int number, const char* name, double jd, int* error) {
    (void)number;
    (void)name;
    (void)jd;
    *error = 9;
    return new (std::nothrow) double[6]();
}

void ResetBodySourceCache() {
    barycentreCached = false;
    for (EarthEntry& c : earthCache) c.valid = false;
    for (PlanetEntry& c : planetCache) c.valid = false;
    earthCacheNext = 0;
}
