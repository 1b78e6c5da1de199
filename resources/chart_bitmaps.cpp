// Bitmaps of the sky chart, drawn by generators. Every bitmap keeps its
// transparent (key) colour in its top-left pixel:
//   4109 / 4110  marker strips, 8 cells of 21 px in 2 rows (row 0 for scaled
//                screens, row 1 smaller for 96 dpi): 0 galaxy, 2 open cluster,
//                3 globular cluster, 4 other object, 5 planetary nebula,
//                7 multiple star; dark ink on white (4109), light ink on black (4110)
//   3999 / 4111  small icons, 13 cells of 18 / 29 px on black: Sun, Moon,
//                Mercury .. Pluto, Earth, comet, minor planet
//   3995         satellite, 15 x 15 on black
//   1686 / 1687  target mark, 32 x 32: red on black, black on white
//   1688 / 1689  telescope cross, 32 x 32, centred on pixel (16, 15)
//   4107 / 4108  meteor shower radiant, 11 x 11: on black, on white
//   6050..6063   Moon phases, 14 x 14 on black: 6050 new, 6051..6056 waxing,
//                6057 full, 6058..6063 waning towards new
#include <cmath>

#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kMoonLit = 0xF0F0DC;
constexpr uint32_t kMoonDark = 0x383844;
constexpr double kPi = 3.14159265358979;

// Inks of the marker symbols on one background.
struct MarkerInks {
    uint32_t galaxy, cluster, nebula, other, star;
};
constexpr MarkerInks kOnBlack{0xFF7070, 0xF0D840, 0x60E060, 0x80C0F0, 0xE0E0F0};
constexpr MarkerInks kOnWhite{0xB00000, 0x906000, 0x007000, 0x004890, 0x000080};

// Marker symbol `cell` centred at (cx, cy), k the size (1 large, about 0.55 small).
void MarkerSymbol(IconCanvas& c, int cell, double cx, double cy, double k, const MarkerInks& ink) {
    switch (cell) {
        case 0:
            c.Ellipse(cx, cy, 9.5 * k, 4.2 * k, -0.5, ink.galaxy);
            break;
        case 2:
            for (int i = 0; i < 8; ++i)
                c.Disc(cx + 8 * k * std::cos(i * kPi / 4), cy + 8 * k * std::sin(i * kPi / 4), 0.8, ink.cluster);
            break;
        case 3:
            c.Ring(cx, cy, 8.5 * k, 1.3, ink.cluster);
            c.Line(cx - 8 * k, cy, cx + 8 * k, cy, ink.cluster);
            c.Line(cx, cy - 8 * k, cx, cy + 8 * k, ink.cluster);
            break;
        case 4: {
            int half = static_cast<int>(std::lround(6 * k));
            c.Frame(static_cast<int>(cx) - half, static_cast<int>(cy) - half, 2 * half + 1, 2 * half + 1, ink.other);
            break;
        }
        case 5:
            c.Ring(cx, cy, 5 * k, 1.3, ink.nebula);
            for (int i = 0; i < 4; ++i) {
                double dx = std::cos(i * kPi / 2), dy = std::sin(i * kPi / 2);
                c.Line(cx + dx * 5 * k, cy + dy * 5 * k, cx + dx * 9 * k, cy + dy * 9 * k, ink.nebula);
            }
            break;
        case 7:
            c.Disc(cx, cy, 3 * k, ink.star);
            c.Line(cx - 9 * k, cy, cx + 9 * k, cy, ink.star);
            break;
        default:  // cells 1 and 6 are not used
            break;
    }
}

template <uint32_t Key>
void MarkerStrip(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(Key);
    const MarkerInks& ink = Key == kWhite ? kOnWhite : kOnBlack;
    for (int cell = 0; cell < 8; ++cell) {
        MarkerSymbol(c, cell, 21 * cell + 10, 10, 1.0, ink);
        MarkerSymbol(c, cell, 21 * cell + 10, 31, 0.55, ink);
    }
}

void Planet(IconCanvas& c, double cx, double cy, double r, uint32_t colour) { c.Disc(cx, cy, r, colour); }

