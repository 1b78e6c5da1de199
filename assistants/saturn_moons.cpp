#include "assistants/saturn_moons.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "core/delta_t.h"
#include "core/shared_state.h"
#include "ephemeris/moon_view_helpers.h"

namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr double kSemiMajorAxis = 9.554747;
constexpr double kRingInclination = 0.4900884539600077;  // 28.08 degrees
constexpr double kOrbitInclination = 0.04345869837465881;  // 2.49 degrees
constexpr double kLightCenturiesPerAu = 1.582572709324914e-7;  // 1/173 day
constexpr double kDiskFlattening = 1.108601;

// The table's orbital radii are in a unit of about 58,040 km, while X, Y and the
// disc test are in Saturn's equatorial radius (60,268 km): this turns them.
constexpr double kEquatorialRadiiPerUnit = 1.0 / 1.0384;

// Radius (in the unit above) and mean longitude constant, whole-turn rate and
// small rate (degrees, per century of frac(T) and of T).
struct MoonOrbit {
    double radius, epoch, turns, rate;
};
constexpr MoonOrbit kOrbits[kSaturnMoonCount] = {
    {4.1, 187.76, 9596160.0, 124.126763},
    {5.08, 355.32, 6964920.0, 322.62375},
    {6.51, 191.71, 4804200, 114.885173},
    {9.09, 101.37, 2910600, 80.467853},
    {21.1, 271.66, 824400.0, 225.475797},
};

double Frac(double t) { return t - std::floor(t); }

// Heliocentric ecliptic longitude and latitude of Saturn (radians) on its
// mean orbit with the equation of the centre.
void SaturnPlace(double t, double* l, double* b) {
    const double f = Frac(t);
    const double anomaly = (175.46622 + 1080 * f + 141.55147 * t) * kDegree;
    const double mean = (266.564 + 1080 * f + 143.509884 * t) * kDegree;
    *l = mean + 0.11178 * std::sin(anomaly) + 0.0039046151250000005 * std::sin(2 * anomaly);
    const double node = (112.79 + 0.87 * t) * kDegree;
    *b = std::asin(std::sin(*l - node) * std::sin(kOrbitInclination));
}

// Heliocentric longitude of the Earth (radians): the Sun's mean longitude
// plus 180 degrees with the Sun's equation of the centre.
double EarthLongitude(double t) {
    const double f = Frac(t);
    const double m = (358.47583 + 36000 * f - 0.95025 * t) * kDegree;
    return (99.697 + 36000 * f + 0.76892 * t) * kDegree + 0.0335 * std::sin(m) +
           0.00035070312500000005 * std::sin(2 * m);
}

struct Geocentric {
    double lambda, beta, delta;
};

Geocentric SaturnFromEarth(double tSaturn, double earthLongitude) {
    double l, b;
    SaturnPlace(tSaturn, &l, &b);
    const double x = kSemiMajorAxis * std::cos(b) * std::cos(l) - std::cos(earthLongitude);
    const double y = kSemiMajorAxis * std::cos(b) * std::sin(l) - std::sin(earthLongitude);
    const double z = kSemiMajorAxis * std::sin(b);
    return {std::atan2(y, x), std::atan2(z, std::hypot(x, y)), std::sqrt(x * x + y * y + z * z)};
}

}  // namespace

double SaturnCenturies(int year, int month, int day, int hour, int minute) {
    const double jd = JulianDayAFC(year, month, day) + hour / 24.0 + (minute - currentSite.zoneMinutes) / 1440.0 +
                      ComputeDeltaT(year, month, day) / 86400.0;
    return (jd - 2415020.0) / 36525.0;
}

SaturnMoons ComputeSaturnPicture(double t) {
    const double earth = EarthLongitude(t);
    const double light = SaturnFromEarth(t, earth).delta * kLightCenturiesPerAu;
    const Geocentric g = SaturnFromEarth(t - light, earth);
    const double node = (168.12 + 1.4 * t) * kDegree;
    const double si = std::sin(kRingInclination), ci = std::cos(kRingInclination);
    SaturnMoons out{};
    const double b = std::asin(si * std::cos(g.beta) * std::sin(g.lambda - node) - ci * std::sin(g.beta));
    out.tilt = b / kDegree;
    // Saturn's direction from the Earth in the ring plane, from the ring's node (Meeus's U2).
    const double u2 = std::atan2(si * std::sin(g.beta) + ci * std::cos(g.beta) * std::sin(g.lambda - node),
                                 std::cos(g.beta) * std::cos(g.lambda - node));
    const double tl = t - light;
    for (int k = 0; k < kSaturnMoonCount; ++k) {
        const MoonOrbit& o = kOrbits[k];
        const double longitude = (o.epoch + o.turns * Frac(tl) + o.rate * tl) * kDegree;
        const double theta = ReduceRadians(longitude - node - u2 - std::numbers::pi);
        const double radius = o.radius * kEquatorialRadiiPerUnit;
        out.theta[k] = theta;
        out.x[k] = radius * std::sin(theta);
        out.y[k] = -radius * std::cos(theta) * std::sin(b);
        const bool inside = std::hypot(out.x[k], kDiskFlattening * out.y[k]) <= 1;
        out.state[k] = inside && theta > 1.571 && theta < 4.712 ? 5 : 0;
    }
    return out;
}

int SaturnRingFrame(double tiltDegrees) {
    constexpr double kEdges[] = {0.5, 1.5, 2.5, 4.0, 6.5, 10.5, 15.5, 20.5, 25.5};
    const double b = std::fabs(tiltDegrees);
    int frame = 0;
    while (frame < 9 && b >= kEdges[frame]) ++frame;
    return frame;
}

std::string SaturnTiltText(double tiltDegrees) {
    const int whole = static_cast<int>(tiltDegrees);
    const int tenth = std::abs(static_cast<int>((tiltDegrees - whole) * 10));
    char text[32];
    std::snprintf(text, sizeof text, "Tilt %s%d.%d\xB0", tiltDegrees < 0 && whole == 0 ? "-" : "", whole, tenth);
    return text;
}
