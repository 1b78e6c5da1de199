// The converter run on tiny sources of every format, its files read back
// through the catalogue readers. Expected values come from the tiny sources and
// the record layouts, or from the published values quoted beside them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/comet_satellite_db.h"
#include "catalog/constellation_lines.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/mars_features.h"
#include "catalog/object_catalog.h"
#include "catalog/object_lookup.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "convert/convert.h"
#include "convert/object_files.h"
#include "convert/source_files.h"
#include "convert/tiny_sources.h"
#include "core/moon_records.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/drawing.h"
#include "platform/image_files.h"
#include "support/catalog_fixture.h"
#include "support/jpeg_file.h"
#include "support/recording_services.h"

namespace {

constexpr double kFix24PerHour = 4392264.877774095;
constexpr double kFix24PerDegree = 292817.658518273;

class ConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetCatalogState();
    }
    void TearDown() override { ResetCatalogState(); }

    std::string Data() const { return folder.root() + "/data"; }
    void Convert() { convert::ConvertCatalogues(sources.root(), Data(), {}); }
    void ConvertAndOpen() {
        Convert();
        ASSERT_EQ(OpenAllDatabases(), 0);
        ASSERT_TRUE(services.messages.empty()) << services.messages.front().text;
    }
    int StarIndexOfHr(int hr) const {
        for (int i = 0; i < kBrightStarCount; ++i)
            if (brightStarTable[i].hr == hr) return i;
        return -1;
    }
    // Every id of the open stellar catalogue in file order.
    static std::vector<uint32_t> StellarIds() {
        std::vector<uint32_t> ids;
        UnpackedStar star;
        for (int p = 0; p < GetHipparcosStarCount(); ++p) ids.push_back(GetHipparcosRecord(p, &star));
        return ids;
    }

    tiny::SourceFolder sources;
    fixture::CatalogFolder folder;
    RecordingServices services;
};

TEST_F(ConvertTest, ObjectFilesHoldTheListedObjectsAndTheirRanges) {
    ConvertAndOpen();
    // 1131 shared records, the NGC and IC rows, Abell 426, Ced 55, Cr 42, Mel 22 and 25,
    // Sh2 155 and UGC 454 (M31 again).
    EXPECT_EQ(GetRecDbCount(objectDb), 1131 + tiny::kOpenNgcNgc + tiny::kOpenNgcIc + tiny::kOpenNgcExtraNgc +
                                           tiny::kOpenNgcExtraIc + 7);
    ObjectRecord r;
    char designation[32], name[32];
    int listed = 0;
    ASSERT_TRUE(GetObjectByKind(kDesignationMessier, 30, &r, designation, sizeof designation, name, sizeof name, 1, &listed));
    EXPECT_STREQ(designation, "M31");
    EXPECT_STREQ(name, "NGC224");
    // OpenNGC position and sizes (row NGC0224, not NGC0224A), catalog.dat V and distance (71 x 778 kpc).
    EXPECT_NEAR(r.rightAscension, 10.684791666 / 15, 1e-6);
    EXPECT_NEAR(r.declination, 41.269055555, 1e-5);
    EXPECT_FLOAT_EQ(r.magnitude, 3.40f);
    EXPECT_FLOAT_EQ(r.size1, 177.83f);
    EXPECT_FLOAT_EQ(r.size2, 69.66f);
    EXPECT_EQ(r.objectCode, 35);
    EXPECT_EQ(r.classCode, 252);  // "Sb" in the deep-sky type texts (GetTypeCodeText)
    EXPECT_FLOAT_EQ(r.distance, 71.0f * 778);
    EXPECT_EQ(r.constellation, 0u);  // Andromeda
    int ids[3] = {}, numbers[3] = {};
    ASSERT_TRUE(FindCrossReference(kDesignationNgc, 224, ids, numbers, 3, name, sizeof name));
    EXPECT_STREQ(name, "Andromeda Galaxy");
    EXPECT_EQ(ids[0] * 100000 + numbers[0], kDesignationMessier * 100000 + 31);
    EXPECT_EQ(ids[1] * 100000 + numbers[1], 61 * 100000 + 454);  // UGC 454

    ASSERT_TRUE(GetObjectByKind(kDesignationCaldwell, 98, &r, designation, sizeof designation, name, sizeof name, 1, &listed));
    EXPECT_STREQ(designation, "C99");
    EXPECT_EQ(r.objectType, 21u);  // dark nebula: no magnitude
    EXPECT_EQ(r.magnitude, 0.0f);
    ASSERT_TRUE(GetObjectByKind(kDesignationMessier, 44, &r, designation, sizeof designation, name, sizeof name, 1, &listed));
    EXPECT_NEAR(r.rightAscension, 3.7833, 1e-4);
    // Ced 55: the named one of the two objects that share the number.
    ASSERT_TRUE(GetObjectByKind(10, 55, &r, designation, sizeof designation, name, sizeof name, 1, &listed));
    EXPECT_NEAR(r.rightAscension, 5.6, 1e-4);
    EXPECT_TRUE(GetObjectByKind(1, 426, &r, designation, sizeof designation, name, sizeof name, 0, &listed));
    EXPECT_TRUE(GetObjectByKind(kDesignationIc, 100, &r, designation, sizeof designation, name, sizeof name, 0, &listed));
}

