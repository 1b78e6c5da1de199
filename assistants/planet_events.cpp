#include "assistants/planet_events.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "assistants/planet_assistant.h"
#include "core/interpolation.h"
#include "core/julian_day.h"
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

// The full Moons (phase 0.5, lunar eclipses) or new Moons (phase 0, solar
// eclipses) of the period: one lunation per 30 days from the lunation the
// lunation routine picks for the start date.
void AddLunations(double phase, int eclipseKind, const Date& start, int days) {
    int k = 0;
    for (int i = 0; i < days; i += 30) {
        double kind = kEclipseNone, eclipseTime = 0;
        const double jd = ComputeLunation(phase, 1, &kind, &eclipseTime, &k, i == 0, start.day, start.month,
                                          start.year, 0, 0, nullptr);
        StepBusyIndicator(1);
        AddAtInstant(0, 0, kEventLunation, phase == 0.5 ? 100.0 : 0.0, jd);
        if (kind != kEclipseNone) AddAtInstant(0, 0, eclipseKind, kind, eclipseTime);
        ++k;
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

void ScanPlanets(const Date& start, int days) {
    DayScan before;
    for (int d = 0; d < days; ++d) {
        const DayScan now = ScanDay(AfterDays(start, d));
        StepBusyIndicator(1);
        AddOppositions(now);
        if (d > 0) AddMissedInferiorConjunctions(before, now);
        AddConjunctionCandidates(now);
        before = now;
    }
}

// Right ascension and declination (radians) of a body at 0 h universal time
// of a date: the local clock then reads the zone's minutes past midnight.
void PlaceAtUniversalMidnight(int body, const Date& d, double* ra, double* dec) {
    int year = d.year, month = d.month, day = d.day, hour = 0, minute = 0;
    AddMinutesToDateTime(&year, &month, &day, &hour, &minute, currentSite.zoneMinutes);
    BodyPosition p{};
    ComputeBody(&p, body, year, month, day, hour, minute, 0);
    *ra = p.ra * M_PI / 12.0;
    *dec = p.dec * M_PI / 180.0;
}

// The least separation (degrees) of the entry's bodies and its Julian day (UT).
double LeastSeparation(const PlannerEvent& e, double* jd) {
    double t[3], ra1[3], dec1[3], ra2[3], dec2[3];
    for (int k = 0; k < 3; ++k) {
        const Date d = AfterDays(Date{e.year, e.month, e.day}, k - 1);
        t[k] = JulianDayFromDate(d.year, d.month, d.day);
        PlaceAtUniversalMidnight(e.body1, d, &ra1[k], &dec1[k]);
        PlaceAtUniversalMidnight(e.body2, d, &ra2[k], &dec2[k]);
    }
    double arcseconds = 0;
    FindMinimumSeparation(t, ra1, dec1, ra2, dec2, &arcseconds, jd);
    return arcseconds / 3600.0;
}

void RemoveEvent(int index) {
    std::memmove(plannerEvents + index, plannerEvents + index + 1,
                 sizeof(PlannerEvent) * static_cast<std::size_t>(plannerEventCount - index - 1));
    --plannerEventCount;
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
    for (int i = 0; plannerEvents && i < plannerEventCount;) {
        PlannerEvent& e = plannerEvents[i];
        if (e.kind != kEventConjunction) {
            ++i;
            continue;
        }
        double jd = 0;
        const double separation = LeastSeparation(e, &jd);
        if (!(separation < kConjunctionLimit)) {
            RemoveEvent(i);
            continue;
        }
        int second = 0;
        e.value = static_cast<float>(separation);
        CalendarFromJulianDay(jd, &e.year, &e.month, &e.day, &e.hour, &e.minute, &second);
        ++i;
    }
}

void RunPlanetEventSearch(int year, int month, int day, int days) {
    const Date start{year, month, day};
    AddLunations(0.5, kEventLunarEclipse, start, days);
    AddLunations(0.0, kEventSolarEclipse, start, days);
    SortPlanetEvents();
    ScanPlanets(start, days);
    RefinePlanetConjunctions();
    SortPlanetEvents();
    EndBusyIndicator(0);
}
