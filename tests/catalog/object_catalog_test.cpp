// The deep-sky object database, the user catalogue, descriptions, cross references
// and the object index.
#include <gtest/gtest.h>

#include "catalog/designations.h"
#include "catalog/object_catalog.h"
#include "catalog_test.h"

using fixture::Bytes;

namespace {

ObjectRecord Object(uint32_t designation, int32_t number, const char* name = "") {
    ObjectRecord o{};
    o.designationId = designation;
    o.number = number;
    o.objectType = 16;
    o.constellation = 0;
    o.rightAscension = 0.7123f;
    o.declination = 41.27f;
    o.magnitude = 3.4f;
    o.size1 = 178.0f;
    o.size2 = 63.0f;
    o.objectCode = 35;
    o.classCode = 120;
    o.distance = 2.5f;
    std::snprintf(o.name, sizeof o.name, "%s", name);
    return o;
}

class ObjectCatalogTest : public CatalogTest {
protected:
    void OpenObjects(const std::vector<ObjectRecord>& objects, uint32_t recordSize = 64) {
        std::vector<Bytes> records;
        for (const ObjectRecord& o : objects) records.push_back(fixture::ObjectBytes(o));
        folder.WriteDb("data\\zendavori_obj_18k.ppc", 26, recordSize, records);
        ASSERT_TRUE(OpenRecordDb(&objectDb, "pl00", "ZDV1", "data\\", "zendavori_obj_18k.ppc"));
    }
    void OpenUser(uint32_t version, const std::vector<Bytes>& records) {
        folder.WriteDb("usercatalogs\\user.pdb", version, 64, records);
        SetUserCatalogName("user.pdb");
        ASSERT_TRUE(OpenUserCatalog());
    }
    void OpenSorted(RecordDbHandle** slot, const char* name, uint32_t recordSize, const std::vector<Bytes>& records) {
        folder.WriteDb(std::string("data\\") + name, 1, recordSize, records);
        ASSERT_TRUE(OpenRecordDb(slot, "pl10", "ZDV1", "data\\", name));
    }
};

TEST_F(ObjectCatalogTest, ObjectRecordFieldsAreReadAndTheNameEmptied) {
    OpenObjects({Object(42, 1, "Ignored"), Object(42, 224, "Andromeda Galaxy")});
    ObjectRecord o;
    ASSERT_TRUE(GetObjectRecord(1, &o));
    EXPECT_EQ(o.designationId, 42u);
    EXPECT_EQ(o.number, 224);
    EXPECT_EQ(o.objectType, 16u);
    EXPECT_FLOAT_EQ(o.rightAscension, 0.7123f);
    EXPECT_FLOAT_EQ(o.declination, 41.27f);
    EXPECT_FLOAT_EQ(o.magnitude, 3.4f);
    EXPECT_FLOAT_EQ(o.size1, 178.0f);
    EXPECT_FLOAT_EQ(o.size2, 63.0f);
    EXPECT_EQ(o.objectCode, 35);
    EXPECT_EQ(o.classCode, 120);
    EXPECT_FLOAT_EQ(o.distance, 2.5f);
    EXPECT_STREQ(o.name, "");  // names come from the cross references
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ObjectCatalogTest, ObjectRecordFailures) {
    ObjectRecord o;
    EXPECT_FALSE(GetObjectRecord(0, &o));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Object database isn't open!"});
    services.messages.clear();
    OpenObjects({Object(42, 1)});
    EXPECT_FALSE(GetObjectRecord(1, &o));   // at the count: silent
    EXPECT_FALSE(GetObjectRecord(-1, &o));  // negative: silent
    EXPECT_TRUE(services.messages.empty());
}

// Acceptance: a 44-byte record under a 64-byte getter fails instead of reading past it.
TEST_F(ObjectCatalogTest, RecordSmallerThanAnObjectRecordFailsWithMessage) {
    OpenObjects({Object(42, 1), Object(42, 2)}, 44);
    ObjectRecord o;
    EXPECT_FALSE(GetObjectRecord(0, &o));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve object record!"});
}

TEST_F(ObjectCatalogTest, ObjectCountBeyondTheFileFailsWithMessage) {
    folder.WriteDb("data\\zendavori_obj_18k.ppc", 26, 64, {fixture::ObjectBytes(Object(42, 1))}, 3);
    ASSERT_TRUE(OpenRecordDb(&objectDb, "pl00", "ZDV1", "data\\", "zendavori_obj_18k.ppc"));
    ObjectRecord o;
    EXPECT_TRUE(GetObjectRecord(0, &o));
    EXPECT_FALSE(GetObjectRecord(2, &o));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve object record!"});
}

// Edge cases of the user catalogue: a missing name becomes prefix and number.
TEST_F(ObjectCatalogTest, UserObjectNames) {
    OpenUser(26, {fixture::ObjectBytes(Object(42, 891)), fixture::ObjectBytes(Object(29, 434, " x")),
                  fixture::ObjectBytes(Object(1, 5, "My galaxy")), fixture::ObjectBytes(Object(500, 7))});
    ObjectRecord o;
    ASSERT_TRUE(GetUserObjectRecord(0, &o));
    EXPECT_STREQ(o.name, "NGC891");
    EXPECT_FLOAT_EQ(o.distance, 2.5f);
    ASSERT_TRUE(GetUserObjectRecord(1, &o));
    EXPECT_STREQ(o.name, "IC434");  // a name beginning with a blank counts as none
    ASSERT_TRUE(GetUserObjectRecord(2, &o));
    EXPECT_STREQ(o.name, "My galaxy");
    ASSERT_TRUE(GetUserObjectRecord(3, &o));
    EXPECT_STREQ(o.name, "7");  // a designation outside the table has no prefix
}

TEST_F(ObjectCatalogTest, UserCatalogBeforeVersion26HasTheNameAt40AndNoDistance) {
    OpenUser(25, {fixture::ObjectBytesV25(Object(42, 7000, "North America"))});
    ObjectRecord o;
    ASSERT_TRUE(GetUserObjectRecord(0, &o));
    EXPECT_STREQ(o.name, "North America");
    EXPECT_EQ(o.distance, 0.0f);
    EXPECT_EQ(o.number, 7000);
}

TEST_F(ObjectCatalogTest, UserObjectFailures) {
    ObjectRecord o;
    EXPECT_FALSE(GetUserObjectRecord(0, &o));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"User Object database isn't open!"});
    services.messages.clear();
    folder.WriteDb("usercatalogs\\user.pdb", 26, 64, {fixture::ObjectBytes(Object(42, 1))}, 2);
    SetUserCatalogName("user.pdb");
    ASSERT_TRUE(OpenUserCatalog());
    EXPECT_FALSE(GetUserObjectRecord(2, &o));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_FALSE(GetUserObjectRecord(1, &o));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not retrieve user object record!"});
}

