// What the Mars bitmaps promise their readers.
#pragma once

#include <cstdint>

// The colour (0x00RRGGBB) of the polar caps on the Mars map (6012, 6013); no
// other map pixel has it.
constexpr uint32_t kMarsCapColour = 0xF0F0E8;
