// Templates of the modal input dialogs: text input (135), position input
// (2950) and night mode (1999).
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kEditControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kNoId = -1;

constexpr ControlTemplate kTextInput[] = {
    {kStaticControl, 136, "", 5, 4, 38, 20, 0},  // room for a title on two lines
    {kEditControl, 137, "", 44, 4, 87, 42, pl::kBorder | pl::kMultiLine},
    {kButtonControl, 1, "OK", 5, 48, 30, 12, pl::kDefaultButton},
    {kButtonControl, 2, "Cancel", 101, 48, 30, 12, 0},
};

constexpr ControlTemplate kPositionInput[] = {
    {kStaticControl, 8016, "Title", 0, 0, 80, 14, 0},
    {kStaticControl, kNoId, "Name", 2, 18, 20, 9, 0},
    {kStaticControl, kNoId, ":", 23, 18, 3, 9, 0},
    {kStaticControl, 2957, "", 27, 17, 58, 11, 0},
    {kStaticControl, 2951, "RA", 2, 31, 20, 9, 0},
    {kStaticControl, kNoId, ":", 23, 31, 3, 9, 0},
    {kStaticControl, 2952, "", 27, 30, 58, 11, 0},
    {kStaticControl, 2958, "", 88, 17, 48, 10, 0},
    {kListViewControl, 2959, "", 88, 27, 48, 40, kHidden | pl::kNoHeader},
    {kStaticControl, 2953, "Dec", 2, 44, 20, 9, 0},
    {kStaticControl, kNoId, ":", 23, 44, 3, 9, 0},
    {kStaticControl, 2954, "", 27, 43, 58, 11, 0},
    {kButtonControl, 2955, "Ok", 88, 43, 22, 12, 0},
    {kButtonControl, 2956, "Cancel", 112, 43, 24, 12, 0},
};

constexpr ControlTemplate kNightMode[] = {
    {kStaticControl, 141, "Title", 0, 0, 80, 14, 0},
    {kStaticControl, kNoId, "Default Windows Colors:", 2, 18, 80, 9, 0},
    {kButtonControl, 142, "2003", 84, 16, 24, 11, 0},
    {kButtonControl, 143, "2005", 110, 16, 24, 11, 0},
    {kStaticControl, 136, "", 2, 29, 120, 9, 0},
    {kButtonControl, 1, "OK", 2, 39, 24, 11, 0},
    {kButtonControl, 2, "Off", 28, 39, 24, 11, 0},
    {kButtonControl, 138, "1", 82, 39, 16, 11, 0},
    {kButtonControl, 139, "2", 100, 39, 16, 11, 0},
    {kButtonControl, 140, "3", 118, 39, 16, 11, 0},
};

constexpr pl::DialogTemplate kDialogs[] = {
    {135, 0, 0, 138, 100, "", kTextInput},
    {2950, 0, 0, 138, 65, "", kPositionInput},
    {1999, 0, 0, 138, 70, "", kNightMode},
};

}  // namespace

const pl::ResourceGroup kDialogResources = {.dialogs = kDialogs};
