// Bitmaps of the observing-list screens, drawn by generators:
//   2249, 2250, 2251  the criteria form's Add ("+"), Remove ("-") and New ("N")
//                     keys, 20 x 16, on the list manager's key face
//   5150              the observing list's row pictures: a picture with an
//                     arrow to the next one, 20 x 16
//   5131              the observer-log button at night: a page and a pencil in
//                     reds on black, 17 x 17
//   1943              the finder's visibility eye, red on white (its key), 16 x 10
//   4000..4009        40 x 40 pictures of the Sun, the Moon and the planets
//                     Mercury .. Pluto on a night sky, the name's initial below
//   3996              40 x 40 picture of a comet
#include <cmath>
#include <cstdint>

#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kSky = 0x0A0E24;
constexpr uint32_t kRed = 0xD02020;

void Plus(uint32_t* p, int w, int h) {
    IconCanvas c = KeyButton(p, w, h);
    c.Rect(5, 7, 10, 2, 0x208040);
    c.Rect(9, 3, 2, 10, 0x208040);
}

void Minus(uint32_t* p, int w, int h) {
    IconCanvas c = KeyButton(p, w, h);
    c.Rect(5, 7, 10, 2, kRed);
}

void New(uint32_t* p, int w, int h) {
    IconCanvas c = KeyButton(p, w, h);
    constexpr const char* kN[] = {"#...#", "##..#", "#.#.#", "#..##", "#...#"};
    c.Glyph(kN, 5, 5, 3, kKeyInk, 2);
}

// Row pictures: a small framed landscape and an arrow to the right.
void RowPictures(uint32_t* p, int w, int h) {
    IconCanvas c = KeyButton(p, w, h);
    c.Rect(3, 3, 10, 9, 0xF0F0F0);
    c.Rect(4, 4, 8, 7, 0x4878C8);
    c.Line(4, 10, 7, 6, 0x308030, 1.5);
    c.Line(7, 6, 11, 10, 0x308030, 1.5);
    c.Line(14, 8, 18, 8, kKeyInk, 1.5);
    c.Line(18, 8, 16, 6, kKeyInk, 1.2);
    c.Line(18, 8, 16, 10, kKeyInk, 1.2);
}

// The observer log at night, as the chart's log button in reds.
void LogNight(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kBlack);
    c.Frame(2, 1, 11, 15, 0xC00000);
    for (int y : {4, 7, 10}) c.Rect(4, y, 7, 1, 0x600000);
    c.Line(9, 15, 15, 8, 0xFF2020, 1.8);
}

// The visibility eye: a red eye on white.
void Eye(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kWhite);
    c.Ellipse(8, 5, 7, 3.8, 0, kRed, 1.2);
    c.Disc(8, 5, 2.4, kRed);
    c.Disc(8, 5, 0.8, kBlack);
}

// A repeatable scatter of background stars.
void Stars(IconCanvas& c, uint32_t seed) {
    for (int i = 0; i < 14; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int x = static_cast<int>((seed >> 8) % 40);
        seed = seed * 1103515245u + 12345u;
        const int y = static_cast<int>((seed >> 8) % 30);
        c.Pixel(x, y, 0x9098B0);
    }
}

// Capital letters of the initials, 3 x 5 pixels.
void Initial(IconCanvas& c, char letter) {
    struct Letter {
        char c;
        const char* rows[5];
    };
    static constexpr Letter kLetters[] = {
        {'S', {"###", "#..", "###", "..#", "###"}}, {'M', {"#.#", "###", "###", "#.#", "#.#"}},
        {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}}, {'J', {"..#", "..#", "..#", "#.#", "###"}},
        {'U', {"#.#", "#.#", "#.#", "#.#", "###"}}, {'N', {"#.#", "###", "###", "###", "#.#"}},
        {'P', {"###", "#.#", "###", "#..", "#.."}},
    };
    for (const Letter& l : kLetters)
        if (l.c == letter) c.Glyph(l.rows, 5, 18, 33, 0xE0E0E0);
}

struct Body {
    char initial;
    uint32_t colour;
    double radius;
};
constexpr Body kBodies[] = {
    {'S', 0xFFD040, 13}, {'M', 0xD8D8D0, 12}, {'M', 0xA09890, 6},  {'V', 0xF0E0B0, 9},  {'M', 0xD06030, 8},
    {'J', 0xD8B890, 13}, {'S', 0xE0C890, 8},  {'U', 0x90D8E0, 8},  {'N', 0x5078E0, 8},  {'P', 0xB0A090, 4},
};

template <int N>
void BodyPicture(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kSky);
    Stars(c, 977u * (N + 1));
    const Body& b = kBodies[N];
    c.Disc(20, 15, b.radius, b.colour);
    if (N == 1) c.PhaseDisc(20, 15, b.radius, 0.6, true, b.colour, 0x303038);
    if (N == 5) {
        c.Rect(8, 11, 25, 2, 0xA07850);
        c.Rect(8, 17, 25, 2, 0xA07850);
    }
    if (N == 6) c.Ellipse(20, 15, 16, 4.5, -0.25, 0xC8B080, 1.5);
    Initial(c, b.initial);
}

// A comet: a bright head and a tail fanning away from it.
void Comet(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kSky);
    Stars(c, 3996u);
    for (int i = 0; i < 5; ++i) c.Line(28, 10, 4 + i * 2, 30 - i, 0x7090C0 + static_cast<uint32_t>(i) * 0x080808, 2.5);
    c.Disc(28, 10, 3.5, 0xE8F0FF);
}

constexpr pl::BitmapTemplate Sized(int id, int w, int h, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, w, h, {}, {}, generate};
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    Sized(2249, 20, 16, Plus),        Sized(2250, 20, 16, Minus),       Sized(2251, 20, 16, New),
    Sized(5150, 20, 16, RowPictures), Sized(5131, 17, 17, LogNight),    Sized(1943, 16, 10, Eye),
    Sized(4000, 40, 40, BodyPicture<0>), Sized(4001, 40, 40, BodyPicture<1>), Sized(4002, 40, 40, BodyPicture<2>),
    Sized(4003, 40, 40, BodyPicture<3>), Sized(4004, 40, 40, BodyPicture<4>), Sized(4005, 40, 40, BodyPicture<5>),
    Sized(4006, 40, 40, BodyPicture<6>), Sized(4007, 40, 40, BodyPicture<7>), Sized(4008, 40, 40, BodyPicture<8>),
    Sized(4009, 40, 40, BodyPicture<9>), Sized(3996, 40, 40, Comet),
};

}  // namespace

const pl::ResourceGroup kObservingBitmapResources = {.bitmaps = kBitmaps};
