// The stellar catalogues: packed stars, the level rule, the declination search
// and the lookups by HR, Hipparcos and Tycho number.
#include <gtest/gtest.h>

#include "catalog/stellar_catalog.h"
#include "catalog_test.h"

using fixture::PackedStarFile;

namespace {

PackedStarFile Star(uint32_t id, int8_t decDegrees, int8_t decMinutes = 0) {
    return {id, {1, 0, 0}, {decDegrees, decMinutes, 0}, 90, -3};
}

Bytes Record(std::vector<PackedStarFile> stars) { return fixture::StellarRecordBytes(stars, 42); }

class StellarTest : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        preferences.word[kPrefCardCatalog] = 6;
    }
    // File `fileIndex` with the given records, then zero records up to `count`.
    void WriteCatalog(int fileIndex, const std::vector<Bytes>& records, int64_t count = -1, int stars = 42) {
        folder.WriteFullDb(std::string("data\\") + stellarCatalogFiles[fileIndex], 1, stars * 12, records,
                           count < 0 ? static_cast<int64_t>(records.size()) : count);
    }
    // Writes file `fileIndex` and opens it anew through catalogue `level`.
    void Open(int fileIndex, int level, const std::vector<Bytes>& records, int64_t count = -1) {
        CloseAllDatabases();
        WriteCatalog(fileIndex, records, count);
        ASSERT_TRUE(SelectStellarCatalog(level)) << level;
    }
    void WriteIndex(const char* name, const std::vector<std::vector<int16_t>>& records) {
        std::vector<Bytes> bytes;
        for (const auto& r : records) bytes.push_back(fixture::StellarIndexBytes(r));
        folder.WriteDb(std::string("data\\") + name, 1, 84, bytes);
    }
};

// Acceptance values: floor divisions of the packed fields, computed by hand
// (23 h 59 m 59 s just under 24 h = 105414357; -45 deg 30' = -45.5 deg).
TEST(PackedStar, UnpacksWithFloorDivision) {
    struct Case {
        PackedStarFile s;
        int32_t raFix, decFix;
    } cases[] = {
        {{0x12345678, {23, 59, 59}, {-45, -30, 0}, 200, -5}, 105413136, -13323204},
        {{0x12345678, {12, 0, 0}, {0, -30, 0}, 200, -5}, 52707178, -146409},  // 12 h = pi; -0 deg 30' by the minutes
        {{0x12345678, {0, 0, 0}, {90, 0, 0}, 200, -5}, 0, 26353589},
        {{0x12345678, {0, 0, 1}, {0, 0, -1}, 200, -5}, 1220, -82},
    };
    for (const Case& c : cases) {
        Bytes bytes = fixture::PackedStarBytes(c.s);
        UnpackedStar u;
        EXPECT_EQ(UnpackStar(bytes.data(), &u), 0x12345678u);
        EXPECT_EQ(std::make_tuple(u.id, u.rightAscension, u.declination, u.magnitude, u.colour),
                  std::make_tuple(0x5678, c.raFix, c.decFix, 200, -5));
    }
    char text[32];
    FormatTychoDesignation(text, sizeof text, 123400567);
    EXPECT_STREQ(text, "TYC1234-567-1");
    FormatTychoDesignation(text, 8, 123400567);
    EXPECT_STREQ(text, "TYC1234");
}

// Acceptance: preference 4 at level 12 selects the Hipparcos 110k file; each
// file here holds a distinct record count.
TEST_F(StellarTest, LevelSelectsTheFileCappedByThePreference) {
    for (int f = 0; f < kStellarCatalogFileCount; ++f) WriteCatalog(f, {}, 10 + f);
    struct Case {
        int preference, level, file;
    } cases[] = {{4, 12, 4}, {6, 0, 0}, {6, 4, 0}, {6, 5, 1}, {6, 6, 2}, {6, 7, 3}, {6, 8, 4},
                 {6, 9, 5},  {6, 10, 6}, {6, 15, 6}, {2, 9, 2}, {1, 0, 0}};
    for (const Case& c : cases) {
        CloseAllDatabases();
        preferences.word[kPrefCardCatalog] = c.preference;
        ASSERT_TRUE(SelectStellarCatalog(c.level)) << c.level;
        EXPECT_EQ(GetRecDbCount(stellarDb), 10 + c.file) << c.preference << " " << c.level;
        EXPECT_EQ(openStellarLevel, c.level);
    }
    EXPECT_STREQ(stellarCatalogFiles[4], "zendavori_hip_110k.ppc");
}

