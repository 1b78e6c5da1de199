// Speed of the chart's projections as a redraw at 480 x 640, 192 dpi (screen scale 4) uses
// them: 110,000 stars uniform on the sphere (fixed seed).
// - Sphere path (Whole Sky, zoom 0): each star's J2000 unit vector is kept between frames; a
//   frame turns it by the sky rotation and projects it with the margin bounds to a screen point.
// - Sky Map path (zoom 8): ProjectHourAngleToHorizon in batches, the stars' cosine and sine of
//   declination kept, then the screen formula.
// The Scalar variants run the single-point routines for comparison; the RealFrame ones project
// the 1646 default stars plus the stars of the field's declination band at zoom 8.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "chart/chart_views.h"
#include "chart/fixed_trig_batch.h"
#include "chart/horizon_projection.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "core/shared_state.h"

namespace {

constexpr int kStars = 110000;
constexpr int kDefaultStars = 1646;
constexpr int kScreenScale = 4;
constexpr Fix24Angle kLst = 30000000;  // about 6.8 h

struct Stars {
    std::vector<Fix24Angle> ra, dec;
    std::vector<int32_t> cosDec, sinDec;
    std::vector<UnitVector> unit;
};

Stars MakeStars(int n, uint32_t seed) {
    Stars s;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int i = 0; i < n; ++i) {
        s.ra.push_back(static_cast<Fix24Angle>(uniform(rng) * kFix24TwoPi));
        s.dec.push_back(static_cast<Fix24Angle>(std::asin(2 * uniform(rng) - 1) * 16777216.0));
    }
    s.cosDec.resize(n);
    s.sinDec.resize(n);
    FixSinCos24Batch(s.dec.data(), n, s.cosDec.data(), s.sinDec.data());
    for (int i = 0; i < n; ++i) s.unit.push_back(StarUnitVector(s.ra[i], s.dec[i]));
    return s;
}

const Stars& AllStars() {
    static const Stars s = MakeStars(kStars, 110000);
    return s;
}

// The stars of the declination band and right-ascension window that the star-field pass reads
// for a zoom-8 field centred near the zenith at 51 degrees north.
Stars BandStars() {
    const Stars& all = AllStars();
    Stars band;
    const double centreRa = kLst / 16777216.0, centreDec = 45 * M_PI / 180, halfDec = 8 * M_PI / 180;
    for (int i = 0; i < kStars; ++i) {
        double ra = all.ra[i] / 16777216.0, dec = all.dec[i] / 16777216.0;
        if (std::abs(dec - centreDec) > halfDec || std::abs(ra - centreRa) > 0.5 * M_PI / 12) continue;
        band.ra.push_back(all.ra[i]);
        band.dec.push_back(all.dec[i]);
        band.cosDec.push_back(all.cosDec[i]);
        band.sinDec.push_back(all.sinDec[i]);
        band.unit.push_back(all.unit[i]);
    }
    return band;
}

void SetUpSite(int view) {
    SetSiteLatitude(currentSite, 51.0);
    currentSite.longitude = 0.0f;
    currentSite.zoneMinutes = 0;
    chartView = view;
    SetHorizonRotation(0);
    BuildSkyRotation(2026, 3, 5, 21, 10, 0);
    skyRotation.flag = 1;
}

// The sphere renderer's set-up of a 480 x 640 picture (R = 80 s px, k = R / tan(FOV / 2),
// margins 30 px beyond the edges), centred at altitude 40 toward the south.
SphereFrame WholeSkyFrame(int zoom) {
    Fix24Angle fov = static_cast<Fix24Angle>(GetZoomFovForIndex(zoom) * 292817.65851827303);
    int64_t t = FixPoly24(fov >> 1);
    int64_t r = 2621440 / (32 / kScreenScale);
    int64_t k = (r << 24) / t;
    skyMapView = SkyMapView{240, 320, 0, 0, kFix24Pi, static_cast<Fix24Angle>(40 * 292817.65851827303), 0, 0, 0, 0, 0};
    skyMapView.scaleX = skyMapView.scaleY = static_cast<int32_t>(k >> 10);
    SphereFrame f = MakeSphereFrame(skyMapView);
    f.uMax = static_cast<int32_t>(((int64_t{240} + 30) << 34) / k);
    f.vMax = static_cast<int32_t>(((int64_t{320} + 30) << 34) / k);
    return f;
}

int SphereFrameFromVectors(const SphereFrame& f, const std::vector<UnitVector>& unit, std::vector<int32_t>& x,
                           std::vector<int32_t>& y) {
    int shown = 0;
    const int32_t* m = ChartRotationMatrix();
    for (size_t i = 0; i < unit.size(); ++i) {
        int32_t p, q, s;
        UnitVectorToChartBy(m, unit[i], &p, &q, &s);
        SpherePoint point = SphereForward(f, p, q, s);
        if (point.depth <= 0 || !point.withinMargins) continue;
        x[i] = point.x;
        y[i] = point.y;
        ++shown;
    }
    return shown;
}

