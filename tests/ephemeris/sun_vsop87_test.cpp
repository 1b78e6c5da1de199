#include "ephemeris/sun_vsop87.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/ephemeris_work.h"
#include "support/reference_table.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kRadToDeg = 57.29577951308232;
constexpr double kArcsec = 1.0 / 3600;  // degrees

double CenturiesFromJ2000(double jd) { return (jd - 2451545.0) / 36525; }

double Hours(int h, int m, double s) { return h + m / 60.0 + s / 3600.0; }

// Meeus, Astronomical Algorithms, example 25.b: 1992 October 13, 0h TD, with the abridged
// series: L = -43.63484796 rad = 19.907372 deg, B = -0.00000312 rad, R = 0.99760775 AU.
TEST(ComputeEarthLongitude, MeeusExample25b) {
    double t = CenturiesFromJ2000(2448908.5);
    EXPECT_NEAR(ComputeEarthLongitude(t), 19.907372, 1e-6);
}

TEST(ComputeGeometricSun, MeeusExample25b) {
    double t = CenturiesFromJ2000(2448908.5);
    double lon, lat, r;
    ComputeGeometricSun(t, &lon, &lat, &r);
    // Theta = L + 180 = 199.907372 deg; the FK5 correction (-0.09033") gives 199.907347 deg.
    EXPECT_NEAR(lon * kRadToDeg, 199.907347, 1e-6);
    // beta = -B = +0.6436" (+-0.002" for the book's rounding), then the FK5 correction
    // 0.03916" (cos - sin) of lambda' = 199.906 deg: -0.0234".
    EXPECT_NEAR(lat * kRadToDeg * 3600, 0.6436 - 0.0234, 0.003);
    EXPECT_NEAR(r, 0.99760775, 1e-8);
}

// At T = 0 the Sun's longitude is the Earth's plus 180 degrees (with the FK5 correction).
TEST(ComputeGeometricSun, J2000IsTheEarthTurnedBy180Degrees) {
    double lon, lat, r;
    ComputeGeometricSun(0.0, &lon, &lat, &r);
    EXPECT_NEAR(lon * kRadToDeg, ComputeEarthLongitude(0.0) + 180.0 - 0.09033 * kArcsec, 1e-9);
    EXPECT_NEAR(r, 0.98333, 1e-5);  // two days before perihelion
}

// Before 2000 (negative T) whole revolutions are removed with floor, so the longitude stays
// in [0, 360); the Sun's own longitude is not reduced and runs up to 540 degrees.
TEST(ComputeEarthLongitude, NegativeCenturiesStayInOneRevolution) {
    bool sawSunAbove2Pi = false;
    for (double t = -1.0; t <= 1.0; t += 0.0137) {
        double l = ComputeEarthLongitude(t);
        EXPECT_GE(l, 0.0) << t;
        EXPECT_LT(l, 360.0) << t;
        double lon, lat, r;
        ComputeGeometricSun(t, &lon, &lat, &r);
        if (lon > 2 * M_PI) sawSunAbove2Pi = true;
        EXPECT_GT(lon, M_PI - 1e-3);
        EXPECT_LT(lon, 3 * M_PI);
    }
    EXPECT_TRUE(sawSunAbove2Pi);
}

// Against the complete VSOP87 (libnova's VSOP87B Earth on the FK5 mean ecliptic and equinox
// of date; cross-checked with ERFA epv00 to 0.06"), 300 dates 1900-2100. The abridged series
// is good to 1" in longitude, 0.3" in latitude and 2.5e-6 AU in distance (largest errors over
// 20000 dates: 0.72", 0.29", 2.4e-6 AU).
TEST(ComputeGeometricSun, AgreesWithCompleteVsop87From1900To2100) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sun_vsop87_reference.csv");
    ASSERT_EQ(ref.rows.size(), 300u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double jd = ref.Get(k, "jd_tt");
        double lon, lat, r;
        ComputeGeometricSun(CenturiesFromJ2000(jd), &lon, &lat, &r);
        double lonError = WrappedDifference(lon * kRadToDeg, ref.Get(k, "lon_deg"), 360.0);
        EXPECT_NEAR(lonError / kArcsec, 0.0, 1.0) << jd;
        EXPECT_NEAR(lat * kRadToDeg * 3600, ref.Get(k, "lat_arcsec"), 0.3) << jd;
        EXPECT_NEAR(r, ref.Get(k, "r_au"), 2.5e-6) << jd;
    }
}

class ComputeApparentSunTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEphemerisWork(); }
};

// Meeus example 25.b: alpha = 13h13m30.749s, delta = -7 deg 47' 01.74", computed by the book
// with the complete VSOP87; the abridged series comes within 0.3" (13h13m30.763s, 01.93").
TEST_F(ComputeApparentSunTest, MeeusExample25b) {
    BodyPosition record{};
    ComputeApparentSun(&record, CenturiesFromJ2000(2448908.5));
    double ra = record.ra * kRadToDeg / 15;
    double dec = record.dec * kRadToDeg;
    EXPECT_LT(SeparationArcsec(ra, dec, Hours(13, 13, 30.749), -(7 + 47 / 60.0 + 1.74 / 3600)),
              0.3);
    EXPECT_NEAR(record.distance, 0.99760775, 1e-8);
}

// The apparent place of ERFA (epv00 with light time and aberration, IAU 1976/1980
// precession-nutation) over 1900-2100: the abridged series and the aberration 20.4898"/R stay
// within 1" (the geometric bound above; the aberration formula adds a few mas).
TEST_F(ComputeApparentSunTest, AgreesWithErfaApparentPlaceFrom1900To2100) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sun_vsop87_reference.csv");
    ASSERT_EQ(ref.rows.size(), 300u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double jd = ref.Get(k, "jd_tt");
        BodyPosition record{};
        ComputeApparentSun(&record, CenturiesFromJ2000(jd));
        EXPECT_GE(record.ra, 0.0);
        EXPECT_LT(record.ra, 2 * M_PI);
        EXPECT_LT(SeparationArcsec(record.ra * kRadToDeg / 15, record.dec * kRadToDeg,
                                   ref.Get(k, "apparent_ra_deg") / 15,
                                   ref.Get(k, "apparent_dec_deg")),
                  1.0)
            << jd;
        EXPECT_NEAR(record.distance, ref.Get(k, "r_au"), 2.5e-6) << jd;
    }
}

// The routine writes ra, dec, distance, the Sun's fraction 1.0 and magnitude -24.6, leaves the
// other fields, and leaves the apparent longitude, the latitude and R in ephemerisWork.
TEST_F(ComputeApparentSunTest, WritesItsFieldsOnly) {
    BodyPosition record;
    double* fields = &record.ra;
    for (int k = 0; k < 11; ++k) fields[k] = -99.0;
    double t = CenturiesFromJ2000(2455000.5);
    ComputeApparentSun(&record, t);
    EXPECT_EQ(record.sunMoonFraction, 1.0);
    EXPECT_EQ(record.magnitude, -24.6);
    for (int k = 5; k < 11; ++k) EXPECT_EQ(fields[k], -99.0) << k;
    double lon, lat, r;
    ComputeGeometricSun(t, &lon, &lat, &r);
    EXPECT_EQ(ephemerisWork.latitude, lat);
    EXPECT_EQ(ephemerisWork.distance, record.distance);
    // Apparent minus geometric: nutation (within 17.3") less 20.5"/R of aberration.
    double shift = (ephemerisWork.longitude - lon) * kRadToDeg * 3600;
    EXPECT_GT(shift, -20.7 / r - 17.3);
    EXPECT_LT(shift, -20.3 / r + 17.3);
}

}  // namespace
