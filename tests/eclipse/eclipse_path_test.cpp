#include "eclipse/eclipse_path.h"

#include <gtest/gtest.h>

#include <cmath>

#include "solar_eclipse_fixture.h"
#include "support/wrapped_difference.h"

namespace {

using EclipsePathTest = SolarEclipseTest;

const BesselianElements& RowElements(const ReferenceTable& ref, std::size_t k) {
    return SolarEclipseTest::ElementsFor(static_cast<int>(ref.Get(k, "year")),
                                         static_cast<int>(ref.Get(k, "month")),
                                         static_cast<int>(ref.Get(k, "day")));
}

// Circumstances at a site after five steps from `ut` on the given side.
LocalContactCircumstances Contact(const BesselianElements& e, int side, double latitude,
                                  double longitude, double* ut) {
    LocalContactCircumstances c{};
    for (int i = 0; i < 5; ++i) LocalContactStep(e, side, latitude, longitude, 0, 66.184, ut, &c);
    return c;
}

// The central line against the axis met with the ellipsoid, and the central duration and the
// path width there against the direct local circumstances
// (scripts/reference/solar_eclipse_reference.py; both use one k = 0.2725076). The place takes
// the truncated ELP Moon (about 1", 2 km on the ground); duration and width hardly feel it.
TEST_F(EclipsePathTest, CentralLineAgreesWithDirectGeometry) {
    const ReferenceTable ref = Table("solar_central_line_reference.csv");
    ASSERT_EQ(ref.rows.size(), 16u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double latitude, longitude, duration, width;
        const double returned =
            ComputeCentralLinePoint(RowElements(ref, k), ref.Get(k, "ut"), kDeltaT, &latitude,
                                    &longitude, &duration, &width);
        EXPECT_EQ(returned, latitude);
        EXPECT_NEAR(latitude, ref.Get(k, "latitude"), 0.05) << k;
        EXPECT_NEAR(WrappedDifference(longitude, ref.Get(k, "longitude_w"), 360), 0, 0.05) << k;
        EXPECT_NEAR(duration, ref.Get(k, "duration_s"), 1) << k;
        EXPECT_NEAR(width, ref.Get(k, "width_km"), 2) << k;
    }
}

// The first and last instants of the axis on the Earth, against the axis tangent to the
// ellipsoid.
TEST_F(EclipsePathTest, ShadowStartEndAgreeWithDirectGeometry) {
    const ReferenceTable ref = Table("solar_besselian_reference.csv");
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double start, end;
        EXPECT_EQ(ComputeShadowStartEnd(RowElements(ref, k), kDeltaT, &start, &end), 1);
        EXPECT_NEAR(start, ref.Get(k, "axis_start_ut"), 10 / 3600.0) << k;
        EXPECT_NEAR(end, ref.Get(k, "axis_end_ut"), 10 / 3600.0) << k;
    }
}

// Limits of the central and partial eclipse on the meridians of central points, against the
// sites whose greatest eclipse just touches the tangency; a side whose meridian lies wholly in
// the penumbra has no limit and gives its pole.
TEST_F(EclipsePathTest, LimitsAgreeWithDirectGeometry) {
    const ReferenceTable ref = Table("solar_limits_reference.csv");
    ASSERT_EQ(ref.rows.size(), 10u);
    struct Limit {
        const char* column;
        double magnitude;
        int side;
    };
    const Limit limits[] = {{"central_south", 1, -1},
                            {"central_north", 1, 1},
                            {"partial_south", 0, -1},
                            {"partial_north", 0, 1}};
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        for (const Limit& l : limits) {
            const double latitude = ComputeLimitLatitude(
                RowElements(ref, k), ref.Get(k, "longitude_w"), 0, l.magnitude, kDeltaT, l.side);
            EXPECT_NEAR(latitude, ref.Get(k, l.column), 0.03) << k << " " << l.column;
        }
    }
}

// Contacts, greatest eclipse, magnitude and obscuration after five steps on each side, against
// the direct local circumstances: total, partial, annular and no eclipse (Sydney, outside the
// penumbra). The obscuration carries its +0.05 for display.
TEST_F(EclipsePathTest, LocalContactsAgreeWithDirectGeometry) {
    const ReferenceTable ref = Table("solar_local_reference.csv");
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        const BesselianElements& e = RowElements(ref, k);
        const double latitude = ref.Get(k, "latitude"), longitude = ref.Get(k, "longitude_w");
        const double start = ref.Get(k, "hour") + ref.Get(k, "minute") / 60;
        double first = start, greatest = start, last = start;
        Contact(e, -1, latitude, longitude, &first);
        const LocalContactCircumstances at = Contact(e, 0, latitude, longitude, &greatest);
        Contact(e, 1, latitude, longitude, &last);
        if (ref.Get(k, "magnitude") < 0) {
            EXPECT_LT(at.magnitude, 0) << ref.Text(k, "site");
            EXPECT_EQ(at.obscuration, 0) << ref.Text(k, "site");
            continue;
        }
        EXPECT_NEAR(first, ref.Get(k, "c1"), 10 / 3600.0) << ref.Text(k, "site");
        EXPECT_NEAR(greatest, ref.Get(k, "greatest"), 10 / 3600.0) << ref.Text(k, "site");
        EXPECT_NEAR(last, ref.Get(k, "c4"), 10 / 3600.0) << ref.Text(k, "site");
        EXPECT_NEAR(at.magnitude, ref.Get(k, "magnitude"), 0.001) << ref.Text(k, "site");
        EXPECT_NEAR(at.obscuration, ref.Get(k, "obscuration"), 0.2) << ref.Text(k, "site");
    }
}

