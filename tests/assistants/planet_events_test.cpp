// The planets assistant's event search: lunations against the USNO phase
// tables, eclipses against NASA's eclipse canon, oppositions, inferior
// conjunctions and close conjunctions against PyEphem
// (scripts/reference/planet_events.py), and the list's merge, refinement,
// order and filter rules.
#include "assistants/planet_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "assistants/planet_assistant.h"
#include "assistants/planet_events_view.h"
#include "core/julian_day.h"
#include "ephemeris/body_positions.h"
#include "support/recording_services.h"
#include "support/reference_table.h"
#include "support/test_site.h"

namespace {

// An entry as the tests add it: bodies, kind, value and date.
struct Entry {
    int body1, body2, kind;
    float value;
    int year, month, day;
};

void Add(const Entry& e) {
    AddPlanetEvent(0, e.body1, 0, e.body2, e.kind, e.value, e.year, e.month, e.day, 12, 0, 1, 0);
}

double JulianDay(const PlannerEvent& e) {
    return JulianDayFromDate(e.year, e.month, e.day) + (e.hour + e.minute / 60.0) / 24.0;
}

std::vector<PlannerEvent> Events(int kind) {
    std::vector<PlannerEvent> out;
    for (int i = 0; i < plannerEventCount; ++i)
        if (plannerEvents[i].kind == kind) out.push_back(plannerEvents[i]);
    return out;
}

class PlanetEvents : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        SetTestSite(51.0, 0.0, 0);
        ResetPlanetAssistantState();
        FreeEventList();
    }
    void TearDown() override { FreeEventList(); }

    void Search(int year, int month, int day, int period) {
        FreeEventList();
        RunPlanetEventSearch(year, month, day, EventPeriodDays(period));
    }
    RecordingServices services;
};

// USNO phases of the Moon, 2024: new Moon 11 January 11:57, full Moon 25 January 17:54 (UT).
TEST_F(PlanetEvents, OneMonthHoldsOneFullAndOneNewMoon) {
    Search(2024, 1, 1, 0);
    const std::vector<PlannerEvent> moons = Events(kEventLunation);
    ASSERT_EQ(moons.size(), 2u);
    const struct {
        float value;
        int day, hour, minute;
    } expected[] = {{0.0f, 11, 11, 57}, {100.0f, 25, 17, 54}};
    for (const auto& x : expected) {
        int found = 0;
        for (const PlannerEvent& e : moons) {
            if (e.value != x.value) continue;
            ++found;
            const double minutes = (JulianDay(e) - (JulianDayFromDate(2024, 1, x.day) + (x.hour + x.minute / 60.0) / 24)) * 1440;
            EXPECT_LE(std::abs(minutes), 2.0) << x.value;
        }
        EXPECT_EQ(found, 1) << x.value;
    }
    EXPECT_EQ(services.busySteps, 2 + 30);  // one step a lunation and a day
    EXPECT_EQ(services.busyEnds, 1);
}

// USNO phases of the Moon: the 370 days from 2024-01-01 hold the 13 new Moons from
// 11 January to 30 December 2024 and the 12 full Moons from 25 January to 15 December
// (the next, 13 January 2025, falls after them).
TEST_F(PlanetEvents, OneYearHoldsThePhasesOfItsDays) {
    Search(2024, 1, 1, 3);
    int full = 0, fresh = 0;
    for (const PlannerEvent& e : Events(kEventLunation)) (e.value > 0.9f ? full : fresh)++;
    EXPECT_EQ(full, 12);
    EXPECT_EQ(fresh, 13);
}

