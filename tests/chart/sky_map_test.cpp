// The sphere renderer's pictures drawn into 16-bit DIBs at 240 x 320 (96 dpi,
// GetScreenScale 2) and 480 x 640 (192 dpi, 4): what each view, zoom and
// option shows, the view record and the centre object, and the sizes of the
// overlays and outlines measured against places projected by the view.
#include "chart/sky_map.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

#include "catalog/constellation_lines.h"
#include "chart/chart_colours.h"
#include "chart/chart_state.h"
#include "overlay_test.h"
#include "platform/clock.h"

namespace {

using Triple = std::array<int32_t, 3>;
constexpr double kUnit = 16777216.0;

// Words of a bare picture: figure lines and every bright star, nothing else.
constexpr std::pair<int, int> kBare[] = {
    {kPrefHideGrid, 1}, {kPrefShowGrid, 0}, {kPrefConstLinesShown, 1}, {kPrefConstNames, 0}, {kPrefEcliptic, 0},
    {kPrefCursor, 2}, {kPrefHideInfoBar, 1}, {kPrefHideCompass, 1}, {kPrefObjectNames, 0}, {kPrefTelrad, 0},
    {kPrefFovCcd, 0}, {kPrefFovEyepiece, 0}, {kPrefStarsLegend, 0}, {kPrefStarsSymbols, 0}, {kPrefMoreStars, 1},
    {kPrefStars, 0}, {kPrefCardCatalog, 0}, {kPrefObjDrilldown, 0}, {kPrefChartBackground, 0}};

Triple RaDec(double hours, double degrees) {
    Triple t;
    ProjectRaDecToChart(FixHours(hours), FixDegrees(degrees), &t[0], &t[1], &t[2]);
    return t;
}

// (-cos h sin A, cos h cos A, sin h) of the horizontal frame.
Triple AltAz(double azimuth, double altitude) {
    double a = azimuth * kRad, h = altitude * kRad;
    return {static_cast<int32_t>(-std::cos(h) * std::sin(a) * kUnit),
            static_cast<int32_t>(std::cos(h) * std::cos(a) * kUnit), static_cast<int32_t>(std::sin(h) * kUnit)};
}

SelectionEntry Entry(Triple t, int type = 16, int mag10 = 50, double hours = 0, double degrees = 0) {
    SelectionEntry e{};
    std::strcpy(e.name, "X");
    std::tie(e.number, e.objectType, e.source, e.mag10) = std::make_tuple(1, type, kSourceMessier, mag10);
    std::tie(e.chartX, e.chartY, e.chartZ) = std::tie(t[0], t[1], t[2]);
    std::tie(e.rightAscension, e.declination) = std::make_pair(hours, degrees);
    return e;
}

SelectionEntry Place(double hours, double degrees, int type = 16, int mag10 = 50) {
    return Entry(RaDec(hours, degrees), type, mag10, hours, degrees);
}

class SkyMapTest : public OverlayTest {
protected:
    void SetUp() override {
        OverlayTest::SetUp();
        pl::UseVirtualClock(pl::LocalTime{2026, 3, 5, 21, 10, 30});
        dateTimeFixed = 1;
        for (auto [word, value] : kBare) preferences.word[word] = value;
        Lines({});
    }
    void TearDown() override {
        FreeChartBitmaps();
        ResetConstellationData();
        ResetSkyMapView();
        ResetSkyRotation();
        pl::UseRealClock();
        OverlayTest::TearDown();
    }
    // Figure set 0: lines {first star, second star}.
    void Lines(std::initializer_list<std::pair<int16_t, int16_t>> lines) {
        std::vector<fixture::Bytes> records{fixture::ConstellationLineBytes(1, 0, 0, 0)};
        for (auto [a, b] : lines) records.push_back(fixture::ConstellationLineBytes(0, 0, a, b));
        folder.WriteDb("data\\zendavori_constellation.ppc", 1, 8, records);
        ResetConstellationData();
    }
    // Views 2 and 3 in the horizontal frame, 4 in the equatorial; every bright star on the far side.
    static void View(int view) {
        chartView = view;
        SetChartView(view != 4, 2026, 3, 5, 21, 10, 0, 1);
        for (int i = 0; i < kBrightStarCount; ++i) Star(i, {0, -(1 << 24), 0});
    }
    static void Star(int i, Triple t) {
        std::copy(t.begin(), t.end(), brightStarTable[i].chartWords);
        brightStarTable[i].magnitude16 = 16;
    }
    static void UseScreen(int size) {
        pl::SetScreenInfo(pl::ScreenInfo{240 * size, 320 * size, 96 * size});
        ResetScreenScale();
        displayScale = DisplayScale{1.0 * size, 1.0 * size};
    }
    // Pixels not background-black (or of chartColours entry `entry`) in the box w x h at (x, y).
    static int Lit(const DrawWindowRecord* r, int x, int y, int w, int h, int entry = -1) {
        const int colour = entry < 0 ? -1 : pl::ToPixel555(ChartColourRef(chartColours.entry[entry]));
        int n = 0;
        for (int v = std::max(0, y); v < std::min(r->bottom, y + h); ++v)
            for (int u = std::max(0, x); u < std::min(r->right, x + w); ++u)
                n += colour < 0 ? Pixel(r, u, v) != 0 : Pixel(r, u, v) == colour;
        return n;
    }
    DrawWindowRecord* Picture(SelectionEntry* objects, int count, int zoom, int full = 0, int size = 1) {
        DrawWindowRecord* r = Ground(240 * size, 320 * size);
        DrawSkyMap(objects, count, XywhRect{0, 0, 240 * size, 320 * size}, nullptr, zoom, 0, 0, full);
        return r;
    }
};

// Zoom 0 with an object limit of 5 (word 65 row 3): a lone object of
// magnitude 25 is drawn (threshold 5 x 100), one of two is not (5 x 10).
TEST_F(SkyMapTest, SingleObjectIsDrawnWhateverItsMagnitude) {
    View(4);
    preferences.word[kPrefObjectLimitFirst] = 3;
    SelectionEntry objects[2] = {Place(0.5, 10, 16, 250), Place(12, 0)};
    for (int count : {1, 2}) {
        DrawWindowRecord* r = Picture(objects, count, 0);
        int32_t x, y;
        ASSERT_TRUE(ProjectToSkyMap(FixHours(0.5), FixDegrees(10), &x, &y));
        EXPECT_EQ(objects[0].horizonHidden, count == 1 ? 0 : 1);
        EXPECT_EQ(Lit(r, x - 10, y - 10, 21, 21) > 0, count == 1) << count;
    }
}

// Visible Sky facing north at the horizon (below it: y > cy). The line from A
// (10° up) to B (10° down) is left out with B; the line from D, beyond the
// margin, to C (5° up) is drawn, though D is its first star; a star and an
// object exactly on the limb (depth 0) and an object below are not drawn.
TEST_F(SkyMapTest, VisibleSkyLeavesBelowHorizonOutAndDrawsEdgeLinesFromEitherEnd) {
    View(3);
    Lines({{1, 2}, {4, 3}});
    const Triple limb = AltAz(90, 0);
    Star(1, AltAz(0, 10)), Star(2, AltAz(5, -10)), Star(3, AltAz(10, 5)), Star(4, AltAz(80, 5)), Star(5, limb);
    ASSERT_EQ(limb[1], 0);
    SelectionEntry objects[2] = {Entry(AltAz(-5, -5)), Entry(AltAz(-90, 0))};
    DrawWindowRecord* r = Picture(objects, 2, 3);
    EXPECT_EQ(Lit(r, 0, 162, 240, 158), 0);
    const StarRecord* s = brightStarTable;
    EXPECT_EQ(std::make_tuple(s[2].hidden, s[4].hidden, s[5].hidden, objects[0].horizonHidden, objects[1].horizonHidden),
              std::make_tuple(1, 0, 1, 1, 1));
    EXPECT_GT(s[4].screenX, 270);
    EXPECT_EQ(Lit(r, 0, 0, 240, 320, 1), Lit(r, 0, s[3].screenY - 2, 240, 5, 1));  // only the line C-D,
    EXPECT_GE(Lit(r, 200, s[3].screenY - 2, 40, 5, 1), 35);                          // reaching the edge
}

// Grid (word 131 in a simple picture) below zoom 12 only; Telrad, sensor frame
// and eyepiece field (words 43..45) from zoom 5 only. Drawn apart, as the
// Telrad's cross covers the grid lines through the centre.
TEST_F(SkyMapTest, ZoomGatesGridAndOverlays) {
    View(4);
    std::tie(preferences.word[49], preferences.word[50], preferences.word[53]) = std::make_tuple(2220, 1480, 1000);
    folder.WriteDb("data\\zendavori_eyepiece.ppc", 1, 72, {fixture::EyepieceBytes("AB", "Wide", 25.0f, 52)});
    for (int zoom : {0, 1, 2, 3, 4, 5, 11, 12, 13})
        for (int overlays : {0, 1}) {
            for (int w : {kPrefTelrad, kPrefFovCcd, kPrefFovEyepiece, kPrefEyepiece, kPrefHideGrid})
                preferences.word[w] = overlays;
            preferences.word[kPrefShowGrid] = 1 - overlays;
            EXPECT_EQ(Lit(Picture(nullptr, 0, zoom), 0, 0, 240, 320, overlays ? 6 : 3) > 0, overlays ? zoom > 4 : zoom < 12)
                << zoom;
        }
}

// Drawn into a surface for rect (10, 30, 200, 200): the view's centre in
// window coordinates, the mark's corner 8 s up and left, and the row of the
// first object within 12 scaleX of the centre (entry 1; -1 once the near
// objects are too faint for zoom 5's limit 7, word 70 row 1).
TEST_F(SkyMapTest, SurfacePictureCentreCornerAndCentreObject) {
    View(4);
    preferences.word[kPrefObjectLimitFirst + 5] = 1;
    AllocSelectionList();
    for (int size : {1, 2})
        for (int mag10 : {50, 100}) {
            UseScreen(size);
            SelectionEntry* e = selectionList;
            e[0] = Place(0.5, 0), e[1] = Place(23.9, 0, 16, mag10), e[2] = Place(0, 1, 16, mag10);
            selectionCount = 3;
            selectionShownCount = FilterSelectionByClass(0, selectionList, 3);
            DrawWindowRecord* window = Ground(240, 320);
            EXPECT_EQ(DrawSkyMap(selectionList, 3, XywhRect{10, 30, 200, 200}, Dib(200, 200), 5, 0, 0, 0),
                      mag10 == 50 ? 1 : -1);
            const int s = 2 * size;
            EXPECT_EQ(std::make_tuple(skyMapView.centreX, skyMapView.centreY, skyMapView.markCornerX, skyMapView.markCornerY),
                      std::make_tuple(110, 130, 110 - 8 * s, 130 - 8 * s));
            EXPECT_EQ(Count(window, kGround), 240 * 320 - 200 * 200);  // copied into the rect only
            EXPECT_GT(Lit(window, 10, 30, 200, 200), 0);
        }
    FreeSelectionList();
}

// Word 123 = 0 in a simple picture below zoom 6: only the stars at the ends of
// lines are drawn (star 3 is on no line), and afterwards no bright star can be
// tapped; from zoom 6, with word 123 or in a full picture star 3 is drawn.
TEST_F(SkyMapTest, LineEndStarsOnlyAndNoneTappableInWideSimplePicture) {
    for (auto [zoom, moreStars, full, onlyEnds] : {std::tuple{5, 0, 0, true}, {6, 0, 0, false}, {5, 1, 0, false}, {5, 0, 1, false}}) {
        View(4);
        Lines({{1, 2}});
        Star(1, RaDec(0, 5)), Star(2, RaDec(23.8, -3)), Star(3, RaDec(0.3, -5));
        preferences.word[kPrefMoreStars] = moreStars;
        DrawWindowRecord* r = Picture(nullptr, 0, zoom, full);
        int32_t x, y, shown = 0;
        ASSERT_TRUE(ProjectToSkyMap(FixHours(0.3), FixDegrees(-5), &x, &y));
        EXPECT_EQ(Lit(r, x - 6, y - 6, 13, 13) == 0, onlyEnds) << zoom;
        ASSERT_TRUE(ProjectToSkyMap(0, FixDegrees(5), &x, &y));
        EXPECT_GT(Lit(r, x - 6, y - 6, 13, 13), 0) << zoom;
        for (int i = 0; i < kBrightStarCount; ++i) shown += brightStarTable[i].hidden != 1;
        EXPECT_EQ(shown, onlyEnds ? 0 : 3) << zoom;
    }
}

// A 30' x 10' object at the centre of an Equatorial Sky picture (zoom 9,
// orientation 0): its outline's farthest pixels lie along the position angle
// (0: up and down; 90: left and right, east being left; 45: up-left and
// down-right), 15' from the centre as the view projects a place 15' away.
TEST_F(SkyMapTest, EllipseFollowsPositionAngle) {
    View(4);
    preferences.word[kPrefZoomViewFirst + 9] = 0;
    const int red = pl::ToPixel555(ChartColourRef(chartColours.entry[6]));
    for (auto [angle, ex, ey] : {std::tuple{0, 0.0, 1.0}, {90, 1.0, 0.0}, {45, 0.7071, 0.7071}}) {
        SelectionEntry e = Place(0, 0, 14);
        std::tie(e.size1, e.size2, e.smallCode) = std::make_tuple(30, 10, angle);
        DrawWindowRecord* r = Picture(&e, 1, 9, 1);
        double far = 0, dx = 0, dy = 0;
        for (int v = 0; v < 320; ++v)
            for (int u = 0; u < 240; ++u)
                if (Pixel(r, u, v) == red && std::hypot(u - 120, v - 160) > far)
                    std::tie(far, dx, dy) = std::make_tuple(std::hypot(u - 120, v - 160), u - 120.0, v - 160.0);
        EXPECT_LE(std::abs(dx * ey - dy * ex), 1.5) << angle;  // off the axis
        int32_t x, y;
        ASSERT_TRUE(ProjectToSkyMap(0, FixDegrees(0.25), &x, &y));
        EXPECT_NEAR(far, 160 - y, 1.5) << angle;
    }
}

// The Telrad's 4° ring, the eyepiece's 46.99' field (52° at x 66.4) and the
// sensor's 76.31' x 50.88' frame (22.2 x 14.8 mm at 1000 mm) or 20.41° frame
// (36 mm at 100 mm, zoom 5) are drawn at their true angular size: each edge
// where the view projects a place half the size from the centre (±1 px).
TEST_F(SkyMapTest, OverlaysAtTrueAngularSize) {
    folder.WriteDb("data\\zendavori_eyepiece.ppc", 1, 72, {fixture::EyepieceBytes("AB", "Wide", 25.0f, 52)});
    std::tie(preferences.word[kPrefDiameter], preferences.word[kPrefFRatio], preferences.word[kPrefEyepiece]) =
        std::make_tuple(8, 6, 1);
    struct Case {
        int size, overlay, zoom, side, focal, dx, dy;  // side mm x 100; scan step (dx, dy) from the centre
        double hours, degrees;                       // the place at the edge
        bool outermost;                              // the last red pixel of the scan, else the first
    } cases[] = {
        {1, kPrefTelrad, 8, 0, 0, 0, -1, 0, 2, true},           {2, kPrefTelrad, 8, 0, 0, 0, -1, 0, 2, true},
        {1, kPrefFovEyepiece, 10, 0, 0, 0, -1, 0, 46.99 / 120, false},
        {1, kPrefFovCcd, 9, 2220, 1000, 1, 0, 24 - 76.31 / 1800, 0, false},
        {2, kPrefFovCcd, 9, 2220, 1000, 0, 1, 0, -50.88 / 120, false},
        {1, kPrefFovCcd, 5, 3600, 100, 1, 0, 24 - 20.408 / 30, 0, false},
    };
    for (const Case& c : cases) {
        View(4);
        UseScreen(c.size);
        preferences.word[c.overlay] = 1;
        std::tie(preferences.word[49], preferences.word[50], preferences.word[53]) = std::make_tuple(c.side, 1480, c.focal);
        DrawWindowRecord* r = Picture(nullptr, 0, c.zoom, 0, c.size);
        const int cx = 120 * c.size, cy = 160 * c.size, red = pl::ToPixel555(ChartColourRef(chartColours.entry[6]));
        int reach = 0;
        for (int k = 1; k < cy && (c.outermost || reach == 0); ++k)
            if (Pixel(r, cx + k * c.dx, cy + k * c.dy) == red) reach = k;
        int32_t x, y;
        ASSERT_TRUE(ProjectToSkyMap(FixHours(c.hours), FixDegrees(c.degrees), &x, &y));
        EXPECT_NEAR(reach, std::abs(x - cx) + std::abs(y - cy), 1) << c.overlay << " zoom " << c.zoom << " x" << c.size;
        preferences.word[c.overlay] = 0;
    }
}

// With "Alt/Az Grid" (word 126) the status reads the centre's azimuth and
// altitude: an Equatorial Sky picture centred on 5h30m, +20 reads as the Whole
// Sky picture centred on the same place (its frame angle and altitude), not
// 24 h - 5h30m as an azimuth.
TEST_F(SkyMapTest, AltAzStatusOfAnEquatorialPictureReadsTheHorizon) {
    preferences.word[kPrefAltAzGrid] = 1;
    preferences.word[kPrefHideInfoBar] = 0;
    DrawWindowRecord* pictures[2];
    for (int view : {4, 2}) {
        View(view);
        CentreChartOnRaDec(5.5, 20.0);
        float angle, elevation;
        GetChartCentre(&angle, &elevation, nullptr);
        pictures[view == 2] = Ground(240, 320);
        DrawSkyMap(nullptr, 0, XywhRect{0, 0, 240, 320}, nullptr, 5, angle, elevation, 0);
    }
    EXPECT_GT(Lit(pictures[0], 50, 308, 190, 12), 0);
    EXPECT_EQ(Differences(pictures[0], pictures[1]), 0);
}

}  // namespace
