// The SGP and SGP4 propagators against published vectors: Spacetrack Report
// No. 3's SGP printout and the verification set of Vallado et al. (2006); the
// status of sets outside the model; the Kepler step limit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <string>

#include "orbits/satellite_math.h"
#include "orbits/satellite_propagation.h"
#include "satellite_fixtures.h"
#include "support/reference_table.h"

namespace {

using Propagator = bool (*)(double, double[4], double[4], const SatelliteElements*);

struct State {
    bool ok;
    double r[4], v[4];  // km, km/s after ConvertStateToKm
};

State Propagate(Propagator propagate, const SatelliteElements& el, double tsince) {
    State s{};
    s.ok = propagate(tsince, s.r, s.v, &el);
    if (s.ok) ConvertStateToKm(s.r, s.v);
    return s;
}

double Distance(const double a[4], const double b[3]) {
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// A call either succeeds with finite numbers or fails with x, y, z not a number.
void ExpectContract(const State& s, double number, double t) {
    for (int k = 0; k < 3; ++k) {
        if (s.ok) {
            EXPECT_TRUE(std::isfinite(s.r[k]) && std::isfinite(s.v[k])) << number << " " << t;
        } else {
            EXPECT_TRUE(std::isnan(s.r[k]) && std::isnan(s.v[k])) << number << " " << t;
        }
    }
}

// SGP, set 88888: the printed vectors of Spacetrack Report No. 3 (Hoots and
// Roehrich 1980), the only published SGP output, within 0.02 km and 2e-5 km/s;
// after ConvertStateToKm the fourth components are the printed vectors' lengths.
TEST(PropagateSgp, MatchesSpacetrackReport88888) {
    struct Row {
        double t, r[3], v[3];
    } rows[] = {
        {0, {2328.966, -5995.216, 1719.979}, {2.91110113, -0.98164053, -7.09049922}},
        {360, {2456.006, -6071.942, 1222.960}, {2.67852119, -0.44705850, -7.22800565}},
        {720, {2567.395, -6112.497, 713.977}, {2.43952477, 0.09884824, -7.31889641}},
        {1080, {2663.032, -6115.374, 195.739}, {2.19531813, 0.65333930, -7.36169147}},
        {1440, {2742.855, -6079.136, -328.861}, {1.94707947, 1.21346101, -7.35499924}},
    };
    SatelliteElements el = ElementsOf(k88888Line1, k88888Line2);
    for (const Row& row : rows) {
        State s = Propagate(PropagateSgp, el, row.t);
        ASSERT_TRUE(s.ok) << row.t;
        EXPECT_LT(Distance(s.r, row.r), 0.02) << row.t;
        EXPECT_LT(Distance(s.v, row.v), 2e-5) << row.t;
        EXPECT_NEAR(s.r[3], std::hypot(row.r[0], row.r[1], row.r[2]), 0.02) << row.t;
        EXPECT_NEAR(s.v[3], std::hypot(row.v[0], row.v[1], row.v[2]), 2e-5) << row.t;
    }
}

std::map<int, SatelliteElements> VerificationSets(const ReferenceTable& sets) {
    std::map<int, SatelliteElements> out;
    for (std::size_t i = 0; i < sets.rows.size(); ++i) {
        out[static_cast<int>(sets.Get(i, "number"))] = ElementsOf(sets.Text(i, "line1"), sets.Text(i, "line2"));
    }
    return out;
}

// SGP4, the near-Earth sets of the verification set (tests/reference/
// sgp4_verification.csv, published output of Vallado et al. 2006, read by
// scripts/reference/sgp4_verification.py) at every listed time: within 10 m and
// 1e-5 km/s. The report's formulation (semi-major axis a0"/(1 - delta0), J2 =
// 0.0010826158, Kepler to 1e-6) stays within that of the revision's vectors.
// Cases 28350 and 22312 need the eccentricity held at 1e-6 after the drag
// terms, 28057 (e = 8.84e-5) the drag terms that divide by e left out. SGP's
// epoch positions come within 20 m of the same vectors (14 m measured).
TEST(PropagateSgp4, MatchesVerificationSet) {
    std::map<int, SatelliteElements> sets =
        VerificationSets(ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sgp4_verification_sets.csv"));
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sgp4_verification.csv");
    ASSERT_EQ(table.rows.size(), 158u);
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        int number = static_cast<int>(table.Get(i, "number"));
        double t = table.Get(i, "tsince");
        double r[3] = {table.Get(i, "x"), table.Get(i, "y"), table.Get(i, "z")};
        double v[3] = {table.Get(i, "vx"), table.Get(i, "vy"), table.Get(i, "vz")};
        State s = Propagate(PropagateSgp4, sets.at(number), t);
        ASSERT_TRUE(s.ok) << number << " " << t;
        EXPECT_LT(Distance(s.r, r), 0.010) << number << " " << t;
        EXPECT_LT(Distance(s.v, v), 1e-5) << number << " " << t;
        if (t == 0.0) {
            EXPECT_LT(Distance(Propagate(PropagateSgp, sets.at(number), t).r, r), 0.02) << number;
        }
    }
}

// Where the model gives up: python3-sgp4 (the 2006 revision; tests/reference/
// sgp4_status.csv by scripts/reference/sgp4_verification.py) at the published
// times and every 20 minutes over a day either side of each near-Earth epoch.
// SGP4 refuses exactly where it reports an error: a mean eccentricity below
// -0.001 after the drag terms (22312 from 500 minutes), a radius below one
// Earth radius (28872 near its perigees, once 24 km underground at 55
// minutes; 29141), a negative semi-latus rectum (29141); elsewhere it is within
// 10 m of its position.
TEST(PropagateSgp4, RefusesWhereTheRevisedModelReportsAnError) {
    std::map<int, SatelliteElements> sets =
        VerificationSets(ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sgp4_verification_sets.csv"));
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sgp4_status.csv");
    ASSERT_GT(table.rows.size(), 1300u);
    std::map<int, int> refusals;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        int number = static_cast<int>(table.Get(i, "number"));
        double t = table.Get(i, "tsince");
        bool expectOk = table.Get(i, "error") == 0.0;
        State s = Propagate(PropagateSgp4, sets.at(number), t);
        ExpectContract(s, number, t);
        ASSERT_EQ(s.ok, expectOk) << number << " " << t << " code " << table.Get(i, "error");
        refusals[number] += !s.ok;
        double r[3] = {table.Get(i, "x"), table.Get(i, "y"), table.Get(i, "z")};
        if (expectOk) {
            EXPECT_LT(Distance(s.r, r), 0.010) << number << " " << t;
        }
    }
    EXPECT_EQ(refusals[22312], 48);
    EXPECT_EQ(refusals[28872], 29);
    EXPECT_EQ(refusals[29141], 90);
    EXPECT_EQ(refusals[6251], 0);
}

// Sets of any period go through the near-Earth equations (tests/reference/
// sgp4_verification_sets.csv): from a day before to two days after the epoch
// every call gives finite numbers or refuses with not-a-number. The 12-hour
// set 08195 and the geostationary 28626 land within 100 km of the published
// deep-space positions at the epoch (72 and 9 km: the lunisolar terms).
TEST(PropagateSgp4, AnyPeriodGoesThroughTheNearEarthEquations) {
    ReferenceTable sets = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sgp4_verification_sets.csv");
    ASSERT_EQ(sets.rows.size(), 32u);
    for (std::size_t i = 0; i < sets.rows.size(); ++i) {
        double number = sets.Get(i, "number");
        SatelliteElements el = ElementsOf(sets.Text(i, "line1"), sets.Text(i, "line2"));
        for (double t = -1440; t <= 2880; t += 240) {
            ExpectContract(Propagate(PropagateSgp4, el, t), number, t);
            ExpectContract(Propagate(PropagateSgp, el, t), number, t);
        }
        if (number == 8195 || number == 28626) {
            double epochPosition[3] = {sets.Get(i, "x0"), sets.Get(i, "y0"), sets.Get(i, "z0")};
            State s = Propagate(PropagateSgp4, el, 0.0);
            ASSERT_TRUE(s.ok);
            EXPECT_LT(Distance(s.r, epochPosition), 100.0) << number;
        }
    }
}

SatelliteElements Set88888With(double SatelliteElements::*field, double value) {
    SatelliteElements el = ElementsOf(k88888Line1, k88888Line2);
    el.*field = value;
    return el;
}

// Mean motion not above 0 or eccentricity outside [0, 1): both propagators
// refuse with not-a-number.
TEST(SatellitePropagators, RefuseSetsOutsideTheModel) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    SatelliteElements sets[] = {
        Set88888With(&SatelliteElements::meanMotion, 0.0), Set88888With(&SatelliteElements::meanMotion, -0.07),
        Set88888With(&SatelliteElements::meanMotion, nan), Set88888With(&SatelliteElements::eccentricity, 1.0),
        Set88888With(&SatelliteElements::eccentricity, 1.5), Set88888With(&SatelliteElements::eccentricity, -0.1),
    };
    for (const SatelliteElements& el : sets) {
        for (Propagator propagate : {PropagateSgp, PropagateSgp4}) {
            State s = Propagate(propagate, el, 100.0);
            EXPECT_FALSE(s.ok) << el.meanMotion << " " << el.eccentricity;
            ExpectContract(s, el.meanMotion, el.eccentricity);
        }
    }
}

// Orbits where the report's equations divide by zero: e = 0 (C3 and the
// mean-anomaly drag term divide by e) gives what e = 1e-6 gives within 15 m
// (2 a times the difference in e);
// i = 180 degrees (the long-period term divides by 1 + cos i) has the radius
// of the same orbit at i = 0, whose node motion cancels out of Kepler's equation.
TEST(SatellitePropagators, CircularAndRetrogradeEquatorialOrbitsHavePositions) {
    SatelliteElements circular = ElementsOf(k88888Line1, k88888Line2.substr(0, 26) + "0000000" + k88888Line2.substr(33));
    SatelliteElements nearly = ElementsOf(k88888Line1, k88888Line2.substr(0, 26) + "0000010" + k88888Line2.substr(33));
    SatelliteElements prograde = ElementsOf(k88888Line1, "2 88888   0.0000" + k88888Line2.substr(16));
    SatelliteElements retrograde = ElementsOf(k88888Line1, "2 88888 180.0000" + k88888Line2.substr(16));
    for (Propagator propagate : {PropagateSgp, PropagateSgp4}) {
        for (double t : {0.0, 500.0, 1440.0}) {
            State a = Propagate(propagate, circular, t), b = Propagate(propagate, nearly, t);
            ASSERT_TRUE(a.ok && b.ok) << t;
            EXPECT_LT(Distance(a.r, b.r), 0.015) << t;
            State p = Propagate(propagate, prograde, t), r = Propagate(propagate, retrograde, t);
            ASSERT_TRUE(p.ok && r.ok) << t;
            EXPECT_NEAR(r.r[3], p.r[3], 1e-6) << t;
        }
    }
}

// SGP: once the decayed semi-major axis a is at or below the perigee distance
// q0, e is 1e-6. With i = 0 (no J3 or short-period radius terms) the radius is
// then a (1 - e cos E): within 2e-6 of a = a0 (n / n(t))^(2/3). Set 88888 with
// the largest n-dot / 2 the field holds (0.99999999 rev/day^2) gets there after
// about 150 minutes; a negative e would put the radius up to 7% off. From about
// 700 minutes a is below one Earth radius: the satellite has come down, and
// SGP refuses it.
TEST(PropagateSgp, EccentricityFloorOnceDecayedBelowPerigee) {
    SatelliteElements el = ElementsOf(Put(k88888Line1, 33, " .99999999"), "2 88888   0.0000" + k88888Line2.substr(16));
    for (double t : {300.0, 450.0, 600.0, 690.0, 720.0, 1100.0, 1440.0}) {
        double nt = el.meanMotion + 2.0 * el.ndot2 * t + 3.0 * el.nddot6 * t * t;
        double a = el.a0 * std::pow(el.meanMotion / nt, 2.0 / 3.0);
        ASSERT_LT(a, el.q0) << t;
        double r[4], v[4];
        ASSERT_EQ(PropagateSgp(t, r, v, &el), a > 1.0) << t;
        if (a > 1.0) {
            EXPECT_NEAR(VectorMagnitude(r) / a, 1.0, 2e-6) << t;
        } else {
            EXPECT_TRUE(std::isnan(r[0]) && std::isnan(v[2])) << t;
        }
    }
}

// Kepler's equation u = x - axN sin x + ayN cos x: a slow case (e = 0.99 near
// perigee) ends after 10 steps with the next change still above 1e-6; an
// ordinary one converges in fewer.
TEST(SolveSatelliteKepler, EndsAfterTenSteps) {
    struct {
        double u, axN, ayN;
        bool slow;
    } cases[] = {{0.06283185307179587, 0.99, 0.0, true}, {1.0, 0.01, 0.005, false}};
    for (const auto& c : cases) {
        double x, sinX, cosX;
        int steps = SolveSatelliteKepler(c.u, c.axN, c.ayN, &x, &sinX, &cosX);
        double residual = c.u - (x - c.axN * std::sin(x) + c.ayN * std::cos(x));
        double next = residual / (1.0 - c.ayN * std::sin(x) - c.axN * std::cos(x));
        EXPECT_EQ(steps == 10, c.slow);
        EXPECT_EQ(std::fabs(next) > 1e-6, c.slow) << next;
    }
}

// SGP4 keeps the derived values of the last set: after another set, a set
// changed in any one of the seven elements it reads gives bit for bit what it
// gives after a set that differs in all seven, and the change shows. Set 06251
// of the verification set has its perigee above 220 km: every drag term counts.
TEST(PropagateSgp4, KeptInitialisationFollowsEverySet) {
    double SatelliteElements::*fields[] = {
        &SatelliteElements::meanMotion,   &SatelliteElements::bstar,       &SatelliteElements::inclination,
        &SatelliteElements::eccentricity, &SatelliteElements::meanAnomaly, &SatelliteElements::argPerigee,
        &SatelliteElements::raan};
    SatelliteElements base = ElementsOf("1 06251U 62025E   06176.82412014  .00008885  00000-0  12808-3 0  3985",
                                        "2 06251  58.0579  54.0425 0030035 139.1568 221.1854 15.56387291  6774");
    SatelliteElements other = base;
    for (auto field : fields) other.*field *= 1.1;
    State first = Propagate(PropagateSgp4, base, 720.0);
    for (auto field : fields) {
        SatelliteElements changed = base;
        changed.*field *= 1.001;
        Propagate(PropagateSgp4, base, 720.0);
        State afterBase = Propagate(PropagateSgp4, changed, 720.0);
        Propagate(PropagateSgp4, other, 720.0);
        State afterOther = Propagate(PropagateSgp4, changed, 720.0);
        EXPECT_EQ(std::memcmp(afterBase.r, afterOther.r, sizeof afterBase.r), 0);
        EXPECT_EQ(std::memcmp(afterBase.v, afterOther.v, sizeof afterBase.v), 0);
        EXPECT_GT(Distance(afterBase.r, first.r), 1e-6);
    }
}

}  // namespace
