#include "assistants/ecliptic_band_view.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "assistants/planet_assistant.h"
#include "assistants/planet_page_text.h"
#include "catalog/constellation_lines.h"
#include "catalog/stars.h"
#include "chart/object_icons.h"
#include "chart/phase_icons.h"
#include "chart/sky_angles.h"
#include "core/angle_text.h"
#include "core/preferences.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "ephemeris/planet_names.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/markers.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kFixPerRadian = 16777216.0;
constexpr int kBodies = 10;  // the Sun .. Pluto
constexpr int kMoon = 1;
constexpr int kDrawOrder[kBodies] = {9, 8, 7, 6, 5, 4, 0, 2, 3, kMoon};
constexpr double kFigureLimit = 40.0;  // degrees of declination
constexpr int kStarZoom = 0;

pl::ColorRef BandColour() { return GetNightMode() != 0 ? pl::Rgb(0, 0, 0) : pl::Rgb(255, 255, 255); }
pl::ColorRef FigureColour() { return PageColour(pl::Rgb(170, 170, 215), 3); }
pl::ColorRef EclipticColour() { return PageColour(pl::Rgb(220, 140, 0), 1); }
pl::ColorRef GridColour() { return PageColour(pl::Rgb(120, 170, 120), 2); }
pl::ColorRef InkColour() { return PageColour(pl::Rgb(0, 0, 0), 1); }

// The band's geometry for the form's size.
struct Band {
    int width, top, height, centre;
    double v;
    int Y(double degrees) const { return centre - static_cast<int>(degrees * v); }
};

Band MakeBand() {
    Band b;
    b.v = displayScale.scaleY;
    b.width = formWidth;
    b.top = ScaleY(24);
    b.height = ScaleY(90);
    b.centre = b.top + b.height / 2;
    return b;
}

bool TableShown() { return formHeight > ScaleY(240); }

// The figure lines whose two stars lie within 40 degrees of the equator; no
// line across 0 h (its ends more than half the width apart).
void DrawFigures(const Band& b) {
    LoadStarCatalog(0);
    LoadConstellationData(preferences.word[kPrefConstLinesFigures]);
    int count = 0;
    const ConstellationLine* lines = GetConstellationLines(&count);
    SetForeColor(FigureColour());
    for (int i = 0; lines && i < count; ++i) {
        const StarRecord& s1 = brightStarTable[lines[i].firstStar];
        const StarRecord& s2 = brightStarTable[lines[i].secondStar];
        const double d1 = s1.declination / kFixPerRadian / kDegToRad, d2 = s2.declination / kFixPerRadian / kDegToRad;
        if (std::fabs(d1) > kFigureLimit || std::fabs(d2) > kFigureLimit) continue;
        const int x1 = static_cast<int>((2 * kPi - s1.rightAscension / kFixPerRadian) * b.width / (2 * kPi));
        const int x2 = static_cast<int>((2 * kPi - s2.rightAscension / kFixPerRadian) * b.width / (2 * kPi));
        const int y1 = b.Y(d1), y2 = b.Y(d2);
        if (std::abs(x1 - x2) < b.width / 2) DrawLine(x1, y1, x2, y2);
        DrawObjectIcon(nullptr, kStarZoom, s1.magnitude16 >> 4, s1.colour, x1, y1);
        DrawObjectIcon(nullptr, kStarZoom, s2.magnitude16 >> 4, s2.colour, x2, y2);
        SetForeColor(FigureColour());
    }
}

// The ecliptic from points 15 degrees of longitude apart, joined when less
// than 120 h apart across.
void DrawEcliptic(const Band& b) {
    SetForeColor(EclipticColour());
    int lastX = 0, lastY = 0;
    for (int lambda = 1; lambda < 360; lambda += 15) {
        double hours = 0, degrees = 0;
        EclipticLongitudeToEquatorial(lambda, &hours, &degrees);
        const int x = EclipticBandX(hours, b.width), y = b.Y(degrees);
        if (lambda > 1 && std::abs(x - lastX) < ScaleX(120)) DrawLine(lastX, lastY, x, y);
        lastX = x, lastY = y;
    }
}

// Ticks up from the band's bottom edge every hour (longer every sixth) and
// "24h", "18h", "12h" and "6h" right of the long ones, "0h" at the right
// edge, each on the band's colour so that the short ticks stop at it.
void DrawHourScale(const Band& b) {
    const int bottom = b.top + b.height - 1, top = bottom + 1 - PageTextHeight();
    SetForeColor(InkColour());
    for (int i = 0; i < 24; ++i) {
        const int x = b.width * i / 24;
        DrawLine(x, bottom, x, bottom - (i % 6 == 0 ? 6 : 3));
    }
    DrawLine(b.width - 1, bottom, b.width - 1, bottom - 6);
    SetTextTransparent(false);
    const pl::ColorRef back = SetBackColor(BandColour());
    for (int i = 0; i < 24; i += 6) {
        char text[8];
        std::snprintf(text, sizeof text, "%dh", 24 - i);
        DrawPageText(text, b.width * i / 24 + 2, top);
    }
    DrawPageTextRight("0h", b.width - 3, top);
    SetBackColor(back);
    SetTextTransparent(true);
}

