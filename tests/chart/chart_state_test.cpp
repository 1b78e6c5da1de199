// The chart state and its reference curves: zoom steps and their tables, the
// popup rows, the save-under boxes, closing the chart and centring it; the Sky
// Map's grids and compass letters, the horizon views' ecliptic and the sphere
// views' grid, horizon ring and ecliptic, drawn into 16-bit DIBs.
#include "chart/chart_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/selection_list.h"
#include "chart/chart_colours.h"
#include "chart/chart_marks.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_symbols.h"
#include "chart/chart_zoom.h"
#include "chart/horizon_curves.h"
#include "chart/save_under.h"
#include "chart/sphere_curves.h"
#include "chart_test.h"
#include "platform/fonts.h"
#include "projection_test.h"
#include "scope/scope_dispatch.h"
#include "support/recording_services.h"
#include "support/scope_fixture.h"
#include "support/scripted_serial.h"
#include "support/temp_program_folder.h"
#include "ui/colors.h"
#include "ui/offscreen.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr pl::ColorRef kGrid = pl::Rgb(102, 102, 102), kZero = pl::Rgb(255, 0, 0), kText = pl::Rgb(0, 255, 255);

class ChartStateTest : public ChartDrawTest {
protected:
    void SetUp() override {
        ChartDrawTest::SetUp();
        ResetWithDefaults();
        ResetChartState();
        ResetSkyRotation();
        ResetChartColours();
        AllocChartScreenLists();
        SetTextTransparent(true);
        pl::ResetFontResources();
        InstallSymbolFont(folder.path());
    }
    void TearDown() override {
        ResetChartState();
        FreeChartScreenLists();
        SetTextTransparent(false);
        ChartDrawTest::TearDown();
        pl::ResetFontResources();
    }
    // A ground-coloured DIB made the draw window, with kText as text colour.
    DrawWindowRecord* Canvas(int width = 240, int height = 320) {
        DrawWindowRecord* r = Ground(width, height);
        SetTextColorRef(kText);
        return r;
    }
    // A DIB whose pixels differ from their neighbours, made the draw window.
    DrawWindowRecord* Pattern() {
        DrawWindowRecord* r = DibWindow(240, 320);
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 240; ++x) SetPixel(r, x, y, static_cast<uint16_t>((x * 7 + y * 131) & 0x7FFF));
        return r;
    }
    static void UseHorizonChart(double latitude, int rotation, int32_t kx, int32_t ky, int view, int cx, int cy) {
        SetTestSite(latitude, 0.0, 0);
        chartView = view;
        chartState.originX = cx;
        chartState.originY = cy;
        chartRecord.xScale = kx;
        chartRecord.yScale = ky;
        chartTimeRecord.chartRotation = rotation;
        SetHorizonRotation(rotation);
    }
    // Pixels of `colour` in the box w x h at (x, y).
    static int CountIn(const DrawWindowRecord* r, pl::ColorRef colour, int x, int y, int w, int h) {
        int n = 0;
        for (int v = std::max(0, y); v < std::min(r->bottom, y + h); ++v)
            for (int u = std::max(0, x); u < std::min(r->right, x + w); ++u)
                n += Pixel(r, u, v) == pl::ToPixel555(colour);
        return n;
    }
    TempProgramFolder folder{"chart_state"};
};

// Expected tables: 160 / (60 FOV) pixels per arcminute for 180 and 0.5
// degrees; the horizon table's integers times GetScreenScale (dpi / 48), once.
TEST_F(ChartStateTest, ZoomStepsPerViewKindAndTheirTables) {
    chartScreenLists.stars[0].id = chartScreenLists.objects[0].record = 7;
    const int cases[][5] = {{0, -5, 0, 0, -1}, {0, 20, 13, 13, -1}, {1, 4, 4, 13, 4}};  // view, step: set, slots
    for (const auto& c : cases) {
        chartView = c[0];
        EXPECT_EQ(SetChartZoom(c[1]), c[2]);
        EXPECT_EQ(chartState.zoomSlotSky, c[3]);
        EXPECT_EQ(chartState.zoomSlotHorizon, c[4]);
    }
    EXPECT_EQ(chartState.chartSelectionIndex, -2);
    EXPECT_EQ(chartScreenLists.stars[0].id, 20000000);
    EXPECT_EQ(chartScreenLists.objects[0].record, 30000);
    EXPECT_FLOAT_EQ(GetZoomScale(-1) + GetZoomScale(14), 0.0f);
    EXPECT_NEAR(GetZoomScale(13), 5.333333, 1e-6);
    EXPECT_NEAR(zoomScaleTable[0], 0.0148148, 1e-7);
    for (const auto& dpi : {std::array{72, 65536}, {96, 131072}, {192, 262144}}) {
        UseScreenDpi(dpi[0]);
        ResetChartZoomTables();
        ScaleHorizonZoomTable();
        ScaleHorizonZoomTable();
        EXPECT_EQ(horizonZoomTable[0], dpi[1]) << dpi[0];
    }
}

