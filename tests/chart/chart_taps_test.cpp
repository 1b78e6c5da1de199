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
#include "chart/chart_screen_lists.h"
#include "chart/horizon_passes.h"
#include "chart/horizon_projection.h"
#include "chart/sphere_projection.h"
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
// asks for the hardware keys.
TEST_F(ChartTaps, ScopeKeysBoxAsksForTheHardwareKeys) {
    Start();
    PutCentreAndSide();
    Open();
    Ui([] {
        preferences.word[kPrefDriveId] = 5;
        scopeConnected = 1;
    });
    ASSERT_EQ(IsEncoderDrive(), 0);
    harness.tap(48, 35);
    EXPECT_EQ(BoxText(), "Please use hardware Keys to control your scope\n");
    AnswerAll();
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
    const Point m = EntryPoint(1), e = EntryPoint(2);
    ASSERT_GT(m.y, 60);
    ASSERT_LT(m.y, 260);
    ASSERT_GT(e.y, 320 - 15);
    ASSERT_LT(e.y, 320);
    FormCommand(kChartDistance);
    TapAt(m);
    Shot("chart_pick_in_place_240.png");
    EXPECT_EQ(selectionCurrentRow, 1);
    EXPECT_EQ(ShownStarPoints(), stars);
    EXPECT_EQ(EntryPoint(0).x, 120);
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

}  // namespace
