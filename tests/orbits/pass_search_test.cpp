// The next pass and the Pass and Transit searches against skyfield's passes
// and Moon transit (tests/reference/satellite_*_skyfield.csv), and the ends of
// a search: the window, 30 days, a held key, a geostationary or refused set.
#include "orbits/pass_search.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "core/date_text.h"
#include "core/program_hooks.h"
#include "platform/harness.h"
#include "platform/messages.h"
#include "satellite_search_fixture.h"
#include "support/message_loop.h"
#include "support/recording_window.h"
#include "support/test_harness.h"
#include "ui/input_polling.h"

namespace {

struct Pass {
    double rise, set;
};

// Reference passes by (number, latitude, east longitude).
using PassKey = std::tuple<int, double, double>;
std::map<PassKey, std::vector<Pass>> ReferencePasses() {
    ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "satellite_passes_skyfield.csv");
    std::map<PassKey, std::vector<Pass>> out;
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        PassKey key{static_cast<int>(t.Get(i, "number")), t.Get(i, "latitude"), t.Get(i, "longitude")};
        out[key].push_back({t.Get(i, "rise_jd"), t.Get(i, "set_jd")});
    }
    return out;
}

// Every pass that FindNextPass finds from `start` to `end`, each search going
// on a minute after the last set.
std::vector<Pass> FindPasses(SatelliteElements* el, double start, double end) {
    const ObserverSite observer = ObserverFromCurrentSite(0.0);
    std::vector<Pass> found;
    Pass p{};
    for (double t = start; FindNextPass(t, end, &p.rise, &p.set, el, &observer, 0, 0) == 1; t = p.set + 1.0 / 1440.0)
        found.push_back(p);
    return found;
}

const Pass* Nearest(const std::vector<Pass>& passes, double rise) {
    const Pass* best = nullptr;
    for (const Pass& p : passes)
        if (!best || std::fabs(p.rise - rise) < std::fabs(best->rise - rise)) best = &p;
    return best;
}

using PassSearchTest = SatelliteSearchTest;

// skyfield's complete passes over 3 days (SGP4) against FindNextPass (SGP):
// within 30 s, the difference of the two models there.
TEST_F(PassSearchTest, FindNextPassMatchesSkyfieldPasses) {
    auto reference = ReferencePasses();
    ASSERT_EQ(reference.size(), 4u);
    for (const auto& [key, expected] : reference) {
        auto [number, latitude, longitude] = key;
        SetTestSite(latitude, -longitude, 0);
        SatelliteElements el = VerificationElements(number);
        std::vector<Pass> found;
        for (const Pass& p : FindPasses(&el, el.epochJd, el.epochJd + 3.0))
            if (p.rise >= el.epochJd && p.set <= el.epochJd + 3.0) found.push_back(p);
        EXPECT_EQ(found.size(), expected.size()) << number << " " << latitude;
        for (const Pass& want : expected) {
            const Pass* got = Nearest(found, want.rise);
            ASSERT_NE(got, nullptr);
            EXPECT_LT(SecondsApart(got->rise, want.rise), 30.0) << number << " " << latitude << " " << want.rise;
            EXPECT_LT(SecondsApart(got->set, want.set), 30.0) << number << " " << latitude << " " << want.set;
        }
    }
}

// Started inside a pass, the rise lies before the start; a window between two
// passes holds none and clears the times.
TEST_F(PassSearchTest, StartInsideAPassAndAWindowWithoutOne) {
    const Pass want = ReferencePasses().at({6251, 51.5, 0.0}).at(2);
    SetTestSite(51.5, 0.0, 0);
    SatelliteElements el = VerificationElements(6251);
    const ObserverSite observer = ObserverFromCurrentSite(0.0);
    double rise = 0, set = 0, middle = (want.rise + want.set) / 2;
    ASSERT_EQ(FindNextPass(middle, middle + 2.0, &rise, &set, &el, &observer, 0, 0), 1);
    EXPECT_LT(SecondsApart(rise, want.rise), 30.0);
    EXPECT_LT(SecondsApart(set, want.set), 30.0);
    EXPECT_EQ(FindNextPass(want.set + 0.001, want.set + 0.01, &rise, &set, &el, &observer, 0, 0), 0);
    EXPECT_EQ(rise, 0.0);
    EXPECT_EQ(set, 0.0);
}

