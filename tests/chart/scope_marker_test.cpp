// The telescope on the sky chart in the running program (the sky of
// sky_chart_fixture.h): the blinking target mark without a telescope, the
// cross at the telescope's place of date turned back to J2000, the recentring
// at the edges, nothing below the horizon, a mount at rest, a mount that does
// not answer.
#include "chart/scope_marker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "catalog/designations.h"
#include "chart/save_under.h"
#include "chart/sphere_projection.h"
#include "objects/current_object.h"
#include "scope_chart_fixture.h"
#include "support/reference_table.h"
#include "support/serial_peer.h"
#include "ui/screen_layout.h"

namespace {

using namespace sky_chart_test;

constexpr int kCentreX = 120, kCentreY = 160;  // the chart's centre on the 240 x 320 screen
constexpr int kCursorBlinking = 1;

class ScopeMarker : public ScopeChartTest {
protected:
    // The list holds one entry at (azimuth, altitude), current and so in the
    // chart's centre, at zoom step `zoom`.
    void OpenOn(double azimuth, double altitude, int zoom) {
        const auto place = PlaceAt(azimuth, altitude);
        Put({Entry("Target", kDesignationNgc, 1, 2, place.first, place.second)}, 0);
        SetWord(kPrefChartZoom, zoom);
        Open();
    }
    int Draw(std::pair<double, double> place) {
        int result = -1;
        Ui([&] {
            InitDrawWindowOwnDc(GetCurrentFormDialog());
            result = DrawScopeMarker(static_cast<float>(place.first), static_cast<float>(place.second));
        });
        return result;
    }
    int Tick() { return Draw({0.0, 0.0}); }
    static void ExpectMarkerNear(int x, int y) {
        EXPECT_LE(std::abs(markerX - x), 1) << markerX << " " << x;
        EXPECT_LE(std::abs(markerY - y), 1) << markerY << " " << y;
    }
    // Pixels of the 32-pixel target mark's left half, in the mark's colour
    // (the name stands to its right). In the sphere views the mark stands 8
    // GetScreenScale right of and below the corner the renderer keeps.
    int MarkPixels() const {
        const uint32_t ink = Background() == 0 ? 0xF80000 : 0;
        const int s = GetScreenScale();
        const int x = chartView < 2 ? kCentreX : skyMapView.markCornerX + 8 * s;
        const int y = chartView < 2 ? kCentreY : skyMapView.markCornerY + 8 * s;
        return Count(x - 16, y - 16, x, y + 16, ink);
    }
    // Pixels of the square of half-side 8 about (x, y) that differ between two pictures of it.
    static int Changed(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        int n = 0;
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
        return n;
    }
};

// Cursor "Blinking" without a telescope: the target mark at the centre as the
// chart opened it stays on the first tick, is erased on the second, drawn on
// the third, and so on; the timer runs at 1000 ms. The same in the Sky Map and
// in the Equatorial Sky, whose picture the sphere renderer draws. (The
// erasing puts back the picture saved under the mark and the selection's
// name.)
TEST_F(ScopeMarker, TheTargetMarkBlinksAtTheCentre) {
    Start();
    SetWord(kPrefCursor, kCursorBlinking);
    for (int view : {0, 4}) {
        SCOPED_TRACE(view);
        SetWord(kPrefChartType, view);
        Ui([] { blinkPhase = 0; });
        OpenOn(180, 60, 5);
        ASSERT_EQ(chartTimerPeriodMs, 1000u);
        const int drawn = MarkPixels();
        EXPECT_GE(drawn, 8);
        std::vector<int> ticks;
        for (int i = 0; i < 5; ++i) {
            harness.advance(1000);
            ticks.push_back(MarkPixels());
        }
        const int erased = ticks[1];
        EXPECT_LT(erased, drawn / 2);
        EXPECT_EQ(ticks, (std::vector<int>{drawn, erased, drawn, erased, drawn}));
    }
}

// A pick drawn in place with the distance display on: its mark, caption and
// distance text stay over the following ticks, and no mark is drawn at the
// centre the pick left.
TEST_F(ScopeMarker, APicksDistanceTextOutlastsTheTicks) {
    Start();
    SetWord(kPrefCursor, kCursorBlinking);
    OpenOnCentreAnd(PlaceAt(180, 60), "Side", PlaceAt(140, 65), 5);
    FormCommand(kChartDistance);
    ASSERT_EQ(chartDistanceDisplay, 1);
    const int x = selectionList[1].screenX, y = selectionList[1].screenY;
    harness.tap(x, y);
    ASSERT_EQ(std::string(chartSelection.name), "Side");
    ASSERT_EQ(blinkPhase, -3);
    const auto picked = ScreenSample(2);
    for (int tick = 0; tick < 5; ++tick) {
        harness.advance(1000);
        EXPECT_EQ(ScreenSample(2), picked) << tick;
    }
}

// A place of date handed over is turned back to J2000 before it is drawn: at
// zoom 8 (10 deg) the 17' of precession since 2000 are 7 pixels, yet the
// cross (four arms of 7 pixels at scale 1) lands on the entry drawn at that
// J2000 place, the status lines give the telescope's place (the current
// object at it, type 0) and no list row is current. The J2000 place itself,
// taken for one of date, lands beside it; a cross that moves on leaves the
// picture as it was.
TEST_F(ScopeMarker, ThePlaceOfDateIsDrawnOnItsJ2000Place) {
    Start();
    const auto centre = PlaceAt(200, 55), target = PlaceAt(203, 56);
    OpenOnCentreAnd(centre, "Target", target, 8);
    Drive();
    Ui([] { scopeConnected = 1; });
    const int x = selectionList[1].screenX, y = selectionList[1].screenY;
    ASSERT_GT(std::abs(x - kCentreX) + std::abs(y - kCentreY), 30);
    const auto before = Patch(x, y, 8);
    EXPECT_EQ(Draw(OfDate(target)), 1);
    ExpectMarkerNear(x, y);
    EXPECT_GE(Changed(before, Patch(x, y, 8)), 20);
    EXPECT_EQ(selectionCurrentRow, -1);
    EXPECT_EQ(currentObject.objectType, 0u);
    EXPECT_LT(SeparationArcsec(currentObject.rightAscension, currentObject.declination, target.first, target.second),
              2.0);
    EXPECT_EQ(Draw({target.first, target.second}), 1);
    EXPECT_GE(std::hypot(markerX - x, markerY - y), 5.0);
    EXPECT_EQ(Draw(OfDate(centre)), 1);
    EXPECT_EQ(Patch(x, y, 8), before);  // the crosses drawn there erased
}

// Within 20 pixels of an edge the chart is centred on the telescope: the
// selection a sky point at its J2000 place, no row; the next drawing puts the
// cross in the middle. Below the horizon nothing is drawn.
TEST_F(ScopeMarker, TheChartFollowsTheTelescopeAndIgnoresItBelowTheHorizon) {
    Start();
    OpenOn(180, 60, 5);
    Drive();
    Ui([] { scopeConnected = 1; });
    const auto before = ScreenSample(3);
    EXPECT_EQ(Draw(OfDate(PlaceAt(0, -10))), 0);
    EXPECT_EQ(ScreenSample(3), before);
    const auto nearEdge = PlaceAt(180, 15);  // 45 deg below the centre, off the 45 deg chart
    EXPECT_EQ(Draw(OfDate(nearEdge)), 1);
    EXPECT_LT(SeparationArcsec(chartSelection.rightAscension, chartSelection.declination, nearEdge.first,
                               nearEdge.second),
              2.0);
    EXPECT_EQ(chartSelection.objectType, 0u);
    EXPECT_EQ(selectionCurrentRow, -1);
    EXPECT_EQ(Draw(OfDate(nearEdge)), 1);
    ExpectMarkerNear(kCentreX, kCentreY);
}

// The sphere views: in the Equatorial Sky the cross lands on an entry drawn at
// the J2000 place of the telescope's place of date, with the place in the
// status lines; a telescope on the far side of the sphere centres the view
// on it (the frame angle of the equatorial view is the right ascension) and
// the next drawing puts the cross in the middle. Choosing a zoom erases the
// cross and lets its box go.
TEST_F(ScopeMarker, SphereViewsShowOrFollowTheTelescope) {
    Start();
    SetWord(kPrefChartType, 4);
    Put({Entry("Centre", kDesignationNgc, 1, 2, 6.0f, 20.0f), Entry("Near", kDesignationNgc, 2, 2, 6.3f, 25.0f)}, 0);
    SetWord(kPrefChartZoom, 5);
    Open();
    Drive();
    Ui([] { scopeConnected = 1; });
    const XywhRect view = chartRecord.viewRect;
    const int x = selectionList[1].screenX + view.x, y = selectionList[1].screenY + view.y;
    EXPECT_EQ(Draw(OfDate({6.3f, 25.0f})), 1);
    ExpectMarkerNear(x, y);

    EXPECT_EQ(Draw(OfDate({18.0f, -30.0f})), 1);
    EXPECT_NEAR(chartRecord.centreLongitude, 270.0, 0.01);
    EXPECT_NEAR(chartRecord.centreLatitude, -30.0, 0.01);
    EXPECT_EQ(selectionCurrentRow, -1);
    EXPECT_EQ(Draw(OfDate({18.0f, -30.0f})), 1);
    ExpectMarkerNear(view.x + view.width / 2, view.y + view.height / 2);
    ASSERT_NE(chartMarkerBox.bitmap, nullptr);
    Zoom(6);
    EXPECT_EQ(chartMarkerBox.bitmap, nullptr);
}

// The timer's reading of a mount at rest is drawn once; later ticks give 0
// until the chart is drawn again.
TEST_F(ScopeMarker, AMountAtRestIsDrawnOnceUntilTheNextRedraw) {
    Start();
    OpenOn(180, 60, 5);
    Drive();
    MountAt(OfDate(PlaceAt(170, 62)));
    Ui([] { scopeConnected = 1; });
    EXPECT_EQ(Tick(), 1);
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(Tick(), 0);
    Redraw();
    EXPECT_EQ(Tick(), 1);
    EXPECT_EQ(Tick(), 0);
}

// A goto to NGC 224 (J2000 00h42m44.3s +41d16'09") sends the mount to its
// topocentric refracted place of date, about 17' from the catalogue place in
// 2024 (precession 15' in RA and 8' in Dec over 24.2 years, Meeus, eq. 21.1);
// when the mount has arrived the cross sits on the galaxy at zoom 7 (20 deg),
// where 17' are 3 pixels.
TEST_F(ScopeMarker, AfterAGotoTheCrossSitsOnTheGalaxy) {
    Start();
    const float ra = 0.0f + 42.0f / 60.0f + 44.3f / 3600.0f, dec = 41.0f + 16.0f / 60.0f + 9.0f / 3600.0f;
    SelectionEntry m31 = Entry("Andromeda Gx", kDesignationNgc, 224, 5, ra, dec);
    Put({m31}, 0);
    SetWord(kPrefChartZoom, 7);
    Open();
    Drive();
    Ui([] { scopeActive = 1; });  // the scope form already stands over the chart: the chart stays
    FormCommand(kChartGoto);
    ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
    const auto rest = MountAtRest();
    const double arcmin = SeparationArcsec(rest.first, rest.second, ra, dec) / 60.0;
    EXPECT_GT(arcmin, 15.0);
    EXPECT_LT(arcmin, 20.0);
    Ui([] { scopeConnected = 1; });
    EXPECT_EQ(Tick(), 1);
    ExpectMarkerNear(selectionList[0].screenX, selectionList[0].screenY);
}

// A mount that does not answer: the tick's read fails with the driver's
// message, then "fail scope" (once, though the timer ran on under the
// boxes); the chart is as it was, the telescope counts as gone, timer 1 runs
// by the rule without one (1000 ms with a blinking cursor), and the next tick
// blinks the target mark instead.
TEST_F(ScopeMarker, ASilentMountEndsTheTelescopesMarker) {
    Start();
    SerialPeer peer(1);
    SetWord(kPrefCursor, kCursorBlinking);
    OpenOn(180, 60, 5);
    Drive(kMeadeLx200Gps, false);
    Ui([] {
        scopeConnected = 1;
        RunChartTimer(250);  // as the marker mode runs it
    });
    const int phase = blinkPhase;
    const auto before = ScreenSample(3);
    harness.advance(1000);
    EXPECT_EQ(TakeBox(), "Fail to open Meade connection\n");
    EXPECT_EQ(TakeBox(), "fail scope\n");
    EXPECT_EQ(TakeBox(), "");
    EXPECT_EQ(ScreenSample(3), before);  // the boxes leave no trace
    EXPECT_EQ(scopeConnected, 0);
    EXPECT_EQ(chartTimerPeriodMs, 1000u);
    EXPECT_EQ(blinkPhase, phase);
    harness.advance(1000);
    EXPECT_EQ(blinkPhase, phase + 1);
    EXPECT_EQ(TakeBox(), "");
}

}  // namespace
