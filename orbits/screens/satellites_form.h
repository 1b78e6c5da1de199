// The satellites assistant (form 2800): one current satellite of the
// satellite database with the form's own local date and time, and eight views
// chosen from a popup (Info, Sky View, Pass, Next, Flare, Transit, Globe,
// Data). The state lives in satelliteFormState (orbits/satellite_form_state.h)
// and is kept between openings; the form allocates its buffers when it opens
// and frees them when it closes. A live time mode moves the form's time every
// second (timer 1). UI thread only.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "ui/xywh_rect.h"

constexpr int kSatellitesFormId = 2800;

// The satellite shown at the next first opening; kept for the run, -1 none.
extern int lastSatelliteIndex;

// The form's dialog procedure.
pl::LResult SatellitesAssistantFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// The first paint: the busy indicator's wait cursor, the chart options the
// sky view needs ("Chart Type" 2, "Obj. Names" 0, the two sphere drawing
// options 1 and 0), the form history, the satellite (lastSatelliteIndex or
// record 0 the first time), the buffers, the time (currentDateTime the first
// time, seconds 0) and the current view.
void OpenSatellitesForm();

// The record, elements, sky-object and result buffers (zero-filled) when they
// are not there yet, the elements cleared, and a new offscreen picture of the
// screen's size ("Can't allocate offscreen window" when it cannot be made).
void AllocateSatelliteBuffers();

// Puts back what the opening changed, keeps the satellite for the next
// opening, frees the buffers and pictures and filters the observing list's
// shown rows again by its class filter (the sky view filtered its own table).
void CloseSatellitesForm();

// Marks the next paint as a first paint, releases the form's controls and
// stops timer 1.
void ReleaseSatellitesForm(pl::Hwnd form);

// Moves the controls for a screen other than 240 x 320 and reads the screen
// size again; the satellite list shows 17 rows on a screen taller than 240
// pixels, else 11.
void LayoutSatellitesForm(pl::Hwnd form, int width, int height);

// Draws view satelliteFormState.view for record `index`.
void ShowSatelliteView(int index);

// One tick of the live time mode ("Track" adds `stepSeconds` and follows the
// device clock at each whole minute; "+1'" .. "+10'" add their minutes); the
// Info and Globe views are drawn again. 0 in the "Clock" mode.
int UpdateSatelliteTime(int stepSeconds);

// Page Up / Down arrow: the next satellite; Page Down / Up arrow: the
// previous one (held at the ends, the view still drawn again); Left and Right
// do nothing. Every key is taken and ignored while flareMode is set. Returns 1
// when the key was taken.
int HandleSatelliteKey(int key);

// The effect of control `id` of 2801..2824; 0 for any other id.
int HandleSatelliteCommand(int id);

// The stylus in the Sky View and the Globe view; move and up return non-zero
// when the screen changed.
int SatellitePenDown(int x, int y);
int SatellitePenMove(int x, int y);
int SatellitePenUp(int x, int y);

// Row routines of the satellite list (2806) and the result list (2813).
void DrawSatelliteNameRow(int row, const XywhRect& rect);
void DrawPassResultRow(int row, const XywhRect& rect, int selected);
void DrawSearchResultRow(int row, const XywhRect& rect, int selected);

// The state of a program start: no satellite chosen, the form state reset,
// no pictures (tests).
void ResetSatellitesForm();
