// The six preference pages ("Preference 1/6" .. "Preference 6/6", forms 1400,
// 1430, 1450, 1620, 1476, 1337) over the preference block: a filler copies the
// words into the controls when a page opens, a saver copies them back when the
// page is left by Ok, Next or Prev, and each group's information button shows
// its help text.
#pragma once

#include "platform/types.h"

// The dialog procedure of every page.
pl::LResult PreferencePageProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// The command handler of the pages: savers, page changes, popup choices that
// act at once, help texts. Commands of the active page.
void HandlePreferenceCommand(int id);

// Page n's filler and saver on the open page (n = 1..6); a saver returns false
// when the page must stay open.
void FillPreferencePage(int page);
bool SavePreferencePage(int page);
