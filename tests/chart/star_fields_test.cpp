// The catalogue readers of the chart: the right-ascension window of the
// horizon chart, the stars and objects of a sphere view drawn and kept in the
// screen lists, and the magnitude floor.
#include "chart/star_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "catalog/designations.h"
#include "catalog/stellar_catalog.h"
#include "chart/view_region.h"
#include "overlay_test.h"

namespace {

constexpr int kCentreRaMinutes = 120;  // 2 h

class StarFieldsTest : public OverlayTest {
protected:
    void SetUp() override {
        OverlayTest::SetUp();
        ResetSkyRotation();
        preferences.word[kPrefCardCatalog] = 6;
        // Equatorial Sky, zoom 5 (45°): R = 160 px at 96 dpi, k = 160 / tan 22.5° = 386.
        skyMapView = SkyMapView{120, 160, 386, 386, FixHours(2), 0, 0, 0, 0, 0, 0};
    }
    void TearDown() override {
        ResetSkyMapView();
        OverlayTest::TearDown();
    }
    // Stars every 0.5° in declination (-9.5 .. 9.5) and every 2 min in right
    // ascension (1h22m .. 2h38m) about (2 h, 0°), sorted by declination, 42 per record.
    void WriteGrid() {
        std::vector<fixture::PackedStarFile> stars;
        for (int d = -19; d <= 19; ++d)
            for (int m = kCentreRaMinutes - 38; m <= kCentreRaMinutes + 38; m += 2) {
                auto dec = [&](int part) { return static_cast<int8_t>(d < 0 ? -part : part); };
                stars.push_back({static_cast<uint32_t>(stars.size() + 1000),
                                 {static_cast<int8_t>(m / 60), static_cast<int8_t>(m % 60), 0},
                                 {dec(std::abs(d) / 2), dec(std::abs(d) % 2 * 30), 0}, 80, 0});
            }
        std::vector<fixture::Bytes> records;
        for (size_t i = 0; i < stars.size(); i += 42)
            records.push_back(fixture::StellarRecordBytes(
                std::vector<fixture::PackedStarFile>(stars.begin() + i, stars.begin() + std::min(i + 42, stars.size())), 42));
        folder.WriteDb(std::string("data\\") + stellarCatalogFiles[1], 1, 42 * 12, records);
        ASSERT_TRUE(SelectStellarCatalog(5));
    }
};

// Half-windows by zoom below declination 70 (zoom 9: 75, others 80): 4, 2,
// 1, 0.5, 0.25, 0.1 h, else every right ascension; widened to the rectangle's
// extent below 6 h; a window across 0 h or 24 h passes everything.
TEST(StarFieldWindow, RightAscensionWindowByZoomAndDeclination) {
    struct Case {
        int zoom;
        double ra, dec, extent;
        bool all;
        int low, high;
    } cases[] = {{7, 6, 75, 0, true, 0, 0},      {7, 6, 60, 0, false, 300, 420},   {5, 12, -10, 0, false, 480, 960},
                 {9, 12, 74, 0, false, 705, 735}, {9, 12, 76, 0, true, 0, 0},      {10, 12, 79, 0, false, 714, 726},
                 {10, 12, 81, 0, true, 0, 0},     {7, 23.5, 10, 0, true, 0, 0},     {8, 12, 10, 3, false, 540, 900},
                 {8, 12, 10, 7, false, 690, 750}, {6, 1, 10, 0, true, 0, 0}};
    for (const Case& c : cases) {
        RaMinuteWindow w = StarFieldRaWindow(c.zoom, c.ra, c.dec, c.extent);
        EXPECT_EQ(w.all, c.all) << c.zoom << " " << c.ra << " " << c.dec;
        if (!c.all) {
            EXPECT_EQ(std::make_pair(w.low, w.high), std::make_pair(c.low, c.high)) << c.zoom << " " << c.dec;
        }
    }
}

// 1521 stars in view: every one drawn (the last, in the band's top record,
// too), 1499 kept and the end mark in entry 1499.
TEST_F(StarFieldsTest, FullListKeepsItsEndMarkInEntry1499) {
    WriteGrid();
    DrawWindowRecord* r = Ground(240, 320);
    EXPECT_EQ(LoadStarFieldForChart2(pl::Rect{0, 0, 240, 320}, 5, 0, 21), kChartStarListCapacity - 1);
    const ChartStarEntry* list = chartScreenLists.stars;
    EXPECT_EQ(list[kChartStarListCapacity - 1].id, kStarListEnd);
    EXPECT_EQ(list[0].id, 0);
    int32_t x, y;
    ASSERT_TRUE(ProjectToSkyMap(FixHours(2 + 38 / 60.0), FixDegrees(9.5), &x, &y));
    EXPECT_NE(Pixel(r, x, y), kGround);
    // The 1521st star is file position 1520: drawn, not kept.
    EXPECT_EQ(std::count_if(list, list + kChartStarListCapacity, [](const ChartStarEntry& e) { return e.id == 1520; }), 0);
    EXPECT_EQ(list[1].y, list[0].y);  // kept positions carry the origin (0, 21)
}

// The eye limit at 5.4 (star row 6 of zoom 5) is below 5.5: neither reader
// draws or keeps a star.
TEST_F(StarFieldsTest, StarLimitBelowFiveAndAHalfReadsNothing) {
    WriteGrid();
    selectionCriteria.eyeLimit = 5.4f;
    preferences.word[kPrefStarLimitFirst] = 6;
    DrawWindowRecord* r = Ground(240, 320);
    chartScreenLists.stars[0].id = 3;
    EXPECT_EQ(LoadStarFieldForChart2(pl::Rect{0, 0, 240, 320}, 5, 0, 0), 0);
    EXPECT_EQ(LoadStarFieldForChart(pl::Rect{0, 21, 240, 320}, 5, 2, 2, 0, 1), 0);
    EXPECT_EQ(chartScreenLists.stars[0].id, kStarListEnd);
    EXPECT_EQ(Count(r, kGround), 240 * 320);
}

// Equatorial Sky centred on (2 h, 0°): the place 12 h away would land on the
// centre (depth -1) and is left out; in the Visible Sky view a place below the
// horizon (s < 0) is too.
TEST_F(StarFieldsTest, FarSideAndBelowHorizonAreNotInView) {
    FieldView view = SphereFieldView(pl::Rect{0, 0, 240, 320});
    int x, y;
    EXPECT_TRUE(PlaceInView(view, FixHours(2), 0, &x, &y));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(120, 160));
    EXPECT_FALSE(PlaceInView(view, FixHours(14), 0, &x, &y));
    view.visibleOnly = true;
    EXPECT_FALSE(PlaceInView(view, FixHours(2), FixDegrees(-1), &x, &y));
    EXPECT_TRUE(PlaceInView(view, FixHours(2), FixDegrees(1), &x, &y));
}