TEST_F(ConvertTest, CatalogueAbsentFromTheFileListsNothing) {
    ConvertAndOpen();
    ObjectRecord r;
    char designation[32];
    int listed = 0;
    for (int kind : {3 /* Basel */, 36 /* Maffei */, 51 /* SAO */}) {
        EXPECT_EQ(designationTable[kind].first, kNoDesignationRecords) << kind;
        EXPECT_FALSE(GetObjectByKind(kind, 0, &r, designation, sizeof designation, nullptr, 0, 0, &listed)) << kind;
    }
    // M40 and M45 at 1126 and 1127, then the Caldwell objects.
    EXPECT_EQ(designationTable[kDesignationCaldwell].first, 1128);
    EXPECT_EQ(designationTable[kDesignationCaldwell].last, 1131);
}

// Record `number` of a catalogue in the open object file, searched in file order.
bool FindRecord(int designation, int number, ObjectRecord* r, int* index = nullptr) {
    for (int i = 0; i < GetRecDbCount(objectDb); ++i)
        if (GetObjectRecord(i, r) && static_cast<int>(r->designationId) == designation && r->number == number) {
            if (index) *index = i;
            return true;
        }
    return false;
}

// Whether an index file holds an entry for record `record`.
bool Indexed(const char* indexFile, int record) {
    std::strcpy(objectIndexName, indexFile);
    if (!OpenObjIndexDb()) return false;
    for (int i = 1; i < GetRecDbCount(objectIndexDb); ++i) {
        ObjectIndexEntry e[kObjectIndexEntries];
        if (!GetObjectIndexRecord(i, e)) return false;
        for (const ObjectIndexEntry& x : e)
            if (x.magnitude10 != 32767 && x.objectRecord == record) return true;
    }
    return false;
}

