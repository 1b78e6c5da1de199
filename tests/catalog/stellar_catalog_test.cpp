// The stellar catalogues: packed stars, the level rule, the declination search
// and the lookups by HR, Hipparcos and Tycho number.
#include <gtest/gtest.h>

#include "catalog/stellar_catalog.h"
#include "catalog_test.h"

using fixture::Bytes;
using fixture::PackedStarFile;

namespace {

PackedStarFile Star(uint32_t id, int8_t decDegrees, int8_t decMinutes = 0) {
    PackedStarFile s;
    s.id = id;
    s.ra[0] = 1;
    s.dec[0] = decDegrees;
    s.dec[1] = decMinutes;
    s.magnitude16 = 90;
    s.colour = -3;
    return s;
}

class StellarTest : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        preferences.word[kPrefCardCatalog] = 6;
    }
    // File `fileIndex` with the given records; `count` overrides the header count.
    void WriteCatalog(int fileIndex, const std::vector<Bytes>& records, int64_t count = -1, int stars = 42) {
        folder.WriteDb(std::string("data\\") + stellarCatalogFiles[fileIndex], 1, stars * 12, records, count);
    }
    // One record per first-star declination (degrees, minutes), 42 stars a record.
    void WriteDeclinations(const std::vector<std::pair<int, int>>& decs, int64_t count = -1) {
        std::vector<Bytes> records;
        uint32_t id = 1;
        for (auto [d, m] : decs) records.push_back(fixture::StellarRecordBytes({Star(id++, d, m)}, 42));
        WriteCatalog(0, records, count);
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
        int8_t ra[3], dec[3];
        int32_t raFix, decFix;
    } cases[] = {
        {{23, 59, 59}, {-45, -30, 0}, 105413136, -13323204},
        {{12, 0, 0}, {0, -30, 0}, 52707178, -146409},  // 12 h = pi; -0 deg 30' carried by the minutes byte
        {{0, 0, 0}, {90, 0, 0}, 0, 26353589},
        {{0, 0, 1}, {0, 0, -1}, 1220, -82},
    };
    for (const Case& c : cases) {
        PackedStarFile s;
        s.id = 0x12345678;
        std::copy(c.ra, c.ra + 3, s.ra);
        std::copy(c.dec, c.dec + 3, s.dec);
        s.magnitude16 = 200;
        s.colour = -5;
        Bytes bytes = fixture::PackedStarBytes(s);
        UnpackedStar u;
        EXPECT_EQ(UnpackStar(bytes.data(), &u), 0x12345678u);
        EXPECT_EQ(u.id, 0x5678);
        EXPECT_EQ(u.rightAscension, c.raFix);
        EXPECT_EQ(u.declination, c.decFix);
        EXPECT_EQ(u.magnitude, 200);
        EXPECT_EQ(u.colour, -5);
    }
}

TEST(PackedStar, TychoDesignation) {
    char text[32];
    FormatTychoDesignation(text, sizeof text, 123400567);
    EXPECT_STREQ(text, "TYC1234-567-1");
    FormatTychoDesignation(text, 8, 123400567);
    EXPECT_STREQ(text, "TYC1234");
}

// The level table and the cap: each file holds a distinct record count.
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
}

TEST_F(StellarTest, PreferenceZeroSelectsNothingAtEveryLevel) {
    for (int f = 0; f < kStellarCatalogFileCount; ++f) WriteCatalog(f, {}, 10);
    preferences.word[kPrefCardCatalog] = 0;
    for (int level = 0; level < kStellarLevelCount; ++level) EXPECT_FALSE(SelectStellarCatalog(level)) << level;
    EXPECT_FALSE(IsStellarCatalogOpen());
    preferences.word[kPrefCardCatalog] = 6;
    EXPECT_FALSE(SelectStellarCatalog(-1));
    EXPECT_FALSE(SelectStellarCatalog(16));
}

TEST_F(StellarTest, MissingFileLeavesNoLevelOpen) {
    EXPECT_FALSE(SelectStellarCatalog(3));
    EXPECT_EQ(openStellarLevel, -1);
    EXPECT_EQ(GetStellarStarsPerRecord(), 0);
    EXPECT_EQ(GetHipparcosStarCount(), 0);
}

