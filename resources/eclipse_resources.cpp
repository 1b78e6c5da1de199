// The eclipse assistant: its template (2700, 138 x 180 dialog units, the
// positions of the form's layout) and its bitmaps, drawn by generators: the
// information button 5125, the list button 2252, the map button 2725 and the
// kind icons of the eclipse rows, 4074..4076 (solar partial, annular, total)
// and 4077, 4078, 4080 (lunar penumbral, partial, total), each on white
// (pixel (0, 0), the transparent colour).
#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr ControlTemplate Field(int id, int x, int y, int width, uint32_t flags = 0) {
    return {kStaticControl, id, "", x, y, width, 10, flags};
}
constexpr ControlTemplate Button(int id, const char* text, int x, int y, int width, uint32_t flags = 0) {
    return {kButtonControl, id, text, x, y, width, 10, flags};
}

constexpr ControlTemplate kEclipseControls[] = {
    {kStaticControl, 8028, "Title", 0, 0, 45, 9, 0},
    Field(2702, 70, 1, 40),
    {kListViewControl, 2703, "", 70, 10, 60, 6, kHidden | pl::kNoHeader},
    Button(2701, "Inf", 124, 1, 10),
    {kStaticControl, 2711, "Time", 2, 15, 25, 10, 0},
    Field(2712, 32, 15, 32),
    Button(2713, "Set", 116, 15, 20),
    {kStaticControl, 2714, "Location", 1, 25, 30, 10, 0},
    Field(2716, 32, 25, 40),
    Field(2715, 76, 25, 40),
    Button(2717, "Set", 116, 25, 20),
    Button(2705, "", 2, 171, 10),
    Button(2707, "", 16, 171, 10),
    Button(2706, "", 16, 171, 10),
    Button(2724, "", 30, 171, 10),
    Button(2721, "", 30, 171, 26),
    Button(2710, "Path", 107, 171, 26, kHidden),
    Button(2719, "+", 100, 171, 10, kHidden),
    Button(2720, "-", 110, 171, 10, kHidden),
    Button(2709, "", 126, 171, 10),
    Field(2708, 108, 171, 18),
    Field(2718, 110, 171, 25, kHidden),
    {kListViewControl, 2704, "", 0, 14, 137, 71,
     pl::kOwnerDraw | pl::kOwnerData | pl::kNoHeader | pl::kSingleSelect | pl::kBorder},
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2700, 0, 0, 138, 180, "", kEclipseControls},
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kFace = 0xD8DCE8;
constexpr uint32_t kEdge = 0x505870;
constexpr uint32_t kInk = 0x203070;
constexpr uint32_t kSun = 0xF8D030;
constexpr uint32_t kShadow = 0x303038;
constexpr uint32_t kMoon = 0xD8D8C8;
constexpr uint32_t kCopper = 0xA04020;

IconCanvas Key(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kFace);
    c.Frame(0, 0, w, h, kEdge);
    return c;
}

// Information: an "i" in a blue circle.
void Information(uint32_t* p, int w, int h) {
    IconCanvas c = Key(p, w, h);
    c.Disc(9.5, 7.5, 6, 0x3060C0);
    c.Rect(9, 6, 2, 5, kWhite);
    c.Rect(9, 3, 2, 2, kWhite);
}

// List: three lines with bullets.
void ListIcon(uint32_t* p, int w, int h) {
    IconCanvas c = Key(p, w, h);
    for (int y : {4, 8, 12}) {
        c.Rect(4, y - 1, 2, 2, kInk);
        c.Rect(8, y - 1, 8, 1, kInk);
    }
}

// Map: a small world map with a dark band across it.
void MapIcon(uint32_t* p, int w, int h) {
    IconCanvas c = Key(p, w, h);
    c.Rect(2, 2, w - 4, h - 4, 0x5080C8);
    c.Ellipse(10, 6, 5, 3, 0.3, 0x60A050);
    c.Ellipse(22, 9, 6, 4, -0.2, 0x60A050);
    c.Ellipse(34, 6, 7, 3, 0.1, 0x60A050);
    c.Line(3, 12, w - 4, 4, kShadow, 2);
}

template <int Kind>
void SolarIcon(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kWhite);
    double cx = w / 2.0 - 0.5, cy = h / 2.0 - 0.5;
    if (Kind == 4) c.Disc(cx, cy, 7.5, 0xC0C8E0);
    c.Disc(cx, cy, 6, kSun);
    if (Kind == 2) c.Disc(cx + 4, cy - 3, 5.5, kShadow);
    if (Kind == 3) c.Disc(cx, cy, 4.5, kShadow);
    if (Kind == 4) c.Disc(cx, cy, 6, kShadow);
}

template <int Kind>
void LunarIcon(uint32_t* p, int w, int h) {
    IconCanvas c(p, w, h);
    c.Fill(kWhite);
    double cx = w / 2.0 - 0.5, cy = h / 2.0 - 0.5;
    c.Disc(cx, cy, 6.5, Kind == 4 ? kCopper : kMoon);
    if (Kind == 1) c.Disc(cx - 5, cy, 6, 0xA8A8A0);
    if (Kind == 2) c.Disc(cx - 7, cy + 2, 6.5, 0x603028);
    c.Ring(cx, cy, 6.5, 0.8, 0x707068);
}

constexpr pl::BitmapTemplate Sized(int id, int w, int h, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, w, h, {}, {}, generate};
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    Sized(5125, 20, 16, Information), Sized(2252, 20, 16, ListIcon), Sized(2725, 46, 16, MapIcon),
    Sized(4074, 16, 16, SolarIcon<2>), Sized(4075, 16, 16, SolarIcon<3>), Sized(4076, 16, 16, SolarIcon<4>),
    Sized(4077, 16, 16, LunarIcon<1>), Sized(4078, 16, 16, LunarIcon<2>), Sized(4080, 16, 16, LunarIcon<4>),
};

}  // namespace

const pl::ResourceGroup kEclipseResources = {.dialogs = kDialogs, .bitmaps = kBitmaps};
