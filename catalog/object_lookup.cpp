#include "catalog/object_lookup.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/object_lists.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "core/constellation.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/planet_names.h"

namespace {

// The object files share their first 1131 records; the further objects outside
// NGC and IC (M40, M45, C9, C41, C99) follow the NGC block. Files made before
// M40 joined share 1130: the scan's extra record is then a full-catalogue
// record, whose designation never matches a Messier or Caldwell key.
constexpr int kSharedExtrasFirst = 1126;
constexpr int kSharedRecords = 1131;
constexpr double kJ2000 = 2451545.0;
constexpr double kFix24PerHour = 4392264.877774095;
constexpr double kFix24PerDegree = 292817.658518273;
constexpr int kTypeConstellation = 14;
constexpr int kTypePlanet = 27;
constexpr int kTypeMeteor = 29;
constexpr int kTypeStar = 30;
constexpr int kStellarCapForLookups = 6;
constexpr int kHipparcosLevel = 8;
constexpr int kHrLevel = 0;
constexpr int kTychoLevel = 10;
constexpr int kBodyCount = 10;  // Sun .. Pluto

enum class Search { Found, NotFound, ReadFailure };

// Text output of the lookup: a caller's buffer with its size, possibly absent.
struct Text {
    char* buffer;
    std::size_t size;

    void Clear() const {
        if (buffer && size) buffer[0] = '\0';
    }
    template <typename... Args>
    void Format(const char* format, Args... args) const {
        if (buffer && size) std::snprintf(buffer, size, format, args...);
    }
};

int Designation(const ObjectRecord* r) { return static_cast<int16_t>(r->designationId); }

// "NGC188": the record's designation prefix and number.
void OwnDesignation(const Text& text, const ObjectRecord* r) {
    text.Format("%s%ld", DesignationPrefix(Designation(r)), static_cast<long>(r->number));
}

double CurrentJulianDay() {
    const DateTime& t = currentDateTime;
    return JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.zoneMinutes);
}

void SetConstellation(ObjectRecord* r, double jdEquinox) {
    r->constellation = static_cast<uint32_t>(FindConstellation(r->rightAscension, r->declination, jdEquinox));
}

void SetSizes(ObjectRecord* r, float size) { r->size1 = r->size2 = size; }

// Binary search of a catalogue's record range [first, last) for a number.
Search SearchCatalogueRange(int designation, int32_t number, ObjectRecord* record, int* recordIndex) {
    if (designation < 0 || designation >= kDesignationCount) return Search::NotFound;
    const DesignationRow& row = designationTable[designation];
    int first = row.first;
    int last = row.last - 1;
    if (row.first == kNoDesignationRecords || first > last) return Search::NotFound;
    while (first <= last) {
        int mid = (first + last) / 2;
        // A damaged record is never the answer, but its key still steers the search.
        ObjectReadResult read = ReadObjectRecord(mid, record);
        if (read == kObjectFailed) return Search::ReadFailure;
        if (read == kObjectRead && record->number == number && Designation(record) == designation) {
            *recordIndex = mid;
            return Search::Found;
        }
        if (record->number > number) last = mid - 1;
        else first = mid + 1;
    }
    return Search::NotFound;
}

// The record of a catalogue key: in its catalogue's range, else among the
// further objects of the shared records.
bool FindKeyRecord(int designation, int32_t number, ObjectRecord* record) {
    if (designation == 0) return false;
    int index;
    Search found = SearchCatalogueRange(designation, number, record, &index);
    if (found == Search::Found) return true;
    if (found == Search::ReadFailure) return false;
    int end = GetRecDbCount(objectDb) < kSharedRecords ? GetRecDbCount(objectDb) : kSharedRecords;
    for (int i = kSharedExtrasFirst; i < end; ++i)
        if (GetObjectRecord(i, record) && Designation(record) == designation && record->number == number) return true;
    return false;
}

bool GetListedObject(const CatalogueKey* table, int count, int index, ObjectRecord* record) {
    if (index < 0 || index >= count) return false;
    const CatalogueKey& k = table[index];
    return FindKeyRecord(k.designation, k.number, record) || FindKeyRecord(k.altDesignation, k.altNumber, record);
}

// ---- one function per kind ----

