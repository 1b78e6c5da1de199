// What the Earth bitmaps (world maps, land masks, globe textures) promise
// their readers.
#pragma once

#include <cstdint>

// The small world maps 1221 and 6010 (0x00RRGGBB).
constexpr uint32_t kEarthSeaColour = 0x2C4C90;
constexpr uint32_t kEarthLandColour = 0x70A050;
// The land of the masks 6015 and 6016 (their sea is white).
constexpr uint32_t kEarthMaskLand = 0x609850;
