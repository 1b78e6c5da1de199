#include "objects/list_panel.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/deep_sky_types.h"
#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/object_display.h"
#include "catalog/object_lists.h"
#include "catalog/object_lookup.h"
#include "core/angle_text.h"
#include "core/constellation.h"
#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/rise_set.h"
#include "core/sidereal_time.h"
#include "core/text_numbers.h"
#include "ephemeris/apparent_altaz.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/planet_names.h"
#include "objects/object_info.h"
#include "objects/object_texts.h"
#include "objects/selection_search.h"
#include "orbits/orbit_assistant_state.h"
#include "ui/preference_values.h"

namespace {

constexpr int kPlanetCount = 10;
constexpr int kTypePlanet = 27;
constexpr int kTypeMeteor = 29;
constexpr int kTypeStar = 30;
constexpr int kPlanetPictures = 4000;
constexpr int kMessierPictures = 3000;
constexpr int kTypePictures = 2999;

double JulianDayOf(const DateTime& t) {
    return JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, 0, currentSite.zoneMinutes);
}

void SetConstellationFor(ObjectRecord* r, const DateTime& when) {
    r->constellation = static_cast<uint32_t>(FindConstellation(r->rightAscension, r->declination, JulianDayOf(when)));
}

void Name(ListPanelObject* o, const char* format, const char* prefix, long number) {
    std::snprintf(o->name, sizeof o->name, format, prefix, number);
}

void OwnName(ListPanelObject* o) {
    const int designation = static_cast<int16_t>(o->record.designationId);
    Name(o, "%s%ld", DesignationPrefix(designation), static_cast<long>(o->record.number));
}

void EntryName(ListPanelObject* o, const SelectionEntry& e) {
    std::snprintf(o->name, sizeof o->name, "%.*s", static_cast<int>(kSelectionNameSize - 1), e.name);
}

// The record of a numbered table; false when the table does not give it.
bool TableRecord(bool (*get)(int, ObjectRecord*), const SelectionEntry& e, ListPanelObject* o) {
    return get(e.sourceIndex, &o->record);
}

void Star(const SelectionEntry& e, ListPanelObject* o) {
    ObjectRecord& r = o->record;
    r.rightAscension = e.rightAscension;
    r.declination = e.declination;
    r.magnitude = static_cast<float>(e.mag10 * 0.1);
    r.classCode = static_cast<int8_t>(e.smallCode);
    r.designationId = kDesignationBrightStar;
    r.number = e.number;
    r.objectType = kTypeStar;
    r.size1 = r.size2 = 0.1f;
    r.constellation = static_cast<uint32_t>(e.constellation);
    EntryName(o, e);
}

void FromEntry(const SelectionEntry& e, const DateTime& t, ListPanelObject* o) {
    CopyObjectDisplayFields(&o->record, &e);
    o->record.distance = e.distance;
    SetConstellationFor(&o->record, t);
    EntryName(o, e);
}

// Any other entry: by its designation.
void Other(const SelectionEntry& e, const DateTime& t, ListPanelObject* o) {
    ObjectRecord& r = o->record;
    if (e.designation == 0) {
        r.rightAscension = e.rightAscension;
        r.declination = e.declination;
        EntryName(o, e);
        return;
    }
    FromEntry(e, t, o);
    const char* prefix = DesignationPrefix(e.designation);
    if (e.designation == kDesignationTycho) {
        std::snprintf(o->name, sizeof o->name, "TYC%d-%d-1", static_cast<int>(e.number / 100000),
                      static_cast<int>(e.number % 100000));
    } else if (e.designation == kDesignationHr || e.designation == kDesignationHip || o->name[0] == '\0') {
        Name(o, "%s%ld", prefix, static_cast<long>(e.number));
    }
    if (e.objectType != kTypeStar) o->typeBitmap = DeepSkyTypeBitmap(r);
}

std::string Text(const char* text) { return text; }

std::string Hours(double hours) {
    char text[32];
    return HMSToStr(text, sizeof text, hours);
}
std::string Degrees(double degrees) {
    char text[32];
    return DegToStr(text, sizeof text, degrees);
}

std::string ShowerDate(int day, int month) {
    char text[16];
    FormatShowerDate(text, sizeof text, day, month);
    return text;
}

// Whole arcminutes and the remaining arcseconds of one or both sizes.
std::string SizeText(const ObjectRecord& r, bool planet) {
    char first[16], second[16];
    FormatArcminutes(first, sizeof first, r.size1);
    if (planet) return first;
    FormatArcminutes(second, sizeof second, r.size2);
    return std::string(first) + "x" + second;
}

