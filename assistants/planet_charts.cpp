#include "assistants/planet_charts.h"

#include "core/horizontal.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/magnitude_phase.h"

namespace {

constexpr int kMercury = 2;

constexpr ChartScale kScales[5] = {
    {0, 180, 20, "\xB0", 2},   // Elongation
    {0, 70, 10, "''", 2},      // Apparent Diameter
    {-5, 8, 2, " ", 2},        // Magnitude
    {0, 100, 10, "%", 2},      // Phase
    {-90, 90, 30, "\xB0", 4},  // Elevation
};

}  // namespace

ChartScale GetChartScale(int quantity) { return kScales[quantity >= 0 && quantity < 5 ? quantity : 0]; }

void ComputeChartValues(int quantity, int year, int month, int day, int hour, int minute,
                        double values[kChartPlanets]) {
    float view[kApproxPlanetViewSize] = {}, place[kApproxPlanetPlaceSize] = {};
    ComputeApproxPlanet(year, month, day + 1, hour, minute, view, place, 3, kMercury, kMercury + kChartPlanets - 1);
    const double lst = quantity == 4 ? GetLocalSiderealTime(year, month, day + 1, hour, minute, 0,
                                                            currentSite.longitude, currentSite.zoneMinutes)
                                     : 0.0;
    for (int i = 0; i < kChartPlanets; ++i) {
        const int b = kMercury + i;
        const double delta = view[3 * b], r = view[3 * b + 1], bigR = view[3 * b + 2];
        double magnitude = 0, fraction = 0, elongation = 0;
        ComputeMagnitudePhase(b, delta, r, bigR, &magnitude, &fraction, &elongation);
        switch (quantity) {
        case 1: values[i] = GetApparentDiameter(b, delta) * 60; break;
        case 2: values[i] = magnitude; break;
        case 3: values[i] = fraction * 100; break;
        case 4: values[i] = ComputeAltitude(lst, place[2 * b], place[2 * b + 1], currentSite.latitude); break;
        default: values[i] = elongation; break;
        }
    }
}
