// Template of the N-star alignment form (2100), filling the 240 x 294 form
// area (138 x 168 units): the list of stars at the left under Add and Del;
// at the right the "Star position" box (its frame drawn by the form) with the current star's place, the
// scope's reading and the corrected place and the mean error, the two plots
// (drawn by the form) with their scale popups under them; along the bottom
// Ok, Sync, Calc, Save and Load.
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kNoId = -1;
constexpr uint32_t kPopupList = pl::kHidden | pl::kNoHeader;
constexpr uint32_t kStarRows = pl::kNoHeader | pl::kOwnerDraw | pl::kSingleSelect | pl::kBorder;
constexpr int kLabelX = 45, kRaX = 64, kDecX = 99, kFieldWidth = 33;

constexpr ControlTemplate Label(int id, const char* text, int x, int y, int width) {
    return {kStaticControl, id, text, x, y, width, 9, 0};
}
constexpr ControlTemplate Box(int id, int x, int y, int width) { return {kStaticControl, id, "", x, y, width, 9, 0}; }
constexpr ControlTemplate Button(int id, const char* text, int x, int y, int width) {
    return {kButtonControl, id, text, x, y, width, 12, 0};
}

constexpr ControlTemplate kNStar[] = {
    {kStaticControl, 8015, "N-StarAlignment Setup", 0, 0, 80, 14, 0},
    Button(2122, "Inf", 124, 1, 10),
    Button(2102, "Add", 2, 16, 19),
    Button(2110, "Del", 22, 16, 19),
    {kListViewControl, 2101, "", 2, 30, 39, 118, kStarRows},
    Label(138, "Star position", 46, 15, 50),
    Label(kNoId, "Obs :", kLabelX, 25, 20), Box(2103, kRaX, 25, kFieldWidth), Box(2104, kDecX, 25, kFieldWidth),
    Label(kNoId, "True:", kLabelX, 36, 20), Box(2105, kRaX, 36, kFieldWidth), Box(2106, kDecX, 36, kFieldWidth),
    Label(kNoId, "Calc:", kLabelX, 47, 20), Box(2107, kRaX, 47, kFieldWidth), Box(2108, kDecX, 47, kFieldWidth),
    Label(kNoId, "Mean Error :", kLabelX, 59, 40), Box(2112, 86, 59, 46),
    {kStaticControl, 2118, "type popup", 42, 124, 46, 10, 0},
    {kListViewControl, 2119, "", 42, 134, 46, 60, kPopupList},
    {kStaticControl, 2120, "type popup", 90, 124, 46, 10, 0},
    {kListViewControl, 2121, "", 90, 134, 46, 60, kPopupList},
    Button(2116, "Ok", 2, 152, 24),
    Button(2109, "Sync", 28, 152, 26),
    Button(2111, "Calc", 56, 152, 26),
    Button(2123, "Save", 84, 152, 25),
    Button(2124, "Load", 111, 152, 25),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2100, 0, 0, 138, 168, "", kNStar},
};

}  // namespace

const pl::ResourceGroup kNStarResources = {.dialogs = kDialogs};
