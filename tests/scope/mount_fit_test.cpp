// The mount-error fit of the program's own alignment: the residual, the
// visiting order of the constants, and the fit on the readings of an
// equatorial mount with known mount errors made by ERFA
// (tests/reference/mount_errors_erfa.csv, scripts/reference/mount_errors_erfa.py).
#include "scope/mount_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/shared_buffers.h"
#include "platform/device_services.h"
#include "scope/n_star_list.h"
#include "scope/pointing_model.h"
#include "support/reference_table.h"
#include "support/scope_fixture.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
// The known mount errors of the reference table, radians.
constexpr double kTrueZ[3] = {0.002, -0.001, 0.0005};
// Five evaluations before the search, then at most nine passes of three
// constants, each two ends and seven halvings of an interval of twice the
// step down to below 0.02 step (2 / 2^7 < 0.02).
constexpr int kMostEvaluations = 5 + 9 * 3 * (2 + 7);

class MountErrorFit : public ScopeTest {
protected:
    MountErrorFit() {
        preferences.word[kPrefAlignMethod] = 0;
        preferences.word[kPrefMountType] = 0;
        pl::ResetDeviceServices();
    }
    ~MountErrorFit() override { ResetAlignmentModel(); }

    // The reference table: the first two rows align, the others are entries
    // whose measured reading is the mount's.
    void Load() {
        const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "mount_errors_erfa.csv");
        ASSERT_EQ(t.rows.size(), 22u);
        for (std::size_t i = 0; i < t.rows.size(); ++i) {
            AlignmentStar s{};
            s.time = ParseHoursToDegrees(t.Text(i, "clock").c_str());
            s.ra = t.Get(i, "ra_h") * 15.0;
            s.dec = t.Get(i, "dec_deg");
            if (i < 2) {
                s.reading1 = t.Get(i, "axis1_deg");
                s.reading2 = t.Get(i, "axis2_deg");
                (i == 0 ? star1 : star2) = s;
            } else {
                s.measured1 = t.Get(i, "axis1_deg");
                s.measured2 = t.Get(i, "axis2_deg");
                entries.push_back(s);
            }
        }
        std::snprintf(reference, sizeof reference, "%s", t.Text(0, "clock").c_str());
    }
    int N() const { return static_cast<int>(entries.size()); }

    AlignmentStar star1{}, star2{};
    std::vector<AlignmentStar> entries;
    char reference[10] = {};
};

// With no mount errors in the model the readings miss by about 2e-3 rad; the
// fit takes the mean residual down more than tenfold, within nine passes, and
// finds the mount's errors (to 1e-5 rad); it tells the count and the three constants.
TEST_F(MountErrorFit, FitLowersTheResidualTenfoldWithinNinePasses) {
    Load();
    const double before = EvaluateMountModel(reference, &star1, &star2, entries.data(), N());
    EXPECT_GT(before, 1e-3);
    EXPECT_LT(before, 4e-3);
    const int evaluations = FitMountErrors(reference, &star1, &star2, entries.data(), N());
    EXPECT_GT(evaluations, 5);
    EXPECT_LE(evaluations, kMostEvaluations);
    const double after = MeanAlignmentResidual(entries.data(), N());
    EXPECT_LT(after, before / 10.0) << before << " " << after;
    // The corrected places meet the readings to the first-order inversion of
    // the mount errors (z squared, a few arcseconds); the offsets stay within 2".
    EXPECT_LT(std::fabs(alignmentModel.offset1), 1e-5);
    EXPECT_LT(std::fabs(alignmentModel.offset2), 1e-5);
    for (const AlignmentStar& e : entries) {
        EXPECT_NEAR(AxisOneDifference(e.corrected1, e.measured1), 0.0, 1e-3) << e.ra;
        EXPECT_NEAR(e.corrected2, e.measured2, 1e-3) << e.ra;
    }
    EXPECT_NEAR(alignmentModel.z1, kTrueZ[0], 1e-5);
    EXPECT_NEAR(alignmentModel.z2, kTrueZ[1], 1e-5);
    EXPECT_NEAR(alignmentModel.z3, kTrueZ[2], 1e-5);
    // One reset of the idle timer per constant searched: three a pass.
    EXPECT_GE(pl::IdleTimerResetCount(), 3);
    EXPECT_LE(pl::IdleTimerResetCount(), 27);
    ASSERT_EQ(services.messages.size(), 1u);
    const std::string text = services.messages[0].text;
    EXPECT_TRUE(std::regex_match(text, std::regex("Converge in " + std::to_string(evaluations) +
                                                  " iteration\nz0 :[^\n]+\nz1 :[^\n]+\nz2 :[^\n]+")))
        << text;
}

