#include "assistants/planet_events.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <new>

#include "assistants/planet_assistant.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/lunation.h"
#include "platform/controls.h"
#include "platform/window.h"
#include "ui/forms.h"
#include "ui/form_controls.h"

PlannerEvent* plannerEvents = nullptr;
int32_t plannerEventCount = 0;

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kOppositionLimit = 1.0;    // heliocentric angle, degrees
constexpr double kCandidateLimit = 2.0;     // daily geocentric separation, degrees
constexpr double kConjunctionLimit = 3.0;   // refined separation, degrees
constexpr int kMercury = 2, kVenus = 3, kPluto = 9, kEarth = 10;
// Two refined entries of the same bodies and kind closer than this are one event.
constexpr double kSameEventDays = 2.0;

struct Date {
    int year, month, day;
};

Date AfterDays(Date d, int n) {
    AddDaysToDate(&d.year, &d.month, &d.day, n);
    return d;
}

void AddAt(int body1, int body2, int kind, double value, const Date& d, int hour, int minute) {
    AddPlanetEvent(0, body1, 0, body2, kind, static_cast<float>(value), d.year, d.month, d.day, hour, minute, 1, 0);
}

void AddAtInstant(int body1, int body2, int kind, double value, double jd) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    JDToCalendar(jd, &year, &month, &day, &hour, &minute, &second);
    AddAt(body1, body2, kind, value, Date{year, month, day}, hour, minute);
}

// The period in universal-time Julian days: from 0 h local time of the start
// date, `days` days long.
struct Period {
    double from, to;
    bool Holds(double jd) const { return jd >= from && jd < to; }
};

Period PeriodOf(const Date& start, int days) {
    const double from = JulianDayFromDateTime(start.year, start.month, start.day, 0, 0, 0, currentSite.zoneMinutes);
    return Period{from, from + days};
}

// The full Moons (phase 0.5, lunar eclipses) or new Moons (phase 0, solar
// eclipses) that fall in the period, and the eclipses that fall in it, also
// those of the lunations just before and just after it (an eclipse's greatest
// phase and its lunation lie minutes apart): one busy step a lunation listed.
// The lunations are walked from two before the one nearest the start date,
// which lie before the period, to the first after it.
void AddLunations(double phase, int eclipseKind, const Date& start, const Period& period) {
    for (int k = DeriveLunation(start.year, start.month, start.day, 0, 0) - 2;; ++k) {
        double kind = kEclipseNone, eclipseTime = 0;
        const double jd = ComputeLunation(phase, 1, &kind, &eclipseTime, &k, false, start.day, start.month,
                                          start.year, 0, 0, nullptr);
        if (period.Holds(jd)) {
            StepBusyIndicator(1);
            AddAtInstant(0, 0, kEventLunation, phase == 0.5 ? 100.0 : 0.0, jd);
        }
        if (kind != kEclipseNone && period.Holds(eclipseTime)) AddAtInstant(0, 0, eclipseKind, kind, eclipseTime);
        if (jd >= period.to) break;
    }
}

// One day of the scan: heliocentric directions in the ecliptic plane (unit
// vectors) and geocentric places of Mercury .. the Earth.
struct DayScan {
    Date date{};
    double x[kEarth + 1]{}, y[kEarth + 1]{};
    float place[kApproxPlanetPlaceSize]{};

    double HelioCosine(int b) const { return x[b] * x[kEarth] + y[b] * y[kEarth]; }
    double HelioAngle(int b) const { return std::acos(std::clamp(HelioCosine(b), -1.0, 1.0)) * kDegreesPerRadian; }
    // Sign of the turn from the Earth's direction to the planet's.
    double HelioCross(int b) const { return x[kEarth] * y[b] - y[kEarth] * x[b]; }
};

DayScan ScanDay(const Date& date) {
    DayScan s;
    s.date = date;
    float view[kApproxPlanetViewSize] = {};
    ComputeApproxPlanet(date.year, date.month, date.day, 0, 0, view, s.place, 2, kMercury, kEarth);
    for (int b = kMercury; b <= kEarth; ++b) {
        const double hx = view[3 * b], hy = view[3 * b + 1], r = std::sqrt(hx * hx + hy * hy);
        s.x[b] = r > 0 ? hx / r : 0;
        s.y[b] = r > 0 ? hy / r : 0;
    }
    return s;
}

// An opposition, or for Mercury and Venus an inferior conjunction with its
// conjunction with the Sun.
void AddOpposition(int b, double angle, const Date& date) {
    AddAt(b, 0, kEventOpposition, angle, date, 12, 0);
    if (b == kMercury || b == kVenus) AddAt(b, 0, kEventConjunction, angle, date, 12, 0);
}