// Acceptance: preference 0 selects nothing at every level; nor do levels outside
// 0..15 or a missing file.
TEST_F(StellarTest, NothingSelected) {
    EXPECT_FALSE(SelectStellarCatalog(3));
    EXPECT_EQ(std::make_tuple(openStellarLevel, GetStellarStarsPerRecord(), GetHipparcosStarCount()),
              std::make_tuple(-1, 0, 0));
    for (int f = 0; f < kStellarCatalogFileCount; ++f) WriteCatalog(f, {}, 10);
    EXPECT_FALSE(SelectStellarCatalog(-1));
    EXPECT_FALSE(SelectStellarCatalog(16));
    preferences.word[kPrefCardCatalog] = 0;
    for (int level = 0; level < kStellarLevelCount; ++level) EXPECT_FALSE(SelectStellarCatalog(level)) << level;
    EXPECT_FALSE(IsStellarCatalogOpen());
}

// 42 stars a record up to 25000 records, 80 above; a large file of 504-byte
// records would be read 960 bytes a record and is refused.
TEST_F(StellarTest, StarsPerRecordFollowTheRecordCountAndMustFitTheRecords) {
    WriteCatalog(0, {}, 25000);
    WriteCatalog(1, {}, 25001, 80);
    ASSERT_TRUE(SelectStellarCatalog(0));
    EXPECT_EQ(GetStellarStarsPerRecord(), 42);
    EXPECT_EQ(GetHipparcosStarCount(), 25000 * 42);
    EXPECT_TRUE(SelectStellarCatalog(0));  // same level: stays open
    ASSERT_TRUE(SelectStellarCatalog(5));
    EXPECT_EQ(GetStellarStarsPerRecord(), 80);
    WriteCatalog(1, {}, 25001, 42);
    CloseAllDatabases();
    EXPECT_FALSE(SelectStellarCatalog(5));
    EXPECT_EQ(TakeTexts(), Texts{"zendavori_hip_16k.ppc is damaged"});
    EXPECT_FALSE(IsStellarCatalogOpen());
}

TEST_F(StellarTest, DeclinationSearchAndAnUnreadableRecord) {
    EXPECT_EQ(FindStellarRecordByDec(0.0f), -1);  // no catalogue
    const std::pair<int, int> decs[] = {{-80, 0}, {-45, -30}, {-10, 0}, {0, -30}, {0, 15}, {20, 0}, {60, 0}};
    std::vector<Bytes> records;
    for (auto [d, m] : decs) records.push_back(Record({Star(1, static_cast<int8_t>(d), static_cast<int8_t>(m))}));
    Open(0, 0, records);
    const std::pair<float, int> cases[] = {{-45.5f, 1}, {-10.0f, 2}, {0.25f, 4}, {-0.5f, 3},
                                           {20.0f, 5},  {95.0f, -1}, {-90.5f, -1}};
    for (auto [dec, record] : cases) EXPECT_EQ(FindStellarRecordByDec(dec), record) << dec;
    int r = FindStellarRecordByDec(30.0f);  // between records: the last probe is at or next to it
    EXPECT_TRUE(r == 5 || r == 6) << r;
    Open(0, 0, {Record({Star(1, 10)})});
    EXPECT_EQ(FindStellarRecordByDec(-60.0f), 0);  // one record
    // A file cut to 2 records once open (far beyond what a read keeps buffered).
    Open(0, 0, {Record({Star(1, -10)}), Record({Star(2, 10)})}, 20000);
    folder.Resize(std::string("data\\") + stellarCatalogFiles[0], 16 + 2 * 504);
    EXPECT_EQ(FindStellarRecordByDec(0.0f), -1);
    EXPECT_EQ(TakeTexts(), Texts{"Can't find Hipparchos record number 9999"});
}

