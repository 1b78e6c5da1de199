#include "ephemeris/jupiter_central_meridian.h"

#include <gtest/gtest.h>

#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "support/wrapped_difference.h"

namespace {

class JupiterCentralMeridian : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ValidatePreferences();
    }
    void TearDown() override { ResetSharedState(); }
};

TEST_F(JupiterCentralMeridian, GrsLongitudeIsSetTo117AtEveryStart) {
    preferences.SetFloat(kPrefGrsLongitude, 42.4f);
    ValidatePreferences();
    EXPECT_EQ(preferences.GetFloat(kPrefGrsLongitude), 117.0f);
}

// The worked cases of the routine's documentation (zone 0, Red Spot at 117.0):
// geometry at local midnight and the three transit times.
struct TransitCase {
    int year, month, day;
    double declination, distance, centralMeridian;
    int hours[3], minutes[3];
};

TEST_F(JupiterCentralMeridian, DocumentedDates) {
    const TransitCase cases[] = {
        {2010, 6, 1, -1.36, 5.212, 428.08, {1, 11, 21}, {20, 16, 12}},
        {2009, 12, 1, -15.43, NAN, 117.10, {9, 19, 29}, {55, 51, 46}},
    };
    for (const TransitCase& c : cases) {
        SCOPED_TRACE(c.year * 100 + c.month);
        JupiterMeridian m = ComputeJupiterMeridian(JulianDayFromDate(c.year, c.month, c.day));
        EXPECT_NEAR(m.declination, c.declination, 0.005);
        if (!std::isnan(c.distance)) {
            EXPECT_NEAR(m.distance, c.distance, 0.0005);
        }
        EXPECT_NEAR(m.centralMeridian, c.centralMeridian, 0.005);
        int hour[3], minute[3];
        int last = ComputeJupiterCentralMeridian(c.year, c.month, c.day, hour, minute);
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(hour[n], c.hours[n]) << n;
            EXPECT_EQ(minute[n], c.minutes[n]) << n;
        }
        EXPECT_EQ(last, c.minutes[2]);
    }
}

// 2010-06-01: the pole angle K lies near -179 degrees.
TEST_F(JupiterCentralMeridian, PoleAngleNearMinus179) {
    JupiterMeridian m = ComputeJupiterMeridian(JulianDayFromDate(2010, 6, 1));
    EXPECT_NEAR(m.poleAngle, -179.0, 0.5);
}

// The Red Spot placed relative to the central meridian of local midnight
// (2010-06-01, zone 0): on it, a turn and 68 degrees behind it, and 370 degrees
// ahead of it. Expected times: offset x 24 / 870.27 hours (the System II rate).
TEST_F(JupiterCentralMeridian, RedSpotOffsetsFromTheMeridian) {
    double cm = ComputeJupiterMeridian(JulianDayFromDate(2010, 6, 1)).centralMeridian;
    struct Case { double offset; int hour0, minute0; } cases[] = {
        {0.001, 0, 0},      // on the meridian at midnight
        {-428.08, -2, 7},   // x = -68.08 even after adding 360: -112.6 min
        {370.0, 10, 12},    // x = 370: more than one rotation after midnight
        {180.0, 4, 57},     // half a turn: 4.964 h
    };
    for (const Case& c : cases) {
        preferences.SetFloat(kPrefGrsLongitude, static_cast<float>(cm + c.offset));
        int hour[3], minute[3];
        ComputeJupiterCentralMeridian(2010, 6, 1, hour, minute);
        EXPECT_EQ(hour[0], c.hour0) << c.offset;
        EXPECT_EQ(minute[0], c.minute0) << c.offset;
        // Later transits follow one rotation (9 h 55.6 min) apart.
        EXPECT_NEAR((hour[1] * 60 + minute[1]) - (hour[0] * 60 + minute[0]), 595.6, 1.0);
        EXPECT_NEAR((hour[2] * 60 + minute[2]) - (hour[1] * 60 + minute[1]), 595.6, 1.0);
    }
}

// An hour east of Greenwich local midnight is 23:00 UT the day before: the
// same transit (01:20 UT) is still the first after it and reads 02:20 local.
TEST_F(JupiterCentralMeridian, ZoneShiftsLocalMidnight) {
    int h0[3], m0[3], h1[3], m1[3];
    ComputeJupiterCentralMeridian(2010, 6, 1, h0, m0);
    currentSite.zoneMinutes = 60;
    ComputeJupiterCentralMeridian(2010, 6, 1, h1, m1);
    EXPECT_NEAR((h1[0] * 60 + m1[0]) - (h0[0] * 60 + m0[0]), 60.0, 1.0);
}

}  // namespace
