// Comet and minor-planet positions: the three orbit solutions against exact
// solutions, the geocentric place against ERFA's Earth, the work words and the
// brightness laws.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "orbits/comet_position.h"
#include "support/reference_table.h"

namespace {

constexpr double kT = 2451545.0;  // a perihelion time exact in single precision

CometRecord Orbit(double q, double e, double t = kT) {
    CometRecord c{};
    c.kind = 13;
    c.workPerihelionTime = static_cast<float>(t);
    c.workEccentricity = static_cast<float>(e);
    c.workPerihelionDistance = static_cast<float>(q);
    c.semiMajorAxis = static_cast<float>(q / (1.0 - e));
    c.workEquinox = 2000.0f;
    return c;
}

// Solver error against exact solutions (tests/reference/orbit_plane.csv, made by
// scripts/reference/comet_orbits.py): all three agree to 3e-7 of the radius,
// the single precision of the results (the near-parabolic series also at e = 1.2
// within 60 days of perihelion).
TEST(OrbitSolvers, AgreeWithExactSolutions) {
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "orbit_plane.csv");
    ASSERT_EQ(table.rows.size(), 38u);
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        double q = table.Get(i, "q"), e = table.Get(i, "e"), dt = table.Get(i, "dt");
        CometRecord c = Orbit(q, e);
        float out[3];
        ASSERT_EQ(SolveOrbit(&c, kT + dt, out), 1) << q << " " << e << " " << dt;
        double error = std::hypot(out[0] - table.Get(i, "x"), out[1] - table.Get(i, "y"));
        double r = std::hypot(table.Get(i, "x"), table.Get(i, "y"));
        EXPECT_LT(error, 3e-7 * r + 1e-9) << "q " << q << " e " << e << " dt " << dt;
        EXPECT_EQ(out[2], 0.0f);
    }
}
}  // namespace

namespace {

TEST(OrbitSolvers, ChoiceByEccentricity) {
    struct Case {
        double e;
        int (*solver)(const CometRecord*, double, float*);
    } cases[] = {{0.98, SolveNearParabolicOrbit},
                 {0.9799999, SolveEllipticOrbit},
                 {1.0, SolveParabolicOrbit},
                 {1.2, SolveNearParabolicOrbit},
                 {0.2, SolveEllipticOrbit}};
    for (const Case& c : cases) {
        CometRecord orbit = Orbit(0.9, c.e);
        float chosen[3], direct[3];
        ASSERT_EQ(SolveOrbit(&orbit, kT + 33.3, chosen), 1);
        ASSERT_EQ(c.solver(&orbit, kT + 33.3, direct), 1);
        EXPECT_EQ(chosen[0], direct[0]) << c.e;
        EXPECT_EQ(chosen[1], direct[1]) << c.e;
    }
}

TEST(OrbitSolvers, AtPerihelionEverySolutionGivesQ) {
    for (double e : {0.3, 0.7, 0.99, 1.0, 1.2}) {
        CometRecord orbit = Orbit(0.75, e);
        for (auto solver : {SolveEllipticOrbit, SolveParabolicOrbit, SolveNearParabolicOrbit}) {
            if (solver == SolveEllipticOrbit && e >= 1.0) continue;
            float out[3];
            ASSERT_EQ(solver(&orbit, kT, out), 1) << e;
            EXPECT_FLOAT_EQ(out[0], 0.75f) << e;
            EXPECT_EQ(out[1], 0.0f) << e;
        }
    }
}

TEST(OrbitSolvers, PerihelionDistanceZeroFails) {
    CometRecord orbit = Orbit(0.0, 0.5);
    float out[3];
    EXPECT_EQ(SolveEllipticOrbit(&orbit, kT + 1, out), 0);
    EXPECT_EQ(SolveParabolicOrbit(&orbit, kT + 1, out), 0);
    EXPECT_EQ(SolveNearParabolicOrbit(&orbit, kT + 1, out), 0);
    float ra, dec, delta, r, elongation, phase;
    EXPECT_EQ(ComputeCometPosition(&orbit, kT + 1, 2000, &ra, &dec, &delta, &r, &elongation, &phase), 0);
    EXPECT_TRUE(std::isnan(ra) && std::isnan(dec) && std::isnan(delta) && std::isnan(phase));
}

// An open orbit has no ellipse: the elliptic solution refuses it instead of giving NaN.
TEST(OrbitSolvers, EllipticSolutionRefusesAnOpenOrbit) {
    CometRecord orbit = Orbit(1.0, 1.2);
    float out[3];
    EXPECT_EQ(SolveEllipticOrbit(&orbit, kT + 10, out), 0);
}

// Damaged elements (not-a-number or infinite words) give no position: every
// solver fails instead of reporting NaN coordinates as a solution.
TEST(OrbitSolvers, DamagedElementsAreNotReportedAsASolution) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    CometRecord orbits[] = {Orbit(1.0, 0.5), Orbit(1.0, 1.0), Orbit(1.0, 0.99), Orbit(1.0, 0.5), Orbit(nan, 0.5)};
    orbits[0].workPerihelionTime = nan;
    orbits[1].workPerihelionTime = nan;
    orbits[2].workPerihelionTime = nan;
    orbits[3].workEccentricity = nan;
    for (CometRecord& c : orbits) {
        float out[3];
        EXPECT_EQ(SolveOrbit(&c, kT + 10, out), 0) << c.workEccentricity;
        float ra, dec, delta, r, elongation, phase;
        EXPECT_EQ(ComputeCometPosition(&c, kT + 10, 2000, &ra, &dec, &delta, &r, &elongation, &phase), 0);
    }
    CometRecord far = Orbit(inf, 0.5);
    float out[3];
    EXPECT_EQ(SolveEllipticOrbit(&far, kT + 10, out), 0);
}

