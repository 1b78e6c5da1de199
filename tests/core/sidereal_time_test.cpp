#include "core/sidereal_time.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kSecond = 1.0 / 3600;  // one second of time in hours

double Hms(int h, int m, double s) { return h + m / 60.0 + s / 3600.0; }

// Meeus, Astronomical Algorithms, example 12.a.
TEST(GetGreenwichSiderealTime0h, MeeusExample) {
    EXPECT_NEAR(GetGreenwichSiderealTime0h(1987, 4, 10), Hms(13, 10, 46.3668), 0.001 * kSecond);
}

// Meeus example 12.b (19:21:00 UT), then the same instant in other zones and
// 15 degrees further west.
TEST(GetLocalSiderealTime, MeeusExampleWithZonesAndLongitude) {
    const double expected = Hms(8, 34, 57.0896);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 10, 19, 21, 0, 0.0, 0), expected, 0.001 * kSecond);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 10, 21, 21, 0, 0.0, 120), expected, 0.001 * kSecond);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 10, 19, 21, 0, 15.0, 0), expected - 1,
                0.001 * kSecond);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 10, 19, 21, 0, -15.0, 0), expected + 1,
                0.001 * kSecond);
}

// The date passed is the local one; a zone that moves universal time to the
// previous day gives a negative universal hour and the same sidereal time.
TEST(GetLocalSiderealTime, ZoneAcrossMidnight) {
    double ut = GetLocalSiderealTime(1987, 4, 10, 23, 30, 0, 0.0, 0);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 11, 0, 30, 0, 0.0, 60), ut, 0.001 * kSecond);
    double west = GetLocalSiderealTime(1987, 4, 11, 3, 30, 0, 0.0, 0);
    EXPECT_NEAR(GetLocalSiderealTime(1987, 4, 10, 22, 30, 0, 0.0, -300), west, 0.001 * kSecond);
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
        double lst = GetLocalSiderealTime(v[0], v[1], v[2], v[3], v[4], v[5], r[6],
                                          static_cast<int>(r[7]));
        EXPECT_GE(lst, 0.0);
        EXPECT_LE(lst, 24.0);
        EXPECT_NEAR(WrappedDifference(lst, r[8], 24.0), 0.0, 0.001 * kSecond)
            << v[0] << '-' << v[1] << '-' << v[2] << ' ' << v[3] << ':' << v[4];
    }
}

}  // namespace
