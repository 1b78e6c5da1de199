// Default stars and bright-star names.
#include <gtest/gtest.h>

#include "catalog/stars.h"
#include "catalog_test.h"

using fixture::Bytes;

namespace {

class StarsTest : public CatalogTest {
protected:
    // n default stars, star i with HR number 10 * i.
    void WriteStars(int n, uint32_t recordSize = 44) {
        std::vector<Bytes> records;
        for (int i = 0; i < n; ++i) {
            fixture::StarFile s;
            s.hr = static_cast<int16_t>(10 * i);
            s.constellation = 3;
            s.raHours = 1.0f;
            s.decDegrees = 1.0f;
            records.push_back(fixture::StarBytes(s));
        }
        WriteStarRecords(records, recordSize);
    }
    void WriteStarRecords(const std::vector<Bytes>& records, uint32_t recordSize = 44) {
        folder.WriteDb("data\\zendavori_default_stars.ppc", 1, recordSize, records);
        ASSERT_TRUE(OpenRecordDb(&defaultStarDb, "pl01", "ZDV1", "data\\", "zendavori_default_stars.ppc"));
    }
    void WriteNames(const std::vector<Bytes>& records) {
        folder.WriteDb("data\\zendavori_brightstar.ppc", 1, 20, records);
    }
};

// Edge case values: 12.0 h and -90.0 degrees in Fix24Angle units (pi = 52707178).
TEST_F(StarsTest, LoadConvertsPositionsToFix24AndKeepsTheFields) {
    struct Case {
        float ra, dec;
        int32_t raFix, decFix;
    } cases[] = {
        {12.0f, -90.0f, 52707178, -26353589},
        {0.0f, 90.0f, 0, 26353589},
        {6.0f, 45.0f, 26353589, 13176794},  // pi/2, pi/4 truncated
    };
    std::vector<Bytes> records;
    for (const Case& c : cases) {
        fixture::StarFile s;
        s.hr = 7001;
        s.constellation = 52;
        s.raHours = c.ra;
        s.decDegrees = c.dec;
        s.magnitude16 = 1;
        s.colour = 2;
        s.flamsteed = 3;
        s.bayer = 'a';
        s.superscript = 2;
        records.push_back(fixture::StarBytes(s));
    }
    WriteStarRecords(records);
    brightStarTable[0].hidden = 1;
    brightStarTable[0].screenX = 99;
    EXPECT_EQ(LoadStarCatalog(0), 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(brightStarTable[i].rightAscension, cases[i].raFix) << i;
        EXPECT_EQ(brightStarTable[i].declination, cases[i].decFix) << i;
    }
    const StarRecord& s = brightStarTable[0];
    EXPECT_EQ(s.hr, 7001);
    EXPECT_EQ(s.constellation, 52);
    EXPECT_EQ(s.magnitude16, 1);
    EXPECT_EQ(s.colour, 2);
    EXPECT_EQ(s.flamsteed, 3);
    EXPECT_EQ(s.bayer, 'a');
    EXPECT_EQ(s.superscript, 2);
    EXPECT_EQ(s.hidden, 0u);
    EXPECT_EQ(s.screenX, 0);
}

TEST_F(StarsTest, BusyIndicatorStepsEvery150Records) {
    WriteStars(kBrightStarCount);
    LoadStarCatalog(1);
    EXPECT_EQ(services.busySteps, 11);  // records 0, 150, ..., 1500
    EXPECT_EQ(services.busyEnds, 1);
    EXPECT_EQ(brightStarTable[1645].hr, 16450);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(StarsTest, LoadsOnceAndStopsAtTheFirstFailure) {
    WriteStars(200);
    defaultStarDb->recordCount = 1646;  // the file holds only 200
    LoadStarCatalog(1);
    EXPECT_EQ(services.busySteps, 2);  // records 0 and 150
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve star record!"});
    EXPECT_EQ(services.messages[0].detail, "recId 200");
    EXPECT_TRUE(IsStarCatalogLoaded());
    EXPECT_EQ(brightStarTable[199].hr, 1990);
    EXPECT_EQ(brightStarTable[200].hr, 0);
    LoadStarCatalog(1);  // already loaded: nothing read
    EXPECT_EQ(services.busySteps, 2);
    EXPECT_EQ(services.messages.size(), 1u);
}

// Without the database the table stays empty, is marked loaded, and nothing is said.
TEST_F(StarsTest, MissingDatabaseLeavesAnEmptyLoadedTable) {
    EXPECT_EQ(LoadStarCatalog(0), 1);
    EXPECT_TRUE(IsStarCatalogLoaded());
    EXPECT_EQ(brightStarTable[0].hr, 0);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(StarsTest, StarRecordIndexIsChecked) {
    WriteStars(3);
    StarRecord s;
    EXPECT_FALSE(GetStarRecord(1646, &s));
    EXPECT_FALSE(GetStarRecord(-1, &s));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_TRUE(GetStarRecord(2, &s));
    EXPECT_EQ(s.hr, 20);
}

TEST_F(StarsTest, RecordShorterThanAStarFailsWithMessage) {
    WriteStars(3, 40);
    StarRecord s;
    EXPECT_FALSE(GetStarRecord(0, &s));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve star record!"});
}

// A damaged position must not overflow the conversion.
TEST_F(StarsTest, DamagedPositionsConvertWithinRange) {
    fixture::StarFile s;
    s.raHours = 1e30f;
    s.decDegrees = std::numeric_limits<float>::quiet_NaN();
    WriteStarRecords({fixture::StarBytes(s)});
    StarRecord star;
    ASSERT_TRUE(GetStarRecord(0, &star));
    EXPECT_EQ(star.rightAscension, 2147483647);
    EXPECT_EQ(star.declination, 0);
}

// Edge cases: 10 name records give N = 5, 11 give 5; the count is kept for the run.
TEST_F(StarsTest, BrightStarCountIsHalfTheRecordsAndCached) {
    EXPECT_EQ(GetBrightStarCount(), 0);  // no file: 0, cached
    WriteNames(std::vector<Bytes>(10, fixture::BrightStarNameBytes("x", 1)));
    EXPECT_EQ(GetBrightStarCount(), 0);
    ResetStarCatalog();
    EXPECT_EQ(GetBrightStarCount(), 5);
    ResetStarCatalog();
    WriteNames(std::vector<Bytes>(11, fixture::BrightStarNameBytes("x", 1)));
    EXPECT_EQ(GetBrightStarCount(), 5);
}

class BrightStarNamesTest : public StarsTest {
protected:
    // Stars 1..6 with HR 10..60; names for the stars with HR 20, 30, 50 and 60.
    void SetUp() override {
        StarsTest::SetUp();
        WriteStars(7);
        LoadStarCatalog(0);  // stops at record 7, with its message
        services.messages.clear();
        WriteNames({fixture::BrightStarNameBytes("Alpha", 5), fixture::BrightStarNameBytes("Beta", 2),
                    fixture::BrightStarNameBytes("Delta", 3), fixture::BrightStarNameBytes("Gamma", 6),
                    fixture::BrightStarNameBytes("Beta", 2), fixture::BrightStarNameBytes("Delta", 3),
                    fixture::BrightStarNameBytes("Alpha", 5), fixture::BrightStarNameBytes("Gamma", 6)});
    }
    BrightStarName record{};
};

TEST_F(BrightStarNamesTest, FindsTheNamePositionByHr) {
    struct Case {
        int hr;
        int position;
        const char* name;
    } cases[] = {{20, 1, "Beta"}, {30, 2, "Delta"}, {50, 0, "Alpha"}, {60, 3, "Gamma"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FindBrightStarNameByHr(c.hr, &record), c.position) << c.hr;
        EXPECT_STREQ(record.name, c.name) << c.hr;
    }
    EXPECT_TRUE(services.messages.empty());
}

// Edge case: an HR number that is not among the named stars gives -1.
TEST_F(BrightStarNamesTest, UnnamedStarGivesMinusOne) {
    for (int hr : {10, 40, 70, 0}) EXPECT_EQ(FindBrightStarNameByHr(hr, &record), -1) << hr;
}

TEST_F(BrightStarNamesTest, ReadsANameRecord) {
    ASSERT_TRUE(ReadBrightStarRecord(3, &record));
    EXPECT_STREQ(record.name, "Gamma");
    EXPECT_EQ(record.starIndex, 6);
    EXPECT_FALSE(ReadBrightStarRecord(8, &record));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve record!"});
}

TEST_F(StarsTest, MissingNameFileGivesNoNames) {
    BrightStarName record;
    EXPECT_FALSE(ReadBrightStarRecord(0, &record));
    EXPECT_EQ(FindBrightStarNameByHr(10, &record), -1);
    EXPECT_TRUE(services.messages.empty());
}

// Regression: a name record's star index was used on the star table unchecked.
TEST_F(StarsTest, NameRecordWithAStarOutsideTheTableIsReportedDamaged) {
    LoadStarCatalog(0);
    WriteNames({fixture::BrightStarNameBytes("Far", 1646), fixture::BrightStarNameBytes("Far", -3)});
    BrightStarName record;
    EXPECT_FALSE(ReadBrightStarRecord(0, &record));
    EXPECT_EQ(FindBrightStarNameByHr(10, &record), -1);
    EXPECT_EQ(services.Texts(), std::vector<std::string>(2, "zendavori_brightstar.ppc is damaged"));
}

// Names longer than the field are cut to its 17 characters.
TEST_F(StarsTest, NameFillingItsFieldIsTerminated) {
    WriteNames({fixture::BrightStarNameBytes("ABCDEFGHIJKLMNOPQRS", 1), fixture::BrightStarNameBytes("x", 1)});
    BrightStarName record;
    ASSERT_TRUE(ReadBrightStarRecord(0, &record));
    EXPECT_STREQ(record.name, "ABCDEFGHIJKLMNOPQ");
}

}  // namespace
