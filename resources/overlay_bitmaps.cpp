// Bitmaps of the chart's overlays, drawn by generators:
//   4103..4106   star and object icon strips, 13 columns (sizes, largest
//                first) by 7 rows (colour bands, blue to red) of 13 x 13 cells:
//                4104 colours on black, 4105 white on black (black and white,
//                and night), 4103 darker colours on white, 4106 black on white
//   1941         20 x 20 mark of an installed picture: a framed landscape, keyed
//                black in its top-left pixel
//   3000..3109   40 x 40 thumbnails of Messier 1..110: the object's kind drawn
//                on a night sky with "M n" below
//   5029         40 x 40 generic picture: a galaxy among stars
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kSky = 0x0A0E24;
constexpr double kPi = 3.14159265358979;
constexpr int kCell = 13;

// Star colours of the seven bands on a dark and on a white background.
constexpr uint32_t kOnDark[7] = {0x9BB0FF, 0xCAD7FF, 0xF8F7FF, 0xFFF4D8, 0xFFE8A0, 0xFFC070, 0xFF8A60};
constexpr uint32_t kOnLight[7] = {0x0030C0, 0x3060C0, 0x101010, 0x605000, 0x906000, 0xB05000, 0xC02000};

// Variant 0: 4103, 1: 4104, 2: 4105, 3: 4106.
template <int Variant>
void IconStrip(uint32_t* p, int w, int h) {
    const bool white = Variant == 0 || Variant == 3;
    IconCanvas c(p, w, h);
    c.Fill(white ? kWhite : kBlack);
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 13; ++column) {
            uint32_t ink = Variant == 0 ? kOnLight[row] : Variant == 1 ? kOnDark[row] : Variant == 2 ? 0xE8E8E8 : 0x101010;
            c.Disc(column * kCell + 6, row * kCell + 6, (13 - column) / 2.0, ink);
        }
}

void PictureMark(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kBlack);
    c.Rect(2, 4, 16, 13, 0xF0F0F0);
    c.Rect(4, 6, 12, 9, 0x4878C8);
    c.Disc(12.5, 8.5, 1.5, 0xFFE060);
    c.Line(4, 14, 8, 9, 0x308030, 2.0);
    c.Line(8, 9, 13, 14, 0x308030, 2.0);
}

