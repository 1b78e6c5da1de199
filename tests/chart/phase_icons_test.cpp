// The Moon icon state, the turned Moon picture and a planet's phase disc.
#include "chart/phase_icons.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chart_test.h"
#include "core/sidereal_time.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "support/test_site.h"
#include "ui/colors.h"

namespace {

class PhaseIconsTest : public ChartDrawTest {
protected:
    void SetUp() override {
        ChartDrawTest::SetUp();
        ResetWithDefaults();
        SetTestSite(51.0, 0.0, 0);
        ResetMoonIconState();
    }
    void TearDown() override {
        ResetMoonIconState();
        ChartDrawTest::TearDown();
    }
};

// Around the 2024 phases of the US Naval Observatory: new Moon 10 March 09:00
// UT, first quarter 17 March 04:11, full 25 March 07:00, last quarter 2 April
// 03:15 (zone 0, longitude 0).
TEST_F(PhaseIconsTest, IconFollowsThePhaseAndWhetherItGrows) {
    const int cases[][4] = {
        {3, 10, 12, 6050}, {3, 17, 12, 6053}, {3, 25, 6, 6056},  // growing: 6050 + trunc(7 f)
        {3, 25, 12, 6058}, {4, 2, 12, 6061},                     // shrinking: 6063 - trunc(6 f)
        {3, 17, 23, 6054},                                       // hour 23 takes the fraction of 22
    };
    for (const auto& c : cases) EXPECT_EQ(ComputeMoonIconState(2024, c[0], c[1], c[2]), c[3]) << c[0] << "/" << c[1];
    UseScreenDpi(72);  // GetScreenScale 1: the icon is kept, the age still set
    EXPECT_EQ(ComputeMoonIconState(2024, 3, 18, 18), 6054);
    EXPECT_EQ(moonAgeDays, 8);  // 8.4 days after new Moon is 8.2 on the 29-day scale
    ResetMoonIconState();
    EXPECT_EQ(ComputeMoonIconState(2024, 3, 18, 18), 0);
}

// Meeus, Astronomical Algorithms (14.1): tan q = sin H / (tan phi cos dec -
// sin dec cos H), truncated to whole degrees.
TEST_F(PhaseIconsTest, ParallacticAngleIsMeeus14_1) {
    for (double latitude : {51.0, -33.0, 0.0})
        for (int hour : {0, 5, 11, 17, 22}) {
            SetTestSite(latitude, 0.0, 0);
            ComputeMoonIconState(2024, 3, 20, hour);
            double ra = 0, dec = 0;
            ComputeMoonPosition(&ra, &dec, 2024, 3, 20, hour, 0, 0);
            double h = (GetLocalSiderealTime(2024, 3, 20, hour, 0, 0, 0.0, 0) - ra) * M_PI / 12;
            double phi = latitude * M_PI / 180, d = dec * M_PI / 180;
            double q = std::atan2(std::sin(h), std::tan(phi) * std::cos(d) - std::sin(d) * std::cos(h));
            EXPECT_EQ(moonParallacticAngle, static_cast<int>(q * 180 / M_PI)) << latitude << " " << hour;
        }
}

// Test pictures: a lit disc keyed on black, and a dark square.
void LitPicture(uint32_t* p, int w, int h) {
    for (int i = 0; i < w * h; ++i) p[i] = std::hypot(i % w - 9.5, i / w - 9.5) < 9 ? 0xF8F8F8 : 0;
}
void DarkPicture(uint32_t* p, int w, int h) { std::fill(p, p + w * h, 0x404040); }
constexpr pl::BitmapTemplate kMoonPictures[] = {{3993, 20, 20, {}, {}, LitPicture},
                                                {3994, 20, 20, {}, {}, DarkPicture}};
constexpr pl::ResourceGroup kMoonPictureGroup = {.bitmaps = kMoonPictures};

// The phase is ((age + 14) mod 28) / 28: the lit picture whole at age 14 (p
// 0), the dark one at ages 0 and 28 (p 0.5).
TEST_F(PhaseIconsTest, MoonPictureCutsAtTheAgesPhase) {
    pl::ClearResourceGroups();
    pl::AddResourceGroup(kMoonPictureGroup);
    for (int age : {14, 0, 28}) {
        moonAgeDays = age;
        DrawWindowRecord* r = Ground(20, 20);
        DrawChartMoonPhase(20, 20, 0, 0, 1, 1);
        EXPECT_GT(Count(r, age == 14 ? 0x7FFF : 0x2108), 200) << age;
        EXPECT_EQ(Count(r, age == 14 ? 0x2108 : 0x7FFF), 0) << age;
    }
}

// The figures are ComputeBody's, rounded; a growing phase is white from the
// left limb, a shrinking one black from the left limb (lit on the right). On
// the first day the planets' theory covers, 1694-08-08, the day before has no
// place: the day after tells (PyEphem: Mercury 51.3 % lit falling to 49.8 %,
// Venus 70.05 % rising to 70.42 %); the day before's failed place once did.
TEST_F(PhaseIconsTest, PhaseDiscShowsComputeBodysFigures) {
    struct Case {
        int body, year, month, day;
        bool growing;
    } cases[] = {
        {1, 2024, 3, 14, true},   // the Moon 4 days after new (the phases above)
        {1, 2024, 4, 5, false},   // 3 days before new
        {1, 2024, 4, 1, false},   // past full: the day before is passed as 2024-04-00
        {3, 2024, 3, 14, true},   // Venus closing on superior conjunction (2024-06-04)
        {4, 2024, 3, 14, false},  // Mars moving away from conjunction (2023-11-18)
        {2, 1694, 8, 8, false},   // Mercury waning on the theory's first day
        {3, 1694, 8, 8, true},    // Venus waxing on it
    };
    for (const Case& c : cases) {
        BodyPosition now{};
        ASSERT_EQ(ComputeBody(&now, c.body, c.year, c.month, c.day, 12, 0, 0), 0);
        DrawWindowRecord* r = Ground(41, 41);
        SetForeColor(0x123456);
        int percent = -1, size = -1, angle = -1;
        DrawPlanetPhaseDisc(c.body, c.year, c.month, c.day, 12, 0, 30, 30, 20, 20, &percent, &size, &angle);
        EXPECT_EQ(percent, static_cast<int>(now.illuminatedFraction * 100 + 0.5));
        EXPECT_EQ(size, static_cast<int>(now.apparentDiameter * 60 + 0.5));
        EXPECT_EQ(angle, static_cast<int>(std::acos(2 * now.illuminatedFraction - 1) * 180 / M_PI + 0.5));
        EXPECT_EQ(GetForeColorRef(), 0x123456u);
        int left = 0, right = 0;
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < 41; ++x)
                if (x != 20 && Pixel(r, x, y) == 0x7FFF) (x < 20 ? left : right)++;
        EXPECT_EQ(left > right, c.growing) << c.body << " " << c.month << "/" << c.day;
    }
}

// A date with no place for the planets (before 1694) draws nothing and gives
// 0 figures, not those of the zero place the chain leaves.
TEST_F(PhaseIconsTest, PhaseDiscWithoutAPlaceDrawsNothing) {
    DrawWindowRecord* r = Ground(41, 41);
    int percent = -1, size = -1, angle = -1;
    DrawPlanetPhaseDisc(5, 1600, 3, 14, 12, 0, 30, 30, 20, 20, &percent, &size, &angle);
    EXPECT_EQ(Count(r, kGround), 41 * 41);
    EXPECT_EQ(percent + size + angle, 0);
}

}  // namespace