// NASA's eclipse canon, 2024-03-10 .. 2025-03-14 (the last day of the 370).
TEST_F(PlanetEvents, OneYearFindsTheEclipsesOfTheCanon) {
    Search(2024, 3, 10, 3);
    const struct {
        int kind, year, month, day;
        float value;
    } expected[] = {{kEventLunarEclipse, 2024, 3, 25, 1}, {kEventLunarEclipse, 2024, 9, 18, 2},
                    {kEventLunarEclipse, 2025, 3, 14, 4}, {kEventSolarEclipse, 2024, 4, 8, 4},
                    {kEventSolarEclipse, 2024, 10, 2, 3}};
    std::vector<PlannerEvent> eclipses = Events(kEventLunarEclipse);
    for (const PlannerEvent& e : Events(kEventSolarEclipse)) eclipses.push_back(e);
    ASSERT_EQ(eclipses.size(), std::size(expected));
    for (std::size_t i = 0; i < eclipses.size(); ++i) {
        const PlannerEvent& e = eclipses[i];
        EXPECT_EQ(e.kind, expected[i].kind) << i;
        EXPECT_EQ(e.year * 10000 + e.month * 100 + e.day,
                  expected[i].year * 10000 + expected[i].month * 100 + expected[i].day) << i;
        EXPECT_EQ(e.value, expected[i].value) << i;
    }

    eventFilter = 4;
    SortPlanetEvents();
    ASSERT_EQ(FilteredEventCount(), 5);
    const int first = FirstFilteredEventIndex();
    char text[64];
    const char* rows[] = {"2024/03/25 Penumbral lunar eclipse", "2024/09/18 Partial lunar eclipse",
                          "2025/03/14 Total lunar eclipse", "2024/04/08 Total solar eclipse",
                          "2024/10/02 Annular solar eclipse"};
    for (int r = 0; r < 5; ++r) {
        PlanetEventRowText(first + r, text, sizeof text);
        EXPECT_STREQ(text, rows[r]);
    }
}

// An eclipse minutes inside the period whose syzygy falls just outside it (NASA's
// canon, and PyEphem's phases in tests/reference/planet_events.csv): the partial solar
// eclipse of 2029-12-05 15:02 UT follows the new Moon of 14:52, and the period from 0 h
// JST starts at 15:00 UT; the penumbral lunar eclipse of 2030-12-09 22:27 UT precedes
// the full Moon of 22:40, and the 30 days from 2030-11-10 at zone +1:30 end at 22:30
// UT. The eclipse is listed, its lunation is not.
TEST_F(PlanetEvents, EclipseInThePeriodWhoseLunationIsNot) {
    const struct {
        int zone, year, month, day, kind, eclipseDay;
        float lunation;
    } cases[] = {{540, 2029, 12, 6, kEventSolarEclipse, 5, 0.0f}, {90, 2030, 11, 10, kEventLunarEclipse, 9, 100.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        SetTestSite(51.0, 0.0, c.zone);
        Search(c.year, c.month, c.day, 0);
        const std::vector<PlannerEvent> eclipses = Events(c.kind);
        ASSERT_EQ(eclipses.size(), 1u);
        EXPECT_EQ(eclipses[0].day, c.eclipseDay);
        for (const PlannerEvent& e : Events(kEventLunation))
            EXPECT_FALSE(e.value == c.lunation && std::abs(JulianDay(e) - JulianDay(eclipses[0])) < 1) << e.day;
    }
}

TEST_F(PlanetEvents, FilterWithoutEventsShowsNoRows) {
    Search(2024, 5, 1, 0);  // May 2024: no eclipse
    eventFilter = 4;
    SortPlanetEvents();
    EXPECT_EQ(FilteredEventCount(), 0);
    EXPECT_EQ(FirstFilteredEventIndex(), plannerEventCount);
}

class PlanetEventsAgainstPyEphem : public PlanetEvents {
protected:
    void SetUp() override {
        PlanetEvents::SetUp();
        table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "planet_events.csv");
        ASSERT_GT(table.rows.size(), 50u);
    }
    // Reference rows of a kind whose instant lies in the period's days.
    std::vector<std::size_t> Rows(const std::string& kind, double from, double days) const {
        std::vector<std::size_t> out;
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            const double jd = table.Get(r, "jd");
            if (table.Text(r, "kind") == kind && jd >= from && jd < from + days) out.push_back(r);
        }
        return out;
    }
    const PlannerEvent* Nearest(int kind, int body1, int body2, double jd) const {
        const PlannerEvent* best = nullptr;
        for (int i = 0; i < plannerEventCount; ++i) {
            const PlannerEvent& e = plannerEvents[i];
            if (e.kind != kind || e.body1 != body1 || e.body2 != body2) continue;
            if (!best || std::abs(JulianDay(e) - jd) < std::abs(JulianDay(*best) - jd)) best = &e;
        }
        return best;
    }
    ReferenceTable table;
};

