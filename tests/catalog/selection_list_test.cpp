// The observing list: allocation, entries made from object records, the class
// filter, and the entry record's byte layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/object_display.h"
#include "catalog/selection_list.h"
#include "catalog_test.h"
#include "chart/chart_picks.h"
#include "chart/chart_state.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "objects/selected_object.h"
#include "support/catalog_fixture.h"
#include "support/object_file_fixture.h"
#include "support/owner_hooks.h"
#include "support/recording_services.h"

namespace {

ObjectRecord Record(int designation, int32_t number, int type = 16, const char* name = "") {
    ObjectRecord r{static_cast<uint32_t>(designation), number, static_cast<uint32_t>(type), 7, 5.5f, -20.25f, 5.79f,
                   12.9f, 0.0f, 200, 230, 1234.5f, ""};
    std::snprintf(r.name, sizeof r.name, "%s", name);
    return r;
}

class SelectionListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetCatalogState();
        selectionClassFilter = 0;
        ASSERT_EQ(AllocSelectionList(), 1);
        selectionShownCount = 0;
    }
    void TearDown() override {
        FreeSelectionList();
        ResetCatalogState();
    }
    // Makes an entry at the fill position and advances it; the entry, or null when refused.
    const SelectionEntry* Make(int sourceIndex, int source, const ObjectRecord& r) {
        if (!MakeSelectionEntry(sourceIndex, source, selectionList, &r)) return nullptr;
        return &selectionList[selectionShownCount++];
    }

    fixture::CatalogFolder folder;
    RecordingServices services;
    OwnerHooks hooks;
};

TEST_F(SelectionListTest, CapacityFollowsThePreferenceAndTheBrightStarNames) {
    const int expected[] = {25, 50, 100, 150, 200, 250, 300, 350, 400, 450, 500};
    for (int row = 0; row <= 10; ++row) {
        preferences.word[kPrefMaxSelectedItems] = row;
        EXPECT_EQ(GetSelectedItemsCapacity(), expected[row]);
    }
    preferences.word[kPrefMaxSelectedItems] = 1;
    EXPECT_EQ(GetSelectionListCapacity(), 0 + 50 + 5);  // no bright-star names
    ResetCatalogState();
    folder.WriteDb("data\\zendavori_brightstar.ppc", 1, 20, std::vector<fixture::Bytes>(10));
    EXPECT_EQ(GetSelectionListCapacity(), 5 + 50 + 5);  // 10 name records = 5 names
}

// A form's own table of 57 objects (the planets assistant's "90d" sky view)
// is shown whole though the list holds 30 entries: the shown rows number 60 at
// least; the list itself is still cut at its entries.
TEST_F(SelectionListTest, ShownRowsHoldAFormsTableOfSixty) {
    ASSERT_EQ(GetSelectionListAllocated(), 30);
    std::vector<SelectionEntry> table(70);
    const struct {
        SelectionEntry* entries;
        int n, rows;
    } cases[] = {{table.data(), 57, 57}, {table.data(), 60, 60}, {table.data(), 70, 60}, {selectionList, 40, 30}};
    for (const auto& c : cases) {
        EXPECT_EQ(FilterSelectionByClass(0, c.entries, c.n), c.rows) << c.n;
        EXPECT_EQ(selectionListPtr[c.rows - 1], &c.entries[c.rows - 1]) << c.n;
        EXPECT_EQ(selectionListIndex[c.rows - 1], c.rows - 1) << c.n;
    }
}

TEST_F(SelectionListTest, AllocationEmptiesTheList) {
    chartTimeRecord.horizonProjectionReady = 1;
    ASSERT_EQ(AllocSelectionList(), 1);
    EXPECT_EQ(std::make_tuple(chartTimeRecord.horizonProjectionReady, GetSelectionListAllocated(), selectionCount,
                              selectionShownCount, selectionCurrentRow, selectionFillLimit),
              std::make_tuple(0, 30, 0, -1, -1, 25));
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(std::make_tuple(selectionList[i].number, selectionListIndex[i], selectionListPtr[i]),
                  std::make_tuple(-1, -1, &selectionList[i]));
    }
    FreeSelectionList();
    EXPECT_EQ(std::make_tuple(selectionCount, selectionList), std::make_tuple(-1, static_cast<SelectionEntry*>(nullptr)));
}

