// The Moon map form (6020). The map
// fills the screen; every control sits in the bottom strip (y 299..318 pixels
// of the 240 x 320 design): Back, the orientation popup, the picture and
// information buttons, the feature popup, the zoom buttons and the clock.
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

constexpr pl::DialogTemplate kDialogs[] = {
    {6020, 0, 0, 138, 180, "", kMoonMap},
};

}  // namespace

const pl::ResourceGroup kMoonResources = {.dialogs = kDialogs};
