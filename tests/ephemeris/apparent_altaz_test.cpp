#include "ephemeris/apparent_altaz.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/delta_t.h"
#include "core/earth_orientation.h"
#include "core/horizontal.h"
#include "core/nutation.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "support/wrapped_difference.h"

namespace {

class ApparentAltAzTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetNutationCaches();
        ResetEarthStateCache();
        ResetBodySourceCache();
        ResetJ2000ToDateCache();
    }
    // ComputeApparentAltAz of the J2000 place (10.5 h, +5) on 2012-02-03 21:00 in the mode.
    static void At(int mode, double* ra, double* dec, double* alt, double* az, double ra0 = 10.5,
                   double dec0 = 5) {
        ComputeApparentAltAz(ra0, dec0, ra, dec, alt, az, mode, 2012, 2, 3, 21, 0, 0);
    }
};

// ERFA pnm80 (IAU 1976 precession, IAU 1980 nutation), 1900-2100. The product applies the
// nutation mean-to-true after the precession; the inverse nutation put places up to 35" off.
TEST_F(ApparentAltAzTest, J2000ToDateAppliesNutationMeanToTrueAfterPrecession) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "j2000_to_date_iau1976_1980.csv");
    ASSERT_GT(ref.rows.size(), 100u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double ra = ref.Get(k, "ra2000_h"), dec = ref.Get(k, "dec2000_deg");
        ConvertJ2000ToDate(ref.Get(k, "jd_tt"), &ra, &dec);
        EXPECT_LT(SeparationArcsec(ra, dec, ref.Get(k, "ra_date_h"), ref.Get(k, "dec_date_deg")), 0.001) << k;
        EXPECT_TRUE(ra >= 0.0 && ra <= 24.0) << ra;
    }
}

// A place that lands on the pole of date has a sine of declination a rounding error above 1
// for about one date in eight; the declination once came out as NaN instead of +90.
TEST_F(ApparentAltAzTest, J2000ToDatePoleOfDateIsNinetyNotNaN) {
    for (int k = 0; k < 300; ++k) {
        const double jd = 2440000.5 + k * 17.3;
        // The J2000 direction of the pole of date: the third row of the product
        // transpose(nutation) x precession, in the (y, x, z) order of the builders.
        double p[9], n[9], v[3];
        ComputePrecessionMatrix(jd, p);
        GetNutationMatrix(jd, n);
        for (int j = 0; j < 3; ++j) v[j] = n[2] * p[j] + n[5] * p[3 + j] + n[8] * p[6 + j];
        double ra = std::fmod(std::atan2(v[0], v[1]) * 12 / M_PI + 24.0, 24.0);
        double dec = std::asin(v[2]) * 180 / M_PI;
        ConvertJ2000ToDate(jd, &ra, &dec);
        EXPECT_NEAR(dec, 90.0, 0.01 / 3600) << jd;  // NaN fails; asin resolves 0.004" next to 1
    }
}

// The product is kept for one Julian day: no new nutation for the same day, one for another.
TEST_F(ApparentAltAzTest, J2000ToDateKeepsTheProductForOneJulianDay) {
    double ra = 5.0, dec = 20.0, tilt[5];
    ConvertJ2000ToDate(2455000.5, &ra, &dec);
    ComputeEarthTilt(2460000.5, &tilt[0], &tilt[1], &tilt[2], &tilt[3], &tilt[4]);
    const long count = GetNutationEvaluationCount();
    ConvertJ2000ToDate(2455000.5, &ra, &dec);
    EXPECT_EQ(GetNutationEvaluationCount(), count);
    ConvertJ2000ToDate(2455000.75, &ra, &dec);
    EXPECT_EQ(GetNutationEvaluationCount(), count + 1);
}

// None below 0.1 or above 91 degrees of zenith distance; option 2 from the site's pressure and
// temperature, other options a standard atmosphere of 1010 mbar at sea level, 10 C, falling
// as exp(-height / 9100 m).
TEST(ComputeRefraction, LimitsAndAtmosphere) {
    AstroSite site{51.0, 0.0, 0.0, 10.0, 1013.0}, sea{0.0, 0.0, 0.0, 35.0, 900.0};
    EXPECT_TRUE(ComputeRefraction(&site, 2, 0.09) == 0.0 && ComputeRefraction(&site, 2, 91.01) == 0.0);
    EXPECT_TRUE(ComputeRefraction(&site, 2, 0.1) > 0.0 && ComputeRefraction(&site, 2, 91.0) > 0.0);
    const double base = ComputeRefraction(&site, 2, 80.0);
    EXPECT_NEAR(ComputeRefraction(&sea, 0, 80.0), base * 1010.0 / 1013.0, 1e-15);
    sea.height = 9100.0;
    EXPECT_NEAR(ComputeRefraction(&sea, 1, 80.0), base * 1010.0 / 1013.0 / std::exp(1.0), 1e-15);
}

