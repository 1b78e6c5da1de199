#include "ephemeris/lunar_lighting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/moon_records.h"
#include "ephemeris/lunar_libration.h"
#include "ephemeris/moon_view_helpers.h"
#include "support/recording_services.h"
#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kDeg = 0.017453292519943295;

// Meeus, Astronomical Algorithms, example 53.a: 1992 April 12, 0h TD, the Moon at apparent
// longitude 133.167265 and latitude -3.229126 degrees (example 47.a):
// l' = -1.206, b' = +4.194, l'' = -0.025, b'' = +0.006 degrees.
TEST(LunarLibrations, MeeusExample53a) {
    double l1, b1, l2, b2;
    EXPECT_EQ(ComputeLunarLibrations(2448724.5, 133.167265, -3.229126, &l1, &b1, &l2, &b2), 1);
    EXPECT_NEAR(WrappedDifference(l1, -1.206, 360.0), 0.0, 0.01);
    EXPECT_NEAR(b1, 4.194, 0.01);
    EXPECT_NEAR(l2, -0.025, 0.01);
    EXPECT_NEAR(b2, 0.006, 0.01);
}

// ERFA-based selenographic Sun and feature altitudes
// (scripts/reference/lunar_lighting_reference.py); the first date is Meeus's example 53.a,
// l0 67.89, b0 1.46. Within 0.01 degree: the short lunar series and a nutation taken off the
// geometric longitude stay below 0.005 degree.
TEST(MoonPhysicalEphemeris, SelenographicSunAndFeatureAltitudeMatchReference) {
    auto rows = ReadReferenceCsv("lunar_selenographic_sun.csv");
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows[0][0], 2448724.5);
    for (const auto& r : rows) {
        double l0, b0, c0;
        EXPECT_EQ(ComputeMoonPhysicalEphemeris(r[0], &l0, &b0, &c0), 1);
        EXPECT_NEAR(WrappedDifference(l0, r[1], 360.0), 0.0, 0.01) << r[0];
        EXPECT_NEAR(b0, r[2], 0.01) << r[0];
        EXPECT_NEAR(WrappedDifference(c0, r[3], 360.0), 0.0, 0.01) << r[0];
        EXPECT_TRUE(c0 >= 0.0 && c0 < 360.0) << c0;
    }
    rows = ReadReferenceCsv("lunar_feature_sun_altitude.csv");
    ASSERT_EQ(rows.size(), 64u);
    for (const auto& r : rows)
        EXPECT_NEAR(FeatureSunAltitude(r[0], r[1], r[2]), r[3], 0.01) << r[0] << ' ' << r[1];
}

// Each crossing found has the Sun on the horizon, going the right way, in the direction the
// search walks (back from a sunlit start for a sunrise) and within a lunation of the start.
TEST(FeatureSunCrossing, FindsTheRightCrossing) {
    const double features[][2] = {{0, 0}, {-40, 25}, {95, -30}, {170, 62}, {-120, -75}, {20, 84}};
    for (const auto& f : features) {
        for (double start : {2451545.0, 2455197.8, 2460000.25}) {
            bool sunUp = FeatureSunAltitude(start, f[0], f[1]) > 0;
            for (int rising : {1, 0}) {
                SCOPED_TRACE(testing::Message() << f[0] << ' ' << f[1] << ' ' << start << ' ' << rising);
                double jd = rising ? FindFeatureSunrise(start, f[0], f[1]) : FindFeatureSunset(start, f[0], f[1]);
                ASSERT_NE(jd, 0.0);
                EXPECT_LE(std::fabs(FeatureSunAltitude(jd, f[0], f[1])), 0.001);
                EXPECT_EQ(FeatureSunAltitude(jd + 0.05, f[0], f[1]) > 0, rising == 1);
                EXPECT_EQ(jd > start, rising ? !sunUp : sunUp);
                EXPECT_LT(std::fabs(jd - start), 29.530589);
            }
        }
    }
}

