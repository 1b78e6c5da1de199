// The observing list form's views: its rows (symbol and name) and the panel
// of the selected row, drawn into the current draw window (the form).
#pragma once

#include "catalog/selection_entry.h"
#include "ui/xywh_rect.h"

// Control ids of the panel.
constexpr int kListPanelName = 1799, kListPanelPicture = 1809, kListPanelGauge = 1808;

// The entry's row: a bright star's icon by its magnitude and colour, any other
// object's type symbol, at the left; 18 design pixels to the right its name,
// an HR star's proper name (DrawStarName).
void DrawListEntryRow(const SelectionEntry& entry, const XywhRect& rect);

// The panel for shown row `row` (no row: every field cleared); returns the
// entry's position, -1 for none. The object becomes the current object
// (SetCurrentObject), the list's time (ListDateTime: its own date, else the
// program's time) the current date and time, and a planet, comet or asteroid
// is shown at its place of that time (ListedEntryAt). The rows of the
// distance, eyepiece, rise and set and the altitude at transit are drawn only
// on screens taller than 240 design pixels.
int UpdateListPanel(int row);
