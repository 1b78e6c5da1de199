#include "chart/sphere_curves.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "chart/chart_colours.h"
#include "chart/chart_views.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "core/preferences.h"
#include "ui/colors.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int32_t kStep15 = 4392265;         // one hour of right ascension, 15 degrees
constexpr int32_t kGridFloor = -292817;      // lowest s of a Visible Sky grid sample
constexpr int32_t kEclipticFloor = -392817;  // and of an ecliptic sample
constexpr int32_t kObliquity = 6863438;
constexpr int32_t kEclipticStep = 4392264;
constexpr int kSamples = 25;

struct CurvePoint {
    int32_t x = 0, y = 0;
    bool shown = false;
};

struct SphereCurve {
    SphereFrame frame;
    const int32_t* matrix;  // null: chart triples as they stand
    bool visibleOnly;
    int32_t sFloor;
    bool hidden;            // word 236: every sample left out
};

SphereCurve MakeCurve(int32_t cx, int32_t cy, int32_t kx, int32_t ky, Fix24Angle alpha0, Fix24Angle delta0,
                      const int32_t* matrix, int32_t sFloor) {
    SphereCurve c{};
    c.frame = SphereFrame{cx, cy, kx, ky, 0, 0, 0, 0, INT32_MAX, INT32_MAX};
    FixSinCos24(alpha0, &c.frame.cosA0, &c.frame.sinA0);
    FixSinCos24(delta0, &c.frame.cosD0, &c.frame.sinD0);
    c.matrix = matrix;
    c.visibleOnly = chartView == 3;
    c.sFloor = sFloor;
    c.hidden = false;
    return c;
}

CurvePoint Sample(const SphereCurve& c, Fix24Angle ra, Fix24Angle dec) {
    CurvePoint point;
    if (c.hidden) return point;
    int32_t p, q, s;
    UnitVectorToChartBy(c.matrix, StarUnitVector(ra, dec), &p, &q, &s);
    if (c.visibleOnly && s < c.sFloor) return point;
    SpherePoint f = SphereForward(c.frame, p, q, s);
    point = CurvePoint{f.x, f.y, f.depth > 0};
    return point;
}

void Segment(const CurvePoint& p, const CurvePoint& q) {
    if (p.shown && q.shown) DrawLine(p.x, p.y, q.x, q.y);
}

void DrawDeclinationCircles(const SphereCurve& c) {
    CurvePoint previous[kSamples], current[kSamples];
    for (int d = -5; d <= 5; ++d) {
        for (int k = 0; k < kSamples; ++k) current[k] = Sample(c, k * kStep15, d * kStep15);
        for (int k = 0; d > -5 && k < kSamples - 1; ++k) Segment(previous[k], current[k]);
        for (int k = 0; k < kSamples - 1; ++k) Segment(current[k], current[k + 1]);
        std::copy(current, current + kSamples, previous);
    }
}

// Altitude 0 from north westward: the sample at angle l stands for azimuth -l.
void DrawHorizonRing(const SphereCurve& c) {
    static const char* const kDirections[] = {"N", "NW", "W", "SW", "S", "SE", "E", "NE", "N"};
    CurvePoint previous;
    for (int k = 0; k < kSamples; ++k) {
        CurvePoint p = Sample(c, k * kStep15, 0);
        Segment(previous, p);
        if (p.shown && k % 3 == 0) {
            const char* text = kDirections[k / 3];
            int x = p.x > c.frame.cx ? p.x + 5 : p.x - 10;
            int y = p.y > c.frame.cy ? p.y + 5 : p.y - 10;
            DrawLabelText(text, static_cast<int>(std::strlen(text)), x, y);
        }
        previous = p;
    }
}

}  // namespace

void DrawSkyMapGrid(int32_t cx, int32_t cy, int32_t kx, int32_t ky, int kind, Fix24Angle alpha0,
                    Fix24Angle delta0) {
    const bool hidden = preferences.word[kPrefHideSphereSky] != 0;
    if (kind != -1) {
        SphereCurve grid = MakeCurve(cx, cy, kx, ky, alpha0, delta0, kind ? skyRotation.hourAngle : nullptr,
                                     kGridFloor);
        grid.hidden = hidden;
        SetForeColor(ChartColourRef(chartColours.entry[3]));
        DrawDeclinationCircles(grid);
    }
    const pl::ColorRef text = ChartColourRef(chartColours.entry[5]);
    SetTextColorRef(text);
    SetForeColor(text);
    SetBackColor(ChartColourRef(chartColours.background));
    if (skyRotation.flag == 0) return;
    SphereCurve ring = MakeCurve(cx, cy, kx, ky, alpha0, delta0, nullptr, kGridFloor);
    ring.hidden = hidden;
    DrawHorizonRing(ring);
}

void DrawSkyMapEcliptic(int32_t cx, int32_t cy, int32_t kx, int32_t ky, int rotate, Fix24Angle alpha0,
                        Fix24Angle delta0) {
    SphereCurve c = MakeCurve(cx, cy, kx, ky, alpha0, delta0, rotate ? skyRotation.matrix : nullptr, kEclipticFloor);
    int32_t cosE, sinE;
    FixSinCos24(kObliquity, &cosE, &sinE);
    CurvePoint previous;
    for (int k = 0; k < kSamples; ++k) {
        int32_t cosL, sinL;
        FixSinCos24(k * kEclipticStep, &cosL, &sinL);
        Fix24Angle ra = FixAtan2_24(FixMul24(sinL, cosE), cosL);
        Fix24Angle dec = FixAsin24(FixMul24(sinL, sinE));
        CurvePoint p = Sample(c, ra, dec);
        Segment(previous, p);
        previous = p;
    }
}
