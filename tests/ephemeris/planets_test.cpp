// Planets by Simon et al. (1994), the planets' mean elements and the approximate positions
// drawn from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/shared_state.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/planet_mean_elements.h"
#include "ephemeris/planets_simon.h"
#include "support/reference_csv.h"
#include "support/reference_table.h"
#include "support/wrapped_difference.h"

namespace {

constexpr float kUntouched = -999.0f;

// ERFA plan94, an independent evaluation of the same published method, at 1e-10 AU and
// 1e-12 AU/day; the ecliptic outputs (J2000 obliquity) describe the same point.
TEST(ComputePlanetPositionSimon, AgreesWithIndependentEvaluation) {
    const double cosEps = 0.9174820620691818, sinEps = 0.3977771559319137;
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "simon1994_planets.csv");
    ASSERT_EQ(ref.rows.size(), 80u);
    const char* names[6] = {"x", "y", "z", "vx", "vy", "vz"};
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double pv[6], lon = 9, lat = 9, radius = 9;
        ComputePlanetPositionSimon(ref.Get(k, "jd1"), ref.Get(k, "jd2"), static_cast<uint32_t>(ref.Get(k, "planet")),
                                   pv, &lon, &lat, &radius);
        for (int c = 0; c < 6; ++c) EXPECT_NEAR(pv[c], ref.Get(k, names[c]), c < 3 ? 1e-10 : 1e-12) << k << ' ' << c;
        const double x = ref.Get(k, "x"), y = ref.Get(k, "y"), z = ref.Get(k, "z"), r = std::sqrt(x * x + y * y + z * z);
        EXPECT_NEAR(std::remainder(lon - std::atan2(y * cosEps + z * sinEps, x), 2.0 * M_PI), 0.0, 1e-10) << k;
        EXPECT_NEAR(lat, std::asin((z * cosEps - y * sinEps) / r), 1e-10) << k;
        EXPECT_NEAR(radius, r, 1e-10) << k;
        EXPECT_TRUE(lon > -2.0 * M_PI && lon <= 2.0 * M_PI) << lon;
    }
}

