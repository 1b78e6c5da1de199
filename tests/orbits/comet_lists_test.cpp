// The Best Dates and Brightest lists over a comet database: the comparisons
// they sort by, the magnitude limit, the window of reference dates, the date
// of least Earth distance against exact orbits, and objects without orbit.
#include "orbits/comet_lists.h"

#include <gtest/gtest.h>

#include <cmath>

#include "comet_db_fixture.h"
#include "core/julian_day.h"
#include "orbits/comet_position.h"
#include "support/reference_table.h"

namespace {

CometMagEntry Entry(float magnitude, int year = 2024, int month = 1, int day = 1) {
    return CometMagEntry{0, magnitude, year, month, day, 0, 0};
}

// Julian day of an entry's date and time, read as universal time.
double EntryJd(const CometMagEntry& e) {
    return JulianDayFromDateTime(e.year, e.month, e.day, e.hour, e.minute, 0, 0);
}

// The 16-bit differences: magnitudes in hundredths, truncated; dates by
// year, then month, then day.
TEST(CometListOrder, SixteenBitDifferences) {
    struct Case {
        float a, b;
        int expected;
    };
    for (const Case& c : {Case{5.0f, 5.25f, -25}, Case{19.0f, -2.5f, 2150}, Case{1.004f, 1.0f, 0},
                          Case{400.0f, -300.0f, static_cast<int16_t>(70000)},
                          // A typed magnitude far beyond any list saturates before the conversion.
                          Case{-1e9f, 10.0f, static_cast<int16_t>(INT32_MIN)}, Case{1e9f, 10.0f, -1}})
        EXPECT_EQ(CompareCometMagnitude(Entry(c.a), Entry(c.b)), c.expected) << c.a << " " << c.b;
    EXPECT_EQ(CompareCometDate(Entry(0, 2025, 1, 1), Entry(0, 2024, 12, 31)), 1);
    EXPECT_EQ(CompareCometDate(Entry(0, 2024, 3, 1), Entry(0, 2024, 5, 30)), -2);
    EXPECT_EQ(CompareCometDate(Entry(0, 2024, 5, 9), Entry(0, 2024, 5, 30)), -21);
    EXPECT_EQ(CompareCometDate(Entry(0, 2024, 5, 30), Entry(0, 2024, 5, 30)), 0);
}

// 19.0 is kept, 19.01 and a magnitude that is not a number are not.
TEST(CometListOrder, MagnitudeLimit) {
    EXPECT_TRUE(IsCometMagnitudeListed(19.0f));
    EXPECT_TRUE(IsCometMagnitudeListed(-3.0));
    EXPECT_FALSE(IsCometMagnitudeListed(19.01f));
    EXPECT_FALSE(IsCometMagnitudeListed(std::nan("")));
}

// A minor planet's reference date is 0h of the date of 2 x epoch - J: J the
// Julian day of 2003-12-27 0h (2453000.5), epoch 2453100.5 or 2453100.75
// gives 2453200.5 or 2453201.0, both on 2004-07-14 (counted by hand: 200
// days after 27 December 2003), whose 0h is JD 2453200.5.
TEST(CometListOrder, MinorPlanetReferenceDate) {
    CometRecord minor = TestComet("Minor", 2003, 12, 27.0f, 2.0f, 0.1f);
    minor.kind = kMinorPlanetRecordKind;
    for (float epoch : {2453100.5f, 2453100.75f}) {
        minor.epochJulianDay = epoch;
        FillCometWorkWords(&minor);
        EXPECT_EQ(CometReferenceDate(minor), 2453200.5) << epoch;
    }
    CometRecord comet = TestComet("Comet", 2003, 12, 27.5f, 2.0f, 0.1f);
    FillCometWorkWords(&comet);
    EXPECT_EQ(CometReferenceDate(comet), 2453001.0);
}

class CometLists : public CometDbTest {};

// Form date 2024-07-01 0h: a perihelion 40 days before is out of Best Dates,
// one 20 days before is in; a record with q = 0 is in neither list.
TEST_F(CometLists, BestDatesWindowAndRecordsWithoutOrbit) {
    const double now = JulianDayFromDateTime(2024, 7, 1, 0, 0, 0, 0);
    OpenComets({TestComet("Forty", 2024, 5, 22.0f, 1.0f, 0.9f, 30.0f, 40.0f, 10.0f),
                TestComet("Twenty", 2024, 6, 11.0f, 1.0f, 0.9f, 30.0f, 40.0f, 10.0f),
                TestComet("NoOrbit", 2024, 7, 10.0f, 0.0f, 0.9f)});
    ASSERT_EQ(CollectBestDates(now), 1);
    EXPECT_EQ(CometMagList[0].index, 1);
    ASSERT_EQ(CollectBrightest(now, 2024, 7, 1, 0, 0), 2);
    for (int i = 0; i < cometMagCount; ++i) EXPECT_NE(CometMagList[i].index, 2);
    EXPECT_TRUE(services.messages.empty());
}

// The date of least Earth distance against exact orbits with ERFA's Earth
// (printed by scripts/reference/comet_orbits.py): perihelion 2024-07-09 0h
// UT, the elliptic orbit q 0.9, e 0.6, w 165, node 120, i 5 comes closest at
// JD 2460507.004795 (0.114269 AU from the Earth, 0.904619 AU from the Sun),
// the near-parabolic one q 1, e 0.995, w 150, node 135, i 15 at JD
// 2460511.981799 (0.087790 AU, 1.019162 AU). Budget 0.05 day: the
// list keeps whole minutes (truncated); the low-precision Sun (0.01 degree,
// about 1.7e-4 AU of the Earth's place) and the precession added to the
// comet's longitude only (the ecliptic of the date's equinox tilts by about
// 0.01 degree from that of J2000 in 24 years) each move the nearest point
// by some 2e-4 AU, which at a relative speed near 0.01 AU a day shifts its
// time by up to half an hour; far inside the day asked for.
TEST_F(CometLists, BestDateIsTheLeastEarthDistanceOfExactOrbits) {
    OpenComets({TestComet("Elliptic", 2024, 7, 9.0f, 0.9f, 0.6f, 165.0f, 120.0f, 5.0f, 8.0f, 10.0f),
                TestComet("NearParabolic", 2024, 7, 9.0f, 1.0f, 0.995f, 150.0f, 135.0f, 15.0f, 8.0f, 10.0f)});
    ASSERT_EQ(CollectBestDates(JulianDayFromDateTime(2024, 7, 1, 0, 0, 0, 0)), 2);
    ASSERT_EQ(CometMagList[0].index, 0);  // earliest first
    EXPECT_NEAR(EntryJd(CometMagList[0]), 2460507.004795, 0.05);
    EXPECT_NEAR(EntryJd(CometMagList[1]), 2460511.981799, 0.05);
    // The magnitude there: H + 5 log delta + K log r, with that date's r.
    EXPECT_NEAR(CometMagList[0].magnitude, 8.0 + 5 * std::log10(0.114269) + 10 * std::log10(0.904619), 0.01);
    EXPECT_NEAR(CometMagList[1].magnitude, 8.0 + 5 * std::log10(0.087790) + 10 * std::log10(1.019162), 0.01);
}

// Brightest at JD 2451620.5 for orbit 0 of tests/reference/comet_places.csv
// (scripts/reference/comet_orbits.py, exact orbit, ERFA's Earth): H chosen so
// that H + 5 log delta + K log r is 18.998 or 19.01 with the reference delta
// and r; the first is listed (with that magnitude), the second is not; a
// brighter one comes first.
TEST_F(CometLists, BrightestKeepsMagnitudesUpToNineteen) {
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "comet_places.csv");
    ASSERT_GT(table.rows.size(), 2u);
    ASSERT_EQ(table.Get(2, "jd"), 2451620.5);
    const double delta = table.Get(2, "delta"), r = table.Get(2, "r");
    const double lawWithoutH = 5 * std::log10(delta) + 10 * std::log10(r);
    auto orbit = [](const char* name, double h) {
        return TestComet(name, 2000, 2, 26.0f, 1.2f, 0.5f, 30.0f, 80.0f, 10.0f, static_cast<float>(h), 10.0f);
    };
    OpenComets({orbit("Faint", 19.01 - lawWithoutH), orbit("Limit", 18.998 - lawWithoutH),
                orbit("Bright", 12.0 - lawWithoutH)});
    ASSERT_EQ(CollectBrightest(2451620.5, 2000, 3, 17, 0, 0), 2);
    EXPECT_EQ(CometMagList[0].index, 2);
    EXPECT_EQ(CometMagList[1].index, 1);
    EXPECT_NEAR(CometMagList[1].magnitude, 18.998, 0.001);
    EXPECT_EQ(CometMagList[1].year, 2000);
    EXPECT_EQ(CometMagList[1].day, 17);
    EXPECT_EQ(services.busySteps, 2);
}

}  // namespace
