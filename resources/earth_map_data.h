// The Earth picture the world maps and globe textures are made from (written by
// scripts/tables/earth_maps.py; the encoding is described there).
#pragma once

#include <cstdint>

// Land mask, equirectangular, longitude -180 at the left, north at the top:
// base64 of the rows' alternating run lengths (sea first), base-128 numbers.
extern const int kEarthMaskWidth;
extern const int kEarthMaskHeight;
extern const char kEarthMaskRuns[];

// Colour picture, the same projection: base64 of one byte per run,
// palette index << 4 | (length - 1).
extern const int kEarthTextureWidth;
extern const int kEarthTextureHeight;
extern const uint32_t kEarthTexturePalette[16];
extern const char kEarthTextureRuns[];