// Names by source code, as the naming rules of the list give them.
TEST_F(SelectionListTest, EntryNamesBySource) {
    struct Case {
        int sourceIndex, source;
        ObjectRecord rec;
        const char* name;
    } cases[] = {
        {4, kSourcePlanet, Record(kDesignationPlanet, 4, 27), "Mars"},
        {10, kSourcePlanet, Record(kDesignationPlanet, 10, 27), ""},
        {30, kSourceMessier, Record(kDesignationNgc, 224), "M31"},
        {13, kSourceCaldwell, Record(kDesignationNgc, 869), "C14"},
        {0, kSourceHerschel, Record(kDesignationNgc, 7000), "NGC7000"},
        {0, kSourceStar, Record(kDesignationHr, 7001, 30), "HR7001"},
        {0, kSourceStar, Record(kDesignationBrightStar, 12, 30, "Vega"), "Vega"},
        {0, kSourceStar, Record(kDesignationTycho, 123400567, 30), "TYC1234-567-1"},
        {0, kSourceStar, Record(kDesignationIc, 434), "IC434"},
        {0, 6, Record(70, 5), "NoCat70 5"},
        {0, kSourceConstellation, Record(kDesignationConstellation, 0, 14), "And"},
        {0, 6, Record(kDesignationUser, 3, 14), "Aql"},  // type 14: the constellation of row number
        {0, 0, Record(kDesignationTycho, 999900001, 30), "TYC9999-1-1"},
        {0, 15, Record(kDesignationUser, 8, 16, "A long object name"), "A long object "},
        {0, 6, Record(kDesignationNgc, 891), "NGC891"},
    };
    for (const Case& c : cases) {
        const SelectionEntry* e = Make(c.sourceIndex, c.source, c.rec);
        ASSERT_NE(e, nullptr) << c.name;
        EXPECT_STREQ(e->name, c.name);
        EXPECT_EQ(e->name[14], '\0');
    }
}

// Magnitude x 10 and sizes truncated, size 2 = size 1 when none is given;
// position angles and type codes above 127 stay unsigned.
TEST_F(SelectionListTest, EntryFieldsFromTheRecord) {
    ObjectRecord r = Record(kDesignationNgc, 224);
    const SelectionEntry* e = Make(30, kSourceMessier, r);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(std::make_tuple(e->number, e->sourceIndex, e->designation, e->objectType, e->constellation, e->source),
              std::make_tuple(224, 30, kDesignationNgc, 16, 7, kSourceMessier));
    EXPECT_EQ(std::make_tuple(e->rightAscension, e->declination, e->distance), std::make_tuple(5.5f, -20.25f, 1234.5f));
    EXPECT_EQ(std::make_tuple(e->mag10, e->size1, e->size2, e->smallCode, e->typeCode, e->alwaysShow),
              std::make_tuple(57, 12, 12, 200, 230, 0));
    EXPECT_EQ(selectionListIndex[0], 0);
    r = Record(kDesignationNgc, 225);
    r.magnitude = -1.46f;
    r.size2 = 3.7f;
    e = Make(0, 6, r);
    EXPECT_EQ(std::make_tuple(e->mag10, e->size2), std::make_tuple(-14, int16_t{3}));
}

TEST_F(SelectionListTest, MagnitudeInTenthsIsNotLoweredBySinglePrecision) {
    for (float m : {5.7f, 0.3f, 8.1f, 12.9f}) {
        ObjectRecord r = Record(kDesignationNgc, static_cast<int32_t>(m * 100));
        r.magnitude = m;  // 5.7 is held as 5.69999981
        EXPECT_EQ(Make(0, 6, r)->mag10, static_cast<int>(std::lround(m * 10.0))) << m;
    }
}

TEST_F(SelectionListTest, DamagedNumbersAreKeptInRange) {
    ObjectRecord r = Record(kDesignationUser, 1);
    r.magnitude = std::nanf("");
    r.size1 = 1e9f;
    r.size2 = -1e9f;
    const SelectionEntry* e = Make(0, 15, r);
    EXPECT_EQ(std::make_tuple(e->mag10, e->size1, e->size2), std::make_tuple(0, 32767, -32768));
}

TEST_F(SelectionListTest, DuplicateAndFullListAreRefused) {
    ASSERT_NE(Make(0, 6, Record(kDesignationNgc, 1)), nullptr);
    EXPECT_EQ(Make(0, 6, Record(kDesignationNgc, 1)), nullptr);
    EXPECT_NE(Make(0, 6, Record(kDesignationIc, 1)), nullptr);  // same number, other catalogue
    while (selectionShownCount < selectionFillLimit)
        ASSERT_NE(Make(0, 6, Record(kDesignationNgc, selectionShownCount + 100)), nullptr);
    EXPECT_EQ(Make(0, 6, Record(kDesignationNgc, 99999)), nullptr);
    selectionShownCount = -1;
    EXPECT_EQ(MakeSelectionEntry(0, 6, selectionList, nullptr), 0);
}

