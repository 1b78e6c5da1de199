// The strips' geometry and row instants (assistants/planet_strips.h) on the
// 240 x 320 screen at 96 dpi: H = 320 - 86 - 22 - 24 = 188 pixels.
#include "assistants/planet_strips.h"

#include <gtest/gtest.h>

#include "support/test_site.h"
#include "ui/draw_window.h"
#include "ui/screen_layout.h"

namespace {

class PlanetStrips : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        SetTestSite(51.0, 0.0, 0);
        displayScale = DisplayScale{};
        ResetScreenScale();
    }
};

// Zoom "1", "2", "4" show 1, 2, 4 days over the strip, "Max" as many whole
// days as fit at 14 pixels (188 / 14 = 13): the row after the last drawn one
// is that many days after the start at 00:00.
TEST_F(PlanetStrips, ZoomShowsOneTwoFourOrAsManyDaysAsFit) {
    const int days[4] = {1, 2, 4, 13};
    const PlanetDetailDate start{2024, 2, 27, 15, 40};
    for (int zoom = 0; zoom < 4; ++zoom) {
        const StripLayout s = ComputeStripLayout(kJupiterMode, kSatellitesView, zoom, 320);
        EXPECT_EQ(s.height, 188);
        const PlanetDetailDate end = StripRowInstant(s, start, s.top + s.rows);
        PlanetDetailDate expected{2024, 2, 27 + days[zoom], 0, 0};
        if (expected.day > 29) expected.month = 3, expected.day -= 29;
        EXPECT_EQ((std::vector{end.year, end.month, end.day, end.hour, end.minute}),
                  (std::vector{expected.year, expected.month, expected.day, 0, 0}))
            << zoom;
    }
}

// Year strips (Saturn Rings, Mars Size with 23 units less, Phase with 20 more)
// start on 1 January and show 1, 2, 4 years or as many as fit at 14 pixels;
// the year strip uses 365.25 days a year for its rows and its marker.
TEST_F(PlanetStrips, YearStripsShowWholeYears) {
    const struct {
        int mode, view, height, max;
    } cases[] = {{kSaturnMode, kRingsView, 188, 13}, {kMarsMode, kMarsSizeView, 165, 11}, {kPhaseMode, 2, 208, 14}};
    const PlanetDetailDate start{2021, 1, 1, 0, 0};
    for (const auto& c : cases) {
        const int years[4] = {1, 2, 4, c.max};
        for (int zoom = 0; zoom < 4; ++zoom) {
            const StripLayout s = ComputeStripLayout(c.mode, c.view, zoom, 320);
            ASSERT_TRUE(s.yearStrip);
            EXPECT_EQ(s.height, c.height);
            EXPECT_EQ(s.rows / s.pixelsPerUnit, years[zoom]) << c.mode << " " << zoom;
            const PlanetDetailDate last = StripRowInstant(s, start, s.top + s.rows - 1);
            EXPECT_EQ(last.year, 2021 + years[zoom] - 1) << c.mode << " " << zoom;
            const PlanetDetailDate next = StripRowInstant(s, start, s.top + s.rows);
            EXPECT_EQ(next.year, 2021 + years[zoom]) << c.mode << " " << zoom;
            EXPECT_EQ(StripRowOfInstant(s, start), s.top);
        }
    }
}

// Phase views: a diameter pair (colour 3) and a phase pair (colour 1) mirrored
// about the axis; Venus at inferior conjunction (2023-08-13 12h) is large and
// thin: PyEphem 4.1.4 gives 58.6" and 0.9 % lit.
TEST_F(PlanetStrips, PhaseCurvesOfVenus) {
    const StripTracks t = ComputeStripTracks(kPhaseMode, 1, PlanetDetailDate{2023, 8, 13, 12, 0}, 1);
    ASSERT_EQ(t.count, 4);
    EXPECT_EQ((std::vector{t.colour[0], t.colour[1], t.colour[2], t.colour[3]}), (std::vector{3, 3, 1, 1}));
    EXPECT_EQ(t.offset[0], -t.offset[1]);
    EXPECT_NEAR(t.offset[0], 58.6, 1.0);
    EXPECT_LE(t.offset[2], 2);
}

}  // namespace
