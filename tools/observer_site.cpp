#include "tools/observer_site.h"

#include <cmath>
#include <cstring>

#include "catalog/databases.h"
#include "catalog/record_db.h"
#include "core/angle_text.h"
#include "core/preferences_file.h"
#include "core/shared_state.h"

int32_t locationListChoice = -1;
int32_t savedSiteIndex = -1;

namespace {

constexpr char kLocationType[] = "pl63";
constexpr char kLocationFile[] = "zendavori_location.ppc";
constexpr int kNameField = 24;
constexpr int kZoneLimit = 1439;

// A zero-terminated text of a fixed field: every byte up to the first zero.
template <std::size_t N>
void ReadName(char (&to)[N], const uint8_t* field) {
    static_assert(N == kNameField + 1);
    std::memcpy(to, field, kNameField);
    to[kNameField] = '\0';
}

// Copies at most `count` characters of a name, zero-filling the rest.
template <std::size_t N, std::size_t M>
void CopyName(char (&to)[N], const char (&from)[M], std::size_t count) {
    static_assert(N > 0);
    std::memset(to, 0, N);
    std::size_t n = strnlen(from, M);
    if (n > count) n = count;
    if (n > N - 1) n = N - 1;
    std::memcpy(to, from, n);
}

bool IsPlace(const LocationDbRecord& r) {
    return std::isfinite(r.latitude) && std::isfinite(r.longitude) && std::fabs(r.latitude) <= 90.0f &&
           std::fabs(r.longitude) <= 180.0f && r.zoneMinutes >= -kZoneLimit && r.zoneMinutes <= kZoneLimit;
}

}  // namespace

bool ReadLocationRecord(RecordDbHandle* db, int32_t index, LocationDbRecord* record) {
    if (!db || !record || index < 0 || index > 0xFFFF) return false;
    const uint8_t* bytes = FetchRecord(db, index, kLocationRecordSize);
    if (!bytes) return false;
    LocationDbRecord read{};
    ReadName(read.firstName, bytes);
    ReadName(read.secondName, bytes + kNameField);
    read.latitude = LoadF32(bytes, 48);
    read.longitude = -LoadF32(bytes, 52);
    read.zoneMinutes = LoadI16(bytes, 56);
    if (!IsPlace(read)) return false;
    *record = read;
    return true;
}

bool OpenLocationDatabase(RecordDbHandle** db) {
    return OpenRecordDb(db, kLocationType, kCreatorCode, kDataFolder, kLocationFile);
}

bool GetLocationRecord(int32_t index, LocationDbRecord* record) {
    if (!record || index < 0 || index > 0xFFFF) return false;
    RecordDbHandle* db = nullptr;
    if (!OpenLocationDatabase(&db)) return false;
    bool read = ReadLocationRecord(db, index, record);
    CloseRecordDb(&db);
    return read;
}

void SetObserverSite(double longitude, double latitude, int16_t zoneMinutes) {
    SetSiteLatitude(currentSite, latitude);
    currentSite.longitude = static_cast<float>(longitude);
    currentSite.zoneMinutes = zoneMinutes;
}

int16_t ZoneMinutesFromLongitude(double longitude) {
    double hours = -longitude / 15.0;
    int whole = static_cast<int>(hours < 0 ? hours - 0.5 : hours + 0.5);
    return static_cast<int16_t>(whole * 60);
}

void TakeLocationRecord(const LocationDbRecord& record) {
    SiteRecord& site = currentSite;
    CopyName(site.name, record.secondName, 11);
    SetSiteLatitude(site, record.latitude);
    site.longitude = record.longitude;
    site.zoneMinutes = static_cast<int16_t>(record.zoneMinutes + (site.daylightSaving == 1 ? 60 : 0));
    site.elevation = 0;
}

void LoadSavedSite(int index) {
    if (index < 0 || index > 2) return;
    SiteRecord& site = currentSite;
    const SavedSite& saved = site.savedSites[index];
    CopyName(site.name, saved.name, 10);
    SetSiteLatitude(site, saved.latitude);
    site.longitude = saved.longitude;
    site.zoneMinutes = saved.zoneMinutes;
    site.daylightSaving = saved.daylightSaving;
    site.elevation = saved.elevation;
    site.skyCondition = saved.skyCondition;
}

void StoreSavedSite(int index) {
    if (index < 0 || index > 2) return;
    const SiteRecord& site = currentSite;
    SavedSite& saved = currentSite.savedSites[index];
    CopyName(saved.name, site.name, 10);
    saved.latitude = site.latitude;
    saved.longitude = site.longitude;
    saved.zoneMinutes = site.zoneMinutes;
    saved.daylightSaving = site.daylightSaving;
    saved.elevation = site.elevation;
    saved.skyCondition = site.skyCondition;
}

int FindSavedSiteOfSite() {
    const SiteRecord& site = currentSite;
    for (int i = 0; i < 3; ++i) {
        const SavedSite& s = site.savedSites[i];
        if (s.latitude == site.latitude && s.longitude == site.longitude && s.zoneMinutes == site.zoneMinutes &&
            std::strncmp(s.name, site.name, sizeof s.name) == 0)
            return i;
    }
    return -1;
}

void SetSiteFromMapTap(double longitude, double latitude) {
    SetObserverSite(longitude, latitude, ZoneMinutesFromLongitude(longitude));
    std::memset(currentSite.name, 0, sizeof currentSite.name);
    std::strcpy(currentSite.name, "User Tap");
    locationListChoice = -1;
    SavePreferences();
}

std::string CoordinateText(double value, char positive, char negative) {
    char degrees[32];
    DegToStr(degrees, sizeof degrees, std::fabs(value));
    return std::string(degrees) + ' ' + (value >= 0 ? positive : negative);
}

void ResetSiteSelection() {
    locationListChoice = -1;
    savedSiteIndex = -1;
}
