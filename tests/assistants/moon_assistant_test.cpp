// The Moon assistant's computation: the day tables' time frames, the phase
// calendar and its tap, the day box, the terminator list and its sorts, and
// the edited date and time.
#include "assistants/moon_assistant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "catalog/moon_features.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/moon_records.h"
#include "core/rise_set.h"
#include "ephemeris/lunar_lighting.h"
#include "ephemeris/sun_moon_rise_set.h"
#include "support/recording_services.h"
#include "support/reference_csv.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kNone = 25.0;
constexpr double kFiveMinutes = 5.0 / 60.0;

class MoonAssistantTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        ResetDateFieldOrder();
        SetTestSite(51.0, 0.0, 0);
    }
    RecordingServices services;
};

// Events of three days (the day before, the day, the day after) for day 1.
struct WindowCase {
    const char* what;
    RiseSetHours moon[3];
    double start, end;
};

// Hand-made times with the events word the engine gives with them: its
// stand-ins (0 and 0, 0 and 23.99) whole days, any other pair two events.
RiseSetHours AsTheEngineGives(RiseSetHours h) {
    if (h.events != 0) return h;
    const bool whole = h.rise == 0.0 && (h.set == 0.0 || h.set == 23.99);
    h.events = !whole ? kRiseSetRises | kRiseSetSets : h.set == 0.0 ? kRiseSetNeverUp : kRiseSetAlwaysUp;
    return h;
}

// A day's crossings by hand: whether the body is up at 0 h, then each
// crossing's hour, positive for a rising and negative for a setting; the
// Sun's transit at 12 h.
DayCrossings Day(bool upAtStart, std::initializer_list<double> signedHours = {}) {
    DayCrossings d;
    d.transit = 12.0;
    d.upAtStart = upAtStart;
    for (double h : signedHours) {
        d.hours[d.count] = std::fabs(h);
        d.rising[d.count++] = h > 0;
    }
    return d;
}

// Days 1 and 2 of the Sun and of the Moon for day 1's row of a night table.
struct NightCase {
    const char* what;
    int mode;
    DayCrossings sun[2], moon[2];
    double start, end;
};

