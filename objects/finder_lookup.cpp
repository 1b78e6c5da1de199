#include "objects/finder_lookup.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "catalog/comet_satellite_db.h"
#include "catalog/designations.h"
#include "catalog/object_lists.h"
#include "catalog/object_lookup.h"
#include "catalog/stars.h"
#include "core/preferences.h"
#include "core/rise_set.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "ephemeris/apparent_altaz.h"
#include "ephemeris/planet_names.h"
#include "objects/finder_open.h"
#include "objects/object_info.h"
#include "objects/selected_object.h"
#include "orbits/orbit_assistant_state.h"
#include "ui/preference_values.h"

int32_t finderKindTable[kCatalogNameListMax] = {};
int32_t finderKindCount = 0;
double finderPosition[4] = {};
double finderRiseSet[4] = {};
unsigned finderRiseSetEvents = 0;

namespace {

constexpr int kSao = 51;
constexpr int kPlanetCount = 10;
constexpr std::size_t kFieldRead = 15;  // characters of the identifier field read

// The numbered lists: designation, size and the target's finder catalogue.
struct NumberedList {
    int kind;
    int count;
    int catalog;
};
constexpr NumberedList kNumbered[] = {
    {kDesignationCaldwell, kCaldwellCount, 1},
    {kDesignationHerschel, kHerschelCount, 4},
    {kDesignationMessier, kMessierCount, 5},
    {kDesignationBestNgc, kBestNgcCount, 8},
};

const NumberedList* Numbered(int kind) {
    for (const NumberedList& l : kNumbered)
        if (l.kind == kind) return &l;
    return nullptr;
}

bool IsNamedList(int kind) {
    switch (kind) {
    case kDesignationComet:
    case kDesignationConstellation:
    case kDesignationMeteor:
    case kDesignationPlanet:
    case kDesignationBrightStar:
    case kDesignationUser: return true;
    default: return false;
    }
}

bool HasNoRecords(int kind) {
    return kind >= 0 && kind < kDesignationCount && designationTable[kind].first == kNoDesignationRecords;
}

void SetName(const char* name) {
    std::snprintf(selectedObject.name, sizeof selectedObject.name, "%s", name);
}

void SetEntryDigits(const char* digits) {
    std::snprintf(selectedObject.entryDigits, sizeof selectedObject.entryDigits, "%s", digits);
}

// The identifier's first kFieldRead characters.
std::string FieldText(const char* field) { return field ? std::string(field, strnlen(field, kFieldRead)) : ""; }

// Object `index` of `kind` into the target with both texts; compute 1.
bool FetchTarget(int kind, int index, char* first, std::size_t firstSize, char* second, std::size_t secondSize) {
    return GetObjectByKind(kind, index, &selectedObject.record, first, firstSize, second, secondSize, 1, nullptr);
}

void LookupNumbered(const NumberedList& list, int32_t n, FinderLookupResult* result) {
    SelectedObjectRecord& t = selectedObject;
    char name[32], second[32];
    if (!FetchTarget(list.kind, n - 1, name, sizeof name, second, sizeof second)) return;
    t.isSet = 1;
    t.catalog = list.catalog;
    t.found = 1;
    t.index = n;
    t.listRow = n - 1;
    SetName(name);
    result->selectRow = n - 1;
    if (list.kind == kDesignationHerschel || list.kind == kDesignationBestNgc) {
        result->setLabel = true;
        result->label = name;
    }
}

void LookupNamed(int kind, int popupRow, FinderLookupResult* result) {
    SelectedObjectRecord& t = selectedObject;
    t.listRow = popupRow;
    char name[32], second[32];
    if (popupRow < 0 || !FetchTarget(kind, popupRow, name, sizeof name, second, sizeof second)) {
        result->selectRow = 0;
        return;
    }
    result->selectRow = popupRow;
    SetName(FinderNamesBySecondText(kind) ? second : name);
    result->setLabel = true;
    result->label = t.name;
    if (kind == kDesignationComet) SetOrbitCometIndex(popupRow);
    t.index = t.record.number + 1;
    t.isSet = 1;
    t.catalog = ObjectKindToFinderCatalog(&t.record);
    t.found = 1;
}

// HIP, HR and Tycho: the record is the number; a failed look-up leaves no target.
void LookupByNumber(int kind, int32_t number) {
    SelectedObjectRecord& t = selectedObject;
    char name[32];
    t.found = FetchTarget(kind, number, name, sizeof name, nullptr, 0) ? 1 : 0;
    t.catalog = ObjectKindToFinderCatalog(&t.record);
    t.isSet = static_cast<uint8_t>(t.found);
    t.listRow = number;
    if (t.found) {
        t.index = number;
        SetName(name);
    }
}

// Any other catalogue: bisection of its record range of the object file.
void LookupInRange(int kind, int32_t n) {
    SelectedObjectRecord& t = selectedObject;
    if (HasNoRecords(kind) || kind <= 0 || kind >= kDesignationCount) {
        SetName("");
        return;
    }
    int low = designationTable[kind].first, high = designationTable[kind].last - 1;
    ObjectRecord r{};
    while (low <= high) {
        const int mid = (low + high) / 2;
        // A damaged record is never the answer, but its key still steers the search.
        const ObjectReadResult read = ReadObjectRecord(mid, &r);
        if (read == kObjectFailed) break;
        if (read == kObjectRead && r.number == n && static_cast<int16_t>(r.designationId) == kind) {
            t.record = r;
            t.index = mid;
            t.catalog = ObjectKindToFinderCatalog(&r);
            t.isSet = 1;
            t.found = 1;
            t.listRow = mid;
            char name[32];
            std::snprintf(name, sizeof name, "%s%ld", DesignationPrefix(kind), static_cast<long>(n));
            SetName(name);
            EndBusyIndicator(0);
            return;
        }
        if (n < r.number) high = mid - 1;
        else low = mid + 1;
    }
    SetName("");
}

// The first character after the digits that begin `text`.
const char* SkipDigits(const char* text) {
    while (std::isdigit(static_cast<unsigned char>(*text))) ++text;
    return text;
}

}  // namespace

