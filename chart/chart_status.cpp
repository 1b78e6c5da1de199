#include "chart/chart_status.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "chart/chart_colours.h"
#include "chart/chart_overlays.h"
#include "chart/save_under.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr Fix24Angle kFullTurn = 105414357;  // 2 pi + 1 as the status reads it
constexpr int32_t kFixPerHour = 4392264;
constexpr int32_t kFixPerMinute = 73204;
constexpr double kDegPerFix = 180.0 / 52707178.6;
constexpr double kDegToRad = 0.0174532925199433;
constexpr double kFixPerDegree = 292817.65851827303;

void DrawText(const char* text, int x, int y) { DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y); }

// The nearest whole degree: a centre set at 40 degrees comes back from Fix24Angle as
// 39.99999 and must not read 39. An azimuth that rounds to 360 reads 0.
void DrawDegrees(double degrees, int x, int y, bool azimuth) {
    long whole = std::lround(degrees);
    if (azimuth && whole == 360) whole = 0;
    char text[16];
    std::snprintf(text, sizeof text, "%ld\xB0", whole);
    DrawText(text, x, y);
}

// The end of a needle of length r from (x, y) at `angle` degrees from `right`
// towards `up` (screen directions as unit steps).
void Needle(int x, int y, int r, double angle, double rightX, double rightY, double upX, double upY) {
    double c = std::cos(angle * kDegToRad), s = std::sin(angle * kDegToRad);
    DrawLine(x, y, x + static_cast<int>(std::lround(r * (c * rightX + s * upX))),
             y + static_cast<int>(std::lround(r * (c * rightY + s * upY))));
}

// Azimuth dial about (cx, cy): north up, east left.
void DrawAzimuthDial(int cx, int cy, int r, double azimuth) {
    DrawCircle(cx, cy, r);
    Needle(cx, cy, r, azimuth, 0, -1, -1, 0);
    int previous = SelectFont(2);
    DrawText("N", cx - CharsWidth("N", 1) / 2, cy - r + 1);
    DrawText("E", cx - r + 2, cy - 5);
    SelectFont(previous);
}

// Altitude dial: a quarter circle from the horizon (right) to the zenith (up)
// about its corner (x, y).
void DrawAltitudeDial(int x, int y, int r, double altitude) {
    DrawLine(x, y, x + r, y);
    DrawLine(x, y, x, y - r);
    int px = x + r, py = y;
    for (int a = 10; a <= 90; a += 10) {
        int qx = x + static_cast<int>(std::lround(r * std::cos(a * kDegToRad)));
        int qy = y - static_cast<int>(std::lround(r * std::sin(a * kDegToRad)));
        DrawLine(px, py, qx, qy);
        px = qx;
        py = qy;
    }
    Needle(x, y, r, altitude, 1, 0, 0, -1);
}

double FixToDegrees(Fix24Angle a) { return a * kDegPerFix; }

Fix24Angle IntoFullTurn(Fix24Angle angle) {
    int64_t a = angle % kFullTurn;
    return static_cast<Fix24Angle>(a < 0 ? a + kFullTurn : a);
}

// In the small font: in the normal one the two lines, 10 units apart, overprint
// each other, and the first runs under the form's buttons at the chart's foot.
void DrawStatusLines(const XywhRect& rect, int bottom, Fix24Angle angle, Fix24Angle elevation) {
    const SkyRotation& r = skyRotation;
    StatusText lines[2]{};
    char date[16], first[32], second[32];
    FormatDateShort(date, sizeof date, r.day, r.month, r.year);
    int64_t theta = static_cast<int64_t>(kFix24Pi) - r.siderealComplement;
    if (theta < 0) theta += kFullTurn;
    std::snprintf(lines[0].text, sizeof lines[0].text, "%s %02d:%02d  LST:%02d:%02d", date, r.hour, r.minute,
                  static_cast<int>(theta / kFixPerHour), static_cast<int>(theta % kFixPerHour / kFixPerMinute));
    lines[0].dx = ScaleX(16) + ScaleY(40) + 1;
    lines[0].dy = -ScaleY(22);
    if (skyMapView.horizontalStatus != 0) {
        AngleFixToStr(first, sizeof first, elevation);
        AngleFixToStr(second, sizeof second, angle);
    } else {
        HmsFixToStr(first, sizeof first, angle);
        AngleFixToStr(second, sizeof second, elevation);
    }
    std::snprintf(lines[1].text, sizeof lines[1].text, "%s  %s ", first, second);
    lines[1].dx = StatusPlaceLineX(ScaleX(10) + ScaleY(40) + 1);
    lines[1].dy = -ScaleY(12);
    lines[0].font = lines[1].font = 2;
    DrawStatusTexts(&skyMapStatusTexts, rect.x, bottom, lines, 2, ChartColourRef(chartColours.entry[4]),
                    ChartColourRef(chartColours.background));
}

}  // namespace

StatusTexts chartStatusTexts{};
StatusTexts skyMapStatusTexts{};

XywhRect StatusLineBox(const StatusText& line, int x, int y) {
    const int margin = ScaleX(2);
    return XywhRect{x + line.dx - margin, y + line.dy, line.width + 2 * margin, line.height};
}

