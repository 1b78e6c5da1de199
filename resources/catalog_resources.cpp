// The catalogue's screens: the picture viewer (1940, no controls, the whole
// screen), the list manager (form 1050, laid out for the 240 x 320 screen in
// 138 x 186 dialog units) and the list manager's button bitmaps, drawn by
// generators: back (5074), load (5147), save (5148) and delete (1975).
#include "resources/icon_canvas.h"
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

// The list manager: title and information button; the mode popup; name and
// date rows (or, for user catalogues, the instruction in their place); the
// file list; Back, Load and Save at the bottom left, Delete at the right.
constexpr ControlTemplate kListManagerControls[] = {
    {kStaticControl, 8012, "Title", 0, 0, 80, 14, 0},
    {kButtonControl, 1059, "Inf", 124, 1, 10, 10, 0},
    {kStaticControl, 1061, "", 2, 17, 70, 10, 0},
    {kListViewControl, 1062, "", 2, 27, 70, 24, kHidden | pl::kNoHeader},
    {kStaticControl, 138, "Name", 2, 31, 22, 10, 0},
    {kStaticControl, 139, ":", 24, 31, 4, 10, 0},
    {kStaticControl, 1052, "", 30, 31, 104, 10, 0},
    {kStaticControl, 140, "Date", 2, 43, 22, 10, 0},
    {kStaticControl, 141, ":", 24, 43, 4, 10, 0},
    {kStaticControl, 1053, "", 30, 43, 50, 10, 0},
    {kStaticControl, 1054, "", 84, 43, 30, 10, 0},
    {kStaticControl, 142, "Select your custom catalog, then press the load button.", 2, 31, 132, 22, kHidden},
    {kListViewControl, 1051, "", 2, 57, 134, 106,
     kHidden | pl::kOwnerDraw | pl::kOwnerData | pl::kNoHeader | pl::kSingleSelect | pl::kBorder},
    {kButtonControl, 1055, "", 2, 167, 12, 10, kHidden},
    {kButtonControl, 1056, "", 18, 167, 12, 10, kHidden},
    {kButtonControl, 1057, "", 34, 167, 12, 10, kHidden},
    {kButtonControl, 1058, "", 122, 167, 12, 10, kHidden},
};

constexpr pl::DialogTemplate kDialogs[] = {
    {1940, 0, 0, 138, 186, "", {}},
    {1050, 0, 0, 138, 186, "", kListManagerControls},
};

constexpr uint32_t kGreen = 0x209040;
constexpr uint32_t kRed = 0xC02020;

// Back: an arrow to the left.
void Back(uint32_t* p, int w, int h) {
    IconCanvas c = KeyButton(p, w, h);
    c.Line(5, 8, 15, 8, kKeyInk, 2);
    c.Line(5, 8, 9, 4, kKeyInk, 2);
    c.Line(5, 8, 9, 12, kKeyInk, 2);
}

// Load: an open folder with an arrow coming out of it.
void Load(uint32_t* p, int w, int h) {
    IconCanvas c = KeyButton(p, w, h);
    c.Rect(3, 7, 10, 6, 0xE0B040);
    c.Rect(3, 6, 4, 1, 0xE0B040);
    c.Frame(3, 7, 10, 6, 0x806020);
    c.Line(15, 12, 15, 4, kGreen, 2);
    c.Line(15, 3, 12, 6, kGreen, 1.5);
    c.Line(15, 3, 18, 6, kGreen, 1.5);
}

// Save: a diskette.
void Save(uint32_t* p, int w, int h) {
    IconCanvas c = KeyButton(p, w, h);
    c.Rect(5, 2, 10, 12, kKeyInk);
    c.Rect(7, 3, 6, 4, 0xF0F0F0);
    c.Rect(7, 9, 6, 4, 0x8090B0);
}

// Delete: a red cross.
void Delete(uint32_t* p, int w, int h) {
    IconCanvas c = KeyButton(p, w, h);
    c.Line(6, 4, 14, 12, kRed, 2.5);
    c.Line(14, 4, 6, 12, kRed, 2.5);
}

constexpr pl::BitmapTemplate Button(int id, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, 20, 16, {}, {}, generate};
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    Button(5074, Back), Button(5147, Load), Button(5148, Save), Button(1975, Delete),
};

}  // namespace

const pl::ResourceGroup kCatalogResources = {.dialogs = kDialogs, .bitmaps = kBitmaps};
