// The visibility model's pictures: the 24-hour bar and the year chart drawn
// into a 16-bit DIB and read back by region colours (5 bits a channel, the
// tick columns left out); the difficulty gauge on a button of a running form.
#include "objects/visibility_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "core/rise_set.h"
#include "platform/window.h"
#include "support/draw_fixture.h"
#include "support/program_fixture.h"
#include "support/reference_table.h"
#include "support/temp_program_folder.h"
#include "support/test_site.h"
#include "ui/colors.h"
#include "ui/control_records.h"
#include "ui/simple_controls.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

constexpr uint16_t Word555(int r, int g, int b) { return static_cast<uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | b >> 3); }
constexpr uint16_t kFilled = Word555(249, 210, 20);
constexpr uint16_t kBand = Word555(255, 255, 180);
constexpr uint16_t kMarker = Word555(200, 0, 0);
constexpr int kX = 10, kY = 12, kWidth = 130, kHeight = 18;

class VisibilityViewTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        InstallSymbolFont(folder.path());
        ResetWithDefaults();
        SetTestSite(51.0, 0.0, 0);
        dib = DibWindow(170, 40);
        SetForeColor(0xFFFFFF);
    }
    // The colours along row `y` from x + `from` to x + `to`, one letter each:
    // F filled, B band, R marker, ? other; columns in `skip` left out.
    std::string Row(int y, int from, int to, const std::vector<int>& skip = {}) const {
        std::string s;
        for (int dx = from; dx <= to; ++dx) {
            bool skipped = false;
            for (int k : skip) skipped |= k == dx;
            if (skipped) continue;
            uint16_t p = Pixel(dib, kX + dx, y);
            s += p == kFilled ? 'F' : p == kBand ? 'B' : p == kMarker ? 'R' : '?';
        }
        return s;
    }
    TempProgramFolder folder{"visibility_view"};
    DrawWindowRecord* dib = nullptr;
};

constexpr unsigned kBoth = kRiseSetRises | kRiseSetSets;

// Hour cells of 130 / 25 + 1 = 6 pixels; the ticks of hours 0, 6, 12, 18
// run the whole lower half (columns x - 1 + 6h), the closing tick at x + 143.
std::vector<int> MajorTicks() { return {-1, 35, 71, 107, 143}; }

// Rise 22, transit 3, set 8: up from 22 h to 24 h and from 0 h to 8 h, the
// band between; an object that never rises fills nothing, a circumpolar one
// all 24 hours.
TEST_F(VisibilityViewTest, DayBarFillsTheHoursAboveTheHorizon) {
    const struct {
        float rise, transit, set;
        unsigned events;
        std::string expected;  // by 6-pixel hour cells, 0 h to 24 h
    } cases[] = {
        {22, 3, 8, kBoth, std::string(48, 'F') + std::string(84, 'B') + std::string(12, 'F')},
        {0, 0, 0, kRiseSetNeverUp, std::string(144, 'B')},
        {0, 12, 23.99f, kRiseSetAlwaysUp, std::string(144, 'F')},
        // brought into the day
        {-2, 27, 32, kBoth, std::string(48, 'F') + std::string(84, 'B') + std::string(12, 'F')},
    };
    const int row = kY + kHeight / 2 + 1;  // below the minor ticks' start
    for (const auto& c : cases) {
        DrawAltitudeGraph24h(kX, kY, kWidth, kHeight, -1, c.rise, c.transit, c.set, c.events);
        std::string want;
        for (int dx = 0; dx < 143; ++dx)
            if (dx != 35 && dx != 71 && dx != 107) want += c.expected[static_cast<std::size_t>(dx)];
        EXPECT_EQ(Row(row, 0, 142, MajorTicks()), want) << c.rise << " " << c.transit << " " << c.set;
    }
    EXPECT_EQ(GetForeColorRef(), 0xFFFFFFu) << "foreground given back";
}

// The red line of the hour `now` (7.5 h: 6 x 7.5 = 45) runs from top to
// bottom; a negative hour draws none.
TEST_F(VisibilityViewTest, DayBarMarksTheHourNow) {
    DrawAltitudeGraph24h(kX, kY, kWidth, kHeight, 7.5f, 22, 3, 8, kBoth);
    EXPECT_EQ(Row(kY, 45, 45) + Row(kY + kHeight - 1, 45, 45) + Row(kY + 10, 44, 44), "RRF");
    DrawAltitudeGraph24h(kX, kY, kWidth, kHeight, -1, 22, 3, 8, kBoth);
    EXPECT_EQ(Row(kY + 10, 45, 45), "F");
}

