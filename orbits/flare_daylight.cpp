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

// Hours before 0 h of day d (negative) at which the daylight it starts with
// began: the day before's last crossing when that is a rising, else 0 h.
double EveningDaylightStart(const SunDay& previous) {
    const DayCrossings& c = previous.crossings;
    return c.count > 0 && c.rising[c.count - 1] ? c.hours[c.count - 1] - 24.0 : 0.0;
}

// The daylight that holds the Sun's transit of day d, in hours after its 0 h:
// from the rising before the transit (carried back into the day before when
// the Sun is up at midnight) to the setting after it (carried into the next
// day when it is still up at midnight). Of a day with two settings or two
// risings, the two about the transit bound it; the other one's daylight is
// the day before's or the next day's. Where the Sun is down at the transit
// (near a pole, where the transit means little), from the rising after it;
// empty at the transit when there is none.
void DaySpan(const SunDay& previous, const SunDay& d, const SunDay& next, double* start, double* end) {
    const DayCrossings& c = d.crossings;
    int k = 0;  // crossings before the transit
    while (k < c.count && c.hours[k] <= c.transit) ++k;
    if (k > 0 ? c.rising[k - 1] : c.upAtStart) {
        *start = k > 0 ? c.hours[k - 1] : EveningDaylightStart(previous);
    } else if (k < c.count) {
        *start = c.hours[k++];
    } else {
        *start = *end = c.transit;
        return;
    }
    *end = k < c.count ? c.hours[k] : 24.0 + MorningDaylightEnd(next);
}

}  // namespace

FlareDaylight ComputeFlareDaylight(int year, int month, int day) {
    SunDay days[kFlareDaylightSpans + 2];  // from the day before the first span's
    AddDaysToDate(&year, &month, &day, -2);
    for (SunDay& d : days) {
        d = ComputeSunDay(year, month, day);
        AddDaysToDate(&year, &month, &day, 1);
    }
    FlareDaylight w{};
    for (int k = 0; k < kFlareDaylightSpans; ++k) {
        const SunDay& d = days[k + 1];
        double start = 0.0, end = 0.0;
        DaySpan(days[k], d, days[k + 2], &start, &end);
        w.start[k] = d.midnight + start / 24.0;
        w.end[k] = d.midnight + end / 24.0;
    }
    return w;
}

bool InFlareDaylight(const FlareDaylight& daylight, double jd) {
    for (int k = 0; k < kFlareDaylightSpans; ++k)
        if (jd >= daylight.start[k] && jd < daylight.end[k]) return true;
    return false;
}
