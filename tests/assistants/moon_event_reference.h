// The moons' events of tests/reference/moon_events_pyephem.csv
// (scripts/reference/moon_events_pyephem.py: PyEphem's moon offsets against
// the planet's spheroid seen from the Earth and the Sun) on the local days of
// a site, with the time by which each end may differ: the theory's stated
// position error (jupiter_moons.h: 0.05 Jupiter radii for Io and Europa, 0.1
// for Ganymede and Callisto; saturn_satellites.h: 0.08 Saturn radii for
// Enceladus to Rhea, 0.25 for Titan) over the rate at which the moon's
// distance from the disk's centre changes at that end, plus a minute. The
// Galilean theory places a moon seen from the Sun (its shadow, its eclipse)
// by the fixed offset r sin psi, the small-angle form of r sin(u - psi) -
// r sin u, which near the disk's edge adds up to psi^2 / 2 + psi / 2r, 0.03
// radii at Jupiter's largest phase angle psi (11.5 degrees): an end the Sun's
// view sets has that much more.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "assistants/planet_detail_mode.h"
#include "core/julian_day.h"
#include "support/reference_table.h"

struct ReferenceMoonEvent {
    int mode, moon, kind;
    double start, end;                    // minutes from the local day's 00:00
    double startTolerance, endTolerance;  // minutes

    double Tolerance() const { return std::max(startTolerance, endTolerance); }
    // Minutes of the event within the local day 00:00 .. 24:00.
    double Overlap() const { return std::min(end, 1440.0) - std::max(start, 0.0); }
};

// The table's events of a local date at a zone (minutes east of UT) that
// come within `reach` minutes of the day.
inline std::vector<ReferenceMoonEvent> ReferenceMoonEvents(int year, int month, int day, int zoneMinutes,
                                                           double reach = 0.0) {
    static const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "moon_events_pyephem.csv");
    static const std::vector<std::string> moons[2] = {{"io", "europa", "ganymede", "callisto"},
                                                      {"enceladus", "tethys", "dione", "rhea", "titan"}};
    static const std::vector<std::string> kinds = {"transit", "transit_shadow", "shadow", "eclipse", "occultation"};
    static const double errors[2][5] = {{0.05, 0.05, 0.1, 0.1, 0.0}, {0.08, 0.08, 0.08, 0.08, 0.25}};
    constexpr double kJupiterSunView = 0.03;
    const double midnight = 1440.0 * (JulianDayFromDateTime(year, month, day, 0, 0, 0, 0) -
                                      JulianDayFromDateTime(2027, 1, 1, 0, 0, 0, 0)) - zoneMinutes;
    std::vector<ReferenceMoonEvent> out;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        ReferenceMoonEvent e{};
        e.mode = t.Text(r, "planet") == "saturn" ? kSaturnMode : kJupiterMode;
        const auto& names = moons[e.mode];
        e.moon = static_cast<int>(std::find(names.begin(), names.end(), t.Text(r, "moon")) - names.begin());
        e.kind = static_cast<int>(std::find(kinds.begin(), kinds.end(), t.Text(r, "kind")) - kinds.begin()) + 1;
        e.start = t.Get(r, "start_ut_min") - midnight;
        e.end = t.Get(r, "end_ut_min") - midnight;
        const auto tolerance = [&](const char* end) {
            const bool sunView = e.mode == kJupiterMode && t.Text(r, std::string(end) + "_view") == "sun";
            return (errors[e.mode][e.moon] + (sunView ? kJupiterSunView : 0.0)) / t.Get(r, std::string(end) + "_rate") +
                   1.0;
        };
        e.startTolerance = tolerance("start");
        e.endTolerance = tolerance("end");
        if (e.end > -reach && e.start < 1440.0 + reach) out.push_back(e);
    }
    return out;
}
