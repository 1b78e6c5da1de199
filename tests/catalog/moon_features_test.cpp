// The lunar feature readers, the feature index and the visible-feature sorts.
#include <gtest/gtest.h>

#include "catalog/moon_features.h"
#include "catalog_test.h"
#include "core/moon_records.h"

using fixture::Bytes;

namespace {

MoonFeatureRecord Feature(const char* name, uint16_t type, int16_t sortKey, float latitude, float diameter) {
    MoonFeatureRecord m{};
    m.type = type;
    m.sortKey = sortKey;
    m.mapY = 480;
    m.mapSize = 12;
    m.latitude = latitude;
    m.longitude = -20.08f;
    m.diameter = diameter;
    std::snprintf(m.name, sizeof m.name, "%s", name);
    return m;
}

class MoonFeaturesTest : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        InstallMoonRecordReaders();
    }
    // The features twice, as the file holds them.
    void WriteFeatures(const std::vector<MoonFeatureRecord>& features) {
        std::vector<Bytes> records;
        for (int copy = 0; copy < 2; ++copy)
            for (const MoonFeatureRecord& f : features) records.push_back(fixture::MoonBytes(f));
        folder.WriteDb("data\\zendavori_moon.ppc", 24, 44, records);
        ASSERT_TRUE(OpenRecordDb(&moonDb, "pl08", "ZDV1", "data\\", "zendavori_moon.ppc"));
    }
    std::vector<MoonFeatureRecord> sample = {
        Feature("Aristarchus", 2, 300, -23.7f, 40.0f), Feature("Catena Abulfeda", 6, 500, 17.0f, 210.0f),
        Feature("Copernicus", 2, 200, -9.62f, 93.0f),  Feature("Mare Imbrium", 12, 100, -32.8f, 1146.0f),
        Feature("Mons Piton", 1, 400, -40.6f, 25.0f),  Feature("Tycho", 2, 600, 43.31f, 85.0f),
    };
};

TEST_F(MoonFeaturesTest, RecordFieldsThroughTheProgramHooks) {
    WriteFeatures(sample);
    EXPECT_EQ(GetMoonRecordCount(), 6);
    MoonFeatureRecord m;
    ASSERT_EQ(GetMoonRecord(2, &m), 1);
    EXPECT_STREQ(m.name, "Copernicus");
    EXPECT_EQ(m.type, 2);
    EXPECT_EQ(m.sortKey, 200);
    EXPECT_EQ(m.mapY, 480);
    EXPECT_EQ(m.mapSize, 12);
    EXPECT_FLOAT_EQ(m.latitude, -9.62f);
    EXPECT_FLOAT_EQ(m.longitude, -20.08f);
    EXPECT_FLOAT_EQ(m.diameter, 93.0f);
    ASSERT_EQ(GetMoonRecord(11, &m), 1);  // the second copy
    EXPECT_STREQ(m.name, "Tycho");
}

// Regression: the count was cut to 0 for files above 1000 records, emptying every
// real lunar file (which holds each feature twice).
TEST_F(MoonFeaturesTest, CountIsHalfTheRecordsAlsoAbove1000) {
    folder.WriteDb("data\\zendavori_moon.ppc", 24, 44, {}, 2400);
    ASSERT_TRUE(OpenRecordDb(&moonDb, "pl08", "ZDV1", "data\\", "zendavori_moon.ppc"));
    EXPECT_EQ(GetMoonRecordCount(), 1200);
    CloseRecordDb(&moonDb);
    folder.WriteDb("data\\zendavori_moon.ppc", 24, 44, {}, 7);
    ASSERT_TRUE(OpenRecordDb(&moonDb, "pl08", "ZDV1", "data\\", "zendavori_moon.ppc"));
    EXPECT_EQ(GetMoonRecordCount(), 3);
}

TEST_F(MoonFeaturesTest, RecordFailures) {
    MoonFeatureRecord m;
    EXPECT_EQ(GetMoonRecordCount(), 0);
    EXPECT_EQ(GetMoonRecord(0, &m), 0);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Moon Database isn't open!"});
    services.messages.clear();
    WriteFeatures(sample);
    EXPECT_EQ(GetMoonRecord(1795, &m), 0);  // above 1794: silent
    EXPECT_EQ(GetMoonRecord(-1, &m), 0);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(GetMoonRecord(12, &m), 0);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve moon record!"});
}

TEST_F(MoonFeaturesTest, IndexIsBuiltOnceWithABusyStepPerFeature) {
    WriteFeatures(sample);
    int count = -1;
    EXPECT_EQ(GetMoonFeatureIndex(&count), nullptr);
    EXPECT_FALSE(BuildMoonFeatureIndex());
    EXPECT_EQ(services.busySteps, 6);
    EXPECT_EQ(services.busyEnds, 1);
    EXPECT_TRUE(BuildMoonFeatureIndex());
    EXPECT_EQ(services.busySteps, 6);
    const MoonFeatureIndexEntry* index = GetMoonFeatureIndex(&count);
    ASSERT_EQ(count, 6);
    EXPECT_EQ(index[3].record, 3);
    EXPECT_EQ(index[3].sortKey, 100);
    EXPECT_EQ(index[3].type, 12);
}

