#include "objects/selection_search.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>

#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/object_display.h"
#include "catalog/object_identity.h"
#include "catalog/object_lists.h"
#include "catalog/object_lookup.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_clock.h"
#include "core/constellation.h"
#include "core/date_text.h"
#include "core/fixed_trig.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "core/sidereal_time.h"
#include "core/sky_brightness.h"
#include "core/text_numbers.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/planet_names.h"
#include "objects/list_panel.h"
#include "objects/object_texts.h"
#include "objects/selected_object.h"
#include "objects/selection_sort.h"
#include "objects/visibility.h"
#include "orbits/comet_place.h"
#include "ui/draw_window.h"
#include "ui/input_polling.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

const double visibilityClassBounds[6] = {10, 2, 1.5, 1, 0.5, -1};
float selectionLst = 0.0f;
int32_t selectionElevationThreshold = 0;

namespace {

int Length(const char* text) { return static_cast<int>(std::strlen(text)); }

constexpr int kTopocentric = 2;
constexpr int kTypePlanet = 27;
constexpr int kTypeConstellation = 14;
constexpr int kTypeMeteor = 29;
constexpr int kTypeStar = 30;
constexpr int kTypeComet = 13;
constexpr int kTypeMinorPlanet = 18;
constexpr int kTypeNebula = 19;
constexpr int kClassDoubleStar = 5;
constexpr double kFixOne = 16777216.0;
constexpr double kDegree = 0.0174532925199433;
constexpr double kJ2000 = 2451545.0;

int32_t sinLatitudeFix = 0;
int32_t cosLatitudeFix = 0;

float magnitudeLimitTable[9] = {100, 0, 0, 4, 6, 8, 10, 12, 14};

int32_t ToFix(double unit) { return TruncateToInt32(unit * kFixOne); }

int RecordType(const ObjectRecord& r) { return static_cast<int16_t>(r.objectType); }
int RecordDesignation(const ObjectRecord& r) { return static_cast<int16_t>(r.designationId); }
int ClassOfType(int type) { return type >= 0 && type < kObjectTypeCount ? objectTypeTable[type].objectClass : -1; }

double CriteriaJulianDay() {
    const SelectionCriteria& c = selectionCriteria;
    return JulianDayFromDateTime(c.year, c.month, c.day, c.hour, c.minute, 0, currentSite.zoneMinutes);
}

// The box in which each step of the search writes its title.
struct SearchBox {
    int x = 0;
    int y = 0;
    bool shown = false;
};
SearchBox searchBox;

void DrawSearchBox() {
    searchBox.shown = GetDrawDc() != nullptr;
    if (!searchBox.shown) return;
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    searchBox.x = (width - 140) / 2;
    searchBox.y = std::max((height - 80) / 2, 60);
    FillRectangle(XywhRect{searchBox.x, searchBox.y, 140, 40}, 0);
}

void DrawStepTitle(const char* title, int dx = 10, int dy = 10) {
    if (!searchBox.shown) return;
    FillRectangle(XywhRect{searchBox.x, searchBox.y + dy, 140, 13}, 0);
    DrawChars(title, Length(title), searchBox.x + dx, searchBox.y + dy);
}

// The search state of one run: where it began to fill, the fill position,
// the criteria, what the entries before the fill position name, and the
// objects that passed once the list was full (by designation and number, each
// once), so that the search can tell how many it found.
struct Search {
    int start;
    int fill;
    const SelectionCriteria& c;
    ListedObjects listed;
    std::set<std::pair<int, int32_t>> beyond;
    bool Full() const { return fill >= selectionFillLimit; }
    // Tests the record and makes it the next entry; the entry, or null.
    SelectionEntry* Offer(const ObjectRecord& rec, int sourceIndex, int source) {
        if (!TestSelectionCriteria(c, rec)) return nullptr;
        const ObjectIdentity id = IdentifyObject(rec, source, sourceIndex);
        if (Full()) {
            if (!listed.Names(id)) beyond.emplace(RecordDesignation(rec), rec.number);
            return nullptr;
        }
        selectionShownCount = fill;
        if (!MakeSelectionEntry(sourceIndex, source, selectionList, &rec, id, listed)) return nullptr;
        return &selectionList[fill++];
    }
};

// A search cut at the list's size says how many objects it found.
void TellCutSearch(const Search& s) {
    if (s.beyond.empty()) return;
    const int held = s.fill - s.start;
    const int found = held + static_cast<int>(s.beyond.size());
    char text[160];
    if (held == 0)  // an Add to a list that was full already
        std::snprintf(text, sizeof text,
                      "%d objects found and the list is full; raise Max Selected items to see them.", found);
    else
        std::snprintf(text, sizeof text,
                      "%d objects found and the list holds the first %d; raise Max Selected items to see them.",
                      found, held);
    ShowInformation(text, "");
}

// The entry's display name: the first 14 characters of `name`.
void CutName(SelectionEntry* entry, const char* name) {
    if (!entry) return;
    std::size_t n = strnlen(name, kSelectionNameSize - 1);
    std::memcpy(entry->name, name, n);
    entry->name[n] = '\0';
}

void SearchPlanets(Search& s) {
    DrawStepTitle("Checking Planets");
    int32_t savedMode = preferences.word[kPrefPositionMode];
    preferences.word[kPrefPositionMode] = kTopocentric;
    const SelectionCriteria& c = s.c;
    double jd = CriteriaJulianDay();
    for (int body = 0; body < 10; ++body) {
        BodyPosition p{};
        if (ComputeBody(&p, body, c.year, c.month, c.day, c.hour, c.minute, 0) != 0) continue;
        ObjectRecord r{};
        r.designationId = kDesignationPlanet;
        r.number = body;
        r.objectType = kTypePlanet;
        r.rightAscension = static_cast<float>(p.ra);
        r.declination = static_cast<float>(p.dec);
        r.magnitude = static_cast<float>(p.magnitude);
        r.size1 = r.size2 = static_cast<float>(p.apparentDiameter);
        r.distance = static_cast<float>(p.distance);
        r.constellation = static_cast<uint32_t>(FindConstellation(p.ra, p.dec, jd));
        SetObjectRecordName(&r, planetNameTable[body]);
        s.Offer(r, body, kSourcePlanet);
    }
    preferences.word[kPrefPositionMode] = savedMode;
}

void SearchConstellations(Search& s) {
    DrawStepTitle("Checking Constellation");
    for (int row = 0; row < kConstellationCount; ++row) {
        const ConstellationRow& k = constellationTable[row];
        ObjectRecord r{};
        r.designationId = kDesignationConstellation;
        r.number = row;
        r.objectType = kTypeConstellation;
        r.constellation = static_cast<uint32_t>(row);
        r.rightAscension = static_cast<float>(k.rightAscension * 0.001);
        r.declination = static_cast<float>(k.declination * 0.01);
        r.magnitude = 0.1f;
        CutName(s.Offer(r, row, kSourceConstellation), k.name);
    }
}

void SearchMeteorShowers(Search& s) {
    DrawStepTitle("Checking Meteor Showers", 5);
    double jd = CriteriaJulianDay();
    for (int row = 0; row < kMeteorShowerCount; ++row) {
        const MeteorShowerRow& m = meteorShowerTable[row];
        ObjectRecord r{};
        r.designationId = kDesignationMeteor;
        r.number = row;
        r.objectType = kTypeMeteor;
        r.rightAscension = static_cast<float>(m.raCentihours * 0.01);
        r.declination = m.decDegrees;
        r.size1 = r.size2 = 1200.0f;
        r.magnitude = 3.0f;
        r.constellation = static_cast<uint32_t>(FindConstellation(r.rightAscension, r.declination, jd));
        CutName(s.Offer(r, row, kSourceMeteorShower), m.name);
    }
}

void SearchComets(Search& s) {
    DrawStepTitle("Checking Comets&Asteroid", 5);
    double jd = CriteriaJulianDay();
    int count = GetCometCount();
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 0) StepBusyIndicator(1);
        CometRecord comet;
        if (!GetCometData(i, &comet)) break;  // its message once; the records after it are no better
        comet.name[sizeof comet.name - 1] = '\0';
        CometPlace place;
        if (!CometPlaceAt(&comet, jd, s.c.year, &place)) continue;
        ObjectRecord r{};
        r.designationId = kDesignationComet;
        r.number = i;
        r.objectType = comet.kind;
        r.rightAscension = place.rightAscension;
        r.declination = place.declination;
        r.distance = place.distance;
        r.magnitude = static_cast<float>(place.magnitude);
        r.constellation = static_cast<uint32_t>(FindConstellation(place.rightAscension, place.declination, jd));
        CutName(s.Offer(r, i, kSourceComet), comet.name);
    }
}

