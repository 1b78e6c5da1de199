// The planets assistant's year charts drawn into a 240 x 320 DIB: the grid
// labels found by their ink, the curves read back by their colours against
// PyEphem (scripts/reference/planet_events.py), and the date cursor.
#include "assistants/planet_charts_view.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "assistants/planet_charts.h"
#include "planet_page_fixture.h"
#include "support/reference_table.h"
#include "support/test_site.h"

namespace {

constexpr int kChartLeft = 20;
constexpr double kPixelsPerDay = 220.0 / 380.0;
constexpr uint16_t kLabel = Word555(255, 255, 255);
constexpr uint16_t kSeries[5] = {Word555(0, 255, 255), Word555(255, 255, 0), Word555(255, 0, 0),
                                 Word555(255, 0, 255), Word555(235, 235, 235)};

// The plot of a 240 x 320 form: 240 pixels from minimum to maximum, the
// zero line int(275 + minimum x pixels per unit + 0.5).
struct Scale {
    double perUnit;
    int zero;
    int Y(double q) const { return zero - static_cast<int>(q * perUnit); }
};
Scale ScaleOf(int minimum, int maximum) {
    const double perUnit = 240.0 / (maximum - minimum);
    return Scale{perUnit, static_cast<int>(275 + minimum * perUnit + 0.5)};
}

// The first day of the chart at column x (days of 0.579 pixel).
int DayOfColumn(int x) {
    int d = 0;
    while (static_cast<int>(d * kPixelsPerDay) < x) ++d;
    return d;
}

class PlanetCharts : public PlanetPageFixture {
protected:
    void Draw(int quantity, int year = 2024, int month = 3) {
        Page(240);
        DrawPlanetCharts(year, month, quantity);
    }
    // A pixel of the colour in column x within `slack` rows of y.
    bool Near(int x, int y, uint16_t pixel, int slack = 2) const {
        for (int dy = -slack; dy <= slack; ++dy)
            if (y + dy >= 0 && y + dy < 320 && Pixel(dib, x, y + dy) == pixel) return true;
        return false;
    }
};

TEST_F(PlanetCharts, MagnitudeLabelsRunFromMinusFiveToSeven) {
    Draw(kChartMagnitude);
    const Scale s = ScaleOf(-5, 8);
    for (int q = -5; q <= 9; q += 2) {
        char text[8];
        std::snprintf(text, sizeof text, "%d ", q);
        const bool shown = TextAt(dib, InkOf(text, 2), kLabel, 1, s.Y(q) - 4);
        EXPECT_EQ(shown, q <= 7) << text;
    }
    EXPECT_EQ(chartRect, (XywhRect{0, 45, 240, 320 - 22 - 21 - 24}));
}

// Elongations of Venus, Mars and Jupiter, and magnitudes of the five planets,
// at five columns where every planet is sampled (multiples of 6 pixels).
TEST_F(PlanetCharts, CurvesFollowTheReference) {
    const ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "planet_year_chart.csv");
    ASSERT_EQ(table.rows.size(), 383u);
    const struct {
        int quantity, minimum, maximum;
        std::vector<std::pair<int, const char*>> series;  // planet 0..4 and its column
    } cases[] = {
        {kChartElongation, 0, 180, {{1, "elong_venus"}, {2, "elong_mars"}, {3, "elong_jupiter"}}},
        {kChartMagnitude,
         -5,
         8,
         {{0, "mag_mercury"}, {1, "mag_venus"}, {2, "mag_mars"}, {3, "mag_jupiter"}, {4, "mag_saturn"}}},
    };
    for (const auto& c : cases) {
        Draw(c.quantity);
        const Scale s = ScaleOf(c.minimum, c.maximum);
        for (int x : {30, 66, 120, 156, 210}) {
            const std::size_t day = static_cast<std::size_t>(DayOfColumn(x));
            for (const auto& [planet, column] : c.series)
                EXPECT_TRUE(Near(kChartLeft + x, s.Y(table.Get(day, column)), kSeries[planet]))
                    << column << " day " << day << " expected y " << s.Y(table.Get(day, column));
        }
    }
}