// A place a hair west of 0h (-3e-8 h) must come back as a right ascension below
// 24 h, not rounded up to 24.0 in single precision. The object is 1e9 AU out
// along the equinox direction, turned back by 5e-7 degrees.
TEST(CometPosition, RightAscensionJustBelowZeroHoursIsNotRoundedTo24) {
    CometRecord c = Orbit(1e9, 0.5);
    c.workArgPerihelion = -5e-7f;
    float ra, dec, delta, r, elongation, phase;
    ASSERT_EQ(ComputeCometPosition(&c, kT, 2000, &ra, &dec, &delta, &r, &elongation, &phase), 1);
    EXPECT_GE(ra, 0.0f);
    EXPECT_LT(ra, 24.0f);
}

// Places against ERFA's Earth and exact orbits (tests/reference/comet_places.csv).
// The program's Sun is a low-precision one (about 0.01 degree) without the
// Earth-Moon offset, so a place is good to 1.5 arcminutes at these distances and
// a distance to 3e-4 AU.
TEST(CometPosition, PlacesAgreeWithExactOrbitsAndTheEarth) {
    const double orbits[][6] = {  // q, e, argument of perihelion, node, inclination, T
        {1.2, 0.5, 30.0, 80.0, 10.0, 2451600.5},   {0.8, 1.0, 200.0, 300.0, 120.0, 2451700.5},
        {1.5, 0.995, 45.0, 150.0, 70.0, 2451650.25}, {2.0, 1.02, 300.0, 20.0, 35.0, 2451560.75},
        {2.5, 0.1, 150.0, 200.0, 5.0, 2451400.0}};
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "comet_places.csv");
    ASSERT_EQ(table.rows.size(), 25u);
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const double* o = orbits[static_cast<int>(table.Get(i, "orbit"))];
        CometRecord c = Orbit(o[0], o[1], o[5]);
        c.workArgPerihelion = static_cast<float>(o[2]);
        c.workNode = static_cast<float>(o[3]);
        c.workInclination = static_cast<float>(o[4]);
        float ra, dec, delta, r, elongation, phase;
        ASSERT_EQ(ComputeCometPosition(&c, table.Get(i, "jd"), 2000, &ra, &dec, &delta, &r, &elongation, &phase), 1);
        EXPECT_GE(ra, 0.0f);
        EXPECT_LT(ra, 24.0f);
        EXPECT_LT(SeparationArcsec(ra, dec, table.Get(i, "ra"), table.Get(i, "dec")), 90.0) << i;
        EXPECT_NEAR(delta, table.Get(i, "delta"), 3e-4) << i;
        EXPECT_NEAR(r, table.Get(i, "r"), 1e-6) << i;
        EXPECT_NEAR(elongation, table.Get(i, "elongation"), 5e-4) << i;
        EXPECT_NEAR(phase, table.Get(i, "phase"), 5e-4) << i;
    }
}

