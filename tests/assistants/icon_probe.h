// Finding a small picture (an icon, a bitmap) in a drawn 16-bit DIB: the
// picture is drawn alone on a key colour into a scratch DIB, and its opaque
// pixels (those not of the key) are looked for in the drawing; what the
// picture leaves transparent may hold anything.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"

struct IconInk {
    int x, y;        // offset from the point the picture was drawn at
    uint16_t pixel;  // its 5-5-5 word
};

// The opaque pixels of what `draw` (x, y) draws at the scratch's centre.
inline std::vector<IconInk> InkOfIcon(const std::function<void(int x, int y)>& draw) {
    constexpr int kSize = 80, kCentre = 40;
    constexpr pl::ColorRef kKey = 0xFF00FF;  // magenta, in no icon
    DrawWindowRecord* scratch = CreateOffscreenDib(kSize, kSize, 16);
    DrawWindowRecord* previous = SetDrawWindow(scratch);
    const pl::ColorRef fore = SetForeColor(kKey);
    FillRectangle(XywhRect{0, 0, kSize, kSize}, 0);
    const uint16_t key = ReadPixel16(DibPixelAddress(*scratch, 0, 0));
    draw(kCentre, kCentre);
    std::vector<IconInk> ink;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const uint16_t p = ReadPixel16(DibPixelAddress(*scratch, x, y));
            if (p != key) ink.push_back({x - kCentre, y - kCentre, p});
        }
    SetForeColor(fore);
    SetDrawWindow(previous);
    DeleteOffscreenWindow(scratch);
    return ink;
}

// The share (0..1) of the picture's opaque pixels drawn at (x, y) that fall
// inside the record and show in it; 0 when none falls inside.
inline double IconShare(const DrawWindowRecord* r, const std::vector<IconInk>& ink, int x, int y) {
    int inside = 0, shown = 0;
    for (const IconInk& p : ink) {
        const int px = x + p.x, py = y + p.y;
        if (px < 0 || py < 0 || px >= r->right || py >= r->bottom) continue;
        ++inside;
        shown += ReadPixel16(DibPixelAddress(*r, px, py)) == p.pixel;
    }
    return inside > 0 ? static_cast<double>(shown) / inside : 0.0;
}

// True when every opaque pixel of the picture drawn at (x, y) that falls
// inside the record shows in it.
inline bool IconAt(const DrawWindowRecord* r, const std::vector<IconInk>& ink, int x, int y) {
    return !ink.empty() && IconShare(r, ink, x, y) == 1.0;
}

// The places in the rectangle where at least `share` of the picture shows
// (all of it by default): what is drawn after it may cover the rest.
inline std::vector<std::pair<int, int>> FindIcon(const DrawWindowRecord* r, const std::vector<IconInk>& ink,
                                                 const XywhRect& where, double share = 1.0) {
    std::vector<std::pair<int, int>> found;
    for (int y = where.y; y < where.y + where.height; ++y)
        for (int x = where.x; x < where.x + where.width; ++x)
            if (IconShare(r, ink, x, y) >= share) found.push_back({x, y});
    return found;
}

// The place in the rectangle where most of the picture shows, and that share.
inline std::pair<int, int> BestIcon(const DrawWindowRecord* r, const std::vector<IconInk>& ink, const XywhRect& where,
                                    double* share) {
    std::pair<int, int> best{-1, -1};
    *share = 0.0;
    for (int y = where.y; y < where.y + where.height; ++y)
        for (int x = where.x; x < where.x + where.width; ++x) {
            const double s = IconShare(r, ink, x, y);
            if (s > *share) *share = s, best = {x, y};
        }
    return best;
}
