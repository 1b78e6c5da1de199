// Bitmaps of the home form and the preference pages, drawn by generators: the
// 35 x 35 icons of the home form on night-blue tiles, the clock, the
// information button (green transparent), the Sun and the full and new Moon of
// the status block (its other phases are the chart's 6051..6063), and the
// chart orientation icons of preference page 4.
#include <cmath>

#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

constexpr int kIcon = 35;
constexpr uint32_t kFace = 0x18245A;
constexpr uint32_t kBorder = 0x6070A8;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kStar = 0xFFF4C0;
constexpr uint32_t kYellow = 0xF8D030;
constexpr uint32_t kGrey = 0xB8B8C0;
constexpr uint32_t kDarkGrey = 0x70707C;
constexpr uint32_t kBlack = 0x000000;
constexpr double kPi = 3.14159265358979;

void Stars(IconCanvas& c, std::initializer_list<std::pair<int, int>> points) {
    for (auto [x, y] : points) c.Pixel(x, y, kStar);
}

void Planet(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Disc(17, 17, 9, 0x4878D0);
    c.Ellipse(17, 17, 9, 3, 0.0, 0x90C0F0);
    c.Disc(14, 14, 3, 0x70A0E8);
    c.Disc(29, 7, 2.5, kGrey);
    Stars(c, {{5, 6}, {27, 27}, {6, 28}, {22, 4}});
}

void Galaxy(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Ellipse(17, 17, 13, 6, -0.5, 0x404888);
    for (double t = 0.0; t < 3.2; t += 0.05)
        for (int arm = 0; arm < 2; ++arm) {
            double r = 2.0 + 3.6 * t, a = t + arm * kPi;
            double x = r * std::cos(a), y = 0.45 * r * std::sin(a);
            c.Disc(17 + x * 0.88 + y * 0.48, 17 - x * 0.48 + y * 0.88, 1.0, 0xC8D0FF);
        }
    c.Disc(17, 17, 3, kWhite);
}

void Nebula(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Disc(14, 15, 9, 0x802850);
    c.Disc(21, 20, 8, 0xA03868);
    c.Disc(16, 20, 6, 0xD05080);
    c.Disc(19, 14, 5, 0xE880A0);
    c.Disc(18, 17, 2, kWhite);
    Stars(c, {{5, 5}, {29, 6}, {6, 29}, {29, 29}, {9, 10}});
}

void Cluster(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Disc(17, 17, 8, 0x303870);
    for (int i = 0; i < 60; ++i) {
        double r = 12.0 * std::sqrt((i * 37 % 60) / 60.0), a = i * 2.39996;
        c.Pixel(17 + static_cast<int>(std::lround(r * std::cos(a))), 17 + static_cast<int>(std::lround(r * std::sin(a))),
                i % 3 ? kStar : kWhite);
    }
    c.Disc(17, 17, 2.5, kWhite);
}

void Comet(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Line(24, 10, 5, 29, 0x3850A0, 9);
    c.Line(24, 10, 6, 27, 0x6888D0, 5);
    c.Line(24, 10, 8, 25, 0xB0C8F0, 2);
    c.Disc(25, 9, 4, kWhite);
    Stars(c, {{6, 6}, {28, 27}, {14, 5}});
}

void BrightStar(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Line(17, 4, 17, 30, kStar, 2);
    c.Line(4, 17, 30, 17, kStar, 2);
    c.Line(10, 10, 24, 24, kStar, 1);
    c.Line(24, 10, 10, 24, kStar, 1);
    c.Disc(17, 17, 4, kWhite);
}

void MoonIconTile(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Disc(17, 17, 12, 0xE0E0D0);
    c.Disc(12, 13, 2.5, kGrey);
    c.Disc(20, 22, 3, kGrey);
    c.Disc(22, 11, 1.5, kGrey);
    c.Disc(9, 17, 13, kFace);  // the dark side: a crescent lit on the right
}

void Jupiter(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Disc(17, 17, 12, 0xE8C898);
    for (int y : {10, 15, 21}) c.Ellipse(17, y, 12, 1.6, 0.0, 0xB07848);
    c.Ellipse(21, 21, 3, 1.6, 0.0, 0xC83820);
    c.Ring(17, 17, 12.5, 1.0, 0xC0A070);
}

