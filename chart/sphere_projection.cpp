#include "chart/sphere_projection.h"

#include <climits>
#include <cmath>

#include "chart/horizon_projection.h"
#include "chart/sky_rotation.h"

SkyMapView skyMapView{0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0};

namespace {

constexpr double kUnit = 16777216.0;

// The sphere point under a screen offset from the centre, in the view's frame: u, v from the
// offset and the scales, taken radially onto the rim (depth 0) outside the disc; then the
// inverse of the view turn gives (p, -q, s).
void ScreenToTriple(const SphereFrame& f, int64_t dx, int64_t dy, int32_t* p, int32_t* qNeg, int32_t* s) {
    double u = static_cast<double>(ScreenOffsetToUnits(dx, f.kx, 24));
    double v = static_cast<double>(ScreenOffsetToUnits(dy, f.ky, 24));
    double rho2 = (u * u + v * v) / (kUnit * kUnit);
    int32_t z = 0;
    if (rho2 > 1) {
        double rho = std::sqrt(rho2);
        u /= rho;
        v /= rho;
    } else {
        z = static_cast<int32_t>(std::sqrt(1 - rho2) * kUnit);
    }
    int32_t iu = static_cast<int32_t>(u), iv = static_cast<int32_t>(v);
    int32_t w = WrapSub(FixMul24(z, f.cosD0), FixMul24(iv, f.sinD0));
    *s = WrapAdd(FixMul24(z, f.sinD0), FixMul24(iv, f.cosD0));
    *p = WrapAdd(FixMul24(w, f.sinA0), FixMul24(iu, f.cosA0));
    *qNeg = WrapSub(FixMul24(iu, f.sinA0), FixMul24(w, f.cosA0));
}

// transpose(m) v for a row-major unit x 2^24 matrix.
void MultiplyTransposed(const int32_t* m, const int32_t in[3], int32_t out[3]) {
    for (int c = 0; c < 3; ++c)
        out[c] = WrapAdd(WrapAdd(FixMul24(m[c], in[0]), FixMul24(m[3 + c], in[1])), FixMul24(m[6 + c], in[2]));
}

}  // namespace

UnitVector StarUnitVector(Fix24Angle ra, Fix24Angle dec) {
    int32_t cosA, sinA, cosD, sinD;
    FixSinCos24(ra, &cosA, &sinA);
    FixSinCos24(dec, &cosD, &sinD);
    return UnitVector{FixMul24(cosD, sinA), FixMul24(cosD, cosA), sinD};
}

const int32_t* ChartRotationMatrix() { return skyRotation.flag != 0 ? skyRotation.matrix : nullptr; }

void UnitVectorToChart(const UnitVector& v, int32_t* p, int32_t* q, int32_t* s) {
    UnitVectorToChartBy(ChartRotationMatrix(), v, p, q, s);
}

int32_t ProjectRaDecToChart(Fix24Angle ra, Fix24Angle dec, int32_t* p, int32_t* q, int32_t* s) {
    UnitVectorToChart(StarUnitVector(ra, dec), p, q, s);
    return *p;
}

SphereFrame MakeSphereFrame(const SkyMapView& view) {
    SphereFrame f{view.centreX, view.centreY, view.scaleX, view.scaleY, 0, 0, 0, 0, INT32_MAX, INT32_MAX};
    FixSinCos24(view.centreAngle, &f.cosA0, &f.sinA0);
    FixSinCos24(view.centreElevation, &f.cosD0, &f.sinD0);
    return f;
}

int ProjectToSkyMap(Fix24Angle ra, Fix24Angle dec, int32_t* x, int32_t* y) {
    int32_t p, q, s;
    ProjectRaDecToChart(ra, dec, &p, &q, &s);
    SpherePoint point = SphereForward(MakeSphereFrame(skyMapView), p, q, s);
    if (point.depth < 1) return 0;
    *x = point.x;
    *y = point.y;
    return 1;
}

int SkyMapPointToRaDec(int32_t x, int32_t y, Fix24Angle* ra, Fix24Angle* dec) {
    const SphereFrame f = MakeSphereFrame(skyMapView);
    int32_t p, qNeg, s;
    ScreenToTriple(f, int64_t{f.cx} - x, int64_t{f.cy} - y, &p, &qNeg, &s);
    if (skyRotation.flag == 0) {
        *dec = FixAsin24(s);
        Fix24Angle a = WrapAdd(FixAtan2_24(WrapSub(0, p), qNeg), kFix24Pi);
        if (a > 105414357) a -= 105414357;
        if (a < 0) a += 105414357;
        *ra = a;
        return 1;
    }
    // Back from the horizontal frame through the transpose of M, the inverse of the rotation.
    const int32_t chart[3] = {p, WrapSub(0, qNeg), s};
    int32_t j2000[3];
    MultiplyTransposed(skyRotation.matrix, chart, j2000);
    *ra = FixAtan2_24(j2000[0], j2000[1]);
    *dec = FixAsin24(j2000[2]);
    return 1;
}

int SkyMapPointToHorizon(int32_t originX, int32_t originY, int32_t x, int32_t y, Fix24Angle* azimuth,
                         Fix24Angle* altitude) {
    const SphereFrame f = MakeSphereFrame(skyMapView);
    int32_t p, qNeg, s;
    ScreenToTriple(f, int64_t{originX} + f.cx - x, int64_t{originY} + f.cy - y, &p, &qNeg, &s);
    if (skyRotation.flag != 0) {
        int32_t angle = WrapAdd(kFix24Pi, FixAtan2_24(p, qNeg));
        while (angle > kFix24TwoPi) angle -= kFix24TwoPi;
        *azimuth = angle;
        *altitude = FixAsin24(s);
        return 1;
    }
    // A J2000 direction: into the horizontal frame by M.
    int32_t h[3];
    UnitVectorToChartBy(skyRotation.matrix, UnitVector{p, WrapSub(0, qNeg), s}, &h[0], &h[1], &h[2]);
    *azimuth = FixAtan2_24(WrapSub(0, h[0]), h[1]);
    *altitude = FixAsin24(h[2]);
    return 1;
}

void ResetSkyMapView() { skyMapView = SkyMapView{0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0}; }
