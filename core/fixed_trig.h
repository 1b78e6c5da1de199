// Integer trigonometry for the charts and globes: CORDIC sine, cosine, arctangent and
// arcsine on 8.24 fixed-point angles (Fix24Angle: radians x 2^24, pi = 52707178), a 5.11
// variant for the globe and eclipse-map drawing, a tangent polynomial, and 3x3 matrices of
// 8.24 integers.
//
// Products of two 8.24 numbers are the 64-bit product shifted right by 24 (rounding toward
// minus infinity) and truncated to 32 bits; three factors are multiplied left to right.
// Sums wrap in two's complement as the handheld's integer unit did. Unit results (sine,
// cosine) may exceed 2^24 by a few units. Every result is bit-exact: the charts and their
// tests rely on the exact integers.
//
// The kernels write their final x, y and z into cordicWork and the wrappers read them back:
// nothing here is reentrant (all callers run on the user-interface thread).
#pragma once

#include <cstdint>

using Fix24Angle = int32_t;

// The work record of the CORDIC kernels: final x, z, y; the spare words hold FixTan24's
// cosine (spareCosine) and sine (spareSine).
struct CordicWork {
    int32_t x;
    int32_t z;
    int32_t spareCosine;
    int32_t y;
    int32_t spareSine;
};

extern CordicWork cordicWork;

constexpr int32_t kFix24One = 16777216;
constexpr Fix24Angle kFix24HalfPi = 26353589;         // truncated
constexpr Fix24Angle kFix24Pi = 52707178;             // truncated
constexpr Fix24Angle kFix24ThreeHalfPi = 79060767;    // sum of the above
constexpr Fix24Angle kFix24TwoPi = 105414356;         // sum of the above
constexpr int32_t kFix24RotationGain = 10188013;      // CORDIC gain of the 25 circular steps
constexpr int16_t kFix11TwoPi = 12868;

// The CORDIC step angles, 8.24: atan(2^-i) for i = 0..24 (mostly rounded down) and atanh(2^-i)
// for i = 1..24 (index 0 unused).
extern const int32_t kCircular24[25];
extern const int32_t kHyperbolic24[25];

// Two's-complement 32-bit sum and difference: the integer unit's wrap, without the undefined
// behaviour of signed overflow.
inline int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t WrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// 8.24 product: (a x b) >> 24 in 64 bits, truncated to 32 bits. Inline: the chart's per-star
// passes form a dozen of these per star.
inline int32_t FixMul24(int32_t a, int32_t b) { return static_cast<int32_t>((static_cast<int64_t>(a) * b) >> 24); }

// Circular rotation, 25 steps: from (10188013, 0, angle) with |angle| below a quarter turn
// it ends with x = cos, y = sin. Returns x.
int32_t CordicRotate24(int32_t x, int32_t y, int32_t z);

// Circular vectoring, 25 steps: for x > 0 it drives y to 0 and ends with z + atan(y / x) in
// z and x grown by the CORDIC gain. Returns x.
int32_t CordicVector24(int32_t x, int32_t y, int32_t z);

// Hyperbolic vectoring, steps 1..24 with 4 and 13 repeated: x ends as the hyperbolic gain
// times sqrt(x^2 - y^2).
void CordicHyperbolicVector24(int32_t x, int32_t y, int32_t z);

// Circular rotation in 5.11 (12 steps), every new value wrapped to 16 bits.
void CordicRotate11(int16_t x, int16_t y, int16_t z);

// Cosine and sine of any Fix24Angle (reduced by whole turns of 105414356).
void FixSinCos24(Fix24Angle angle, int32_t* cosine, int32_t* sine);

// Cosine of an angle; negative angles are raised by whole turns, angles of 2 pi or more are
// used as they are (callers pass angles below a turn).
int32_t FixCos24(Fix24Angle angle);

// Angle of the vector (x, y) in [0, 2 pi), any common scale of x and y; (0, 0) gives 0. The
// axis directions come out a few units off the exact multiples of pi/2.
Fix24Angle FixAtan2_24(int32_t y, int32_t x);

// Tangent (8.24) as sine x 2^24 / cosine. Where the integer cosine is 0 the result is the
// largest 32-bit value of the sine's sign instead of a division by zero.
int32_t FixTan24(Fix24Angle angle);

// Tangent by an odd polynomial, within 2e-7 of tan x for |x| up to pi/4.
int32_t FixPoly24(Fix24Angle x);

// Arcsine of an 8.24 value: the series x + x^3/6 + 3x^5/40 + 5x^7/112 + 35x^9/1152 up to
// 0.3 (kFix24AsinSeriesLimit), FixAsinLarge24 above; within 16 units (0.2") of asin everywhere.
constexpr int32_t kFix24AsinSeriesLimit = 5033165;
Fix24Angle FixAsin24(int32_t x);

// Arcsine for magnitudes above the series limit: CORDIC below 0.98 (16441672), double precision
// from there on. Values above 1.0 (unit results of FixSinCos24 can exceed 2^24 by a few units)
// give the arcsine of 1.0.
Fix24Angle FixAsinLarge24(int32_t x);

// Cosine and sine of a 5.11 angle (radians x 2048, 2 pi = 12868), 16-bit results.
void FixSinCos11(int16_t angle, int16_t* cosine, int16_t* sine);

// v = m v for an 8.24 matrix (row order) and vector; in place.
void FixMatVec24(const int32_t* m, int32_t* v);

// c = a b for 8.24 matrices; c must not be a or b.
void FixMatMul24(const int32_t* a, const int32_t* b, int32_t* c);

// Rotation about x by a1, times the rotation about y by -a2, times the rotation about z by
// a3: rows (c2c3, c2s3, s2), (-(s1s2c3 + c1s3), c1c3 - s1s2s3, s1c2),
// (s1s3 - c1s2c3, -(s1c3 + c1s2s3), c1c2). Used by the planet globe and ring drawing.
void FixRotationMatrix24(int32_t* m, Fix24Angle a1, Fix24Angle a2, Fix24Angle a3);

// The orbit view's matrix: with a1 the argument of perihelion, a2 the longitude of the node
// and a3 the inclination, columns 0 and 1 are the axes of the orbital plane in ecliptic
// coordinates and column 2 is zero.
void FixRotationMatrixB24(int32_t* m, Fix24Angle a1, Fix24Angle a2, Fix24Angle a3);
