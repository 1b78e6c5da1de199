#include "ephemeris/approx_planets.h"

#include <cmath>
#include <limits>

#include "core/julian_day.h"
#include "core/shared_state.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "ephemeris/pluto.h"

int planetBandOriginX = 0;
int planetBandOriginY = 0;

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kInvTwoPi = 0.15915494307111402;
constexpr double kTwoPi = 6.283185308;  // as the anomaly reductions use it
constexpr double kObliquity = 0.4089182868111674;  // rad, 23.429292 degrees
constexpr double kRadToHoursPlanet = 3.819718634205488;
constexpr double kRadToHoursSun = 3.819718633706737;
constexpr double kRadToDeg = 57.29577950560105;
constexpr int kBandWidth = 240;
constexpr int kBandHeight = 80;
constexpr int kPluto = 9;
constexpr int kEarth = 10;
constexpr double kEarthOrbitScale = 40.5;
// Newton steps needed for e <= 0.25 stay below ten; the bound only keeps the loop finite.
constexpr int kMaxKeplerSteps = 100;

// c0 + rate d, d in days from J2000.0.
struct Linear {
    double c0, rate;
    double At(double d) const { return c0 + rate * d; }
};

// a (AU), e, i, node, longitude of perihelion, mean longitude (degrees).
struct ApproxElements {
    Linear a, e, i, node, perihelion, L;
};

// Pluto's mean motion, degrees a day: the published 522747.90" a century (one turn in 247.9
// years, as PyEphem's Pluto moves), not the 0.003931834 once copied, which put Pluto 1 degree
// off in 1913 and 2087 and 2.8 degrees in 1800.
constexpr double kPlutoMeanMotion = 522747.90 / 3600.0 / 36525.0;

// Bodies 2 (Mercury) .. 9 (Pluto).
const ApproxElements kPlanets[8] = {
    {{0.38709893, 1.80698e-11}, {0.20563069, 6.91855e-10}, {7.00487, -1.78797e-7},
     {48.33167, -3.3942e-6}, {77.45645, 4.36208e-6}, {252.25084, 4.092338796}},
    {{0.72333199, 2.51882e-11}, {0.00677323, -1.35195e-9}, {3.39471, -2.17507e-8},
     {76.68069, -7.5815e-6}, {131.53298, -8.27439e-7}, {181.97973, 1.602130474}},
    {{1.52366231, -1.977e-9}, {0.09341233, -3.25859e-9}, {1.85061, -1.93703e-7},
     {49.57854, -7.7587e-6}, {336.04084, 1.187e-5}, {355.45332, 0.524033035}},
    {{5.20336301, 1.66289e-8}, {0.04839266, -3.52635e-9}, {1.3053, -3.15613e-8},
     {100.55615, 9.25675e-6}, {14.75385, 6.38779e-6}, {34.40438, 0.083086762}},
    {{9.53707032, -8.25544e-8}, {0.0541506, -1.00649e-8}, {2.48446, 4.64674e-8},
     {113.71504, -1.21e-5}, {92.43194, -1.48216e-5}, {49.94432, 0.033470629}},
    {{19.19126393, 4.16222e-8}, {0.04716771, -5.24298e-9}, {0.76986, -1.58947e-8},
     {74.22988, 1.27873e-5}, {170.96424, 9.9822e-6}, {313.23218, 0.011731294}},
    {{30.06896348, -3.42768e-8}, {0.00858587, 6.88296e-10}, {1.76917, -2.76827e-8},
     {131.72169, -1.1503e-6}, {44.97135, -6.42201e-6}, {304.88003, 0.0059810572}},
    {{39.48168677, -2.10574e-8}, {0.24880766, 1.77002e-9}, {17.14175, 8.41889e-8},
     {110.30347, -2.839e-7}, {224.06676, -1.00578e-6}, {238.92881, kPlutoMeanMotion}},
};

