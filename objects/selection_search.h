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

// Resets the criteria for a one-shot search of objects of class byte `classByte`
// (0 any) in catalogue `catalogue` (designation id, 0 any) of type `type` (0 any)
// visible at currentDateTime: the fill limit, no finder target, the site's
// latitude, the date from the device clock unless fixed, no visibility,
// eyepiece, magnitude or constellation test, elevation "visible" in the views
// that show only the sky above the horizon, the horizon threshold and the sky
// state. A fill position below 1 empties the first maxSelectedItems slots.
void PrepareSelection(int classByte, int catalogue, int type);

// Stores currentDateTime in the criteria and computes the sidereal time, the
// naked-eye limit (at most 7.0) and the telescope's limit (7.5 + 5 log10 of the
// aperture in whole centimetres, to 0.1). Returns the telescope's limit.
float ComputeSelectionSkyState();

// 1 when an object at right ascension `ra` (hours) and declination `dec`
// (degrees) has sin(altitude) at or above `threshold` (8.24) at sidereal time
// `lst` (hours) for the site's latitude, in 8.24 fixed point.
int TestElevation(float lst, float ra, float dec, int32_t threshold);

// 1 when the record passes the class, constellation, catalogue, type,
// magnitude and elevation criteria.
int TestSelectionCriteria(const SelectionCriteria& c, const ObjectRecord& rec);

// Fills the list from the fill position on (selectionShownCount) with the
// objects that pass, sorts them by name order, appends the bright stars for
// the bright-star catalogue and rebuilds the view; the current row becomes 0.
void BuildSelectionList();