bool MessierOrCaldwell(int kind, long n, ObjectRecord* r, const Text& designation, const Text& name) {
    bool found = kind == kDesignationMessier ? GetMessierObjectRecord(static_cast<int>(n), r)
                                             : GetCaldwellObjectRecord(static_cast<int>(n), r);
    if (!found) return false;
    designation.Format(kind == kDesignationMessier ? "M%ld" : "C%ld", n + 1);
    OwnDesignation(name, r);
    r->designationId = static_cast<uint32_t>(kind);
    r->number = static_cast<int32_t>(n);
    return true;
}

bool Herschel(long n, ObjectRecord* r, const Text& designation, const Text& name) {
    if (!GetHerschelObjectRecord(static_cast<int>(n), r)) return false;
    OwnDesignation(designation, r);
    // The proper name (at most 15 characters: the lookup drops the last of the 16 it
    // takes), or the first alternative designation when there is one.
    char properName[17] = "";
    int ids[1] = {0};
    int32_t numbers[1] = {0};
    FindCrossReference(Designation(r), r->number, ids, numbers, 1, properName, 16);
    if (ids[0] > 0) name.Format("%s%ld", DesignationPrefix(ids[0]), static_cast<long>(numbers[0]));
    else name.Format("%s", properName);
    return true;
}

bool BestNgc(long n, ObjectRecord* r, const Text& designation) {
    if (!GetBestNgcObjectRecord(static_cast<int>(n), r)) return false;
    OwnDesignation(designation, r);
    return true;
}

bool UserObject(long n, ObjectRecord* r, const Text& designation) {
    if (!GetUserObjectRecord(static_cast<int>(n), r)) return false;
    designation.Format("%s", r->name);
    return true;
}

bool Comet(long n, ObjectRecord* r, const Text& designation, int compute) {
    CometRecord comet;
    if (n > 0xFFFF || !GetCometData(static_cast<int>(n), &comet)) return false;
    comet.name[sizeof comet.name - 1] = '\0';
    designation.Format("%s", comet.name);
    r->designationId = kDesignationComet;
    r->number = static_cast<int32_t>(n);
    r->objectType = comet.kind;
    SetObjectRecordName(r, comet.name);
    if (!compute) return true;
    double jd = CurrentJulianDay();
    CometPlace place;
    if (!ComputeCometPlace(&comet, jd, currentDateTime.year, &place)) return false;
    r->rightAscension = place.rightAscension;
    r->declination = place.declination;
    r->distance = place.distance;
    SetSizes(r, 0.5f);
    SetConstellation(r, jd);
    r->magnitude = static_cast<float>(place.magnitude);
    return true;
}

bool Constellation(long n, ObjectRecord* r, const Text& designation, const Text& name, int compute, int* listed) {
    if (n >= kConstellationCount) return false;
    const ConstellationRow& row = constellationTable[n];
    designation.Format("%s", row.abbreviation);
    name.Format("%s", row.name);
    r->designationId = kDesignationConstellation;
    r->number = static_cast<int32_t>(n);
    r->objectType = kTypeConstellation;
    *listed = 0;
    if (!compute) return true;
    r->rightAscension = static_cast<float>(row.rightAscension * 0.001);
    r->declination = static_cast<float>(row.declination * 0.01);
    r->magnitude = 0.0f;
    SetSizes(r, 0.0f);
    r->distance = 0.0f;
    r->constellation = static_cast<uint32_t>(n);
    return true;
}

bool Planet(long n, ObjectRecord* r, const Text& designation, int compute) {
    if (n >= kBodyCount) return false;
    designation.Format("%s", planetNameTable[n]);
    r->designationId = kDesignationPlanet;
    r->number = static_cast<int32_t>(n);
    r->objectType = kTypePlanet;
    SetObjectRecordName(r, planetNameTable[n]);
    if (!compute) return true;
    const DateTime& t = currentDateTime;
    BodyPosition body{};
    if (ComputeBody(&body, static_cast<int>(n), t.year, t.month, t.day, t.hour, t.minute, t.second) != 0) return false;
    r->rightAscension = static_cast<float>(body.ra);
    r->declination = static_cast<float>(body.dec);
    r->magnitude = static_cast<float>(body.magnitude);
    SetSizes(r, static_cast<float>(body.apparentDiameter));
    r->distance = static_cast<float>(body.distance);
    SetConstellation(r, CurrentJulianDay());
    return true;
}

