// The planets assistant's event search: lunations against the USNO phase
// tables, eclipses against NASA's eclipse canon, oppositions, inferior
// conjunctions and close conjunctions against PyEphem
// (scripts/reference/planet_events.py), and the list's merge, refinement,
// order and filter rules.
#include "assistants/planet_events.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "assistants/planet_assistant.h"
#include "assistants/planet_events_view.h"
#include "core/julian_day.h"
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

TEST_F(PlanetEvents, OneYearHoldsThirteenOfEachPhase) {
    Search(2024, 1, 1, 3);
    int full = 0, fresh = 0;
    for (const PlannerEvent& e : Events(kEventLunation)) (e.value > 0.9f ? full : fresh)++;
    EXPECT_EQ(full, 13);
    EXPECT_EQ(fresh, 13);
}

// NASA's eclipse canon, 2024-03-01 .. 2025-03-05.
TEST_F(PlanetEvents, OneYearFindsTheEclipsesOfTheCanon) {
    Search(2024, 3, 1, 3);
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
    const std::vector<std::size_t> rows = Rows("crossing", JulianDayFromDate(2024, 3, 1), 370);
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
    const std::vector<std::size_t> rows = Rows("crossing", JulianDayFromDate(2025, 9, 1), 180);
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
