// Speed of the Sun and Moon series: the abridged VSOP87 Sun (195 terms), the truncated
// ELP 2000-82B Moon (about 1150 sines and cosines), the apparent places with the nutation of a
// new date, the low-precision Sun and Moon of the rise and set searches, and the home screen's
// Sun rows (rise, set and start of the night) day by day through a year at Fairbanks.
#include <benchmark/benchmark.h>

#include "core/julian_day.h"
#include "core/shared_state.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "ephemeris/moon_elp2000.h"
#include "ephemeris/sun_moon_rise_set.h"
#include "ephemeris/sun_vsop87.h"

namespace {

void BM_GeometricSun(benchmark::State& state) {
    double t = 0.1, lon, lat, r;
    for (auto _ : state) {
        t += 1e-7;
        ComputeGeometricSun(t, &lon, &lat, &r);
        benchmark::DoNotOptimize(lon);
    }
}
BENCHMARK(BM_GeometricSun);

void BM_GeometricMoon(benchmark::State& state) {
    double t = 0.1, lon, lat, r;
    for (auto _ : state) {
        t += 1e-7;
        benchmark::DoNotOptimize(ComputeGeometricMoon(t, &lon, &lat, &r));
    }
}
BENCHMARK(BM_GeometricMoon);

void BM_ApparentSunAndMoonNewDate(benchmark::State& state) {
    double t = 0.1;
    BodyPosition sun{}, moon{};
    for (auto _ : state) {
        t += 1e-7;
        ComputeApparentSun(&sun, t);
        ComputeApparentMoon(&moon, t, 0.0);
        benchmark::DoNotOptimize(moon.ra);
    }
}
BENCHMARK(BM_ApparentSunAndMoonNewDate);

void BM_LowPrecisionSunAndMoon(benchmark::State& state) {
    ResetSharedState();
    double ra, dec;
    int minute = 0;
    for (auto _ : state) {
        minute = (minute + 1) % 60;
        ComputeSunPosition(&ra, &dec, 2024, 6, 21, 12, minute, 0);
        ComputeMoonPosition(&ra, &dec, 2024, 6, 21, 12, minute, 0);
        benchmark::DoNotOptimize(ra);
    }
}
BENCHMARK(BM_LowPrecisionSunAndMoon);

void BM_HomeSunRows(benchmark::State& state) {
    ResetSharedState();
    SetSiteLatitude(currentSite, 64.8333);
    currentSite.longitude = 147.7167f;
    currentSite.zoneMinutes = -540;
    int year = 2027, month = 1, day = 1;
    double rise, transit, set, night;
    for (auto _ : state) {
        ComputeSunRiseSet(year, month, day, &rise, &transit, &set, &night);
        benchmark::DoNotOptimize(night);
        AddDaysToDate(&year, &month, &day, 1);
        if (year > 2027) year = 2027;
    }
}
BENCHMARK(BM_HomeSunRows);

}  // namespace