// Hand-made days for each rule of the day tables. Rise and Set: the Moon's
// whole days show hyphens, a rise at 00:00 its time. DarkHours and
// Visibility: the row of a day covers the night that follows its daylight,
// from the Sun's first setting after its transit (even after midnight) to its
// next rising, the whole day from transit to transit when the Sun stays down,
// none when it stays up; within it the longest span with the Moon down (dark)
// or above 20 degrees (visible). The written case rules these replace took a
// window from sunset though the Moon climbed through 20 degrees later, to
// sunrise though it sank below earlier, took a rise in the small hours as the
// evening before's or the next day's rise as a repeat of the next row, and
// left the dark of a night that begins after midnight with an end and no
// start.
TEST_F(MoonAssistantTest, DayWindowsByBranch) {
    const WindowCase riseSetCases[] = {
        {"rise and set", {{}, {10, 22}, {}}, 10, 22},
        {"rise and set: Moon up all day", {{}, {0, 23.99}, {}}, kNone, kNone},
        {"rise and set: Moon down all day", {{}, {0, 0}, {}}, kNone, kNone},
        {"rise and set: no setting, a rise at 00:00", {{}, {0, 23.99, kRiseSetRises}, {}}, 0, kNone},
    };
    for (const WindowCase& c : riseSetCases) {
        MoonDayEvents e;
        for (const RiseSetHours& h : c.moon) e.moon.push_back(AsTheEngineGives(h));
        const DayWindow w = MoonDayWindow(kMoonTableRiseSet, e, 1);
        EXPECT_EQ(w.start, c.start) << c.what;
        EXPECT_EQ(w.end, c.end) << c.what;
    }
    const DayCrossings sun[2] = {Day(false, {6, -18}), Day(false, {6, -18})};  // down from 18 h to 6 h
    const DayCrossings dark[2] = {Day(false, {4.5, -20.5}), Day(false, {4.6, -20.4})};
    const NightCase nightCases[] = {
        {"visible: the Moon climbs through 20 degrees after sunset", 2, {sun[0], sun[1]},
         {Day(false, {21.8, -23}), Day(false, {22.5})}, 21.8, 23},
        {"visible: the Moon sinks below 20 degrees before sunrise", 2, {sun[0], sun[1]},
         {Day(false, {22}), Day(true, {-2.97, 23})}, 22, 2.97},
        {"visible: a rise in the small hours is that night's, not the evening before's", 2, {sun[0], sun[1]},
         {Day(false, {0.6, -8}), Day(false, {1.8, -9})}, 1.8, 6},
        {"visible: up through the night", 2, {sun[0], sun[1]}, {Day(false, {17}), Day(true, {-9})}, 18, 6},
        {"visible: above 20 degrees twice, the longer", 2, {sun[0], sun[1]},
         {Day(true, {-19, 23}), Day(true, {-5})}, 23, 5},
        {"visible: only by day", 2, {sun[0], sun[1]}, {Day(false, {8, -12}), Day(false, {9, -13})}, kNone, kNone},
        {"visible: midnight sun", 2, {Day(true), Day(true)}, {Day(true), Day(true)}, kNone, kNone},
        {"visible: polar night, transit to transit", 2, {Day(false), Day(false)}, {Day(true), Day(true)}, 12, 12},
        {"visible: the Sun sets after midnight", 2, {Day(true, {-0.2, 1.5}), Day(true, {-0.1, 1.6})},
         {Day(true), Day(true)}, 0.1, 1.6},
        {"dark: Moon sets after dark", 1, {dark[0], dark[1]}, {Day(true, {-22}), Day(false, {12})}, 22, 4.6},
        {"dark: Moon rises after dark", 1, {dark[0], dark[1]}, {Day(false, {23}), Day(true, {-13})}, 20.5, 23},
        {"dark: Moon up at dark, sets before dawn", 1, {dark[0], dark[1]}, {Day(false, {18}), Day(true, {-2})}, 2,
         4.6},
        {"dark: Moon up all night", 1, {dark[0], dark[1]}, {Day(false, {18}), Day(true, {-9})}, kNone, kNone},
        {"dark: Moon down all day", 1, {dark[0], dark[1]}, {Day(false), Day(false)}, 20.5, 4.6},
        {"dark: two dark spans, the longer", 1, {dark[0], dark[1]}, {Day(false, {21}), Day(true, {-2})}, 2, 4.6},
        {"dark: Sun never below -18", 1, {Day(true), Day(true)}, {Day(false), Day(false)}, kNone, kNone},
        {"dark: the first night, dark only after midnight", 1, {Day(true), Day(true, {-0.2, 1.47})},
         {Day(false), Day(false)}, 0.2, 1.47},
        {"dark: tonight's start before midnight, last night's after it", 1,
         {Day(true, {-0.2, 1.47, -23.92}), Day(false, {1.7, -23.8})}, {Day(false), Day(false)}, 23.92, 1.7},
    };
    for (const NightCase& c : nightCases) {
        MoonDayEvents e;
        e.mode = c.mode;
        e.sunCrossings = {Day(false), c.sun[0], c.sun[1]};
        e.moonCrossings = {Day(false), c.moon[0], c.moon[1]};
        const DayWindow w = MoonDayWindow(c.mode, e, 1);
        EXPECT_NEAR(w.start, c.start, 1e-9) << c.what;
        EXPECT_NEAR(w.end, c.end, 1e-9) << c.what;
    }
}

// Times are shown from 0 to 24 h for a start, strictly between for an end,
// with half a minute added; hyphens otherwise.
TEST_F(MoonAssistantTest, TableTimesAndHyphens) {
    char text[32];
    HMSToStr(text, sizeof text, 20.5 + 1.0 / 120.0);
    EXPECT_EQ(DayTableTime(20.5, true), std::string(text).substr(0, 5));
    EXPECT_EQ(DayTableTime(0.0, true).substr(0, 2), "00");
    for (double end : {0.0, 24.0, -0.5, 25.0}) EXPECT_EQ(DayTableTime(end, false), "  -----") << end;
    for (double start : {-0.01, 24.01, kNone}) EXPECT_EQ(DayTableTime(start, true), "  -----") << start;
}

// A time shown in the table (hours), or -1 for hyphens.
double Shown(double value, bool isStart) {
    return (isStart ? value >= 0 && value <= 24 : value > 0 && value < 24) ? value : -1.0;
}

