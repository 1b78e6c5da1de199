// The summary panel, the lunar visibility map and the shadow diagram drawn
// into 16-bit pictures, read back by their pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_summary_view.h"
#include "eclipse/lunar_eclipse_view.h"
#include "platform/screen.h"
#include "resources/program_resources.h"
#include "support/draw_fixture.h"
#include "support/recording_services.h"
#include "support/temp_program_folder.h"

namespace {

constexpr uint16_t kRed = 0x7C00;        // (255, 0, 0) in 5-5-5
constexpr uint16_t kCurve = 0x739C;      // (231, 231, 231)
constexpr uint16_t kUmbra = 0x7E73;      // (255, 153, 153)
constexpr uint16_t kWhite = 0x7FFF;

class EclipseViews : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        InstallSymbolFont(folder.path());
        InstallProgramResources();
        pl::SetScreenInfo(pl::ScreenInfo{240, 320, 96});
        preferences.SetFloat(kPrefCurrentDeltaT, 66.184f);
        eclipseCount = BuildEclipseList(&eclipseList, 6, 2006, 1, 1);
        ASSERT_EQ(eclipseCount, 6);
    }
    void TearDown() override {
        FreeEclipseList();
        DrawFixture::TearDown();
    }
    TempProgramFolder folder{"eclipse_views"};
    RecordingServices services;
    DrawWindowRecord* Canvas(int w, int h) {
        DrawWindowRecord* r = DibWindow(w, h);
        Fill(r, kWhite);
        return r;
    }
    // Lines of text (runs of rows with black pixels between x 7 and 100) from y 68.
    static int TextLines(const DrawWindowRecord* r, int height) {
        int lines = 0;
        bool previous = false;
        for (int y = 68; y < height; ++y) {
            bool ink = false;
            for (int x = 7; x <= 100 && !ink; ++x) ink = Pixel(r, x, y) == 0;
            lines += ink && !previous;
            previous = ink;
        }
        return lines;
    }
    // Mean position of the pixels of one colour.
    static std::pair<double, double> Centroid(const DrawWindowRecord* r, int w, int h, uint16_t colour) {
        double sx = 0, sy = 0;
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (Pixel(r, x, y) == colour) sx += x, sy += y, ++n;
        return {n ? sx / n : -1, n ? sy / n : -1};
    }
};

// 2006-03-29's point of greatest eclipse (NASA 23 09.1' N, 16 44.9' E) as
// the Part places it: x = width/2 + s - 120 s lon/180, y = y0 + 60 s - 60 s
// lat/90 with y0 13 s below the list (none here: 0); at scale 2 every offset
// doubles and bitmap 6010 fills 480 x 240 pixels.
TEST_F(EclipseViews, SummaryCrossAtThePointOfGreatestEclipse) {
    for (int s : {1, 2}) {
        SetScale(s);
        DrawWindowRecord* r = Canvas(240 * s, 320 * s);
        double latitude = 23.152, longitude = -16.748;
        DrawEclipseSummary(eclipseList, 1, &latitude, &longitude, 240 * s, 320 * s);
        auto [x, y] = Centroid(r, 240 * s, 320 * s, kRed);
        EXPECT_NEAR(x, 120 * s + s - 120 * s * longitude / 180, 1) << s;
        EXPECT_NEAR(y, 13 * s + 60 * s - 60 * s * latitude / 90, 1) << s;
        // The map (bitmap 6010 at scale 2, 1221 at 1): sea at 30 S 30 W, land at 25 N 15 E.
        auto blue = [&](double x, double y) {
            uint16_t p = Pixel(r, static_cast<int>(x), static_cast<int>(y));
            return (p & 31) > (p >> 10 & 31);
        };
        EXPECT_TRUE(blue(s + 100 * s, 13 * s + 80 * s)) << s;
        EXPECT_FALSE(blue(s + 130 * s, 13 * s + 43.4 * s)) << s;
    }
}

// Horizon curves of the contacts that occur, each labelled on the equator:
// 2006-03-14 penumbral 2, 2006-09-07 partial 4, 2007-03-03 total 6.
TEST_F(EclipseViews, VisibilityCurvesForEachContact) {
    const std::pair<int, int> cases[] = {{0, 2}, {2, 4}, {4, 6}};
    for (auto [index, curves] : cases) {
        DrawWindowRecord* r = Canvas(240, 120);
        EXPECT_EQ(DrawLunarVisibilityMap(eclipseList, nullptr, index, 0, 0, 240, 120), curves) << index;
        EXPECT_GT(Count(r, kCurve), 240) << index;
    }
}

// The diagram puts the position mode back, and a total eclipse draws the
// umbra 1.07 times larger than the same event taken as partial (the vertical
// extent through the box's centre, which the Moon's track leaves free).
TEST_F(EclipseViews, ShadowDiagramDiscsAndPositionMode) {
    preferences.word[kPrefPositionMode] = 2;
    int extent[2] = {0, 0};
    for (int total : {1, 0}) {
        eclipseList[4].kind = total ? 4.0 : 2.0;
        DrawWindowRecord* r = Canvas(240, 320);
        DrawLunarShadowDiagram(eclipseList, 4, 0, 0, 240, 320);
        int top = -1, bottom = -1;
        for (int y = 0; y < 320; ++y)
            if (Pixel(r, 120, y) == kUmbra) bottom = y, top = top < 0 ? y : top;
        extent[total] = bottom - top + 1;
    }
    EXPECT_EQ(preferences.word[kPrefPositionMode], 2);
    EXPECT_NEAR(static_cast<double>(extent[1]) / extent[0], 1.07, 2.0 / extent[0]);
}

// The Info view of the penumbral 2006-03-14: eight lines above the table,
// then the full table's P1, Greatest and P4 on a 320-pixel view, the compact
// table's one row at 240; the site is put back (sine and cosine recomputed,
// within a float step).
TEST_F(EclipseViews, LunarInfoTablesAndTheSitePutBack) {
    currentSite.latitude = 48.85f, currentSite.longitude = -2.35f, currentSite.zoneMinutes = 60;
    currentSite.sinLatitude = std::sin(48.85f * 0.017453292f), currentSite.cosLatitude = std::cos(48.85f * 0.017453292f);
    const SiteRecord before = currentSite;
    for (auto [height, lines] : {std::pair{320, 11}, std::pair{240, 9}}) {
        DrawWindowRecord* r = Canvas(240, 320);
        DrawLunarEclipseInfo(eclipseList, 0, 240, height, 23, 47, 0, -30.0, 10.0);
        EXPECT_EQ(TextLines(r, 320), lines) << height;
    }
    EXPECT_EQ((std::vector{currentSite.latitude, currentSite.longitude}), (std::vector{before.latitude, before.longitude}));
    EXPECT_EQ(currentSite.zoneMinutes, 60);
    EXPECT_NEAR(currentSite.sinLatitude, before.sinLatitude, 1.2e-7);
    EXPECT_NEAR(currentSite.cosLatitude, before.cosLatitude, 1.2e-7);
}

}  // namespace
