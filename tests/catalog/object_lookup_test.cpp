// Object lookup by catalogue kind and the built-in number tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "catalog/designations.h"
#include "catalog/object_lists.h"
#include "catalog/object_lookup.h"
#include "catalog_test.h"
#include "core/constellation.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "ephemeris/body_positions.h"
#include "objects/selected_object.h"
#include "platform/clock.h"
#include "support/object_file_fixture.h"
#include "support/reference_table.h"

namespace {

class ObjectLookupTest : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        OpenShared(fixture::SharedObjectRecords());
    }
    void OpenShared(const std::vector<ObjectRecord>& objects) {
        OpenObjects(objects, "zendavori_obj_1k.ppc");
        UseObjectFileRanges(false);
    }
    // Looks up and keeps the texts.
    bool Lookup(int kind, int index, int compute = 0) {
        record = ObjectRecord{};
        listed = -7;
        return GetObjectByKind(kind, index, &record, designation, sizeof designation, name, sizeof name, compute,
                               &listed);
    }
    ObjectRecord record{};
    char designation[32] = "";
    char name[32] = "";
    int listed = -7;
};

int32_t NumberOfRecord(int index) {
    ObjectRecord r;
    EXPECT_TRUE(GetObjectRecord(index, &r));
    return r.number;
}

// The record numbers of the telling rows of the number tables, for the shared
// records of the object files (the fixture holds its objects at those records).
// Every entry names an object of the file but M40, a double star outside NGC and
// IC; an index beyond a table fails silently.
TEST_F(ObjectLookupTest, NumberTablesReachTheirRecords) {
    using Get = bool (*)(int, ObjectRecord*);
    const Get messier = GetMessierObjectRecord, caldwell = GetCaldwellObjectRecord, herschel = GetHerschelObjectRecord,
              best = GetBestNgcObjectRecord;
    struct Case {
        Get get;
        int index, record;
    } cases[] = {
        {messier, 0, 266},   {messier, 1, 1066}, {messier, 30, 89},   {messier, 41, 272},  {messier, 44, 1126},
        {caldwell, 0, 85},   {caldwell, 1, 72},  {caldwell, 8, 1127}, {herschel, 0, 72},   {herschel, 399, 1125},
        {best, 0, 72},       {best, 109, 1114},
    };
    ObjectRecord r, expected;
    for (const Case& c : cases) {
        ASSERT_TRUE(c.get(c.index, &r)) << c.index;
        ASSERT_TRUE(GetObjectRecord(c.record, &expected));
        EXPECT_EQ(std::make_tuple(r.designationId, r.number), std::make_tuple(expected.designationId, expected.number));
    }
    const std::pair<Get, int> tables[] = {{messier, kMessierCount}, {caldwell, kCaldwellCount},
                                          {herschel, kHerschelCount}, {best, kBestNgcCount}};
    for (auto [get, count] : tables) {
        for (int i = 0; i < count; ++i) EXPECT_EQ(get(i, &r), get != messier || i != 39) << count << " " << i;
        EXPECT_FALSE(get(count, &r));
        EXPECT_FALSE(get(-1, &r));
    }
    EXPECT_TRUE(services.messages.empty());
}

// A Herschel number that the file holds under its alias (NGC 651 as NGC 650).
TEST_F(ObjectLookupTest, AliasNumberOfTheSameObject) {
    std::vector<ObjectRecord> objects = fixture::SharedObjectRecords();
    for (ObjectRecord& o : objects)
        if (o.designationId == kDesignationNgc && o.number == 651) o.number = 650;
    OpenShared(objects);
    ObjectRecord r;
    int position = 0;
    while (herschelKeys[position].number != 651) ++position;
    ASSERT_TRUE(GetHerschelObjectRecord(position, &r));
    EXPECT_EQ(r.number, 650);
}

// Acceptance: (40, 0) gives "M1".
TEST_F(ObjectLookupTest, MessierAndCaldwellKinds) {
    ASSERT_TRUE(Lookup(kDesignationMessier, 0));
    EXPECT_EQ(std::string(designation) + "|" + name, "M1|NGC1952");
    EXPECT_EQ(std::make_tuple(record.designationId, record.number, listed), std::make_tuple(40u, 0, 1));
    ASSERT_TRUE(Lookup(kDesignationCaldwell, -13));  // the absolute index
    EXPECT_EQ(std::string(designation) + "|" + name, "C14|NGC869");
    EXPECT_EQ(std::make_tuple(record.designationId, record.number), std::make_tuple(9u, 13));
    EXPECT_FALSE(Lookup(kDesignationMessier, 39));  // M40 is not in the file
}