// The day and month of a date in the locale's order: the first five characters
// of the date of the year 2000.
void ShowerDate(const Text& text, int day, int month) {
    char date[16];
    FormatDate(date, sizeof date, day, month, 2000);
    text.Format("%.5s", date);
}

bool MeteorShower(long n, ObjectRecord* r, const Text& designation, const Text& name, int compute, int* listed) {
    if (n >= kMeteorShowerCount) return false;
    const MeteorShowerRow& s = meteorShowerTable[n];
    if (s.peakDay != 0) ShowerDate(designation, s.peakDay, s.peakMonth);
    else ShowerDate(designation, s.startDay, s.startMonth);
    name.Format("%s", s.name);
    r->designationId = kDesignationMeteor;
    r->number = static_cast<int32_t>(n);
    r->objectType = kTypeMeteor;
    SetObjectRecordName(r, s.name);
    *listed = currentDateTime.month == s.startMonth || currentDateTime.month == s.endMonth;
    if (!compute) return true;
    r->rightAscension = static_cast<float>(s.raCentihours * 0.01);
    r->declination = s.decDegrees;
    SetSizes(r, 400.0f);
    r->distance = 0.0f;
    r->magnitude = s.zhr;
    r->classCode = s.peakDay;
    r->objectCode = s.peakMonth;
    SetConstellation(r, CurrentJulianDay());
    return true;
}

bool BrightStar(long n, ObjectRecord* r, const Text& designation, int compute, int* listed) {
    BrightStarName star;
    if (n > 0xFFFF || !ReadBrightStarRecord(static_cast<int>(n), &star)) return false;
    star.name[sizeof star.name - 1] = '\0';
    LoadStarCatalog(0);
    const StarRecord& s = brightStarTable[star.starIndex];
    designation.Format("%s", star.name);
    r->designationId = kDesignationBrightStar;
    r->number = static_cast<int32_t>(n);
    r->objectType = kTypeStar;
    SetObjectRecordName(r, star.name);
    r->magnitude = s.magnitude16 / 16.0f;
    r->classCode = s.colour;
    *listed = 0;
    if (!compute) return true;
    r->rightAscension = static_cast<float>(s.rightAscension / kFix24PerHour);
    r->declination = static_cast<float>(s.declination / kFix24PerDegree);
    SetSizes(r, 1.0f);
    r->distance = 0.0f;
    r->objectCode = 0;
    SetConstellation(r, kJ2000);  // catalogue positions are J2000.0
    return true;
}

// Opens the stellar catalogue of a level; with `holdCap` the card-catalogue
// preference is set to the largest file for the call and restored afterwards.
bool SelectLookupCatalog(int level, bool holdCap) {
    int saved = preferences.word[kPrefCardCatalog];
    if (holdCap) preferences.word[kPrefCardCatalog] = kStellarCapForLookups;
    bool open = SelectStellarCatalog(level);
    const char* file = StellarCatalogFileOf(level);
    preferences.word[kPrefCardCatalog] = saved;
    if (!open) ShowInformation("Can't find stellar catalog", WithMissingDataFile("", file));
    return open;
}

void FillStellarStar(ObjectRecord* r, const UnpackedStar& star, const char* text, int compute, float size) {
    r->magnitude = star.magnitude / 16.0f;
    if (!compute) return;
    SetObjectRecordName(r, text);
    r->rightAscension = static_cast<float>(star.rightAscension / kFix24PerHour);
    r->declination = static_cast<float>(star.declination / kFix24PerDegree);
    SetSizes(r, size);
    r->distance = 0.0f;
    r->objectCode = 0;
    r->classCode = star.colour;
    SetConstellation(r, kJ2000);
}

bool CatalogueStar(int kind, long n, ObjectRecord* r, const Text& designation, int compute, int* listed) {
    UnpackedStar star{};
    char text[32];
    *listed = 0;
    if (kind == kDesignationTycho) {
        if (!SelectLookupCatalog(kTychoLevel, false) || !GetTychoStar(static_cast<uint32_t>(n), &star)) return false;
        FormatTychoDesignation(text, sizeof text, static_cast<uint32_t>(n));
    } else {
        if (!SelectLookupCatalog(kind == kDesignationHip ? kHipparcosLevel : kHrLevel, true)) return false;
        if (GetStarByCatalogNumber(static_cast<int32_t>(n), &star) < 0) return false;
        std::snprintf(text, sizeof text, "%s%ld", DesignationPrefix(kind), n);
    }
    designation.Format("%s", text);
    r->designationId = static_cast<uint32_t>(kind);
    r->number = static_cast<int32_t>(n);
    r->objectType = kTypeStar;
    FillStellarStar(r, star, text, compute, kind == kDesignationTycho ? 0.0f : 0.1f);
    return true;
}

