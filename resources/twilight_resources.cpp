// The twilight graph (2410): the title, the time-base popup and the help
// button along the top, the chart's place (y 24 .. 298 pixels of the 240 x
// 320 design) left free, and in the bottom strip (y 171 of the 138 x 180
// dialog) Back, the finder, the planet popup (its list opens above the
// strip), the date field and the today button. Its own bitmap: the planet
// popup's ringed planet (5152) on white, the transparent colour.
#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kStripY = 171;
constexpr uint32_t kPopupList = kHidden | pl::kNoHeader | pl::kSingleSelect;

constexpr ControlTemplate kTwilightControls[] = {
    {kStaticControl, 8022, "Title", 0, 0, 45, 14, 0},
    {kStaticControl, 2419, "", 50, 1, 70, 11, 0},
    {kListViewControl, 2420, "", 50, 12, 70, 10, kPopupList},
    {kButtonControl, 2413, "Inf", 124, 1, 10, 10, 0},
    {kButtonControl, 2414, "", 1, kStripY, 12, 10, 0},
    {kButtonControl, 2418, "", 14, kStripY, 12, 10, 0},
    {kStaticControl, 2421, "", 28, kStripY, 12, 10, 0},
    {kListViewControl, 2422, "", 28, 100, 40, 10, kPopupList},
    {kStaticControl, 2416, "", 46, kStripY + 1, 38, 9, 0},
    {kButtonControl, 2417, "", 125, kStripY, 12, 10, 0},
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2410, 0, 0, 138, 180, "", kTwilightControls},
};

// A ringed planet: the ring's back half, the ochre globe with a darker
// belt, then the ring's front half across it.
void RingedPlanet(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(0xFFFFFF);
    c.Ellipse(10, 8, 9, 2.6, -0.35, 0x806040, 1.2);
    c.Disc(10, 8, 4.6, 0xE0B060);
    c.Line(6, 9.3, 14, 6.4, 0xB07830, 1.2);
    c.Line(1.8, 11.0, 6.2, 9.4, 0x806040, 1.2);
    c.Line(13.8, 6.6, 18.2, 5.0, 0x806040, 1.2);
    c.Line(5.5, 10.4, 14.5, 7.2, 0x806040, 1.0);
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    pl::BitmapTemplate{5152, 20, 16, {}, {}, RingedPlanet},
};

}  // namespace

const pl::ResourceGroup kTwilightResources = {.dialogs = kDialogs, .bitmaps = kBitmaps};