TEST_F(PlanetEventsAgainstPyEphem, OppositionsWithinOneDay) {
    Search(2024, 3, 1, 3);
    const double start = JulianDayFromDate(2024, 3, 1);
    const std::vector<std::size_t> rows = Rows("opposition", start, 370);
    ASSERT_EQ(rows.size(), 6u);  // Mars, Jupiter, Saturn, Uranus, Neptune, Pluto
    for (std::size_t r : rows) {
        const int body = static_cast<int>(table.Get(r, "body1"));
        const PlannerEvent* e = Nearest(kEventOpposition, body, 0, table.Get(r, "jd"));
        ASSERT_NE(e, nullptr) << body;
        EXPECT_LE(std::abs(JulianDay(*e) - table.Get(r, "jd")), 1.0) << body;
    }
    EXPECT_EQ(static_cast<int>(Events(kEventOpposition).size()), 6 + 3);  // and Mercury's three
}

// Mercury's inferior conjunctions of 2024: each an "Inf. Conj." row; a
// "Conj." row with the Sun only where the separation from the Sun stays under 3 degrees.
TEST_F(PlanetEventsAgainstPyEphem, MercuryInferiorConjunctions) {
    Search(2024, 3, 1, 3);
    const std::vector<std::size_t> rows = Rows("inferior", JulianDayFromDate(2024, 3, 1), 370);
    int mercury = 0;
    for (std::size_t r : rows) {
        if (table.Get(r, "body1") != 2) continue;
        ++mercury;
        const double jd = table.Get(r, "jd");
        const PlannerEvent* e = Nearest(kEventOpposition, 2, 0, jd);
        ASSERT_NE(e, nullptr);
        EXPECT_LE(std::abs(JulianDay(*e) - jd), 1.0);
        char text[64];
        PlanetEventRowText(static_cast<int>(e - plannerEvents), text, sizeof text);
        EXPECT_NE(std::string(text).find(" Inf. Conj."), std::string::npos) << text;
        const PlannerEvent* c = Nearest(kEventConjunction, 2, 0, jd);
        const bool close = table.Get(r, "value") < 3.0;
        EXPECT_EQ(c != nullptr && std::abs(JulianDay(*c) - jd) < 2.0, close) << table.Get(r, "value");
    }
    EXPECT_EQ(mercury, 3);
}

// The daily angle passes 1 degree by on 2025-11-19/20 (Mercury gains 5 degrees a day).
TEST_F(PlanetEventsAgainstPyEphem, InferiorConjunctionBetweenTwoDaysIsNotMissed) {
    Search(2025, 9, 1, 2);
    const std::vector<std::size_t> rows = Rows("inferior", JulianDayFromDate(2025, 9, 1), 180);
    ASSERT_EQ(rows.size(), 1u);
    const double jd = table.Get(rows[0], "jd");
    const PlannerEvent* e = Nearest(kEventOpposition, 2, 0, jd);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->year * 10000 + e->month * 100 + e->day, 20251120);
    const PlannerEvent* c = Nearest(kEventConjunction, 2, 0, jd);
    ASSERT_NE(c, nullptr);
    EXPECT_NEAR(c->value, table.Get(rows[0], "value"), 0.05);
}

