#include "ephemeris/eclipse_sources.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/eclipse_work.h"
#include "core/nutation.h"
#include "core/nutation_centuries.h"
#include "ephemeris/moon_elp2000.h"
#include "ephemeris/sun_vsop87.h"
#include "support/recording_services.h"
#include "support/reference_csv.h"

namespace {

constexpr double kArcsec = 4.84813681109536e-6;  // radians

// Angular separation (radians) of two directions given as right ascension and declination.
double Separation(double ra1, double dec1, double ra2, double dec2) {
    double c = std::sin(dec1) * std::sin(dec2) + std::cos(dec1) * std::cos(dec2) * std::cos(ra1 - ra2);
    double s = std::hypot(std::cos(dec2) * std::sin(ra1 - ra2),
                          std::cos(dec1) * std::sin(dec2) - std::sin(dec1) * std::cos(dec2) * std::cos(ra1 - ra2));
    return std::atan2(s, c);
}

// The eclipse list's cache step for an eclipse span of 2.5 hours, in Julian centuries.
constexpr double kStep = (2.5 + 0.25) * 0.2 / 24 / 36525;

class EclipseSources : public ::testing::Test {
protected:
    void SetUp() override {
        ResetEclipseWork();
        FreeSunInterpCache();
        FreeMoonInterpCache();
    }
    void TearDown() override {
        FreeSunInterpCache();
        FreeMoonInterpCache();
        ResetEclipseWork();
    }
    // The nutation and true obliquity places at T, as the sidereal time leaves them.
    static void SetNutation(double t) {
        ComputeNutation(t, &eclipseWork.nutationLongitude, &eclipseWork.trueObliquity);
    }
    // Both caches around T as the eclipse list builds them: middle node on T, the offset the
    // nutation in longitude of the complete series.
    static void BuildCaches(double t) {
        double dpsi, deps;
        ComputeNutationSeries(t, &dpsi, &deps);
        BuildSunInterpCache(t - 2 * kStep, kStep, dpsi * kArcsec);
        BuildMoonInterpCache(t - 2 * kStep, kStep, dpsi * kArcsec);
    }
    RecordingServices services;
};

// ERFA's apparent Sun and Moon of date at 60 instants 1990..2030
// (scripts/reference/eclipse_sun_moon_erfa.py): the Sun within 1.5" and 3e-6 AU (the abridged
// VSOP87 and the 18-term nutation), the Moon within 20" and 35 km (the ERFA Moon is good to
// 18" and 32 km at worst).
TEST_F(EclipseSources, SeriesSourceAgreesWithErfa) {
    SelectSunMoonSource(0);
    auto rows = ReadReferenceCsv("eclipse_sun_moon_erfa.csv");
    ASSERT_EQ(rows.size(), 60u);
    for (const auto& r : rows) {
        double t = (r[0] - 2451545.0) / 36525;
        SetNutation(t);
        double ra, dec, dist;
        ComputeEclipseSun(t, &ra, &dec, &dist);
        EXPECT_LT(Separation(ra, dec, r[1], r[2]), 1.5 * kArcsec) << r[0];
        EXPECT_NEAR(dist, r[3], 3e-6) << r[0];
        EXPECT_DOUBLE_EQ(eclipseWork.sunRa, ra);
        EXPECT_DOUBLE_EQ(eclipseWork.sunDeclination, dec);
        EXPECT_NEAR(eclipseWork.sunRaHours, ra * 3.819718634205488, 1e-12);
        EXPECT_EQ(eclipseWork.sunDistanceCopy, dist);
        ComputeEclipseMoon(t, &ra, &dec, &dist);
        EXPECT_LT(Separation(ra, dec, r[4], r[5]), 20 * kArcsec) << r[0];
        EXPECT_NEAR(dist, r[6], 35.0 / 149597870.7) << r[0];
        EXPECT_NEAR(eclipseWork.moonRa, ra, 1e-15);
        EXPECT_DOUBLE_EQ(eclipseWork.moonDeclination, dec);
    }
}

// In source 1 the cached longitudes already carry the nutation (the build's offset); it was
// added a second time by the conversion, moving the Sun and the Moon by up to 17".
TEST_F(EclipseSources, CachedSourceCarriesNutationOnce) {
    for (double jd : {2451564.7, 2458867.3, 2460409.26}) {
        double t = (jd - 2451545.0) / 36525;
        SetNutation(t);
        BuildCaches(t);
        for (double offset : {-1.7 * kStep, 0.0, 0.6 * kStep}) {
            double tt = t + offset;
            double series[2][3], cached[2][3];
            SelectSunMoonSource(0);
            SetNutation(t);
            ComputeEclipseSun(tt, &series[0][0], &series[0][1], &series[0][2]);
            ComputeEclipseMoon(tt, &series[1][0], &series[1][1], &series[1][2]);
            SelectSunMoonSource(1);
            SetNutation(t);
            ComputeEclipseSun(tt, &cached[0][0], &cached[0][1], &cached[0][2]);
            ComputeEclipseMoon(tt, &cached[1][0], &cached[1][1], &cached[1][2]);
            for (int b = 0; b < 2; ++b) {
                // The 18-term and the complete nutation differ by up to 0.03".
                EXPECT_LT(Separation(series[b][0], series[b][1], cached[b][0], cached[b][1]),
                          0.05 * kArcsec) << jd << ' ' << b;
                EXPECT_NEAR(series[b][2], cached[b][2], 1e-9) << jd << ' ' << b;
            }
        }
    }
}

// At the nodes the caches give back the series (plus the offset on the longitude), the middle
// node in particular; between nodes they stay within 0.001" of it.
TEST_F(EclipseSources, CacheReproducesTheSeriesAtItsNodes) {
    const double t = (2460409.26 - 2451545.0) / 36525, offset = 7e-5;
    BuildSunInterpCache(t - 2 * kStep, kStep, offset);
    BuildMoonInterpCache(t - 2 * kStep, kStep, offset);
    EXPECT_EQ(services.busySteps, 10);
    EXPECT_EQ(services.busyEnds, 2);
    for (int k = 0; k <= 8; ++k) {
        double tt = t - 2 * kStep + k * kStep / 2;
        double lon, lat, dist, slon, slat, sdist;
        EvalSunInterpCache(tt, &lon, &lat, &dist);
        ComputeGeometricSun(tt, &slon, &slat, &sdist);
        double tol = k % 2 == 0 ? 1e-12 : 0.001 * kArcsec;
        EXPECT_NEAR(lon, slon + offset, tol) << k;
        EXPECT_NEAR(lat, slat, tol) << k;
        EXPECT_NEAR(dist, sdist, 1e-12) << k;
        EvalMoonInterpCache(tt, &lon, &lat, &dist);
        ComputeGeometricMoon(tt, &slon, &slat, &sdist);
        EXPECT_NEAR(lon, slon + offset, tol) << k;
        EXPECT_NEAR(lat, slat, tol) << k;
        EXPECT_NEAR(dist, sdist, 1e-12) << k;
    }
}

// A missing cache writes nothing: the places keep the previous computation's values.
TEST_F(EclipseSources, EmptyCacheWritesNothing) {
    double lon = 1.0, lat = 2.0, dist = 3.0;
    EvalSunInterpCache(0.1, &lon, &lat, &dist);
    EvalMoonInterpCache(0.1, &lon, &lat, &dist);
    EXPECT_EQ(lon, 1.0);
    EXPECT_EQ(lat, 2.0);
    EXPECT_EQ(dist, 3.0);
    FreeSunInterpCache();  // freeing an empty cache is harmless
    FreeSunInterpCache();
    EXPECT_EQ(sunInterpCache.abscissae, nullptr);
}

// Building twice leaves one set of five arrays with the second build's nodes; freeing clears
// all five pointers.
TEST_F(EclipseSources, RebuildReplacesAndFreeEmpties) {
    BuildSunInterpCache(0.1, kStep, 0.0);
    BuildSunInterpCache(0.2, kStep, 0.0);
    for (double* a : {sunInterpCache.abscissae, sunInterpCache.weights, sunInterpCache.longitudes,
                      sunInterpCache.latitudes, sunInterpCache.distances})
        EXPECT_NE(a, nullptr);
    EXPECT_DOUBLE_EQ(sunInterpCache.abscissae[0], 0.2);
    EXPECT_DOUBLE_EQ(sunInterpCache.abscissae[4], 0.2 + 4 * kStep);
    FreeSunInterpCache();
    for (double* a : {sunInterpCache.abscissae, sunInterpCache.weights, sunInterpCache.longitudes,
                      sunInterpCache.latitudes, sunInterpCache.distances})
        EXPECT_EQ(a, nullptr);
}

// The conversion of an ecliptic place: the equinox (lon 0, lat 0) is at right ascension 0,
// the summer solstice at 6 h and declination +eps; with the series source the nutation in
// longitude is added and written back.
TEST_F(EclipseSources, EclipticToEquatorialConversion) {
    SelectSunMoonSource(0);
    eclipseWork.trueObliquity = 23.44 * 0.0174532925199433;
    eclipseWork.nutationLongitude = 0.0;
    eclipseWork.eclipticLongitude = M_PI / 2;
    eclipseWork.latitudeOrRa = 0.0;
    EclipseEclipticToEquatorial();
    EXPECT_NEAR(eclipseWork.latitudeOrRa, 6.0, 1e-12);
    EXPECT_NEAR(eclipseWork.declination, eclipseWork.trueObliquity, 1e-12);
    eclipseWork.nutationLongitude = 1e-4;
    eclipseWork.eclipticLongitude = -1e-4;
    eclipseWork.latitudeOrRa = 0.0;
    EclipseEclipticToEquatorial();
    EXPECT_NEAR(eclipseWork.eclipticLongitude, 0.0, 1e-18);
    EXPECT_NEAR(eclipseWork.latitudeOrRa, 0.0, 1e-9);
    EXPECT_NEAR(eclipseWork.declination, 0.0, 1e-12);
}

}  // namespace
