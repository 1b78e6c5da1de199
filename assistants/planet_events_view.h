// The Events page of the planets assistant: the page's controls, the rows of
// the event list and the panel under it with the rising and setting of the
// bodies of the selected event. Draws into the current draw window; the
// controls of form 2450 are filled only when the form shows them.
#pragma once

#include <cstdint>

#include "ui/xywh_rect.h"

// Lays the page out (the area between the title and the bottom strip erased,
// the period and filter controls and the list shown) and shows the kept list,
// or runs the search from the assistant's date over the chosen period when
// the list is empty; then the detail panel.
void SearchPlanetEvents();

// Row `row` of the event list (entry FirstFilteredEventIndex() + row): the
// date and the event's words at the row's left, its icons from formWidth -
// 50 scaleX on. A row past the filtered entries draws nothing.
void DrawPlanetEventRow(int16_t row, const XywhRect& rect, int selected, int itemWidth);

// The detail panel of the list's selected row (none when form 2450 is not
// shown): DrawPlanetEventDetail of that row.
void ShowPlanetEventDetail();

// The panel (formHeight - 76 scaleY down, the full width, 90 scaleY high)
// erased; for a row of the filtered list, the assistant's date and time
// (local civil time) become the event's instant, whose fields are universal
// time, moved by currentSite.zoneMinutes (daylight saving included); the date
// and time fields show them. Then one line per body: the Sun, body 1 (the
// Moon for lunations and eclipses) and body 2 when there is one, each with
// its icon, its name and its 24-hour bar of rise and set (local hours) for
// that local date, the local time of the instant marked. A row of -1 or past
// the list only erases.
void DrawPlanetEventDetail(int row);

// The text of a list entry as its row shows it ("%04d/%02d/%02d Opp. ", ...),
// its date the universal-time date of the event.
void PlanetEventRowText(int index, char* text, int size);
