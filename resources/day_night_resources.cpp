// The day and night form (2423, 138 x 180 dialog units): the title and the
// information button, the map's place (y 24..144 pixels of the 240 x 320
// design) left free, four rows of read-only fields under it (site; date and
// zone with "now"; local, universal and sidereal time; equation of time and
// the Sun's declination), the panel's place (y 213..292 pixels) left free and
// the back button in the bottom strip. The labels and fields of the last two
// rows are hidden until the form shows them.
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kStaticControl;

constexpr int kNoId = -1;
constexpr int kRowA = 84, kRowB = 93, kRowC = 102, kRowD = 111;

constexpr ControlTemplate Label(int id, const char* text, int x, int y, int width, uint32_t style = 0) {
    return {kStaticControl, id, text, x, y, width, 9, style};
}
constexpr ControlTemplate Field(int id, int x, int y, int width, uint32_t style = 0) {
    return {kStaticControl, id, "", x, y, width, 9, style};
}

constexpr ControlTemplate kDayNight[] = {
    {kStaticControl, 8024, "Title", 0, 0, 60, 14, 0},
    {kButtonControl, 2425, "Inf", 124, 1, 10, 10, 0},
    Field(2433, 1, kRowA, 44), Field(2435, 47, kRowA, 44), Field(2434, 93, kRowA, 44),
    Label(kNoId, "Date", 1, kRowB, 17), Field(2426, 19, kRowB, 38),
    Label(kNoId, "GMT", 60, kRowB, 17), Field(2431, 78, kRowB, 14),
    {kButtonControl, 2432, "now", 112, kRowB, 24, 9, 0},
    Label(2438, "Time", 1, kRowC, 17, kHidden), Field(2427, 19, kRowC, 22, kHidden),
    Label(2439, "UT", 44, kRowC, 11, kHidden), Field(2428, 56, kRowC, 22, kHidden),
    Label(2440, "LST", 81, kRowC, 15, kHidden), Field(2429, 97, kRowC, 22, kHidden),
    Label(2441, "Eq of Time", 1, kRowD, 36, kHidden), Field(2436, 38, kRowD, 32, kHidden),
    Label(2442, "Sun Dec", 73, kRowD, 28, kHidden), Field(2437, 102, kRowD, 20, kHidden),
    {kButtonControl, 2424, "", 1, 171, 12, 10, 0},
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2423, 0, 0, 138, 180, "", kDayNight},
};

}  // namespace

const pl::ResourceGroup kDayNightResources = {.dialogs = kDialogs};