// Every close pair of the reference (below 1.2 degrees) is found with its
// separation and instant; every conjunction found is a reference minimum.
TEST_F(PlanetEventsAgainstPyEphem, CloseConjunctionsMatchTheReferenceMinima) {
    Search(2024, 3, 1, 3);
    const double start = JulianDayFromDate(2024, 3, 1);
    const std::vector<std::size_t> minima = Rows("minimum", start, 370);
    int close = 0;
    for (std::size_t r : minima) {
        if (table.Get(r, "value") >= 1.2 || table.Get(r, "body2") == 0) continue;  // pairs of planets
        ++close;
        const int b1 = static_cast<int>(table.Get(r, "body1")), b2 = static_cast<int>(table.Get(r, "body2"));
        const PlannerEvent* e = Nearest(kEventConjunction, b1, b2, table.Get(r, "jd"));
        ASSERT_NE(e, nullptr) << b1 << "-" << b2;
        EXPECT_NEAR(e->value, table.Get(r, "value"), 0.05) << b1 << "-" << b2;
        EXPECT_LE(std::abs(JulianDay(*e) - table.Get(r, "jd")) * 24, 6.0) << b1 << "-" << b2;
    }
    EXPECT_EQ(close, 13);  // pairs of planets below 1.2 degrees in the period
    for (const PlannerEvent& e : Events(kEventConjunction)) {
        bool matched = false;
        for (std::size_t r : Rows("minimum", start - 2, 374))
            matched = matched || (table.Get(r, "body1") == e.body1 && table.Get(r, "body2") == e.body2 &&
                                  table.Get(r, "value") < 3.1 && std::abs(table.Get(r, "jd") - JulianDay(e)) < 2);
        EXPECT_TRUE(matched) << e.body1 << "-" << e.body2 << " " << e.year << "/" << e.month << "/" << e.day;
    }
}

// Ten starting dates of 2024-2029, each with a 30-day and a one-year period: the
// reference events (PyEphem, ERFA's eclipses; scripts/reference/planet_events.py) whose
// instant falls in the period's days from 0 h UT of the date.
class PlanetEventPeriods : public PlanetEventsAgainstPyEphem {
protected:
    template <class Check>
    void ForEachPeriod(Check check) {
        const int starts[][3] = {{2024, 3, 25}, {2024, 4, 1},   {2025, 3, 1},  {2025, 3, 10}, {2025, 6, 20},
                                 {2026, 2, 1},  {2026, 10, 15}, {2027, 9, 20}, {2028, 5, 20}, {2029, 12, 20}};
        for (const auto& d : starts)
            for (int period : {0, 3}) {
                SCOPED_TRACE(std::to_string(d[0] * 10000 + d[1] * 100 + d[2]) + " +" +
                             std::to_string(EventPeriodDays(period)));
                Search(d[0], d[1], d[2], period);
                check(JulianDayFromDate(d[0], d[1], d[2]), EventPeriodDays(period));
            }
    }
    std::vector<PlannerEvent> Matching(int kind, int body1, int body2, float value) const {
        std::vector<PlannerEvent> out;
        for (const PlannerEvent& e : Events(kind))
            if (e.body1 == body1 && e.body2 == body2 && (value < 0 || e.value == value)) out.push_back(e);
        return out;
    }
    // Error (arcseconds) of the program's place of a body at a reference row's instant.
    double PlaceError(int body, std::size_t r, const char* ra, const char* dec) const {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        CalendarFromJulianDay(table.Get(r, "jd"), &year, &month, &day, &hour, &minute, &second);
        BodyPosition p{};
        ComputeBody(&p, body, year, month, day, hour, minute, second);
        return SeparationArcsec(p.ra, p.dec, table.Get(r, ra), table.Get(r, dec));
    }
};

// Every new and full Moon and eclipse of the period, within 2 minutes, and none outside
// (a penumbral eclipse of penumbral magnitude below 0.05 may be listed or not).
TEST_F(PlanetEventPeriods, EveryLunationAndEclipseOfThePeriodOnly) {
    const struct {
        const char* kind;
        int event;
        float value;  // of a lunation; an eclipse's is its kind in the table
    } kinds[] = {{"new", kEventLunation, 0.0f}, {"full", kEventLunation, 100.0f},
                 {"lunar", kEventLunarEclipse, -1.0f}, {"solar", kEventSolarEclipse, -1.0f}};
    ForEachPeriod([&](double from, int days) {
        for (const auto& k : kinds) {
            const std::vector<PlannerEvent> listed = Matching(k.event, 0, 0, k.value);
            auto listedAt = [&](std::size_t r) {
                const float value = k.value < 0 ? static_cast<float>(table.Get(r, "value")) : k.value;
                for (const PlannerEvent& e : listed)
                    if (e.value == value && std::abs(JulianDay(e) - table.Get(r, "jd")) * 1440 <= 2.0) return true;
                return false;
            };
            const std::vector<std::size_t> rows = Rows(k.kind, from, days);
            std::size_t expected = rows.size();
            for (std::size_t r : rows) EXPECT_TRUE(listedAt(r)) << k.kind << " " << table.Get(r, "jd");
            if (k.event == kEventLunarEclipse)
                for (std::size_t r : Rows("lunar_marginal", from, days)) expected += listedAt(r);
            EXPECT_EQ(listed.size(), expected) << k.kind;
        }
    });
}

