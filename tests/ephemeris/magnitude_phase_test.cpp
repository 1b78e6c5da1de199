#include "ephemeris/magnitude_phase.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/reference_csv.h"

namespace {

TEST(ApparentDiameter, TableAndBodiesWithoutOne) {
    EXPECT_DOUBLE_EQ(GetApparentDiameter(0, 1.0), 1919.26 / 60);
    EXPECT_NEAR(GetApparentDiameter(5, 4.2), 196.94 / 4.2 / 60, 1e-12);
    EXPECT_NEAR(GetApparentDiameter(9, 30.0), 6.36 / 30.0 / 60, 1e-12);
    EXPECT_EQ(GetApparentDiameter(10, 1.0), 0.0);
    EXPECT_EQ(GetApparentDiameter(13, 0.0026), 0.0);
    EXPECT_EQ(GetApparentDiameter(-1, 1.0), 0.0);
}

struct Phase {
    double magnitude = -99, fraction = -1, elongation = -1;
};

Phase Compute(int body, double delta, double r, double bigR) {
    Phase p;
    ComputeMagnitudePhase(body, delta, r, bigR, &p.magnitude, &p.fraction, &p.elongation);
    return p;
}

// The three bodies in line: inferior conjunction (phase angle 180), superior
// conjunction and opposition (phase angle 0). Rounding can carry either cosine
// past +-1; the result must stay a number.
TEST(MagnitudePhase, BodiesInLine) {
    const Phase inferior = Compute(3, 1.0 - 0.723, 0.723, 1.0);
    EXPECT_NEAR(inferior.fraction, 0.0, 1e-12);
    EXPECT_NEAR(inferior.elongation, 0.0, 1e-5);
    const Phase superior = Compute(3, 1.0 + 0.723, 0.723, 1.0);
    EXPECT_NEAR(superior.fraction, 1.0, 1e-12);
    EXPECT_NEAR(superior.elongation, 0.0, 1e-5);
    for (double r : {1.52, 5.2, 9.5, 19.2, 30.1, 39.5}) {
        for (double bigR : {0.983, 1.0, 1.0167}) {
            const Phase opposition = Compute(4, r - bigR, r, bigR);
            ASSERT_FALSE(std::isnan(opposition.elongation)) << r << ' ' << bigR;
            ASSERT_FALSE(std::isnan(opposition.fraction)) << r << ' ' << bigR;
            EXPECT_NEAR(opposition.elongation, 180.0, 1e-4);
            EXPECT_NEAR(opposition.fraction, 1.0, 1e-12);
        }
    }
}

// Saturn at opposition, r = 9.5, Delta = 8.5: -8.88 + 5 log10(80.75).
TEST(MagnitudePhase, SaturnAtOpposition) {
    const Phase p = Compute(6, 8.5, 9.5, 1.0);
    EXPECT_NEAR(p.magnitude, -8.88 + 5 * std::log10(80.75), 1e-9);
}

// Meeus, Astronomical Algorithms, example 41.a: Venus on 1992 December 20,
// Delta = 0.910947, r = 0.724604, R = 0.983824 gives a phase angle of 72.96
// degrees and k = 0.647.
TEST(MagnitudePhase, MeeusVenusExample) {
    const Phase p = Compute(3, 0.910947, 0.724604, 0.983824);
    EXPECT_NEAR(p.fraction, 0.647, 0.0005);
}

// Bodies without a magnitude law keep the caller's magnitude.
TEST(MagnitudePhase, NoLawNoMagnitude) {
    for (int body : {0, 10, 11, -3}) {
        const Phase p = Compute(body, 1.5, 1.2, 1.0);
        EXPECT_EQ(p.magnitude, -99) << body;
        EXPECT_GE(p.fraction, 0.0) << body;
    }
}

// The Moon has no longitudes here: elongation 0 and phase angle 180 degrees.
TEST(MagnitudePhase, MoonWithoutLongitudes) {
    const Phase p = Compute(1, 0.00257, 1.0, 1.0);
    EXPECT_EQ(p.elongation, 0.0);
    EXPECT_NEAR(p.fraction, 0.0, 1e-15);
    EXPECT_NEAR(p.magnitude, 0.23 + 5 * std::log10(0.00257) + 0.026 * 180 + 4e-09 * std::pow(180.0, 4),
                1e-9);
}

// The elongation and the illuminated fraction follow from the three distances
// alone: PyEphem's values (scripts/reference/bodies_pyephem.py) for Mercury to
// Pluto at eight dates. Its distances carry 7 significant digits, which near
// conjunction leaves up to a few hundredths of a degree in the elongation.
TEST(MagnitudePhase, ElongationAndFractionMatchPyEphem) {
    auto rows = ReadReferenceCsv("bodies_pyephem.csv");
    ASSERT_FALSE(rows.empty());
    int checked = 0;
    for (const auto& r : rows) {
        const int body = int(r[6]);
        if (body < 2 || body > 9) continue;
        const Phase p = Compute(body, r[9], r[10], r[11]);
        EXPECT_NEAR(p.elongation, r[12], 0.05) << r[0] << " body " << body;
        EXPECT_NEAR(p.fraction, r[13], 2e-4) << r[0] << " body " << body;
        ++checked;
    }
    EXPECT_EQ(checked, 64);
}

}  // namespace
