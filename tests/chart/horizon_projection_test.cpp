// The horizon chart's projections against the stereographic formula r = tan(z / 2) (Snyder,
// Map Projections, USGS Professional Paper 1395, ch. 21) and the panorama's linear scale, with
// altitudes and azimuths from ComputeAltitude and ComputeAzimuth (tested against ERFA).
#include <random>

#include "catalog/selection_list.h"
#include "chart/chart_screen_lists.h"
#include "chart/sky_angles.h"
#include "core/horizontal.h"
#include "projection_test.h"
#include "support/wrapped_difference.h"

namespace {

using HorizonTest = ProjectionTest;
constexpr double kUnit = 16777216.0;

TEST_F(HorizonTest, ZenithAndDueSouthOnTheSkyMap) {
    int32_t a = 0, b = 0, x, y;
    for (int rotation : {0, 90, 217}) {
        UseHorizonChart(51, rotation);
        // The zenith: hour angle 0 and declination = latitude give (0, 0) whatever R.
        ASSERT_EQ(ProjectHourAngleToHorizon(FixHours(3), FixHours(3), FixDegrees(51), &a, &b), 1);
        EXPECT_LE(std::abs(a), 4) << rotation;
        EXPECT_LE(std::abs(b), 4) << rotation;
    }
    UseHorizonChart(51, 0);
    // Due south at altitude 45: a = -tan 22.5 x 2^24, b = 0; y = cy + 27 as the shifts floor.
    ASSERT_EQ(ProjectHourAngleToHorizon(FixHours(3), FixHours(3), FixDegrees(6), &a, &b), 1);
    EXPECT_NEAR(a, -std::tan(22.5 * kRad) * kUnit, 64);
    EXPECT_LE(std::abs(b), 4);
    HorizonPointToScreen(a, b, &x, &y);
    EXPECT_EQ(y, 160 + 27);
}

// At the pole a star of declination 0 has sin h = 0 exactly: drawn on the horizon circle
// (r = 1); 0.01 degree lower it is rejected with the outputs untouched. Hour angles of exactly
// +pi and -pi are kept, and 3 pi is reduced to pi: the lower culmination lies due north.
TEST_F(HorizonTest, HorizonCircleAndHourAngleLimits) {
    UseHorizonChart(90, 0);
    int32_t a = 7, b = 7;
    ASSERT_EQ(ProjectHourAngleToHorizon(0, FixHours(5), 0, &a, &b), 1);
    EXPECT_NEAR(double(a) * a + double(b) * b, std::pow(2.0, 48), std::pow(2.0, 48) * 1e-4);
    a = b = 7;
    EXPECT_EQ(ProjectHourAngleToHorizon(0, FixHours(5), FixDegrees(-0.01), &a, &b), 0);
    EXPECT_EQ(a + b, 14);
    UseHorizonChart(51, 0);
    int32_t northA, northB;
    ASSERT_EQ(ProjectHourAngleToHorizon(kFix24Pi, 0, FixDegrees(60), &northA, &northB), 1);
    EXPECT_GT(northA, 0);
    EXPECT_LE(std::abs(northB), 4);
    for (const auto& p : {std::pair{kFix24Pi, -kFix24TwoPi}, std::pair{0, kFix24Pi}}) {
        ASSERT_EQ(ProjectHourAngleToHorizon(p.first, p.second, FixDegrees(60), &a, &b), 1);
        EXPECT_EQ(a, northA);
        EXPECT_EQ(b, northB);
    }
}

// 500 places x 3 latitudes x 3 rotations at the zoom-8 scale (1344 px per unit): the fixed and
// float projections lie within 1 px of the formula (offsets floored as the screen's are), whose
// a = r cos(A - R), b = r sin(A - R) put azimuth R straight up and R + 90 to the left; the
// inverses read each point back within its pixel's angle (1.5 x for the floored point).
TEST_F(HorizonTest, TwinsFollowTheStereographicFormulaAndInvert) {
    std::mt19937 rng(26);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const double lst = 7.25, k = 1376256 / 1024.0;
    chartTimeRecord.lstHours = static_cast<float>(lst);
    for (double lat : {51.0, -33.0, 0.0})
        for (int rotation : {0, 90, 217}) {
            UseHorizonChart(lat, rotation, 1376256);
            SCOPED_TRACE(testing::Message() << lat << " " << rotation);
            for (int i = 0; i < 500; ++i) {
                Fix24Angle ra = FixHours(24 * uniform(rng)), dec = FixDegrees(std::asin(2 * uniform(rng) - 1) / kRad);
                double raH = ra / 4392264.877774095, decD = Degrees(dec);
                double alt = ComputeAltitude(lst, raH, decD, lat), az = ComputeAzimuth(lst, raH, decD, lat);
                if (alt < 0.05) continue;
                double r = std::tan((90 - alt) / 2 * kRad), turn = (az - rotation) * kRad;
                double ex = 120 - std::floor(r * std::sin(turn) * k), ey = 160 - std::floor(r * std::cos(turn) * k);
                int32_t a[2], b[2], x, y;
                ASSERT_EQ(ProjectHourAngleToHorizon(FixHours(lst), ra, dec, &a[0], &b[0]), 1);
                ASSERT_EQ(ProjectRaDecToHorizon(float(lst), float(raH), float(decD), &a[1], &b[1]), 1);
                for (int twin = 0; twin < 2; ++twin) {
                    HorizonPointToScreen(a[twin], b[twin], &x, &y);
                    ASSERT_TRUE(std::abs(x - ex) <= 1 && std::abs(y - ey) <= 1) << alt << " " << az << " " << twin;
                }
                float backAz, backAlt, backRa, backDec;
                ChartPointToAltAz(x, y, &backAz, &backAlt);
                ChartPointToRaDec(x, y, &backRa, &backDec);
                double pixel = 1.5 * 2 / (1 + r * r) / k / kRad;
                ASSERT_LE(AngularSeparationDeg(backAz / 15, backAlt, az / 15, alt), pixel) << alt << " " << az;
                ASSERT_LE(AngularSeparationDeg(backRa, backDec, raH, decD), pixel) << alt << " " << az;
            }
        }
}

// Taking r as c / cos A read the whole row c = 0 as the zenith.
TEST_F(HorizonTest, RowThroughZenithIsNotZenith) {
    UseHorizonChart(51, 0);
    for (int d : {10, -30, 64}) {
        float az, alt;
        ChartPointToAltAz(120 + d, 160, &az, &alt);
        EXPECT_NEAR(alt, 90 - 2 * std::atan(std::abs(d) / 64.0) / kRad, 0.01) << d;
        EXPECT_NEAR(az, d > 0 ? 270 : 90, 0.01) << d;
    }
}

// Right ascension comes back as exactly 24.0 h on the meridian above the pole at LST 0.
TEST_F(HorizonTest, TapAboveTheZenithGivesExactly24Hours) {
    UseHorizonChart(51, 0);
    chartTimeRecord.lstHours = 0.0f;
    float ra, dec;
    ChartPointToRaDec(120, 150, &ra, &dec);  // the pole is 22.7 px above the zenith
    EXPECT_EQ(ra, 24.0f);
    EXPECT_GT(dec, 51.0f);
}

// The panorama at 1 px per degree: a star rising due east at the equator.
TEST_F(HorizonTest, HorizonViewIsLinear) {
    UseHorizonChart(0, 0, 65536, 1);
    int32_t a, b, x, y;
    ASSERT_EQ(ProjectHourAngleToHorizon(0, FixHours(5.99), 0, &a, &b), 1);
    EXPECT_NEAR(b, 90 * 262144, 4);
    HorizonPointToScreen(a, b, &x, &y);
    EXPECT_EQ(y, 160);
    EXPECT_NEAR(x, 120 - 90, 1);  // azimuth grows to the left
}

// Round trip with the spherical formulas of core/horizontal.h, within 1e-5 degree although the
// site's sine and cosine of latitude are floats.
TEST_F(HorizonTest, HorizontalToEquatorialRoundTrips) {
    for (double lat : {51.0, -33.0, 0.0}) {
        SetTestSite(lat, 0.0, 0);
        for (double alt : {-60.0, -10.0, 0.0, 30.0, 75.0})
            for (double az : {0.0, 45.0, 170.0, 300.0}) {
                double ra, dec;
                HorizontalToEquatorial(17.5, az * kRad, alt * kRad, &ra, &dec);
                EXPECT_NEAR(ComputeAltitude(17.5, ra, dec, lat), alt, 1e-5);
                EXPECT_NEAR(WrappedDifference(ComputeAzimuth(17.5, ra, dec, lat), az, 360), 0, 1e-5) << lat << alt << az;
            }
    }
}

// Turning by 30 degrees matches projecting at R + 30; the hidden star and entry keep their
// words; both screen lists are emptied. Then the chart turns a star at altitude 45 straight
// below the centre.
TEST_F(HorizonTest, RotationTurnsStoredPointsAndTurnsToTarget) {
    UseHorizonChart(51, 10);
    SelectionEntry entries[2] = {};
    ChartStarEntry stars[1] = {{5, 1, 1}};
    ChartObjectEntry objects[1] = {{5, 0, 0, 0, 1, 1}};
    selectionList = entries;
    selectionCount = 2;
    chartScreenLists = ChartScreenLists{stars, objects};
    StarRecord* star = brightStarTable;
    const Fix24Angle lst = FixHours(2), dec = FixDegrees(40);
    for (int i = 0; i < 2; ++i) {
        ProjectHourAngleToHorizon(lst, FixHours(1 + i), dec, &star[i].chartWords[0], &star[i].chartWords[1]);
        ProjectHourAngleToHorizon(lst, FixHours(1 + i), dec, &entries[i].chartX, &entries[i].chartY);
        star[i].hidden = entries[i].horizonHidden = static_cast<uint16_t>(i);
    }
    const StarRecord hidden = star[1];
    RotateHorizonProjection(30);
    SetHorizonRotation(40);
    int32_t a, b, x, y;
    ProjectHourAngleToHorizon(lst, FixHours(1), dec, &a, &b);
    HorizonPointToScreen(a, b, &x, &y);
    EXPECT_TRUE(std::abs(star[0].screenX - x) <= 1 && std::abs(star[0].screenY - y) <= 1);
    EXPECT_EQ(entries[0].screenX, star[0].screenX);
    EXPECT_EQ(star[1].chartWords[0], hidden.chartWords[0]);
    EXPECT_EQ(star[1].screenX, hidden.screenX);
    EXPECT_EQ(entries[1].screenX, 0);
    EXPECT_EQ(stars[0].id, kStarListEnd);
    EXPECT_EQ(objects[0].record, kObjectListEnd);

    double ra, dc;
    HorizontalToEquatorial(2, 123.5 * kRad, 45 * kRad, &ra, &dc);
    ObjectRecord centre{};
    centre.rightAscension = static_cast<float>(ra);
    centre.declination = static_cast<float>(dc);
    ProjectHourAngleToHorizon(lst, FixHours(ra), FixDegrees(dc), &star[0].chartWords[0], &star[0].chartWords[1]);
    int32_t stored = 40;
    TurnChartToTarget(&centre, &stored, 2.0f);
    EXPECT_EQ(stored, -56);  // trunc(123.5 - 180)
    EXPECT_NEAR(star[0].screenX, 120, 1);
    EXPECT_GT(star[0].screenY, 160);
    selectionList = nullptr;
    selectionCount = 0;
    chartScreenLists = ChartScreenLists{};
}

}  // namespace
