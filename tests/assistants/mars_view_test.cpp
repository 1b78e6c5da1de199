// The Mars view, map and feature texts: the globe shows the pole the Earth
// sees where the orientation panel puts it, the map wraps around, and the
// texts of the features and the panel.
#include "assistants/mars_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "assistants/globe_transform.h"
#include "assistants/mars_features.h"
#include "assistants/mars_map_view.h"
#include "assistants/mars_satellites_view.h"
#include "assistants/planet_globe_info_view.h"
#include "assistant_draw_fixture.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "resources/mars_bitmaps.h"
#include "resources/program_resources.h"
#include "support/draw_fixture.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "support/wrapped_difference.h"
#include "ui/screen_layout.h"

namespace {

constexpr uint16_t kGround = 0x0421;

uint16_t To555(uint32_t rgb) {
    return static_cast<uint16_t>((rgb >> 19 & 31) << 10 | (rgb >> 11 & 31) << 5 | (rgb >> 3 & 31));
}

MarsFeatureRecord Feature(const char* name, int16_t type, int16_t size, float lat = 0, float lon = 0) {
    MarsFeatureRecord f{"", type, 0, 0, size, lat, lon};
    std::snprintf(f.name, sizeof f.name, "%s", name);
    return f;
}

// Texts of the features, the call-out and the panel, each from the feature
// type table and the call-out and panel layouts.
TEST(MarsTexts, FeatureCalloutAndPanelTexts) {
    const std::pair<int16_t, const char*> sizes[] = {
        {0, "Cavus 1500 km "},   {1, "Mons 1500 km "},    {2, "Crater 1500 km "}, {3, "Plannitia 1500 km "},
        {4, "Planum 1500 km "},  {5, "Landing 1500 km "}, {6, "Catena 1500 km "}, {7, "Chasma 1500 km "},
        {8, "Rupes 1500 km "},   {9, "Terra 1500 km "},   {10, ""},               {-1, ""}};
    for (auto [type, text] : sizes) EXPECT_EQ(MarsFeatureSizeText(Feature("X", type, 1500)), text) << type;
    EXPECT_EQ(MarsFeaturePictureName(Feature("Olympus Mons", 1, 600)), "mons_Olympus");
    EXPECT_EQ(MarsFeaturePictureName(Feature("Gale", 2, 150)), "crater_Gale");
    EXPECT_EQ(MarsFeaturePictureName(Feature("Nowhere Land", 12, 1)), "Nowhere");
    // Labels: planitiae and plana from 1000 km, terrae from 500 km, nothing else.
    const int labels[][3] = {{3, 1000, 1}, {3, 999, 0}, {4, 1000, 1}, {4, 999, 0}, {9, 500, 1},
                             {9, 499, 0},  {1, 5000, 0}, {7, 4000, 0}};
    for (const auto& l : labels)
        EXPECT_EQ(IsMarsMapLabel(Feature("X", static_cast<int16_t>(l[0]), static_cast<int16_t>(l[1]))), l[2] == 1)
            << l[0] << " " << l[1];
    EXPECT_EQ(MarsLatitudeText(-4.59f), "Lat: 4.6\xB0S");
    EXPECT_EQ(MarsLatitudeText(18.66f), "Lat: 18.7\xB0N");
    EXPECT_EQ(MarsLongitudeText(-137.44f), "Long: 137.4\xB0W");
    EXPECT_EQ(MarsLongitudeText(137.44f), "Long: 137.4\xB0" "E");
    // "Axis" and "Meridian Long.": value + 0.05 to one decimal.
    EXPECT_EQ(OneDecimalText(347.64), "347.6");
    EXPECT_EQ(OneDecimalText(347.66), "347.7");
    EXPECT_EQ(OneDecimalText(359.96), "360.0");
    // The pole texts: none up to |tilt| 5.0.
    using Texts = std::vector<std::string>;
    EXPECT_EQ(PlanetGlobeInfoTexts(347.64f, 5.0f, 0.18f),
              (Texts{"Angle of North Pole (\xB0): 347.6", "Diameter (arcsec): 10.8"}));
    EXPECT_EQ(PlanetGlobeInfoTexts(0, 5.01f, 0.18f).back(), "North Pole visible.");
    EXPECT_EQ(PlanetGlobeInfoTexts(0, -5.01f, 0.18f).back(), "South Pole visible.");
    EXPECT_EQ(PlanetGlobeInfoTexts(0, -5.0f, 0.18f).size(), 2u);
}

class MarsViewTest : public AssistantDrawFixture {
protected:
    void TearDown() override {
        ForgetMarsRotationStrip();
        AssistantDrawFixture::TearDown();
    }
};

// On dates with the Earth more than 15 degrees above Mars's equator the view
// shows the north cap and not the south one, the cap seen from the disc's
// centre at the position angle (counter-clockwise from up) as the orientation
// panel puts its pole; more than 15 degrees below, the south cap at P + 180.
// P and D_E come from tests/reference/mars_physical.csv (IAU 2009 rotation).
TEST_F(MarsViewTest, GlobeShowsThePoleTheEarthSees) {
    ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "mars_physical.csv");
    const pl::ColorRef moons[2] = {pl::Rgb(205, 205, 40), pl::Rgb(0, 40, 220)};
    const uint16_t cap = To555(kMarsCapColour);
    int north = 0, south = 0;
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        double de = t.Get(i, "earth_declination_deg");
        if (std::fabs(de) <= 15) continue;
        DrawWindowRecord* r = DibWindow(240, 300);
        Fill(r, kGround);
        DrawMarsView(0, 0, 240, 300, int(t.Get(i, "year")), int(t.Get(i, "month")), int(t.Get(i, "day")),
                     int(t.Get(i, "hour")), int(t.Get(i, "minute")), moons, 0);
        int cx, cy;
        GetMarsViewGlobeCentre(0, 0, 300, &cx, &cy);
        double expected = t.Get(i, "position_angle_deg") + (de > 0 ? 0 : 180);
        double sx = 0, sy = 0;
        int n = 0, wrongSide = 0;
        for (int y = cy - 77; y <= cy + 77; ++y)
            for (int x = cx - 77; x <= cx + 77; ++x) {
                if (Pixel(r, x, y) != cap) continue;
                double angle = std::atan2(-(x - cx), -(y - cy)) * 180 / M_PI;
                wrongSide += std::fabs(WrappedDifference(angle, expected, 360)) > 90;
                sx += x - cx, sy += y - cy, ++n;
            }
        SCOPED_TRACE(testing::Message() << "row " << i << " D_E " << de);
        ASSERT_GT(n, 50);
        EXPECT_EQ(wrongSide, 0);
        double seen = std::atan2(-sx / n, -sy / n) * 180 / M_PI;
        EXPECT_NEAR(WrappedDifference(seen, expected, 360), 0, 5);
        (de > 0 ? north : south)++;
    }
    EXPECT_GE(north, 5);
    EXPECT_GE(south, 5);
}