// Oppositions and inferior conjunctions (in ecliptic longitude) on their UT date and
// within 30 minutes, each once, none outside the period.
TEST_F(PlanetEventPeriods, OppositionsAndInferiorConjunctionsAtTheirHour) {
    ForEachPeriod([&](double from, int days) {
        std::vector<std::size_t> rows = Rows("opposition", from, days);
        for (std::size_t r : Rows("inferior", from, days)) rows.push_back(r);
        EXPECT_EQ(Events(kEventOpposition).size(), rows.size());
        for (std::size_t r : rows) {
            const PlannerEvent* e = Nearest(kEventOpposition, static_cast<int>(table.Get(r, "body1")), 0, table.Get(r, "jd"));
            ASSERT_NE(e, nullptr) << table.Get(r, "body1");
            EXPECT_EQ(e->year * 10000 + e->month * 100 + e->day,
                      table.Get(r, "year") * 10000 + table.Get(r, "month") * 100 + table.Get(r, "day"));
            EXPECT_LE(std::abs(JulianDay(*e) - table.Get(r, "jd")) * 1440, 30.0) << table.Get(r, "body1");
        }
    });
}

// Appulses once each: every minimum of two planets below 1.8 degrees in the period listed
// once; every conjunction listed is a reference minimum, its separation within the errors
// of the two places plus 5", its time within an hour, or where the minimum is so flat that
// the places' errors move it further, within the time over which the reference separation
// stays within those errors of its least (Saturn and Neptune, both near their stationary
// points in July 2025).
TEST_F(PlanetEventPeriods, AppulsesOnceEachAtTheirLeastSeparation) {
    ForEachPeriod([&](double from, int days) {
        for (std::size_t r : Rows("minimum", from, days)) {
            if (table.Get(r, "body2") == 0 || table.Get(r, "value") >= 1.8) continue;
            int listed = 0;
            for (const PlannerEvent& e : Matching(kEventConjunction, static_cast<int>(table.Get(r, "body1")),
                                                  static_cast<int>(table.Get(r, "body2")), -1.0f))
                listed += std::abs(JulianDay(e) - table.Get(r, "jd")) < 5.0;
            EXPECT_EQ(listed, 1) << table.Get(r, "body1") << "-" << table.Get(r, "body2") << " " << table.Get(r, "jd");
        }
        for (const PlannerEvent& e : Events(kEventConjunction)) {
            std::size_t match = table.rows.size();
            for (std::size_t r : Rows("minimum", from - 5, days + 10))
                if (table.Get(r, "body1") == e.body1 && table.Get(r, "body2") == e.body2 &&
                    std::abs(JulianDay(e) - table.Get(r, "jd")) < 5.0)
                    match = r;
            ASSERT_LT(match, table.rows.size()) << e.body1 << "-" << e.body2 << " " << e.year << "/" << e.month << "/" << e.day;
            const double errors = PlaceError(e.body1, match, "ra1", "dec1") + PlaceError(e.body2, match, "ra2", "dec2");
            EXPECT_LE(std::abs(e.value - table.Get(match, "value")) * 3600, errors + 5.0) << e.body1 << "-" << e.body2;
            const double flatHours = 24.0 * std::sqrt(2.0 * errors / table.Get(match, "curvature"));
            EXPECT_LE(std::abs(JulianDay(e) - table.Get(match, "jd")) * 24, std::max(1.0, flatHours))
                << e.body1 << "-" << e.body2 << " " << e.year << "/" << e.month << "/" << e.day;
        }
    });
}

