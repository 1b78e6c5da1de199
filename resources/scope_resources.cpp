// Templates of the telescope forms: the scope control form (2400) and the
// 2-star alignment form (1300), each filling the 240 x 294 form area
// (138 x 168 units); and the direction pad of the scope control form, drawn
// by a generator: 5084 at rest, 5085 west, 5086 east, 5087 north and 5088
// south pressed (64 x 64, green transparent).
#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kNoId = -1;
constexpr uint32_t kPopupList = kHidden | pl::kNoHeader;

constexpr ControlTemplate Label(int id, const char* text, int x, int y, int width) {
    return {kStaticControl, id, text, x, y, width, 9, 0};
}
constexpr ControlTemplate Box(int id, int x, int y, int width) { return {kStaticControl, id, "", x, y, width, 9, 0}; }
constexpr ControlTemplate Button(int id, const char* text, int x, int y, int width, uint32_t style = 0) {
    return {kButtonControl, id, text, x, y, width, 12, style};
}

// The scope control form: the title, the refresh-rate popup of the encoder
// read-out under it (the panel writes its label at its left), and along the
// bottom Ok, Stop and the slew-rate popup. The position panel and the
// direction pad are drawn by the form between them.
constexpr ControlTemplate kScopeControl[] = {
    {kStaticControl, 8019, "Title", 0, 0, 60, 14, 0},
    {kStaticControl, 2305, "", 58, 16, 40, 10, kHidden},
    {kListViewControl, 2304, "", 58, 26, 40, 80, kPopupList},
    Button(2403, "Ok", 2, 152, 24),
    Button(2404, "Stop", 29, 152, 26),
    Label(138, "Slew", 68, 153, 20),
    {kStaticControl, 2401, "", 89, 152, 46, 10, 0},
    {kListViewControl, 2402, "", 89, 102, 46, 48, kPopupList},
};

// The 2-star form: the two stars side by side in two columns of fields
// (position, time of the reading, the scope's two readings), the Read
// buttons under them, the platform buttons (shown only for Encoder output)
// and Ok, Align and Clear at the bottom.
constexpr int kColumn1 = 44, kColumn2 = 92, kColumnWidth = 44;

constexpr ControlTemplate kTwoStar[] = {
    {kStaticControl, 8003, "2-StarAlignment", 0, 0, 80, 14, 0},
    Button(1323, "Inf", 124, 1, 10),
    {kStaticControl, 1301, "", 84, 3, 36, 9, kHidden},
    Button(1303, "Star 1", kColumn1, 18, kColumnWidth),
    Button(1304, "Star 2", kColumn2, 18, kColumnWidth),
    Label(kNoId, "RA", 2, 34, 40), Box(1307, kColumn1, 34, kColumnWidth), Box(1308, kColumn2, 34, kColumnWidth),
    Label(kNoId, "Dec", 2, 45, 40), Box(1309, kColumn1, 45, kColumnWidth), Box(1310, kColumn2, 45, kColumnWidth),
    Label(kNoId, "Time", 2, 59, 40), Box(1305, kColumn1, 59, kColumnWidth), Box(1306, kColumn2, 59, kColumnWidth),
    Label(1317, "Scope RA", 2, 70, 40), Box(1315, kColumn1, 70, kColumnWidth),
    Box(1316, kColumn2, 70, kColumnWidth),
    Label(1318, "Scope Dec", 2, 81, 40), Box(1313, kColumn1, 81, kColumnWidth),
    Box(1314, kColumn2, 81, kColumnWidth),
    Button(1311, "Read", kColumn1, 94, kColumnWidth), Button(1312, "Read", kColumn2, 94, kColumnWidth),
    Button(1345, "Switch On Eq PlatForm Mode", 2, 114, 134, kHidden),
    Button(1344, "Switch Off Eq PlatForm Mode", 2, 114, 134, kHidden),
    Button(1346, "Reset Eq PlatForm", 2, 130, 134, kHidden),
    Button(1319, "Ok", 2, 152, 30), Button(1321, "Align", 54, 152, 30), Button(1320, "Clear", 106, 152, 30),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2400, 0, 0, 138, 168, "", kScopeControl},
    {1300, 0, 0, 138, 168, "", kTwoStar},
};

