// The sky chart (1900): a strip of popups and buttons along the top (back, views
// and settings, zoom, telescope, finder, list filter, the object list), a
// column of toggles down the right edge, and the date, tool-strip and
// information buttons at the bottom right; everything else is the chart
// picture. Its bitmaps, drawn by generators: the popup triggers 2254 (views),
// 5139 (zoom), 5070 (telescope), 5096 (list filter) and 5097 (direction), 20 x
// 18 on white; the buttons 5143 (preferences), 5121 (observer log), 1921
// (names), 1916 (drill-down), 5122 (grid), 5123 (Telrad), 5140 (distance), 5118
// (turn to the object), 5116 (RA/Dec input), 5117 (Alt/Az input), 5119 (goto)
// and 1919 (tool strip), 17 x 17 on white; and the object list's arrow 125.
// The telescope's corner picture 5084 is the scope control form's direction
// pad at rest (scope_resources.cpp).
#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr uint32_t kPopupList = kHidden | pl::kNoHeader | pl::kSingleSelect;
constexpr uint32_t kOwnerList = kPopupList | pl::kOwnerDraw | pl::kOwnerData;

constexpr ControlTemplate Button(int id, int x, int y, int w = 10, int h = 10) {
    return {kButtonControl, id, "", x, y, w, h, 0};
}
constexpr ControlTemplate Trigger(int id, int x, int y, int w = 12, int h = 11, const char* text = "") {
    return {kStaticControl, id, text, x, y, w, h, 0};
}
constexpr ControlTemplate List(int id, int x, int y, int w, uint32_t flags = kPopupList) {
    return {kListViewControl, id, "", x, y, w, 10, flags};
}

constexpr ControlTemplate kChartControls[] = {
    Button(1899, 1, 0),
    Trigger(1913, 13, 0),
    List(1914, 13, 12, 70),
    Trigger(1902, 26, 0),
    List(1903, 26, 12, 30),
    Trigger(1911, 39, 0),
    List(1912, 39, 12, 70),
    Button(1880, 52, 0, 10, 11),
    Trigger(1908, 65, 1),
    List(1909, 65, 12, 60),
    Trigger(1906, 77, 1, 60, 10, "Obj"),
    List(1907, 77, 12, 80, kOwnerList),
    Button(1872, 126, 12, 11, 10),
    Trigger(1893, 126, 24),
    List(1877, 126, 24, 17, kOwnerList),
    Button(1874, 126, 35),
    Button(1923, 126, 46),
    Button(1915, 126, 57),
    Button(1887, 126, 68),
    Button(1881, 126, 80),
    Button(1894, 126, 91),
    Button(1891, 126, 102),
    Trigger(1886, 126, 113),
    List(5099, 126, 113, 20),
    Button(1889, 126, 124),
    Button(1890, 126, 135),
    Button(1892, 126, 146),
    Button(1875, 126, 172),
    Button(1918, 114, 172, 11, 10),
    Button(1873, 102, 172),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {1900, 0, 0, 138, 180, "", kChartControls},
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kInk = 0x203070;
constexpr uint32_t kStar = 0xE0B020;
constexpr uint32_t kRed = 0xD02020;
constexpr uint32_t kGreen = 0x208040;
constexpr uint32_t kGrey = 0x808890;
constexpr uint32_t kSky = 0x304890;

IconCanvas White(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kWhite);
    return c;
}

// A small down arrow at the right of a trigger, below its picture.
void TriggerArrow(IconCanvas& c) {
    const int x = c.Width() - 5, y = c.Height() - 4;
    for (int i = 0; i < 3; ++i) c.Rect(x - 2 + i, y + i, 5 - 2 * i, 1, kInk);
}

// Views and settings: an eye.
void ViewsTrigger(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    c.Ellipse(8, 8, 7, 4, 0, kInk, 1.2);
    c.Disc(8, 8, 2.6, kSky);
    c.Disc(8, 8, 1.1, kInk);
    TriggerArrow(c);
}

// Zoom: a magnifying glass with a plus.
void ZoomTrigger(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    c.Ring(7, 7, 5.5, 1.4, kInk);
    c.Line(11, 11, 15, 15, kInk, 2.2);
    c.Rect(4, 6, 7, 2, kInk);
    c.Rect(6, 4, 2, 7, kInk);
    TriggerArrow(c);
}

// A telescope tube on a short tripod.
void Telescope(IconCanvas& c, uint32_t tube) {
    c.Line(2, 10, 12, 3, tube, 3.0);
    c.Line(7, 8, 4, 15, kGrey, 1.0);
    c.Line(7, 8, 10, 15, kGrey, 1.0);
}

void TelescopeTrigger(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    Telescope(c, kInk);
    TriggerArrow(c);
}

// List filter: a funnel.
void FilterTrigger(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    for (int i = 0; i < 6; ++i) c.Rect(2 + i, 3 + i, 13 - 2 * i, 1, kInk);
    c.Rect(7, 9, 3, 6, kInk);
    TriggerArrow(c);
}

// Direction: a compass needle, north in red.
void DirectionTrigger(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    c.Ring(8, 8.5, 7, 1, kInk);
    c.Line(8, 2.5, 8, 8.5, kRed, 2.0);
    c.Line(8, 8.5, 8, 14.5, kInk, 2.0);
    TriggerArrow(c);
}

// Preferences: three sliders.
void PreferencesButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    const int knobs[] = {5, 11, 7};
    for (int i = 0; i < 3; ++i) {
        const int y = 4 + 5 * i;
        c.Rect(2, y, 13, 1, kGrey);
        c.Rect(knobs[i] - 1, y - 2, 3, 5, kInk);
    }
}

