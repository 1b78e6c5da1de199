// Calls from the catalogue and the computation up to the subsystems that own
// the state they touch: the chart's projection flag, the finder's target, the
// orbit computation and the keys that stop a long search.
// Each owner installs its hook at start-up (tests install what they need);
// until then the calls do nothing, or report no result.
#pragma once

struct ObjectRecord;  // catalog/object_catalog.h
struct CometRecord;   // catalog/comet_satellite_db.h

// Marks the horizon-view positions of the chart's object table stale, to be
// recomputed at the next drawing (the observing list or the catalogue changed).
void InvalidateHorizonProjection();

// Marks the chart's star screen list empty: the catalogue databases are opened
// again, so the star positions it keeps may name other stars.
void MarkChartScreenListEmpty();

// A catalogue lookup found `record`, record `index` of its catalogue: it
// becomes the finder's current target.
void SetFoundObject(const ObjectRecord& record, int index);

// Apparent place of a comet or minor planet at `jd` (Julian day, UT), referred
// to the equinox of `equinoxYear`: right ascension in hours, declination in
// degrees, distance from the Earth in AU and visual magnitude. The record's
// work words are filled first. False when the orbit cannot be computed or no
// computation is installed.
struct CometPlace {
    float rightAscension;
    float declination;
    float distance;
    double magnitude;
};
bool ComputeCometPlace(CometRecord* comet, double jd, int equinoxYear, CometPlace* place);

// True when the user holds a key that stops a long search (an arrow or page
// key, polled by the UI layer, which takes the next input event as it looks).
// False while no screen has installed the poll.
bool IsSearchStopKeyDown();

// False when form `formId` would be refused (no screen for it, or what it
// needs is missing): the form that asks for it then stays open under the
// refusal. True while the form table has not installed its check.
bool FormCanOpen(int formId);

// Installers; each returns the hook it replaces (null: none).
using HorizonProjectionHook = void (*)();
using ChartScreenListHook = void (*)();
using FoundObjectHook = void (*)(const ObjectRecord& record, int index);
using CometPlaceHook = bool (*)(CometRecord* comet, double jd, int equinoxYear, CometPlace* place);
using StopKeyHook = bool (*)();
HorizonProjectionHook InstallHorizonProjectionHook(HorizonProjectionHook hook);
ChartScreenListHook InstallChartScreenListHook(ChartScreenListHook hook);
FoundObjectHook InstallFoundObjectHook(FoundObjectHook hook);
CometPlaceHook InstallCometPlaceHook(CometPlaceHook hook);
StopKeyHook InstallStopKeyHook(StopKeyHook hook);
using FormCanOpenHook = bool (*)(int formId);
FormCanOpenHook InstallFormCanOpenHook(FormCanOpenHook hook);
