// Taps on the sky chart in the running program (the sky of sky_chart_fixture.h):
// the pen-down classes, what a tap picks in the Sky Map, the Horizon View and
// the sphere views, and what the tap mode does with the pick.
#include "chart/chart_taps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/designations.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_picks.h"
#include "chart/chart_screen_lists.h"
#include "chart/horizon_passes.h"
#include "chart/horizon_projection.h"
#include "chart/sphere_projection.h"
#include "core/shared_buffers.h"
#include "objects/selected_object.h"
#include "platform/drawing.h"
#include "scope/scope_services.h"
#include "sky_chart_fixture.h"
#include "support/jpeg_file.h"
#include "ui/screen_layout.h"

namespace {

using namespace sky_chart_test;

constexpr int kNamedStar = 20;    // kChosen[1], "Chosen" in the name file
constexpr int kUnnamedStar = 10;  // kChosen[0], HR 11
constexpr int kCatalogueStarId = 4711;
constexpr int kTapModeWord = 40;

struct Point {
    int x, y;
};

class ChartTaps : public SkyChartTest {
protected:
    void TearDown() override { Ui([] { scopeConnected = 0; }); }

    // The name file: bright star kNamedStar is "Chosen".
    void WriteNames() {
        const auto name = record_writer::BrightStarNameBytes("Chosen", kNamedStar);
        WriteFile(folder.path() / "data" / "zendavori_brightstar.ppc", record_writer::RecordDbBytes(1, 20, {name, name}));
    }
    // The smallest Hipparcos file, chosen from zoom 5 ("Card Catalog" 1): `padding`
    // empty records (declination 0), then one record whose second star, id
    // kCatalogueStarId, stands at (azimuth 270, altitude 82); its place in the
    // file is 42 x padding + 1.
    void WriteStellarFile(int padding) {
        const auto place = PlaceAt(270, 82);
        record_writer::PackedStarFile star;
        star.id = kCatalogueStarId;
        const double ra = place.first, dec = place.second;
        star.ra[0] = static_cast<int8_t>(ra);
        star.ra[1] = static_cast<int8_t>(std::fmod(ra * 60, 60));
        star.ra[2] = static_cast<int8_t>(std::fmod(ra * 3600, 60));
        star.dec[0] = static_cast<int8_t>(dec);
        star.dec[1] = static_cast<int8_t>(std::fmod(dec * 60, 60));
        star.dec[2] = static_cast<int8_t>(std::fmod(dec * 3600, 60));
        star.magnitude16 = 6 * 16;
        record_writer::PackedStarFile first = star;
        first.id = 99;
        first.dec[0] = static_cast<int8_t>(dec - 1);
        std::vector<record_writer::Bytes> records(static_cast<std::size_t>(padding),
                                                  record_writer::StellarRecordBytes({}, 42));
        records.push_back(record_writer::StellarRecordBytes({first, star}, 42));
        WriteFile(folder.path() / "data" / stellarCatalogFiles[1], record_writer::RecordDbBytes(1, 42 * 12, records));
        SetWord(kPrefCardCatalog, 1);
    }
    // The list: "Centre" (row 0) next to the zenith, and "Side" at (azimuth 90, altitude 80).
    void PutCentreAndSide() {
        const auto centre = PlaceAt(180, 89), side = PlaceAt(90, 80);
        Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second),
             Entry("Side", kDesignationNgc, 2, 2, side.first, side.second)},
            0);
    }
    static Point StarPoint(int index) { return {brightStarTable[index].screenX, brightStarTable[index].screenY}; }
    static Point EntryPoint(int position) { return {selectionList[position].screenX, selectionList[position].screenY}; }
    void TapAt(Point p) { harness.tap(p.x, p.y); }
    static std::string SelectionName() { return std::string(chartSelection.name); }
    // The chart's body above the status lines, every third pixel.
    std::vector<uint32_t> Body() const {
        std::vector<uint32_t> pixels;
        for (int y = 22; y < 285; y += 3)
            for (int x = 0; x < 215; x += 3) pixels.push_back(Pixel(x, y));
        return pixels;
    }
};