void ShowerTexts(int row, ListPanelTexts* p) {
    p->shower = true;
    if (row < 0 || row >= kMeteorShowerCount) return;
    const MeteorShowerRow& m = meteorShowerTable[row];
    p->magnitude = ShowerDate(m.startDay, m.startMonth);
    p->size = ShowerDate(m.endDay, m.endMonth);
    p->eyepiece = m.peakDay < 1 ? Text("Var.") : ShowerDate(m.peakDay, m.peakMonth);
    p->rating = MeteorShowerRating(m.classValue);
}

// The best eyepiece and the rating; "None" and 0 for an object the telescope
// cannot show.
void RatingTexts(const ObjectRecord& r, ListPanelTexts* p) {
    const TelescopeRating rated = RateInTelescope(r, SelectionScopeLimit());
    char text[16];
    FormatBestEyepiece(text, sizeof text, rated.focalLength, rated.power);
    p->eyepiece = text;
    p->rating = static_cast<float>(rated.rating);
}

// The altitude at transit: the sidereal time of the transit's hour, minute
// and second, rounded to the whole degree (half away from zero, so a body
// culminating below the horizon reads as low as it is).
std::string TransitAltitude(const ObjectRecord& r, const DateTime& t, double transit) {
    const int hour = static_cast<int>(transit);
    const double minutes = (transit - hour) * 60.0;
    const int minute = static_cast<int>(minutes), second = static_cast<int>((minutes - minute) * 60.0);
    const SiteRecord& s = currentSite;
    const double lst = GetLocalSiderealTime(t.year, t.month, t.day, hour, minute, second, s.longitude, s.zoneMinutes);
    char text[16];
    std::snprintf(text, sizeof text, "%d\xB0",
                  static_cast<int>(std::lround(ComputeAltitude(lst, r.rightAscension, r.declination, s.latitude))));
    return text;
}

// The position mode the panel's place is computed in. A catalogue place (J2000) takes the
// preference, which ComputeApparentAltAz turns into: 0 the geocentric place of date (precession
// and nutation, no aberration), 1 the same refracted, 2 the topocentric apparent place of date
// (aberration and light deflection too), 3 the same refracted. A planet (computed for `when` in
// the preference's geocentric or topocentric kind), a comet or an asteroid (its geometric
// geocentric place for the mean equinox of the date's year, as the list holds it) is a place of
// date already: shown as it is (mode -1: not precessed again, not refracted). The kinds then
// differ only by the aberration (20"), the nutation (under 20") and a comet's precession within
// its year (under 1'), not by the precession since 2000 that a second conversion would add.
int PanelPlaceMode(const ObjectRecord& r) {
    return IsPlaceOfDate(static_cast<int16_t>(r.designationId)) ? -1 : preferences.word[kPrefPositionMode];
}

}  // namespace

bool BuildBodyObject(int body, const DateTime& t, ListPanelObject* o) {
    BodyPosition p{};
    if (body < 0 || body >= kPlanetCount || ComputeBody(&p, body, t.year, t.month, t.day, t.hour, t.minute, 0) != 0)
        return false;
    ObjectRecord& r = o->record;
    r.designationId = kDesignationPlanet;
    r.number = body;
    r.objectType = kTypePlanet;
    r.rightAscension = static_cast<float>(p.ra);
    r.declination = static_cast<float>(p.dec);
    r.size1 = r.size2 = static_cast<float>(p.apparentDiameter);
    r.magnitude = static_cast<float>(p.magnitude);
    r.distance = static_cast<float>(p.distance);
    SetConstellationFor(&r, t);
    std::snprintf(o->name, sizeof o->name, "%s", planetNameTable[body]);
    o->typeBitmap = kPlanetPictures + body;
    o->planet = true;
    return true;
}

int DeepSkyTypeBitmap(const ObjectRecord& record) {
    int thumbnail = GetTypeCodeText(nullptr, record.classCode);
    const int type = static_cast<int16_t>(record.objectType);
    if (thumbnail == 0 && type >= 0 && type < kObjectTypeCount) thumbnail = objectTypeTable[type].thumbnail;
    return thumbnail > 0 ? kTypePictures + thumbnail : 0;
}