// The Earth's orbit lies in the ecliptic; its node is not used.
const ApproxElements kEarthElements = {{1.00000011, -1.36893e-12}, {0.01671022, -1.04148e-9},
                                       {0, 0},
                                       {0, 0},
                                       {102.94719, 9.11309e-6},
                                       {100.46435, 0.985609101}};

// Orbit-view units per AU, by body index 2..10.
const double kOrbitScale[9] = {40.5, 40.5, 40.5, 14.850000000000001, 8.850000000000001,
                               3.9000000000000004, 2.55, 2.4000000000000004, kEarthOrbitScale};

// Days from J2000.0 of a local civil date and time: the integer calendar formula of the
// elements' source is right only from 1900 March 1 to 2100 February 28 and a day off outside.
double DayNumber(int year, int month, int day, int hour, int minute, int zone) {
    return JulianDayFromDateTime(year, month, day, hour, minute, 0, zone) - 2451545.0;
}

// Mean anomaly (radians) into [0, 2 pi).
double ReduceAnomaly(double M) {
    double q = M * kInvTwoPi;
    if (q >= 0) return (q - std::floor(q)) * kTwoPi;
    return (q + std::floor(std::fabs(q))) * kTwoPi + kTwoPi;
}

// Eccentric anomaly by Newton's method until the residual falls below 1e-5 rad.
double SolveKepler(double M, double e) {
    double E = M;
    double f;
    int steps = 0;
    do {
        f = E - e * std::sin(E) - M;
        E -= f / (1.0 - e * std::cos(E));
    } while (std::fabs(f) >= 1e-5 && ++steps < kMaxKeplerSteps);
    return E;
}

// Radius (AU) and true anomaly (radians, [0, 2 pi)) for mean anomaly M (radians).
void SolveOrbitPoint(double M, double a, double e, double* r, double* nu) {
    double E = SolveKepler(ReduceAnomaly(M), e);
    *nu = 2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(E / 2.0));
    if (*nu < 0) *nu += kTwoPi;
    *r = a * (1.0 - e * e) / (1.0 + e * std::cos(*nu));
}

struct EarthPlace {
    double x, y;  // heliocentric ecliptic, AU
};

EarthPlace ComputeEarth(double d) {
    const ApproxElements& el = kEarthElements;
    double perihelion = el.perihelion.At(d) * kDegToRad;
    double e = el.e.At(d);
    double r, nu;
    SolveOrbitPoint(el.L.At(d) * kDegToRad - perihelion, el.a.At(d), e, &r, &nu);
    return {r * std::cos(nu + perihelion), r * std::sin(nu + perihelion)};
}

struct PlanetPlace {
    double X, Y, Z;  // heliocentric ecliptic, AU
    double r;        // heliocentric distance, AU
    double ae;       // offset of the orbit's centre from the Sun, AU
};

PlanetPlace ComputePlanet(int body, double d) {
    const ApproxElements& el = kPlanets[body - 2];
    double a = el.a.At(d), e = el.e.At(d), inc = el.i.At(d) * kDegToRad;
    double node = el.node.At(d) * kDegToRad, perihelion = el.perihelion.At(d) * kDegToRad;
    double r, nu;
    SolveOrbitPoint(el.L.At(d) * kDegToRad - perihelion, a, e, &r, &nu);
    double u = nu + perihelion - node;
    double cu = std::cos(u), su = std::sin(u), cn = std::cos(node), sn = std::sin(node);
    double ci = std::cos(inc), si = std::sin(inc);
    return {r * (cu * cn - su * ci * sn), r * (su * ci * cn + cu * sn), r * si * su, r, a * e};
}

// Right ascension (hours, [0, 24)) of the direction (x, y) in the equator, x != 0.
double RightAscension(double x, double y) {
    double ra = std::atan(y / x) * kRadToHoursPlanet;
    if (x < 0) ra += 12.0;
    if (y < 0 && x > 0) ra += 24.0;
    return ra;
}

void WriteBand(float* view, double ra, double dec) {
    view[0] = static_cast<float>(planetBandOriginX + std::floor(kBandWidth * ra / 24.0));
    view[1] = static_cast<float>((planetBandOriginY + kBandHeight / 2) - std::floor(dec));
}

