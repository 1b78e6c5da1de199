// The orbit assistant (2550): the title, the view popup and the help button
// along the top; the record popup and the object-information button on the
// row below; the list of the Best Dates and Brightest views and the element
// display of the Data view (name, kind, dated perihelion or epoch, q or a,
// M, e, the angles and H, each with its labels) in the middle; and in the
// bottom strip (y 171 of the 138 x 180 dialog) Back, the step popup, the
// field-of-view popup of the sky view or the 3D zoom buttons, the date, the
// time and the clock, or Save, Del and New in the Data view. Its buttons'
// bitmaps are shared with other forms (5074, 5076, 5125, 120).
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kStripY = 171;
constexpr int kRowY = 27, kRowStep = 13;  // element rows of the Data view
constexpr int kFieldX = 76, kFieldWidth = 46, kUnitX = 124;
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
constexpr ControlTemplate Field(int id, int x, int y, int width, uint32_t flags = 0) {
    return {kStaticControl, id, "", x, y, width, 9, flags};
}
constexpr ControlTemplate Label(int id, const char* text, int x, int row, int width) {
    return {kStaticControl, id, text, x, kRowY + row * kRowStep + 1, width, 9, kHidden};
}
constexpr ControlTemplate RowField(int id, int row) {
    return Field(id, kFieldX, kRowY + row * kRowStep, kFieldWidth, kHidden);
}

constexpr ControlTemplate kOrbitControls[] = {
    {kStaticControl, 8020, "Title", 0, 0, 45, 9, 0},
    Trigger(2551, 80, 1, 42),
    List(2552, 80, 11, 46, 60),
    Button(2553, "Inf", 126, 1, 10),
    Trigger(2561, 1, 15, 110),
    List(2562, 1, 25, 120, 100, kPopupList | pl::kOwnerDraw | pl::kOwnerData),
    Button(2580, "Inf", 124, 15, 10),
    List(2547, 0, 27, 137, 124, kOwnerList | pl::kBorder | kHidden),
    // The element display.
    Field(2565, 2, kRowY, 92, kHidden),
    Button(2581, "Comet", 98, kRowY - 1, 38, kHidden),
    Button(2582, "Asteroid", 98, kRowY - 1, 38, kHidden),
    Label(138, "Time of perihelion", 2, 1, 66),
    Field(2566, kFieldX, kRowY + kRowStep, 20, kHidden),
    Field(2567, 98, kRowY + kRowStep, 10, kHidden),
    Field(2568, 110, kRowY + kRowStep, 27, kHidden),
    Label(140, "Perihelion Distance", 2, 2, 65),
    Label(139, "q", 68, 2, 7),
    RowField(2569, 2),
    Label(141, "AU", kUnitX, 2, 12),
    Label(143, "Mean Anomaly", 2, 3, 64),
    Label(142, "M", 68, 3, 7),
    RowField(2583, 3),
    Label(144, "\xB0", kUnitX, 3, 6),
    Label(146, "Orbit Eccentricity", 2, 4, 64),
    Label(145, "e", 68, 4, 7),
    RowField(2570, 4),
    Label(147, "Argmt. of Perihelion", 2, 5, 72),
    RowField(2571, 5),
    Label(148, "\xB0", kUnitX, 5, 6),
    Label(149, "Longitude Asc. Node", 2, 6, 72),
    RowField(2572, 6),
    Label(150, "\xB0", kUnitX, 6, 6),
    Label(152, "Inclination", 2, 7, 64),
    Label(151, "i", 68, 7, 7),
    RowField(2573, 7),
    Label(153, "\xB0", kUnitX, 7, 6),
    Label(154, "Absolute Magnitude", 2, 8, 72),
    RowField(2574, 8),
    // The bottom strip.
    Button(2554, "", 1, kStripY, 10),
    Trigger(2577, 14, kStripY + 1, 22),
    List(2578, 14, 80, 30, 90),
    Trigger(2548, 38, kStripY + 1, 22, kHidden),
    List(2549, 38, 60, 30, 110),
    Button(2555, "+", 38, kStripY, 10, kHidden),
    Button(2556, "-", 50, kStripY, 10, kHidden),
    Field(2557, 62, kStripY + 1, 40),
    Field(2558, 103, kStripY + 1, 20),
    Button(2559, "", 125, kStripY, 12),
    Button(2575, "Save", 14, kStripY, 30, kHidden),
    Button(2576, "Del", 46, kStripY, 26, kHidden),
    Button(2579, "New", 74, kStripY, 26, kHidden),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2550, 0, 0, 138, 180, "", kOrbitControls},
};

}  // namespace

const pl::ResourceGroup kOrbitResources = {.dialogs = kDialogs};
