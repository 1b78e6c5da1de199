#include "chart/horizon_curves.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "chart/chart_marks.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "chart/horizon_projection.h"
#include "chart/sky_angles.h"
#include "core/fixed_trig.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "ui/colors.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kFixPerHour = 4392264.877774095;
constexpr double kFixPerDegree = 292817.65851827303;
constexpr double kUnit = 16777216.0;
constexpr int32_t kGridHour = 4392265;    // one hour of right ascension, Fix24Angle
constexpr int32_t kGridDegree = 292818;   // one degree of declination, Fix24Angle
constexpr int kMaxSamples = 25;           // 0 h .. 24 h at a 1-hour step

struct CurvePoint {
    int x = 0, y = 0;
    bool shown = false;
};

void DrawText(const char* text, int x, int y) { DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y); }

// The samples of declination circle `dec` (degrees) at hours 0, step, .. 24.
int SampleDeclinationCircle(Fix24Angle lst, int dec, int hourStep, CurvePoint* points) {
    int n = 24 / hourStep;
    for (int k = 0; k <= n; ++k) {
        int32_t a, b;
        CurvePoint& p = points[k];
        p.shown = ProjectHourAngleToHorizon(lst, k * hourStep * kGridHour, dec * kGridDegree, &a, &b) != 0;
        if (p.shown) HorizonPointToScreen(a, b, &p.x, &p.y);
    }
    return n;
}

void Segment(const CurvePoint& p, const CurvePoint& q, pl::ColorRef colour) {
    if (p.shown && q.shown) DrawLineColor(p.x, p.y, q.x, q.y, colour);
}

// The first and last declination circles of the equatorial grid for the site.
void GridDeclinationRange(int decStep, int* top, int* limit) {
    int phi = static_cast<int>(currentSite.latitude);
    *top = (phi + 90 <= 90 ? phi + 90 : 90 - decStep) / 15 * 15;
    int b0 = phi - 90;
    *limit = b0 < -90 ? decStep - 91 : b0 - std::abs(b0) % 15;
}

struct GridStyle {
    pl::ColorRef grid, zero;
    int hourStep, decStep;
    int labelHour, labelDec;  // label column (hours) and row (degrees)
};

// One circle's labels: its declination at the label column and, on the label
// row, every hour.
void LabelCircle(const CurvePoint* points, int n, int dec, const GridStyle& g) {
    char text[16];
    for (int k = 0; k < n; ++k) {
        const CurvePoint& p = points[k];
        if (!p.shown) continue;
        int hour = k * g.hourStep;
        if (hour == g.labelHour) {
            std::snprintf(text, sizeof text, "%d\xB0", dec);
            DrawText(text, p.x + 1, p.y + 1);
        }
        if (dec == g.labelDec) {
            std::snprintf(text, sizeof text, "%dh", hour % 24);
            DrawText(text, p.x + 1, p.y - 6 * GetScreenScale());
        }
    }
}

void DrawEquatorialGrid(Fix24Angle lst, const GridStyle& g) {
    int top, limit;
    GridDeclinationRange(g.decStep, &top, &limit);
    CurvePoint previous[kMaxSamples], current[kMaxSamples];
    for (int dec = top; dec >= limit; dec -= g.decStep) {
        int n = SampleDeclinationCircle(lst, dec, g.hourStep, current);
        if (dec != top)
            for (int k = 0; k < n; ++k) {
                int hour = k * g.hourStep;
                Segment(previous[k], current[k], hour == 0 || hour == 12 ? g.zero : g.grid);
            }
        LabelCircle(current, n, dec, g);
        for (int k = 0; k < n; ++k) Segment(current[k], current[k + 1], dec == 0 ? g.zero : g.grid);
        std::copy(current, current + n + 1, previous);
    }
}

// Altitude circles about the zenith, labelled on their north side.
void DrawAltitudeCircles(int zenithX, int zenithY, int step) {
    char text[16];
    for (int altitude = step; altitude < 90; altitude += step) {
        int x, y;
        AltAzToChartPoint(0.0f, static_cast<float>(altitude), &x, &y);
        DrawCircle(zenithX, zenithY, static_cast<int>(std::lround(std::hypot(x - zenithX, y - zenithY))));
        std::snprintf(text, sizeof text, "%d\xB0", altitude);
        DrawText(text, zenithX, y);
    }
}

}  // namespace