// An object at Dec -80 never rises above 15 degrees at 51 N: no month is
// filled; the marker of 15 July stands (6 + 15/32) pitches of (130 - 13) / 12
// + 1 = 10 pixels from x. Night mode 1 draws the band in red at 102.
TEST_F(VisibilityViewTest, YearChartOfAnObjectThatNeverRises) {
    const int marker = static_cast<int>(6.46875 * 10);
    std::vector<int> separators;
    for (int m = 0; m <= 12; ++m) separators.push_back(10 * m - 1);
    separators.push_back(marker);
    const int row = kY + kHeight / 2 + 3;
    DrawYearChart(kX, kY, kWidth, kHeight, 2024, 7, 15, 12.0f, -80.0f);
    EXPECT_EQ(Row(row, 0, 119, separators), std::string(120 - 13, 'B'));  // 12 separators and the marker left out
    EXPECT_EQ(Row(kY, marker, marker) + Row(row, marker, marker), "RR");
    SetNightMode(1);
    SetForeColor(0x000000);
    DrawYearChart(kX, kY, kWidth, kHeight, 2024, 7, 15, 12.0f, -80.0f);
    EXPECT_EQ(Pixel(dib, kX + 5, row), Word555(102, 0, 0));
}

// A star at Vega's place (18h37m12s, +38.8) seen from 51 N stands above 15
// degrees at transit all year; the months filled are those whose transit on
// the 15th (PyEphem, scripts/reference/year_chart_transits_pyephem.py) falls
// after the month's evening hour or before its morning hour.
TEST_F(VisibilityViewTest, YearChartFillsTheMonthsOfNightTransits) {
    ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "year_chart_transits_pyephem.csv");
    ASSERT_EQ(t.rows.size(), 12u);
    const double evening[12] = {17.5, 18, 19, 20, 21, 22, 22, 21, 20, 19, 18, 17.5};
    const double morning[12] = {7.5, 7, 6.5, 6, 5.5, 5, 5, 5.5, 6, 6.5, 7, 7.5};
    std::string expected, months;
    for (std::size_t m = 0; m < 12; ++m) {
        const double transit = t.Get(m, "transit_hour");
        ASSERT_GT(t.Get(m, "transit_altitude"), 15.0);
        expected += transit > evening[m] || transit < morning[m] ? 'F' : 'B';
    }
    DrawYearChart(kX, kY, kWidth, kHeight, 2024, 1, 1, static_cast<float>(18 + 37.2 / 60), 38.8f);
    for (int m = 0; m < 12; ++m) months += Row(kY + kHeight / 2 + 3, 10 * m + 4, 10 * m + 4);
    EXPECT_EQ(months, expected);
    EXPECT_EQ(expected, "BBBFFFFBBBBB");
}

// At night the labels of both pictures (month letters; "0h", "12h", "0h") were
// drawn in the foreground, which is the black ground at night, on the
// context's white: white boxes with black letters. They are the night pen's
// red (102, 0, 0 in mode 1) on black, above the band (which has that red too).
TEST_F(VisibilityViewTest, NightLabelsWereBlackOnWhiteBoxes) {
    const struct {
        const char* picture;
        void (*draw)();
    } cases[] = {
        {"year chart", [] { DrawYearChart(kX, kY, kWidth, kHeight, 2024, 7, 15, 12.0f, -80.0f); }},
        {"day bar", [] { DrawAltitudeGraph24h(kX, kY, kWidth, kHeight, -1, 22, 3, 8, kBoth); }},
    };
    SetNightMode(1);
    for (const auto& c : cases) {
        dib = DibWindow(170, 40);
        SetForeColor(GetBackgroundColor());  // as a form's draw window has it
        c.draw();
        int white = 0, red = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 170; ++x) {
                white += Pixel(dib, x, y) == Word555(255, 255, 255);
                red += y < kY + kHeight / 2 && Pixel(dib, x, y) == Word555(102, 0, 0);
            }
        EXPECT_EQ(white, 0) << c.picture;
        EXPECT_GT(red, 20) << c.picture;
    }
}

class GaugeTest : public ProgramTest {
protected:
    int Bitmap() const {
        return RecordOf<BitmapButtonRecord>(pl::GetDlgItem(GetCurrentFormDialog(), 2840))->currentBitmap;
    }
};

// The gauge bitmap by class, the night set in any night mode; a rating that
// is not a number leaves the button as it was.
TEST_F(GaugeTest, BitmapByClassAndNightMode) {
    ASSERT_TRUE(StartProgram());
    MainCommand(40015);
    ASSERT_EQ(GetCurrentFormId(), 2830);
    const struct {
        float rating;
        int night, bitmap;
    } cases[] = {{1.2f, 0, 5002}, {1.2f, 2, 5007}, {0.5f, 0, 5000}, {2.5f, 1, 5009}, {NAN, 0, 5009}};
    for (const auto& c : cases) {
        Ui([&] {
            preferences.word[kPrefNightMode] = c.night;
            DrawDifficultyGauge(2840, c.rating);
        });
        EXPECT_EQ(Bitmap(), c.bitmap) << c.rating << " " << c.night;
    }
    Ui([] { preferences.word[kPrefNightMode] = 0; });
}

}  // namespace