// A pen-down on the header strip is not armed and stops timer 1; its pen-up
// starts it again by the rule of a tap (the cursor mode "None": 1000 ms).
TEST_F(ChartTaps, HeaderPenDownDoesNotArmYetTheTimerRunsAgain) {
    Start();
    SetWord(kPrefCursor, 2);
    Open();
    ASSERT_EQ(chartTimerPeriodMs, 10000u);
    harness.penDown(60, 20);
    EXPECT_EQ(chartPenArmed, 0);
    EXPECT_EQ(tapArmed, 0);
    EXPECT_EQ(chartTimerPeriodMs, 0u);
    harness.penUp(60, 20);
    EXPECT_EQ(chartTimerPeriodMs, 1000u);
    SetWord(kPrefCursor, 0);
}

// A picked HR star stays the chart's selection after "Clear List"; the compass
// box lists it again before the compass chart opens.
TEST_F(ChartTaps, CompassBoxListsThePickedStarAgain) {
    Start();
    PutCentreAndSide();
    Open();
    TapAt(StarPoint(kUnnamedStar));
    ASSERT_EQ(static_cast<int>(chartSelection.designationId), kDesignationHr);
    ASSERT_EQ(chartSelection.number, 11);
    Choose(kChartFilterTrigger, kChartFilterList, 7);
    ASSERT_EQ(selectionCount, 0);
    harness.tap(10, 300);
    EXPECT_EQ(GetCurrentFormId(), 2830) << BoxText();
    ASSERT_GE(selectionCount, 1);
    EXPECT_EQ(selectionList[0].designation, kDesignationHr);
    EXPECT_EQ(selectionList[0].number, 11);
}

// The picture box shows the current entry's picture over the chart until the
// next tap, then the chart is back.
TEST_F(ChartTaps, PictureBoxShowsThePictureOfTheEntry) {
    std::filesystem::create_directories(folder.path() / "img" / "ngc");
    std::vector<unsigned char> green;
    for (int i = 0; i < 64 * 64; ++i) green.insert(green.end(), {0, 255, 0});
    ASSERT_TRUE(WriteJpegFile((folder.path() / "img" / "ngc" / "NGC1.jpg").string(), 64, 64, green));
    Start();
    PutCentreAndSide();
    Open();
    const std::vector<uint32_t> before = Body();
    harness.tap(20, 40);
    EXPECT_GT(Count(60, 60, 200, 200, 0x00F800), 1000);
    harness.tap(120, 160);
    EXPECT_EQ(Count(60, 60, 200, 200, 0x00F800), 0);
    EXPECT_TRUE(Body() == before);
}

// With a telescope connected on a Meade drive (no encoders) the scope-keys box
// asks for the hardware keys; the chart is as it was when the box closes.
TEST_F(ChartTaps, ScopeKeysBoxAsksForTheHardwareKeys) {
    Start();
    PutCentreAndSide();
    Open();
    Ui([] {
        preferences.word[kPrefDriveId] = 5;
        scopeConnected = 1;
    });
    ASSERT_EQ(IsEncoderDrive(), 0);
    const auto before = Body();
    harness.tap(48, 35);
    EXPECT_EQ(BoxText(), "Please use hardware Keys to control your scope\n");
    AnswerAll();
    EXPECT_TRUE(Body() == before);  // the box leaves no trace
    Ui([] {
        scopeConnected = 0;
        preferences.word[kPrefDriveId] = 0;
    });
}

