// The deep-sky object database, the user catalogue, descriptions, cross references
// and the object index.
#include <gtest/gtest.h>

#include <cstdlib>

#include "catalog/designations.h"
#include "catalog/object_catalog.h"
#include "catalog_test.h"

namespace {

ObjectRecord Object(uint32_t designation, int32_t number, const char* name = "") {
    ObjectRecord o{42, 0, 16, 0, 0.7123f, 41.27f, 3.4f, 178.0f, 63.0f, 35, 120, 2.5f, ""};
    o.designationId = designation;
    o.number = number;
    std::snprintf(o.name, sizeof o.name, "%s", name);
    return o;
}

class ObjectCatalogTest : public CatalogTest {
protected:
    void OpenSorted(RecordDbHandle** slot, const char* name, uint32_t recordSize, const std::vector<Bytes>& records) {
        OpenData(slot, name, recordSize, records);
    }
};

// Every field is read at its offset; the name is emptied (names come from the
// cross references).
TEST_F(ObjectCatalogTest, ObjectRecordFieldsAreReadAndTheNameEmptied) {
    OpenObjects({Object(42, 1, "Ignored"), Object(42, 224, "Andromeda Galaxy")});
    ObjectRecord o;
    ASSERT_TRUE(GetObjectRecord(1, &o));
    EXPECT_EQ(fixture::ObjectBytes(o), fixture::ObjectBytes(Object(42, 224)));
    EXPECT_TRUE(services.messages.empty());
}

// Acceptance: a 44-byte record under the 64-byte getter fails instead of reading
// past it; a record the file does not hold is not read (the file is reported
// as damaged when it opens).
TEST_F(ObjectCatalogTest, RecordSmallerThanAnObjectRecordOrBeyondTheFileFailsWithMessage) {
    ObjectRecord o;
    EXPECT_FALSE(GetObjectRecord(0, &o));
    EXPECT_EQ(TakeTexts(), Texts{"Object database isn't open!"});
    OpenObjects({Object(42, 1)}, "zendavori_obj_18k.ppc", 64, 3);  // the header counts 3
    EXPECT_EQ(TakeTexts(), Texts{"zendavori_obj_18k.ppc is damaged"});
    EXPECT_TRUE(GetObjectRecord(0, &o));
    EXPECT_FALSE(GetObjectRecord(3, &o));   // at the count: silent
    EXPECT_FALSE(GetObjectRecord(-1, &o));  // negative: silent
    EXPECT_FALSE(GetObjectRecord(2, &o));   // not in the file: silent
    EXPECT_TRUE(services.messages.empty());
    OpenObjects({Object(42, 1), Object(42, 2)}, "zendavori_obj_18k.ppc", 44);
    EXPECT_FALSE(GetObjectRecord(0, &o));
    EXPECT_EQ(TakeTexts(), Texts{"Could not retrieve object record!"});
}

// Acceptance: a missing name becomes prefix and number ("NGC891"); a version-25
// catalogue has the name at byte 40 and distance 0.
TEST_F(ObjectCatalogTest, UserObjectNames) {
    OpenUser(26, {fixture::ObjectBytes(Object(42, 891)), fixture::ObjectBytes(Object(29, 434, " x")),
                  fixture::ObjectBytes(Object(1, 5, "My galaxy")), fixture::ObjectBytes(Object(500, 7))});
    // A name beginning with a blank counts as none; a designation outside the table has no prefix.
    const char* names[] = {"NGC891", "IC434", "My galaxy", "7"};
    ObjectRecord o;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(GetUserObjectRecord(i, &o));
        EXPECT_STREQ(o.name, names[i]);
        EXPECT_FLOAT_EQ(o.distance, 2.5f);
    }
    OpenUser(25, {fixture::ObjectBytesV25(Object(42, 7000, "North America"))});
    ASSERT_TRUE(GetUserObjectRecord(0, &o));
    EXPECT_STREQ(o.name, "North America");
    EXPECT_EQ(o.distance, 0.0f);
    EXPECT_EQ(o.number, 7000);
}

