#include "ephemeris/lunation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

#include "core/delta_t.h"
#include "ephemeris/lunation_tables.h"
#include "support/reference_csv.h"

namespace {

constexpr double kMinute = 1.0 / 1440;  // days
// Delta T of 2000 January 1, days: turns the method's universal times into dynamical time.
double DeltaT2000() { return ComputeDeltaT(2000, 1, 1) / 86400; }

// Phase instant in dynamical time: the result plus the Delta T of the date passed.
double PhaseJde(double phase, int k, int year, int month, int day) {
    double jd = ComputeLunation(phase, 0, nullptr, nullptr, &k, false, day, month, year, 0, 0, nullptr);
    return jd + ComputeDeltaT(year, month, day) / 86400;
}

struct Eclipse {
    double kind = kEclipseNone, time = 0;  // greatest eclipse, UT
    LunarEclipseContacts c;
};

// The eclipse test of lunation k at a new (0.0) or full (0.5) Moon.
Eclipse FindEclipse(int k, double phase) {
    Eclipse e;
    ComputeLunation(phase, 1, &e.kind, &e.time, &k, false, 1, 1, 2000, 0, 0, &e.c);
    return e;
}

// Meeus, ch. 49: 25 terms per phase, 6 of the quarters' W, 14 planetary arguments.
TEST(LunationTables, CountsAndQuotedTerms) {
    EXPECT_EQ((std::array{kLunationTermCount, kQuarterCorrectionTermCount, kPlanetaryArgumentCount}),
              (std::array{25, 6, 14}));
    const double quoted[][2] = {
        {newMoonTerms[0].coefficient, -0.40720}, {newMoonTerms[1].coefficient, 0.17241},
        {double(newMoonTerms[1].ePower), 1}, {fullMoonTerms[0].coefficient, -0.40614},
        {fullMoonTerms[1].coefficient, 0.17302}, {quarterTerms[0].coefficient, -0.62801},
        {quarterTerms[1].coefficient, 0.17172}, {quarterCorrectionTerms[0].coefficient, 0.00306},
        {planetaryArguments[0].c0, 299.77}, {planetaryArguments[0].c1, 0.107408},
        {planetaryArguments[0].c2, -0.009173}, {planetaryArguments[0].coefficient, 0.000325},
        {planetaryArguments[13].coefficient, 0.000023}};
    for (const auto& q : quoted) EXPECT_DOUBLE_EQ(q[0], q[1]);
}

// The book's worked examples: 49.a, new Moon of 1977 February (k = -283), JDE 2443192.65118;
// 49.b, last quarter of 2044 January (k = 544.75), JDE 2467636.49186. The result is universal
// time: the phase less the Delta T of the date given.
TEST(ComputeLunation, MeeusWorkedExamples) {
    EXPECT_NEAR(PhaseJde(0.0, -283, 1977, 2, 18), 2443192.65118, 1e-5);
    EXPECT_NEAR(PhaseJde(0.75, 544, 2044, 1, 21), 2467636.49186, 1e-5);
}

// Every phase of lunations 1975..2035 against the instants found from ERFA's Sun and Moon
// (scripts/reference/lunation_eclipse_erfa.py). The method is good to well under a minute;
// the ERFA Moon (moon98) to about 20 s at worst.
TEST(ComputeLunation, AgreesWithErfaPhases) {
    auto rows = ReadReferenceCsv("moon_phases_erfa.csv");
    ASSERT_EQ(rows.size(), 992u);
    for (const auto& r : rows)
        EXPECT_NEAR(PhaseJde(r[1], int(r[0]), 2000, 1, 1), r[2], kMinute)
            << "k " << r[0] << " phase " << r[1];
}

// Lunation 0 (the new Moon of 2000 January 6, 18:14 UT) was unreachable when k = 0 meant
// "derive k from the date". With the derive flag clear, 0 is a lunation like any other.
TEST(ComputeLunation, LunationZeroIsReachableWithTheDeriveFlagClear) {
    int k = 0;
    double jd = ComputeLunation(0.0, 0, nullptr, nullptr, &k, false, 5, 5, 2010, 0, 0, nullptr);
    EXPECT_EQ(k, 0);
    EXPECT_NEAR(jd + ComputeDeltaT(2010, 5, 5) / 86400, 2451550.2597, 2 * kMinute);
}

// With the flag set, k is derived from the date, trunc(12.3685 (Y - 2000) + 0.5) and one lower
// when negative, and written back before the phase is looked at (7.0 is no phase).
TEST(ComputeLunation, DerivesKFromTheDateAndWritesItBack) {
    struct Case { int year, month, day, k; } cases[] = {
        {2000, 1, 6, 0},     // Y - 2000 = 6/366: 0.70 -> 0
        {1999, 12, 1, 0},    // -0.55 -> 0
        {1999, 11, 10, -2},  // -1.23 -> -2
        {2024, 4, 8, 300},   // 300.69 -> 300
    };
    for (const auto& c : cases) {
        for (double phase : {0.0, 7.0}) {
            int k = 12345;
            double jd =
                ComputeLunation(phase, 0, nullptr, nullptr, &k, true, c.day, c.month, c.year, 0, 0, nullptr);
            EXPECT_EQ(k, c.k) << c.year << '-' << c.month << '-' << c.day << " phase " << phase;
            EXPECT_EQ(jd == 0.0, phase == 7.0);
        }
    }
}

// A phase other than the four gives 0.0 (kind and time still set to -1); one near a phase
// snaps to it. The eclipse test needs the kind output; quarters are never tested.
TEST(ComputeLunation, PhaseAndEclipseFlagEdgeCases) {
    int k = 10;
    double kind = 0, time = 0;
    auto at = [&k](double phase, int flag = 0) {
        return ComputeLunation(phase, flag, nullptr, nullptr, &k, false, 1, 1, 2001, 0, 0, nullptr);
    };
    EXPECT_EQ(ComputeLunation(1.0, 1, &kind, &time, &k, false, 1, 1, 2001, 0, 0, nullptr), 0.0);
    EXPECT_TRUE(kind == kEclipseNone && time == kEclipseNone);
    EXPECT_TRUE(at(-0.25) == 0.0 && at(std::nan("")) == 0.0);
    EXPECT_TRUE(at(0.1) == at(0.0) && at(-0.1) == at(0.0) && at(0.7) == at(0.5));
    EXPECT_EQ(at(0.5, 1), 0.0);
    EXPECT_GT(at(0.25, 1), 0.0);
}

// The total lunar eclipse of 2000 January 21 (k = 0, full Moon): the values the method gives
// as quoted (gamma near -0.296, u near -0.005, magnitudes near 1.32 and 2.31, semi-durations
// 157.98, 100.93 and 38.19 minutes), and the greatest eclipse within 5 minutes of the
// instant found from ERFA's positions (2451564.69768 TT).
TEST(ComputeLunation, TotalLunarEclipseOf2000January21) {
    Eclipse e = FindEclipse(0, 0.5);
    const LunarEclipseContacts& c = e.c;
    EXPECT_EQ(e.kind, kEclipseTotal);
    EXPECT_NEAR(c.gamma, -0.296, 0.0005);
    EXPECT_NEAR(c.u, -0.005, 0.0005);
    EXPECT_NEAR(c.umbralMagnitude, 1.32, 0.005);
    EXPECT_NEAR(c.penumbralMagnitude, 2.31, 0.005);
    const double contacts[][3] = {{c.p1, c.p4, 157.98}, {c.u1, c.u4, 100.93}, {c.u2, c.u3, 38.19}};
    for (const auto& d : contacts) {
        EXPECT_NEAR((c.greatest - d[0]) / kMinute, d[2], 0.01);
        EXPECT_NEAR((d[1] - c.greatest) / kMinute, d[2], 0.01);
    }
    EXPECT_EQ(c.greatest, e.time);
    EXPECT_NEAR(c.penumbraRadius, 1.2848 + c.u, 1e-12);
    EXPECT_NEAR(c.umbraRadius, 0.7403 - c.u, 1e-12);
    EXPECT_NEAR(e.time + DeltaT2000(), 2451564.69768, 5 * kMinute);
}

// Contacts of phases that do not occur are not-a-number: partial 2005-10-17 (k = 71) has no
// totality, penumbral 2001-12-30 (k = 24) no umbral phase (kinds from the ERFA table).
TEST(ComputeLunation, MissingPhasesLeaveNotANumberContacts) {
    for (int k : {71, 24}) {
        const LunarEclipseContacts c = FindEclipse(k, 0.5).c;
        const bool umbral = k == 71;
        EXPECT_EQ(FindEclipse(k, 0.5).kind, umbral ? kEclipsePartial : kEclipsePenumbral);
        EXPECT_TRUE(std::isnan(c.u2) && std::isnan(c.u3)) << k;
        EXPECT_TRUE(std::isnan(c.u1) != umbral && std::isnan(c.u4) != umbral) << k;
        EXPECT_FALSE(std::isnan(c.p1) || std::isnan(c.p4)) << k;
        EXPECT_FALSE(c.u3 > 0) << "the eclipse list's comparison fails";
    }
}

// The full-Moon test reported a partial eclipse with a negative umbral magnitude where
// gamma lay between 1.0128 - u and 1.0248 - u. With the published criteria these are
// penumbral: 1908 December 7 (k = -1127) and 1987 October 7 (k = -152), penumbral also by
// the independent geometry of scripts/reference/lunation_eclipse_erfa.py.
TEST(ComputeLunation, NegativeUmbralMagnitudeIsPenumbralNotPartial) {
    auto rows = ReadReferenceCsv("lunar_eclipse_kinds_erfa.csv");
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& r : rows) {
        Eclipse e = FindEclipse(int(r[0]), 0.5);
        double margin = 1.0128 - e.c.u - std::abs(e.c.gamma);
        EXPECT_EQ(e.kind, r[4]) << r[0];
        EXPECT_LT(e.c.umbralMagnitude, 0.0) << r[0];
        EXPECT_TRUE(margin < 0.0 && margin > -0.012 - 1e-9) << r[0];
    }
}