// What a tap picks at zoom 5 in the Sky Map: a drawn list entry becomes the
// current row; the named bright star kind 54 with its name, another one kind 28
// with its HR number; the catalogue star kind 26 and "HIP" with its id (not its
// place in the file); empty sky a point of type 0 at the place under the tap,
// with no row. Each star pick is listed and becomes the current row.
TEST_F(ChartTaps, PicksInTheSkyMap) {
    WriteNames();
    WriteStellarFile(0);
    Start();
    PutCentreAndSide();
    SetWord(kPrefChartZoom, 5);
    Open();
    struct Expected {
        const char* what;
        int designation;
        int number;
        const char* name;
    };
    const Expected cases[] = {{"entry", kDesignationNgc, 2, "Side"},
                              {"named star", kDesignationBrightStar, 0, "Chosen"},
                              {"HR star", kDesignationHr, 11, nullptr},
                              {"catalogue star", kDesignationHip, kCatalogueStarId, "HIP4711"},
                              {"empty sky", 0, 0, ""}};
    for (const Expected& c : cases) {
        const std::string what = c.what;
        Point p{70, 230};
        if (what == "entry") p = EntryPoint(1);
        if (what == "named star") p = StarPoint(kNamedStar);
        if (what == "HR star") p = StarPoint(kUnnamedStar);
        if (what == "catalogue star") {
            const ChartStarEntry* list = chartScreenLists.stars;
            int i = 0;
            while (i < kChartStarListCapacity && list[i].id != kStarListEnd && list[i].id != 1) ++i;
            ASSERT_EQ(list[i].id, 1) << "the star at place 1 was not drawn";
            p = {list[i].x, list[i].y};
        }
        float ra = 0, dec = 0;
        Ui([&] { ChartPointToRaDec(p.x, p.y, &ra, &dec); });
        TapAt(p);
        EXPECT_EQ(static_cast<int>(chartSelection.designationId), c.designation) << c.what;
        EXPECT_EQ(chartSelection.number, c.number) << c.what;
        if (c.name) {
            EXPECT_EQ(SelectionName(), c.name) << c.what;
        }
        if (what == "empty sky") {
            EXPECT_EQ(chartSelection.objectType, 0u);
            EXPECT_EQ(selectionCurrentRow, -1);
            EXPECT_EQ(chartSelection.rightAscension, ra);
            EXPECT_EQ(chartSelection.declination, dec);
            continue;
        }
        ASSERT_GE(selectionCurrentRow, 0) << c.what;
        const SelectionEntry& e = selectionList[GetSelectionIndex(selectionCurrentRow)];
        EXPECT_EQ(e.designation, c.designation) << c.what;
        EXPECT_EQ(e.number, c.number) << c.what;
    }
}

// A stellar file of 140000 stars or more is a Tycho catalogue: the pick is
// named "TYC<region>-<number>-1" (region 0, number 4711), kind 60.
TEST_F(ChartTaps, TychoSizedFileNamesTheStarTyc) {
    WriteStellarFile(3334);  // 3335 records of 42 stars
    Start();
    PutCentreAndSide();
    SetWord(kPrefChartZoom, 5);
    Open();
    ASSERT_GE(GetHipparcosStarCount(), 140000);
    const ChartStarEntry* list = chartScreenLists.stars;
    int i = 0;
    while (i < kChartStarListCapacity && list[i].id != kStarListEnd && list[i].id != 42 * 3334 + 1) ++i;
    ASSERT_EQ(list[i].id, 42 * 3334 + 1);
    TapAt({list[i].x, list[i].y});
    EXPECT_EQ(static_cast<int>(chartSelection.designationId), kDesignationTycho);
    EXPECT_EQ(SelectionName(), "TYC0-4711-1");
}

// Horizon View centred at azimuth 350: an entry at azimuth 10 lies one
// panorama width left of the chart and is drawn at the right; a tap on that
// copy picks it.
TEST_F(ChartTaps, HorizonViewWrappedCopyPicksTheEntry) {
    Start();
    const auto centre = PlaceAt(350, 30), wrapped = PlaceAt(10, 30);
    Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second),
         Entry("Wrapped", kDesignationNgc, 2, 2, wrapped.first, wrapped.second)},
        0);
    SetWord(kPrefChartZoom, 3);
    Ui([] { chartView = 1; });
    Open();
    int32_t width = 0;
    Ui([&width] { width = PanoramaWidth(); });
    const Point p = EntryPoint(1);
    ASSERT_LT(p.x, 0);
    TapAt({p.x + width, p.y});
    EXPECT_EQ(selectionCurrentRow, 1);
    EXPECT_EQ(SelectionName(), "Wrapped");
}