// The filter popup has seven rows; before the chart first opens, word 140 +
// zoom would be word 139 (the last form): the step the chart opens with is used.
TEST_F(ChartStateTest, PopupRowsStayWithinTheirLists) {
    for (const auto& f : {std::array{-1, 0}, {0, 0}, {6, 6}, {7, 0}}) {
        selectionClassFilter = f[0];
        EXPECT_EQ(GetChartClassFilterRow(), f[1]) << f[0];
    }
    for (int i = 0; i < 10; ++i) preferences.word[kPrefZoomViewFirst + i] = 100 + i;
    for (const auto& z : {std::array{-1, 3, 103}, {-1, -1, 100}, {-1, 12, 109}, {4, 12, 104}}) {
        chartState.chartZoomIndex = z[0];
        preferences.word[kPrefChartZoom] = z[1];
        EXPECT_EQ(GetZoomViewChoice(), z[2]) << z[0] << " " << z[1];
    }
}

TEST_F(ChartStateTest, SaveUnderBoxesRestoreOrSayWhatIsMissing) {
    DrawWindowRecord* original = Pattern();
    DrawWindowRecord* dib = Pattern();
    const pl::Rect whole{0, 0, 240, 320};
    RecordingServices services;
    const struct {
        bool saved;
        DrawWindowRecord* destination;
        const pl::Rect* clip;
        std::vector<std::string> said;
    } cases[] = {{false, dib, &whole, {"WinHandled Null"}},
                 {true, dib, nullptr, {"clipBounds Null"}},
                 {true, nullptr, &whole, {"WinDest Null"}},
                 {true, nullptr, nullptr, {"WinDest Null", "clipBounds Null"}}};
    for (const auto& c : cases) {
        FreeChartBitmaps();
        if (c.saved) {
            SaveStatusBox(original, 0, 0);
            SaveMarkerBox(original, 0, 0);
        }
        services.messages.clear();
        RestoreStatusBox(10, 10, c.clip, c.destination);
        RestoreMarkerBox(10, 10, c.clip, c.destination);  // says nothing
        EXPECT_EQ(services.Texts(), c.said);
        EXPECT_EQ(Differences(dib, original), 0);
    }
    SaveStatusBox(nullptr, 30, 40);  // from the draw window: 78 x 28 at GetScreenScale 2
    for (int y = 40; y < 40 + 56; ++y)
        for (int x = 30; x < 30 + 156; ++x) SetPixel(dib, x, y, 0);
    RestoreStatusBox(30, 40, &whole, dib);
    EXPECT_EQ(Differences(dib, original), 0);
}

TEST_F(ChartStateTest, ReleaseKeepsTheZoomAndFreesThePictures) {
    chartState.chartZoomIndex = 9;
    chartScreenLists.objects[0].record = 12;
    chartRecord.offscreen = CreateOffscreenDib(240, 320, 16);
    SaveStatusBox(chartRecord.offscreen, 0, 0);
    SaveMarkerBox(chartRecord.offscreen, 0, 0);
    SelectChartBitmapSet(0);
    EXPECT_EQ(ReleaseSkyChart(), 1);
    EXPECT_EQ(preferences.word[kPrefChartZoom], 9);
    EXPECT_EQ(chartScreenLists.objects[0].record, 30000);
    EXPECT_EQ(chartRecord.offscreen, nullptr);
    EXPECT_EQ(chartStatusBox.bitmap, nullptr);
    EXPECT_EQ(chartMarkerBox.bitmap, nullptr);
    EXPECT_EQ(chartBitmapSet, 1);
}