int FillFinderKindTable(const char** names) {
    int ids[kCatalogNameListMax] = {};
    finderKindCount = GetCatalogNameList(names, ids);
    for (int i = 0; i < kCatalogNameListMax; ++i) finderKindTable[i] = i < finderKindCount ? ids[i] : 0;
    return finderKindCount;
}

int FinderRowOfKind(int kind) {
    for (int i = 0; i < finderKindCount; ++i)
        if (finderKindTable[i] == kind) return i;
    return -1;
}

bool FinderTypesNumber(int kind) {
    return kind == kDesignationHip || kind == kDesignationHr || kind == kDesignationTycho;
}

bool FinderNamesBySecondText(int kind) {
    return kind == kDesignationConstellation || kind == kDesignationMeteor;
}

int FinderListRowCount(int kind) {
    if (const NumberedList* l = Numbered(kind)) return l->count;
    switch (kind) {
    case kDesignationComet: return GetCometCount();
    case kDesignationConstellation: return kConstellationCount;
    case kDesignationMeteor: return kMeteorShowerCount;
    case kDesignationPlanet: return kPlanetCount;
    case kDesignationBrightStar: return GetBrightStarCount();
    case kDesignationUser: return GetUserObjectCount();
    default: break;
    }
    if (FinderTypesNumber(kind) || kind < 0 || kind >= kDesignationCount) return 0;
    const DesignationRow& row = designationTable[kind];
    if (row.first == kNoDesignationRecords) return 0;
    const int rows = row.last - static_cast<int>(row.first);
    return rows > 0 ? rows : 0;
}

int FinderDigitLimit(int kind) {
    if (Numbered(kind)) return 3;
    switch (kind) {
    case kDesignationHip:
    case kSao: return 6;
    case kDesignationTycho: return 12;
    default: return 4;
    }
}

FinderDigit ApplyFinderDigit(int kind, const char* field, int digit, std::string* written) {
    SelectedObjectRecord& t = selectedObject;
    const std::string prefix = DesignationPrefix(kind), text = FieldText(field);
    if (text.size() > prefix.size()) SetEntryDigits(text.c_str() + prefix.size());
    const std::string typed = std::string(t.entryDigits) + static_cast<char>('0' + digit);
    const int32_t n = ParseInt(typed.c_str());
    if (const NumberedList* l = Numbered(kind)) {
        if (n < 1 || n > l->count) return FinderDigit::kIgnored;
    } else if (IsNamedList(kind)) {
        ShowInformation("Please use the popup list to select your object and not the numeric keyboard.", "");
        return FinderDigit::kUsePopup;
    } else if (HasNoRecords(kind) && !FinderTypesNumber(kind) && kind != kSao) {
        t.found = 0;
        ShowInformation("Sorry, there is no object available from this catalog using your current object database.",
                        "");
        return FinderDigit::kNoObjects;
    }
    const std::size_t limit = static_cast<std::size_t>(FinderDigitLimit(kind));
    if (std::strlen(t.entryDigits) > limit) {
        ShowInformation("To many digits", "");
        return FinderDigit::kTooMany;
    }
    *written = (prefix + typed).substr(0, prefix.size() + limit);
    SetEntryDigits(written->c_str() + prefix.size());
    return FinderDigit::kWritten;
}

