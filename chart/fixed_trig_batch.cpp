#include "chart/fixed_trig_batch.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Four 32-bit lanes (one SSE register); a block is kGroups of them, so that independent lanes
// keep the integer unit busy. Sums and differences go through unsigned lanes: they wrap in
// two's complement exactly as the scalar kernels' Add and Sub do.
using V4 = int32_t __attribute__((vector_size(16)));
using U4 = uint32_t __attribute__((vector_size(16)));
constexpr int kGroups = 4;
constexpr int kLanes = 4 * kGroups;

struct Block {
    V4 g[kGroups];
};

inline V4 Add(V4 a, V4 b) { return reinterpret_cast<V4>(reinterpret_cast<U4>(a) + reinterpret_cast<U4>(b)); }
inline V4 Sub(V4 a, V4 b) { return reinterpret_cast<V4>(reinterpret_cast<U4>(a) - reinterpret_cast<U4>(b)); }
// v where the mask lane is 0, -v where it is -1.
inline V4 Negate(V4 v, V4 mask) { return Sub(v ^ mask, mask); }
// a where the mask lane is -1, else b.
inline V4 Select(V4 mask, V4 a, V4 b) { return (a & mask) | (b & ~mask); }
inline V4 Splat(int32_t v) { return V4{v, v, v, v}; }

// Up to kLanes values of `in` from `first` on; missing lanes are 0.
Block Load(const int32_t* in, int first, int n) {
    int32_t lanes[kLanes] = {};
    std::memcpy(lanes, in + first, sizeof(int32_t) * static_cast<size_t>(std::min(kLanes, n - first)));
    Block b;
    std::memcpy(b.g, lanes, sizeof lanes);
    return b;
}

void Store(const Block& b, int32_t* out, int first, int n) {
    int32_t lanes[kLanes];
    std::memcpy(lanes, b.g, sizeof lanes);
    std::memcpy(out + first, lanes, sizeof(int32_t) * static_cast<size_t>(std::min(kLanes, n - first)));
}

// The 25 circular steps of CordicRotate24 (vectoring = false) or CordicVector24 (true). Each
// lane turns the way its scalar kernel's branch would: mask -1 where the scalar adds dx.
void Circular(Block& x, Block& y, Block& z, bool vectoring) {
    for (int i = 0; i <= 24; ++i) {
        const V4 angle = Splat(kCircular24[i]);
        for (int k = 0; k < kGroups; ++k) {
            V4 mask = vectoring ? (y.g[k] > Splat(0)) : (z.g[k] < Splat(0));
            V4 dx = y.g[k] >> i, dy = x.g[k] >> i;
            x.g[k] = Sub(x.g[k], Negate(dx, mask));
            y.g[k] = Add(y.g[k], Negate(dy, mask));
            z.g[k] = Sub(z.g[k], Negate(angle, mask));
        }
    }
}

// CordicHyperbolicVector24's steps 1..24 with 4 and 13 taken twice; only x is needed.
void HyperbolicX(Block& x, Block& y) {
    for (int i = 1; i <= 24; ++i) {
        for (int r = (i == 4 || i == 13) ? 2 : 1; r > 0; --r) {
            for (int k = 0; k < kGroups; ++k) {
                V4 mask = y.g[k] > Splat(0);
                V4 dx = y.g[k] >> i, dy = x.g[k] >> i;
                x.g[k] = Add(x.g[k], Negate(dx, mask));
                y.g[k] = Add(y.g[k], Negate(dy, mask));
            }
        }
    }
}

// FixSinCos24's reduction into [0, 2 pi): a plain test for the usual |angle| < 2 pi, the
// truncated remainder otherwise.
int32_t ReduceTurn(int32_t angle) {
    if (angle >= 0 && angle < kFix24TwoPi) return angle;
    if (angle < 0 && angle > -kFix24TwoPi) return angle + kFix24TwoPi;
    int32_t r = angle % kFix24TwoPi;
    return r < 0 ? r + kFix24TwoPi : r;
}

