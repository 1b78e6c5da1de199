#include "scope/scope_target.h"

#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "core/services.h"
#include "ephemeris/apparent_altaz.h"
#include "scope/scope_dispatch.h"
#include "ui/input_polling.h"

namespace {

constexpr int kTypePlanet = 27, kTypeNebula = 19;
constexpr int kOfDateMode = -1;

// Planets, nebulae of designation 0 and comets and asteroids are places of
// date; everything else is J2000.
TelescopeTarget StandingTarget(double ra, double dec, int type, int designation) {
    const bool ofDate = type == kTypePlanet || (type == kTypeNebula && designation == 0) ||
                        designation == kDesignationComet;
    return {ra, dec, ofDate ? kOfDateMode : kModeTopocentricRefracted};
}

// `placed`, an entry computed for the clock: its topocentric place of date,
// or the refusal when its body or orbit gives none.
bool PlacedTarget(const SelectionEntry& placed, const char* noPlaceText, TelescopeTarget* target) {
    if (placed.placeUnknown != 0) {
        ShowInformation(noPlaceText, "");
        return false;
    }
    *target = {placed.rightAscension, placed.declination, kOfDateMode};
    return true;
}

}  // namespace

DeviceClock ReadDeviceClock() {
    DeviceClock c{};
    GetLocalDateTime(&c.year, &c.month, &c.day, &c.hour, &c.minute, &c.second);
    return c;
}

bool EntryTargetAtClock(const SelectionEntry& entry, const DeviceClock& c, const char* noPlaceText,
                        TelescopeTarget* target) {
    if (IsPlaceOfDate(entry.designation)) {
        SelectionEntry moved = entry;
        RefreshMovingEntry(moved, c.year, c.month, c.day, c.hour, c.minute, c.second);
        return PlacedTarget(moved, noPlaceText, target);
    }
    *target = StandingTarget(entry.rightAscension, entry.declination, entry.objectType, entry.designation);
    return true;
}

bool TargetAtClock(const ObjectRecord& record, const DeviceClock& c, const char* noPlaceText, TelescopeTarget* target) {
    const int designation = static_cast<int16_t>(record.designationId);
    if (!IsPlaceOfDate(designation)) {
        *target = StandingTarget(record.rightAscension, record.declination, record.objectType & 0xFFFF, designation);
        return true;
    }
    const DateTime clock{c.year, c.month, c.day, c.hour, c.minute, c.second};
    return PlacedTarget(BodyEntryAt(record, clock), noPlaceText, target);
}

double TargetAltitude(const TelescopeTarget& target, const DeviceClock& c) {
    double ra = 0, dec = 0, altitude = -90.0, azimuth = 0;
    ComputeApparentAltAz(target.ra, target.dec, &ra, &dec, &altitude, &azimuth, target.mode, c.year, c.month, c.day,
                         c.hour, c.minute, c.second);
    return altitude;
}

void GotoAtClock(const ObjectRecord& record, const char* noPlaceText) {
    const DeviceClock c = ReadDeviceClock();
    TelescopeTarget target{};
    if (!TargetAtClock(record, c, noPlaceText, &target)) return;
    if (GotoRefusedBelowHorizon(TargetAltitude(target, c))) return;
    if ((record.objectType & 0xFFFF) == kTypePlanet && record.number == 0) {
        ShowInformation("Sorry, GoTo to Sun is disable.", "");
        return;
    }
    ScopeGoto(target.ra, target.dec, target.mode);
}

void AlignmentPlaceAtClock(const TelescopeTarget& target, const DeviceClock& c, double* ra, double* dec,
                           double* altitude, double* azimuth) {
    const int mode = target.mode < 0 ? kModeOfDateRefracted : kModeTopocentricRefracted;
    *ra = target.ra, *dec = target.dec;
    ComputeApparentAltAz(target.ra, target.dec, ra, dec, altitude, azimuth, mode, c.year, c.month, c.day, c.hour,
                         c.minute, c.second);
}
