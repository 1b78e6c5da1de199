// Delta T = TT - UT in seconds.
#pragma once

#include <cstdint>

// Delta T in seconds for 0h of a civil date.
// - 2006-01-01 .. 2049-12-31: the user's "Current DeltaT" preference (66.184 s by
//   default), since the table below has ended and the long-term formula runs
//   10-25 s high there.
// - from 1620-01-01 to 2005-12-31: the biennial table of Meeus, Astronomical
//   Algorithms, table 10.A, interpolated linearly on the decimal year.
// - before 948: 31 u^2 with u = (y - 1820) / 100 centuries; 948 to 1620:
//   22.5 t^2 + 67.5 t + 50.6; 2050 to 2100: 102 + 102 t + 25.3 t^2 + 0.37 (y - 2100);
//   from 2100: 102 + 102 t + 25.3 t^2, with t in centuries from 2000.
// Uncertainty: tenths of a second in the table years, minutes far outside them.
double ComputeDeltaT(int year, int month, int day);

// Number of entries of the Delta T table (one per even year 1620..2008).
constexpr int kDeltaTTableSize = 195;

// The table, tenths of a second; entry i is for 1 January of 1620 + 2 i.
extern const int16_t deltaTTable[kDeltaTTableSize];
