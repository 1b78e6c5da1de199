// The ephemeris assistant (form 2530, "EphemerisAssistant"): one object over a
// run of dates from the current date, a row per step, either its rise,
// transit (with the altitude then) and set or its magnitude, constellation,
// RA, Dec, azimuth and altitude at the start time of day. The object comes
// from OpenEphemerisAssistant (objects/ephemeris_open.h) or the finder target.
#pragma once

#include <cstdint>

#include "platform/types.h"

constexpr int kEphemerisFormId = 2530;

// Control ids of form 2530.
enum EphemerisControl {
    kEphemerisTitle = 2540, kEphemerisPageTrigger = 2541, kEphemerisPageList = 2542, kEphemerisUsage = 2538,
    kEphemerisBack = 2531, kEphemerisFinder = 2539, kEphemerisStepTrigger = 2532, kEphemerisStepList = 2533,
    kEphemerisDate = 2534, kEphemerisTime = 2535, kEphemerisClock = 2537,
};

// The first paint: the form in the back stack, the table starting at the
// current date and time (seconds 0), the finder target as the object when one
// is set, then the table.
void OpenEphemerisForm();

// The popups set to the step and the page, the start date and time written,
// and the table of the page drawn (see ephemeris_table_view.h).
void DrawEphemerisTable(int page);

// The action of a control.
void EphemerisCommand(int id);

pl::LResult EphemerisFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