// One object, one entry, under any designation: M31 as a search lists it (the
// file's NGC 224 on Messier row 30) is the finder's (Messier 40, number 30),
// NGC with the row as number (as lists of earlier runs hold it) and NGC 224,
// with the object file or without; C14 listed as NGC 869 is the chart's
// drill-down C14; M45, which the file holds as Messier 45, is the object
// step's. NGC 30 is another, and so is the file's C9 (Caldwell 9) to the
// finder's C10 (Caldwell 9 too, its row): C9 was taken as listed.
using ListedObject = CatalogTest;

TEST_F(ListedObject, OneEntryUnderAnyDesignation) {
    const std::vector<ObjectRecord> objects = fixture::SharedObjectRecords();
    OpenObjects(objects, "zendavori_obj_1k.ppc");
    OpenData(&crossRefDb, "zendavori_obj_cross_ref.ppc", 48, {fixture::CrossRefBytes({42, {9}, 869, {14}, ""}, 48)});
    UseObjectFileRanges(false);
    ASSERT_EQ(AllocSelectionList(), 1);
    selectionShownCount = 0;
    ObjectRecord drilled;
    const auto ngc869 = std::find_if(objects.begin(), objects.end(), [](auto& o) { return o.number == 869; }) - objects.begin();
    ASSERT_TRUE(DrilldownPickRecord(static_cast<int>(ngc869), &drilled));
    for (auto [index, source, rec] : {std::tuple{30, 2, objects[89]}, std::tuple{0, 6, objects[ngc869]},
                                      std::tuple{44, 2, objects[1126]}, std::tuple{9, 3, fixture::SharedObject(9, 9)}})
        selectionCount = selectionShownCount += MakeSelectionEntry(index, source, selectionList, &rec);
    const struct {
        ObjectRecord r;
        int source, position;
    } cases[] = {{fixture::SharedObject(40, 30), 2, 0}, {fixture::SharedObject(42, 30), 2, 0}, {objects[89], 99, 0},
                 {drilled, 3, 1}, {fixture::SharedObject(40, 45), 6, 2}, {fixture::SharedObject(42, 30), 99, -1},
                 {objects[1127], 6, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(FindSelectionEntry(selectionList, &c.r, c.source), c.position) << &c - cases;
        EXPECT_EQ(MakeSelectionEntry(c.r.number, c.source, selectionList, &c.r), c.position < 0) << &c - cases;
    }
    SelectionEntry& m31 = selectionList[0];  // as the finder lists M31: Messier 40, its row as number
    m31.designation = kDesignationMessier, m31.number = 30;
    EXPECT_EQ(FindSelectionEntry(selectionList, &objects[89]), 0);  // NGC 224 finds it by the row alone
    m31.designation = kDesignationNgc, m31.number = 224;
    CloseRecordDb(&objectDb);
    EXPECT_EQ((std::vector{FindSelectionEntry(selectionList, &cases[0].r, 2), FindSelectionEntry(selectionList, &objects[89])}),
              (std::vector{0, 0}));
    EXPECT_EQ(TakeTexts(), Texts{});
    FreeSelectionList();
}

TEST_F(SelectionListTest, ClassFilterShowsTheEntriesOfItsClass) {
    const int types[] = {16, 30, 2, 16, 99, -3, 27};
    for (int i = 0; i < 7; ++i) ASSERT_NE(Make(0, 6, Record(kDesignationNgc, i + 1, types[i])), nullptr);
    struct Case {
        int filter;
        std::vector<int> rows;
    } cases[] = {{0, {0, 1, 2, 3, 4, 5, 6}}, {4, {0, 3}}, {1, {1}}, {2, {2}}, {6, {6}}, {5, {}}, {7, {0, 1, 2, 3, 4, 5, 6}}};
    for (const Case& c : cases) {
        int n = FilterSelectionByClass(c.filter, selectionList, 7);
        ASSERT_EQ(n, static_cast<int>(c.rows.size())) << c.filter;
        selectionShownCount = n;
        for (int k = 0; k < n; ++k) {
            EXPECT_EQ(selectionListIndex[k], c.rows[k]) << c.filter;
            EXPECT_EQ(selectionListPtr[k], &selectionList[c.rows[k]]);
            EXPECT_EQ(FindSelectionIndex(c.rows[k]), k);  // the entry's row back
        }
        if (n < 7) {
            EXPECT_EQ(FindSelectionIndex(c.filter == 1 ? 0 : 1), -1) << c.filter;  // not shown
        }
    }
    FilterSelectionByClass(4, selectionList, 7);
    EXPECT_EQ(std::make_tuple(objectTypeTable[16].shown, objectTypeTable[30].shown), std::make_tuple(1, 0));
    FilterSelectionByClass(0, selectionList, 7);
    EXPECT_EQ(objectTypeTable[30].shown, 1);
    EXPECT_EQ(FilterSelectionByClass(0, selectionList, 1000), 30);  // clamped to the 30 entries allocated
}

// A rebuild keeps the current entry, not its row: after the chart's Visible Sky (entries with
// chartZ >= 0), after a form's own table drawn through the rows (the satellites' and orbits'
// views), and none while a class filter hides it: C, the chart's row 1, is the list's row 2.
TEST_F(SelectionListTest, RebuildsKeepTheCurrentEntryNotItsRow) {
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(Make(0, 6, Record(kDesignationNgc, i + 1, i == 2 ? 30 : 16)), nullptr);
        selectionList[i].chartZ = i == 0 || i == 3 ? -1 : 5;
    }
    selectionCount = 4;
    SelectionEntry table[2] = {selectionList[3], selectionList[0]};
    preferences.word[kPrefChartType] = 3;
    RebuildSelectionByClass();
    SetCurrentSelectionEntry(2);
    EXPECT_EQ(RebuildSelectionView(-1), 1);
    FilterSelectionByClass(0, table, 2);
    EXPECT_EQ((std::vector{RebuildSelectionByClass(), selectionCurrentRow, CurrentSelectionEntry()}), (std::vector{4, 2, 2}));
    selectionClassFilter = 4;  // galaxies
    EXPECT_EQ((std::vector{RebuildSelectionByClass(), selectionCurrentRow, CurrentSelectionEntry()}), (std::vector{3, -1, -1}));
}

