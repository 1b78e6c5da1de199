// The three checklist pages (forms 2200, 2203 and 2206): fixed items with
// check boxes, and five items with labels the user types on the last page.
// A page stores its boxes (and page 3 its labels) when it is left by its own
// buttons; left any other way, the ticks made since it opened are lost.
#pragma once

#include "platform/types.h"

constexpr int kChecklistPage1 = 2200;
constexpr int kChecklistPage2 = 2203;
constexpr int kChecklistPage3 = 2206;
constexpr int kChecklistHelp = 1493;
constexpr int kChecklistFirstBox = 2210;      // box 2210 + i holds state i
constexpr int kChecklistFirstLabelField = 2242;  // the user labels' fields 2242..2246

// The dialog procedure of all three pages.
pl::LResult ChecklistPageProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
