#include "ephemeris/eclipse_sources.h"

#include <cmath>
#include <initializer_list>
#include <new>

#include "core/eclipse_work.h"
#include "core/services.h"
#include "ephemeris/lagrange.h"
#include "ephemeris/moon_elp2000.h"
#include "ephemeris/sun_vsop87.h"

SunMoonInterpCache sunInterpCache{};
SunMoonInterpCache moonInterpCache{};

namespace {

constexpr int kNodes = 5;
constexpr double kTwoPi = 6.283185307179586;

void FreeCache(SunMoonInterpCache& cache) {
    for (double** a : {&cache.abscissae, &cache.weights, &cache.longitudes, &cache.latitudes,
                       &cache.distances}) {
        delete[] *a;
        *a = nullptr;
    }
}

bool AllocateCache(SunMoonInterpCache& cache) {
    for (double** a : {&cache.abscissae, &cache.weights, &cache.longitudes, &cache.latitudes,
                       &cache.distances}) {
        *a = new (std::nothrow) double[kNodes]();
        if (!*a) {
            FreeCache(cache);
            return false;
        }
    }
    return true;
}

using Series = void (*)(double t, double* lon, double* lat, double* dist);

void MoonSeries(double t, double* lon, double* lat, double* dist) {
    ComputeGeometricMoon(t, lon, lat, dist);
}

// Each node's longitude is kept within half a turn of the node before it: the series reduce
// theirs, and a step of a whole turn between two nodes (the Moon at 0 degrees, the Sun at 180)
// would sweep the interpolation through the circle. Readers take only its sine and cosine.
void BuildCache(SunMoonInterpCache& cache, Series series, double t0, double step,
                double lonOffset) {
    FreeCache(cache);
    if (AllocateCache(cache)) {
        for (int k = 0; k < kNodes; ++k) {
            StepBusyIndicator(1);
            double t = k * step + t0;
            cache.abscissae[k] = t;
            series(t, &cache.longitudes[k], &cache.latitudes[k], &cache.distances[k]);
            cache.longitudes[k] += lonOffset;
            if (k > 0)
                cache.longitudes[k] +=
                    kTwoPi * std::round((cache.longitudes[k - 1] - cache.longitudes[k]) / kTwoPi);
        }
        ComputeLagrangeWeights(kNodes, cache.abscissae, cache.weights);
    }
    EndBusyIndicator(1);
}

void EvalCache(const SunMoonInterpCache& cache, double t, double* lon, double* lat,
               double* dist) {
    if (!cache.abscissae || !cache.weights || !cache.longitudes || !cache.latitudes ||
        !cache.distances) {
        return;
    }
    *lon = EvalLagrange(t, kNodes, cache.abscissae, nullptr, cache.longitudes);
    *lat = EvalLagrange(t, kNodes, cache.abscissae, nullptr, cache.latitudes);
    *dist = EvalLagrange(t, kNodes, cache.abscissae, nullptr, cache.distances);
}

// The series or the cache into the series-longitude, latitude and distance places.
void SourcePlace(double t, Series series, const SunMoonInterpCache& cache, double* dist) {
    if (sunMoonSource == 1) {
        EvalCache(cache, t, &eclipseWork.seriesLongitude, &eclipseWork.latitudeOrRa, dist);
    } else {
        series(t, &eclipseWork.seriesLongitude, &eclipseWork.latitudeOrRa, dist);
    }
}

}  // namespace

void EclipseEclipticToEquatorial() {
    double lambda = eclipseWork.eclipticLongitude;
    if (sunMoonSource != 1) lambda += eclipseWork.nutationLongitude;
    eclipseWork.eclipticLongitude = lambda;
    double beta = eclipseWork.latitudeOrRa;
    double eps = eclipseWork.trueObliquity;
    eclipseWork.declination = std::asin(std::sin(lambda) * std::sin(eps) * std::cos(beta) +
                                        std::cos(eps) * std::sin(beta));
    double alpha = std::atan2(std::cos(eps) * std::sin(lambda) - std::sin(eps) * std::tan(beta),
                              std::cos(lambda));
    if (alpha < 0) alpha += 6.283185307179586;
    eclipseWork.latitudeOrRa = alpha * 3.819718634205488;
}

void ComputeEclipseSun(double t, double* ra, double* dec, double* dist) {
    SourcePlace(t, ComputeGeometricSun, sunInterpCache, &eclipseWork.sunDistance);
    double e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t;
    double r = eclipseWork.sunDistance;
    eclipseWork.eclipticLongitude =
        eclipseWork.seriesLongitude - (1 - e * e) / r * 9.936518612819769e-05;
    EclipseEclipticToEquatorial();
    double hours = eclipseWork.latitudeOrRa;
    eclipseWork.sunDeclination = eclipseWork.declination;
    eclipseWork.sunRaHours = hours;
    eclipseWork.sunDistanceCopy = r;
    eclipseWork.sunRa = hours * 0.26179938779914946;
    *ra = hours * 0.26179938779914946;
    *dec = eclipseWork.declination;
    *dist = r;
}

void ComputeEclipseMoon(double t, double* ra, double* dec, double* dist) {
    SourcePlace(t, MoonSeries, moonInterpCache, &eclipseWork.moonDistance);
    eclipseWork.eclipticLongitude = eclipseWork.seriesLongitude;
    EclipseEclipticToEquatorial();
    double hours = eclipseWork.latitudeOrRa;
    *ra = hours * 15 * 0.0174532925199433;
    *dec = eclipseWork.declination;
    *dist = eclipseWork.moonDistance;
    eclipseWork.moonRa = hours * 0.26179938779914946;
    eclipseWork.moonDeclination = eclipseWork.declination;
}

void BuildSunInterpCache(double t0, double step, double lonOffset) {
    BuildCache(sunInterpCache, ComputeGeometricSun, t0, step, lonOffset);
}

void BuildMoonInterpCache(double t0, double step, double lonOffset) {
    BuildCache(moonInterpCache, MoonSeries, t0, step, lonOffset);
}

void EvalSunInterpCache(double t, double* lon, double* lat, double* dist) {
    EvalCache(sunInterpCache, t, lon, lat, dist);
}

void EvalMoonInterpCache(double t, double* lon, double* lat, double* dist) {
    EvalCache(moonInterpCache, t, lon, lat, dist);
}

void FreeSunInterpCache() { FreeCache(sunInterpCache); }

void FreeMoonInterpCache() { FreeCache(moonInterpCache); }
