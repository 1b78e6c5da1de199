// The moon events of a day (assistants/moon_events.h), without a window.
#include "assistants/moon_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "assistants/jupiter_moons.h"
#include "assistants/planet_detail_mode.h"
#include "core/julian_day.h"
#include "support/recording_services.h"
#include "support/reference_table.h"
#include "support/test_site.h"

namespace {

class MoonEvents : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        SetTestSite(51.0, 0.0, 0);
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
    // The Galilean state code of moon i at a minute of a day (zone 0).
    static int Code(int year, int month, int day, int minute, int moon) {
        GalileanMoon moons[kGalileanMoonCount];
        ComputeGalileanMoons(JupiterMoonDays(year, month, day, 0, minute), moons);
        return moons[moon].code;
    }
};

int Minutes(int hour, int minute) { return hour * 60 + minute; }

// Minutes a - b brought into -720..720 (times of day compared across midnight).
int Wrapped(int a, int b) {
    int d = ((a - b) % 1440 + 1440) % 1440;
    return d >= 720 ? d - 1440 : d;
}

// Jupiter samples 00:12 .. 23:00 (115 times), Saturn 00:07 .. 23:06 (198):
// the busy indicator steps once before and once a sample, and ends once. The
// search date's hour and minute are kept in the cache; the form's date is
// not changed.
TEST_F(MoonEvents, SampleCounts) {
    const struct {
        int mode, steps;
    } cases[] = {{kJupiterMode, 116}, {kSaturnMode, 199}};
    for (const auto& c : cases) {
        RecordingServices services;
        Search(c.mode, 2024, 3, 31);
        EXPECT_EQ(services.busySteps, c.steps) << c.mode;
        EXPECT_EQ(services.busyEnds, 1) << c.mode;
        EXPECT_EQ(std::vector<int32_t>(eventSearchCache, eventSearchCache + 5),
                  (std::vector<int32_t>{2024, 3, 31, 15, 30}));
        EXPECT_TRUE(services.messages.empty());
    }
}

// Against tests/reference/galilean_events.csv (scripts/reference/galilean_moons.py
// --events, PyEphem 4.1.4; eight days, zone 0): each transit and occultation
// that passes within 0.8 radii of the disk's centre and holds at one of the
// samples (with the tolerance to spare) is found, its start and end within 3
// minutes (Io), 8 (Europa), 15 (Ganymede), 20 (Callisto); a transit is the
// kinds 1 and 2 together. Each eclipse seen from the Earth for 30 minutes or
// more overlaps an "Eclipse" row of its moon.
TEST_F(MoonEvents, GalileanEventsAgainstPyEphem) {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "galilean_events.csv");
    ASSERT_GT(t.rows.size(), 20u);
    const std::map<std::string, int> moons = {{"io", 0}, {"europa", 1}, {"ganymede", 2}, {"callisto", 3}};
    const int tolerance[4] = {3, 8, 15, 20};
    int compared = 0, eclipses = 0;
    std::string searched;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        const int year = int(t.Get(r, "year")), month = int(t.Get(r, "month")), day = int(t.Get(r, "day"));
        const std::string date = std::to_string(year * 10000 + month * 100 + day);
        if (date != searched) Search(kJupiterMode, year, month, day), searched = date;
        const int moon = moons.at(t.Text(r, "moon"));
        const std::string kind = t.Text(r, "kind");
        const int start = int(t.Get(r, "start_minute")), end = int(t.Get(r, "end_minute"));
        const int tol = tolerance[moon];
        SCOPED_TRACE(date + " " + t.Text(r, "moon") + " " + kind);
        if (kind == "eclipse") {
            if (end - start < 30 || end <= 12 || start >= 1380) continue;
            const MoonEventSlot* s = Slot(moon, kMoonEclipse);
            ASSERT_NE(s, nullptr);
            const int ourStart = start + Wrapped(Minutes(s->startHour, s->startMinute), start);
            const int ourEnd = ourStart + (Minutes(s->endHour, s->endMinute) - Minutes(s->startHour, s->startMinute) +
                                           1440) % 1440;
            EXPECT_TRUE(ourStart < end && ourEnd > start) << ourStart << ".." << ourEnd;
            ++eclipses;
            continue;
        }
        if (t.Get(r, "least_distance") > 0.8) continue;  // grazing
        bool sampled = false;
        for (int s = 12; s <= 1380; s += 12) sampled |= s >= start + tol && s < end - tol;
        if (!sampled) continue;
        std::vector<const MoonEventSlot*> slots;
        for (int k : kind == "transit" ? std::vector<int>{kMoonTransit, kMoonTransitShadow}
                                       : std::vector<int>{kMoonOccultation})
            if (const MoonEventSlot* s = Slot(moon, k)) slots.push_back(s);
        ASSERT_FALSE(slots.empty());
        int startError = 720, endError = -720;
        for (const MoonEventSlot* s : slots) {
            startError = std::min(startError, Wrapped(Minutes(s->startHour, s->startMinute), start));
            endError = std::max(endError, Wrapped(Minutes(s->endHour, s->endMinute), end));
        }
        EXPECT_LE(std::abs(startError), tol);
        EXPECT_LE(std::abs(endError), tol);
        ++compared;
    }
    EXPECT_GE(compared, 12);
    EXPECT_GE(eclipses, 2);
}

