// The chart palette for each colour scheme, line colour and night mode, as
// the chart's colour tables give them.
#include <gtest/gtest.h>

#include "chart/chart_redraw.h"
#include "platform/color.h"

namespace {

constexpr pl::ColorRef Rgb(int r, int g, int b) {
    return pl::Rgb(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
}

TEST(ChartPalette, RolesFollowTheBackground) {
    const struct {
        int background;
        pl::ColorRef ground, star, object, text, label, horizon;
    } cases[] = {
        {0, Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(102, 102, 102), Rgb(255, 0, 0), Rgb(187, 187, 153), Rgb(51, 51, 102)},
        {1, Rgb(21, 21, 70), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 0, 0), Rgb(187, 187, 153),
         Rgb(51, 51, 102)},
        {2, Rgb(238, 238, 238), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(130, 130, 130)},
        {3, Rgb(238, 238, 238), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(130, 130, 130)},
    };
    for (const auto& c : cases) {
        ChartPalette p = BuildChartPalette(0, 255, c.background, 0, ChartPalette{});
        EXPECT_EQ(p.background, c.ground) << c.background;
        EXPECT_EQ(p.star, c.star) << c.background;
        EXPECT_EQ(p.object, c.object) << c.background;
        EXPECT_EQ(p.text, c.text) << c.background;
        EXPECT_EQ(p.label, c.label) << c.background;
        EXPECT_EQ(p.horizon, c.horizon) << c.background;
        EXPECT_EQ(p.grid, Rgb(102, 102, 102)) << c.background;
    }
}

// A scheme outside the table draws on black and keeps the text colour it had.
TEST(ChartPalette, UnknownBackgroundKeepsTheTextColour) {
    ChartPalette previous{};
    previous.text = Rgb(1, 2, 3);
    ChartPalette p = BuildChartPalette(0, 255, 7, 0, previous);
    EXPECT_EQ(p.background, Rgb(0, 0, 0));
    EXPECT_EQ(p.star, Rgb(255, 255, 255));
    EXPECT_EQ(p.object, Rgb(102, 102, 102));
    EXPECT_EQ(p.text, Rgb(1, 2, 3));
}

TEST(ChartPalette, LineColourByWordAndRedAtNight) {
    const struct {
        int word, night;
        pl::ColorRef line;
    } cases[] = {{0, 0, Rgb(102, 0, 204)}, {1, 0, Rgb(140, 0, 0)}, {2, 0, Rgb(102, 102, 102)}, {3, 0, Rgb(0, 0, 0)},
                 {9, 0, Rgb(102, 0, 204)}, {1, 2, Rgb(255, 0, 0)},  {3, 1, Rgb(255, 0, 0)}};
    for (const auto& c : cases)
        EXPECT_EQ(BuildChartPalette(c.night, 140, 0, c.word, ChartPalette{}).line, c.line) << c.word << " " << c.night;
}

// Night mode: grid, label and horizon are shades of the night red; the light
// grey of the white scheme becomes dark red (140, 0, 0); an intensity below
// the shade's offset stays at 0.
TEST(ChartPalette, NightShades) {
    const struct {
        int intensity;
        pl::ColorRef grid, label, horizon;
    } cases[] = {{140, Rgb(90, 0, 0), Rgb(140, 0, 0), Rgb(70, 0, 0)},
                 {255, Rgb(205, 0, 0), Rgb(255, 0, 0), Rgb(185, 0, 0)},
                 {40, Rgb(0, 0, 0), Rgb(40, 0, 0), Rgb(0, 0, 0)}};
    for (const auto& c : cases) {
        ChartPalette p = BuildChartPalette(2, c.intensity, 2, 0, ChartPalette{});
        EXPECT_EQ(p.grid, c.grid) << c.intensity;
        EXPECT_EQ(p.label, c.label) << c.intensity;
        EXPECT_EQ(p.horizon, c.horizon) << c.intensity;
        EXPECT_EQ(p.background, Rgb(140, 0, 0)) << c.intensity;
        EXPECT_EQ(p.darkBlue, Rgb(21, 21, 70));
        EXPECT_EQ(p.yellow, Rgb(255, 230, 40));
    }
}

}  // namespace
