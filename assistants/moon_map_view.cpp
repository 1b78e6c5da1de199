#include "assistants/moon_map_view.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "core/julian_day.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "ephemeris/lunar_lighting.h"
#include "platform/color.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/screen_layout.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

DrawWindowRecord* moonMapBitmap = nullptr;

namespace {

constexpr int kWholeDisc = 6036;
constexpr int kFirstTile = 6025;
constexpr int kTileSize = 320;
constexpr int kSmallMap = 320;
constexpr int kLargeMap = 960;
constexpr double kDegree = std::numbers::pi / 180.0;
constexpr char kNoMemory[] = "offScreen Not enough memory";

MoonMapSurfaceMaker surfaceMaker = CreateOffscreenDib;

bool IsDib16(const DrawWindowRecord* r) { return r && r->dibBits && r->bitsPerPixel == 16; }

// Copies a tile to (x, y) of the map: row by row between 16-bit DIBs.
void PlaceTile(const DrawWindowRecord* tile, DrawWindowRecord* map, int x, int y) {
    if (!IsDib16(tile) || !IsDib16(map)) {
        CopyRectangle(tile, map, XywhRect{0, 0, tile->right, tile->bottom}, x, y, 0);
        return;
    }
    int width = std::min(tile->right, map->right - x), rows = std::min(tile->bottom, map->bottom - y);
    for (int k = 0; k < rows; ++k)
        std::memcpy(DibPixelAddress(*map, x, y + k), DibPixelAddress(*tile, 0, k), static_cast<size_t>(width) * 2);
}

// The 960 x 960 map from its nine tiles; null when the surface cannot be made.
DrawWindowRecord* AssembleTiles() {
    DrawWindowRecord* map = surfaceMaker(kLargeMap, kLargeMap, 16);
    if (!map) return nullptr;
    for (int k = 0; k < 9; ++k) {
        DrawWindowRecord* tile = LoadBitmapResource16(kFirstTile + k);
        if (tile) PlaceTile(tile, map, kTileSize * (k % 3), kTileSize * (k / 3));
        DeleteOffscreenWindow(tile);
    }
    return map;
}

void DarkenSpan(DrawWindowRecord* map, int y, int from, int to) {
    from = std::max(from, 0);
    to = std::min(to, static_cast<int>(map->right));
    if (from >= to) return;
    uint8_t* p = DibPixelAddress(*map, from, y);
    for (int x = from; x < to; ++x, p += 2) WritePixel16(p, DarkenMoonMapPixel(ReadPixel16(p)));
}

void BlackPixel(DrawWindowRecord* map, int x, int y) {
    if (x >= 0 && x < map->right) WritePixel16(DibPixelAddress(*map, x, y), 0);
}

}  // namespace

int MoonMapSize(int sizeMode) { return sizeMode == 1 ? kSmallMap : kLargeMap; }

uint16_t DarkenMoonMapPixel(uint16_t pixel) {
    auto field = [pixel](int shift) { return std::max(((pixel >> shift) & 31) - 5, 0) << shift; };
    return static_cast<uint16_t>(field(10) | field(5) | field(0));
}

void ShadeMoonMap(DrawWindowRecord* map, double colongitude, double latitude) {
    if (!IsDib16(map)) return;
    const int size = map->right, radius = size / 2;
    if (radius < 1) return;
    const double a = radius * std::sin(colongitude * kDegree) * std::cos(latitude * kDegree);
    const bool eveningSide = colongitude > 90.0 && colongitude < 270.0;
    for (int y = 0; y < std::min(size, static_cast<int>(map->bottom)); ++y) {
        double w = a * std::sin(std::acos(static_cast<double>(y - radius) / radius));
        int xT, line;
        if (eveningSide) {
            xT = static_cast<int>(radius + w);
            DarkenSpan(map, y, xT < 1 ? 0 : xT, size);
            line = xT < 1 ? size : xT;
        } else {
            xT = static_cast<int>(radius - w);
            DarkenSpan(map, y, 0, xT);
            line = xT;
        }
        BlackPixel(map, line, y);
        BlackPixel(map, line - 1, y);
    }
}

DrawWindowRecord* RenderMoonMapOffscreen(int sizeMode, int year, int month, int day, int hour, int minute, int flipX,
                                         int flipY) {
    FreeMoonMapBitmap();
    DrawWindowRecord* map = sizeMode == 1 ? LoadBitmapResource(kWholeDisc, 16) : AssembleTiles();
    if (!map) {
        ShowInformation(kNoMemory, "");
        return nullptr;
    }
    double jd = JulianDayFromDateTime(year, month, day, hour, minute, 0, currentSite.zoneMinutes);
    double sunLongitude = 0, sunLatitude = 0, colongitude = 0;
    ComputeMoonPhysicalEphemeris(jd, &sunLongitude, &sunLatitude, &colongitude);
    ShadeMoonMap(map, colongitude, sunLatitude);
    if (GetNightMode() != 0) ApplyNightFilter(map);
    moonMapBitmap = map;
    MirrorMoonMap(flipX, flipY);
    return moonMapBitmap;
}

void FreeMoonMapBitmap() {
    DeleteOffscreenWindow(moonMapBitmap);
    moonMapBitmap = nullptr;
}

void MirrorMoonMap(int flipX, int flipY) {
    if (moonMapBitmap && (flipX >= 1 || flipY >= 1)) moonMapBitmap = MirrorOffscreen(moonMapBitmap, flipX, flipY);
}

void CopyMoonMapView(const XywhRect& source, double factor) {
    if (moonMapBitmap) CopyRectangleScaled(moonMapBitmap, GetDrawWindow(), source, 0, 0, 0, factor);
}

void DrawMoonMapHeader(const std::string& line1, const std::string& line2) {
    pl::ColorRef colour = GetNightMode() != 0 ? pl::Rgb(GetSchemeColor(), 0, 0) : pl::Rgb(255, 255, 255);
    pl::ColorRef previousColour = SetTextColorRef(colour);
    bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    int font = SelectFont(GetScreenScale() > 1 ? 5 : 0);
    DrawPlainText(line1.c_str(), static_cast<int>(line1.size()), 0, 0);
    SelectFont(0);
    DrawPlainText(line2.c_str(), static_cast<int>(line2.size()), 0, ScaleY(14));
    SelectFont(font);
    SetTextTransparent(transparent);
    SetTextColorRef(previousColour);
}

void DrawMoonFeatureMarker(int x, int y, int radius, const XywhRect& view) {
    SetClip(view);
    pl::ColorRef previous = SetForeColor(pl::Rgb(255, 255, 0));
    DrawCircle(x, y, radius);
    SetForeColor(previous);
    ClipToWindow();
}

MoonMapSurfaceMaker SetMoonMapSurfaceMaker(MoonMapSurfaceMaker maker) {
    MoonMapSurfaceMaker previous = surfaceMaker;
    surfaceMaker = maker ? maker : CreateOffscreenDib;
    return previous;
}
