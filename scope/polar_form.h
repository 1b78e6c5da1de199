// The polar alignment assistant (form 2470, "PolarAssistant", menu command
// 1019). Three methods share the form: "Quick" shows where Polaris sits in a
// polar finder's reticle every half hour from the form's time; "King" and
// "Rambaut" time a star's drift with tracking off and turn the displacement
// the user taps on the reticle picture into the polar-axis error and
// instructions in fields of view (scope/polar_alignment.h holds the numbers,
// scope/polar_view.h the pictures).
//
// The drift procedure: "1" chooses a star near the celestial equator on the
// sky chart, "2" times its crossing of the reticle box to measure the
// resolution R, "3" chooses a star near the target, a row of the alarm popup
// starts the drift timing (an alarm of 8 to 32 minutes, or "Manual"), and a
// tap on the reticle where the star has gone ends it and evaluates it.
#pragma once

#include <cstdint>

#include "platform/types.h"

constexpr int kPolarForm = 2470;

// Controls of form 2470.
enum PolarControl : int {
    kPolarTitle = 8032,
    kPolarHelp = 2506,
    kPolarMethodTrigger = 2472,
    kPolarMethodList = 2473,
    kPolarResolutionLabel = 2482,
    kPolarResolutionField = 2483,
    kPolarEquatorStar = 2501,
    kPolarMeasure = 2504,
    kPolarTargetLabel = 138,
    kPolarTargetStar = 2500,
    kPolarRaLabel = 2474,
    kPolarRaField = 2475,
    kPolarDecLabel = 2492,
    kPolarDecField = 2493,
    kPolarCorrectLabel = 2476,
    kPolarCorrectField = 2477,
    kPolarReticleTrigger = 2498,
    kPolarReticleList = 2499,
    kPolarAlignmentLabel = 139,
    kPolarAlarmTrigger = 2502,
    kPolarAlarmList = 2503,
    kPolarXLabel = 2478,
    kPolarXField = 2479,
    kPolarYLabel = 2480,
    kPolarYField = 2481,
    kPolarAngleLabel = 2484,
    kPolarAngleField = 2485,
    kPolarAzimuthLabel = 2488,
    kPolarAzimuthField = 2489,
    kPolarLambdaLabel = 2486,
    kPolarLambdaField = 2487,
    kPolarAltitudeLabel = 2490,
    kPolarAltitudeField = 2491,
    kPolarBack = 2471,
    kPolarDateField = 2495,
    kPolarTimeField = 2497,
    kPolarClock = 2505,
};

// The form's timer that raises the drift alarm (checked every second).
constexpr int kPolarAlarmTimer = 2470;

// The method: 0 Quick, 1 King, 2 Rambaut (0 at start).
extern int polarMethod;
// Progress of the drift procedure: 1 after "1", 3 after "3", 5 while a drift
// is timed, 4 after a drift was evaluated (0 at start).
extern int polarStep;
// Row of the reticle popup: 0 "Cross", 1 "Grid".
extern int polarReticleType;

// The form's date and time (local civil time); a negative year is taken from
// the clock when the form opens.
struct PolarDateTime {
    int year = -1, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
extern PolarDateTime polarDateTime;

// Drift timing, seconds of GetSeconds: start and end of the drift and the
// alarm time (0: no alarm waiting).
extern uint32_t driftStart, driftEnd, polarAlarmTime;

pl::LResult PolarDialogProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// The first paint: the date and time from the clock when the year is
// negative, 2470 in the form history, the default stars loaded, PolarRefresh.
void PolarOpen();

// The date and time fields, the controls of the method, the stored
// resolution (preference word 38) and the method's picture.
void PolarRefresh();

// The form's commands; 1 when handled.
pl::LResult PolarCommand(pl::Hwnd form, int id);

// "2": the resolution from a timed crossing of the reticle box by the star
// chosen with "1". Refused before "1".
void MeasureResolution();

// A tap at (x, y) (form pixels) inside the reticle box ends a timed drift.
// False when the point is outside the box.
bool PolarReticleTap(int x, int y);

// Starts the drift timing with alarm row `row` (0..3: 8, 16, 24, 32 minutes,
// 4: "Manual").
void StartDriftTiming(int row);

// Back to the start of a run (tests): method Quick, step 0, no timing, the
// clock's date and time at the next opening.
void ResetPolarForm();
