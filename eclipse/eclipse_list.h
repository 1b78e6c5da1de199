// The list of coming eclipses: its records, the kind names and the list state
// kept by the eclipse form for the whole run, the walk over lunations that
// fills it and the refinement of the selected event. Times are universal time.
#pragma once

#include <cstdint>

#include "eclipse/besselian.h"

// One eclipse of the list.
struct EclipseEvent {
    int32_t type;  // 1 solar, 0 lunar; anything else is an unknown event
    double kind;   // 1 Penumbral, 2 Partial, 3 Annular, 4 Total (ComputeLunation's kinds)
    int32_t year, month, day, hour, minute, second;  // the new or full Moon; after completion
                                                     // the greatest eclipse
    int32_t durationSeconds;    // lunar: deepest phase; solar: central duration once completed
    int32_t closestSeparation;  // -1 until completed, then whole arcseconds (solar: Sun and
                                // Moon centres; lunar: Moon and shadow centres)
};

// "", "Penumbral", "Partial", "Annular", "Total", indexed by the truncated kind.
extern const char eclipseKindNames[5][10];

// The kind name of a record; "" for a kind outside 0..4.
const char* EclipseKindName(double kind);

constexpr int kEclipseListCapacity = 15;

extern EclipseEvent* eclipseList;  // kEclipseListCapacity records, or null
extern int eclipseCount;
extern int listStartYear;  // -1 until the form first opens
extern int listStartMonth;
extern int listStartDay;
extern int selectedEclipse;  // -1 for none

// Frees the array (pointer null) and sets the count to 0.
void FreeEclipseList();

// Replaces *list by a new zero-filled array of kEclipseListCapacity records and
// fills it with the eclipses of the lunations from the one of the start date on
// (new Moon before full Moon), until at least `count` are stored (both phases of
// a lunation are tested, so count + 1 may be). Returns the number stored; 0 with a
// message (and *list null) when the array cannot be had or count is outside
// 1..kEclipseListCapacity - 1.
int BuildEclipseList(EclipseEvent** list, int count, int year, int month, int day);

// Seconds of a lunar eclipse's deepest phase from its contacts (Julian days):
// U3 - U2 with a total phase, else U4 - U1 with a partial one, else P4 - P1.
int LunarPhaseDurationSeconds(double p1, double u1, double u2, double u3, double u4, double p4);

// Number of separation searches the solar and lunar completions have run.
extern int eclipseSeparationSearches;

// The greatest eclipse of a solar record not yet completed: the least geocentric
// separation of the Sun's and the Moon's centres (full series) over the hour
// before and after the record's time; sets the date and time (truncated to the
// second; an instant past midnight moves the date) and closestSeparation.
void FindSolarGreatestEclipse(EclipseEvent* event);

// What the solar views need of a completed solar record: besselianElements for
// the whole hour nearest to greatest eclipse, the central line's point at
// greatest eclipse (latitude, west longitude; 0, 0 when the shadow axis misses
// the Earth), the Sun and Moon interpolation caches around greatest eclipse (the
// span of the shadow axis on the Earth in five steps; one hour a step when it
// never meets the Earth), selected, and durationSeconds: CentralDurationAtGreatest
// truncated to whole seconds (0 without a central line).
void PrepareSolarEclipse(EclipseEvent* event, double* latitude, double* longitude);

// The central duration (seconds, 0.5 added for rounding) at a solar record's
// greatest eclipse: that of the umbra at its date and time (ComputeUmbraEllipseAt,
// the second to the third contact at the shadow's centre), from the interpolated
// Sun and Moon, which it selects; 0 without a central shadow then. The list (its
// durationSeconds), the Info view at that time, the Diagram and the Path view all
// show this one value.
double CentralDurationAtGreatest(const EclipseEvent& event);

// The greatest eclipse of a lunar record not yet completed (FindGreatestLunarEclipse):
// sets the date and time and closestSeparation.
void CompleteLunarEclipse(EclipseEvent* event);
