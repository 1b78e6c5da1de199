#include "ephemeris/low_precision_sun_moon.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "support/reference_table.h"

namespace {

constexpr double kEarthEccentricity = 0.01675;  // the elements' eccentricity near 1900-2000

using PositionRoutine = void (*)(double*, double*, int, int, int, int, int, int);

class LowPrecisionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        preferences.SetFloat(kPrefCurrentDeltaT, 69.9f);  // the references take 69 s
    }
    void TearDown() override { ResetSharedState(); }
};

// The loop ends on the first correction that is not above 1e-9: from E = M the first
// correction has the sign of sin M, so a negative one ends the loop at once; a positive one
// overshoots (the function is convex there) and the second, negative, correction ends it.
TEST(SolveKeplerSigned, StepCountFollowsTheSignOfSinM) {
    for (int degrees = 1; degrees < 360; degrees += 7) {
        double m = degrees * M_PI / 180;
        double e;
        int steps = SolveKeplerSigned(m, kEarthEccentricity, &e);
        EXPECT_EQ(steps, std::sin(m) < 0 ? 1 : 2) << degrees;
        // One Newton step leaves an error of order e^2 sin M / 2: about 2e-6 rad here.
        EXPECT_NEAR(e - kEarthEccentricity * std::sin(e), m, 3e-6) << degrees;
    }
    double e;
    EXPECT_EQ(SolveKeplerSigned(0.0, kEarthEccentricity, &e), 1);
    EXPECT_EQ(e, 0.0);
    EXPECT_EQ(SolveKeplerSigned(M_PI, kEarthEccentricity, &e), 1);
}

// Separation in arcseconds between the routine's place for row k of the table and the
// table's; checks that the right ascension lies in [0, 24).
double RowError(PositionRoutine routine, const ReferenceTable& ref, std::size_t k) {
    currentSite.zoneMinutes = static_cast<int16_t>(ref.Get(k, "zone_min"));
    double ra, dec;
    routine(&ra, &dec, int(ref.Get(k, "year")), int(ref.Get(k, "month")), int(ref.Get(k, "day")),
            int(ref.Get(k, "hour")), int(ref.Get(k, "minute")), int(ref.Get(k, "second")));
    EXPECT_GE(ra, 0.0);
    EXPECT_LT(ra, 24.0);
    return SeparationArcsec(ra, dec, ref.Get(k, "ra_h"), ref.Get(k, "dec_deg"));
}

// The geometric Sun of the complete VSOP87 (libnova) on the mean equator and equinox of date,
// 200 local dates and times 1800-2100 (before 1900 T is negative) in eight zones. The
// Keplerian Sun on mean elements is good to 0.01 degree (largest error over 20000 dates
// 1800-2100: 34.7").
TEST_F(LowPrecisionTest, SunAgreesWithCompleteVsop87) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sun_low_precision_reference.csv");
    ASSERT_EQ(ref.rows.size(), 200u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        EXPECT_LT(RowError(ComputeSunPosition, ref, k), 36.0) << "row " << k;
    }
}

// The geometric geocentric Moon of the complete ELP 2000-82B on the mean equator and equinox
// of date, 200 local dates and times 2006-2049 (where Delta T is the preference). The short
// series with the site shift (at most 3.4") is good to 0.06 degree (largest error over 20000
// dates 1800-2100: 203").
TEST_F(LowPrecisionTest, MoonAgreesWithCompleteElp2000) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "moon_low_precision_reference.csv");
    ASSERT_EQ(ref.rows.size(), 200u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        EXPECT_LT(RowError(ComputeMoonPosition, ref, k), 216.0) << "row " << k;
    }
}

// Just before the March equinox the Sun's right ascension comes out of atan2 negative and is
// returned plus 24 hours (2010 March 19, 12h UT: about 23.87 h).
TEST_F(LowPrecisionTest, NegativeRightAscensionIsReturnedPlus24Hours) {
    double ra, dec;
    ComputeSunPosition(&ra, &dec, 2010, 3, 19, 12, 0, 0);
    EXPECT_GT(ra, 23.8);
    EXPECT_LT(ra, 24.0);
    EXPECT_LT(dec, 0.0);
}

// Delta T counts in whole seconds, truncated: 69.9 s adds 69 s.
TEST_F(LowPrecisionTest, DeltaTIsTruncatedToWholeSeconds) {
    for (PositionRoutine routine : {ComputeSunPosition, ComputeMoonPosition}) {
        double ra69, dec69, ra699, dec699, ra70, dec70;
        preferences.SetFloat(kPrefCurrentDeltaT, 69.0f);
        routine(&ra69, &dec69, 2020, 5, 17, 21, 30, 0);
        preferences.SetFloat(kPrefCurrentDeltaT, 69.9f);
        routine(&ra699, &dec699, 2020, 5, 17, 21, 30, 0);
        preferences.SetFloat(kPrefCurrentDeltaT, 70.0f);
        routine(&ra70, &dec70, 2020, 5, 17, 21, 30, 0);
        EXPECT_EQ(ra699, ra69);
        EXPECT_EQ(dec699, dec69);
        EXPECT_NE(ra70, ra69);
    }
}

// The site's zone moves the instant: the same local time in two zones differs, and the same
// instant written in two zones agrees.
TEST_F(LowPrecisionTest, ZoneMinutesShiftTheInstant) {
    for (PositionRoutine routine : {ComputeSunPosition, ComputeMoonPosition}) {
        double ra0, dec0, raLocal, decLocal, raSame, decSame;
        currentSite.zoneMinutes = 0;
        routine(&ra0, &dec0, 2031, 8, 2, 12, 0, 0);
        currentSite.zoneMinutes = 60;
        routine(&raLocal, &decLocal, 2031, 8, 2, 12, 0, 0);
        routine(&raSame, &decSame, 2031, 8, 2, 13, 0, 0);
        EXPECT_NE(raLocal, ra0);
        EXPECT_NEAR(raSame, ra0, 1e-12);
        EXPECT_NEAR(decSame, dec0, 1e-12);
    }
}

// The effective distance of about 60 000 Earth radii moves the Moon by at most 1/60362 rad
// (3.42") towards a site, so two sites in the same zone differ by at most twice that.
TEST_F(LowPrecisionTest, MoonSiteShiftIsAtMostAFewArcseconds) {
    double raNorth, decNorth, raSouth, decSouth;
    SetSiteLatitude(currentSite, 60.0);
    ComputeMoonPosition(&raNorth, &decNorth, 2012, 10, 5, 3, 0, 0);
    SetSiteLatitude(currentSite, -45.0);
    ComputeMoonPosition(&raSouth, &decSouth, 2012, 10, 5, 3, 0, 0);
    double shift = SeparationArcsec(raNorth, decNorth, raSouth, decSouth);
    EXPECT_GT(shift, 0.1);
    EXPECT_LT(shift, 6.9);
}

}  // namespace