// An object at zenith distance 90 degrees at 1013 mbar and 10 C is seen 0.483 degree higher
// once the refraction is iterated, up its vertical circle.
TEST_F(ApparentAltAzTest, RefractionAtTheHorizonIsIterated) {
    AstroSite site{51.0, 0.0, 0.0, 10.0, 1013.0};
    double jd = 2455000.5, deltaT = 66.0, e0, e, ee, dpsi, deps, st;
    ComputeEarthTilt(jd, &e0, &e, &ee, &dpsi, &deps);
    ComputeSiderealTimeFromJd(jd - deltaT / 86400.0, 0.0, ee, &st);
    const double ra = std::fmod(st + 6.0, 24.0);  // due east on the horizon: hour angle -6 h, Dec 0
    double zd, az, outRa, outDec;
    ComputeHorizontalPlace(jd, deltaT, 0.0, 0.0, &site, ra, 0.0, 0, &zd, &az, &outRa, &outDec);
    EXPECT_TRUE(std::fabs(zd - 90.0) < 1e-6 && std::fabs(az - 90.0) < 1e-6 && outRa == ra) << zd << ' ' << az;
    ComputeHorizontalPlace(jd, deltaT, 0.0, 0.0, &site, ra, 0.0, 2, &zd, &az, &outRa, &outDec);
    EXPECT_NEAR(zd, 89.517, 0.001);
    EXPECT_NEAR(az, 90.0, 1e-6);
    EXPECT_NEAR(ComputeAltitude(st, outRa, outDec, site.latitude), 90.0 - zd, 1e-6);
    EXPECT_NEAR(ComputeAzimuth(st, outRa, outDec, site.latitude), az, 1e-6);
}

// Modes 0 and 2 against ERFA (scripts/reference/apparent_places.py), within 0.05".
TEST_F(ApparentAltAzTest, ModesZeroAndTwoAgreeWithReference) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "apparent_altaz.csv");
    ASSERT_FALSE(ref.rows.empty());
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        SetTestSite(ref.Get(k, "lat_deg"), ref.Get(k, "lon_west_deg"), int(ref.Get(k, "zone_min")),
                    int(ref.Get(k, "height_m")));
        preferences.SetFloat(kPrefCurrentDeltaT, static_cast<float>(ref.Get(k, "delta_t_s")));
        int t[6];
        const char* names[6] = {"year", "month", "day", "hour", "minute", "second"};
        for (int i = 0; i < 6; ++i) t[i] = static_cast<int>(ref.Get(k, names[i]));
        ASSERT_EQ(ComputeDeltaT(t[0], t[1], t[2]), ref.Get(k, "delta_t_s"));
        double ra, dec, alt, az, wantAlt = ref.Get(k, "alt_deg");
        const int mode = static_cast<int>(ref.Get(k, "mode"));
        const double ra2000 = ref.Get(k, "ra2000_h"), dec2000 = ref.Get(k, "dec2000_deg");
        ASSERT_EQ(ComputeApparentAltAz(ra2000, dec2000, &ra, &dec, &alt, &az, mode, t[0], t[1], t[2], t[3],
                                       t[4], t[5]), 0);
        EXPECT_LT(SeparationArcsec(ra, dec, ref.Get(k, "ra_h"), ref.Get(k, "dec_deg")), 0.05) << k;
        EXPECT_NEAR(alt * 3600.0, wantAlt * 3600.0, 0.05) << k;
        const double dAz = WrappedDifference(az, ref.Get(k, "az_deg"), 360.0) * 3600.0;
        EXPECT_NEAR(dAz * std::cos(wantAlt * M_PI / 180), 0.0, 0.05) << k;
        EXPECT_TRUE(az >= 0.0 && az < 360.0) << az;
    }
}