void DrawSkyMapHorizonGrid(float lstHours, int labelHour, int labelDec, int zoom, pl::ColorRef gridColour,
                           pl::ColorRef zeroColour, int hourStep, int decStep) {
    if (hourStep < 1 || hourStep > 24 || decStep < 1) return;
    GridStyle g{gridColour, zeroColour, hourStep, decStep, 0, 0};
    if (zoom > 2) {
        g.labelDec = labelDec / decStep * decStep;
        g.labelHour = labelHour;
    }
    int zx, zy, nx, ny;
    AltAzToChartPoint(0.0f, 90.0f, &zx, &zy);
    AltAzToChartPoint(0.0f, 0.0f, &nx, &ny);
    SetForeColor(gridColour);
    DrawTargetMark(zx, zy);
    DrawCircle(zx, zy, static_cast<int>(std::lround(std::hypot(nx - zx, ny - zy))));
    if (preferences.word[kPrefHideGrid] != 0) return;
    if (preferences.word[kPrefAltAzGrid] == 0)
        DrawEquatorialGrid(static_cast<Fix24Angle>(lstHours * kFixPerHour), g);
    else
        DrawAltitudeCircles(zx, zy, decStep);
}

void DrawCompassLetters(int dx, int dy) {
    if (chartView != 0) return;
    constexpr int32_t kOne = 16777216;
    constexpr auto kDiagonal = static_cast<int32_t>(0.72 * kUnit);
    static const struct {
        const char* text;
        int32_t east, north;
    } kLetters[] = {{"N", 0, kOne},           {"S", 0, -kOne},           {"E", kOne, 0},
                    {"W", -kOne, 0},          {"NE", kDiagonal, kDiagonal}, {"SE", kDiagonal, -kDiagonal},
                    {"SW", -kDiagonal, -kDiagonal}, {"NW", -kDiagonal, kDiagonal}};
    int32_t c, s;
    FixSinCos24(static_cast<int32_t>(int64_t{chartTimeRecord.chartRotation} * 292817), &c, &s);
    int half = 80 * GetScreenScale();
    for (const auto& letter : kLetters) {
        int32_t b = WrapSub(FixMul24(letter.east, c), FixMul24(letter.north, s));
        int32_t a = WrapAdd(FixMul24(letter.east, s), FixMul24(letter.north, c));
        int x, y;
        HorizonPointToScreen(a, b, &x, &y);
        x += dx;
        y += dy;
        x = x >= half ? x + 5 : x - 10;
        if (y < half) y -= 5;
        DrawLabelText(letter.text, static_cast<int>(std::strlen(letter.text)), x, y);
    }
}

void DrawHorizonEcliptic(float lstHours, pl::ColorRef colour, int left, int right) {
    const double eps = GetObliquityRad();
    const int32_t width = PanoramaWidth();
    const bool panorama = chartView != 0;
    const auto lst = static_cast<Fix24Angle>(lstHours * kFixPerHour);
    CurvePoint previous;
    for (int longitude = 0; longitude <= 360; longitude += 10) {
        double l = longitude * (M_PI / 180);
        double ra = std::atan2(std::sin(l) * std::cos(eps), std::cos(l)) * (12 / M_PI);
        double dec = std::asin(std::sin(l) * std::sin(eps)) * (180 / M_PI);
        int32_t a, b;
        CurvePoint p;
        p.shown = ProjectHourAngleToHorizon(lst, static_cast<Fix24Angle>(ra * kFixPerHour),
                                            static_cast<Fix24Angle>(dec * kFixPerDegree), &a, &b) != 0;
        if (p.shown) HorizonPointToScreen(a, b, &p.x, &p.y);
        if (p.shown && panorama) p.x = WrapPanoramaX(p.x, left, right, width);
        if (!panorama || IsPanoramaSegmentDrawn(p.x, previous.x, width)) Segment(previous, p, colour);
        previous = p;
    }
}