// Small icon `cell` centred at (cx, cy) in a cell k x 18 pixels wide.
void SmallIcon(IconCanvas& c, int cell, double cx, double cy, double k) {
    switch (cell) {
        case 0:
            for (int i = 0; i < 8; ++i) {
                double a = i * kPi / 4;
                c.Line(cx + 5 * k * std::cos(a), cy + 5 * k * std::sin(a), cx + 8 * k * std::cos(a),
                       cy + 8 * k * std::sin(a), 0xF0A000, k);
            }
            Planet(c, cx, cy, 4.5 * k, 0xF8D030);
            break;
        case 1:
            c.PhaseDisc(cx, cy, 6.5 * k, 0.7, true, kMoonLit, 0x404050);
            c.Disc(cx + 1.5 * k, cy - 2 * k, 1.2 * k, 0xB0B0A8);
            break;
        case 2: Planet(c, cx, cy, 3 * k, 0xA8A8A0); break;
        case 3: Planet(c, cx, cy, 4.5 * k, 0xF0E0A8); break;
        case 4: Planet(c, cx, cy, 3.5 * k, 0xE06030); break;
        case 5:
            Planet(c, cx, cy, 7 * k, 0xE8C898);
            c.Ellipse(cx, cy - 2 * k, 7 * k, 1.0 * k, 0.0, 0xB07848);
            c.Ellipse(cx, cy + 2 * k, 7 * k, 1.0 * k, 0.0, 0xB07848);
            break;
        case 6:
            c.Ellipse(cx, cy, 8.5 * k, 3 * k, -0.3, 0xC8B078, 1.2 * k);
            Planet(c, cx, cy, 4.5 * k, 0xE8D090);
            break;
        case 7: Planet(c, cx, cy, 4 * k, 0x80E0E0); break;
        case 8: Planet(c, cx, cy, 4 * k, 0x4070F0); break;
        case 9: Planet(c, cx, cy, 2.5 * k, 0xB09070); break;
        case 10:
            Planet(c, cx, cy, 5.5 * k, 0x3070E0);
            c.Disc(cx - 1.5 * k, cy - 1 * k, 2.2 * k, 0x40A040);
            break;
        case 11:
            c.Line(cx + 3 * k, cy - 3 * k, cx - 7 * k, cy + 7 * k, 0x6888D0, 3 * k);
            Planet(c, cx + 3 * k, cy - 3 * k, 2.5 * k, 0xF0F0FF);
            break;
        case 12:
            c.Disc(cx - 1 * k, cy, 2.5 * k, 0x909080);
            c.Disc(cx + 1.5 * k, cy - 1 * k, 2 * k, 0xA0A090);
            break;
        default:
            break;
    }
}

template <int Cell>
void SmallIconStrip(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kBlack);
    for (int cell = 0; cell < 13; ++cell) SmallIcon(c, cell, Cell * cell + Cell / 2, Cell / 2, Cell / 18.0);
}

void Satellite(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kBlack);
    c.Line(1, 7, 13, 7, 0x909098);
    c.Rect(1, 4, 4, 7, 0x3060D0);
    c.Rect(10, 4, 4, 7, 0x3060D0);
    c.Rect(6, 5, 3, 5, 0xD8D8E0);
}

// The Moon as seen with north up: grey highlands, darker maria with soft
// shores, small craters, and bright Tycho with its rays. `light` scales the
// picture (1 lit, about a fifth for earthshine).
struct MoonPatch {
    double u, v, r;
};
constexpr MoonPatch kMaria[] = {
    {-0.62, -0.05, 0.30}, {-0.35, -0.45, 0.26}, {-0.45, 0.15, 0.22}, {0.16, -0.36, 0.17}, {0.32, -0.06, 0.19},
    {0.68, -0.30, 0.11},  {0.55, 0.18, 0.14},   {-0.22, 0.36, 0.16}, {-0.46, 0.38, 0.09}, {0.05, -0.62, 0.18},
};
constexpr MoonPatch kCraters[] = {
    {0.30, 0.55, 0.05}, {-0.70, 0.50, 0.06}, {0.10, 0.30, 0.04}, {0.62, 0.58, 0.05}, {-0.20, -0.78, 0.04},
    {0.45, -0.62, 0.05}, {-0.82, -0.30, 0.04}, {-0.05, 0.08, 0.03}, {0.80, 0.05, 0.04},
};

double MoonBrightness(double u, double v) {
    double g = 205 - 35 * (u * u + v * v);  // a little darker towards the limb
    double mare = 0.0;
    for (const MoonPatch& m : kMaria)
        mare = std::fmax(mare, std::fmin(1.0, (m.r - std::hypot(u - m.u, v - m.v)) / 0.05));
    g -= 75 * mare;
    for (const MoonPatch& c : kCraters) {
        double d = std::hypot(u - c.u, v - c.v);
        if (d < c.r) g += d > 0.7 * c.r ? 30 : -25;
    }
    double du = u + 0.10, dv = v - 0.70, d = std::hypot(du, dv), a = std::atan2(dv, du);
    if (d < 0.045) g += 45;
    else if (d < 0.6 && std::fabs(std::remainder(a * 7 / kPi, 1.0)) < 0.08) g += 22 * (1 - d / 0.6);
    return std::fmax(40.0, std::fmin(235.0, g));
}

