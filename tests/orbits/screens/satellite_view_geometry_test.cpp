// The numbers behind the satellites form's pictures: map points and the
// pieces of a track that crosses the map's edge, track steps and spans, the
// sky view's start for a search row, the globe's box, compass points and the
// azimuths shown.
#include "orbits/screens/satellite_view_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "orbits/screens/satellite_form_parts.h"

namespace {

// On a map 240 by 120 pixels at (10, 46): x0 + (180 - longitude) x 240 / 360,
// y0 + (90 - latitude) x 120 / 180, longitudes west positive.
TEST(SatelliteMap, PointOfAPlace) {
    const struct {
        double longitude, latitude;
        int x, y;
        const char* why;
    } cases[] = {
        {-10.0, 0.0, 10 + 240 * 190 / 360, 46 + 60, "10 E on the equator: 190/360 of the width, half way down"},
        {180.0, 90.0, 10, 46, "180 W at the north pole: the top-left corner"},
        {-180.0, -90.0, 250, 166, "180 E at the south pole: the bottom-right corner"},
        {0.0, 45.0, 130, 76, "Greenwich at 45 N"},
        {90.0, -30.0, 70, 126, "90 W at 30 S"},
    };
    for (const auto& c : cases) {
        const MapPoint p = SatelliteMapPoint(c.longitude, c.latitude, 10, 46, 240, 120);
        EXPECT_EQ(p.x, c.x) << c.why;
        EXPECT_EQ(p.y, c.y) << c.why;
    }
}

// Points at most half the map apart are joined directly; farther ones crossed
// an edge: to that edge, and from the other edge on.
TEST(SatelliteMap, TrackAcrossTheEdgeContinuesFromTheOtherEdge) {
    MapPoint lines[4];
    ASSERT_EQ(TrackSegmentLines({100, 50}, {220, 60}, 0, 240, lines), 1);  // 120 apart: direct
    EXPECT_EQ(lines[1].x, 220);
    ASSERT_EQ(TrackSegmentLines({230, 50}, {5, 52}, 0, 240, lines), 2);  // eastward over 180 degrees
    EXPECT_EQ((std::vector<int>{lines[0].x, lines[1].x, lines[1].y, lines[2].x, lines[2].y, lines[3].x}),
              (std::vector<int>{230, 240, 50, 0, 52, 5}));
    ASSERT_EQ(TrackSegmentLines({3, 70}, {236, 71}, 0, 240, lines), 2);  // westward
    EXPECT_EQ((std::vector<int>{lines[1].x, lines[1].y, lines[2].x, lines[2].y}), (std::vector<int>{0, 70, 240, 71}));
    ASSERT_EQ(TrackSegmentLines({470, 10}, {25, 12}, 20, 480, lines), 2);  // a map at x0 20, 480 wide
    EXPECT_EQ((std::vector<int>{lines[1].x, lines[2].x}), (std::vector<int>{500, 20}));
}

TEST(SatelliteTrack, InfoStepIsFourPercentOfThePeriodAndAtLeastAMinute) {
    const struct {
        double period;
        int step;
    } cases[] = {{92.52, 3}, {1436.12, 57}, {25.0, 1}, {24.9, 1}, {10.0, 1}, {0.0, 1}};
    for (const auto& c : cases) EXPECT_EQ(InfoTrackStepMinutes(c.period), c.step) << c.period;
}

TEST(SatelliteTrack, SkySpanByStepRow) {
    const struct {
        int row, trackSpan;
        double period;
        int minutes;
    } cases[] = {{0, 10, 92.5, 10},  {0, -1, 92.52, 92}, {0, 0, 92.5, 0},   {1, 10, 92.5, 30},
                 {2, -1, 92.5, 60}, {3, 2, 92.5, 120},  {4, 1, 92.5, 180}, {-1, -1, 100.9, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(SkyTrackSpanMinutes(c.row, c.trackSpan, c.period), c.minutes) << c.row << " " << c.trackSpan;
}

// A pass row starts at its rise with (duration + 30) / 60 minutes; a Moon
// transit 30 s before the closest approach with 1 minute; a flare 6 s before
// its peak with 2 minutes; all in universal time (the zone taken off).
TEST(SatelliteTrack, SkyStartOfASearchRow) {
    PassRow row{};
    row.riseLocalJd = 2453913.5;
    row.peakLocalJd = 2453913.75;
    row.durationSeconds = 600;
    const double zone = 120 / 1440.0;
    const struct {
        int view;
        double start;
        int span;
    } cases[] = {{kSatelliteViewPass, 2453913.5 - zone, 10},
                 {kSatelliteViewNext, 2453913.5 - zone, 10},
                 {kSatelliteViewTransit, 2453913.75 - 30.0 / 86400 - zone, 1},
                 {kSatelliteViewFlare, 2453913.75 - 6.0 / 86400 - zone, 2}};
    for (const auto& c : cases) {
        double start = 0;
        int span = 0;
        SearchRowSkyStart(c.view, row, 120, &start, &span);
        EXPECT_NEAR((start - c.start) * 86400.0, 0.0, 1e-3) << c.view;
        EXPECT_EQ(span, c.span) << c.view;
    }
    row.durationSeconds = 629;
    double start = 0;
    int span = 0;
    SearchRowSkyStart(kSatelliteViewPass, row, 0, &start, &span);
    EXPECT_EQ(span, 10);  // 659 / 60 truncated
}

// Taller than 240 units: 200 units across at the right edge, 61 units down;
// otherwise 160 units across, centred, 46 units down.
TEST(SatelliteGlobe, BoxByScreenHeight) {
    const struct {
        int width, height;
        double scale;
        GlobeBox box;
    } cases[] = {{240, 240, 1.0, {80, 40, 46}},   {240, 320, 1.0, {100, 40, 61}},
                 {320, 240, 1.0, {80, 80, 46}},   {480, 640, 2.0, {200, 80, 122}},
                 {480, 480, 2.0, {160, 80, 92}},  {240, 241, 1.0, {100, 40, 61}}};
    for (const auto& c : cases) {
        const GlobeBox b = SatelliteGlobeBox(c.width, c.height, c.scale, c.scale);
        EXPECT_EQ((std::vector<int>{b.radius, b.left, b.top}),
                  (std::vector<int>{c.box.radius, c.box.left, c.box.top}))
            << c.width << "x" << c.height;
    }
}

TEST(SatelliteGlobe, WholeDegreesWrapIntoOneTurn) {
    const int cases[][2] = {{400, 40}, {360, 0}, {-10, 350}, {-370, 350}, {0, 0}, {359, 359}, {720 + 5, 5}};
    for (const auto& c : cases) EXPECT_EQ(WrapWholeDegrees(c[0]), c[1]) << c[0];
}

// The nearest of the eight points to the azimuth taken to the whole degree:
// for every whole degree from 0 to 360 the point at the least angular
// distance, and the seen cases (171 is "S", 89 "E", 266 "W": they read "SE",
// "NE" and "SW", the eighth of the circle the azimuth fell in from its start);
// the borders at 22.5, 67.5, ... go to the point after; an azimuth that rounds
// to 360 is north.
TEST(SatelliteDetails, CompassPointOfAnAzimuth) {
    const char* const points[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    for (int degree = 0; degree <= 360; ++degree) {
        int nearest = 0;
        for (int k = 1; k < 8; ++k)
            if (std::fabs(std::remainder(degree - 45.0 * k, 360.0)) < std::fabs(std::remainder(degree - 45.0 * nearest, 360.0)))
                nearest = k;
        EXPECT_EQ(std::string(CompassPointName(degree)), points[nearest]) << degree;
    }
    const struct {
        double azimuth;
        const char* point;
    } cases[] = {{171.0, "S"}, {89.0, "E"},  {266.0, "W"},  {44.4, "NE"}, {22.4, "N"},  {22.5, "NE"},
                 {67.5, "E"},  {337.4, "NW"}, {337.5, "N"}, {359.6, "N"}, {-10.0, "N"}, {370.0, "N"}};
    for (const auto& c : cases) EXPECT_EQ(std::string(CompassPointName(c.azimuth)), c.point) << c.azimuth;
}

// An azimuth of 359.5 or more rounds to a full turn: the details wrote "360\xB0"
// beside "N", and the Info and Globe views "360.0" from 359.95 on; both read 0
// as a compass does, and a little below 0 reads just below 360.
TEST(SatelliteDetails, AzimuthNearAFullTurnReadThreeHundredSixty) {
    const struct {
        double azimuth;
        const char* detail;
        const char* tenth;
    } cases[] = {
        {359.4, "359\xB0 N", "359.4\xB0"}, {359.5, "0\xB0 N", "359.5\xB0"},   {359.97, "0\xB0 N", "0.0\xB0"},
        {0.4, "0\xB0 N", "0.4\xB0"},       {-0.04, "0\xB0 N", "0.0\xB0"},     {-0.6, "359\xB0 N", "359.4\xB0"},
        {22.5, "23\xB0 NE", "22.5\xB0"},   {180.5, "181\xB0 S", "180.5\xB0"}, {720.7, "1\xB0 N", "0.7\xB0"},
        {std::nan(""), "-", "-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AzimuthDetailText(c.azimuth), c.detail) << c.azimuth;
        EXPECT_EQ(SatelliteValueText(AzimuthToTenth(c.azimuth), "\xB0"), c.tenth) << c.azimuth;
    }
}

}  // namespace
