// The planets assistant's Ecliptic page drawn into a DIB at scale 1 and read
// back: the hour labels and the legend found by their ink, the bodies by
// their icons, the constellation figures by their colour; and its mapping of
// right ascension and of ecliptic longitudes.
#include "assistants/ecliptic_band_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "catalog/constellation_lines.h"
#include "catalog/record_writer.h"
#include "catalog/stars.h"
#include "chart/phase_icons.h"
#include "core/angle_text.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/planet_names.h"
#include "icon_probe.h"
#include "planet_page_fixture.h"
#include "ui/bitmaps.h"
#include "ui/font_set.h"
#include "ui/markers.h"

namespace {

constexpr int kPageFont = 2;
constexpr uint16_t kInk = 0;  // black by day
constexpr uint16_t kFigure = Word555(170, 170, 215);

// Right ascension 0 h is the right edge, 12 h the middle; the strip runs
// from 24 h at the left (x = floor((24 - hours) W / 24), worked by hand).
TEST(EclipticBandMapping, RightAscensionGrowsToTheLeft) {
    const struct {
        double hours;
        int width, x;
    } cases[] = {
        {0.0, 240, 240},    {12.0, 240, 120}, {6.0, 240, 180},   {18.0, 480, 120},
        {23.9999, 240, 0},  {0.0001, 240, 239}, {12.0, 320, 160}, {24.0, 240, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(EclipticBandX(c.hours, c.width), c.x) << c.hours << " " << c.width;
}

// The ecliptic's equatorial places: the equinoxes and solstices at 0, 6, 12
// and 18 h with the obliquity 23.43929 degrees; the Sun's apparent longitude
// 199.90895 degrees of Meeus, Astronomical Algorithms, example 25.a, gives
// 13h13m31.4s and -7 47' 06" there (with the apparent obliquity, 0.0007
// degree more, which moves them by less than 0.001 degree).
TEST(EclipticBandMapping, EclipticLongitudesToEquatorial) {
    const struct {
        double lambda, hours, degrees;
    } cases[] = {
        {0.0, 0.0, 0.0},
        {90.0, 6.0, 23.43929},
        {180.0, 12.0, 0.0},
        {270.0, 18.0, -23.43929},
        {199.90895, 13.0 + 13.0 / 60 + 31.4 / 3600, -(7.0 + 47.0 / 60 + 6.0 / 3600)},
    };
    for (const auto& c : cases) {
        double hours = -1, degrees = -99;
        EclipticLongitudeToEquatorial(c.lambda, &hours, &degrees);
        EXPECT_NEAR(std::fmod(hours - c.hours + 36.0, 24.0) - 12.0, 0.0, 0.0005) << c.lambda;
        EXPECT_NEAR(degrees, c.degrees, 0.002) << c.lambda;
    }
}

class EclipticBand : public PlanetPageFixture {
protected:
    void SetUp() override {
        PlanetPageFixture::SetUp();
        ResetStarCatalog();
        ResetConstellationData();
        ResetMoonIconState();
    }
    void TearDown() override {
        ResetStarCatalog();
        ResetConstellationData();
        PlanetPageFixture::TearDown();
    }
    void Draw(int width, int height, AssistantDate date) {
        Page(width, height);
        assistantDate = date;
        DrawEclipticBand();
    }
    bool TextShown(const char* text, int x, int y) const {
        const int previous = SelectFont(kPageFont);
        const TextInk ink = InkOf(text, kPageFont);
        SelectFont(previous);
        return TextAt(dib, ink, kInk, x, y);
    }
    static int TextWidth(const char* text) {
        const int previous = SelectFont(kPageFont);
        const int w = CharsWidth(text, static_cast<int>(std::strlen(text)));
        SelectFont(previous);
        return w;
    }
    static int LineHeight() {
        const int previous = SelectFont(kPageFont);
        const int h = CharsHeight();
        SelectFont(previous);
        return h;
    }
    // Where the small icon of `body` shows in the band.
    std::vector<std::pair<int, int>> BodyIcon(int body, int width) const {
        const auto ink = InkOfIcon([body](int x, int y) { DrawSmallIcon(body, 0, x, y); });
        return FindIcon(dib, ink, XywhRect{0, 24, width + 1, 90});
    }
};

// "24h", "18h", "12h" and "6h" right of their ticks along the band's bottom,
// "0h" against the right edge, on both widths.
TEST_F(EclipticBand, HourLabelsAlongTheBottomEdge) {
    for (int width : {240, 480}) {
        Draw(width, 320, AssistantDate{2024, 3, 5, 21, 10});
        const int top = 24 + 90 - LineHeight();
        const struct {
            const char* text;
            int x;
        } labels[] = {{"24h", 2}, {"18h", width / 4 + 2}, {"12h", width / 2 + 2}, {"6h", 3 * width / 4 + 2},
                      {"0h", width - 3 - TextWidth("0h")}};
        for (const auto& l : labels) EXPECT_TRUE(TextShown(l.text, l.x, top)) << width << " " << l.text;
        EXPECT_TRUE(TextShown("-20\xB0", 1, 69 + 20 + 1)) << width;
    }
}

// The Sun on the band an hour after the March equinox (2024-03-20 03:06 UT,
// USNO; right ascension 0h00m09s) sits on the right edge and on the equator;
// at the December solstice (2024-12-21 09:20 UT) a quarter of the width from
// the left, 23.44 degrees south.
TEST_F(EclipticBand, SunAtTheEquinoxAndTheSolstice) {
    const struct {
        AssistantDate date;
        int width, x, y;
    } cases[] = {
        {{2024, 3, 20, 4, 6}, 240, 239, 69},
        {{2024, 3, 20, 4, 6}, 480, 479, 69},
        {{2024, 12, 21, 9, 20}, 240, 60, 69 + 23},
        {{2024, 12, 21, 9, 20}, 480, 120, 69 + 23},
    };
    for (const auto& c : cases) {
        Draw(c.width, 320, c.date);
        const auto found = BodyIcon(0, c.width);
        ASSERT_EQ(found.size(), 1u) << c.width << " " << c.date.month;
        EXPECT_LE(std::abs(found[0].first - c.x), 1) << c.width << " " << c.date.month;
        EXPECT_LE(std::abs(found[0].second - c.y), 1) << c.width << " " << c.date.month;
    }
}

// At the total solar eclipse of 2024-04-08 (greatest eclipse 18:17 UT, NASA)
// the Moon covers the Sun on the band: its phase picture, drawn last, shows
// whole over the Sun's icon.
TEST_F(EclipticBand, TheMoonIsDrawnLastAsItsPhasePicture) {
    const AssistantDate date{2024, 4, 8, 18, 17};
    Draw(240, 320, date);
    BodyPosition moon{};
    ComputeBody(&moon, 1, date.year, date.month, date.day, date.hour, date.minute, 0);
    const int x = EclipticBandX(moon.ra, 240), y = 69 - static_cast<int>(moon.dec);
    const int icon = ComputeMoonIconState(date.year, date.month, date.day, date.hour);
    ASSERT_NE(icon, 0);
    const auto ink = InkOfIcon([icon](int cx, int cy) { DrawBitmapMasked(icon, cx - 7, cy - 7); });
    EXPECT_TRUE(IconAt(dib, ink, x, y));
    EXPECT_TRUE(BodyIcon(0, 240).empty());  // the Sun's icon is covered
}

// Legend: the name of body i at x = 25 in rows 18 apart from 5 under the band
// (119); on a screen not taller than 240 the Jupiter to Pluto rows go into a
// second column 90 to the right and no table is drawn, on a taller one each
// row has its right ascension ending at 140 and its declination at 210.
TEST_F(EclipticBand, LegendWrapsOnALowScreenAndTheTableStandsBesideItOnATallOne) {
    const AssistantDate date{2024, 3, 5, 21, 10};
    BodyPosition sun{};
    ComputeBody(&sun, 0, date.year, date.month, date.day, date.hour, date.minute, 0);
    char ra[32], dec[32];
    HMSToStr(ra, sizeof ra, sun.ra);
    DegToStr(dec, sizeof dec, sun.dec);
    const struct {
        int width, height;
        bool wrapped;
    } cases[] = {{320, 240, true}, {240, 320, false}, {480, 640, false}};
    for (const auto& c : cases) {
        Draw(c.width, c.height, date);
        for (int i = 0; i < 10; ++i) {
            const int column = c.wrapped && i >= 5 ? 90 : 0, row = c.wrapped && i >= 5 ? i - 5 : i;
            EXPECT_TRUE(TextShown(planetNameTable[i], column + 25, 119 + 18 * row)) << c.height << " " << i;
        }
        EXPECT_EQ(TextShown(ra, 140 - TextWidth(ra), 119), !c.wrapped) << c.height;
        EXPECT_EQ(TextShown(dec, 210 - TextWidth(dec), 119), !c.wrapped) << c.height;
        EXPECT_EQ(chartRect.height, c.height - 24 - (c.wrapped ? 0 : 14)) << c.height;
    }
}

// Figure lines of stars within 40 degrees of the equator are drawn, with no
// line across 0 h and none to a star farther north than 40 degrees.
TEST_F(EclipticBand, FigureLinesSkipZeroHoursAndHighStars) {
    std::vector<record_writer::Bytes> lines;
    for (auto [a, b] : {std::pair{1, 2}, {3, 4}, {5, 6}})
        lines.push_back(record_writer::ConstellationLineBytes(0, 0, static_cast<int16_t>(a), static_cast<int16_t>(b)));
    const record_writer::Bytes file = record_writer::RecordDbBytes(1, 8, lines);
    std::filesystem::create_directories(folder.path() / "data");
    std::ofstream(folder.path() / "data" / "zendavori_constellation.ppc", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    LoadStarCatalog(0);  // no star file: the table stays as set below
    const auto place = [](int i, double hours, double degrees) {
        brightStarTable[i].rightAscension = static_cast<int32_t>(hours * 4392264.877774095);
        brightStarTable[i].declination = static_cast<int32_t>(degrees * 292817.65851827303);
        brightStarTable[i].magnitude16 = 5 * 16;
    };
    place(1, 23.5, 32), place(2, 0.5, 34);  // across 0 h
    place(3, 8.0, 10), place(4, 9.0, 16);   // drawn
    place(5, 14.0, 50), place(6, 15.0, 30); // one star beyond 40 degrees
    Draw(240, 320, AssistantDate{2024, 3, 5, 21, 10});
    const auto figurePixels = [this](int x0, int x1, int y0, int y1) {
        return CountIn(XywhRect{x0, y0, x1 - x0, y1 - y0}, kFigure);
    };
    EXPECT_GT(figurePixels(152, 159, 53, 60), 0);    // 8 h .. 9 h: x 160 .. 150, y 59 .. 53
    EXPECT_EQ(figurePixels(15, 225, 34, 38), 0);     // 23.5 h .. 0.5 h would cross the band
    EXPECT_EQ(figurePixels(91, 99, 18, 40), 0);      // 14 h .. 15 h
}

}  // namespace