TEST_F(ObjectLookupTest, HerschelNamesFromTheCrossReferences) {
    fixture::CrossRef bowTie{42, {0, 0, 0}, 40, {0, 0, 0}, "Bow-Tie nebula."};
    fixture::CrossRef alternative{42, {11, 0, 0}, 129, {4, 0, 0}, "Ignored"};
    OpenData(&crossRefDb, "zendavori_obj_cross_ref.ppc", 48,
             {fixture::CrossRefBytes({}, 48), fixture::CrossRefBytes(bowTie, 48), fixture::CrossRefBytes(alternative, 48)});
    ASSERT_TRUE(Lookup(kDesignationHerschel, 0));
    EXPECT_EQ(std::string(designation) + "|" + name, "NGC40|Bow-Tie nebula");  // at most 15 characters, the last dropped
    EXPECT_EQ(std::make_tuple(record.designationId, listed), std::make_tuple(42u, 1));  // identity as stored
    ASSERT_TRUE(Lookup(kDesignationHerschel, 1));
    EXPECT_STREQ(name, "Cr4");
    ASSERT_TRUE(Lookup(kDesignationBestNgc, 0));
    EXPECT_EQ(std::string(designation) + "|" + name, "NGC40|");
}

// Acceptance: (42, 224) finds NGC 224; a negative index counts records in file order.
TEST_F(ObjectLookupTest, CatalogueRangeByNumberAndInFileOrder) {
    selectedObject = SelectedObjectRecord{};
    ASSERT_TRUE(Lookup(kDesignationNgc, 224));
    EXPECT_STREQ(designation, "NGC224");
    EXPECT_EQ(std::make_tuple(record.number, listed), std::make_tuple(224, 1));
    EXPECT_EQ(std::make_tuple(selectedObject.index, selectedObject.catalog, selectedObject.isSet,
                              selectedObject.record.number),
              std::make_tuple(89, 10, 1, 224));
    ASSERT_TRUE(Lookup(kDesignationNgc, -3));  // the fourth NGC record
    EXPECT_EQ(record.number, NumberOfRecord(75));
    ASSERT_TRUE(Lookup(kDesignationIc, 0));
    EXPECT_EQ(record.number, NumberOfRecord(0));
    EXPECT_FALSE(Lookup(kDesignationIc, -72));  // past the IC records: not an NGC object
    EXPECT_FALSE(Lookup(kDesignationNgc, 39));
}

// Records whose place is no place on the sky: NGC 224 (record 89) with an
// infinite RA is not delivered, and record 598, the first probe of the
// bisection of the NGC records 72..1125, with a NaN declination, still steers
// the search to NGC 188 and NGC 7814 while being no answer itself.
TEST_F(ObjectLookupTest, RecordsWithoutAPlaceAreNotDelivered) {
    std::vector<ObjectRecord> objects = fixture::SharedObjectRecords();
    objects[89].rightAscension = std::numeric_limits<float>::infinity();
    objects[598].declination = std::nanf("");
    const int32_t probed = objects[598].number;
    OpenShared(objects);
    EXPECT_FALSE(Lookup(kDesignationNgc, 224));
    EXPECT_FALSE(Lookup(kDesignationNgc, probed));
    EXPECT_TRUE(Lookup(kDesignationNgc, 188));
    EXPECT_TRUE(Lookup(kDesignationNgc, 7814));
    EXPECT_EQ(ReadObjectRecord(598, &record), kObjectDamaged);
    EXPECT_EQ(record.number, probed);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ObjectLookupTest, KindWithoutRecordsFailsWithoutReading) {
    CloseRecordDb(&objectDb);  // a read would say "Object database isn't open!"
    // "Be" (first 50000), Abell (no records in the 1k file), ids outside the table.
    for (int kind : {5, 1, 68, -1}) EXPECT_FALSE(Lookup(kind, kind == 68 ? 1 : 3)) << kind;
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ObjectLookupTest, ConstellationAndPlanetKinds) {
    ASSERT_TRUE(Lookup(kDesignationConstellation, 52, 1));
    EXPECT_EQ(std::string(designation) + "|" + name, "Lyr|Lyra");
    EXPECT_EQ(std::make_tuple(record.designationId, record.objectType, record.constellation, record.magnitude, listed),
              std::make_tuple(13u, 14u, 52u, 0.0f, 0));
    EXPECT_FLOAT_EQ(record.rightAscension, 18.608f);
    EXPECT_FLOAT_EQ(record.declination, 35.65f);
    EXPECT_FALSE(Lookup(kDesignationConstellation, 89));
    ASSERT_TRUE(Lookup(kDesignationPlanet, 4));
    EXPECT_EQ(std::string(designation) + "|" + name + "|" + record.name, "Mars||Mars");
    EXPECT_EQ(std::make_tuple(record.objectType, record.number, listed), std::make_tuple(27u, 4, 1));
    EXPECT_FALSE(Lookup(kDesignationPlanet, 10));
}

