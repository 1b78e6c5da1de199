#include "assistants/moon_events.h"

#include <cstdlib>
#include <cstring>

#include "assistants/jupiter_moons.h"
#include "assistants/jupiter_view.h"
#include "assistants/saturn_satellites.h"
#include "core/delta_t.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "core/shared_state.h"

namespace {

constexpr int kMoons = 5;
constexpr int kKinds = 5;
constexpr int kMaxRefineSteps = 1440;
constexpr double kSaturnTableStep = 11.0 / 70.0;
constexpr int kSaturnBody = 6;

constexpr const char* kKindNames[kKinds] = {"Transit", "Transit+Shadow", "Shadow", "Eclipse", "Occultation"};
constexpr const char* kMoonNames[2][kMoons] = {{"Io", "Europa", "Ganymede", "Callisto", ""},
                                               {"Enceladus", "Tethys", "Dione", "Rhea", "Titan"}};

int SearchDeltaT() {
    return static_cast<int>(
        ComputeDeltaT(eventSearchCache[kCacheYear], eventSearchCache[kCacheMonth], eventSearchCache[kCacheDay]));
}

// Julian day (TT, the searched day's Delta T) of a local civil time.
double SearchJulianDay(const PlanetDetailDate& t) {
    return JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, SearchDeltaT(), currentSite.zoneMinutes);
}

// The state of `moon` at the searched date's hour and minute moved by `minutes`.
int StateAt(int mode, int moon, int hour, int minute, int minutes, PlanetDetailDate* when) {
    PlanetDetailDate t{eventSearchCache[kCacheYear], eventSearchCache[kCacheMonth], eventSearchCache[kCacheDay], hour,
                       minute};
    AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, minutes);
    int32_t states[kMoons];
    GetMoonEventStates(mode, t, mode == kSaturnMode ? SearchJulianDay(t) : 0.0, states);
    *when = t;
    return states[moon];
}

void RefineSlot(MoonEventSlot* slot, int offset, int step) {
    const int mode = planetDetailMode;
    const int startHour = slot->startHour, startMinute = slot->startMinute;
    const int endHour = slot->endHour, endMinute = slot->endMinute;
    PlanetDetailDate t{};
    for (int n = 1; n <= kMaxRefineSteps; ++n) {
        if (StateAt(mode, slot->moon, startHour, startMinute, -(offset + n * step), &t) != slot->kind) break;
        slot->startHour = t.hour, slot->startMinute = t.minute;
    }
    for (int n = 1; n <= kMaxRefineSteps; ++n) {
        const bool same = StateAt(mode, slot->moon, endHour, endMinute, offset + n * step, &t) == slot->kind;
        slot->endHour = t.hour, slot->endMinute = t.minute;
        if (!same) break;
    }
}

void Record(const PlanetDetailDate& t, const int32_t states[kMoons]) {
    for (int m = 0; m < kMoons; ++m) {
        const int s = states[m];
        if (s == 0) continue;
        if (s < 1 || s > kKinds) {
            ShowInformation("Bad event", "");
            continue;
        }
        MoonEventSlot& slot = planetMoonState[kKinds * m + s - 1];
        if (slot.startDay == 0) slot = MoonEventSlot{m, s, t.day, t.hour, t.minute, 0, 0, 0};
        slot.endDay = t.day, slot.endHour = t.hour, slot.endMinute = t.minute;
    }
}

}  // namespace

const char* MoonEventKindName(int kind) { return kind >= 1 && kind <= kKinds ? kKindNames[kind - 1] : ""; }

const char* MoonEventMoonName(int mode, int moon) {
    return (mode == kJupiterMode || mode == kSaturnMode) && moon >= 0 && moon < kMoons ? kMoonNames[mode][moon] : "";
}

void GetMoonEventStates(int mode, const PlanetDetailDate& t, double jd, int32_t states[5]) {
    if (mode == kSaturnMode) {
        GetSaturnMoonStates(jd, states);
        return;
    }
    states[kMoons - 1] = 0;
    ComputeJupiterMoons(0, 0, t.year, t.month, t.day, t.hour, t.minute, nullptr, nullptr, states, 0, 1, 1);
}

void RunMoonEventSearch(int mode, const PlanetDetailDate& date) {
    std::memset(planetMoonState, 0, sizeof planetMoonState);
    const int32_t cache[5] = {date.year, date.month, date.day, date.hour, date.minute};
    std::memcpy(eventSearchCache, cache, sizeof cache);
    StepBusyIndicator(1);
    PlanetDetailDate t{date.year, date.month, date.day, 0, 0};
    double jd = SearchJulianDay(t);
    const bool saturn = mode == kSaturnMode;
    if (saturn) BuildSaturnMoonTable(jd, kSaturnTableStep, kSaturnBody);
    const int minutes = saturn ? 7 : 12;
    do {
        StepBusyIndicator(1);
        AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, minutes);
        jd += minutes / 1440.0;
        int32_t states[kMoons];
        GetMoonEventStates(mode, t, jd, states);
        Record(t, states);
    } while (!(t.day == date.day && t.hour == 23));
    RefineMoonEvents(planetMoonState, 0, 1);
    if (saturn) FreeSaturnMoonTable();
    EndBusyIndicator(1);
}

void RefineMoonEvents(MoonEventSlot* table, int offset, int step) {
    if (step < 1) step = 1;
    for (int i = 0; i < kMoonEventSlots; ++i)
        if (table[i].startDay != 0) RefineSlot(&table[i], offset, step);
    std::qsort(table, kMoonEventSlots, sizeof(MoonEventSlot), CompareMoonEvents);
}

int CompareMoonEvents(const void* a, const void* b) {
    const auto* x = static_cast<const MoonEventSlot*>(a);
    const auto* y = static_cast<const MoonEventSlot*>(b);
    const int32_t pairs[4][2] = {{x->moon, y->moon},
                                 {x->startDay, y->startDay},
                                 {x->startHour, y->startHour},
                                 {x->startMinute, y->startMinute}};
    for (const auto& p : pairs) {
        const int16_t d = static_cast<int16_t>(p[0] - p[1]);
        if (d != 0) return d;
    }
    return 0;
}
