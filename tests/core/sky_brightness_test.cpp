#include "core/sky_brightness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

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

SkyBrightnessRecord Compute(const Inputs& in, double* result = nullptr) {
    ResetWithDefaults();
    SetTestSite(in.latitude, in.longitudeWest, in.zone, in.height);
    currentSite.humidity = static_cast<int16_t>(in.humidity);
    currentSite.temperature = static_cast<int16_t>(in.temperature);
    currentSite.skyCondition = static_cast<int16_t>(in.sky);
    preferences.word[kPrefVision] = in.vision;
    preferences.word[kPrefAge] = in.age;
    preferences.word[kPrefExperience] = in.experience;
    SkyBrightnessRecord rec{};
    const double r = ComputeLimitingMagnitude(&rec, in.year, in.month, in.day, in.hour, in.minute);
    if (result) *result = r;
    return rec;
}

// A moonless winter night at 48.85 N (new Moon on 2024-01-11), with the observer's default
// rows: vision "10/10", age "35", "Hobbyst"; sky condition 3.
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
        const Inputs in = {int(r[1]), int(r[2]),  int(r[3]),  int(r[4]),  int(r[5]),  r[6],       r[7],      int(r[8]),
                           int(r[9]), int(r[10]), int(r[11]), int(r[12]), int(r[13]), int(r[14]), int(r[15])};
        double result = 0;
        const SkyBrightnessRecord rec = Compute(in, &result);
        SCOPED_TRACE("case " + std::to_string(int(r[0])));
        const double* ref = &r[16];
        // Field, and the unit of its last place when it is rounded (0: unrounded, relative 1e-7).
        const std::pair<double, double> fields[13] = {
            {rec.moonFraction, 0},        {rec.moonDistance, 0.1},       {rec.sunDistance, 0.1},
            {rec.extinction, 0.01},       {rec.objectExtinction, 0.01},  {rec.moonMagnitude, 0.01},
            {rec.sunMagnitude, 0.01},     {rec.skyMagnitude, 0.01},      {rec.skyBrightness, ref[8] <= 1000 ? 0.01 : 0},
            {rec.moonSkyMagnitude, 0.01}, {rec.moonSkyBrightness, ref[10] <= 1000 ? 0.01 : 0},
            {rec.limitingMagnitude, 0.01}, {rec.limitingMagnitudeError, 0.01}};
        for (int i = 0; i < 13; ++i) {
            const double unit = fields[i].second;
            EXPECT_NEAR(fields[i].first, ref[i], unit > 0 ? unit * 1.01 : 1e-7 * std::max(1.0, std::fabs(ref[i]))) << i;
        }
        EXPECT_EQ(result, rec.limitingMagnitudeError);
    }
}

// The record's inputs come from the site, the preferences and the arguments: zone minutes to
// whole hours toward zero; acuity (row + 2) / 10; experience 5 per row; age row r means
// 15 + 10 r years (row 8, ">95", gives 95).
TEST(LimitingMagnitude, InputFieldsComeFromSitePreferencesAndArguments) {
    Inputs in = kDarkNight;
    in.zone = -150;
    for (in.age = 0; in.age <= 8; ++in.age) {
        in.vision = in.age + 2;
        in.experience = in.age % 3;
        const SkyBrightnessRecord rec = Compute(in);
        EXPECT_EQ(rec.observerAge, 15.0 + 10.0 * in.age);
        EXPECT_NEAR(rec.acuity, (in.vision + 2) / 10.0, 1e-12);
        EXPECT_EQ(rec.experience, 5.0 * in.experience);
        EXPECT_EQ(rec.zoneHours, -2.0);
        EXPECT_EQ(rec.humidity, 60.0);
        EXPECT_EQ(rec.dateTime[3], 23);
    }
}

// The sky-condition correction (log10(31 - S))^10 for S = 14, 19, 22, 24, 29 subtracts 7.95,
// 2.14, 0.63, 0.19 and 0.000006 magnitudes, as tabulated; the experience rows add 0.16 (E - 6)
// for E = 0, 5, 10: -0.96, -0.16 and +0.64 magnitudes.
TEST(LimitingMagnitude, SkyConditionAndExperienceCorrections) {
    const double sky[5] = {-7.95, -2.14, -0.63, -0.19, -0.000006}, experience[3] = {-0.96, -0.16, 0.64};
    Inputs in = kDarkNight;  // "Hobbyst"
    in.sky = 4;
    const double clearest = Compute(in).limitingMagnitude;
    for (in.sky = 0; in.sky < 4; ++in.sky)
        EXPECT_NEAR(Compute(in).limitingMagnitude - clearest, sky[in.sky] - sky[4], 0.005) << in.sky;
    const double hobbyist = Compute(kDarkNight).limitingMagnitude;
    for (in = kDarkNight, in.experience = 0; in.experience < 3; ++in.experience) {
        const double expected = experience[in.experience] - experience[1];
        EXPECT_NEAR(Compute(in).limitingMagnitude - hobbyist, expected, 0.0101) << in.experience;
    }
}

// With the Moon below the horizon its magnitude reads 50 and its sky fields -500, while its
// light (at airmass 40) still enters the total brightness. Natural night sky near solar
// maximum: 20.5 to 22.5 magnitudes per square arcsecond at the zenith.
TEST(LimitingMagnitude, MoonBelowTheHorizon) {
    const SkyBrightnessRecord rec = Compute(kDarkNight);
    EXPECT_EQ(rec.moonMagnitude, 50.0);
    EXPECT_EQ(rec.sunMagnitude, 50.0);
    EXPECT_EQ(rec.moonSkyMagnitude, -500.0);
    EXPECT_EQ(rec.moonSkyBrightness, -500.0);
    EXPECT_GT(rec.moonDistance, 90.0);
    EXPECT_TRUE(rec.skyMagnitude > 20.5 && rec.skyMagnitude < 22.5) << rec.skyMagnitude;
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
