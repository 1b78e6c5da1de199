// The sphere renderer's object layer and overlays (chart/sky_map_layers.h).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "catalog/selection_list.h"
#include "chart/chart_colours.h"
#include "chart/chart_marks.h"
#include "chart/chart_overlays.h"
#include "chart/chart_symbols.h"
#include "chart/object_icons.h"
#include "chart/phase_icons.h"
#include "chart/sky_map_layers.h"
#include "chart/star_labels.h"
#include "core/preferences.h"
#include "ui/colors.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kFixPerHour = 4392264.877774095;
constexpr double kFixPerDegree = 292817.65851827303;
constexpr int kTypeBody = 27;
constexpr int kTypeStar = 30;
constexpr int kDesignationHr = 28;
constexpr int kDesignationBrightStar = 54;
constexpr int kClassDoubleStar = 5;  // search source code of double stars: no outline
constexpr int kTrueSizeAboveZoom = 7;
constexpr double kSmallestOutline = 2.0;  // pixels of the first size

bool Word(int w) { return preferences.word[w] != 0; }

pl::ColorRef Colour(int entry) { return ChartColourRef(chartColours.entry[entry]); }

// A true-size radius the picture can hold: at most four times its longer side.
bool Fits(const SkyMapPicture& p, double radius) {
    return std::isfinite(radius) && radius <= 4.0 * std::max(p.area.width, p.area.height);
}

// A filled disc in the foreground colour, rows cut to the picture.
void FillDisc(const SkyMapPicture& p, int x, int y, int r) {
    const int top = std::max(-r, p.area.y - y), bottom = std::min(r, p.area.y + p.area.height - 1 - y);
    for (int dy = top; dy <= bottom; ++dy) {
        int dx = static_cast<int>(std::sqrt(static_cast<double>(r) * r - static_cast<double>(dy) * dy));
        int left = std::max(x - dx, p.area.x), right = std::min(x + dx, p.area.x + p.area.width - 1);
        if (left <= right) DrawLine(left, y + dy, right, y + dy);
    }
}

// The screen direction (degrees of atan2(dy, dx)) in which the object's position angle points:
// from the object to the place 1 degree away along it (north through east), both projected
// with the view.
bool PositionAngleDirection(const SelectionEntry& e, double* degrees) {
    const double pa = e.smallCode * kDegToRad;
    const double cosDec = std::max(std::cos(e.declination * kDegToRad), 0.01);
    double ra = std::fmod(e.rightAscension + std::sin(pa) / cosDec / 15.0, 24.0);
    if (ra < 0) ra += 24.0;
    const double dec = e.declination + std::cos(pa);
    int32_t x0, y0, x1, y1;
    if (!ProjectToSkyMap(static_cast<Fix24Angle>(e.rightAscension * kFixPerHour),
                         static_cast<Fix24Angle>(e.declination * kFixPerDegree), &x0, &y0) ||
        !ProjectToSkyMap(static_cast<Fix24Angle>(ra * kFixPerHour), static_cast<Fix24Angle>(dec * kFixPerDegree), &x1,
                         &y1) ||
        (x0 == x1 && y0 == y1))
        return false;
    *degrees = std::atan2(static_cast<double>(y1 - y0), static_cast<double>(x1 - x0)) * kRadToDeg;
    return true;
}