// Distance (Earth radii) of gamma and u from the nearest limit of the method's kind rules.
double Margin(bool lunar, double gamma, double u) {
    double g = std::abs(gamma);
    if (lunar)
        return std::min({std::abs(1.5573 + u - g), std::abs(1.0128 - u - g), std::abs(0.4678 - u - g)});
    double m = std::min(std::abs(u + 1.5433 - g), std::abs(g - 1.0));
    return g < 1.0 ? std::min(m, std::abs(u - 0.00464 * std::sqrt(1 - gamma * gamma))) : m;
}

// Cases within 0.005 Earth radii of a limit of the kind rules, by the method's or the ERFA
// gamma and u (those listed are ERFA's): their kinds are not compared. The two marked missed
// are penumbral eclipses too shallow for the method: its penumbral radius 1.2848 + u falls
// short of the true one by up to about 0.02 Earth radii, so with the published criterion (a
// positive penumbral magnitude) it finds none (penumbral magnitudes by the ERFA geometry).
struct ListedCase {
    int k;
    double phase, gamma, u;
    bool missed;
    const char* note;
};

const ListedCase kListed[] = {
    {30, 0.0, 0.19920, 0.00530, false, "2002-06-10 annular: u at the annular/total limit"},
    {42, 0.0, 0.99610, 0.01792, false, "2003-05-31 annular: gamma at the central limit 1.0"},
    {65, 0.0, -0.34773, 0.00213, false, "2005-04-08 hybrid (total): u at the annular/total limit"},
    {165, 0.5, 1.53522, -0.01666, false, "2013-05-25 penumbral, magnitude 0.04"},
    {171, 0.0, 0.32704, -0.00006, false, "2013-11-03 hybrid (total): u at the annular/total limit"},
    {177, 0.0, -0.99975, 0.00416, false,
     "2014-04-29 non-central annular: gamma at 1.0, the method gives partial"},
    {188, 0.5, 0.44602, 0.01892, false, "2015-04-04 total, umbral magnitude 1.005: the method gives partial"},
    {205, 0.5, 1.55937, -0.00560, true, "2016-08-18 penumbral, magnitude 0.017 (method: -0.011)"},
    {212, 0.0, -0.45771, 0.00609, false, "2017-02-26 annular: u at the annular/total limit"},
    {253, 0.0, 0.12074, 0.00596, false, "2020-06-21 annular: u at the annular/total limit"},
    {264, 0.5, 0.47756, -0.01794, false, "2021-05-26 total, umbral magnitude 1.015"},
    {288, 0.0, -0.39562, 0.00047, false, "2023-04-20 hybrid (total): u at the annular/total limit"},
    {340, 0.5, -1.57585, 0.01645, true, "2027-07-18 penumbral, magnitude 0.027 (method: -0.006)"},
};

