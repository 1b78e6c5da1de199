#include "chart/chart_overlays.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/eyepieces.h"
#include "chart/chart_colours.h"
#include "core/preferences.h"
#include "platform/text_log.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kFovTenths[] = {1800, 1500, 1200, 900, 600, 450, 300, 200, 100, 50, 25, 15, 10, 5};
constexpr double kArcminPerRadianTwice = 6875.4935;

void DrawText(const char* text, int x, int y) { DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y); }

void UseColour(pl::ColorRef colour) {
    SetForeColor(colour);
    SetTextColorRef(colour);
}

// A radius the circle routine can draw in a bounded time.
bool DrawableRadius(double radius) {
    int width, height;
    GetScreenSize(&width, &height);
    return std::isfinite(radius) && radius >= 0 && radius <= 4.0 * std::max(width, height);
}

// The full field of a sensor side (mm x 100) at the focal length, arcminutes.
double SideField(int side, int focal) { return std::atan(side * 0.005 / focal) * kArcminPerRadianTwice; }

void WriteArcminutes(char* text, std::size_t size, double arcmin) {
    int whole = static_cast<int>(arcmin);
    std::snprintf(text, size, "%d'%d''", whole, static_cast<int>((arcmin - whole) * 60));
}

}  // namespace

void DrawEyepieceCircle(int cx, int cy, float pixelsPerArcmin, pl::ColorRef colour) {
    int row = preferences.word[kPrefEyepiece];
    if (preferences.word[kPrefFovEyepiece] == 0 || row == 0) return;
    char name[48];
    uint32_t apparent = 0;
    float eyepieceFocal = 0;
    if (!GetEyepieceRecord(row - 1, &apparent, &eyepieceFocal, name, sizeof name)) return;
    float scopeFocal = static_cast<float>(GetScopeFocalLengthMm());
    if (!(eyepieceFocal > 0) || !(scopeFocal > 0)) return;
    float magnification = scopeFocal / eyepieceFocal;
    double field = apparent * 60.0 / magnification;
    double radius = field * pixelsPerArcmin;
    if (!DrawableRadius(radius)) return;
    int r = static_cast<int>(radius);
    int shown = magnification < 2147483647.0f ? static_cast<int>(magnification) : 2147483647;
    char text[64];
    std::snprintf(text, sizeof text, "%s %d", name, shown);
    UseColour(colour);
    DrawText(text, cx, cy - r - 8);
    DrawCircle(cx, cy, r);
}

void DrawSensorFrame(int cx, int cy, float pixelsPerArcmin, pl::ColorRef colour) {
    const int32_t* w = preferences.word;
    if (w[kPrefCcdCamera] == 0 && w[kPrefCcdWidth] == 0) return;
    int focal = w[kPrefCcdFocal] != 0 ? w[kPrefCcdFocal] : GetScopeFocalLengthMm();
    if (focal <= 0) return;
    double widthField = SideField(w[kPrefCcdWidth], focal), heightField = SideField(w[kPrefCcdWidth + 1], focal);
    double halfWidth = widthField * pixelsPerArcmin, halfHeight = heightField * pixelsPerArcmin;
    if (!DrawableRadius(halfWidth) || !DrawableRadius(halfHeight)) return;
    int hw = static_cast<int>(halfWidth), hh = static_cast<int>(halfHeight);
    UseColour(colour);
    char text[32];
    WriteArcminutes(text, sizeof text, widthField);
    DrawText(text, cx, cy + hh + 2);
    WriteArcminutes(text, sizeof text, heightField);
    DrawText(text, cx + hw + 2, cy);
    DrawLine(cx - hw, cy - hh, cx + hw, cy - hh);
    DrawLine(cx + hw, cy - hh, cx + hw, cy + hh);
    DrawLine(cx + hw, cy + hh, cx - hw, cy + hh);
    DrawLine(cx - hw, cy + hh, cx - hw, cy - hh);
}

namespace {

// The label's two lines for a zoom step in 0..12.
void FovLabelTexts(int zoom, char* first, char* second, std::size_t size) {
    const int t = kFovTenths[zoom];
    if (t % 10 != 0) std::snprintf(first, size, "FOV %d.%d\xB0", t / 10, t % 10);
    else std::snprintf(first, size, "FOV %d\xB0", t / 10);
    float starLimit, objectLimit;
    GetZoomMagnitudeLimits(zoom, &starLimit, &objectLimit);
    if (objectLimit != 100.0f)
        std::snprintf(second, size, "O<%d, S<%d", static_cast<int>(objectLimit), static_cast<int>(starLimit));
    else
        std::snprintf(second, size, "All, S<%d", static_cast<int>(starLimit));
}

// The label's font made current; the font that was.
int SelectFovLabelFont() { return GetScreenScale() > 1 ? SelectFont(0) : GetCurrentFontId(); }

void RestoreFont(int previous) {
    if (GetCurrentFontId() != previous) SelectFont(previous);
}

}  // namespace

void DrawFovLabel(int x, int y, int zoom) {
    if (zoom < 0 || zoom > 12) return;
    const pl::TextLogExemption onTheChart;
    const int previousFont = SelectFovLabelFont();
    const ChartColour& c = preferences.word[kPrefChartBackground] < 2 ? chartColours.entry[4]
                           : GetNightMode() < 2                       ? chartColours.ink
                                                                      : chartColours.entry[0];
    SetTextColorRef(ChartColourRef(c));
    char first[32], second[32];
    FovLabelTexts(zoom, first, second, sizeof first);
    DrawText(first, x + 1, y);
    DrawText(second, x + 1, y + ScaleY(10));
    RestoreFont(previousFont);
}

void MeasureFovLabel(int x, int y, int zoom, pl::Rect cells[2]) {
    cells[0] = cells[1] = pl::Rect{};
    if (zoom < 0 || zoom > 12) return;
    const int previousFont = SelectFovLabelFont();
    char texts[2][32];
    FovLabelTexts(zoom, texts[0], texts[1], sizeof texts[0]);
    for (int i = 0; i < 2; ++i) {
        const int top = y + i * ScaleY(10);
        cells[i] = pl::Rect{x + 1, top, x + 1 + CharsWidth(texts[i], static_cast<int>(std::strlen(texts[i]))),
                            top + CharsHeight()};
    }
    RestoreFont(previousFont);
}

int FovLabelTop(int designed, int zoom, const pl::Rect* status, int count) {
    pl::Rect cells[2];
    MeasureFovLabel(0, designed, zoom, cells);
    const int gap = ScaleX(1);  // 3 scaleX from the status texts: their boxes hold the other 2
    bool meets = false;
    int highest = designed + cells[1].bottom - cells[1].top;
    for (int i = 0; i < count; ++i) {
        if (status[i].IsEmpty()) continue;
        highest = std::min(highest, status[i].top);
        for (const pl::Rect& cell : cells)
            meets = meets || (!cell.IsEmpty() &&
                              !pl::Intersect(pl::Rect{cell.left - gap, cell.top, cell.right + gap, cell.bottom},
                                             status[i]).IsEmpty());
    }
    return meets ? designed - std::max(cells[1].bottom - highest, 0) : designed;
}

int ChartCornerWidth() {
    const int previousFont = SelectFont(0);
    constexpr char kWidest[] = "O<00, S<00";  // digits are equally wide
    const int label = 1 + CharsWidth(kWidest, static_cast<int>(sizeof kWidest - 1)) + ScaleX(2);
    if (GetCurrentFontId() != previousFont) SelectFont(previousFont);
    return std::max(ScaleX(48), label);
}
