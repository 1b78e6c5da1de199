// The Flare search's daylight around its two days against PyEphem's.
#include "orbits/flare_daylight.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/julian_day.h"
#include "support/reference_table.h"
#include "support/test_site.h"

namespace {

// Compares the spans of every case of the table whose name is (or, with
// `others`, is not) `name` with PyEphem's (flare_daylight_pyephem.csv): 3
// minutes within each end of a span of daylight is daylight and 3 minutes
// beyond it is not, the middle of every span is daylight and the middle of
// every gap not. Returns the number of cases compared.
int ExpectSpansOfCases(const ReferenceTable& ref, const std::string& name, bool others) {
    constexpr double kMargin = 3.0 / 60;  // hours
    int cases = 0;
    for (std::size_t k = 0; k < ref.rows.size();) {
        const std::size_t first = k;
        auto sameCase = [&](std::size_t r) {
            for (const char* column : {"latitude", "year", "month", "day"})
                if (ref.Get(r, column) != ref.Get(first, column)) return false;
            return true;
        };
        if ((ref.Text(k, "case") == name) == others) {
            while (k < ref.rows.size() && sameCase(k)) ++k;
            continue;
        }
        ++cases;
        ResetWithDefaults();
        SetTestSite(ref.Get(k, "latitude"), ref.Get(k, "longitude_west"), int(ref.Get(k, "zone_min")));
        const int y = int(ref.Get(k, "year")), m = int(ref.Get(k, "month")), d = int(ref.Get(k, "day"));
        SCOPED_TRACE(::testing::Message() << ref.Text(k, "case") << " " << ref.Get(k, "latitude") << " " << y << "-"
                                          << m << "-" << d);
        const FlareDaylight daylight = ComputeFlareDaylight(y, m, d);
        const double midnight = JulianDayFromDateTime(y, m, d, 0, 0, 0, currentSite.zoneMinutes);
        std::vector<std::pair<double, bool>> expected;  // hours after 0 h, daylight there
        double gapStart = 0.0;
        for (; k < ref.rows.size() && sameCase(k); ++k) {
            const double start = ref.Get(k, "start_h"), end = ref.Get(k, "end_h");
            if (start < 0) continue;
            if (start > 0) expected.insert(expected.end(), {{start - kMargin, false}, {start + kMargin, true}});
            if (end < 48) expected.insert(expected.end(), {{end - kMargin, true}, {end + kMargin, false}});
            if (start > gapStart) expected.push_back({(gapStart + start) / 2, false});
            expected.push_back({(start + end) / 2, true});
            gapStart = end;
        }
        if (gapStart < 48) expected.push_back({(gapStart + 48) / 2, false});
        for (auto [hours, lit] : expected)
            EXPECT_EQ(InFlareDaylight(daylight, midnight + hours / 24), lit) << hours << " h";
    }
    return cases;
}

// At 71 17' N in polar night, in the midnight sun, on a day of May whose
// sunset falls after midnight and on the first day of August with a sunset,
// at Fairbanks in June and December, at Boulder and at 179 59' E (+12 h) at
// the year's end, and at 71 17' N on a date that holds two sunsets (00:09,
// ending the day before's daylight, and 23:59): no daylight at all in polar
// night, all of both days in the midnight sun. Where the Sun sets after
// midnight the date's daylight ran from its rising back to that morning's
// early setting, an empty span, so that the bright day was searched for
// flares as if it were night.
TEST(FlareDaylight, SpansAgainstPyEphem) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "flare_daylight_pyephem.csv");
    EXPECT_EQ(ExpectSpansOfCases(ref, "two sunrises", true), 9);
}

// At Vardo (70 22' N 31 06' E, zone +1 h), where the short nights of May fall
// before midnight, 2027-05-11 holds two sunrises (00:10, ending the night
// before, and 23:59) and 2027-05-12 none before its sunset: each date's span
// ran from its first sunrise to the sunset after it, so the daylight from
// 23:59 on the 11th to 21:55 on the 12th belonged to no day and was searched
// for flares as if it were night.
TEST(FlareDaylight, DaylightAfterADaysSecondSunriseWasSearchedAsNight) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "flare_daylight_pyephem.csv");
    EXPECT_EQ(ExpectSpansOfCases(ref, "two sunrises", false), 2);
}

}  // namespace