// The equator with "0°", and the lines at +20 ("20°" at the right, above)
// and -20 degrees ("-20°" at the left, below).
void DrawEquatorLines(const Band& b) {
    const int up = b.Y(20), down = b.Y(-20);
    SetForeColor(GridColour());
    for (int y : {b.centre, up, down}) DrawLine(0, y, b.width, y);
    DrawPageText("0\xB0", 1, b.centre + 2);
    DrawPageTextRight("20\xB0", b.width - 3, up - PageTextHeight());
    DrawPageText("-20\xB0", 1, down + 1);
}

// Right ascension (hours) and declination (degrees) of body b at the
// assistant's date and time: ComputeBody, or the fast routines while the
// date animation runs; not-a-number for a date the body's theory does not
// cover.
void BodyPlace(int body, double* hours, double* degrees) {
    const AssistantDate& d = assistantDate;
    if (!animating) {
        BodyPosition p{};
        const bool known = ComputeBody(&p, body, d.year, d.month, d.day, d.hour, d.minute, 0) == 0;
        *hours = known ? p.ra : std::nan("");
        *degrees = known ? p.dec : std::nan("");
    } else if (body == 0) {
        ComputeSunPosition(hours, degrees, d.year, d.month, d.day, d.hour, d.minute, 0);
    } else if (body == kMoon) {
        ComputeMoonPosition(hours, degrees, d.year, d.month, d.day, d.hour, d.minute, 0);
    } else {
        float view[kApproxPlanetViewSize] = {}, place[kApproxPlanetPlaceSize] = {};
        ComputeApproxPlanet(d.year, d.month, d.day, d.hour, d.minute, view, place, -1, body, body);
        *hours = place[2 * body], *degrees = place[2 * body + 1];
    }
}

// The Moon as its phase picture for the date and hour, centred on its place;
// the others as their small icons.
void DrawBodies(const Band& b, double hours[kBodies], double degrees[kBodies]) {
    for (int body : kDrawOrder) {
        if (!std::isfinite(hours[body]) || !std::isfinite(degrees[body])) continue;
        const int x = EclipticBandX(hours[body], b.width), y = b.Y(degrees[body]);
        if (body != kMoon) {
            DrawSmallIcon(body, 0, x, y);
            continue;
        }
        const AssistantDate& d = assistantDate;
        const int icon = ComputeMoonIconState(d.year, d.month, d.day, d.hour);
        if (icon != 0) DrawBitmapMasked(icon, x - ScaleX(7), y - ScaleY(7));
    }
}

// The legend's row of body i: its top and its column's left.
void LegendRow(const Band& b, int i, int* x, int* y) {
    const bool wrapped = !TableShown() && i >= 5;
    *x = wrapped ? ScaleX(90) : 0;
    *y = b.top + b.height + ScaleY(5) + ScaleY(18) * (wrapped ? i - 5 : i);
}

void DrawLegend(const Band& b, double hours[kBodies], double degrees[kBodies]) {
    for (int i = 0; i < kBodies; ++i) {
        int x = 0, y = 0;
        LegendRow(b, i, &x, &y);
        DrawSmallIcon(i, 0, x + ScaleX(10), y + PageTextHeight() / 2);
        DrawPageText(planetNameTable[i], x + ScaleX(25), y);
        if (!TableShown() || !std::isfinite(hours[i]) || !std::isfinite(degrees[i])) continue;
        char text[32];
        DrawPageTextRight(HMSToStr(text, sizeof text, hours[i]), ScaleX(140), y);
        DrawPageTextRight(DegToStr(text, sizeof text, degrees[i]), ScaleX(210), y);
    }
}

}  // namespace

int EclipticBandX(double hours, int width) { return static_cast<int>(std::floor((24.0 - hours) * width / 24.0)); }

void EclipticLongitudeToEquatorial(double lambda, double* hours, double* degrees) {
    const double l = lambda * kDegToRad, e = GetObliquityRad();
    double h = std::atan2(std::sin(l) * std::cos(e), std::cos(l)) * 12.0 / kPi;
    if (h < 0) h += 24.0;
    if (h >= 24.0) h -= 24.0;
    *hours = h;
    *degrees = std::asin(std::sin(l) * std::sin(e)) / kDegToRad;
}

void DrawEclipticBand() {
    const Band b = MakeBand();
    chartRect = XywhRect{0, b.top, formWidth, formHeight - b.top - (TableShown() ? ScaleY(14) : 0)};
    EraseRectangle(XywhRect{0, b.top, formWidth, formHeight - b.top});
    SetForeColor(BandColour());
    FillRectangle(XywhRect{0, b.top, b.width, b.height}, 0);
    double hours[kBodies], degrees[kBodies];
    for (int body = 0; body < kBodies; ++body) BodyPlace(body, &hours[body], &degrees[body]);
    const PageTextStyle style(InkColour());
    DrawLegend(b, hours, degrees);
    DrawFigures(b);
    DrawEcliptic(b);
    DrawHourScale(b);
    DrawEquatorLines(b);
    DrawBodies(b, hours, degrees);
    ShowAssistantTimeField();
}