TEST_F(ConvertTest, NgcIcRecordTakesValuesOnlyFromANamesakeAtItsPlace) {
    ConvertAndOpen();
    // Values written into the tiny OpenNGC rows and catalog.dat objects.
    struct Case {
        int ngc;
        const char* what;
        float magnitude;
        uint32_t type;
        const char* name;  // proper name taken from the namesake, "" none
    } cases[] = {
        {1201, "namesake 1 degree away: OpenNGC's magnitude, no name", 13.0f, 16, ""},
        {1202, "namesake 1' away: its V and name", 12.0f, 16, "Near Galaxy"},
        {1203, "namesake's V 24.9 is no magnitude: OpenNGC's", 14.0f, 16, ""},
        {1204, "OpenNGC's globular cluster, not catalog.dat's open cluster", 11.0f, 2, ""},
    };
    for (const Case& c : cases) {
        ObjectRecord r;
        ASSERT_TRUE(FindRecord(kDesignationNgc, c.ngc, &r)) << c.what;
        EXPECT_FLOAT_EQ(r.magnitude, c.magnitude) << c.what;
        EXPECT_EQ(r.objectType, c.type) << c.what;
        EXPECT_NEAR(r.declination, 20.0, 1e-5) << c.what;  // OpenNGC's place in every case
        char name[32] = "";
        FindCrossReference(kDesignationNgc, c.ngc, nullptr, nullptr, 0, name, sizeof name);
        EXPECT_STREQ(name, c.name) << c.what;
    }
    ObjectRecord near;
    ASSERT_TRUE(FindRecord(kDesignationNgc, 1202, &near));
    EXPECT_FLOAT_EQ(near.distance, 71.0f * 20);  // the namesake's 20 kpc
    EXPECT_EQ(near.classCode, convert::ClassCodeFor("Sc", 16));
}

TEST_F(ConvertTest, RowWithoutAPlaceTakesItsNamesakesPlaceOrIsNeverDrawn) {
    ConvertAndOpen();
    ObjectRecord r;
    int ic101 = -1, ic102 = -1, ngc1205 = -1;
    ASSERT_TRUE(FindRecord(kDesignationIc, 101, &r, &ic101));
    EXPECT_NEAR(r.rightAscension, tiny::kNgc1205RaHours, 1e-5);
    EXPECT_NEAR(r.declination, tiny::kNgc1205Dec, 1e-5);
    EXPECT_FLOAT_EQ(r.magnitude, 9.3f);
    ASSERT_TRUE(FindRecord(kDesignationIc, 102, &r, &ic102));
    EXPECT_EQ(r.objectType, 26u);  // unknown
    EXPECT_EQ(r.magnitude, 0.0f);
    ASSERT_TRUE(FindRecord(kDesignationNgc, 1205, &r, &ngc1205));
    // The one object is drawn once, as the record with a place of its own.
    EXPECT_TRUE(Indexed("zendavori_obj_18k_idx.ppc", ngc1205));
    EXPECT_FALSE(Indexed("zendavori_obj_18k_idx.ppc", ic101));
    EXPECT_FALSE(Indexed("zendavori_obj_18k_idx.ppc", ic102));
}

TEST_F(ConvertTest, MessierAndCaldwellNumbersReachTheirKeyedObjects) {
    ConvertAndOpen();
    // catalog.dat gives M8 and C49 to other objects; the keyed records list them.
    struct Case {
        int designation, number, list, listNumber;
    } cases[] = {{kDesignationNgc, 6523, kDesignationMessier, 8},
                 {kDesignationNgc, 2237, kDesignationCaldwell, 49},
                 {kDesignationNgc, 224, kDesignationMessier, 31}};
    for (const Case& c : cases) {
        int ids[3] = {}, numbers[3] = {};
        ASSERT_TRUE(FindCrossReference(c.designation, c.number, ids, numbers, 3, nullptr, 0)) << c.number;
        EXPECT_EQ(ids[0] * 1000 + numbers[0], c.list * 1000 + c.listNumber) << c.number;
    }
    ObjectRecord r;
    ASSERT_TRUE(FindRecord(kDesignationNgc, 6523, &r));
    EXPECT_EQ(r.objectType, 19u);  // OpenNGC's gaseous nebula, not catalog.dat's cluster

    // M40, Winnecke 4, in both object files: the full file, then the small one.
    for (bool full : {true, false}) {
        if (!full) {
            std::filesystem::remove(Data() + "/zendavori_obj_18k.ppc");
            ASSERT_EQ(OpenAllDatabases(), 0);
        }
        ASSERT_EQ(GetRecDbCount(objectDb) == 1131, !full);
        char designation[32], name[32];
        int listed = 0;
        ASSERT_TRUE(GetObjectByKind(kDesignationMessier, 39, &r, designation, sizeof designation, name, sizeof name, 1,
                                    &listed)) << full;
        EXPECT_STREQ(designation, "M40");
        ASSERT_TRUE(GetObjectRecord(1126, &r));
        EXPECT_EQ(r.designationId * 1000 + r.number, kDesignationMessier * 1000u + 40) << full;
        EXPECT_EQ(r.objectType, 31u) << full;  // a double star
        EXPECT_NEAR(r.rightAscension, 12.3701, 1e-4) << full;
        EXPECT_FLOAT_EQ(r.magnitude, 9.65f) << full;
    }
}