// One of the numbered tables (Messier, Caldwell, best of NGC, Herschel).
void SearchTable(Search& s, const char* title, bool (*get)(int, ObjectRecord*), int count, int source, int busyStep) {
    DrawStepTitle(title);
    for (int i = 0; i < count; ++i) {
        if (i % busyStep == 0) StepBusyIndicator(1);
        ObjectRecord r{};
        if (!get(i, &r)) continue;
        s.Offer(r, i, source);
    }
}

void SearchUserObjects(Search& s) {
    DrawStepTitle("Checking your Objects");
    DrawStepTitle("Press any key to stop.", 10, 21);
    int count = GetUserObjectCount();
    if (count == 0 && s.c.catalogue == kDesignationUser) ShowInformation("No personnal object found.", "");
    for (int i = 0; i < count; ++i) {
        ObjectRecord r{};
        const ObjectReadResult read = ReadUserObjectRecord(i, &r);
        if (read == kObjectFailed) break;
        if (read == kObjectDamaged) continue;
        int designation = RecordDesignation(r);
        if (designation < 0 || designation >= kDesignationCount) {
            r.designationId = kDesignationUser;
            r.number = i;
        }
        char name[sizeof r.name + 1];
        std::snprintf(name, sizeof name, "%s", r.name);
        CutName(s.Offer(r, i, MapObjectTypeCode(RecordType(r))), name);
    }
}

