#include "objects/object_info.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "catalog/comet_satellite_db.h"
#include "catalog/deep_sky_types.h"
#include "catalog/designations.h"
#include "catalog/dreyer.h"
#include "catalog/object_display.h"
#include "catalog/object_lists.h"
#include "catalog/object_lookup.h"
#include "catalog/selection_entry.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "core/angle_text.h"
#include "core/delta_t.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/rise_set.h"
#include "core/text_numbers.h"
#include "ephemeris/apparent_altaz.h"
#include "ephemeris/planet_names.h"
#include "ephemeris/sun_moon_rise_set.h"
#include "objects/list_panel.h"
#include "objects/object_texts.h"
#include "objects/visibility.h"
#include "orbits/orbit_assistant_state.h"
#include "ui/input_polling.h"
#include "ui/preference_values.h"

const ObjectInfoTabRow objectInfoTabs[kObjectInfoTabCount] = {
    {"BrightStars", kDesignationBrightStar, kSourceStar},
    {"Caldwell", kDesignationCaldwell, kSourceCaldwell},
    {"Comet/Asteroid", kDesignationComet, kSourceComet},
    {"Constellation", kDesignationConstellation, kSourceConstellation},
    {"Hershel", kDesignationHerschel, kSourceHerschel},
    {"Messier", kDesignationMessier, kSourceMessier},
    {"Meteor", kDesignationMeteor, kSourceMeteorShower},
    {"Planet", kDesignationPlanet, kSourcePlanet},
    {"SAC", kDesignationBestNgc, kSourceBestNgc},
    {"User Catalog", kDesignationUser, kSourceUser},
    {"Finder", -1, 0},
};

