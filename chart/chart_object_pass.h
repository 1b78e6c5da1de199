// The observing list on the horizon chart (views 0 and 1): the object pass of
// the redraw, the selected object's symbol and name, and its caption under the
// picture box.
#pragma once

#include "catalog/selection_entry.h"
#include "platform/types.h"

// The entry becomes the one marked as selected (its always-show word 1; every
// other entry's word 0): it is drawn whatever its magnitude.
void MarkSelectedEntry(SelectionEntry* entry);

// Every list entry above the horizon, in the class filter and within the
// object limit (Sun, Moon, planets and the selected entry always): its screen
// point from its kept projection (plus the drag offsets while scrolling),
// stored in the entry; drawn inside `r` (the Horizon View wraps by 360
// degrees) as its star icon or symbol, with "Obj. Names" (word 41) its name,
// and from zoom 8 the Sun's disc, the Moon's picture, a planet's circle and
// the outline of an extended object at their true size.
void DrawChartObjectPass(const pl::Rect& r);

// Whether the object pass draws the entry (its screen point is then that of
// the last drawing): above the horizon, in the class filter, and a body,
// within the object limit or always shown.
bool IsEntryDrawnOnChart(const SelectionEntry& e);

// The chart's selection at the centre (cx, cy): its symbol when no list row
// holds it and it is fainter than the object limit; its name 5 scaleX right
// and 1 scaleY up unless it is an HR star.
void DrawSelectedObjectName(int cx, int cy);