// Sydney sees nothing of 2006-03-29 (|S| > 1: the penumbra passes by). The contact steps took
// the square root of 1 - S^2 and gave not-a-number times, and greatest eclipse multiplied it
// by side 0; every later step was then not-a-number too.
TEST_F(EclipsePathTest, SiteOutsideThePenumbraKeepsNumbers) {
    const BesselianElements& e = ElementsFor(2006, 3, 29);
    for (int side : {-1, 0, 1}) {
        double ut = 10 + 11 / 60.0;
        const LocalContactCircumstances c = Contact(e, side, -33.87, -151.21, &ut);
        EXPECT_TRUE(std::isfinite(ut)) << side;
        EXPECT_LT(c.magnitude, 0) << side;
        EXPECT_EQ(c.obscuration, 0) << side;
    }
}

// An axis standing on the equator, with the given hour angle, cone radii and position.
BesselianElements StillAxis(double mu0, double l1, double l2) {
    BesselianElements e{};
    e.x1 = 0.5;
    e.mu0 = mu0;
    e.mu1 = 15;
    e.l1_0 = l1;
    e.l2_0 = l2;
    return e;
}

// Obscuration at the site below the axis (latitude 0, longitude 0) and far outside: inside the
// antumbra of an annular eclipse it is A^2 (A = 0.95: 90.25, returned as 90.3 with the 0.05
// for display), inside the umbra 100, outside the penumbra 0 with a negative magnitude.
TEST_F(EclipsePathTest, ObscurationFollowsThePhase) {
    struct Case {
        const char* what;
        double l2, longitude, obscuration;
    } const cases[] = {
        {"annular, A = 0.95", 0.55 * 0.05 / 1.95, 0, 90.3},
        {"total", -0.01, 0, 100},
        {"outside the penumbra", -0.01, 80, 0},
    };
    for (const Case& c : cases) {
        double ut = 0;
        LocalContactCircumstances at{};
        LocalContactStep(StillAxis(0, 0.55, c.l2), 0, 0, c.longitude, 0, 0, &ut, &at);
        EXPECT_NEAR(at.obscuration, c.obscuration, 1e-9) << c.what;
        if (c.obscuration == 0) {
            EXPECT_LT(at.magnitude, 0) << c.what;
        }
    }
}

// Longitudes come back in -180..+180: 185 as -175 and -181 as 179 (the axis on the site's
// meridian, so the longitude is mu). Near the pole the hour angle of the axis at the site
// passes 90 degrees, and four hours on, mu - theta reached 548 degrees; subtracting 360 once
// left 188. The latitude on the axis meridian (x = 0) was 0 / 0.
TEST_F(EclipsePathTest, CentralLongitudeIsReducedIntoHalfTurns) {
    double latitude, longitude, duration, width;
    for (auto [mu, expected] : {std::pair{185.0, -175.0}, {-181.0, 179.0}}) {
        ComputeCentralLinePoint(StillAxis(mu, 0.55, -0.01), 0, 0, &latitude, &longitude, &duration,
                                &width);
        EXPECT_NEAR(longitude, expected, 1e-9) << mu;
        EXPECT_NEAR(latitude, 0, 1e-9) << mu;
    }
    BesselianElements polar = StillAxis(350, 0.55, -0.01);
    polar.x1 = 0;
    polar.x0 = -0.3;
    polar.y0 = 0.95;
    polar.d0 = 23;
    ComputeCentralLinePoint(polar, 4, 0, &latitude, &longitude, &duration, &width);
    EXPECT_NEAR(longitude, -172.3, 0.1);  // 410 - theta, theta = atan2(-0.3, -0.330)
}

// A limit that does not converge to a number (degenerate elements: no motion of the axis)
// is absent and lies at the pole of its side; it came back as not-a-number, which the band
// drawing turns into an int.
TEST_F(EclipsePathTest, LimitThatIsNotANumberGoesToThePole) {
    const BesselianElements none{};
    EXPECT_EQ(ComputeLimitLatitude(none, 10, 0, 0, 0, -1), -90);
    EXPECT_EQ(ComputeLimitLatitude(none, 10, 0, 0, 0, 1), 90);
}

}  // namespace
