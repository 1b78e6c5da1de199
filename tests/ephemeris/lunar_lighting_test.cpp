#include "ephemeris/lunar_lighting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/moon_records.h"
#include "support/recording_services.h"
#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kDeg = 0.017453292519943295;

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
                double jd =
                    rising ? FindFeatureSunrise(start, f[0], f[1]) : FindFeatureSunset(start, f[0], f[1]);
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

    // A feature at the shown latitude (stored negated: the Sun stands off the lunar equator,
    // so a wrong sign moves features across the limits) and a longitude where the Sun stands
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

}  // namespace