// Index entries: a galaxy of 8.0 within zoom 5's object limit (9) is drawn
// and kept with its fields; one of 9.5, one of a type not shown and one whose
// record is not in the object file are not.
TEST_F(StarFieldsTest, ObjectsOfTheIndexKeptWithTheirPlaces) {
    folder.WriteDb("data\\zendavori_obj_1k.ppc", 26, 64, std::vector<fixture::Bytes>(4, fixture::ObjectBytes({})));
    auto entry = [](int record, int type, int magnitude10, double raHours) {
        return ObjectIndexEntry{7, kDesignationNgc, static_cast<int16_t>(record), FixHours(raHours), FixDegrees(1),
                                static_cast<int16_t>(type), static_cast<int16_t>(magnitude10)};
    };
    folder.WriteDb("data\\zendavori_obj_1k_idx.ppc", 1, 300,
                   {fixture::ObjectIndexBytes({entry(1, 16, 80, 2.0), entry(2, 16, 95, 2.1), entry(3, 2, 80, 1.9),
                                               entry(9, 16, 80, 2.05)})});
    ASSERT_TRUE(OpenRecordDb(&objectDb, "pl00", "ZDV1", "data\\", "zendavori_obj_1k.ppc"));
    ASSERT_TRUE(OpenRecordDb(&objectIndexDb, "pl00", "ZDV1", "data\\", "zendavori_obj_1k_idx.ppc"));
    FilterSelectionByClass(0, nullptr, 0);
    objectTypeTable[2].shown = 0;
    DrawWindowRecord* r = Ground(240, 320);
    EXPECT_EQ(LoadObjectFieldForChart(pl::Rect{0, 0, 240, 320}, 5, 0, 1, 0, 21), 1);
    const ChartObjectEntry& e = chartScreenLists.objects[0];
    int32_t x, y;
    ASSERT_TRUE(ProjectToSkyMap(FixHours(2.0), FixDegrees(1), &x, &y));
    EXPECT_EQ(std::make_tuple(e.record, e.type, e.rightAscension, e.declination, e.x, e.y, chartScreenLists.objects[1].record),
              std::make_tuple(1, 16, FixHours(2.0), FixDegrees(1), x, y + 21, kObjectListEnd));
    EXPECT_LT(Count(r, kGround), 240 * 320);
}

}  // namespace