// Tap mode 1: a pick within 15 pixels of the chart's edge recentres the chart
// on it; one in the middle leaves every kept position as it was.
TEST_F(ChartTaps, TapModeOneRecentresOnlyNearTheEdge) {
    Start();
    const auto centre = PlaceAt(180, 70), middle = PlaceAt(170, 72), edge = PlaceAt(180, 22);
    Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second),
         Entry("Middle", kDesignationNgc, 2, 2, middle.first, middle.second),
         Entry("Edge", kDesignationNgc, 3, 2, edge.first, edge.second)},
        0);
    SetWord(kPrefChartZoom, 3);
    Open();
    const std::vector<std::pair<int, int>> stars = ShownStarPoints();
    const std::vector<Point> entries = {EntryPoint(0), EntryPoint(1), EntryPoint(2)};
    const Point m = EntryPoint(1), e = EntryPoint(2);
    ASSERT_GT(m.y, 60);
    ASSERT_LT(m.y, 260);
    ASSERT_GT(e.y, 320 - 15);
    ASSERT_LT(e.y, 320);
    FormCommand(kChartDistance);
    TapAt(m);
    Shot("chart_pick_in_place_240.png");
    EXPECT_EQ(selectionCurrentRow, 1);
    EXPECT_EQ(blinkPhase, -3);  // the distance text stays three ticks
    EXPECT_EQ(ShownStarPoints(), stars);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(EntryPoint(i).x, entries[static_cast<std::size_t>(i)].x) << i;
        EXPECT_EQ(EntryPoint(i).y, entries[static_cast<std::size_t>(i)].y) << i;
    }
    TapAt(e);
    EXPECT_EQ(selectionCurrentRow, 2);
    EXPECT_NEAR(EntryPoint(2).x, 120, 1);
    EXPECT_NEAR(EntryPoint(2).y, 160, 1);
}

// A pen that moves 6 pixels on both axes does not drag: the tap still picks,
// at the pen-up point.
TEST_F(ChartTaps, SixPixelsDoNotStartADrag) {
    Start();
    PutCentreAndSide();
    SetWord(kPrefChartZoom, 3);
    Open();
    const Point star = StarPoint(kUnnamedStar);
    harness.penDown(star.x - 6, star.y - 6);
    harness.penMove(star.x, star.y);
    EXPECT_EQ(chartTimeRecord.scrolling, 0);
    harness.penUp(star.x, star.y);
    EXPECT_EQ(static_cast<int>(chartSelection.designationId), kDesignationHr);
    EXPECT_EQ(chartSelection.number, 11);
}

// A Sky Map drag by (dx, dy) over a part of the sky with no list entry ends
// on the sky point that lay at (W/2 - dx, H/2 - dy): the chart is drawn about
// it, so it stands at the middle within a pixel. Timer 1 runs again.
TEST_F(ChartTaps, SkyMapDragEndsOnTheSkyPointBroughtToTheMiddle) {
    Start();
    PutCentreAndSide();
    SetWord(kPrefChartZoom, 3);
    SetWord(kPrefCursor, 2);
    Open();
    const int dx = 45, dy = -35;
    float ra = 0, dec = 0;
    Ui([&] { ChartPointToRaDec(120 - dx, 160 - dy, &ra, &dec); });
    harness.drag({150, 200}, {150 + dx, 200 + dy}, 5);
    EXPECT_EQ(selectionCurrentRow, -1);
    EXPECT_EQ(chartSelection.objectType, 0u);
    EXPECT_EQ(chartSelection.name[0], '\0');
    int32_t x = 0, y = 0;
    Ui([&] {
        int32_t a, b;
        ASSERT_TRUE(ProjectHorizonPlace(chartTimeRecord.lstHours, ra, dec, 0, &a, &b));
        HorizonPointToScreen(a, b, &x, &y);
    });
    EXPECT_NEAR(x, 120, 1);
    EXPECT_NEAR(y, 160, 1);
    EXPECT_EQ(chartTimerPeriodMs, 1000u);
    SetWord(kPrefCursor, 0);
}

// Mid-drag in the Sky Map and the Horizon View no pixel of the right tool
// column changes: the moved sky (grid, horizon line, stars) was once drawn
// under the strip until the redraw at the end of the drag.
TEST_F(ChartTaps, DragDrawsNothingOnTheToolStrip) {
    Start();
    PutCentreAndSide();
    SetWord(kPrefChartZoom, 3);
    Open();
    for (int view : {0, 1}) {
        Choose(kChartViewsTrigger, kChartViewsList, 5 + view);
        int left = 0;
        Ui([&left] { left = ChartToolColumnLeft(); });
        ASSERT_LT(left, 240);
        auto column = [this, left] {
            std::vector<uint32_t> pixels;
            for (int y = 21; y < 320; ++y)
                for (int x = left; x < 240; ++x) pixels.push_back(Pixel(x, y));
            return pixels;
        };
        const std::vector<uint32_t> before = column();
        harness.penDown(100, 200);
        harness.penMove(140, 150);  // the drag loop now polls the pen
        ASSERT_EQ(chartTimeRecord.scrolling, 1);
        EXPECT_EQ(column(), before) << "view " << view;
        harness.penUp(140, 150);
    }
}