void SearchObjectDatabase(Search& s) {
    int first = 1, last = objectDb ? static_cast<int>(objectDb->recordCount & 0xFFFF) : 0;
    int c = s.c.catalogue;
    if (c != 0) {
        if (c < 0 || c >= kDesignationCount || designationTable[c].first == kNoDesignationRecords) return;
        first = designationTable[c].first;
        last = designationTable[c].last;
    }
    for (int i = first; i < last; ++i) {
        if ((i - first) % 50 == 0) {
            if (i != first && IsArrowKeyDown()) break;
            char title[32];
            std::snprintf(title, sizeof title, "Objects to check: %05d", last - i);
            DrawStepTitle(title);
        }
        ObjectRecord r{};
        const ObjectReadResult read = ReadObjectRecord(i, &r);
        if (read == kObjectFailed) break;
        if (read == kObjectDamaged) continue;
        s.Offer(r, i, MapObjectTypeCode(RecordType(r)));
    }
}

void SearchBrightStars(Search& s) {
    int count = GetBrightStarCount();
    if (count == 0) {
        ShowInformation("Could not find zendavori_brightstar.ppc catalog.", "");
        return;
    }
    selectionFillLimit = GetSelectedItemsCapacity() + count;
    int16_t savedType = selectionCriteria.type;
    selectionCriteria.type = kTypeStar;
    for (int i = 0; i < count; ++i) {
        if (i % 15 == 0) StepBusyIndicator(1);
        BrightStarName name;
        if (!ReadBrightStarRecord(i, &name) || name.starIndex < 0 || name.starIndex >= kBrightStarTableCapacity) continue;
        name.name[sizeof name.name - 1] = '\0';
        const StarRecord& star = brightStarTable[name.starIndex];
        ObjectRecord r{};
        r.designationId = kDesignationBrightStar;
        r.number = i;
        r.objectType = kTypeStar;
        r.rightAscension = static_cast<float>(star.rightAscension / 4392264.877774095);
        r.declination = static_cast<float>(star.declination / 292817.658518273);
        r.magnitude = star.magnitude16 / 16.0f;
        r.classCode = star.colour;
        r.size1 = r.size2 = 0.1f;
        r.constellation = static_cast<uint32_t>(FindConstellation(r.rightAscension, r.declination, kJ2000));
        SetObjectRecordName(&r, name.name);
        s.Offer(r, i, kSourceStar);
    }
    selectionCriteria.type = savedType;
}

bool OneOf(int value, std::initializer_list<int> set) {
    for (int v : set)
        if (v == value) return true;
    return false;
}

