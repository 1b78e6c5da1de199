#include "core/nutation_centuries.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/delta_t.h"
#include "core/eclipse_work.h"
#include "core/julian_day.h"
#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kDeg = 0.0174532925199433;
constexpr double kArcsec = kDeg / 3600;
constexpr double kSecondOfTime = 1.0 / 3600;  // hours

class NutationCenturies : public ::testing::Test {
protected:
    void SetUp() override { ResetEclipseWork(); }
    void TearDown() override { ResetEclipseWork(); }

    // The eclipse set-up for a date and time (UT): 0h of the date, the time of day, Delta T
    // (here given) and cleared nutation places. Returns T at 0h of the date.
    static double SetUpInstant(int year, int month, int day, double hours, double deltaT) {
        eclipseWork.daysFromJ2000 = JulianDayFromDateTime(year, month, day, 12, 0, 0, 0) - 2451545.5;
        eclipseWork.timeOfDay = hours;
        eclipseMinusDeltaT = -deltaT;
        eclipseWork.negativeDeltaT = eclipseMinusDeltaT / 3600;
        eclipseWork.nutationLongitude = 0;
        eclipseWork.trueObliquity = 0;
        return eclipseWork.daysFromJ2000 / 36525;
    }
};

// At T = 0 the arguments are the constant terms and eps0 = 23 deg 26' 21.448".
TEST_F(NutationCenturies, ArgumentsAtJ2000) {
    double a[6];
    ComputeNutationArguments(0.0, &a[0], &a[1], &a[2], &a[3], &a[4], &a[5]);
    const double degrees[5] = {297.8501921, 134.9633964, 357.5291092, 93.272095, 125.04452};  // D M' M F Omega
    for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(a[k], degrees[k] * kDeg) << k;
    EXPECT_NEAR(a[5] / kDeg, 23.4392911, 1e-7);
}

// Meeus, Astronomical Algorithms, example 22.a (1987 April 10, 0h TD): dpsi = -3.788",
// deps = +9.443" (complete series), eps0 = 23 deg 26' 27.407"; the 18 terms stay within
// 0.03" of the complete series. Example 12.a: apparent sidereal time at 0h UT that day is
// 13h10m46.1351s.
TEST_F(NutationCenturies, MeeusExamples22aAnd12a) {
    const double t = SetUpInstant(1987, 4, 10, 0.0, 0.0);
    double d, mp, m, f, om, eps0, dpsi, eps;
    ComputeNutationArguments(t, &d, &mp, &m, &f, &om, &eps0);
    ComputeNutation(t, &dpsi, &eps);
    EXPECT_NEAR(eps0 / kArcsec, (23 * 60 + 26) * 60 + 27.407, 0.001);
    EXPECT_NEAR(dpsi / kArcsec, -3.788, 0.03);
    EXPECT_NEAR((eps - eps0) / kArcsec, 9.443, 0.03);
    const double st = ComputeGreenwichSiderealTime(t);
    EXPECT_NEAR(WrappedDifference(st, 13 + 10 / 60.0 + 46.1351 / 3600, 24.0), 0.0, 0.002 * kSecondOfTime);
    EXPECT_EQ(eclipseWork.siderealTime, st);
}

// ERFA nut80 (complete IAU 1980 series) and gst94 (IAU 1982 mean sidereal time plus the
// equation of the equinoxes) at 0h UT of 300 dates 1800..2200, no Delta T
// (scripts/reference/nutation_sidereal_erfa.py): the 18 largest terms within 0.03", the
// sidereal time, not reduced to 0..24, within 0.003 s of time.
TEST_F(NutationCenturies, AgreesWithErfaNutationAndApparentSiderealTime) {
    auto rows = ReadReferenceCsv("nutation_sidereal_erfa.csv");
    ASSERT_EQ(rows.size(), 300u);
    for (const auto& r : rows) {
        double t = (r[3] - 2451545.0) / 36525;
        double d, mp, m, f, om, eps0, dpsi, eps;
        ComputeNutationArguments(t, &d, &mp, &m, &f, &om, &eps0);
        ComputeNutation(t, &dpsi, &eps);
        EXPECT_NEAR(dpsi / kArcsec, r[4], 0.03) << r[0];
        EXPECT_NEAR((eps - eps0) / kArcsec, r[5], 0.03) << r[0];
        t = SetUpInstant(static_cast<int>(r[0]), static_cast<int>(r[1]), static_cast<int>(r[2]), 0, 0);
        EXPECT_NEAR(WrappedDifference(ComputeGreenwichSiderealTime(t), r[6], 24.0), 0.0, 0.003 * kSecondOfTime) << r[0];
    }
}

// The 0h value plus minus Delta T, unreduced; T becomes the dynamical time of the instant, and
// the time of day moves only the nutation's T.
TEST_F(NutationCenturies, AddsMinusDeltaTAndKeepsTheTimeOfDayOut) {
    const double deltaT = ComputeDeltaT(2017, 8, 21);
    const double t = SetUpInstant(2017, 8, 21, 18.5, 0.0);
    const double withoutDeltaT = ComputeGreenwichSiderealTime(t);
    SetUpInstant(2017, 8, 21, 18.5, deltaT);
    const double st = ComputeGreenwichSiderealTime(t);
    EXPECT_NEAR(st - withoutDeltaT, -deltaT / 3600, 1e-9);
    EXPECT_NEAR(eclipseWork.timeArgument, t + (18.5 + deltaT / 3600) / 876600, 1e-15);
    SetUpInstant(2017, 8, 21, 0.0, deltaT);
    EXPECT_NEAR(st, ComputeGreenwichSiderealTime(t), 0.01 * kSecondOfTime);
}

// With the cache source the stored nutation is kept for another T until SelectSunMoonSource
// clears it; with the series source it is recomputed at every call.
TEST_F(NutationCenturies, StoredNutationIsReusedInSourceOneUntilCleared) {
    auto expectNutation = [](double t) {
        double dpsi, eps;
        ComputeNutation(t, &dpsi, &eps);
        EXPECT_EQ(eclipseWork.nutationLongitude, dpsi);
        EXPECT_EQ(eclipseWork.trueObliquity, eps);
    };
    SelectSunMoonSource(1);
    SetUpInstant(2000, 1, 1, 0.0, 0.0);
    ComputeGreenwichSiderealTime(0.0);
    ComputeGreenwichSiderealTime(0.5);  // 50 years later: another nutation altogether
    expectNutation(0.0);
    for (int source : {1, 0}) {
        SelectSunMoonSource(source);
        EXPECT_EQ(sunMoonSource, source);
        EXPECT_EQ(eclipseWork.nutationLongitude, 0.0);
        EXPECT_EQ(eclipseWork.trueObliquity, 0.0);
        ComputeGreenwichSiderealTime(0.5);
        expectNutation(0.5);
    }
    ComputeGreenwichSiderealTime(0.0);
    expectNutation(0.0);
}

}  // namespace