// A drill-down object of the object index: NGC 224, cross-referenced as M31,
// is listed as Messier 31, its number kept one less as the list's Messier
// entries count from 0, so that it is named "M31" (not "M32").
TEST_F(ChartTaps, DrilldownObjectsArePickedByTheirCrossReference) {
    const std::filesystem::path data = folder.path() / "data";
    ObjectRecord ngc224{};
    ngc224.designationId = kDesignationNgc;
    ngc224.number = 224;
    ngc224.objectType = 16;
    WriteFile(data / "zendavori_obj_1k.ppc", record_writer::RecordDbBytes(26, 64, {record_writer::ObjectBytes(ngc224)}));
    const auto a = PlaceAt(90, 84);
    auto entry = [](int record, std::pair<float, float> place) {
        return ObjectIndexEntry{static_cast<uint32_t>(224 + record), kDesignationNgc, static_cast<int16_t>(record),
                                static_cast<int32_t>(place.first * 4392264.877774095),
                                static_cast<int32_t>(place.second * 292817.65851827303), 16, 40};
    };
    WriteFile(data / "zendavori_obj_1k_idx.ppc",
              record_writer::RecordDbBytes(1, 300, {record_writer::ObjectIndexBytes({entry(0, a)})}));
    record_writer::CrossRef m31{kDesignationNgc, {kDesignationMessier, 0, 0}, 224, {31, 0, 0}, "Andromeda"};
    WriteFile(data / "zendavori_obj_cross_ref.ppc",
              record_writer::RecordDbBytes(1, 48, {record_writer::CrossRefBytes({}, 48), record_writer::CrossRefBytes(m31, 48)}));
    Start();
    PutCentreAndSide();
    SetWord(kPrefChartZoom, 5);
    Open();
    ASSERT_EQ(BoxCount(), 0) << BoxText();
    const ChartObjectEntry* list = chartScreenLists.objects;
    ASSERT_EQ(list[0].record, 0);
    ASSERT_EQ(list[1].record, kObjectListEnd);
    TapAt({list[0].x, list[0].y});
    EXPECT_EQ(static_cast<int>(chartSelection.designationId), kDesignationMessier);
    ASSERT_GE(selectionCurrentRow, 0);
    const SelectionEntry& e = selectionList[GetSelectionIndex(selectionCurrentRow)];
    EXPECT_EQ(e.designation, kDesignationMessier);
    EXPECT_EQ(e.number, 30);
    EXPECT_STREQ(e.name, "M31");
}

// Tap mode 0 opens the information form: a picked star is listed and handed
// over as the finder target; an empty sky point with no row is listed too,
// its card written into the shared text buffer and made the finder target
// with index 6.
TEST_F(ChartTaps, TapModeZeroAsksForTheInformationForm) {
    Start();
    PutCentreAndSide();
    SetWord(kPrefChartZoom, 3);
    SetWord(kTapModeWord, 0);
    Open();
    TapAt(StarPoint(kUnnamedStar));
    EXPECT_EQ(GetCurrentFormId(), 112);
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_EQ(IsObjectSelected(), 1);
    EXPECT_EQ(selectedObject.index, 10);
    EXPECT_EQ(selectedObject.record.number, 11);
    EXPECT_STREQ(selectedObject.record.name, "HR11");
    AnswerAll();
    Open();
    const int count = selectionCount;
    TapAt({70, 230});
    EXPECT_EQ(GetCurrentFormId(), 112);
    EXPECT_EQ(selectionCount, count + 1);
    EXPECT_EQ(selectedObject.index, 6);
    EXPECT_EQ(selectedObject.record.objectType, 0u);
    const std::string card = txtBuffer;
    EXPECT_EQ(card.rfind("None0\n\x95 Andromeda (And)\n\x95 Ra   ", 0), 0u) << card;
    EXPECT_NE(card.find("\n\x95 BV  0.0"), std::string::npos) << card;
    AnswerAll();
    SetWord(kTapModeWord, 1);
}

