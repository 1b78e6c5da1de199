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

    // The eclipse set-up for a local date and time: 0h of the date, the time of day, Delta T
    // (here given) and cleared nutation places.
    static void SetUpInstant(int year, int month, int day, double hours, double deltaT) {
        eclipseWork.daysFromJ2000 = JulianDayFromDateTime(year, month, day, 12, 0, 0, 0) - 2451545.5;
        eclipseWork.timeOfDay = hours;
        eclipseMinusDeltaT = -deltaT;
        eclipseWork.negativeDeltaT = eclipseMinusDeltaT / 3600;
        eclipseWork.nutationLongitude = 0;
        eclipseWork.trueObliquity = 0;
    }
};

// At T = 0 the arguments are the constant terms and eps0 = 23 deg 26' 21.448".
TEST_F(NutationCenturies, ArgumentsAtJ2000) {
    double d, mp, m, f, om, eps0;
    ComputeNutationArguments(0.0, &d, &mp, &m, &f, &om, &eps0);
    EXPECT_DOUBLE_EQ(d, 297.8501921 * kDeg);
    EXPECT_DOUBLE_EQ(m, 357.5291092 * kDeg);
    EXPECT_DOUBLE_EQ(mp, 134.9633964 * kDeg);
    EXPECT_DOUBLE_EQ(f, 93.272095 * kDeg);
    EXPECT_DOUBLE_EQ(om, 125.04452 * kDeg);
    EXPECT_NEAR(eps0 / kDeg, 23.4392911, 1e-7);
}

// Arguments keep their sign when reduced (fmod); Omega is not reduced.
TEST_F(NutationCenturies, ReductionKeepsTheSignAndLeavesOmega) {
    double d, mp, m, f, om, eps0;
    ComputeNutationArguments(-1.0, &d, &mp, &m, &f, &om, &eps0);
    EXPECT_LT(d, 0.0);
    EXPECT_GT(d, -2 * M_PI);
    EXPECT_NEAR(om, (125.04452 + 1934.136261 + 0.0020708 - 1 / 450000.0) * kDeg, 1e-12);
}

// Meeus, Astronomical Algorithms, example 22.a (1987 April 10, 0h TD): dpsi = -3.788",
// deps = +9.443" (complete series), eps0 = 23 deg 26' 27.407". The 18 terms stay within
// 0.03" of the complete series.
TEST_F(NutationCenturies, MeeusExample22a) {
    double t = (2446895.5 - 2451545.0) / 36525;
    double d, mp, m, f, om, eps0, dpsi, eps;
    ComputeNutationArguments(t, &d, &mp, &m, &f, &om, &eps0);
    ComputeNutation(t, &dpsi, &eps);
    EXPECT_NEAR(eps0 / kArcsec, (23 * 60 + 26) * 60 + 27.407, 0.001);
    EXPECT_NEAR(dpsi / kArcsec, -3.788, 0.03);
    EXPECT_NEAR((eps - eps0) / kArcsec, 9.443, 0.03);
}

// ERFA nut80 (complete IAU 1980 series) at 300 dates 1800..2200
// (scripts/reference/nutation_sidereal_erfa.py): the 18 largest terms within 0.03".
TEST_F(NutationCenturies, AgreesWithTheCompleteSeries) {
    auto rows = ReadReferenceCsv("nutation_sidereal_erfa.csv");
    ASSERT_EQ(rows.size(), 300u);
    for (const auto& r : rows) {
        double t = (r[3] - 2451545.0) / 36525;
        double d, mp, m, f, om, eps0, dpsi, eps;
        ComputeNutationArguments(t, &d, &mp, &m, &f, &om, &eps0);
        ComputeNutation(t, &dpsi, &eps);
        EXPECT_NEAR(dpsi / kArcsec, r[4], 0.03) << r[0];
        EXPECT_NEAR((eps - eps0) / kArcsec, r[5], 0.03) << r[0];
    }
}