// The refined instants are universal time whatever the zone.
TEST_F(PlanetEventsAgainstPyEphem, ConjunctionInstantsAreUniversalTimeInAnyZone) {
    Search(2024, 3, 1, 3);
    const std::vector<PlannerEvent> atGreenwich = Events(kEventConjunction);
    SetTestSite(51.0, 0.0, 600);
    Search(2024, 3, 1, 3);
    for (const PlannerEvent& g : atGreenwich) {
        if (g.value >= 1.2f) continue;
        const PlannerEvent* e = Nearest(kEventConjunction, g.body1, g.body2, JulianDay(g));
        ASSERT_NE(e, nullptr);
        EXPECT_LE(std::abs(JulianDay(*e) - JulianDay(g)) * 1440, 2.0) << g.body1 << "-" << g.body2;
    }
}

TEST_F(PlanetEvents, MergeKeepsTheSmallerAngleOfTheLastThree) {
    const struct {
        const char* what;
        std::vector<Entry> adds;
        std::vector<int> days;  // days of the entries left, in order
    } cases[] = {
        {"smaller second", {{5, 0, 1, 0.8f, 2024, 12, 6}, {5, 0, 1, 0.5f, 2024, 12, 7}}, {7}},
        {"smaller first", {{5, 0, 1, 0.5f, 2024, 12, 6}, {5, 0, 1, 0.8f, 2024, 12, 7}}, {6}},
        {"other kind", {{5, 0, 1, 0.8f, 2024, 12, 6}, {5, 0, 2, 0.5f, 2024, 12, 7}}, {6, 7}},
        {"three between",
         {{5, 0, 1, 0.8f, 2024, 12, 6},
          {2, 3, 2, 1.0f, 2024, 12, 6},
          {2, 4, 2, 1.0f, 2024, 12, 6},
          {3, 4, 2, 1.0f, 2024, 12, 6},
          {5, 0, 1, 0.5f, 2024, 12, 7}},
         {6, 6, 6, 6, 7}},
        {"two between",
         {{5, 0, 1, 0.8f, 2024, 12, 6},
          {2, 3, 2, 1.0f, 2024, 12, 6},
          {2, 4, 2, 1.0f, 2024, 12, 6},
          {5, 0, 1, 0.5f, 2024, 12, 7}},
         {7, 6, 6}},
        {"lunations never merge", {{0, 0, 3, 100, 2024, 1, 25}, {0, 0, 3, 100, 2024, 2, 24}}, {25, 24}},
    };
    for (const auto& c : cases) {
        FreeEventList();
        for (const Entry& e : c.adds) Add(e);
        ASSERT_EQ(plannerEventCount, static_cast<int>(c.days.size())) << c.what;
        for (std::size_t i = 0; i < c.days.size(); ++i) EXPECT_EQ(plannerEvents[i].day, c.days[i]) << c.what;
    }
}

TEST_F(PlanetEvents, HundredAndFirstEventIsDropped) {
    for (int i = 0; i < 101; ++i) AddPlanetEvent(0, 0, 0, 0, kEventLunation, 0, 2024, 1, 1 + i % 28, 0, 0, 1, 0);
    EXPECT_EQ(plannerEventCount, kPlannerEventCapacity);
    EXPECT_EQ(plannerEvents[99].day, 1 + 99 % 28);
    FreeEventList();
    EXPECT_EQ(plannerEvents, nullptr);
    EXPECT_EQ(plannerEventCount, 0);
}

// Mars and Jupiter stood 90 degrees apart on 2024-01-01: such a candidate
// disappears, and two in a row both do; Mars and Neptune met on 2024-04-29
// at 0.03 degree (PyEphem: 04:31 UT).
TEST_F(PlanetEvents, RefinementRemovesWideCandidates) {
    AddPlanetEvent(0, 0, 0, 0, kEventLunation, 100, 2024, 1, 25, 17, 54, 1, 0);
    AddPlanetEvent(0, 4, 0, 5, kEventConjunction, 1.5f, 2024, 1, 1, 12, 0, 1, 0);
    AddPlanetEvent(0, 4, 0, 6, kEventConjunction, 1.5f, 2024, 1, 1, 12, 0, 1, 0);
    AddPlanetEvent(0, 4, 0, 8, kEventConjunction, 1.5f, 2024, 4, 29, 12, 0, 1, 0);
    AddPlanetEvent(0, 4, 0, 7, kEventConjunction, 1.5f, 2024, 1, 1, 12, 0, 1, 0);
    RefinePlanetConjunctions();
    ASSERT_EQ(plannerEventCount, 2);
    EXPECT_EQ(plannerEvents[0].kind, kEventLunation);
    EXPECT_EQ(plannerEvents[0].hour, 17);
    const PlannerEvent& e = plannerEvents[1];
    EXPECT_EQ(e.body2, 8);
    EXPECT_NEAR(e.value, 0.0343, 0.02);
    EXPECT_NEAR((JulianDay(e) - (JulianDayFromDate(2024, 4, 29) + (4 + 31 / 60.0) / 24)) * 24, 0.0, 2.0);
}

