// The Red Spot view of the planet detail form in Jupiter mode: one row a day
// from the form's date with the local times of the Great Red Spot's transits
// (red_spot.h), marked by what the sky allows.
#pragma once

// Rows of 15 units from 24 units down, as many as fit above the bottom strip
// less one row: the bold header "Date" and "Red Spot transit (LT)", then a
// day a row, its date and its transits "%02dh%02d" from 75 units on. A
// visible transit is drawn in (I, 0, 0) (I the night intensity, 255 by day);
// with the Sun at or above -10 degrees the small icon 0 (the Sun) follows the
// time; with Jupiter at or below 10 degrees at night, the small icon 5 and a
// red line through the time. Jupiter's place is taken at 21:00 and the Sun's
// at 12:00 of the form's date for the whole table; on a date Jupiter's theory
// does not cover the rows show their dates alone. The form's date is left
// as it was.
void DrawRedSpotTransits();
