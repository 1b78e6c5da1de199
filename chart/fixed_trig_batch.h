// Batch forms of the integer trigonometry of core/fixed_trig.h for the chart's per-star passes:
// several stars per step, without branches in the CORDIC steps, and bit for bit the results of
// the scalar kernels (FixSinCos24, FixAtan2_24, FixAsin24) for every input. Unlike the scalar
// kernels they leave cordicWork alone.
//
// Arrays are the caller's; n may be 0; outputs must not overlap inputs.
#pragma once

#include <cstdint>

#include "core/fixed_trig.h"

// cosine[i], sine[i] = FixSinCos24(angle[i]) (unit x 2^24).
void FixSinCos24Batch(const Fix24Angle* angle, int n, int32_t* cosine, int32_t* sine);

// angle[i] = FixAtan2_24(y[i], x[i]), in [0, 2 pi).
void FixAtan2_24Batch(const int32_t* y, const int32_t* x, int n, Fix24Angle* angle);

// angle[i] = FixAsin24(x[i]), in [-pi/2, pi/2].
void FixAsin24Batch(const int32_t* x, int n, Fix24Angle* angle);
