// Rows of the orbit assistant's ephemeris table: the place, distance,
// magnitude and constellation of a row against an exact orbit with ERFA's
// Earth, the zone of the row's time, and the texts of a row.
#include "orbits/orbit_ephemeris.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "comet_db_fixture.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "orbits/comet_position.h"
#include "support/reference_table.h"

namespace {

// Orbit 0 of tests/reference/comet_places.csv: q 1.2, e 0.5, w 30, node 80,
// i 10, perihelion JD 2451600.5 (2000-02-26 0h UT); H 6, K 10.
CometRecord ReferenceOrbit() {
    CometRecord c = TestComet("Reference", 2000, 2, 26.0f, 1.2f, 0.5f, 30.0f, 80.0f, 10.0f, 6.0f, 10.0f);
    FillCometWorkWords(&c);
    return c;
}

class OrbitEphemeris : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }
};

// Local 2000-03-17 02:00 at zone +120 is JD 2451620.5 UT (2000-03-17 0h; the
// day count from 2000-01-01 0h = JD 2451544.5 is 76). The reference row of
// that instant (scripts/reference/comet_orbits.py: exact orbit, ERFA's Earth)
// gives the place within 30", delta within 5e-4 AU (the low-precision Sun),
// the magnitude H + 5 log delta + K log r, and the place lies in Auriga
// (4h47m, +32 degrees).
TEST_F(OrbitEphemeris, RowAgainstExactOrbit) {
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "comet_places.csv");
    ASSERT_GT(table.rows.size(), 2u);
    ASSERT_EQ(table.Get(2, "jd"), 2451620.5);
    const OrbitEphemerisRow row = ComputeOrbitEphemerisRow(ReferenceOrbit(), 2000, 3, 17, 2, 0, 120);
    ASSERT_EQ(row.valid, 1);
    EXPECT_DOUBLE_EQ(row.jd, 2451620.5);
    EXPECT_LT(SeparationArcsec(row.rightAscension, row.declination, table.Get(2, "ra"), table.Get(2, "dec")), 30.0);
    EXPECT_NEAR(row.delta, table.Get(2, "delta"), 5e-4);
    EXPECT_NEAR(row.r, table.Get(2, "r"), 1e-5);
    EXPECT_NEAR(row.magnitude, 6.0 + 5 * std::log10(table.Get(2, "delta")) + 10 * std::log10(table.Get(2, "r")),
                0.002);
    const OrbitEphemerisTexts texts = OrbitEphemerisRowTexts(row);
    EXPECT_EQ(texts.constellation, "Aur");
    EXPECT_EQ(texts.elongation, std::to_string(static_cast<int>(table.Get(2, "elongation") * 180 / std::numbers::pi)) + "\xB0");
}

// The right ascension without its last three characters: 12h34m56s is
// "12h34" in the "%02dh%02dm%02d" format and "12:34" in "%02d:%02d:%02d".
TEST_F(OrbitEphemeris, RightAscensionLosesItsSeconds) {
    OrbitEphemerisRow row;
    row.year = 2006, row.month = 12, row.day = 28, row.valid = 1;
    row.rightAscension = static_cast<float>(12 + 34 / 60.0 + 56 / 3600.0);
    row.delta = 1.4325f;
    preferences.word[kPrefRaFormat] = 2;
    EXPECT_EQ(OrbitEphemerisRowTexts(row).rightAscension, "12h34");
    preferences.word[kPrefRaFormat] = 1;
    EXPECT_EQ(OrbitEphemerisRowTexts(row).rightAscension, "12:34");
    EXPECT_EQ(OrbitEphemerisRowTexts(row).distance, "1.433");
}

// A row whose orbit does not solve (q = 0) keeps its date and shows "-".
TEST_F(OrbitEphemeris, RowWithoutOrbit) {
    CometRecord c = ReferenceOrbit();
    c.perihelionDistance = 0.0f;
    FillCometWorkWords(&c);
    const OrbitEphemerisRow row = ComputeOrbitEphemerisRow(c, 2000, 3, 17, 2, 0, 0);
    EXPECT_EQ(row.valid, 0);
    const OrbitEphemerisTexts t = OrbitEphemerisRowTexts(row);
    EXPECT_FALSE(t.date.empty());
    EXPECT_EQ(t.rightAscension, "-");
    EXPECT_TRUE(t.magnitude.empty() && t.distance.empty() && t.constellation.empty());
}

}  // namespace
