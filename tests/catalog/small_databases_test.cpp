// Comets, satellites, Martian features and eyepieces.
#include <gtest/gtest.h>

#include "catalog/comet_satellite_db.h"
#include "catalog/eyepieces.h"
#include "catalog/mars_features.h"
#include "catalog_test.h"

using fixture::Bytes;

namespace {

class SmallDatabasesTest : public CatalogTest {
protected:
    void Open(RecordDbHandle** slot, const char* name, uint32_t recordSize, const std::vector<Bytes>& records) {
        folder.WriteDb(std::string("data\\") + name, 1, recordSize, records);
        ASSERT_TRUE(OpenRecordDb(slot, "pl11", "ZDV1", "data\\", name));
    }
};

CometRecord Halley() {
    CometRecord c{};
    c.kind = 13;
    std::snprintf(c.name, sizeof c.name, "1P/Halley");
    c.day = 9.4589f;
    c.perihelionDistance = 0.587104f;
    c.eccentricity = 0.967143f;
    c.argPerihelion = 111.8657f;
    c.node = 58.8601f;
    c.inclination = 162.2422f;
    c.absoluteMagnitude = 5.5f;
    c.slope = 8.0f;
    c.year = 1986;
    c.month = 2;
    return c;
}

TEST_F(SmallDatabasesTest, CometRecordFields) {
    EXPECT_EQ(GetCometCount(), 0);
    CometRecord c;
    EXPECT_FALSE(GetCometData(0, &c));  // not open: silent
    EXPECT_TRUE(services.messages.empty());
    CometRecord minor{};
    minor.kind = 18;
    minor.semiMajorAxis = 2.7675f;
    minor.meanAnomaly = 60.0f;
    minor.epochJulianDay = 2451545.0f;
    Open(&cometDb, "zendavori_comet.ppc", 128, {fixture::CometBytes(Halley()), fixture::CometBytes(minor)});
    EXPECT_EQ(GetCometCount(), 2);
    ASSERT_TRUE(GetCometData(0, &c));
    EXPECT_EQ(c.kind, 13u);
    EXPECT_STREQ(c.name, "1P/Halley");
    EXPECT_FLOAT_EQ(c.day, 9.4589f);
    EXPECT_FLOAT_EQ(c.perihelionDistance, 0.587104f);
    EXPECT_FLOAT_EQ(c.eccentricity, 0.967143f);
    EXPECT_FLOAT_EQ(c.argPerihelion, 111.8657f);
    EXPECT_FLOAT_EQ(c.node, 58.8601f);
    EXPECT_FLOAT_EQ(c.inclination, 162.2422f);
    EXPECT_FLOAT_EQ(c.absoluteMagnitude, 5.5f);
    EXPECT_FLOAT_EQ(c.slope, 8.0f);
    EXPECT_EQ(c.year, 1986);
    EXPECT_EQ(c.month, 2);
    ASSERT_TRUE(GetCometData(1, &c));
    EXPECT_EQ(c.kind, 18u);
    EXPECT_FLOAT_EQ(c.semiMajorAxis, 2.7675f);
    EXPECT_FLOAT_EQ(c.meanAnomaly, 60.0f);
    EXPECT_FLOAT_EQ(c.epochJulianDay, 2451545.0f);
    EXPECT_FALSE(GetCometData(2, &c));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"GetCometData: Could not retrieve comet record! 2"});
}

TEST_F(SmallDatabasesTest, CometNameFillingItsFieldIsTerminated) {
    CometRecord c = Halley();
    std::memset(c.name, 'N', sizeof c.name);
    Bytes b = fixture::CometBytes(c);
    Open(&cometDb, "zendavori_comet.ppc", 128, {b});
    CometRecord read;
    ASSERT_TRUE(GetCometData(0, &read));
    EXPECT_EQ(std::string(read.name), std::string(43, 'N'));
}

