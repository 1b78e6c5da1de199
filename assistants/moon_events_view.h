// The Events view of the planet detail form in Jupiter and Saturn mode: the
// moon events of the form's date (moon_events.h) under two 24-hour guide
// bars of the Sun and the planet.
#pragma once

// Searches the form's date when it differs from the last search's, then
// draws the view, and puts the form's date, hour and minute back from the
// search cache.
void SearchMoonEvents();

// Draws the view from the table as it stands: the area from 24 units down
// (133 units high on a screen below 161 pixels, else 196) in the light band;
// on a screen taller than 240 units the rows "Sun" and the planet's name with
// their guide bars (rise, transit and set of the body's place at 21:00 local,
// the horizon preference); the bold header "Satellite", "Start", "End",
// "Event"; then the filled slots, one a row, alternating the light and the
// alternate band by drawn row (the header being row 0): moon, start and end
// "%02dh%02d" (the end hour modulo 24) and the kind. Saturn's moon filter
// (1..5) draws that moon only; a screen of 240 units or less stops at 13 rows.
void DrawMoonEventsView();
