// The moon events of a day (assistants/moon_events.h), without a window; the
// site's zone is 0.
#include "assistants/moon_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "assistants/jupiter_moons.h"
#include "assistants/moon_event_reference.h"
#include "assistants/saturn_satellites.h"
#include "core/delta_t.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "support/recording_services.h"
#include "support/reference_table.h"
#include "support/test_site.h"

namespace {

class MoonEvents : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        ResetPlanetDetailMode();
    }
    void TearDown() override { ResetPlanetDetailMode(); }

    static void Search(int mode, int year, int month, int day) {
        planetDetailMode = mode;
        RunMoonEventSearch(mode, PlanetDetailDate{year, month, day, 15, 30});
    }
    // The filled slot of a moon and kind, or null.
    static const MoonEventSlot* Slot(int moon, int kind) {
        for (const MoonEventSlot& s : planetMoonState)
            if (s.startDay != 0 && s.moon == moon && s.kind == kind) return &s;
        return nullptr;
    }
    // Moon `moon`'s Galilean state code at a minute of a day of 2024.
    static int Code(int month, int day, int minute, int moon) {
        GalileanMoon moons[kGalileanMoonCount];
        ComputeGalileanMoons(JupiterMoonDays(2024, month, day, 0, minute), moons);
        return moons[moon].code;
    }
};

int Start(const MoonEventSlot* s) { return s->startHour * 60 + s->startMinute; }
int End(const MoonEventSlot* s) { return s->endHour * 60 + s->endMinute; }

// Minutes a - b brought into -720..720 (times of day compared across midnight).
int Wrapped(int a, int b) { return ((a - b) % 1440 + 2160) % 1440 - 720; }

// Jupiter samples 00:00 .. 23:48 and 23:59 (121 times), Saturn 00:00 ..
// 23:55 and 23:59 (207): the busy indicator steps once before and once a
// sample, and ends once; the cache keeps the date and its hour and minute.
// The samples once stopped at hour 23 (115 and 198), missing the day's last
// hour.
TEST_F(MoonEvents, SampleCounts) {
    for (const auto& [mode, steps] : {std::pair{kJupiterMode, 122}, std::pair{kSaturnMode, 208}}) {
        RecordingServices services;
        Search(mode, 2024, 3, 31);
        EXPECT_EQ((std::vector{services.busySteps, services.busyEnds}), (std::vector{steps, 1})) << mode;
        EXPECT_EQ(std::vector<int32_t>(eventSearchCache, eventSearchCache + 5),
                  (std::vector<int32_t>{2024, 3, 31, 15, 30}));
        EXPECT_TRUE(services.messages.empty());
    }
}

