#include "orbits/flare_daylight.h"

#include "core/julian_day.h"
#include "core/shared_state.h"
#include "ephemeris/sun_moon_rise_set.h"

namespace {

// The Sun's crossings of one local date, hours after its 0 h.
struct SunDay {
    double midnight;  // UT Julian day of 0 h local
    DayCrossings crossings;
};

SunDay ComputeSunDay(int year, int month, int day) {
    SunDay d{};
    d.midnight = JulianDayFromDateTime(year, month, day, 0, 0, 0, currentSite.zoneMinutes);
    ComputeSunDayCrossings(year, month, day, &d.crossings);
    return d;
}

// Hours after 0 h of day d at which the daylight it starts with ends: its
// first crossing when that is a setting, else 0 h.
double MorningDaylightEnd(const SunDay& d) {
    const DayCrossings& c = d.crossings;
    return c.count > 0 && !c.rising[0] ? c.hours[0] : 0.0;
}

// The daylight span that starts on day d, in hours after its 0 h: from its
// first rising (or 0 h when it has none and the Sun is up then) to the
// setting after it, carried into the next day when the Sun is still up at
// midnight. Of a day with two settings, the one after its rising ends it.
void DaySpan(const SunDay& d, const SunDay& next, double* start, double* end) {
    const DayCrossings& c = d.crossings;
    int rising = 0;
    while (rising < c.count && !c.rising[rising]) ++rising;
    if (rising < c.count) {
        *start = c.hours[rising];
        *end = rising + 1 < c.count ? c.hours[rising + 1] : 24.0 + MorningDaylightEnd(next);
    } else if (c.upAtStart) {  // up at 0 h without a rising: to its setting, or on through the day
        *start = 0.0;
        *end = c.count > 0 ? c.hours[0] : 24.0 + MorningDaylightEnd(next);
    } else {  // down all day
        *start = *end = c.transit;
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