TEST_F(StellarTest, StarByPositionInFileOrder) {
    EXPECT_EQ(GetHipparcosRecord(0, nullptr), 0u);
    EXPECT_EQ(TakeTexts(), Texts{"Database Hipparchos isn't open!"});
    Open(0, 0, {Record({Star(7, 1)}), Record({Star(8, 2), Star(9, 2)})});
    UnpackedStar u;
    EXPECT_EQ(GetHipparcosRecord(43, &u), 9u);
    EXPECT_EQ(u.declination, 585635);  // 2 degrees: floor(2 x 37480660 / 128)
    EXPECT_EQ(GetHipparcosRecord(84, &u), 0u);  // past the file
    EXPECT_EQ(GetHipparcosRecord(-1, &u), 0u);
}

class CatalogNumberTest : public StellarTest {
protected:
    // A Hipparcos file of 2810 records (118020 stars) of which the first three
    // are written; star 100 (= 42 x 2 + 16) is in record 2, star 101 beside it.
    void WriteHipparcos() {
        preferences.word[kPrefCardCatalog] = 4;
        Open(4, 8, {Record({Star(5, -30)}), Record({Star(99, 0)}), Record({Star(101, 30), Star(100, 30)})}, 2810);
    }
};

// The index names the record of the star. The HR catalogue uses the HR index; a
// Tycho file is in neither range.
TEST_F(CatalogNumberTest, StarsThroughTheirIndexes) {
    WriteHipparcos();
    WriteIndex("zendavori_hip_110k_idx.ppc", {{0}, {0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2}});
    UnpackedStar u;
    EXPECT_EQ(GetStarByCatalogNumber(100, &u), 2);
    EXPECT_EQ(u.id, 100);
    EXPECT_EQ(u.declination, 8784529);  // floor(30 x 37480660 / 128)
    EXPECT_EQ(GetStarByCatalogNumber(101, &u), 2);
    WriteIndex("zendavori_hr_idx.ppc", std::vector<std::vector<int16_t>>(167, std::vector<int16_t>(42, 0)));
    preferences.word[kPrefCardCatalog] = 6;
    Open(0, 0, {Record({Star(7001, 38, 47)})}, 217);  // 9114 stars
    EXPECT_EQ(GetStarByCatalogNumber(7001, &u), 0);
    EXPECT_EQ(u.id, 7001);
    Open(5, 9, {Record({Star(7001, 0)})}, 3000);
    EXPECT_EQ(GetStarByCatalogNumber(7001, &u), -1);
}