// Against tests/reference/galilean_events.csv (scripts/reference/galilean_moons.py
// --events, PyEphem 4.1.4, eight days): each transit and occultation passing
// within 0.8 radii of the disk's centre and holding at a sample (with the
// tolerance to spare) starts and ends within 3 minutes (Io), 8 (Europa), 15
// (Ganymede), 20 (Callisto), a transit being the kinds 1 and 2 together;
// each eclipse seen from the Earth for 30 minutes or more overlaps an
// "Eclipse" row of its moon.
TEST_F(MoonEvents, GalileanEventsAgainstPyEphem) {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "galilean_events.csv");
    const std::map<std::string, int> moons = {{"io", 0}, {"europa", 1}, {"ganymede", 2}, {"callisto", 3}};
    const int tolerance[4] = {3, 8, 15, 20};
    int compared = 0, eclipses = 0, searched = 0;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        const int year = int(t.Get(r, "year")), month = int(t.Get(r, "month")), day = int(t.Get(r, "day"));
        if (year * 10000 + month * 100 + day != searched) Search(kJupiterMode, year, month, day);
        searched = year * 10000 + month * 100 + day;
        const int moon = moons.at(t.Text(r, "moon")), tol = tolerance[moon];
        const std::string kind = t.Text(r, "kind");
        const int start = int(t.Get(r, "start_minute")), end = int(t.Get(r, "end_minute"));
        SCOPED_TRACE(std::to_string(searched) + " " + t.Text(r, "moon") + " " + kind);
        if (kind == "eclipse") {
            if (end - start < 30 || end <= 12 || start >= 1380) continue;
            const MoonEventSlot* s = Slot(moon, kMoonEclipse);
            ASSERT_NE(s, nullptr);
            const int ourStart = start + Wrapped(Start(s), start);
            const int ourEnd = ourStart + (End(s) - Start(s) + 1440) % 1440;
            EXPECT_TRUE(ourStart < end && ourEnd > start) << ourStart << ".." << ourEnd;
            ++eclipses;
            continue;
        }
        bool sampled = false;
        for (int s = 12; s <= 1380; s += 12) sampled |= s >= start + tol && s < end - tol;
        if (t.Get(r, "least_distance") > 0.8 || !sampled) continue;  // grazing, or between samples
        int startError = 720, endError = -720;
        for (int k : kind == "transit" ? std::vector{kMoonTransit, kMoonTransitShadow} : std::vector{kMoonOccultation})
            if (const MoonEventSlot* s = Slot(moon, k)) {
                startError = std::min(startError, Wrapped(Start(s), start));
                endError = std::max(endError, Wrapped(End(s), end));
            }
        EXPECT_LE(std::abs(startError), tol);
        EXPECT_LE(std::abs(endError), tol);
        ++compared;
    }
    EXPECT_GE(compared, 12);
    EXPECT_GE(eclipses, 2);
}

// A transit that began the evening before and holds at 00:12 starts at hour
// 23 of the day before, the first minute of the transit; its end lies in the
// day.
TEST_F(MoonEvents, TransitInProgressAtFirstSampleStartsTheEveningBefore) {
    int month = 0, day = 0, moon = -1;
    for (int mo = 1; mo <= 12 && moon < 0; ++mo)
        for (int d = 2; d <= 28 && moon < 0; ++d)
            for (int m = 0; m < 4 && moon < 0; ++m)
                if (Code(mo, d, -60, m) != kMoonTransit && Code(mo, d, 0, m) == kMoonTransit &&
                    Code(mo, d, 12, m) == kMoonTransit)
                    month = mo, day = d, moon = m;
    ASSERT_GE(moon, 0);
    Search(kJupiterMode, 2024, month, day);
    const MoonEventSlot* s = Slot(moon, kMoonTransit);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ((std::vector{s->startHour, s->startDay}), (std::vector{23, day - 1}));
    EXPECT_NE(Code(month, day, Start(s) - 1441, moon), kMoonTransit);
    EXPECT_EQ(Code(month, day, Start(s) - 1440, moon), kMoonTransit);
    EXPECT_TRUE(End(s) > 12 && End(s) < 600) << End(s);
}

// A transit whose shadow reaches the disk while the moon is on it, the moon
// leaving first: "Transit" ends at the minute "Transit+Shadow" starts.
TEST_F(MoonEvents, TransitGainingItsShadowEndsWhereTheNextStarts) {
    int day = 0, moon = -1, change = -1;
    for (int d = 1; d <= 28 && moon < 0; ++d)
        for (int m = 0; m < 4 && moon < 0; ++m) {
            int first = -1, later = 0;
            for (int minute = 60; minute < 1320; ++minute) {
                const int code = Code(12, d, minute, m);
                if (code == kMoonTransitShadow && first < 0 && Code(12, d, minute - 1, m) == kMoonTransit)
                    first = minute;
                later += code == kMoonTransit && first >= 0;
            }
            if (first >= 0 && !later && Code(12, d, first - 30, m) == kMoonTransit &&
                Code(12, d, first + 30, m) == kMoonTransitShadow)
                day = d, moon = m, change = first;
        }
    ASSERT_GE(moon, 0);
    Search(kJupiterMode, 2024, 12, day);
    ASSERT_TRUE(Slot(moon, kMoonTransit) && Slot(moon, kMoonTransitShadow));
    EXPECT_EQ(End(Slot(moon, kMoonTransit)), change);
    EXPECT_EQ(Start(Slot(moon, kMoonTransitShadow)), change);
}

