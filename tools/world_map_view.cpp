#include "tools/world_map_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chart/chart_marks.h"
#include "core/services.h"
#include "eclipse/eclipse_controls_view.h"
#include "platform/color.h"
#include "tools/location_form.h"
#include "tools/observer_site.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"

LocationMapState locationMap;

namespace {

constexpr int kBand = 2415;       // pixels for 360 degrees of longitude
constexpr int kHalf = 1207;       // pixels of each half, and for 180 degrees of latitude
constexpr double kPixelsPerLongitude = 6.708333333333334;
constexpr double kPixelsPerLatitude = 6.705555555555556;
constexpr double kDegreesPerColumn = 0.14906832298136646;  // 360 / 2415
constexpr double kDegreesPerRow = 0.14913007456503727;     // 180 / 1207
constexpr int kHalves[2] = {6015, 6016};
constexpr int kSmallMap = 6010;
constexpr pl::ColorRef kDaySea = pl::Rgb(153, 153, 203);
constexpr pl::ColorRef kWhite = pl::Rgb(255, 255, 255);
constexpr pl::ColorRef kCrossColour = pl::Rgb(200, 0, 0);
constexpr char kNoBuffer[] = "Can't allocate offscreen Buffer to draw map";

struct WorldMap {
    XywhRect rect;
    int offsetX = 0;
    int offsetY = 0;
    DrawWindowRecord* offscreen = nullptr;
    DrawWindowRecord* halves[2] = {nullptr, nullptr};
    int halvesNight = -1;  // the night mode the halves were coloured for
} map;

pl::ColorRef SeaColour() { return GetNightMode() != 0 ? pl::Rgb(0, 0, 0) : kDaySea; }
pl::ColorRef LandColour() {
    int night = GetNightMode();
    return night != 0 ? pl::FromPixel555(NightFilterPixel(pl::ToPixel555(kWhite), night)) : kWhite;
}

void FreeHalves() {
    for (DrawWindowRecord*& half : map.halves) {
        DeleteOffscreenWindow(half);
        half = nullptr;
    }
    map.halvesNight = -1;
}

// A map half in the scheme's two colours: its sea (the colour of its first
// pixel) becomes the sea colour, which stays transparent, every other pixel
// the land colour.
DrawWindowRecord* MakeHalf(int bitmapId) {
    DrawWindowRecord* half = LoadBitmapResource16(bitmapId);
    if (!half) return nullptr;
    const uint16_t sea = pl::ToPixel555(SeaColour()), land = pl::ToPixel555(LandColour());
    const uint16_t key = ReadPixel16(DibPixelAddress(*half, 0, 0));
    for (int y = 0; y < half->bottom; ++y)
        for (int x = 0; x < half->right; ++x) {
            uint8_t* p = DibPixelAddress(*half, x, y);
            WritePixel16(p, ReadPixel16(p) == key ? sea : land);
        }
    half->transparentColor = SeaColour();
    half->nightFilterMode = 0;
    return half;
}

bool MakeBitmaps() {
    if (!map.offscreen) {
        int width = 0, height = 0;
        GetScreenSize(&width, &height);
        map.offscreen = CreateOffscreenDib(width, height, 16);
    }
    if (map.offscreen && map.halvesNight != GetNightMode()) {
        FreeHalves();
        for (int i = 0; i < 2; ++i) map.halves[i] = MakeHalf(kHalves[i]);
        if (map.halves[0] && map.halves[1]) map.halvesNight = GetNightMode();
    }
    if (map.offscreen && map.halvesNight >= 0) return true;
    ShowInformation(kNoBuffer, "");
    return false;
}

void FillOffscreen(const XywhRect& rect, pl::ColorRef colour) {
    const uint16_t pixel = pl::ToPixel555(colour);
    const DrawWindowRecord& r = *map.offscreen;
    for (int y = 0; y < std::min(rect.height, static_cast<int>(r.bottom)); ++y)
        for (int x = std::max(rect.x, 0); x < std::min(rect.x + rect.width, static_cast<int>(r.right)); ++x)
            WritePixel16(DibPixelAddress(r, x, y), pixel);
}

// A half with its top-left corner at (x, y) of the offscreen bitmap, clipped.
void PlaceHalf(const DrawWindowRecord* half, int x, int y) {
    int sx = std::max(0, -x), sy = std::max(0, -y);
    if (sx >= half->right || sy >= half->bottom) return;
    BlitDibTransparent(half, map.offscreen, XywhRect{sx, sy, half->right - sx, half->bottom - sy}, x + sx, y + sy);
}

// Wraps the horizontal offset into the band (0..2414: where the western half
// starts) and places the halves there and one band to the left, so that the
// picture depends only on the offset modulo the band.
void PlaceHalves() {
    const int west = (map.offsetX % kBand + kBand) % kBand;
    map.offsetX = west;
    for (int start : {west, west - kBand}) {
        PlaceHalf(map.halves[0], start, map.offsetY);
        PlaceHalf(map.halves[1], start + kHalf, map.offsetY);
    }
}

// The point of the large map under form pixel (x, y).
void WorldMapPlace(int x, int y, double* longitude, double* latitude) {
    *longitude = 180 - (x - map.offsetX) * kDegreesPerColumn;
    if (*longitude > 180) *longitude -= 360;
    *latitude = 90 - (y - ScaleY(24) - map.offsetY) * kDegreesPerRow;
}

// The form pixel of a place on the large map as it is drawn: the column of
// the band copy that falls on the map's rectangle.
void WorldMapPixel(double longitude, double latitude, int* x, int* y) {
    const int column = static_cast<int>(std::lround((180 - longitude) / kDegreesPerColumn));
    *x = map.offsetX + column;
    if (*x >= map.rect.x + map.rect.width) *x -= kBand;
    *y = ScaleY(24) + map.offsetY + static_cast<int>(std::lround((90 - latitude) / kDegreesPerRow));
}

// A place's coordinates at the map's top left and the target mark at (x, y).
void DrawPlace(double longitude, double latitude, int x, int y) {
    int previousFont = GetScreenScale() > 1 ? SelectFont(4) : -1;
    UseSchemeTextColours();
    const int textX = map.rect.x + ScaleX(2), textY = map.rect.y + ScaleY(1);
    DrawCoordWithHemisphere(longitude, 'W', 'E', textX, textY);
    DrawCoordWithHemisphere(latitude, 'N', 'S', textX + ScaleX(75), textY);
    if (previousFont >= 0) SelectFont(previousFont);
    DrawTargetMark(x, y);
    locationMap.markX = x;
    locationMap.markY = y;
}

}  // namespace