// The mount-error fit clears the pointing model of the "External" source, so
// the two corrections never mix.
TEST_F(MountErrorFit, FitClearsThePointingModel) {
    Load();
    pointingCoefficients[0] = 0.01;
    FitMountErrors(reference, &star1, &star2, entries.data(), N());
    for (double c : pointingCoefficients) EXPECT_EQ(c, 0.0);
}

// An entry whose model place is at axis-1 359.9 deg and whose reading is at
// 0.1 deg is 0.2 deg off, not 359.8 deg (the difference is taken across
// 0/360); likewise the other way round and for AZ output.
TEST_F(MountErrorFit, ResidualAcrossZeroCountsTheShortWay) {
    struct Case {
        int output;
        double model1, measured1;
    } cases[] = {{0, 359.9, 0.1}, {0, 0.1, 359.9}, {1, 359.9, 0.1}, {2, 0.05, 359.85}};
    for (const Case& c : cases) {
        preferences.word[kPrefMountType] = c.output;
        AlignmentStar e{};
        e.model1 = c.model1;
        e.measured1 = c.measured1;
        e.model2 = e.measured2 = 30.0;
        EXPECT_NEAR(MeanAlignmentResidual(&e, 1), 0.2 * kDegToRad, 1e-12) << c.model1 << " " << c.output;
    }
}

// Two entries off by 3 and 4 arcminutes on the two axes give 5' each: the
// residual is the mean of the angular errors; with none it is 0.
TEST_F(MountErrorFit, ResidualIsTheMeanError) {
    AlignmentStar e[2] = {};
    e[0].model1 = 100.0 + 3.0 / 60.0, e[0].measured1 = 100.0;
    e[0].model2 = 20.0 - 4.0 / 60.0, e[0].measured2 = 20.0;
    e[1].model1 = 200.0, e[1].measured1 = 200.0;
    e[1].model2 = -10.0 + 10.0 / 60.0, e[1].measured2 = -10.0;
    EXPECT_NEAR(MeanAlignmentResidual(e, 2), (5.0 + 10.0) / 2.0 / 60.0 * kDegToRad, 1e-12);
    EXPECT_EQ(MeanAlignmentResidual(e, 0), 0.0);
    EXPECT_EQ(MeanAlignmentResidual(nullptr, 3), 0.0);
}

// The visiting order, worked by hand from the rule: equal sensitivities keep
// z1, z2, z3; each comparison is strict.
TEST(MountErrorOrder, FollowsTheSwapRule) {
    struct Case {
        double g[3];
        int order[3];
    } cases[] = {
        {{1, 1, 1}, {0, 1, 2}},     // all equal
        {{0, 0, 0}, {0, 1, 2}},     // none
        {{3, 2, 1}, {0, 2, 1}},     // middle above last: the last two swap
        {{1, 2, 3}, {2, 0, 1}},     // z2 before z1, then z3 first and z2 last
        {{-1, 2, -3}, {2, 0, 1}},   // signs do not count
        {{2, 2, 3}, {2, 1, 0}},     // no first swap; z3 first, z1 last; 2 = 2 keeps
        {{1, 3, 3}, {1, 0, 2}},     // |g3| = |g2| does not put z3 first
    };
    for (const Case& c : cases) {
        int order[3];
        MountErrorVisitOrder(c.g, order);
        EXPECT_EQ(std::vector<int>(order, order + 3), std::vector<int>(c.order, c.order + 3))
            << c.g[0] << " " << c.g[1] << " " << c.g[2];
    }
}

// Axis-1 differences are brought into (-180, 180].
TEST(AxisOneDifference, TakesTheShortWay) {
    const struct {
        double a, b, d;
    } cases[] = {{359.9, 0.1, -0.2}, {0.1, 359.9, 0.2}, {10, 370, 0}, {190, 10, 180}, {10, 190, 180}, {5, 2, 3}};
    for (const auto& c : cases) EXPECT_NEAR(AxisOneDifference(c.a, c.b), c.d, 1e-9) << c.a << " " << c.b;
}

}  // namespace
