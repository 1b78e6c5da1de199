#include "catalog/listed_places.h"

#include <algorithm>
#include <cmath>

#include "catalog/comet_satellite_db.h"
#include "catalog/designations.h"
#include "catalog/selection_list.h"
#include "core/constellation.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "core/text_numbers.h"
#include "ephemeris/body_positions.h"

namespace {

constexpr int kTopocentric = 2;
constexpr int kPlanetBodies = 10;  // Sun .. Pluto: a list entry names no other body

// Tenths of a magnitude, as the entry keeps them (whole float steps first).
int32_t Mag10(double magnitude) {
    const float value = std::isfinite(magnitude) && std::fabs(magnitude) < 1e30 ? static_cast<float>(magnitude) : 0.0f;
    return TruncateToInt32(value * 10.0f);
}

void RefreshPlanet(SelectionEntry& e, const DateTime& t, double jd) {
    if (e.sourceIndex >= kPlanetBodies) return;
    BodyPosition p{};
    int32_t& mode = preferences.word[kPrefPositionMode];
    const int32_t saved = mode;
    mode = kTopocentric;
    int status = ComputeBody(&p, e.sourceIndex, t.year, t.month, t.day, t.hour, t.minute, t.second);
    mode = saved;
    e.placeUnknown = status != 0 ? 1 : 0;
    if (status != 0) return;
    e.rightAscension = static_cast<float>(p.ra);
    e.declination = static_cast<float>(p.dec);
    e.mag10 = Mag10(p.magnitude);
    e.distance = static_cast<float>(p.distance);
    e.size1 = e.size2 = static_cast<int16_t>(p.apparentDiameter);
    e.constellation = static_cast<int16_t>(FindConstellation(p.ra, p.dec, jd));
}

// For the equinox of the date's year, as the look-ups and the search give comets: the chart and
// the telescope take comet entries as places of date.
// An entry that names no record (its record was removed), whose record does not read or whose
// orbit gives no place (or no orbit computation is installed) is marked placeUnknown. A number
// beyond the file (a list loaded while it was closed, before its comets are matched by name) is
// no record, and is passed over without the look-up's message: the refresh runs inside drawings.
// Returns the magnitude as the orbit gives it (the entry keeps tenths), NaN without a place.
double RefreshComet(SelectionEntry& e, double jd, int year) {
    CometRecord comet;
    CometPlace place{};
    const bool placed = e.number >= 0 && e.number < GetCometCount() && GetCometData(e.number, &comet) &&
                        ComputeCometPlace(&comet, jd, year, &place);
    e.placeUnknown = placed ? 0 : 1;
    if (!placed) return std::nan("");
    e.rightAscension = place.rightAscension;
    e.declination = place.declination;
    e.mag10 = Mag10(place.magnitude);
    e.distance = place.distance;
    e.constellation = static_cast<int16_t>(FindConstellation(place.rightAscension, place.declination, jd));
    return place.magnitude;
}

double JulianDay(const DateTime& t) {
    return JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.zoneMinutes);
}

void RefreshEntry(SelectionEntry& e, const DateTime& t, double jd) {
    if (e.designation == kDesignationPlanet) RefreshPlanet(e, t, jd);
    else if (e.designation == kDesignationComet) RefreshComet(e, jd, t.year);
}

// What the list's places were last computed for.
struct Placing {
    int32_t when[6];
    float latitude, longitude;
    int16_t elevation, zoneMinutes, temperature, pressure;
    uint32_t listChanges;
    bool operator==(const Placing&) const = default;
};

Placing PlacingFor(int year, int month, int day, int hour, int minute, int second) {
    const SiteRecord& s = currentSite;
    return Placing{{year, month, day, hour, minute, second}, s.latitude,    s.longitude, s.elevation,
                   s.zoneMinutes,                            s.temperature, s.pressure,  selectionListChanges};
}

Placing lastPlacing{};
bool placed = false;

}  // namespace

void RefreshMovingEntry(SelectionEntry& entry, int year, int month, int day, int hour, int minute, int second) {
    const DateTime t{year, month, day, hour, minute, second};
    RefreshEntry(entry, t, JulianDay(t));
}

double RefreshListedComet(SelectionEntry& entry, const DateTime& when) {
    if (entry.designation != kDesignationComet) return std::nan("");
    return RefreshComet(entry, JulianDay(when), when.year);
}

void RefreshMovingSelectionEntries(int year, int month, int day, int hour, int minute, int second) {
    if (!selectionList) return;
    const DateTime t{year, month, day, hour, minute, second};
    const double jd = JulianDay(t);
    const int count = std::min(selectionCount, GetSelectionListAllocated());
    for (int i = 0; i < count; ++i) RefreshEntry(selectionList[i], t, jd);
    lastPlacing = PlacingFor(year, month, day, hour, minute, second);
    placed = true;
}

bool MakeMovingEntriesCurrent(int year, int month, int day, int hour, int minute, int second) {
    if (placed && lastPlacing == PlacingFor(year, month, day, hour, minute, second)) return false;
    RefreshMovingSelectionEntries(year, month, day, hour, minute, second);
    return true;
}

SelectionEntry* ListedPlacesAt(const DateTime& when) {
    if (!selectionList) return nullptr;
    MakeMovingEntriesCurrent(when.year, when.month, when.day, when.hour, when.minute, when.second);
    return selectionList;
}

const SelectionEntry* ListedEntryAt(int position, const DateTime& when) {
    const int count = std::min(selectionCount, GetSelectionListAllocated());
    if (position < 0 || position >= count) return nullptr;
    SelectionEntry* list = ListedPlacesAt(when);
    return list ? &list[position] : nullptr;
}

const SelectionEntry* ShownEntryAt(int row, const DateTime& when) {
    const int position = GetSelectionIndex(row);
    // While a form's own table holds the rows, a row's index is a position in that table.
    if (position < 0 || !selectionListPtr || selectionListPtr[row] != selectionList + position) return nullptr;
    return ListedEntryAt(position, when);
}

SelectionEntry* FindListedBody(const ObjectRecord& record) {
    const auto designation = static_cast<int16_t>(record.designationId);
    if (!IsPlaceOfDate(designation) || !selectionList) return nullptr;
    const int count = std::min(selectionCount, GetSelectionListAllocated());
    for (int i = 0; i < count; ++i) {
        SelectionEntry& e = selectionList[i];
        if (e.designation == designation && e.number == record.number) return &e;
    }
    return nullptr;
}

SelectionEntry BodyEntryAt(const ObjectRecord& record, const DateTime& when) {
    SelectionEntry e{};
    if (const SelectionEntry* listed = FindListedBody(record)) {
        e = *listed;
    } else {
        e.designation = static_cast<int16_t>(record.designationId);
        e.objectType = static_cast<int16_t>(record.objectType);
        e.number = record.number;
        e.sourceIndex = static_cast<uint16_t>(record.number);
        e.rightAscension = record.rightAscension;
        e.declination = record.declination;
    }
    RefreshEntry(e, when, JulianDay(when));
    return e;
}