ListPanelObject ListedObject(const SelectionEntry& listed, const DateTime& when) {
    // A comet or asteroid at its place of `when`, as a planet is: the list holds places of the chart's time;
    // with its magnitude as its look-up gives it, not the entry's tenths.
    SelectionEntry entry = listed;
    const double cometMagnitude = RefreshListedComet(entry, {when.year, when.month, when.day, when.hour, when.minute, 0});
    ListPanelObject o;
    switch (entry.source) {
    case kSourcePlanet:
        if (BuildBodyObject(entry.sourceIndex, when, &o)) return o;
        break;
    case kSourceMessier:
        if (!TableRecord(GetMessierObjectRecord, entry, &o)) break;
        OwnName(&o);
        o.typeBitmap = kMessierPictures + entry.sourceIndex;
        return o;
    case kSourceCaldwell:
        if (!TableRecord(GetCaldwellObjectRecord, entry, &o)) break;
        OwnName(&o);
        o.typeBitmap = DeepSkyTypeBitmap(o.record);
        return o;
    case kSourceHerschel:
        if (!TableRecord(GetHerschelObjectRecord, entry, &o)) break;
        std::snprintf(o.name, sizeof o.name, "H%d", entry.sourceIndex + 1);
        return o;
    case kSourceBestNgc:
        if (!TableRecord(GetBestNgcObjectRecord, entry, &o)) break;
        OwnName(&o);
        return o;
    case kSourceStar: Star(entry, &o); return o;
    case kSourceComet:
        FromEntry(entry, when, &o);
        if (std::isfinite(cometMagnitude)) o.record.magnitude = static_cast<float>(cometMagnitude);
        o.placeKnown = entry.placeUnknown == 0;
        return o;
    case kSourceConstellation: FromEntry(entry, when, &o); return o;
    default: break;
    }
    o = ListPanelObject{};
    Other(entry, when, &o);
    o.placeKnown = entry.source != kSourcePlanet && entry.placeUnknown == 0;
    return o;
}

ListPanelTexts ComputeListPanelTexts(const ListPanelObject& object, int source, int sourceIndex,
                                     const DateTime& when) {
    const ObjectRecord& r = object.record;
    const DateTime& t = when;
    ListPanelTexts p;
    double ra = 0.0, dec = 0.0, altitude = 0.0, azimuth = 0.0;
    const int mode = PanelPlaceMode(r);
    ComputeApparentAltAz(r.rightAscension, r.declination, &ra, &dec, &altitude, &azimuth, mode, t.year, t.month,
                         t.day, t.hour, t.minute, 0);
    p.ra = Hours(ra);
    p.dec = Degrees(dec);
    p.azimuth = Degrees(azimuth);
    p.altitude = Degrees(altitude);
    const SiteRecord& s = currentSite;
    double placeRa = 0.0, placeDec = 0.0;  // of date, as the rise and set want it
    RiseSetPlace(r, t, &placeRa, &placeDec);
    ComputeRiseTransitSetFixed(t.year, t.month, t.day, s.latitude, s.longitude, s.zoneMinutes, s.elevation,
                               GetHorizonAltitude(), placeRa, placeDec, &p.rise, &p.transit, &p.set, &p.events);
    p.now = t.hour + t.minute / 60.0;
    p.transitAltitude = TransitAltitude(r, t, p.transit);
    char text[32];
    DoubleToStr(text, sizeof text, r.magnitude, 1);
    p.magnitude = text;
    p.constellation = ConstellationAbbreviation(static_cast<int16_t>(r.constellation));
    const int type = static_cast<int16_t>(r.objectType);
    p.typeCode = type >= 0 && type < kObjectTypeCount ? objectTypeTable[type].code : "";
    if (type == kTypeMeteor) {
        ShowerTexts(source == kSourceMeteorShower ? sourceIndex : -1, &p);
    } else {
        RatingTexts(r, &p);
        p.size = SizeText(r, object.planet);
        char distance[32];
        FormatDistance(&r, distance, sizeof distance);
        p.distance = distance;
    }
    return p;
}

ListPanelObject BuildListPanelObject(const SelectionEntry& entry, const DateTime& when) {
    // An entry whose record is gone names none.
    if (entry.source == kSourceComet && entry.number >= 0) SetOrbitCometIndex(static_cast<int>(entry.number));
    return ListedObject(entry, when);
}

PictureRequest ListEntryPicture(const SelectionEntry& entry) {
    PictureRequest p;
    char name[40];
    if (entry.designation == kDesignationConstellation || entry.source == kSourceConstellation) {
        std::snprintf(name, sizeof name, "%d", static_cast<int>(entry.number));
        p.kind = kDesignationConstellation;
    } else if (entry.source == kSourceMessier || entry.source == kSourcePlanet) {
        std::snprintf(name, sizeof name, "%.*s", static_cast<int>(kSelectionNameSize - 1), entry.name);
        p.kind = entry.source == kSourceMessier ? kDesignationMessier : kDesignationPlanet;
    } else {
        std::snprintf(name, sizeof name, "%s%ld", DesignationPrefix(entry.designation),
                      static_cast<long>(entry.number));
        p.kind = entry.designation;
    }
    p.name = name;
    return p;
}