// Every solar and lunar eclipse of 2000..2030 by kind against the table computed from ERFA's
// Sun and Moon (scripts/reference/lunation_eclipse_erfa.py), whose kinds are those of the
// published canons for these years. Hybrid solar eclipses count as total. An eclipse the
// method finds and the table has not must be near a limit and listed.
TEST(ComputeLunation, EclipseKinds2000To2030MatchTheCanon) {
    std::map<std::pair<int, double>, std::vector<double>> canon;
    for (const auto& r : ReadReferenceCsv("eclipses_2000_2030_erfa.csv")) canon[{int(r[0]), r[1]}] = r;
    ASSERT_EQ(canon.size(), 142u);
    std::size_t seen = 0;
    for (int k = -1; k <= 385; ++k) {
        for (double phase : {0.0, 0.5}) {
            auto it = canon.find({k, phase});
            const std::vector<double>* r = it == canon.end() ? nullptr : &it->second;
            Eclipse f = FindEclipse(k, phase);
            if (!r && f.kind == kEclipseNone) continue;
            seen += r != nullptr;
            SCOPED_TRACE(testing::Message() << "k " << k << " phase " << phase << " method " << f.kind
                                            << " gamma " << f.c.gamma << " u " << f.c.u);
            const ListedCase* listed = nullptr;
            for (const auto& l : kListed) listed = l.k == k && l.phase == phase ? &l : listed;
            const bool lunar = phase == 0.5;
            double margin = f.kind == kEclipseNone ? INFINITY : Margin(lunar, f.c.gamma, f.c.u);
            if (r) {
                const std::vector<double>& c = *r;  // k, phase, JDE, gamma, u, kind, -, umbral, penumbral
                EXPECT_TRUE(!listed ||
                            (std::abs(listed->gamma - c[3]) < 1e-5 && std::abs(listed->u - c[4]) < 1e-5));
                const double magnitudes = std::min({std::abs(c[8]), std::abs(c[7]), std::abs(c[7] - 1)});
                margin = std::min(margin, lunar ? 0.545 * magnitudes : Margin(false, c[3], c[4]));
            }
            if (listed && listed->missed) {
                ASSERT_TRUE(r);
                EXPECT_EQ(f.kind, kEclipseNone) << listed->note;
                EXPECT_EQ((*r)[5], kEclipsePenumbral) << listed->note;
                EXPECT_LT((*r)[8], 0.03) << listed->note;
            } else if (margin < 0.005) {
                EXPECT_TRUE(listed) << "near a limit, not listed; margin " << margin;
            } else {
                EXPECT_FALSE(listed) << "listed but not near a limit";
                ASSERT_TRUE(r) << "eclipse the canon does not have";
                EXPECT_EQ(f.kind, (*r)[5]);
                if (f.kind == kEclipseNone) continue;
                EXPECT_NEAR(f.time + DeltaT2000(), (*r)[2], 10 * kMinute);
                EXPECT_NEAR(f.c.gamma, (*r)[3], 0.01);
                EXPECT_NEAR(f.c.u, (*r)[4], 0.01);
            }
        }
    }
    EXPECT_EQ(seen, canon.size());
}

}  // namespace
