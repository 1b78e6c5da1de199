// The identification of a tap in a sphere picture of another form: the name of
// what lies under the stylus, drawn beside it with the picture's status.
#pragma once

#include "catalog/selection_entry.h"
#include "ui/xywh_rect.h"

// Restores the label box saved by the last identification (or the picture),
// then searches within r = 1 and then r = 3 of (x, y), stopping at the first
// hit: the table's objects (FindObjectInSquare from the rectangle's corner),
// with "Obj. Drilldown" (word 237) the object screen list within r x
// GetScreenScale (its designation, or the cross-referenced one; the object
// becomes chartSelection), the nearest bright star (its name or designation),
// the star screen list (the catalogue star's id from the stellar file: "TYC%d-
// %d-1" when the file holds 140000 stars or more, else "HIP%d"). For a hit: the
// label box saved at (x - 8s, y - 8s), a line from the point to (x + 10 scaleX,
// y + 10 scaleY) and the text there (entry 5 of chartColours, entry 1 in night
// mode, on the chart background, font 4, opaque), the target mark on the point,
// and the picture's status with the hit's right ascension and declination, or
// with "Alt/Az Grid" (word 126) its azimuth and altitude.
// Returns 1 for a hit, else 0.
int ShowObjectLabelPopup(const SelectionEntry* objects, int count, const XywhRect& rect, int x, int y);
