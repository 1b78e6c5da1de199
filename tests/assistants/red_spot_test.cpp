// The Red Spot's transits by day, their visibility, the view drawn into a
// 16-bit DIB, and the fit of the Red Spot's longitude (assistants/red_spot.h,
// red_spot_view.h). Site 51 N, 0 E, zone 0.
#include "assistants/red_spot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assistants/assistant_draw_fixture.h"
#include "assistants/red_spot_view.h"
#include "core/preferences.h"
#include "core/sidereal_time.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/jupiter_central_meridian.h"
#include "support/recording_services.h"
#include "support/reference_table.h"
#include "support/temp_program_folder.h"

namespace {

class RedSpot : public AssistantDrawFixture {
protected:
    void SetUp() override {
        AssistantDrawFixture::SetUp();
        InstallSymbolFont(folder.path());
        ResetPlanetDetailMode();
    }
    void TearDown() override {
        ResetPlanetDetailMode();
        AssistantDrawFixture::TearDown();
    }
    // Jupiter's place at 21:00 and the Sun's at 12:00 of a date, as the view takes them.
    static void Places(const PlanetDetailDate& d, BodyPosition* jupiter, BodyPosition* sun) {
        ComputeBody(jupiter, 5, d.year, d.month, d.day, 21, 0, 0);
        ComputeBody(sun, 0, d.year, d.month, d.day, 12, 0, 0);
    }
    static float Longitude() { return preferences.GetFloat(kPrefGrsLongitude); }
    TempProgramFolder folder{"red_spot"};
};

// An hour above 23 is left out (a day showing two times); a negative hour is
// shown plus 24 and takes the previous day's sidereal time, 236.555 s behind
// this day's at the same clock time (0.0027379 of 24 h). The sky's verdicts
// at their limits: Jupiter above 10 degrees, the Sun below -10.
TEST_F(RedSpot, RowTransitsAndVerdicts) {
    const PlanetDetailDate day{2024, 3, 1, 0, 0};
    BodyPosition jupiter{}, sun{};
    Places(day, &jupiter, &sun);
    RedSpotTransit t[3];
    const int late[3] = {4, 14, 24}, early[3] = {-1, 8, 18}, minutes[3] = {30, 26, 22};
    ASSERT_EQ(ListRedSpotTransits(day, late, minutes, jupiter, sun, t), 2);
    EXPECT_EQ((std::vector<int>{t[0].hour, t[0].minute, t[1].hour, t[1].minute}), (std::vector<int>{4, 30, 14, 26}));
    ASSERT_EQ(ListRedSpotTransits(day, early, minutes, jupiter, sun, t), 3);
    EXPECT_EQ((std::vector<int>{t[0].hour, t[0].minute}), (std::vector<int>{23, 30}));
    const double sameDay = GetLocalSiderealTime(2024, 3, 1, 23, 30, 0, 0.0, 0);
    EXPECT_NEAR(std::remainder(sameDay - t[0].siderealTime, 24.0) * 3600, 236.555, 0.01);
    const struct {
        double jupiter, sun;
        int sky;
    } verdicts[] = {{10.1, -10.1, kRedSpotVisible}, {10.0, -10.1, kRedSpotJupiterDown},
                    {10.1, -10.0, kRedSpotSunUp},   {-5, 20, kRedSpotSunUp}};
    for (const auto& v : verdicts) EXPECT_EQ(RedSpotSkyOf(v.jupiter, v.sun), v.sky) << v.jupiter << " " << v.sun;
}

// The next row's date by the true month lengths, also in a year the table
// passes into (the form's own table kept the February of its first drawing).
TEST_F(RedSpot, RowsStepByTheMonthLengthsOfTheirOwnYear) {
    const int cases[][6] = {{2024, 2, 28, 2024, 2, 29}, {2024, 2, 29, 2024, 3, 1}, {2023, 2, 28, 2023, 3, 1},
                            {2023, 12, 31, 2024, 1, 1}, {2100, 2, 28, 2100, 3, 1}, {2024, 4, 30, 2024, 5, 1}};
    for (const auto& c : cases) {
        PlanetDetailDate d{c[0], c[1], c[2], 0, 0};
        NextRedSpotDay(&d);
        EXPECT_EQ((std::vector<int>{d.year, d.month, d.day}), (std::vector<int>{c[3], c[4], c[5]})) << c[0] << c[1];
    }
}

// An observed transit equal to the computed one reports 117.0 and keeps it;
// ten minutes later raises it by 6.0 degrees (System II turns 0.604 degree a
// minute), ten earlier lowers it as much, within 0.4; the fit stops when the
// computed minute (truncated) matches, so 25 minutes give 24 to 25 minutes of
// turn plus up to a step. The message reads the stored longitude to one
// decimal (122.6 reached by 0.2-degree steps once read 122.5). An hour 2 or
// more from every transit's is refused, the longitude kept.
TEST_F(RedSpot, FitFollowsTheObservedTransit) {
    int hours[3], minutes[3];
    ComputeJupiterCentralMeridian(2024, 1, 21, hours, minutes);
    const int computed = hours[1] * 60 + minutes[1];
    const struct {
        int shift;
        double low, high;
    } cases[] = {{0, 0, 0}, {10, 5.6, 6.4}, {-10, -6.4, -5.6}, {25, 14.45, 15.35}};
    for (const auto& c : cases) {
        preferences.SetFloat(kPrefGrsLongitude, 117.0f);
        RecordingServices services;
        const int observed = computed + c.shift;
        ASSERT_EQ(FitRedSpotLongitude(2024, 1, 21, observed / 60, observed % 60), 1);
        ASSERT_EQ(services.messages.size(), 1u);
        double shown = -1;
        std::sscanf(services.messages[0].text.c_str(), "Red Spot longitude %lf", &shown);
        EXPECT_GE(Longitude() - 117.0, c.low - 1e-3) << c.shift;
        EXPECT_LE(Longitude() - 117.0, c.high + 1e-3) << c.shift;
        EXPECT_NEAR(shown, Longitude(), 0.05) << services.messages[0].text;
        ComputeJupiterCentralMeridian(2024, 1, 21, hours, minutes);
        EXPECT_EQ(hours[1] * 60 + minutes[1], observed) << c.shift;
    }
    preferences.SetFloat(kPrefGrsLongitude, 117.0f);
    ComputeJupiterCentralMeridian(2024, 1, 21, hours, minutes);
    int far = 0;
    while (std::abs(hours[0] - far) < 2 || std::abs(hours[1] - far) < 2 || std::abs(hours[2] - far) < 2) ++far;
    RecordingServices services;
    EXPECT_EQ(FitRedSpotLongitude(2024, 1, 21, far, 0), 0);
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"It seems it is not a valid Red Spot UTC transit time"}));
    EXPECT_EQ(Longitude(), 117.0f);
}

