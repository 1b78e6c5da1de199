// The drawing of the date and time form: the month calendar with a Moon
// phase picture per day and the highlighted day, and the rows of the day
// list. Reads the form's working values (dateTimeFormBlock).
#pragma once

#include "platform/controls.h"
#include "platform/types.h"
#include "ui/xywh_rect.h"

// The calendar area: 0, 46, 212 x 216 design units, in pixels of the form.
XywhRect CalendarArea();

// The day under a point of the form (pixels) in the shown month; 0 outside
// the calendar area or on no day.
int CalendarDayAtPixel(int year, int month, int x, int y);

// Marks the calendar (with its weekday header) to be painted again.
void InvalidateCalendar(pl::Hwnd dialog);

// WM_PAINT of the form: the background, the calendar and the highlighted day.
void PaintCalendar(pl::Hwnd dialog);

// Puts back the screen under the highlighted day and highlights the block's
// day, drawing nothing else.
void MoveHighlight(pl::Hwnd dialog);

// The day list's rows: their height, and one row drawn (the small phase
// picture, the weekday letter and the day's number).
void MeasureDayRow(pl::MeasureItem* item);
void DrawDayItem(pl::Hwnd dialog, const pl::DrawItem* item);