TEST_F(ConvertTest, ComponentStarTakesItsOwnColour) {
    ConvertAndOpen();
    LoadStarCatalog(0);
    // B-V = index x 4 / 127 - 0.5: A 54 gives 1.20, B 40 gives 0.76.
    struct Case {
        int hr, colour;
    } cases[] = {{4057, 12}, {4058, 8}};
    for (const Case& c : cases) {
        int i = StarIndexOfHr(c.hr);
        ASSERT_GE(i, 0) << c.hr;
        EXPECT_EQ(brightStarTable[i].colour, c.colour) << c.hr;
    }
}

TEST_F(ConvertTest, ObjectIndexesHoldEachDrawableObjectOnceByDeclination) {
    ConvertAndOpen();
    for (const char* name : {"zendavori_obj_1k_idx.ppc", "zendavori_obj_18k_idx.ppc"}) {
        std::strcpy(objectIndexName, name);
        ASSERT_TRUE(OpenObjIndexDb());
        int count = GetRecDbCount(objectIndexDb), entries = 0;
        int32_t previous = INT32_MIN;
        for (int i = 0; i < count; ++i) {
            ObjectIndexEntry e[kObjectIndexEntries];
            ASSERT_TRUE(GetObjectIndexRecord(i, e));
            if (i == 0) {
                EXPECT_EQ(e[0].declination, static_cast<int32_t>(-90 * kFix24PerDegree));
            }
            EXPECT_GE(e[0].declination, previous) << name << " record " << i;
            previous = e[0].declination;
            for (const ObjectIndexEntry& x : e) entries += i > 0 && x.magnitude10 != 32767;
        }
        // The small file's 1131 objects but IC 101 (NGC 1205's object, drawn as NGC 1205); the
        // full file adds the NGC and IC rows beyond the 1126 already counted but IC 102 (no
        // place), and Abell 426 and Ced 55, not Cr 42 and Mel 22 (the Pleiades again), Mel 25
        // (the Hyades again), Sh2 155 (C9 again) and UGC 454 (M31 again).
        const int rows = tiny::kOpenNgcNgc + tiny::kOpenNgcIc + tiny::kOpenNgcExtraNgc + tiny::kOpenNgcExtraIc;
        EXPECT_EQ(entries, std::string(name) == "zendavori_obj_1k_idx.ppc" ? 1131 - 1 : 1131 - 1 + rows - 1126 - 1 + 2)
            << name;
    }
}