// Rise and Set view at 51 N, 0 E, zone 0, for 34 days from 2024-01-01:
// every rise and set within 5 minutes of PyEphem's (upper limb, 34'
// refraction), hyphens on the days PyEphem finds none.
TEST_F(MoonAssistantTest, RiseAndSetAgainstPyEphem) {
    auto ref = ReadReferenceCsv("moon_rise_set_jan2024_51n_pyephem.csv");
    ASSERT_EQ(ref.size(), 34u);
    MoonDayEvents e = ComputeMoonDayEvents(kMoonTableRiseSet, 2024, 1, 1, 34);
    EXPECT_EQ(services.busySteps, 35);
    for (int i = 0; i < 34; ++i) {
        DayWindow w = MoonDayWindow(kMoonTableRiseSet, e, i);
        const double got[2] = {Shown(w.start, true), Shown(w.end, false)};
        for (int k = 0; k < 2; ++k) {
            double want = ref[static_cast<size_t>(i)][3 + static_cast<size_t>(k)];
            if (want < 0) EXPECT_EQ(got[k], -1.0) << "day " << i + 1 << (k ? " set" : " rise");
            else EXPECT_NEAR(got[k], want, kFiveMinutes) << "day " << i + 1 << (k ? " set" : " rise");
        }
    }
}

// DarkHours at 45 N, 0 E, zone 0, for the 34 nights from 2024-09-01 (two
// columns of 17): on nights with one dark window, its start and end within 5
// minutes of a one-minute PyEphem scan (Sun below -18, the Moon's upper limb
// below the horizon); nights without one show hyphens.
TEST_F(MoonAssistantTest, DarkHoursAgainstPyEphemScan) {
    SetTestSite(45.0, 0.0, 0);
    auto ref = ReadReferenceCsv("dark_hours_sep2024_45n_pyephem.csv");
    ASSERT_EQ(ref.size(), 34u);
    MoonDayEvents e = ComputeMoonDayEvents(kMoonTableDarkHours, 2024, 9, 1, 34);
    for (int i = 0; i < 34; ++i) {
        const std::vector<double>& r = ref[static_cast<size_t>(i)];
        DayWindow w = MoonDayWindow(kMoonTableDarkHours, e, i);
        if (r[3] == 0) {
            EXPECT_EQ(Shown(w.start, true), -1.0) << "night " << i;
            continue;
        }
        ASSERT_EQ(r[3], 1.0);
        EXPECT_NEAR(WrappedDifference(w.start, r[4], 24), 0, kFiveMinutes) << "night " << i << " start";
        EXPECT_NEAR(WrappedDifference(w.end, r[5], 24), 0, kFiveMinutes) << "night " << i << " end";
    }
}

// At 60 N the Sun stays above -18 degrees through June: every row shows
// hyphens.
TEST_F(MoonAssistantTest, NoDarkHoursAt60NorthInJune) {
    SetTestSite(60.0, 0.0, 0);
    MoonDayEvents e = ComputeMoonDayEvents(kMoonTableDarkHours, 2024, 6, 1, 34);
    for (int i = 0; i < 34; ++i) {
        DayWindow w = MoonDayWindow(kMoonTableDarkHours, e, i);
        EXPECT_EQ(DayTableTime(w.start, true), "  -----") << i;
        EXPECT_EQ(DayTableTime(w.end, false), "  -----") << i;
    }
}

// Months starting on Monday (March 2021) and Sunday (August 2021); the
// phase icons from the fraction lit: one full icon, then none until a new one
// (and the reverse), over two years.
TEST_F(MoonAssistantTest, CalendarColumnsAndPhaseIcons) {
    EXPECT_EQ(MoonCalendarFirstColumn(2021, 3), 0);
    EXPECT_EQ(MoonCalendarFirstColumn(2021, 8), 6);
    int last = 0, fulls = 0, news = 0;
    for (int month = 1; month <= 24; ++month) {
        for (const MoonCalendarDay& d : ComputeMoonCalendar(2023 + (month - 1) / 12, (month - 1) % 12 + 1)) {
            if (d.icon == kMoonIconFull || d.icon == kMoonIconNew) {
                EXPECT_NE(d.icon, last) << month;
                EXPECT_EQ(d.percent, -1);
                last = d.icon;
                (d.icon == kMoonIconFull ? fulls : news)++;
            } else {
                EXPECT_TRUE(d.icon >= 6081 && d.icon <= 6092) << d.icon;
                EXPECT_TRUE(d.percent >= 0 && d.percent <= 100) << d.percent;
            }
        }
    }
    EXPECT_GE(fulls, 22);  // 24 or 25 full and new Moons in two years
    EXPECT_GE(news, 22);
}

