#include "assistants/globe_transform.h"

#include "core/fixed_trig.h"

GlobeTransform globeTransform{};

namespace {

int Mul(int a, int b) { return (a * b) >> 11; }
int Mul(int a, int b, int c) { return (((a * b) >> 11) * c) >> 11; }

}  // namespace

int16_t DegreesToFix11(double degrees) {
    return static_cast<int16_t>(static_cast<int>(degrees * 292817.658518) >> 13);
}

void SetGlobeScales(GlobeTransform* t, int radius) {
    t->radius = static_cast<int16_t>(radius);
    t->scaleX = t->radius;
    t->scaleY = t->radius;
    if (t->mirrorMode == 1 || t->mirrorMode == 2) t->scaleY = static_cast<int16_t>(-radius);
    if (t->mirrorMode == 2 || t->mirrorMode == 3) t->scaleX = static_cast<int16_t>(-radius);
}

void SetGlobeRotation(GlobeTransform* t, int16_t a1, int16_t a2, int16_t a3) {
    int16_t c1, s1, c2, s2, c3, s3;
    FixSinCos11(a1, &c1, &s1);
    FixSinCos11(a2, &c2, &s2);
    FixSinCos11(a3, &c3, &s3);
    t->rx = static_cast<int16_t>(Mul(s1, c2));
    t->ry = static_cast<int16_t>(Mul(c1, c2));
    t->rz = static_cast<int16_t>(-s2);
    t->ux = static_cast<int16_t>(Mul(s1, s2, c3) + Mul(c1, s3));
    t->uy = static_cast<int16_t>(Mul(c1, s2, c3) - Mul(s1, s3));
    t->uz = static_cast<int16_t>(Mul(c2, c3));
    t->dx = static_cast<int16_t>(Mul(s1, s2, s3) - Mul(c1, c3));
    t->dy = static_cast<int16_t>(Mul(s1, c3) + Mul(c1, s2, s3));
    t->dz = static_cast<int16_t>(Mul(c2, s3));
}

GlobeOffset ProjectGlobeVector(const GlobeTransform& t, int16_t px, int16_t py, int16_t pz) {
    GlobeOffset o;
    o.depth = static_cast<int16_t>(Mul(t.dy, py) + Mul(t.dz, pz) + Mul(t.dx, px));
    o.right = (static_cast<int16_t>(Mul(t.ry, py) + Mul(t.rz, pz) + Mul(t.rx, px)) * t.scaleX) >> 11;
    o.up = (static_cast<int16_t>(Mul(t.uy, py) + Mul(t.uz, pz) + Mul(t.ux, px)) * t.scaleY) >> 11;
    return o;
}

void GlobeUnitVector(int16_t latitude, int16_t longitude, int16_t* px, int16_t* py, int16_t* pz) {
    int16_t cl, sl, cb, sb;
    FixSinCos11(longitude, &cl, &sl);
    FixSinCos11(latitude, &cb, &sb);
    *px = static_cast<int16_t>(Mul(cl, cb));
    *py = static_cast<int16_t>(Mul(sl, cb));
    *pz = sb;
}

int ProjectOnGlobe(int* x, int* y, int centreX, int centreY, float lon, float b) {
    int16_t px, py, pz;
    GlobeUnitVector(DegreesToFix11(b), DegreesToFix11(-lon), &px, &py, &pz);
    GlobeOffset o = ProjectGlobeVector(globeTransform, px, py, pz);
    if (o.depth > 0) return 0;
    *x = centreX + o.right;
    *y = centreY - o.up;
    return 1;
}
