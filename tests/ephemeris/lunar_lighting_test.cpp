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
constexpr double kLunation = 29.530589;

// ERFA-based selenographic Sun (scripts/reference/lunar_lighting_reference.py);
// the first row is Meeus's example 53.a (1992 April 12, 0h), l0 67.89, b0 1.46.
// Within 0.01 degree: the short lunar series and a nutation taken off the
// geometric longitude stay below 0.005 degree.
TEST(MoonPhysicalEphemeris, SelenographicSunMatchesReference) {
    auto rows = ReadReferenceCsv("lunar_selenographic_sun.csv");
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows[0][0], 2448724.5);
    for (const auto& r : rows) {
        double l0, b0, c0;
        EXPECT_EQ(ComputeMoonPhysicalEphemeris(r[0], &l0, &b0, &c0), 1);
        EXPECT_NEAR(WrappedDifference(l0, r[1], 360.0), 0.0, 0.01) << r[0];
        EXPECT_NEAR(b0, r[2], 0.01) << r[0];
        EXPECT_NEAR(WrappedDifference(c0, r[3], 360.0), 0.0, 0.01) << r[0];
        EXPECT_GT(l0, -360.0);
        EXPECT_LT(l0, 360.0);
        EXPECT_GE(c0, 0.0);
        EXPECT_LT(c0, 360.0);
    }
}

TEST(MoonPhysicalEphemeris, FeatureAltitudeMatchesReference) {
    auto rows = ReadReferenceCsv("lunar_feature_sun_altitude.csv");
    ASSERT_EQ(rows.size(), 64u);
    for (const auto& r : rows)
        EXPECT_NEAR(FeatureSunAltitude(r[0], r[1], r[2]), r[3], 0.01) << r[0] << ' ' << r[1];
}

// The colongitude grows by about 12.19 degrees a day.
TEST(MoonPhysicalEphemeris, ColongitudeAdvancesDaily) {
    double l0, b0, c1, c2;
    ComputeMoonPhysicalEphemeris(2451545.0, &l0, &b0, &c1);
    ComputeMoonPhysicalEphemeris(2451546.0, &l0, &b0, &c2);
    EXPECT_NEAR(WrappedDifference(c2, c1, 360.0), 12.19, 0.1);
}

struct Feature {
    double longitude, latitude;
};

const Feature kFeatures[] = {{0, 0}, {-40, 25}, {95, -30}, {170, 62}, {-120, -75}, {20, 84}};
const double kStarts[] = {2451545.0, 2455197.5 + 0.3, 2460000.25};

// Each crossing found has the Sun on the horizon, in the right direction, in
// the direction the search walks and within a lunation of the start.
TEST(FeatureSunCrossing, FindsTheRightCrossing) {
    for (const Feature& f : kFeatures) {
        for (double start : kStarts) {
            bool sunUp = FeatureSunAltitude(start, f.longitude, f.latitude) > 0;
            for (int rising : {1, 0}) {
                SCOPED_TRACE(testing::Message() << f.longitude << ' ' << f.latitude << ' '
                                                << start << " rising " << rising);
                double jd = FindFeatureSunCrossing(start, f.longitude, f.latitude, rising);
                if (jd == 0.0) {
                    ADD_FAILURE() << "no crossing";
                    continue;
                }
                EXPECT_LE(std::fabs(FeatureSunAltitude(jd, f.longitude, f.latitude)), 0.001);
                double after = FeatureSunAltitude(jd + 0.05, f.longitude, f.latitude);
                EXPECT_EQ(after > 0, rising == 1);
                bool forward = rising ? !sunUp : sunUp;
                EXPECT_EQ(jd > start, forward);
                EXPECT_LT(std::fabs(jd - start), kLunation);
            }
        }
    }
}

TEST(FeatureSunCrossing, SunriseAndSunsetAreTheTwoSearches) {
    EXPECT_EQ(FindFeatureSunrise(2451545.0, 10, 20), FindFeatureSunCrossing(2451545.0, 10, 20, 1));
    EXPECT_EQ(FindFeatureSunset(2451545.0, 10, 20), FindFeatureSunCrossing(2451545.0, 10, 20, 0));
}

