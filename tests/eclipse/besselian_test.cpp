#include "eclipse/besselian.h"

#include <gtest/gtest.h>

#include <cmath>

#include "solar_eclipse_fixture.h"

namespace {

using BesselianElementsTest = SolarEclipseTest;

// The 22 coefficients against those fitted to a direct shadow geometry with the Sun of ERFA
// and the Moon of JPL DE431 (scripts/reference/solar_eclipse_reference.py), for three total and
// two annular eclipses 2006-2024. Tolerances: x0 and y0 take the truncated ELP Moon, within
// 5e-4 Earth radii (about 1.7") of DE431 on these dates; the others are a few times the largest
// difference over the five eclipses (the rates and the cone radii hardly feel that error).
TEST_F(BesselianElementsTest, AgreeWithDirectShadowGeometry) {
    struct Coefficient {
        const char* column;
        double BesselianElements::*field;
        double tolerance;
    };
    const Coefficient coefficients[] = {
        {"x0", &BesselianElements::x0, 5e-4},        {"x1", &BesselianElements::x1, 2e-5},
        {"x2", &BesselianElements::x2, 1e-7},        {"x3", &BesselianElements::x3, 1e-9},
        {"y0", &BesselianElements::y0, 5e-4},        {"y1", &BesselianElements::y1, 2e-5},
        {"y2", &BesselianElements::y2, 1e-7},        {"y3", &BesselianElements::y3, 1e-9},
        {"d0", &BesselianElements::d0, 1e-4},        {"d1", &BesselianElements::d1, 1e-6},
        {"d2", &BesselianElements::d2, 1e-8},        {"mu0", &BesselianElements::mu0, 1e-3},
        {"mu1", &BesselianElements::mu1, 2e-6},      {"l1_0", &BesselianElements::l1_0, 3e-5},
        {"l1_1", &BesselianElements::l1_1, 1e-7},    {"l1_2", &BesselianElements::l1_2, 2e-9},
        {"l2_0", &BesselianElements::l2_0, 3e-5},    {"l2_1", &BesselianElements::l2_1, 1e-7},
        {"l2_2", &BesselianElements::l2_2, 2e-9},    {"tan_f1", &BesselianElements::tanF1, 1e-7},
        {"tan_f2", &BesselianElements::tanF2, 1e-7},
    };
    const ReferenceTable ref = Table("solar_besselian_reference.csv");
    ASSERT_EQ(ref.rows.size(), 5u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        const BesselianElements& e =
            ElementsFor(Date(ref, k, "year"), Date(ref, k, "month"), Date(ref, k, "day"));
        EXPECT_EQ(e.t0, ref.Get(k, "t0"));
        for (const Coefficient& c : coefficients) {
            EXPECT_NEAR(e.*c.field, ref.Get(k, c.column), c.tolerance)
                << c.column << " of " << ref.Get(k, "year") << "-" << ref.Get(k, "month");
        }
    }
}

// The reference hour is the nearest whole hour of greatest eclipse; from 23:30 on it is 24 of
// the same day.
TEST(BesselianReferenceHour, IsTheNearestWholeHour) {
    EXPECT_EQ(BesselianReferenceHour(10, 11), 10);
    EXPECT_EQ(BesselianReferenceHour(10, 30), 11);
    EXPECT_EQ(BesselianReferenceHour(22, 50), 23);
    EXPECT_EQ(BesselianReferenceHour(23, 40), 24);
}

// With t0 23 and 24 the samples run 3 and 4 hours into the next day. mu is counted from 0h of
// the given date, so it runs on without a jump at midnight: the fitted line meets every sample.
TEST_F(BesselianElementsTest, SamplesPastMidnightStayContinuous) {
    for (int t0 : {23, 24}) {
        BesselianElements e{};
        BuildBesselianElements(&e, 2006, 3, 29, t0);
        EXPECT_EQ(e.t0, t0);
        EXPECT_NEAR(e.mu1, 15.0044, 1e-3) << t0;
        for (int k = -4; k <= 4; ++k) {
            ComputeBesselianInstant(2006, 3, 29, t0, 60 * k, 0);
            const double fitted = e.mu0 + e.mu1 * k;
            EXPECT_NEAR(std::remainder(fitted - besselianInstant.mu, 360.0), 0, 2e-3)
                << t0 << " " << k;
        }
    }
}

// The umbral cone's radius l2 is negative at every sample of a total eclipse (the vertex lies
// beyond the fundamental plane) and positive for an annular one.
TEST_F(BesselianElementsTest, UmbraSignTellsTotalFromAnnular) {
    for (int k = -4; k <= 4; ++k) {
        ComputeBesselianInstant(2006, 3, 29, 10, 60 * k, 0);
        EXPECT_LT(besselianInstant.l2, 0) << "total, " << k;
        ComputeBesselianInstant(2006, 9, 22, 12, 60 * k, 0);
        EXPECT_GT(besselianInstant.l2, 0) << "annular, " << k;
    }
}

// The Sun passes 12 h of right ascension at the September equinox, 2006-09-23 about 04 h: the
// axis right ascension from atan2 jumps by 360 degrees between two of the nine samples, and
// fitted without unwrapping, mu1 came out near 15 + 360 / 9 degrees per hour.
TEST_F(BesselianElementsTest, AxisPassingTwelveHoursKeepsMuRate) {
    int jumps = 0;
    double previous = 0;
    for (int k = -4; k <= 4; ++k) {
        ComputeBesselianInstant(2006, 9, 23, 4, 60 * k, 0);
        if (k > -4 && std::fabs(besselianInstant.mu - previous - 15) > 180) ++jumps;
        previous = besselianInstant.mu;
    }
    ASSERT_EQ(jumps, 1);
    BesselianElements e{};
    BuildBesselianElements(&e, 2006, 9, 23, 4);
    EXPECT_NEAR(e.mu1, 15.004, 2e-3);
    EXPECT_GE(e.mu0, -360);
    EXPECT_LT(e.mu0, 360);
}

}  // namespace