// A transit that began the evening before and holds at 00:12 is followed
// back past midnight: its start reads hour 23, its end lies in the day.
TEST_F(MoonEvents, TransitInProgressAtFirstSampleStartsTheEveningBefore) {
    int month = 0, day = 0, moon = -1;
    for (int mo = 1; mo <= 12 && moon < 0; ++mo)
        for (int d = 2; d <= 28 && moon < 0; ++d)
            for (int m = 0; m < kGalileanMoonCount && moon < 0; ++m)
                if (Code(2024, mo, d, -60, m) != kMoonTransit && Code(2024, mo, d, 0, m) == kMoonTransit &&
                    Code(2024, mo, d, 12, m) == kMoonTransit)
                    month = mo, day = d, moon = m;
    ASSERT_GE(moon, 0);
    Search(kJupiterMode, 2024, month, day);
    const MoonEventSlot* s = Slot(moon, kMoonTransit);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->startHour, 23);
    EXPECT_EQ(s->startDay, day);
    const int start = Minutes(s->startHour, s->startMinute) - 1440;
    EXPECT_NE(Code(2024, month, day, start - 1, moon), kMoonTransit);
    EXPECT_EQ(Code(2024, month, day, start, moon), kMoonTransit);
    EXPECT_GT(Minutes(s->endHour, s->endMinute), 12);
    EXPECT_LT(Minutes(s->endHour, s->endMinute), 600);
}

// A transit whose shadow reaches the disk while the moon is still on it, and
// that the moon leaves before the shadow does: the "Transit" row ends at the
// minute the "Transit+Shadow" row starts, the first minute of the new state.
TEST_F(MoonEvents, TransitGainingItsShadowEndsWhereTheNextStarts) {
    int day = 0, moon = -1, change = -1;
    for (int d = 1; d <= 28 && moon < 0; ++d)
        for (int m = 0; m < kGalileanMoonCount && moon < 0; ++m) {
            int first = -1, ones = 0;
            for (int minute = 60; minute < 1320; ++minute) {
                const int code = Code(2024, 12, d, minute, m);
                if (code == kMoonTransitShadow && first < 0 && Code(2024, 12, d, minute - 1, m) == kMoonTransit)
                    first = minute;
                if (code == kMoonTransit && first >= 0) ++ones;
            }
            if (first >= 0 && ones == 0 && Code(2024, 12, d, first - 30, m) == kMoonTransit &&
                Code(2024, 12, d, first + 30, m) == kMoonTransitShadow)
                day = d, moon = m, change = first;
        }
    ASSERT_GE(moon, 0);
    Search(kJupiterMode, 2024, 12, day);
    const MoonEventSlot* transit = Slot(moon, kMoonTransit);
    const MoonEventSlot* both = Slot(moon, kMoonTransitShadow);
    ASSERT_TRUE(transit && both);
    EXPECT_EQ(Minutes(transit->endHour, transit->endMinute), change);
    EXPECT_EQ(Minutes(both->startHour, both->startMinute), change);
}

// The order: moon, then start day, hour and minute, each difference as a
// signed 16-bit value (a difference of 65536 counts as none); empty slots
// (moon 0, day 0) sort first.
TEST_F(MoonEvents, CompareMoonEvents) {
    const struct {
        MoonEventSlot a, b;
        int sign;
    } cases[] = {
        {{1, 1, 5, 3, 0, 5, 4, 0}, {2, 1, 5, 1, 0, 5, 2, 0}, -1},
        {{2, 4, 5, 3, 0, 5, 4, 0}, {2, 1, 4, 9, 0, 4, 9, 30}, 1},
        {{2, 4, 5, 3, 0, 5, 4, 0}, {2, 1, 5, 9, 0, 5, 9, 30}, -1},
        {{2, 4, 5, 9, 40, 5, 10, 0}, {2, 1, 5, 9, 10, 5, 9, 30}, 1},
        {{3, 4, 5, 9, 10, 5, 10, 0}, {3, 1, 5, 9, 10, 5, 11, 0}, 0},
        {{0, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 5, 2, 0, 5, 3, 0}, -1},
        {{65536, 1, 5, 2, 0, 5, 3, 0}, {0, 1, 5, 1, 0, 5, 3, 0}, 1},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const int r = CompareMoonEvents(&cases[i].a, &cases[i].b);
        EXPECT_EQ((r > 0) - (r < 0), cases[i].sign) << i;
    }
}

}  // namespace