// Modes 1 and 3 lift the object by the refraction (under 0.6 degree here) on its vertical;
// mode -1 takes a place already of date and gives mode 0's altitude and azimuth.
TEST_F(ApparentAltAzTest, RefractedAndNegativeModes) {
    SetTestSite(40.0, 75.0, -300);
    for (int mode : {0, 2}) {
        double ra0, dec0, alt0, az0, ra1, dec1, alt1, az1;
        At(mode, &ra0, &dec0, &alt0, &az0);
        At(mode + 1, &ra1, &dec1, &alt1, &az1);
        ASSERT_GT(alt0, 0.0);
        EXPECT_TRUE(alt1 > alt0 && alt1 - alt0 < 0.6) << mode;
        EXPECT_NEAR(az1, az0, 1e-9);
        EXPECT_GT(SeparationArcsec(ra0, dec0, ra1, dec1), 1.0);
    }
    double ra, dec, alt, az, altN, azN, raN, decN, raDate = 10.5, decDate = 5.0;
    At(0, &ra, &dec, &alt, &az);
    // 2012-02-03 21:00 local is 2012-02-04 02:00 UT, JD 2455961.5833.
    ConvertJ2000ToDate(2455961.5 + 2.0 / 24 + ComputeDeltaT(2012, 2, 3) / 86400.0, &raDate, &decDate);
    At(-1, &raN, &decN, &altN, &azN, raDate, decDate);
    EXPECT_NEAR(altN, alt, 1e-9);
    EXPECT_NEAR(azN, az, 1e-9);
    EXPECT_EQ(raN, raDate);
}

// The topocentric modes before and after the planets' range (1694 to 2296), against PyEphem's
// apparent topocentric places (scripts/reference/star_places_pyephem.py): a star needs the
// Earth alone, whose solar series holds from -4000 to +2800; they once gave RA = Dec = 0 and
// an object below the horizon. After +2800 the place is mode 0's, without the aberration.
TEST_F(ApparentAltAzTest, TopocentricModesGiveAStarsPlaceOutsideThePlanetsRange) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "star_places_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 12u);
    SetTestSite(51.5074, 0.1278, 0);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        const int year = int(ref.Get(k, "year"));
        const bool inSeries = year < 2800;
        double ra, dec, alt, az;
        const int code = ComputeApparentAltAz(ref.Get(k, "ra2000_h"), ref.Get(k, "dec2000_deg"), &ra, &dec, &alt, &az,
                                              kModeTopocentric, year, int(ref.Get(k, "month")), int(ref.Get(k, "day")),
                                              int(ref.Get(k, "hour")), int(ref.Get(k, "minute")), 0);
        EXPECT_EQ(code, inSeries ? 0 : 1) << k;
        const double tolerance = inSeries ? 1.0 : 25.0, wantAlt = ref.Get(k, "alt_deg");
        EXPECT_LT(SeparationArcsec(ra, dec, ref.Get(k, "ra_h"), ref.Get(k, "dec_deg")), tolerance) << k;
        EXPECT_NEAR(alt * 3600.0, wantAlt * 3600.0, tolerance) << k;
        const double dAz = WrappedDifference(az, ref.Get(k, "az_deg"), 360.0) * 3600.0;
        EXPECT_NEAR(dAz * std::cos(wantAlt * M_PI / 180), 0.0, tolerance) << k;
    }
}

// ComputeHourAngleFromLst: at LST 12 h the rows are (1, 0, 0), (0, sin f, cos f),
// (0, -cos f, sin f). Greenwich LST is 8h34m57.09s at 1987 April 10 19:21:00 UT (Meeus,
// Example 12.b), so 12 h falls 3h25m02.91s sidereal = 3h24m29.32s later, at 22:45:29.32:
// the 0.32 s left is 2.3e-5 rad of hour angle.
TEST_F(ApparentAltAzTest, HourAngleMatrixAtLocalNoonOfTheSky) {
    SetSiteLatitude(currentSite, 30.0);
    double m[9], f = 30.0 * M_PI / 180;
    ComputeHourAngleFromLst(1987, 4, 10, 22, 45, 29, m);
    const double want[9] = {1, 0, 0, 0, std::sin(f), std::cos(f), 0, -std::cos(f), std::sin(f)};
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(m[k], want[k], 3e-5) << k;
}

}  // namespace