namespace {

constexpr int kBodies = 10;  // the Sun, the Moon, Mercury .. Pluto
constexpr int kTypeConstellation = 14;
constexpr int kTypePlanet = 27;
constexpr int kTypeMeteor = 29;
constexpr int kTypeStar = 30;
constexpr int kMessierPictures = 2999;  // + the Messier number
constexpr int kCometPicture = 3996;
constexpr int kNoPicture = 5029;

int Type(const ObjectRecord& r) { return static_cast<int16_t>(r.objectType); }
int Designation(const ObjectRecord& r) { return static_cast<int16_t>(r.designationId); }

const MeteorShowerRow* ShowerOf(const ObjectRecord& r) {
    if (Type(r) != kTypeMeteor || r.number < 0 || r.number >= kMeteorShowerCount) return nullptr;
    return &meteorShowerTable[r.number];
}

std::string ShowerDate(int day, int month) {
    char text[16];
    FormatShowerDate(text, sizeof text, day, month);
    return text;
}

// A record of the object file's tables: its name from its own designation.
bool TableObject(bool (*get)(int, ObjectRecord*), int position, ObjectInfoObject* o) {
    if (!get(position - 1, &o->record)) return false;
    std::snprintf(o->name, sizeof o->name, "%s%ld", DesignationPrefix(Designation(o->record)),
                  static_cast<long>(o->record.number));
    o->picture = DeepSkyTypeBitmap(o->record);
    return true;
}

// The name before the table object's own designation: "C%d, " or "M%d, ".
void PrefixName(ObjectInfoObject* o, const char* format, int position) {
    char numbered[16];
    std::snprintf(numbered, sizeof numbered, format, position);
    const std::string name = std::string(numbered) + ", " + o->name;
    std::snprintf(o->name, sizeof o->name, "%s", name.c_str());
}

bool ByKind(int kind, int index, ObjectInfoObject* o, char* second, std::size_t secondSize) {
    return GetObjectByKind(kind, index, &o->record, o->name, sizeof o->name, second, secondSize, 1, nullptr);
}

bool Body(int body, const DateTime& t, ObjectInfoObject* o) {
    ListPanelObject shown;
    if (!BuildBodyObject(body, t, &shown)) return false;
    o->record = shown.record;
    SetObjectRecordName(&o->record, shown.name);
    std::snprintf(o->name, sizeof o->name, "%s", shown.name);
    o->picture = shown.typeBitmap;
    return true;
}

bool Constellation(int position, ObjectInfoObject* o) {
    char name[32] = "";
    if (!ByKind(kDesignationConstellation, position - 1, o, name, sizeof name)) return false;
    SetObjectRecordName(&o->record, name);
    const std::string abbreviation = o->name;
    std::snprintf(o->name, sizeof o->name, "%s, %s", abbreviation.c_str(), name);
    return true;
}

bool Comet(int position, ObjectInfoObject* o) {
    const int index = std::max(position, 1) - 1;
    SetOrbitCometIndex(index);
    if (!ByKind(kDesignationComet, index, o, nullptr, 0)) return false;
    o->picture = kCometPicture;
    return true;
}

bool Shower(int position, ObjectInfoObject* o) {
    char designation[16] = "";
    if (!GetObjectByKind(kDesignationMeteor, std::max(position, 1) - 1, &o->record, designation, sizeof designation,
                         o->name, sizeof o->name, 1, nullptr))
        return false;
    o->record.distance = 0.0f;
    return true;
}

bool UserObject(int position, ObjectInfoObject* o) {
    if (!ByKind(kDesignationUser, std::max(position, 1) - 1, o, nullptr, 0)) return false;
    SetObjectRecordName(&o->record, o->name);
    return true;
}

std::string SizeText(const ObjectRecord& r, int tab) {
    const int type = Type(r);
    if (Designation(r) == kDesignationComet || tab == kTabComets || type == kTypeConstellation) return "";
    char text[32];
    if (type == kTypePlanet) {
        const int minutes = static_cast<int>(r.size1);
        std::snprintf(text, sizeof text, "%d'%02d", minutes, static_cast<int>((r.size1 - minutes) * 60.0));
        return text;
    }
    if (const MeteorShowerRow* m = ShowerOf(r)) return ShowerDate(m->startDay, m->startMonth);
    if (type == kTypeStar) return StarColourIndexText(r.classCode);
    char second[16];
    FormatArcminutes(text, sizeof text, r.size1);
    FormatArcminutes(second, sizeof second, r.size2);
    return std::string(text) + "x" + second;
}

std::string EyepieceText(const ObjectRecord& r, float scopeLimit) {
    if (const MeteorShowerRow* m = ShowerOf(r)) return ShowerDate(m->endDay, m->endMonth);
    if (r.magnitude >= scopeLimit) return "None";
    const TelescopeRating rated = RateInTelescope(r, scopeLimit);
    if (rated.power < 1) return "none";
    char text[16];
    std::snprintf(text, sizeof text, "%dmm", static_cast<int>(rated.focalLength / rated.power));
    return text;
}

std::string MagnitudeText(const ObjectRecord& r) {
    if (const MeteorShowerRow* m = ShowerOf(r)) return m->peakDay < 1 ? "Var." : ShowerDate(m->peakDay, m->peakMonth);
    char text[32];
    DoubleToStr(text, sizeof text, r.magnitude, 1);
    return text;
}

std::string TypeCodeText(int tab, const ObjectRecord& r) {
    const int type = Type(r);
    if (type == kTypePlanet || type == kTypeMeteor || type == kTypeStar || tab == kTabBrightStars ||
        tab == kTabComets || tab == kTabConstellations)
        return " ";
    char text[16] = "";
    GetTypeCodeText(text, r.classCode);
    std::string code = text;
    code.erase(code.find_last_not_of(' ') + 1);
    return code;
}

// Hours of an event brought into [0, 24).
double IntoDay(double hours) {
    if (!std::isfinite(hours)) return 0.0;
    while (hours < 0.0) hours += 24.0;
    while (hours >= 24.0) hours -= 24.0;
    return hours;
}

bool StartsWithVowel(const char* text) {
    return text[0] != '\0' && std::strchr("aeiouAEIOU", text[0]) != nullptr;
}

}  // namespace

int ObjectInfoTabSize(int tab) {
    switch (tab) {
    case kTabBrightStars: return GetBrightStarCount();
    case kTabCaldwell: return kCaldwellCount;
    case kTabComets: return GetCometCount();
    case kTabConstellations: return kConstellationCount;
    case kTabHerschel: return kHerschelCount;
    case kTabMessier: return kMessierCount;
    case kTabMeteors: return kMeteorShowerCount;
    case kTabPlanets: return kBodies;
    case kTabBestNgc: return kBestNgcCount;
    case kTabUser: return GetUserObjectCount();
    default: return 0;
    }
}