// From zoom 8: the Sun's disc, the Moon's picture and the outline of an extended object, each
// at its true size (sizes are diameters in arcminutes).
void DrawTrueSize(const SkyMapPicture& p, const SelectionEntry& e) {
    const double f = SkyMapPixelsPerArcminHalf(p);
    const int x = e.screenX, y = e.screenY;
    if (e.objectType == kTypeBody && (e.number == 0 || e.number == 1)) {
        const double radius = e.size1 * f;
        if (!Fits(p, radius)) return;
        const int r = static_cast<int>(radius);
        if (e.number == 1) {
            DrawChartMoonPhase(2 * r, 2 * r, x - r, y - r, p.flipX, p.flipY);
            return;
        }
        SetForeColor(Colour(5));
        FillDisc(p, x, y, r);
        SetForeColor(Colour(0));
        return;
    }
    double angle;
    if (e.source == kClassDoubleStar || e.size1 <= 0 || !p.full || e.objectType == kTypeStar ||
        !(e.size1 * f > kSmallestOutline) || !Fits(p, e.size1 * f) || !PositionAngleDirection(e, &angle))
        return;
    SetForeColor(Colour(6));
    DrawEllipse(x, y, static_cast<float>(e.size1 * f), static_cast<float>(e.size2 * f), static_cast<float>(angle), 1, 1);
    SetForeColor(Colour(0));
}

void DrawSymbol(const SkyMapPicture& p, const SelectionEntry& e) {
    if (e.objectType != kTypeStar)
        DrawObjectSymbol(e.objectType, e.sourceIndex, 1, e.screenX, e.screenY);
    else if (e.designation != kDesignationBrightStar)
        DrawObjectIcon(p.surface, p.zoom, e.mag10 / 10, static_cast<int8_t>(e.smallCode), e.screenX, e.screenY);
}

// The name of an object, or of an HR star its label.
void DrawName(const SelectionEntry& e, int x, int y) {
    if (e.designation == kDesignationHr) DrawStarName(e.number, x, y, 1);
    else DrawPlainText(e.name, static_cast<int>(strnlen(e.name, kSelectionNameSize - 1)), x, y);
}

bool InCentreBox(const SkyMapPicture& p, const SelectionEntry& e) {
    return std::abs(e.screenX - p.frame.cx) <= ScaleX(12) && std::abs(e.screenY - p.frame.cy) <= ScaleY(12);
}

void DrawPointer(const SkyMapPicture& p, const SelectionEntry& e) {
    if (Word(kPrefObjectNames) && p.full) return;
    const int d = 10 * std::max(GetScreenScale(), 1);
    SetForeColor(Colour(5));
    DrawLine(e.screenX + d, e.screenY + d, e.screenX, e.screenY);
    DrawName(e, e.screenX + d, e.screenY + d);
    SetForeColor(Colour(0));
}

}  // namespace

int DrawSkyMapObjects(const SkyMapPicture& p) {
    SetForeColor(Colour(0));
    SetTextColorRef(Colour(4));
    SetTextTransparent(false);
    int centre = -1;
    for (int i = 0; i < p.count; ++i) {
        const SelectionEntry& e = p.objects[i];
        if (e.horizonHidden != 0 || !(IsTypeInCurrentClass(e.objectType) || i == p.selected)) continue;
        DrawSymbol(p, e);
        if (p.zoom > kTrueSizeAboveZoom) DrawTrueSize(p, e);
        if (Word(kPrefObjectNames)) DrawName(e, e.screenX + ScaleX(5), e.screenY);
        if (centre >= 0 || !InCentreBox(p, e)) continue;
        centre = i;
        DrawPointer(p, e);
    }
    return centre;
}

void DrawSkyMapOverlays(const SkyMapPicture& p) {
    pl::ColorRef colour = preferences.word[kPrefChartBackground] < 2 ? Colour(6) : ChartColourRef(chartColours.ink);
    if (GetNightMode() != 0) colour = pl::Rgb(static_cast<uint8_t>(GetSchemeColor()), 0, 0);
    const double perArcmin = SkyMapPixelsPerArcminHalf(p);
    const int cx = p.frame.cx, cy = p.frame.cy;
    if (Word(kPrefTelrad)) DrawTelrad(cx, cy, perArcmin, colour);
    if (Word(kPrefFovCcd)) DrawSensorFrame(cx, cy, static_cast<float>(perArcmin), colour);
    if (Word(kPrefFovEyepiece)) DrawEyepieceCircle(cx, cy, static_cast<float>(perArcmin), colour);
}
