#include "ephemeris/low_precision_sun_moon.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "support/reference_table.h"

namespace {

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
// One Newton step leaves an error of order e^2 sin M / 2: about 2e-6 rad here.
TEST(SolveKeplerSigned, StepCountFollowsTheSignOfSinM) {
    const double eccentricity = 0.01675;  // the Earth's near 1900-2000
    double e;
    for (int degrees = 1; degrees < 360; degrees += 7) {
        const double m = degrees * M_PI / 180;
        EXPECT_EQ(SolveKeplerSigned(m, eccentricity, &e), std::sin(m) < 0 ? 1 : 2) << degrees;
        EXPECT_NEAR(e - eccentricity * std::sin(e), m, 3e-6) << degrees;
    }
    EXPECT_EQ(SolveKeplerSigned(0.0, eccentricity, &e), 1);
    EXPECT_EQ(e, 0.0);
    EXPECT_EQ(SolveKeplerSigned(M_PI, eccentricity, &e), 1);
}

// The geometric Sun of the complete VSOP87 (libnova) on the mean equator and equinox of date,
// 200 local dates and times 1800-2100 (before 1900 T is negative) in eight zones: the
// Keplerian Sun on mean elements is good to 0.01 degree (largest error over 20000 dates
// 1800-2100: 34.7"). The geometric geocentric Moon of the complete ELP 2000-82B, 200 local
// dates and times 2006-2049 (where Delta T is the preference): the short series with the site
// shift (at most 3.4") is good to 0.06 degree (largest error over 20000 dates: 203").
// Right ascensions lie in [0, 24).
TEST_F(LowPrecisionTest, SunAndMoonAgreeWithCompleteTheories) {
    const struct {
        const char* file;
        void (*routine)(double*, double*, int, int, int, int, int, int);
        double bound;
    } cases[] = {{"sun_low_precision_reference.csv", ComputeSunPosition, 36.0},
                   {"moon_low_precision_reference.csv", ComputeMoonPosition, 216.0}};
    for (const auto& c : cases) {
        ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, c.file);
        ASSERT_EQ(ref.rows.size(), 200u);
        for (std::size_t k = 0; k < ref.rows.size(); ++k) {
            currentSite.zoneMinutes = static_cast<int16_t>(ref.Get(k, "zone_min"));
            double ra, dec;
            c.routine(&ra, &dec, int(ref.Get(k, "year")), int(ref.Get(k, "month")), int(ref.Get(k, "day")),
                      int(ref.Get(k, "hour")), int(ref.Get(k, "minute")), int(ref.Get(k, "second")));
            EXPECT_TRUE(ra >= 0.0 && ra < 24.0) << ra;
            EXPECT_LT(SeparationArcsec(ra, dec, ref.Get(k, "ra_h"), ref.Get(k, "dec_deg")), c.bound)
                << c.file << ' ' << k;
        }
    }
}

// The same complete-theory Moon reached through universal time: each row's
// local date and time less its zone, at a site whose zone is another one
// (+11 h), is good to the same 0.06 degree.
TEST_F(LowPrecisionTest, MoonAtUniversalTimeWhateverTheSiteZone) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "moon_low_precision_reference.csv");
    ASSERT_EQ(ref.rows.size(), 200u);
    currentSite.zoneMinutes = 660;
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        int y = int(ref.Get(k, "year")), mo = int(ref.Get(k, "month")), d = int(ref.Get(k, "day"));
        int h = int(ref.Get(k, "hour")), mi = int(ref.Get(k, "minute"));
        AddMinutesToDateTime(&y, &mo, &d, &h, &mi, -int(ref.Get(k, "zone_min")));
        double ra, dec;
        ComputeMoonPositionUT(&ra, &dec, y, mo, d, h, mi, int(ref.Get(k, "second")));
        EXPECT_LT(SeparationArcsec(ra, dec, ref.Get(k, "ra_h"), ref.Get(k, "dec_deg")), 216.0) << k;
    }
}

// Delta T counts in whole seconds, truncated: 69.9 s adds 69 s.
TEST_F(LowPrecisionTest, DeltaTIsTruncatedToWholeSeconds) {
    const float deltaT[3] = {69.0f, 69.9f, 70.0f};
    for (auto routine : {ComputeSunPosition, ComputeMoonPosition}) {
        double ra[3], dec[3];
        for (int i = 0; i < 3; ++i) {
            preferences.SetFloat(kPrefCurrentDeltaT, deltaT[i]);
            routine(&ra[i], &dec[i], 2020, 5, 17, 21, 30, 0);
        }
        EXPECT_TRUE(ra[1] == ra[0] && dec[1] == dec[0] && ra[2] != ra[0]);
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
    const double shift = SeparationArcsec(raNorth, decNorth, raSouth, decSouth);
    EXPECT_TRUE(shift > 0.1 && shift < 6.9) << shift;
}

}  // namespace
