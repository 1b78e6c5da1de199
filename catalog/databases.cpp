#include "catalog/databases.h"

#include <cstring>

#include "catalog/constellation_lines.h"
#include "catalog/designations.h"
#include "catalog/listed_comets.h"
#include "catalog/moon_features.h"
#include "catalog/object_file_ranges.h"
#include "catalog/object_catalog.h"
#include "catalog/stars.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "platform/files.h"

RecordDbHandle* objectDb = nullptr;
RecordDbHandle* userCatalogDb = nullptr;
RecordDbHandle* defaultStarDb = nullptr;
RecordDbHandle* stellarDb = nullptr;
RecordDbHandle* moonDb = nullptr;
RecordDbHandle* marsDb = nullptr;
RecordDbHandle* descriptionDb = nullptr;
RecordDbHandle* cometDb = nullptr;
RecordDbHandle* satelliteDb = nullptr;
RecordDbHandle* objectIndexDb = nullptr;
RecordDbHandle* crossRefDb = nullptr;

bool databasesOpen = false;
int openStellarLevel = -1;
char objectIndexName[27] = "zendavori_obj_1k_idx.ppc";

namespace {

constexpr int kObjectDbVersion = 26;
constexpr int kMoonDbVersion = 24;

RecordDbHandle** const longLivedSlots[] = {&objectDb,    &userCatalogDb, &defaultStarDb, &stellarDb,
                                           &moonDb,      &marsDb,        &descriptionDb, &cometDb,
                                           &satelliteDb, &objectIndexDb, &crossRefDb};

bool OpenData(RecordDbHandle** slot, const char* type, const char* name) {
    return OpenRecordDb(slot, type, kCreatorCode, kDataFolder, name);
}

// Opens the 18k object file with its index, else the 1k file with its own, and
// sets the designation ranges to the file. False when neither opens.
bool OpenObjectDatabase() {
    bool full = OpenData(&objectDb, "pl00", "zendavori_obj_18k.ppc");
    if (!full && !OpenData(&objectDb, "pl00", "zendavori_obj_1k.ppc")) {
        objectIndexName[0] = '\0';
        UseObjectFileRanges(true);
        return false;
    }
    std::strcpy(objectIndexName, full ? "zendavori_obj_18k_idx.ppc" : "zendavori_obj_1k_idx.ppc");
    if (full) ReadObjectFileRanges(objectDb);
    else UseObjectFileRanges(false);
    return true;
}

// The user catalogue name from the preferences, terminated; "" when unset.
std::string UserCatalogName() {
    char name[kUserCatalogNameSize + 1];
    std::memcpy(name, &preferences.word[kPrefUserCatalogName], kUserCatalogNameSize);
    name[kUserCatalogNameSize] = '\0';
    return name;
}

}  // namespace

std::string WithMissingDataFile(const std::string& detail, const char* name) {
    if (!name || pl::FileExists(std::string(kDataFolder) + name)) return detail;
    return detail + (detail.empty() ? "" : "\n") + "Not found: data/" + name;
}

bool IsDataFileUnreadable(const RecordDbHandle* slot, const char* name, uint32_t recordSize) {
    if (!slot) return pl::FileExists(std::string(kDataFolder) + name);
    return slot->recordSize != recordSize || GetRecDbRecordsPresent(slot) > GetRecDbCount(slot);
}

std::string UnreadableDataFile(const char* name) {
    return std::string("data/") + name + " could not be read; it is left as it is.";
}

int OpenAllDatabases() {
    CloseAllDatabases();
    InstallMoonRecordReaders();
    int result = 0;
    if (!OpenData(&defaultStarDb, "pl01", "zendavori_default_stars.ppc")) {
        ShowInformation("Could not open star database\nPlease install zendavori_default_stars.ppc into data sub directory.",
                        "");
        result = -1;
    }
    MarkChartScreenListEmpty();
    if (!OpenObjectDatabase()) {
        ShowInformation("Could not open object database\n\nPlease install either:\nzendavori_obj_1k.ppc or,\n"
                        "zendavori_obj_18k.ppc into data sub directory.",
                        "");
        result = -1;
    }
    int version = 0;
    GetDbVersion(objectDb, &version);
    if (version != kObjectDbVersion)
        ShowInformation("You did not install the last version of zendavori_obj_18k.ppc or zendavori_obj_1k.ppc into "
                        "data sub directory.",
                        "");
    if (OpenData(&moonDb, "pl08", "zendavori_moon.ppc")) {
        GetDbVersion(moonDb, &version);
        if (version != kMoonDbVersion) ShowInformation("You did not install the last version of zendavori_moon.ppc", "");
    } else {
        result = -1;
    }
    OpenData(&marsDb, "pl09", "zendavori_mars.ppc");
    OpenData(&descriptionDb, "pl10", kDescriptionFile);
    OpenData(&cometDb, "pl11", "zendavori_comet.ppc");
    OpenData(&satelliteDb, "pl12", kSatelliteFile);
    OpenObjIndexDb();
    OpenData(&crossRefDb, "pl80", "zendavori_obj_cross_ref.ppc");
    CloseUserCatalog();
    OpenUserCatalog();
    // A list loaded while the comet file was closed (the kept list at start) holds the numbers
    // its file was saved with.
    MatchListedComets();
    return result;
}

void CloseAllDatabases() {
    openStellarLevel = -1;
    for (RecordDbHandle** slot : longLivedSlots) CloseRecordDb(slot);
    // The next ReopenDatabases(0) opens them again (a program started anew in
    // the same process found them closed but marked open).
    databasesOpen = false;
}

int ReopenDatabases(int closeFirst) {
    if (!databasesOpen) OpenAllDatabases();
    else if (closeFirst == 1) {
        CloseAllDatabases();
        OpenAllDatabases();
    }
    databasesOpen = true;
    return 1;
}

bool OpenUserCatalog() {
    CloseUserCatalog();
    std::string name = UserCatalogName();
    // Only a plain file name of the folder: no path may lead out of it.
    if (name.empty() || name.find_first_of("\\/") != std::string::npos || name == "." || name == "..") return false;
    return OpenRecordDb(&userCatalogDb, "User", kCreatorCode, kUserCatalogFolder, name);
}

void CloseUserCatalog() { CloseRecordDb(&userCatalogDb); }

bool IsStellarCatalogOpen() { return stellarDb != nullptr; }

bool OpenObjIndexDb() {
    CloseRecordDb(&objectIndexDb);
    if (objectIndexName[0] == '\0') return false;
    return OpenData(&objectIndexDb, "pl90", objectIndexName);
}

int GetCatalogNameList(const char** names, int* ids) {
    static constexpr int kListed[] = {kDesignationCaldwell, kDesignationComet,     kDesignationConstellation,
                                      kDesignationHerschel, kDesignationMessier,   kDesignationPlanet,
                                      kDesignationBestNgc,  kDesignationBrightStar, kDesignationUser};
    int count = GetUserObjectCount() > 0 ? 9 : 8;
    for (int i = 0; i < count; ++i) {
        names[i] = designationTable[kListed[i]].longName;
        ids[i] = kListed[i];
    }
    return count;
}

void ResetCatalogState() {
    CloseAllDatabases();
    ResetRecordDbReports();
    databasesOpen = false;
    std::strcpy(objectIndexName, "zendavori_obj_1k_idx.ppc");
    UseObjectFileRanges(true);
    ResetStarCatalog();
    ResetConstellationData();
    ResetMoonFeatures();
}
