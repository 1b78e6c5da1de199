// The compass chart (2830): the title and the object popup along the top, the
// help button at the top right, and in the bottom strip (y 299 of the 240 x 320
// design) Back, the finder, object information, the sky chart, the picture,
// the date and time fields and the clock, so that the rose, the altitude bar
// and the curve box stay clear. Its bitmaps, drawn by generators: the finder
// (5124 by day on white, 5134 at night) and the sky chart (5094, 5138).
#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kStripY = 171;
constexpr uint32_t kPopupList = kHidden | pl::kNoHeader | pl::kOwnerDraw | pl::kOwnerData | pl::kSingleSelect;

constexpr ControlTemplate Button(int id, int x, int y, uint32_t flags = 0) {
    return {kButtonControl, id, "", x, y, 12, 10, flags};
}
constexpr ControlTemplate Field(int id, int x, int width) {
    return {kStaticControl, id, "", x, kStripY + 1, width, 9, 0};
}

constexpr ControlTemplate kCompassControls[] = {
    {kStaticControl, 8023, "Title", 0, 0, 45, 9, 0},
    {kStaticControl, 2837, "", 54, 1, 58, 9, 0},
    {kListViewControl, 2838, "", 54, 10, 72, 100, kPopupList},
    Button(2831, 126, 1),
    Button(2832, 1, kStripY),
    Button(2833, 13, kStripY),
    Button(2840, 25, kStripY),
    Button(2842, 37, kStripY),
    Button(2841, 49, kStripY, kHidden),
    Field(2834, 61, 41),
    Field(2836, 103, 19),
    Button(2835, 126, kStripY),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2830, 0, 0, 138, 180, "", kCompassControls},
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kInk = 0x203070;
constexpr uint32_t kGlass = 0xB0D0F0;
constexpr uint32_t kStar = 0xE0B020;
constexpr uint32_t kNightRed = 0xC00000;
constexpr uint32_t kNightDim = 0x600000;

// The finder: a magnifying glass.
void Finder(IconCanvas& c, uint32_t lens, uint32_t rim, uint32_t handle) {
    c.Disc(8, 7, 5, lens);
    c.Ring(8, 7, 5.5, 1.5, rim);
    c.Line(12, 11, 17, 15, handle, 2.5);
}

void FinderDay(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kWhite);
    Finder(c, kGlass, kInk, 0x805020);
}

void FinderNight(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kBlack);
    Finder(c, kNightDim, kNightRed, kNightRed);
}

// The sky chart: four stars joined by a constellation line under an arc of the sky.
void Chart(IconCanvas& c, uint32_t line, uint32_t star) {
    const double points[][2] = {{3, 12}, {8, 6}, {13, 9}, {17, 3}};
    for (int i = 1; i < 4; ++i) c.Line(points[i - 1][0], points[i - 1][1], points[i][0], points[i][1], line, 1);
    for (const auto& pt : points) c.Disc(pt[0], pt[1], 1.8, star);
    c.Line(1, 15, 19, 15, line, 1);
}

void ChartDay(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kWhite);
    Chart(c, kInk, kStar);
}

void ChartNight(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kBlack);
    Chart(c, kNightDim, kNightRed);
}

constexpr pl::BitmapTemplate Sized(int id, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, 20, 16, {}, {}, generate};
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    Sized(5124, FinderDay), Sized(5134, FinderNight), Sized(5094, ChartDay), Sized(5138, ChartNight),
};

}  // namespace

const pl::ResourceGroup kCompassResources = {.dialogs = kDialogs, .bitmaps = kBitmaps};