// The computed fields are those of the body computation for the current date,
// time and site, with the constellation of that place.
TEST_F(ObjectLookupTest, PlanetPositionedForTheCurrentTime) {
    currentDateTime = DateTime{2024, 3, 5, 21, 0, 0};
    currentSite.zoneMinutes = 60;
    BodyPosition mars{};
    ASSERT_EQ(ComputeBody(&mars, 4, 2024, 3, 5, 21, 0, 0), 0);
    ASSERT_TRUE(Lookup(kDesignationPlanet, 4, 1));
    EXPECT_FLOAT_EQ(record.rightAscension, static_cast<float>(mars.ra));
    EXPECT_FLOAT_EQ(record.declination, static_cast<float>(mars.dec));
    EXPECT_FLOAT_EQ(record.magnitude, static_cast<float>(mars.magnitude));
    EXPECT_FLOAT_EQ(record.size1, static_cast<float>(mars.apparentDiameter));
    EXPECT_EQ(record.size2, record.size1);
    EXPECT_FLOAT_EQ(record.distance, static_cast<float>(mars.distance));
    EXPECT_EQ(static_cast<int>(record.constellation), FindConstellation(record.rightAscension, record.declination,
                                                                        JulianDayFromDateTime(2024, 3, 5, 21, 0, 0, 60)));
}

// Acceptance: the first row as the shower table gives it: Quadrantids, 1 to 5
// January, peak 3 January, radiant 15.33 h +49 degrees, 41 km/s, rate 120.
TEST_F(ObjectLookupTest, MeteorShowerKind) {
    const MeteorShowerRow& q = meteorShowerTable[0];
    EXPECT_EQ(std::string(q.name) + "|" + q.code, "Quadrantids|QUA");
    EXPECT_EQ((std::vector<int>{q.startDay, q.startMonth, q.endDay, q.endMonth, q.peakDay, q.peakMonth,
                                q.raCentihours, q.decDegrees, q.velocity, q.zhr}),
              (std::vector<int>{1, 1, 5, 1, 3, 1, 1533, 49, 41, 120}));
    EXPECT_STREQ(meteorShowerTable[kMeteorShowerCount - 1].name, "Ursids");
    pl::SetShortDatePattern("d/M/yyyy");
    ResetDateFieldOrder();
    currentDateTime = DateTime{2024, 1, 10, 22, 0, 0};
    ASSERT_TRUE(Lookup(kDesignationMeteor, 0, 1));
    EXPECT_EQ(std::string(designation) + "|" + name + "|" + record.name, "03/01|Quadrantids|Quadrantids");
    EXPECT_EQ(std::make_tuple(record.objectType, record.classCode, record.objectCode, listed),
              std::make_tuple(29u, int16_t{3}, uint16_t{1}, 1));
    EXPECT_FLOAT_EQ(record.rightAscension, 15.33f);
    EXPECT_FLOAT_EQ(record.declination, 49.0f);
    EXPECT_FLOAT_EQ(record.size1, 400.0f);
    EXPECT_FLOAT_EQ(record.magnitude, 120.0f);
    EXPECT_EQ(static_cast<int>(record.constellation), FindConstellation(15.33, 49.0, 2460320.375));
    currentDateTime.month = 6;
    ASSERT_TRUE(Lookup(kDesignationMeteor, 0));
    EXPECT_EQ(listed, 0);  // outside its start and end months
    int virginids = 0;
    while (std::strcmp(meteorShowerTable[virginids].name, "Virginids") != 0) ++virginids;
    ASSERT_TRUE(Lookup(kDesignationMeteor, virginids));
    EXPECT_STREQ(designation, "25/01");  // no peak: the start date
    EXPECT_FALSE(Lookup(kDesignationMeteor, kMeteorShowerCount));
    pl::SetShortDatePattern("yyyy-MM-dd");  // a locale that writes the year first
    ResetDateFieldOrder();
    ASSERT_TRUE(Lookup(kDesignationMeteor, 0));
    EXPECT_STREQ(designation, "01/03");
    pl::SetShortDatePattern("");
    ResetDateFieldOrder();
}