bool LoadObjectInfoObject(int tab, int position, const DateTime& when, ObjectInfoObject* out) {
    ObjectInfoObject o;
    bool loaded = false;
    switch (tab) {
    case kTabBrightStars: loaded = ByKind(kDesignationBrightStar, position - 1, &o, nullptr, 0); break;
    case kTabCaldwell:
        loaded = TableObject(GetCaldwellObjectRecord, position, &o);
        if (loaded) PrefixName(&o, "C%d", position);
        break;
    case kTabComets: loaded = Comet(position, &o); break;
    case kTabConstellations: loaded = Constellation(position, &o); break;
    case kTabHerschel: loaded = TableObject(GetHerschelObjectRecord, position, &o); break;
    case kTabMessier:
        loaded = TableObject(GetMessierObjectRecord, position, &o);
        if (loaded) {
            PrefixName(&o, "M%d", position);
            o.picture = kMessierPictures + position;
        }
        break;
    case kTabMeteors: loaded = Shower(position, &o); break;
    case kTabPlanets: loaded = Body(position - 1, when, &o); break;
    case kTabBestNgc: loaded = TableObject(GetBestNgcObjectRecord, position, &o); break;
    case kTabUser: loaded = UserObject(position, &o); break;
    default: break;
    }
    if (loaded) *out = o;
    return loaded;
}

int ObjectInfoPicture(int picture) { return picture < 1 ? kNoPicture : picture; }

ObjectInfoImage ObjectInfoImageName(int tab, int position, const ObjectRecord& r) {
    ObjectInfoImage image;
    char name[40];
    switch (tab) {
    case kTabBrightStars: image.kind = kDesignationBrightStar, std::snprintf(name, sizeof name, "star"); break;
    case kTabMessier: image.kind = kDesignationMessier, std::snprintf(name, sizeof name, "M%d", position); break;
    case kTabPlanets:
        image.kind = kDesignationPlanet;
        std::snprintf(name, sizeof name, "%s", position >= 1 && position <= kBodies ? planetNameTable[position - 1] : "");
        break;
    case kTabConstellations:
        image.kind = kDesignationConstellation;
        std::snprintf(name, sizeof name, "%d", position - 1);
        break;
    default:
        image.kind = Designation(r);
        std::snprintf(name, sizeof name, "%s%d", DesignationPrefix(image.kind), static_cast<int>(r.number));
        break;
    }
    image.name = name;
    return image;
}

ObjectInfoLabels ObjectInfoFieldLabels(int objectType) {
    if (objectType == kTypeStar) return {"BV", "Magnitude", "Eyepiece"};
    if (objectType == kTypeMeteor) return {"Start", "Max", "End"};
    return {"Size", "Magnitude", "Eyepiece"};
}

float ObjectInfoGauge(int tab, const ObjectRecord& r, float scopeLimit) {
    if (const MeteorShowerRow* m = ShowerOf(r)) return MeteorShowerRating(m->classValue);
    if (tab == kTabBrightStars || tab == kTabConstellations) return 3.0f;
    return static_cast<float>(RateInTelescope(r, scopeLimit).rating);
}

ObjectInfoRiseSet ComputeObjectInfoRiseSet(const ObjectRecord& r, const DateTime& when) {
    ObjectInfoRiseSet e;
    const bool body = Designation(r) == kDesignationPlanet;
    if (body && (r.number == 0 || r.number == 1)) {
        if (r.number == 0)
            ComputeSunRiseSet(when.year, when.month, when.day, &e.rise, &e.transit, &e.set, nullptr, &e.events);
        else
            ComputeMoonRiseSet(when.year, when.month, when.day, &e.rise, &e.transit, &e.set, nullptr, &e.events);
        e.events = DayOwnEvents(e.events, e.rise, e.set);
        e.rise = IntoDay(e.rise), e.transit = IntoDay(e.transit), e.set = IntoDay(e.set);
        return e;
    }
    const SiteRecord& s = currentSite;
    double ra = 0.0, dec = 0.0;
    RiseSetPlace(r, when, &ra, &dec);
    ComputeRiseTransitSetFixed(when.year, when.month, when.day, s.latitude, s.longitude, s.zoneMinutes, s.elevation,
                               GetHorizonAltitude(), ra, dec, &e.rise, &e.transit, &e.set, &e.events);
    return e;
}

void RiseSetPlace(const ObjectRecord& r, const DateTime& when, double* ra, double* dec) {
    *ra = r.rightAscension;
    *dec = r.declination;
    const int designation = Designation(r);
    if (IsPlaceOfDate(designation)) return;
    const double ut = JulianDayFromDateTime(when.year, when.month, when.day, when.hour, when.minute, when.second,
                                            currentSite.zoneMinutes);
    ConvertJ2000ToDate(ut + ComputeDeltaT(when.year, when.month, when.day) / 86400.0, ra, dec);
}