void AddOppositions(const DayScan& s) {
    for (int b = kMercury; b <= kPluto; ++b) {
        const double angle = s.HelioAngle(b);
        if (angle < kOppositionLimit) AddOpposition(b, angle, s.date);
    }
}

// Mercury gains up to 5 degrees a day on the Earth, so a daily sample can
// straddle an inferior conjunction with neither day below the limit: a
// passage of the heliocentric longitude on the near side between the two
// days gives the same entries, on the day of the smaller angle.
void AddMissedInferiorConjunctions(const DayScan& before, const DayScan& now) {
    for (int b : {kMercury, kVenus}) {
        const double a0 = before.HelioAngle(b), a1 = now.HelioAngle(b);
        if (a0 < kOppositionLimit || a1 < kOppositionLimit) continue;
        if (before.HelioCosine(b) <= 0 || now.HelioCosine(b) <= 0) continue;
        if ((before.HelioCross(b) > 0) == (now.HelioCross(b) > 0)) continue;
        if (a0 < a1) AddOpposition(b, a0, before.date);
        else AddOpposition(b, a1, now.date);
    }
}

double Separation(const float* place, int i, int j) {
    const double ra1 = place[2 * i] * 15.0 / kDegreesPerRadian, dec1 = place[2 * i + 1] / kDegreesPerRadian;
    const double ra2 = place[2 * j] * 15.0 / kDegreesPerRadian, dec2 = place[2 * j + 1] / kDegreesPerRadian;
    const double c = std::sin(dec1) * std::sin(dec2) + std::cos(dec1) * std::cos(dec2) * std::cos(ra1 - ra2);
    return std::acos(std::clamp(c, -1.0, 1.0)) * kDegreesPerRadian;
}

void AddConjunctionCandidates(const DayScan& s) {
    for (int i = kMercury; i <= kPluto; ++i)
        for (int j = i + 1; j <= kPluto; ++j) {
            const double separation = Separation(s.place, i, j);
            if (separation < kCandidateLimit) AddAt(i, j, kEventConjunction, separation, s.date, 12, 0);
        }
}

// The days of the period and the first day after it, whose sample closes
// the last day's interval (its candidates are refined and then kept only
// when their instant falls in the period); one busy step a period day.
void ScanPlanets(const Date& start, int days) {
    DayScan before;
    for (int d = 0; d <= days; ++d) {
        const DayScan now = ScanDay(AfterDays(start, d));
        if (d < days) StepBusyIndicator(1);
        AddOppositions(now);
        if (d > 0) AddMissedInferiorConjunctions(before, now);
        AddConjunctionCandidates(now);
        before = now;
    }
}

// A body's geocentric place at the universal-time Julian day jd: the local
// clock then reads the zone's minutes later. The search's places are
// geocentric whatever the position-mode preference. At an instant the body's
// theory does not cover, the place's angles are not a number, so that every
// separation and longitude taken from it is not a number either.
BodyPosition PlaceAt(int body, double jd) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    CalendarFromJulianDay(jd + currentSite.zoneMinutes / 1440.0, &year, &month, &day, &hour, &minute, &second);
    int32_t& mode = preferences.word[kPrefPositionMode];
    const int32_t saved = mode;
    mode = 0;
    BodyPosition p{};
    if (ComputeBody(&p, body, year, month, day, hour, minute, second) != 0)
        p.ra = p.dec = p.eclipticLongitude = std::nan("");
    mode = saved;
    return p;
}

bool Covered(int body, double jd) { return !std::isnan(PlaceAt(body, jd).ra); }

double Radians(double degrees) { return degrees * M_PI / 180.0; }

// Not a number when either body has no place at jd.
double SeparationAt(int body1, int body2, double jd) {
    const BodyPosition a = PlaceAt(body1, jd), b = PlaceAt(body2, jd);
    if (std::isnan(a.ra) || std::isnan(b.ra)) return std::nan("");
    const double c = std::sin(Radians(a.dec)) * std::sin(Radians(b.dec)) +
                     std::cos(Radians(a.dec)) * std::cos(Radians(b.dec)) * std::cos(Radians(15.0 * (a.ra - b.ra)));
    return std::acos(std::clamp(c, -1.0, 1.0)) * kDegreesPerRadian;
}

// The instant (UT Julian day) of least separation near jd: the samples h
// days apart are walked towards the smaller side until the middle one is the
// least of three (at most kMinimumWalk steps, else not a number), and the
// vertex of the parabola through them is taken. A sample without a place
// ends the walk with not a number.
constexpr int kMinimumWalk = 60;

