// The twilight graph's computations without a window: the rows of a band,
// the zone of each time base, the dates of the day indexes past the month's
// end, the name cut, and a place that is not a number.
#include "tools/night_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "core/julian_day.h"
#include "core/rise_set.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "tools/twilight_graph.h"

namespace {

// A band's pieces in its column (13 h of the date to 13 h of the next) from
// the Sun's state at 13 h and its crossings: one piece from a crossing down
// to the next crossing up, from 13 h when the Sun is below then, on to 37 h
// when it is still below, two where a night crosses an end of the hour axis,
// none when it never goes below, the whole column when it never comes up.
// The rows were once cut at 14 h and 10 h from one rise and one set of the
// day: a set before 14 h was held there, a rise after 10 h as well, and a
// night on the 10-14 h side of the clock became a band over the whole day
// (14 h to 10 h in UT at Tokyo, where the Sun is up from 19:24 to 10:00 UT)
// or one drawn upside down (71 N in "LT&DayLight" on 2027-01-21, below -1
// degree all through, drawn from 15.19 h up to 14.08 h).
TEST(NightChart, BandRows) {
    const struct {
        bool below;
        std::vector<double> crossings;
        std::vector<double> rows;  // hours of the chart: from, to of each piece
    } cases[] = {
        {false, {18.0, 30.0}, {18.0, 30.0}},                // an ordinary night
        {false, {24.5, 27.0}, {24.5, 27.0}},                // dark after midnight, light before 3 h
        {false, {}, {}},                                    // never below the altitude
        {true, {}, {13.0, 37.0}},                           // never above: the whole column
        {false, {13.5, 32.0}, {13.5, 32.0}},                // set before 14 h (polar afternoon)
        {false, {16.0, 34.5}, {16.0, 34.5}},                // rise after 10 h
        {true, {19.4, 34.0}, {13.0, 19.4, 34.0, 37.0}},     // UT at Tokyo: up from 19:24 to 10:00
        {true, {14.08, 15.19}, {13.0, 14.08, 15.19, 37.0}},  // up for an hour after 14 h
        {true, {13.2, 20.0, 36.9}, {13.0, 13.2, 20.0, 36.9}},  // down again before the column's end
    };
    const double p = 8.0;  // exact in binary, so that rows / p give the hours back
    for (const auto& c : cases) {
        NightBandCrossing band;
        band.belowAtStart = c.below;
        band.count = static_cast<int>(c.crossings.size());
        std::copy(c.crossings.begin(), c.crossings.end(), band.hour);
        double y1[2] = {}, y2[2] = {};
        const int pieces = NightBandRows(band, p, y1, y2);
        std::vector<double> rows;
        for (int k = 0; k < pieces; ++k) rows.insert(rows.end(), {y1[k] / p, y2[k] / p});
        EXPECT_EQ(rows, c.rows) << c.below << " " << c.crossings.size();
    }
}

// The bands where the Sun's centre stands at -1, -6 and -18 degrees of
// geometric altitude (PyEphem, tests/reference/twilight_bands_pyephem.csv) at
// Munich, Cape Town and Tromso on ten dates, at heights 0 and 500 m (a band is
// no horizon: the height plays no part): each band drawn exactly when the Sun
// goes below its altitude that night (nights whose lowest Sun is within 0.5
// degree of it left out), its first piece from the evening's passage down (13 h
// when the Sun is below then) to the next passage up (37 h when there is
// none) within half a minute. The bands were once taken 0.61 degree and the dip
// lower, an hour and more off in a northern summer, then with the Sun held at
// its place of 12:00, up to 25 minutes off at high latitude.
TEST(NightChart, BandsWhereTheSunsCentreStandsAtTheirAltitude) {
    ResetWithDefaults();
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "twilight_bands_pyephem.csv");
    ASSERT_EQ(t.rows.size(), 90u);
    for (int height : {0, 500}) {
        for (std::size_t i = 0; i < t.rows.size(); ++i) {
            SCOPED_TRACE(t.Text(i, "site") + " " + std::to_string(t.Get(i, "month")) + "/" +
                         std::to_string(t.Get(i, "day")) + " " + std::to_string(t.Get(i, "altitude")) + " " +
                         std::to_string(height) + " m");
            const int zone = static_cast<int>(t.Get(i, "zone_min"));
            SetTestSite(t.Get(i, "latitude"), t.Get(i, "longitude_west"), zone, height);
            const int band = t.Get(i, "altitude") == -1 ? 0 : t.Get(i, "altitude") == -6 ? 1 : 2;
            NightBandCrossing bands[kNightBandCount];
            NightBandCrossings(static_cast<int>(t.Get(i, "year")), static_cast<int>(t.Get(i, "month")),
                               static_cast<int>(t.Get(i, "day")), zone, bands);
            double from[2] = {}, to[2] = {};
            const bool drawn = NightBandRows(bands[band], 1.0, from, to) > 0;  // a pixel an hour
            const double below = t.Get(i, "altitude") - t.Get(i, "lowest");
            if (std::fabs(below) < 0.5) continue;
            ASSERT_EQ(drawn, below > 0);
            if (!drawn) continue;
            const double set = t.Get(i, "set_h"), rise = t.Get(i, "rise_h");
            EXPECT_LE(std::fabs(from[0] - (set < 0 ? 13.0 : std::max(set, 13.0))) * 60, 0.5) << "evening";
            EXPECT_LE(std::fabs(to[0] - (set < 0 ? 37.0 : std::min(rise, 37.0))) * 60, 0.5) << "morning";
        }
    }
}