TEST_F(PlanetCharts, ElevationCurvesFollowTheHour) {
    assistantDate.hour = 0;
    Draw(kChartElevation);
    const std::string midnight = Picture(dib, {{kSeries[0], 'M'}});
    assistantDate.hour = 12;
    Draw(kChartElevation);
    EXPECT_NE(Picture(dib, {{kSeries[0], 'M'}}), midnight);
}

TEST_F(PlanetCharts, TapsOutsideTheChartSetNoDate) {
    Draw(kChartElongation);
    const struct {
        int x, y, cursor;
    } cases[] = {{kChartLeft - 5, 100, kChartLeft}, {-40, 100, kChartLeft}, {300, 100, 239}, {100, 10, 100}};
    for (const auto& c : cases) {
        const std::string before = Picture(dib, {{Word555(155, 0, 0), 'R'}});
        EXPECT_EQ(SetDateFromChartTap(c.x, c.y, kAssistantDateField, 0, 2024, 3), 0) << c.x;
        EXPECT_EQ(cursorX, c.cursor) << c.x;
        EXPECT_EQ(Picture(dib, {{Word555(155, 0, 0), 'R'}}), before) << c.x;
    }
}

// The day under a tap: the 1st of the month plus whole days of 0.579 pixel.
TEST_F(PlanetCharts, TapDates) {
    Draw(kChartElongation);
    const struct {
        int x;
        int year, month, day;
    } cases[] = {
        {kChartLeft, 2024, 3, 1},
        {kChartLeft + static_cast<int>(10.5 * kPixelsPerDay), 2024, 3, 11},
        {239, 2025, 3, 14},  // 378 days after 2024-03-01
    };
    for (const auto& c : cases) {
        int year = 0, month = 0, day = 0;
        ChartTapDate(c.x, 2024, 3, &year, &month, &day);
        EXPECT_EQ(year * 10000 + month * 100 + day, c.year * 10000 + c.month * 100 + c.day) << c.x;
    }
}

// The cursor is a red line from 45 to 274; the next one puts back the pixels
// under the former.
TEST_F(PlanetCharts, CursorRestoresTheColumnItCovered) {
    Draw(kChartMagnitude);
    std::vector<uint16_t> column;
    for (int y = 0; y < 320; ++y) column.push_back(Pixel(dib, 100, y));
    EXPECT_EQ(SetDateFromChartTap(100, 150, 0, 0, 2024, 3), 1);
    EXPECT_EQ(cursorX, 100);
    for (int y : {45, 150, 274}) EXPECT_EQ(Pixel(dib, 100, y), Word555(155, 0, 0)) << y;
    EXPECT_EQ(SetDateFromChartTap(130, 150, 0, 0, 2024, 3), 1);
    for (int y = 0; y < 320; ++y) EXPECT_EQ(Pixel(dib, 100, y), column[static_cast<std::size_t>(y)]) << y;
    EXPECT_EQ(Pixel(dib, 130, 150), Word555(155, 0, 0));
    ReleaseAssistantBitmap();
    EXPECT_EQ(cursorSavedBits, nullptr);
}

TEST_F(PlanetCharts, NightColours) {
    SetNightMode(2);  // "Medium"
    Draw(kChartPhase);
    EXPECT_EQ(Pixel(dib, 5, 200), 0);  // black background
    const Scale s = ScaleOf(0, 100);
    EXPECT_EQ(Pixel(dib, 120, s.Y(50)), Word555(230, 0, 0));  // grid line
    const int reds[5] = {255, 203, 153, 103, 53};
    for (int i = 0; i < 5; ++i) EXPECT_GT(Count(dib, Word555(reds[i], 0, 0)), 0) << i;
}

}  // namespace
