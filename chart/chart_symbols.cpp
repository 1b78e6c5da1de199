#include "chart/chart_symbols.h"

#include <cmath>

#include "chart/phase_icons.h"
#include "core/preferences.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/markers.h"
#include "ui/primitives.h"

int32_t chartBitmapSet = 0;

namespace {

constexpr int kSatelliteBitmap = 3995;
constexpr int kSmallIconCells = 13;

// Marker cell of a deep-sky or star type.
int MarkerCell(int type) {
    switch (type) {
        case 2: return 3;
        case 6: return 2;
        case 16: return 0;
        case 25: return 5;
        case 31: case 32: case 33: case 34: case 36: case 37: return 7;
        default: return 4;
    }
}

// A bitmap of about 14 or 15 pixels centred on the point, scaled, keyed on
// its top-left pixel.
void DrawCentredMasked(int bitmapId, int x, int y) {
    DrawBitmapMasked(bitmapId, x - ScaleX(7), y - ScaleY(7));
}

void DrawPlanetSymbol(int body, int x, int y) {
    if (body == 1) {
        if (moonIconId != 0) DrawCentredMasked(moonIconId, x, y);
    } else if (body >= 0 && body < kSmallIconCells) {
        DrawSmallIcon(body, preferences.word[kPrefChartBackground], x, y);
    }
}

}  // namespace

int SelectChartBitmapSet(int day) {
    chartBitmapSet = day != 0 && GetNightMode() == 0 ? 1 : 0;
    LoadMarkerBitmap(chartBitmapSet ? 2 : 0);
    return chartBitmapSet;
}

int ChartMeteorBitmap() { return chartBitmapSet ? 4108 : 4107; }

void DrawObjectSymbol(int type, int bodyIndex, int, int x, int y) {
    switch (type) {
        case 13: DrawSmallIcon(11, preferences.word[kPrefChartBackground], x, y); break;
        case 14: case 30: break;
        case 15: DrawCentredMasked(kSatelliteBitmap, x, y); break;
        case 18: DrawSmallIcon(12, preferences.word[kPrefChartBackground], x, y); break;
        case 27: DrawPlanetSymbol(bodyIndex, x, y); break;
        case 29: DrawBitmap(ChartMeteorBitmap(), x - 5, y - 5); break;
        default: DrawMarkerIcon(MarkerCell(type), x, y); break;
    }
}

void EllipseOutline(int x, int y, float a, float b, float angleDeg, int flipX, int flipY,
                    ScreenPoint points[kEllipsePoints]) {
    double angle = angleDeg * 0.0174532925199433;
    double c = std::cos(angle), s = std::sin(angle);
    float t = 0.0f;
    for (int i = 0; i < kEllipsePoints; ++i, t += 0.3f) {
        double px = a * std::cos(static_cast<double>(t)), py = b * std::sin(static_cast<double>(t));
        points[i].x = static_cast<int>((px * c - py * s + 0.5) * flipX + x);
        points[i].y = static_cast<int>((px * s + py * c + 0.5) * flipY + y);
    }
}

void DrawEllipse(int x, int y, float a, float b, float angleDeg, int flipX, int flipY) {
    ScreenPoint points[kEllipsePoints];
    EllipseOutline(x, y, a, b, angleDeg, flipX, flipY, points);
    for (int i = 1; i < kEllipsePoints; ++i) DrawLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
}

void ResetChartSymbols() {
    chartBitmapSet = 0;
    FreeMarkerBitmaps();
}