constexpr int kPad = 64;
constexpr uint32_t kKey = 0x00FF00;
constexpr uint32_t kRim = 0x505868;
constexpr uint32_t kFace = 0xC8CCD8;
constexpr uint32_t kArrow = 0x283040;
constexpr uint32_t kPressedFace = 0x8098E8;
constexpr uint32_t kPressedArrow = 0xE02020;

// An arrow head of the pad pointing outwards: direction 0 north (up),
// 1 south, 2 east (right), 3 west (left), as the arrow keys.
void Arrow(IconCanvas& c, int direction, uint32_t colour) {
    constexpr int kDepth = 9, kTip = 6;  // rows of the head, distance of the tip from the edge
    for (int row = 0; row < kDepth; ++row) {
        const int half = row + 1, along = kTip + row;
        switch (direction) {
        case 0: c.Rect(kPad / 2 - half, along, 2 * half, 1, colour); break;
        case 1: c.Rect(kPad / 2 - half, kPad - 1 - along, 2 * half, 1, colour); break;
        case 2: c.Rect(kPad - 1 - along, kPad / 2 - half, 1, 2 * half, colour); break;
        default: c.Rect(along, kPad / 2 - half, 1, 2 * half, colour); break;
        }
    }
}

// Centre of the pressed side's highlight.
void SideCentre(int direction, double* x, double* y) {
    constexpr double kNear = 15.0, kMid = kPad / 2.0;
    const double xs[] = {kMid, kMid, kPad - kNear, kNear}, ys[] = {kNear, kPad - kNear, kMid, kMid};
    *x = xs[direction];
    *y = ys[direction];
}

// The pad: a round key with four arrows and a centre button; `pressed` (0..3,
// or -1 for none) lit and its arrow red.
void Pad(uint32_t* p, int w, int h, int pressed) {
    IconCanvas c(p, w, h);
    c.Fill(kKey);
    c.Disc(kPad / 2.0 - 0.5, kPad / 2.0 - 0.5, 31.5, kRim);
    c.Disc(kPad / 2.0 - 0.5, kPad / 2.0 - 0.5, 29.5, kFace);
    if (pressed >= 0) {
        double x, y;
        SideCentre(pressed, &x, &y);
        c.Disc(x - 0.5, y - 0.5, 12.5, kPressedFace);
    }
    c.Disc(kPad / 2.0 - 0.5, kPad / 2.0 - 0.5, 8.5, kRim);
    c.Disc(kPad / 2.0 - 0.5, kPad / 2.0 - 0.5, 6.5, kFace);
    for (int d = 0; d < 4; ++d) Arrow(c, d, d == pressed ? kPressedArrow : kArrow);
}

void PadAtRest(uint32_t* p, int w, int h) { Pad(p, w, h, -1); }
void PadWest(uint32_t* p, int w, int h) { Pad(p, w, h, 3); }
void PadEast(uint32_t* p, int w, int h) { Pad(p, w, h, 2); }
void PadNorth(uint32_t* p, int w, int h) { Pad(p, w, h, 0); }
void PadSouth(uint32_t* p, int w, int h) { Pad(p, w, h, 1); }

constexpr pl::BitmapTemplate PadBitmap(int id, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, kPad, kPad, {}, {}, generate};
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    PadBitmap(5084, PadAtRest), PadBitmap(5085, PadWest),  PadBitmap(5086, PadEast),
    PadBitmap(5087, PadNorth),  PadBitmap(5088, PadSouth),
};

}  // namespace

const pl::ResourceGroup kScopeResources = {.dialogs = kDialogs, .bitmaps = kBitmaps};
