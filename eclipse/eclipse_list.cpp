#include "eclipse/eclipse_list.h"

#include <cmath>
#include <new>

#include "core/delta_t.h"
#include "core/eclipse_work.h"
#include "core/interpolation.h"
#include "core/julian_day.h"
#include "core/nutation.h"
#include "core/services.h"
#include "eclipse/eclipse_path.h"
#include "eclipse/local_eclipse.h"
#include "eclipse/lunar_eclipse.h"
#include "ephemeris/eclipse_sources.h"
#include "ephemeris/lunation.h"

const char eclipseKindNames[5][10] = {"", "Penumbral", "Partial", "Annular", "Total"};

EclipseEvent* eclipseList = nullptr;
int eclipseCount = 0;
int listStartYear = -1;
int listStartMonth = 1;
int listStartDay = 1;
int selectedEclipse = -1;
int eclipseSeparationSearches = 0;

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kHourInCenturies = 1.1407711613050422e-6;
constexpr double kArcsecondsToRadians = 1 / 3600.0 * 0.0174532925199433;

void SetEventTime(EclipseEvent* e, double jd) {
    JDToCalendar(jd, &e->year, &e->month, &e->day, &e->hour, &e->minute, &e->second);
}

// Julian day of the record's date and time (UT), with whole seconds of Delta T
// added when `dynamical`.
double EventJulianDay(const EclipseEvent& e, bool dynamical) {
    int extra = dynamical ? static_cast<int>(ComputeDeltaT(e.year, e.month, e.day)) : 0;
    return JulianDayFromDateTime(e.year, e.month, e.day, e.hour, e.minute, e.second + extra, 0);
}

// Tests both phases of lunation k; stores what it finds. Returns the new count.
int TestLunation(EclipseEvent* list, int found, int k, int year, int month, int day) {
    for (double phase : {0.0, 0.5}) {
        double kind = kEclipseNone, greatest = 0;
        LunarEclipseContacts c{};
        int lunation = k;
        double jd = ComputeLunation(phase, 1, &kind, &greatest, &lunation, false, day, month, year, 0, 0,
                                    phase == 0.5 ? &c : nullptr);
        if (kind == kEclipseNone || found >= kEclipseListCapacity) continue;
        EclipseEvent& e = list[found++];
        e.type = phase == 0.0 ? 1 : 0;
        e.kind = kind;
        e.closestSeparation = -1;
        SetEventTime(&e, jd);
        if (phase == 0.5) e.durationSeconds = LunarPhaseDurationSeconds(c.p1, c.u1, c.u2, c.u3, c.u4, c.p4);
    }
    return found;
}

}  // namespace

const char* EclipseKindName(double kind) {
    int k = static_cast<int>(kind);
    return k >= 0 && k < 5 ? eclipseKindNames[k] : "";
}

void FreeEclipseList() {
    delete[] eclipseList;
    eclipseList = nullptr;
    eclipseCount = 0;
}

int LunarPhaseDurationSeconds(double p1, double u1, double u2, double u3, double u4, double p4) {
    double d = u3 > 0 ? u3 - u2 : u4 > 0 ? u4 - u1 : p4 - p1;
    return static_cast<int>(std::fmod((d + 1) * 24, 24.0) * 3600);
}

int BuildEclipseList(EclipseEvent** list, int count, int year, int month, int day) {
    delete[] *list;
    *list = nullptr;
    if (count < 1 || count >= kEclipseListCapacity) {
        ShowInformation("Can't build the eclipse list", "");
        return 0;
    }
    EclipseEvent* events = new (std::nothrow) EclipseEvent[kEclipseListCapacity]();
    if (!events) {
        ShowInformation("Can't allocate memory for the eclipse list", "");
        return 0;
    }
    int k = 0;
    ComputeLunation(0.0, 0, nullptr, nullptr, &k, true, day, month, year, 0, 0, nullptr);
    int found = 0;
    while (found < count) {
        StepBusyIndicator(1);
        found = TestLunation(events, found, k, year, month, day);
        ++k;
    }
    EndBusyIndicator(1);
    *list = events;
    return found;
}

void FindSolarGreatestEclipse(EclipseEvent* e) {
    SelectSunMoonSource(0);
    SetEclipseLocalTime(e->year, e->month, e->day, e->hour, e->minute, e->second);
    const double t = (EventJulianDay(*e, true) - kJ2000) / kDaysPerCentury, jd = EventJulianDay(*e, false);
    double times[3], sunRa[3], sunDec[3], moonRa[3], moonDec[3], distance;
    for (int i = 0; i < 3; ++i) {
        times[i] = jd + (i - 1) / 24.0;
        ComputeEclipseSun(t + (i - 1) * kHourInCenturies, &sunRa[i], &sunDec[i], &distance);
        ComputeEclipseMoon(t + (i - 1) * kHourInCenturies, &moonRa[i], &moonDec[i], &distance);
    }
    double separation = 0, greatest = jd;
    FindMinimumSeparation(times, sunRa, sunDec, moonRa, moonDec, &separation, &greatest);
    ++eclipseSeparationSearches;
    SetEventTime(e, greatest);
    e->closestSeparation = static_cast<int>(std::fabs(separation));
}

void PrepareSolarEclipse(EclipseEvent* e, double* latitude, double* longitude) {
    const double deltaT = ComputeDeltaT(e->year, e->month, e->day);
    BuildBesselianElements(&besselianElements, e->year, e->month, e->day, BesselianReferenceHour(e->hour, e->minute));
    double duration = 0, width = 0;
    ComputeCentralLinePoint(besselianElements, e->hour + e->minute / 60.0 + e->second / 3600.0, deltaT, latitude,
                            longitude, &duration, &width);
    const bool central = std::isfinite(*latitude) && std::isfinite(*longitude) && std::isfinite(duration);
    if (!central) *latitude = *longitude = 0;

    double start = 0, end = 0, span = 1.0 / 0.2 - 0.25;  // one hour a step without a central shadow
    if (ComputeShadowStartEnd(besselianElements, deltaT, &start, &end) && end > start) span = end - start;
    const double step = (span + 0.25) * 0.2 / 24 / kDaysPerCentury;
    const double tg = (EventJulianDay(*e, true) - kJ2000) / kDaysPerCentury;
    double nutationLongitude = 0, nutationObliquity = 0;
    ComputeNutationSeries(tg, &nutationLongitude, &nutationObliquity);
    BuildSunInterpCache(tg - 2 * step, step, nutationLongitude * kArcsecondsToRadians);
    BuildMoonInterpCache(tg - 2 * step, step, nutationLongitude * kArcsecondsToRadians);
    // The views' value without the half second that rounds it, truncated.
    e->durationSeconds = central ? static_cast<int>(CentralDurationAtGreatest(*e) - 0.5) : 0;
}

double CentralDurationAtGreatest(const EclipseEvent& e) {
    SelectSunMoonSource(1);
    LocalEclipseResult r{};
    if (!ComputeUmbraEllipseAt(&r, e.year, e.month, e.day, e.hour, e.minute, e.second)) return 0;
    return r.centralDuration;
}

void CompleteLunarEclipse(EclipseEvent* e) {
    double separation = 0;
    double jd = FindGreatestLunarEclipse(e->year, e->month, e->day, e->hour, e->minute, e->second, &separation);
    ++eclipseSeparationSearches;
    e->closestSeparation = static_cast<int>(std::fabs(separation));
    SetEventTime(e, jd);
}