// Equatorial Sky (rotation off): atan2(cos d sin a, cos d cos a) = a and
// asin(sin d) = d; the horizon views keep the place as it is. The selection
// keeps its own place: the frame angle once became its right ascension.
TEST_F(ChartStateTest, CentreChartOnRaDecTakesTheFrameAngles) {
    for (const auto& c : {std::array{4.0, 18.0, 60.0, 270.0}, {0.0, 5.5, -20.25, 5.5}}) {  // view, place, angle
        chartView = static_cast<int>(c[0]);
        selectionCurrentRow = 3;
        chartSelection.rightAscension = 1.25f;
        chartSelection.declination = -7.5f;
        SaveStatusBox(Pattern(), 0, 0);
        CentreChartOnRaDec(c[1], c[2]);
        float centre[2];
        GetChartCentre(&centre[0], &centre[1], nullptr);
        EXPECT_NEAR(centre[0], c[3], 1e-4);
        EXPECT_NEAR(centre[1], c[2], 1e-4);
        EXPECT_EQ(chartSelection.rightAscension, 1.25f);
        EXPECT_EQ(chartSelection.declination, -7.5f);
        EXPECT_EQ(selectionCurrentRow, -1);
        EXPECT_EQ(chartStatusBox.bitmap, nullptr);
    }
}

// Meade rates fast, find, center, guide: "#:RS#", "#:RM#", "#:RC#", "#:RG#".
class ChartSlewRateTest : public ScopeTest {};

TEST_F(ChartSlewRateTest, ZoomSetsTheSlewRateOfAConnectedMotorDrive) {
    ResetChartState();
    ScriptedSerial line;
    line.Reply("+45\xDF" "30'15#");
    ASSERT_EQ(ScopeConnect(), 1);
    const std::string motor = "SSSSSMMMCCGGG ";  // steps 0..13; blank: nothing sent
    for (const auto& c : {std::array{5, 1}, {5, 0}, {1, 1}}) {  // drive, marker on; drive 1 is an encoder box
        preferences.word[kPrefDriveId] = c[0];
        scopeConnected = c[1];
        for (int step = 0; step < 14; ++step) {
            line.written.clear();
            SetChartZoom(step);
            bool sends = c[0] == 5 && c[1] == 1 && motor[step] != ' ';
            EXPECT_EQ(line.written, sends ? "#:R" + std::string(1, motor[step]) + "#" : "")
                << c[0] << c[1] << step;
        }
    }
    scopeConnected = 0;
}

// Equatorial grid at LST 6 h, labels along hour 6 (the meridian): declination
// d culminates at zenith distance |phi - d|, north of the zenith for d > phi,
// r = 128 tan(z / 2) px (k = 131072). Its "%d°" label shows when d is within
// the latitude's circles (75 .. -45 at 51, 45 .. -75 at -33) and above the horizon.
TEST_F(ChartStateTest, SkyMapGridCirclesFollowTheLatitude) {
    const struct {
        double latitude;
        int labelDec, top, bottom;  // hour labels on a circle never above the horizon
    } cases[] = {{51, -89, 75, -45}, {-33, 89, 45, -75}};
    for (const auto& c : cases) {
        DrawWindowRecord* r = Canvas();
        UseHorizonChart(c.latitude, 0, 131072, 131072, 0, 120, 160);
        DrawSkyMapHorizonGrid(6.0f, 6, c.labelDec, 3, kGrid, kZero, 1, 15);
        for (int dec = -90; dec <= 90; dec += 15) {
            double z = std::fabs(c.latitude - dec);
            int y = 160 + static_cast<int>(std::lround((dec > c.latitude ? -128 : 128) * std::tan(z * kRad / 2)));
            EXPECT_EQ(CountIn(r, kText, 120, y, 20, 13) > 3, dec >= c.bottom && dec <= c.top && z < 90)
                << c.latitude << " " << dec;
        }
    }
}

