// Two-star alignment: readings of stars made independently (ERFA's hour-angle
// to horizon conversion, a fixed rotation) are reproduced from two of them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/clock.h"
#include "scope/alignment.h"
#include "support/recording_services.h"
#include "support/reference_table.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRate = 1.002737909350795;
constexpr double kRadToDeg = 180.0 / kPi;

AlignmentStar MakeStar(const std::string& clock, double raHours, double dec, double reading1, double reading2) {
    AlignmentStar s{};
    s.time = ParseHoursToDegrees(clock.c_str());
    s.ra = raHours * 15.0;
    s.dec = dec;
    s.reading1 = reading1;
    s.reading2 = reading2;
    return s;
}

class AlignmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetAlignmentModel();
    }
    void TearDown() override {
        ResetAlignmentModel();
        pl::UseRealClock();
    }
    static void Select(int mountType, int drive) {
        preferences.word[kPrefMountType] = mountType;
        preferences.word[kPrefDriveId] = drive;
    }
    // The stars of one case of alignment_erfa.csv, the axis-1 readings shifted.
    static std::vector<AlignmentStar> Stars(const std::string& name, double shift) {
        ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "alignment_erfa.csv");
        std::vector<AlignmentStar> stars;
        for (std::size_t i = 0; i < t.rows.size(); ++i)
            if (t.Text(i, "case") == name)
                stars.push_back(MakeStar(t.Text(i, "clock"), t.Get(i, "ra_h"), t.Get(i, "dec_deg"),
                                         t.Get(i, "axis1_deg") + shift, t.Get(i, "axis2_deg")));
        return stars;
    }
    RecordingServices services;
};

// The alt-azimuth mount at +45 deg whose sidereal time is 10 h at 20:00:00
// (ERFA hd2ae): the pole, a star an hour later and one after midnight among
// them. With Encoder output the azimuth zero is arbitrary (+37 deg). The
// equatorial mount's readings are the sky turned by a fixed rotation, at
// clock times that must not matter.
TEST_F(AlignmentTest, TwoStarsReproduceEveryReadingAndBack) {
    const struct {
        const char* table;
        int mountType;
        int drive;
        double shift;
    } cases[] = {{"az", 1, 5, 0.0}, {"az", 2, 3, 37.0}, {"eq", 0, 5, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.table) + " output " + std::to_string(c.mountType));
        Select(c.mountType, c.drive);
        std::vector<AlignmentStar> stars = Stars(c.table, c.shift);
        ASSERT_GE(stars.size(), 10u);
        ASSERT_EQ(ComputeAlignmentMatrix("20:00:00", &stars[0], &stars[1]), 1);
        EXPECT_EQ(IsAlignmentValid(), 1);
        for (AlignmentStar s : stars) {
            SkyToScope(&s);
            // Axis angles compared as places: azimuth 0 and 360 at the pole agree.
            double axis1 = s.model1 * kRadToDeg, axis2 = s.model2 * kRadToDeg;
            EXPECT_LT(SeparationArcsec(axis1 / 15.0, axis2, s.reading1 / 15.0, s.reading2), 1.0) << s.time;
            double ra = -1.0, dec = -100.0;
            ASSERT_EQ(ScopeToSky(s.time, s.reading1, s.reading2, &ra, &dec), 1);
            EXPECT_LT(SeparationArcsec(ra, dec, s.ra / 15.0, s.dec), 1.0) << s.time;
            EXPECT_GE(ra, 0.0);
            EXPECT_LT(ra, 24.0);
        }
    }
}

// Perfect readings of an equatorial mount (RA x 15, Dec) give the identity.
TEST_F(AlignmentTest, PerfectEquatorialReadingsGiveTheIdentity) {
    Select(0, 5);
    AlignmentStar a = MakeStar("22:00:00", 6.0, 20.0, 90.0, 20.0);
    AlignmentStar b = MakeStar("01:00:00", 14.0, -35.0, 210.0, -35.0);
    ASSERT_EQ(ComputeAlignmentMatrix("20:00:00", &a, &b), 1);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(alignmentModel.transform[r][c], r == c ? 1.0 : 0.0, 1e-12);
}

// Readings that cannot fix a frame: empty or parallel ones say so; one sky
// place for both stars fails silently. Each starts from a valid alignment,
// which the failure clears; then neither direction converts anything.
TEST_F(AlignmentTest, DegenerateStarsLeaveNoValidAlignment) {
    Select(1, 5);
    const struct {
        AlignmentStar a, b;
        bool message;
    } cases[] = {
        {MakeStar("20:00:00", 10.0, 0.0, 0.0, 0.0), MakeStar("20:00:00", 4.0, 0.0, 0.0, 0.0), true},
        {MakeStar("20:00:00", 10.0, 0.0, 120.0, 30.0), MakeStar("20:00:00", 4.0, 0.0, 120.0, 30.0), true},
        {MakeStar("20:00:00", 10.0, 0.0, 180.0, 45.0), MakeStar("20:00:00", 10.0, 0.0, 270.0, 0.0), false},
    };
    AlignmentStar good1 = MakeStar("20:00:00", 10.0, 0.0, 180.0, 45.0);
    AlignmentStar good2 = MakeStar("20:00:00", 4.0, 0.0, 270.0, 0.0);
    for (const auto& c : cases) {
        services.messages.clear();
        ASSERT_EQ(ComputeAlignmentMatrix("20:00:00", &good1, &good2), 1);
        EXPECT_EQ(ComputeAlignmentMatrix("20:00:00", &c.a, &c.b), 0);
        EXPECT_EQ(IsAlignmentValid(), 0);
        EXPECT_EQ(services.Texts(), c.message ? std::vector<std::string>{"Please, fill all values"}
                                              : std::vector<std::string>{});
    }
    AlignmentStar s = MakeStar("21:00:00", 10.0, 0.0, 1.0, 2.0), before = s;
    SkyToScope(&s);
    EXPECT_EQ(std::memcmp(&s, &before, sizeof s), 0);
    double ra = 7.0, dec = 8.0;
    EXPECT_EQ(ScopeToSky(s.time, 180.0, 45.0, &ra, &dec), 0);
    EXPECT_EQ(ra, 7.0);
    EXPECT_EQ(dec, 8.0);
    ClearAlignmentValid();
    EXPECT_EQ(IsAlignmentValid(), 0);
}