// 08195, a 12-hour orbit of e = 0.69: its passes last hours, past the 20
// minutes of the first root brackets, and still end on the horizon.
TEST_F(PassSearchTest, TwelveHourOrbitPassesEndOnTheHorizon) {
    SetTestSite(51.5, 0.0, 0);
    SatelliteElements el = VerificationElements(8195);
    std::vector<Pass> passes = FindPasses(&el, el.epochJd, el.epochJd + 2.0);
    ASSERT_GE(passes.size(), 2u);
    for (const Pass& p : passes) {
        EXPECT_GT(p.set - p.rise, 1.0 / 24.0);
        EXPECT_NEAR(SatelliteElevationAt(p.rise), 0.0, 0.01) << p.rise;
        EXPECT_NEAR(SatelliteElevationAt(p.set), 0.0, 0.01) << p.set;
        EXPECT_GT(SatelliteElevationAt((p.rise + p.set) / 2), 0.0);
    }
}

// A set the propagator refuses gives a not-a-number elevation, which ended the
// stepping as if the satellite had risen.
TEST_F(PassSearchTest, RefusedElementSetEndsFindNextPass) {
    SetTestSite(51.5, 0.0, 0);
    SatelliteElements el = VerificationElements(6251);
    el.eccentricity = 1.5;
    const ObserverSite observer = ObserverFromCurrentSite(0.0);
    double rise = 1, set = 1;
    EXPECT_EQ(FindNextPass(el.epochJd, el.epochJd + 5, &rise, &set, &el, &observer, 0, 0), 0);
    EXPECT_EQ(SatelliteEvaluationCount(), 0);
    EXPECT_EQ(rise + set, 0.0);
}

// The Pass search at zone 120: rows at local time, 2 hours after skyfield's
// universal times, in order, each reaching the minimum elevation.
TEST_F(PassSearchTest, PassRowsHoldLocalTimes) {
    const std::vector<Pass> expected = ReferencePasses().at({6251, 51.5, 0.0});
    SetTestSite(51.5, 0.0, 120);
    OpenSatellites({{"SAT 6251", 6251}});
    satelliteFormState.minElevationIndex = 1;  // 5 degrees
    SetFormTime(VerificationElements(6251).epochJd);
    EXPECT_EQ(SearchSatellitePasses(0), 1);
    std::vector<PassRow> found = Rows();
    ASSERT_EQ(found.size(), 30u);
    int matched = 0;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const PassRow& row = found[i];
        EXPECT_EQ(row.satelliteIndex, 0);
        EXPECT_STREQ(row.name, "SAT 6251");
        EXPECT_GE(row.maxElevation, 5);
        if (i > 0) {
            EXPECT_GT(row.riseLocalJd, found[i - 1].setLocalJd);
        }
        EXPECT_NEAR(row.durationSeconds, (row.setLocalJd - row.riseLocalJd) * 86400, 0.5);
        if (row.setLocalJd - 2.0 / 24 > expected.back().set) continue;
        const Pass* want = Nearest(expected, row.riseLocalJd - 2.0 / 24);
        EXPECT_LT(SecondsApart(row.riseLocalJd - 2.0 / 24, want->rise), 30.0) << i;
        EXPECT_LT(SecondsApart(row.setLocalJd - 2.0 / 24, want->set), 30.0) << i;
        ++matched;
    }
    EXPECT_GE(matched, 10);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(log.rowCounts.back(), 30);
    EXPECT_GT(pl::IdleTimerResetCount(), 0);
}

// The ends of a search with no row: a geostationary satellite (no pass, no
// message), one that cannot rise for the site, and 30 days without a pass
// high enough (06251 never climbs far from 75 N).
TEST_F(PassSearchTest, SearchesThatEndWithoutRows) {
    struct Case {
        int number;
        double latitude;
        int minElevationIndex;
        std::string message;
    } cases[] = {
        {25954, 51.5, 0, ""},
        {6251, 80.0, 0, "This satellite is not visible from your location."},
        {6251, 75.0, 9, "End of search: "},
    };
    for (const Case& c : cases) {
        Restart();
        SetTestSite(c.latitude, 0.0, 0);
        OpenSatellites({{"SAT", c.number}});
        satelliteFormState.minElevationIndex = c.minElevationIndex;
        const double start = VerificationElements(c.number).epochJd;
        SetFormTime(start);
        SearchSatellitePasses(0);
        EXPECT_EQ(satelliteFormState.resultCount, 0) << c.number;
        if (c.message.empty()) {
            EXPECT_TRUE(services.messages.empty()) << c.number;
            continue;
        }
        ASSERT_EQ(services.messages.size(), 1u) << ::testing::PrintToString(services.Texts());
        std::string text = services.messages[0].text;
        if (c.message != "End of search: ") {
            EXPECT_EQ(text, c.message);
            continue;
        }
        // The search stops at the first start past 30 days: at most a day of
        // orbit jumps later.
        std::vector<std::string> dates;
        for (double d : {30.0, 31.0}) {
            int y, m, day, h, mi, s;
            JDToCalendar(start + d, &y, &m, &day, &h, &mi, &s);
            char date[32];
            FormatDate(date, sizeof date, day, m, y);
            dates.push_back(c.message + date);
        }
        EXPECT_TRUE(text == dates[0] || text == dates[1]) << text;
    }
}

