#include "ephemeris/elp2000_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

// 400 sines in longitude, 411 in latitude, 344 cosines in distance.
TEST(Elp2000Table, TermCounts) {
    EXPECT_EQ(kElpMainLongitudeCount + kElpPlanetaryLongitudeCount + kElpEarthFigureLongitudeCount,
              400);
    EXPECT_EQ(kElpMainLongitudeCount, 370);
    EXPECT_EQ(kElpPlanetaryLongitudeCount, 13);
    EXPECT_EQ(kElpEarthFigureLongitudeCount, 17);
    EXPECT_EQ(kElpMainLatitudeCount + kElpEarthFigureLatitudeCount + kElpPlanetaryLatitudeCount + 1,
              411);
    EXPECT_EQ(kElpMainLatitudeCount, 398);
    EXPECT_EQ(kElpEarthFigureLatitudeCount, 4);
    EXPECT_EQ(kElpPlanetaryLatitudeCount, 8);
    EXPECT_EQ(kElpMainDistanceCount, 344);
}

template <int N>
void ExpectDecreasing(const ElpMainTerm (&terms)[N], int maxD, int maxM, int maxMp, int maxF) {
    for (int i = 0; i < N; ++i) {
        if (i > 0) {
            EXPECT_LE(std::fabs(terms[i].amplitude), std::fabs(terms[i - 1].amplitude)) << i;
        }
        EXPECT_LE(std::abs(terms[i].d), maxD) << i;
        EXPECT_LE(std::abs(terms[i].m), maxM) << i;
        EXPECT_LE(std::abs(terms[i].mp), maxMp) << i;
        EXPECT_LE(std::abs(terms[i].f), maxF) << i;
    }
}

// The main problem is summed in decreasing order of |A|, with the multipliers quoted for it.
TEST(Elp2000Table, MainProblemOrderAndMultipliers) {
    ExpectDecreasing(elpMainLongitude, 8, 4, 6, 4);
    ExpectDecreasing(elpMainLatitude, 8, 4, 6, 5);
    ExpectDecreasing(elpMainDistance, 8, 4, 6, 4);
}

void ExpectMain(const ElpMainTerm& term, int d, int m, int mp, int f, double amplitude,
                double tolerance) {
    EXPECT_EQ(term.d, d);
    EXPECT_EQ(term.m, m);
    EXPECT_EQ(term.mp, mp);
    EXPECT_EQ(term.f, f);
    EXPECT_NEAR(term.amplitude, amplitude, tolerance);
}

// Amplitudes quoted with the series (corrected main-problem constants), to their digits.
TEST(Elp2000Table, QuotedMainProblemTerms) {
    ExpectMain(elpMainLongitude[0], 0, 0, 1, 0, 22639.58578, 5e-6);
    ExpectMain(elpMainLatitude[0], 0, 0, 0, 1, 18461.23868, 5e-6);
    ExpectMain(elpMainDistance[0], 0, 0, 1, 0, -20905.355043, 5e-7);
    ExpectMain(elpMainDistance[1], 2, 0, -1, 0, -3699.110919, 5e-7);
    ExpectMain(elpMainDistance[2], 2, 0, 0, 0, -2955.967564, 5e-7);
    ExpectMain(elpMainDistance[3], 0, 0, 2, 0, -569.925121, 5e-7);
    EXPECT_NEAR(std::fabs(elpMainLatitude[kElpMainLatitudeCount - 1].amplitude), 0.00052, 5e-6);
    EXPECT_NEAR(std::fabs(elpMainDistance[kElpMainDistanceCount - 1].amplitude), 0.00065, 5e-6);
    // The 370th largest longitude term is 0.00102": only 367 terms reach 0.00108".
    EXPECT_NEAR(std::fabs(elpMainLongitude[kElpMainLongitudeCount - 1].amplitude), 0.00102, 5e-6);
    EXPECT_NEAR(std::fabs(elpMainLongitude[366].amplitude), 0.00108, 5e-6);
}

TEST(Elp2000Table, QuotedPerturbationTerms) {
    const ElpPerturbationTerm& venus = elpPlanetaryLongitude[0];  // 18 V - 16 E - M'
    EXPECT_NEAR(venus.amplitude, 14.2488, 5e-5);
    EXPECT_EQ(venus.venus, 18);
    EXPECT_EQ(venus.earth, -16);
    EXPECT_EQ(venus.mp, -1);
    EXPECT_NEAR(elpPlanetaryLongitude[kElpPlanetaryLongitudeCount - 1].amplitude, 0.3016, 5e-5);
    EXPECT_NEAR(elpEarthFigureLongitude[0].amplitude, 7.06304, 5e-6);
    EXPECT_NEAR(elpEarthFigureLongitude[kElpEarthFigureLongitudeCount - 1].amplitude, 0.01234,
                5e-6);
    int zetaTerms = 0;
    for (const ElpPerturbationTerm& term : elpEarthFigureLongitude) {
        if (term.zeta != 0) {
            ++zetaTerms;
        } else {  // the one term without zeta: 0.02206" sin(2D - M')
            EXPECT_NEAR(term.amplitude, 0.02206, 5e-6);
            EXPECT_EQ(term.d, 2);
            EXPECT_EQ(term.mp, -1);
        }
    }
    EXPECT_EQ(zetaTerms, 16);
    const ElpPerturbationTerm& zeta = elpEarthFigureLatitude[0];  // 8.045" sin(zeta + pi)
    EXPECT_NEAR(zeta.amplitude, 8.045, 5e-4);
    EXPECT_EQ(zeta.zeta, 1);
    EXPECT_NEAR(zeta.phase, M_PI, 1e-4);
    EXPECT_NEAR(elpPlanetaryLatitude[0].amplitude, 1.375, 5e-4);
    EXPECT_NEAR(elpPlanetaryLatitude[kElpPlanetaryLatitudeCount - 1].amplitude, 0.067, 5e-4);
    for (const ElpPerturbationTerm& term : elpPlanetaryLatitude) {
        EXPECT_EQ(term.mars, 0);
        EXPECT_EQ(term.jupiter, 0);
    }
}

TEST(Elp2000Table, ExtraLatitudeTerm) {
    EXPECT_EQ(elpExtraLatitudeTerm.amplitude, -0.0011020707028792996);
    EXPECT_EQ(elpExtraLatitudeTerm.frequency, 8433.46585222164);
    EXPECT_EQ(elpExtraLatitudeTerm.phase, 3.1991885189056064);
}

}  // namespace
