#include "eclipse/lunar_diagram.h"

#include <cmath>

#include "core/julian_day.h"
#include "core/shared_state.h"
#include "eclipse/eclipse_list.h"
#include "ephemeris/body_positions.h"

namespace {

constexpr double kMoonInEarthRadii = 0.2725;  // 1738 km over 6378.14 km
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kArcminutesPerRadian = 3437.7467707849396;
constexpr double kEclipticDays = 2;

struct Place {
    double ra, dec;  // hours, degrees
};

// A body's geocentric place (the position mode the caller set) at a UT Julian
// day; the Moon's apparent diameter (arcminutes) on request.
Place BodyAt(int body, double jd, double* diameter = nullptr) {
    int y, mo, d, h, mi, s;
    CalendarFromJulianDay(jd, &y, &mo, &d, &h, &mi, &s);
    BodyPosition p{};
    ComputeBody(&p, body, y, mo, d, h, mi + currentSite.zoneMinutes, s);
    if (diameter) *diameter = p.apparentDiameter;
    return {p.ra, p.dec};
}

// The centre of the Earth's shadow: the point opposite the Sun.
Place ShadowAt(double jd) {
    const Place sun = BodyAt(0, jd);
    return {sun.ra >= 12 ? sun.ra - 12 : sun.ra + 12, -sun.dec};
}

// A place on the plane of the sky tangent at `centre` (gnomonic), arcminutes
// east and north of it.
void Offset(const Place& p, const Place& centre, double* east, double* north) {
    const double da = (p.ra - centre.ra) * 15 * kDegToRad, d = p.dec * kDegToRad, d0 = centre.dec * kDegToRad;
    const double q = std::sin(d) * std::sin(d0) + std::cos(d) * std::cos(d0) * std::cos(da);
    *east = std::cos(d) * std::sin(da) / q * kArcminutesPerRadian;
    *north = (std::sin(d) * std::cos(d0) - std::cos(d) * std::sin(d0) * std::cos(da)) / q * kArcminutesPerRadian;
}

// Pixels of a place east and north of the shadow's centre (east to the left).
void ToPixels(double east, double north, double cx, double cy, double k, double* x, double* y) {
    *x = cx - east * k;
    *y = cy - north * k;
}

}  // namespace

LunarDiagram ComputeLunarDiagram(const EclipseEvent& e, const LunarEclipseContacts& c, double cx, double cy,
                                 double moonDiameter) {
    LunarDiagram g{};
    const double greatest = JulianDayFromDateTime(e.year, e.month, e.day, e.hour, e.minute, e.second, 0);
    double diameter = 0;
    BodyAt(1, greatest, &diameter);
    g.pixelsPerArcminute = moonDiameter / diameter;
    g.moonRadius = moonDiameter / 2;
    g.umbraRadius = c.umbraRadius / kMoonInEarthRadii * g.moonRadius;
    g.penumbraRadius = c.penumbraRadius / kMoonInEarthRadii * g.moonRadius;
    const Place shadow = ShadowAt(greatest);
    double east, north;
    Offset(ShadowAt(greatest - kEclipticDays), shadow, &east, &north);
    ToPixels(east, north, cx, cy, g.pixelsPerArcminute, &g.eclipticX1, &g.eclipticY1);
    Offset(ShadowAt(greatest + kEclipticDays), shadow, &east, &north);
    ToPixels(east, north, cx, cy, g.pixelsPerArcminute, &g.eclipticX2, &g.eclipticY2);
    const struct {
        const char* label;
        double jd;
    } instants[] = {{"P1", c.p1}, {"U1", c.u1}, {"U2", c.u2}, {"G", greatest}, {"U3", c.u3}, {"U4", c.u4}, {"P4", c.p4}};
    for (const auto& m : instants) {
        if (!(m.jd > 0)) continue;
        LunarDiagramMoon moon{m.label, m.jd, 0, 0};
        Offset(BodyAt(1, m.jd), ShadowAt(m.jd), &east, &north);
        ToPixels(east, north, cx, cy, g.pixelsPerArcminute, &moon.x, &moon.y);
        g.moons.push_back(moon);
    }
    return g;
}
