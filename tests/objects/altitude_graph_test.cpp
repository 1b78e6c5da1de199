// The 24-hour guide bar (objects/altitude_graph.h) drawn into a 16-bit DIB,
// read by the colours of its regions.
#include "objects/visibility_view.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/rise_set.h"
#include "platform/color.h"
#include "support/draw_fixture.h"
#include "support/temp_program_folder.h"
#include "support/test_site.h"
#include "ui/colors.h"

namespace {

class AltitudeGraph : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        InstallSymbolFont(folder.path());
    }
    // Width 130 at (10, 5), 18 high: 6-pixel hours. The lower half one row
    // below its top, where only the 0, 6, 12, 18 h and closing ticks cross:
    // '#' the lit colour, '.' the band's, '|' black; 144 columns.
    std::string Band(float now, float rise, float transit, float set, pl::ColorRef lit, pl::ColorRef band,
                     unsigned events = kRiseSetRises | kRiseSetSets) {
        r = DibWindow(180, 30);
        Fill(r, 0x7FFF);
        SetForeColor(pl::Rgb(255, 255, 255));
        DrawAltitudeGraph24h(10, 5, 130, 18, now, rise, transit, set, events);
        std::string out;
        for (int x = 10; x < 154; ++x) {
            const uint16_t p = Pixel(r, x, 15);
            out += p == pl::ToPixel555(lit) ? '#' : p == pl::ToPixel555(band) ? '.' : p == 0 ? '|' : '?';
        }
        return out;
    }
    TempProgramFolder folder{"altitude_graph"};
    DrawWindowRecord* r = nullptr;
};

// The expected band: lit over [a, b) column ranges, the ticks at 35, 71,
// 107 and 143 (values worked by hand from the bar's formulas).
std::string Expected(std::initializer_list<std::pair<int, int>> lit) {
    std::string s(144, '.');
    for (auto [a, b] : lit) s.replace(a, b - a, b - a, '#');
    for (int x : {35, 71, 107, 143}) s[x] = '|';
    return s;
}

// Rise 22, transit 3, set 8 lights x + 0..47 and x + 132..143; hours out of
// 0..24 are brought into the day; never rising lights nothing, never setting
// all; a set after midnight (rise 14, transit 20, set 2) lights 0..2 h and
// 14..24 h. Night mode 1 (intensity 102): band (102, 0, 0), lit (51, 0, 0).
// "now" draws a red line through the whole height; the foreground comes back.
TEST_F(AltitudeGraph, LitHoursColoursAndNowLine) {
    const pl::ColorRef day = pl::Rgb(249, 210, 20), pale = pl::Rgb(255, 255, 180);
    const std::string morning = Expected({{0, 48}, {132, 144}});
    EXPECT_EQ(Band(-1, 22, 3, 8, day, pale), morning);
    EXPECT_EQ(Band(-1, 46, -21, 32, day, pale), morning);
    EXPECT_EQ(Band(-1, 0, 0, 0, day, pale, kRiseSetNeverUp), Expected({}));
    EXPECT_EQ(Band(-1, 0, 13, 23.99f, day, pale, kRiseSetAlwaysUp), Expected({{0, 144}}));
    EXPECT_EQ(Band(-1, 14, 20, 2, day, pale), Expected({{0, 12}, {84, 144}}));
    SetNightMode(1);
    EXPECT_EQ(Band(-1, 22, 3, 8, pl::Rgb(51, 0, 0), pl::Rgb(102, 0, 0)), morning);
    SetNightMode(0);
    Band(12.5f, 22, 3, 8, day, pale);
    for (int y = 5; y < 23; ++y) EXPECT_EQ(Pixel(r, 85, y), pl::ToPixel555(pl::Rgb(200, 0, 0))) << y;
    EXPECT_EQ(GetForeColorRef(), pl::Rgb(255, 255, 255));
}

// A day with one crossing, as the engine gives the Moon at 71 17' N: on
// 2027-08-15 it rises at 23:08 and does not set (its transit 0.14 h, the set
// the stand-in 23.99): lit from 23.14 h (column 138) to midnight; on
// 2027-05-18 it sets at 01:14 and does not rise (rise the stand-in 0, the
// transit the next day's, 0.44 h): lit to 1.23 h (7 columns). The stand-ins
// were read as times: the first bar lit from 0.14 h on, the second all day.
TEST_F(AltitudeGraph, DayWithOneCrossingReadTheStandInAsTheOther) {
    const pl::ColorRef day = pl::Rgb(249, 210, 20), pale = pl::Rgb(255, 255, 180);
    EXPECT_EQ(Band(-1, 23.138f, 0.137f, 23.99f, day, pale, kRiseSetRises), Expected({{138, 143}}));
    EXPECT_EQ(Band(-1, 0, 24.438f, 1.228f, day, pale, kRiseSetSets), Expected({{0, 7}}));
}

// The bar drawn from the engine's own results at 51 N on 2026-12-15 (horizon
// 0): Canopus (6h24m -52.7, below -39) never rises and its bar stays empty
// though its transit is a real time of day; Capella (5h17m +46.0, above
// +39) never sets and fills the whole bar.
TEST_F(AltitudeGraph, BarOfABodyThatNeverRisesOrNeverSetsFromTheEngine) {
    SetTestSite(51.0, 0.0, 0);
    const pl::ColorRef day = pl::Rgb(249, 210, 20), pale = pl::Rgb(255, 255, 180);
    for (auto [ra, dec, up] : {std::tuple{6.399, -52.696, false}, {5.278, 45.998, true}}) {
        double rise = 0, transit = 0, set = 0;
        unsigned events = 0;
        ComputeRiseTransitSetFixed(2026, 12, 15, 51.0, 0.0, 0, 0, 0.0, ra, dec, &rise, &transit, &set, &events);
        EXPECT_GT(transit, 0.5);
        EXPECT_EQ(Band(-1, float(rise), float(transit), float(set), day, pale, events),
                  up ? Expected({{0, 144}}) : Expected({}))
            << ra;
    }
}

}  // namespace