TEST_F(ObjectCatalogTest, UserObjectFailures) {
    ObjectRecord o;
    EXPECT_FALSE(GetUserObjectRecord(0, &o));
    EXPECT_EQ(TakeTexts(), Texts{"User Object database isn't open!"});
    OpenUser(26, {fixture::ObjectBytes(Object(42, 1))}, 2);  // the header counts 2
    EXPECT_EQ(TakeTexts(), Texts{"user.pdb is damaged"});
    EXPECT_FALSE(GetUserObjectRecord(2, &o));
    EXPECT_FALSE(GetUserObjectRecord(1, &o));  // not in the file: silent
    EXPECT_TRUE(services.messages.empty());
    folder.WriteDb("usercatalogs\\user.pdb", 26, 44, {Bytes(44)});  // records too short for an object
    ASSERT_TRUE(OpenUserCatalog());
    EXPECT_FALSE(GetUserObjectRecord(0, &o));
    EXPECT_EQ(TakeTexts(), Texts{"Could not retrieve user object record!"});
}

TEST_F(ObjectCatalogTest, DreyerDescriptionSearchAndARecordShorterThanItsKey) {
    char text[64] = "stale";
    EXPECT_FALSE(FindDreyerDescription(42, 224, text, sizeof text));  // not open: silent
    EXPECT_STREQ(text, "");
    auto record = [](int id, int number, const std::string& t) { return fixture::DescriptionBytes(id, number, t, 72); };
    OpenSorted(&descriptionDb, "zendavori_obj_18k_desc.ppc", 72,
               {record(0, 0, "header"), record(29, 434, "eF,vL,iF"), record(42, 224, "!!!,eB,eL,vmE"),
                record(42, 891, std::string(60, 'x')), record(61, 3, "F")});
    EXPECT_TRUE(FindDreyerDescription(42, 224, text, sizeof text));
    EXPECT_STREQ(text, "!!!,eB,eL,vmE");
    EXPECT_TRUE(FindDreyerDescription(29, 434, text, sizeof text));
    EXPECT_STREQ(text, "eF,vL,iF");
    EXPECT_TRUE(FindDreyerDescription(42, 891, text, sizeof text));
    EXPECT_EQ(std::string(text), std::string(49, 'x'));  // at most 49 characters
    char small[5];
    EXPECT_TRUE(FindDreyerDescription(42, 891, small, sizeof small));
    EXPECT_STREQ(small, "xxxx");
    EXPECT_FALSE(FindDreyerDescription(42, 225, text, sizeof text));
    EXPECT_STREQ(text, "");  // cleared first
    EXPECT_FALSE(FindDreyerDescription(0, 0, text, sizeof text));  // record 0 is never a match
    EXPECT_TRUE(services.messages.empty());
    OpenSorted(&descriptionDb, "zendavori_obj_18k_desc.ppc", 6, {Bytes(6), Bytes(6)});  // shorter than the key
    EXPECT_FALSE(FindDreyerDescription(42, 224, text, sizeof text));
    EXPECT_EQ(TakeTexts(), Texts{"Error during Dreyer description search"});
}

TEST_F(ObjectCatalogTest, CrossReferencesAndAReadFailure) {
    fixture::CrossRef m31{42, {40, 0, 61}, 224, {31, 0, 454}, "Andromeda Galaxy*"};
    fixture::CrossRef ngc1976{42, {0, 29, 0}, 1976, {0, 1000, 0}, "Orion Nebula*"};
    fixture::CrossRef empty{42, {0, 0, 0}, 2000, {0, 0, 0}, ""};
    OpenSorted(&crossRefDb, "zendavori_obj_cross_ref.ppc", 48,
               {fixture::CrossRefBytes({}, 48), fixture::CrossRefBytes(m31, 48), fixture::CrossRefBytes(ngc1976, 48),
                fixture::CrossRefBytes(empty, 48)});
    int ids[3] = {-5, -5, -5};
    int32_t numbers[3] = {-5, -5, -5};
    char name[32] = "stale", small[6];
    EXPECT_TRUE(FindCrossReference(42, 224, nullptr, nullptr, 0, name, sizeof name));
    EXPECT_STREQ(name, "Andromeda Galaxy");  // the last character dropped
    EXPECT_TRUE(FindCrossReference(42, 224, nullptr, nullptr, 0, small, sizeof small));
    EXPECT_STREQ(small, "Andro");  // six characters taken, the last one dropped
    // Edge case: alternatives (0, 29, 0) with maximum 3 deliver only slot 1.
    EXPECT_TRUE(FindCrossReference(42, 1976, ids, numbers, 3, nullptr, 0));
    EXPECT_EQ((std::vector<int>{ids[0], ids[1], numbers[1], ids[2]}), (std::vector<int>{-5, 29, 1000, -5}));
    EXPECT_TRUE(FindCrossReference(42, 224, ids, numbers, 1, nullptr, 0));  // the maximum limits the alternatives
    EXPECT_EQ((std::vector<int>{ids[0], numbers[0], ids[2]}), (std::vector<int>{40, 31, -5}));
    EXPECT_FALSE(FindCrossReference(42, 1976, ids, numbers, 1, nullptr, 0));  // its one alternative is slot 2
    // Edge case: found with an empty proper name and a name buffer: empty name, true.
    EXPECT_TRUE(FindCrossReference(42, 2000, nullptr, nullptr, 0, name, sizeof name));
    EXPECT_STREQ(name, "");
    EXPECT_FALSE(FindCrossReference(42, 2000, ids, numbers, 3, nullptr, 0));
    std::strcpy(name, "stale");
    EXPECT_FALSE(FindCrossReference(42, 225, ids, numbers, 3, name, sizeof name));
    EXPECT_STREQ(name, "");
    EXPECT_TRUE(services.messages.empty());
    crossRefDb->recordCount = 6;  // records 4 and 5 are beyond the file
    EXPECT_FALSE(FindCrossReference(42, 9999, nullptr, nullptr, 0, name, sizeof name));
    EXPECT_EQ(TakeTexts(), Texts{"Error during Cross Ref search"});
}

