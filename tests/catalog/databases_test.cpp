// Opening, reopening and listing the long-lived catalogue databases.
#include <gtest/gtest.h>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/object_catalog.h"
#include "catalog_test.h"
#include "core/moon_records.h"

using fixture::Bytes;

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

// No data folder content: the three messages in the order of the opening steps;
// the moon database stays closed without a message.
TEST_F(DatabasesTest, EmptyDataFolderReportsStarsObjectsAndVersionInOrder) {
    EXPECT_EQ(ReopenDatabases(0), 1);
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{kStarMessage, kObjectMessage, kObjectVersionMessage}));
    for (const auto& m : services.messages) EXPECT_EQ(m.detail, "");
    EXPECT_EQ(moonDb, nullptr);
    EXPECT_TRUE(databasesOpen);
}

TEST_F(DatabasesTest, OpenAllReturnsMinusOneWhenARequiredDatabaseIsMissing) {
    EXPECT_EQ(OpenAllDatabases(), -1);
    WriteRequired();
    EXPECT_EQ(OpenAllDatabases(), 0);
    folder.Remove("data\\zendavori_moon.ppc");
    EXPECT_EQ(OpenAllDatabases(), -1);  // the moon database alone also counts
}

TEST_F(DatabasesTest, ReopenWithoutCloseFirstDoesNotRetryUntilAskedTo) {
    ReopenDatabases(0);
    WriteRequired();
    services.messages.clear();
    EXPECT_EQ(ReopenDatabases(0), 1);
    EXPECT_EQ(objectDb, nullptr);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(ReopenDatabases(1), 1);
    EXPECT_NE(objectDb, nullptr);
    EXPECT_NE(defaultStarDb, nullptr);
    EXPECT_NE(moonDb, nullptr);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(DatabasesTest, VersionMismatchesAreReportedAndTheDataUsed) {
    WriteRequired("zendavori_obj_1k.ppc", 25, 23);
    EXPECT_EQ(OpenAllDatabases(), 0);
    EXPECT_EQ(services.Texts(), (std::vector<std::string>{kObjectVersionMessage, kMoonVersionMessage}));
    EXPECT_NE(objectDb, nullptr);
    EXPECT_NE(moonDb, nullptr);
}

TEST_F(DatabasesTest, OptionalDatabasesOpenSilently) {
    WriteRequired();
    for (const char* name : {"zendavori_mars.ppc", "zendavori_obj_18k_desc.ppc", "zendavori_comet.ppc",
                             "zendavori_satellites.ppc", "zendavori_obj_18k_idx.ppc", "zendavori_obj_cross_ref.ppc"})
        folder.WriteDb(std::string("data\\") + name, 1, 8, {Bytes(8)});
    EXPECT_EQ(OpenAllDatabases(), 0);
    EXPECT_TRUE(services.messages.empty());
    for (RecordDbHandle* slot : {marsDb, descriptionDb, cometDb, satelliteDb, objectIndexDb, crossRefDb})
        EXPECT_NE(slot, nullptr);
    CloseAllDatabases();
    for (RecordDbHandle* slot : {objectDb, defaultStarDb, moonDb, marsDb, descriptionDb, cometDb, satelliteDb,
                                 objectIndexDb, crossRefDb, userCatalogDb})
        EXPECT_EQ(slot, nullptr);
}

// Regression: the 1k object index used to be opened whatever object file was open,
// so index entries named records of the wrong file.
TEST_F(DatabasesTest, ObjectIndexMatchesTheOpenObjectFile) {
    folder.WriteDb("data\\zendavori_obj_1k_idx.ppc", 1, 300, {Bytes(300)});
    folder.WriteDb("data\\zendavori_obj_18k_idx.ppc", 1, 300, {Bytes(300), Bytes(300)});
    WriteRequired("zendavori_obj_18k.ppc");
    OpenAllDatabases();
    EXPECT_STREQ(objectIndexName, "zendavori_obj_18k_idx.ppc");
    EXPECT_EQ(GetRecDbCount(objectIndexDb), 2);
    EXPECT_EQ(designationTable[kDesignationNgc].first, 10055);  // the built-in 18k ranges
    EXPECT_EQ(designationTable[kDesignationNgc].last, 18521);

    folder.Remove("data\\zendavori_obj_18k.ppc");
    WriteRequired("zendavori_obj_1k.ppc");
    OpenAllDatabases();
    EXPECT_STREQ(objectIndexName, "zendavori_obj_1k_idx.ppc");
    EXPECT_EQ(GetRecDbCount(objectIndexDb), 1);
    EXPECT_TRUE(OpenObjIndexDb());
    EXPECT_EQ(GetRecDbCount(objectIndexDb), 1);
}

// With only the 1k file the ranges of that file apply: IC 0..72, NGC 72..1126, no
// other catalogue.
TEST_F(DatabasesTest, OneKObjectFileUsesItsOwnDesignationRanges) {
    WriteRequired("zendavori_obj_1k.ppc");
    OpenAllDatabases();
    EXPECT_EQ(designationTable[kDesignationIc].first, 0);
    EXPECT_EQ(designationTable[kDesignationIc].last, 72);
    EXPECT_EQ(designationTable[kDesignationNgc].first, 72);
    EXPECT_EQ(designationTable[kDesignationNgc].last, 1126);
    for (int id : {1, 9, 36, 67}) {
        EXPECT_EQ(designationTable[id].first, kNoDesignationRecords) << id;
        EXPECT_EQ(designationTable[id].last, 0) << id;
    }
}

TEST_F(DatabasesTest, NoObjectFileOpensNoObjectIndex) {
    folder.WriteDb("data\\zendavori_obj_1k_idx.ppc", 1, 300, {Bytes(300)});
    OpenAllDatabases();
    EXPECT_EQ(objectIndexDb, nullptr);
    EXPECT_FALSE(OpenObjIndexDb());
}

TEST_F(DatabasesTest, UserCatalogNamedInThePreferencesIsOpened) {
    WriteRequired();
    folder.WriteDb("usercatalogs\\mine.pdb", 26, 64, {Bytes(64), Bytes(64)});
    SetUserCatalogName("mine.pdb");
    OpenAllDatabases();
    EXPECT_EQ(GetUserObjectCount(), 2);
    CloseUserCatalog();
    EXPECT_EQ(GetUserObjectCount(), 0);
    EXPECT_TRUE(OpenUserCatalog());
    EXPECT_EQ(GetUserObjectCount(), 2);
}

// The name comes from the preferences: it must not lead out of "usercatalogs".
TEST_F(DatabasesTest, UserCatalogNameWithAFolderIsNotOpened) {
    folder.WriteDb("data\\other.pdb", 26, 64, {Bytes(64)});
    for (const char* name : {"..\\data\\other.pdb", "../data/other.pdb", "", ".."}) {
        SetUserCatalogName(name);
        EXPECT_FALSE(OpenUserCatalog()) << name;
    }
}

TEST_F(DatabasesTest, DefaultPreferencesNameTheDefaultUserCatalog) {
    ValidatePreferences();
    folder.WriteDb("usercatalogs\\zendavori_user_catalog.pdb", 26, 64, {Bytes(64)});
    EXPECT_TRUE(OpenUserCatalog());
}

TEST_F(DatabasesTest, CatalogNameListHasEightEntriesUnlessTheUserCatalogHasRecords) {
    const char* names[kCatalogNameListMax];
    int ids[kCatalogNameListMax];
    const std::vector<std::string> expectedNames = {"Caldwell", "Comet&Asteroid", "Constellation", "Herschel",
                                                    "Messier",  "Planet",         "110 Best of NGC",
                                                    "Stars (Brighest)"};
    const std::vector<int> expectedIds = {9, 12, 13, 25, 40, 45, 49, 54};
    ASSERT_EQ(GetCatalogNameList(names, ids), 8);  // not open
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(names[i], expectedNames[i]);
        EXPECT_EQ(ids[i], expectedIds[i]);
    }
    SetUserCatalogName("empty.pdb");
    folder.WriteDb("usercatalogs\\empty.pdb", 26, 64, {});
    ASSERT_TRUE(OpenUserCatalog());
    EXPECT_EQ(GetCatalogNameList(names, ids), 8);  // open but empty
    SetUserCatalogName("one.pdb");
    folder.WriteDb("usercatalogs\\one.pdb", 26, 64, {Bytes(64)});
    ASSERT_TRUE(OpenUserCatalog());
    ASSERT_EQ(GetCatalogNameList(names, ids), 9);
    EXPECT_STREQ(names[8], "User catalog");
    EXPECT_EQ(ids[8], 63);
}

TEST_F(DatabasesTest, OpeningInstallsTheLunarFeatureReaders) {
    InstallMoonRecordHooks(MoonRecordHooks{});
    WriteRequired();
    OpenAllDatabases();
    EXPECT_EQ(GetMoonRecordCount(), 1);  // half of the two records written
    CloseAllDatabases();
    EXPECT_EQ(GetMoonRecordCount(), 0);
}

TEST_F(DatabasesTest, ClosingForgetsTheStellarLevel) {
    openStellarLevel = 3;
    EXPECT_FALSE(IsStellarCatalogOpen());
    CloseAllDatabases();
    EXPECT_EQ(openStellarLevel, -1);
}

}  // namespace
