// The planets assistant (2450): the title, the page popup and the help button
// along the top; the chart quantity popup (Charts page) or the event list
// (Events page) below, with the period and filter popups under the list; and
// in the bottom strip (y 171 of the 138 x 180 dialog) Back, the sky-chart
// button (the Step popup in its place on the Sky View page), the date and
// time fields, the Field popup and the clock. The buttons' bitmaps are shared
// with other forms (5074, 5076, 120, 5094, 5138).
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kStripY = 171;
constexpr uint32_t kPopupList = kHidden | pl::kNoHeader | pl::kSingleSelect;
constexpr uint32_t kEventList = kHidden | pl::kOwnerDraw | pl::kOwnerData | pl::kNoHeader | pl::kSingleSelect;

constexpr ControlTemplate Trigger(int id, int x, int y, int width, uint32_t flags = 0) {
    return {kStaticControl, id, "", x, y, width, 11, flags};
}
constexpr ControlTemplate List(int id, int x, int y, int width) {
    return {kListViewControl, id, "", x, y, width, 10, kPopupList};
}
constexpr ControlTemplate Button(int id, const char* text, int x, int y) {
    return {kButtonControl, id, text, x, y, 10, 10, 0};
}

constexpr ControlTemplate kPlanetAssistantControls[] = {
    {kStaticControl, 8021, "PlanetAssistant", 0, 0, 56, 10, 0},
    Trigger(2449, 62, 1, 48),
    List(2448, 62, 2, 55),
    Button(2453, "Inf", 124, 1),
    Trigger(2438, 2, 15, 110, kHidden),
    List(2439, 62, 2, 110),
    {kListViewControl, 2447, "", 2, 15, 134, 111, kEventList},
    {kStaticControl, 2443, "Period", 4, 128, 20, 11, kHidden},
    Trigger(2444, 30, 128, 44, kHidden),
    List(2445, 30, 128, 40),
    {kStaticControl, 2440, "Filter", 82, 128, 18, 11, kHidden},
    Trigger(2441, 101, 128, 30, kHidden),
    List(2442, 103, 128, 30),
    Button(2451, "", 2, kStripY),
    Button(2446, "", 14, kStripY),
    Trigger(2509, 18, kStripY, 25, kHidden),
    List(2510, 18, kStripY, 25),
    {kStaticControl, 2455, "", 45, kStripY + 1, 38, 11, 0},
    {kStaticControl, 2456, "", 85, kStripY + 1, 22, 11, kHidden},
    Trigger(2511, 99, kStripY, 25, kHidden),
    List(2512, 99, kStripY, 25),
    Button(2457, "", 125, kStripY),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2450, 0, 0, 138, 180, "", kPlanetAssistantControls},
};

}  // namespace

const pl::ResourceGroup kPlanetAssistantResources = {.dialogs = kDialogs};
