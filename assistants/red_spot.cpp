#include "assistants/red_spot.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "ephemeris/jupiter_central_meridian.h"
#include "tools/edit_date_time.h"

namespace {

constexpr double kAltitudeLimit = 10.0;  // degrees, Jupiter above and the Sun below minus it
constexpr double kLongitudeStep = 0.2;   // degrees
constexpr int kMaxFitSteps = 1800;       // a whole turn of 0.2-degree steps

// The fit's state: the transit index followed, the observed minute of the day.
struct Fit {
    int year, month, day, index, target;
    double start;
    int k = 0;  // steps of 0.2 degrees from the start
    int steps = 0;

    int Difference() const {
        int hours[3], minutes[3];
        ComputeJupiterCentralMeridian(year, month, day, hours, minutes);
        return std::abs(target - (hours[index] * 60 + minutes[index]));
    }
    double Longitude() const { return start + kLongitudeStep * k; }
    int Move(int by) {
        k += by;
        ++steps;
        preferences.SetFloat(kPrefGrsLongitude, static_cast<float>(Longitude()));
        return Difference();
    }
};

void StepBackPastBest(Fit* fit, int previous) {
    while (fit->steps < kMaxFitSteps) {
        const int d = fit->Move(-1);
        if (d > previous || d == 0) return;
        previous = d;
    }
}

void ShowLongitude(double longitude) {
    // A hair above the value, so that 123 reached by 0.2-degree steps does not read 122.9.
    const double v = longitude + 1e-4;
    const int whole = static_cast<int>(v);
    const int tenth = static_cast<int>(std::fabs(v - whole) * 10);
    char text[64];
    std::snprintf(text, sizeof text, "Red Spot longitude %d.%d", whole, tenth);
    ShowInformation(text, "");
}

}  // namespace

int RedSpotSkyOf(double jupiterAltitude, double sunAltitude) {
    if (sunAltitude >= -kAltitudeLimit) return kRedSpotSunUp;
    return jupiterAltitude > kAltitudeLimit ? kRedSpotVisible : kRedSpotJupiterDown;
}

int ListRedSpotTransits(const PlanetDetailDate& day, const int hours[3], const int minutes[3],
                        const BodyPosition& jupiter, const BodyPosition& sun, RedSpotTransit out[3]) {
    int count = 0;
    for (int i = 0; i < 3; ++i) {
        if (hours[i] > 23) continue;
        PlanetDetailDate d = day;
        int hour = hours[i];
        if (hour < 0) {
            hour += 24;
            AddDaysToDate(&d.year, &d.month, &d.day, -1);
        }
        RedSpotTransit& t = out[count++];
        t.hour = hour, t.minute = minutes[i];
        t.siderealTime = GetLocalSiderealTime(d.year, d.month, d.day, hour, t.minute, 0, currentSite.longitude,
                                              currentSite.zoneMinutes);
        t.jupiterAltitude = ComputeAltitude(t.siderealTime, jupiter.ra, jupiter.dec, currentSite.latitude);
        t.sunAltitude = ComputeAltitude(t.siderealTime, sun.ra, sun.dec, currentSite.latitude);
        t.sky = RedSpotSkyOf(t.jupiterAltitude, t.sunAltitude);
    }
    return count;
}

int GetRedSpotTransits(const PlanetDetailDate& day, const BodyPosition& jupiter, const BodyPosition& sun,
                       RedSpotTransit out[3]) {
    int hours[3], minutes[3];
    ComputeJupiterCentralMeridian(day.year, day.month, day.day, hours, minutes);
    return ListRedSpotTransits(day, hours, minutes, jupiter, sun, out);
}

void NextRedSpotDay(PlanetDetailDate* day) {
    if (++day->day <= GetDaysInMonth(day->month, day->year)) return;
    day->day = 1;
    if (++day->month > 12) day->month = 1, ++day->year;
}

int FitRedSpotLongitude(int year, int month, int day, int hour, int minute) {
    int hours[3], minutes[3];
    ComputeJupiterCentralMeridian(year, month, day, hours, minutes);
    int index = -1;
    for (int i = 0; i < 3 && index < 0; ++i)
        if (std::abs(hours[i] - hour) < 2) index = i;
    if (index < 0) {
        ShowInformation("It seems it is not a valid Red Spot UTC transit time", "");
        return 0;
    }
    Fit fit{year, month, day, index, hour * 60 + minute, preferences.GetFloat(kPrefGrsLongitude)};
    int d = fit.Difference();
    while (d != 0 && fit.steps < kMaxFitSteps) {
        const int next = fit.Move(1);
        if (next > d) {
            StepBackPastBest(&fit, next);
            break;
        }
        d = next;
    }
    ShowLongitude(fit.Longitude());
    return 1;
}

void AdjustRedSpotLongitude() {
    DateTime t{currentDateTime.year, currentDateTime.month, currentDateTime.day, 0, 0, 0};
    // A cancelled entry is no observed transit: the longitude stays.
    EditDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    if (!DateTimeEditConfirmed()) return;
    FitRedSpotLongitude(t.year, t.month, t.day, t.hour, t.minute);
}
