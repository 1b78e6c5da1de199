// One object added to the observing list outside a search: by the finder's
// target, the sky chart's picks and the forms that show an object.
#pragma once

#include "catalog/object_catalog.h"

// Adds the record with source code `source` (negative: the code of its
// designation) and source index `sourceIndex` (negative: the record's number)
// and makes its entry current (SetCurrentSelectionEntry). The criteria are
// reset for a one-shot run first; a list holding "Max Selected items" entries
// has its last entry replaced by an object not listed. An object already
// listed is not added again, however full the list: its entry becomes current
// and its row is returned, or -1 with the class filter set to All when no
// shown row holds it. Otherwise the new entry is projected for the chart, the
// view rebuilt, and the new entry's row is returned (-1 when the chart view
// does not show it: the entry is then held aside as the current one).
int AddObjectToSelection(const ObjectRecord* rec, int source, int sourceIndex = -1);

// Whether an object that AddObjectToSelection(rec, source, sourceIndex) would
// have to add finds no room in the observing list (as many shown rows as "Max
// Selected items"). An object already listed, under any of its designations,
// always finds its row.
bool SelectionHasNoRoomFor(const ObjectRecord* rec, int source = -1, int sourceIndex = -1);

// The message for an object that the full observing list cannot take.
void ShowSelectionListFull();

// The same message from a form's drawing: noted, and shown by the form once
// its drawing is over (a box opened while it draws would be kept in the
// form's saved picture).
void NoteSelectionListFull();
void ShowNotedSelectionListFull();