// A year that runs past the end of the planets' theory (JD 2560000.5, 2296
// December 10 by PyEphem's calendar): its planets' events before the end are
// listed, none after it (refined there from zero places, conjunctions were
// listed at a separation of 0); Pluto's series ended in 2099.
TEST_F(PlanetEvents, NoPlanetEventPastTheEndOfItsTheory) {
    Search(2296, 6, 1, 3);
    int listed = 0;
    for (const PlannerEvent& e : std::vector<PlannerEvent>(plannerEvents, plannerEvents + plannerEventCount)) {
        if (e.kind > kEventConjunction) continue;
        EXPECT_LT(JulianDay(e), 2560000.5) << e.body1 << " " << e.body2;
        ++listed;
    }
    EXPECT_GT(listed, 5);
}

TEST_F(PlanetEvents, OrderAndFilter) {
    const Entry list[] = {{5, 0, 1, 0.5f, 2024, 12, 7}, {0, 0, 3, 100, 2024, 3, 25},
                                 {0, 0, 5, 1, 2024, 3, 25},    {4, 8, 2, 0.1f, 2024, 4, 29},
                                 {0, 0, 6, 4, 2024, 4, 8},     {0, 0, 3, 0, 2024, 4, 8}};
    const struct {
        int filter;
        int count;
        std::vector<int> kinds;  // of the shown rows, in order
        std::vector<int> months;
    } cases[] = {
        {0, 6, {3, 5, 6, 3, 2, 1}, {3, 3, 4, 4, 4, 12}},
        {1, 1, {2}, {4}},
        {2, 2, {3, 3}, {3, 4}},
        {3, 1, {1}, {12}},
        {4, 2, {5, 6}, {3, 4}},
    };
    for (const auto& c : cases) {
        FreeEventList();
        for (const Entry& e : list) Add(e);
        eventFilter = c.filter;
        SortPlanetEvents();
        ASSERT_EQ(FilteredEventCount(), c.count) << c.filter;
        const int first = FirstFilteredEventIndex();
        for (int r = 0; r < c.count; ++r) {
            EXPECT_EQ(plannerEvents[first + r].month, c.months[static_cast<std::size_t>(r)]) << c.filter << " " << r;
            if (c.filter > 0) {
                EXPECT_EQ(plannerEvents[first + r].kind, c.kinds[static_cast<std::size_t>(r)]);
            }
        }
    }
    FreeEventList();
    EXPECT_EQ(eventFilter, 0);
}

TEST_F(PlanetEvents, RowTexts) {
    const struct {
        Entry e;
        const char* text;
    } cases[] = {
        {{5, 0, 1, 0.3f, 2024, 12, 7}, "2024/12/07 Opp. "},
        {{2, 0, 1, 0.3f, 2024, 4, 11}, "2024/04/11 Inf. Conj."},
        {{3, 0, 1, 0.3f, 2025, 3, 23}, "2025/03/23 Inf. Conj."},
        {{4, 5, 2, 0.31f, 2024, 8, 14}, "2024/08/14 Conj. 00\xB0" "18'36"},
        {{0, 0, 3, 100, 2024, 1, 25}, "2024/01/25 Full Moon"},
        {{0, 0, 3, 0, 2024, 1, 11}, "2024/01/11 New Moon"},
        {{0, 0, 6, 3, 2024, 10, 2}, "2024/10/02 Annular solar eclipse"},
        {{0, 0, 4, 0, 2024, 10, 2}, "Unknown event"},
    };
    for (const auto& c : cases) {
        FreeEventList();
        Add(c.e);
        char text[64];
        PlanetEventRowText(0, text, sizeof text);
        EXPECT_STREQ(text, c.text);
    }
}

}  // namespace
