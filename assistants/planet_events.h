// The planets assistant's event list: full and new Moons with the eclipses
// that fall on them, oppositions of the outer planets, inferior conjunctions
// of Mercury and Venus, and close conjunctions of two planets (or of Mercury
// or Venus with the Sun) over a period that starts at the assistant's date.
// The list is kept for the whole run until FreeEventList.
//
// Instants, universal time: lunations and eclipses as ComputeLunation gives
// them (Meeus ch. 49 and 54); conjunctions at the least geocentric separation
// and oppositions and inferior conjunctions in ecliptic longitude, both from
// geocentric ComputeBody places around the candidates that the daily scan of
// the approximate planets (ephemeris/approx_planets.h, 0 h local time) finds.
#pragma once

#include <cstdint>

// Kinds of PlannerEvent.
enum PlannerEventKind {
    kEventOpposition = 1,  // inferior conjunction for Mercury and Venus
    kEventConjunction = 2,
    kEventLunation = 3,
    kEventLunarEclipse = 5,
    kEventSolarEclipse = 6,
};

// One event, thirteen 32-bit words.
struct PlannerEvent {
    int32_t keyA;    // 0 for every event of the search
    int32_t body1;   // BodyIndex; 0 for lunations and eclipses
    int32_t keyB;    // 0 for every event of the search
    int32_t body2;   // BodyIndex; 0 when none (also the Sun of a Mercury or Venus conjunction)
    int32_t kind;    // PlannerEventKind
    float value;     // kinds 1, 2: separation in degrees; 3: 100 full, 0 new; 5, 6: eclipse kind
    int32_t year;
    int32_t month;
    int32_t day;
    int32_t hour;
    int32_t minute;
    int32_t flagA;   // 1 from every producer
    int32_t flagB;   // 0 from every producer
};

constexpr int kPlannerEventCapacity = 100;

// The list: null until the first add, room for kPlannerEventCapacity records.
extern PlannerEvent* plannerEvents;
extern int32_t plannerEventCount;

// Days of the period popup's rows 0..3: 30, 90, 180, 370 (30 for any other row).
int EventPeriodDays(int period);

// Appends one event, allocating the list on first use. A full list drops it.
// When one of the last three entries has the same keys, bodies and kind and
// body1 is not 0, nothing is added: that entry takes the new value, date and
// time when its value is greater, else stays as it is.
void AddPlanetEvent(int keyA, int body1, int keyB, int body2, int kind, float value, int year, int month, int day,
                    int hour, int minute, int flagA, int flagB);

// Releases the list; the count and eventFilter become 0.
void FreeEventList();

// Order of the list: with eventFilter above 0 first by kind ascending; then by
// year, month and day ascending (hour and minute do not count). qsort's sign.
int ComparePlanetEvents(const PlannerEvent* a, const PlannerEvent* b);

// Sorts the list and gives the event list control (when form 2450 shows it)
// the number of rows that pass the filter.
void SortPlanetEvents();

// True when an event of `kind` passes filter row `filter`.
bool EventPassesFilter(int kind, int filter);

// Index of the first entry that passes eventFilter: 0 when the filter is 0 or
// the list is empty, the count when none passes. Valid on a sorted list.
int FirstFilteredEventIndex();

// Number of entries that pass eventFilter (all of them with filter 0).
int FilteredEventCount();

// Fills the empty list for the `days` days from 0 h local time of the date:
// the full and new Moons and eclipses that fall in them, then the daily scan
// of the planets, the refinement of the oppositions and conjunctions, and the
// planets' events kept once each and only when their instant falls in the
// period; sorted at the end. Steps the busy indicator once per lunation
// listed and per day and ends it.
void RunPlanetEventSearch(int year, int month, int day, int days);

// Refines every conjunction (kind 2) of the list in list order: its value
// becomes the least geocentric separation in degrees and its date and time
// (universal time) that instant when below 3 degrees; an entry at 3 degrees
// or more, with no minimum within 60 days, or reaching a date the planets'
// theory does not cover (ComputeBody refuses it), is removed. The minimum is
// bracketed between places a day apart (walking from the entry's date), then
// between places two hours apart, each time at the vertex of the parabola
// through the three separations; its separation is that of the places at
// that instant.
void RefinePlanetConjunctions();

// Dates every opposition (kind 1) at its instant (universal time): the
// geocentric ecliptic longitude 180 degrees from the Sun's, or for Mercury
// and Venus equal to it (inferior conjunction), by inverse interpolation of
// places a day and then three hours apart around the entry's date (Meeus
// ch. 3). An entry with no such instant within two days keeps its date; one
// whose planet has no place on its date (outside the theory's years) is
// removed.
void RefinePlanetOppositions();
