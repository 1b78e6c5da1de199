// Comets, satellites, Martian features and eyepieces.
#include <gtest/gtest.h>

#include "catalog/comet_satellite_db.h"
#include "catalog/eyepieces.h"
#include "catalog/mars_features.h"
#include "catalog_test.h"

namespace {

class SmallDatabasesTest : public CatalogTest {};

// Every field is read at its offset (the records read back encode to the bytes
// written); a name filling its field is terminated.
TEST_F(SmallDatabasesTest, CometRecordFieldsAndANameFillingItsField) {
    EXPECT_EQ(GetCometCount(), 0);
    CometRecord c;
    EXPECT_FALSE(GetCometData(0, &c));  // not open: silent
    EXPECT_TRUE(services.messages.empty());
    CometRecord halley{}, minor{}, longName{};
    std::snprintf(halley.name, sizeof halley.name, "1P/Halley");
    halley.kind = 13; halley.day = 9.4589f; halley.perihelionDistance = 0.587104f; halley.eccentricity = 0.967143f;
    halley.argPerihelion = 111.8657f; halley.node = 58.8601f; halley.inclination = 162.2422f;
    halley.absoluteMagnitude = 5.5f; halley.slope = 8.0f; halley.year = 1986; halley.month = 2;
    minor.kind = 18; minor.semiMajorAxis = 2.7675f; minor.meanAnomaly = 60.0f; minor.epochJulianDay = 2451545.0f;
    std::memset(longName.name, 'N', sizeof longName.name);
    OpenData(&cometDb, "zendavori_comet.ppc", 128,
             {fixture::CometBytes(halley), fixture::CometBytes(minor), fixture::CometBytes(longName)});
    EXPECT_EQ(GetCometCount(), 3);
    ASSERT_TRUE(GetCometData(0, &c));
    EXPECT_EQ(fixture::CometBytes(c), fixture::CometBytes(halley));
    ASSERT_TRUE(GetCometData(1, &c));
    EXPECT_EQ(fixture::CometBytes(c), fixture::CometBytes(minor));
    ASSERT_TRUE(GetCometData(2, &c));
    EXPECT_EQ(std::string(c.name), std::string(43, 'N'));
    EXPECT_FALSE(GetCometData(3, &c));
    EXPECT_EQ(TakeTexts(), Texts{"GetCometData: Could not retrieve comet record! 3"});
}

TEST_F(SmallDatabasesTest, SatelliteLinesAreCutAndTerminated) {
    SatelliteRecord s;
    EXPECT_FALSE(GetSatelliteRecord(0, &s));
    EXPECT_EQ(TakeTexts(), Texts{"Satellite database isn't open!"});
    const std::string line1 = "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927XX";
    const std::string line2 = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";
    OpenData(&satelliteDb, "zendavori_satellites.ppc", 213, {fixture::SatelliteBytes("ISS (ZARYA)", line1, line2)});
    EXPECT_EQ(GetSatelliteCount(), 1);
    ASSERT_TRUE(GetSatelliteRecord(0, &s));
    char line[kSatelliteLineSize];
    GetSatelliteLine(s.nameLine, line);
    EXPECT_STREQ(line, "ISS (ZARYA)");
    GetSatelliteLine(s.line1, line);  // 71 characters fill the field: cut there
    EXPECT_EQ(std::string(line), line1.substr(0, 71));
    GetSatelliteLine(s.line2, line);
    EXPECT_EQ(std::string(line), line2);
    EXPECT_FALSE(GetSatelliteRecord(1, &s));
    EXPECT_EQ(TakeTexts(), Texts{"Could not retrieve satellite record!"});
}

// The records of a group are found as a run; a record shorter than a feature
// fails with a message.
TEST_F(SmallDatabasesTest, MarsRecordsGroupsAndRecordsTooShort) {
    MarsFeatureRecord m;
    EXPECT_FALSE(GetMarsRecord(0, &m));
    EXPECT_EQ(TakeTexts(), Texts{"Mars Database isn't open!"});
    int first = 0, count = 0;
    EXPECT_EQ(FindMarsFeatureGroup(1, &first, &count), -1);
    const std::pair<const char*, int16_t> features[] = {
        {"Arsia Chasmata", 7}, {"Olympus Mons", 1}, {"Ascraeus Mons", 1}, {"Pavonis Mons", 1}, {"Gale", 2}};
    std::vector<Bytes> records;
    for (auto [name, group] : features) {
        MarsFeatureRecord f{"", group, 100, 200, 600, 18.65f, 226.2f};
        std::snprintf(f.name, sizeof f.name, "%s", name);
        records.push_back(fixture::MarsBytes(f));
    }
    OpenData(&marsDb, "zendavori_mars.ppc", 36, records);
    EXPECT_EQ(GetMarsRecordCount(), 5);
    ASSERT_TRUE(GetMarsRecord(1, &m));
    EXPECT_EQ(fixture::MarsBytes(m), records[1]);
    EXPECT_FALSE(GetMarsRecord(5, &m));
    EXPECT_FALSE(GetMarsRecord(-1, &m));
    EXPECT_TRUE(services.messages.empty());
    const int cases[][3] = {{1, 1, 3}, {7, 0, 1}, {2, 4, 1}, {3, -1, 0}, {-1, 0, 5}};  // group, first, count
    for (const auto& c : cases) {
        EXPECT_EQ(FindMarsFeatureGroup(c[0], &first, &count), c[1]) << c[0];
        EXPECT_EQ(std::make_pair(first, count), std::make_pair(c[1], c[2])) << c[0];
    }
    OpenData(&marsDb, "zendavori_mars.ppc", 30, {Bytes(30)});
    EXPECT_FALSE(GetMarsRecord(0, &m));
    EXPECT_EQ(TakeTexts(), Texts{"Could not retrieve mars record!"});
}

// Acceptance: maker AB and model Wide read as "AB-Wide"; a missing file leaves "None".
TEST_F(SmallDatabasesTest, EyepieceText) {
    char text[40] = "stale", small[6];
    uint32_t value = 7;
    float focal = 7;
    EXPECT_EQ(CheckEyepieceDatabase(), 0);
    EXPECT_FALSE(GetEyepieceRecord(0, &value, &focal, text, sizeof text));
    EXPECT_STREQ(text, "None");
    EXPECT_EQ(value, 7u);
    EXPECT_TRUE(services.messages.empty());
    folder.WriteDb("data\\zendavori_eyepiece.ppc", 1, 72,
                   {fixture::EyepieceBytes("AB", "Wide", 20.0f, 68), fixture::EyepieceBytes("TVNG", std::string(32, 'N'), 13.0f, 82)});
    EXPECT_EQ(CheckEyepieceDatabase(), 2);
    ASSERT_TRUE(GetEyepieceRecord(0, &value, &focal, text, sizeof text));
    EXPECT_EQ(std::make_tuple(std::string(text), value, focal), std::make_tuple(std::string("AB-Wide"), 68u, 20.0f));
    // Fields that fill their width end there: the maker's four characters do not
    // run into the model text.
    ASSERT_TRUE(GetEyepieceRecord(1, &value, &focal, text, sizeof text));
    EXPECT_EQ(std::string(text), "TVNG-" + std::string(32, 'N'));
    ASSERT_TRUE(GetEyepieceRecord(0, &value, &focal, small, sizeof small));
    EXPECT_STREQ(small, "AB-Wi");
    EXPECT_FALSE(GetEyepieceRecord(2, &value, &focal, text, sizeof text));
    EXPECT_STREQ(text, "None");
}

}  // namespace