// Digits 0-9 and "M" as 3 x 5 (M 5 x 5) pixel rows.
constexpr const char* kDigits[10][5] = {
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"}, {"###", "..#", "###", "#..", "###"},
    {"###", "..#", "###", "..#", "###"}, {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#"}, {"###", "#.#", "###", "#.#", "###"},
    {"###", "#.#", "###", "..#", "###"}};
constexpr const char* kLetterM[5] = {"#...#", "##.##", "#.#.#", "#...#", "#...#"};

void Caption(IconCanvas& c, int n) {
    char digits[4];
    int count = 0;
    for (int v = n; v > 0 || count == 0; v /= 10) digits[count++] = static_cast<char>('0' + v % 10);
    int width = 5 + 2 + 4 * count - 1;
    int x = (c.Width() - width) / 2, y = c.Height() - 7;
    c.Glyph(kLetterM, 5, x, y, 0xE0E0E0);
    x += 7;
    for (int i = count - 1; i >= 0; --i, x += 4) c.Glyph(kDigits[digits[i] - '0'], 5, x, y, 0xE0E0E0);
}

// Kinds of Messier 1..110: G galaxy, g globular, o open cluster, n nebula,
// p planetary nebula, s supernova remnant, d double star or asterism, c star cloud.
constexpr char kMessierKinds[] =
    "sggggoongg" "oggggnnogn" "ogocoopgog" "GGGooooood" "onnoooooGo" "GoggggpGGG"
    "GgGGGGoggg" "ggdGgpGngg" "GGGGGGGGGG" "GgoGGGpGGG" "GGoGGGgGGG";
static_assert(sizeof kMessierKinds == 111);

// A repeatable scatter of points for object n.
struct Scatter {
    uint32_t state;
    double Next() {
        state = state * 1103515245u + 12345u;
        return ((state >> 8) & 0xFFFF) / 65536.0;
    }
};

void Stars(IconCanvas& c, Scatter& r, int count, uint32_t colour) {
    for (int i = 0; i < count; ++i) c.Pixel(static_cast<int>(r.Next() * 40), static_cast<int>(r.Next() * 32), colour);
}

void Galaxy(IconCanvas& c, double angle) {
    c.Ellipse(20, 15, 15, 5.5, angle, 0x404860);
    c.Ellipse(20, 15, 10, 3.5, angle, 0x8088A0);
    c.Ellipse(20, 15, 4.5, 2, angle, 0xE8E0C8);
}

void Globular(IconCanvas& c, Scatter& r) {
    for (int i = 0; i < 60; ++i) {
        double a = r.Next() * 2 * kPi, d = 11 * r.Next() * r.Next();
        c.Pixel(static_cast<int>(20 + d * std::cos(a)), static_cast<int>(15 + d * std::sin(a)), 0xFFF0C0);
    }
    c.Disc(20, 15, 3.5, 0xFFF4D0);
}

void OpenCluster(IconCanvas& c, Scatter& r) {
    for (int i = 0; i < 14; ++i) c.Disc(5 + 30 * r.Next(), 3 + 25 * r.Next(), 0.8 + r.Next(), 0xD8E4FF);
}

void Nebula(IconCanvas& c, Scatter& r) {
    for (int i = 0; i < 6; ++i) c.Disc(10 + 20 * r.Next(), 7 + 16 * r.Next(), 4 + 5 * r.Next(), 0x903050);
    for (int i = 0; i < 3; ++i) c.Disc(14 + 12 * r.Next(), 10 + 10 * r.Next(), 2 + 2 * r.Next(), 0xE07090);
}

void Thumbnail(IconCanvas& c, int n) {
    Scatter r{static_cast<uint32_t>(n * 2654435761u)};
    c.Fill(kSky);
    Stars(c, r, 12, 0x9098B0);
    switch (kMessierKinds[n - 1]) {
        case 'G': Galaxy(c, n * 0.7); break;
        case 'g': Globular(c, r); break;
        case 'o': OpenCluster(c, r); break;
        case 'n': Nebula(c, r); break;
        case 'p':
            c.Ring(20, 15, 7, 2.5, 0x50D0B0);
            c.Disc(20, 15, 1, 0xFFFFFF);
            break;
        case 's':
            c.Ellipse(20, 15, 12, 8, 0.4, 0xC05030, 1.5);
            c.Line(12, 12, 27, 18, 0xE08050);
            break;
        case 'd':
            c.Disc(17, 15, 2.5, 0xFFF0C0);
            c.Disc(24, 13, 1.5, 0xC0D0FF);
            break;
        default: Stars(c, r, 150, 0xC0C8E0); break;
    }
    Caption(c, n);
}

template <int N>
void MessierThumbnail(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    Thumbnail(c, N);
}

void GenericPicture(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    Scatter r{5029};
    c.Fill(kSky);
    Stars(c, r, 30, 0xC0C8E0);
    Galaxy(c, 0.5);
}

constexpr pl::BitmapTemplate Sized(int id, int w, int h, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, w, h, {}, {}, generate};
}

template <std::size_t... I>
constexpr std::array<pl::BitmapTemplate, 6 + sizeof...(I)> Bitmaps(std::index_sequence<I...>) {
    return {Sized(4103, 173, 91, IconStrip<0>), Sized(4104, 173, 91, IconStrip<1>),
            Sized(4105, 173, 91, IconStrip<2>), Sized(4106, 173, 91, IconStrip<3>),
            Sized(1941, 20, 20, PictureMark),    Sized(5029, 40, 40, GenericPicture),
            Sized(3000 + I, 40, 40, MessierThumbnail<I + 1>)...};
}

constexpr auto kBitmaps = Bitmaps(std::make_index_sequence<110>());

}  // namespace

const pl::ResourceGroup kOverlayBitmapResources = {.bitmaps = kBitmaps};