// The eyepiece and visibility criteria, by the object's rating in the telescope
// (the record with the magnitude the criteria test).
bool PassesRating(const SelectionCriteria& c, const ObjectRecord& rec, float magnitude) {
    ObjectRecord rated = rec;
    rated.magnitude = magnitude;
    const TelescopeRating rating = RateInTelescope(rated, c.scopeLimit);
    if (c.eyepiece != 0) {
        const double bestFocal = rating.power < 1 ? 10000.0 : rating.focalLength / rating.power;
        if (std::fabs(1.0 - c.eyepieceFocal / bestFocal) > 0.6) return false;
    }
    if (c.visibility >= 1 && c.visibility <= 4)
        return rating.rating >= visibilityClassBounds[c.visibility] &&
               rating.rating <= visibilityClassBounds[c.visibility - 1];
    return true;
}

// A listed entry as the criteria test it: its class, constellation, catalogue
// and place (of the search's time) as the list holds them, its magnitude and
// sizes as every screen rates the body (ListedObject: a planet's real
// diameter, not whole arcminutes; the magnitude not cut to tenths).
ObjectRecord RatedEntryRecord(const SelectionEntry& e) {
    ObjectRecord r{};
    CopyObjectDisplayFields(&r, &e);
    const ObjectRecord rated = ListedObject(e, currentDateTime).record;
    r.magnitude = rated.magnitude;
    r.size1 = rated.size1;
    r.size2 = rated.size2;
    return r;
}

// Whether an entry passing the criteria may be removed: under a catalogue
// searched by its own step, only the entries that step added.
bool RemovableUnderCatalogue(int catalogue, int source) {
    switch (catalogue) {
    case kDesignationMessier: return source == kSourceMessier;
    case kDesignationCaldwell: return source == kSourceCaldwell;
    case kDesignationHerschel: return source == kSourceHerschel;
    case kDesignationBestNgc: return source == kSourceBestNgc;
    default: return true;
    }
}

// Reads "a<sep>b[<sep>c]" of decimal numbers with nothing else but blanks
// around; the count of numbers read (0 when the text is not of that form).
int ReadNumbers(const char* text, char separator, int values[3]) {
    int count = 0;
    const char* p = text;
    while (*p == ' ') ++p;
    while (count < 3) {
        if (*p < '0' || *p > '9') return 0;
        long v = 0;
        while (*p >= '0' && *p <= '9') {
            v = v * 10 + (*p++ - '0');
            if (v > 99999) return 0;
        }
        values[count++] = static_cast<int>(v);
        if (*p != separator) break;
        ++p;
    }
    while (*p == ' ') ++p;
    return *p == '\0' ? count : 0;
}

}  // namespace

float ComputeSelectionSkyState() {
    SelectionCriteria& c = selectionCriteria;
    const DateTime& t = currentDateTime;
    c.year = static_cast<int16_t>(t.year);
    c.month = static_cast<int16_t>(t.month);
    c.day = static_cast<int16_t>(t.day);
    c.hour = static_cast<int16_t>(t.hour);
    c.minute = static_cast<int16_t>(t.minute);
    selectionLst = static_cast<float>(GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second,
                                                           currentSite.longitude, currentSite.zoneMinutes));
    SkyBrightnessRecord sky{};
    ComputeLimitingMagnitude(&sky, t.year, t.month, t.day, t.hour, t.minute);
    c.eyeLimit = static_cast<float>(std::min(sky.limitingMagnitude, 7.0));
    c.skyValue1 = static_cast<float>(sky.skyMagnitude);
    c.skyValue2 = static_cast<float>(sky.limitingMagnitudeError);
    c.scopeLimit = SelectionScopeLimit();
    return c.scopeLimit;
}

float SelectionScopeLimit() {
    int centimetres = GetScopeApertureMm() / 10;
    double limit = 7.5 + 5.0 * std::log10(static_cast<double>(std::max(centimetres, 1)));
    return static_cast<float>(static_cast<int>(limit * 10.0 + 0.5) * 0.1);
}

void MarkSelectionSlotsFree() {
    if (!selectionList) return;
    const int free = std::min(GetSelectedItemsCapacity(), GetSelectionListAllocated());
    for (int i = 0; i < free; ++i) selectionList[i].number = -1;
}

void StoreSelectionLatitude() {
    sinLatitudeFix = ToFix(currentSite.sinLatitude);
    cosLatitudeFix = ToFix(currentSite.cosLatitude);
}