void Saturn(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Ellipse(17, 17, 15, 5, -0.35, 0xC8B078, 2.0);
    c.Disc(17, 17, 8, 0xE8D090);
    c.Ellipse(17, 15, 8, 1.2, 0.0, 0xC8A868);
    // the ring's near side in front of the globe
    for (int x = 0; x < w; ++x)
        for (int y = 18; y < h; ++y) {
            double u = (x - 17) * std::cos(-0.35) + (y - 17) * std::sin(-0.35);
            double v = -(x - 17) * std::sin(-0.35) + (y - 17) * std::cos(-0.35);
            double e = u * u / 225.0 + v * v / 25.0, e2 = u * u / 169.0 + v * v / 9.0;
            if (e <= 1.0 && e2 >= 1.0 && v > 0) c.Pixel(x, y, 0xC8B078);
        }
}

void SolarSystem(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Ring(17, 17, 9, 1, 0x5060A0);
    c.Ring(17, 17, 14, 1, 0x5060A0);
    c.Disc(17, 17, 4, kYellow);
    c.Disc(26, 17, 2, 0x70A0F0);
    c.Disc(8, 8, 2.5, 0xE07050);
}

void SkyChart(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(0x101838, kBorder);
    const int x[] = {6, 12, 17, 23, 28, 20};
    const int y[] = {10, 8, 15, 13, 7, 25};
    for (int i = 0; i < 4; ++i) c.Line(x[i], y[i], x[i + 1], y[i + 1], 0x4070C0);
    c.Line(17, 15, 20, 25, 0x4070C0);
    for (int i = 0; i < 6; ++i) c.Disc(x[i], y[i], i % 2 ? 1.5 : 1.0, kStar);
    c.Line(3, 30, 32, 30, 0x40A040, 2);
}

void Logbook(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Rect(8, 5, 19, 25, 0xF0ECD8);
    c.Rect(8, 5, 3, 25, 0xA04030);
    for (int y = 10; y < 28; y += 4) c.Rect(13, y, 12, 1, 0x8080A0);
    c.Line(29, 8, 19, 26, kYellow, 3);
    c.Line(19, 26, 18, 28, kBlack, 1);
}

void Telescope(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Line(6, 20, 26, 8, 0xE8E8F0, 6);
    c.Line(26, 8, 29, 6, 0x9090A8, 7);
    c.Line(8, 20, 10, 22, kDarkGrey, 3);
    c.Line(16, 17, 16, 22, kGrey, 2);
    c.Line(16, 22, 9, 31, 0xC08040, 2);
    c.Line(16, 22, 23, 31, 0xC08040, 2);
    c.Line(16, 22, 16, 31, 0xC08040, 2);
}

void Camera(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Rect(5, 11, 25, 16, 0x404048);
    c.Rect(11, 8, 9, 4, 0x404048);
    c.Disc(17, 19, 6, kGrey);
    c.Disc(17, 19, 4, 0x202030);
    c.Disc(16, 18, 1.2, kWhite);
    c.Rect(25, 13, 3, 2, kYellow);
}

void Finder(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Line(20, 20, 30, 30, 0xC08040, 4);
    c.Disc(14, 14, 9, kGrey);
    c.Disc(14, 14, 7, 0x3050A0);
    c.Disc(14, 14, 1.5, kStar);
    c.Pixel(10, 11, kStar);
    c.Pixel(18, 16, kStar);
}

void Folder(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Rect(5, 9, 11, 4, 0xD8A830);
    c.Rect(5, 12, 25, 17, 0xF0C040);
    c.Rect(5, 12, 25, 1, 0xFFE090);
    c.Rect(10, 17, 15, 1, 0xC09020);
    c.Rect(10, 21, 15, 1, 0xC09020);
}

void UserObject(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Disc(13, 12, 4.5, 0xE0C0A0);
    c.Ellipse(13, 26, 8, 7, 0.0, 0x5080D0);
    c.Line(26, 6, 26, 16, kStar, 1);
    c.Line(21, 11, 31, 11, kStar, 1);
    c.Disc(26, 11, 2, kWhite);
}

void ObservingList(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Rect(7, 5, 21, 26, 0xF0F0F8);
    for (int i = 0; i < 4; ++i) {
        int y = 9 + i * 5;
        c.Line(9, y + 1, 10, y + 2, 0x20A040, 1.2);
        c.Line(10, y + 2, 13, y - 1, 0x20A040, 1.2);
        c.Rect(15, y, 10, 1, 0x505080);
    }
}

constexpr const char* kLetterM[] = {
    "##...##", "###.###", "#######", "##.#.##", "##...##", "##...##", "##...##",
};
constexpr const char* kLetterC[] = {
    ".#####.", "##...##", "##.....", "##.....", "##.....", "##...##", ".#####.",
};

void Messier(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Ellipse(17, 17, 13, 7, -0.4, 0x303A78);
    c.Glyph(kLetterM, 7, 7, 7, kWhite, 3);
}

