// Bitmaps of Mars, drawn by generators from the table of markings and relief
// (mars_map_regions.cpp):
//   6012 / 6013  the map of Mars, one equirectangular 640 x 320 map cut into two
//                320 x 320 halves: north up, east longitude growing to the right,
//                6012 from -180 to 0, 6013 from 0 to 180 degrees; a map pixel
//                (x, y) covers longitude -180 + (x + 0.5) 360 / 640 and latitude
//                90 - (y + 0.5) 180 / 320. Light polar caps beyond 81 degrees
//                (kMarsCapColour, found nowhere else); no pixel is black (0 is
//                the globe's transparent value)
//   6014         the turning globe: 24 frames of 22 x 20 side by side, frame k
//                the map on a 10-pixel globe centred at (10, 10) of its cell with
//                central meridian 15 k (the texture longitude -15 k at the centre,
//                east to the right, as the globe drawing shows it); black around
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "resources/mars_bitmaps.h"
#include "resources/mars_map_regions.h"
#include "resources/program_resources.h"

namespace {

constexpr int kMapWidth = 640;
constexpr int kMapHeight = 320;
constexpr double kKmPerDegree = 59.16;  // Mars's mean radius 3389.5 km
constexpr double kCapLatitude = 81.0;

struct Colour {
    double r, g, b;
};
constexpr Colour kGround{196, 112, 62};

// Smooth value noise in [-1, 1] on a lattice that wraps around in longitude.
double LatticeValue(int i, int j, int seed) {
    uint32_t h = static_cast<uint32_t>(i) * 374761393u + static_cast<uint32_t>(j) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 32767.5 - 1.0;
}
double Noise(double lon, double lat, int cells, int seed) {
    double u = (lon + 180.0) / 360.0 * cells, v = (lat + 90.0) / 180.0 * (cells / 2);
    int i = static_cast<int>(std::floor(u)), j = static_cast<int>(std::floor(v));
    double fu = u - i, fv = v - j;
    fu = fu * fu * (3 - 2 * fu);
    fv = fv * fv * (3 - 2 * fv);
    auto at = [&](int a, int b) { return LatticeValue(((a % cells) + cells) % cells, b, seed); };
    double top = at(i, j) + (at(i + 1, j) - at(i, j)) * fu;
    double bottom = at(i, j + 1) + (at(i + 1, j + 1) - at(i, j + 1)) * fu;
    return top + (bottom - top) * fv;
}

void Blend(Colour* c, const Colour& target, double weight) {
    c->r += (target.r - c->r) * weight;
    c->g += (target.g - c->g) * weight;
    c->b += (target.b - c->b) * weight;
}

// How one kind of region changes the ground at normalised distance d from its
// centre (1 at its edge): markings keep their full strength to about half
// their extent and fade out by 1.2, plains and highlands change the tone
// gently, volcanoes are bright cones with a dark foot, craters dark rims.
void Mark(Colour* c, MarsRegionKind kind, double d) {
    double t = std::min(1.0, std::max(0.0, (1.2 - d) / 0.7));
    double plateau = t * t * (3 - 2 * t);
    double cone = d < 1 ? (1 - d * d) * (1 - d * d) : 0.0;
    auto ring = [d](double at, double width) { return std::max(0.0, 1 - std::abs(d - at) / width); };
    switch (kind) {
        case kMarsDarkAlbedo: Blend(c, {104, 66, 48}, 0.75 * plateau); break;
        case kMarsBrightAlbedo: Blend(c, {224, 146, 94}, 0.2 * plateau); break;
        case kMarsPlanitia: Blend(c, {184, 106, 62}, 0.25 * plateau); break;
        case kMarsHighland: Blend(c, {208, 126, 74}, 0.2 * plateau); break;
        case kMarsMons:
            Blend(c, {232, 170, 120}, 0.6 * cone);
            Blend(c, {132, 78, 52}, 0.45 * ring(0.95, 0.2));
            break;
        case kMarsChasma: Blend(c, {96, 58, 42}, 0.8 * cone); break;
        case kMarsCrater: Blend(c, {140, 82, 54}, 0.35 * ring(0.9, 0.12)); break;
    }
}

// Normalised distance of (lon, lat) from a region: an ellipse of the region's
// extent in kilometres, a canyon ten times longer than wide, ragged edges for
// the albedo markings.
double RegionDistance(const MarsMapRegion& m, double lon, double lat) {
    double half = m.extentKm / 2 / kKmPerDegree;
    double dLon = std::remainder(lon - m.longitude, 360.0) * std::max(std::cos(m.latitude * std::numbers::pi / 180), 0.15);
    double dLat = (lat - m.latitude) * (m.kind == kMarsChasma ? 10.0 : 1.0);
    double d = std::sqrt(dLon * dLon + dLat * dLat) / half;
    if (m.kind == kMarsDarkAlbedo || m.kind == kMarsBrightAlbedo) d *= 1.0 + 0.35 * Noise(lon, lat, 48, 7);
    return d;
}

// Paints one region over the pixels of its bounding box.
void PaintRegion(std::vector<Colour>* map, const MarsMapRegion& m) {
    double halfLat = m.extentKm / 2 / kKmPerDegree * 1.6;
    double halfLon = std::min(180.0, halfLat / std::max(std::cos(m.latitude * std::numbers::pi / 180), 0.15));
    int top = std::max(0, static_cast<int>((90 - m.latitude - halfLat) * kMapHeight / 180));
    int bottom = std::min(kMapHeight - 1, static_cast<int>((90 - m.latitude + halfLat) * kMapHeight / 180));
    int left = static_cast<int>(std::floor((m.longitude - halfLon + 180) * kMapWidth / 360));
    int right = static_cast<int>(std::ceil((m.longitude + halfLon + 180) * kMapWidth / 360));
    if (right - left >= kMapWidth) left = 0, right = kMapWidth - 1;
    for (int y = top; y <= bottom; ++y) {
        double lat = 90 - (y + 0.5) * 180 / kMapHeight;
        for (int i = left; i <= right; ++i) {
            int x = ((i % kMapWidth) + kMapWidth) % kMapWidth;
            double lon = -180 + (x + 0.5) * 360 / kMapWidth;
            Mark(&(*map)[y * kMapWidth + x], m.kind, RegionDistance(m, lon, lat));
        }
    }
}

uint32_t Pack(const Colour& c) {
    auto channel = [](double v) { return static_cast<uint32_t>(std::lround(std::min(255.0, std::max(24.0, v)))); };
    return channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// The whole map, 0x00RRGGBB, made once.
const std::vector<uint32_t>& MarsMap() {
    static const std::vector<uint32_t> map = [] {
        std::vector<Colour> colours(kMapWidth * kMapHeight);
        for (int y = 0; y < kMapHeight; ++y)
            for (int x = 0; x < kMapWidth; ++x) {
                double lon = -180 + (x + 0.5) * 360 / kMapWidth, lat = 90 - (y + 0.5) * 180 / kMapHeight;
                double n = 10 * Noise(lon, lat, 24, 1) + 5 * Noise(lon, lat, 96, 2);
                colours[y * kMapWidth + x] = {kGround.r + n, kGround.g + 0.6 * n, kGround.b + 0.4 * n};
            }
        for (MarsRegionKind kind : {kMarsPlanitia, kMarsHighland, kMarsBrightAlbedo, kMarsDarkAlbedo, kMarsCrater,
                                    kMarsChasma, kMarsMons})
            for (int k = 0; k < kMarsMapRegionCount; ++k)
                if (kMarsMapRegions[k].kind == kind) PaintRegion(&colours, kMarsMapRegions[k]);
        std::vector<uint32_t> pixels(colours.size());
        for (int y = 0; y < kMapHeight; ++y) {
            bool cap = std::abs(90 - (y + 0.5) * 180 / kMapHeight) >= kCapLatitude;
            for (int x = 0; x < kMapWidth; ++x)
                pixels[y * kMapWidth + x] = cap ? kMarsCapColour : Pack(colours[y * kMapWidth + x]);
        }
        return pixels;
    }();
    return map;
}

// Half `Half` (0 west, 1 east) of the map.
template <int Half>
void MapHalf(uint32_t* p, int w, int h) {
    const std::vector<uint32_t>& map = MarsMap();
    for (int y = 0; y < h && y < kMapHeight; ++y)
        for (int x = 0; x < w && x < kMapWidth / 2; ++x) p[y * w + x] = map[y * kMapWidth + Half * kMapWidth / 2 + x];
}

// The map pixel under texture longitude and latitude (degrees).
uint32_t MapAt(double lon, double lat) {
    int x = static_cast<int>(std::floor((lon + 180) * kMapWidth / 360));
    int y = std::min(kMapHeight - 1, std::max(0, static_cast<int>((90 - lat) * kMapHeight / 180)));
    return MarsMap()[y * kMapWidth + ((x % kMapWidth) + kMapWidth) % kMapWidth];
}

void RotationStrip(uint32_t* p, int w, int h) {
    constexpr int kCell = 22;
    constexpr double kRadius = 10.0;
    const double rad = 180 / std::numbers::pi;
    for (int frame = 0; frame * kCell < w; ++frame)
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < kCell && frame * kCell + i < w; ++i) {
                double u = (i + 0.5 - kRadius) / kRadius, v = (kRadius - (j + 0.5)) / kRadius;
                double depth = 1 - u * u - v * v;
                uint32_t pixel = 0;
                if (depth >= 0) {
                    double lon = std::atan2(u, std::sqrt(depth)) * rad - 15.0 * frame;
                    pixel = MapAt(lon, std::asin(v) * rad);
                }
                p[j * w + frame * kCell + i] = pixel;
            }
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    {6012, 320, 320, {}, {}, MapHalf<0>},
    {6013, 320, 320, {}, {}, MapHalf<1>},
    {6014, 24 * 22, 20, {}, {}, RotationStrip},
};

}  // namespace

const pl::ResourceGroup kMarsBitmapResources = {.bitmaps = kBitmaps};
