// The eclipse assistant (form 2700): the list of coming eclipses and, for the
// selected one, the List, Info, Path, Map and Diagram views. The state below is
// kept for the whole run unless said otherwise; UI thread only.
#pragma once

#include "eclipse/local_eclipse.h"
#include "platform/types.h"
#include "ui/xywh_rect.h"

struct DrawWindowRecord;

constexpr int kEclipseFormId = 2700;

enum EclipseView { kEclipseListView = 0, kEclipseInfoView, kEclipsePathView, kEclipseMapView, kEclipseDiagramView };

extern int currentEclipseView;  // 0 at every opening
// The time of interest, UT hours of the eclipse's date: negative before 0 h (the
// minutes and seconds counted forward, as SplitRoundedTime gives them), shown
// on the clock of its own day.
extern int viewHour, viewMinute, viewSecond;
extern double typedLatitude, typedLongitude;  // the location typed or tapped (west positive)
extern double observerLatitude, observerLongitude;  // the place the views show; latitude -500: unset
// Three records kept apart, so that a place or a time set in one view leaves
// the others as they were:
// - the circumstances at the observer point, computed there when
//   localResultComputed is set;
extern LocalEclipseResult localResult;
extern bool localResultComputed;
// - the umbra at a time (the Info view's time of interest, the map's steps);
extern LocalEclipseResult umbraResult;
// - the selected eclipse's place of greatest eclipse (degrees, west positive;
//   for a lunar eclipse the sub-lunar point then), set by the selection and
//   the summary only: the list's best place, the Path and Diagram views.
extern double greatestLatitude, greatestLongitude;
// Set when the circumstances at the observer point were computed there (the
// location's Set, a map tap's Info): the Info view shows them whatever the
// shadow's axis does at their time.
extern bool observerCircumstancesComputed;
// Set when those circumstances found no eclipse there (a magnitude below 0, or
// the Sun below the horizon from the first to the last contact):
// the Info view then shows the place and no circumstances, not those of the
// shadow centre.
extern bool observerSeesNoEclipse;
extern XywhRect viewRect;  // below the title, above the bottom strip
extern int screenWidth, screenHeight;
extern DrawWindowRecord* savedViewBits;  // the last map drawn; deleted at every draw
// The map and globe state a new selection resets.
extern int mapRecentre;       // -1: centre on the observer point at the next draw
extern int mapPositionCount;  // positions computed for the selected event
extern int globeLongitude, globeLatitude;  // degrees, 0..359

// The form's dialog procedure.
pl::LResult EclipseFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// The first paint: defaults (2006-01-01 at the first opening of the run), the
// view rectangle, no selection, then the List view.
void OpenEclipseForm();

// Builds the list when there is none and draws the current view.
void DrawEclipseView();

// The effect of control `id`; 1 when handled, 0 for ids outside 2701..2724.
int HandleEclipseControl(int id);

// Selects row 0 when none is, completes the selected record if needed (greatest
// eclipse, and for a solar one the elements, the point of greatest eclipse and
// the Sun and Moon caches), sets the time of interest and draws the summary. A
// place set in Info gives way to the place and time of greatest eclipse.
void CompleteSelectedEclipse();

// Sets the time of interest to a UT in hours rounded once to the whole second
// (09:55:58.4 is 09:55:58, 11:47:59.6 is 11:48:00); past 24 h the hours go on,
// before 0 h they are negative with the minutes and seconds counted forward.
void SetViewTime(double hours);

// Marks the local circumstances as not computed (the Info view computes them
// at the observer point, after the time's Set the shadow centre of that time).
void ForgetLocalCircumstances();

// One row of the list 2704: date, "Sun" or "Moon", the kind name and, on larger
// layouts, the kind icon.
void DrawEclipseRow(int16_t row, const XywhRect& rect, int selected, int itemWidth);

// Moves the controls for a screen other than 240 x 320; nonzero when moved.
int LayoutEclipseForm(pl::Hwnd form, int width, int height);

void ReleaseEclipseFormControls(pl::Hwnd form);

// Frees the list, the caches and the saved pictures; keeps the start date, the
// time of interest and the typed location.
void CloseEclipseForm();

// The state of a program start: no list, start date unset, time 0:00:00
// (tests).
void ResetEclipseForm();

// The stylus: the pen-down point is kept for the Map and Diagram views.
int EclipsePenDown(int x, int y);
int EclipsePenMove(int x, int y);
int EclipsePenUp(int x, int y);