// 10 years of general precession: 10 x 50.29" added to the ecliptic longitude.
TEST(CometPosition, EquinoxYearAddsPrecessionToTheLongitude) {
    CometRecord c = Orbit(5000.0, 0.5);
    c.workArgPerihelion = 40.0f;
    c.workNode = 70.0f;
    c.workInclination = 3.0f;
    auto longitude = [&](int year) {
        float ra, dec, delta, r, elongation, phase;
        ComputeCometPosition(&c, kT, year, &ra, &dec, &delta, &r, &elongation, &phase);
        double a = ra * std::numbers::pi / 12, d = dec * std::numbers::pi / 180, eps = 0.4090928042221351;
        double y = std::sin(a) * std::cos(eps) + std::tan(d) * std::sin(eps);
        return std::atan2(y, std::cos(a)) * 180 / std::numbers::pi * 3600;
    };
    EXPECT_NEAR(longitude(2010) - longitude(2000), 502.9, 0.5);  // 5000 AU away: the Earth's offset is 0.04"
}

TEST(CometPosition, WorkWordsFromTheStoredElements) {
    CometRecord c{};
    c.year = 2000;
    c.month = 1;
    c.day = 1.5f;
    c.eccentricity = 0.75f;
    c.perihelionDistance = 0.5f;
    c.argPerihelion = 12.0f;
    c.node = 34.0f;
    c.inclination = 56.0f;
    FillCometWorkWords(&c);
    EXPECT_EQ(c.workPerihelionTime, 2451545.0f);  // 2000 January 1.5 = J2000.0
    EXPECT_EQ(c.workEccentricity, 0.75f);
    EXPECT_EQ(c.workPerihelionDistance, 0.5f);
    EXPECT_FLOAT_EQ(c.semiMajorAxis, 2.0f);
    EXPECT_EQ(c.workArgPerihelion, 12.0f);
    EXPECT_EQ(c.workNode, 34.0f);
    EXPECT_EQ(c.workInclination, 56.0f);
    EXPECT_EQ(c.workEquinox, 2000.0f);
    c.day = 17.8f;  // JD 2451561.3, held to the quarter day of single precision
    FillCometWorkWords(&c);
    EXPECT_EQ(c.workPerihelionTime, 2451561.25f);
}

// A damaged day of the perihelion time (not a number, or beyond any date) leaves
// the time unknown instead of converting it to a whole day it cannot hold.
TEST(CometPosition, DamagedPerihelionDayLeavesTheTimeUnknown) {
    for (float day : {std::numeric_limits<float>::quiet_NaN(), 1e30f, -1e30f, std::numeric_limits<float>::infinity()}) {
        CometRecord c{};
        c.year = 2000;
        c.month = 1;
        c.day = day;
        c.perihelionDistance = 0.5f;
        c.eccentricity = 0.75f;
        FillCometWorkWords(&c);
        EXPECT_TRUE(std::isnan(c.workPerihelionTime)) << day;
        float ra, dec, delta, r, elongation, phase;
        EXPECT_EQ(ComputeCometPosition(&c, kT, 2000, &ra, &dec, &delta, &r, &elongation, &phase), 0) << day;
    }
}

// Expected magnitudes evaluated by hand from the two laws (base-10 logarithms).
TEST(CometMagnitude, CometAndMinorPlanetLaws) {
    CometRecord comet{};
    comet.kind = 13;
    comet.absoluteMagnitude = 5.0f;
    comet.slope = 10.0f;
    EXPECT_NEAR(ComputeCometMagnitude(&comet, 2.0, 1.5, 0.4), 8.26606, 1e-5);  // 5 + 5 log 2 + 10 log 1.5
    CometRecord asteroid{};
    asteroid.kind = 18;
    asteroid.absoluteMagnitude = 3.34f;
    asteroid.slope = 0.12f;
    EXPECT_NEAR(ComputeCometMagnitude(&asteroid, 1.6, 2.5, 0.0), 3.34 + 5 * std::log10(4.0), 1e-5);
    EXPECT_NEAR(ComputeCometMagnitude(&asteroid, 1.6, 2.5, 0.3), 7.29409, 1e-5);
}

}  // namespace