TEST_F(ObjectCatalogTest, DreyerDescriptionSearch) {
    const std::string longText(60, 'x');
    OpenSorted(&descriptionDb, "zendavori_obj_18k_desc.ppc", 72,
               {fixture::DescriptionBytes(0, 0, "header", 72), fixture::DescriptionBytes(29, 434, "eF,vL,iF", 72),
                fixture::DescriptionBytes(42, 224, "!!!,eB,eL,vmE", 72), fixture::DescriptionBytes(42, 891, longText, 72),
                fixture::DescriptionBytes(61, 3, "F", 72)});
    char text[64] = "stale";
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
}

TEST_F(ObjectCatalogTest, DescriptionFailures) {
    char text[64] = "stale";
    EXPECT_FALSE(FindDreyerDescription(42, 224, text, sizeof text));  // not open: silent
    EXPECT_STREQ(text, "");
    EXPECT_TRUE(services.messages.empty());
    OpenSorted(&descriptionDb, "zendavori_obj_18k_desc.ppc", 6, {Bytes(6), Bytes(6)});  // shorter than the key
    EXPECT_FALSE(FindDreyerDescription(42, 224, text, sizeof text));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Error during Dreyer description search"});
}

class CrossReferenceTest : public ObjectCatalogTest {
protected:
    void SetUp() override {
        ObjectCatalogTest::SetUp();
        fixture::CrossRef header;
        fixture::CrossRef m31{42, {40, 0, 61}, 224, {31, 0, 454}, "Andromeda Galaxy*"};
        fixture::CrossRef ngc1976{42, {0, 29, 0}, 1976, {0, 1000, 0}, "Orion Nebula*"};
        fixture::CrossRef empty{42, {0, 0, 0}, 2000, {0, 0, 0}, ""};
        OpenSorted(&crossRefDb, "zendavori_obj_cross_ref.ppc", 48,
                   {fixture::CrossRefBytes(header, 48), fixture::CrossRefBytes(m31, 48),
                    fixture::CrossRefBytes(ngc1976, 48), fixture::CrossRefBytes(empty, 48)});
    }
    int ids[3] = {-5, -5, -5};
    int32_t numbers[3] = {-5, -5, -5};
    char name[32] = "stale";
};

TEST_F(CrossReferenceTest, NameLosesItsLastCharacter) {
    EXPECT_TRUE(FindCrossReference(42, 224, nullptr, nullptr, 0, name, sizeof name));
    EXPECT_STREQ(name, "Andromeda Galaxy");
}

