#include "ephemeris/vsop87_earth_table.h"

#include <gtest/gtest.h>

namespace {

int CountCosines(const Vsop87Series* series, int count) {
    int cosines = 0;
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < series[i].count; ++k)
            if (series[i].terms[k].c != 0.0) ++cosines;
    return cosines;
}

// Term counts of Meeus, Astronomical Algorithms, Appendix III (Earth).
TEST(Vsop87EarthTable, TermCounts) {
    const int longitude[6] = {64, 34, 20, 7, 3, 1};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(earthLongitudeSeries[i].count, longitude[i]) << "L" << i;
    EXPECT_EQ(earthLatitudeSeries[0].count, 5);
    EXPECT_EQ(earthLatitudeSeries[1].count, 2);
    const int radius[5] = {40, 10, 6, 2, 1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(earthRadiusSeries[i].count, radius[i]) << "R" << i;
}

// One call evaluates 123 cosines in longitude, 7 in latitude and 56 in distance: the other
// terms are constants.
TEST(Vsop87EarthTable, CosineCounts) {
    EXPECT_EQ(CountCosines(earthLongitudeSeries, 6), 123);
    EXPECT_EQ(CountCosines(earthLatitudeSeries, 2), 7);
    EXPECT_EQ(CountCosines(earthRadiusSeries, 5), 56);
}

void ExpectTerm(const Vsop87Term& term, double a, double b, double c) {
    EXPECT_EQ(term.a, a);
    EXPECT_EQ(term.b, b);
    EXPECT_EQ(term.c, c);
}

// The values quoted with the series: published frequencies divided by ten, and the
// zero-frequency terms of phase pi stored as negative constants.
TEST(Vsop87EarthTable, QuotedTerms) {
    ExpectTerm(earthLongitudeSeries[0].terms[0], 175347046, 0, 0);
    ExpectTerm(earthLongitudeSeries[0].terms[1], 3341656, 4.6692568, 628.307585);
    ExpectTerm(earthLongitudeSeries[0].terms[5], 3136, 3.6277, 7771.37715);
    ExpectTerm(earthLongitudeSeries[2].terms[0], 52919, 0, 0);
    ExpectTerm(earthLongitudeSeries[3].terms[1], 35, 0, 0);
    ExpectTerm(earthLongitudeSeries[4].terms[0], -114, 0, 0);
    ExpectTerm(earthLongitudeSeries[4].terms[1], 8, 4.13, 628.308);
    ExpectTerm(earthLongitudeSeries[4].terms[2], 1, 3.84, 1256.615);
    ExpectTerm(earthLongitudeSeries[5].terms[0], -1, 0, 0);
    ExpectTerm(earthRadiusSeries[0].terms[0], 100013989, 0, 0);
    ExpectTerm(earthRadiusSeries[1].terms[2], -702, 0, 0);
    ExpectTerm(earthRadiusSeries[2].terms[2], -12, 0, 0);
    EXPECT_EQ(earthRadiusSeries[3].terms[0].a, 145);
    EXPECT_EQ(earthRadiusSeries[3].terms[1].a, 7);
    ExpectTerm(earthRadiusSeries[4].terms[0], 4, 2.56, 628.308);
}

TEST(Vsop87EarthTable, LatitudeTerms) {
    const double b0[5][2] = {{280, 8433.4662}, {102, 550.7553}, {80, 522.369},
                             {44, 235.287},    {32, 157.734}};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(earthLatitudeSeries[0].terms[k].a, b0[k][0]) << k;
        EXPECT_EQ(earthLatitudeSeries[0].terms[k].c, b0[k][1]) << k;
    }
    EXPECT_EQ(earthLatitudeSeries[1].terms[0].a, 9);
    EXPECT_EQ(earthLatitudeSeries[1].terms[0].c, 550.755);
    EXPECT_EQ(earthLatitudeSeries[1].terms[1].a, 6);
    EXPECT_EQ(earthLatitudeSeries[1].terms[1].c, 522.369);
}

}  // namespace
