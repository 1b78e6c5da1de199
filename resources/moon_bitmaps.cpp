// Bitmaps of the Moon map, drawn by generators from the table of maria and
// craters (moon_map_features.cpp): the near side in orthographic projection,
// north up, IAU east (the side of Mare Crisium) to the right, the disc filling
// the square, so that a feature of latitude lat and longitude lon lies at
// x = R (1 + sin lon cos lat), y = R (1 - sin lat) of a picture of size 2R.
//   6025..6033  the 960 x 960 map cut into nine 320 x 320 tiles, row by row
//               (6025 6026 6027 / 6028 6029 6030 / 6031 6032 6033), in 16 grey
//               levels
//   6036        the whole disc at 320 x 320 (each pixel the mean of the 3 x 3
//               map pixels it covers)
// Black around the disc; no pixel of the disc is black.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "resources/moon_map_features.h"
#include "resources/program_resources.h"

namespace {

constexpr int kMapSize = 960;
constexpr int kTile = 320;
constexpr double kRadius = kMapSize / 2.0;
constexpr double kMoonRadiusKm = 1737.4;
constexpr double kHighland = 178.0;
constexpr double kMare = 92.0;
constexpr double kDegree = std::numbers::pi / 180.0;

struct Vector {
    double x, y, z;  // east, north, towards the Earth
};

double Dot(const Vector& a, const Vector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector Direction(double latitude, double longitude) {
    double lat = latitude * kDegree, lon = longitude * kDegree;
    return {std::sin(lon) * std::cos(lat), std::sin(lat), std::cos(lon) * std::cos(lat)};
}

// Smooth value noise in [-1, 1] on a lattice of `cells` per unit over the
// sphere's surface point v.
double LatticeValue(int i, int j, int k, int seed) {
    uint32_t h = static_cast<uint32_t>(i) * 374761393u + static_cast<uint32_t>(j) * 668265263u +
                 static_cast<uint32_t>(k) * 3266489917u + static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 32767.5 - 1.0;
}
double Noise(const Vector& v, double cells, int seed) {
    double p[3] = {(v.x + 1) * cells, (v.y + 1) * cells, (v.z + 1) * cells};
    int c[3];
    double f[3];
    for (int a = 0; a < 3; ++a) {
        c[a] = static_cast<int>(std::floor(p[a]));
        double t = p[a] - c[a];
        f[a] = t * t * (3 - 2 * t);
    }
    double sum = 0;
    for (int corner = 0; corner < 8; ++corner) {
        double w = 1;
        int at[3];
        for (int a = 0; a < 3; ++a) {
            int bit = (corner >> a) & 1;
            at[a] = c[a] + bit;
            w *= bit ? f[a] : 1 - f[a];
        }
        sum += w * LatticeValue(at[0], at[1], at[2], seed);
    }
    return sum;
}

double Smooth(double edge0, double edge1, double x) {
    double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// How a feature changes the grey g of a point at normalised distance d from
// its centre (1 at its rim): maria darken to their ragged edge, craters have a
// darker floor, a bright rim and a faint ejecta ring, rayed craters a bright
// halo and streaks.
void Mark(double* g, const MoonMapFeature& f, double d, const Vector& point, const Vector& centre) {
    switch (f.kind) {
    case kMoonMare: {
        double ragged = d * (1.0 + 0.25 * Noise(point, 40, 3));
        *g += (kMare + 10 * Noise(point, 90, 4) - *g) * 0.9 * (1 - Smooth(0.75, 1.05, ragged));
        break;
    }
    case kMoonRayedCrater: {
        double angle = std::atan2(point.y - centre.y, point.x - centre.x);
        double streaks = std::max(0.0, Noise({std::cos(angle), std::sin(angle), 0}, 6, 9));
        *g += 60 * std::exp(-d * 0.6) * (0.3 + streaks) * Smooth(0.9, 1.3, d);
        [[fallthrough]];
    }
    case kMoonCrater: {
        if (d < 0.85) *g -= 22 * (1 - Smooth(0.55, 0.85, d));
        *g += 55 * std::max(0.0, 1 - std::abs(d - 0.95) / 0.12);
        *g += 12 * std::max(0.0, 1 - std::abs(d - 1.25) / 0.25);
        if (f.diameterKm > 60 && d < 0.12) *g += 30 * (1 - d / 0.12);
        break;
    }
    }
}

// How far (normalised) a feature's paint reaches.
double Reach(const MoonMapFeature& f) { return f.kind == kMoonRayedCrater ? 6.0 : f.kind == kMoonMare ? 1.3 : 1.6; }

void PaintFeature(std::vector<double>* grey, const MoonMapFeature& f) {
    const Vector centre = Direction(f.latitude, f.longitude);
    const double rho = f.diameterKm / 2 / kMoonRadiusKm;
    const double reach = std::min(std::numbers::pi, Reach(f) * rho);
    // The projection never lengthens a distance, so the box around the
    // projected centre holds every point within `reach`.
    int half = static_cast<int>(std::ceil(std::sin(std::min(reach, std::numbers::pi / 2)) * kRadius)) + 2;
    int cx = static_cast<int>(kRadius * (1 + centre.x)), cy = static_cast<int>(kRadius * (1 - centre.y));
    for (int j = std::max(0, cy - half); j < std::min(kMapSize, cy + half); ++j)
        for (int i = std::max(0, cx - half); i < std::min(kMapSize, cx + half); ++i) {
            double& g = (*grey)[j * kMapSize + i];
            if (g < 0) continue;
            double u = (i + 0.5 - kRadius) / kRadius, v = (kRadius - (j + 0.5)) / kRadius;
            Vector p{u, v, std::sqrt(std::max(0.0, 1 - u * u - v * v))};
            double angle = std::acos(std::clamp(Dot(p, centre), -1.0, 1.0));
            if (angle < reach) Mark(&g, f, angle / rho, p, centre);
        }
}

// The 960 x 960 map in grey 0..255, -1 off the disc; made once.
const std::vector<double>& MoonGrey() {
    static const std::vector<double> grey = [] {
        std::vector<double> g(kMapSize * kMapSize, -1.0);
        for (int j = 0; j < kMapSize; ++j)
            for (int i = 0; i < kMapSize; ++i) {
                double u = (i + 0.5 - kRadius) / kRadius, v = (kRadius - (j + 0.5)) / kRadius;
                if (u * u + v * v > 1) continue;
                Vector p{u, v, std::sqrt(1 - u * u - v * v)};
                g[j * kMapSize + i] = kHighland + 14 * Noise(p, 12, 1) + 8 * Noise(p, 70, 2);
            }
        for (MoonMapFeatureKind kind : {kMoonMare, kMoonCrater, kMoonRayedCrater})
            for (int k = 0; k < kMoonMapFeatureCount; ++k)
                if (kMoonMapFeatures[k].kind == kind) PaintFeature(&g, kMoonMapFeatures[k]);
        return g;
    }();
    return grey;
}

uint32_t GreyPixel(int level) { return static_cast<uint32_t>(level) * 0x010101u; }

// Tile `Index` (0..8, row by row) at 16 grey levels, the disc at level 1 or more.
template <int Index>
void Tile(uint32_t* p, int w, int h) {
    const std::vector<double>& grey = MoonGrey();
    const int x0 = (Index % 3) * kTile, y0 = (Index / 3) * kTile;
    for (int y = 0; y < h && y < kTile; ++y)
        for (int x = 0; x < w && x < kTile; ++x) {
            double g = grey[(y0 + y) * kMapSize + x0 + x];
            int level = g < 0 ? 0 : std::clamp(static_cast<int>(std::lround(g / 17)), 1, 15);
            p[y * w + x] = GreyPixel(level * 17);
        }
}

// The whole disc: the mean of the disc's map pixels under each pixel, at
// least 16 on the disc.
void WholeDisc(uint32_t* p, int w, int h) {
    const std::vector<double>& grey = MoonGrey();
    for (int y = 0; y < h && y < kTile; ++y)
        for (int x = 0; x < w && x < kTile; ++x) {
            double sum = 0;
            int n = 0;
            for (int j = 3 * y; j < 3 * y + 3; ++j)
                for (int i = 3 * x; i < 3 * x + 3; ++i)
                    if (double g = grey[j * kMapSize + i]; g >= 0) sum += g, ++n;
            bool onDisc = grey[(3 * y + 1) * kMapSize + 3 * x + 1] >= 0;
            p[y * w + x] = onDisc ? GreyPixel(std::clamp(static_cast<int>(std::lround(sum / n)), 16, 255)) : 0;
        }
}

constexpr pl::BitmapTemplate Map(int id, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, kTile, kTile, {}, {}, generate};
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    Map(6025, Tile<0>), Map(6026, Tile<1>), Map(6027, Tile<2>), Map(6028, Tile<3>), Map(6029, Tile<4>),
    Map(6030, Tile<5>), Map(6031, Tile<6>), Map(6032, Tile<7>), Map(6033, Tile<8>), Map(6036, WholeDisc),
};

}  // namespace

const pl::ResourceGroup kMoonBitmapResources = {.bitmaps = kBitmaps};