// Local time leaves out the site's daylight-saving hour, universal time the
// whole zone; "LT&DayLight" is the site's own clock, its zone minutes with
// the daylight hour when the box is ticked, on every day of the chart (it
// once added an hour on the days whose month x 30 + index, modulo 365, lay in
// (110, 320], whatever the site).
TEST(NightChart, ZoneOfEachTimeBase) {
    ResetWithDefaults();
    const struct {
        int zone, daylight, local, daylightClock;
    } cases[] = {{120, 1, 60, 120}, {120, 0, 120, 120}, {660, 1, 600, 660}, {-480, 1, -540, -480}, {540, 0, 540, 540}};
    for (const auto& c : cases) {
        SetTestSite(51.5, 0.0, c.zone);
        currentSite.daylightSaving = static_cast<int16_t>(c.daylight);
        EXPECT_EQ(NightChartZoneMinutes(0), c.local) << c.zone << " " << c.daylight;
        EXPECT_EQ(NightChartZoneMinutes(1), c.daylightClock) << c.zone << " " << c.daylight;
        EXPECT_EQ(NightChartZoneMinutes(2), 0) << c.zone << " " << c.daylight;
    }
    ResetWithDefaults();
}

// Day 0 is the last day of the month before; day indexes run on past the
// month's end into real dates (checked through their Julian days), so a day
// 400 is never an invalid date.
TEST(NightChart, DayIndexesPastTheMonthsEnd) {
    const struct {
        int year, month, index;
    } cases[] = {{2024, 3, 0}, {2024, 1, 0}, {2024, 1, 400}, {2024, 2, 29}, {2023, 12, 719}, {2024, 11, 60}};
    for (const auto& c : cases) {
        int y = 0, m = 0, d = 0;
        NightChartDate(c.year, c.month, c.index, &y, &m, &d);
        EXPECT_GE(d, 1);
        EXPECT_LE(d, GetDaysInMonth(m, y)) << y << "-" << m << "-" << d;
        EXPECT_DOUBLE_EQ(JulianDayFromDate(y, m, d), JulianDayFromDate(c.year, c.month, 1) + c.index - 1)
            << c.year << "-" << c.month << " + " << c.index;
    }
    int y = 0, m = 0, d = 0;
    NightChartDate(2024, 1, 400, &y, &m, &d);
    EXPECT_EQ((std::vector<int>{y, m, d}), (std::vector<int>{2025, 2, 3}));  // 2024 has 366 days
}

// A name is cut to 14 characters and a terminator, whatever its length.
TEST(NightChart, LongNameDoesNotOverrunTheGraphName) {
    SetGraphObjectName("C109, User1234567890");
    EXPECT_STREQ(graphObjectName, "C109, User1234");
    SetGraphObjectName("M31");
    EXPECT_STREQ(graphObjectName, "M31");
    SetGraphObjectName(nullptr);
    EXPECT_STREQ(graphObjectName, "");
    ResetTwilightGraphState();
}

// A fixed place is the object's place; one that is not a number has none.
TEST(NightChart, FixedPlaceAndAPlaceThatIsNotANumber) {
    double ra = 0.0, dec = 0.0;
    EXPECT_EQ(NightChartObjectPlace(42, 0, 4.4f, 20.0f, -1, 2025, 1, 400, 0, 0, &ra, &dec), kObjectPlaced);
    EXPECT_DOUBLE_EQ(ra, 4.4f);
    EXPECT_DOUBLE_EQ(dec, 20.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(NightChartObjectPlace(42, 0, nan, 20.0f, -1, 2025, 1, 1, 0, 0, &ra, &dec), kNoPlaceThatDay);
}

// An object's rise and set dots where its centre passes the fixed-place
// engine's horizon, 0.61 degree and the dip for the site's height below the
// geometric one: bright stars at 34 S 50 m high and 60 N 1000 m high (dip
// 1.0 degree) against PyEphem's events with that horizon
// (fixed_rise_set_pyephem.csv; a star rises and sets a sidereal day,
// 23.9345 h, apart), within 0.5 minute; none for a star that never rises or
// never sets. The chart once wrote that horizon out by hand beside the
// engine's.
TEST(NightChart, ObjectDotsAtTheFixedEnginesHorizonOfAHighSite) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "fixed_rise_set_pyephem.csv");
    constexpr double kSiderealDay = 23.9345, kTolerance = 0.5 / 60;  // hours
    int compared = 0;
    for (std::size_t i = 0; i < ref.rows.size(); ++i) {
        auto get = [&](const char* column) { return ref.Get(i, column); };
        if (get("height_m") == 0.0) continue;
        ResetWithDefaults();
        SetTestSite(get("latitude"), get("longitude_west"), int(get("zone_min")), int(get("height_m")));
        NightObjectEvents e;
        NightObjectEventsOf(int(get("year")), int(get("month")), int(get("day")), int(get("zone_min")), get("ra_h"),
                            get("dec"), get("ra_h"), get("dec"), &e);
        SCOPED_TRACE(::testing::Message() << "row " << i << " at " << get("latitude") << ", dec " << get("dec"));
        const bool crosses = !(get("rise_h") == 0.0 && (get("set_h") == 0.0 || get("set_h") == 23.99));
        for (auto [kind, column] : {std::pair{kNightRise, "rise_h"}, std::pair{kNightSet, "set_h"}}) {
            ASSERT_EQ(e.count[kind] > 0, crosses) << column;
            for (int k = 0; k < e.count[kind]; ++k) {
                const double days = std::round((e.hour[kind][k] - get(column)) / kSiderealDay);
                EXPECT_NEAR(e.hour[kind][k], get(column) + days * kSiderealDay, kTolerance) << column;
            }
        }
        ++compared;
    }
    EXPECT_EQ(compared, 40);
}

}  // namespace
