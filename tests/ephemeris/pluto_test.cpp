#include "ephemeris/pluto.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kDeg = 0.017453292519943295;

// Against PyEphem's Pluto (Chapront's theory, scripts/reference/bodies_pyephem.py) every 15
// years over 1890-2099. The full 43-term series is good to 0.5"; cut to seven terms it keeps
// errors of up to about 50" in longitude and latitude and 0.006 AU in the radius vector.
TEST(Pluto, HeliocentricPlaceMatchesPyEphem) {
    auto rows = ReadReferenceCsv("pluto_heliocentric_pyephem.csv");
    ASSERT_EQ(rows.size(), 14u);
    for (const auto& r : rows) {
        double lon, lat, rad;
        ComputePlutoHeliocentric(r[0], &lon, &lat, &rad);
        EXPECT_NEAR(WrappedDifference(lon / kDeg, r[1], 360.0) * std::cos(lat), 0.0, 60.0 / 3600) << r[0];
        EXPECT_NEAR(lat / kDeg, r[2], 60.0 / 3600) << r[0];
        EXPECT_NEAR(rad, r[3], 0.008) << r[0];
    }
}

}  // namespace
