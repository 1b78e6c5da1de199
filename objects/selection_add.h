// One object added to the observing list outside a search: by the finder's
// target, the sky chart's picks and the forms that show an object.
#pragma once

#include "catalog/object_catalog.h"

// Adds the record with source code `source` (negative: the code of its
// designation) and makes it the current row. The criteria are reset for a
// one-shot run first; a list holding "Max Selected items" entries has its last
// entry replaced. An object already listed is not added again: its row becomes
// current and is returned, or -1 with the class filter set to All when no shown
// row holds it. Otherwise the new entry is projected for the chart, the view
// rebuilt, the current row becomes the last shown row, and the new entry's
// row is returned (-1 when the chart view does not show it).
int AddObjectToSelection(const ObjectRecord* rec, int source);
