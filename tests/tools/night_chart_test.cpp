// The twilight graph's computations without a window: the rows of a band,
// the zone of each time base, the dates of the day indexes past the month's
// end, the name cut, and a place that is not a number.
#include "tools/night_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/julian_day.h"
#include "core/rise_set.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "tools/twilight_graph.h"

namespace {

// The band from the evening's set to the next morning's rise (hours as the
// rise and set routine gives them, rows in hours of the chart): a set after
// midnight belongs to the next day; never down gives no band; never up the
// whole chart from 14 h to 10 h; a set before 14 h and a rise after 10 h are
// held at those hours, unless the rise comes after 14 h and not after the set.
// Whether the Sun crosses is the engine's events word: a real rise at 00:00
// was once taken for "never up" (rise 0) and the band ran on to 10 h.
TEST(NightChart, BandRows) {
    constexpr unsigned kBoth = kRiseSetRises | kRiseSetSets;
    const struct {
        double rise, set;
        unsigned events;
        bool drawn;
        double from, to;  // hours of the chart (24 = midnight)
    } cases[] = {
        {6.0, 18.0, kBoth, true, 18.0, 30.0},                // an ordinary night
        {3.0, 0.5, kBoth, true, 24.5, 27.0},                 // dark after midnight, light before 3 h
        {0.0, 23.99, kRiseSetAlwaysUp, false, 0.0, 0.0},     // never below the altitude
        {0.0, 0.0, kRiseSetNeverUp, true, 14.0, 34.0},       // never above: 14 h .. 10 h
        {8.0, 13.5, kBoth, true, 14.0, 32.0},                // set before 14 h (polar afternoon)
        {10.5, 16.0, kBoth, true, 16.0, 34.0},               // rise after 10 h
        {12.0, 11.5, kBoth, true, 14.0, 34.0},               // set 11.5 h, rise 12 h: held at both ends
        {20.0, 16.0, kBoth, true, 16.0, 34.0},               // rise after the set in the evening: held at 10 h
        {15.0, 22.0, kBoth, true, 22.0, 15.0},               // rise after 14 h before the set: back by a day
        {0.0, 20.0, kBoth, true, 20.0, 24.0},                // a rise at 00:00 is a time
        {0.0, 23.95, kBoth, true, 23.95, 24.0},              // and with a set after 23.9 h a band
    };
    const double p = 10.0;
    for (const auto& c : cases) {
        double y1 = -1.0, y2 = -1.0;
        EXPECT_EQ(NightBandRows(c.rise, c.set, c.events, p, &y1, &y2), c.drawn) << c.rise << " " << c.set;
        if (!c.drawn) continue;
        EXPECT_DOUBLE_EQ(y1, c.from * p) << c.rise << " " << c.set;
        EXPECT_DOUBLE_EQ(y2, c.to * p) << c.rise << " " << c.set;
    }
}

// The bands where the Sun's centre stands at -1, -6 and -18 degrees of
// geometric altitude (PyEphem, tests/reference/twilight_bands_pyephem.csv) at
// Munich, Cape Town and Tromso on ten dates, at heights 0 and 500 m (a band is
// no horizon: the height plays no part): each band drawn exactly when the Sun
// goes below its altitude that night (nights whose lowest Sun is within 0.5
// degree of it left out), its edges within 3 minutes plus what the graph's
// Sun of 12:00 moves them by (the same search with the Sun held there). The
// bands were once taken 0.61 degree and the dip lower, an hour and more off in
// a northern summer.
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
            double rise[kNightBandCount] = {}, set[kNightBandCount] = {}, from = 0.0, to = 0.0;
            unsigned events[kNightBandCount] = {};
            NightBandCrossings(static_cast<int>(t.Get(i, "year")), static_cast<int>(t.Get(i, "month")),
                               static_cast<int>(t.Get(i, "day")), zone, rise, set, events);
            const bool drawn = NightBandRows(rise[band], set[band], events[band], 1.0, &from, &to);  // a pixel an hour
            const double below = t.Get(i, "altitude") - t.Get(i, "lowest");
            if (std::fabs(below) < 0.5) continue;
            ASSERT_EQ(drawn, below > 0);
            if (!drawn) continue;
            const double held[2] = {t.Get(i, "set_noon_h"), t.Get(i, "rise_noon_h")};
            const double shown[2] = {from, to};
            for (int k = 0; k < 2; ++k) {
                const double moving = t.Get(i, k == 0 ? "set_h" : "rise_h");
                // A Sun that never comes up through the altitude fills the chart from 14 h to 10 h.
                const double expected = moving < 0 ? (k == 0 ? 14.0 : 34.0) : std::clamp(moving, 14.0, 34.0);
                const double noonError = moving < 0 ? 0.0 : std::fabs(std::clamp(held[k], 14.0, 34.0) - expected);
                EXPECT_LE(std::fabs(shown[k] - expected) * 60, 3.0 + noonError * 60) << (k == 0 ? "evening" : "morning");
            }
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
    EXPECT_EQ(NightChartObjectPlace(42, 0, 4.4f, 20.0f, -1, 2025, 1, 400, &ra, &dec), kObjectPlaced);
    EXPECT_DOUBLE_EQ(ra, 4.4f);
    EXPECT_DOUBLE_EQ(dec, 20.0f);
    EXPECT_EQ(NightChartObjectPlace(42, 0, std::numeric_limits<float>::quiet_NaN(), 20.0f, -1, 2025, 1, 1, &ra, &dec),
              kNoPlaceThatDay);
}

}  // namespace
