#include "eclipse/eclipse_band_view.h"

#include <cmath>
#include <cstdlib>

#include "assistants/globe_transform.h"
#include "eclipse/eclipse_path.h"
#include "platform/color.h"
#include "ui/colors.h"
#include "ui/primitives.h"

namespace {

constexpr double kHalfSecond = 0.0001388888888888889;  // hours
constexpr int kBandStep = 6;                            // degrees of longitude
constexpr int kJoinLimit = 80;                          // pixels
constexpr int kSlots = 10;

struct Point {
    int x, y;
    bool set;
};

// The previous and the first point of one line of the band.
struct Slot {
    Point previous{0, 0, false};
    Point first{0, 0, false};
};

bool Joinable(const Point& a, const Point& b) { return a.set && b.set && std::abs(a.x - b.x) < kJoinLimit; }

// The band's first and last longitude (west): the central line half a second
// inside the start and the end of the shadow axis on the Earth, the last taken
// a turn lower when it lies above the first (the path crosses 180 degrees).
bool BandLongitudes(const BesselianElements& e, double deltaT, double* first, double* last) {
    double start = 0, end = 0, latitude = 0, duration = 0, width = 0;
    if (!ComputeShadowStartEnd(e, deltaT, &start, &end)) return false;
    ComputeCentralLinePoint(e, start + kHalfSecond, deltaT, &latitude, first, &duration, &width);
    ComputeCentralLinePoint(e, end - kHalfSecond, deltaT, &latitude, last, &duration, &width);
    if (!std::isfinite(*first) || !std::isfinite(*last)) return false;
    if (*first < *last) *last -= 360;
    return true;
}

}  // namespace

std::vector<GlobeBandLine> EclipseBandOnGlobeLines(const BesselianElements& e, int centreX, int centreY, float a1,
                                                   float a2, float a3, int radius, double deltaT) {
    std::vector<GlobeBandLine> out;
    double firstLongitude = 0, lastLongitude = 0;
    if (!BandLongitudes(e, deltaT, &firstLongitude, &lastLongitude)) return out;
    GlobeTransform t{};
    SetGlobeScales(&t, radius);
    SetGlobeRotation(&t, DegreesToFix11(a1), DegreesToFix11(a2), DegreesToFix11(-a3));
    Slot slots[kSlots];
    for (int longitude = static_cast<int>(firstLongitude); longitude >= lastLongitude; longitude -= kBandStep) {
        for (int side : {-1, 1}) {
            for (int j = 0; j < 5; ++j) {
                Slot& slot = slots[(side < 0 ? 0 : 5) + j];
                // The band's latitude is the limit's with its sign turned, and
                // its unit vector turns the sign of z back.
                const int latitude = -static_cast<int>(ComputeLimitLatitude(e, longitude, 0, j * 0.25, deltaT, side));
                int16_t px, py, pz;
                GlobeUnitVector(DegreesToFix11(-latitude), DegreesToFix11(-longitude), &px, &py, &pz);
                const GlobeOffset o = ProjectGlobeVector(t, px, py, pz);
                if (o.depth >= 1) {
                    slot.previous.set = false;
                    continue;
                }
                const Point p{centreX + o.right, centreY - o.up, true};
                if (Joinable(slot.previous, p))
                    out.push_back({slot.previous.x, slot.previous.y, p.x, p.y, j == 4, (side < 0 ? 0 : 5) + j, longitude});
                else
                    slot.first = p;
                slot.previous = p;
            }
        }
    }
    for (int i = 1; i < kSlots; ++i) {
        if (i == 5) continue;
        const Slot &a = slots[i - 1], &b = slots[i];
        if (Joinable(a.first, b.first)) out.push_back({a.first.x, a.first.y, b.first.x, b.first.y, false, -1, 0});
        if (Joinable(a.previous, b.previous))
            out.push_back({a.previous.x, a.previous.y, b.previous.x, b.previous.y, false, -1, 0});
    }
    return out;
}

void DrawEclipseBandOnGlobe(const BesselianElements& e, int centreX, int centreY, float a1, float a2, float a3,
                            int radius, double deltaT) {
    const pl::ColorRef previous = GetForeColorRef();
    const pl::ColorRef other = GetNightMode() > 0 ? GetForegroundColor() : pl::Rgb(203, 203, 203);
    for (const GlobeBandLine& l : EclipseBandOnGlobeLines(e, centreX, centreY, a1, a2, a3, radius, deltaT)) {
        SetForeColor(l.central ? pl::Rgb(255, 0, 0) : other);
        DrawLine(l.x1, l.y1, l.x2, l.y2);
    }
    if (previous != 0xFFFFFFFF) SetForeColor(previous);
}
