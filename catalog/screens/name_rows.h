// Rows of the owner-drawn file lists (memo import, list manager): one file
// name of a NameTable a row.
#pragma once

#include "catalog/name_table.h"
#include "ui/xywh_rect.h"

// Draws entry `row` of the table `indent` pixels right of the row's left
// edge, vertically centred, transparently over the row's fill, in the draw
// context's font and colours. Nothing for a row outside the table.
void DrawNameTableRow(const NameTable& table, int row, const XywhRect& rect, int indent);