// Frame angle / 15 of the strip, the angle brought into [0, 360) by whole turns.
TEST_F(MarsViewTest, RotationFrameOfTheAngle) {
    std::vector<uint32_t> strip;
    ASSERT_TRUE(pl::RenderBitmapTemplate(*pl::FindBitmapTemplate(6014), &strip));
    const int cases[][2] = {{0, 0}, {14, 0}, {15, 1}, {359, 23}, {-15, 23}, {375, 1}, {-721, 23}};
    for (const auto& c : cases) {
        DrawWindowRecord* r = DibWindow(30, 30);
        Fill(r, kGround);
        DrawMarsRotationFrame(4, 5, c[0], 1, 1);
        int bad = 0;
        for (int j = 0; j < 20; ++j)
            for (int i = 0; i < 22; ++i) {
                uint32_t v = strip[j * 24 * 22 + c[1] * 22 + i];
                bad += Pixel(r, 4 + i, 5 + j) != (v == 0 ? kGround : To555(v));
            }
        EXPECT_EQ(bad, 0) << c[0];
    }
}

// The 480 x 640 picture is the 240 x 320 one at twice the size: a disc of 10 pixels a unit of scale and
// Phobos's dot at its offset, as many disc radii out as PyEphem's 2.55 Mars radii within the scheme (its
// orbit 2.4 radii, the true one 2.76). On 480 x 640 the offsets were doubled around a small disc: 9 radii.
TEST_F(MarsViewTest, PhobosAtTheSameDiscRadiiOnBothScreens) {
    const pl::ColorRef moons[2] = {pl::Rgb(0, 248, 0), pl::Rgb(0, 0, 248)};
    for (int s : {1, 2}) {
        pl::SetScreenInfo(pl::ScreenInfo{240 * s, 320 * s, 96 * s});
        ResetScreenScale();
        SetScale(s);
        DrawWindowRecord* r = DibWindow(120 * s, 120 * s);
        Fill(r, kGround);
        double x[2], y[2];
        int32_t v[2];
        DrawMarsSatellites(2026, 12, 7, 22, 17, 0, 0, 120 * s, 120 * s, x, y, v, 1, moons, s, s);
        EXPECT_TRUE(Pixel(r, 69 * s, 60 * s) != kGround && Pixel(r, 70 * s, 60 * s) == kGround) << s;  // rim
        EXPECT_EQ(Pixel(r, 60 * s + int(x[0]), 60 * s + int(y[0])), To555(0x00F800)) << s;
        EXPECT_NEAR(std::hypot(x[0], y[0]) / (10 * s), 2.55, 0.3) << s;
    }
}

