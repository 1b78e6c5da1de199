#include "core/earth_orientation.h"

#include <gtest/gtest.h>

#include "core/nutation.h"
#include "support/reference_table.h"

namespace {

constexpr double kRadToArcsec = 206264.80624709636;
constexpr int kYxz[3] = {1, 0, 2};  // position of x, y, z in the (y, x, z) storage order

void ExpectNear3(const double* got, const double* want, double tol) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], want[k], tol) << k;
}

void Rotate(const double* m, const double* v, double* out) {
    for (int r = 0; r < 3; ++r) out[r] = m[3 * r] * v[0] + m[3 * r + 1] * v[1] + m[3 * r + 2] * v[2];
}

class EarthOrientationTest : public ::testing::Test {
protected:
    void SetUp() override { ResetNutationCaches(); }
};

// Direction 0 then 1 is the identity; the (y, x, z) matrix agrees with direction 1.
TEST_F(EarthOrientationTest, NutationThereAndBackAndItsMatrix) {
    const double v[3] = {0.3, -0.8, 0.52}, yxz[3] = {v[1], v[0], v[2]};
    double there[3], back[3], viaVector[3], viaMatrix[3], n[9];
    EXPECT_EQ(ApplyNutation(2458000.5, 0, v, there), 0);
    EXPECT_EQ(ApplyNutation(2458000.5, 1, there, back), 0);
    ApplyNutation(2458000.5, 1, v, viaVector);
    GetNutationMatrix(2458000.5, n);
    Rotate(n, yxz, viaMatrix);
    const double viaMatrixXyz[3] = {viaMatrix[1], viaMatrix[0], viaMatrix[2]};
    ExpectNear3(back, v, 1e-15);
    ExpectNear3(viaMatrixXyz, viaVector, 1e-15);
}

TEST_F(EarthOrientationTest, PrecessionMatrixIsTheIdentityAtJ2000) {
    double m[9];
    ComputePrecessionMatrix(2451545.0, m);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(m[k], k % 4 == 0 ? 1.0 : 0.0) << k;
}

// ERFA pmat76 (J2000 -> date) and nutm80 (mean -> true of date), x y z order, row-major. The
// builders hold J2000 -> date precession and true -> mean nutation in (y, x, z) order; the true
// pole of date taken to J2000 is the last row of N P.
TEST_F(EarthOrientationTest, AgreesWithIndependentIau1976PrecessionAnd1980Nutation) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "precession_nutation_matrices.csv");
    ASSERT_FALSE(ref.rows.empty());
    const double v[3] = {0.6, 0.64, 0.48}, pole[3] = {0.0, 0.0, 1.0};
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        const double jd = ref.Get(k, "jd_tt"), *p = &ref.rows[k][1], *n = &ref.rows[k][10];
        double pm[9], nm[9], want[3], got[3], back[3], polar[3];
        ComputePrecessionMatrix(jd, pm);
        GetNutationMatrix(jd, nm);
        Rotate(p, v, want);
        ApplyPrecession(2451545.0, v, jd, got);
        ApplyPrecession(jd, got, 2451545.0, back);
        TerrestrialToCelestial(jd, 0.0, 0.0, 0.0, pole, polar);
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_NEAR(pm[3 * kYxz[r] + kYxz[c]], p[3 * r + c], 1e-11) << k;
                EXPECT_NEAR(nm[3 * kYxz[c] + kYxz[r]], n[3 * r + c], 1e-12) << k;
            }
            EXPECT_NEAR(got[r], want[r], 1e-11) << k;
            EXPECT_NEAR(back[r], v[r], 1e-12) << k;
            EXPECT_NEAR(polar[r], n[6] * p[r] + n[7] * p[3 + r] + n[8] * p[6 + r], 1e-10) << k;
        }
    }
}

// A quarter day of spin turns x into y; polar motion of (0.3", -0.2") tilts the pole by as
// much; without a date the terrestrial-to-celestial chain is the spin alone.
TEST_F(EarthOrientationTest, SpinPolarMotionAndTheChainWithoutDate) {
    const double v[3] = {1.0, 0.0, 0.5}, spun[3] = {0.0, 1.0, 0.5}, pole[3] = {0.0, 0.0, 1.0};
    const double tilted[3] = {-0.3 / kRadToArcsec, -0.2 / kRadToArcsec, 1.0};
    double out[3];
    ApplyEarthSpin(6.0, v, out);
    ExpectNear3(out, spun, 1e-15);
    TerrestrialToCelestial(0.0, 6.0, 0.0, 0.0, v, out);
    ExpectNear3(out, spun, 1e-15);
    ApplyPolarMotion(0.3, -0.2, pole, out);
    ExpectNear3(out, tilted, 1e-9 / kRadToArcsec);
}

TEST(SiderealTimeFromJd, MeanSiderealTimeAtJ2000AndAlwaysWithinOneDay) {
    double st;
    ComputeSiderealTimeFromJd(2451545.0, 0.0, 0.0, &st);
    EXPECT_NEAR(st, 67310.54841 / 3600.0, 1e-12);  // 18.697374558 h
    for (double jd = 2300000.3; jd < 2600000.0; jd += 12345.678) {
        for (double ee : {-1.2, 0.0, 1.2}) {
            ComputeSiderealTimeFromJd(jd, 0.0, ee, &st);
            EXPECT_TRUE(st >= 0.0 && st < 24.0) << st;
        }
    }
}

// ERFA gmst82 and gst94 (IAU 1982 sidereal time, 1994 equation of the equinoxes).
TEST(SiderealTimeFromJd, AgreesWithIndependentIau1982) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sidereal_time_iau1982.csv");
    ASSERT_FALSE(ref.rows.empty());
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double jd = ref.Get(k, "jd_ut1");
        double mean, apparent, e0, e, ee, dpsi, deps;
        ComputeSiderealTimeFromJd(jd, 0.0, 0.0, &mean);
        ComputeEarthTilt(jd, &e0, &e, &ee, &dpsi, &deps);
        ComputeSiderealTimeFromJd(jd, 0.0, ee, &apparent);
        EXPECT_NEAR(mean * 3600.0, ref.Get(k, "gmst_h") * 3600.0, 1e-4) << k;  // seconds of time
        EXPECT_NEAR(apparent * 3600.0, ref.Get(k, "gast_h") * 3600.0, 1e-4) << k;
    }
}

// ERFA dtdb (full series); the two-term expression is good to 30 microseconds.
TEST(ConvertTdbToTt, AgreesWithFullSeriesWithin30Microseconds) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "tdb_minus_tt.csv");
    ASSERT_FALSE(ref.rows.empty());
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double jd = ref.Get(k, "jd_tdb"), tt, dt;
        ConvertTdbToTt(jd, &tt, &dt);
        EXPECT_NEAR(dt, ref.Get(k, "tdb_minus_tt_s"), 30e-6) << k;
        EXPECT_NEAR((jd - tt) * 86400.0, dt, 1e-4);
    }
}

}  // namespace