// Altitude circles 15 .. 75 labelled north of the zenith at 128 tan(z / 2);
// none at 90. With "Hide Grid" only the zenith mark and the horizon circle
// through the north point remain.
TEST_F(ChartStateTest, AltAzGridAndHiddenGrid) {
    DrawWindowRecord* r = Canvas();
    UseHorizonChart(51, 0, 131072, 131072, 0, 120, 160);
    preferences.word[kPrefAltAzGrid] = 1;
    DrawSkyMapHorizonGrid(6.0f, 6, 0, 3, kGrid, kZero, 1, 15);
    for (int altitude = 15; altitude <= 90; altitude += 15) {
        int y = 160 - static_cast<int>(128 * std::tan((90 - altitude) * kRad / 2));
        EXPECT_EQ(CountIn(r, kText, 120, y, 20, 13) > 3, altitude < 90) << altitude;
    }
    preferences.word[kPrefHideGrid] = 1;
    DrawWindowRecord* hidden = Canvas();
    DrawSkyMapHorizonGrid(6.0f, 6, 0, 3, kGrid, kZero, 1, 15);
    int northX, northY;
    AltAzToChartPoint(0, 0, &northX, &northY);
    EXPECT_NEAR(160 - northY, 128, 1);
    DrawWindowRecord* expected = Canvas();
    SetForeColor(kGrid);
    DrawTargetMark(120, 160);
    DrawCircle(120, 160, 160 - northY);
    EXPECT_EQ(Differences(hidden, expected), 0);
}

// The letters at unit distance (0.72 on both axes for the diagonals) turned by
// R: b = e cos R - n sin R, a = e sin R + n cos R, x = cx - k b, y = cy - k a;
// then 5 right (10 left) of the 80 s line and 5 up above it. Scales of a whole
// pixel and a half keep the fixed-point turn's last unit from flooring a pixel off.
TEST_F(ChartStateTest, CompassLettersTurnWithTheChart) {
    static const struct {
        const char* text;
        double east, north;
    } kLetters[] = {{"N", 0, 1},       {"S", 0, -1},       {"E", 1, 0},          {"W", -1, 0},
                    {"NE", 0.72, 0.72}, {"SE", 0.72, -0.72}, {"SW", -0.72, -0.72}, {"NW", -0.72, 0.72}};
    for (int big = 0; big < 2; ++big)
        for (int rotation : {0, 90}) {
            UseScreenDpi(96 << big);  // 240 x 320 at 96 dpi, 480 x 640 at 192
            SetScale(1 + big);
            int cx = 120 << big, cy = 160 << big, half = 80 * GetScreenScale();
            double k = (64 << big) + 0.5;
            UseHorizonChart(51, rotation, static_cast<int32_t>(k * 1024), static_cast<int32_t>(k * 1024), 0, cx, cy);
            DrawWindowRecord* drawn = Canvas(240 << big, 320 << big);
            DrawCompassLetters(0, 0);
            DrawWindowRecord* expected = Canvas(240 << big, 320 << big);
            double c = std::cos(rotation * kRad), s = std::sin(rotation * kRad);
            for (const auto& l : kLetters) {
                int x = cx - static_cast<int>(std::floor(k * (l.east * c - l.north * s)));
                int y = cy - static_cast<int>(std::floor(k * (l.east * s + l.north * c)));
                DrawLabelText(l.text, static_cast<int>(std::strlen(l.text)), x >= half ? x + 5 : x - 10,
                              y < half ? y - 5 : y);
            }
            EXPECT_EQ(Differences(drawn, expected), 0) << rotation << big;
        }
}

// Horizon View at the equator, LST 6.1 h: the ecliptic culminates north. At
// zoom 8 (scale 21 x 2 x 0.8, a 10° step hundreds of pixels wide) with the wrap
// window one panorama about the screen, the curve runs through λ = 100 placed
// at the centre. With the panorama 240 px wide (azimuth 0 at x = 0) the step
// across azimuth 0/360 is not drawn across the middle, where the ecliptic is
// below the horizon.
TEST_F(ChartStateTest, EclipticKeptWhenZoomedInAndCutAtTheSeam) {
    ScaleHorizonZoomTable();
    int32_t k = static_cast<int32_t>((int64_t{horizonZoomTable[8]} * 13421772) >> 24);
    UseHorizonChart(0, 0, -k, k, 1, 0, 0);
    double l = 100 * kRad, eps = 23.4392911 * kRad;
    double ra = std::atan2(std::sin(l) * std::cos(eps), std::cos(l)) * 12 / M_PI;
    int32_t a, b, x, y;
    Fix24Angle dec = FixDegrees(std::asin(std::sin(l) * std::sin(eps)) / kRad);
    ASSERT_EQ(ProjectHourAngleToHorizon(FixHours(6.1), FixHours(ra), dec, &a, &b), 1);
    HorizonPointToScreen(a, b, &x, &y);
    chartState.originX = 120 - x;
    chartState.originY = 160 - y;
    DrawWindowRecord* zoomed = Canvas();
    int width = static_cast<int>(k * 92160.0 / 16777216);
    DrawHorizonEcliptic(6.1f, kZero, 120 - width / 2, 120 + width / 2);
    EXPECT_GT(CountIn(zoomed, kZero, 119, 159, 3, 3), 0);
    UseHorizonChart(0, 0, -43691, 43691, 1, 0, 200);
    DrawWindowRecord* whole = Canvas();
    DrawHorizonEcliptic(6.1f, kZero, 0, 240);
    EXPECT_EQ(CountIn(whole, kZero, 90, 0, 60, 320), 0);
    EXPECT_GT(CountIn(whole, kZero, 0, 0, 90, 320) + CountIn(whole, kZero, 150, 0, 90, 320), 20);
}