// The sphere views: a tap on a bright star picks it (kind 28), lists it and,
// in tap mode 1, sets the view's centre on it for the next drawing (its
// altitude, 79.5 degrees: hour angle 1 h, declination 60 at latitude 51); an
// empty point gives number -1 at the place under the tap, no row. Tap mode 2
// draws the chart about the pick.
TEST_F(ChartTaps, SphereViewTaps) {
    WriteNames();
    Start();
    PutCentreAndSide();
    SetWord(kPrefChartZoom, 4);
    Ui([] { chartView = 2; });
    Open();
    const XywhRect view = chartRecord.viewRect;
    const Point star{StarPoint(kUnnamedStar).x + view.x, StarPoint(kUnnamedStar).y + view.y};
    TapAt(star);
    EXPECT_EQ(static_cast<int>(chartSelection.designationId), kDesignationHr);
    EXPECT_EQ(chartSelection.number, 11);
    ASSERT_GE(selectionCurrentRow, 0);
    EXPECT_EQ(selectionList[GetSelectionIndex(selectionCurrentRow)].number, 11);
    const double phi = 51.0 * kDegToRad, dec = 60.0 * kDegToRad, h = 15.0 * kDegToRad;
    const double altitude = std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(h));
    EXPECT_NEAR(chartRecord.centreLatitude, altitude / kDegToRad, 0.5);
    Fix24Angle ra = 0, decFix = 0;
    Ui([&] { SkyMapPointToRaDec(70, 230, &ra, &decFix); });
    TapAt({70, 230});
    EXPECT_EQ(chartSelection.number, -1);
    EXPECT_EQ(selectionCurrentRow, -1);
    EXPECT_NEAR(chartSelection.rightAscension, ra * 12.0 / M_PI / 16777216.0, 1e-5);
    EXPECT_NEAR(chartSelection.declination, decFix * 180.0 / M_PI / 16777216.0, 1e-4);
    SetWord(kTapModeWord, 2);
    const Point named{StarPoint(kNamedStar).x + view.x, StarPoint(kNamedStar).y + view.y};
    TapAt(named);
    EXPECT_EQ(SelectionName(), "Chosen");
    EXPECT_NEAR(StarPoint(kNamedStar).x, view.width / 2, 1);
    EXPECT_NEAR(StarPoint(kNamedStar).y, view.height / 2, 1);
    SetWord(kTapModeWord, 1);
}

// A tap in each sphere view with names on, on both screens: no pixel changes
// outside the old and the new mark's boxes (78 x 28 GetScreenScale from 8 up
// and left of the mark), the selection's name in the header and the picture
// box's caption, and the status lines. (The box saved under the old mark was
// put back 21 scaleY too high: names and lines under it showed twice.)
class ChartTapsOnScreen : public ChartTaps, public ::testing::WithParamInterface<ChartScreen> {};