TEST_F(ConvertTest, DefaultStarsNamesAndFiguresReadBack) {
    ConvertAndOpen();
    LoadStarCatalog(0);
    int sirius = StarIndexOfHr(2491), polaris = StarIndexOfHr(424);
    ASSERT_GE(sirius, 0);
    ASSERT_GE(polaris, 0);
    for (int i = 1; i < kBrightStarCount; ++i) ASSERT_LT(brightStarTable[i - 1].hr, brightStarTable[i].hr);
    const StarRecord& s = brightStarTable[sirius];
    EXPECT_EQ(s.constellation, 20);  // CMa
    EXPECT_EQ(s.rightAscension, static_cast<int32_t>(6.7525f * kFix24PerHour));
    EXPECT_EQ(s.magnitude16, -23);  // V -1.46
    EXPECT_EQ(s.flamsteed, 9);
    EXPECT_EQ(s.bayer, 'a');  // alpha in the symbol font
    EXPECT_EQ(brightStarTable[polaris].colour, 6);  // B-V 35 x 4 / 127 - 0.5 = 0.60
    BrightStarName n;
    ASSERT_GE(FindBrightStarNameByHr(2491, &n), 0);
    EXPECT_STREQ(n.name, "Sirius");

    // A set short of lines repeats its lines to fill the table; the segment between
    // two components of Polaris is no line.
    EXPECT_TRUE(LoadConstellationData(0));
    int count = 0;
    const ConstellationLine* lines = GetConstellationLines(&count);
    ASSERT_EQ(count, 647);
    EXPECT_EQ(lines[1].firstStar, sirius);
    EXPECT_EQ(lines[646].a, 20);  // CMa
    EXPECT_EQ(lines[646].firstStar, sirius);
    EXPECT_EQ(lines[646].secondStar, polaris);
    // Set 1: the figure's line drawn twice counts once and the sub-figure is left out.
    EXPECT_TRUE(LoadConstellationData(1));
    lines = GetConstellationLines(&count);
    ASSERT_EQ(count, 867);
    EXPECT_EQ(lines[866].a, 84);  // UMi
    EXPECT_EQ(lines[866].firstStar, polaris);
    EXPECT_EQ(lines[866].secondStar, sirius);
}

TEST_F(ConvertTest, HrCatalogueFindsStarsAndAnswersAbsentNumbersSilently) {
    ConvertAndOpen();
    preferences.word[kPrefCardCatalog] = LargestHipparcosCatalogInstalled();
    EXPECT_EQ(preferences.word[kPrefCardCatalog], 4);
    ASSERT_TRUE(SelectStellarCatalog(0));
    EXPECT_EQ(GetHipparcosStarCount(), 217 * 42);  // 9107 stars
    UnpackedStar star;
    ASSERT_GE(GetStarByCatalogNumber(2491, &star), 0);
    EXPECT_EQ(star.id, 2491);
    EXPECT_EQ(star.magnitude, 0);  // V -1.46 clamps to 0
    // 6.7525 h = 6h45m09s; -16.7161 deg = -16 42 58 (whole seconds).
    EXPECT_NEAR(star.rightAscension / kFix24PerHour, 6 + 45 / 60.0 + 9 / 3600.0, 0.01 / 3600);
    EXPECT_NEAR(star.declination / kFix24PerDegree, -(16 + 42 / 60.0 + 58 / 3600.0), 0.05 / 3600);
    EXPECT_EQ(GetStarByCatalogNumber(tiny::kMissingHr[0], &star), -1);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ConvertTest, HipparcosFilesKeepTheBrightestComponentAndFillSpareSlots) {
    ConvertAndOpen();
    preferences.word[kPrefCardCatalog] = 4;
    ASSERT_TRUE(SelectStellarCatalog(5));  // the 16k file
    ASSERT_EQ(GetHipparcosStarCount(), 42);
    std::vector<uint32_t> ids = StellarIds();
    for (uint32_t id : ids)
        EXPECT_TRUE(id == tiny::kHipSirius || id == tiny::kHipPolaris || id == tiny::kHipDouble) << id;
    UnpackedStar star;
    int polaris = ids[0] == static_cast<uint32_t>(tiny::kHipPolaris) ? 0 : 1;
    GetHipparcosRecord(polaris, &star);
    EXPECT_EQ(star.magnitude, 24);  // V 1.5 of level 0, not the level-1 component's 4.0
    // The centre of level-0 zone 0, corners 1, 0, 10 of the icosahedron: RA 0h.
    double g = (1 + std::sqrt(5.0)) / 2, b = 1 / std::sqrt(1 + g * g), a = b * g;
    double dec = std::atan2(-a, std::hypot(2 * a + b, 0.0)) * 180 / M_PI;
    EXPECT_EQ(star.rightAscension, 0);
    EXPECT_NEAR(star.declination / kFix24PerDegree, dec, 1.0 / 3600);

    RecordDbHandle* index = nullptr;
    ASSERT_TRUE(OpenRecordDb(&index, "pl61", "ZDV1", "data\\", "zendavori_hip_110k_idx.ppc"));
    EXPECT_EQ(GetRecDbCount(index), tiny::kHipSirius / 42 + 1);
    const uint8_t* record = FetchRecord(index, tiny::kHipPolaris / 42, 84);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(LoadI16(record, 2 * (tiny::kHipPolaris % 42)), 0);
    EXPECT_EQ(LoadI16(record, 2 * (tiny::kHipPolaris % 42 + 1)), -1);
    CloseRecordDb(&index);
}