void PrepareSelection(int classByte, int catalogue, int type) {
    selectionFillLimit = GetSelectedItemsCapacity();
    ClearSelectedObject();
    StoreSelectionLatitude();
    if (dateTimeFixed == 0 || currentDateTime.year == 0) LoadDateTimeFromDevice();
    SelectionCriteria& c = selectionCriteria;
    c.catalogue = static_cast<int16_t>(catalogue);
    c.type = static_cast<int16_t>(type);
    c.classByte = static_cast<int16_t>(classByte);
    c.visibility = c.eyepiece = c.eyepieceFocal = c.magnitude = c.constellation = 0;
    int view = preferences.word[kPrefChartType];
    if (view < 2 || view == 3) {
        if (c.elevation == 0) c.elevation = 1;
    } else {
        c.elevation = 0;
    }
    selectionElevationThreshold = ToFix(std::sin(GetHorizonAltitude() * kDegree));
    ComputeSelectionSkyState();
    if (selectionShownCount < 1 && selectionList) {
        MarkSelectionSlotsFree();
        selectionShownCount = 0;
    }
}

int TestElevation(float lst, float ra, float dec, int32_t threshold) {
    // Into -12..12 h in one step, whatever the size of lst - ra (a loop of
    // 24 h steps would never end on a huge or infinite value).
    const double h = std::remainder(static_cast<double>(lst) - ra, 24.0);
    int32_t cosH, sinH, cosDec, sinDec;
    FixSinCos24(ToFix(h * 15.0 * kDegree), &cosH, &sinH);
    FixSinCos24(ToFix(dec * kDegree), &cosDec, &sinDec);
    int32_t sinAlt = FixMul24(FixMul24(cosLatitudeFix, cosH), cosDec) + FixMul24(sinLatitudeFix, sinDec);
    return sinAlt >= threshold ? 1 : 0;
}

int TestSelectionCriteria(const SelectionCriteria& c, const ObjectRecord& rec) {
    int type = RecordType(rec);
    if (c.classByte != 0 && ClassOfType(type) != c.classByte) return 0;
    if (c.constellation != 0 && static_cast<int16_t>(rec.constellation) != c.constellation - 1) return 0;
    if (c.catalogue != 0 && !OneOf(c.catalogue, {9, 25, 40, 49, 63}) && RecordDesignation(rec) != c.catalogue) return 0;
    if (c.type != 0 && c.type != kTypeNebula && type != c.type) return 0;
    float magnitude = rec.magnitude == 0.0f ? 99.0f : rec.magnitude;
    if (c.magnitude > 0 && c.magnitude < 9) {
        magnitudeLimitTable[1] = c.eyeLimit;
        magnitudeLimitTable[2] = c.scopeLimit;
        if (magnitude >= 0.0f && magnitude > magnitudeLimitTable[c.magnitude]) return 0;
    }
    if (c.elevation != 0) {
        int above = TestElevation(selectionLst, rec.rightAscension, rec.declination, selectionElevationThreshold);
        if (c.elevation == 10 ? above : !above) return 0;
    }
    if ((c.visibility != 0 || c.eyepiece != 0) && !PassesRating(c, rec, magnitude)) return 0;
    return 1;
}

int ReadSelectionDateTime(const char* dateText, const char* timeText) {
    int date[3] = {0, 0, 0};
    if (!dateText || ReadNumbers(dateText, '/', date) != 3) return 0;
    const bool monthFirst = GetDateFieldOrder() >= 1 && GetDateFieldOrder() <= 3;
    const int day = monthFirst ? date[1] : date[0], month = monthFirst ? date[0] : date[1], year = date[2];
    if (month < 1 || month > 12 || day < 1 || day > GetDaysInMonth(month, year)) return 0;
    DateTime& t = currentDateTime;
    t.year = year;
    t.month = month;
    t.day = day;
    int time[3] = {0, 0, 0};
    const int fields = timeText ? ReadNumbers(timeText, ':', time) : 0;
    if (fields >= 2 && time[0] <= 23 && time[1] <= 59 && time[2] <= 59) {
        t.hour = time[0];
        t.minute = time[1];
        t.second = time[2];
    }
    ComputeSelectionSkyState();
    return 1;
}