// The screen formula with the chart's centre and zoom-8 scales (10 fraction bits).
int SkyMapScreen(const std::vector<int32_t>& a, const std::vector<int32_t>& b, const std::vector<uint8_t>& above,
                 std::vector<int32_t>& x, std::vector<int32_t>& y) {
    constexpr int64_t k = 1376256 * kScreenScale;
    int shown = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (!above[i]) continue;
        x[i] = static_cast<int32_t>(240 - ((b[i] * k) >> 34));
        y[i] = static_cast<int32_t>(320 - ((a[i] * k) >> 34));
        ++shown;
    }
    return shown;
}

void BM_SpherePath(benchmark::State& state) {
    SetUpSite(2);
    const Stars& s = AllStars();
    const SphereFrame f = WholeSkyFrame(0);
    std::vector<int32_t> x(kStars), y(kStars);
    for (auto _ : state) benchmark::DoNotOptimize(SphereFrameFromVectors(f, s.unit, x, y));
    state.counters["stars"] = kStars;
}
BENCHMARK(BM_SpherePath)->Unit(benchmark::kMillisecond);

void BM_SpherePathScalar(benchmark::State& state) {
    SetUpSite(2);
    const Stars& s = AllStars();
    const SphereFrame f = WholeSkyFrame(0);
    for (auto _ : state) {
        int shown = 0;
        for (int i = 0; i < kStars; ++i) {
            int32_t p, q, z;
            ProjectRaDecToChart(s.ra[i], s.dec[i], &p, &q, &z);
            SpherePoint point = SphereForward(f, p, q, z);
            shown += point.depth > 0 && point.withinMargins;
        }
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_SpherePathScalar)->Unit(benchmark::kMillisecond);

void SkyMapFrame(benchmark::State& state, const Stars& s) {
    const int n = static_cast<int>(s.ra.size());
    std::vector<int32_t> a(n), b(n), x(n), y(n);
    std::vector<uint8_t> above(n);
    for (auto _ : state) {
        ProjectHourAngleToHorizonBatch(kLst, n, s.ra.data(), s.cosDec.data(), s.sinDec.data(), a.data(), b.data(),
                                       above.data());
        benchmark::DoNotOptimize(SkyMapScreen(a, b, above, x, y));
    }
    state.counters["stars"] = n;
}

void BM_SkyMapPath(benchmark::State& state) {
    SetUpSite(0);
    SkyMapFrame(state, AllStars());
}
BENCHMARK(BM_SkyMapPath)->Unit(benchmark::kMillisecond);

void BM_SkyMapPathScalar(benchmark::State& state) {
    SetUpSite(0);
    const Stars& s = AllStars();
    for (auto _ : state) {
        int shown = 0;
        for (int i = 0; i < kStars; ++i) {
            int32_t a, b;
            shown += ProjectHourAngleToHorizon(kLst, s.ra[i], s.dec[i], &a, &b);
        }
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_SkyMapPathScalar)->Unit(benchmark::kMillisecond);

// A real Sky Map frame at zoom 8: the default stars and the band, both by the batch path.
void BM_SkyMapRealFrame(benchmark::State& state) {
    SetUpSite(0);
    Stars frame = MakeStars(kDefaultStars, 1646), band = BandStars();
    frame.ra.insert(frame.ra.end(), band.ra.begin(), band.ra.end());
    frame.cosDec.insert(frame.cosDec.end(), band.cosDec.begin(), band.cosDec.end());
    frame.sinDec.insert(frame.sinDec.end(), band.sinDec.begin(), band.sinDec.end());
    SkyMapFrame(state, frame);
    state.counters["band"] = static_cast<double>(band.ra.size());
}
BENCHMARK(BM_SkyMapRealFrame)->Unit(benchmark::kMicrosecond);

// A real sphere frame at zoom 8: the default stars' kept triples through the view, the band's
// stars through ProjectRaDecToChart as the star-field pass reads them.
void BM_SphereRealFrame(benchmark::State& state) {
    SetUpSite(2);
    const Stars defaults = MakeStars(kDefaultStars, 1646), band = BandStars();
    std::vector<int32_t> triples;
    for (const UnitVector& v : defaults.unit) {
        int32_t p, q, s;
        UnitVectorToChart(v, &p, &q, &s);
        triples.insert(triples.end(), {p, q, s});
    }
    const SphereFrame f = WholeSkyFrame(8);
    for (auto _ : state) {
        int shown = 0;
        for (int i = 0; i < kDefaultStars; ++i) {
            SpherePoint point = SphereForward(f, triples[3 * i], triples[3 * i + 1], triples[3 * i + 2]);
            shown += point.depth > 0 && point.withinMargins;
        }
        for (size_t i = 0; i < band.ra.size(); ++i) {
            int32_t p, q, s;
            ProjectRaDecToChart(band.ra[i], band.dec[i], &p, &q, &s);
            SpherePoint point = SphereForward(f, p, q, s);
            shown += point.depth > 0 && point.withinMargins;
        }
        benchmark::DoNotOptimize(shown);
    }
    state.counters["band"] = static_cast<double>(band.ra.size());
}
BENCHMARK(BM_SphereRealFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
