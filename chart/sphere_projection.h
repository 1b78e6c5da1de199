// The sphere views' projection: views 2 Whole Sky, 3 Visible Sky and 4 Equatorial Sky, and
// every sky picture drawn by the sphere renderer. An orthographic view of the unit sphere from
// a centre direction, in the equatorial or the local horizontal frame.
//
// Chart triples (p, q, s) are unit x 2^24. With the sky rotation off (equatorial frame) they are
// (cos dec sin ra, cos dec cos ra, sin dec) of the J2000 place; with it on (horizontal frame)
// they are the same taken through skyRotation's matrix M (chart/sky_rotation.h), which gives
// (-cos h sin A, cos h cos A, sin h) for altitude h and azimuth A (north through east) at the
// chart's date and time.
//
// The view's centre (alpha0, delta0) is in the same frame: right ascension and declination, or
// the frame angle atan2(p, q) = -A and the altitude. Forward (screen x growing to the left):
//   u = p cos a0 - q sin a0,  w = q cos a0 + p sin a0,
//   depth = w cos d0 + s sin d0 (> 0 on the side facing the viewer),  v = s cos d0 - w sin d0,
//   x = cx - ((u kx) >> 24),  y = cy - ((v ky) >> 24)
// with whole-pixel scales k (negative to flip an axis). All products are 64-bit, shifted by 24.
#pragma once

#include <cstdint>

#include "core/fixed_trig.h"

// The sphere view of the last drawing, written by the sphere renderer at every picture.
struct SkyMapView {
    int32_t centreX;            // pixels: rectangle-relative while drawing, window-relative after
    int32_t centreY;
    int32_t scaleX;             // whole pixels per unit, k = R / tan(FOV / 2); negative flips the axis
    int32_t scaleY;
    Fix24Angle centreAngle;     // alpha0: right ascension, or -azimuth in the horizontal frame
    Fix24Angle centreElevation; // delta0: declination or altitude
    int32_t visibleOnly;        // 1 in the Visible Sky view (points with s >= 0 only)
    int32_t horizontalStatus;   // preference word 126 at the drawing: status as azimuth and altitude
    int32_t trackLines;         // SetChartFlagA: join consecutive objects of one source
    int32_t markCornerX;        // window position of the centre mark's top-left corner
    int32_t markCornerY;
};

extern SkyMapView skyMapView;

// A star's J2000 unit vector (cos dec sin ra, cos dec cos ra, sin dec), unit x 2^24, from
// FixSinCos24 of its right ascension and declination (Fix24Angle). Kept between drawings by
// passes that project many stars, since only the rotation changes with the time.
struct UnitVector {
    int32_t y;
    int32_t x;
    int32_t z;
};
UnitVector StarUnitVector(Fix24Angle ra, Fix24Angle dec);

// The chart triple of a unit vector under a row-major matrix (unit x 2^24), each product
// shifted before the sum; null leaves it as it stands. Inline, as the per-star passes run it.
inline void UnitVectorToChartBy(const int32_t* m, const UnitVector& v, int32_t* p, int32_t* q, int32_t* s) {
    if (!m) {
        *p = v.y;
        *q = v.x;
        *s = v.z;
        return;
    }
    *p = WrapAdd(WrapAdd(FixMul24(m[0], v.y), FixMul24(m[1], v.x)), FixMul24(m[2], v.z));
    *q = WrapAdd(WrapAdd(FixMul24(m[3], v.y), FixMul24(m[4], v.x)), FixMul24(m[5], v.z));
    *s = WrapAdd(WrapAdd(FixMul24(m[6], v.y), FixMul24(m[7], v.x)), FixMul24(m[8], v.z));
}

// The matrix of the current sky rotation, or null while it is off.
const int32_t* ChartRotationMatrix();

// The chart triple of a unit vector under the current sky rotation.
void UnitVectorToChart(const UnitVector& v, int32_t* p, int32_t* q, int32_t* s);

// StarUnitVector then UnitVectorToChart. Returns p.
int32_t ProjectRaDecToChart(Fix24Angle ra, Fix24Angle dec, int32_t* p, int32_t* q, int32_t* s);

// The per-point context of one picture, set up once per drawing.
struct SphereFrame {
    int32_t cx, cy;         // centre, pixels
    int32_t kx, ky;         // whole pixels per unit, signed
    int32_t cosA0, sinA0;   // of the centre angle alpha0, unit x 2^24
    int32_t cosD0, sinD0;   // of the centre elevation delta0
    int32_t uMax, vMax;     // margin bounds on |u| and |v| (unit x 2^24); INT32_MAX for none
};

// The frame of a view, without margin bounds.
SphereFrame MakeSphereFrame(const SkyMapView& view);

struct SpherePoint {
    int32_t x, y;         // screen point
    int32_t depth;        // > 0 facing the viewer, <= 0 on the limb or the far side
    bool withinMargins;   // |u| <= uMax and |v| <= vMax
};

// The forward projection of a chart triple (formulas above). Inline for the per-star passes.
inline SpherePoint SphereForward(const SphereFrame& f, int32_t p, int32_t q, int32_t s) {
    int32_t u = WrapSub(FixMul24(p, f.cosA0), FixMul24(q, f.sinA0));
    int32_t w = WrapAdd(FixMul24(q, f.cosA0), FixMul24(p, f.sinA0));
    int32_t v = WrapSub(FixMul24(s, f.cosD0), FixMul24(w, f.sinD0));
    SpherePoint point;
    point.depth = WrapAdd(FixMul24(w, f.cosD0), FixMul24(s, f.sinD0));
    point.x = static_cast<int32_t>(f.cx - ((static_cast<int64_t>(u) * f.kx) >> 24));
    point.y = static_cast<int32_t>(f.cy - ((static_cast<int64_t>(v) * f.ky) >> 24));
    point.withinMargins = (u < 0 ? -int64_t{u} : u) <= f.uMax && (v < 0 ? -int64_t{v} : v) <= f.vMax;
    return point;
}

// One position (Fix24Angle) through ProjectRaDecToChart and skyMapView's frame: 1 with the
// screen point when it faces the viewer (depth >= 1), else 0 with x and y untouched. No margins.
int ProjectToSkyMap(Fix24Angle ra, Fix24Angle dec, int32_t* x, int32_t* y);

// The J2000 place under a screen point of skyMapView: right ascension in [0, 2 pi], declination
// in [-pi/2, pi/2] (Fix24Angle). A point outside the sphere's disc is taken radially onto its
// rim. In the horizontal frame the direction is turned back by the transpose of the sky
// rotation matrix, so a place projected and read back is the same place. Returns 1.
int SkyMapPointToRaDec(int32_t x, int32_t y, Fix24Angle* ra, Fix24Angle* dec);

// Azimuth (north through east, [0, 2 pi]) and altitude (Fix24Angle) under a screen point of
// skyMapView whose centre is moved by (originX, originY). In the equatorial frame the J2000
// direction is turned into the horizontal frame by the sky rotation matrix. Returns 1.
int SkyMapPointToHorizon(int32_t originX, int32_t originY, int32_t x, int32_t y, Fix24Angle* azimuth,
                         Fix24Angle* altitude);

// The view record back at its start: scales 1, everything else 0 (tests).
void ResetSkyMapView();