// A row's start and end as minutes from the searched day's 00:00, read
// against a reference event: a start hour after the event's as the evening
// before, an end hour before it as the morning after.
std::pair<int, int> RowMinutes(const MoonEventSlot& s, const ReferenceMoonEvent& e) {
    const int start = int(e.start) + Wrapped(Start(&s), int(e.start));
    return {start, int(e.end) + Wrapped(End(&s), int(e.end))};
}

bool Matches(const MoonEventSlot& s, const ReferenceMoonEvent& e) {
    const auto [start, end] = RowMinutes(s, e);
    return s.moon == e.moon && s.kind == e.kind && std::abs(start - e.start) <= e.startTolerance &&
           std::abs(end - e.end) <= e.endTolerance;
}

// A row the reference lacks, wholly within the tolerance of one edge of an
// event of its moon: a state that lasts a minute on one side of the theory's
// error and not at all on the other (a moon going behind the disk as it
// enters the shadow).
bool WithinAnEdge(const MoonEventSlot& s, const ReferenceMoonEvent& e) {
    const auto [start, end] = RowMinutes(s, e);
    const auto near = [&](double edge, double tolerance) {
        return std::abs(start - edge) <= tolerance && std::abs(end - edge) <= tolerance;
    };
    return s.moon == e.moon && (near(e.start, e.startTolerance) || near(e.end, e.endTolerance));
}

// Counts of the reference events a search's table was held to: all, those
// crossing one of the day's midnights, and those of them lasting over 5 h.
struct ReferenceCounts {
    int required = 0, acrossMidnight = 0, longAcrossMidnight = 0;
};

// The table of a search of a local date at a zone against
// moon_events_pyephem.csv (moon_event_reference.h): each event under way in
// the day by more than its tolerance is listed once, and every row is an event
// of the reference with its start and end within their tolerances (or a
// sliver within the tolerance of one of its edges).
void ExpectTableAsReference(int mode, int year, int month, int day, int zone, ReferenceCounts* counts) {
    std::vector<ReferenceMoonEvent> events = ReferenceMoonEvents(year, month, day, zone, 720);
    std::erase_if(events, [mode](const ReferenceMoonEvent& e) { return e.mode != mode; });
    for (const ReferenceMoonEvent& e : events) {
        if (e.Overlap() <= e.Tolerance()) continue;
        const auto rows = std::count_if(planetMoonState, planetMoonState + kMoonEventSlots,
                                        [&](const MoonEventSlot& s) { return Matches(s, e); });
        EXPECT_EQ(rows, 1) << e.moon << " " << e.kind << " " << e.start << ".." << e.end;
        const bool across = e.start < 0 || e.end > 1440;
        ++counts->required;
        counts->acrossMidnight += across;
        counts->longAcrossMidnight += across && e.end - e.start > 300;
    }
    for (const MoonEventSlot& s : planetMoonState)
        EXPECT_TRUE(s.startDay == 0 || std::any_of(events.begin(), events.end(), [&](auto& e) {
                        return Matches(s, e) || WithinAnEdge(s, e);
                    })) << s.moon << " " << s.kind << " " << Start(&s) << ".." << End(&s);
}

// Every local day of January 2027 at Sydney (+11 h, daylight saving), March
// at Tokyo (+9 h) and April at Denver (-7 h), and twelve days at +12 h and
// -9 h, Jupiter and Saturn, against moon_events_pyephem.csv
// (ExpectTableAsReference), the same for an event that crosses midnight.
// The day's last hour was never searched: an event starting after 23:00
// showed the next day with the evening's start, one between about 23:00 and
// 00:12 on neither day.
TEST_F(MoonEvents, EventsOfTheLastHourWereLostOrADayLate) {
    const struct {
        int zone, month, first, last;
    } sites[] = {{660, 1, 1, 31}, {540, 3, 1, 31}, {-420, 4, 1, 30}, {720, 3, 20, 31}, {-540, 4, 1, 12}};
    ReferenceCounts counts;
    for (const auto& site : sites)
        for (int day = site.first; day <= site.last; ++day)
            for (int mode : {kJupiterMode, kSaturnMode}) {
                SetTestSite(35.0, -139.7, site.zone);
                Search(mode, 2027, site.month, day);
                SCOPED_TRACE(::testing::Message() << site.zone << " 2027-" << site.month << "-" << day << " " << mode);
                ExpectTableAsReference(mode, 2027, site.month, day, site.zone, &counts);
            }
    EXPECT_GT(counts.required, 900);
    EXPECT_GT(counts.acrossMidnight, 80);
}

