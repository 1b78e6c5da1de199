// Default stars and bright-star names.
#include <gtest/gtest.h>

#include <limits>

#include "catalog/stars.h"
#include "catalog_test.h"

namespace {

class StarsTest : public CatalogTest {
protected:
    // n default stars, star i with HR number 10 * i.
    void WriteStars(int n, uint32_t recordSize = 44) {
        std::vector<Bytes> records;
        for (int i = 0; i < n; ++i) records.push_back(fixture::StarBytes({static_cast<int16_t>(10 * i), 3, 1.0f, 1.0f}));
        OpenData(&defaultStarDb, "zendavori_default_stars.ppc", recordSize, records);
    }
    void WriteNames(const std::vector<std::pair<std::string, int16_t>>& names) {
        std::vector<Bytes> records;
        for (const auto& [name, star] : names) records.push_back(fixture::BrightStarNameBytes(name, star));
        folder.WriteDb("data\\zendavori_brightstar.ppc", 1, 20, records);
    }
};

// Acceptance: 12.0 h and -90.0 degrees in Fix24Angle units (pi = 52707178); the
// other fields kept, the working words cleared.
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
    for (const Case& c : cases) records.push_back(fixture::StarBytes({7001, 52, c.ra, c.dec, 1, 2, 3, 'a', 2}));
    OpenData(&defaultStarDb, "zendavori_default_stars.ppc", 44, records);
    brightStarTable[0].hidden = 1;
    brightStarTable[0].screenX = 99;
    EXPECT_EQ(LoadStarCatalog(0), 1);
    for (int i = 0; i < 3; ++i) {
        const StarRecord& s = brightStarTable[i];
        EXPECT_EQ(std::make_tuple(s.rightAscension, s.declination), std::make_tuple(cases[i].raFix, cases[i].decFix));
        EXPECT_EQ(std::make_tuple(s.hr, s.constellation, s.magnitude16, s.colour, s.flamsteed, s.bayer, s.superscript,
                                  s.hidden, s.screenX),
                  std::make_tuple(7001, 52, 1, 2, 3, 'a', 2, 0u, 0));
    }
}

// Acceptance: the busy indicator steps every 150 records.
TEST_F(StarsTest, BusyIndicatorStepsEvery150Records) {
    WriteStars(kBrightStarCount);
    LoadStarCatalog(1);
    EXPECT_EQ(services.busySteps, 11);  // records 0, 150, ..., 1500
    EXPECT_EQ(services.busyEnds, 1);
    EXPECT_EQ(brightStarTable[1645].hr, 16450);
    EXPECT_TRUE(services.messages.empty());
}

// The table is loaded once and the loading stops at the first failure; without
// the database it stays empty, is marked loaded, and nothing is said.
TEST_F(StarsTest, LoadsOnceAndStopsAtTheFirstFailure) {
    EXPECT_EQ(LoadStarCatalog(0), 1);
    EXPECT_TRUE(IsStarCatalogLoaded());
    EXPECT_EQ(brightStarTable[0].hr, 0);
    EXPECT_TRUE(services.messages.empty());
    ResetStarCatalog();
    WriteStars(200);
    defaultStarDb->recordCount = 1646;  // the file holds only 200
    LoadStarCatalog(1);
    EXPECT_EQ(services.busySteps, 2);  // records 0 and 150
    EXPECT_EQ(TakeMessages(), Texts{"Could not retrieve star record!|recId 200"});
    EXPECT_TRUE(IsStarCatalogLoaded());
    EXPECT_EQ(std::make_pair(brightStarTable[199].hr, brightStarTable[200].hr), std::make_pair(int16_t{1990}, int16_t{0}));
    LoadStarCatalog(1);  // already loaded: nothing read
    EXPECT_EQ(services.busySteps, 2);
    EXPECT_TRUE(services.messages.empty());
}

