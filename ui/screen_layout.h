// Placing forms on screens other than the 240 x 320 design at 96 pixels per
// inch: the integer multiplier of the 160-pixel layouts, the size difference
// that edge-bound controls move by, and moving and sizing controls.
#pragma once

#include "platform/dc.h"
#include "platform/dialog.h"
#include "platform/types.h"

// The screen's horizontal pixels per inch over 48, truncated (2 at 96),
// measured on first use.
int GetScreenScale();
// Forgets the measured multiplier (tests).
void ResetScreenScale();

// dx = width - 240 x scaleX and dy = height - 320 x scaleY (each product
// truncated); true when either is not 0. `argument` is not used.
bool GetScreenSizeDelta(int argument, int width, int height, int* dx, int* dy);

// Moves the dialog's control by (dx, dy) from its place and, when dw or dh is
// not 0, changes its width and height by them; then repaints it. A missing
// control is skipped.
void MoveControl(pl::Hwnd dialog, int id, int dx, int dy, int dw, int dh);

// Sets the height of a control of the active form to rows x 15 pixels (not
// scaled), keeping its place and width.
void SetListVisibleRows(int listId, int rows);

// Fills a strip 2 x scaleY high that ends at the control's bottom edge, across
// the dialog's whole width, with the highlight brush (the line under a
// title). Nothing when the control is missing.
void DrawLineUnderControl(pl::Hwnd dialog, pl::Hdc dc, int id);

// Runs the modal dialog of the template over the active form (its owner) and
// returns the dialog's result. Afterwards the form is given its client height
// plus 26 x scaleX at the origin, as forms size themselves (never taller than
// the screen), becomes the current draw window, is repainted and gets the focus.
int RunDialogResource(int templateId, pl::DlgProc proc);
