// The observer's site as the site tools write it: the record of the location
// database, the saved sites, the direct setting of coordinates and zone, and
// the site of a tap on a world map. Everything here works on currentSite
// (core/shared_state.h) and never touches a window.
#pragma once

#include <cstdint>
#include <string>

struct RecordDbHandle;

// The record number chosen in the location list, -1 when none.
extern int32_t locationListChoice;
// The saved site (0..2) the location form shows and stores into; -1 until
// the first selection of the run.
extern int32_t savedSiteIndex;

// A record of "data\zendavori_location.ppc" (64 bytes, little-endian):
//   0  24  first name, zero-terminated (the location list's left column)
//  24  24  second name, zero-terminated (its first 11 characters name the site)
//  48   4  latitude, float, degrees north positive
//  52   4  longitude, float, degrees EAST positive in the file
//  56   2  zone minutes of standard time, int16
//  58   6  not read
// The names keep all 24 bytes of their field and a terminator of their own.
struct LocationDbRecord {
    char firstName[25];
    char secondName[25];
    float latitude;     // degrees, north positive
    float longitude;    // degrees, WEST positive once read (the file's sign negated)
    int16_t zoneMinutes;
};

constexpr int kLocationRecordSize = 64;

// Reads record `index` of the location database, opening and closing the file
// on each call. False, silently, when the file cannot be opened, the record
// cannot be read, or its coordinates or zone are not those of a place (not
// finite, latitude outside -90..90, longitude outside -180..180, zone outside
// -1439..1439); `record` is then left as it was.
bool GetLocationRecord(int32_t index, LocationDbRecord* record);

// Opens the location database ("data\zendavori_location.ppc", type "pl63")
// into the slot; false, silently, when it cannot be opened.
bool OpenLocationDatabase(RecordDbHandle** db);

// Reads record `index` of the open location database as GetLocationRecord
// does, without a message; false for a closed database.
bool ReadLocationRecord(RecordDbHandle* db, int32_t index, LocationDbRecord* record);

// Writes latitude (with its sine and cosine), longitude (degrees west
// positive) and zone minutes of currentSite, and nothing else. The lunar
// eclipse view puts a temporary site this way and puts the old one back.
void SetObserverSite(double longitude, double latitude, int16_t zoneMinutes);

// The time zone of a longitude (degrees west positive) in minutes east of
// UT: -longitude / 15 hours rounded to the nearest hour, halves away from
// zero (22.5 W gives -120, 7.5 W gives -60, 7.4 W gives 0).
int16_t ZoneMinutesFromLongitude(double longitude);

// A location record becomes the site: its second name (11 characters), its
// coordinates, its zone plus 60 minutes while daylight saving is on, and
// elevation 0. Conditions, weather and the saved sites stay.
void TakeLocationRecord(const LocationDbRecord& record);

// Copies saved site `index` (0..2) into the site: name (10 characters),
// coordinates, zone, daylight saving, elevation and sky condition.
void LoadSavedSite(int index);

// Stores the site into saved site `index` (0..2): name (10 characters),
// coordinates, zone, daylight saving, elevation and sky condition.
void StoreSavedSite(int index);

// The first saved site whose name, latitude, longitude and zone equal the
// site's exactly; -1 when none does.
int FindSavedSiteOfSite();

// A tap on the small world map at (longitude west positive, latitude): the
// site takes the point, the zone of its longitude (daylight saving not added)
// and the name "User Tap"; the location-list choice is dropped and the
// preferences are saved so the site outlives the run.
void SetSiteFromMapTap(double longitude, double latitude);

// A coordinate as the site forms show it: DegToStr of |value| (the "Dec
// Format"), a blank and `positive` for a value of 0 or more, else `negative`.
std::string CoordinateText(double value, char positive, char negative);

// Start values: no list choice, no saved site chosen (tests).
void ResetSiteSelection();