bool FindNamedListRow(const char* name, int* kind, int* row) {
    if (SameNameCaseAndBlanksAside(name, "")) return false;  // a blank name names no row, even a blank one
    const int kinds[] = {kDesignationPlanet, kDesignationBrightStar, kDesignationComet,
                         kDesignationMeteor, kDesignationConstellation, kDesignationUser};
    for (int k : kinds) {
        const int rows = FinderListRowCount(k);
        for (int r = 0; r < rows; ++r) {
            ObjectRecord record{};
            char first[32], second[32];
            if (!GetObjectByKind(k, r, &record, first, sizeof first, second, sizeof second, 0, nullptr)) continue;
            if (!SameNameCaseAndBlanksAside(FinderNamesBySecondText(k) ? second : first, name)) continue;
            *kind = k;
            *row = r;
            return true;
        }
    }
    return false;
}

bool ParseTychoDigits(const char* digits, int32_t* recordNumber) {
    bool regionFits = true, starFits = true;
    const int32_t region = ParseInt(digits, &regionFits);
    const char* rest = SkipDigits(digits);
    if (*rest == '\0' || rest[1] == '\0') return false;
    const int64_t record = int64_t{region} * 100000 + ParseInt(rest + 1, &starFits);
    if (!regionFits || !starFits || record < INT32_MIN || record > INT32_MAX) return false;
    *recordNumber = static_cast<int32_t>(record);
    return true;
}

FinderLookupResult LookupFinderTarget(int kind, const char* field, int popupRow) {
    SelectedObjectRecord& t = selectedObject;
    FinderLookupResult result;
    t.found = 0;
    if (kind == kDesignationTycho) {
        const std::string text = FieldText(field);
        SetEntryDigits(text.size() > 3 ? text.c_str() + 3 : "");
    }
    if (t.entryDigits[0] == '\0') return result;
    const int32_t n = ParseInt(t.entryDigits);
    finderPreselectKind = kind;
    if (const NumberedList* l = Numbered(kind)) {
        LookupNumbered(*l, n, &result);
    } else if (IsNamedList(kind)) {
        LookupNamed(kind, popupRow, &result);
    } else if (kind == kDesignationHip || kind == kDesignationHr) {
        LookupByNumber(kind, n);
    } else if (kind == kDesignationTycho) {
        int32_t record = 0;
        if (!ParseTychoDigits(t.entryDigits, &record)) {
            ShowInformation("It seems the format is not correct.", "Please use this one:\nTYCnnnn-nnnnnn-1");
            result.badTychoFormat = true;
            t.isSet = 0;
            return result;
        }
        LookupByNumber(kind, record);
    } else {
        LookupInRange(kind, n);
    }
    // A number not found names no target: the one found before is not it.
    t.isSet = static_cast<uint8_t>(t.found);
    return result;
}

void ComputeFinderPlace() {
    SelectedObjectRecord& t = selectedObject;
    const DateTime& d = currentDateTime;
    double ra = 0.0, dec = 0.0, altitude = 0.0, azimuth = 0.0;
    // Planets and comets are looked up for the date: their places are not precessed again.
    const bool ofDate = IsPlaceOfDate(static_cast<int16_t>(t.record.designationId));
    const int mode = ofDate ? -1 : preferences.word[kPrefPositionMode];
    ComputeApparentAltAz(t.record.rightAscension, t.record.declination, &ra, &dec, &altitude, &azimuth, mode, d.year,
                         d.month, d.day, d.hour, d.minute, d.second);
    finderPosition[0] = ra;
    finderPosition[1] = dec;
    finderPosition[2] = altitude;
    finderPosition[3] = azimuth;
    t.altitude = altitude;
    const SiteRecord& s = currentSite;
    double placeRa = 0.0, placeDec = 0.0;  // of date, as the rise and set want it
    RiseSetPlace(t.record, d, &placeRa, &placeDec);
    ComputeRiseTransitSetFixed(d.year, d.month, d.day, s.latitude, s.longitude, s.zoneMinutes, s.elevation,
                               GetHorizonAltitude(), placeRa, placeDec, &finderRiseSet[0], &finderRiseSet[1],
                               &finderRiseSet[2], &finderRiseSetEvents);
    finderRiseSet[3] = d.hour + d.minute / 60.0;
}

std::string FinderImageName(int kind) {
    const SelectedObjectRecord& t = selectedObject;
    const int32_t n = ParseInt(t.entryDigits);
    char name[40];
    if (kind == kDesignationPlanet) {
        std::snprintf(name, sizeof name, "%s", n >= 0 && n < kPlanetCount ? planetNameTable[n] : "");
    } else if (kind == kDesignationConstellation) {
        std::snprintf(name, sizeof name, "%d", static_cast<int>(n));
    } else if (kind == kDesignationCaldwell || kind == kDesignationHerschel) {
        ObjectRecord mapped = t.record;
        if (kind == kDesignationCaldwell && !GetCaldwellObjectRecord(n - 1, &mapped)) mapped = t.record;
        const int designation = static_cast<int16_t>(mapped.designationId);
        std::snprintf(name, sizeof name, "%s%d", DesignationPrefix(designation), static_cast<int>(mapped.number));
    } else {
        std::snprintf(name, sizeof name, "%s%s", DesignationPrefix(kind), t.entryDigits);
    }
    return name;
}
