#include "ephemeris/magnitude_phase.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/reference_csv.h"

namespace {

// Magnitude and phase from the three distances: elongation and illuminated fraction against
// PyEphem for Mercury to Pluto. Its distances carry 7 significant digits, which near
// conjunction leaves up to a few hundredths of a degree in the elongation.
TEST(MagnitudePhase, ElongationAndFractionMatchPyEphem) {
    int checked = 0;
    for (const auto& r : ReadReferenceCsv("bodies_pyephem.csv")) {
        if (r[6] < 2 || r[6] > 9) continue;
        double magnitude, fraction, elongation;
        ComputeMagnitudePhase(int(r[6]), r[9], r[10], r[11], &magnitude, &fraction, &elongation);
        EXPECT_NEAR(elongation, r[12], 0.05) << r[0] << " body " << r[6];
        EXPECT_NEAR(fraction, r[13], 2e-4) << r[0] << " body " << r[6];
        ++checked;
    }
    EXPECT_EQ(checked, 64);
}

// Meeus, Astronomical Algorithms, example 41.a: Venus on 1992 December 20, Delta = 0.910947,
// r = 0.724604, R = 0.983824: phase angle 72.96 degrees, k = 0.647. Bodies without a
// magnitude law keep the caller's magnitude.
TEST(MagnitudePhase, MeeusVenusAndBodiesWithoutALaw) {
    double magnitude = -99, fraction = -1, elongation = -1;
    ComputeMagnitudePhase(3, 0.910947, 0.724604, 0.983824, &magnitude, &fraction, &elongation);
    EXPECT_NEAR(fraction, 0.647, 0.0005);
    for (int body : {0, 10, 11, -3}) {
        magnitude = -99;
        ComputeMagnitudePhase(body, 1.5, 1.2, 1.0, &magnitude, &fraction, &elongation);
        EXPECT_EQ(magnitude, -99) << body;
    }
}

// The three bodies in line: inferior conjunction (phase angle 180), superior conjunction and
// opposition (phase angle 0). Rounding can carry either cosine past +-1; the result must
// stay a number.
TEST(MagnitudePhase, BodiesInLine) {
    double magnitude, fraction, elongation;
    for (double delta : {1.0 - 0.723, 1.0 + 0.723}) {
        ComputeMagnitudePhase(3, delta, 0.723, 1.0, &magnitude, &fraction, &elongation);
        EXPECT_NEAR(fraction, delta > 1 ? 1.0 : 0.0, 1e-12);
        EXPECT_NEAR(elongation, 0.0, 1e-5);
    }
    for (double r : {1.52, 5.2, 9.5, 19.2, 30.1, 39.5}) {
        for (double bigR : {0.983, 1.0, 1.0167}) {
            ComputeMagnitudePhase(4, r - bigR, r, bigR, &magnitude, &fraction, &elongation);
            EXPECT_NEAR(elongation, 180.0, 1e-4) << r << ' ' << bigR;  // NaN fails
            EXPECT_NEAR(fraction, 1.0, 1e-12) << r << ' ' << bigR;
        }
    }
}

}  // namespace
