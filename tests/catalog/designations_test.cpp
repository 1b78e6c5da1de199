// The designation, object type and constellation tables.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "catalog/designations.h"
#include "catalog_test.h"

namespace {

// Rows as the table of catalogue designations gives them (id, prefix, list name,
// range of the 18k file); switching to the 1k file and back restores the ranges.
TEST(DesignationTable, SampleRows) {
    struct Row {
        int id;
        const char* prefix;
        const char* longName;
        int first, last;
    } rows[] = {
        {0, "None", "No Criteria", 50000, 0},     {1, "Abell", "Abell", 1130, 3869},
        {9, "C", "Caldwell", 1127, 1130},         {13, "      ", "Constellation", 50000, 0},
        {26, "HIP", "Hipparchos", 50000, 0},      {29, "IC", "IC", 4345, 9978},
        {42, "NGC", "NGC", 10055, 18521},         {54, "      ", "Stars (Brighest)", 50000, 0},
        {65, "vdB-Ha", "Van den Bergh-Hagen", 19339, 19400},
    };
    UseObjectFileRanges(false);
    EXPECT_EQ(designationTable[1].first, kNoDesignationRecords);
    UseObjectFileRanges(true);
    for (const Row& r : rows) {
        const DesignationRow& d = designationTable[r.id];
        EXPECT_EQ(std::make_tuple(std::string(d.prefix), std::string(d.longName), int{d.first}, int{d.last}),
                  std::make_tuple(std::string(r.prefix), std::string(r.longName), r.first, r.last));
    }
}

// A designation typed with or without blanks: the prefix as a memo line's
// first field is read (whole), in any case ("m 42" was read as no
// designation, so the entry lost M 42's place), the closing digits its number.
TEST(DesignationText, PrefixAndNumberWithOrWithoutBlanks) {
    const struct {
        const char* text;
        int designation;  // -1: no designation
        int32_t number;
    } cases[] = {
        {"M 42", 40, 42},        {"M42", 40, 42},        {" NGC  7000 ", 42, 7000}, {"IC434", 29, 434},
        {"Sh2 240", 52, 240},    {"Sh2240", 52, 240},    {"vdB-Ha 5", 65, 5},       {"M042", 40, 42},
        {"m 42", 40, 42},        {"ngc7000", 42, 7000},  {"sH2 240", 52, 240},      {"VDB-HA 5", 65, 5},
        {"42", -1, 0},           {"M", -1, 0},           {"Meteor shower", -1, 0},  {"M 42 b", -1, 0},
        {"NGC 99999999999", -1, 0}, {"", -1, 0},
    };
    for (const auto& c : cases) {
        int designation = -1;
        int32_t number = 0;
        EXPECT_EQ(ReadDesignationText(c.text, &designation, &number), c.designation >= 0) << c.text;
        EXPECT_EQ(designation, c.designation) << c.text;
        EXPECT_EQ(number, c.number) << c.text;
    }
}

// Rows of the object type table: class, code, name and thumbnail number; 13 rows
// have a thumbnail (types 1, 2..5, 6..8, 9, 16, 17, 26, 31).
TEST(ObjectTypeTable, SampleRowsAndThumbnails) {
    struct Row {
        int type, objectClass;
        const char* code;
        const char* name;
        int thumbnail;
    } rows[] = {
        {1, 0, "ASTER", "Asterism", 42},        {3, 1, "GX+GC", "Globular Cluster in a Galaxy", 69},
        {15, 10, "SATEL", "Earth Satellite", 0}, {16, 3, "GALXY", "Galaxy", 33},
        {26, 0, "NONEX", "Nonexistent in RNGC", 93}, {27, 7, "PLANET", "Planet", 0},
        {31, 6, "2STAR", "Stars (Double)", 40}, {41, 0, "XRAYS", "Xray Source", 0},
    };
    for (const Row& r : rows) {
        const ObjectTypeRow& t = objectTypeTable[r.type];
        EXPECT_EQ(std::make_tuple(int{t.objectClass}, std::string(t.code), std::string(t.name), int{t.thumbnail}),
                  std::make_tuple(r.objectClass, std::string(r.code), std::string(r.name), r.thumbnail));
    }
    int withThumbnail = 0;
    for (const ObjectTypeRow& row : objectTypeTable) withThumbnail += row.thumbnail != 0;
    EXPECT_EQ(withThumbnail, 13);
}

// 88 constellations with Cancer twice, and Vulpecula as row 88, the index the
// constellation finder gives it. Its label lies inside the constellation:
// Vulpecula spans about 18h58m..21h30m and +19..+29 degrees (Roman 1987
// boundaries, J2000.0 within a degree).
TEST(ConstellationTable, RowsTheDuplicatedCancerAndVulpecula) {
    EXPECT_STREQ(constellationTable[0].abbreviation, "And");
    EXPECT_EQ(constellationTable[0].rightAscension, 564);
    EXPECT_EQ(constellationTable[0].declination, 3925);
    EXPECT_EQ(0, std::memcmp(&constellationTable[11], &constellationTable[22], sizeof(ConstellationRow)));
    std::set<std::string> abbreviations;
    for (const ConstellationRow& row : constellationTable) abbreviations.insert(row.abbreviation);
    EXPECT_EQ(abbreviations.size(), 88u);
    EXPECT_GT(constellationTable[88].rightAscension, 19000);
    EXPECT_LT(constellationTable[88].rightAscension, 21500);
    EXPECT_GT(constellationTable[88].declination, 1900);
    EXPECT_LT(constellationTable[88].declination, 2900);
}

TEST(TableAccessors, IndexesOutsideTheTablesGiveEmptyTexts) {
    EXPECT_STREQ(DesignationPrefix(42), "NGC");
    EXPECT_STREQ(DesignationLongName(40), "Messier");
    EXPECT_STREQ(ObjectTypeName(25), "Planetary Nebula");
    for (int i : {-1, 89}) EXPECT_EQ(std::string(ConstellationName(i)) + ConstellationAbbreviation(i), "") << i;
    for (int i : {-1, 68}) EXPECT_EQ(std::string(DesignationPrefix(i)) + DesignationLongName(i), "") << i;
    for (int i : {-1, 42}) EXPECT_STREQ(ObjectTypeName(i), "") << i;
}

// Regression: an object in Vulpecula (index 88) indexed beyond the 88-row table.
class VulpeculaObjectTest : public CatalogTest {};

TEST_F(VulpeculaObjectTest, ObjectInVulpeculaGetsItsConstellationName) {
    ObjectRecord dumbbell{};
    dumbbell.designationId = kDesignationNgc;
    dumbbell.number = 6853;
    dumbbell.constellation = 88;
    OpenObjects({dumbbell});
    ObjectRecord o;
    ASSERT_TRUE(GetObjectRecord(0, &o));
    EXPECT_STREQ(ConstellationName(o.constellation & 0xFFFF), "Vulpecula");
    EXPECT_STREQ(ConstellationAbbreviation(o.constellation & 0xFFFF), "Vul");
}

}  // namespace
