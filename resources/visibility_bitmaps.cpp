// The difficulty gauge of the visibility model: five bars of rising height,
// as many filled as the object is easy to see (5000 "Too faint" one bar ..
// 5004 "Very easy" five), by day on white and at night (5005..5009) in red
// on black.
#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

constexpr int kWidth = 36;
constexpr int kHeight = 12;

struct GaugeColours {
    uint32_t background, filled, empty;
};
constexpr GaugeColours kDay = {0xFFFFFF, 0x2060C0, 0xC8C8C8};
constexpr GaugeColours kNight = {0x000000, 0xC00000, 0x400000};

void Gauge(uint32_t* p, int w, int h, int filled, const GaugeColours& colours) {
    IconCanvas c(p, w, h);
    c.Fill(colours.background);
    for (int bar = 0; bar < 5; ++bar) {
        const int barHeight = 4 + 2 * bar, left = 1 + 7 * bar;
        if (bar < filled) c.Rect(left, h - 1 - barHeight, 6, barHeight, colours.filled);
        else c.Frame(left, h - 1 - barHeight, 6, barHeight, colours.empty);
    }
}

template <int Filled, bool Night>
void Generate(uint32_t* p, int w, int h) {
    Gauge(p, w, h, Filled, Night ? kNight : kDay);
}

constexpr pl::BitmapTemplate Sized(int id, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, kWidth, kHeight, {}, {}, generate};
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    Sized(5000, Generate<1, false>), Sized(5001, Generate<2, false>), Sized(5002, Generate<3, false>),
    Sized(5003, Generate<4, false>), Sized(5004, Generate<5, false>), Sized(5005, Generate<1, true>),
    Sized(5006, Generate<2, true>),  Sized(5007, Generate<3, true>),  Sized(5008, Generate<4, true>),
    Sized(5009, Generate<5, true>),
};

}  // namespace

const pl::ResourceGroup kVisibilityBitmapResources = {.bitmaps = kBitmaps};
