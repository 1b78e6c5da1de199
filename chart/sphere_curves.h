// The reference curves of the sphere views, drawn by the sphere renderer into
// the current draw window: the equatorial (or altitude) grid with the horizon
// ring and its direction letters, and the ecliptic. (cx, cy) is the picture's
// centre, kx and ky its whole-pixel scales (signed), alpha0 and delta0 its
// centre angles (chart/sphere_projection.h). A sample that is on the far side
// (depth <= 0), or below the horizon in the Visible Sky view, breaks its curve.
#pragma once

#include <cstdint>

#include "core/fixed_trig.h"

// kind -1: no grid; otherwise declination circles -75 .. 75 degrees every 15,
// 25 samples from 0 h to 24 h each, joined by the 24 hour lines, in colour
// entry 3 of chartColours. The samples go through the hour-angle matrix H of
// skyRotation when kind is non-zero (the grid of the equator of date in the
// horizontal frame), else they are taken as they stand (in the horizontal frame
// that gives altitude circles). In the Visible Sky view samples with s below
// -292817 (about -1 degree of altitude) are left out; with word 236 set all are.
// Then, when the sky rotation is on (horizontal frame), the horizon ring: 25
// samples of altitude 0 from north westward every 15 degrees, every third
// labelled in turn "N", "NW", "W", "SW", "S", "SE", "E", "NE", "N" beside its
// point, in colour entry 5 on the chart background.
void DrawSkyMapGrid(int32_t cx, int32_t cy, int32_t kx, int32_t ky, int kind, Fix24Angle alpha0,
                    Fix24Angle delta0);

// The ecliptic (obliquity 6863438), 25 samples every 4392264 of longitude,
// through the sky rotation matrix when `rotate` is non-zero, in the foreground
// colour; in the Visible Sky view samples with s below -392817 are left out.
void DrawSkyMapEcliptic(int32_t cx, int32_t cy, int32_t kx, int32_t ky, int rotate, Fix24Angle alpha0,
                        Fix24Angle delta0);