TEST_F(ConvertTest, MoonAndMarsFeaturesReadBack) {
    ConvertAndOpen();
    // Near-side features of the mapped types with the landing site: not the far-side
    // crater, not the rima.
    ASSERT_EQ(GetMoonRecordCount(), 4);
    const char* byName[] = {"Apollo 11", "Copernicus", "Mare Imbrium", "Sinus Medii"};
    MoonFeatureRecord m;
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(GetMoonRecord(i, &m), 1);
        EXPECT_STREQ(m.name, byName[i]);
    }
    GetMoonRecord(1, &m);
    EXPECT_EQ(m.type, 2);
    EXPECT_FLOAT_EQ(m.latitude, -9.6209f);  // stored with the opposite sign
    EXPECT_NEAR(m.longitude, 339.9214 - 360, 1e-4);
    EXPECT_NEAR(m.diameter, 96.0699, 1e-4);
    const double d = M_PI / 180;
    EXPECT_EQ(m.sortKey, std::lround(480 * (1 + std::sin(-20.0786 * d) * std::cos(9.6209 * d))));
    EXPECT_EQ(m.mapY, std::lround(480 * (1 - std::sin(9.6209 * d))));
    GetMoonRecord(3, &m);
    EXPECT_EQ(m.type, 12);  // a sinus is filed as a mare
    int previousX = -1;
    for (int i = 4; i < 8; ++i) {
        ASSERT_EQ(GetMoonRecord(i, &m), 1);
        EXPECT_GE(m.sortKey, previousX);
        previousX = m.sortKey;
    }

    ASSERT_EQ(GetMarsRecordCount(), 4);  // by type: mons, crater, landing site, vallis (a chasma)
    MarsFeatureRecord r;
    ASSERT_TRUE(GetMarsRecord(0, &r));
    EXPECT_STREQ(r.name, "Olympus Mons");
    EXPECT_EQ(r.size, 610);
    EXPECT_NEAR(r.longitude, 226.1975 - 360, 1e-4);
    ASSERT_TRUE(GetMarsRecord(2, &r));
    EXPECT_STREQ(r.name, "Viking 1 Lander");
    EXPECT_EQ(r.group, 5);
    EXPECT_NEAR(r.longitude, -47.97, 1e-4);  // xplanet writes 47.97 west
    EXPECT_EQ(r.mapX, std::lround((180 - 47.97) * 640 / 360));
    EXPECT_EQ(r.mapY, std::lround((90 - 22.27) * 320 / 180));
    ASSERT_TRUE(GetMarsRecord(3, &r));
    EXPECT_STREQ(r.name, "Valles Marineris");
    EXPECT_EQ(r.group, 7);  // filed with the chasmata
    EXPECT_EQ(r.size, 4000);
    int first = -1, count = 0;
    EXPECT_EQ(FindMarsFeatureGroup(7, &first, &count), 3);
    EXPECT_EQ(count, 1);
}