void MoonPicture(uint32_t* p, int w, int h, double light) {
    double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0, R = w / 2.0 - 2.0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double u = (x - cx) / R, v = (y - cy) / R;
            uint32_t colour = kBlack;
            if (u * u + v * v <= 1.0) {
                int level = static_cast<int>(MoonBrightness(u, v) * light);
                colour = static_cast<uint32_t>(level << 16 | level << 8 | (level * 15 / 16));
            }
            p[y * w + x] = colour;
        }
}

void MoonLit(uint32_t* p, int w, int h) { MoonPicture(p, w, h, 1.0); }
void MoonDark(uint32_t* p, int w, int h) { MoonPicture(p, w, h, 0.22); }

// Four one-pixel arms from `inner` to `outer` pixels out of (cx, cy).
void Arms(IconCanvas& c, int cx, int cy, int inner, int outer, uint32_t ink) {
    int length = outer - inner + 1;
    c.Rect(cx + inner, cy, length, 1, ink);
    c.Rect(cx - outer, cy, length, 1, ink);
    c.Rect(cx, cy + inner, 1, length, ink);
    c.Rect(cx, cy - outer, 1, length, ink);
}

template <uint32_t Key, uint32_t Ink>
void TargetMark(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(Key);
    c.Ring(16, 16, 9, 1.5, Ink);
    Arms(c, 16, 16, 10, 14, Ink);
}

template <uint32_t Key, uint32_t Ink>
void ScopeCross(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(Key);
    Arms(c, 16, 15, 4, 14, Ink);
}

template <uint32_t Key, uint32_t Ink>
void MeteorShower(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(Key);
    for (int i = 0; i < 6; ++i) {
        double a = i * kPi / 3 + 0.3;
        c.Line(5 + 2.5 * std::cos(a), 5 + 2.5 * std::sin(a), 5 + 5.2 * std::cos(a), 5 + 5.2 * std::sin(a), Ink);
    }
    c.Pixel(5, 5, Ink);
}

// 6050 new, 6050 + k waxing with fraction (k + 0.5) / 7, 6057 full, 6063 - j
// waning with (j + 0.5) / 6, as the chart picks them.
template <int Id>
void MoonPhaseIcon(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kBlack);
    double f = Id == 6050 ? 0.0 : Id == 6057 ? 1.0 : Id < 6057 ? (Id - 6050 + 0.5) / 7 : (6063 - Id + 0.5) / 6;
    c.PhaseDisc((w - 1) / 2.0, (h - 1) / 2.0, w / 2.0 - 1.0, f, Id <= 6057, kMoonLit, kMoonDark);
}

constexpr pl::BitmapTemplate Sized(int id, int w, int h, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, w, h, {}, {}, generate};
}
template <int Id>
constexpr pl::BitmapTemplate Phase() {
    return Sized(Id, 14, 14, MoonPhaseIcon<Id>);
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    Sized(4109, 168, 42, MarkerStrip<kWhite>),
    Sized(4110, 168, 42, MarkerStrip<kBlack>),
    Sized(3999, 13 * 18, 18, SmallIconStrip<18>),
    Sized(4111, 13 * 29, 29, SmallIconStrip<29>),
    Sized(3995, 15, 15, Satellite),
    Sized(3993, 240, 240, MoonLit),
    Sized(3994, 240, 240, MoonDark),
    Sized(1686, 32, 32, TargetMark<kBlack, 0xFF0000>),
    Sized(1687, 32, 32, TargetMark<kWhite, kBlack>),
    Sized(1688, 32, 32, ScopeCross<kBlack, 0xFF0000>),
    Sized(1689, 32, 32, ScopeCross<kWhite, kBlack>),
    Sized(4107, 11, 11, MeteorShower<kBlack, 0xFFE080>),
    Sized(4108, 11, 11, MeteorShower<kWhite, 0x804000>),
    Phase<6050>(), Phase<6051>(), Phase<6052>(), Phase<6053>(), Phase<6054>(), Phase<6055>(), Phase<6056>(),
    Phase<6057>(), Phase<6058>(), Phase<6059>(), Phase<6060>(), Phase<6061>(), Phase<6062>(), Phase<6063>(),
};

}  // namespace

const pl::ResourceGroup kChartBitmapResources = {.bitmaps = kBitmaps};
