// Object lookup by catalogue kind and the built-in number tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "catalog/designations.h"
#include "catalog/object_lists.h"
#include "catalog/object_lookup.h"
#include "catalog/stellar_catalog.h"
#include "catalog_test.h"
#include "core/constellation.h"
#include "core/julian_day.h"
#include "ephemeris/body_positions.h"
#include "objects/selected_object.h"
#include "platform/clock.h"
#include "support/object_file_fixture.h"
#include "support/reference_table.h"
#include "ui/date_text.h"

using fixture::Bytes;

namespace {

class ObjectLookupTest : public CatalogTest {
protected:
    void SetUp() override {
        CatalogTest::SetUp();
        WriteObjects(fixture::SharedObjectRecords());
    }
    void WriteObjects(const std::vector<ObjectRecord>& objects) {
        CloseRecordDb(&objectDb);
        std::vector<Bytes> records;
        for (const ObjectRecord& o : objects) records.push_back(fixture::ObjectBytes(o));
        folder.WriteDb("data\\zendavori_obj_1k.ppc", 26, 64, records);
        ASSERT_TRUE(OpenRecordDb(&objectDb, "pl00", "ZDV1", "data\\", "zendavori_obj_1k.ppc"));
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

struct Key {
    uint32_t designation;
    int32_t number;
};

Key KeyOfRecord(int index) {
    ObjectRecord r;
    EXPECT_TRUE(GetObjectRecord(index, &r));
    return {r.designationId, r.number};
}

// The record numbers of the telling rows of the number tables, for the shared
// records of the object files (the fixture holds its objects at those records).
TEST_F(ObjectLookupTest, NumberTablesReachTheirRecords) {
    struct Case {
        bool (*get)(int, ObjectRecord*);
        int index, record;
    } cases[] = {
        {GetMessierObjectRecord, 0, 266},   {GetMessierObjectRecord, 1, 1066},  {GetMessierObjectRecord, 30, 89},
        {GetMessierObjectRecord, 41, 272},  {GetCaldwellObjectRecord, 0, 85},   {GetCaldwellObjectRecord, 1, 72},
        {GetCaldwellObjectRecord, 8, 1127}, {GetHerschelObjectRecord, 0, 72},   {GetHerschelObjectRecord, 399, 1125},
        {GetBestNgcObjectRecord, 0, 72},    {GetBestNgcObjectRecord, 109, 1114}, {GetMessierObjectRecord, 44, 1126},
    };
    for (const Case& c : cases) {
        ObjectRecord r;
        ASSERT_TRUE(c.get(c.index, &r)) << c.index;
        Key k = KeyOfRecord(c.record);
        EXPECT_EQ(r.designationId, k.designation) << c.index;
        EXPECT_EQ(r.number, k.number) << c.index;
    }
    EXPECT_TRUE(services.messages.empty());
}

// Every entry names an object of the file; M40, a double star outside NGC and IC,
// has no record among the shared ones.
TEST_F(ObjectLookupTest, EveryTableEntryResolves) {
    ObjectRecord r;
    for (int i = 0; i < kMessierCount; ++i) EXPECT_EQ(GetMessierObjectRecord(i, &r), i != 39) << "M" << i + 1;
    for (int i = 0; i < kCaldwellCount; ++i) EXPECT_TRUE(GetCaldwellObjectRecord(i, &r)) << "C" << i + 1;
    for (int i = 0; i < kHerschelCount; ++i) EXPECT_TRUE(GetHerschelObjectRecord(i, &r)) << i;
    for (int i = 0; i < kBestNgcCount; ++i) EXPECT_TRUE(GetBestNgcObjectRecord(i, &r)) << i;
}

TEST_F(ObjectLookupTest, IndexBeyondATableFailsWithoutAMessage) {
    ObjectRecord r;
    EXPECT_FALSE(GetMessierObjectRecord(110, &r));
    EXPECT_FALSE(GetCaldwellObjectRecord(109, &r));
    EXPECT_FALSE(GetHerschelObjectRecord(400, &r));
    EXPECT_FALSE(GetBestNgcObjectRecord(110, &r));
    EXPECT_FALSE(GetMessierObjectRecord(-1, &r));
    EXPECT_TRUE(services.messages.empty());
}

// A Herschel number that the file holds under its alias (NGC 651 as NGC 650).
TEST_F(ObjectLookupTest, AliasNumberOfTheSameObject) {
    std::vector<ObjectRecord> objects = fixture::SharedObjectRecords();
    for (ObjectRecord& o : objects)
        if (o.designationId == kDesignationNgc && o.number == 651) o.number = 650;
    WriteObjects(objects);
    ObjectRecord r;
    int position = 0;
    while (herschelKeys[position].number != 651) ++position;
    ASSERT_TRUE(GetHerschelObjectRecord(position, &r));
    EXPECT_EQ(r.number, 650);
}

TEST_F(ObjectLookupTest, MessierAndCaldwellKinds) {
    ASSERT_TRUE(Lookup(kDesignationMessier, 0));
    EXPECT_STREQ(designation, "M1");
    EXPECT_STREQ(name, "NGC1952");
    EXPECT_EQ(record.designationId, 40u);
    EXPECT_EQ(record.number, 0);
    EXPECT_EQ(listed, 1);
    ASSERT_TRUE(Lookup(kDesignationCaldwell, -13));  // the absolute index
    EXPECT_STREQ(designation, "C14");
    EXPECT_STREQ(name, "NGC869");
    EXPECT_EQ(record.designationId, 9u);
    EXPECT_EQ(record.number, 13);
    EXPECT_FALSE(Lookup(kDesignationMessier, 39));  // M40 is not in the file
}

TEST_F(ObjectLookupTest, HerschelNamesFromTheCrossReferences) {
    fixture::CrossRef none;  // record 0 takes no part in searches
    fixture::CrossRef bowTie;
    bowTie.id = 42;
    bowTie.number = 40;
    bowTie.name = "Bow-Tie nebula.";
    fixture::CrossRef alternative;
    alternative.id = 42;
    alternative.number = 129;
    alternative.altIds[0] = 11;
    alternative.altNumbers[0] = 4;
    alternative.name = "Ignored";
    folder.WriteDb("data\\zendavori_obj_cross_ref.ppc", 1, 48,
                   {fixture::CrossRefBytes(none, 48), fixture::CrossRefBytes(bowTie, 48),
                    fixture::CrossRefBytes(alternative, 48)});
    ASSERT_TRUE(OpenRecordDb(&crossRefDb, "pl80", "ZDV1", "data\\", "zendavori_obj_cross_ref.ppc"));
    ASSERT_TRUE(Lookup(kDesignationHerschel, 0));
    EXPECT_STREQ(designation, "NGC40");
    EXPECT_STREQ(name, "Bow-Tie nebula");  // at most 15 characters, the last dropped
    EXPECT_EQ(record.designationId, 42u);  // identity as stored
    EXPECT_EQ(listed, 1);
    ASSERT_TRUE(Lookup(kDesignationHerschel, 1));
    EXPECT_STREQ(name, "Cr4");
    ASSERT_TRUE(Lookup(kDesignationBestNgc, 0));
    EXPECT_STREQ(designation, "NGC40");
    EXPECT_STREQ(name, "");
}

TEST_F(ObjectLookupTest, CatalogueRangeByNumberAndInFileOrder) {
    selectedObject = SelectedObjectRecord{};
    ASSERT_TRUE(Lookup(kDesignationNgc, 224));
    EXPECT_STREQ(designation, "NGC224");
    EXPECT_EQ(record.number, 224);
    EXPECT_EQ(selectedObject.index, 89);
    EXPECT_EQ(selectedObject.catalog, 10);
    EXPECT_EQ(selectedObject.isSet, 1);
    EXPECT_EQ(selectedObject.record.number, 224);
    EXPECT_EQ(listed, 1);
    ASSERT_TRUE(Lookup(kDesignationNgc, -3));  // the fourth NGC record
    EXPECT_EQ(record.number, KeyOfRecord(75).number);
    ASSERT_TRUE(Lookup(kDesignationIc, 0));
    EXPECT_EQ(record.number, KeyOfRecord(0).number);
    EXPECT_FALSE(Lookup(kDesignationIc, -72));  // past the IC records: not an NGC object
    EXPECT_FALSE(Lookup(kDesignationNgc, 39));
    EXPECT_EQ(listed, 1);
}

TEST_F(ObjectLookupTest, KindWithoutRecordsFailsWithoutReading) {
    CloseRecordDb(&objectDb);  // a read would say "Object database isn't open!"
    EXPECT_FALSE(Lookup(5, 3));   // "Be": first 50000
    EXPECT_FALSE(Lookup(1, 3));   // Abell has no records in the 1k file
    EXPECT_FALSE(Lookup(68, 1));
    EXPECT_FALSE(Lookup(-1, 1));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ObjectLookupTest, ConstellationKind) {
    ASSERT_TRUE(Lookup(kDesignationConstellation, 52, 1));
    EXPECT_STREQ(designation, "Lyr");
    EXPECT_STREQ(name, "Lyra");
    EXPECT_EQ(record.designationId, 13u);
    EXPECT_EQ(record.objectType, 14u);
    EXPECT_FLOAT_EQ(record.rightAscension, 18.608f);
    EXPECT_FLOAT_EQ(record.declination, 35.65f);
    EXPECT_EQ(record.constellation, 52u);
    EXPECT_EQ(record.magnitude, 0.0f);
    EXPECT_EQ(listed, 0);
    EXPECT_FALSE(Lookup(kDesignationConstellation, 89));
}

TEST_F(ObjectLookupTest, PlanetIdentity) {
    ASSERT_TRUE(Lookup(kDesignationPlanet, 4));
    EXPECT_STREQ(designation, "Mars");
    EXPECT_STREQ(name, "");
    EXPECT_STREQ(record.name, "Mars");
    EXPECT_EQ(record.objectType, 27u);
    EXPECT_EQ(record.number, 4);
    EXPECT_EQ(listed, 1);
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
    EXPECT_FLOAT_EQ(record.size2, record.size1);
    EXPECT_FLOAT_EQ(record.distance, static_cast<float>(mars.distance));
    EXPECT_EQ(static_cast<int>(record.constellation), FindConstellation(record.rightAscension, record.declination,
                                                                        JulianDayFromDateTime(2024, 3, 5, 21, 0, 0, 60)));
}

// The first row as the shower table gives it: Quadrantids, 1 to 5 January, peak
// 3 January, radiant 15.33 h +49 degrees, 41 km/s, rate 120.
TEST_F(ObjectLookupTest, QuadrantidsRow) {
    const MeteorShowerRow& q = meteorShowerTable[0];
    EXPECT_STREQ(q.name, "Quadrantids");
    EXPECT_STREQ(q.code, "QUA");
    EXPECT_EQ(q.startDay, 1);
    EXPECT_EQ(q.startMonth, 1);
    EXPECT_EQ(q.endDay, 5);
    EXPECT_EQ(q.endMonth, 1);
    EXPECT_EQ(q.peakDay, 3);
    EXPECT_EQ(q.peakMonth, 1);
    EXPECT_EQ(q.raCentihours, 1533);
    EXPECT_EQ(q.decDegrees, 49);
    EXPECT_EQ(q.velocity, 41);
    EXPECT_EQ(q.zhr, 120);
    EXPECT_STREQ(meteorShowerTable[kMeteorShowerCount - 1].name, "Ursids");
}

TEST_F(ObjectLookupTest, MeteorShowerKind) {
    pl::SetShortDatePattern("d/M/yyyy");
    ResetDateFieldOrder();
    currentDateTime = DateTime{2024, 1, 10, 22, 0, 0};
    ASSERT_TRUE(Lookup(kDesignationMeteor, 0, 1));
    EXPECT_STREQ(designation, "03/01");
    EXPECT_STREQ(name, "Quadrantids");
    EXPECT_STREQ(record.name, "Quadrantids");
    EXPECT_EQ(record.objectType, 29u);
    EXPECT_FLOAT_EQ(record.rightAscension, 15.33f);
    EXPECT_FLOAT_EQ(record.declination, 49.0f);
    EXPECT_FLOAT_EQ(record.size1, 400.0f);
    EXPECT_FLOAT_EQ(record.magnitude, 120.0f);
    EXPECT_EQ(record.classCode, 3);
    EXPECT_EQ(record.objectCode, 1);
    EXPECT_EQ(static_cast<int>(record.constellation), FindConstellation(15.33, 49.0, 2460320.375));
    EXPECT_EQ(listed, 1);
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

TEST_F(ObjectLookupTest, UserObjectKind) {
    ObjectRecord mine = fixture::SharedObject(kDesignationUser, 3);
    std::strcpy(mine.name, "My object");
    folder.WriteDb("usercatalogs\\user.pdb", 26, 64, {fixture::ObjectBytes(mine)});
    SetUserCatalogName("user.pdb");
    ASSERT_TRUE(OpenUserCatalog());
    ASSERT_TRUE(Lookup(kDesignationUser, 0));
    EXPECT_STREQ(designation, "My object");
    EXPECT_EQ(record.number, 3);
    EXPECT_EQ(listed, 1);
}

class BrightStarLookupTest : public ObjectLookupTest {
protected:
    void SetUp() override {
        ObjectLookupTest::SetUp();
        fixture::StarFile vega;
        vega.hr = 7001;
        vega.constellation = 52;
        vega.raHours = 18.6156f;
        vega.decDegrees = 38.7837f;
        vega.magnitude16 = 1;
        vega.colour = 3;
        folder.WriteDb("data\\zendavori_default_stars.ppc", 1, 44, {fixture::StarBytes({}), fixture::StarBytes(vega)});
        ASSERT_TRUE(OpenRecordDb(&defaultStarDb, "pl01", "ZDV1", "data\\", "zendavori_default_stars.ppc"));
        folder.WriteDb("data\\zendavori_brightstar.ppc", 1, 20,
                       {fixture::BrightStarNameBytes("Vega", 1), fixture::BrightStarNameBytes("Vega", 1)});
    }
};

TEST_F(BrightStarLookupTest, BrightStarKind) {
    ASSERT_TRUE(Lookup(kDesignationBrightStar, 0));
    EXPECT_STREQ(designation, "Vega");
    EXPECT_STREQ(record.name, "Vega");
    EXPECT_FLOAT_EQ(record.magnitude, 1.0f / 16.0f);  // also without compute
    EXPECT_EQ(record.classCode, 3);
    EXPECT_EQ(listed, 0);
    ASSERT_TRUE(Lookup(kDesignationBrightStar, 0, 1));
    EXPECT_NEAR(record.rightAscension, 18.6156, 1e-6);  // through Fix24Angle and back, 0.04" at most
    EXPECT_NEAR(record.declination, 38.7837, 1e-5);
    EXPECT_EQ(record.size1, 1.0f);
    EXPECT_EQ(record.constellation, 52u);  // Lyra, by the J2000 position
    EXPECT_FALSE(Lookup(kDesignationBrightStar, 2));
}

class StellarLookupTest : public ObjectLookupTest {
protected:
    void WriteHipparcos() {
        fixture::PackedStarFile star;
        star.id = 91262;  // 91262 = 42 x 2172 + 38
        star.ra[0] = 18;
        star.ra[1] = 36;
        star.ra[2] = 56;
        star.dec[0] = 38;
        star.dec[1] = 47;
        star.dec[2] = 1;
        star.magnitude16 = 1;
        star.colour = 2;
        folder.WriteDb("data\\zendavori_hip_110k.ppc", 1, 504, {fixture::StellarRecordBytes({star}, 42)}, 2810);
        std::vector<Bytes> index(2173, fixture::StellarIndexBytes({}));
        folder.WriteDb("data\\zendavori_hip_110k_idx.ppc", 1, 84, index);
    }
};

// Acceptance: the lookup holds the card-catalogue cap at its largest file for the
// call and puts the user's value back, whether the lookup succeeds or not.
TEST_F(StellarLookupTest, HipparcosKindLeavesTheCapAsItWas) {
    preferences.word[kPrefCardCatalog] = 0;
    EXPECT_FALSE(Lookup(kDesignationHip, 91262));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Can't find stellar catalog"});
    EXPECT_EQ(preferences.word[kPrefCardCatalog], 0);
    WriteHipparcos();
    ASSERT_TRUE(Lookup(kDesignationHip, 91262, 1));
    EXPECT_EQ(preferences.word[kPrefCardCatalog], 0);
    EXPECT_STREQ(designation, "HIP91262");
    EXPECT_STREQ(record.name, "HIP91262");
    EXPECT_EQ(record.objectType, 30u);
    EXPECT_FLOAT_EQ(record.magnitude, 1.0f / 16.0f);
    EXPECT_NEAR(record.rightAscension, 18.0 + 36.0 / 60 + 56.0 / 3600, 2e-6);
    EXPECT_NEAR(record.declination, 38.0 + 47.0 / 60 + 1.0 / 3600, 2e-5);
    EXPECT_FLOAT_EQ(record.size1, 0.1f);
    EXPECT_EQ(record.classCode, 2);
    EXPECT_EQ(record.constellation, 52u);
    EXPECT_EQ(listed, 0);
    EXPECT_FALSE(Lookup(kDesignationHip, 91263));
}

TEST_F(StellarLookupTest, TychoKind) {
    preferences.word[kPrefCardCatalog] = 6;
    fixture::PackedStarFile star;
    star.id = 123400567;
    star.dec[0] = 10;
    folder.WriteDb("data\\zendavori_tycho_2500k.ppc", 1, 504, {fixture::StellarRecordBytes({star}, 42)});
    std::vector<Bytes> index(1235, fixture::TychoIndexBytes(9.0f, 11.0f));
    folder.WriteDb("data\\zendavori_tycho_idx.ppc", 1, 8, index);
    ASSERT_TRUE(Lookup(kDesignationTycho, 123400567, 1));
    EXPECT_STREQ(designation, "TYC1234-567-1");
    EXPECT_STREQ(record.name, "TYC1234-567-1");
    EXPECT_EQ(record.size1, 0.0f);
}

// Orbit 0 of the reference places (tests/reference/comet_places.csv): perihelion
// 2000 February 26.0 (JD 2451600.5), q 1.2 AU, e 0.5.
CometRecord ReferenceComet() {
    CometRecord comet{};
    comet.kind = 13;
    std::strcpy(comet.name, "C/1999 Test");
    comet.year = 2000;
    comet.month = 2;
    comet.day = 26.0f;
    comet.perihelionDistance = 1.2f;
    comet.eccentricity = 0.5f;
    comet.argPerihelion = 30.0f;
    comet.node = 80.0f;
    comet.inclination = 10.0f;
    comet.absoluteMagnitude = 6.0f;
    comet.slope = 10.0f;
    return comet;
}

// A comet positioned for the current date and time (orbit 0 of the reference
// places, 60 days before perihelion: 1999-12-28 0h UT, the local time an hour ahead).
TEST_F(ObjectLookupTest, CometKindIsPositioned) {
    CometRecord comet = ReferenceComet();
    CometRecord broken = comet;
    broken.perihelionDistance = 0.0f;
    folder.WriteDb("data\\zendavori_comet.ppc", 1, 128, {fixture::CometBytes(comet), fixture::CometBytes(broken)});
    ASSERT_TRUE(OpenRecordDb(&cometDb, "pl11", "ZDV1", "data\\", "zendavori_comet.ppc"));
    currentDateTime = DateTime{1999, 12, 28, 1, 0, 0};
    currentSite.zoneMinutes = 60;
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "comet_places.csv");
    ASSERT_EQ(table.Get(0, "jd"), 2451540.5);
    ASSERT_TRUE(Lookup(kDesignationComet, 0, 1));
    EXPECT_STREQ(designation, "C/1999 Test");
    EXPECT_STREQ(record.name, "C/1999 Test");
    EXPECT_EQ(record.designationId, 12u);
    EXPECT_EQ(record.objectType, 13u);
    EXPECT_LT(SeparationArcsec(record.rightAscension, record.declination, table.Get(0, "ra"), table.Get(0, "dec")),
              120.0);  // the place is for the equinox of 2000
    EXPECT_NEAR(record.distance, table.Get(0, "delta"), 6e-4);  // 50" of precession at 1.3 AU moves it 3e-4 AU
    EXPECT_NEAR(record.magnitude, 6.0 + 5 * std::log10(table.Get(0, "delta")) + 10 * std::log10(table.Get(0, "r")),
                2e-3);
    EXPECT_EQ(record.size1, 0.5f);
    EXPECT_EQ(listed, 1);
    EXPECT_FALSE(Lookup(kDesignationComet, 1, 1));  // no orbit for q = 0
    ASSERT_TRUE(Lookup(kDesignationComet, 1, 0));   // identity only
    EXPECT_FALSE(Lookup(kDesignationComet, 2));
}

// A comet record whose perihelion day is damaged has no place: the lookup with
// positions fails instead of delivering a comet at a not-a-number position.
TEST_F(ObjectLookupTest, CometWithDamagedElementsIsNotDelivered) {
    CometRecord comet = ReferenceComet();
    comet.day = std::numeric_limits<float>::quiet_NaN();
    folder.WriteDb("data\\zendavori_comet.ppc", 1, 128, {fixture::CometBytes(comet)});
    ASSERT_TRUE(OpenRecordDb(&cometDb, "pl11", "ZDV1", "data\\", "zendavori_comet.ppc"));
    currentDateTime = DateTime{1999, 12, 28, 1, 0, 0};
    EXPECT_FALSE(Lookup(kDesignationComet, 0, 1));
    EXPECT_TRUE(Lookup(kDesignationComet, 0, 0));  // its identity is still there
    EXPECT_STREQ(designation, "C/1999 Test");
}

}  // namespace