ObjectInfoPlace ComputeObjectInfoPlace(const ObjectRecord& r, const DateTime& when) {
    const int designation = Designation(r);
    const bool ofDate = IsPlaceOfDate(designation);
    double ra = 0.0, dec = 0.0, azimuth = 0.0;
    ObjectInfoPlace p;
    ComputeApparentAltAz(r.rightAscension, r.declination, &ra, &dec, &p.altitudeDegrees, &azimuth,
                         ofDate ? -1 : preferences.word[kPrefPositionMode], when.year, when.month, when.day, when.hour,
                         when.minute, when.second);
    char text[32];
    p.ra = HMSToStr(text, sizeof text, ra);
    p.dec = DegToStr(text, sizeof text, dec);
    p.azimuth = DegToStr(text, sizeof text, azimuth);
    p.altitude = DegToStr(text, sizeof text, p.altitudeDegrees);
    return p;
}

ObjectInfoTexts ComputeObjectInfoTexts(int tab, const ObjectRecord& r, float scopeLimit) {
    ObjectInfoTexts t;
    const int constellation = static_cast<int16_t>(r.constellation);
    if (constellation >= 0) t.constellation = ConstellationAbbreviation(constellation);
    t.typeName = ObjectTypeName(Type(r));
    t.typeCode = TypeCodeText(tab, r);
    t.magnitude = MagnitudeText(r);
    char distance[32];
    FormatDistance(&r, distance, sizeof distance);
    t.distance = distance;
    t.eyepiece = EyepieceText(r, scopeLimit);
    t.size = SizeText(r, tab);
    return t;
}

std::string StarColourIndexText(int tenths) {
    char text[16];
    std::snprintf(text, sizeof text, "%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10, std::abs(tenths) % 10);
    return text;
}

bool ObjectInfoHelp(int code, const ObjectRecord& r, std::string* text, std::string* detail) {
    switch (code) {
    case 0: {
        const int c = static_cast<int16_t>(r.constellation);
        *text = std::string("Constellation (") + ConstellationAbbreviation(c) + ")";
        *detail = c >= 0 && c < kConstellationCount ? constellationTable[c].name : "";
        return true;
    }
    case 1: {
        const char* name = ObjectTypeName(Type(r));
        *text = StartsWithVowel(name) ? "The current object is an" : "The current object is a";
        *detail = name;
        return true;
    }
    case 11:
        *text = "Magnitude:";
        *detail = "The larger the value, the fainter the object.";
        return true;
    case 16:
        *text = "Best Eyepiece computed to observe the object considering:\n\x95 Object Magnitude\n\x95 Object Dimensions";
        *detail = "\x95 Sky Brightness\n\x95 Scope Diameter\n\x95 Scope Focal Length";
        return true;
    case 17:
        *text = "Object size in arc minutes.";
        *detail = "";
        return true;
    default: return false;
    }
}

std::string StarIdentifiersText(const char* name, int hr) {
    char line[48];
    std::snprintf(line, sizeof line, "\n%s%ld", DesignationPrefix(kDesignationHr), static_cast<long>(hr));
    std::string text = std::string(name) + line;
    int ids[3] = {0, 0, 0};
    int32_t numbers[3] = {0, 0, 0};
    FindCrossReference(kDesignationHr, hr, ids, numbers, 3, nullptr, 0);
    for (int k = 0; k < 3; ++k) {
        if (ids[k] <= 0) continue;
        std::snprintf(line, sizeof line, "\n%s%ld", DesignationPrefix(ids[k]), static_cast<long>(numbers[k]));
        text += line;
    }
    return text;
}

int BrightStarHrNumber(int nameRecord) {
    BrightStarName star{};
    if (!ReadBrightStarRecord(nameRecord, &star)) return 0;
    LoadStarCatalog(0);
    return brightStarTable[star.starIndex].hr;
}

bool ObjectInfoDescription(const ObjectRecord& r, std::string* text, std::string* detail) {
    const int designation = Designation(r);
    char code[64] = "";
    if (!FindDreyerDescription(designation, r.number, code, sizeof code)) return false;
    char name[24] = "";
    FindCrossReference(designation, r.number, nullptr, nullptr, 0, name, 21);
    *text = std::string(name) + "\nDreyer code:\n" + code + "\n\nTranslation:";
    char translation[kDreyerLongSize];
    TranslateDreyerDescription(code, translation, sizeof translation);
    *detail = translation;
    return true;
}

void RefreshObjectInfoDateTime() {
    DateTime& t = currentDateTime;
    const SelectionCriteria& c = selectionCriteria;
    if (dateTimeFixed == 0 || (t.year == 0 && selectionShownCount < 1))
        GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    else if (t.year == 0)
        SetCurrentDateTime(c.year, c.month, c.day, c.hour, c.minute, 0);
}
