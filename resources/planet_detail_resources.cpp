// The planet detail form: its template (2460, 138 x 180 dialog units; the
// bottom row holds Back, the view's popups, the date and time fields and the
// clock) and the pictures of its views, drawn by generators:
//   1897  Jupiter: 29 frames of 47 x 44 pixels, 48 pixels apart: the banded
//         globe (equatorial radius 22, polar 20.5, centred at column 23, row
//         21.5 of its cell), north up, west (the way the planet turns its
//         face) to the right; frames 0..23 carry the Red Spot at the central
//         meridian angle of the middle of their time step, (f + 0.5) /
//         4.633385 - 2.481986 hours after its transit (9.927943 h a turn);
//         frames 24..28 show the side without it. Black around (transparent).
//   6008  Saturn: ten frames of 32 x 15 pixels side by side, the planet
//         (radius 6.8, centred at column 15.5, row 7) and its rings (outer
//         edge 2.27 radii) seen at the middle of each frame's band of |B|
//         (0.25, 1, 2, 3.25, 5.25, 8.5, 13, 18, 23 and 27 degrees), the north
//         face: the rings' near half crosses the planet below its centre.
//         Black around (transparent).
//   4038  a moon: a 3 x 3 light cross, black corners (transparent).
//   6006  a moon's shadow: a 3 x 3 black cross on white (transparent).
#include <algorithm>
#include <cmath>
#include <numbers>

#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kBottom = 171;
constexpr uint32_t kTextList = kHidden | pl::kNoHeader;
constexpr uint32_t kDrawnList = kHidden | pl::kNoHeader | pl::kOwnerDraw | pl::kOwnerData | pl::kSingleSelect;

constexpr ControlTemplate Trigger(int id, int x, int y, int width, uint32_t flags = 0) {
    return {kStaticControl, id, "", x, y, width, 10, flags};
}
constexpr ControlTemplate List(int id, int x, int y, int width, int height, uint32_t flags = kTextList) {
    return {kListViewControl, id, "", x, y, width, height, flags};
}
constexpr ControlTemplate Button(int id, const char* text, int x, int width, uint32_t flags = 0) {
    return {kButtonControl, id, text, x, kBottom, width, 10, flags};
}

constexpr ControlTemplate kPlanetDetail[] = {
    {kStaticControl, 8025, "Title", 0, 0, 52, 9, 0},
    Trigger(2466, 70, 1, 44),
    List(2467, 70, 11, 44, 40),
    {kButtonControl, 2469, "Inf", 124, 1, 10, 10, 0},
    Button(2461, "", 2, 10),
    Trigger(2406, 14, kBottom, 16, kHidden),
    List(2407, 14, 100, 16, 44, kDrawnList),
    Trigger(2463, 31, kBottom, 21, kHidden),
    List(2464, 31, 130, 21, 40),
    Trigger(2381, 15, kBottom, 40, kHidden),
    List(2382, 15, 110, 40, 60),
    Button(2468, "Adjust", 95, 28, kHidden),
    Trigger(2518, 15, kBottom, 34, kHidden),
    List(2519, 15, 60, 34, 110),
    Trigger(2515, 51, kBottom, 62, kHidden),
    List(2516, 51, 30, 62, 140, kDrawnList),
    Button(2408, "", 116, 10, kHidden),
    {kStaticControl, 2465, "", 53, kBottom, 40, 10, 0},
    {kStaticControl, 2459, "", 95, kBottom, 22, 10, 0},
    Button(2458, "", 126, 10),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2460, 0, 0, 138, 180, "", kPlanetDetail},
};

constexpr double kPi = std::numbers::pi;

uint32_t Shade(uint32_t rgb, double f) {
    auto c = [&](int shift) { return static_cast<uint32_t>(std::clamp(((rgb >> shift) & 0xFF) * f, 0.0, 255.0)); };
    return c(16) << 16 | c(8) << 8 | c(0);
}

// Jupiter's colour at normalised height v (-1 north .. 1 south).
uint32_t JupiterBand(double v) {
    if ((v > -0.42 && v < -0.22) || (v > 0.1 && v < 0.3)) return 0xB07850;  // north and south equatorial belts
    if (v < -0.62 || v > 0.62) return 0xB0A088;                              // polar regions
    if (v > -0.58 && v < -0.5) return 0xC09870;                              // north temperate belt
    return 0xE8DCC0;
}