// Taps on the 240 x 320 calendar (cells 34 x 43 from y 37): February 2021
// starts in column 0; its days 29..31 and the sixth row answer "no day"; a
// tap on the 15th's day number (its cell's top) gives the 15th, not a day a
// week or a column earlier; off the grid nothing.
TEST_F(MoonAssistantTest, CalendarTapOnADayNumberGivesThatDay) {
    const MoonCalendarGrid grid{37, 34, 43, 298};
    struct Tap {
        int x, y, day;
    } taps[] = {
        {0 * 34 + 2, 37 + 2 * 43 + 1, 15},    // the 15th's day number
        {6 * 34 + 30, 37 + 3 * 43 + 42, 28},  // the 28th's cell, bottom right
        {0 * 34 + 5, 37 + 4 * 43 + 5, kCalendarTapNoDay},  // 29
        {2 * 34 + 5, 37 + 4 * 43 + 5, kCalendarTapNoDay},  // 31
        {1 * 34 + 5, 37 + 5 * 43 + 5, kCalendarTapNoDay},  // sixth row
        {3 * 34 + 5, 37 + 5 * 43 + 5, kCalendarTapIgnored},
        {10, 30, kCalendarTapIgnored},
        {10, 300, kCalendarTapIgnored},
    };
    for (const Tap& t : taps) EXPECT_EQ(MoonCalendarTapDay(grid, 2021, 2, t.x, t.y), t.day) << t.x << "," << t.y;
}

// The day box of 2024-01-03 at 51 N (no moonrise that day, PyEphem): the
// format with ComputeMoonRiseSet's times cut to 6 characters, "----" for
// the rise, the phase as an integer, the declination rounded to the whole
// degree (it was cut toward zero), two-decimal magnitudes.
TEST_F(MoonAssistantTest, DayBoxText) {
    double rise, transit, set, dec;
    ComputeMoonRiseSet(2024, 1, 3, &rise, &transit, &set, &dec);
    char t[32], s[32];
    HMSToStr(t, sizeof t, transit);
    HMSToStr(s, sizeof s, set);
    std::string text = MoonDayBoxText(2024, 1, 3);
    std::string head = "03/01/2024:\n\x95 Rise       ----\n\x95 Transit   " + std::string(t).substr(0, 6) +
                       "\n\x95 Set       " + std::string(s).substr(0, 6) + "\n\x95 Phase    ";
    EXPECT_EQ(text.substr(0, head.size()), head);
    int phase = 0, declination = 0;
    char moon[16] = "", limit[16] = "";
    ASSERT_EQ(std::sscanf(text.c_str() + head.size(),
                          "%d%% at 12h\n\x95 Dec       %d\xB0\n\nMagnitude\n\x95 Moon at transit %15s\n"
                          "\x95 Visual limit (23h) %15s",
                          &phase, &declination, moon, limit),
              4)
        << text;
    EXPECT_NEAR(phase, 56, 2);  // last quarter on 4 January 03:30 UT (USNO)
    EXPECT_EQ(declination, std::lround(dec));
    EXPECT_EQ(std::string(moon).find('.'), std::string(moon).size() - 3) << moon;
    EXPECT_EQ(std::string(limit).find('.'), std::string(limit).size() - 3) << limit;
}

// At 71 17' N the Moon stays below the horizon all day on 27 March 2027
// (PyEphem): the box's magnitude at transit is "----", not the sky model's 50
// for a Moon that is not up.
TEST_F(MoonAssistantTest, DayBoxOfAMoonNeverUpShowedMagnitude50) {
    SetTestSite(71.283, 156.783, -540);
    const std::string text = MoonDayBoxText(2027, 3, 27);
    EXPECT_NE(text.find("\x95 Rise       ----\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Moon at transit ----\n"), std::string::npos) << text;
}