// Any other kind: through the catalogue's record range of the object file.
bool CatalogueRange(int kind, int index, long n, ObjectRecord* r, const Text& designation) {
    if (kind < 0 || kind >= kDesignationCount) return false;
    const DesignationRow& row = designationTable[kind];
    if (row.last <= static_cast<int>(row.first)) return false;
    if (index <= 0) {
        // The n-th record of the catalogue in file order, within its range.
        if (n >= row.last - static_cast<long>(row.first) || !GetObjectRecord(static_cast<int>(row.first + n), r))
            return false;
        OwnDesignation(designation, r);
        return true;
    }
    int found;
    if (SearchCatalogueRange(kind, static_cast<int32_t>(n), r, &found) != Search::Found) return false;
    SetFoundObject(*r, found);
    OwnDesignation(designation, r);
    return true;
}

}  // namespace

bool GetMessierObjectRecord(int index, ObjectRecord* record) {
    return GetListedObject(messierKeys, kMessierCount, index, record);
}

bool GetCaldwellObjectRecord(int index, ObjectRecord* record) {
    return GetListedObject(caldwellKeys, kCaldwellCount, index, record);
}

bool GetHerschelObjectRecord(int index, ObjectRecord* record) {
    return GetListedObject(herschelKeys, kHerschelCount, index, record);
}

bool GetBestNgcObjectRecord(int index, ObjectRecord* record) {
    return GetListedObject(bestNgcKeys, kBestNgcCount, index, record);
}

bool GetObjectByKind(int kind, int index, ObjectRecord* record, char* designation, std::size_t designationSize,
                     char* name, std::size_t nameSize, int compute, int* listed) {
    const Text designationText{designation, designationSize};
    const Text nameText{name, nameSize};
    designationText.Clear();
    nameText.Clear();
    record->name[0] = '\0';
    int listedValue = 1;
    long n = std::labs(static_cast<long>(index));
    bool delivered = false;
    switch (kind) {
    case kDesignationMessier:
    case kDesignationCaldwell: delivered = MessierOrCaldwell(kind, n, record, designationText, nameText); break;
    case kDesignationHerschel: delivered = Herschel(n, record, designationText, nameText); break;
    case kDesignationBestNgc: delivered = BestNgc(n, record, designationText); break;
    case kDesignationUser: delivered = UserObject(n, record, designationText); break;
    case kDesignationComet: delivered = Comet(n, record, designationText, compute); break;
    case kDesignationConstellation:
        delivered = Constellation(n, record, designationText, nameText, compute, &listedValue);
        break;
    case kDesignationPlanet: delivered = Planet(n, record, designationText, compute); break;
    case kDesignationMeteor: delivered = MeteorShower(n, record, designationText, nameText, compute, &listedValue); break;
    case kDesignationBrightStar: delivered = BrightStar(n, record, designationText, compute, &listedValue); break;
    case kDesignationHip:
    case kDesignationHr:
    case kDesignationTycho: delivered = CatalogueStar(kind, n, record, designationText, compute, &listedValue); break;
    default: delivered = CatalogueRange(kind, index, n, record, designationText); break;
    }
    if (listed) *listed = listedValue;
    return delivered;
}

bool GetObjectByDesignation(int designation, int32_t number, ObjectRecord* record) {
    if (number < 1) return false;
    switch (designation) {
    case kDesignationMessier:
    case kDesignationCaldwell:
    case kDesignationHerschel:
    case kDesignationBestNgc: --number; break;  // their tables count from 0
    case 0:  // "None"
    case kDesignationComet:
    case kDesignationConstellation:
    case kDesignationMeteor:
    case kDesignationPlanet:
    case kDesignationBrightStar:
    case kDesignationUser: return false;
    default: break;
    }
    return GetObjectByKind(designation, number, record, nullptr, 0, nullptr, 0, 1, nullptr);
}
