// Opening, reopening and listing the long-lived catalogue databases.
#include <gtest/gtest.h>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog_test.h"
#include "core/moon_records.h"

namespace {

const char kStarMessage[] =
    "Could not open star database\nPlease install zendavori_default_stars.ppc into data sub directory.";
const char kObjectMessage[] =
    "Could not open object database\n\nPlease install either:\nzendavori_obj_1k.ppc or,\nzendavori_obj_18k.ppc into "
    "data sub directory.";
const char kObjectVersionMessage[] =
    "You did not install the last version of zendavori_obj_18k.ppc or zendavori_obj_1k.ppc into data sub directory.";
const char kMoonVersionMessage[] = "You did not install the last version of zendavori_moon.ppc";

class DatabasesTest : public CatalogTest {
protected:
    // The three reporting databases, at the versions the program expects.
    void WriteRequired(const char* objectFile = "zendavori_obj_18k.ppc", uint32_t objectVersion = 26,
                       uint32_t moonVersion = 24) {
        folder.WriteDb("data\\zendavori_default_stars.ppc", 1, 44, {Bytes(44)});
        folder.WriteDb(std::string("data\\") + objectFile, objectVersion, 64, {Bytes(64)});
        folder.WriteDb("data\\zendavori_moon.ppc", moonVersion, 44, {Bytes(44), Bytes(44)});
    }
};

// Acceptance: with an empty data folder the three messages come in the order of
// the opening steps, the moon database stays closed without a message; a second
// call opens nothing, ReopenDatabases(1) retries.
TEST_F(DatabasesTest, EmptyDataFolderReportsStarsObjectsAndVersionInOrder) {
    EXPECT_EQ(ReopenDatabases(0), 1);
    EXPECT_EQ(TakeMessages(), (Texts{kStarMessage + std::string("|"), kObjectMessage + std::string("|"),
                                     kObjectVersionMessage + std::string("|")}));
    EXPECT_EQ(moonDb, nullptr);
    EXPECT_TRUE(databasesOpen);
    WriteRequired();
    EXPECT_EQ(ReopenDatabases(0), 1);
    EXPECT_EQ(objectDb, nullptr);
    EXPECT_EQ(ReopenDatabases(1), 1);
    for (RecordDbHandle* slot : {objectDb, defaultStarDb, moonDb}) EXPECT_NE(slot, nullptr);
    EXPECT_TRUE(services.messages.empty());
}

// Closed at a quit, the databases open again at the next start in the same
// process (a second program run of the tests found them marked open).
TEST_F(DatabasesTest, ClosedDatabasesOpenAgainOnTheNextReopen) {
    WriteRequired();
    EXPECT_EQ(ReopenDatabases(0), 1);
    CloseAllDatabases();
    EXPECT_FALSE(databasesOpen);
    EXPECT_EQ(ReopenDatabases(0), 1);
    for (RecordDbHandle* slot : {objectDb, defaultStarDb, moonDb}) EXPECT_NE(slot, nullptr);
}

// Acceptance: -1 while a required database (the moon database alone also) is missing.
TEST_F(DatabasesTest, OpenAllReturnsMinusOneWhenARequiredDatabaseIsMissing) {
    EXPECT_EQ(OpenAllDatabases(), -1);
    WriteRequired();
    EXPECT_EQ(OpenAllDatabases(), 0);
    folder.Remove("data\\zendavori_moon.ppc");
    EXPECT_EQ(OpenAllDatabases(), -1);
}

TEST_F(DatabasesTest, VersionMismatchesAreReportedAndTheDataUsed) {
    WriteRequired("zendavori_obj_1k.ppc", 25, 23);
    EXPECT_EQ(OpenAllDatabases(), 0);
    EXPECT_EQ(services.Texts(), (Texts{kObjectVersionMessage, kMoonVersionMessage}));
    EXPECT_NE(objectDb, nullptr);
    EXPECT_NE(moonDb, nullptr);
}

// Optional databases open silently; opening installs the lunar feature readers,
// closing forgets them and the stellar level.
TEST_F(DatabasesTest, OptionalDatabasesOpenSilentlyAndCloseWithTheOthers) {
    InstallMoonRecordHooks(MoonRecordHooks{});
    WriteRequired();
    for (const char* name : {"zendavori_mars.ppc", "zendavori_obj_18k_desc.ppc", "zendavori_comet.ppc",
                             "zendavori_satellites.ppc", "zendavori_obj_18k_idx.ppc", "zendavori_obj_cross_ref.ppc"})
        folder.WriteDb(std::string("data\\") + name, 1, 8, {Bytes(8)});
    EXPECT_EQ(OpenAllDatabases(), 0);
    EXPECT_TRUE(services.messages.empty());
    for (RecordDbHandle* slot : {marsDb, descriptionDb, cometDb, satelliteDb, objectIndexDb, crossRefDb})
        EXPECT_NE(slot, nullptr);
    EXPECT_EQ(GetMoonRecordCount(), 1);  // half of the two records written
    openStellarLevel = 3;
    CloseAllDatabases();
    for (RecordDbHandle* slot : {objectDb, defaultStarDb, moonDb, marsDb, descriptionDb, cometDb, satelliteDb,
                                 objectIndexDb, crossRefDb, userCatalogDb})
        EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(GetMoonRecordCount(), 0);
    EXPECT_EQ(openStellarLevel, -1);
}

// Regression: the 1k object index used to be opened whatever object file was open,
// so index entries named records of the wrong file. Without an object file no
// index opens; with only the 1k file its own designation ranges apply (IC 0..72,
// NGC 72..1126, no other catalogue).
TEST_F(DatabasesTest, ObjectIndexMatchesTheOpenObjectFile) {
    folder.WriteDb("data\\zendavori_obj_1k_idx.ppc", 1, 300, {Bytes(300)});
    folder.WriteDb("data\\zendavori_obj_18k_idx.ppc", 1, 300, {Bytes(300), Bytes(300)});
    OpenAllDatabases();
    EXPECT_EQ(objectIndexDb, nullptr);
    EXPECT_FALSE(OpenObjIndexDb());
    WriteRequired("zendavori_obj_18k.ppc");
    OpenAllDatabases();
    EXPECT_STREQ(objectIndexName, "zendavori_obj_18k_idx.ppc");
    EXPECT_EQ(GetRecDbCount(objectIndexDb), 2);
    EXPECT_EQ(designationTable[kDesignationNgc].first, kNoDesignationRecords);  // no NGC records in this file
    folder.Remove("data\\zendavori_obj_18k.ppc");
    WriteRequired("zendavori_obj_1k.ppc");
    OpenAllDatabases();
    EXPECT_STREQ(objectIndexName, "zendavori_obj_1k_idx.ppc");
    EXPECT_TRUE(OpenObjIndexDb());
    EXPECT_EQ(GetRecDbCount(objectIndexDb), 1);
    const int ranges[][3] = {{kDesignationIc, 0, 72}, {kDesignationNgc, 72, 1126}, {1, kNoDesignationRecords, 0},
                             {9, kNoDesignationRecords, 0}, {36, kNoDesignationRecords, 0}, {67, kNoDesignationRecords, 0}};
    for (const auto& r : ranges) {
        EXPECT_EQ(designationTable[r[0]].first, r[1]) << r[0];
        EXPECT_EQ(designationTable[r[0]].last, r[2]) << r[0];
    }
}

// Regression: the full file's built-in ranges named records of catalogues that no
// public source holds (Basel, Maffei over most of the file), so the finder listed
// other objects under their names. The ranges are now the runs of the file's own
// records from record 1126 on; catalogues without records and rows without a
// built-in range get none.
TEST_F(DatabasesTest, CatalogueMissingFromTheFullFileListsNoRecords) {
    WriteRequired();
    std::vector<Bytes> records(1126, Bytes(64));
    auto add = [&](int designation, int number) {
        ObjectRecord o{};
        o.designationId = static_cast<uint32_t>(designation);
        o.number = number;
        records.push_back(fixture::ObjectBytes(o));
    };
    add(kDesignationMessier, 45);
    for (int c : {9, 41, 99}) add(kDesignationCaldwell, c);
    for (int n : {5, 7, 9}) add(11, n);  // Cr
    for (int n : {1, 2}) add(kDesignationNgc, n);
    folder.WriteDb("data\\zendavori_obj_18k.ppc", 26, 64, records);
    OpenAllDatabases();
    const int ranges[][3] = {{kDesignationCaldwell, 1127, 1130}, {11, 1130, 1133}, {kDesignationNgc, 1133, 1135},
                             {kDesignationMessier, kNoDesignationRecords, 0}, {3, kNoDesignationRecords, 0},
                             {36, kNoDesignationRecords, 0}, {kDesignationIc, kNoDesignationRecords, 0}};
    for (const auto& r : ranges) {
        EXPECT_EQ(designationTable[r[0]].first, r[1]) << r[0];
        EXPECT_EQ(designationTable[r[0]].last, r[2]) << r[0];
    }
}

// The user catalogue named in the preferences (by default the program's own) is
// opened; a name leading out of "usercatalogs" is not.
TEST_F(DatabasesTest, UserCatalogNamedInThePreferencesIsOpenedOnlyFromItsFolder) {
    ValidatePreferences();
    folder.WriteDb("usercatalogs\\zendavori_user_catalog.pdb", 26, 64, {Bytes(64)});
    EXPECT_TRUE(OpenUserCatalog());
    WriteRequired();
    folder.WriteDb("usercatalogs\\mine.pdb", 26, 64, {Bytes(64), Bytes(64)});
    SetUserCatalogName("mine.pdb");
    OpenAllDatabases();
    EXPECT_EQ(GetUserObjectCount(), 2);
    CloseUserCatalog();
    EXPECT_EQ(GetUserObjectCount(), 0);
    folder.WriteDb("data\\other.pdb", 26, 64, {Bytes(64)});
    for (const char* name : {"..\\data\\other.pdb", "../data/other.pdb", "", ".."}) {
        SetUserCatalogName(name);
        EXPECT_FALSE(OpenUserCatalog()) << name;
    }
}

// Acceptance: the 8 pairs in order, "User catalog" only when the user catalogue has records.
TEST_F(DatabasesTest, CatalogNameListHasEightEntriesUnlessTheUserCatalogHasRecords) {
    const char* names[kCatalogNameListMax];
    int ids[kCatalogNameListMax];
    const std::pair<std::string, int> expected[] = {
        {"Caldwell", 9}, {"Comet&Asteroid", 12}, {"Constellation", 13},   {"Herschel", 25},
        {"Messier", 40}, {"Planet", 45},         {"110 Best of NGC", 49}, {"Stars (Brighest)", 54}};
    ASSERT_EQ(GetCatalogNameList(names, ids), 8);  // not open
    for (int i = 0; i < 8; ++i) EXPECT_EQ(std::make_pair(std::string(names[i]), ids[i]), expected[i]);
    OpenUser(26, {});
    EXPECT_EQ(GetCatalogNameList(names, ids), 8);  // open but empty
    OpenUser(26, {Bytes(64)});
    ASSERT_EQ(GetCatalogNameList(names, ids), 9);
    EXPECT_STREQ(names[8], "User catalog");
    EXPECT_EQ(ids[8], 63);
}

}  // namespace
