// The home form's template (form 1950, 138 x 186 dialog units): the title, the
// information button, the clock and the icon buttons, all but the title and
// the information button hidden until the form's first drawing.
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kStaticControl;

// An icon button, 17 x 17 units, hidden.
constexpr ControlTemplate Icon(int id, const char* text, int x, int y) {
    return ControlTemplate{kButtonControl, id, text, x, y, 17, 17, kHidden};
}

constexpr ControlTemplate kHomeControls[] = {
    {kStaticControl, 8001, "Title", 0, 0, 80, 14, 0},
    {kButtonControl, 5089, "Inf", 124, 1, 10, 10, 0},
    {kButtonControl, 5146, "", 39, 71, 10, 10, kHidden},
    Icon(5023, "Planet", 1, 39),
    Icon(5024, "Galaxy", 24, 39),
    Icon(5025, "Nebula", 47, 39),
    Icon(5027, "Cluster", 70, 39),
    Icon(5018, "Comet", 93, 39),
    Icon(5028, "Bright", 115, 39),
    Icon(5081, "Moon", 115, 59),
    Icon(5051, "Jup", 115, 79),
    Icon(5052, "Sat", 115, 99),
    Icon(5050, "Plan", 115, 119),
    Icon(5080, "Sky", 1, 59),
    Icon(5053, "Log", 1, 79),
    Icon(5054, "Scope", 1, 99),
    Icon(5115, "Camera", 1, 119),
    Icon(5049, "Find", 1, 139),
    Icon(5063, "Load", 24, 139),
    Icon(5111, "UObj", 47, 139),
    Icon(5060, "NT", 70, 139),
    Icon(5058, "M", 93, 139),
    Icon(5059, "C", 115, 139),
    {kStaticControl, 4999, "", 0, 0, 1, 1, kHidden},
};

constexpr pl::DialogTemplate kDialogs[] = {{1950, 0, 0, 138, 186, "", kHomeControls}};

}  // namespace

const pl::ResourceGroup kHomeResources = {.dialogs = kDialogs};
