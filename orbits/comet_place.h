// The comet place that the catalogue's lookups ask for through the hook of
// core/program_hooks.h.
#pragma once

#include "core/program_hooks.h"

// Fills the work words of `comet` and computes its place and magnitude
// (ComputeCometPosition, ComputeCometMagnitude). False, with `place` as it
// was, when the orbit fails, when the inclination, node, argument of
// perihelion, perihelion distance, absolute magnitude or slope is not finite
// or the absolute magnitude lies beyond +-100, or when the place or the
// magnitude is not finite (a perihelion of 1e-28 AU gives an infinite one).
bool CometPlaceAt(CometRecord* comet, double jd, int equinoxYear, CometPlace* place);

// Installs CometPlaceAt as the comet-place hook (start-up).
void InstallCometPlace();
