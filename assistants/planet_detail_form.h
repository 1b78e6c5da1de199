// The planet detail form (2460): one form for the Jupiter, Saturn, Mars and
// Phase assistants (planetDetailMode), with its own date and time, a view
// popup whose rows depend on the mode, and the controls of each view. The
// views are drawn by planet_strip_view.h (strips and their detail),
// jupiter_view.h, saturn_view.h, the Mars views, moon_events_view.h (the
// Events of Jupiter and Saturn) and red_spot_view.h.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"
#include "ui/xywh_rect.h"

constexpr int kPlanetDetailForm = 2460;

// The form's state that outlives it, beyond planet_detail_mode.h.
struct PlanetDetailFormState {
    int32_t firstOpen = 1;            // the first drawing after start takes the date
    int32_t saturnFilter = 0;         // row of popup 2382: 0 all, 1..5 one moon
    int32_t marsTypeRow = 0;          // row of popup 2519
    int32_t marsFirstFeature = 0;     // first record of the type's run
    int32_t marsFeatureCount = 0;
    int32_t selectedMarsFeature = -1;  // record index, -1 none
    int32_t mapOriginX = 0;           // the map's scroll, pixels of the map rectangle
    int32_t mapOriginY = 0;
    int32_t mapDragging = 0;
    int32_t savedChartBackground = 0;  // preference word 26 while the form is open
    int32_t penX = 0;                 // where the stylus went down
    int32_t penY = 0;
    int32_t tracking = 0;             // 1 strip rows, 2 the Mars map
};
extern PlanetDetailFormState planetDetailForm;

// The form's dialog procedure.
pl::LResult PlanetDetailDlgProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// The first drawing: pushes the form on the history, measures the screen,
// builds the colours, frees the chart's object icons, keeps preference word
// 26 (the chart's background) and sets it to 0 while the form is open, then
// DrawPlanetDetailForm.
void OpenPlanetDetailForm();

// The first drawing after program start takes the date and time from
// currentDateTime (time-update preference, word 23, set) or the device clock;
// then writes the date and time fields, shows the controls of the mode and
// view, and draws the view.
void DrawPlanetDetailForm();

// A control's command (the list id for popups). 1 when handled.
int PlanetDetailCommand(int id);
// Keys 33, 34, 38, 40 (Left and Right do nothing): while the key is held the
// Mars View steps the time an hour (back for Down and Page Up) and the strip
// views step the detail row; the key messages still queued are then dropped.
int PlanetDetailKeys(int key);

// Restores preference word 26, frees the chart's object icons, the form's
// pictures and the Mars rotation strip.
void ClosePlanetDetailForm();

// Frees the kept pictures (Jupiter's globe, Saturn's rings) and the marker's
// saved bits. Also at program exit.
void ReleasePlanetDetailBitmaps();

// The help text and detail of a mode and view (each line "\x95 " ...).
void PlanetDetailHelp(int mode, int view, std::string* text, std::string* detail);

// The title of a mode: "JupiterAssistant" .. "PhaseAssistant".
const char* PlanetDetailTitle(int mode);

// The nearest Mars feature to a tap at (x, y) on the map (pen up without a
// drag) becomes the selected feature, marked and labelled. Map coordinates:
// s = trunc(scaleY), dx = x - origin x brought into 0..640 s, map x = dx / s,
// map y = (y - origin y - 24 scaleY) / s. 1 when a feature was picked.
int PickMarsMapFeature(int x, int y);

// Everything back to its program-start value (tests).
void ResetPlanetDetailForm();

// The Mars map rectangle: full width from 24 units below the top to 22 units
// above the screen's bottom (also the Mars View's rectangle).
XywhRect PlanetDetailViewRect();
// The Mars map at the form's origin with the region names and the selected
// feature's call-out.
void DrawMarsMapView();
