#include "core/earth_orientation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/nutation.h"
#include "support/reference_table.h"

namespace {

constexpr double kRadToArcsec = 206264.80624709636;

// Index of element (r, c) of a matrix stored for (y, x, z) vectors, given (r, c) in x y z.
int YxzIndex(int r, int c) {
    const int swap[3] = {1, 0, 2};
    return 3 * swap[r] + swap[c];
}

void Rotate(const double* m, const double* v, double* out) {
    for (int r = 0; r < 3; ++r) out[r] = m[3 * r] * v[0] + m[3 * r + 1] * v[1] + m[3 * r + 2] * v[2];
}

class EarthOrientationTest : public ::testing::Test {
protected:
    void SetUp() override { ResetNutationCaches(); }
};

TEST_F(EarthOrientationTest, NutationThereAndBackIsTheIdentity) {
    const double v[3] = {0.3, -0.8, 0.52};
    double t[3], back[3];
    EXPECT_EQ(ApplyNutation(2458000.5, 0, v, t), 0);
    EXPECT_EQ(ApplyNutation(2458000.5, 1, t, back), 0);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(back[k], v[k], 1e-15);
}

TEST_F(EarthOrientationTest, PrecessionMatrixIsTheIdentityAtJ2000) {
    double m[9];
    ComputePrecessionMatrix(2451545.0, m);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(m[k], k % 4 == 0 ? 1.0 : 0.0) << k;
}

// Matrices against ERFA pmat76 (J2000 -> date) and nutm80 (mean -> true of date), x y z order.
TEST_F(EarthOrientationTest, MatricesAgreeWithIndependentIau1976And1980) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "precession_nutation_matrices.csv");
    ASSERT_FALSE(ref.rows.empty());
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double jd = ref.Get(k, "jd_tt");
        double p[9], n[9];
        ComputePrecessionMatrix(jd, p);
        GetNutationMatrix(jd, n);
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                std::string rc = std::to_string(r) + std::to_string(c);
                // the builders hold J2000 -> date precession and true -> mean nutation
                EXPECT_NEAR(p[YxzIndex(r, c)], ref.Get(k, "p" + rc), 1e-11) << k << " " << rc;
                EXPECT_NEAR(n[YxzIndex(c, r)], ref.Get(k, "n" + rc), 1e-12) << k << " " << rc;
            }
        }
    }
}

TEST_F(EarthOrientationTest, PrecessionOfVectorsAgreesWithIndependentIau1976) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "precession_nutation_matrices.csv");
    const double v[3] = {0.6, 0.64, 0.48};
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double jd = ref.Get(k, "jd_tt"), m[9], want[3], got[3], back[3];
        for (int e = 0; e < 9; ++e) m[e] = ref.rows[k][1 + e];
        Rotate(m, v, want);
        ApplyPrecession(2451545.0, v, jd, got);
        ApplyPrecession(jd, got, 2451545.0, back);
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(got[c], want[c], 1e-11) << k;
            EXPECT_NEAR(back[c], v[c], 1e-12) << k;
        }
    }
}

TEST_F(EarthOrientationTest, NutationMatrixMatchesTrueToMeanRotation) {
    double n[9];
    GetNutationMatrix(2460000.5, n);
    const double v[3] = {0.1, 0.7, -0.707};
    double viaVector[3];
    ApplyNutation(2460000.5, 1, v, viaVector);
    const double yxz[3] = {v[1], v[0], v[2]};
    double viaMatrix[3];
    Rotate(n, yxz, viaMatrix);
    EXPECT_NEAR(viaMatrix[0], viaVector[1], 1e-15);
    EXPECT_NEAR(viaMatrix[1], viaVector[0], 1e-15);
    EXPECT_NEAR(viaMatrix[2], viaVector[2], 1e-15);
}

TEST(SiderealTimeFromJd, MeanSiderealTimeAtJ2000) {
    double st;
    ComputeSiderealTimeFromJd(2451545.0, 0.0, 0.0, &st);
    EXPECT_NEAR(st, 67310.54841 / 3600.0, 1e-12);
    EXPECT_NEAR(st, 18.697374558, 1e-9);
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

TEST(SiderealTimeFromJd, AlwaysWithinOneDay) {
    for (double jd = 2300000.3; jd < 2600000.0; jd += 12345.678) {
        for (double ee : {-1.2, 0.0, 1.2}) {
            double st;
            ComputeSiderealTimeFromJd(jd, 0.0, ee, &st);
            EXPECT_GE(st, 0.0);
            EXPECT_LT(st, 24.0);
        }
    }
}

TEST(EarthSpin, QuarterDayTurnsXIntoY) {
    const double v[3] = {1.0, 0.0, 0.5};
    double out[3];
    ApplyEarthSpin(6.0, v, out);
    EXPECT_NEAR(out[0], 0.0, 1e-15);
    EXPECT_NEAR(out[1], 1.0, 1e-15);
    EXPECT_EQ(out[2], 0.5);
}

TEST(PolarMotion, SmallRotationOfThePole) {
    const double pole[3] = {0.0, 0.0, 1.0};
    double out[3];
    ApplyPolarMotion(0.3, -0.2, pole, out);
    EXPECT_NEAR(out[0] * kRadToArcsec, -0.3, 1e-9);
    EXPECT_NEAR(out[1] * kRadToArcsec, -0.2, 1e-9);
    EXPECT_EQ(out[2], 1.0);
}

TEST_F(EarthOrientationTest, TerrestrialToCelestialWithoutDateIsTheSpinAlone) {
    const double v[3] = {0.2, 0.3, 0.9};
    double spun[3], out[3];
    ApplyEarthSpin(7.5, v, spun);
    TerrestrialToCelestial(0.0, 7.5, 0.0, 0.0, v, out);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(out[k], spun[k]);
    TerrestrialToCelestial(0.0, 0.0, 0.0, 0.0, v, out);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(out[k], v[k]);
}

// The true pole of date taken to J2000 is the last row of N P (ERFA nutm80 x pmat76).
TEST_F(EarthOrientationTest, TerrestrialToCelestialWithDateEndsInJ2000) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "precession_nutation_matrices.csv");
    ASSERT_FALSE(ref.rows.empty());
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        const double* p = &ref.rows[k][1];
        const double* n = &ref.rows[k][10];
        const double pole[3] = {0.0, 0.0, 1.0};
        double out[3];
        TerrestrialToCelestial(ref.Get(k, "jd_tt"), 0.0, 0.0, 0.0, pole, out);
        for (int c = 0; c < 3; ++c) {
            double want = n[6] * p[c] + n[7] * p[3 + c] + n[8] * p[6 + c];
            EXPECT_NEAR(out[c], want, 1e-10) << k;
        }
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