// A rotation about the first axis by a small angle (sine e / 2^24) that gives
// the unit vector v exactly the third component s.
void TiltGiving(int32_t* m, const UnitVector& v, int32_t s) {
    for (int32_t e = -s - 40; e <= -s + 40; ++e) {
        auto c = static_cast<int32_t>(std::sqrt(16777216.0 * 16777216.0 - static_cast<double>(e) * e));
        const int32_t tilt[9] = {16777216, 0, 0, 0, c, -e, 0, e, c};
        std::copy(tilt, tilt + 9, m);
        int32_t p, q, t;
        UnitVectorToChartBy(m, v, &p, &q, &t);
        if (t == s) return;
    }
    FAIL() << "no tilt gives " << s;
}

// Grid kind -1 keeps only the horizon ring (entry 5) of the horizontal frame.
// In the Visible Sky view the grid keeps a sample at s = -292817 and drops one
// at -292818, the ecliptic -392817 and -392818: the grid's sample at 12 h, 0°
// and the ecliptic's at longitude 12 x 4392264, both at (cx, cy - s ky / 2^24)
// on a centre of 12 h, 0°.
TEST_F(ChartStateTest, SphereCurvesKeepSamplesDownToTheirFloors) {
    const pl::ColorRef grid = ChartColourRef(chartColours.entry[3]), ring = ChartColourRef(chartColours.entry[5]);
    skyRotation.flag = 1;
    chartView = 2;
    for (int kind : {-1, 1}) {
        DrawWindowRecord* r = Canvas();
        DrawSkyMapGrid(120, 160, 100, 100, kind, 0, 0);
        EXPECT_EQ(CountIn(r, grid, 0, 0, 240, 320) > 0, kind == 1);
        EXPECT_GT(CountIn(r, ring, 0, 0, 240, 320), 50);
    }
    int32_t cosL, sinL, cosE, sinE;
    FixSinCos24(12 * 4392264, &cosL, &sinL);
    FixSinCos24(6863438, &cosE, &sinE);
    const UnitVector ecliptic =
        StarUnitVector(FixAtan2_24(FixMul24(sinL, cosE), cosL), FixAsin24(FixMul24(sinL, sinE)));
    skyRotation.flag = 0;
    chartView = 3;
    for (const auto& c : {std::array{0, -292817, 1}, {0, -292818, 0}, {1, -392817, 1}, {1, -392818, 0}}) {
        DrawWindowRecord* r = Canvas();
        SetForeColor(kZero);
        if (c[0]) {
            TiltGiving(skyRotation.matrix, ecliptic, c[1]);
            DrawSkyMapEcliptic(120, 160, 200, 200, 1, kFix24Pi, 0);
        } else {
            TiltGiving(skyRotation.hourAngle, StarUnitVector(12 * 4392265, 0), c[1]);
            DrawSkyMapGrid(120, 160, 200, 200, 1, kFix24Pi, 0);
        }
        int y = 160 - static_cast<int>(std::floor(c[1] * 200.0 / 16777216));
        EXPECT_EQ(CountIn(r, c[0] ? kZero : grid, 119, y - 1, 3, 3) > 0, c[2] == 1) << c[1];
    }
}

}  // namespace