TEST_F(SmallDatabasesTest, SatelliteLinesAreCutAndTerminated) {
    SatelliteRecord s;
    EXPECT_FALSE(GetSatelliteRecord(0, &s));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Satellite database isn't open!"});
    services.messages.clear();
    const std::string line1 = "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
    const std::string line2 = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";
    Open(&satelliteDb, "zendavori_satellites.ppc", 213,
         {fixture::SatelliteBytes("ISS (ZARYA)", line1 + "XX", line2)});
    EXPECT_EQ(GetSatelliteCount(), 1);
    ASSERT_TRUE(GetSatelliteRecord(0, &s));
    char line[kSatelliteLineSize];
    GetSatelliteLine(s.nameLine, line);
    EXPECT_STREQ(line, "ISS (ZARYA)");
    GetSatelliteLine(s.line1, line);  // 71 characters fill the field: cut there
    EXPECT_EQ(std::string(line), (line1 + "XX").substr(0, 71));
    GetSatelliteLine(s.line2, line);
    EXPECT_EQ(std::string(line), line2);
    EXPECT_FALSE(GetSatelliteRecord(1, &s));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve satellite record!"});
}

MarsFeatureRecord Mars(const char* name, int16_t group) {
    MarsFeatureRecord m{};
    std::snprintf(m.name, sizeof m.name, "%s", name);
    m.group = group;
    m.mapX = 100;
    m.mapY = 200;
    m.size = 600;
    m.latitude = 18.65f;
    m.longitude = 226.2f;
    return m;
}

TEST_F(SmallDatabasesTest, MarsRecordsAndGroups) {
    MarsFeatureRecord m;
    EXPECT_FALSE(GetMarsRecord(0, &m));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Mars Database isn't open!"});
    services.messages.clear();
    int first = 0, count = 0;
    EXPECT_EQ(FindMarsFeatureGroup(1, &first, &count), -1);
    Open(&marsDb, "zendavori_mars.ppc", 36,
         {fixture::MarsBytes(Mars("Arsia Chasmata", 7)), fixture::MarsBytes(Mars("Olympus Mons", 1)),
          fixture::MarsBytes(Mars("Ascraeus Mons", 1)), fixture::MarsBytes(Mars("Pavonis Mons", 1)),
          fixture::MarsBytes(Mars("Gale", 2))});
    EXPECT_EQ(GetMarsRecordCount(), 5);
    ASSERT_TRUE(GetMarsRecord(1, &m));
    EXPECT_STREQ(m.name, "Olympus Mons");
    EXPECT_EQ(m.group, 1);
    EXPECT_EQ(m.mapX, 100);
    EXPECT_EQ(m.mapY, 200);
    EXPECT_EQ(m.size, 600);
    EXPECT_FLOAT_EQ(m.latitude, 18.65f);
    EXPECT_FLOAT_EQ(m.longitude, 226.2f);
    EXPECT_FALSE(GetMarsRecord(5, &m));
    EXPECT_FALSE(GetMarsRecord(-1, &m));
    EXPECT_TRUE(services.messages.empty());
    struct Case {
        int group, first, count;
    } cases[] = {{1, 1, 3}, {7, 0, 1}, {2, 4, 1}, {3, -1, 0}, {-1, 0, 5}};
    for (const Case& c : cases) {
        EXPECT_EQ(FindMarsFeatureGroup(c.group, &first, &count), c.first) << c.group;
        EXPECT_EQ(first, c.first) << c.group;
        EXPECT_EQ(count, c.count) << c.group;
    }
}

TEST_F(SmallDatabasesTest, MarsRecordTooShortFailsWithMessage) {
    Open(&marsDb, "zendavori_mars.ppc", 30, {Bytes(30)});
    MarsFeatureRecord m;
    EXPECT_FALSE(GetMarsRecord(0, &m));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve mars record!"});
}

// Edge cases: maker AB and model Wide read as "AB-Wide"; a missing file leaves "None".
TEST_F(SmallDatabasesTest, EyepieceText) {
    char text[40] = "stale";
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
    EXPECT_STREQ(text, "AB-Wide");
    EXPECT_EQ(value, 68u);
    EXPECT_FLOAT_EQ(focal, 20.0f);
    // Fields that fill their width end there: the maker's four characters do not run
    // into the model text.
    ASSERT_TRUE(GetEyepieceRecord(1, &value, &focal, text, sizeof text));
    EXPECT_EQ(std::string(text), "TVNG-" + std::string(32, 'N'));
    char small[6];
    ASSERT_TRUE(GetEyepieceRecord(0, &value, &focal, small, sizeof small));
    EXPECT_STREQ(small, "AB-Wi");
    EXPECT_FALSE(GetEyepieceRecord(2, &value, &focal, text, sizeof text));
    EXPECT_STREQ(text, "None");
}

}  // namespace
