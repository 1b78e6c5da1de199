// Colours. A ColorRef is 0x00BBGGRR (red in the low byte). 16-bit pixels are
// 5-5-5 words (bit 15 zero, red in bits 10-14, green 5-9, blue 0-4); the screen
// and compatible bitmaps hold 32-bit pixels 0x00RRGGBB. 8-bit channels become 5
// bits by truncation and 5 bits become 8 by replicating the top bits, so a 5-5-5
// pixel survives a trip through 32 bits unchanged.
#pragma once

#include <cstdint>

namespace pl {

using ColorRef = uint32_t;

// Returned by pixel reads and writes that fall outside the drawable area.
constexpr ColorRef kInvalidColor = 0xFFFFFFFF;

constexpr ColorRef Rgb(int red, int green, int blue) {
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

// 5-5-5 word of a colour: each channel truncated to its top five bits.
constexpr uint16_t ToPixel555(ColorRef c) {
    return static_cast<uint16_t>(((RedOf(c) & 0xF8) << 7) | ((GreenOf(c) & 0xF8) << 2) | (BlueOf(c) >> 3));
}

// Eight bits from five by replication: abcde -> abcdeabc.
constexpr int Expand5(int v) { return (v << 3) | (v >> 2); }

constexpr ColorRef FromPixel555(uint16_t p) {
    return Rgb(Expand5((p >> 10) & 31), Expand5((p >> 5) & 31), Expand5(p & 31));
}

// 32-bit screen pixel 0x00RRGGBB and back.
constexpr uint32_t ToPixel888(ColorRef c) {
    return static_cast<uint32_t>((RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c));
}
constexpr ColorRef FromPixel888(uint32_t p) {
    return Rgb(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF));
}

}  // namespace pl