// Mended: near the poles the search never settled (the Sun circles without rising or
// setting, and the step grows as 1/cos latitude). It now ends within 100 steps with a
// crossing or 0.0, and at once at a pole.
TEST(FeatureSunCrossing, SearchNearThePolesEnds) {
    for (double lat : {89.9, -89.9, 90.0, -90.0, 89.95}) {
        for (int rising : {1, 0}) {
            RecordingServices services;
            double jd = FindFeatureSunCrossing(2451545.0, 15, lat, rising);
            EXPECT_LE(services.busySteps, std::fabs(lat) == 90.0 ? 0 : 100) << lat;
            EXPECT_LE(jd == 0.0 ? 0.0 : std::fabs(FeatureSunAltitude(jd, 15, lat)), 0.001) << lat;
            EXPECT_TRUE(std::fabs(lat) < 90.0 || jd == 0.0) << lat;
        }
    }
}

// Lunar feature records served by the test through the record hooks.
std::vector<MoonFeatureRecord> records;
int unreadableIndex = -1;
int recordReads = 0;

int CountRecords() { return static_cast<int>(records.size()); }

int ReadRecord(int index, MoonFeatureRecord* record) {
    ++recordReads;
    if (index == unreadableIndex || index < 0 || index >= CountRecords()) return 0;
    *record = records[index];
    return 1;
}

class TerminatorPoints : public ::testing::Test {
protected:
    void SetUp() override {
        records.clear();
        unreadableIndex = -1;
        recordReads = 0;
        previous_ = InstallMoonRecordHooks({CountRecords, ReadRecord});
        double l0;
        ComputeMoonPhysicalEphemeris(kJd, &l0, &b0_, &c0_);
    }
    void TearDown() override { InstallMoonRecordHooks(previous_); }

    // A feature at the shown latitude (stored negated) and a longitude where the Sun stands
    // at altitude h; evening picks the other terminator.
    void AddAtAltitude(double h, double shownLatitude, bool evening, float diameter = 50.0f) {
        double b0 = b0_ * kDeg, lat = shownLatitude * kDeg;
        double x = std::asin((std::sin(h * kDeg) - std::sin(b0) * std::sin(lat)) /
                             (std::cos(b0) * std::cos(lat))) / kDeg;
        MoonFeatureRecord r{};
        r.latitude = static_cast<float>(-shownLatitude);
        r.longitude = static_cast<float>(WrappedDifference((evening ? 180.0 - x : x) - c0_, 0.0, 360.0));
        r.diameter = diameter;
        records.push_back(r);
    }
    // The selection, with a guard slot past maxCount that must stay untouched.
    std::vector<int> Select(int maxCount, int minDiameter, int maxAltitude) {
        std::vector<int> indices(maxCount + 1, -1);
        int n = ComputeTerminatorPoints(kJd, indices.data(), maxCount, minDiameter, maxAltitude);
        EXPECT_EQ(indices[maxCount], -1);
        indices.resize(n);
        return indices;
    }

    static constexpr double kJd = 2451550.3;
    double b0_ = 0, c0_ = 0;
    MoonRecordHooks previous_;
};

TEST_F(TerminatorPoints, SelectsFeaturesNearBothTerminators) {
    EXPECT_TRUE(Select(10, 0, 5).empty());  // no database, no features
    AddAtAltitude(2.0, 0, false);     // 0 morning terminator
    AddAtAltitude(2.0, 0, true);      // 1 evening terminator
    AddAtAltitude(-2.0, 0, false);    // 2 night side
    AddAtAltitude(30.0, 10, true);    // 3 high Sun
    AddAtAltitude(0.01, -40, true);   // 4 just sunlit
    AddAtAltitude(-0.01, -40, true);  // 5 just dark
    AddAtAltitude(4.99, 35, false);   // 6 just below the limit
    AddAtAltitude(5.01, 35, false);   // 7 just above it
    AddAtAltitude(3.0, 70, true);     // 8 far north
    RecordingServices services;
    EXPECT_EQ(Select(100, 0, 5), (std::vector<int>{0, 1, 4, 6, 8}));
    EXPECT_EQ(services.busySteps, 9);
    EXPECT_EQ(services.busyEnds, 1);
}

