// The day and night map drawn into 16-bit pictures and read back by its
// pixels: the night side against the Sun's altitude from ERFA's apparent Sun,
// the equinox, the solstices, and the Sun's icon on the sub-solar point.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/shared_state.h"
#include "platform/screen.h"
#include "resources/program_resources.h"
#include "support/draw_fixture.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "support/wrapped_difference.h"
#include "tools/day_night.h"
#include "tools/day_night_map.h"
#include "ui/screen_layout.h"

namespace {

constexpr uint16_t kNight = 0;
constexpr uint16_t kSunDisc = 0x7F46;  // (248, 208, 48), the middle of the Sun's small icon
constexpr double kDegToRad = 0.0174532925199433;

class DayNightMap : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        ResetWithDefaults();
        InstallProgramResources();
        ResetDayNightState();
        SetMultiplier(2);
    }
    void TearDown() override {
        SetMultiplier(2);
        ResetDayNightState();
        ResetWithDefaults();
        DrawFixture::TearDown();
    }
    // A 240 x 320 screen at 48 x multiplier pixels per inch, drawn at scale multiplier / 2.
    void SetMultiplier(int multiplier) {
        pl::SetScreenInfo(pl::ScreenInfo{120 * multiplier, 160 * multiplier, 48 * multiplier});
        ResetScreenScale();
        SetScale(multiplier / 2.0);
    }
    // The map of a universal time (zone 0) at s = GetScreenScale.
    DrawWindowRecord* Map(int year, int month, int day, double ut, bool moving = false) {
        const int s = GetScreenScale();
        DrawWindowRecord* r = DibWindow(120 * s, 60 * s);
        dayNightState.moving = moving;
        const int seconds = static_cast<int>(std::lround(ut * 3600.0));
        EXPECT_TRUE(DrawDayNightMap(0, 0, year, month, day, seconds / 3600, seconds % 3600 / 60, seconds % 60));
        return r;
    }
    // Pixel column and row of a place, s / 3 pixels a degree (east longitude).
    static double Column(int s, double eastLongitude) { return (eastLongitude + 180.0) * s / 3.0; }
    static double Row(int s, double latitude) { return (90.0 - latitude) * s / 3.0; }
    // The centre of the Sun icon's disc.
    static std::pair<double, double> SunCentre(const DrawWindowRecord* r) {
        double sx = 0, sy = 0;
        int n = 0;
        for (int y = 0; y < r->bottom; ++y)
            for (int x = 0; x < r->right; ++x)
                if (Pixel(r, x, y) == kSunDisc) sx += x, sy += y, ++n;
        return {n ? sx / n + 0.5 : -1, n ? sy / n + 0.5 : -1};
    }
    // Rows y0..y1 - 1 of column x: how many are night.
    static int NightInColumn(const DrawWindowRecord* r, int x, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y) n += Pixel(r, x, y) == kNight;
        return n;
    }
};

// Every pixel whose centre sees the Sun (ERFA's apparent Sun at the table's
// instants, 1990..2030) more than 4 degrees above the horizon is day, every
// one that sees it more than 4 degrees below is night; the pixels the icon
// covers are left out. The margin holds the whole-degree declination, the
// 2-degree steps and the 1.5-degree rows.
TEST_F(DayNightMap, NightSideAgainstErfa) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "day_night_sun_erfa.csv");
    ASSERT_GE(ref.rows.size(), 40u);
    for (size_t i = 0; i < ref.rows.size(); ++i) {
        const double gha = ref.Get(i, "gha_deg"), dec = ref.Get(i, "dec_deg") * kDegToRad;
        DrawWindowRecord* r = Map(static_cast<int>(ref.Get(i, "year")), static_cast<int>(ref.Get(i, "month")),
                                  static_cast<int>(ref.Get(i, "day")), ref.Get(i, "ut_hours"));
        const auto [sunX, sunY] = SunCentre(r);
        int wrong = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 240; ++x) {
                if (std::hypot(x + 0.5 - sunX, y + 0.5 - sunY) < 12) continue;
                const double lat = (90.0 - (y + 0.5) * 1.5) * kDegToRad, lon = ((x + 0.5) * 1.5 - 180.0);
                const double h = std::asin(std::sin(lat) * std::sin(dec) +
                                           std::cos(lat) * std::cos(dec) * std::cos((gha + lon) * kDegToRad)) /
                                 kDegToRad;
                const bool night = Pixel(r, x, y) == kNight;
                wrong += (h > 4.0 && night) || (h < -4.0 && !night);
            }
        EXPECT_EQ(wrong, 0) << "row " << i;
    }
}

