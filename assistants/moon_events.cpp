#include "assistants/moon_events.h"

#include <algorithm>
#include <cmath>
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
constexpr int kDayMinutes = 1440;
// How far an end is sought from the sample that saw the event: longer than
// any of these events lasts (Titan's, the longest, about 6 1/4 hours).
constexpr int kRefineReachMinutes = 720;
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
    const int steps = std::max(0, kRefineReachMinutes - offset) / step;
    PlanetDetailDate t{};
    for (int n = 1; n <= steps; ++n) {
        if (StateAt(mode, slot->moon, startHour, startMinute, -(offset + n * step), &t) != slot->kind) break;
        slot->startDay = t.day, slot->startHour = t.hour, slot->startMinute = t.minute;
    }
    for (int n = 1; n <= steps; ++n) {
        const bool same = StateAt(mode, slot->moon, endHour, endMinute, offset + n * step, &t) == slot->kind;
        slot->endDay = t.day, slot->endHour = t.hour, slot->endMinute = t.minute;
        if (!same) break;
    }
}

// The slot of a run of state s of moon m beginning at a sample: its own,
// 5 m + s - 1, while that is free; else (the state seen again in one passage
// of the moon, as a shadow on either side of a transit with its shadow) the
// first free one; else its own, which the run then extends.
int RunSlot(int m, int s) {
    const int own = kKinds * m + s - 1;
    if (planetMoonState[own].startDay == 0) return own;
    for (int i = 0; i < kMoonEventSlots; ++i)
        if (planetMoonState[i].startDay == 0) return i;
    return own;
}

// The runs in progress at the last sample: each moon's state and its slot.
struct Runs {
    int32_t state[kMoons] = {};
    int slot[kMoons] = {};
};

void Record(const PlanetDetailDate& t, const int32_t states[kMoons], Runs* runs) {
    for (int m = 0; m < kMoons; ++m) {
        const int s = states[m];
        const bool known = s >= 1 && s <= kKinds;
        if (s != 0 && !known) ShowInformation("Bad event", "");
        if (!known) {
            runs->state[m] = 0;
            continue;
        }
        if (s != runs->state[m]) {
            runs->state[m] = s;
            runs->slot[m] = RunSlot(m, s);
            MoonEventSlot& slot = planetMoonState[runs->slot[m]];
            if (slot.startDay == 0) slot = MoonEventSlot{m, s, t.day, t.hour, t.minute, 0, 0, 0};
        }
        MoonEventSlot& slot = planetMoonState[runs->slot[m]];
        slot.endDay = t.day, slot.endHour = t.hour, slot.endMinute = t.minute;
    }
}

// The Saturn table from the reach before local midnight to the reach after
// the day's end, so that no refined minute lies beyond its nodes.
void BuildSearchTable(double midnight) {
    const double first = midnight - kRefineReachMinutes / 1440.0;
    const double span = (kDayMinutes + 2 * kRefineReachMinutes) / 1440.0;
    const int nodes = static_cast<int>(std::ceil(span / kSaturnTableStep)) + 1;
    BuildSaturnMoonTable(first, kSaturnTableStep, kSaturnBody, nodes);
}

// The minute after m at which the day is sampled: `step` on, or the day's
// last minute where the step would pass it, then one past the day.
int NextSample(int m, int step) { return m == kDayMinutes - 1 ? kDayMinutes : std::min(m + step, kDayMinutes - 1); }

// The day's samples: every `step` minutes from 00:00 and its last minute,
// 23:59, so that an event in progress at either end of the day is seen.
void SampleDay(int mode, const PlanetDetailDate& date, double midnight, int step) {
    Runs runs;
    for (int m = 0; m < kDayMinutes; m = NextSample(m, step)) {
        StepBusyIndicator(1);
        PlanetDetailDate t{date.year, date.month, date.day, 0, 0};
        AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, m);
        int32_t states[kMoons];
        GetMoonEventStates(mode, t, midnight + m / 1440.0, states);
        Record(t, states, &runs);
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
    const double midnight = SearchJulianDay(PlanetDetailDate{date.year, date.month, date.day, 0, 0});
    const bool saturn = mode == kSaturnMode;
    if (saturn) BuildSearchTable(midnight);
    SampleDay(mode, date, midnight, saturn ? 7 : 12);
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

namespace {

// The order of two start days of one table (0 for an empty slot). A table's
// days lie within a day of the searched one, so two filled days further apart
// meet across a month's end, where the later day has the smaller number.
int CompareStartDays(int32_t a, int32_t b) {
    const int16_t d = static_cast<int16_t>(a - b);
    return a != 0 && b != 0 && std::abs(d) > 1 ? -d : d;
}

}  // namespace

int CompareMoonEvents(const void* a, const void* b) {
    const auto* x = static_cast<const MoonEventSlot*>(a);
    const auto* y = static_cast<const MoonEventSlot*>(b);
    if (const int16_t d = static_cast<int16_t>(x->moon - y->moon)) return d;
    if (const int d = CompareStartDays(x->startDay, y->startDay)) return d;
    const int32_t pairs[2][2] = {{x->startHour, y->startHour}, {x->startMinute, y->startMinute}};
    for (const auto& p : pairs) {
        const int16_t d = static_cast<int16_t>(p[0] - p[1]);
        if (d != 0) return d;
    }
    return 0;
}