// Every day of 2027 at Tokyo (+9 h) and 71 17' N (-9 h) against PyEphem
// (moon_transit_days_pyephem.csv): on a day without a transit, "----" for the
// transit and for the Moon's magnitude at it (22/01/2027 at Tokyo showed
// -12.80, the value at hour 24, the next day's culmination); on a day with
// one, a time (but within 6 minutes of midnight); "Dec" PyEphem's
// declination at 0 h rounded, but within 0.07 degree (the fast Moon's
// accuracy) of a half: it was cut toward zero.
TEST_F(MoonAssistantTest, DayBoxValuesOfATransitThatDoesNotHappen) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "moon_transit_days_pyephem.csv");
    int without = 0, declinations = 0;
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        if (ref.Text(k, "site") == "Fairbanks") continue;
        const int month = int(ref.Get(k, "month")), day = int(ref.Get(k, "day"));
        SCOPED_TRACE(::testing::Message() << ref.Text(k, "site") << " " << month << "-" << day);
        SetTestSite(ref.Get(k, "latitude"), ref.Get(k, "longitude_west"), int(ref.Get(k, "zone_min")));
        const std::string box = MoonDayBoxText(2027, month, day);
        const double transit = ref.Get(k, "transit_h"), dec = ref.Get(k, "dec0_deg");
        const bool noTransit = box.find("\x95 Transit   ----\n") != std::string::npos;
        if (transit < 0) {
            EXPECT_TRUE(noTransit) << box;
            EXPECT_NE(box.find("Moon at transit ----\n"), std::string::npos) << box;
            ++without;
        } else if (transit > 0.1 && transit < 23.9) {
            EXPECT_FALSE(noTransit) << box;
        }
        if (std::fabs(std::fabs(dec - std::trunc(dec)) - 0.5) < 0.07) continue;
        EXPECT_NE(box.find("\x95 Dec       " + std::to_string(std::lround(dec)) + "\xB0\n"), std::string::npos) << box;
        ++declinations;
    }
    EXPECT_GE(without, 20);
    EXPECT_GE(declinations, 600);
}

// The feature lines: the stored latitude negated with one decimal, the
// longitude likewise, the diameter in whole km.
TEST_F(MoonAssistantTest, FeatureLinesShowTheLatitudeNegated) {
    MoonFeatureLines lines = GetMoonFeatureLines({2, 0, 0, 10, -43.31f, -11.36f, 85.2f, "Tycho"});
    EXPECT_EQ(lines.latitude, "43.3\xB0");
    EXPECT_EQ(lines.longitude, "-11.4\xB0");
    EXPECT_EQ(lines.diameter, "85 km");
}

// Lunar features for the terminator list, read through the program hooks.
std::vector<MoonFeatureRecord> features;
int Count() { return static_cast<int>(features.size()); }
int Read(int i, MoonFeatureRecord* r) {
    if (i < 0 || i >= Count()) return 0;
    *r = features[static_cast<size_t>(i)];
    return 1;
}

// 150 features 2 degrees into the lit side of the terminator at 2024-01-20
// 12:00 UT (the Sun 2 degrees high over them), then one in the dark; the
// diameters repeat 41.9, 41.2, 40.5, 100 km.
class TerminatorListTest : public MoonAssistantTest {
protected:
    void SetUp() override {
        MoonAssistantTest::SetUp();
        double lon, lat, colongitude;
        ComputeMoonPhysicalEphemeris(JulianDayFromDateTime(2024, 1, 20, 12, 0, 0, 0), &lon, &lat, &colongitude);
        const float diameters[] = {41.9f, 41.2f, 40.5f, 100.0f};
        features.clear();
        for (int k = 0; k < 151; ++k) {
            float longitude = static_cast<float>(std::remainder((k < 150 ? 2.0 : -30.0) - colongitude, 360.0));
            features.push_back({2, 0, 0, 10, 0.0f, longitude, diameters[k % 4], "F"});
        }
        previous = InstallMoonRecordHooks({Count, Read});
    }
    void TearDown() override {
        InstallMoonRecordHooks(previous);
        ResetMoonFeatures();
    }
    MoonRecordHooks previous;
};

// At most 100 rows in record order; the size filter keeps the diameters from
// its minimum; "Size" keeps the diameters of one kilometre in record order.
TEST_F(TerminatorListTest, HundredRowsInRecordOrderAndSizeSort) {
    ASSERT_EQ(BuildTerminatorList(2024, 1, 20, 12, 0, 0), 100);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(visibleFeatureList[static_cast<size_t>(i)], i);
    EXPECT_EQ(BuildTerminatorList(2024, 1, 20, 12, 0, MoonMinimumDiameterOfRow(2)), 37);  // the 100 km ones
    ASSERT_EQ(BuildTerminatorList(2024, 1, 20, 12, 0, 0), 100);
    visibleFeatureList.resize(8);
    SortTerminatorList(0);
    EXPECT_EQ(visibleFeatureList, (std::vector<int32_t>{3, 7, 0, 1, 4, 5, 2, 6}));
    SortTerminatorList(1);
    EXPECT_EQ(visibleFeatureList, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
}

}  // namespace

