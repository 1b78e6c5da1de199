#include "orbits/flare_daylight.h"

#include "core/julian_day.h"
#include "core/rise_set.h"
#include "core/shared_state.h"
#include "ephemeris/sun_moon_rise_set.h"

namespace {

// The Sun's events of one local date, hours after its 0 h.
struct SunDay {
    double midnight;  // UT Julian day of 0 h local
    double rise, transit, set;
    unsigned events;
};

SunDay ComputeSunDay(int year, int month, int day) {
    SunDay d{};
    d.midnight = JulianDayFromDateTime(year, month, day, 0, 0, 0, currentSite.zoneMinutes);
    ComputeSunRiseSet(year, month, day, &d.rise, &d.transit, &d.set, nullptr, &d.events);
    return d;
}

// Hours after 0 h of day d at which the daylight it starts with ends: its
// first setting when it sets before it rises (or only sets), else 0 h.
double MorningDaylightEnd(const SunDay& d) {
    const bool rises = (d.events & kRiseSetRises) != 0, sets = (d.events & kRiseSetSets) != 0;
    return sets && (!rises || d.set < d.rise) ? d.set : 0.0;
}

// The daylight span that starts on day d, in hours after its 0 h: from the
// rising (or 0 h) to the first setting after it, carried into the next day
// when the Sun is still up at midnight.
void DaySpan(const SunDay& d, const SunDay& next, double* start, double* end) {
    const bool rises = (d.events & kRiseSetRises) != 0, sets = (d.events & kRiseSetSets) != 0;
    if (d.events & kRiseSetNeverUp) {
        *start = *end = d.transit;
    } else if (!rises && !(d.events & kRiseSetAlwaysUp)) {
        *start = 0.0, *end = d.set;
    } else {
        *start = rises ? d.rise : 0.0;
        *end = rises && sets && d.set > d.rise ? d.set : 24.0 + MorningDaylightEnd(next);
    }
}

}  // namespace

FlareDaylight ComputeFlareDaylight(int year, int month, int day) {
    SunDay days[kFlareDaylightSpans + 1];
    AddDaysToDate(&year, &month, &day, -1);
    for (SunDay& d : days) {
        d = ComputeSunDay(year, month, day);
        AddDaysToDate(&year, &month, &day, 1);
    }
    FlareDaylight w{};
    for (int k = 0; k < kFlareDaylightSpans; ++k) {
        double start = 0.0, end = 0.0;
        DaySpan(days[k], days[k + 1], &start, &end);
        w.start[k] = days[k].midnight + start / 24.0;
        w.end[k] = days[k].midnight + end / 24.0;
    }
    return w;
}

bool InFlareDaylight(const FlareDaylight& daylight, double jd) {
    for (int k = 0; k < kFlareDaylightSpans; ++k)
        if (jd >= daylight.start[k] && jd < daylight.end[k]) return true;
    return false;
}
