// Templates of the site and observing tools: the location form (1200), the
// location list (1600), the date and time form (5200), the camera control form (5300), the three
// checklist pages (2200, 2203, 2206), the CCD assistant (1550) and the observer
// log (2600), each filling the 240 x 294 form area (138 x 168 units); the
// camera's two sounds and the observer log's edit (5160) and cancel (5161)
// buttons.
#include "resources/icon_canvas.h"
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
    Label("Humidity (in %)", 1, 128, 64), Box(1207, 66, 128, 20),
    Button(1210, "Ok", 1, 152, 24), Button(1223, "Cancel", 27, 152, 26), Button(1211, "List", 55, 152, 22),
    Button(1212, "GPS", 87, 152, 22), Button(1224, "Map", 111, 152, 24),
};

// The location list: the rows under the title, the chosen place's
// coordinates and the buttons at the bottom.
constexpr ControlTemplate kLocationList[] = {
    {kStaticControl, 8010, "Title", 0, 0, 70, 14, 0},
    {kListViewControl, 1601, "", 0, 14, 137, 110,
     pl::kOwnerDraw | pl::kOwnerData | pl::kNoHeader | pl::kSingleSelect | pl::kBorder},
    Label("Latitude", 2, 127, 40), Box(1602, 44, 127, 60),
    Label("Longitude", 2, 138, 40), Box(1603, 44, 138, 60),
    Button(1605, "Ok", 1, 152, 30), Button(1606, "Cancel", 106, 152, 30),
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

constexpr ControlTemplate Heading(int id, const char* text, int y) {
    return {kStaticControl, id, text, 2, y, 100, 9, 0};
}
constexpr ControlTemplate Info(int id) { return {kButtonControl, id, "Inf", 124, 1, 10, 10, 0}; }

// The camera control form: the exposure set-up (shots, time, delay, ISO),
// the information fields, the stored settings' list, and the buttons at the
// bottom with Stop in Start's place.
constexpr ControlTemplate kCamera[] = {
    {kStaticControl, 8000, "Title", 0, 0, 56, 14, 0}, Info(5316),
    Heading(138, "Exposure Setup", 16),
    Label("Nb of Shots", 4, 27, 44), Box(5303, 50, 27, 24),
    Label("Time in Sec", 4, 37, 44), Box(5304, 50, 37, 24),
    Label("Delay in Sec", 4, 47, 44), Box(5305, 50, 47, 24),
    Label("ISO", 82, 27, 16), Box(5313, 100, 27, 34), {kListViewControl, 5314, "", 100, 36, 34, 60, kPopupList},
    Heading(139, "Informations", 59),
    Label("Date/Time", 4, 70, 40), Box(5306, 46, 70, 46), Box(5312, 94, 70, 40),
    Label("Filename", 4, 80, 40), Box(5308, 46, 80, 88),
    Label("Description", 4, 90, 42), {kStaticControl, 5309, "", 46, 90, 88, 26, kHidden},
    {kListViewControl, 5317, "", 4, 119, 130, 30, pl::kNoHeader | pl::kSingleSelect | pl::kBorder},
    Button(5315, "Ok", 2, 152, 22), Button(5301, "Start", 26, 152, 26),
    {kButtonControl, 5302, "Stop", 26, 152, 26, 12, kHidden}, Button(5318, "Clear", 54, 152, 24),
    Button(5310, "Save", 80, 152, 26), Button(5311, "Del", 108, 152, 26),
};

// Checklist pages: a heading or a check box every 10 units from y 16, the
// buttons at the bottom.
constexpr ControlTemplate Item(int id, const char* text, int y) {
    return {kCheckBoxControl, id, text, 4, y, 130, 10, 0};
}

constexpr ControlTemplate kChecklist1[] = {
    {kStaticControl, 8024, "Title", 0, 0, 70, 14, 0}, Info(1493),
    Heading(138, "Astronomical Equipment", 16),
    Item(2210, "Telescope OTA", 26), Item(2211, "Mount or Base", 36),
    Item(2212, "Assembly Hardware & Tools", 46), Item(2213, "Drive Battery", 56),
    Item(2214, "Eyepieces & Filters", 66), Item(2215, "Finderscope or Telrad", 76),
    Heading(139, "Observing Equipment", 86),
    Item(2216, "Table", 96), Item(2217, "Observing Chair", 106),
    Item(2218, "Zendavori :-), Charts, Atlas", 116), Item(2219, "Log and Pencils", 126),
    Item(2220, "Flashlight and Batteries", 136),
    Button(2201, "Ok", 2, 152, 30), Button(2202, "Next", 106, 152, 30),
};

constexpr ControlTemplate kChecklist2[] = {
    {kStaticControl, 8024, "Title", 0, 0, 70, 14, 0}, Info(1493),
    Heading(138, "Photography", 16),
    Item(2221, "Camera & Lenses, Web Cam", 26), Item(2222, "Cables and power plugs", 36),
    Item(2223, "Laptop", 46), Item(2224, "Tripod/Mount or T-Adapter", 56),
    Item(2225, "Guiding Equipment", 66), Item(2226, "Stopwatch", 76),
    Heading(139, "Creature Comforts", 86),
    Item(2227, "Water", 96), Item(2228, "Warm Beverage", 106), Item(2229, "Snack Food", 116),
    Item(2230, "Sleeping Bag and Tent", 126), Item(2231, "Warm Clothes", 136),
    Button(2204, "Prev", 2, 152, 30), Button(2205, "Next", 106, 152, 30),
};

// Page 3 ends with five boxes whose labels are fields the user types.
constexpr ControlTemplate UserBox(int id, int y) { return {kCheckBoxControl, id, "", 4, y, 12, 10, 0}; }

constexpr ControlTemplate kChecklist3[] = {
    {kStaticControl, 8024, "Title", 0, 0, 70, 14, 0}, Info(1493),
    Heading(138, "Just in Case", 16),
    Item(2232, "Cell Phone", 26), Item(2233, "Jumper Cables", 36), Item(2234, "Fully Inflated Spare Tire", 46),
    Item(2235, "Observing Buddy", 56), Item(2236, "Someone knows where you'll be", 66),
    Heading(139, "Personal Items", 76),
    UserBox(2237, 86), Box(2242, 18, 86, 116), UserBox(2238, 96), Box(2243, 18, 96, 116),
    UserBox(2239, 106), Box(2244, 18, 106, 116), UserBox(2240, 116), Box(2245, 18, 116, 116),
    UserBox(2241, 126), Box(2246, 18, 126, 116),
    Button(2207, "Prev", 2, 152, 30),
};

// The CCD assistant: the camera popup, the chip and scope fields, the
// results (Diag FOV and Pixel FOV hidden until the form shows them), Back
// and Update.
constexpr ControlTemplate Hidden(int id, const char* text, int x, int y, int width) {
    return {kStaticControl, id, text, x, y, width, 9, kHidden};
}

constexpr ControlTemplate kCcd[] = {
    {kStaticControl, 8033, "Title", 0, 0, 70, 14, 0}, Info(1494),
    Box(1551, 2, 16, 90, 10),
    {kListViewControl, 1552, "", 2, 26, 90, 130, kPopupList | pl::kOwnerDraw},
    Heading(138, "CCD Chip Information", 30),
    Label("Width in mm", 4, 40, 62), Box(1554, 70, 40, 34),
    Label("Height in mm", 4, 50, 62), Box(1555, 70, 50, 34),
    Label("Pixel Width in \xB5m", 4, 60, 62), Box(1556, 70, 60, 34),
    Label("Pixel Height in \xB5m", 4, 70, 62), Box(1557, 70, 70, 34),
    Heading(139, "CCD Scope Configuration", 83),
    Label("Scope Focal in mm", 4, 93, 62), Box(1558, 70, 93, 34),
    Heading(140, "CCD Optical Specifications", 106),
    Label("FOV", 4, 116, 40), Box(1559, 46, 116, 40), Label("x", 88, 116, 6), Box(1560, 95, 116, 40),
    Hidden(1565, "Diag FOV", 4, 126, 40), Hidden(1561, "", 46, 126, 40),
    Hidden(1566, "Pixel FOV", 4, 136, 40), Hidden(1562, "", 46, 136, 24), Hidden(1567, "''  x", 71, 136, 14),
    Hidden(1563, "", 86, 136, 24), Hidden(1568, "''", 111, 136, 8),
    Button(1553, "Back", 2, 152, 30), Button(1564, "Update", 100, 152, 36),
};

// The observer log: the list of entries with Back, New, Memo, Edit and Delete
// under it (browse), or the entry's fields (new and edit) with Cancel and Save;
// right of the popups the form draws the Moon's phase and per cent and the
// Sun's altitude (from 190 pixels across, 55 to 100 down).
constexpr ControlTemplate Bitmap(int id, int x, int y, uint32_t style = 0) {
    return {kButtonControl, id, "", x, y, 12, 10, style};
}
// A popup trigger and its hidden list of `rows` rows under it.
constexpr ControlTemplate PopupList(int list, int x, int y, int width, int rows) {
    return {kListViewControl, list, "", x, y + 10, width, 10 * rows, kPopupList};
}
constexpr ControlTemplate Caption(int id, const char* text, int x, int y, int width) {
    return {kStaticControl, id, text, x, y, width, 9, 0};
}

constexpr ControlTemplate kObserverLog[] = {
    {kStaticControl, 8030, "Title", 0, 0, 70, 14, 0}, Info(2601),
    {kListViewControl, 2608, "", 2, 16, 134, 134,
     pl::kOwnerDraw | pl::kOwnerData | pl::kNoHeader | pl::kSingleSelect | pl::kBorder},
    Bitmap(2602, 2, 154), Bitmap(2606, 18, 154), Button(2642, "Memo", 80, 153, 26), Bitmap(2605, 108, 154),
    Bitmap(2607, 124, 154),
    Caption(2637, "Date&&Time", 2, 16, 54), Box(2609, 58, 16, 40), Box(2610, 100, 16, 22),
    Bitmap(2611, 124, 15),
    Caption(2638, "Location", 2, 27, 54), Box(2615, 58, 27, 78),
    Caption(2636, "Transparency", 2, 38, 54), Box(2617, 58, 37, 48, 10), PopupList(2618, 58, 37, 48, 3),
    Caption(2635, "Seeing", 2, 49, 54), Box(2619, 58, 48, 48, 10), PopupList(2620, 58, 48, 48, 3),
    Caption(2641, "Visual Limit", 2, 60, 54), Box(2621, 58, 60, 24),
    Caption(2633, "Filter", 2, 71, 24), Box(2628, 28, 71, 40),
    Caption(2634, "Scope", 72, 71, 24), Box(2624, 98, 71, 38),
    Box(2625, 2, 81, 96, 10), PopupList(2627, 2, 81, 96, 6),
    Caption(2631, "Object/Event", 2, 93, 54), Box(2612, 58, 93, 62), Bitmap(2614, 124, 92),
    Caption(2632, "Comments", 2, 104, 38), Bitmap(2613, 41, 103),
    Box(2622, 56, 104, 40, 10), PopupList(2623, 56, 104, 40, 3),
    Box(2629, 98, 104, 38, 10), PopupList(2630, 98, 104, 38, 2),
    Box(2616, 2, 116, 134, 34),
    Bitmap(2639, 2, 154), Bitmap(2640, 124, 154),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {1200, 0, 0, 138, 168, "", kLocation}, {1600, 0, 0, 138, 168, "", kLocationList},
    {5200, 0, 0, 138, 168, "", kDateTime},
    {5300, 0, 0, 138, 168, "", kCamera},   {2200, 0, 0, 138, 168, "", kChecklist1},
    {2203, 0, 0, 138, 168, "", kChecklist2}, {2206, 0, 0, 138, 168, "", kChecklist3},
    {1550, 0, 0, 138, 168, "", kCcd},      {2600, 0, 0, 138, 168, "", kObserverLog},
};

// The camera's exposure sounds: two rising beeps as the shutter opens, two
// falling ones as it closes.
constexpr pl::ToneTemplate kStartTones[] = {{880, 70}, {0, 40}, {1320, 110}};
constexpr pl::ToneTemplate kStopTones[] = {{1320, 70}, {0, 40}, {660, 140}};
constexpr pl::SoundTemplate kSounds[] = {{"startTimer", kStartTones}, {"stopTimer", kStopTones}};

// Edit: a pencil over a line of writing.
void EditKey(uint32_t* p, int w, int h) {
    IconCanvas c = KeyButton(p, w, h);
    c.Line(4, 13, 16, 13, 0x8090B0, 1);
    c.Line(6, 11, 14, 3, 0xE0A020, 3);
    c.Line(14, 3, 15.5, 1.5, 0xD06060, 3);
    c.Line(4.5, 12.5, 6, 11, kKeyInk, 1.5);
}

// Cancel: an arrow turning back to the left.
void CancelKey(uint32_t* p, int w, int h) {
    IconCanvas c = KeyButton(p, w, h);
    c.Ring(11, 8.5, 5, 1.6, kKeyInk);
    c.Rect(4, 9, 8, 6, kKeyFace);
    c.Line(4, 8, 8, 4, kKeyInk, 1.8);
    c.Line(4, 8, 8, 11, kKeyInk, 1.8);
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    pl::BitmapTemplate{5160, 20, 16, {}, {}, EditKey},
    pl::BitmapTemplate{5161, 20, 16, {}, {}, CancelKey},
};

}  // namespace

const pl::ResourceGroup kToolsResources = {.dialogs = kDialogs, .bitmaps = kBitmaps, .sounds = kSounds};
