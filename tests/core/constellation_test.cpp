#include "core/constellation.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

#include "support/reference_csv.h"

namespace {

constexpr double kB1875 = 2405889.25855;
constexpr double kJ2000 = 2451545.0;
constexpr int kCnc = 22, kCam = 10, kOct = 58, kUMi = 84, kVul = 88;

// Roman (1987): 357 rows in the published order, first UMi above +88 degrees, last Oct; every
// one of the 88 constellations appears, Cancer as 22.
TEST(ConstellationBoundaries, PublishedTableShape) {
    const auto& first = constellationBoundaries[0];
    const auto& last = constellationBoundaries[kConstellationBoundaryRows - 1];
    EXPECT_EQ(kConstellationBoundaryRows, 357);
    using Row = std::array<int32_t, 4>;
    EXPECT_EQ((Row{first.raLow, first.raHigh, first.decLow, first.constellation}), (Row{0, 86400, 316800, kUMi}));
    EXPECT_EQ((Row{last.raLow, last.raHigh, last.decLow, last.constellation}), (Row{0, 86400, -324000, kOct}));
    std::set<int> used;
    for (int i = 0; i < kConstellationBoundaryRows; ++i) {
        used.insert(constellationBoundaries[i].constellation);
        if (i > 0) {
            EXPECT_LE(constellationBoundaries[i].decLow, constellationBoundaries[i - 1].decLow) << i;
        }
    }
    EXPECT_EQ(used.size(), 88u);
    EXPECT_EQ(used.count(11), 0u);
    EXPECT_EQ(used.count(kCnc), 1u);
}

// The table's own edges: above +88 degrees (B1875) is UMi at any right ascension; a B1875
// position is looked up unchanged, a point on a lower bound (UMi from +86.5 between 8h and
// 14h30m) belongs to the next row (Cam); the south pole itself matches no row.
TEST(FindConstellation, TableEdgesAndSouthPoleMatchesNoRow) {
    for (double ra = 0; ra < 24; ra += 1.7) EXPECT_EQ(FindConstellation(ra, 88.01, kB1875), kUMi) << ra;
    EXPECT_EQ(FindConstellation(10.0, 86.5003, kB1875), kUMi);
    EXPECT_EQ(FindConstellation(10.0, 86.4997, kB1875), kCam);
    EXPECT_EQ(FindConstellation(0.0, -90.0, kB1875), -1);
    EXPECT_EQ(FindConstellation(5.0, -89.999, kB1875), kOct);
    for (double dec = -89.5; dec <= 89.5; dec += 0.5)
        for (double ra = 0; ra <= 24.0; ra += 0.25) EXPECT_GE(FindConstellation(ra, dec, kJ2000), 0);
}

// Published positions (SIMBAD, J2000): M27, the Dumbbell nebula, 19h59m36.34s +22d43m16.1s,
// lies in Vulpecula (index 88); M44, Praesepe, 08h40m24s +19d40m00s, in Cancer (22).
TEST(FindConstellation, PublishedObjects) {
    EXPECT_EQ(FindConstellation(19 + 59 / 60.0 + 36.34 / 3600, 22 + 43 / 60.0 + 16.1 / 3600, kJ2000), kVul);
    EXPECT_EQ(FindConstellation(8 + 40 / 60.0 + 24 / 3600.0, 19 + 40 / 60.0, kJ2000), kCnc);
}

// astropy's get_constellation, an independent implementation of the same table, on 3958
// random J2000 positions at least 0.05 degree from any boundary
// (scripts/reference/constellation_astropy.py).
TEST(FindConstellation, AgreesWithAstropyAwayFromBoundaries) {
    auto rows = ReadReferenceCsv("constellations_astropy.csv");
    ASSERT_EQ(rows.size(), 3958u);
    for (const auto& r : rows)
        EXPECT_EQ(FindConstellation(r[0], r[1], kJ2000), static_cast<int>(r[2])) << r[0] << ' ' << r[1];
}

}  // namespace