// A bad planet index writes nothing; every output is optional.
TEST(ComputePlanetPositionSimon, BadPlanetWritesNothingAndOutputsAreOptional) {
    for (uint32_t planet : {8u, 100u, static_cast<uint32_t>(-1)}) {
        double pv[6] = {1, 2, 3, 4, 5, 6}, lon = 7, lat = 8, radius = 9;
        ComputePlanetPositionSimon(2451545.0, 0.0, planet, pv, &lon, &lat, &radius);
        for (int k = 0; k < 6; ++k) EXPECT_EQ(pv[k], k + 1.0);
        EXPECT_TRUE(lon == 7.0 && lat == 8.0 && radius == 9.0) << planet;
    }
    double pv[6] = {}, radius = 0.0;
    ComputePlanetPositionSimon(2451545.0, 0.0, kSimonMars, pv, nullptr, nullptr, nullptr);
    ComputePlanetPositionSimon(2451545.0, 0.0, kSimonMars, nullptr, nullptr, nullptr, &radius);
    ComputePlanetPositionSimon(2451545.0, 0.0, kSimonMars, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NEAR(radius, std::sqrt(pv[0] * pv[0] + pv[1] * pv[1] + pv[2] * pv[2]), 1e-15);
}

struct Elements {
    double L, a, e, i, w, N;
};

Elements Get(int body, double T) {
    Elements x{-1, -1, -1, -1, -1, -1};
    GetPlanetMeanElements(body, T, &x.L, &x.a, &x.e, &x.i, &x.w, &x.N);
    return x;
}

// T = 0 (JD 2415020.0) gives the constant terms of the polynomials, the mean elements of epoch
// 1900 (Pluto's argument of perihelion is 224.1416299 - 110); the mean longitude is not
// reduced (Mercury at T = 1: the sum of its coefficients). Bodies 0, 1, 10 and others leave
// the outputs untouched.
TEST(PlanetMeanElements, EpochValuesAreTheConstantTerms) {
    const struct { int body; Elements x; } cases[] = {
        {2, {178.179078, 0.3870986, 0.20561421, 7.002881, 28.753753, 47.145944}},
        {4, {293.737334, 1.5236883, 0.0933129, 1.850333, 285.431761, 48.786442}},
        {6, {266.564377, 9.554747, 0.05589232, 2.492519, 338.3078, 112.790414}},
        {8, {84.457994, 30.10957, 0.00899704, 1.779242, 276.045975, 130.681389}},
        {9, {NAN, 39.54034289999, 0.249005349999, 17.145104, 114.1416299, 110.318223}},
    };
    for (const auto& c : cases) {
        const Elements x = Get(c.body, 0.0);
        const double got[6] = {x.L, x.a, x.e, x.i, x.w, x.N}, want[6] = {c.x.L, c.x.a, c.x.e, c.x.i, c.x.w, c.x.N};
        for (int k = std::isnan(c.x.L) ? 1 : 0; k < 6; ++k) EXPECT_DOUBLE_EQ(got[k], want[k]) << c.body << ' ' << k;
    }
    EXPECT_NEAR(Get(2, 1.0).L, 178.179078 + 149474.07078 + 0.0003011, 1e-9);
    for (int body : {-1, 0, 1, 10, 11, 13, 1000}) {
        const Elements x = Get(body, 0.5);
        EXPECT_TRUE(x.L == -1 && x.a == -1 && x.e == -1 && x.i == -1 && x.w == -1 && x.N == -1) << body;
    }
}

// At J2000.0 (T = 1) the elements of the equinox of date are those of the equinox J2000; the
// JPL table of elements for approximate positions (Standish, J2000 ecliptic) gives them from
// an independent fit. Tolerances: the spread between the two fits (the outer planets' mean
// elements differ most).
TEST(PlanetMeanElements, AgreeWithJ2000ElementsAtJ2000) {
    const struct {
        int body;
        double a, e, i, node, perihelion, L;  // JPL, degrees and AU
        double tolA, tolE, tolAngle, tolW;
    } cases[] = {
        {2, 0.38709893, 0.20563069, 7.00487, 48.33167, 77.45645, 252.25084, 1e-4, 2e-5, 0.01, 0.01},
        {3, 0.72333199, 0.00677323, 3.39471, 76.68069, 131.53298, 181.97973, 1e-4, 2e-5, 0.01, 0.05},
        {4, 1.52366231, 0.09341233, 1.85061, 49.57854, 336.04084, 355.45332, 1e-4, 2e-5, 0.03, 0.05},
        {5, 5.20336301, 0.04839266, 1.3053, 100.55615, 14.75385, 34.40438, 0.002, 2e-4, 0.15, 0.4},
        {6, 9.53707032, 0.0541506, 2.48446, 113.71504, 92.43194, 49.94432, 0.02, 0.002, 0.15, 0.8},
        {7, 19.19126393, 0.04716771, 0.76986, 74.22988, 170.96424, 313.23218, 0.03, 0.001, 1.0, 2.5},
        {8, 30.06896348, 0.00858587, 1.76917, 131.72169, 44.97135, 304.88003, 0.05, 0.001, 0.6, 3.5},
        {9, 39.48168677, 0.24880766, 17.14175, 110.30347, 224.06676, 238.92881, 0.07, 0.001, 1.5, 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        const Elements x = Get(c.body, 1.0);
        EXPECT_NEAR(x.a, c.a, c.tolA);
        EXPECT_NEAR(x.e, c.e, c.tolE);
        EXPECT_NEAR(x.i, c.i, 0.005);
        EXPECT_NEAR(WrappedDifference(x.N, c.node, 360), 0, c.tolAngle);
        EXPECT_NEAR(WrappedDifference(x.L, c.L, 360), 0, c.tolAngle);
        EXPECT_NEAR(WrappedDifference(x.w, c.perihelion - c.node, 360), 0, c.tolW);
    }
}

struct Output {
    float view[kApproxPlanetViewSize];
    float place[kApproxPlanetPlaceSize];
    Output() {
        std::fill(std::begin(view), std::end(view), kUntouched);
        std::fill(std::begin(place), std::end(place), kUntouched);
    }
};

// Columns of tests/reference/approx_planets.csv (scripts/reference/approx_planets_reference.py).
enum Col { kYear, kMonth, kDay, kHour, kMinute, kZone, kBody, kKepX, kKepY, kKepZ, kKepRa,
           kKepDec, kErfaX, kErfaY, kErfaZ, kErfaRa, kErfaDec };

class ApproxPlanets : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ASSERT_EQ(rows_.size(), 12u * 9u);
    }
    void TearDown() override {
        ResetSharedState();
        planetBandOriginX = planetBandOriginY = 0;
    }
    // Computes every body for the row's date in the given mode.
    static Output Compute(const std::vector<double>& r, int mode) {
        currentSite.zoneMinutes = static_cast<int16_t>(r[kZone]);
        Output out;
        ComputeApproxPlanet(int(r[kYear]), int(r[kMonth]), int(r[kDay]), int(r[kHour]), int(r[kMinute]), out.view,
                            out.place, mode, 2, 10);
        return out;
    }
    std::vector<std::vector<double>> rows_ = ReadReferenceCsv("approx_planets.csv");
};