// Indexes outside the table fail silently; a record shorter than a star fails
// with a message; a damaged position must not overflow the conversion.
TEST_F(StarsTest, ShortRecordsAndDamagedPositionsAreReadSafely) {
    WriteStars(3);
    StarRecord s;
    EXPECT_FALSE(GetStarRecord(1646, &s));
    EXPECT_FALSE(GetStarRecord(-1, &s));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_TRUE(GetStarRecord(2, &s));
    EXPECT_EQ(s.hr, 20);
    WriteStars(3, 40);
    EXPECT_FALSE(GetStarRecord(0, &s));
    EXPECT_EQ(TakeTexts(), Texts{"Could not retrieve star record!"});
    OpenData(&defaultStarDb, "zendavori_default_stars.ppc", 44,
             {fixture::StarBytes({0, 0, 1e30f, std::numeric_limits<float>::quiet_NaN()})});
    ASSERT_TRUE(GetStarRecord(0, &s));
    EXPECT_EQ(std::make_pair(s.rightAscension, s.declination), std::make_pair(2147483647, 0));
}

// Acceptance: 10 name records give N = 5, 11 give 5; the count is kept for the run.
TEST_F(StarsTest, BrightStarCountIsHalfTheRecordsAndCached) {
    EXPECT_EQ(GetBrightStarCount(), 0);  // no file: 0, cached
    WriteNames(std::vector<std::pair<std::string, int16_t>>(10, {"x", 1}));
    EXPECT_EQ(GetBrightStarCount(), 0);
    ResetStarCatalog();
    EXPECT_EQ(GetBrightStarCount(), 5);
    ResetStarCatalog();
    WriteNames(std::vector<std::pair<std::string, int16_t>>(11, {"x", 1}));
    EXPECT_EQ(GetBrightStarCount(), 5);
}

// Acceptance: stars 1..6 with HR 10..60 and names for the stars with HR 20, 30,
// 50 and 60 (in name order, then in HR order): the position of the name by HR,
// -1 for an HR number that is not among the named stars.
TEST_F(StarsTest, FindsTheNamePositionByHr) {
    BrightStarName record{};
    EXPECT_EQ(FindBrightStarNameByHr(10, &record), -1);  // no name file
    EXPECT_FALSE(ReadBrightStarRecord(0, &record));
    WriteStars(7);
    LoadStarCatalog(0);  // stops at record 7, with its message
    services.messages.clear();
    WriteNames({{"Alpha", 5}, {"Beta", 2}, {"Delta", 3}, {"Gamma", 6}, {"Beta", 2}, {"Delta", 3}, {"Alpha", 5}, {"Gamma", 6}});
    const std::tuple<int, int, const char*> cases[] = {{20, 1, "Beta"}, {30, 2, "Delta"}, {50, 0, "Alpha"},
                                                       {60, 3, "Gamma"}, {10, -1, ""}, {40, -1, ""}, {70, -1, ""},
                                                       {0, -1, ""}};
    for (auto [hr, position, name] : cases) {
        EXPECT_EQ(FindBrightStarNameByHr(hr, &record), position) << hr;
        if (position >= 0) {
            EXPECT_STREQ(record.name, name) << hr;
        }
    }
    ASSERT_TRUE(ReadBrightStarRecord(3, &record));
    EXPECT_EQ(std::make_pair(std::string(record.name), record.starIndex), std::make_pair(std::string("Gamma"), int16_t{6}));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_FALSE(ReadBrightStarRecord(8, &record));
    EXPECT_EQ(TakeTexts(), Texts{"Could not retrieve record!"});
}

// Regression: a name record's star index was used on the star table unchecked.
TEST_F(StarsTest, NameRecordWithAStarOutsideTheTableIsReportedDamaged) {
    LoadStarCatalog(0);
    WriteNames({{"Far", 1646}, {"Far", -3}});
    BrightStarName record;
    EXPECT_FALSE(ReadBrightStarRecord(0, &record));
    EXPECT_EQ(FindBrightStarNameByHr(10, &record), -1);
    EXPECT_EQ(services.Texts(), Texts(2, "zendavori_brightstar.ppc is damaged"));
}

// Names longer than the field are cut to its 17 characters.
TEST_F(StarsTest, NameFillingItsFieldIsTerminated) {
    WriteNames({{"ABCDEFGHIJKLMNOPQRS", 1}, {"x", 1}});
    BrightStarName record;
    ASSERT_TRUE(ReadBrightStarRecord(0, &record));
    EXPECT_STREQ(record.name, "ABCDEFGHIJKLMNOPQ");
}

}  // namespace
