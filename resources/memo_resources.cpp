// The memo import dialog's template (2900, laid out for the 240 x 320 screen:
// 137 x 183 dialog units): the title, the owner-drawn list of memo files, and
// the Ok and Import buttons under it at the left and right. The list holds no
// rows of its own: the dialog gives it a row count and draws each row.
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;

constexpr ControlTemplate kMemoImportControls[] = {
    {pl::kStaticControl, 8011, "Title", 0, 0, 80, 14, 0},
    {pl::kListViewControl, 2901, "", 2, 17, 133, 142, pl::kOwnerDraw | pl::kOwnerData | pl::kNoHeader | pl::kSingleSelect | pl::kBorder},
    {pl::kButtonControl, 2902, "Ok", 2, 165, 30, 12, 0},
    {pl::kButtonControl, 2903, "Import", 105, 165, 30, 12, 0},
};

constexpr pl::DialogTemplate kDialogs[] = {{2900, 0, 0, 138, 186, "", kMemoImportControls}};

}  // namespace

const pl::ResourceGroup kMemoResources = {.dialogs = kDialogs};