void SetWorldMapRect(const XywhRect& rect) { map.rect = rect; }
const XywhRect& GetWorldMapRect() { return map.rect; }

bool DrawWorldMap(const XywhRect& rect, double longitude, double latitude) {
    if (!MakeBitmaps()) return false;
    if (locationMap.mapRecentre) {
        map.offsetX = rect.x + rect.width / 2 - static_cast<int>((180 - longitude) * kPixelsPerLongitude);
        map.offsetY = rect.height / 2 - static_cast<int>((90 - latitude) * kPixelsPerLatitude);
        locationMap.mapRecentre = 0;
    }
    FillOffscreen(rect, SeaColour());
    map.offsetY = std::max(std::min(map.offsetY, 0), rect.height - kHalf);
    PlaceHalves();
    CopyRectangle(map.offscreen, GetDrawWindow(), XywhRect{rect.x, 0, rect.width, rect.height}, rect.x, rect.y, 0);
    return true;
}

void PickOnWorldMap(int x, int y) {
    double longitude, latitude;
    WorldMapPlace(x, y, &longitude, &latitude);
    if (!DrawWorldMap(map.rect, longitude, latitude)) return;
    DrawPlace(longitude, latitude, x, y);
    ShowCoordinate(kLatitudeField, latitude, 'N', 'S');
    ShowCoordinate(kLongitudeField, longitude, 'W', 'E');
    char text[16];
    std::snprintf(text, sizeof text, "%d", ZoneMinutesFromLongitude(longitude));
    SetField(kZoneField, text);
    locationMap.picked = 1;
}

void ShowSiteOnWorldMap(double longitude, double latitude) {
    locationMap.picked = 0;
    if (!DrawWorldMap(map.rect, longitude, latitude)) return;
    int x = 0, y = 0;
    WorldMapPixel(longitude, latitude, &x, &y);
    DrawPlace(longitude, latitude, x, y);
}

void DragWorldMap(int dx, int dy, double longitude, double latitude) {
    map.offsetX += dx;
    map.offsetY += dy;
    DrawWorldMap(map.rect, longitude, latitude);
}

void FreeWorldMap() {
    DeleteOffscreenWindow(map.offscreen);
    map.offscreen = nullptr;
    FreeHalves();
}

bool SmallWorldMapShown() {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    return height / displayScale.scaleY > 260;
}

void DrawSmallWorldMap(double longitude, double latitude) {
    DrawBitmap(kSmallMap, 0, ScaleY(24));
    const int x = ScaleX(120 - longitude * 120 / 180), y = ScaleY(84 - latitude * 60 / 90);
    const int dx = ScaleX(4), dy = ScaleY(4);
    pl::ColorRef previous = GetForeColorRef();
    DrawLineColor(x - dx, y, x + dx + 1, y, kCrossColour);
    DrawLineColor(x, y - dy, x, y + dy + 1, kCrossColour);
    SetForeColor(previous);
}

bool SmallWorldMapPlace(int x, int y, double* longitude, double* latitude) {
    const double ux = x / displayScale.scaleX, uy = y / displayScale.scaleY;
    if (ux < 0 || ux > 240 || uy < 24 || uy > 144) return false;
    *longitude = -(ux - 120) * 180 / 120;
    *latitude = (84 - uy) * 90 / 60;
    return true;
}

void ResetWorldMap() {
    FreeWorldMap();
    map = WorldMap{};
    locationMap = LocationMapState{};
}