// Separation in degrees of two (RA hours, Dec degrees) places, small-angle form.
double Separation(double ra1, double dec1, double ra2, double dec2) {
    return std::hypot(WrappedDifference(ra1, ra2, 24.0) * 15 * std::cos(dec2 * M_PI / 180), dec1 - dec2);
}

// The same two-body orbits solved exactly by the reference script: the float outputs match to
// their precision (1e-6 AU, 0.1 arcsecond). Against ERFA plan94 and epv00 over 1901-2099 (the
// planets in every quadrant of right ascension): heliocentric directions and geocentric places
// agree to the accuracy of the linear elements (largest for Jupiter and Saturn, whose mutual
// perturbations they leave out); the geocentric places also carry the program's obliquity,
// 0.01 degree below J2000's.
TEST_F(ApproxPlanets, MatchesExactKeplerOrbitsAndErfaPlanets) {
    //                        2      3      4      5     6     7     8     9  10
    const double helioTol[] = {0.01, 0.01, 0.02, 0.15, 0.25, 0.05, 0.03, 0, 0.015};
    const double geoTol[] = {0.03, 0.03, 0.04, 0.15, 0.25, 0.06, 0.03, 0, 0.03};
    for (const auto& r : rows_) {
        const int b = int(r[kBody]);
        SCOPED_TRACE(testing::Message() << r[kYear] << '-' << r[kMonth] << '-' << r[kDay] << " body " << b);
        const Output out = Compute(r, 2);
        const double mine[3] = {out.view[3 * b], out.view[3 * b + 1], out.view[3 * b + 2]};
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(mine[k], r[kKepX + k], 1e-6 + 1.2e-7 * std::fabs(r[kKepX + k])) << k;
        EXPECT_LT(Separation(out.place[2 * b], out.place[2 * b + 1], r[kKepRa], r[kKepDec]), 3e-5);
        if (std::isnan(r[kErfaX])) continue;
        const double rMine = std::hypot(mine[0], mine[1], mine[2]), rErfa = std::hypot(r[kErfaX], r[kErfaY], r[kErfaZ]);
        const double dot = (mine[0] * r[kErfaX] + mine[1] * r[kErfaY] + mine[2] * r[kErfaZ]) / (rMine * rErfa);
        EXPECT_LT(std::acos(std::min(1.0, dot)) * 180 / M_PI, helioTol[b - 2]);
        EXPECT_NEAR(rMine / rErfa, 1.0, 0.002);
        EXPECT_LT(Separation(out.place[2 * b], out.place[2 * b + 1], r[kErfaRa], r[kErfaDec]), geoTol[b - 2]);
    }
}

// Mended: the Sun's right ascension was 12 h off whenever the Earth's x was negative. The
// reference dates put the Earth in all four quadrants. The declination carries the program's
// obliquity (up to 0.01 degree at the solstices).
TEST_F(ApproxPlanets, SunRightAscensionRightInEveryQuadrantOfTheEarth) {
    bool quadrant[4] = {};
    for (const auto& r : rows_) {
        if (int(r[kBody]) != 10) continue;
        const Output out = Compute(r, 2);
        quadrant[int(std::floor((std::atan2(r[kKepY], r[kKepX]) + 2 * M_PI) / (M_PI / 2))) % 4] = true;
        EXPECT_TRUE(out.place[20] >= 0.0f && out.place[20] < 24.0f) << out.place[20];
        EXPECT_NEAR(WrappedDifference(out.place[20], r[kErfaRa], 24.0), 0, 0.002) << r[kYear];
        EXPECT_NEAR(out.place[21], r[kErfaDec], 0.025) << r[kYear];
    }
    EXPECT_TRUE(quadrant[0] && quadrant[1] && quadrant[2] && quadrant[3]);
}

