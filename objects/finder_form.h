// The finder (form 2350, "FinderAssistant"): a catalogue chosen in a popup,
// then an object chosen from a second popup or its number typed on a ten-key
// pad; the object found becomes the current target (selectedObject) with its
// place, magnitude, size, best eyepiece, difficulty and rise and set shown
// below. Ok returns to the form that opened the finder (OpenFinder), Sky adds
// the target to the observing list and opens the sky chart, Goto sends the
// telescope to it.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "ui/xywh_rect.h"

constexpr int kFinderFormId = 2350;

// Control ids of form 2350.
constexpr int kFinderTitle = 8018;
constexpr int kFinderInfo = 2369;
constexpr int kFinderCatalogTrigger = 2351;
constexpr int kFinderCatalogList = 2352;
constexpr int kFinderObjectTrigger = 2376;
constexpr int kFinderObjectList = 2377;
constexpr int kFinderIdField = 2353;
constexpr int kFinderCamera = 2373;
constexpr int kFinderDescription = 2374;
constexpr int kFinderDigit0 = 2355;  // digits 0..9 are 2355..2364
constexpr int kFinderGoto = 2368;
constexpr int kFinderFind = 2372;
constexpr int kFinderOk = 2354;
constexpr int kFinderSky = 2366;
constexpr int kFinderClear = 2371;
constexpr int kFinderGauge = 2379;
constexpr int kFinderEphemeris = 2380;

// The catalogue the finder works with: the chosen row's, or the kind it was
// opened with while no popup row has it and the user picked none.
int FinderCurrentKind();

// The first paint: history, the default stars, the catalogue popup on the
// kind the finder was opened with, the target's name (10 characters) in the
// identifier field, the object popup and the detail area.
void OpenFinderForm();

// The identifier field (HIP, HR, Tycho) or the object popup with the
// catalogue's rows, the target's row selected when it is one, no label.
void RebuildFinderList();

// Row `row` of the object popup: its designation text at x + 2, its second
// text at x + 54 x scaleX + 2.
void DrawFinderRow(int row, const XywhRect& rect);

// A keypad digit (0..9) after the identifier.
void FinderKeypadDigit(int digit);

// Looks the identifier up into the target; redraw 1 draws the detail area,
// 0 only computes the target's place.
void FindFinderTarget(int redraw);

// The action of a control of the form.
void FinderCommand(int id);

// Forgets the form's module state (tests).
void ResetFinderForm();

pl::LResult FinderFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