// By hand: atan2 of the first-order inverse, then the offsets and z3.
TEST_F(AlignmentTest, ScopeAnglesFromVectorTakesOutTheMountErrors) {
    const struct {
        double z1, z2, z3, offset1, offset2;
        double theta, phi;
        double expectedTheta, expectedPhi;
    } cases[] = {
        {0, 0, 0, 0.01, 0.02, 0.5, 1.0, 0.48, 0.99},
        {0, 0.001, 0, 0, 0, 0.0, 0.0, 0.0, 2 * kPi - std::atan(0.001)},
        {0, 0, 0.0005, 0, 0, 0.3, 0.7, 0.2995, 0.7},
        // phi = 90 deg, theta = 45 deg: atan2(cos 45, -sin 45 z1) = 90 deg + atan z1.
        {0.001, 0, 0, 0, 0, kPi / 4, kPi / 2, kPi / 4, kPi / 2 + std::atan(0.001)},
    };
    for (const auto& c : cases) {
        alignmentModel.z1 = c.z1;
        alignmentModel.z2 = c.z2;
        alignmentModel.z3 = c.z3;
        alignmentModel.offset1 = c.offset1;
        alignmentModel.offset2 = c.offset2;
        double theta = c.theta, phi = c.phi;
        ScopeAnglesFromVector(&theta, &phi);
        EXPECT_NEAR(theta, c.expectedTheta, 1e-15);
        EXPECT_NEAR(phi, c.expectedPhi, 1e-15);
    }
}

// The platform: the sky stops turning against the clock while it is on; a
// reset at 22:00:00 with the reference at 20:00:00 takes two clock hours of
// sidereal angle; off clears it.
TEST_F(AlignmentTest, PlatformModeFreezesTheSkyUntilReset) {
    Select(1, 5);
    AlignmentStar a = MakeStar("20:00:00", 10.0, 0.0, 180.0, 45.0);
    AlignmentStar b = MakeStar("20:00:00", 4.0, 0.0, 270.0, 0.0);
    ASSERT_EQ(ComputeAlignmentMatrix("20:00:00", &a, &b), 1);
    EXPECT_EQ(ResetPlatform(), 0);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "ResetPlatform");
    EXPECT_EQ(services.messages[0].detail, "PlatFormMode is not activated.");
    EXPECT_EQ(alignmentModel.platformElapsed, 0.0);

    alignmentModel.platformElapsed = 0.25;
    SetPlatformMode(1);
    EXPECT_EQ(GetPlatformMode(), 1);
    EXPECT_EQ(siderealRate, 0.0);
    EXPECT_EQ(alignmentModel.platformElapsed, 0.25);
    alignmentModel.platformElapsed = 0.0;
    AlignmentStar later = MakeStar("21:00:00", 10.0, 0.0, 0.0, 0.0);
    SkyToScope(&later);
    EXPECT_NEAR(later.model1 * kRadToDeg, 180.0, 1e-9);
    EXPECT_NEAR(later.model2 * kRadToDeg, 45.0, 1e-9);

    pl::UseVirtualClock(pl::LocalTime{2024, 3, 5, 22, 0, 0});
    EXPECT_EQ(ResetPlatform(), 1);
    EXPECT_NEAR(alignmentModel.platformElapsed, kPi / 6 * kRate, 1e-15);
    SetPlatformMode(0);
    EXPECT_EQ(GetPlatformMode(), 0);
    EXPECT_EQ(siderealRate, kRate);
    EXPECT_EQ(alignmentModel.platformElapsed, 0.0);
}

TEST_F(AlignmentTest, ParseAlignmentStarFillsOnlyWhatIsGiven) {
    AlignmentStar s{};
    ParseAlignmentStar(&s, "20:30:00", "05:30:00", "-10:15:00", "180.5", "45.25", "Vega");
    EXPECT_DOUBLE_EQ(s.time, 307.5);
    EXPECT_DOUBLE_EQ(s.ra, 82.5);
    EXPECT_DOUBLE_EQ(s.dec, -10.25);
    EXPECT_DOUBLE_EQ(s.reading1, 180.5);
    EXPECT_DOUBLE_EQ(s.reading2, 45.25);
    EXPECT_STREQ(s.name, "Vega");

    AlignmentStar before = s;
    ParseAlignmentStar(&s, "", "", "", "", "", "");
    EXPECT_EQ(std::memcmp(&s, &before, sizeof s), 0);
    ParseAlignmentStar(&s, "01:00:00", "02:00:00", "3", "4", "5", nullptr);
    EXPECT_EQ(std::memcmp(&s, &before, sizeof s), 0);
    ParseAlignmentStar(nullptr, "01:00:00", "02:00:00", "3", "4", "5", "x");

    ParseAlignmentStar(&s, "", "", "", "", "", "ABCDEFGHIJKLMNOPQRSTUVWXY");
    EXPECT_STREQ(s.name, "ABCDEFGHIJKLMNOPQRS");
}

}  // namespace
