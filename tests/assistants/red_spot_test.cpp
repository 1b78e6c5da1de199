// The Red Spot's transits by day, their visibility, the view drawn into a
// 16-bit DIB, and the fit of the Red Spot's longitude (assistants/red_spot.h,
// red_spot_view.h).
#include "assistants/red_spot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assistants/assistant_draw_fixture.h"
#include "assistants/planet_detail_mode.h"
#include "assistants/red_spot_view.h"
#include "core/preferences.h"
#include "core/sidereal_time.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/jupiter_central_meridian.h"
#include "support/recording_services.h"
#include "support/reference_table.h"
#include "support/temp_program_folder.h"
#include "support/test_site.h"

namespace {

class RedSpot : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        SetTestSite(51.0, 0.0, 0);
    }
    static float Longitude() { return preferences.GetFloat(kPrefGrsLongitude); }
};

// Jupiter's place at 21:00 and the Sun's at 12:00 of a date, as the view takes them.
void Places(const PlanetDetailDate& d, BodyPosition* jupiter, BodyPosition* sun) {
    ComputeBody(jupiter, 5, d.year, d.month, d.day, 21, 0, 0);
    ComputeBody(sun, 0, d.year, d.month, d.day, 12, 0, 0);
}

// An hour above 23 is left out (a day showing two times); a negative hour is
// shown plus 24 and takes the previous day's sidereal time, which at the same
// clock time is 236.555 s behind this day's (24 h x 0.0027379 of sidereal
// time gained in a mean solar day).
TEST_F(RedSpot, RowTransitsSkipLateAndMoveNegativeHours) {
    const PlanetDetailDate day{2024, 3, 1, 0, 0};
    BodyPosition jupiter{}, sun{};
    Places(day, &jupiter, &sun);
    RedSpotTransit t[3];
    const int late[3] = {4, 14, 24}, lateMinutes[3] = {10, 6, 2};
    ASSERT_EQ(ListRedSpotTransits(day, late, lateMinutes, jupiter, sun, t), 2);
    EXPECT_EQ((std::vector<int>{t[0].hour, t[0].minute, t[1].hour, t[1].minute}), (std::vector<int>{4, 10, 14, 6}));
    const int early[3] = {-1, 8, 18}, earlyMinutes[3] = {30, 26, 22};
    ASSERT_EQ(ListRedSpotTransits(day, early, earlyMinutes, jupiter, sun, t), 3);
    EXPECT_EQ((std::vector<int>{t[0].hour, t[0].minute}), (std::vector<int>{23, 30}));
    const double sameDay = GetLocalSiderealTime(2024, 3, 1, 23, 30, 0, 0.0, 0);
    const double lag = std::remainder(sameDay - t[0].siderealTime, 24.0) * 3600;
    EXPECT_NEAR(lag, 236.555, 0.01);
}

// Visible when Jupiter is above 10 degrees and the Sun below -10; the Sun at
// or above -10 makes it "Sun up", else Jupiter at or below 10 "Jupiter down".
TEST_F(RedSpot, SkyThresholds) {
    const struct {
        double jupiter, sun;
        int sky;
    } cases[] = {{10.1, -10.1, kRedSpotVisible}, {10.0, -10.1, kRedSpotJupiterDown}, {10.1, -10.0, kRedSpotSunUp},
                 {50, 5, kRedSpotSunUp},         {-5, -30, kRedSpotJupiterDown},    {-5, 20, kRedSpotSunUp}};
    for (const auto& c : cases) EXPECT_EQ(RedSpotSkyOf(c.jupiter, c.sun), c.sky) << c.jupiter << " " << c.sun;
}

// The transits of the first two rows from three dates at 51 N against
// PyEphem's altitudes of the Sun and Jupiter at those times
// (tests/reference/red_spot_sky_51n.csv, scripts/reference/red_spot_sky.py):
// within 1 degree (the Sun's place is the first day's noon for both rows),
// and the same verdict wherever both altitudes lie a degree or more from the
// 10-degree limits. Every verdict occurs.
TEST_F(RedSpot, VisibilityAgainstPyEphem) {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "red_spot_sky_51n.csv");
    ASSERT_EQ(t.rows.size(), 3u * 289u);
    int seen[3] = {}, compared = 0;
    for (std::size_t first = 0; first < t.rows.size(); first += 289) {
        const PlanetDetailDate start{int(t.Get(first, "year")), int(t.Get(first, "month")), int(t.Get(first, "day")),
                                     0, 0};
        BodyPosition jupiter{}, sun{};
        Places(start, &jupiter, &sun);
        PlanetDetailDate day = start;
        for (int row = 0; row < 2; ++row, NextRedSpotDay(&day)) {
            int hours[3], minutes[3];
            ComputeJupiterCentralMeridian(day.year, day.month, day.day, hours, minutes);
            RedSpotTransit tr[3];
            const int n = ListRedSpotTransits(day, hours, minutes, jupiter, sun, tr);
            int k = 0;
            for (int i = 0; i < 3; ++i) {
                if (hours[i] > 23) continue;
                const RedSpotTransit& x = tr[k++];
                const double minute = row * 1440 + hours[i] * 60 + minutes[i];
                const std::size_t r = first + static_cast<std::size_t>(minute / 10);
                const double f = (minute - 10 * std::floor(minute / 10)) / 10;
                const double sunAlt = t.Get(r, "sun_alt") * (1 - f) + t.Get(r + 1, "sun_alt") * f;
                const double jupiterAlt = t.Get(r, "jupiter_alt") * (1 - f) + t.Get(r + 1, "jupiter_alt") * f;
                SCOPED_TRACE(testing::Message() << start.year << "-" << start.month << " row " << row << " " << x.hour
                                                << "h" << x.minute);
                EXPECT_NEAR(x.sunAltitude, sunAlt, 1.0);
                EXPECT_NEAR(x.jupiterAltitude, jupiterAlt, 1.0);
                ++seen[x.sky];
                if (std::fabs(sunAlt + 10) < 1 || std::fabs(jupiterAlt - 10) < 1) continue;
                EXPECT_EQ(x.sky, RedSpotSkyOf(jupiterAlt, sunAlt));
                ++compared;
            }
            EXPECT_EQ(k, n);
        }
    }
    EXPECT_GE(compared, 12);
    for (int sky = 0; sky < 3; ++sky) EXPECT_GT(seen[sky], 0) << sky;
}