// Started on a crossing, the search makes one step of altitude / (12.19075 cos
// latitude) days and stops: 1/12.19075 day per degree at the equator.
TEST(FeatureSunCrossing, StartOnTheCrossingTakesOneStep) {
    for (double lat : {0.0, 60.0, -45.0}) {
        double jd0 = FindFeatureSunrise(2451545.0, 30, lat);
        ASSERT_NE(jd0, 0.0);
        double h = FeatureSunAltitude(jd0, 30, lat);
        RecordingServices services;
        double jd = FindFeatureSunrise(jd0, 30, lat);
        EXPECT_EQ(services.busySteps, 1) << lat;
        EXPECT_EQ(services.busyEnds, 1) << lat;
        EXPECT_NEAR(jd, jd0 - h / (12.19075 * std::cos(lat * kDeg)), 1e-12) << lat;
    }
}

// Mended: near the poles the search never settled (the Sun circles without
// rising or setting, and the step grows as 1/cos latitude). It now ends within
// 100 steps with a crossing or 0.0, and at once at a pole.
TEST(FeatureSunCrossing, SearchNearThePolesEnds) {
    for (double lat : {89.9, -89.9, 90.0, -90.0, 89.95}) {
        for (int rising : {1, 0}) {
            RecordingServices services;
            double jd = FindFeatureSunCrossing(2451545.0, 15, lat, rising);
            EXPECT_LE(services.busySteps, 100) << lat;
            if (jd != 0.0) {
                EXPECT_LE(std::fabs(FeatureSunAltitude(jd, 15, lat)), 0.001) << lat;
            }
            if (std::fabs(lat) == 90.0) {
                EXPECT_EQ(jd, 0.0);
                EXPECT_EQ(services.busySteps, 0);
            }
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

    // A feature at the shown latitude (stored negated) and a longitude where the
    // Sun stands at altitude h; evening picks the other terminator.
    void AddAtAltitude(double h, double shownLatitude, bool evening, float diameter = 50.0f) {
        double b0 = b0_ * kDeg, lat = shownLatitude * kDeg;
        double s = (std::sin(h * kDeg) - std::sin(b0) * std::sin(lat)) /
                   (std::cos(b0) * std::cos(lat));
        double x = std::asin(s) / kDeg;
        double lon = (evening ? 180.0 - x : x) - c0_;
        MoonFeatureRecord r{};
        r.latitude = static_cast<float>(-shownLatitude);
        r.longitude = static_cast<float>(WrappedDifference(lon, 0.0, 360.0));
        r.diameter = diameter;
        records.push_back(r);
    }
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

// The stored latitude has the opposite sign to the shown one. On the meridian
// of the terminator the Sun's altitude is asin(sin b0 sin latitude): above the
// horizon on the hemisphere the Sun leans to, below it on the other.
TEST_F(TerminatorPoints, StoredLatitudeIsNegated) {
    ASSERT_GT(std::fabs(b0_), 0.3);  // the Sun well off the lunar equator on this day
    double shown = b0_ > 0 ? 60.0 : -60.0;
    AddAtAltitude(std::asin(std::sin(std::fabs(b0_) * kDeg) * std::sin(60 * kDeg)) / kDeg, shown,
                  false);
    MoonFeatureRecord flipped = records[0];
    flipped.latitude = -flipped.latitude;
    records.push_back(flipped);
    EXPECT_EQ(Select(10, 0, 5), (std::vector<int>{0}));
}

TEST_F(TerminatorPoints, DiameterAndUnreadableRecords) {
    AddAtAltitude(1.0, 0, false, 9.5f);
    AddAtAltitude(1.0, 0, true, 10.0f);
    AddAtAltitude(2.0, 20, false, 200.0f);
    AddAtAltitude(2.5, -20, true, 200.0f);
    unreadableIndex = 2;
    EXPECT_EQ(Select(10, 10, 5), (std::vector<int>{1, 3}));
}

TEST_F(TerminatorPoints, StopsAtMaxCount) {
    for (int k = 0; k < 6; ++k) AddAtAltitude(0.5 + 0.5 * k, 5.0 * k, k % 2 == 1);
    EXPECT_EQ(Select(2, 0, 5), (std::vector<int>{0, 1}));
    EXPECT_EQ(recordReads, 2);
    recordReads = 0;
    EXPECT_TRUE(Select(0, 0, 5).empty());
    EXPECT_EQ(recordReads, 0);
}

TEST_F(TerminatorPoints, NoDatabaseNoFeatures) {
    EXPECT_TRUE(Select(10, 0, 5).empty());
}

}  // namespace