TEST_F(ConvertTest, CometsAndLocationsReadBack) {
    ConvertAndOpen();
    ASSERT_EQ(GetCometCount(), 3);  // Hale-Bopp, Ceres, Eros; not the TNO
    CometRecord c;
    ASSERT_TRUE(GetCometData(0, &c));
    EXPECT_STREQ(c.name, "C/1995 O1 (Hale-Bopp)");
    EXPECT_EQ(c.kind, 13u);
    EXPECT_FLOAT_EQ(c.perihelionDistance, 0.890662f);
    EXPECT_FLOAT_EQ(c.absoluteMagnitude, -2.0f);
    EXPECT_FLOAT_EQ(c.slope, 10.0f);  // K = 2.5 x the MPC's G of 4.0
    EXPECT_EQ(c.year * 100 + c.month, 199703);
    ASSERT_TRUE(GetCometData(1, &c));
    EXPECT_EQ(c.kind, 18u);
    // The perihelion time, epoch less M / n: Ceres passed perihelion on 2018 May 1.
    EXPECT_EQ(c.year * 10000 + c.month * 100 + static_cast<int>(c.day), 20180501);
    EXPECT_FLOAT_EQ(c.epochJulianDay, 2459800.5f);  // MJD 59800
    EXPECT_FLOAT_EQ(c.slope, 0.12f);
    ASSERT_TRUE(GetCometData(2, &c));
    EXPECT_FLOAT_EQ(c.slope, 0.15f);  // no G given

    RecordDbHandle* db = nullptr;
    ASSERT_TRUE(OpenRecordDb(&db, "pl63", "ZDV1", "data\\", "zendavori_location.ppc"));
    ASSERT_EQ(GetRecDbCount(db), 4);
    struct City {
        const char* country;
        const char* name;
        double latitude, longitude;
        int zone;
    } expected[] = {{"Australia", "Sydney", -(33 + 54 / 60.0 + 59 / 3600.0), 151 + 16 / 60.0 + 59 / 3600.0, 600},
                    {"France", "Paris", 48.85, 2 + 19 / 60.0 + 59 / 3600.0, 60},
                    {"Germany", "Altenstadt", 47.8339, 10.8725, 60},
                    {"United Kingdom", "London", 51.5, -7 / 60.0, 0}};
    for (int i = 0; i < 4; ++i) {
        const uint8_t* r = FetchRecord(db, i, 64);
        ASSERT_NE(r, nullptr);
        char first[25], second[25];
        LoadText(r, 0, 24, first, sizeof first);
        LoadText(r, 24, 24, second, sizeof second);
        EXPECT_STREQ(first, expected[i].country);
        EXPECT_STREQ(second, expected[i].name);
        EXPECT_NEAR(LoadF32(r, 48), expected[i].latitude, 1e-5) << second;
        EXPECT_NEAR(LoadF32(r, 52), expected[i].longitude, 1e-5) << second;
        EXPECT_EQ(LoadI16(r, 56), expected[i].zone) << second;
    }
    CloseRecordDb(&db);
}

