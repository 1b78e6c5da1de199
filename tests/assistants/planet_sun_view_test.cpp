// The planets assistant's Sun View page drawn into a DIB at scale 1 and read
// back: the planets found by their icons, the orbits and the 30-day tracks by
// their colours, the texts by their ink.
#include "assistants/planet_sun_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "icon_probe.h"
#include "planet_page_fixture.h"
#include "ui/font_set.h"
#include "ui/markers.h"

namespace {

constexpr int kMercury = 2, kEarth = 10;
constexpr uint16_t kOrbit = Word555(0, 0, 150);
constexpr uint16_t kTrack = Word555(100, 100, 250);
constexpr int kPageFont = 2;

class SunView : public PlanetPageFixture {
protected:
    void Draw(int width, int height, AssistantDate date, int animation = 0) {
        Page(width, height);
        assistantDate = date;
        animating = animation;
        DrawSunView();
        animating = 0;
    }
    // Where the icon shows best; at least 3/4 of it must (the icons and
    // names drawn after it may cover the rest).
    std::pair<int, int> Icon(int body) const {
        const auto ink = InkOfIcon([body](int x, int y) { DrawSmallIcon(body, 0, x, y); });
        double share = 0;
        const auto at = BestIcon(dib, ink, XywhRect{0, 24, dib->right, dib->bottom - 46}, &share);
        EXPECT_GE(share, 0.75) << body;
        return at;
    }
    bool TextShown(const char* text, int x, int y) const {
        const int previous = SelectFont(kPageFont);
        const TextInk ink = InkOf(text, kPageFont);
        SelectFont(previous);
        return TextAt(dib, ink, 0, x, y);
    }
};

// At the March equinox (2024-03-20 03:06 UT, USNO) the Sun's longitude is 0,
// so the Earth's heliocentric longitude is 180 degrees: its icon is straight
// below the Sun's, 40.5 pixels per AU times the Earth's distance, 0.9960 AU
// (the Astronomical Almanac), on both screen sizes of scale 1.
TEST_F(SunView, EarthStraightBelowTheSunAtTheEquinox) {
    for (auto [width, height] : {std::pair{240, 320}, {320, 240}}) {
        Draw(width, height, AssistantDate{2024, 3, 20, 3, 6});
        int cx = 0, cy = 0;
        SunViewCentre(width, height, &cx, &cy);
        EXPECT_EQ(cx, width / 2);
        EXPECT_EQ(cy, (height - 46) / 2 + 24);
        const auto sun = Icon(0), earth = Icon(kEarth);
        EXPECT_EQ(sun, (std::pair{cx, cy})) << width;
        EXPECT_LE(std::abs(earth.first - cx), 1) << width;
        EXPECT_LE(std::abs(earth.second - cy - 40), 1) << width;
    }
}

// Mercury's orbit is the circle through its icon: the orbit's colour lies at
// the icon's distance from the Sun all round, and nowhere between it and the
// next orbit.
TEST_F(SunView, MercurysOrbitPassesThroughItsIcon) {
    Draw(240, 320, AssistantDate{2024, 3, 20, 3, 6});
    int cx = 0, cy = 0;
    SunViewCentre(240, 320, &cx, &cy);
    const auto mercury = Icon(kMercury);
    const double r = std::hypot(mercury.first - cx, mercury.second - cy);
    ASSERT_GT(r, 0.3 * 40.5 - 2);  // Mercury's perihelion distance, 0.307 AU
    int onCircle = 0, inside = 0;
    for (int y = cy - 40; y <= cy + 40; ++y)
        for (int x = cx - 40; x <= cx + 40; ++x) {
            if (Pixel(dib, x, y) != kOrbit) continue;
            const double d = std::hypot(x - cx, y - cy);
            if (std::fabs(d - r) <= 1.5) ++onCircle;
            else if (d > 10 && d < r - 1.5) ++inside;
        }
    EXPECT_GT(onCircle, M_PI * r);  // more than half of 2 pi r: the icons and names cover the rest
    EXPECT_EQ(inside, 0);
}

// The 30-day tracks of Mercury, Venus and Mars are drawn, but not while the
// date animation runs; the heading and the four directions are written.
TEST_F(SunView, TracksOnlyWhenNotAnimatingAndTheTexts) {
    Draw(240, 320, AssistantDate{2024, 3, 5, 21, 10});
    EXPECT_GT(CountIn(XywhRect{0, 24, 240, 274}, kTrack), 30);
    EXPECT_TRUE(TextShown("Heliocentric", 2, 26));
    const int previous = SelectFont(kPageFont);
    const int h = CharsHeight(), w270 = CharsWidth("270\xB0", 4), w0 = CharsWidth("0\xB0", 2);
    SelectFont(previous);
    int cx = 0, cy = 0;
    SunViewCentre(240, 320, &cx, &cy);
    EXPECT_TRUE(TextShown("0\xB0", cx - w0 / 2, 25));
    EXPECT_TRUE(TextShown("90\xB0", 1, cy - h / 2));
    EXPECT_TRUE(TextShown("270\xB0", 238 - w270, cy - h / 2));
    Draw(240, 320, AssistantDate{2024, 3, 5, 21, 10}, 1);
    EXPECT_EQ(CountIn(XywhRect{0, 0, 240, 320}, kTrack), 0);
    EXPECT_GT(CountIn(XywhRect{0, 24, 240, 274}, kOrbit), 200);
}

}  // namespace