double MinimumNear(int body1, int body2, double jd, double h) {
    double s[3] = {SeparationAt(body1, body2, jd - h), SeparationAt(body1, body2, jd),
                   SeparationAt(body1, body2, jd + h)};
    for (int step = 0; !(s[1] <= s[0] && s[1] <= s[2]); ++step) {
        if (step == kMinimumWalk || std::isnan(s[0] + s[1] + s[2])) return std::nan("");
        if (s[0] < s[2]) {
            jd -= h;
            s[2] = s[1], s[1] = s[0], s[0] = SeparationAt(body1, body2, jd - h);
        } else {
            jd += h;
            s[0] = s[1], s[1] = s[2], s[2] = SeparationAt(body1, body2, jd + h);
        }
    }
    const double curvature = s[0] - 2.0 * s[1] + s[2];
    return curvature > 0 ? jd + 0.5 * h * (s[0] - s[2]) / curvature : jd;
}

// The least separation (degrees) of the entry's bodies and its Julian day
// (UT): bracketed between places a day apart from the entry's date, then
// between places two hours apart. Not a number when no minimum is found.
double LeastSeparation(const PlannerEvent& e, double* jd) {
    const double day = MinimumNear(e.body1, e.body2, JulianDayFromDate(e.year, e.month, e.day), 1.0);
    if (std::isnan(day)) return day;
    *jd = MinimumNear(e.body1, e.body2, day, 1.0 / 12.0);
    return std::isnan(*jd) ? *jd : SeparationAt(e.body1, e.body2, *jd);
}

// The ecliptic longitude of a body less the Sun's, less `offset`, in -180..180.
double LongitudeFromSun(int body, double offset, double jd) {
    const double gap = PlaceAt(body, jd).eclipticLongitude - PlaceAt(0, jd).eclipticLongitude - offset;
    return std::remainder(gap, 360.0);
}

// The instant (UT Julian day) at which the body's geocentric ecliptic
// longitude stands `offset` degrees from the Sun's (180 an opposition, 0 a
// conjunction), from three samples h days apart around jd: the root of the
// interpolating parabola (Meeus ch. 3); not a number when it lies beyond
// the samples.
double InterpolatedRoot(int body, double offset, double jd, double h) {
    const double y1 = LongitudeFromSun(body, offset, jd - h), y2 = LongitudeFromSun(body, offset, jd),
                 y3 = LongitudeFromSun(body, offset, jd + h);
    const double a = y2 - y1, b = y3 - y2, c = b - a;
    double n = 0;
    for (int i = 0; i < 20; ++i) {
        const double next = -2.0 * y2 / (a + b + c * n);
        const bool settled = !(std::fabs(next - n) >= 1e-9);  // a value that is not a number ends it too
        n = next;
        if (settled) break;
    }
    return std::fabs(n) <= 1.0 ? jd + n * h : std::nan("");
}

// The instant of the entry's opposition (inferior conjunction for Mercury
// and Venus) within a day or two of its sampled day, from places a day and
// then three hours apart; not a number when none lies there.
double OppositionInstant(const PlannerEvent& e) {
    const double offset = e.body1 == kMercury || e.body1 == kVenus ? 0.0 : 180.0;
    const double day = JulianDayFromDate(e.year, e.month, e.day);
    double near = std::nan("");
    for (double shift : {0.0, -1.0, 1.0})
        if (std::isnan(near)) near = InterpolatedRoot(e.body1, offset, day + shift, 1.0);
    if (std::isnan(near)) return near;
    const double fine = InterpolatedRoot(e.body1, offset, near, 1.0 / 8.0);
    return std::isnan(fine) ? near : fine;
}

double EventJulianDay(const PlannerEvent& e) {
    return JulianDayFromDateTime(e.year, e.month, e.day, e.hour, e.minute, 0, 0);
}

void SetInstant(PlannerEvent& e, double jd) {
    int second = 0;
    CalendarFromJulianDay(jd, &e.year, &e.month, &e.day, &e.hour, &e.minute, &second);
}

// Keeps, in order, the entries for which keep(entry, kept) is true, kept the
// number of entries kept before it (the first ones of the list by then);
// keep may change the entry it keeps.
template <typename Keep>
void KeepEvents(Keep keep) {
    if (!plannerEvents) return;
    int kept = 0;
    for (int i = 0; i < plannerEventCount; ++i)
        if (keep(plannerEvents[i], kept)) plannerEvents[kept++] = plannerEvents[i];
    plannerEventCount = kept;
}

// Leaves out the planets' events whose refined instant falls outside the
// period, and every later entry of an event already listed.
void KeepPlanetEventsOnce(const Period& period) {
    KeepEvents([&period](const PlannerEvent& e, int kept) {
        bool drop = e.body1 != 0 && !period.Holds(EventJulianDay(e));
        for (int j = 0; j < kept && !drop; ++j) {
            const PlannerEvent& o = plannerEvents[j];
            drop = o.kind == e.kind && o.body1 == e.body1 && o.body2 == e.body2 &&
                   std::fabs(EventJulianDay(o) - EventJulianDay(e)) < kSameEventDays;
        }
        return !drop;
    });
}

}  // namespace