TEST_F(ObjectLookupTest, UserObjectAndBrightStarKinds) {
    ObjectRecord mine = fixture::SharedObject(kDesignationUser, 3);
    std::strcpy(mine.name, "My object");
    OpenUser(26, {fixture::ObjectBytes(mine)});
    ASSERT_TRUE(Lookup(kDesignationUser, 0));
    EXPECT_STREQ(designation, "My object");
    EXPECT_EQ(std::make_tuple(record.number, listed), std::make_tuple(3, 1));

    fixture::StarFile vega{7001, 52, 18.6156f, 38.7837f, 1, 3};
    OpenData(&defaultStarDb, "zendavori_default_stars.ppc", 44, {fixture::StarBytes({}), fixture::StarBytes(vega)});
    folder.WriteDb("data\\zendavori_brightstar.ppc", 1, 20,
                   {fixture::BrightStarNameBytes("Vega", 1), fixture::BrightStarNameBytes("Vega", 1)});
    ASSERT_TRUE(Lookup(kDesignationBrightStar, 0));
    EXPECT_EQ(std::string(designation) + "|" + record.name, "Vega|Vega");
    EXPECT_FLOAT_EQ(record.magnitude, 1.0f / 16.0f);  // also without compute
    EXPECT_EQ(std::make_tuple(record.classCode, listed), std::make_tuple(int16_t{3}, 0));
    ASSERT_TRUE(Lookup(kDesignationBrightStar, 0, 1));
    EXPECT_NEAR(record.rightAscension, 18.6156, 1e-6);  // through Fix24Angle and back, 0.04" at most
    EXPECT_NEAR(record.declination, 38.7837, 1e-5);
    EXPECT_EQ(std::make_tuple(record.size1, record.constellation), std::make_tuple(1.0f, 52u));  // Lyra, by J2000
    EXPECT_FALSE(Lookup(kDesignationBrightStar, 2));
}

// The lookup holds the card-catalogue cap at its largest file for the call and
// puts the user's value back, whether the lookup succeeds or not.
TEST_F(ObjectLookupTest, HipparcosKindLeavesTheCapAsItWas) {
    preferences.word[kPrefCardCatalog] = 0;
    EXPECT_FALSE(Lookup(kDesignationHip, 91262));
    EXPECT_EQ(services.Texts(), Texts{"Can't find stellar catalog"});
    EXPECT_EQ(services.messages.back().detail, "Not found: data/zendavori_hip_110k.ppc");  // the file looked for
    EXPECT_EQ(preferences.word[kPrefCardCatalog], 0);
    fixture::PackedStarFile star{91262, {18, 36, 56}, {38, 47, 1}, 1, 2};  // 91262 = 42 x 2172 + 38
    folder.WriteFullDb("data\\zendavori_hip_110k.ppc", 1, 504, {fixture::StellarRecordBytes({star}, 42)}, 2810);
    folder.WriteDb("data\\zendavori_hip_110k_idx.ppc", 1, 84, std::vector<Bytes>(2173, fixture::StellarIndexBytes({})));
    ASSERT_TRUE(Lookup(kDesignationHip, 91262, 1));
    EXPECT_EQ(preferences.word[kPrefCardCatalog], 0);
    EXPECT_EQ(std::string(designation) + "|" + record.name, "HIP91262|HIP91262");
    EXPECT_EQ(std::make_tuple(record.objectType, record.classCode, record.constellation, listed),
              std::make_tuple(30u, int16_t{2}, 52u, 0));
    EXPECT_FLOAT_EQ(record.magnitude, 1.0f / 16.0f);
    EXPECT_NEAR(record.rightAscension, 18.0 + 36.0 / 60 + 56.0 / 3600, 2e-6);
    EXPECT_NEAR(record.declination, 38.0 + 47.0 / 60 + 1.0 / 3600, 2e-5);
    EXPECT_FLOAT_EQ(record.size1, 0.1f);
    EXPECT_FALSE(Lookup(kDesignationHip, 91263));
}

