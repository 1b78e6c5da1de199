#include "core/sky_brightness.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "support/reference_csv.h"
#include "support/test_site.h"

namespace {

struct Inputs {
    int year, month, day, hour, minute;
    double latitude, longitudeWest;
    int zone, height, humidity, temperature, vision, age, experience, sky;
};

void Apply(const Inputs& in) {
    ResetWithDefaults();
    SetTestSite(in.latitude, in.longitudeWest, in.zone, in.height);
    currentSite.humidity = static_cast<int16_t>(in.humidity);
    currentSite.temperature = static_cast<int16_t>(in.temperature);
    currentSite.skyCondition = static_cast<int16_t>(in.sky);
    preferences.word[kPrefVision] = in.vision;
    preferences.word[kPrefAge] = in.age;
    preferences.word[kPrefExperience] = in.experience;
}

SkyBrightnessRecord Compute(const Inputs& in) {
    Apply(in);
    SkyBrightnessRecord rec{};
    ComputeLimitingMagnitude(&rec, in.year, in.month, in.day, in.hour, in.minute);
    return rec;
}

// A moonless winter night at 48.85 N (new Moon on 2024-01-11).
const Inputs kDarkNight = {2024, 1, 11, 23, 0, 48.85, -2.35, 60, 35, 60, 5, 8, 2, 1, 3};

// Five whole-model cases computed by a separate implementation of the model's
// published formulas (scripts/reference/sky_brightness_model.py): day,
// twilight, looking 2.9 degrees from the Moon (glare branch), a moonless night
// and a night at 99 % humidity. Rounded fields may differ by one unit of their
// last place where the two implementations round a value on the edge.
TEST(LimitingMagnitude, WholeModelCasesMatchSeparateImplementation) {
    auto rows = ReadReferenceCsv("sky_brightness_model.csv");
    ASSERT_EQ(rows.size(), 5u);
    for (const auto& r : rows) {
        const Inputs in = {int(r[1]),  int(r[2]),  int(r[3]),  int(r[4]),  int(r[5]),
                           r[6],       r[7],       int(r[8]),  int(r[9]),  int(r[10]),
                           int(r[11]), int(r[12]), int(r[13]), int(r[14]), int(r[15])};
        Apply(in);
        SkyBrightnessRecord rec{};
        const double result =
            ComputeLimitingMagnitude(&rec, in.year, in.month, in.day, in.hour, in.minute);
        SCOPED_TRACE("case " + std::to_string(int(r[0])));
        const double* ref = &r[16];
        auto near = [](double value, double expected, double cent) {
            // unrounded values: relative 1e-7; rounded ones: one unit of the last place
            const double tol = cent > 0 ? cent * 1.01 : 1e-7 * std::max(1.0, std::fabs(expected));
            EXPECT_NEAR(value, expected, tol);
        };
        near(rec.moonFraction, ref[0], 0);
        near(rec.moonDistance, ref[1], 0.1);
        near(rec.sunDistance, ref[2], 0.1);
        near(rec.extinction, ref[3], 0.01);
        near(rec.objectExtinction, ref[4], 0.01);
        near(rec.moonMagnitude, ref[5], 0.01);
        near(rec.sunMagnitude, ref[6], 0.01);
        near(rec.skyMagnitude, ref[7], 0.01);
        near(rec.skyBrightness, ref[8], ref[8] <= 1000 ? 0.01 : 0);
        near(rec.moonSkyMagnitude, ref[9], 0.01);
        near(rec.moonSkyBrightness, ref[10], ref[10] <= 1000 ? 0.01 : 0);
        near(rec.limitingMagnitude, ref[11], 0.01);
        near(rec.limitingMagnitudeError, ref[12], 0.01);
        EXPECT_EQ(result, rec.limitingMagnitudeError);
    }
}

TEST(LimitingMagnitude, InputFieldsComeFromSitePreferencesAndArguments) {
    Inputs in = kDarkNight;
    in.zone = -150;
    in.age = 8;
    in.vision = 10;
    in.experience = 2;
    const SkyBrightnessRecord rec = Compute(in);
    EXPECT_EQ(rec.objectAltitude, 89.0);
    EXPECT_EQ(rec.objectAzimuth, 180.0);
    EXPECT_EQ(rec.humidity, 60.0);
    EXPECT_EQ(rec.temperature, 5.0);
    EXPECT_NEAR(rec.latitude, 48.85, 1e-5);
    EXPECT_NEAR(rec.longitude, -2.35, 1e-5);
    EXPECT_EQ(rec.zoneHours, -2.0);  // -150 / 60 toward zero
    EXPECT_EQ(rec.height, 35.0);
    EXPECT_NEAR(rec.acuity, 1.2, 1e-12);  // "12/10"
    EXPECT_EQ(rec.observerAge, 95.0);     // ">95"
    EXPECT_EQ(rec.experience, 10.0);      // "Expert"
    const int32_t when[6] = {2024, 1, 11, 23, 0, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(rec.dateTime[i], when[i]);
}

// The observer's words start as "Hobbyst", "35" and "10/10" at every start,
// whatever they held.
TEST(LimitingMagnitude, ObserverPreferenceDefaults) {
    ResetSharedState();
    preferences.word[kPrefExperience] = 7;
    preferences.word[kPrefAge] = -3;
    preferences.word[kPrefVision] = 99;
    ValidatePreferences();
    EXPECT_EQ(preferences.word[kPrefExperience], 1);
    EXPECT_EQ(preferences.word[kPrefAge], 2);
    EXPECT_EQ(preferences.word[kPrefVision], 8);
    SkyBrightnessRecord rec{};
    ComputeLimitingMagnitude(&rec, 2024, 1, 11, 23, 0);
    EXPECT_EQ(rec.experience, 5.0);
    EXPECT_EQ(rec.observerAge, 35.0);
    EXPECT_NEAR(rec.acuity, 1.0, 1e-12);
}

TEST(LimitingMagnitude, AgeRowsStandForFifteenPlusTenYears) {
    for (int row = 0; row <= 8; ++row) {
        Inputs in = kDarkNight;
        in.age = row;
        EXPECT_EQ(Compute(in).observerAge, 15.0 + 10.0 * row);
    }
}

// The correction (log10(31 - S))^10 of the five sky conditions, as tabulated:
// 7.95, 2.14, 0.63, 0.19 and 0.000006 magnitudes.
TEST(LimitingMagnitude, SkyConditionCorrection) {
    const double subtracted[5] = {7.95, 2.14, 0.63, 0.19, 0.000006};
    Inputs in = kDarkNight;
    in.sky = 4;
    const double best = Compute(in).limitingMagnitude;
    for (int s = 0; s < 4; ++s) {
        in.sky = s;
        EXPECT_NEAR(best - Compute(in).limitingMagnitude, subtracted[s] - subtracted[4], 0.005) << s;
    }
}

// 0.16 (E - 6) for E = 0, 5, 10: -0.96, -0.16 and +0.64 magnitudes.
TEST(LimitingMagnitude, ExperienceRows) {
    const double correction[3] = {-0.96, -0.16, 0.64};
    Inputs in = kDarkNight;
    in.experience = 1;
    const double hobbyist = Compute(in).limitingMagnitude;
    for (int e = 0; e < 3; ++e) {
        in.experience = e;
        EXPECT_NEAR(Compute(in).limitingMagnitude - hobbyist, correction[e] - correction[1], 0.0101)
            << e;
    }
}

// With the Moon below the horizon its magnitude reads 50 and its sky fields
// -500, while its light (at airmass 40) still enters the total brightness.
TEST(LimitingMagnitude, MoonBelowTheHorizon) {
    const SkyBrightnessRecord rec = Compute(kDarkNight);
    EXPECT_EQ(rec.moonMagnitude, 50.0);
    EXPECT_EQ(rec.sunMagnitude, 50.0);
    EXPECT_EQ(rec.moonSkyMagnitude, -500.0);
    EXPECT_EQ(rec.moonSkyBrightness, -500.0);
    EXPECT_GT(rec.moonDistance, 90.0);
    // Natural night sky near solar maximum: 20.5 to 22 magnitudes per square
    // arcsecond at the zenith.
    EXPECT_GT(rec.skyMagnitude, 20.5);
    EXPECT_LT(rec.skyMagnitude, 22.5);
}

// The aerosol law has a pole at 100 % humidity (1 / ln 1): the site's humidity
// of 100 once gave an infinite extinction and a NaN limiting magnitude.
TEST(LimitingMagnitude, HumidityOf100NoLongerDividesByZero) {
    Inputs in = kDarkNight;
    in.humidity = 99;
    const SkyBrightnessRecord at99 = Compute(in);
    in.humidity = 100;
    const SkyBrightnessRecord at100 = Compute(in);
    ASSERT_TRUE(std::isfinite(at100.limitingMagnitude));
    ASSERT_TRUE(std::isfinite(at100.extinction));
    EXPECT_EQ(at100.humidity, 100.0);
    // Only the water-vapour term still sees the extra percent.
    EXPECT_NEAR(at100.extinction, at99.extinction, 0.011);
    EXPECT_NEAR(at100.limitingMagnitude, at99.limitingMagnitude, 0.02);
}

// 1479 nL belongs to day vision: the result jumps between just below and 1479,
// and is continuous from 1479 upwards.
TEST(VisualThreshold, DayConstantsFrom1479) {
    double below, at, above, e;
    ComputeVisualThreshold(1478.999, 0.25, 0.02, 1.0, 1.0, 35.0, &below, &e);
    ComputeVisualThreshold(kDayVisionBrightness, 0.25, 0.02, 1.0, 1.0, 35.0, &at, &e);
    ComputeVisualThreshold(1479.001, 0.25, 0.02, 1.0, 1.0, 35.0, &above, &e);
    EXPECT_GT(std::fabs(at - below), 0.05);
    EXPECT_NEAR(at, above, 1e-5);
}

}  // namespace
