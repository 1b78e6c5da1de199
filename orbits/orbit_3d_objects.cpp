#include "orbits/orbit_3d_objects.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/fixed_trig.h"
#include "core/julian_day.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/planet_mean_elements.h"
#include "orbits/comet_position.h"

namespace {

constexpr double kUnit24 = 16777216.0;
constexpr int32_t kFixDegree = 292817;
constexpr const char* kSlotNames[kOrbit3DSlots] = {"Sun",    "",       "Mercury", "Venus",  "Mars", "Jupiter",
                                                    "Saturn", "Uranus", "Neptune", "Pluto", "Earth"};

// Orbit elements of one slot: semi-major axis (AU), eccentricity and the
// three angles in degrees.
struct SlotOrbit {
    double a = 0.0, e = 0.0, w = 0.0, node = 0.0, inc = 0.0;
};

// An angle in whole degrees (value + 0.5, truncated) as a Fix24Angle, taken
// into one turn first so that the product stays in range.
int32_t FixDegrees(double degrees) {
    if (!std::isfinite(degrees)) return 0;
    const int whole = static_cast<int>(std::fmod(degrees, 360.0) + 0.5);
    return whole * kFixDegree;
}

// AU x 2^24 shifted right by 12 - zoom.
int32_t ScaledAu(double au, int zoom) { return ClampToInt32(au * kUnit24) >> (12 - zoom); }

void FillOrbit(Orbit3DObject* o, const SlotOrbit& orbit, int zoom, int shape) {
    FixRotationMatrixB24(o->rotation, FixDegrees(orbit.w), FixDegrees(orbit.node), FixDegrees(orbit.inc));
    o->shape = shape;
    const double scale = std::ldexp(1.0, zoom);
    o->orbitSize = ClampToInt32(orbit.a * scale);
    o->orbitSecondSize = ClampToInt32(orbit.a * std::sqrt(1.0 - orbit.e * orbit.e) * scale);
    o->focusOffset = ClampToInt32(orbit.e * orbit.a * 4096.0);
}

// The small body: its orbit, and its place turned into the ecliptic frame.
int FillSmallBody(Orbit3DObject* o, const CometRecord& record, double jd, int zoom) {
    const double q = record.workPerihelionDistance, e = record.workEccentricity;
    const int shape = OrbitShapeOf(e);
    FillOrbit(o, {q / (1.0 - e), e, record.workArgPerihelion, record.workNode, record.workInclination}, zoom, shape);
    if (shape != 0) {
        // No finite ellipse: the picture draws the parabola of q.
        o->orbitSize = ClampToInt32(q * std::ldexp(1.0, zoom));
        o->orbitSecondSize = 0;
        o->focusOffset = 0;
    }
    std::snprintf(o->name, sizeof o->name, "%.39s", record.name);
    float plane[3] = {0.0f, 0.0f, 0.0f};
    const int status = SolveOrbit(&record, jd, plane);
    if (!status || !std::isfinite(plane[0]) || !std::isfinite(plane[1])) return 0;
    for (int k = 0; k < 3; ++k) {
        const double au = (o->rotation[3 * k] * static_cast<double>(plane[0]) +
                           o->rotation[3 * k + 1] * static_cast<double>(plane[1])) / kUnit24;
        o->position[k] = ScaledAu(au, zoom);
    }
    return status;
}

}  // namespace

int OrbitShapeOf(double eccentricity) {
    if (eccentricity < 0.9) return 0;
    return eccentricity > 1.1 ? 2 : 1;
}

int32_t ClampToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

int FillOrbit3DObjects(Orbit3DObject objects[kOrbit3DSlots], const CometRecord& record, int year, int month, int day,
                       int hour, int minute, int zoneMinutes, int zoom) {
    std::memset(objects, 0, sizeof(Orbit3DObject) * kOrbit3DSlots);
    const float jd = static_cast<float>(JulianDayFromDateTime(year, month, day, hour, minute, 0, zoneMinutes));
    float view[kApproxPlanetViewSize] = {}, place[kApproxPlanetPlaceSize] = {};
    ComputeApproxPlanet(year, month, day, hour, minute, view, place, 2, 2, 10);
    const double t = (jd - 2415020.0) * 2.7378507871321012e-5;
    int status = 0;
    for (int slot = 0; slot < kOrbit3DSlots; ++slot) {
        Orbit3DObject* o = &objects[slot];
        if (slot == kOrbit3DBodySlot) {
            status = FillSmallBody(o, record, jd, zoom);
            continue;
        }
        if (std::isnan(view[3 * slot])) continue;  // Pluto outside its series' years: left empty, not drawn
        std::snprintf(o->name, sizeof o->name, "%s", kSlotNames[slot]);
        SlotOrbit orbit;
        double longitude = 0.0;
        GetPlanetMeanElements(slot, t, &longitude, &orbit.a, &orbit.e, &orbit.inc, &orbit.w, &orbit.node);
        if (slot == kOrbit3DEarthSlot) orbit = SlotOrbit{1.0, 0.0, 0.0, 0.0, 0.0};
        FillOrbit(o, orbit, zoom, 0);
        if (slot >= 2)
            for (int k = 0; k < 3; ++k) o->position[k] = ScaledAu(view[3 * slot + k], zoom);
    }
    const int32_t perihelion = ClampToInt32(record.workPerihelionDistance * kUnit24);
    for (int slot = 0; slot < kOrbit3DSlots; ++slot) objects[slot].perihelion = perihelion;
    Orbit3DObject& body = objects[kOrbit3DBodySlot];
    const Orbit3DObject& earth = objects[kOrbit3DEarthSlot];
    double toEarth = 0.0, toSun = 0.0;
    for (int k = 0; k < 3; ++k) {
        const double d = static_cast<double>(body.position[k]) - earth.position[k];
        toEarth += d * d;
        toSun += static_cast<double>(body.position[k]) * body.position[k];
    }
    const double perAu = std::ldexp(1.0, 12 + zoom);
    body.earthDistance = static_cast<float>(std::sqrt(toEarth) / perAu);
    body.sunDistance = static_cast<float>(std::sqrt(toSun) / perAu);
    return status;
}
