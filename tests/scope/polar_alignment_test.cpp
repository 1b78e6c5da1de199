// The numbers of the polar alignment assistant against published values:
// Meeus, Astronomical Algorithms (2nd ed., 1998) examples 7.a, 12.a and 12.b;
// the sidereal rate 360.98564736629 deg per day (15.0410671 "/s); Edlen's
// (1966) standard-air refractivity; saturation vapour pressures of the
// Smithsonian Meteorological Tables; the ICAO standard atmosphere.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "scope/polar_alignment.h"
#include "scope/polar_drift.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kArcsec = kPi / 648000.0;

double Hms(double h, double m, double s) { return h + m / 60.0 + s / 3600.0; }

// Seconds of time between two sidereal times in hours, wrapped at 24 h.
double SecondsApart(double a, double b) {
    double d = std::fmod(a - b + 36.0, 24.0) - 12.0;
    return d * 3600.0;
}

TEST(PolarTime, JulianDayOfMeeusExample7a) {
    // 1957 October 4.81 UT (Sputnik 1) is JD 2436116.31; 19:26:24 is .81 of the day.
    EXPECT_NEAR(PolarJulianDay(1957, 10, 4, 19, 26, 24, 0), 2436116.31, 1e-6);
    // The zone is taken off: 21:26:24 local two hours ahead of UT is the same instant.
    EXPECT_NEAR(PolarJulianDay(1957, 10, 4, 21, 26, 24, 120), 2436116.31, 1e-6);
}

TEST(PolarTime, MeanSiderealTimeOfMeeusExamples12) {
    struct Case {
        int hour, minute, second, zone;
        double gmstHours;
        const char* source;
    } cases[] = {
        {0, 0, 0, 0, Hms(13, 10, 46.3668), "Meeus example 12.a, 1987-04-10 0h UT"},
        {19, 21, 0, 0, Hms(8, 34, 57.0896), "Meeus example 12.b, 1987-04-10 19h21m UT"},
        {21, 21, 0, 120, Hms(8, 34, 57.0896), "12.b given as local time two hours ahead"},
    };
    for (const Case& c : cases) {
        const double jd = PolarJulianDay(1987, 4, 10, c.hour, c.minute, c.second, c.zone);
        const double hours = PolarGmst(jd) * 12.0 / kPi;
        EXPECT_NEAR(SecondsApart(hours, c.gmstHours), 0.0, 0.001) << c.source;
    }
}

TEST(PolarTime, HalfHourZoneIsNotRoundedToWholeHours) {
    // India, five and a half hours ahead: 05:30 local is 0h UT (Meeus 12.a).
    const double jd = PolarJulianDay(1987, 4, 10, 5, 30, 0, 330);
    EXPECT_NEAR(SecondsApart(PolarGmst(jd) * 12.0 / kPi, Hms(13, 10, 46.3668)), 0.0, 0.001);
}

TEST(PolarResolution, StarCrossingTheBoxInFiftyNineSeconds) {
    // 59 s at the equator: 59 x 15"/s over 59 pixels; at 60 deg half of it.
    EXPECT_NEAR(DriftResolution(59, 0), 15.0, 1e-12);
    EXPECT_NEAR(DriftResolution(59, 60), 7.5, 1e-12);
    EXPECT_NEAR(DriftResolution(118, -60), 15.0, 1e-12);
    // One field of view is 59 R arcseconds.
    EXPECT_NEAR(FieldsOfView(59 * 15.0 * kArcsec, 15.0), 1.0, 1e-12);
}

PolarInputs Drift(double x, double y, double resolution) {
    PolarInputs in;
    in.latitude = 45.0 * kPi / 180.0;
    in.longitude = -2.0 * kPi / 180.0;
    in.temperature = 283.15;
    in.height = 200;
    in.year = 2024, in.month = 3, in.day = 5, in.hour = 21, in.minute = 10;
    in.driftSeconds = 600;
    in.ra = 6.0 * 15.0 * kPi / 180.0;
    in.dec = in.rambautDec = 5.0 * kPi / 180.0;
    in.x = x, in.y = y, in.resolution = resolution;
    return in;
}

