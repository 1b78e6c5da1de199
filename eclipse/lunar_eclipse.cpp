#include "eclipse/lunar_eclipse.h"

#include <limits>
#include <numbers>

#include "core/delta_t.h"
#include "core/eclipse_work.h"
#include "core/interpolation.h"
#include "core/julian_day.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/local_eclipse.h"
#include "ephemeris/eclipse_sources.h"

namespace {
constexpr double kTwoHoursInCenturies = 2.2815423226100845e-6;
}

double FindGreatestLunarEclipse(int year, int month, int day, int hour, int minute, int second,
                                double* separation) {
    const double jd0 = JulianDayFromDateTime(year, month, day, hour - 4, minute, second, 0);
    const double deltaT = ComputeDeltaT(year, month, day);
    const double t0 = (jd0 + deltaT / 86400 - 2451545.0) / 36525;
    SelectSunMoonSource(0);
    SetEclipseLocalTime(year, month, day, hour, minute, second);
    double times[3], shadowRa[3], shadowDec[3], moonRa[3], moonDec[3], distance;
    for (int i = 0; i < 3; ++i) {
        times[i] = jd0 + i / 12.0;
        const double t = t0 + i * kTwoHoursInCenturies;
        ComputeEclipseSun(t, &shadowRa[i], &shadowDec[i], &distance);
        shadowRa[i] += std::numbers::pi;
        shadowDec[i] = -shadowDec[i];
        ComputeEclipseMoon(t, &moonRa[i], &moonDec[i], &distance);
    }
    double greatest = times[2];
    *separation = 0;
    FindMinimumSeparation(times, shadowRa, shadowDec, moonRa, moonDec, separation, &greatest);
    return greatest;
}

void ComputeLunarEclipseContacts(const EclipseEvent& e, LunarEclipseContacts* contacts) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    *contacts = LunarEclipseContacts{nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan};
    double kind = kEclipseNone, greatest = 0;
    int k = 0;
    ComputeLunation(0.5, 1, &kind, &greatest, &k, true, e.day - 15, e.month, e.year, 0, 0, contacts);
}