int EventPeriodDays(int period) {
    static const int kDays[4] = {30, 90, 180, 370};
    return period >= 0 && period < 4 ? kDays[period] : kDays[0];
}

void AddPlanetEvent(int keyA, int body1, int keyB, int body2, int kind, float value, int year, int month, int day,
                    int hour, int minute, int flagA, int flagB) {
    if (!plannerEvents) {
        plannerEvents = new (std::nothrow) PlannerEvent[kPlannerEventCapacity]();
        plannerEventCount = 0;
        if (!plannerEvents) return;
    }
    if (plannerEventCount >= kPlannerEventCapacity) return;
    for (int i = std::max(plannerEventCount - 3, 0); i < plannerEventCount; ++i) {
        PlannerEvent& e = plannerEvents[i];
        if (body1 == 0 || e.keyA != keyA || e.body1 != body1 || e.keyB != keyB || e.body2 != body2 || e.kind != kind)
            continue;
        if (e.value > value) {
            e.value = value;
            e.year = year, e.month = month, e.day = day, e.hour = hour, e.minute = minute;
        }
        return;
    }
    plannerEvents[plannerEventCount++] =
        PlannerEvent{keyA, body1, keyB, body2, kind, value, year, month, day, hour, minute, flagA, flagB};
}

void FreeEventList() {
    delete[] plannerEvents;
    plannerEvents = nullptr;
    plannerEventCount = 0;
    eventFilter = 0;
}

int ComparePlanetEvents(const PlannerEvent* a, const PlannerEvent* b) {
    if (eventFilter > 0 && a->kind != b->kind) return a->kind < b->kind ? -1 : 1;
    if (a->year != b->year) return a->year < b->year ? -1 : 1;
    if (a->month != b->month) return a->month < b->month ? -1 : 1;
    if (a->day != b->day) return a->day < b->day ? -1 : 1;
    return 0;
}

bool EventPassesFilter(int kind, int filter) {
    switch (filter) {
    case 0: return true;
    case 1: return kind == kEventConjunction;
    case 2: return kind == kEventLunation;
    case 3: return kind == kEventOpposition;
    case 4: return kind == kEventLunarEclipse || kind == kEventSolarEclipse;
    default: return false;
    }
}

void SortPlanetEvents() {
    if (plannerEvents && plannerEventCount > 1)
        std::stable_sort(plannerEvents, plannerEvents + plannerEventCount,
                         [](const PlannerEvent& a, const PlannerEvent& b) { return ComparePlanetEvents(&a, &b) < 0; });
    if (PlanetAssistantControlsShown())
        SetListItems(pl::GetDlgItem(GetCurrentFormDialog(), kEventList), nullptr, FilteredEventCount());
}

int FirstFilteredEventIndex() {
    if (eventFilter == 0 || !plannerEvents) return 0;
    int i = 0;
    while (i < plannerEventCount && !EventPassesFilter(plannerEvents[i].kind, eventFilter)) ++i;
    return i;
}

int FilteredEventCount() {
    int n = 0;
    for (int i = 0; plannerEvents && i < plannerEventCount; ++i) n += EventPassesFilter(plannerEvents[i].kind, eventFilter);
    return n;
}

void RefinePlanetConjunctions() {
    KeepEvents([](PlannerEvent& e, int) {
        if (e.kind != kEventConjunction) return true;
        double jd = 0;
        const double separation = LeastSeparation(e, &jd);
        if (!(separation < kConjunctionLimit)) return false;
        e.value = static_cast<float>(separation);
        SetInstant(e, jd);
        return true;
    });
}

void RefinePlanetOppositions() {
    KeepEvents([](PlannerEvent& e, int) {
        if (e.kind != kEventOpposition) return true;
        if (!Covered(e.body1, EventJulianDay(e))) return false;
        const double jd = OppositionInstant(e);
        if (!std::isnan(jd)) SetInstant(e, jd);
        return true;
    });
}

void RunPlanetEventSearch(int year, int month, int day, int days) {
    const Date start{year, month, day};
    const Period period = PeriodOf(start, days);
    AddLunations(0.5, kEventLunarEclipse, start, period);
    AddLunations(0.0, kEventSolarEclipse, start, period);
    SortPlanetEvents();
    ScanPlanets(start, days);
    RefinePlanetOppositions();
    RefinePlanetConjunctions();
    KeepPlanetEventsOnce(period);
    SortPlanetEvents();
    EndBusyIndicator(0);
}