// A list of the Next or Flare search (two first rows of different satellites)
// is emptied before a Pass search; a list of one satellite, or of one row,
// stays and no search runs.
TEST_F(PassSearchTest, ListOfAnotherSearchIsEmptiedOtherwiseKept) {
    struct Case {
        std::vector<int> satellites;
        bool searched;
    } cases[] = {{{3, 7}, true}, {{0, 0}, false}, {{5}, false}};
    for (const Case& c : cases) {
        Restart();
        SetTestSite(51.5, 0.0, 0);
        OpenSatellites({{"SAT 6251", 6251}});
        satelliteFormState.minElevationIndex = 9;
        SetFormTime(VerificationElements(6251).epochJd);
        for (std::size_t i = 0; i < c.satellites.size(); ++i) rows[i].satelliteIndex = c.satellites[i];
        satelliteFormState.resultCount = static_cast<int>(c.satellites.size());
        SearchSatellitePasses(0);
        EXPECT_EQ(log.boxNames.size() > 1, c.searched) << c.satellites[0];
        if (c.searched) {
            ASSERT_GT(satelliteFormState.resultCount, 0);
            EXPECT_EQ(rows[0].satelliteIndex, 0);
        } else {
            EXPECT_EQ(Rows().size(), c.satellites.size());
            EXPECT_EQ(rows[0].satelliteIndex, c.satellites[0]);
        }
    }
}

// skyfield and PyEphem: 06251 passes 0.158 degrees from the Moon's centre.
// The Transit search lists that approach and nothing more.
TEST_F(PassSearchTest, TransitSearchListsTheMoonApproach) {
    ReferenceTable events = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "satellite_events_skyfield.csv");
    ASSERT_EQ(events.Text(0, "kind"), "transit");
    const double peak = events.Get(0, "peak_jd");
    SetTestSite(events.Get(0, "latitude"), -events.Get(0, "longitude"), 600);
    OpenSatellites({{"SAT 6251", 6251}});
    satelliteFormState.transitMode = 1;
    SetFormTime(peak - 0.02);
    SearchSatellitePasses(0);
    ASSERT_EQ(Rows().size(), 1u);
    const PassRow& row = rows[0];
    const double zone = 600 / 1440.0;
    EXPECT_LT(SecondsApart(row.peakLocalJd - zone, peak), 0.5);
    EXPECT_NEAR(row.peakAngle, events.Get(0, "angle"), 0.01);
    EXPECT_LT(row.riseLocalJd, row.peakLocalJd);
    EXPECT_GT(row.setLocalJd, row.peakLocalJd);
}

// A page key held while the search polls ends it; the rows found stay.
TEST_F(PassSearchTest, HeldPageKeyStopsTheSearchAndKeepsItsRows) {
    SetTestSite(51.5, 0.0, 0);
    OpenSatellites({{"SAT 6251", 6251}});
    satelliteFormState.minElevationIndex = 4;
    SetFormTime(VerificationElements(6251).epochJd);
    StopKeyHook previous = InstallStopKeyHook(IsArrowKeyDown);
    pl::HarnessOptions options = TestHarnessOptions();
    options.idlePollLimit = 50;
    pl::Harness harness(options);
    testwin::Recorder recorder;
    bool ended = false;
    recorder.onMessage = [&ended](const testwin::Record& r, pl::LResult*) {
        if (r.id == pl::WM_LBUTTONDOWN) {
            SearchSatellitePasses(0);
            ended = true;
        }
        return false;
    };
    harness.start([&recorder] {
        recorder.Top({0, 0, 240, 320});
        return RunMessageLoop();
    });
    harness.penDown(10, 10);
    EXPECT_FALSE(ended);
    const int before = satelliteFormState.resultCount;
    harness.key(pl::VK_NEXT, 3);
    EXPECT_TRUE(ended);
    harness.penUp(10, 10);
    harness.stop();
    InstallStopKeyHook(previous);
    EXPECT_GT(before, 0);
    EXPECT_EQ(satelliteFormState.resultCount, before);
    EXPECT_LT(before, kMaxPassRows);
    EXPECT_TRUE(services.messages.empty());
}

}  // namespace
