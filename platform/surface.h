// Pixel memory behind the screen and every bitmap: 16-bit 5-5-5 or 32-bit
// 0x00RRGGBB pixels, rows stored top-down or bottom-up. Internal to the
// graphics code; the program reaches pixels only through device contexts and
// the bits of its own DIB sections.
#pragma once

#include <cstdint>
#include <cstddef>
#include <vector>

#include "platform/color.h"
#include "platform/geometry.h"

namespace pl {

struct Surface {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;  // 16 or 32
    int stride = 0;         // bytes per stored row, a multiple of 4
    bool bottomUp = false;  // first stored row is the bottom row
    uint64_t serial = 0;    // names the surface for the text log (platform/text_log.h)
    std::vector<uint8_t> storage;

    uint8_t* Bits() { return storage.data(); }
    const uint8_t* Bits() const { return storage.data(); }
    Rect Bounds() const { return Rect{0, 0, width, height}; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    const uint8_t* Row(int y) const { return Bits() + static_cast<std::size_t>(bottomUp ? height - 1 - y : y) * stride; }
    uint8_t* Row(int y) { return Bits() + static_cast<std::size_t>(bottomUp ? height - 1 - y : y) * stride; }
};

// Largest side accepted for any surface; keeps row and image sizes far from overflow.
constexpr int kMaxSurfaceSide = 16384;

// Sets the surface up with zeroed pixels; false (surface left empty) when a side
// is not in 1..kMaxSurfaceSide or the depth is not 16 or 32.
bool InitSurface(Surface* s, int width, int height, int bitsPerPixel, bool bottomUp);

// Stored pixel word at (x, y), which must be inside.
inline uint32_t ReadRaw(const Surface& s, int x, int y) {
    const uint8_t* p = s.Row(y);
    if (s.bitsPerPixel == 16) return static_cast<uint32_t>(p[2 * x] | (p[2 * x + 1] << 8));
    p += 4 * x;
    return static_cast<uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (p[3] << 24));
}

inline void WriteRaw(Surface& s, int x, int y, uint32_t v) {
    uint8_t* p = s.Row(y);
    if (s.bitsPerPixel == 16) {
        p[2 * x] = static_cast<uint8_t>(v);
        p[2 * x + 1] = static_cast<uint8_t>(v >> 8);
        return;
    }
    p += 4 * x;
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

// Pixel word of a colour in the surface's format, and the colour of a word.
inline uint32_t RawFromColor(const Surface& s, ColorRef c) {
    return s.bitsPerPixel == 16 ? ToPixel555(c) : ToPixel888(c);
}
inline ColorRef ColorFromRaw(const Surface& s, uint32_t v) {
    return s.bitsPerPixel == 16 ? FromPixel555(static_cast<uint16_t>(v)) : FromPixel888(v & 0xFFFFFF);
}

inline ColorRef ReadColor(const Surface& s, int x, int y) { return ColorFromRaw(s, ReadRaw(s, x, y)); }

}  // namespace pl
