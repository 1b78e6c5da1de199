// The home form's template (form 1950, 138 x 186 dialog units): the title, the
// information button, the clock and the icon buttons, all but the title and
// the information button hidden until the form's first drawing.
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kStaticControl;

// An icon button, 17 x 17 units, hidden. It shows its bitmap, so it has no
// text (the comments name the icons).
constexpr ControlTemplate Icon(int id, int x, int y) {
    return ControlTemplate{kButtonControl, id, "", x, y, 17, 17, kHidden};
}

constexpr ControlTemplate kHomeControls[] = {
    {kStaticControl, 8001, "Title", 0, 0, 80, 14, 0},
    {kButtonControl, 5089, "Inf", 124, 1, 10, 10, 0},
    {kButtonControl, 5146, "", 39, 71, 10, 10, kHidden},
    Icon(5023, 1, 39),  // Planet
    Icon(5024, 24, 39),  // Galaxy
    Icon(5025, 47, 39),  // Nebula
    Icon(5027, 70, 39),  // Cluster
    Icon(5018, 93, 39),  // Comet
    Icon(5028, 115, 39),  // Bright
    Icon(5081, 115, 59),  // Moon
    Icon(5051, 115, 79),  // Jup
    Icon(5052, 115, 99),  // Sat
    Icon(5050, 115, 119),  // Plan
    Icon(5080, 1, 59),  // Sky
    Icon(5053, 1, 79),  // Log
    Icon(5054, 1, 99),  // Scope
    Icon(5115, 1, 119),  // Camera
    Icon(5049, 1, 139),  // Find
    Icon(5063, 24, 139),  // Load
    Icon(5111, 47, 139),  // UObj
    Icon(5060, 70, 139),  // NT
    Icon(5058, 93, 139),  // M
    Icon(5059, 115, 139),  // C
    {kStaticControl, 4999, "", 0, 0, 1, 1, kHidden},
};

constexpr pl::DialogTemplate kDialogs[] = {{1950, 0, 0, 138, 186, "", kHomeControls}};

}  // namespace

const pl::ResourceGroup kHomeResources = {.dialogs = kDialogs};