// Observer log: a page with lines and a pencil.
void LogButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    c.Frame(2, 1, 11, 15, kInk);
    for (int y : {4, 7, 10}) c.Rect(4, y, 7, 1, kGrey);
    c.Line(9, 15, 15, 8, kRed, 1.8);
}

// Object names: "Ab".
void NamesButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    constexpr const char* kA[] = {" ## ", "#  #", "#  #", "####", "#  #", "#  #"};
    constexpr const char* kB[] = {"### ", "#  #", "### ", "#  #", "#  #", "### "};
    c.Glyph(kA, 6, 2, 5, kInk);
    c.Glyph(kB, 6, 9, 5, kInk);
}

// Drill-down: a galaxy with a small plus.
void DrilldownButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    c.Ellipse(7, 9, 6, 2.5, -0.5, kSky);
    c.Disc(7, 9, 1.5, kStar);
    c.Rect(11, 3, 5, 1, kGreen);
    c.Rect(13, 1, 1, 5, kGreen);
}

// Grid: two curved meridians and two parallels.
void GridButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    c.Ring(8.5, 8.5, 7.5, 1, kInk);
    c.Ellipse(8.5, 8.5, 3, 7.5, 0, kInk, 1);
    c.Rect(1, 5, 16, 1, kInk);
    c.Rect(1, 11, 16, 1, kInk);
}

// Telrad: three rings.
void TelradButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    c.Ring(8.5, 8.5, 8, 1, kRed);
    c.Ring(8.5, 8.5, 5, 1, kRed);
    c.Ring(8.5, 8.5, 2, 1, kRed);
}

// Distance: two stars joined by a dashed arc.
void DistanceButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    for (int i = 0; i < 5; ++i) c.Rect(4 + 2 * i, 10 - (i == 2 ? 2 : i % 4 == 0 ? 0 : 1), 1, 1, kInk);
    c.Disc(3, 12, 2, kStar);
    c.Disc(14, 12, 2, kStar);
    c.Line(3, 4, 14, 4, kGrey, 1);
}

// Turn toward the object: an arrow bending up to a star.
void TurnButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    c.Line(3, 15, 3, 8, kInk, 1.5);
    c.Line(3, 8, 9, 4, kInk, 1.5);
    c.Line(9, 4, 6, 3, kInk, 1.5);
    c.Line(9, 4, 8, 7, kInk, 1.5);
    c.Disc(13, 3, 2.2, kStar);
}

// Position input: the letters of its two coordinates above an entry line.
void InputButton(IconCanvas& c, const char* const* first, const char* const* second) {
    c.Glyph(first, 5, 2, 4, kInk);
    c.Glyph(second, 5, 9, 4, kInk);
    c.Rect(1, 13, 15, 1, kGrey);
}

void RaDecButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    constexpr const char* kR[] = {"### ", "#  #", "### ", "# # ", "#  #"};
    constexpr const char* kD[] = {"### ", "#  #", "#  #", "#  #", "### "};
    InputButton(c, kR, kD);
}

void AltAzButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    constexpr const char* kH[] = {"#  #", "#  #", "####", "#  #", "#  #"};
    constexpr const char* kA[] = {" ## ", "#  #", "####", "#  #", "#  #"};
    InputButton(c, kH, kA);
}

// Goto: a telescope and a green arrow.
void GotoButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    Telescope(c, kInk);
    c.Line(11, 12, 16, 7, kGreen, 1.6);
    c.Rect(13, 7, 4, 1, kGreen);
    c.Rect(16, 7, 1, 4, kGreen);
}

// Tool strip: a column of small squares with an arrow beside it.
void ToolStripButton(uint32_t* p, int w, int h) {
    IconCanvas c = White(p, w, h);
    for (int y : {2, 7, 12}) c.Rect(11, y, 4, 4, kInk);
    c.Line(2, 8.5, 8, 8.5, kGrey, 1.5);
    c.Line(5, 5.5, 8, 8.5, kGrey, 1.5);
    c.Line(5, 11.5, 8, 8.5, kGrey, 1.5);
}

// The object list's arrow: as the popup arrow, in the chart's blue.
constexpr const char* kListArrowRows[] = {
    "         ", "         ", "#########", " ####### ", "  #####  ",
    "   ###   ", "    #    ", "         ", "         ", "         ",
};
constexpr pl::PaletteEntry kListArrowPalette[] = {{' ', 0xFFFFFF}, {'#', kSky}};

constexpr int kTriggerWidth = 20, kTriggerHeight = 18, kButton = 17;

constexpr pl::BitmapTemplate Trigger(int id, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, kTriggerWidth, kTriggerHeight, {}, {}, generate};
}
constexpr pl::BitmapTemplate Icon(int id, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, kButton, kButton, {}, {}, generate};
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    Trigger(2254, ViewsTrigger),   Trigger(5139, ZoomTrigger),     Trigger(5070, TelescopeTrigger),
    Trigger(5096, FilterTrigger),  Trigger(5097, DirectionTrigger), Icon(5143, PreferencesButton),
    Icon(5121, LogButton),         Icon(1921, NamesButton),         Icon(1916, DrilldownButton),
    Icon(5122, GridButton),        Icon(5123, TelradButton),        Icon(5140, DistanceButton),
    Icon(5118, TurnButton),        Icon(5116, RaDecButton),         Icon(5117, AltAzButton),
    Icon(5119, GotoButton),        Icon(1919, ToolStripButton),
    {125, 9, 10, kListArrowRows, kListArrowPalette},
};

}  // namespace

const pl::ResourceGroup kChartFormResources = {.dialogs = kDialogs, .bitmaps = kBitmaps};
