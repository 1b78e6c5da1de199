// The long-lived catalogue databases: one slot per database (null while it is
// closed), the step that opens them all, the reopen that the home form, the
// location form and the catalogue preferences call, and the catalogue list of the
// object-finding forms.
#pragma once

#include <string>

#include "catalog/record_db.h"

extern RecordDbHandle* objectDb;       // "zendavori_obj_18k.ppc", else "zendavori_obj_1k.ppc"
extern RecordDbHandle* userCatalogDb;  // usercatalogs\<userCatalogName>
extern RecordDbHandle* defaultStarDb;  // "zendavori_default_stars.ppc"
extern RecordDbHandle* stellarDb;      // the stellar catalogue of openStellarLevel
extern RecordDbHandle* moonDb;         // "zendavori_moon.ppc"
extern RecordDbHandle* marsDb;         // "zendavori_mars.ppc"
extern RecordDbHandle* descriptionDb;  // kDescriptionFile
extern RecordDbHandle* cometDb;        // "zendavori_comet.ppc"
extern RecordDbHandle* satelliteDb;    // kSatelliteFile
extern RecordDbHandle* objectIndexDb;  // objectIndexName
extern RecordDbHandle* crossRefDb;     // "zendavori_obj_cross_ref.ppc"

// Set once ReopenDatabases has run.
extern bool databasesOpen;
// Level of the open stellar catalogue, -1 when none.
extern int openStellarLevel;
// File name of the object index, chosen to match the open object file.
extern char objectIndexName[27];

constexpr char kDataFolder[] = "data\\";
constexpr char kUserCatalogFolder[] = "usercatalogs\\";
constexpr char kCreatorCode[] = "ZDV1";
constexpr char kDescriptionFile[] = "zendavori_obj_18k_desc.ppc";
constexpr char kSatelliteFile[] = "zendavori_satellites.ppc";
constexpr char kEyepieceFile[] = "zendavori_eyepiece.ppc";

// `detail` followed by the line "Not found: data/<name>" when the data file
// `name` is missing (after a line break when `detail` has text); `detail` as
// it is when the file is there (or `name` is null).
std::string WithMissingDataFile(const std::string& detail, const char* name);

// True when the data file `name` is there but cannot be read whole as records
// of `recordSize` bytes: its database `slot` is closed (a damaged header), or
// its header gives another record size, or counts fewer records than the file
// holds. Such a file must not be replaced by one written from what was read.
bool IsDataFileUnreadable(const RecordDbHandle* slot, const char* name, uint32_t recordSize);

// "data/<name> could not be read; it is left as it is.": the detail of a save
// refused because the file it would replace could not be read.
std::string UnreadableDataFile(const char* name);

// Opens every long-lived database and then the user catalogue; reports a missing
// default-star or object database, and an object or moon database of another
// version. The list's comet entries then find their records (MatchListedComets).
// Returns 0, or -1 when the default stars, the object database or the moon
// database could not be opened.
int OpenAllDatabases();

// Closes every long-lived database and forgets the open stellar level.
void CloseAllDatabases();

// Opens the databases once (closeFirst 0) or closes and opens them again
// (closeFirst 1). Returns 1.
int ReopenDatabases(int closeFirst);

// Opens the user catalogue named in the preferences (a file of "usercatalogs")
// into its slot; true when it is open afterwards.
bool OpenUserCatalog();
void CloseUserCatalog();

bool IsStellarCatalogOpen();

// Closes and opens the object index again; true when it is open.
bool OpenObjIndexDb();

constexpr int kCatalogNameListMax = 9;

// The catalogues offered by the object-finding forms: names and designation ids of
// Caldwell, Comet&Asteroid, Constellation, Herschel, Messier, Planet, "110 Best of
// NGC", "Stars (Brighest)", and "User catalog" when the user catalogue has records.
// Both arrays hold kCatalogNameListMax entries. Returns 8 or 9.
int GetCatalogNameList(const char** names, int* ids);

// Closes everything and forgets every flag and cached value of the catalogue
// code, as at program start (tests).
void ResetCatalogState();
