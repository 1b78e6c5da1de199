// The three tables of the planets assistant (Position, Info and Rise&Set):
// one row per body from the Sun to Pluto at the assistant's date and time,
// drawn into the current draw window of formWidth x formHeight.
//
// Rows are 10 equal bands between the headers and the bottom strip, bands
// alternating (41, 41, 140) and (21, 21, 120) by day with the values in
// (230, 230, 60), font 4, each right-aligned on its column's edge. Columns
// advance by the width of a sample text; a column marked as fitting only on
// wide screens is left out, with all after it, once its edge reaches the
// form's width. Rise and set times show "-----" where the day has no such
// event (the body stays up or down, or the Moon's event falls on another
// day); the transit is a time but for the Moon's on a day without one.
// Rise&Set ends each row with the 24-hour bar.
#pragma once

// Draws the table of assistantPage (kPagePosition, kPageInfo, kPageRiseSet);
// any other page draws nothing.
void DrawPlanetTable();
