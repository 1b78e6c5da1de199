// Templates of the site and time tools: the location form (1200) and the date
// and time form (5200). Both fill the 240 x 294 form area (138 x 168 units).
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kCheckBoxControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kNoId = -1;
constexpr uint32_t kPopupList = kHidden | pl::kNoHeader;
constexpr uint32_t kTimeList = pl::kNoHeader | pl::kNoScroll | pl::kSingleSelect;

constexpr ControlTemplate Label(const char* text, int x, int y, int width) {
    return {kStaticControl, kNoId, text, x, y, width, 9, 0};
}
constexpr ControlTemplate Box(int id, int x, int y, int width, int height = 9) {
    return {kStaticControl, id, "", x, y, width, height, 0};
}
constexpr ControlTemplate Button(int id, const char* text, int x, int y, int width) {
    return {kButtonControl, id, text, x, y, width, 12, 0};
}

// The location form: the site popup beside the title, the small world map's
// place (y 24..144 pixels) left free, the fields below it and the buttons at
// the bottom.
constexpr ControlTemplate kLocation[] = {
    {kStaticControl, 8002, "Title", 0, 0, 60, 14, 0},
    Box(1217, 62, 2, 34, 10),
    {kListViewControl, 1218, "", 62, 12, 34, 30, kPopupList},
    {kButtonControl, 1220, "Inf", 124, 1, 10, 10, 0},
    Label("Latitude", 1, 83, 34), Box(1201, 36, 83, 42), Box(1219, 80, 83, 57),
    Label("Longitude", 1, 92, 34), Box(1202, 36, 92, 42),
    {kCheckBoxControl, 1222, "DayLight", 80, 92, 57, 9, 0},
    Label("Condition", 1, 101, 34), Box(1215, 36, 101, 60),
    {kListViewControl, 1216, "", 36, 110, 60, 45, kPopupList},
    Label("Elevation (m)", 1, 110, 42), Box(1203, 44, 110, 22),
    Label("GMT (min)", 70, 110, 38), Box(1204, 109, 110, 28),
    Label("T\xB0 (\xB0" "C)", 1, 119, 42), Box(1205, 44, 119, 22),
    Label("P (mbar)", 70, 119, 38), Box(1206, 109, 119, 28),
    Label("Humidity (in %%)", 1, 128, 64), Box(1207, 66, 128, 20),
    Button(1210, "Ok", 1, 152, 24), Button(1223, "Cancel", 27, 152, 26), Button(1211, "List", 55, 152, 22),
    Button(1212, "GPS", 87, 152, 22), Button(1224, "Map", 111, 152, 24),
};

// The date and time form: the time scale, year, month and day popups under
// the title, the calendar area (0, 46 to 212, 262 pixels) on the left with
// the hour, minute and second fields and lists on its right, the Julian day
// under the calendar and the buttons at the bottom.
constexpr ControlTemplate kDateTime[] = {
    {kStaticControl, 8026, "Title", 0, 0, 80, 14, 0},
    {kButtonControl, 5201, "Inf", 124, 1, 10, 10, 0},
    Box(5233, 1, 15, 44), {kListViewControl, 5234, "", 1, 24, 44, 24, kPopupList},
    Box(5227, 46, 15, 26), {kListViewControl, 5202, "", 46, 24, 30, 80, kPopupList},
    Box(5228, 73, 15, 20), {kListViewControl, 5203, "", 73, 24, 24, 80, kPopupList},
    Box(5229, 94, 15, 20), {kListViewControl, 5204, "", 94, 24, 36, 80, kPopupList | pl::kOwnerDraw},
    Box(5215, 93, 26, 13, 8), Box(5216, 108, 26, 13, 8), Box(5238, 123, 26, 13, 8),
    {kListViewControl, 5205, "", 93, 35, 13, 110, kTimeList},
    {kListViewControl, 5230, "", 108, 35, 13, 110, kTimeList},
    {kListViewControl, 5206, "", 123, 35, 14, 110, kTimeList},
    Button(5236, "JD", 1, 121, 14), Box(5235, 17, 122, 70),
    Button(5207, "Ok", 1, 152, 30), Button(5217, "Now", 54, 152, 30), Button(5232, "Cancel", 106, 152, 30),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {1200, 0, 0, 138, 168, "", kLocation},
    {5200, 0, 0, 138, 168, "", kDateTime},
};

}  // namespace

const pl::ResourceGroup kToolsResources = {.dialogs = kDialogs};