// Meeus example 12.a: apparent sidereal time at 0h UT 1987 April 10 is 13h10m46.1351s.
TEST_F(NutationCenturies, MeeusExample12aApparentSiderealTime) {
    SetUpInstant(1987, 4, 10, 0.0, 0.0);
    double t = eclipseWork.daysFromJ2000 / 36525;
    double st = ComputeGreenwichSiderealTime(t);
    EXPECT_NEAR(WrappedDifference(st, 13 + 10 / 60.0 + 46.1351 / 3600, 24.0), 0.0,
                0.002 * kSecondOfTime);
    EXPECT_EQ(eclipseWork.siderealTime, st);
}

// ERFA gst94 (IAU 1982 mean sidereal time plus the equation of the equinoxes) at 0h UT, with
// no Delta T: within 0.003 s of time, the result not reduced to 0..24.
TEST_F(NutationCenturies, AgreesWithErfaApparentSiderealTime) {
    auto rows = ReadReferenceCsv("nutation_sidereal_erfa.csv");
    ASSERT_EQ(rows.size(), 300u);
    for (const auto& r : rows) {
        SetUpInstant(static_cast<int>(r[0]), static_cast<int>(r[1]), static_cast<int>(r[2]), 0, 0);
        double st = ComputeGreenwichSiderealTime(eclipseWork.daysFromJ2000 / 36525);
        EXPECT_NEAR(WrappedDifference(st, r[6], 24.0), 0.0, 0.003 * kSecondOfTime) << r[0];
    }
}

// The 0h value plus minus Delta T, unreduced; T becomes the dynamical time of the instant.
TEST_F(NutationCenturies, AddsMinusDeltaTAndKeepsTheTimeOfDayOut) {
    SetUpInstant(2017, 8, 21, 18.5, 0.0);
    double t = eclipseWork.daysFromJ2000 / 36525;
    double withoutDeltaT = ComputeGreenwichSiderealTime(t);
    double deltaT = ComputeDeltaT(2017, 8, 21);
    SetUpInstant(2017, 8, 21, 18.5, deltaT);
    double st = ComputeGreenwichSiderealTime(t);
    EXPECT_NEAR(st - withoutDeltaT, -deltaT / 3600, 1e-9);
    EXPECT_NEAR(eclipseWork.timeArgument, t + (18.5 + deltaT / 3600) / 876600, 1e-15);
    SetUpInstant(2017, 8, 21, 0.0, deltaT);
    double midnight = ComputeGreenwichSiderealTime(t);
    EXPECT_NEAR(st, midnight, 0.01 * kSecondOfTime) << "the time of day moves only the nutation's T";
}

// With the cache source the stored nutation is kept for another T until SelectSunMoonSource
// clears it; with the series source it is recomputed at every call.
TEST_F(NutationCenturies, StoredNutationIsReusedInSourceOneUntilCleared) {
    SelectSunMoonSource(1);
    SetUpInstant(2000, 1, 1, 0.0, 0.0);
    ComputeGreenwichSiderealTime(0.0);
    double stored = eclipseWork.nutationLongitude;
    double obliquity = eclipseWork.trueObliquity;
    ASSERT_NE(stored, 0.0);
    ComputeGreenwichSiderealTime(0.5);  // 50 years later: another nutation altogether
    EXPECT_EQ(eclipseWork.nutationLongitude, stored);
    EXPECT_EQ(eclipseWork.trueObliquity, obliquity);
    SelectSunMoonSource(1);
    EXPECT_EQ(eclipseWork.nutationLongitude, 0.0);
    EXPECT_EQ(eclipseWork.trueObliquity, 0.0);
    ComputeGreenwichSiderealTime(0.5);
    double dpsi, eps;
    ComputeNutation(0.5, &dpsi, &eps);
    EXPECT_EQ(eclipseWork.nutationLongitude, dpsi);
    EXPECT_EQ(eclipseWork.trueObliquity, eps);

    SelectSunMoonSource(0);
    EXPECT_EQ(sunMoonSource, 0);
    EXPECT_EQ(eclipseWork.nutationLongitude, 0.0);
    EXPECT_EQ(eclipseWork.trueObliquity, 0.0);
    ComputeGreenwichSiderealTime(0.0);
    ComputeNutation(0.0, &dpsi, &eps);
    EXPECT_EQ(eclipseWork.nutationLongitude, dpsi);
}

}  // namespace