// A lookup that finds nothing is never reported as success.
TEST_F(CatalogNumberTest, StarMissingFromItsRecordIsNotFound) {
    WriteHipparcos();
    WriteIndex("zendavori_hip_110k_idx.ppc", {{0}, {0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2}});
    UnpackedStar u;
    EXPECT_EQ(GetStarByCatalogNumber(102, &u), -1);  // the index points at record 2, which lacks it
    EXPECT_EQ(GetStarByCatalogNumber(84, &u), -1);   // record 0 holds only star 5
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(CatalogNumberTest, Failures) {
    UnpackedStar u;
    EXPECT_EQ(GetStarByCatalogNumber(100, &u), 0);  // no catalogue open
    WriteHipparcos();
    EXPECT_EQ(GetStarByCatalogNumber(0, &u), -1);
    EXPECT_EQ(GetStarByCatalogNumber(121001, &u), -1);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(GetStarByCatalogNumber(100, &u), -1);
    WriteIndex("zendavori_hip_110k_idx.ppc", {{1}, {-4, 2999}});
    EXPECT_EQ(GetStarByCatalogNumber(100, &u), -1);  // index record 2 missing
    EXPECT_EQ(GetStarByCatalogNumber(42, &u), -1);   // entry -4: damaged
    EXPECT_EQ(GetStarByCatalogNumber(43, &u), -1);   // entry 2999: past the records written
    EXPECT_EQ(services.Texts(),
              (Texts{"Could not open Hipparchos index file", "Can't find Hipparchos index record number 2",
                     "Can't find Hipparchos record number 1", "Can't find Hipparchos record number 1"}));
}

// Regression: a number that no star carries (its index entry -1) was reported as
// a damaged catalogue ("Can't find Hipparchos record number"). It is not found,
// silently.
TEST_F(CatalogNumberTest, AbsentNumberIsNotFoundWithoutAMessage) {
    WriteHipparcos();
    WriteIndex("zendavori_hip_110k_idx.ppc", {{-1, -1, 0}});
    UnpackedStar u;
    EXPECT_EQ(GetStarByCatalogNumber(1, &u), -1);
    EXPECT_TRUE(services.messages.empty());
}

// An index entry naming a record past the catalogue's record count is damaged,
// even when the file happens to hold bytes there: the star is not taken from them.
TEST_F(CatalogNumberTest, IndexEntryBeyondTheRecordCountIsNotRead) {
    std::vector<Bytes> records(218, Record({Star(1, 0)}));
    records[217] = Record({Star(7001, 38)});
    std::vector<std::vector<int16_t>> index(167, std::vector<int16_t>(42, 0));
    index[7001 / 42][7001 % 42] = 217;
    WriteIndex("zendavori_hr_idx.ppc", index);
    Open(0, 0, records, 217);  // 9114 stars: the HR catalogue, its record 217 outside the count
    UnpackedStar u;
    EXPECT_EQ(GetStarByCatalogNumber(7001, &u), -1);
    EXPECT_EQ(services.Texts(), (Texts{"Can't find Hipparchos record number 166"}));
}

// One star a record, by declination; star 100007 of region 1 at +10 degrees;
// region 1 = -5.5..10.5 degrees: records 2..4.
TEST_F(StellarTest, TychoStarFoundBetweenTheDeclinationsOfItsRegion) {
    const std::pair<uint32_t, int8_t> stars[] = {{900001, -20}, {900002, -10}, {900003, 0}, {100007, 10}, {100008, 20}};
    std::vector<Bytes> records;
    for (auto [id, d] : stars) records.push_back(Record({Star(id, d)}));
    WriteCatalog(5, records);
    UnpackedStar u;
    EXPECT_FALSE(GetTychoStar(100007, &u));  // no catalogue: silent
    EXPECT_TRUE(services.messages.empty());
    ASSERT_TRUE(SelectStellarCatalog(9));
    EXPECT_FALSE(GetTychoStar(100007, &u));
    ASSERT_FALSE(services.messages.empty());
    EXPECT_EQ(services.messages.back().detail, "Not found: data/zendavori_tycho_idx.ppc");  // the file looked for
    EXPECT_EQ(TakeTexts(), Texts{"Can't open Tycho index."});
    folder.WriteDb("data\\zendavori_tycho_idx.ppc", 1, 8,
                   {fixture::TychoIndexBytes(0, 0), fixture::TychoIndexBytes(-5.5f, 10.5f)});
    EXPECT_TRUE(GetTychoStar(100007, &u));
    EXPECT_EQ(u.id, static_cast<uint16_t>(100007));
    EXPECT_EQ(u.declination, 2928176);  // floor(10 x 37480660 / 128)
    EXPECT_FALSE(GetTychoStar(900001, &u));  // region 9 is not in the index
    EXPECT_FALSE(GetTychoStar(100009, &u));
    EXPECT_EQ(TakeTexts(), Texts{"Could not retrieve tycho record!"});
}

}  // namespace