// What a pixel of a day row shows: the highlight red, the Sun's icon (warm,
// little blue), Jupiter's (tan), or anything else.
char Ink(uint16_t p) {
    const pl::ColorRef c = pl::FromPixel555(p);
    const int r = pl::RedOf(c), g = pl::GreenOf(c), b = pl::BlueOf(c);
    if (r >= 240 && g < 16 && b < 16) return 'r';
    if (r >= 0x90 && g >= 0x60 && g > b + 0x20 && r > b + 0x30) return b < 0x38 ? 'S' : 'J';
    return '.';
}

// The view on the 240 x 320 screen from 21 January 2024: 16 day rows of 15
// pixels under the header. Each row's icons, in order, follow the transits
// that are not visible (the Sun's when the Sun is up, Jupiter's when Jupiter
// is down at night), with a red line through the time of each of the latter;
// red ink off that line only where a transit is visible. The verdicts of the
// first two days agree with PyEphem's altitudes of the Sun and Jupiter at
// the transits (tests/reference/red_spot_sky_51n.csv,
// scripts/reference/red_spot_sky.py), within 1 degree (the Sun's place is the
// first day's noon) and wherever both lie a degree or more from the limits;
// every verdict occurs there. The form's date is unchanged.
TEST_F(RedSpot, ViewMarksWhatTheSkyAllows) {
    const ReferenceTable sky = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "red_spot_sky_51n.csv");
    planetDetailDate = PlanetDetailDate{2024, 1, 21, 12, 0};
    DrawWindowRecord* r = DibWindow(240, 320);
    DrawRedSpotTransits();
    EXPECT_EQ(planetDetailDate.day, 21);
    BodyPosition jupiter{}, sun{};
    Places(planetDetailDate, &jupiter, &sun);
    PlanetDetailDate day = planetDetailDate;
    int verdicts[3] = {};
    for (int row = 1; row < 17; ++row, NextRedSpotDay(&day)) {
        RedSpotTransit t[3];
        std::string expected;
        int visible = 0;
        for (int i = 0, n = GetRedSpotTransits(day, jupiter, sun, t); i < n; ++i) {
            if (t[i].sky != kRedSpotVisible) expected += t[i].sky == kRedSpotSunUp ? 'S' : 'J';
            visible += t[i].sky == kRedSpotVisible;
            if (row > 2) continue;
            const double minute = (row - 1) * 1440 + t[i].hour * 60 + t[i].minute, f = std::fmod(minute, 10) / 10;
            const auto at = [&](const char* column) {
                const std::size_t k = static_cast<std::size_t>(minute / 10);
                return sky.Get(k, column) * (1 - f) + sky.Get(k + 1, column) * f;
            };
            EXPECT_NEAR(t[i].sunAltitude, at("sun_alt"), 1.0) << row << " " << i;
            EXPECT_NEAR(t[i].jupiterAltitude, at("jupiter_alt"), 1.0) << row << " " << i;
            if (std::fabs(at("sun_alt") + 10) >= 1 && std::fabs(at("jupiter_alt") - 10) >= 1) {
                EXPECT_EQ(t[i].sky, RedSpotSkyOf(at("jupiter_alt"), at("sun_alt"))) << row << " " << i;
            }
            ++verdicts[t[i].sky];
        }
        const int top = 24 + row * 15, mid = top + 7;
        std::string icons, lines;
        int run = 0, redOffLine = 0, gap = 99;
        for (int x = 75; x < 240; ++x) {
            char column = '.';
            for (int y = top + 1; y < top + 14; ++y) {
                const char ink = Ink(Pixel(r, x, y));
                if (ink != 'r' && ink != '.' && std::abs(y - mid) <= 4) column = ink;
                redOffLine += ink == 'r' && y != mid;
            }
            if (column != '.' && gap > 4) icons += column;
            gap = column == '.' ? gap + 1 : 0;
            run = Ink(Pixel(r, x, mid)) == 'r' ? run + 1 : 0;
            if (run == 20) lines += 'J';
        }
        SCOPED_TRACE(testing::Message() << "row " << row << " " << day.day << "/" << day.month);
        EXPECT_EQ(icons, expected);
        EXPECT_EQ(lines, std::string(std::count(expected.begin(), expected.end(), 'J'), 'J'));
        EXPECT_EQ(redOffLine > 0, visible > 0);
    }
    for (int v = 0; v < 3; ++v) EXPECT_GT(verdicts[v], 0) << v;
}

}  // namespace
