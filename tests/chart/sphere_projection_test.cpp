// The sky rotation against ERFA (tests/reference/sky_rotation.csv, made by
// scripts/reference/sky_rotation_erfa.py) and the sphere view's projection and inverses
// against the orthographic geometry they stand for.
#include <random>

#include "chart/sky_angles.h"
#include "projection_test.h"
#include "support/reference_table.h"
#include "support/wrapped_difference.h"

namespace {

using SphereTest = ProjectionTest;
constexpr double kUnit = 16777216.0;
constexpr double kArcsec = kRad / 3600;

struct AltAz {
    double alt, az;  // degrees
};

AltAz ChartAltAz(Fix24Angle ra, Fix24Angle dec) {
    int32_t p, q, s;
    ProjectRaDecToChart(ra, dec, &p, &q, &s);
    return {std::asin(s / kUnit) / kRad, std::fmod(std::atan2(-p, q) / kRad + 360, 360)};
}

// Each reference row's site and date with the rotation built in the horizontal frame.
void UseReferenceRow(const ReferenceTable& t, size_t i) {
    SetTestSite(t.Get(i, "lat_deg"), t.Get(i, "lon_west_deg"), static_cast<int>(t.Get(i, "zone_min")));
    auto field = [&](const char* c) { return static_cast<int>(t.Get(i, c)); };
    BuildSkyRotation(field("year"), field("month"), field("day"), field("hour"), field("minute"), field("second"));
    skyRotation.flag = 1;
}

// 20 stars at altitudes -80..80 x 3 dates x 3 sites: altitude and azimuth within 1" of ERFA's
// precession-nutation, mean sidereal time and hd2ae. A rotation built as P x N misses by 24".
TEST_F(SphereTest, RotationMatchesErfa) {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sky_rotation.csv");
    ASSERT_EQ(t.rows.size(), 180u);
    for (size_t i = 0; i < t.rows.size(); ++i) {
        UseReferenceRow(t, i);
        AltAz got = ChartAltAz(FixHours(t.Get(i, "ra_h")), FixDegrees(t.Get(i, "dec_deg")));
        EXPECT_NEAR(got.alt, t.Get(i, "alt_deg"), 1.0 / 3600) << i;
        EXPECT_NEAR(WrappedDifference(got.az, t.Get(i, "az_deg"), 360), 0, 1.0 / 3600) << i;
    }
}

// A place projected and read back lies within the angle of one pixel (1.5 x for the floored
// screen point, over the depth where the sphere turns away), in both frames, with a flipped axis.
TEST_F(SphereTest, SphereRoundTripKeepsPosition) {
    SetTestSite(51, 0, 0);
    BuildSkyRotation(2026, 3, 5, 21, 10, 0);
    std::mt19937 rng(121);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int frame : {0, 1}) {
        skyRotation.flag = frame;
        skyMapView = SkyMapView{120, 160, 400, -400, FixDegrees(75), FixDegrees(30), 0, 0, 0, 0, 0};
        const SphereFrame f = MakeSphereFrame(skyMapView);
        for (int i = 0, shown = 0; i < 2000 || shown < 200; ++i) {
            Fix24Angle ra = FixHours(24 * uniform(rng)), dec = FixDegrees(std::asin(2 * uniform(rng) - 1) / kRad);
            int32_t p, q, s, x, y;
            ProjectRaDecToChart(ra, dec, &p, &q, &s);
            SpherePoint point = SphereForward(f, p, q, s);
            ASSERT_EQ(ProjectToSkyMap(ra, dec, &x, &y), point.depth >= 1);
            if (point.depth < 0.3 * kUnit) continue;
            ++shown;
            Fix24Angle backRa, backDec;
            ASSERT_EQ(SkyMapPointToRaDec(x, y, &backRa, &backDec), 1);
            double tolerance = 1.5 / (400.0 * point.depth / kUnit) / kRad;
            EXPECT_LE(AngularSeparationDeg(Degrees(backRa) / 15, Degrees(backDec), Degrees(ra) / 15, Degrees(dec)),
                      tolerance) << frame << " " << i;
        }
    }
}

// Ten radii out, a tap reads the rim point in its direction: from a centre at (0 h, 0) the
// point to the left is at 6 h on the equator, the one above at the pole.
TEST_F(SphereTest, TapOutsideDiscGivesRim) {
    skyMapView = SkyMapView{120, 160, 100, 100, 0, 0, 0, 0, 0, 0, 0};
    Fix24Angle ra, dec;
    SkyMapPointToRaDec(120 - 1000, 160, &ra, &dec);
    EXPECT_NEAR(Degrees(ra), 90, 1e-5);
    EXPECT_NEAR(Degrees(dec), 0, 1e-5);
    SkyMapPointToRaDec(120, 160 - 1000, &ra, &dec);
    EXPECT_NEAR(Degrees(dec), 90, 1e-4);
}

// The centre of a view on a reference star reads its altitude and azimuth in both frames.
TEST_F(SphereTest, CentreReadsAltitudeAndAzimuthInBothFrames) {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sky_rotation.csv");
    for (size_t i : {3u, 77u, 150u}) {
        UseReferenceRow(t, i);
        Fix24Angle ra = FixHours(t.Get(i, "ra_h")), dec = FixDegrees(t.Get(i, "dec_deg"));
        int32_t p, q, s;
        ProjectRaDecToChart(ra, dec, &p, &q, &s);
        for (int frame : {1, 0}) {
            skyRotation.flag = frame;
            Fix24Angle a0 = frame ? FixAtan2_24(p, q) : ra, d0 = frame ? FixAsin24(s) : dec;
            skyMapView = SkyMapView{120, 160, 1000, 1000, a0, d0, 0, 0, 0, 0, 0};
            Fix24Angle az, alt;
            SkyMapPointToHorizon(5, -7, 125, 153, &az, &alt);
            EXPECT_NEAR(Degrees(alt), t.Get(i, "alt_deg"), 2.0 / 3600) << i << " " << frame;
            EXPECT_NEAR(WrappedDifference(Degrees(az), t.Get(i, "az_deg"), 360), 0, 2.0 / 3600) << i << " " << frame;
        }
    }
}

}  // namespace
