// The one telescope target of every screen: the sky chart's goto, sync and
// Improve Pointing, object information's and the finder's Goto, and the
// objects chosen as alignment stars. A moving body goes where it is by the
// device clock, whatever date the screen shows and whatever the
// position-mode preference; the horizon is judged at the device clock.
// Right ascension in hours, declination and altitude in degrees; the site is
// currentSite.
#pragma once

#include "catalog/object_catalog.h"
#include "catalog/selection_entry.h"

// The device's local date and time.
struct DeviceClock {
    int year, month, day, hour, minute, second;
    // The time of day as an angle: hours x 15, degrees.
    double Angle() const { return (second / 3600.0 + minute / 60.0 + hour) * 15.0; }
};
DeviceClock ReadDeviceClock();

// What a telescope command sends: right ascension and declination with the
// position mode of ScopeGoto and ScopeSync (-1 a place of date, 3 a J2000
// place made topocentric and refracted).
struct TelescopeTarget {
    double ra, dec;
    int mode;
};

// The refusal for a body without a place at the device clock on the screens
// that show no chart of their own (object information, the finder, the
// alignment forms).
inline constexpr const char* kNoPlaceNowText = "Sorry, this object has no position now.";

// The target of `record` at the clock `c`. A moving body, a planet record
// (designation 45: the Sun .. Pluto, the Moon) or a comet or asteroid (12),
// is computed for the clock as the list places it (BodyEntryAt: a copy of its
// list entry when the list holds it, else an entry made from the record) and
// goes as its topocentric place of date in mode -1. Other places of date
// (bodies of type 27, nebulae of type 19 and designation 0) go as they stand
// in mode -1, everything else as a J2000 place in mode 3. A moving body
// without a place at the clock is refused with `noPlaceText`
// (ShowInformation): false, *target untouched.
bool TargetAtClock(const ObjectRecord& record, const DeviceClock& c, const char* noPlaceText, TelescopeTarget* target);

// The same for a list entry (or a copy of one): a planet, comet or asteroid
// entry is computed for the clock into a copy, any other goes by its kind
// as above.
bool EntryTargetAtClock(const SelectionEntry& entry, const DeviceClock& c, const char* noPlaceText,
                        TelescopeTarget* target);

// The target's altitude at the clock as the mount would be sent it
// (ComputeApparentAltAz in the target's mode).
double TargetAltitude(const TelescopeTarget& target, const DeviceClock& c);

// A goto at the device clock: TargetAtClock (its refusal with `noPlaceText`);
// an altitude not above 2 degrees refused with "This object is below the
// horizon" (GotoRefusedBelowHorizon); the Sun (type 27, number 0) refused
// with "Sorry, GoTo to Sun is disable."; else ScopeGoto. Nothing is sent
// after a refusal.
void GotoAtClock(const ObjectRecord& record, const char* noPlaceText);

// The target's apparent place at the clock in the alignment stars'
// convention: a J2000 place made topocentric and refracted (mode 3), a place
// of date refracted alone (no second precession), both with the site's
// pressure and temperature; with its altitude and azimuth (refracted).
void AlignmentPlaceAtClock(const TelescopeTarget& target, const DeviceClock& c, double* ra, double* dec,
                           double* altitude, double* azimuth);
