#include "ephemeris/sun_moon_rise_set.h"

#include "core/rise_set.h"
#include "ephemeris/low_precision_sun_moon.h"

namespace {

using PositionRoutine = void (*)(double*, double*, int, int, int, int, int, int);

// Places at 0 h local of three consecutive days from `firstDay` (the day number
// runs past the month's end: the Julian-day routines take it so).
struct ThreeDays {
    double ra[3], dec[3];
};

ThreeDays FetchThreeDays(PositionRoutine position, int year, int month, int firstDay) {
    ThreeDays p;
    for (int k = 0; k < 3; ++k) position(&p.ra[k], &p.dec[k], year, month, firstDay + k, 0, 0, 0);
    return p;
}

int RunEngine(const ThreeDays& p, int year, int month, int day, double h0, double* rise, double* transit,
              double* set, unsigned* events) {
    return ComputeRiseTransitSet(year, month, day, 0, 0, 0, p.ra[0], p.dec[0], p.ra[1], p.dec[1],
                                 p.ra[2], p.dec[2], h0, rise, transit, set, events);
}

// The bit of `which` taken from `from` into `into`.
unsigned TakeBit(unsigned into, unsigned from, unsigned which) { return (into & ~which) | (from & which); }

constexpr double kMoonH0 = 0.125;
constexpr double kSunH0 = -0.833333;
constexpr double kAstronomicalTwilightH0 = -18.0;

}  // namespace

int ComputeMoonRiseSet(int year, int month, int day, double* rise, double* transit, double* set,
                       double* declination, unsigned* events) {
    const ThreeDays p = FetchThreeDays(ComputeMoonPosition, year, month, day - 1);
    if (declination != nullptr) *declination = p.dec[1];
    return RunEngine(p, year, month, day, kMoonH0, rise, transit, set, events);
}

int ComputeMoonRiseSetWrapped(int year, int month, int day, double* rise, double* transit, double* set,
                              unsigned* events) {
    const ThreeDays p = FetchThreeDays(ComputeMoonPosition, year, month, day - 1);
    unsigned bits = 0;
    int result = RunEngine(p, year, month, day, kMoonH0, rise, transit, set, &bits);
    if (*rise >= 24.0 || *set >= 24.0) {
        ThreeDays next = {{p.ra[1], p.ra[2], 0.0}, {p.dec[1], p.dec[2], 0.0}};
        ComputeMoonPosition(&next.ra[2], &next.dec[2], year, month, day + 2, 0, 0, 0);
        double nextRise, nextTransit, nextSet;
        unsigned nextBits = 0;
        result = RunEngine(next, year, month, day + 1, kMoonH0, &nextRise, &nextTransit, &nextSet, &nextBits);
        if (*rise > 24.0) {
            *rise = nextRise + 24.0;
            bits = TakeBit(bits, nextBits, kRiseSetRises);
        }
        if (*set > 24.0) {
            *set = nextSet + 24.0;
            bits = TakeBit(bits, nextBits, kRiseSetSets);
        }
    }
    if (events != nullptr) *events = bits;
    return result;
}

int ComputeSunRiseSet(int year, int month, int day, double* rise, double* transit, double* set,
                      double* twilightEnd, unsigned* events, unsigned* twilightEvents) {
    const ThreeDays p = FetchThreeDays(ComputeSunPosition, year, month, day - 1);
    if (twilightEnd != nullptr)
        RunEngine(p, year, month, day, kAstronomicalTwilightH0, rise, transit, twilightEnd, twilightEvents);
    return RunEngine(p, year, month, day, kSunH0, rise, transit, set, events);
}

void ComputeSunDayCrossings(int year, int month, int day, DayCrossings* out) {
    const ThreeDays p = FetchThreeDays(ComputeSunPosition, year, month, day - 1);
    ComputeDayCrossings(year, month, day, p.ra[0], p.dec[0], p.ra[1], p.dec[1], p.ra[2], p.dec[2], kSunH0, out);
}
