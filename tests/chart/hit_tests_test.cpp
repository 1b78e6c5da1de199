// What lies under a tap: the nearest bright star, the object square, the
// screen lists, and the label of a tap in a sphere picture.
#include "chart/hit_tests.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_colours.h"
#include "chart/chart_screen_lists.h"
#include "chart/object_label_popup.h"
#include "chart/save_under.h"
#include "chart/sphere_projection.h"
#include "chart_test.h"
#include "platform/fonts.h"
#include "support/catalog_fixture.h"
#include "support/recording_services.h"
#include "support/test_site.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/text_drawing.h"

namespace {

class HitTestsTest : public ChartDrawTest {
protected:
    void SetUp() override {
        ChartDrawTest::SetUp();
        ResetWithDefaults();
        ResetCatalogState();
        ResetStarCatalog();
        LoadStarCatalog(0);  // no default stars: the table is the test's
        std::memset(brightStarTable, 0, sizeof brightStarTable);
        for (StarRecord& s : brightStarTable) s.hidden = 1;
        AllocChartScreenLists();
        pl::ResetFontResources();
        InstallSymbolFont(folder.root());
    }
    void TearDown() override {
        FreeChartScreenLists();
        FreeChartBitmaps();
        FreeChartPatches();
        ResetCatalogState();
        ResetStarCatalog();
        selectionClassFilter = 0;
        ChartDrawTest::TearDown();
        pl::ResetFontResources();
    }
    static void Star(int i, int x, int y) {
        brightStarTable[i].screenX = x;
        brightStarTable[i].screenY = y;
        brightStarTable[i].hidden = 0;
    }
    static SelectionEntry Entry(int type, int x, int y, int hidden = 0) {
        SelectionEntry e{};
        e.objectType = static_cast<int16_t>(type);
        e.screenX = x;
        e.screenY = y;
        e.horizonHidden = static_cast<uint16_t>(hidden);
        return e;
    }
    fixture::CatalogFolder folder;
    RecordingServices services;
};

// Stars 1 and 2 lie 3 from the tap (limit 2 x 3 x 2 = 12 at 96 dpi): the
// earlier wins; the hidden star 0 on the tap does not count; 12 is too far.
TEST_F(HitTestsTest, NearestBrightStarKeepsTheEarlierOfEquals) {
    Star(0, 10, 10);
    brightStarTable[0].hidden = 1;
    Star(1, 13, 10);
    Star(2, 10, 13);
    Star(3, 100, 100);
    struct Case {
        int x0, y0, x, y, r, star;
    } cases[] = {{0, 0, 10, 10, 3, 1}, {5, 5, 15, 15, 3, 1}, {0, 0, 10, 16, 3, 2},
                 {0, 0, 112, 100, 3, -1}, {0, 0, 111, 100, 3, 3}, {0, 0, 60, 60, 3, -1}};
    for (const Case& c : cases) EXPECT_EQ(FindNearestBrightStar(c.x0, c.y0, c.x, c.y, c.r), c.star) << c.x << " " << c.y;
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
    EXPECT_EQ(FindObjectInSquare(nullptr, 3, 0, 0, 10, 10, 2), -1);
}

// The searches end at the end mark; a full list without one ends at its
// capacity (AddressSanitizer would see a read past it).
TEST_F(HitTestsTest, ScreenListsEndAtTheMarkOrTheCapacity) {
    ChartStarEntry* stars = chartScreenLists.stars;
    stars[0] = {5, 10, 10};
    stars[1] = {6, 20, 20};
    stars[2].id = kStarListEnd;
    stars[3] = {7, 30, 30};
    EXPECT_EQ(FindPointInScreenList8(20, 21, 1), 1);
    EXPECT_EQ(FindPointInScreenList8(20, 22, 1), -1);
    EXPECT_EQ(FindPointInScreenList8(30, 30, 1), -1);
    for (int i = 0; i < kChartStarListCapacity; ++i) stars[i] = {i, 0, 0};
    stars[kChartStarListCapacity - 1] = {1, 50, 50};
    EXPECT_EQ(FindPointInScreenList8(50, 50, 0), kChartStarListCapacity - 1);
    EXPECT_EQ(FindPointInScreenList8(70, 70, 0), -1);
    ChartObjectEntry* objects = chartScreenLists.objects;
    for (int i = 0; i < kChartObjectListCapacity; ++i) objects[i] = {1, 16, 0, 0, 0, 0};
    objects[kChartObjectListCapacity - 1].x = 40;
    EXPECT_EQ(FindPointInScreenList16(40, 0, 0), kChartObjectListCapacity - 1);
    EXPECT_EQ(FindPointInScreenList16(70, 70, 0), -1);
    objects[1].record = kObjectListEnd;
    EXPECT_EQ(FindPointInScreenList16(40, 0, 0), -1);
}

// A list object 1 or 2 px from the tap is found (r = 1, then 3); one 4 px
// away is not. A catalogue star at file position 5 is named by its id: the
// Tycho form from 140000 stars on (3334 records of 42), else "HIP<id>".
TEST_F(HitTestsTest, LabelPopupSearchesTwiceAndNamesCatalogueStarsByTheirIds) {
    SelectionEntry objects[] = {Entry(16, 100, 100)};
    std::strcpy(objects[0].name, "NGC7000");
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
        DrawPlainText(c.label, static_cast<int>(std::strlen(c.label)), 70, 211);
        const int width = CharsWidth(c.label, static_cast<int>(std::strlen(c.label)));
        int different = 0;  // right of the target mark (to x = 76)
        for (int y = 211; y < 219; ++y)
            for (int x = 77; x < 70 + width; ++x) different += Pixel(r, x, y) != Pixel(expected, x, y);
        EXPECT_EQ(different, 0) << c.label;
    }
}

}  // namespace