TEST_F(ObjectLookupTest, TychoKind) {
    preferences.word[kPrefCardCatalog] = 6;
    fixture::PackedStarFile star{123400567, {0, 0, 0}, {10, 0, 0}, 0, 0};
    folder.WriteDb("data\\zendavori_tycho_2500k.ppc", 1, 504, {fixture::StellarRecordBytes({star}, 42)});
    folder.WriteDb("data\\zendavori_tycho_idx.ppc", 1, 8, std::vector<Bytes>(1235, fixture::TychoIndexBytes(9.0f, 11.0f)));
    ASSERT_TRUE(Lookup(kDesignationTycho, 123400567, 1));
    EXPECT_EQ(std::string(designation) + "|" + record.name, "TYC1234-567-1|TYC1234-567-1");
    EXPECT_EQ(record.size1, 0.0f);
}

// Orbit 0 of the reference places (tests/reference/comet_places.csv): perihelion
// 2000 February 26.0, q 1.2 AU, e 0.5; 60 days before perihelion it is 1999-12-28
// 0h UT, the local time an hour ahead.
class CometLookupTest : public ObjectLookupTest {
protected:
    void SetUp() override {
        ObjectLookupTest::SetUp();
        std::strcpy(comet.name, "C/1999 Test");
        comet.kind = 13; comet.year = 2000; comet.month = 2; comet.day = 26.0f; comet.perihelionDistance = 1.2f;
        comet.eccentricity = 0.5f; comet.argPerihelion = 30.0f; comet.node = 80.0f; comet.inclination = 10.0f;
        comet.absoluteMagnitude = 6.0f; comet.slope = 10.0f;
        currentDateTime = DateTime{1999, 12, 28, 1, 0, 0};
        currentSite.zoneMinutes = 60;
    }
    CometRecord comet{};
};

// A comet positioned for the current date and time; q = 0 has no orbit.
TEST_F(CometLookupTest, CometKindIsPositioned) {
    CometRecord noOrbit = comet;
    noOrbit.perihelionDistance = 0.0f;
    OpenData(&cometDb, "zendavori_comet.ppc", 128, {fixture::CometBytes(comet), fixture::CometBytes(noOrbit)});
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "comet_places.csv");
    ASSERT_EQ(table.Get(0, "jd"), 2451540.5);
    ASSERT_TRUE(Lookup(kDesignationComet, 0, 1));
    EXPECT_EQ(std::string(designation) + "|" + record.name, "C/1999 Test|C/1999 Test");
    EXPECT_EQ(std::make_tuple(record.designationId, record.objectType, record.size1, listed),
              std::make_tuple(12u, 13u, 0.5f, 1));
    EXPECT_LT(SeparationArcsec(record.rightAscension, record.declination, table.Get(0, "ra"), table.Get(0, "dec")),
              120.0);  // the place is for the equinox of 2000
    EXPECT_NEAR(record.distance, table.Get(0, "delta"), 6e-4);  // 50" of precession at 1.3 AU moves it 3e-4 AU
    EXPECT_NEAR(record.magnitude, 6.0 + 5 * std::log10(table.Get(0, "delta")) + 10 * std::log10(table.Get(0, "r")),
                2e-3);
    EXPECT_FALSE(Lookup(kDesignationComet, 1, 1));
    ASSERT_TRUE(Lookup(kDesignationComet, 1, 0));  // identity only
    EXPECT_FALSE(Lookup(kDesignationComet, 2));
}

// A comet record whose perihelion day, inclination, perihelion distance or
// absolute magnitude is damaged has no place: the lookup with positions fails
// instead of delivering a comet at a not-a-number position or magnitude.
TEST_F(CometLookupTest, CometWithDamagedElementsIsNotDelivered) {
    const std::pair<float CometRecord::*, float> damages[] = {
        {&CometRecord::day, std::numeric_limits<float>::quiet_NaN()},
        {&CometRecord::inclination, std::numeric_limits<float>::quiet_NaN()},
        {&CometRecord::perihelionDistance, 1e-28f},
        {&CometRecord::absoluteMagnitude, 1e30f},
    };
    for (auto [field, value] : damages) {
        CometRecord damaged = comet;
        damaged.*field = value;
        OpenData(&cometDb, "zendavori_comet.ppc", 128, {fixture::CometBytes(damaged)});
        EXPECT_FALSE(Lookup(kDesignationComet, 0, 1)) << value;
        EXPECT_TRUE(Lookup(kDesignationComet, 0, 0));  // its identity is still there
        EXPECT_STREQ(designation, "C/1999 Test");
    }
}

}  // namespace