// Local days of March 2025 around Saturn's ring-plane crossing, when Titan's
// transits and eclipses last up to six hours (its transit with shadow of the
// 12th from 20:57 to 02:54 the next morning at +8 h, its passage of the 28th
// from 20:20 to 03:40), at zones from -9 h to +12 h: each Saturn event whole
// on every day it touches, as moon_events_pyephem.csv has it
// (ExpectTableAsReference).
const struct {
    int zone, day;
} kTitanDays[] = {{480, 12}, {480, 13}, {480, 28}, {480, 29}, {600, 12}, {600, 13},
                  {660, 13}, {720, 13}, {720, 29}, {-540, 12}, {-540, 28}};

TEST_F(MoonEvents, TitansSixHourEventsWholeOnBothDays) {
    ReferenceCounts counts;
    for (const auto& d : kTitanDays) {
        SetTestSite(35.0, -139.7, d.zone);
        Search(kSaturnMode, 2025, 3, d.day);
        SCOPED_TRACE(::testing::Message() << d.zone << " 2025-3-" << d.day);
        ExpectTableAsReference(kSaturnMode, 2025, 3, d.day, d.zone, &counts);
    }
    EXPECT_GE(counts.longAcrossMidnight, 4);
}

// The first and last node times of the Saturn table, read while a search
// samples (the busy indicator steps once a sample).
double tableFirst = 0.0, tableLast = 0.0;

int ReadTableSpan(int) {
    if (saturnMoonTable[0] && saturnMoonTableNodes > 0)
        tableFirst = saturnMoonTable[0][0], tableLast = saturnMoonTable[0][saturnMoonTableNodes - 1];
    return 0;
}

// Every instant a Saturn search asks of its table lies within its nodes: the
// refinement walks from a row's start back to the minute before it and from
// its end's sample on to its end (the day's samples lie within). Titan's days
// above, and the first and last days of months and of the year at -9 h to
// +12 h. A table of seven nodes from local midnight was read up to half a
// day past its last node, where its polynomial runs away.
TEST_F(MoonEvents, SaturnTableReadBeyondItsNodes) {
    struct Day {
        int zone, year, month, day;
    };
    std::vector<Day> days = {{660, 2027, 1, 1},   {-540, 2027, 1, 1},  {720, 2027, 1, 31}, {540, 2027, 3, 1},
                             {540, 2027, 3, 31},  {720, 2027, 3, 31},  {-420, 2027, 4, 1}, {-540, 2027, 4, 30}};
    for (const auto& d : kTitanDays) days.push_back({d.zone, 2025, 3, d.day});
    ServiceHooks hooks;
    hooks.stepBusyIndicator = ReadTableSpan;
    const ServiceHooks previous = InstallServiceHooks(hooks);
    int rows = 0;
    for (const Day& d : days) {
        SCOPED_TRACE(::testing::Message() << d.zone << " " << d.year << "-" << d.month << "-" << d.day);
        SetTestSite(35.0, -139.7, d.zone);
        tableFirst = tableLast = 0.0;
        Search(kSaturnMode, d.year, d.month, d.day);
        ASSERT_GT(tableLast, tableFirst);
        const int deltaT = static_cast<int>(ComputeDeltaT(d.year, d.month, d.day));
        const double midnight = JulianDayFromDateTime(d.year, d.month, d.day, 0, 0, deltaT, d.zone);
        for (const MoonEventSlot& s : planetMoonState) {
            if (s.startDay == 0) continue;
            const double start = midnight + (Start(&s) - 1 - (s.startDay == d.day ? 0 : 1440)) / 1440.0;
            const double end = midnight + (End(&s) + (s.endDay == d.day ? 0 : 1440)) / 1440.0;
            EXPECT_GE(start, tableFirst - 1e-6) << s.moon << " " << s.kind << " " << Start(&s);
            EXPECT_LE(end, tableLast + 1e-6) << s.moon << " " << s.kind << " " << End(&s);
            ++rows;
        }
    }
    InstallServiceHooks(previous);
    EXPECT_GT(rows, 100);
}

