// The planets assistant (form 2450, menu 1017): nine pages chosen from one
// popup for a date the user moves freely (the form's own assistantDate, apart
// from currentDateTime): the ecliptic band, the Sun view, the three tables,
// the sky view, the year charts, the event list, and "Phase", which hands over
// to the planet detail form in its phase mode. Left and Right step the date a
// day while held (the chart's cursor a pixel on the Charts page, the view's
// centre on the Sky View page); Now takes the device's date and time; the
// sky-chart button opens the sky chart at the assistant's date and time with
// the visible planets in the observing list.
//
// The pages are drawn by ecliptic_band_view.h, planet_sun_view.h,
// planet_table_view.h, planet_sky_view.h, planet_charts_view.h and
// planet_events_view.h; every drawing goes through ShowPlanetAssistantPage.
#pragma once

#include <string>

#include "platform/types.h"

// The form's dialog procedure.
pl::LResult PlanetAssistantDlgProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// Releases the form's registered controls; the next paint is a first paint.
void ReleasePlanetAssistantControls(pl::Hwnd form);

// On a screen other than 240 x 320 (GetScreenSizeDelta's dx, dy): "Inf" moves
// right by dx; Back and the sky-chart button down by dy; Now, the date and
// time fields and the Field and Step triggers by (dx, dy), their lists right
// by dx; the Period and Filter labels and triggers down by dy; the event list
// grows by (dx, dy).
void LayoutPlanetAssistant(pl::Hwnd form, int width, int height);

// The first drawing after each opening: the chart's object-names and view
// words kept (view 2 "Whole Sky" and names off while open), the chart's
// track option on and its option B off, the sky view's centre at (0, 0), the
// form on the history, the date (below), the screen size, the sky table and
// the offscreen picture made ("Can't allocate offscreen window" when it
// cannot be), the date and time fields, then the page.
// The date: after a former opening, or when currentDateTime has a year, the
// hour and minute of currentDateTime (kept when it has no year) and the date
// kept at the last opening, Now or sky-chart command (currentDateTime's when
// none); otherwise the device clock. The date becomes the kept one.
void OpenPlanetAssistant();

// The page dispatcher: the cursor's saved column freed, the page popup and the
// date field set, the page's controls shown (the time field only on the
// Charts quantity Elevation, the sky-chart button but on the Sky View page,
// which shows the Step and Field popups instead; the quantity popup on the
// Charts page), the page drawn (into assistantSurface while the date
// animation runs, then its chartRect copied to the screen).
void ShowPlanetAssistantPage();

// Steps while the arrow key of `direction` (-1 Left, +1 Right) is held: the
// date a day and the page again (pages 0..5), the chart's cursor a pixel with
// a 50 ms pause (Charts), the view's centre FOV / (25 x GetScreenScale)
// degrees (Sky View), nothing (Events). The key queue is emptied at the end
// and pages 0 and 1 drawn once more with the full routines.
void AnimatePlanetAssistant(int direction);

// Left and Right animate; Up and Page Down raise the sky view's centre by
// FOV / (25 x GetScreenScale) degrees (up to +90) while held, Down and Page Up
// lower it (down to -90). 1 when handled.
int PlanetAssistantKeys(int key);

// The stylus (1 when handled): on the Sky View page a drag of 4 pixels or more
// (times the display scale) pans the view, FOV / int(120 x scale) degrees a
// pixel, and a tap without a drag names the object under it; on the Charts
// page the pen moves the date cursor.
int PlanetAssistantPenDown(int x, int y);
int PlanetAssistantPenMove(int x, int y);
int PlanetAssistantPenUp(int x, int y);

// A control's command (a popup's list id). 1 when handled.
int PlanetAssistantCommand(int id);

// Closes the form's per-opening state: the chart's options and words back,
// the sky table, the cursor's saved column and the offscreen picture freed,
// the observing list's shown rows rebuilt under its class filter.
void ClosePlanetAssistant();

// The help text and detail of a page (each line "\x95 " ...); empty past 7.
void PlanetAssistantHelp(int page, std::string* text, std::string* detail);

// The first-paint flag and the kept chart words back to a fresh start (tests).
void ResetPlanetAssistantForm();
