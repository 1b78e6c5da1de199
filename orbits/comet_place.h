// The comet place that the catalogue's lookups ask for through the hook of
// core/program_hooks.h.
#pragma once

#include "core/program_hooks.h"

// Fills the work words of `comet` and computes its place and magnitude
// (ComputeCometPosition, ComputeCometMagnitude); false when the orbit fails.
bool CometPlaceAt(CometRecord* comet, double jd, int equinoxYear, CometPlace* place);

// Installs CometPlaceAt as the comet-place hook (start-up).
void InstallCometPlace();
