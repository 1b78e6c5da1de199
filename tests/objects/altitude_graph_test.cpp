// The 24-hour guide bar (objects/altitude_graph.h) drawn into a 16-bit DIB,
// read by the colours of its regions.
#include "objects/altitude_graph.h"

#include <gtest/gtest.h>

#include <string>

#include "core/preferences.h"
#include "platform/color.h"
#include "support/draw_fixture.h"
#include "support/temp_program_folder.h"
#include "ui/colors.h"

namespace {

constexpr int kX = 10, kY = 5, kHeight = 18;
constexpr uint16_t kPale = pl::ToPixel555(pl::Rgb(255, 255, 180));
constexpr uint16_t kUp = pl::ToPixel555(pl::Rgb(249, 210, 20));
constexpr uint16_t kWhite = pl::ToPixel555(pl::Rgb(255, 255, 255));

class AltitudeGraph : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        InstallSymbolFont(folder.path());
    }
    TempProgramFolder folder{"altitude_graph"};
    // The lower half one row below its top, where only the 0, 6, 12 and 18 h
    // ticks (and the closing one) cross: '#' above the horizon, '.' below,
    // '|' a tick, '?' anything else; 144 columns from x.
    std::string Band(int width, float now, float rise, float transit, float set, uint16_t up = kUp,
                     uint16_t down = kPale) {
        DrawWindowRecord* r = DibWindow(180, 30);
        Fill(r, kWhite);
        SetForeColor(pl::Rgb(255, 255, 255));
        DrawAltitudeGraph24h(kX, kY, width, kHeight, now, rise, transit, set);
        const int pitch = width / 25 + 1;
        std::string band;
        for (int c = 0; c < 24 * pitch; ++c) {
            const uint16_t p = Pixel(r, kX + c, kY + kHeight / 2 + 1);
            band += p == up ? '#' : p == down ? '.' : p == 0 ? '|' : '?';
        }
        return band;
    }
};

std::string Repeat(char c, int n) { return std::string(n, c); }

// Width 130: 5-pixel hours on a 6-pixel pitch. Rise 22, transit 3, set 8
// (values from the bar's formulas worked by hand): above the horizon over
// x + 0..47 and x + 132..143, below between; the ticks of 6, 12 and 18 h at
// x + 35, 71, 107 and the closing one at x + 143.
TEST_F(AltitudeGraph, SpansByRiseTransitAndSet) {
    std::string expected = Repeat('#', 48) + Repeat('.', 84) + Repeat('#', 12);
    for (int h : {6, 12, 18}) expected[h * 6 - 1] = '|';
    expected[143] = '|';
    EXPECT_EQ(Band(130, -1, 22, 3, 8), expected);
    // Never rises: nothing above; never sets: all of it; hours out of 0..24
    // are brought into the day (46 is 22, -21 is 3, 32 is 8).
    std::string never = Repeat('.', 144), always = Repeat('#', 144);
    for (int h : {6, 12, 18}) never[h * 6 - 1] = always[h * 6 - 1] = '|';
    never[143] = always[143] = '|';
    EXPECT_EQ(Band(130, -1, 0, 0, 0), never);
    EXPECT_EQ(Band(130, -1, 0, 13, 23.99f), always);
    EXPECT_EQ(Band(130, -1, 46, -21, 32), expected);
}

// A set after midnight: transit 20, set 2 (rise 14 before the transit) fills
// 14..24 h and 0..2 h.
TEST_F(AltitudeGraph, SetAfterMidnight) {
    std::string expected = Repeat('#', 12) + Repeat('.', 72) + Repeat('#', 60);
    for (int h : {6, 12, 18}) expected[h * 6 - 1] = '|';
    expected[143] = '|';
    EXPECT_EQ(Band(130, -1, 14, 20, 2), expected);
}

// Night mode 1 (intensity 102): the lower half (102, 0, 0), the hours above
// the horizon (51, 0, 0); "now" draws a red line through the whole height.
TEST_F(AltitudeGraph, NightColoursAndNowLine) {
    SetNightMode(1);
    const std::string band =
        Band(130, -1, 22, 3, 8, pl::ToPixel555(pl::Rgb(51, 0, 0)), pl::ToPixel555(pl::Rgb(102, 0, 0)));
    EXPECT_EQ(band.substr(0, 30), Repeat('#', 30));
    EXPECT_EQ(band.substr(50, 20), Repeat('.', 20));
    SetNightMode(0);
    DrawWindowRecord* r = DibWindow(180, 30);
    Fill(r, kWhite);
    SetForeColor(pl::Rgb(255, 255, 255));
    DrawAltitudeGraph24h(kX, kY, 130, kHeight, 12.5f, 22, 3, 8);
    for (int y = kY; y < kY + kHeight; ++y) EXPECT_EQ(Pixel(r, kX + 75, y), pl::ToPixel555(pl::Rgb(200, 0, 0))) << y;
    EXPECT_EQ(GetForeColorRef(), pl::Rgb(255, 255, 255));
}

}  // namespace
