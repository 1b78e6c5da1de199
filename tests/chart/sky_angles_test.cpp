// Angular distance and the obliquity constant.
#include "chart/sky_angles.h"

#include <gtest/gtest.h>

namespace {

// Spherical geometry: a meridian arc, two points over the pole, and a quarter
// of the equator.
TEST(SkyAnglesTest, SeparationIsNotDoubled) {
    struct Case {
        double ra1, dec1, ra2, dec2, degrees;
    } cases[] = {{0, 0, 0, 10, 10}, {0, 60, 12, 60, 60}, {6, 0, 0, 0, 90}, {3, 20, 3, 20, 0}};
    for (const Case& c : cases)
        EXPECT_NEAR(AngularSeparationDeg(c.ra1, c.dec1, c.ra2, c.dec2), c.degrees, 1e-9) << c.degrees;
    // 23.43929 degrees, the IAU 1976 mean obliquity at J2000.0.
    EXPECT_DOUBLE_EQ(GetObliquityRad(), 0.4090927848297818);
}

}  // namespace
