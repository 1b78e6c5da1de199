// The orbit picture of the orbit forms at 240 x 320 (96 dpi), drawn into a
// rectangle off the window's corner, and the labels beside a point.
#include "chart/solar_system_view.h"

#include <gtest/gtest.h>

#include <cstring>

#include "chart/chart_colours.h"
#include "chart/chart_label.h"
#include "overlay_test.h"

namespace {

constexpr XywhRect kRect{10, 30, 200, 200};
constexpr int kCx = 110, kCy = 130;  // the rectangle's middle
constexpr int32_t kIdentity[9] = {1 << 24, 0, 0, 0, 1 << 24, 0, 0, 0, 1 << 24};
constexpr int kZoom = 6;             // 64 pixels an AU
constexpr pl::ColorRef kOrbit[2] = {pl::Rgb(0, 0, 133), pl::Rgb(0, 0, 203)};      // front, back by day
constexpr pl::ColorRef kHighlight[2] = {pl::Rgb(133, 0, 0), pl::Rgb(204, 0, 0)};  // slot 1's

SolarSystemBody Body(const char* name, int32_t size, int kind = 0, double perihelionAu = 0) {
    SolarSystemBody b{};
    std::strncpy(b.name, name, sizeof b.name - 1);
    std::memcpy(b.orientation, kIdentity, sizeof kIdentity);
    b.position[1] = -80 << 12;  // above the centre
    b.orbitSize = b.orbitSecondSize = size;
    b.kind = kind;
    b.perihelion = static_cast<int32_t>(perihelionAu * 16777216.0);
    return b;
}

class SolarSystemViewTest : public OverlayTest {
protected:
    DrawWindowRecord* Draw(const std::vector<SolarSystemBody>& bodies) {
        DrawWindowRecord* r = Ground(240, 320);
        DrawSolarSystemView(nullptr, kRect, bodies.data(), static_cast<int>(bodies.size()), 0, 0, 0, kZoom);
        return r;
    }
    // Pixels of a colour in the box w x h at (x, y).
    static int Of(const DrawWindowRecord* r, pl::ColorRef colour, int x, int y, int w = 3, int h = 3) {
        return CountIn(r, colour, x, y, w, h);
    }
};

// Background over the rectangle only: (0, 0, 70) by day, the chart's black at
// night. An orbit a = b = 64 seen at angles 0, 0, 0 passes (cx + 64, cy) in its
// front or back colour; the axes and names are in (200, 200, 200) by day and
// in (I, 0, 0) in night mode 1 (I = 102).
TEST_F(SolarSystemViewTest, BackgroundAndColoursAboutTheRectangleMiddle) {
    for (auto [night, ground, text, front, back] :
         {std::tuple{0, pl::Rgb(0, 0, 70), pl::Rgb(200, 200, 200), pl::Rgb(0, 0, 133), pl::Rgb(0, 0, 203)},
          {1, pl::Rgb(0, 0, 0), pl::Rgb(102, 0, 0), pl::Rgb(203, 0, 0), pl::Rgb(255, 0, 0)}}) {
        SetNightMode(night);
        SetChartColours();
        DrawWindowRecord* r = Draw({Body("Sun", 0), Body("Comet", 20), Body("Mars", 64)});
        EXPECT_EQ(std::make_pair(Pixel(r, 12, 32), Pixel(r, 5, 5)), std::make_pair(pl::ToPixel555(ground), kGround));
        EXPECT_GT(Of(r, front, kCx + 63, kCy - 1) + Of(r, back, kCx + 63, kCy - 1), 0) << night;
        EXPECT_GT(Of(r, text, 0, 0, 240, 320), 0) << night;
        EXPECT_EQ(Of(r, pl::Rgb(200, 200, 200), 0, 0, 240, 320) > 0, night == 0);
    }
}

// Drawn when (size < 401 or slot 1) and (size > 10 or slot 0 or not an
// ellipse): the orbit's colours (slot 1's own pair) appear or not.
TEST_F(SolarSystemViewTest, LargeOrbitsSkippedButTheHighlightedOne) {
    struct Case {
        int slot;
        int32_t size, second;
        int kind;
        bool drawn;
    } cases[] = {{2, 401, 100, 0, false}, {1, 401, 100, 0, true}, {2, 10, 10, 0, false}, {2, 10, 10, 1, true}, {2, 11, 11, 0, true}};
    for (const Case& c : cases) {
        std::vector<SolarSystemBody> bodies{Body("Sun", 0), Body("Comet", 0, 1), Body("Venus", 0)};
        bodies[c.slot] = Body("Body", c.size, c.kind, 0.5);
        bodies[c.slot].orbitSecondSize = c.second;
        DrawWindowRecord* r = Draw(bodies);
        const pl::ColorRef* pair = c.slot == 1 ? kHighlight : kOrbit;
        EXPECT_EQ(Of(r, pair[0], 0, 0, 240, 320) + Of(r, pair[1], 0, 0, 240, 320) > 0, c.drawn) << c.slot << " " << c.size;
    }
}

// Slot 1's distances along the bottom, 5 and 120 scaleX from the left, 13
// scaleY above the rectangle's bottom, in the orbit colour.
TEST_F(SolarSystemViewTest, HighlightedBodyDistances) {
    std::vector<SolarSystemBody> bodies{Body("Sun", 0), Body("Comet", 20)};
    bodies[1].earthDistance = 1.2344f;
    bodies[1].sunDistance = 2.5f;
    DrawWindowRecord* r = Draw(bodies);
    const pl::ColorRef grey = pl::Rgb(200, 200, 200);
    DrawWindowRecord* expected = Texts({{"Earth (AU): 1.234", {5, 217}}, {"Sun (AU): 2.500", {120, 217}}}, grey, 0);
    int differ = 0;
    for (int y = 215; y < 232; ++y)
        for (int x = 0; x < 240; ++x) differ += (Pixel(r, x, y) == pl::ToPixel555(grey)) != (Pixel(expected, x, y) == pl::ToPixel555(grey));
    EXPECT_EQ(differ, 0);
}

// A near-parabolic (1) or hyperbolic (2) slot 1 is the parabola of its
// perihelion: q = 0.5 AU at 64 pixels an AU puts its vertex, the rightmost
// point, 32 pixels right of the Sun.
TEST_F(SolarSystemViewTest, OpenOrbitVertexAtThePerihelion) {
    for (int kind : {1, 2}) {
        DrawWindowRecord* r = Draw({Body("Sun", 0), Body("Comet", 500, kind, 0.5)});
        int right = 0;
        for (int x = kCx; x < 210; ++x)
            if (Of(r, kHighlight[0], x, kCy, 1, 1) + Of(r, kHighlight[1], x, kCy, 1, 1) > 0) right = x;
        EXPECT_NEAR(right, kCx + 32, 1) << kind;
    }
}

// The label at (x + 5, y - 3) at or right of the limit, else at (x - 20, y - 3).
TEST_F(SolarSystemViewTest, ChartLabelLeansAwayFromTheLimit) {
    const pl::ColorRef white = pl::Rgb(255, 255, 255);
    for (auto [x, left] : {std::pair{120, 125}, {150, 155}, {119, 99}}) {
        DrawWindowRecord* r = Ground(240, 320);
        SetTextColorRef(white);
        DrawChartLabel("Mars", x, 100, 120);
        EXPECT_EQ(Differences(r, Texts({{"Mars", {left, 97}}}, white, -1, true)), 0) << x;
    }
}

}  // namespace
