// The home form (form 1950, "Zendavori Menu"): the first screen and the
// "Wizard" menu entry. A ring of icon buttons around a black status block with
// the site, the date, the local, universal and sidereal times, the Sun's and
// the Moon's rise and set and the Moon's phase; a timer refreshes the block
// every five minutes.
#pragma once

#include "platform/types.h"

// The form's dialog procedure.
pl::LResult HomeFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// Kills the clock timer, sets the first-paint flag again and releases the
// title and the 22 buttons.
void ReleaseHomeForm(pl::Hwnd form);

// On screens other than 240 x 320 the information button moves by (dx, 0),
// the clock and the icons by (dx / 2, dy / 2).
void LayoutHomeForm(pl::Hwnd form, int width, int height);

// The first full drawing: history, screen size, the date from the device
// clock unless fixed, the status block, the buttons shown.
void DrawHomeForm();

// The status block: databases opened, then the rows drawn in the status colours.
void DrawHomeStatus();

// The rows "Local", "UT" and "LST".
void DrawHomeTimeBlock();

// The clock timer: with Time Update "Automatic" the date and time are reloaded
// from the device clock and the block drawn again.
void HomeTimerTick();

// The action of a button of the form.
void HandleHomeButton(int id);

// Selection of the visible objects of a kind with a wait box, then the sky chart.
void SelectVisibleObjects(int kind, int catalogue, int option);

// Module state back at the start of a run (tests).
void ResetHomeForm();

// Where the status block starts (design positions scaled), for tests.
void GetHomeStatusOrigin(int* x0, int* y0);