// A moon's rows in the table's order, each matched to its event of
// moon_events_pyephem.csv, on days that one of its events was under way at
// midnight, having begun the evening before (at Tokyo, +9 h, on the first of
// April from 31 March; at Sydney, +11 h, on New Year's Day from 31
// December): that event comes first, the others by their starts. It kept the
// searched day with its evening hour, so it sorted after the day's later
// events and read as that evening's.
TEST_F(MoonEvents, EventOfTheEveningBeforeSortedAfterTheDaysLaterOnes) {
    const struct {
        int mode, zone, year, month, day, moon;
    } cases[] = {
        {kJupiterMode, 540, 2027, 3, 2, 0},  {kJupiterMode, 540, 2027, 3, 9, 0}, {kJupiterMode, 540, 2027, 3, 24, 0},
        {kJupiterMode, 540, 2027, 4, 1, 0},  {kSaturnMode, 660, 2027, 1, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.zone << " " << c.year << "-" << c.month << "-" << c.day);
        SetTestSite(35.0, -139.7, c.zone);
        Search(c.mode, c.year, c.month, c.day);
        const std::vector<ReferenceMoonEvent> events = ReferenceMoonEvents(c.year, c.month, c.day, c.zone, 720);
        std::vector<double> starts;
        for (const MoonEventSlot& s : planetMoonState) {
            const auto e = std::find_if(events.begin(), events.end(), [&](const ReferenceMoonEvent& r) {
                return r.mode == c.mode && s.startDay != 0 && s.moon == c.moon && Matches(s, r);
            });
            if (e != events.end()) starts.push_back(e->start);
        }
        ASSERT_GE(starts.size(), 3u);
        EXPECT_LT(starts.front(), 0.0);
        EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end())) << ::testing::PrintToString(starts);
    }
}

// Moon, then start day, hour, minute, each difference as a signed 16-bit
// value (65536 counts as none), but for two filled start days more than one
// apart, a month's last day and the next month's first, the last day first;
// empty slots (moon 0, day 0) sort first.
TEST_F(MoonEvents, CompareMoonEvents) {
    const struct {
        MoonEventSlot a, b;
        int sign;
    } cases[] = {
        {{1, 1, 5, 3, 0, 0, 0, 0}, {2, 1, 5, 1, 0, 0, 0, 0}, -1},
        {{2, 4, 5, 9, 40, 0, 0, 0}, {2, 1, 5, 9, 10, 0, 0, 0}, 1},
        {{3, 4, 5, 9, 10, 0, 0, 0}, {3, 1, 5, 9, 10, 0, 0, 0}, 0},
        {{0, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 5, 2, 0, 0, 0, 0}, -1},
        {{65536, 1, 5, 2, 0, 0, 0, 0}, {0, 1, 5, 1, 0, 0, 0, 0}, 1},
        {{1, 1, 31, 23, 50, 0, 0, 0}, {1, 4, 1, 2, 0, 0, 0, 0}, -1},
        {{1, 4, 1, 2, 0, 0, 0, 0}, {1, 1, 28, 23, 50, 0, 0, 0}, 1},
        {{1, 4, 1, 2, 0, 0, 0, 0}, {1, 1, 2, 0, 10, 0, 0, 0}, -1},
        {{0, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 31, 23, 0, 0, 0, 0}, -1},
    };
    for (const auto& c : cases) {
        const int r = CompareMoonEvents(&c.a, &c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a.moon << " " << c.a.startHour;
    }
}

}  // namespace
