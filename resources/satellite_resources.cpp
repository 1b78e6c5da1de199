// The satellites assistant (2800): the title, the view popup and the help
// button along the top; the satellite popup and the minimum elevation of
// passes on the row below; the result list of the searches (with room below it
// for the details of a row) and the two element-line fields of the Data view
// in the middle; and in the bottom strip (y 171 of the 138 x 180 dialog) Back,
// the time-mode popup (the track-step popup in its place in the Sky View), the
// field-of-view popup or the button that shows a result row in the sky, the
// date, the time and the clock, or Export and Import in the Data view. Its
// buttons' bitmaps are shared with other forms (5074, 5076, 120, 5094, 5138).
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kStripY = 171;
constexpr uint32_t kPopupList = kHidden | pl::kNoHeader | pl::kSingleSelect;
constexpr uint32_t kOwnerList = pl::kOwnerDraw | pl::kOwnerData | pl::kNoHeader | pl::kSingleSelect;

constexpr ControlTemplate Trigger(int id, int x, int y, int width, uint32_t flags = 0) {
    return {kStaticControl, id, "", x, y, width, 9, flags};
}
constexpr ControlTemplate List(int id, int x, int y, int width, int height, uint32_t flags = kPopupList) {
    return {kListViewControl, id, "", x, y, width, height, flags};
}
constexpr ControlTemplate Button(int id, const char* text, int x, int y, int width, uint32_t flags = 0) {
    return {kButtonControl, id, text, x, y, width, 10, flags};
}
constexpr ControlTemplate Field(int id, int x, int y, int width, int height, uint32_t flags = 0) {
    return {kStaticControl, id, "", x, y, width, height, flags};
}

constexpr ControlTemplate kSatelliteControls[] = {
    {kStaticControl, 8029, "Title", 0, 0, 45, 9, 0},
    Trigger(2802, 86, 1, 36),
    List(2803, 86, 11, 40, 60),
    Button(2801, "Inf", 126, 1, 10),
    Trigger(2805, 1, 15, 96),
    List(2806, 1, 25, 112, 100, kPopupList | pl::kOwnerDraw | pl::kOwnerData),
    Trigger(2817, 104, 15, 33, kHidden),
    List(2818, 98, 25, 40, 80),
    List(2813, 0, 27, 137, 116, kOwnerList | pl::kBorder | kHidden),
    Field(2819, 2, 33, 134, 32, kHidden),
    Field(2820, 2, 85, 134, 32, kHidden),
    Button(2804, "", 1, kStripY, 10),
    Trigger(2811, 14, kStripY + 1, 23),
    List(2812, 14, 120, 30, 50),
    Trigger(2823, 14, kStripY + 1, 23, kHidden),
    List(2824, 14, 120, 30, 50),
    Trigger(2815, 38, kStripY + 1, 23, kHidden),
    List(2816, 38, 90, 30, 80),
    Button(2814, "", 42, kStripY, 12, kHidden),
    Field(2809, 62, kStripY + 1, 40, 9),
    Field(2808, 103, kStripY + 1, 20, 9),
    Button(2810, "", 125, kStripY, 12, kHidden),
    Button(2821, "Export", 66, kStripY, 34, kHidden),
    Button(2822, "Import", 102, kStripY, 34, kHidden),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2800, 0, 0, 138, 180, "", kSatelliteControls},
};

}  // namespace

const pl::ResourceGroup kSatelliteResources = {.dialogs = kDialogs};