void DrawStatusTexts(StatusTexts* kept, int x, int y, const StatusText* lines, int count, pl::ColorRef ink,
                     pl::ColorRef paper) {
    count = std::clamp(count, 0, 2);
    const int previousFont = GetCurrentFontId();
    StatusTexts drawn{};
    for (int i = 0; i < count; ++i) {
        StatusText& line = drawn.line[i];
        line = lines[i];
        SelectFont(line.font);
        line.width = CharsWidth(line.text, static_cast<int>(std::strlen(line.text)));
        line.height = CharsHeight();
    }
    drawn.count = count;
    drawn.ink = ink;
    drawn.paper = paper;
    const pl::ColorRef foreground = SetForeColor(paper);
    const StatusTexts* cleared[] = {kept, &drawn};
    for (const StatusTexts* set : cleared)
        for (int i = 0; i < set->count; ++i) FillRectangle(StatusLineBox(set->line[i], x, y), 0);
    SetForeColor(foreground);
    SetTextColorRef(ink);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    for (int i = 0; i < count; ++i) {
        const StatusText& line = drawn.line[i];
        SelectFont(line.font);
        DrawText(line.text, x + line.dx, y + line.dy);
    }
    SetTextTransparent(transparent);
    SelectFont(previousFont);
    *kept = drawn;
}

int StatusPlaceLineX(int designed) { return std::max(designed, ChartCornerWidth() + ScaleX(2)); }

void DrawChartLegend(int x, int y, Fix24Angle azimuth, Fix24Angle altitude) {
    if (preferences.word[kPrefHideCompass] != 0) return;
    DrawWindowRecord* window = GetDrawWindow();
    // Two dials side by side, each with its value below it.
    const int r = ScaleX(10), width = ChartCornerWidth(), height = 2 * r + 2 + ScaleY(9);
    DrawWindowRecord* box = ChartPatchRecord(kPatchLegend, width, height);
    if (!window || !box) return;
    SetDrawWindow(box);
    pl::ColorRef foreground = SetForeColor(ChartColourRef(chartColours.background));
    FillRectangle(XywhRect{0, 0, width, height}, 0);
    const ChartColour& ink = preferences.word[kPrefChartBackground] == 2 ? chartColours.entry[4] : chartColours.entry[0];
    SetForeColor(ChartColourRef(ink));
    SetTextColorRef(ChartColourRef(ink));
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    double a = std::fmod(FixToDegrees(azimuth), 360.0);
    if (a < 0) a += 360.0;
    DrawAzimuthDial(r + 1, r + 1, r, a);
    DrawAltitudeDial(2 * r + 6, 2 * r + 1, r, FixToDegrees(altitude));
    int previousFont = SelectFont(2);
    DrawDegrees(a, 1, 2 * r + 2, true);
    DrawDegrees(FixToDegrees(altitude), 2 * r + 4, 2 * r + 2, false);
    SelectFont(previousFont);
    SetTextTransparent(transparent);
    SetDrawWindow(window);
    SetForeColor(foreground);
    CopyRectangle(box, window, XywhRect{0, 0, width, height}, x, y, 0);
}

void DrawSkyMapStatus(const XywhRect& rect, const SelectionEntry*, Fix24Angle angle, Fix24Angle elevation,
                      Fix24Angle alpha0, Fix24Angle delta0) {
    const int bottom = rect.y + rect.height;
    angle = IntoFullTurn(angle);
    Fix24Angle azimuth = 0, altitude = 0;
    if (skyRotation.flag == 0) {
        SkyMapPointToHorizon(0, 0, skyMapView.centreX, skyMapView.centreY, &azimuth, &altitude);
    } else {
        azimuth = kFullTurn - alpha0;
        altitude = delta0;
    }
    DrawChartLegend(rect.x, bottom - ScaleY(12) - ScaleY(20) + static_cast<int>(displayScale.scaleX), azimuth,
                    altitude);
    if (preferences.word[kPrefHideInfoBar] != 0) return;
    DrawStatusLines(rect, bottom, angle, elevation);
}

// The frame angle of a horizontal-frame picture is minus the azimuth, that of an
// equatorial one the right ascension; the status reads the place's own.
void DrawSkyMapPlaceStatus(const XywhRect& rect, Fix24Angle ra, Fix24Angle dec) {
    if (preferences.word[kPrefAltAzGrid] == 0) {
        DrawSkyMapStatus(rect, nullptr, ra / 15, dec, skyMapView.centreAngle, skyMapView.centreElevation);
        return;
    }
    int32_t p, q, s;
    UnitVectorToChartBy(skyRotation.matrix, StarUnitVector(ra, dec), &p, &q, &s);
    double angle = std::atan2(static_cast<double>(p), static_cast<double>(q)) / kDegToRad;
    angle -= 360.0 * std::floor(angle / 360.0);
    const double elevation = std::asin(std::fmax(-1.0, std::fmin(1.0, s / 16777216.0))) / kDegToRad;
    DrawSkyMapStatus(rect, nullptr, kFullTurn - static_cast<Fix24Angle>(angle * kFixPerDegree),
                     static_cast<Fix24Angle>(elevation * kFixPerDegree), skyMapView.centreAngle,
                     skyMapView.centreElevation);
}