// Class codes of object types by their class byte.
TEST(ObjectClasses, MapObjectTypeCode) {
    struct Case {
        int type, code;
    } cases[] = {{16, 6}, {30, 11}, {13, 99}, {2, 4}, {39, 10}, {19, 8}, {31, 5}, {27, 1}, {0, 99}, {-1, 99}, {42, 99}};
    for (const Case& c : cases) EXPECT_EQ(MapObjectTypeCode(c.type), c.code) << c.type;
}

TEST(ObjectClasses, KindMaps) {
    struct Case {
        int designation, finder, source;
    } cases[] = {{54, 0, 11}, {9, 1, 3}, {12, 2, 12}, {13, 3, 13}, {25, 4, 7}, {40, 5, 2},
                 {41, 6, 14}, {45, 7, 1}, {49, 8, 9},  {63, 9, 15}, {60, 10, 99}, {42, 10, 99}};
    for (const Case& c : cases) {
        ObjectRecord r = Record(c.designation, 1);
        EXPECT_EQ(ObjectKindToFinderCatalog(&r), c.finder) << c.designation;
        EXPECT_EQ(ObjectKindToCatalogCode(&r), c.source) << c.designation;
    }
    ObjectRecord r{};
    SetObjectRecordName(&r, "A name of twenty-five ch");
    EXPECT_STREQ(r.name, "A name of twenty-fi");
}

// The byte layout of the list files: every field at its offset, little-endian,
// and back.
TEST(SelectionEntryBytes, FieldsAtTheirOffsets) {
    SelectionEntry e{};
    std::strcpy(e.name, "M31");
    e.reserved = 0xAB; e.number = 0x01020304; e.sourceIndex = 0xFEDC; e.designation = -2; e.objectType = 16;
    e.constellation = 3; e.rightAscension = 0.7123f; e.declination = 41.27f; e.chartX = -5; e.chartY = 6;
    e.chartZ = 7; e.size1 = 178; e.size2 = 63; e.source = 2; e.smallCode = 35; e.typeCode = 252; e.mag10 = 34;
    e.screenX = 8; e.screenY = 0x7FFFFFFF; e.horizonHidden = 1; e.alwaysShow = 2; e.distance = 2.5f;
    fixture::ByteWriter w;
    w.Text("M31", 15).U8(0xAB).U32(0x01020304).U16(0xFEDC).U16(0xFFFE).U16(16).U16(3).F32(0.7123f).F32(41.27f);
    w.U32(static_cast<uint32_t>(-5)).U32(6).U32(7).U16(178).U16(63).U16(2).U8(35).U8(252).U32(34).U32(8);
    w.U32(0x7FFFFFFF).U16(1).U16(2).F32(2.5f);
    fixture::Bytes b(kSelectionEntrySize);
    StoreSelectionEntry(e, b.data());
    EXPECT_EQ(b, w.bytes());
    SelectionEntry back;
    LoadSelectionEntry(b.data(), &back);
    fixture::Bytes again(kSelectionEntrySize);
    StoreSelectionEntry(back, again.data());
    EXPECT_EQ(again, b);
}

}  // namespace