Bytes IndexRecord(int32_t declination, std::vector<ObjectIndexEntry> more = {}) {
    more.insert(more.begin(), ObjectIndexEntry{224, 42, 0, 0, declination, 16, 34});
    return fixture::ObjectIndexBytes(more);
}

// The search returns the last probe; an index of one record answers 0 for any
// declination (edge case); an unreadable record is named.
TEST_F(ObjectCatalogTest, ObjectIndexSearchReturnsTheLastProbe) {
    EXPECT_EQ(FindObjectIndexRecord(0), -1);  // not open
    // Records 1..7 start at declinations -60, -40, ..., +60 (Fix24 units of whole numbers here).
    std::vector<Bytes> records = {IndexRecord(0)};
    for (int d = -60; d <= 60; d += 20) records.push_back(IndexRecord(d));
    OpenSorted(&objectIndexDb, "zendavori_obj_1k_idx.ppc", 300, records);
    EXPECT_EQ(FindObjectIndexRecord(-20), 3);  // exact
    EXPECT_EQ(FindObjectIndexRecord(60), 7);
    for (int d : {-70, -30, 5, 45, 70}) {  // between records: a neighbour of the declination
        int r = FindObjectIndexRecord(d);
        ASSERT_GE(r, 1) << d;
        EXPECT_LE(std::abs(-60 + 20 * (r - 1) - d), 20) << d;
    }
    OpenSorted(&objectIndexDb, "zendavori_obj_1k_idx.ppc", 300, {IndexRecord(5)});
    EXPECT_EQ(FindObjectIndexRecord(-26353589), 0);
    EXPECT_EQ(FindObjectIndexRecord(26353589), 0);
    objectIndexDb->recordCount = 5;
    EXPECT_EQ(FindObjectIndexRecord(0), -1);
    EXPECT_EQ(TakeTexts(), Texts{"Can't find Object record number 2"});
}

// Entries naming objects that are not in the object file (or types and
// designations outside their tables) are marked, never used as indexes.
TEST_F(ObjectCatalogTest, ObjectIndexEntriesAreCheckedAgainstTheTables) {
    OpenObjects({Object(42, 1), Object(42, 2)});
    OpenSorted(&objectIndexDb, "zendavori_obj_1k_idx.ppc", 300,
               {IndexRecord(7, {{1, 42, 1, 5, 6, 16, 70},
                                {2, 42, 2, 0, 0, 16, 0},
                                {3, 68, 0, 0, 0, 16, 0},
                                {4, 42, 0, 0, 0, 42, 0},
                                {5, -1, 0, 0, 0, 16, 0}})});
    ObjectIndexEntry entries[kObjectIndexEntries];
    ASSERT_TRUE(GetObjectIndexRecord(0, entries));
    EXPECT_EQ(entries[0].number, 224u);
    EXPECT_EQ(entries[0].declination, 7);
    EXPECT_EQ(entries[0].magnitude10, 34);
    EXPECT_EQ(entries[1].objectRecord, 1);
    EXPECT_EQ(entries[1].rightAscension, 5);
    for (int i : {2, 3, 4, 5}) EXPECT_EQ(entries[i].objectRecord, -1) << i;
    EXPECT_FALSE(GetObjectIndexRecord(1, entries));
}

}  // namespace
