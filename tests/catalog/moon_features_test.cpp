// The lunar feature readers, the feature index and the visible-feature sorts.
#include <gtest/gtest.h>

#include "catalog/moon_features.h"
#include "catalog_test.h"
#include "core/moon_records.h"

namespace {

MoonFeatureRecord Feature(const char* name, uint16_t type, int16_t sortKey, float latitude, float diameter) {
    MoonFeatureRecord m{type, sortKey, 480, 12, latitude, -20.08f, diameter, ""};
    std::snprintf(m.name, sizeof m.name, "%s", name);
    return m;
}

class MoonFeaturesTest : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        InstallMoonRecordReaders();
    }
    // The features twice, as the file holds them; `count` overrides the header count.
    void WriteFeatures(const std::vector<MoonFeatureRecord>& features, int64_t count = -1) {
        std::vector<Bytes> records;
        for (int copy = 0; copy < 2; ++copy)
            for (const MoonFeatureRecord& f : features) records.push_back(fixture::MoonBytes(f));
        OpenData(&moonDb, "zendavori_moon.ppc", 44, records, count, 24);
    }
    std::vector<int> IndexRecords() const {
        int count = 0;
        const MoonFeatureIndexEntry* index = GetMoonFeatureIndex(&count);
        std::vector<int> r;
        for (int i = 0; i < count; ++i) r.push_back(index[i].record);
        return r;
    }
    std::vector<int32_t> Sorted(std::vector<int32_t> list, int mode) {
        visibleFeatureList = list;
        SortVisibleFeatureList(mode);
        return visibleFeatureList;
    }
    std::vector<MoonFeatureRecord> sample = {
        Feature("Aristarchus", 2, 300, -23.7f, 40.0f), Feature("Catena Abulfeda", 6, 500, 17.0f, 210.0f),
        Feature("Copernicus", 2, 200, -9.62f, 93.0f),  Feature("Mare Imbrium", 12, 100, -32.8f, 1146.0f),
        Feature("Mons Piton", 1, 400, -40.6f, 25.0f),  Feature("Tycho", 2, 600, 43.31f, 85.0f),
    };
};

// Every field is read at its offset, through the program's hooks.
TEST_F(MoonFeaturesTest, RecordFieldsThroughTheProgramHooks) {
    MoonFeatureRecord m;
    EXPECT_EQ(GetMoonRecordCount(), 0);
    EXPECT_EQ(GetMoonRecord(0, &m), 0);
    EXPECT_EQ(TakeTexts(), Texts{"Moon Database isn't open!"});
    WriteFeatures(sample);
    EXPECT_EQ(GetMoonRecordCount(), 6);
    ASSERT_EQ(GetMoonRecord(2, &m), 1);
    EXPECT_EQ(fixture::MoonBytes(m), fixture::MoonBytes(sample[2]));
    ASSERT_EQ(GetMoonRecord(11, &m), 1);  // the second copy
    EXPECT_STREQ(m.name, "Tycho");
    EXPECT_EQ(GetMoonRecord(1795, &m), 0);  // above 1794: silent
    EXPECT_EQ(GetMoonRecord(-1, &m), 0);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(GetMoonRecord(12, &m), 0);
    EXPECT_EQ(TakeTexts(), Texts{"Could not retrieve moon record!"});
}

// Regression: the count was cut to 0 for files above 1000 records, emptying every
// real lunar file (which holds each feature twice).
TEST_F(MoonFeaturesTest, CountIsHalfTheRecordsAlsoAbove1000) {
    for (auto [records, features] : {std::pair{2400, 1200}, std::pair{7, 3}}) {
        OpenFullData(&moonDb, "zendavori_moon.ppc", 44, {}, records, 24);
        EXPECT_EQ(GetMoonRecordCount(), features) << records;
    }
}