// The stored latitude has the opposite sign to the shown one. On the meridian of the
// terminator the Sun's altitude is asin(sin b0 sin latitude): above the horizon on the
// hemisphere the Sun leans to, below it on the other.
TEST_F(TerminatorPoints, StoredLatitudeIsNegated) {
    ASSERT_GT(std::fabs(b0_), 0.3);  // the Sun well off the lunar equator on this day
    AddAtAltitude(std::asin(std::sin(std::fabs(b0_) * kDeg) * std::sin(60 * kDeg)) / kDeg,
                  b0_ > 0 ? 60.0 : -60.0, false);
    records.push_back(records[0]);
    records[1].latitude = -records[1].latitude;
    EXPECT_EQ(Select(10, 0, 5), (std::vector<int>{0}));
}

// Small features and unreadable records are skipped; the output never passes maxCount and
// no record is read once it is full.
TEST_F(TerminatorPoints, DiameterUnreadableRecordsAndMaxCount) {
    AddAtAltitude(1.0, 0, false, 9.5f);
    AddAtAltitude(1.0, 0, true, 10.0f);
    AddAtAltitude(2.0, 20, false, 200.0f);
    AddAtAltitude(2.5, -20, true, 200.0f);
    unreadableIndex = 2;
    EXPECT_EQ(Select(10, 10, 5), (std::vector<int>{1, 3}));
    unreadableIndex = -1;
    recordReads = 0;
    EXPECT_EQ(Select(2, 0, 5), (std::vector<int>{0, 1}));
    EXPECT_EQ(recordReads, 2);
    recordReads = 0;
    EXPECT_TRUE(Select(0, 0, 5).empty());
    EXPECT_EQ(recordReads, 0);
}

// Mended: results lie in [0, 360) and [0, 2 pi); 360 minus a value below the sum's precision
// rounded to exactly 360.
TEST(ReduceDegrees, TinyNegativeAngleDoesNotReturnFullTurn) {
    const double degrees[][2] = {{-360, 0}, {720, 0}, {-1, 359}, {-361.5, 358.5}, {1e6, 280}, {-1e6, 80}};
    for (const auto& c : degrees) EXPECT_NEAR(ReduceDegrees(c[0]), c[1], 1e-9) << c[0];
    EXPECT_NEAR(ReduceRadians(-13.0), 6 * M_PI - 13.0, 1e-12);
    EXPECT_NEAR(ReduceRadians(2 * M_PI), 0.0, 1e-12);
    for (double x : {-1e-20, -1e-15, -std::nextafter(0.0, -1.0)}) {
        EXPECT_TRUE(ReduceDegrees(x) >= 0.0 && ReduceDegrees(x) < 360.0) << x;
        EXPECT_LT(ReduceRadians(x), 2 * M_PI) << x;
    }
}

// Julian days of 0 h of proleptic Gregorian dates from ERFA cal2jd (astronomical year
// numbering, so year 0 is 1 BC).
TEST(JulianDayAFC, ProlepticGregorianDates) {
    struct Case { int y, m, d; double jd; } cases[] = {
        {2000, 1, 1, 2451544.5}, {1957, 10, 4, 2436115.5}, {1987, 6, 19, 2446965.5},
        {1600, 12, 31, 2305812.5}, {1, 1, 1, 1721425.5}, {0, 3, 1, 1721119.5},
        {-100, 3, 1, 1684594.5}, {-4712, 1, 1, 37.5},
    };
    for (const Case& c : cases) EXPECT_EQ(JulianDayAFC(c.y, c.m, c.d), c.jd) << c.y;
}

}  // namespace