// The next day by the true month lengths: the rows of a table that passes
// into another year count that year's February (the form's own table kept
// the February of its first drawing).
TEST_F(RedSpot, RowsStepByTheMonthLengthsOfTheirOwnYear) {
    const struct {
        PlanetDetailDate from, to;
    } cases[] = {
        {{2024, 2, 28, 0, 0}, {2024, 2, 29, 0, 0}}, {{2024, 2, 29, 0, 0}, {2024, 3, 1, 0, 0}},
        {{2023, 2, 28, 0, 0}, {2023, 3, 1, 0, 0}},  {{2023, 12, 31, 0, 0}, {2024, 1, 1, 0, 0}},
        {{2100, 2, 28, 0, 0}, {2100, 3, 1, 0, 0}},  {{2000, 2, 28, 0, 0}, {2000, 2, 29, 0, 0}},
        {{2024, 4, 30, 0, 0}, {2024, 5, 1, 0, 0}},  {{2024, 1, 31, 0, 0}, {2024, 2, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        PlanetDetailDate d = c.from;
        NextRedSpotDay(&d);
        EXPECT_EQ((std::vector<int>{d.year, d.month, d.day}), (std::vector<int>{c.to.year, c.to.month, c.to.day}))
            << c.from.year << "-" << c.from.month << "-" << c.from.day;
    }
}

// The transit of a date nearest to `hour`, as (hour, minute).
std::pair<int, int> TransitOf(int year, int month, int day, int index) {
    int hours[3], minutes[3];
    ComputeJupiterCentralMeridian(year, month, day, hours, minutes);
    return {hours[index], minutes[index]};
}

// The longitude the message reads, to its one decimal.
double MessageLongitude(const RecordingServices& s) {
    double v = -1;
    if (!s.messages.empty()) std::sscanf(s.messages.back().text.c_str(), "Red Spot longitude %lf", &v);
    return v;
}

// An observed transit equal to the computed one leaves the longitude at
// 117.0; ten minutes later raises it by 6.0 degrees (System II turns 0.604
// degree a minute), ten minutes earlier lowers it as much, within 0.4; the
// fit stops as soon as the computed minute (truncated) matches, so 25
// minutes give between 24 and 25 minutes of turn, 14.5 to 15.1 degrees,
// plus up to one 0.2-degree step. The message shows the stored longitude to
// one decimal.
TEST_F(RedSpot, FitFollowsTheObservedTransit) {
    const auto [hour, minute] = TransitOf(2024, 1, 21, 1);
    const struct {
        int shift;
        double low, high;
    } cases[] = {{0, 0, 0}, {10, 5.6, 6.4}, {-10, -6.4, -5.6}, {25, 14.45, 15.35}};
    for (const auto& c : cases) {
        ResetWithDefaults();
        SetTestSite(51.0, 0.0, 0);
        RecordingServices services;
        const int observed = hour * 60 + minute + c.shift;
        ASSERT_EQ(FitRedSpotLongitude(2024, 1, 21, observed / 60, observed % 60), 1);
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].detail, "");
        SCOPED_TRACE(services.messages[0].text);
        if (c.shift == 0) {
            EXPECT_EQ(services.messages[0].text, "Red Spot longitude 117.0");
            EXPECT_EQ(Longitude(), 117.0f);
            continue;
        }
        EXPECT_GE(Longitude() - 117.0, c.low - 1e-3);
        EXPECT_LE(Longitude() - 117.0, c.high + 1e-3);
        EXPECT_NEAR(MessageLongitude(services), Longitude(), 0.05);
        const auto fitted = TransitOf(2024, 1, 21, 1);
        EXPECT_EQ(fitted.first * 60 + fitted.second, observed);
    }
}

