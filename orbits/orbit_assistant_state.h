// The state of the orbit assistant (form 2550) that outlives the form: the
// comet or minor-planet record and the view it shows, the date step, the 3D
// zoom, the sky view's field of view and centre, the element display's mode,
// the form's own date and time and the work record. Other forms set the record
// and the view before they open the assistant. UI thread only.
#pragma once

#include "catalog/comet_satellite_db.h"

// Views of the view popup.
enum OrbitView : int {
    kOrbitViewEphemeris = 0,
    kOrbitViewBestDates = 1,
    kOrbitViewBrightest = 2,
    kOrbitView3d = 3,
    kOrbitViewSky = 4,
    kOrbitViewData = 5,
};

// The record (0-based) of the comet database; -1 a new record not yet saved.
extern int orbitCometIndex;
// The view, 0..5 (OrbitView).
extern int orbitAssistantView;
// Row 0..8 of the date steps {1, 2, 5, 7, 10, 14, 30, 60, 90} days; 3 at start.
extern int orbitDateStep;
// Zoom of the 3D view, 1..7; 5 at start.
extern int orbitZoomLevel;
// Row of the sky view's field-of-view popup; 0 at start.
extern int orbitSkyFov;
// 1 while the element display shows comet fields, 0 for a minor planet's.
extern int orbitCometMode;

constexpr int kOrbitDateStepCount = 9;
constexpr int kOrbitDateSteps[kOrbitDateStepCount] = {1, 2, 5, 7, 10, 14, 30, 60, 90};

// Days of the current date step (orbitDateStep held within the table).
int OrbitStepDays();

// The form's date and time, local civil time; taken from currentDateTime at
// every opening with second 0.
struct OrbitFormTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
extern OrbitFormTime orbitFormTime;

// The pictures' state: the sky view's centre (longitude and latitude in
// degrees; both 0 means none, and the view centres on its seventh track
// point), the three angles of the 3D view (whole degrees; the pen turns the
// first and the third), the last pen point, the drag flag and the key-repeat
// flag (0 while a key's step runs).
struct OrbitViewState {
    float centreLongitude = 0.0f;
    float centreLatitude = 0.0f;
    int angle[3] = {0, 0, 0};
    int lastPenX = 0, lastPenY = 0;
    int dragging = 0;
    int keyRepeat = 1;
};
extern OrbitViewState orbitViewState;

// The current record as read from the database (or a new one being edited).
extern CometRecord orbitWorkRecord;

void SetOrbitCometIndex(int recordIndex);
void SetOrbitAssistantView(int view);

// No sky-view centre: the next drawing centres on the track.
void ClearOrbitSkyCentre();

// Everything back to its start value (tests).
void ResetOrbitAssistantState();
