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
    const double cosRa = std::cos(ra1 - ra2);
    const double c = std::sin(dec1) * std::sin(dec2) + std::cos(dec1) * std::cos(dec2) * cosRa;
    const double y = std::cos(dec1) * std::sin(dec2) - std::sin(dec1) * std::cos(dec2) * cosRa;
    return std::atan2(std::hypot(std::cos(dec2) * std::sin(ra1 - ra2), y), c);
}

// The eclipse list's cache step for an eclipse span of 2.5 hours, in Julian centuries.
constexpr double kStep = (2.5 + 0.25) * 0.2 / 24 / 36525;

class EclipseSources : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        FreeSunInterpCache();
        FreeMoonInterpCache();
        ResetEclipseWork();
    }
    // The nutation and true obliquity places at T, as the sidereal time leaves them.
    static void SetNutation(double t) {
        ComputeNutation(t, &eclipseWork.nutationLongitude, &eclipseWork.trueObliquity);
    }
    RecordingServices services;
};

// ERFA's apparent Sun and Moon of date at 60 instants 1990..2030
// (scripts/reference/eclipse_sun_moon_erfa.py): the Sun within 1.5" and 3e-6 AU (the abridged
// VSOP87 and the 18-term nutation), the Moon within 20" and 35 km (the ERFA Moon is good to
// 18" and 32 km at worst). The places are also left in the eclipse work area.
TEST_F(EclipseSources, SeriesSourceAgreesWithErfa) {
    SelectSunMoonSource(0);
    auto rows = ReadReferenceCsv("eclipse_sun_moon_erfa.csv");
    ASSERT_EQ(rows.size(), 60u);
    for (const auto& r : rows) {
        double t = (r[0] - 2451545.0) / 36525, ra, dec, dist;
        SetNutation(t);
        ComputeEclipseSun(t, &ra, &dec, &dist);
        EXPECT_LT(Separation(ra, dec, r[1], r[2]), 1.5 * kArcsec) << r[0];
        EXPECT_NEAR(dist, r[3], 3e-6) << r[0];
        EXPECT_TRUE(eclipseWork.sunRa == ra && eclipseWork.sunDeclination == dec &&
                    eclipseWork.sunDistanceCopy == dist);
        ComputeEclipseMoon(t, &ra, &dec, &dist);
        EXPECT_LT(Separation(ra, dec, r[4], r[5]), 20 * kArcsec) << r[0];
        EXPECT_NEAR(dist, r[6], 35.0 / 149597870.7) << r[0];
        EXPECT_EQ(eclipseWork.moonDeclination, dec);
    }
}

// In source 1 the cached longitudes already carry the nutation (the build's offset, the
// complete series'); it was added a second time by the conversion, moving the Sun and the
// Moon by up to 17". The 18-term and the complete nutation differ by up to 0.03". The last two
// instants have a series' longitude pass a whole turn between two nodes, which swept the
// interpolation through the circle: the Moon at 0 degrees at the greatest eclipse of 1746-03-22
// (03:03 UT), the Sun's series from 540 to 180 degrees at the September equinox of 2023.
TEST_F(EclipseSources, CachedSourceCarriesNutationOnce) {
    for (double jd : {2451564.7, 2458867.3, 2460409.26, 2358853.6269, 2460210.7855}) {
        const double t = (jd - 2451545.0) / 36525;
        double dpsi, deps;
        ComputeNutationSeries(t, &dpsi, &deps);
        BuildSunInterpCache(t - 2 * kStep, kStep, dpsi * kArcsec);
        BuildMoonInterpCache(t - 2 * kStep, kStep, dpsi * kArcsec);
        for (double offset : {-1.7 * kStep, 0.0, 0.6 * kStep}) {
            double place[2][2][3];  // source, body, (ra, dec, distance)
            for (int source : {0, 1}) {
                SelectSunMoonSource(source);
                SetNutation(t);
                double(*p)[3] = place[source];
                ComputeEclipseSun(t + offset, &p[0][0], &p[0][1], &p[0][2]);
                ComputeEclipseMoon(t + offset, &p[1][0], &p[1][1], &p[1][2]);
            }
            for (const auto& [series, cached] :
                 {std::pair{place[0][0], place[1][0]}, {place[0][1], place[1][1]}}) {
                EXPECT_LT(Separation(series[0], series[1], cached[0], cached[1]), 0.05 * kArcsec) << jd;
                EXPECT_NEAR(series[2], cached[2], 1e-9) << jd;
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
        const double tt = t - 2 * kStep + k * kStep / 2, tol = k % 2 == 0 ? 1e-12 : 0.001 * kArcsec;
        double lon[2], lat[2], dist[2], slon[2], slat[2], sdist[2];
        EvalSunInterpCache(tt, &lon[0], &lat[0], &dist[0]);
        ComputeGeometricSun(tt, &slon[0], &slat[0], &sdist[0]);
        EvalMoonInterpCache(tt, &lon[1], &lat[1], &dist[1]);
        ComputeGeometricMoon(tt, &slon[1], &slat[1], &sdist[1]);
        for (int b = 0; b < 2; ++b) {
            EXPECT_NEAR(lon[b], slon[b] + offset, tol) << k << ' ' << b;
            EXPECT_NEAR(lat[b], slat[b], tol) << k << ' ' << b;
            EXPECT_NEAR(dist[b], sdist[b], 1e-12) << k << ' ' << b;
        }
    }
}

// A missing cache writes nothing (the places keep the previous computation's values) and
// frees harmlessly; building twice keeps the second build's nodes; freeing clears all five
// arrays.
TEST_F(EclipseSources, CacheLifecycle) {
    double lon = 1.0, lat = 2.0, dist = 3.0;
    EvalSunInterpCache(0.1, &lon, &lat, &dist);
    EvalMoonInterpCache(0.1, &lon, &lat, &dist);
    EXPECT_TRUE(lon == 1.0 && lat == 2.0 && dist == 3.0);
    FreeSunInterpCache();
    BuildSunInterpCache(0.1, kStep, 0.0);
    BuildSunInterpCache(0.2, kStep, 0.0);
    const SunMoonInterpCache& c = sunInterpCache;
    EXPECT_TRUE(c.abscissae && c.weights && c.longitudes && c.latitudes && c.distances);
    EXPECT_DOUBLE_EQ(c.abscissae[0], 0.2);
    EXPECT_DOUBLE_EQ(c.abscissae[4], 0.2 + 4 * kStep);
    FreeSunInterpCache();
    EXPECT_FALSE(c.abscissae || c.weights || c.longitudes || c.latitudes || c.distances);
}

// With the series source the nutation in longitude is added to the place and written back:
// a longitude of minus the nutation comes out at the equinox.
TEST_F(EclipseSources, EclipticToEquatorialAddsNutationInSourceZero) {
    SelectSunMoonSource(0);
    eclipseWork.trueObliquity = 23.44 * M_PI / 180;
    eclipseWork.nutationLongitude = 1e-4;
    eclipseWork.eclipticLongitude = -1e-4;
    eclipseWork.latitudeOrRa = 0.0;
    EclipseEclipticToEquatorial();
    EXPECT_NEAR(eclipseWork.eclipticLongitude, 0.0, 1e-18);
    EXPECT_NEAR(eclipseWork.latitudeOrRa, 0.0, 1e-9);
    EXPECT_NEAR(eclipseWork.declination, 0.0, 1e-12);
}

}  // namespace