void Caldwell(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Tile(kFace, kBorder);
    c.Ellipse(17, 17, 13, 7, 0.4, 0x303A78);
    c.Glyph(kLetterC, 7, 7, 7, kWhite, 3);
}

// The clock of the date and time: a face with hands at ten past ten.
void Clock(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kWhite);
    c.Disc(8, 8, 8, 0x2040A0);
    c.Disc(8, 8, 6.2, kWhite);
    c.Line(8, 8, 8, 3.5, kBlack, 1.5);
    c.Line(8, 8, 11.5, 9, kBlack, 1.5);
}

constexpr const char* kLetterI[] = {"##", "..", "##", "##", "##", "##"};

// The information button: a blue disc with an "i", on green (transparent).
void Information(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(0x00FF00);
    c.Disc(7.5, 7.5, 7.5, 0x1850C8);
    c.Glyph(kLetterI, 6, 7, 3, kWhite, 1);
    c.Rect(6, 9, 1, 1, kWhite);
    c.Rect(6, 12, 4, 1, kWhite);
}

void Sun(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kBlack);
    for (int i = 0; i < 8; ++i) {
        double a = i * kPi / 4;
        c.Line(8 + 4 * std::cos(a), 8 + 4 * std::sin(a), 8 + 7.5 * std::cos(a), 8 + 7.5 * std::sin(a), 0xF0A000, 1.2);
    }
    c.Disc(8, 8, 4.5, kYellow);
}

// The full and the new Moon of the status block, on black.
template <bool Full>
void MoonIcon(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kBlack);
    c.PhaseDisc((w - 1) / 2.0, (h - 1) / 2.0, w / 2.0 - 1.0, Full ? 1.0 : 0.0, true, 0xF0F0DC, 0x383844);
}

// Orientation icons: an arrow up (north) with a bar to the left (east), as
// the chart shows them for each flip mode, on white (transparent).
template <int Mode, uint32_t Colour>
void ViewIcon(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kWhite);
    bool flipY = Mode == 1 || Mode == 2, flipX = Mode == 2 || Mode == 3;
    auto X = [&](double x) { return flipX ? w - 1 - x : x; };
    auto Y = [&](double y) { return flipY ? h - 1 - y : y; };
    c.Line(X(10), Y(9), X(10), Y(1), Colour, 1.2);
    c.Line(X(10), Y(1), X(7), Y(4), Colour, 1.2);
    c.Line(X(10), Y(1), X(13), Y(4), Colour, 1.2);
    c.Line(X(10), Y(9), X(3), Y(9), Colour, 1.2);
    c.Disc(X(3), Y(9), 1.2, Colour);
}

constexpr pl::BitmapTemplate Icon(int id, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, kIcon, kIcon, {}, {}, generate};
}
constexpr pl::BitmapTemplate Sized(int id, int w, int h, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, w, h, {}, {}, generate};
}

constexpr uint32_t kDayView = 0x1040A0;
constexpr uint32_t kNightView = 0x800000;

constexpr pl::BitmapTemplate kBitmaps[] = {
    Icon(5037, Planet),         Icon(5031, Galaxy),        Icon(5035, Nebula),     Icon(5033, Cluster),
    Icon(5019, Comet),          Icon(5039, BrightStar),    Icon(5082, MoonIconTile), Icon(5101, Jupiter),
    Icon(5102, Saturn),         Icon(5106, SolarSystem),   Icon(5078, SkyChart),   Icon(5104, Logbook),
    Icon(5100, Telescope),      Icon(5114, Camera),        Icon(5105, Finder),     Icon(5065, Folder),
    Icon(5110, UserObject),     Icon(5066, ObservingList), Icon(5062, Messier),    Icon(5064, Caldwell),
    Sized(120, 17, 17, Clock),  Sized(5076, 16, 16, Information), Sized(4049, 17, 17, Sun),
    Sized(6064, 17, 17, MoonIcon<true>), Sized(6065, 17, 17, MoonIcon<false>),
    Sized(1682, 16, 11, ViewIcon<0, kDayView>),   Sized(1683, 16, 11, ViewIcon<1, kDayView>),
    Sized(1684, 16, 11, ViewIcon<2, kDayView>),   Sized(1685, 16, 11, ViewIcon<3, kDayView>),
    Sized(2008, 16, 11, ViewIcon<0, kNightView>), Sized(2009, 16, 11, ViewIcon<1, kNightView>),
    Sized(2010, 16, 11, ViewIcon<2, kNightView>), Sized(2011, 16, 11, ViewIcon<3, kNightView>),
};

}  // namespace

const pl::ResourceGroup kHomeBitmapResources = {.bitmaps = kBitmaps};