void SinCosBlock(const Block& r, Block& cosine, Block& sine) {
    Block x, y, z;
    V4 q1[kGroups], q2[kGroups], q3[kGroups];
    for (int k = 0; k < kGroups; ++k) {
        V4 v = r.g[k];
        q1[k] = v < Splat(kFix24HalfPi);
        q2[k] = v < Splat(kFix24Pi);
        q3[k] = v < Splat(kFix24ThreeHalfPi);
        V4 folded = Select(q2[k], Sub(Splat(kFix24Pi), v),
                           Select(q3[k], Sub(Splat(kFix24ThreeHalfPi), v), Sub(Splat(kFix24TwoPi), v)));
        z.g[k] = Select(q1[k], v, folded);
        x.g[k] = Splat(kFix24RotationGain);
        y.g[k] = Splat(0);
    }
    Circular(x, y, z, false);
    // Quadrants 1..4: (x, y), (-x, y), (-y, -x), (x, -y).
    for (int k = 0; k < kGroups; ++k) {
        V4 zero = Splat(0);
        V4 third = q3[k] & ~q2[k], second = q2[k] & ~q1[k];
        cosine.g[k] = Select(third, Sub(zero, y.g[k]), Select(second, Sub(zero, x.g[k]), x.g[k]));
        sine.g[k] = Select(third, Sub(zero, x.g[k]), Select(q2[k], y.g[k], Sub(zero, y.g[k])));
    }
}

}  // namespace

void FixSinCos24Batch(const Fix24Angle* angle, int n, int32_t* cosine, int32_t* sine) {
    for (int first = 0; first < n; first += kLanes) {
        int32_t reduced[kLanes] = {};
        for (int l = 0; l < kLanes && first + l < n; ++l) reduced[l] = ReduceTurn(angle[first + l]);
        Block r = Load(reduced, 0, kLanes), c, s;
        SinCosBlock(r, c, s);
        Store(c, cosine, first, n);
        Store(s, sine, first, n);
    }
}

void FixAtan2_24Batch(const int32_t* y, const int32_t* x, int n, Fix24Angle* angle) {
    for (int first = 0; first < n; first += kLanes) {
        Block vy = Load(y, first, n), vx = Load(x, first, n), z{}, out;
        Block cx, cy = vy;
        for (int k = 0; k < kGroups; ++k) cx.g[k] = Select(vx.g[k] < Splat(0), Sub(Splat(0), vx.g[k]), vx.g[k]);
        Circular(cx, cy, z, true);
        for (int k = 0; k < kGroups; ++k) {
            V4 half = Select(vy.g[k] > Splat(0), Splat(kFix24Pi), Splat(-kFix24Pi));
            V4 a = Select(vx.g[k] < Splat(0), Sub(half, z.g[k]), z.g[k]);
            // Every result lies above -2 pi: one turn raises a negative one.
            a = Select(a < Splat(0), Add(a, Splat(kFix24TwoPi)), a);
            V4 origin = (vx.g[k] == Splat(0)) & (vy.g[k] == Splat(0));
            out.g[k] = Select(origin, Splat(0), a);
        }
        Store(out, angle, first, n);
    }
}

void FixAsin24Batch(const int32_t* x, int n, Fix24Angle* angle) {
    for (int first = 0; first < n; first += kLanes) {
        const int lanes = std::min(kLanes, n - first);
        int32_t hx[kLanes] = {}, hy[kLanes] = {}, mag[kLanes] = {};
        bool cordic = false;
        for (int l = 0; l < lanes; ++l) {
            int32_t v = x[first + l];
            int64_t m = std::abs(static_cast<int64_t>(v));
            if (m <= kFix24AsinSeriesLimit || m >= 16441672) continue;
            mag[l] = static_cast<int32_t>(m);
            int32_t t = FixMul24(mag[l], mag[l]);
            hx[l] = kFix24One - t + 6115511;
            hy[l] = kFix24One - t - 6115511;
            cordic = true;
        }
        Block cx{}, cy{}, cz{};
        if (cordic) {
            Block y0 = Load(hy, 0, kLanes);
            cx = Load(hx, 0, kLanes);
            HyperbolicX(cx, y0);
            cy = Load(mag, 0, kLanes);
            Circular(cx, cy, cz, true);
        }
        int32_t z[kLanes];
        Store(cz, z, 0, kLanes);
        for (int l = 0; l < lanes; ++l) {
            int32_t v = x[first + l];
            angle[first + l] = mag[l] == 0 ? FixAsin24(v) : (v < 0 ? -z[l] : z[l]);
        }
    }
}
