// The solar series of Bretagnon & Simon (Planetary Programs and Tables from -4000 to +2800).
#pragma once

constexpr int kSolarSeriesTerms = 50;

// Rows of longitude amplitude (1e-7 rad, sine), distance amplitude (1e-7 AU, cosine), phase
// (rad) and frequency (rad per 10000 Julian years).
extern const double solarSeries[kSolarSeriesTerms][4];
