// The object information form and the ephemeris assistant, laid out for the
// 240 x 320 screen in 138 x 180 dialog units:
//   112  the catalogue tab and object popups with the identifiers button; the
//        place fields at the left, the constellation, picture button and type
//        picture at the right with the type code and the gauge under them;
//        the type name, then size, magnitude, distance and eyepiece in two
//        columns; "Rise&Set" and "Best Period" with their buttons beside the
//        24-hour bar and the year chart the form draws; the lower panel the
//        form draws; the bottom strip: back, finder, sky chart, goto, the date
//        and time fields and the clock;
//   2530 the title with the page popup and help; the table the form draws;
//        the bottom strip: back, finder, the step popup, the start date and
//        time and the clock.
// And the goto button at night (5136): the telescope in red on black.
#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kNoId = -1;
constexpr int kStripY = 171;
constexpr uint32_t kPopupList = kHidden | pl::kNoHeader | pl::kSingleSelect;
constexpr uint32_t kOwnerPopupList = kPopupList | pl::kOwnerDraw | pl::kOwnerData;

constexpr ControlTemplate Text(int id, const char* text, int x, int y, int width) {
    return {kStaticControl, id, text, x, y, width, 9, 0};
}
constexpr ControlTemplate Icon(int id, int x, int y, uint32_t flags = 0) {
    return {kButtonControl, id, "", x, y, 12, 10, flags};
}
constexpr ControlTemplate List(int id, int x, int y, int width, uint32_t flags = kPopupList) {
    return {kListViewControl, id, "", x, y, width, 10, flags};
}

constexpr ControlTemplate kObjectInfoControls[] = {
    Text(1040, "Title", 0, 0, 57),
    Icon(1132, 126, 1),
    Text(1045, "", 1, 14, 55),
    List(1103, 1, 23, 60),
    Text(1101, "", 57, 14, 64),
    List(1102, 38, 23, 98, kOwnerPopupList),
    Icon(1139, 123, 13),
    Text(kNoId, "RA", 1, 25, 12), Text(1111, "Obj. RA", 14, 25, 47),
    Text(kNoId, "Dec", 1, 33, 12), Text(1112, "Obj. Dec", 14, 33, 47),
    Text(kNoId, "Az", 1, 41, 12), Text(1115, "Obj. Az", 14, 41, 47),
    Text(kNoId, "Alt", 1, 49, 12), Text(1116, "Obj. Alt", 14, 49, 47),
    Text(1125, "", 63, 25, 20),
    Icon(1048, 86, 25, kHidden),
    Icon(1046, 112, 25),
    Text(1133, "", 75, 34, 34),
    Text(1126, "", 1, 58, 89),
    Icon(1047, 97, 57),
    Text(1140, "Size", 1, 73, 28), Text(1131, "", 30, 73, 40),
    Text(1141, "Magnitude", 71, 73, 34), Text(1127, "", 105, 73, 32),
    Text(152, "Distance", 1, 82, 28), Text(1145, "", 30, 82, 40),
    Text(1142, "Eyepiece", 71, 82, 34), Text(1128, "", 105, 82, 32),
    Text(141, "Rise&&Set", 1, 107, 37), Icon(1143, 39, 105),
    Text(139, "Best Period", 1, 115, 37), Icon(1144, 39, 115),
    Icon(1134, 1, kStripY),
    Icon(1135, 13, kStripY),
    Icon(1136, 25, kStripY),
    Icon(1137, 37, kStripY),
    Text(1108, "", 49, kStripY + 1, 40),
    Text(1109, "", 90, kStripY + 1, 28),
    Icon(1138, 126, kStripY),
};

constexpr ControlTemplate kEphemerisControls[] = {
    Text(2540, "Title", 0, 0, 72),
    Text(2541, "", 78, 1, 40),
    List(2542, 78, 10, 40),
    Icon(2538, 126, 1),
    Icon(2531, 1, kStripY),
    Icon(2539, 13, kStripY),
    Text(2532, "", 25, kStripY + 1, 20),
    {kListViewControl, 2533, "", 25, 100, 24, 70, kPopupList},
    Text(2534, "", 47, kStripY + 1, 40),
    Text(2535, "", 89, kStripY + 1, 22),
    Icon(2537, 126, kStripY),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {112, 0, 0, 138, 180, "", kObjectInfoControls},
    {2530, 0, 0, 138, 180, "", kEphemerisControls},
};

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kNightRed = 0xC00000;
constexpr uint32_t kNightDim = 0x600000;

void GotoNight(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kBlack);
    c.Line(2, 10, 12, 3, kNightRed, 3.0);
    c.Line(7, 8, 4, 15, kNightDim, 1.0);
    c.Line(7, 8, 10, 15, kNightDim, 1.0);
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    {5136, 20, 18, {}, {}, GotoNight},
};

}  // namespace

const pl::ResourceGroup kObjectInfoResources = {.dialogs = kDialogs, .bitmaps = kBitmaps};