TEST(PolarKing, NoDisplacementMeansNoError) {
    const PolarInputs in = Drift(0, 0, 2.5);
    const PolarResult r = KingDrift(in);
    EXPECT_EQ(r.lambda, 0.0);
    EXPECT_EQ(r.azimuth, 0.0);
    EXPECT_EQ(r.altitude, 0.0);
    for (const std::string& line : PolarInstructions(r, in.dec, in.latitude, in.resolution, false))
        EXPECT_NE(line.find(" 0.00 FOV"), std::string::npos) << line;
}

TEST(PolarKing, ErrorIsTheDriftOverTheSkyTurn) {
    // 10 pixels of 2" in 600 s: the sky turned 600 x 15.0410671" = 9024.64",
    // so the axis is 20 / 9024.64 rad = 457.1" off.
    const PolarResult r = KingDrift(Drift(10, 0, 2.0));
    EXPECT_NEAR(r.lambda / kArcsec, 20.0 / (600 * 15.0410671) / kArcsec, 0.01);
    EXPECT_NEAR(std::hypot(r.azimuth * std::cos(45.0 * kPi / 180.0), r.altitude), r.lambda, 1e-15);
    EXPECT_GE(r.angle, 0.0);
    EXPECT_LT(r.angle, 2 * kPi);
}

TEST(PolarKing, NoResolutionGivesCountsThatAreNotNumbers) {
    const PolarInputs in = Drift(12, -7, 0.0);
    const PolarResult r = KingDrift(in);
    EXPECT_TRUE(std::isfinite(r.lambda) && std::isfinite(r.angle));
    EXPECT_TRUE(std::isfinite(r.azimuth) && std::isfinite(r.altitude));
    EXPECT_FALSE(std::isfinite(FieldsOfView(r.azimuth, in.resolution)));
    for (const std::string& line : PolarInstructions(r, in.dec, in.latitude, in.resolution, false))
        EXPECT_NE(line.find("nan"), std::string::npos) << line;
}

