// The designation, object type and constellation tables.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "catalog/designations.h"
#include "catalog/object_catalog.h"
#include "catalog_test.h"

namespace {

// Rows as the table of catalogue designations gives them (id, prefix, list name, range).
TEST(DesignationTable, SampleRows) {
    struct Row {
        int id;
        const char* prefix;
        const char* longName;
        int first;
        int last;
    } rows[] = {
        {0, "None", "No Criteria", 50000, 0},       {1, "Abell", "Abell", 1130, 3869},
        {9, "C", "Caldwell", 1127, 1130},           {13, "      ", "Constellation", 50000, 0},
        {26, "HIP", "Hipparchos", 50000, 0},        {29, "IC", "IC", 4345, 9978},
        {36, "Maffei", "Maffei", 1126, 10035},      {42, "NGC", "NGC", 10055, 18521},
        {49, "SAC", "110 Best of NGC", 50000, 0},   {54, "      ", "Stars (Brighest)", 50000, 0},
        {63, "User", "User catalog", 50000, 0},     {65, "vdB-Ha", "Van den Bergh-Hagen", 19339, 19400},
        {67, "Westr", "Westerlund", 19401, 19402},
    };
    UseObjectFileRanges(true);
    for (const Row& r : rows) {
        EXPECT_STREQ(designationTable[r.id].prefix, r.prefix) << r.id;
        EXPECT_STREQ(designationTable[r.id].longName, r.longName) << r.id;
        EXPECT_EQ(designationTable[r.id].first, r.first) << r.id;
        EXPECT_EQ(designationTable[r.id].last, r.last) << r.id;
    }
}

TEST(DesignationTable, SwitchingBackRestoresTheFullRanges) {
    UseObjectFileRanges(false);
    EXPECT_EQ(designationTable[1].first, kNoDesignationRecords);
    UseObjectFileRanges(true);
    EXPECT_EQ(designationTable[1].first, 1130);
    EXPECT_EQ(designationTable[kDesignationIc].first, 4345);
}

// Rows of the object type table: class, code, name and thumbnail number.
TEST(ObjectTypeTable, SampleRowsAndThumbnails) {
    struct Row {
        int type;
        int objectClass;
        const char* code;
        const char* name;
        int thumbnail;
    } rows[] = {
        {0, 0, "   ", "   ", 0},      {1, 0, "ASTER", "Asterism", 42},
        {3, 1, "GX+GC", "Globular Cluster in a Galaxy", 69},
        {8, 1, "SMCOC", "Open Cluster in the SMC", 29},
        {9, 4, "CL+NB", "Cluster with Nebulosity", 45},
        {10, 4, "G+C+N", "Cluster with Nebulosity in a Galaxy", 0},
        {15, 10, "SATEL", "Earth Satellite", 0},
        {16, 3, "GALXY", "Galaxy", 33},  {17, 3, "GALCL", "Galaxy Cluster", 51},
        {26, 0, "NONEX", "Nonexistent in RNGC", 93},
        {27, 7, "PLANET", "Planet", 0},  {29, 0, "METEOR", "Meteor Showers", 0},
        {31, 6, "2STAR", "Stars (Double)", 40},
        {39, 2, "SNREM", "Supernova Remnant", 0},
        {41, 0, "XRAYS", "Xray Source", 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(objectTypeTable[r.type].objectClass, r.objectClass) << r.type;
        EXPECT_STREQ(objectTypeTable[r.type].code, r.code) << r.type;
        EXPECT_STREQ(objectTypeTable[r.type].name, r.name) << r.type;
        EXPECT_EQ(objectTypeTable[r.type].thumbnail, r.thumbnail) << r.type;
    }
    int withThumbnail = 0;
    for (const ObjectTypeRow& row : objectTypeTable) {
        withThumbnail += row.thumbnail != 0;
        EXPECT_EQ(row.shown, 0);
    }
    EXPECT_EQ(withThumbnail, 13);  // types 1, 2..5, 6..8, 9, 16, 17, 26, 31
}

TEST(ConstellationTable, RowsAndTheDuplicatedCancer) {
    EXPECT_STREQ(constellationTable[0].abbreviation, "And");
    EXPECT_EQ(constellationTable[0].rightAscension, 564);
    EXPECT_EQ(constellationTable[0].declination, 3925);
    EXPECT_STREQ(constellationTable[87].name, "Volans");
    EXPECT_EQ(0, std::memcmp(&constellationTable[11], &constellationTable[22], sizeof(ConstellationRow)));
    std::set<std::string> abbreviations;
    for (const ConstellationRow& row : constellationTable) abbreviations.insert(row.abbreviation);
    EXPECT_EQ(abbreviations.size(), 88u);  // the 88 constellations, Cancer twice
}

// Vulpecula is row 88, the index the constellation finder gives it. Its label
// lies inside the constellation: Vulpecula spans about 18h58m..21h30m and
// +19..+29 degrees (Roman 1987 boundaries, J2000.0 within a degree).
TEST(ConstellationTable, VulpeculaHasARowAndALabelInsideIt) {
    EXPECT_STREQ(ConstellationAbbreviation(88), "Vul");
    EXPECT_STREQ(ConstellationName(88), "Vulpecula");
    EXPECT_GT(constellationTable[88].rightAscension, 19000);
    EXPECT_LT(constellationTable[88].rightAscension, 21500);
    EXPECT_GT(constellationTable[88].declination, 1900);
    EXPECT_LT(constellationTable[88].declination, 2900);
}

TEST(TableAccessors, IndexesOutsideTheTablesGiveEmptyTexts) {
    EXPECT_STREQ(DesignationPrefix(42), "NGC");
    EXPECT_STREQ(DesignationLongName(40), "Messier");
    EXPECT_STREQ(ObjectTypeName(25), "Planetary Nebula");
    EXPECT_STREQ(ConstellationName(-1), "");
    EXPECT_STREQ(ConstellationName(89), "");
    EXPECT_STREQ(ConstellationAbbreviation(-1), "");
    EXPECT_STREQ(DesignationPrefix(68), "");
    EXPECT_STREQ(DesignationPrefix(-1), "");
    EXPECT_STREQ(DesignationLongName(68), "");
    EXPECT_STREQ(ObjectTypeName(42), "");
    EXPECT_STREQ(ObjectTypeName(-1), "");
}

// Regression: an object in Vulpecula (index 88) indexed beyond the 88-row table.
class VulpeculaObjectTest : public CatalogTest {};

TEST_F(VulpeculaObjectTest, ObjectInVulpeculaGetsItsConstellationName) {
    ObjectRecord dumbbell{};
    dumbbell.designationId = kDesignationNgc;
    dumbbell.number = 6853;
    dumbbell.constellation = 88;
    folder.WriteDb("data\\zendavori_obj_18k.ppc", 26, 64, {fixture::ObjectBytes(dumbbell)});
    ASSERT_TRUE(OpenRecordDb(&objectDb, "pl00", "ZDV1", "data\\", "zendavori_obj_18k.ppc"));
    ObjectRecord o;
    ASSERT_TRUE(GetObjectRecord(0, &o));
    EXPECT_STREQ(ConstellationName(o.constellation & 0xFFFF), "Vulpecula");
    EXPECT_STREQ(ConstellationAbbreviation(o.constellation & 0xFFFF), "Vul");
}

}  // namespace
