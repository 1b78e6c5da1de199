// What lies under a tap: the nearest bright star, the object square, the
// screen lists, and the label of a tap in a sphere picture.
#include "chart/hit_tests.h"

#include <gtest/gtest.h>

#include <vector>

#include "catalog/stellar_catalog.h"
#include "chart/chart_colours.h"
#include "chart/chart_status.h"
#include "chart/sky_rotation.h"
#include "chart/object_label_popup.h"
#include "overlay_test.h"

namespace {

using HitTestsTest = OverlayTest;

SelectionEntry Entry(int type, int x, int y, int hidden = 0) {
    SelectionEntry e{};
    e.objectType = static_cast<int16_t>(type);
    e.screenX = x;
    e.screenY = y;
    e.horizonHidden = static_cast<uint16_t>(hidden);
    return e;
}

// Stars 1 and 2 lie 3 from the tap (limit 2 x 3 x 2 = 12 at 96 dpi): the
// earlier wins; the hidden star 0 on the tap does not count; 12 is too far.
TEST_F(HitTestsTest, NearestBrightStarKeepsTheEarlierOfEquals) {
    for (const auto& s : {std::array{0, 10, 10}, {1, 13, 10}, {2, 10, 13}, {3, 100, 100}}) Star(s[0], s[1], s[2]);
    brightStarTable[0].hidden = 1;
    struct Case {
        int x0, y0, x, y, star;
    } cases[] = {{0, 0, 10, 10, 1}, {5, 5, 15, 15, 1}, {0, 0, 10, 16, 2}, {0, 0, 112, 100, -1}, {0, 0, 111, 100, 3}};
    for (const Case& c : cases) EXPECT_EQ(FindNearestBrightStar(c.x0, c.y0, c.x, c.y, 3), c.star) << c.x << " " << c.y;
    ResetStarCatalog();
    EXPECT_EQ(FindNearestBrightStar(0, 0, 13, 10, 3), -1);  // table not loaded
}

// Within +-r on both axes, shown, in the class filter (4 galaxies, 1 stars).
TEST_F(HitTestsTest, ObjectSquareFollowsTheClassFilter) {
    SelectionEntry objects[] = {Entry(16, 10, 10, 1), Entry(16, 12, 10), Entry(30, 10, 12)};
    struct Case {
        int filter, count, r, found;
    } cases[] = {{0, 3, 2, 1}, {4, 3, 2, 1}, {1, 3, 2, 2}, {0, 3, 1, -1}, {0, 0, 2, -1}, {0, -1, 2, -1}};
    for (const Case& c : cases) {
        selectionClassFilter = c.filter;
        EXPECT_EQ(FindObjectInSquare(objects, c.count, 5, 5, 15, 15, c.r), c.found) << c.filter << " " << c.r;
    }
}

// The searches end at the end mark; a full list without one ends at its
// capacity (AddressSanitizer would see a read past it).
TEST_F(HitTestsTest, ScreenListsEndAtTheMarkOrTheCapacity) {
    ChartStarEntry* stars = chartScreenLists.stars;
    stars[0] = {5, 10, 10};
    stars[1] = {6, 20, 20};
    stars[2].id = kStarListEnd;
    stars[3] = {7, 30, 30};
    EXPECT_EQ(std::make_tuple(FindPointInScreenList8(20, 21, 1), FindPointInScreenList8(20, 22, 1),
                              FindPointInScreenList8(30, 30, 1)),
              std::make_tuple(1, -1, -1));
    for (int i = 0; i < kChartStarListCapacity; ++i) stars[i] = {i, static_cast<int16_t>(i), 0};
    EXPECT_EQ(std::make_pair(FindPointInScreenList8(1499, 0, 0), FindPointInScreenList8(1500, 0, 0)),
              std::make_pair(1499, -1));
    ChartObjectEntry* objects = chartScreenLists.objects;
    for (int i = 0; i < kChartObjectListCapacity; ++i) objects[i] = {1, 16, 0, 0, static_cast<int16_t>(i), 0};
    EXPECT_EQ(std::make_pair(FindPointInScreenList16(299, 0, 0), FindPointInScreenList16(300, 0, 0)),
              std::make_pair(299, -1));
    objects[1].record = kObjectListEnd;
    EXPECT_EQ(FindPointInScreenList16(2, 0, 0), -1);
}

// An object 1 or 2 px from the tap is found (r = 1, then 3); one 4 px away is
// not. A catalogue star at file position 5 is named by its id: the Tycho form
// from 140000 stars on (3334 records of 42), else "HIP<id>".
TEST_F(HitTestsTest, LabelPopupSearchesTwiceAndNamesCatalogueStarsByTheirIds) {
    SelectionEntry objects[] = {Entry(16, 100, 100)};
    preferences.word[kPrefObjDrilldown] = 0;
    for (const auto& c : {std::array{101, 1}, {102, 1}, {104, 0}}) {
        Ground(240, 320);
        EXPECT_EQ(ShowObjectLabelPopup(objects, 1, XywhRect{0, 0, 240, 320}, c[0], 100), c[1]) << c[0];
    }
    preferences.word[kPrefCardCatalog] = 6;
    struct Case {
        int file, records;
        uint32_t id;
        const char* label;
    } cases[] = {{5, 3334, 123400567, "TYC1234-567-1"}, {1, 10, 4711, "HIP4711"}};
    for (const Case& c : cases) {
        fixture::PackedStarFile star{c.id, {1, 0, 0}, {10, 0, 0}, 80, 0};
        std::vector<fixture::Bytes> records(static_cast<size_t>(c.records), fixture::StellarRecordBytes({}, 42));
        records[0] = fixture::StellarRecordBytes({{}, {}, {}, {}, {}, star}, 42);
        folder.WriteDb(std::string("data\\") + stellarCatalogFiles[c.file], 1, 42 * 12, records);
        CloseAllDatabases();
        ASSERT_TRUE(SelectStellarCatalog(c.file + 4));
        chartScreenLists.stars[0] = {5, 60, 200};
        chartScreenLists.stars[1].id = kStarListEnd;
        DrawWindowRecord* r = Ground(240, 320);
        ASSERT_EQ(ShowObjectLabelPopup(objects, 1, XywhRect{0, 0, 240, 320}, 60, 201), 1);
        DrawWindowRecord* expected = Ground(240, 320);
        SelectFont(4);
        SetTextColorRef(ChartColourRef(chartColours.entry[5]));
        SetBackColor(ChartColourRef(chartColours.background));
        const int length = static_cast<int>(std::strlen(c.label));
        DrawPlainText(c.label, length, 70, 211);
        // The text right of the target mark (which ends at x = 76).
        EXPECT_EQ(DifferencesIn(r, expected, 77, 211, CharsWidth(c.label, length) - 7, 8), 0) << c.label;
    }
}

// In a picture of the horizontal frame (Whole Sky at 51 N) the status of a
// tapped object at 5h30m, +20 reads that place, as the picture's own status
// reads its centre; its frame angle (minus the azimuth) and altitude are not a
// right ascension and declination. With "Alt/Az Grid" (word 126) the azimuth
// and altitude read alike in both frames (in the equatorial one the frame
// angle is the right ascension).
TEST_F(HitTestsTest, LabelPopupStatusReadsThePlaceInEitherFrame) {
    BuildSkyRotation(2026, 3, 5, 21, 10, 0);
    SelectionEntry objects[] = {Entry(16, 100, 100)};
    objects[0].rightAscension = 5.5f;
    objects[0].declination = 20.0f;
    preferences.word[kPrefObjDrilldown] = 0;
    const XywhRect rect{0, 0, 240, 320};
    auto popup = [&](int frame) {
        skyRotation.flag = frame;
        DrawWindowRecord* r = Ground(240, 320);
        SelectFont(0);
        EXPECT_EQ(ShowObjectLabelPopup(objects, 1, rect, 100, 100), 1);
        return r;
    };
    for (int frame : {1, 0}) {
        DrawWindowRecord* r = popup(frame);
        DrawWindowRecord* expected = Ground(240, 320);
        SelectFont(0);
        DrawSkyMapStatus(rect, nullptr, FixHours(5.5) / 15, FixDegrees(20), skyMapView.centreAngle,
                         skyMapView.centreElevation);
        EXPECT_EQ(DifferencesIn(r, expected, 0, 298, 240, 22), 0) << frame;  // both status lines
    }
    preferences.word[kPrefAltAzGrid] = 1;
    DrawWindowRecord* horizontal = popup(1);
    DrawWindowRecord* equatorial = popup(0);
    EXPECT_EQ(DifferencesIn(horizontal, equatorial, 50, 308, 190, 12), 0);  // the second line
}

}  // namespace