// 2000-01-01 12:00 UT is day 0: view modes from the exact orbits of the reference script and
// the orbit-view scales (units per AU); Mercury's mode-2 place is covered above.
TEST_F(ApproxPlanets, ViewModesAtJ2000) {
    const auto& earthRow = rows_[8];
    ASSERT_EQ(int(earthRow[kBody]), 10);
    const double xE = earthRow[kKepX], yE = earthRow[kKepY], rE = std::hypot(xE, yE);
    const struct { int body; double scale, ae; } cases[] = {
        {2, 40.5, 0.38709893 * 0.20563069}, {5, 14.85, 5.20336301 * 0.04839266}, {9, 2.4, 39.48168677 * 0.24880766}};
    for (const auto& c : cases) {
        const auto& r = rows_[c.body - 2];
        ASSERT_EQ(int(r[kBody]), c.body);
        SCOPED_TRACE(c.body);
        const double X = r[kKepX], Y = r[kKepY], Z = r[kKepZ];
        const Output m1 = Compute(r, 1), m3 = Compute(r, 3);
        const float* v = m1.view + 3 * c.body;
        EXPECT_NEAR(v[0], -c.scale * Y, 1e-4);
        EXPECT_NEAR(v[1], -c.scale * X, 1e-4);
        EXPECT_NEAR(v[2], -c.scale * c.ae, 1e-5);
        v = m3.view + 3 * c.body;
        EXPECT_NEAR(v[0], std::hypot(X - xE, Y - yE, Z), 1e-5);
        EXPECT_NEAR(v[1], std::hypot(X, Y, Z), 1e-5);
        EXPECT_NEAR(v[2], rE, 1e-6);
    }
    const Output m1 = Compute(earthRow, 1), m2 = Compute(earthRow, 2), m3 = Compute(earthRow, 3);
    EXPECT_NEAR(m1.view[30], -40.5 * yE, 1e-4);
    EXPECT_NEAR(m1.view[31], -40.5 * xE, 1e-4);
    EXPECT_NEAR(m2.view[30], xE, 1e-6);
    EXPECT_NEAR(m2.view[31], yE, 1e-6);
    EXPECT_TRUE(m1.view[32] == 0.0f && m2.view[32] == 0.0f);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(m3.view[30 + k], rE, 1e-6) << k;
}

// Band chart: x0 + floor(240 RA / 24), y0 + 40 - floor(Dec); the third value stays.
TEST_F(ApproxPlanets, BandChartPixels) {
    planetBandOriginX = 7;
    planetBandOriginY = 100;
    for (int i = 0; i < 9; ++i) {
        const auto& r = rows_[i];
        const int b = int(r[kBody]);
        const Output out = Compute(r, 0);
        EXPECT_EQ(out.view[3 * b], 7 + std::floor(10 * r[kKepRa])) << b;
        EXPECT_EQ(out.view[3 * b + 1], 140 - std::floor(r[kKepDec])) << b;
        EXPECT_EQ(out.view[3 * b + 2], kUntouched) << b;
    }
}

// The range is clamped to 2..10 and nothing outside it is written (the Earth's view entry in
// modes 1 and 2 excepted); an unknown mode writes only the places. A day past the month's end
// is the next month's date.
TEST_F(ApproxPlanets, RangeModesAndDatesFillOnlyTheirEntries) {
    const struct { int mode, first, last, from, to; bool earthView; } cases[] = {
        {0, 4, 4, 4, 4, false}, {1, 4, 4, 4, 4, true},   {2, 4, 4, 4, 4, true},    {3, 4, 4, 4, 4, false},
        {2, -3, 40, 2, 10, true}, {0, 6, 5, 0, -1, false}, {1, 6, 5, 0, -1, true}, {3, 11, 12, 0, -1, false},
        {4, 2, 10, 2, 10, false}, {-1, 2, 10, 2, 10, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " " << c.first << ".." << c.last);
        Output out;
        ComputeApproxPlanet(2012, 5, 20, 3, 0, out.view, out.place, c.mode, c.first, c.last);
        for (int b = 0; b <= 10; ++b) {
            const bool inRange = b >= c.from && b <= c.to, viewWritten = c.mode >= 0 && c.mode <= 3;
            EXPECT_EQ(out.place[2 * b] != kUntouched && out.place[2 * b + 1] != kUntouched, inRange) << b;
            EXPECT_EQ(out.view[3 * b] != kUntouched, viewWritten && (inRange || (b == 10 && c.earthView))) << b;
        }
    }
    Output a, b;
    ComputeApproxPlanet(2012, 1, 40, 6, 30, a.view, a.place, 2, 2, 10);
    ComputeApproxPlanet(2012, 2, 9, 6, 30, b.view, b.place, 2, 2, 10);
    for (int i = 4; i < kApproxPlanetViewSize; ++i) EXPECT_EQ(a.view[i], b.view[i]) << i;
}

}  // namespace