TEST_F(ConvertTest, MissingSourceIsNamedAndChangesNoFile) {
    std::filesystem::remove(sources.Path("stellarium-data/usr/share/stellarium/data/nomenclature.dat"));
    try {
        Convert();
        FAIL() << "no error";
    } catch (const convert::SourceError& e) {
        EXPECT_NE(std::string(e.what()).find("data/nomenclature.dat"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(std::filesystem::is_empty(Data()));
}

TEST_F(ConvertTest, KeptFileIsLeftAsItIs) {
    std::ofstream(Data() + "/zendavori_comet.ppc") << "edited";
    convert::ConvertCatalogues(sources.root(), Data(), {"zendavori_comet.ppc"});
    std::ifstream in(Data() + "/zendavori_comet.ppc");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "edited");
    for (const std::string& name : convert::MadeFileNames()) EXPECT_TRUE(std::filesystem::exists(Data() + "/" + name)) << name;
    EXPECT_TRUE(std::filesystem::exists(Data() + "/SOURCES.txt"));
    EXPECT_FALSE(std::filesystem::exists(Data() + "/zendavori_mars.ppc.tmp"));
}

// The pictures go under every name the picture look-ups ask by (M31's picture
// also as M32, M110 and their NGC numbers; the Pleiades as M45 and Mel 22), as
// colour JPEGs the program's reader opens, shrunk to 1024 pixels on the long
// side; a picture without a credit or of no catalogue object is left out, a
// user's own JPEG is kept, and SOURCES.txt credits what was written.
TEST_F(ConvertTest, PicturesGoUnderEveryNameTheLookupsAskBy) {
    std::filesystem::create_directories(folder.root() + "/img/messier");
    ASSERT_TRUE(WriteJpegFile(folder.root() + "/img/messier/M32.jpg", 2, 2, std::vector<unsigned char>(12, 7)));
    convert::ConvertCatalogues(sources.root(), Data(), {}, folder.root());
    const struct {
        const char* path;
        int width, height;
        int red, green, blue;  // the source pixel, on black where it is transparent
    } cases[] = {
        {"img\\messier\\M31.jpg", 1024, 18, 200, 40, 30},  {"img\\messier\\M110.jpg", 1024, 18, 200, 40, 30},
        {"img\\ngc\\NGC224.jpg", 1024, 18, 200, 40, 30},   {"img\\ngc\\NGC221.jpg", 1024, 18, 200, 40, 30},
        {"img\\ngc\\NGC205.jpg", 1024, 18, 200, 40, 30},   {"img\\ngc\\NGC7000.jpg", 8, 8, 40, 220, 60},
        {"img\\messier\\M45.jpg", 4, 4, 150, 150, 150},    {"img\\misc\\Mel22.jpg", 4, 4, 150, 150, 150},
        {"img\\ic\\IC434.jpg", 4, 2, 0, 0, 0},             {"img\\messier\\M32.jpg", 2, 2, 7, 7, 7}};
    for (const auto& c : cases) {
        pl::Hbitmap picture = pl::LoadImageFile(c.path);
        ASSERT_NE(picture, nullptr) << c.path;
        pl::BitmapInfo info;
        ASSERT_TRUE(pl::GetBitmapInfo(picture, &info));
        EXPECT_EQ((std::vector<int>{info.width, info.height}), (std::vector<int>{c.width, c.height})) << c.path;
        pl::Hdc dc = pl::CreateCompatibleDC(nullptr);
        pl::Hbitmap old = pl::SelectObject(dc, picture);
        pl::ColorRef pixel = pl::GetPixel(dc, info.width / 2, info.height / 2);
        EXPECT_NEAR(pl::RedOf(pixel), c.red, 8) << c.path;
        EXPECT_NEAR(pl::GreenOf(pixel), c.green, 8) << c.path;
        EXPECT_NEAR(pl::BlueOf(pixel), c.blue, 8) << c.path;
        pl::SelectObject(dc, old);
        pl::DeleteDC(dc);
        pl::DeleteObject(picture);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.root() + "/img/ngc/NGC1.jpg"));
    std::ifstream in(Data() + "/SOURCES.txt");
    std::string credits((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* line :
         {"\nimg/messier/M31.jpg, img/messier/M110.jpg, img/ngc/NGC224.jpg, img/ngc/NGC221.jpg, img/ngc/NGC205.jpg: "
          "Tiny Observatory (GPL-2+)\n",
          "\nimg/ngc/NGC7000.jpg: Oleg Bryzgalov, http://olegbr.example/ (CC BY 3.0)\n",
          "\nimg/ic/IC434.jpg: DSS (GPL-2+)\n"})
        EXPECT_NE(credits.find(line), std::string::npos) << line;
    std::vector<std::string> listed = convert::PicturePaths(sources.root());
    EXPECT_EQ(listed.size(), 10u);
    EXPECT_NE(std::find(listed.begin(), listed.end(), "img/messier/M32.jpg"), listed.end());
}

}  // namespace
