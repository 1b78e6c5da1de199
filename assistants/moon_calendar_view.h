// The Moon assistant's month views, drawn on the form in the current draw
// window: the phase calendar of the assistant month and the day tables of
// the Moon's rise and set, the dark hours and the hours of visibility.
#pragma once

#include "assistants/moon_assistant.h"

// Rows of the day table on a screen: columns of int(120 x scaleX) pixels,
// rows of 3 + int(13 x scaleY) pixels (int(10 x scaleY) where GetScreenScale
// is 1) between the title (24 x scaleY) and the bottom strip (22 x scaleY).
struct MoonDayTableLayout {
    int columns = 0;
    int rows = 0;
    int columnWidth = 0;
    int rowHeight = 0;
    int top = 0;
};
MoonDayTableLayout GetMoonDayTableLayout(int screenWidth, int screenHeight);

// The day table of mode 0, 1 or 2 from the assistant date, one row a day
// down the columns: weekday letter, day of month, the chart's phase icon at
// 12 h, start and end of the day's time frame; the date field shows the
// assistant date.
void DrawMoonDayTable(int mode, const MoonAssistantState& state);

// The calendar's grid: from 24 + 13 x scaleY (under the weekday letters) to
// the bottom strip, cells of the state's sizes.
MoonCalendarGrid GetMoonCalendarGrid(const MoonAssistantState& state);

// The phase calendar of the assistant month: weekday letters, six rows of
// cells with the day number, the phase icon and the per cent lit, today's cell
// framed in red; the date field shows the 1st of the month.
void DrawMoonCalendar(const MoonAssistantState& state);