TEST_P(ChartTapsOnScreen, SphereViewTapsChangeOnlyTheMarksTheLabelAndTheStatus) {
    const ChartScreen sc = GetParam();
    WriteNames();
    Start(sc.width, sc.height, sc.dpi);
    PutCentreAndSide();
    SetWord(kPrefChartZoom, 4);
    SetWord(kPrefObjectNames, 1);
    Open();
    const int s = GetScreenScale(), sy = sc.dpi / 96;
    for (int view = 2; view <= 4; ++view) {
        Choose(kChartViewsTrigger, kChartViewsList, 5 + view);
        const std::vector<uint32_t> before = ScreenSample(1);
        const Point old{skyMapView.markCornerX, skyMapView.markCornerY}, tap{sc.width / 5, sc.height * 11 / 20};
        TapAt(tap);
        Point mark = tap;  // the sky point, or the star or object picked near it
        if (selectionCurrentRow >= 0) {
            const SelectionEntry& e = selectionList[GetSelectionIndex(selectionCurrentRow)];
            mark = {e.screenX + chartRecord.viewRect.x, e.screenY + chartRecord.viewRect.y};
        }
        auto inBox = [s](Point corner, int x, int y) {
            return x >= corner.x && x < corner.x + 78 * s && y >= corner.y && y < corner.y + 28 * s;
        };
        const std::vector<uint32_t> after = ScreenSample(1);
        int changed = 0;
        for (int y = 21 * sy; y < sc.height - 33 * sy; ++y)
            for (int x = y < 73 * sy ? 100 * sy : 0; x < sc.width; ++x) {
                const std::size_t i = static_cast<std::size_t>(y * sc.width + x);
                if (!inBox(old, x, y) && !inBox({mark.x - 8 * s, mark.y - 8 * s}, x, y)) changed += before[i] != after[i];
            }
        EXPECT_EQ(changed, 0) << "view " << view;
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ChartTapsOnScreen, ::testing::ValuesIn(kChartScreens));

// A star picked in place, in the Sky Map and the Whole Sky, after "M80" (with
// its thumbnail) or "Sun" (a user object's caption): the picture box and its caption show
// what the chart picture has there (the previous selection's stayed).
TEST_F(ChartTaps, AStarPickedLeavesNoPictureOfThePreviousSelection) {
    Start(480, 640, 192);
    const auto m80 = PlaceAt(180, 86), sun = PlaceAt(0, 88);
    SelectionEntry messier = ListEntry("M80", kDesignationMessier, 80, 3, m80.first, m80.second);
    messier.source = kSourceMessier;
    messier.sourceIndex = 79;  // thumbnail 3079
    SelectionEntry body = ListEntry("Sun", kDesignationUser, 0, 16, sun.first, sun.second);  // not moved to the Sun
    body.source = kSourceUser;
    Put({messier, body}, 0);
    SetWord(kPrefChartZoom, 3);
    Open();
    for (int view : {0, 2})
        for (int row = 0; row < 2; ++row) {
            Choose(kChartViewsTrigger, kChartViewsList, 5 + view);
            Choose(kChartObjectTrigger, kChartObjectList, row);
            const int dy = view < 2 ? 0 : chartRecord.viewRect.y;  // where the sphere's picture starts
            auto differing = [dy, this] {  // in the box and its caption, 0..60 x 21..73 at scale 2
                int n = 0;
                Ui([&n, dy, this] {
                    for (int y = 42; y < 146; ++y)
                        for (int x = 0; x < 120; ++x)
                            n += (pl::GetPixel(chartRecord.offscreen->dc, x, y - dy) & 0xF8F8F8) != Pixel(x, y);
                });
                return n;
            };
            ASSERT_GT(differing(), 20) << view << " " << row;  // the thumbnail or the caption
            TapAt({StarPoint(kUnnamedStar).x, StarPoint(kUnnamedStar).y + dy});
            ASSERT_EQ(chartSelection.objectType, 30u) << view << " " << row;
            EXPECT_EQ(differing(), 0) << view << " " << row;
        }
}

// A list row chosen after a star pick is the chart's selection with its own
// name: the picked star's name is not drawn beside it.
TEST_F(ChartTaps, ChosenRowDoesNotKeepThePickedStarsName) {
    WriteNames();
    Start();
    PutCentreAndSide();
    SetWord(kPrefChartZoom, 3);
    Open();
    TapAt(StarPoint(kNamedStar));
    ASSERT_EQ(SelectionName(), "Chosen");
    Choose(kChartObjectTrigger, kChartObjectList, 0);
    EXPECT_EQ(SelectionName(), "Centre");
    EXPECT_EQ(chartSelection.number, 1);
}

// Angular distances between places by the haversine formula, against
// spherical geometry: along the equator an hour is 15 degrees; two points at
// declination 60 twelve hours apart are 60 degrees apart over the pole; a
// pole and the equator 90; a second of time on the equator 15 arcseconds;
// opposite points 180; an hour across 0 h at declination 10, 14.77084 by the
// spherical law of cosines (cos d = sin^2 10 + cos^2 10 cos 15).
TEST(ChartPickDistance, AgreesWithSphericalGeometry) {
    const struct {
        double ra1, dec1, ra2, dec2, degrees;
    } cases[] = {{0, 0, 1, 0, 15},           {0, 60, 12, 60, 60},       {3, 90, 17, 0, 90},
                 {0, 0, 1 / 3600.0, 0, 15 / 3600.0}, {6, 20, 18, -20, 180},  {23.5, 10, 0.5, 10, 14.77084}};
    for (const auto& c : cases)
        EXPECT_NEAR(ChartPickDistance(c.ra1, c.dec1, c.ra2, c.dec2), c.degrees, 1e-4)
            << c.ra1 << " " << c.dec1 << " " << c.ra2 << " " << c.dec2;
}

}  // namespace