void SetSelectionElevation(int elevation) {
    selectionCriteria.elevation = static_cast<int16_t>(elevation);
    double altitude = 0.0;
    if (elevation == 1 || elevation == 10) altitude = GetHorizonAltitude();
    else if (elevation >= 2 && elevation <= 9) altitude = 15.0 + 5.0 * (elevation - 2);
    selectionElevationThreshold = ToFix(std::sin(altitude * kDegree));
}

int RemoveMatchingEntries() {
    if (!selectionList || selectionCount < 0) return 0;
    const SelectionCriteria& c = selectionCriteria;
    const int count = std::min(selectionCount, GetSelectionListAllocated());
    ListedPlacesAt(currentDateTime);  // planets, comets and asteroids tested at their places of the search's time
    int current = HeldSelectionEntry();  // the current entry stays current when it is kept
    for (int i = count - 1; i >= 0; --i) {
        if ((count - 1 - i) % 15 == 0) StepBusyIndicator(1);
        if (!TestSelectionCriteria(c, RatedEntryRecord(selectionList[i])) ||
            !RemovableUnderCatalogue(c.catalogue, selectionList[i].source))
            continue;
        RemoveSelectionEntry(i);
        if (current >= i) current = current == i ? -1 : current - 1;
    }
    if (selectionCount < GetSelectionListAllocated()) selectionList[selectionCount].number = -1;
    selectionShownCount = FilterSelectionByClass(selectionClassFilter, selectionList, selectionCount);
    SetCurrentSelectionEntry(current);
    EndBusyIndicator(0);
    return selectionCount;
}

void BuildSelectionList() {
    StartRecordBatch();
    selectionFillLimit = GetSelectedItemsCapacity();
    const SelectionCriteria& c = selectionCriteria;
    const int C = c.catalogue, T = c.type, K = c.classByte;
    const int start = std::max(selectionShownCount, 0);
    Search s{start, start, c, ListedObjects(selectionList, start), {}};
    DrawSearchBox();
    if ((T == kTypePlanet || T == 0) && (C == 0 || C == kDesignationPlanet) && K != kClassDoubleStar) SearchPlanets(s);
    if (C == kDesignationConstellation || T == kTypeConstellation) SearchConstellations(s);
    if (C == kDesignationMeteor || T == kTypeMeteor) SearchMeteorShowers(s);
    if (C == kDesignationComet || T == kTypeComet || T == kTypeMinorPlanet) SearchComets(s);
    // Without the object database (reported at start) its catalogues are left out.
    bool deepSky = T != kTypePlanet && K != kClassDoubleStar && objectDb != nullptr;
    if ((C == kDesignationMessier || C == 0) && deepSky)
        SearchTable(s, "Checking Messier  ", GetMessierObjectRecord, 110, kSourceMessier, 30);
    if (T == 0 && (C == 0 || C == kDesignationUser)) SearchUserObjects(s);
    if ((C == kDesignationCaldwell || C == 0) && deepSky)
        SearchTable(s, "Checking Caldwell   ", GetCaldwellObjectRecord, 109, kSourceCaldwell, 15);
    if ((C == kDesignationBestNgc || C == 0) && deepSky)
        SearchTable(s, "Checking Best SAC", GetBestNgcObjectRecord, 110, kSourceBestNgc, 10);
    if ((C == kDesignationHerschel || C == 0) && deepSky)
        SearchTable(s, "Checking Herschel", GetHerschelObjectRecord, 400, kSourceHerschel, 10);
    if (!OneOf(C, {40, 9, 25, 49, 12, 13, 41, 54}) && !OneOf(T, {13, 29, 18, 27}) && K != kClassDoubleStar && objectDb)
        SearchObjectDatabase(s);
    SortSelectionByName(s.fill, s.fill > 1 && C != kDesignationUser);
    if (C == kDesignationBrightStar && T == 0) SearchBrightStars(s);
    InvalidateHorizonProjection();
    EndBusyIndicator(0);
    selectionCount = s.fill;
    if (s.fill < GetSelectionListAllocated()) selectionList[s.fill].number = -1;
    selectionShownCount = FilterSelectionByClass(selectionClassFilter, selectionList, s.fill);
    SetCurrentSelectionRow(0);
    TellCutSearch(s);  // once the list is whole: the box lets other windows draw it
}