constexpr int kJupiterCell = 48;
constexpr double kJupiterCx = 23, kJupiterCy = 21.5, kJupiterA = 22, kJupiterB = 20.5;
constexpr double kSpotV = 0.38;  // the Red Spot's height on the disk (22 degrees south)

void JupiterFrame(uint32_t* p, int w, int h, int frame) {
    const int left = frame * kJupiterCell;
    bool spot = frame < 24;
    double spotX = 0, spotA = 0;
    if (spot) {
        double dt = (frame + 0.5) / 4.633385 - 2.481986;
        double angle = dt * 2 * kPi / 9.927943;
        spotX = kJupiterCx + kJupiterA * std::sqrt(1 - kSpotV * kSpotV) * std::sin(angle);
        spotA = std::max(1.0, 3.5 * std::cos(angle));
    }
    const double spotY = kJupiterCy + kJupiterB * kSpotV;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < 47 && left + x < w; ++x) {
            double u = (x - kJupiterCx) / kJupiterA, v = (y - kJupiterCy) / kJupiterB;
            double r2 = u * u + v * v;
            uint32_t colour = 0;
            if (r2 <= 1) {
                colour = JupiterBand(v);
                double sx = (x - spotX) / spotA, sy = (y - spotY) / 2.2;
                if (spot && sx * sx + sy * sy <= 1) colour = 0xC04828;
                colour = Shade(colour, 0.55 + 0.45 * std::sqrt(1 - r2));
                if (colour == 0) colour = 0x010101;
            }
            p[y * w + left + x] = colour;
        }
}

void JupiterStrip(uint32_t* p, int w, int h) {
    std::fill(p, p + w * h, 0u);
    for (int f = 0; f < 29; ++f) JupiterFrame(p, w, h, f);
}

constexpr int kSaturnCell = 32;
constexpr double kSaturnCx = 15.5, kSaturnCy = 7, kSaturnR = 6.8;
constexpr double kRingOuter = 2.27, kRingInner = 1.5, kCassini = 1.95;
constexpr double kBandMiddles[10] = {0.25, 1, 2, 3.25, 5.25, 8.5, 13, 18, 23, 27};

// The ring's colour at (u, v) in planet radii, 0 when not on the ring.
uint32_t RingAt(double u, double v, double sinB) {
    double depth = v / std::max(sinB, 0.02);  // the ring plane's radial coordinate along the line of sight
    double rho = std::hypot(u, depth);
    if (rho > kRingOuter || rho < kRingInner) return 0;
    return std::fabs(rho - kCassini) < 0.06 ? 0x605040 : 0xC8B48C;
}

void SaturnFrame(uint32_t* p, int w, int h, int frame) {
    const double sinB = std::sin(kBandMiddles[frame] * kPi / 180);
    const int left = frame * kSaturnCell;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < kSaturnCell; ++x) {
            double u = (x - kSaturnCx) / kSaturnR, v = (y - kSaturnCy) / kSaturnR;
            uint32_t ring = RingAt(u, v, sinB);
            bool planet = u * u + (v / 0.9) * (v / 0.9) <= 1;
            uint32_t colour = 0;
            if (planet && !(ring && v > 0)) colour = std::fabs(v + 0.25) < 0.12 ? 0xC0A060 : 0xE0C890;
            else if (ring) colour = ring;
            p[y * w + left + x] = colour;
        }
}

void SaturnStrip(uint32_t* p, int w, int h) {
    for (int f = 0; f < 10; ++f) SaturnFrame(p, w, h, f);
}

template <uint32_t Ink, uint32_t Around>
void Cross(uint32_t* p, int w, int h) {
    std::fill(p, p + w * h, Ink);
    p[0] = p[2] = p[6] = p[8] = Around;
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    {1897, 28 * kJupiterCell + 47, 44, {}, {}, JupiterStrip},
    {6008, 10 * kSaturnCell, 15, {}, {}, SaturnStrip},
    {4038, 3, 3, {}, {}, Cross<0xE8E8E8, 0x000000>},
    {6006, 3, 3, {}, {}, Cross<0x000000, 0xFFFFFF>},
};

}  // namespace

const pl::ResourceGroup kPlanetDetailResources = {.dialogs = kDialogs, .bitmaps = kBitmaps};