TEST_F(CrossReferenceTest, NameIsTakenToTheBufferSize) {
    char small[6];
    EXPECT_TRUE(FindCrossReference(42, 224, nullptr, nullptr, 0, small, sizeof small));
    EXPECT_STREQ(small, "Andro");  // six characters taken, the last one dropped
}

// Edge case: alternatives (0, 29, 0) with maximum 3 deliver only slot 1.
TEST_F(CrossReferenceTest, OnlyPresentAlternativesAreDelivered) {
    EXPECT_TRUE(FindCrossReference(42, 1976, ids, numbers, 3, nullptr, 0));
    EXPECT_EQ(ids[0], -5);
    EXPECT_EQ(ids[1], 29);
    EXPECT_EQ(numbers[1], 1000);
    EXPECT_EQ(ids[2], -5);
}

TEST_F(CrossReferenceTest, MaximumLimitsTheAlternatives) {
    EXPECT_TRUE(FindCrossReference(42, 224, ids, numbers, 1, nullptr, 0));
    EXPECT_EQ(ids[0], 40);
    EXPECT_EQ(numbers[0], 31);
    EXPECT_EQ(ids[2], -5);
    EXPECT_FALSE(FindCrossReference(42, 1976, ids, numbers, 1, nullptr, 0));  // its one alternative is slot 2
}

// Edge case: found with an empty proper name and a name buffer: empty name, true.
TEST_F(CrossReferenceTest, EmptyProperNameIsStillAFind) {
    EXPECT_TRUE(FindCrossReference(42, 2000, nullptr, nullptr, 0, name, sizeof name));
    EXPECT_STREQ(name, "");
    EXPECT_FALSE(FindCrossReference(42, 2000, ids, numbers, 3, nullptr, 0));
}

TEST_F(CrossReferenceTest, NotFoundClearsTheName) {
    EXPECT_FALSE(FindCrossReference(42, 225, ids, numbers, 3, name, sizeof name));
    EXPECT_STREQ(name, "");
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ObjectCatalogTest, CrossReferenceReadFailureIsReported) {
    OpenSorted(&crossRefDb, "zendavori_obj_cross_ref.ppc", 48, {Bytes(48)});
    crossRefDb->recordCount = 3;  // records 1 and 2 are beyond the file
    char name[8];
    EXPECT_FALSE(FindCrossReference(42, 224, nullptr, nullptr, 0, name, sizeof name));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Error during Cross Ref search"});
}

Bytes IndexRecord(int32_t declination, std::vector<ObjectIndexEntry> more = {}) {
    more.insert(more.begin(), ObjectIndexEntry{224, 42, 0, 0, declination, 16, 34});
    return fixture::ObjectIndexBytes(more);
}

TEST_F(ObjectCatalogTest, ObjectIndexSearchReturnsTheLastProbe) {
    // Records 1..7 start at declinations -60, -40, ..., +60 (Fix24 units of whole numbers here).
    std::vector<Bytes> records = {IndexRecord(0)};
    for (int d = -60; d <= 60; d += 20) records.push_back(IndexRecord(d));
    OpenSorted(&objectIndexDb, "zendavori_obj_1k_idx.ppc", 300, records);
    EXPECT_EQ(FindObjectIndexRecord(-20), 3);  // exact
    EXPECT_EQ(FindObjectIndexRecord(60), 7);
    // Between records the search ends on a neighbour of the sought declination.
    for (int d : {-70, -30, 5, 45, 70}) {
        int r = FindObjectIndexRecord(d);
        ASSERT_GE(r, 1) << d;
        int first = -60 + 20 * (r - 1);
        EXPECT_LE(std::abs(first - d), 20) << d;
    }
}

// Edge case: an index of one record answers 0 for any declination.
TEST_F(ObjectCatalogTest, ObjectIndexOfOneRecordGivesZero) {
    EXPECT_EQ(FindObjectIndexRecord(0), -1);  // not open
    OpenSorted(&objectIndexDb, "zendavori_obj_1k_idx.ppc", 300, {IndexRecord(5)});
    EXPECT_EQ(FindObjectIndexRecord(-26353589), 0);
    EXPECT_EQ(FindObjectIndexRecord(26353589), 0);
}

TEST_F(ObjectCatalogTest, ObjectIndexReadFailureNamesTheRecord) {
    OpenSorted(&objectIndexDb, "zendavori_obj_1k_idx.ppc", 300, {IndexRecord(0)});
    objectIndexDb->recordCount = 5;
    EXPECT_EQ(FindObjectIndexRecord(0), -1);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Can't find Object record number 2"});
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