// The index is built once with a busy step per feature, sorted by map x, by type
// (with the runs of one type) and by record.
TEST_F(MoonFeaturesTest, IndexBuildSortsAndTypeRanges) {
    WriteFeatures(sample);
    int count = -1;
    EXPECT_EQ(GetMoonFeatureIndex(&count), nullptr);
    EXPECT_FALSE(BuildMoonFeatureIndex());
    EXPECT_TRUE(BuildMoonFeatureIndex());
    EXPECT_EQ(std::make_pair(services.busySteps, services.busyEnds), std::make_pair(6, 1));
    const MoonFeatureIndexEntry* index = GetMoonFeatureIndex(&count);
    ASSERT_EQ(count, 6);
    EXPECT_EQ(std::make_tuple(index[3].record, index[3].sortKey, index[3].type), std::make_tuple(3, 100, 12));
    SortMoonFeatureIndex(2);
    EXPECT_EQ(IndexRecords(), (std::vector<int>{3, 2, 0, 4, 1, 5}));
    SortMoonFeatureIndex(1);
    EXPECT_EQ(IndexRecords(), (std::vector<int>{4, 0, 2, 5, 1, 3}));
    const int ranges[][3] = {{2, 1, 3}, {12, 5, 1}, {7, -1, 0}};  // type, first, count
    for (const auto& r : ranges) {
        EXPECT_EQ(FindMoonFeatureTypeRange(r[0], &count), r[1]) << r[0];
        EXPECT_EQ(count, r[2]) << r[0];
    }
    SortMoonFeatureIndex(0);
    EXPECT_EQ(IndexRecords(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

// Features of the current type range; a range kept from before a reopen may reach
// beyond the index: such rows are not read.
TEST_F(MoonFeaturesTest, FeaturesOfTheCurrentRangeNeverBeyondTheIndex) {
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
    featureTypeRange = {5, 6};
    EXPECT_TRUE(GetMoonFeatureInRange(0, &m));
    EXPECT_FALSE(GetMoonFeatureInRange(1, &m));
}

// Size is largest first, Name by record; edge case: sorting by Lat orders -12.34
// before -12.30 before 5.0, whatever the record numbers, in steps of 0.1 degree
// with ties by record number.
TEST_F(MoonFeaturesTest, VisibleSortOrders) {
    sample[4].diameter = 93.0f;  // same as record 2
    WriteFeatures(sample);
    EXPECT_EQ(Sorted({5, 4, 2, 3, 0}, 0), (std::vector<int32_t>{3, 2, 4, 5, 0}));
    EXPECT_EQ(Sorted({5, 4, 2, 3, 0}, 1), (std::vector<int32_t>{0, 2, 3, 4, 5}));
    WriteFeatures({Feature("A", 2, 0, 5.0f, 1), Feature("B", 2, 0, -12.30f, 1), Feature("C", 2, 0, -12.34f, 1),
                   Feature("D", 2, 0, -12.36f, 1), Feature("E", 2, 0, 5.04f, 1)});
    EXPECT_EQ(Sorted({0, 1, 2}, 2), (std::vector<int32_t>{2, 1, 0}));
    EXPECT_EQ(Sorted({2, 0, 1}, 2), (std::vector<int32_t>{2, 1, 0}));
    // -12.34 and -12.36 share a tenth, as do 5.0 and 5.04: record order within it.
    EXPECT_EQ(Sorted({4, 3, 2, 1, 0}, 2), (std::vector<int32_t>{2, 3, 1, 0, 4}));
}

// Regression: the pairwise truncated-difference comparison was not a strict weak
// ordering; a consistent order is independent of the starting permutation.
TEST_F(MoonFeaturesTest, LatitudeOrderDoesNotDependOnTheStartingOrder) {
    std::vector<MoonFeatureRecord> features;
    std::vector<int32_t> list;
    for (int i = 0; i < 40; ++i) {
        features.push_back(Feature("F", 2, 0, -2.0f + 0.047f * static_cast<float>((i * 17) % 40), 1));
        list.push_back(i);
    }
    WriteFeatures(features);
    std::vector<int32_t> reference = Sorted(list, 2);
    EXPECT_EQ(Sorted(std::vector<int32_t>(list.rbegin(), list.rend()), 2), reference);
    for (std::size_t i = 1; i < reference.size(); ++i)  // never out of order by a tenth or more
        EXPECT_LT(features[reference[i - 1]].latitude, features[reference[i]].latitude + 0.1f) << i;
}

}  // namespace
