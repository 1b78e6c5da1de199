#include "core/sidereal_time.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kMillisecond = 0.001 / 3600;  // one millisecond of time in hours

double Hms(int h, int m, double s) { return h + m / 60.0 + s / 3600.0; }

// Meeus, Astronomical Algorithms, examples 12.a and 12.b (19:21:00 UT), then the same instant
// in other zones and 15 degrees further west or east. The date passed is the local one: a zone
// that moves universal time to the previous day gives a negative universal hour and the same
// sidereal time.
TEST(SiderealTime, MeeusExamplesWithZonesAndLongitude) {
    EXPECT_NEAR(GetGreenwichSiderealTime0h(1987, 4, 10), Hms(13, 10, 46.3668), kMillisecond);
    const double expected = Hms(8, 34, 57.0896);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 10, 19, 21, 0, 0.0, 0), expected, kMillisecond);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 10, 21, 21, 0, 0.0, 120), expected, kMillisecond);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 10, 19, 21, 0, 15.0, 0), expected - 1, kMillisecond);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 10, 19, 21, 0, -15.0, 0), expected + 1, kMillisecond);
    const double ut2330 = GetLocalSiderealTime(1987, 4, 10, 23, 30, 0, 0.0, 0);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 11, 0, 30, 0, 0.0, 60), ut2330, kMillisecond);
    const double ut0330 = GetLocalSiderealTime(1987, 4, 11, 3, 30, 0, 0.0, 0);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 10, 22, 30, 0, 0.0, -300), ut0330, kMillisecond);
}

// ERFA gmst82 (IAU 1982 GMST, UT1 = UT), 1800..2200, with zones and longitudes
// (scripts/reference/sidereal_horizontal_erfa.py). The formulas agree to well
// under a millisecond of time.
TEST(GetLocalSiderealTime, MatchesErfaGmst82) {
    auto rows = ReadReferenceCsv("sidereal_time_erfa.csv");
    ASSERT_EQ(rows.size(), 200u);
    for (const auto& r : rows) {
        int v[6];
        for (int i = 0; i < 6; ++i) v[i] = static_cast<int>(r[i]);
        double lst = GetLocalSiderealTime(v[0], v[1], v[2], v[3], v[4], v[5], r[6], static_cast<int>(r[7]));
        EXPECT_TRUE(lst >= 0.0 && lst <= 24.0) << lst;
        EXPECT_NEAR(WrappedDifference(lst, r[8], 24.0), 0.0, kMillisecond)
            << v[0] << '-' << v[1] << '-' << v[2] << ' ' << v[3] << ':' << v[4];
    }
}

}  // namespace