// Two plain halves (first A, second B) of 100 x 50: the scroll is clamped so no
// gap shows, and the tiles run second, first, second, first from scrollX - 100.
// A map place left of the rectangle is drawn one map width to the right.
constexpr uint16_t kA = 0x7C00, kB = 0x001F;
void HalfA(uint32_t* p, int w, int h) { std::fill(p, p + w * h, 0xFF0000u); }
void HalfB(uint32_t* p, int w, int h) { std::fill(p, p + w * h, 0x0000FFu); }
constexpr pl::BitmapTemplate kHalves[] = {{7100, 100, 50, {}, {}, HalfA}, {7101, 100, 50, {}, {}, HalfB}};
constexpr pl::ResourceGroup kHalvesGroup = {.bitmaps = kHalves};

TEST_F(MarsViewTest, MapWrapsAroundInLongitude) {
    pl::AddResourceGroup(kHalvesGroup);
    struct Case {
        int scrollX, scrollY, clampedX, clampedY;
        const char* columns;  // tile letter at x = 0, 50, 89, 90, 150, 189, 190, 239
    };
    const Case cases[] = {{1000, 5, 100, 0, "BBBBAAAB"}, {-1000, -1000, -10, -10, "AAABBBAA"},
                          {30, -4, 30, -4, "BAAABBBA"}};
    const int xs[] = {0, 50, 89, 90, 150, 189, 190, 239};
    for (const Case& c : cases) {
        DrawWindowRecord* r = DibWindow(240, 60);
        Fill(r, kGround);
        int sx = c.scrollX, sy = c.scrollY;
        DrawMarsMap(7100, XywhRect{0, 10, 240, 40}, &sx, &sy);
        EXPECT_EQ(sx, c.clampedX);
        EXPECT_EQ(sy, c.clampedY);
        std::string seen;
        for (int x : xs) seen += Pixel(r, x, 20) == kA ? 'A' : Pixel(r, x, 20) == kB ? 'B' : '?';
        EXPECT_EQ(seen, c.columns) << c.scrollX;
        EXPECT_EQ(Pixel(r, 5, 9), kGround);   // above the rectangle
        EXPECT_EQ(Pixel(r, 5, 50), kGround);  // below it
    }
    const int places[][5] = {{-100, 50, 590, 0, 10}, {0, 50, 50, 0, 10}, {100, 600, 60, -4, 6}};
    for (const auto& p : places) {
        int x, y;
        MarsMapToScreen(XywhRect{0, 10, 240, 40}, p[0], p[3], p[1], 0, &x, &y);
        EXPECT_EQ(x, p[2]) << p[0] << " " << p[1];
        EXPECT_EQ(y, p[4]);
    }
}

}  // namespace
