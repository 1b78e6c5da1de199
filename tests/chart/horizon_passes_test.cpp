// The horizon chart's passes drawn into 16-bit DIBs: the Horizon View's scale,
// the below-horizon marking, the figures and names, the bright stars, the drag.
#include "chart/horizon_passes.h"

#include <gtest/gtest.h>

#include <vector>

#include "catalog/constellation_lines.h"
#include "catalog/designations.h"
#include "core/julian_day.h"
#include "ephemeris/apparent_altaz.h"
#include "overlay_test.h"

namespace {

constexpr pl::ColorRef kLine = pl::Rgb(255, 0, 255), kCardinal = pl::Rgb(0, 255, 0), kLabel = pl::Rgb(0, 255, 255);

class HorizonPassesTest : public OverlayTest {
protected:
    void SetUp() override {
        OverlayTest::SetUp();
        SetTextTransparent(true);
    }
    // Every pixel of `colour` in `expected` has it in `actual` too, and there is one.
    static bool Holds(const DrawWindowRecord* actual, const DrawWindowRecord* expected, pl::ColorRef colour) {
        int n = 0;
        for (int y = 0; y < expected->bottom; ++y)
            for (int x = 0; x < expected->right; ++x) {
                if (Pixel(expected, x, y) != pl::ToPixel555(colour)) continue;
                if (Pixel(actual, x, y) != pl::ToPixel555(colour)) return false;
                ++n;
            }
        return n > 0;
    }
    DrawWindowRecord* Scale(double pxPerDeg, int x0, int horizonY) {
        DrawWindowRecord* r = Ground(240, 320);
        DrawHorizonScale(0, kLine, kCardinal, kLabel, static_cast<int32_t>(pxPerDeg * 65536), x0, horizonY);
        return r;
    }
};

// Tick spacing = step x px per degree, the step by k = trunc(0.2 x 240 / px
// per degree): k < 3 gives 1, < 11 5, < 21 10, < 31 20, else 30.
TEST_F(HorizonPassesTest, ScaleStepsFollowTheDegreesOnScreen) {
    for (const auto& c : {std::array{20, 20}, {8, 40}, {3, 30}, {2, 40}, {1, 30}}) {
        DrawWindowRecord* r = Scale(c[0], 120, 300);
        std::vector<int> ticks;
        for (int x = 0; x < 240; ++x)
            if (Pixel(r, x, 33) == pl::ToPixel555(kLine)) ticks.push_back(x);
        ASSERT_GE(ticks.size(), 2u) << c[0];
        EXPECT_NEAR(ticks[1] - ticks[0], c[1], 1) << c[0];
    }
}

// At 3 px/deg with azimuth 0 at x = 60 the first tick is -15 (x = 15), read
// 345°. At 8 px/deg from azimuth 25 the tick of 45 (x = 160) carries "NE"
// 11 px to its left, the tick of 50 (x = 200) none: "NE" stood at 50, 5
// degrees from the direction it names. At 3 px/deg from azimuth 0 (ticks
// every 10 degrees from 0) "NE" stands at 45 (x = 135) with no tick there; it
// was left out. At 8 px/deg (step 5) the 5° line on y = 18 is left out, on
// y = 19 drawn. Hide Grid draws nothing.
TEST_F(HorizonPassesTest, ScaleLabelsLettersAndAltitudeLines) {
    EXPECT_TRUE(Holds(Scale(3, 60, 300), Texts({{"345\xB0", {17, 21}}}, kLabel, 0, true), kLabel));
    DrawWindowRecord* r = Scale(8, -200, 300);
    EXPECT_TRUE(Holds(r, Texts({{"NE", {149, 21}}}, kCardinal, 5), kCardinal));
    EXPECT_EQ(CountIn(r, kCardinal, 180, 21, 30, 20), 0);
    EXPECT_TRUE(Holds(Scale(3, 0, 300), Texts({{"NE", {124, 21}}}, kCardinal, 5), kCardinal));
    r = Scale(8, 120, 58);
    EXPECT_EQ(std::make_pair(CountIn(r, kLine, 0, 18, 240, 1), CountIn(r, kLine, 0, 58, 240, 1)), std::make_pair(0, 240));
    EXPECT_EQ(CountIn(Scale(8, 120, 59), kLine, 0, 19, 240, 1), 240);
    preferences.word[kPrefHideGrid] = 1;
    EXPECT_EQ(Count(Scale(8, 120, 59), kGround), 240 * 320);
}

// Letters at azimuths below 0 and past a full turn, whose ticks read 0..359:
// at 3 px/deg from azimuth -66 (x0 = 200) "NW" at -45 (x = 65) and "N" at 0
// (x = 200); from azimuth 333 (x0 = -1000) "N" at 360 (x = 80) and "NE" at 405
// (x = 215), each 5 or 11 px left of its place. "NW" at -45 and "NE" at 405
// were left out.
TEST_F(HorizonPassesTest, LettersBeforeZeroAndPastATurnWereLeftOut) {
    const struct {
        int x0;
        const char* letter;
        int x;
    } cases[] = {{200, "NW", 54}, {200, "N", 195}, {-1000, "N", 75}, {-1000, "NE", 204}};
    for (const auto& c : cases)
        EXPECT_TRUE(Holds(Scale(3, c.x0, 300), Texts({{c.letter, {c.x, 21}}}, kCardinal, 5), kCardinal))
            << c.x0 << " " << c.letter;
}

// 250 entries: busy steps before entries 0, 100, 200 and stars 0 .. 1600;
// the done flags make a second call a no-op. At latitude 51 the pole is up,
// dec -80 down. A planet's place of date (ConvertJ2000ToDate) is drawn on
// the J2000 place of a star: within 340 units (4") instead of 0.36°.
TEST_F(HorizonPassesTest, MarkingRunsOncePerChangeInJ2000) {
    std::vector<SelectionEntry> entries(250);
    entries[0].declination = 90;
    entries[1].declination = -80;
    entries[2].designation = kDesignationPlanet;
    entries[3].rightAscension = 5;
    entries[3].declination = 20;
    currentDateTime = DateTime{2026, 3, 5, 21, 10, 30};
    double ra = 5, dec = 20;
    ConvertJ2000ToDate(JulianDayFromDateTime(2026, 3, 5, 21, 10, 30, 0), &ra, &dec);
    entries[2].rightAscension = static_cast<float>(ra);
    entries[2].declination = static_cast<float>(dec);
    selectionList = entries.data();
    selectionCount = 250;
    int objectsDone = 0, starsDone = 0, dirty = 1;
    for (int pass = 0; pass < 2; ++pass) {
        MarkHiddenBelowHorizon(6.0f, &objectsDone, &starsDone, &dirty);
        EXPECT_EQ(std::make_tuple(services.busySteps, objectsDone, starsDone, dirty), std::make_tuple(20, 1, 1, 0));
    }
    EXPECT_EQ(std::make_tuple(entries[0].horizonHidden, entries[1].horizonHidden), std::make_tuple(0, 1));
    EXPECT_NEAR(entries[2].chartX, entries[3].chartX, 340);
    EXPECT_NEAR(entries[2].chartY, entries[3].chartY, 340);
}

TEST_F(HorizonPassesTest, DragShiftsOnlyShownStars) {
    Star(0, 10, 20);
    Star(1, 30, 40);
    brightStarTable[1].hidden = 1;
    ShiftBrightStarPositions(5, -3, 1);
    EXPECT_EQ(std::make_tuple(brightStarTable[0].screenX, brightStarTable[0].screenY, brightStarTable[1].screenY),
              std::make_tuple(15, 17, 40));
    ShiftBrightStarPositions(5, -3, 0);  // (u, v) = (0, 0) is the chart origin
    EXPECT_EQ(std::make_tuple(brightStarTable[0].screenX, brightStarTable[0].screenY, brightStarTable[1].screenX),
              std::make_tuple(120, 160, 30));
}

// Horizon View at zoom 8 (33.6 px/deg, centre azimuth 180): a 5° line (168
// px) is drawn; one from azimuth 359 to 1 crosses the seam and is not, nor
// one whose end star is hidden.
TEST_F(HorizonPassesTest, FiguresSkipHiddenEndsAndTheSeam) {
    folder.WriteDb("data\\zendavori_constellation.ppc", 1, 8,
                   {fixture::ConstellationLineBytes(0, 0, 1, 2), fixture::ConstellationLineBytes(0, 0, 3, 4),
                    fixture::ConstellationLineBytes(0, 0, 5, 6)});
    LoadConstellationData(0);
    chartView = 1;
    chartRecord.xScale = -static_cast<int32_t>(33.6 * 65536);
    const int p179 = static_cast<int>(179 * 33.6);
    for (const auto& s : {std::array{1, 20, 100}, {2, 188, 100}, {3, 120 + p179, 150}, {4, 120 - p179, 150},
                          {5, 20, 200}, {6, 188, 200}})
        Star(s[0], s[1], s[2]);
    brightStarTable[6].hidden = 1;
    preferences.word[kPrefConstLinesShown] = 1;
    DrawWindowRecord* r = Ground(240, 320);
    DrawConstellationFiguresHorizon(0, kLabel, kLine, pl::Rect{0, 21, 240, 320}, 0, 8);
    EXPECT_GE(CountIn(r, kLine, 20, 100, 169, 1), 168);
    EXPECT_EQ(CountIn(r, kLine, 0, 150, 240, 1) + CountIn(r, kLine, 0, 200, 240, 1), 0);
}

// Vulpecula (row 88, 20.284 h, +24.86°) on the meridian: its label at its
// projected point (within a pixel: the pass's sidereal time is a float) at 96
// dpi; no names at all at 72 dpi (scale 1).
TEST_F(HorizonPassesTest, NamesFromScaleTwoVulpeculaIncluded) {
    preferences.word[kPrefConstNames] = 1;
    preferences.word[kPrefFontSize] = 0;
    chartRecord.xScale = chartRecord.yScale = 65536 * 4;
    int32_t a, b, x, y;
    ASSERT_TRUE(ProjectHourAngleToHorizon(FixHours(20.284), FixHours(20.284), FixDegrees(24.86), &a, &b));
    HorizonPointToScreen(a, b, &x, &y);
    DrawWindowRecord* r = Ground(240, 320);
    DrawConstellationFiguresHorizon(20.284f, kLabel, kLine, pl::Rect{0, 21, 240, 320}, 1, 8);
    bool labelled = false;
    for (int dx = -1; dx <= 1; ++dx) labelled = labelled || Holds(r, Texts({{"Vul", {x + dx, y}}}, kLabel, 0, true), kLabel);
    EXPECT_TRUE(labelled);
    UseScreenDpi(72);
    r = Ground(240, 320);
    DrawConstellationFiguresHorizon(20.284f, kLabel, kLine, pl::Rect{0, 21, 240, 320}, 1, 8);
    EXPECT_EQ(CountIn(r, kLabel, 0, 0, 240, 320), 0);
}

// A magnitude-6 star against a limit of 4 is drawn from zoom 2 only; gamma
// shows from zoom 6, alpha from zoom 5; the Flamsteed number from zoom 7
// with "Stars Symbols" (word 120) only, the letters at 7 without it.
TEST_F(HorizonPassesTest, BrightStarsLimitLettersAndNumbers) {
    struct Case {
        int zoom, symbols;
        bool faint, gamma, alpha, flamsteed;
    } cases[] = {{1, 1, false, false, false, false}, {2, 1, true, false, false, false},
                 {5, 1, true, false, true, false},   {6, 1, true, true, true, false},
                 {7, 1, true, true, true, true},     {7, 0, true, true, true, false}};
    for (const Case& c : cases) {
        preferences.word[kPrefStarsSymbols] = c.symbols;
        Star(0, 40, 40, 6);
        Star(1, 100, 100, 1, 'c');
        Star(2, 160, 100, 1, 'a');
        Star(3, 100, 200, 1, 0, 61);
        DrawWindowRecord* r = Ground(240, 320);
        SetTextColorRef(kLabel);
        DrawBrightStarsHorizon(c.zoom, 4, 0, 239, 0, 319);
        EXPECT_EQ(CountIn(r, 0, 34, 34, 13, 13, true) > 0, c.faint) << c.zoom;
        EXPECT_EQ(CountIn(r, kLabel, 84, 90, 10, 16) > 0, c.gamma) << c.zoom;
        EXPECT_EQ(CountIn(r, kLabel, 144, 90, 10, 16) > 0, c.alpha) << c.zoom;
        EXPECT_EQ(CountIn(r, kLabel, 104, 200, 20, 14) > 0, c.flamsteed) << c.zoom << " " << c.symbols;
    }
}

}  // namespace