void WriteView(float* view, float a, float b, float c) {
    view[0] = a;
    view[1] = b;
    view[2] = c;
}

void ComputePlanetEntry(int body, double d, const EarthPlace& earth, int mode, float* view,
                        float* place) {
    PlanetPlace p = ComputePlanet(body, d);
    double ce = std::cos(kObliquity), se = std::sin(kObliquity);
    double x = p.X - earth.x;
    double y = (p.Y - earth.y) * ce - p.Z * se;
    double z = p.Z * ce + (p.Y - earth.y) * se;
    double ra = RightAscension(x, y);
    double dec = std::atan(z / std::sqrt(x * x + y * y)) * kRadToDeg;
    place[0] = static_cast<float>(ra);
    place[1] = static_cast<float>(dec);
    double s = kOrbitScale[body - 2];
    switch (mode) {
    case 0: WriteBand(view, ra, dec); break;
    case 1: WriteView(view, -s * p.Y, -s * p.X, -s * p.ae); break;
    case 2: WriteView(view, p.X, p.Y, p.Z); break;
    case 3:
        WriteView(view, std::sqrt(x * x + y * y + z * z), p.r, std::hypot(earth.x, earth.y));
        break;
    default: break;
    }
}

// The Earth's view entry of modes 1 and 2.
void WriteEarthView(const EarthPlace& earth, int mode, float* view) {
    if (mode == 1) WriteView(view, -kEarthOrbitScale * earth.y, -kEarthOrbitScale * earth.x, 0);
    if (mode == 2) WriteView(view, earth.x, earth.y, 0);
}

// A body without a place: its place and the view entries of the mode not a number.
void WriteNoPlace(int mode, float* view, float* place) {
    constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
    place[0] = place[1] = kNone;
    if (mode == 0) view[0] = view[1] = kNone;
    if (mode >= 1 && mode <= 3) WriteView(view, kNone, kNone, kNone);
}

// Index 10: the Sun seen from the Earth, at (-xE, -yE, 0) in the ecliptic. The Earth's own
// view entry of modes 1 and 2 is written after the range.
void ComputeSunEntry(const EarthPlace& earth, int mode, float* view, float* place) {
    double yq = earth.y * std::cos(kObliquity);
    double zq = earth.y * std::sin(kObliquity);
    // atan gives the Earth's direction when xE > 0 and the Sun's when xE < 0.
    double ra = std::atan(yq / earth.x) * kRadToHoursSun;
    if (earth.x > 0) ra += 12.0;
    if (ra < 0) ra += 24.0;
    if (ra >= 24.0) ra -= 24.0;
    double dec = -std::atan(zq / std::sqrt(earth.x * earth.x + yq * yq)) * kRadToDeg;
    place[0] = static_cast<float>(ra);
    place[1] = static_cast<float>(dec);
    double sunDistance = std::hypot(earth.x, earth.y);
    if (mode == 0) WriteBand(view, ra, dec);
    if (mode == 3) WriteView(view, sunDistance, sunDistance, sunDistance);
}

}  // namespace

void ComputeApproxPlanet(int year, int month, int day, int hour, int minute, float* view,
                         float* place, int mode, int first, int last) {
    double d = DayNumber(year, month, day, hour, minute, currentSite.zoneMinutes);
    EarthPlace earth = ComputeEarth(d);
    if (first < 2) first = 2;
    if (last > kEarth) last = kEarth;
    const bool plutoPlaced = PlutoSeriesHolds(DynamicalJulianDay(year, month, day, hour, minute, 0));
    for (int b = first; b <= last; ++b) {
        if (b == kEarth)
            ComputeSunEntry(earth, mode, view + 3 * b, place + 2 * b);
        else if (b == kPluto && !plutoPlaced)
            WriteNoPlace(mode, view + 3 * b, place + 2 * b);
        else
            ComputePlanetEntry(b, d, earth, mode, view + 3 * b, place + 2 * b);
    }
    WriteEarthView(earth, mode, view + 3 * kEarth);
}
