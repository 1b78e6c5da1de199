// The world map of a solar eclipse: its projection and wrap, the positions
// every 5 minutes, the track's lines and the contacts of the tap panel.
#include "eclipse/eclipse_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/delta_t.h"
#include "eclipse/eclipse_list.h"
#include "solar_eclipse_fixture.h"
#include "support/wrapped_difference.h"

namespace {

using EclipseMapTest = SolarEclipseTest;

constexpr double kMinute = 1 / 60.0;

// Greatest eclipse of 2006 March 29 (NASA: 10:11:17.7 UT), as the list
// completes it to the second.
EclipseEvent Total2006() { return EclipseEvent{1, 4.0, 2006, 3, 29, 10, 11, 18, 0, 0}; }

// The map's constants: 180 W at x 0, 0 at x 1207.5 (worked taps on the map),
// north at the top; a point put on the map and read back stays within a pixel.
TEST(EclipseMapProjection, TapsAndPlacesAgree) {
    const struct {
        double x, y, latitude, longitude;
    } taps[] = {{0, 0, 90, 180}, {1207.5, 603.5, 0, 0}, {2415, 1207, -90, -180}, {1811.25, 301.75, 45, -90}};
    for (const auto& t : taps) {
        double latitude, longitude;
        MapPointToPlace(t.x, t.y, &latitude, &longitude);
        EXPECT_NEAR(longitude, t.longitude, 0.01) << t.x;
        EXPECT_NEAR(latitude, t.latitude, 0.01) << t.y;
    }
    for (double longitude : {-179.9, -16.75, 0.2, 97.5, 179.9}) {
        double latitude, back;
        MapPointToPlace(MapX(longitude) + 0.5, MapY(23.15) + 0.5, &latitude, &back);
        EXPECT_NEAR(back, longitude, 0.15) << longitude;
        EXPECT_NEAR(latitude, 23.15, 0.15) << longitude;
    }
}

// A pan and the same pan a whole map (2415 pixels) away give the same
// halves (a drag of 2415 pixels gives back the same picture); the eastern
// half lies 1207 pixels after the western one, a map width (2415) away; the
// two cover the screen's first 1207 pixels; the y pan is held within
// [height - 1207, 0].
TEST(EclipseMapProjection, WrapAndClamp) {
    for (int pan : {-4000, -2000, -1208, -1207, -600, -1, 0, 5, 600, 1206, 1207, 1208, 2000, 2414, 5000}) {
        const MapHalves a = WrapMapPan(pan), b = WrapMapPan(pan + 2415), c = WrapMapPan(pan - 2415);
        EXPECT_EQ((std::vector{a.westX, a.eastX}), (std::vector{b.westX, b.eastX})) << pan;
        EXPECT_EQ((std::vector{a.westX, a.eastX}), (std::vector{c.westX, c.eastX})) << pan;
        EXPECT_EQ(((a.eastX - a.westX - 1207) % 2415 + 2415) % 2415, 0) << pan;
        EXPECT_EQ(((a.westX - pan) % 2415 + 2415) % 2415, 0) << pan;
        const int left = std::min(a.westX, a.eastX), right = std::max(a.westX, a.eastX) + 1207;
        EXPECT_LE(left, 0) << pan;
        EXPECT_GE(right, 1207) << pan;
        EXPECT_EQ(a.panX, a.westX) << pan;
    }
    const int heights[][3] = {{10, 274, 0}, {0, 274, 0}, {-933, 274, -933}, {-934, 274, -933}, {-5000, 548, -659}};
    for (const auto& h : heights) EXPECT_EQ(ClampMapPanY(h[0], h[1]), h[2]) << h[0];
}

// Odd entries are labelled with their time: hours (t + 0.005) mod 24,
// minutes rounded.
TEST(EclipseMapProjection, TimeLabels) {
    const struct {
        double t;
        const char* text;
    } cases[] = {{9.5, "09:30"}, {10.1833333, "10:11"}, {10.9999, "11:00"}, {23.9999, "00:00"}, {0.25, "00:15"}};
    for (const auto& c : cases) {
        char text[16];
        MapTimeLabel(c.t, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.t;
    }
}

// 2006 March 29: the umbra touches the Earth from 08:35:26 to 11:46:55 UT
// (NASA's bulletin), so the pass back from 10:11 keeps 10:11 .. 08:36 and the
// pass forward 10:11 .. 11:46, 5 minutes apart: 40 positions, the pass back
// first. The centre at 09:21 lies on the reference central line (8.631 N,
// 2.898 E) and the limits of the position at 10:11 on the reference limits of
// that meridian (partial 21.88 S, no northern partial limit; central 21.84 and
// 24.48 N); both tables from scripts/reference/solar_eclipse_reference.py.
TEST_F(EclipseMapTest, PositionsEveryFiveMinutesWhileTheUmbraIsOnTheEarth) {
    const EclipseEvent e = Total2006();
    std::vector<MapPosition> table(kMapPositionCapacity);
    std::vector<std::pair<int, int>> progress;
    static std::vector<std::pair<int, int>>* steps;
    steps = &progress;
    LocalEclipseResult r{};
    const int count = ComputeMapPositions(e, ElementsFor(2006, 3, 29), kDeltaT, &r, table.data(),
                                          [](int h, int m) { steps->push_back({h, m}); });
    ASSERT_EQ(count, 40);
    EXPECT_EQ(progress.size(), 40u);
    for (int i = 0; i < count; ++i) {
        const int minutes = i < 20 ? 10 * 60 + 11 - 5 * i : 10 * 60 + 11 + 5 * (i - 20);
        EXPECT_EQ(table[i].hour * 60 + table[i].minute, minutes) << i;
        EXPECT_NEAR(table[i].time, minutes / 60.0, 1e-9) << i;
    }
    EXPECT_NEAR(r.time, 10 + 11 * kMinute + 18 / 3600.0, 1e-9);  // the result describes greatest eclipse again

    const MapPosition& at0921 = table[10];
    EXPECT_NEAR(at0921.latitude, 8.631, 0.1);
    EXPECT_NEAR(WrappedDifference(at0921.longitude, -2.898, 360), 0, 0.1);
    const MapPosition& at1011 = table[0];
    ASSERT_NEAR(at1011.longitude, -16.76, 0.2);
    const struct {
        int index;
        double latitude;
        double tolerance;
    } limits[] = {{0, -21.88, 0.4}, {1, 90, 0}, {8, 21.84, 0.8}, {9, 24.48, 0.8}};  // 0.99 lies ~0.3 deg outside 1
    for (const auto& l : limits)
        EXPECT_NEAR(at1011.limitY[l.index], MapY(l.latitude), l.tolerance * 6.71 + 1) << l.index;
}

// The annular eclipse of 2013 May 10 has its greatest eclipse at 00:25 UT
// (NASA); the pass back continues on May 9 at 23:55 without a gap in the
// track.
TEST_F(EclipseMapTest, TrackCrossingMidnightContinuesOnTheDayBefore) {
    BesselianElements elements{};
    BuildBesselianElements(&elements, 2013, 5, 10, 0);
    const EclipseEvent e{1, 3.0, 2013, 5, 10, 0, 25, 0, 0, 0};
    std::vector<MapPosition> table(kMapPositionCapacity);
    LocalEclipseResult r{};
    const int count = ComputeMapPositions(e, elements, kDeltaT, &r, table.data(), nullptr);
    ASSERT_GT(count, 12);
    EXPECT_EQ((std::vector{table[5].hour, table[5].minute}), (std::vector{0, 0}));
    EXPECT_EQ((std::vector{table[6].hour, table[6].minute}), (std::vector{23, 55}));
    EXPECT_NEAR(table[6].time, 23 + 55 * kMinute, 1e-9);
    for (int i = 1; i < 10; ++i) {
        const double step = std::hypot(table[i].latitude - table[i - 1].latitude,
                                       WrappedDifference(table[i].longitude, table[i - 1].longitude, 360));
        EXPECT_LT(step, 5) << i;
    }
}

// Laid out with the map's wrap in the middle of the track (greatest eclipse
// on it), no line joins two positions 80 pixels or more apart in x: one pair
// more is left unjoined than when the whole track lies inside the map (where
// only the jump from the pass back to the pass forward and the fast ends of
// the track are); every joined pair has its ten limit lines.
TEST_F(EclipseMapTest, TrackLinesNeverCrossTheWrap) {
    std::vector<MapPosition> table(kMapPositionCapacity);
    LocalEclipseResult r{};
    const int count = ComputeMapPositions(Total2006(), ElementsFor(2006, 3, 29), kDeltaT, &r, table.data(), nullptr);
    ASSERT_EQ(count, 40);
    auto unjoined = [&] {
        int n = 0;
        for (int i = 1; i < count; ++i) n += std::abs(table[i].screenX - table[i - 1].screenX) >= 80;
        return n;
    };
    const std::vector<MapTrackLine> plain = LayOutMapTrack(table.data(), count, -1000, -300, 24);
    const int plainGaps = unjoined();
    EXPECT_EQ(plain.size(), 10u * (count - 1 - plainGaps));
    EXPECT_EQ(table[3].screenY, MapY(table[3].latitude) - 300 + 24);
    const int panX = 2415 - MapX(table[0].longitude) + 2;
    const std::vector<MapTrackLine> wrapped = LayOutMapTrack(table.data(), count, panX, -300, 24);
    EXPECT_EQ(unjoined(), plainGaps + 1);
    EXPECT_EQ(wrapped.size(), 10u * (count - 2 - plainGaps));
    for (const MapTrackLine& l : wrapped) EXPECT_LT(std::abs(l.x1 - l.x2), 80);
}

// The panel's contacts at Accra (5.55 N, 0.20 W), Lagos and Sydney against
// the direct circumstances of the reference table: first contact, greatest
// eclipse and last contact within a minute, the part of the Sun covered
// within a percent (none at Sydney).
TEST_F(EclipseMapTest, TapContactsAgreeWithTheReferenceCircumstances) {
    const ReferenceTable ref = Table("solar_local_reference.csv");
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string site = ref.Text(k, "site");
        const TapContacts c = ComputeTapContacts(ElementsFor(2006, 3, 29), kDeltaT, 10, ref.Get(k, "latitude"),
                                                 ref.Get(k, "longitude_w"));
        EXPECT_NEAR(c.percent, ref.Get(k, "obscuration"), 1) << site;
        if (ref.Get(k, "magnitude") < 0) continue;
        EXPECT_NEAR(c.start, ref.Get(k, "c1"), kMinute) << site;
        EXPECT_NEAR(c.greatest, ref.Get(k, "greatest"), kMinute) << site;
        EXPECT_NEAR(c.end, ref.Get(k, "c4"), kMinute) << site;
    }
    LocalEclipseResult r{};
    FindLocalEclipseCircumstances(&r, 2006, 3, 29, 10, 11, 5.55, 0.20);
    EXPECT_NEAR(ComputeTapContacts(ElementsFor(2006, 3, 29), kDeltaT, 10, 5.55, 0.20).greatest, r.maximumTime, kMinute);
}

// A tap at exactly 90 degrees was taken for the other pole: the North Pole saw no eclipse on
// 2026-08-12. The panel's contacts at each pole and at its last arcsecond against the reference
// (solar_eclipse_poles_reference.csv), within a minute as elsewhere.
TEST_F(EclipseMapTest, TapAtAPoleIsNotTakenForTheOtherPole) {
    const ReferenceTable ref = Table("solar_eclipse_poles_reference.csv");
    ASSERT_EQ(ref.rows.size(), 4u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        BesselianElements elements{};
        BuildBesselianElements(&elements, Date(ref, k, "year"), Date(ref, k, "month"), Date(ref, k, "day"), 18);
        const TapContacts c = ComputeTapContacts(elements, kDeltaT, 17, ref.Get(k, "latitude"), 0);
        EXPECT_EQ(c.eclipse, ref.Get(k, "magnitude") > 0) << ref.Text(k, "place");
        if (!c.eclipse) continue;
        for (auto [found, column] : {std::pair{c.start, "c1"}, {c.greatest, "greatest"}, {c.end, "c4"}})
            EXPECT_NEAR(found, ref.Get(k, column), kMinute) << ref.Text(k, "place") << column;
    }
}

// 1746-03-22, whose Moon crosses 0 degrees of longitude between two nodes of the caches the
// list builds: the map's positions every 5 minutes run from within 5 minutes of the shadow
// axis's first instant on the Earth to within 5 minutes of its last, each within 0.35 degree
// (40 km) of the reference central line at its minute
// (solar_moon_crossing_line_pyephem.csv; PyEphem's Moon puts the shadow about 15 s, 0.1 degree,
// behind ours at greatest). The cache's jump of a turn had left the map without a position.
TEST_F(EclipseMapTest, TrackFollowsTheCentralLineAcrossZeroLongitude) {
    const ReferenceTable ref = Table("solar_moon_crossing_line_pyephem.csv");  // start, end, then each minute
    const EclipseEvent e = ListedSolarEclipse(1746, 3, 22);
    std::vector<MapPosition> table(kMapPositionCapacity);
    LocalEclipseResult r{};
    table.resize(ComputeMapPositions(e, besselianElements, ComputeDeltaT(1746, 3, 22), &r, table.data(), nullptr));
    ASSERT_GT(table.size(), 20u);
    for (const MapPosition& p : table) {
        const std::size_t k = 2 + static_cast<std::size_t>(std::lround((p.time - ref.Get(2, "ut")) * 60));
        ASSERT_TRUE(k < ref.rows.size() && std::fabs(ref.Get(k, "ut") - p.time) < 1e-9) << p.time;
        const double west = ref.Get(k, "longitude_west");
        EXPECT_LT(SeparationArcsec(p.longitude / 15, p.latitude, west / 15, ref.Get(k, "latitude")), 0.35 * 3600) << p.time;
    }
    const auto [first, last] =
        std::minmax_element(table.begin(), table.end(), [](auto& a, auto& b) { return a.time < b.time; });
    EXPECT_NEAR(first->time, ref.Get(0, "ut"), 5 * kMinute);
    EXPECT_NEAR(last->time, ref.Get(1, "ut"), 5 * kMinute);
}

// A place without eclipse gets no contact lines (it got three lines of the
// same time, its greatest approach, and 0%); a contact before 0h UT reads as
// the clock time of the day before, one from 24h (read 24h29m39) the next day's.
TEST(EclipseMapProjection, TapPanelLines) {
    const struct {
        TapContacts contacts;
        const char *start, *greatest, *end;
    } cases[] = {
        {{8.5, 9.25, 10.75, 97, true}, "Partial Start at 8h30m00 UT", "Greatest at 9h15m00 UT, 97%",
         "Partial End at 10h45m00 UT"},
        {{10.909, 10.909, 10.909, 0, false}, "No Eclipse found!", "", ""},
        // Darwin on 2016-03-09: the eclipse began at 23:37:40 UT the day before ("0h-22m-19").
        {{-0.3722, 0.75, 2.25, 59, true}, "Partial Start at 23h37m40 UT", "Greatest at 0h45m00 UT, 59%",
         "Partial End at 2h15m00 UT"},
        {{22.842, 23.999975, 24.4943, 81, true}, "Partial Start at 22h50m31 UT", "Greatest at 0h00m00 UT, 81%",
         "Partial End at 0h29m39 UT"},
    };
    for (const auto& c : cases) {
        const TapPanelLines lines = FormatTapContacts(c.contacts);
        EXPECT_EQ((std::vector<std::string>{lines.start, lines.greatest, lines.end}),
                  (std::vector<std::string>{c.start, c.greatest, c.end}));
    }
}

}  // namespace