TEST(PolarRambaut, NoResolutionGivesInfiniteCounts) {
    // The refraction alone moves the star, so A and k are finite and not 0.
    const PolarInputs in = Drift(12, -7, 0.0);
    const PolarResult r = RambautDrift(in);
    EXPECT_TRUE(std::isfinite(r.lambda) && std::isfinite(r.angle));
    EXPECT_TRUE(std::isfinite(r.azimuth) && std::isfinite(r.altitude));
    EXPECT_GT(r.lambda, 0.0);
    const auto lines = PolarInstructions(r, in.rambautDec, in.latitude, in.resolution, true);
    EXPECT_NE(lines[0].find("hour axis inf FOV"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("declination 5 degrees inf FOV"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("hour axis inf FOV"), std::string::npos) << lines[2];
}

// The star's declination in the second instruction, King's and Rambaut's
// wording alike, rounded to the whole degree: 19.7 reads 20, -0.6 reads -1 and
// -0.4 reads 0 (never "-0"). It was cut toward zero, to 19 and 0.
TEST(PolarInstructionsText, StarDeclinationWasCutTowardZero) {
    const struct {
        double dec;
        const char* shown;
    } cases[] = {{19.7, "declination 20 degree"}, {-19.7, "declination -20 degree"}, {-0.6, "declination -1 degree"},
                 {-0.4, "declination 0 degree"},  {45.0, "declination 45 degree"},   {89.5, "declination 90 degree"}};
    const PolarInputs in = Drift(12, -7, 2.0);
    for (const auto& c : cases) {
        const double dec = c.dec * kPi / 180.0;
        for (const bool rambaut : {false, true}) {
            const PolarResult r = rambaut ? RambautDrift(in) : KingDrift(in);
            const std::string line = PolarInstructions(r, dec, in.latitude, in.resolution, rambaut)[1];
            EXPECT_NE(line.find(c.shown), std::string::npos) << c.dec << " " << line;
        }
    }
}

TEST(PolarRambaut, ResultAngleAndSizeAgree) {
    const PolarInputs in = Drift(-8, 15, 3.0);
    const PolarResult r = RambautDrift(in);
    const double east = std::cos(in.latitude) * r.azimuth;
    EXPECT_NEAR(r.lambda, std::hypot(east, r.altitude), 1e-15);
    EXPECT_NEAR(std::sin(r.angle) * r.lambda, east, 1e-12);
    EXPECT_NEAR(std::cos(r.angle) * r.lambda, r.altitude, 1e-12);
}

TEST(PolarRefraction, MoistAirPieces) {
    // Saturation over water: 23.37 hPa at 20 C, 2.865 hPa at -10 C (supercooled);
    // the Magnus form with these constants is good to about 1.5 %.
    EXPECT_NEAR(VapourPressure(293.15), 0.5 * 23.37, 0.015 * 0.5 * 23.37);
    EXPECT_NEAR(VapourPressure(263.15), 0.5 * 2.865, 0.015 * 0.5 * 2.865);
    // ICAO standard atmosphere: 1013.25 hPa at sea level, 898.76 hPa at 1000 m.
    EXPECT_NEAR(HeightPressure(0), 1013.25, 1e-9);
    EXPECT_NEAR(HeightPressure(1000), 898.76, 0.2);
    // Dry standard air (15 C, 1013.25 hPa) at 0.55 um: Edlen (1966) gives
    // (n - 1) 1e8 = 8342.54 + 2406147 / (130 - s2) + 15998 / (38.9 - s2) = 27788.
    const double sigma = 1.0 / 0.55;
    EXPECT_NEAR((MoistAirIndex(1013.25, 0.0, 288.15, sigma) - 1.0) * 1e8, 27788.0, 15.0);
    // Water vapour lowers the index a little at the same total pressure.
    EXPECT_LT(MoistAirIndex(1003.25, 10.0, 288.15, sigma), MoistAirIndex(1013.25, 0.0, 288.15, sigma));
}

TEST(PolarQuickView, HourAngleStaysWithinTwelveHoursOverADay) {
    for (double ra : {2.5301955556, 2.95, 3.1})
        for (int minute = 0; minute <= 24 * 60; minute += 7) {
            const double h = PolarisHourAngle(minute / 60.0, ra);
            EXPECT_GE(h, -12.0);
            EXPECT_LE(h, 12.0);
            EXPECT_NEAR(std::fmod(h + ra + 48.0, 24.0), std::fmod(minute / 60.0, 24.0), 1e-9);
        }
}

TEST(PolarQuickView, MarkFollowsTheHourLabels) {
    // "0" at the bottom, "6" at the right, "12" at the top, "18" at the left;
    // at the J2000 place the mark sits at the full radius less the inset.
    struct Case {
        double hourAngle;
        int dx, dy;
    } cases[] = {{0, 0, 57}, {6, 57, 0}, {-6, -57, 0}, {12, 0, -57}, {3, 40, 40}};
    for (const Case& c : cases) {
        int dx = 0, dy = 0;
        PolarisMarkOffset(60, 3, 2.5301955556, c.hourAngle, &dx, &dy);
        EXPECT_EQ(dx, c.dx) << c.hourAngle;
        EXPECT_EQ(dy, c.dy) << c.hourAngle;
    }
    // Polaris at 3.0 h right ascension sits nearer the centre: 57 x 2.53 / 3.
    int dx = 0, dy = 0;
    PolarisMarkOffset(60, 3, 3.0, 0, &dx, &dy);
    EXPECT_EQ(dy, 48);
}

TEST(PolarQuickView, ReticlesAreHalfAnHourApart) {
    struct Case {
        int hour, minute, k, labelHour, labelMinute;
    } cases[] = {{21, 10, 0, 21, 10}, {21, 10, 1, 21, 40}, {21, 10, 3, 22, 40},
                 {23, 45, 1, 0, 15},  {23, 50, 3, 1, 20},  {0, 0, 2, 1, 0}};
    for (const Case& c : cases) {
        int h = -1, m = -1;
        ReticleTime(c.hour, c.minute, c.k, &h, &m);
        EXPECT_EQ(h, c.labelHour) << c.hour << ":" << c.minute << " k " << c.k;
        EXPECT_EQ(m, c.labelMinute) << c.hour << ":" << c.minute << " k " << c.k;
    }
}

}  // namespace