TEST_F(StellarTest, StarsPerRecordFollowTheRecordCount) {
    WriteCatalog(0, {}, 25000);
    WriteCatalog(1, {}, 25001, 80);
    ASSERT_TRUE(SelectStellarCatalog(0));
    EXPECT_EQ(GetStellarStarsPerRecord(), 42);
    EXPECT_EQ(GetHipparcosStarCount(), 25000 * 42);
    EXPECT_TRUE(SelectStellarCatalog(0));  // same level: stays open
    ASSERT_TRUE(SelectStellarCatalog(5));
    EXPECT_EQ(GetStellarStarsPerRecord(), 80);
}

// A large file of 504-byte records would be read 960 bytes a record.
TEST_F(StellarTest, RecordsTooSmallForTheirStarsAreRefused) {
    WriteCatalog(1, {}, 25001, 42);
    EXPECT_FALSE(SelectStellarCatalog(5));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"zendavori_hip_16k.ppc is damaged"});
    EXPECT_FALSE(IsStellarCatalogOpen());
}

TEST_F(StellarTest, DeclinationSearch) {
    WriteDeclinations({{-80, 0}, {-45, -30}, {-10, 0}, {0, -30}, {0, 15}, {20, 0}, {60, 0}});
    ASSERT_TRUE(SelectStellarCatalog(0));
    struct Case {
        float dec;
        int record;
    } cases[] = {
        {-45.5f, 1}, {-10.0f, 2}, {0.25f, 4}, {-0.5f, 3}, {20.0f, 5}, {95.0f, -1}, {-90.5f, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(FindStellarRecordByDec(c.dec), c.record) << c.dec;
    // Between records the last probe is at or next to the declination.
    int r = FindStellarRecordByDec(30.0f);
    EXPECT_TRUE(r == 5 || r == 6) << r;
}

TEST_F(StellarTest, DeclinationSearchOfOneRecordAndOfNoCatalogue) {
    EXPECT_EQ(FindStellarRecordByDec(0.0f), -1);
    WriteDeclinations({{10, 0}});
    ASSERT_TRUE(SelectStellarCatalog(0));
    EXPECT_EQ(FindStellarRecordByDec(-60.0f), 0);
}

TEST_F(StellarTest, DeclinationSearchReportsAnUnreadableRecord) {
    WriteDeclinations({{-10, 0}, {10, 0}}, 20);  // the header promises 20 records
    ASSERT_TRUE(SelectStellarCatalog(0));
    EXPECT_EQ(FindStellarRecordByDec(0.0f), -1);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Can't find Hipparchos record number 9"});
}

TEST_F(StellarTest, StarByPositionInFileOrder) {
    EXPECT_EQ(GetHipparcosRecord(0, nullptr), 0u);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Database Hipparchos isn't open!"});
    WriteCatalog(0, {fixture::StellarRecordBytes({Star(7, 1)}, 42),
                     fixture::StellarRecordBytes({Star(8, 2), Star(9, 2)}, 42)});
    ASSERT_TRUE(SelectStellarCatalog(0));
    UnpackedStar u;
    EXPECT_EQ(GetHipparcosRecord(43, &u), 9u);
    EXPECT_EQ(u.declination, 585635);  // 2 degrees: floor(2 x 37480660 / 128)
    EXPECT_EQ(GetHipparcosRecord(84, &u), 0u);  // past the file
    EXPECT_EQ(GetHipparcosRecord(-1, &u), 0u);
}

class CatalogNumberTest : public StellarTest {
protected:
    // A Hipparcos file of 2810 records (118020 stars) of which the first three
    // are written; star 100 is in record 2.
    void WriteHipparcos() {
        WriteCatalog(4, {fixture::StellarRecordBytes({Star(5, -30)}, 42),
                         fixture::StellarRecordBytes({Star(99, 0)}, 42),
                         fixture::StellarRecordBytes({Star(101, 30), Star(100, 30)}, 42)},
                     2810);
        preferences.word[kPrefCardCatalog] = 4;
        ASSERT_TRUE(SelectStellarCatalog(8));
    }
};

TEST_F(CatalogNumberTest, HipparcosStarThroughItsIndex) {
    WriteHipparcos();
    WriteIndex("zendavori_hip_110k_idx.ppc", {{0}, {0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}});
    UnpackedStar u;
    EXPECT_EQ(GetStarByCatalogNumber(100, &u), 2);  // 100 = 42 x 2 + 16
    EXPECT_EQ(u.id, 100);
    EXPECT_EQ(u.declination, 8784529);  // floor(30 x 37480660 / 128)
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(CatalogNumberTest, StarMissingFromItsRecordIsNotFound) {
    WriteHipparcos();
    WriteIndex("zendavori_hip_110k_idx.ppc", {{0}, {0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2}});
    UnpackedStar u;
    EXPECT_EQ(GetStarByCatalogNumber(101, &u), 2);
    EXPECT_EQ(GetStarByCatalogNumber(102, &u), -1);  // the index points at record 2, which lacks it
    EXPECT_EQ(GetStarByCatalogNumber(84, &u), -1);   // record 0 holds only star 5
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
              (std::vector<std::string>{"Could not open Hipparchos index file", "Can't find Hipparchos index record number 2",
                                        "Can't find Hipparchos record number 1", "Can't find Hipparchos record number 1"}));
}

TEST_F(CatalogNumberTest, HrCatalogueUsesTheHrIndexAndTychoNone) {
    WriteCatalog(0, {fixture::StellarRecordBytes({Star(7001, 38, 47)}, 42)}, 217);  // 9114 stars
    WriteIndex("zendavori_hr_idx.ppc", std::vector<std::vector<int16_t>>(167, std::vector<int16_t>(42, 0)));
    preferences.word[kPrefCardCatalog] = 6;
    ASSERT_TRUE(SelectStellarCatalog(0));
    UnpackedStar u;
    EXPECT_EQ(GetStarByCatalogNumber(7001, &u), 0);
    EXPECT_EQ(u.id, 7001);
    CloseAllDatabases();
    WriteCatalog(5, {fixture::StellarRecordBytes({Star(7001, 0)}, 42)}, 3000);
    ASSERT_TRUE(SelectStellarCatalog(9));
    EXPECT_EQ(GetStarByCatalogNumber(7001, &u), -1);  // a Tycho count is in neither range
}

// An index entry naming a record past the catalogue's record count is damaged,
// even when the file happens to hold bytes there: the star is not taken from them.
TEST_F(CatalogNumberTest, IndexEntryBeyondTheRecordCountIsNotRead) {
    std::vector<Bytes> records(218, fixture::StellarRecordBytes({Star(1, 0)}, 42));
    records[217] = fixture::StellarRecordBytes({Star(7001, 38)}, 42);
    WriteCatalog(0, records, 217);  // 9114 stars: the HR catalogue, its record 217 outside the count
    std::vector<std::vector<int16_t>> index(167, std::vector<int16_t>(42, 0));
    index[7001 / 42][7001 % 42] = 217;
    WriteIndex("zendavori_hr_idx.ppc", index);
    ASSERT_TRUE(SelectStellarCatalog(0));
    UnpackedStar u;
    EXPECT_EQ(GetStarByCatalogNumber(7001, &u), -1);
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{"Can't find Hipparchos record number 166"}));
}