// The observed hour must differ from one of the date's transit hours by less
// than 2: a difference of 1 is fitted, of 2 from every transit is refused
// with the message, the longitude unchanged.
TEST_F(RedSpot, FitRefusesATimeFarFromEveryTransit) {
    int hours[3], minutes[3];
    ComputeJupiterCentralMeridian(2024, 1, 21, hours, minutes);
    int far = -1;
    for (int h = 0; h < 24 && far < 0; ++h) {
        bool ok = true;
        for (int i = 0; i < 3; ++i) ok &= std::abs(hours[i] - h) >= 2;
        if (ok && std::abs(hours[0] - h) == 2) far = h;
    }
    ASSERT_GE(far, 0);
    RecordingServices services;
    EXPECT_EQ(FitRedSpotLongitude(2024, 1, 21, far, 0), 0);
    EXPECT_EQ(services.Texts(),
              (std::vector<std::string>{"It seems it is not a valid Red Spot UTC transit time"}));
    EXPECT_EQ(Longitude(), 117.0f);
    EXPECT_EQ(FitRedSpotLongitude(2024, 1, 21, hours[0] + 1, minutes[0]), 1);
    EXPECT_GT(Longitude(), 140.0f);  // an hour later: 36 degrees on
}

// The view drawn into a DIB on the 240 x 320 screen at 96 dpi, 51 N.
class RedSpotView : public AssistantDrawFixture {
protected:
    void SetUp() override {
        AssistantDrawFixture::SetUp();
        InstallSymbolFont(folder.path());
        ResetPlanetDetailMode();
        planetDetailDate = PlanetDetailDate{2024, 1, 21, 12, 0};
    }
    void TearDown() override {
        ResetPlanetDetailMode();
        AssistantDrawFixture::TearDown();
    }
    TempProgramFolder folder{"red_spot_view"};
};

// What a pixel of a day row shows.
char Ink(uint16_t p) {
    const pl::ColorRef c = pl::FromPixel555(p);
    const int r = pl::RedOf(c), g = pl::GreenOf(c), b = pl::BlueOf(c);
    if (r >= 240 && g < 16 && b < 16) return 'r';              // the highlight red
    if (r >= 0x90 && g >= 0x60 && g > b + 0x20 && r > b + 0x30) return b < 0x38 ? 'S' : 'J';  // the icons
    return '.';
}

// Each day row of the view (rows of 15 pixels from y = 24: 17 rows, the
// header and 16 days from the form's date): its icons in order, one after
// every transit not visible (the Sun's when the Sun is up, Jupiter's when
// Jupiter is down at night); a red line through the time of each transit
// with Jupiter down; red ink off that line only when a transit is visible.
// The transits come from GetRedSpotTransits with the view's places; the
// date stays the form's.
TEST_F(RedSpotView, RowsMarkWhatTheSkyAllows) {
    DrawWindowRecord* r = DibWindow(240, 320);
    DrawRedSpotTransits();
    EXPECT_EQ((std::vector<int>{planetDetailDate.year, planetDetailDate.month, planetDetailDate.day}),
              (std::vector<int>{2024, 1, 21}));
    BodyPosition jupiter{}, sun{};
    Places(planetDetailDate, &jupiter, &sun);
    PlanetDetailDate day = planetDetailDate;
    int kinds[3] = {};
    for (int row = 1; row < 17; ++row, NextRedSpotDay(&day)) {
        RedSpotTransit t[3];
        const int n = GetRedSpotTransits(day, jupiter, sun, t);
        std::string expectedIcons;
        int lines = 0, visible = 0;
        for (int i = 0; i < n; ++i) {
            ++kinds[t[i].sky];
            if (t[i].sky == kRedSpotSunUp) expectedIcons += 'S';
            if (t[i].sky == kRedSpotJupiterDown) expectedIcons += 'J', ++lines;
            visible += t[i].sky == kRedSpotVisible;
        }
        const int top = 24 + row * 15, mid = top + 7;
        std::string icons;
        int run = 0, longRuns = 0, redOffLine = 0, gap = 99;
        for (int x = 75; x < 240; ++x) {
            char column = '.';
            for (int y = top + 1; y < top + 14; ++y) {
                const char ink = Ink(Pixel(r, x, y));
                if ((ink == 'S' || ink == 'J') && std::abs(y - mid) <= 4) column = ink;
                if (ink == 'r' && y != mid) ++redOffLine;
            }
            if (column != '.' && gap > 4) icons += column;
            gap = column == '.' ? gap + 1 : 0;
            const bool red = Ink(Pixel(r, x, mid)) == 'r';
            run = red ? run + 1 : 0;
            if (run == 20) ++longRuns;
        }
        SCOPED_TRACE(testing::Message() << "row " << row << " " << day.day << "/" << day.month);
        EXPECT_EQ(icons, expectedIcons);
        EXPECT_EQ(longRuns, lines);
        EXPECT_EQ(redOffLine > 0, visible > 0) << redOffLine;
    }
    for (int sky = 0; sky < 3; ++sky) EXPECT_GT(kinds[sky], 0) << sky;
}

}  // namespace
