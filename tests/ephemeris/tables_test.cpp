// The coefficient tables made by scripts/tables/: term counts and the terms quoted with each
// published series (a short or zero-padded table fails its count or its last quoted term).
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "core/solar_series_table.h"
#include "ephemeris/elp2000_table.h"
#include "ephemeris/lunar_libration_terms.h"
#include "ephemeris/lunation_tables.h"
#include "ephemeris/simon_elements.h"
#include "ephemeris/vsop87_earth_table.h"

namespace {

// Meeus, Astronomical Algorithms, Appendix III (Earth): terms per series, and the cosines one
// call evaluates (123 + 7 + 56 = 186; the rest are constants).
TEST(Vsop87EarthTable, TermAndCosineCounts) {
    const Vsop87Series* groups[3] = {earthLongitudeSeries, earthLatitudeSeries, earthRadiusSeries};
    const int sizes[3] = {6, 2, 5}, cosines[3] = {123, 7, 56};
    const int counts[13] = {64, 34, 20, 7, 3, 1, 5, 2, 40, 10, 6, 2, 1};
    for (int g = 0, k = 0; g < 3; ++g) {
        int n = 0;
        for (int i = 0; i < sizes[g]; ++i, ++k) {
            EXPECT_EQ(groups[g][i].count, counts[k]) << k;
            for (int j = 0; j < groups[g][i].count; ++j) n += groups[g][i].terms[j].c != 0.0;
        }
        EXPECT_EQ(n, cosines[g]) << g;
    }
}

// Published frequencies divided by ten; zero-frequency terms of phase pi stored as negative
// constants.
TEST(Vsop87EarthTable, QuotedTerms) {
    const struct { Vsop87Term term, want; } cases[] = {
        {earthLongitudeSeries[0].terms[0], {175347046, 0, 0}},
        {earthLongitudeSeries[0].terms[1], {3341656, 4.6692568, 628.307585}},
        {earthLongitudeSeries[4].terms[0], {-114, 0, 0}},
        {earthLongitudeSeries[5].terms[0], {-1, 0, 0}},
        {earthLatitudeSeries[0].terms[0], {280, 3.199, 8433.4662}},
        {earthLatitudeSeries[1].terms[1], {6, 1.73, 522.369}},
        {earthRadiusSeries[1].terms[2], {-702, 0, 0}},
        {earthRadiusSeries[4].terms[0], {4, 2.56, 628.308}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.term.a, c.want.a);
        EXPECT_EQ(c.term.b, c.want.b) << c.want.a;
        EXPECT_EQ(c.term.c, c.want.c) << c.want.a;
    }
}

// ELP-2000/82: 400 sines in longitude (370 + 13 + 17), 411 in latitude (398 + 4 + 8 + 1),
// 344 cosines in distance.
TEST(Elp2000Table, TermCounts) {
    EXPECT_EQ(kElpMainLongitudeCount + kElpPlanetaryLongitudeCount + kElpEarthFigureLongitudeCount, 400);
    EXPECT_EQ(kElpMainLatitudeCount + kElpEarthFigureLatitudeCount + kElpPlanetaryLatitudeCount + 1, 411);
    EXPECT_EQ((std::array{kElpMainLongitudeCount, kElpPlanetaryLongitudeCount, kElpMainLatitudeCount,
                          kElpPlanetaryLatitudeCount, kElpMainDistanceCount}),
              (std::array{370, 13, 398, 8, 344}));
}

// Amplitudes quoted with the series (arcseconds, km), to their digits: the leading terms,
// the smallest kept (only 367 longitude terms reach 0.00108"), the Venus term
// 14.2488" sin(18 V - 16 E - M'), the Earth-figure terms (all but 0.02206" sin(2D - M') with
// zeta) and 8.045" sin(zeta + pi) in latitude.
TEST(Elp2000Table, QuotedTerms) {
    const double amplitudes[][3] = {
        {elpMainLongitude[0].amplitude, 22639.58578, 5e-6}, {elpMainLatitude[0].amplitude, 18461.23868, 5e-6},
        {elpMainDistance[0].amplitude, -20905.355043, 5e-7}, {elpMainDistance[3].amplitude, -569.925121, 5e-7},
        {std::fabs(elpMainLongitude[369].amplitude), 0.00102, 5e-6},
        {std::fabs(elpMainLongitude[366].amplitude), 0.00108, 5e-6},
        {std::fabs(elpMainLatitude[397].amplitude), 0.00052, 5e-6},
        {std::fabs(elpMainDistance[343].amplitude), 0.00065, 5e-6},
        {elpPlanetaryLongitude[0].amplitude, 14.2488, 5e-5}, {elpPlanetaryLongitude[12].amplitude, 0.3016, 5e-5},
        {elpEarthFigureLongitude[0].amplitude, 7.06304, 5e-6}, {elpEarthFigureLongitude[16].amplitude, 0.01234, 5e-6},
        {elpEarthFigureLatitude[0].amplitude, 8.045, 5e-4}, {elpPlanetaryLatitude[0].amplitude, 1.375, 5e-4},
        {elpPlanetaryLatitude[7].amplitude, 0.067, 5e-4}};
    for (const auto& a : amplitudes) EXPECT_NEAR(a[0], a[1], a[2]) << a[1];
    EXPECT_TRUE(elpMainLongitude[0].mp == 1 && elpMainLatitude[0].f == 1 && elpMainDistance[3].mp == 2);
    const ElpPerturbationTerm &venus = elpPlanetaryLongitude[0], &zeta = elpEarthFigureLatitude[0];
    EXPECT_TRUE(venus.venus == 18 && venus.earth == -16 && venus.mp == -1);
    EXPECT_TRUE(zeta.zeta == 1 && std::fabs(zeta.phase - M_PI) < 1e-4);
    int zetaTerms = 0;
    for (const ElpPerturbationTerm& t : elpEarthFigureLongitude) zetaTerms += t.zeta != 0;
    EXPECT_EQ(zetaTerms, 16);
}

// Meeus, ch. 49: 25 terms per phase, 6 of the quarters' W, 14 planetary arguments.
TEST(LunationTables, CountsAndQuotedTerms) {
    EXPECT_EQ((std::array{kLunationTermCount, kQuarterCorrectionTermCount, kPlanetaryArgumentCount}),
              (std::array{25, 6, 14}));
    const double quoted[][2] = {
        {newMoonTerms[0].coefficient, -0.40720}, {newMoonTerms[1].coefficient, 0.17241},
        {double(newMoonTerms[1].ePower), 1}, {fullMoonTerms[0].coefficient, -0.40614},
        {fullMoonTerms[1].coefficient, 0.17302}, {quarterTerms[0].coefficient, -0.62801},
        {quarterTerms[1].coefficient, 0.17172}, {quarterCorrectionTerms[0].coefficient, 0.00306},
        {planetaryArguments[0].c0, 299.77}, {planetaryArguments[0].c1, 0.107408},
        {planetaryArguments[0].c2, -0.009173}, {planetaryArguments[0].coefficient, 0.000325},
        {planetaryArguments[13].coefficient, 0.000023}};
    for (const auto& q : quoted) EXPECT_DOUBLE_EQ(q[0], q[1]);
}

// Meeus, ch. 53: rho 10 terms, sigma 13, tau 19; rho = -0.02752 cos M' - 0.02245 sin F ...,
// sigma = -0.02816 sin M' + 0.02244 cos F ..., tau = 0.02520 E sin M + 0.00473 sin(2M' - 2F) ...
TEST(LunarLibrationTerms, CountsAndLeadingTerms) {
    EXPECT_EQ((std::array{kLibrationRhoTerms, kLibrationSigmaTerms, kLibrationTauTerms}),
              (std::array{10, 13, 19}));
    const struct { LibrationTerm t; double coefficient; int isSine, ePower, M, Mp, F; } cases[] = {
        {librationRho[0], -0.02752, 0, 0, 0, 1, 0}, {librationRho[1], -0.02245, 1, 0, 0, 0, 1},
        {librationSigma[0], -0.02816, 1, 0, 0, 1, 0}, {librationSigma[1], 0.02244, 0, 0, 0, 0, 1},
        {librationTau[0], 0.02520, 1, 1, 1, 0, 0}, {librationTau[1], 0.00473, 1, 0, 0, 2, -2}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.t.coefficient, c.coefficient);
        EXPECT_TRUE(c.t.isSine == c.isSine && c.t.ePower == c.ePower && c.t.M == c.M &&
                    c.t.Mp == c.Mp && c.t.F == c.F) << c.coefficient;
    }
}

// Simon et al. (1994): 600 numbers; Mercury's mean longitude at J2000.0, and Saturn's a-term
// of multiplier 0 with cosine amplitude -119919 (a constant -0.0119919 AU).
TEST(SimonElements, CountAndQuotedValues) {
    EXPECT_EQ(kSimonElementCount, 600);
    EXPECT_EQ(simonElements[kSimonLambda + 0], 252.25090552);
    EXPECT_EQ(simonElements[kSimonNa + 9 * 5 + 1], 0.0);
    EXPECT_EQ(simonElements[kSimonCa + 9 * 5 + 1], -119919.0);
}

// Bretagnon and Simon's solar series: 50 rows, the first and the last as published.
TEST(SolarSeriesTable, CountAndQuotedRows) {
    EXPECT_EQ(kSolarSeriesTerms, 50);
    const double first[4] = {403406, 0, 4.721964, 1.621043}, last[4] = {10, -9, 2.55, 157208.4};
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(solarSeries[0][k] == first[k] && solarSeries[49][k] == last[k]) << k;
}

}  // namespace