class TychoTest : public StellarTest {
protected:
    void SetUp() override {
        StellarTest::SetUp();
        // One star a record, by declination; star 100007 of region 1 at +10 degrees.
        const std::pair<uint32_t, int8_t> stars[] = {{900001, -20}, {900002, -10}, {900003, 0}, {100007, 10}, {100008, 20}};
        std::vector<Bytes> records;
        for (auto [id, d] : stars) records.push_back(fixture::StellarRecordBytes({Star(id, d)}, 42));
        WriteCatalog(5, records);
    }
};

TEST_F(TychoTest, StarFoundBetweenTheDeclinationsOfItsRegion) {
    folder.WriteDb("data\\zendavori_tycho_idx.ppc", 1, 8,
                   {fixture::TychoIndexBytes(0, 0), fixture::TychoIndexBytes(-5.5f, 10.5f)});
    ASSERT_TRUE(SelectStellarCatalog(9));
    UnpackedStar u;
    EXPECT_TRUE(GetTychoStar(100007, &u));  // region 1 = -5.5..10.5 degrees: records 2..4
    EXPECT_EQ(u.id, static_cast<uint16_t>(100007));
    EXPECT_EQ(u.declination, 2928176);  // floor(10 x 37480660 / 128)
    EXPECT_FALSE(GetTychoStar(900001, &u));  // region 9 is not in the index
    EXPECT_FALSE(GetTychoStar(100009, &u));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve tycho record!"});
}

TEST_F(TychoTest, MissingIndexOrCatalogue) {
    UnpackedStar u;
    EXPECT_FALSE(GetTychoStar(100007, &u));
    EXPECT_TRUE(services.messages.empty());
    ASSERT_TRUE(SelectStellarCatalog(9));
    EXPECT_FALSE(GetTychoStar(100007, &u));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Can't open Tycho index."});
}

}  // namespace
