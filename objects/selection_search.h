// The criteria search: the observing list filled with every object of the
// built-in catalogues and the databases that passes the selection criteria at
// their date and time at the current site.
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"
#include "core/shared_state.h"

// Sidereal time of the search (hours) and the elevation threshold (sine of the
// minimum altitude, 8.24 fixed point), kept beside the criteria.
extern float selectionLst;
extern int32_t selectionElevationThreshold;

// The bounds of the visibility classes 1..4 (Very Easy .. Very Difficult):
// class c accepts difficulty ratings from visibilityClassBounds[c] to
// visibilityClassBounds[c - 1].
extern const double visibilityClassBounds[6];

// Resets the criteria for a one-shot search of objects of class byte `classByte`
// (0 any) in catalogue `catalogue` (designation id, 0 any) of type `type` (0 any)
// visible at currentDateTime: the fill limit, no finder target, the site's
// latitude, the date from the device clock unless fixed, no visibility,
// eyepiece, magnitude or constellation test, elevation "visible" in the views
// that show only the sky above the horizon, the horizon threshold and the sky
// state. A fill position below 1 empties the first maxSelectedItems slots.
void PrepareSelection(int classByte, int catalogue, int type);

// Marks the first "Max Selected items" slots of the list free (number -1).
void MarkSelectionSlotsFree();

// Keeps the sine and cosine of the site's latitude (8.24 fixed point) for the
// elevation test.
void StoreSelectionLatitude();

// Stores currentDateTime in the criteria and computes the sidereal time, the
// naked-eye limit (at most 7.0) and the telescope's limit (7.5 + 5 log10 of the
// aperture in whole centimetres, to 0.1). Returns the telescope's limit.
float ComputeSelectionSkyState();

// The telescope's limit of the criteria: 7.5 + 5 log10 of the aperture in
// whole centimetres (at least 1), to 0.1.
float SelectionScopeLimit();

// 1 when an object at right ascension `ra` (hours) and declination `dec`
// (degrees) has sin(altitude) at or above `threshold` (8.24) at sidereal time
// `lst` (hours) for the site's latitude, in 8.24 fixed point.
int TestElevation(float lst, float ra, float dec, int32_t threshold);

// 1 when the record passes the class, constellation, catalogue, type,
// magnitude, elevation, eyepiece and visibility criteria. The last two rate
// the object as every screen rates it (RateInTelescope, with the criteria's
// telescope limit scopeLimit): the eyepiece passes within 60% of the focal
// length giving the best power, the visibility when the rating lies in its
// class.
int TestSelectionCriteria(const SelectionCriteria& c, const ObjectRecord& rec);

// The date and time texts of the criteria form: the date as three numbers
// separated by "/" (month first when the locale's date order puts it first,
// else day first), the time as hours and minutes (and seconds) separated by
// ":". When the date reads as a real date it becomes currentDateTime's date,
// a time that reads (0..23 h, 0..59 min) its time, and the criteria take them
// with the sidereal time, the sky state and both limits
// (ComputeSelectionSkyState); returns 1. A date that does not read changes
// nothing and returns 0.
int ReadSelectionDateTime(const char* dateText, const char* timeText);

// The elevation criterion (0 none, 1 above the horizon preference, 2..9 above
// 15, 20, .. 50 degrees, 10 below the horizon preference) with its threshold,
// the sine of the minimum altitude in 8.24 fixed point.
void SetSelectionElevation(int elevation);

// Removes every entry of the list that passes the criteria, from the last to
// the first; with the Messier, Caldwell, Herschel or best-of-NGC catalogue
// only entries that came from that catalogue; planets, comets and asteroids are
// tested at their places of currentDateTime (the search's time, ListedPlacesAt);
// every entry is rated with the magnitude and sizes the list panel rates it
// with (ListedObject). The slot after the last entry is marked free, the view
// rebuilt under the class filter; the current entry stays current when it is
// kept, else none is. Returns the entries left.
int RemoveMatchingEntries();

// Fills the list from the fill position on (selectionShownCount) with the
// objects that pass, sorts them by name order, appends the bright stars for
// the bright-star catalogue and rebuilds the view; the current row becomes 0.
// Once the list is full the search goes on counting the objects that pass
// (each once), and with the list built tells "%d objects found and the list holds the first
// %d; raise Max Selected items to see them.".
void BuildSelectionList();
