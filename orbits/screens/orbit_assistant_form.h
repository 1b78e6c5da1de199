// The orbit assistant (form 2550): one comet or minor-planet record of the
// comet database with the form's own local date, time and date step, shown
// in six views chosen from a popup (Ephemeris, Best Dates, Brightest, 3D
// View, Sky View, Data). The state that outlives the form is in
// orbits/orbit_assistant_state.h; the form allocates its picture, the track
// and the 3D objects when it opens and frees them when it closes. UI thread
// only.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "catalog/selection_entry.h"
#include "orbits/orbit_ephemeris.h"
#include "platform/types.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

constexpr int kOrbitFormId = 2550;

// Controls of template 2550.
enum OrbitControl : int {
    kOrbitMagList = 2547,
    kOrbitFovTrigger = 2548,
    kOrbitFovList = 2549,
    kOrbitViewTrigger = 2551,
    kOrbitViewList = 2552,
    kOrbitHelp = 2553,
    kOrbitBack = 2554,
    kOrbitZoomIn = 2555,
    kOrbitZoomOut = 2556,
    kOrbitDateField = 2557,
    kOrbitTimeField = 2558,
    kOrbitNowButton = 2559,
    kOrbitRecordTrigger = 2561,
    kOrbitRecordList = 2562,
    kOrbitNameField = 2565,
    kOrbitYearField = 2566,
    kOrbitMonthField = 2567,
    kOrbitDayField = 2568,
    kOrbitDistanceField = 2569,
    kOrbitEccentricityField = 2570,
    kOrbitArgumentField = 2571,
    kOrbitNodeField = 2572,
    kOrbitInclinationField = 2573,
    kOrbitMagnitudeField = 2574,
    kOrbitSave = 2575,
    kOrbitDelete = 2576,
    kOrbitStepTrigger = 2577,
    kOrbitStepList = 2578,
    kOrbitNew = 2579,
    kOrbitInfoButton = 2580,
    kOrbitCometButton = 2581,
    kOrbitAsteroidButton = 2582,
    kOrbitMeanAnomalyField = 2583,
    kOrbitTitle = 8020,
    kOrbitFirstLabel = 138,
    kOrbitLastLabel = 154,
};

// The form's dialog procedure.
pl::LResult OrbitAssistantFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// Releases the form's registered controls (it closes).
void OrbitAssistantRelease(pl::Hwnd form);

// Shows record `index` (-1 "<New>") in the record popup, the date and time
// fields and the controls of the current view, and computes and draws it.
void UpdateOrbitForm(int index);

// The effect of control `id`; 0 for an id that is not the form's.
int HandleOrbitCommand(int id);

// The Data view: the element fields of record `index` (-1 the defaults of a
// new record), and the labels of comet (1) or minor-planet (0) fields.
void NewCometElements(int index);
void SetOrbitEditorMode(int comet);

// Page Up / Down arrow the next record, Page Down / Up arrow the previous
// one (held at the ends); Left and Right move the date by the step while the
// arrow is held. Returns 1 when the key was taken.
int HandleOrbitKey(int key);

// The views (Part of the drawing is in orbit_list_views.cpp,
// orbit_track_views.cpp and orbit_element_view.cpp).
void DrawOrbitEphemeris();
// Best Dates and Brightest from the form's date and time read as universal
// time; the rows show the lists' dates (Best Dates: universal time).
void BuildBestDatesList();
void BuildBrightestList();
void DrawCometMagRow(int row, const XywhRect& rect);
// The row's record becomes the current one and the form's date and time the
// row's in local civil time (a Best Dates row's universal time moved by the
// zone), shown in the date and time fields.
void TakeUpCometRow(int row);
int BuildOrbit3DObjects(int zoom);
void DrawOrbit3DView();
void DrawOrbitSkyTrack(int index);
int DrawOrbit3D(int x, int y);
void OrbitPenDown(int x, int y);
int OrbitPenUp(int x, int y);
void ChooseOrbitFieldOfView(int row);
void ChangeOrbitCometKind();
void EditOrbitElementDate();
void SaveOrbitElements();
void DeleteOrbitRecord();
void StartNewOrbitRecord();

// What the form and its views share.
pl::Hwnd OrbitFormWindow();
DrawWindowRecord* OrbitOffscreen();
// The form becomes the draw window, in the colours of the scheme.
void UseOrbitForm();
void ShowOrbitControls(std::initializer_list<int> hidden, std::initializer_list<int> shown);
// The drawing area: below the record popup, above the bottom strip, full width.
XywhRect OrbitDrawArea();
// Fields 2557 and 2558: the form's date (FormatDate) and "%02d:%02d".
void WriteOrbitDateTimeFields();
// Reads record `index` into `record` with its work words filled; false when
// there is none.
bool ReadOrbitRecord(int index, CometRecord* record);

// The drawn data, for tests: the ephemeris rows drawn last, the 3D objects
// (11, null before the first build) and the sky track (15 entries, null while
// the form is closed).
const std::vector<OrbitEphemerisRow>& LastOrbitEphemerisRows();
const struct SolarSystemBody* OrbitSolarSystemBodies();
const SelectionEntry* OrbitSkyTrack();
void ClearLastOrbitEphemerisRows();
void AddLastOrbitEphemerisRow(const OrbitEphemerisRow& row);

// The 3D objects and the track buffer, made when needed and freed at close.
SelectionEntry* OrbitTrackBuffer();
void FreeOrbitPictures();

// The state of a program start: the form's state reset, no pictures (tests).
void ResetOrbitAssistantForm();
