// The Moon assistant (6000) and the Moon map form (6020). The map fills the
// screen; every control sits in the bottom strip (y 299..318 pixels of the
// 240 x 320 design): Back, the orientation popup, the picture and information
// buttons, the feature popup, the zoom buttons and the clock. The assistant has
// its view popup, picture and information buttons in the title row, the filters
// of the feature views on the row below (y 26 pixels), the terminator list on
// the left under them, and Back, the date and time fields and the clock in the
// bottom strip.
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kStripY = 171;
constexpr uint32_t kPopupList = kHidden | pl::kNoHeader | pl::kOwnerDraw | pl::kOwnerData | pl::kSingleSelect;

constexpr ControlTemplate kMoonMap[] = {
    {kButtonControl, 6022, "", 1, kStripY, 12, 10, 0},
    {kStaticControl, 5985, "", 14, kStripY + 1, 16, 9, 0},
    {kListViewControl, 5986, "", 14, 120, 20, 44, kPopupList},
    {kButtonControl, 5983, "", 29, kStripY, 12, 12, kHidden},
    {kButtonControl, 6021, "", 42, kStripY, 12, 10, 0},
    {kStaticControl, 6046, "", 55, kStripY + 1, 50, 9, 0},
    {kListViewControl, 6047, "", 55, 10, 82, 160, kPopupList},
    {kButtonControl, 6037, "-", 107, kStripY, 8, 10, kHidden},
    {kButtonControl, 6038, "+", 116, kStripY, 8, 10, kHidden},
    {kButtonControl, 6039, "", 126, kStripY, 10, 10, 0},
};

constexpr uint32_t kTextPopup = kHidden | pl::kNoHeader | pl::kSingleSelect;

constexpr ControlTemplate kMoonAssistant[] = {
    {kStaticControl, 8027, "Title", 0, 0, 60, 14, 0},
    {kStaticControl, 6018, "", 61, 2, 46, 10, 0},
    {kListViewControl, 6019, "", 61, 12, 46, 80, kTextPopup},
    {kButtonControl, 5984, "", 108, 1, 12, 12, kHidden},
    {kButtonControl, 6004, "Inf", 124, 1, 12, 12, 0},
    {kStaticControl, 5995, "", 2, 15, 40, 10, kHidden},
    {kListViewControl, 5996, "", 2, 25, 40, 80, kTextPopup},
    {kStaticControl, 5997, "", 45, 15, 88, 10, kHidden},
    {kListViewControl, 5998, "", 45, 25, 88, 140, kPopupList},
    {kStaticControl, 5990, "", 2, 15, 36, 10, kHidden},
    {kListViewControl, 5991, "", 2, 25, 36, 48, kTextPopup},
    {kButtonControl, 5993, "Size", 42, 15, 22, 10, kHidden},
    {kButtonControl, 5992, "Name", 66, 15, 24, 10, kHidden},
    {kButtonControl, 5994, "Lat", 92, 15, 20, 10, kHidden},
    {kListViewControl, 6011, "", 0, 27, 78, 142, kPopupList | pl::kNoScroll},
    {kButtonControl, 5989, "", 1, kStripY, 12, 10, 0},
    {kStaticControl, 6002, "", 40, kStripY + 1, 44, 9, 0},
    {kStaticControl, 5988, "", 86, kStripY + 1, 24, 9, kHidden},
    {kButtonControl, 6001, "", 112, kStripY, 12, 10, kHidden},
    {kButtonControl, 5987, "", 126, kStripY, 10, 10, 0},
};

constexpr pl::DialogTemplate kDialogs[] = {
    {6000, 0, 0, 138, 180, "", kMoonAssistant},
    {6020, 0, 0, 138, 180, "", kMoonMap},
};

}  // namespace

const pl::ResourceGroup kMoonResources = {.dialogs = kDialogs};