TEST_F(MoonFeaturesTest, IndexSortsAndTypeRanges) {
    WriteFeatures(sample);
    BuildMoonFeatureIndex();
    int count = 0;
    const MoonFeatureIndexEntry* index = GetMoonFeatureIndex(&count);
    auto records = [&] {
        std::vector<int> r;
        for (int i = 0; i < count; ++i) r.push_back(index[i].record);
        return r;
    };
    SortMoonFeatureIndex(2);
    EXPECT_EQ(records(), (std::vector<int>{3, 2, 0, 4, 1, 5}));  // by map x
    SortMoonFeatureIndex(1);
    EXPECT_EQ(records(), (std::vector<int>{4, 0, 2, 5, 1, 3}));  // by type, then record
    int n = 0;
    EXPECT_EQ(FindMoonFeatureTypeRange(2, &n), 1);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(FindMoonFeatureTypeRange(12, &n), 5);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(FindMoonFeatureTypeRange(7, &n), -1);
    EXPECT_EQ(n, 0);
    SortMoonFeatureIndex(0);
    EXPECT_EQ(records(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(MoonFeaturesTest, FeaturesOfTheCurrentRange) {
    WriteFeatures(sample);
    MoonFeatureRecord m;
    featureTypeRange = {0, 6};
    EXPECT_FALSE(GetMoonFeatureInRange(0, &m));  // no index yet
    BuildMoonFeatureIndex();
    SortMoonFeatureIndex(1);
    int n = 0;
    featureTypeRange = {FindMoonFeatureTypeRange(2, &n), n};
    ASSERT_TRUE(GetMoonFeatureInRange(2, &m));
    EXPECT_STREQ(m.name, "Tycho");
    EXPECT_FALSE(GetMoonFeatureInRange(3, &m));
    EXPECT_FALSE(GetMoonFeatureInRange(-1, &m));
}

// A range kept from before a reopen may reach beyond the index: such rows are not read.
TEST_F(MoonFeaturesTest, RangeBeyondTheIndexIsNotRead) {
    WriteFeatures(sample);
    BuildMoonFeatureIndex();
    featureTypeRange = {5, 6};
    MoonFeatureRecord m;
    EXPECT_TRUE(GetMoonFeatureInRange(0, &m));
    EXPECT_FALSE(GetMoonFeatureInRange(1, &m));
}

class VisibleSortTest : public MoonFeaturesTest {
protected:
    std::vector<int32_t> Sorted(std::vector<int32_t> list, int mode) {
        visibleFeatureList = list;
        SortVisibleFeatureList(mode);
        return visibleFeatureList;
    }
};

TEST_F(VisibleSortTest, SizeIsLargestFirstWithTiesByRecord) {
    sample[4].diameter = 93.0f;  // same as record 2
    WriteFeatures(sample);
    EXPECT_EQ(Sorted({5, 4, 2, 3, 0}, 0), (std::vector<int32_t>{3, 2, 4, 5, 0}));
    EXPECT_EQ(Sorted({5, 4, 2, 3, 0}, 1), (std::vector<int32_t>{0, 2, 3, 4, 5}));
}

// Edge case: sorting by Lat orders -12.34 before -12.30 before 5.0, whatever the
// record numbers, in steps of 0.1 degree with ties by record number.
TEST_F(VisibleSortTest, LatitudeOrderInTenthsOfADegree) {
    WriteFeatures({Feature("A", 2, 0, 5.0f, 1), Feature("B", 2, 0, -12.30f, 1), Feature("C", 2, 0, -12.34f, 1),
                   Feature("D", 2, 0, -12.36f, 1), Feature("E", 2, 0, 5.04f, 1)});
    EXPECT_EQ(Sorted({0, 1, 2}, 2), (std::vector<int32_t>{2, 1, 0}));
    EXPECT_EQ(Sorted({2, 0, 1}, 2), (std::vector<int32_t>{2, 1, 0}));
    // -12.34 and -12.36 share a tenth, as do 5.0 and 5.04: record order within it.
    EXPECT_EQ(Sorted({4, 3, 2, 1, 0}, 2), (std::vector<int32_t>{2, 3, 1, 0, 4}));
}

// Regression: the pairwise truncated-difference comparison was not a strict weak
// ordering; a consistent order is independent of the starting permutation.
TEST_F(VisibleSortTest, LatitudeOrderDoesNotDependOnTheStartingOrder) {
    std::vector<MoonFeatureRecord> features;
    for (int i = 0; i < 40; ++i)
        features.push_back(Feature("F", 2, 0, -2.0f + 0.047f * static_cast<float>((i * 17) % 40), 1));
    WriteFeatures(features);
    std::vector<int32_t> list;
    for (int i = 0; i < 40; ++i) list.push_back(i);
    std::vector<int32_t> reference = Sorted(list, 2);
    std::vector<int32_t> reversed(list.rbegin(), list.rend());
    EXPECT_EQ(Sorted(reversed, 2), reference);
    for (std::size_t i = 1; i < reference.size(); ++i) {
        float a = features[reference[i - 1]].latitude;
        float b = features[reference[i]].latitude;
        EXPECT_LT(a, b + 0.1f) << i;  // never out of order by a tenth or more
    }
}

}  // namespace