// 2006-03-20 12:00 UT, the equinox day: the whole-degree declination is 0
// (ERFA: -0.106), the icon on the equator at ERFA's sub-solar longitude 1.9 E
// (the equation of time, -7.5 minutes), and the night fills every column from
// 90 to 270 degrees away from it, top to bottom, while the columns within 88
// degrees of it are day (the last row, the pole itself, aside).
TEST_F(DayNightMap, EquinoxQuarterMeridians) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "day_night_sun_erfa.csv");
    ASSERT_EQ(ref.Get(5, "month"), 3);
    const double subSolar = 360.0 - ref.Get(5, "gha_deg");  // east longitude
    const DrawWindowRecord* r = Map(2006, 3, 20, 12.0);
    EXPECT_EQ(dayNightState.declination, 0);
    const auto [x, y] = SunCentre(r);
    EXPECT_NEAR(x, Column(2, subSolar), 1.0);
    EXPECT_NEAR(y, Row(2, 0.0), 1.0);
    for (int px = 0; px < 240; ++px) {
        const double away = std::fabs(WrappedDifference((px + 0.5) * 1.5 - 180.0, subSolar, 360.0));
        if (away > 92.0) {
            EXPECT_EQ(NightInColumn(r, px, 0, 120), 120) << px;
        } else if (away < 88.0 && std::fabs(px + 0.5 - x) > 12) {
            EXPECT_EQ(NightInColumn(r, px, 0, 119), 0) << px;
        }
    }
}

// The solstices of 2006 at 12:00 UT: in June the icon at 23 N (ERFA: 23.44)
// and every pixel north of 70 N day, the south beyond 70 S night; in December
// the reverse, the night drawn down from the top edge.
TEST_F(DayNightMap, SolsticesAtTheArcticCircle) {
    const int north = static_cast<int>(Row(2, 70.0)), south = static_cast<int>(std::ceil(Row(2, -70.0)));
    const DrawWindowRecord* june = Map(2006, 6, 21, 12.0);
    EXPECT_EQ(dayNightState.declination, 23);
    EXPECT_NEAR(SunCentre(june).second, Row(2, 23.44), 1.0);
    const DrawWindowRecord* december = Map(2006, 12, 21, 12.0);
    EXPECT_EQ(dayNightState.declination, -23);
    for (int x = 0; x < 240; ++x) {
        EXPECT_EQ(NightInColumn(june, x, 0, north), 0) << x;
        EXPECT_EQ(NightInColumn(june, x, south, 120), 120 - south) << x;
        EXPECT_EQ(NightInColumn(december, x, 0, north), north) << x;
        EXPECT_EQ(NightInColumn(december, x, south, 120), 0) << x;
    }
}

// A local time at a zone is the universal time less the zone: 14:00 at zone
// +120 draws the map of 12:00 UT; the equation of time kept is that of 12 h
// UT of the date.
TEST_F(DayNightMap, LocalTimeAtTheSiteZone) {
    Map(2006, 6, 21, 12.0);
    const double hourAngle = dayNightState.hourAngle;
    currentSite.zoneMinutes = 120;
    Map(2006, 6, 21, 14.0);
    EXPECT_DOUBLE_EQ(dayNightState.utHours, 12.0);
    EXPECT_DOUBLE_EQ(dayNightState.hourAngle, hourAngle);
    EXPECT_DOUBLE_EQ(dayNightState.equationOfTime, EquationOfTimeMinutes(21, 6, 2006));
}

// While the stylus drags the night is drawn in 4-degree steps: it still
// agrees with the Sun's altitude beyond a wider margin, differs from the fine
// map only near the terminator, and is counted.
TEST_F(DayNightMap, CoarseMapWhileMoving) {
    const DrawWindowRecord* fine = Map(2006, 5, 14, 7.5);
    const DrawWindowRecord* coarse = Map(2006, 5, 14, 7.5, true);
    EXPECT_EQ(dayNightState.coarseMaps, 1);
    int differ = 0, nightFine = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 240; ++x) {
            differ += Pixel(fine, x, y) != Pixel(coarse, x, y);
            nightFine += Pixel(fine, x, y) == kNight;
        }
    EXPECT_GT(differ, 0);
    EXPECT_LT(differ, 240 * 3);  // a few pixels a column at most, along the terminator
    EXPECT_GT(nightFine, 240 * 120 / 3);
}

// At 192 pixels per inch (s = 4) the map is 480 x 240 and the icon on the
// sub-solar point of the June solstice of 2000 (ERFA's row), at 4 / 3 pixels a
// degree.
TEST_F(DayNightMap, HighResolutionMap) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "day_night_sun_erfa.csv");
    ASSERT_EQ(ref.Get(6, "year"), 2000);
    SetMultiplier(4);
    const DrawWindowRecord* r = Map(2000, 6, 21, 12.0);
    EXPECT_EQ(r->right, 480);
    EXPECT_EQ(r->bottom, 240);
    const auto [x, y] = SunCentre(r);
    EXPECT_NEAR(x, Column(4, 360.0 - ref.Get(6, "gha_deg")), 2.0);
    EXPECT_NEAR(y, Row(4, ref.Get(6, "dec_deg")), 2.0);
    const int north = static_cast<int>(Row(4, 70.0)), south = static_cast<int>(std::ceil(Row(4, -70.0)));
    for (int px = 0; px < 480; ++px) {
        EXPECT_EQ(NightInColumn(r, px, 0, north), 0) << px;
        EXPECT_EQ(NightInColumn(r, px, south, 240), 240 - south) << px;
    }
}

}  // namespace
